// The CPU time that turns one busy list page into its archive page when every media file is on disk
// already: the page steps of the run, without the network.
#include <benchmark/benchmark.h>

#include "archiver/backup_run.hpp"
#include "archiver/list_page.hpp"
#include "archiver/media.hpp"
#include "archiver/post_analysis.hpp"
#include "support/archive_with_media.hpp"
#include "support/busy_list_page.hpp"
#include "support/silent_view.hpp"

namespace plimo {
namespace {

void BM_ListPageStepsWithMediaPresent(benchmark::State& state) {
  const Text& fetched = bench::BusyListPage();
  const bench::ArchiveWithMedia archive(fetched);
  if (archive.mediaFiles() != bench::kBusyPageMediaUrls)
    return state.SkipWithError("every media URL of the page should have its file");
  BackupJob job;
  job.m_strBackupDir = archive.root();
  bench::SilentView view;
  const int n = 2;
  const Text pagePath = archive.root() + "\\P2.html";

  for (auto _ : state) {
    BackupRun run{job, view, {}};
    Text text = ComposeListPage(fetched, n);
    std::unique_ptr<PendingFile> file = OpenPageFile(view, pagePath);
    if (!file) return state.SkipWithError("the page file cannot be opened");
    LocalisePageFiles(run, text, n);
    const Text pageTitles = AnalyseListPage(run, text, n);
    CollectPostDates(run.vars, text, n);
    if (!FinishListPage(text, pageTitles, *file)) return state.SkipWithError("the page file was not written");
    job.EmptyCollectedArrays();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fetched.size()));
}
BENCHMARK(BM_ListPageStepsWithMediaPresent)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plimo
