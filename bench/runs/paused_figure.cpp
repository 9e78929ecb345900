#include <cstdio>

#include "net/endpoints.hpp"
#include "runs/figures.hpp"

namespace plimo::bench {
namespace {

// Post images and attachments are the downloads after which the run pauses.
bool IsPausedDownload(const std::string& url) {
  return url.rfind(BLOGFILES_PREFIX, 0) == 0 || url.rfind(MFILES_PREFIX, 0) == 0;
}

}  // namespace

PausedFigure MeasurePausedRun(sim::Simulator& simulator, RunFolders& folders, const BlogLogin& blog,
                              int repetitions) {
  PausedFigure figure;
  const RunSettings settings;
  for (int repetition = 0; repetition < repetitions; ++repetition) {
    const std::filesystem::path empty = folders.Empty();
    simulator.ClearRequests();
    const TimedRun coldRun = RunBackup(blog, empty, settings);
    const double cold = coldRun.wall.count();
    int downloads = 0;
    for (const sim::LoggedRequest& request : simulator.Requests())
      if (IsPausedDownload(request.url)) ++downloads;
    const TimedRun warmRun = RunBackup(blog, folders.WithMediaOf(empty), settings);
    const double warm = warmRun.wall.count();
    if (coldRun.end != RunEnd::Completed || warmRun.end != RunEnd::Completed) ++figure.incompleteRuns;

    const double pauses = downloads * std::chrono::duration<double>(settings.pauseAfterDownload).count();
    figure.pausedDownloads = downloads;
    figure.pauseSeconds = pauses;
    figure.coldSeconds.push_back(cold);
    figure.warmSeconds.push_back(warm);
    figure.ratios.push_back(cold / (pauses + warm));
    std::fprintf(stderr, "  empty folder %.3f s against %d pauses (%.1f s) + %.3f s: %.4f x\n", cold,
                 downloads, pauses, warm, figure.ratios.back());
  }
  return figure;
}

}  // namespace plimo::bench
