// Localising the media of a busy list page whose files are all in the archive already: what is left
// is the scan and one replace-all per URL over the whole page.
#include <benchmark/benchmark.h>

#include "archiver/media.hpp"
#include "support/archive_with_media.hpp"
#include "support/busy_list_page.hpp"
#include "support/silent_view.hpp"

namespace plimo {
namespace {

void BM_LocaliseListPageWithFilesPresent(benchmark::State& state) {
  const Text& page = bench::BusyListPage();
  const bench::ArchiveWithMedia archive(page);
  if (archive.mediaFiles() != bench::kBusyPageMediaUrls)
    return state.SkipWithError("every media URL of the page should have its file");
  BackupJob job;
  job.m_strBackupDir = archive.root();
  bench::SilentView view;
  BackupRun run{job, view, {}};

  for (auto _ : state) {
    Text text = page;
    LocalisePageFiles(run, text, 1);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_LocaliseListPageWithFilesPresent)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plimo
