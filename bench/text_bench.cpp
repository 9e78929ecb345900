// Find and Replace over a busy list page, each beside the plain byte operation it builds on.
#include <benchmark/benchmark.h>

#include <string_view>

#include "archiver/media.hpp"
#include "net/endpoints.hpp"
#include "net/text.hpp"
#include "support/busy_list_page.hpp"

namespace plimo {
namespace {

// Looked for on every list page and absent from all but the last.
Text EndOfListImage() {
  return Text("http://") + IMAGE_HOST + "/pblog/txt_open.gif";
}

void SetPageBytes(benchmark::State& state, const Text& page) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

void BM_FindAbsentPattern(benchmark::State& state) {
  const Text& page = bench::BusyListPage();
  const Text pattern = EndOfListImage();
  for (auto _ : state) benchmark::DoNotOptimize(Find(page, pattern));
  SetPageBytes(state, page);
}
BENCHMARK(BM_FindAbsentPattern);

// The same search without regard to two-byte characters: what Find costs on top of it is the
// character rule.
void BM_PlainByteSearch(benchmark::State& state) {
  const Text& page = bench::BusyListPage();
  const Text pattern = EndOfListImage();
  for (auto _ : state) benchmark::DoNotOptimize(std::string_view(page).find(pattern));
  SetPageBytes(state, page);
}
BENCHMARK(BM_PlainByteSearch);

// One post image's URL becomes its local name and back, so each pass replaces over the whole page
// without a copy of the page in between.
void BM_ReplaceOneUrl(benchmark::State& state) {
  Text page = bench::BusyListPage();
  MediaList media;
  int32_t unused = 0;
  CollectMediaUrls(page, MediaKind::PostImage, media, unused);
  if (media.urls.empty()) return state.SkipWithError("the page should hold post images");
  const Text& url = media.urls.front();
  const Text& local = media.localNames.front();
  bool relinked = false;
  for (auto _ : state) {
    benchmark::DoNotOptimize(relinked ? Replace(page, local, url) : Replace(page, url, local));
    relinked = !relinked;
  }
  SetPageBytes(state, page);
}
BENCHMARK(BM_ReplaceOneUrl);

// A replacement writes the page anew, so a plain copy of the page is the floor under it.
void BM_PlainPageCopy(benchmark::State& state) {
  const Text& page = bench::BusyListPage();
  Text copy;
  for (auto _ : state) {
    copy.assign(page);
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  SetPageBytes(state, page);
}
BENCHMARK(BM_PlainPageCopy);

}  // namespace
}  // namespace plimo
