// Find and Replace over a list page of the size the service sends.
#include <benchmark/benchmark.h>

#include "net/text.hpp"
#include "platform/codepage.hpp"

namespace plimo {
namespace {

// About 500 KB of Korean markup with a media URL every few hundred bytes, like a busy list page.
Text ListPage() {
  const Text& post = Cp949(
      "<span class=\"pcol1 itemSubjectBoldfont\">오늘의 일기 제목</span>\r\n<p>블로그 본문입니다. 가나다라마바사 "
      "아자차카타파하.</p>\r\n<img src=\"http://blogfiles3.plimo.kr/data/2007/3/10/12/photo.jpg\">\r\n");
  Text page;
  while (page.size() < 500 * 1024) page += post;
  return page;
}

void BM_FindAbsentPattern(benchmark::State& state) {
  const Text page = ListPage();
  const Text pattern = "http://mfiles";
  for (auto _ : state) benchmark::DoNotOptimize(Find(page, pattern));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_FindAbsentPattern);

void BM_ReplaceOneUrl(benchmark::State& state) {
  const Text page = ListPage();
  const Text url = "http://blogfiles3.plimo.kr/data/2007/3/10/12/photo.jpg";
  for (auto _ : state) {
    Text text = page;
    benchmark::DoNotOptimize(Replace(text, url, "images\\data2007310photo.jpg"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_ReplaceOneUrl);

}  // namespace
}  // namespace plimo
