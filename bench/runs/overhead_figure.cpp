#include <cstdio>

#include "net/endpoints.hpp"
#include "runs/figures.hpp"
#include "runs/plain_fetch_loop.hpp"

namespace plimo::bench {
namespace {

bool IsMediaRequest(const std::string& url) {
  const std::string blogHost = std::string("http://") + BLOG_HOST + "/";
  const std::string loginHost = std::string("http://") + LOGIN_HOST + "/";
  return url.rfind(blogHost, 0) != 0 && url.rfind(loginHost, 0) != 0;
}

}  // namespace

OverheadFigure MeasureOverhead(sim::Simulator& simulator, RunFolders& folders, const BlogLogin& blog,
                               int repetitions) {
  OverheadFigure figure;
  const std::filesystem::path filled = folders.Empty();
  RunSettings fillingSettings;
  fillingSettings.pauseAfterDownload = std::chrono::milliseconds(0);
  // The first run fetches every file; the second, untimed, records the requests of a run without them.
  RunBackup(blog, filled, fillingSettings);
  simulator.ClearRequests();
  RunBackup(blog, folders.WithMediaOf(filled), RunSettings());
  std::vector<std::string> urls;
  for (const sim::LoggedRequest& request : simulator.Requests()) urls.push_back(request.url);
  figure.requests = static_cast<int>(urls.size());

  for (int repetition = 0; repetition < repetitions; ++repetition) {
    const std::filesystem::path folder = folders.WithMediaOf(filled);
    simulator.ClearRequests();
    // Taking turns at going first spreads whatever the machine does meanwhile over both sides.
    double backup = 0;
    LoopResult loop;
    const auto timeBackup = [&] {
      const TimedRun run = RunBackup(blog, folder, RunSettings());
      backup = run.wall.count();
      if (run.end != RunEnd::Completed) ++figure.incompleteRuns;
    };
    if (repetition % 2 == 0) {
      timeBackup();
      loop = FetchOneAfterAnother(urls);
    } else {
      loop = FetchOneAfterAnother(urls);
      timeBackup();
    }
    for (const sim::LoggedRequest& request : simulator.Requests())
      if (IsMediaRequest(request.url)) ++figure.mediaRequests;
    figure.failedLoopRequests += loop.failed;
    figure.backupSeconds.push_back(backup);
    figure.loopSeconds.push_back(loop.wall.count());
    figure.ratios.push_back(backup / loop.wall.count());
    std::fprintf(stderr, "  backup %.3f s, plain loop %.3f s: %.3f x\n", backup, loop.wall.count(),
                 figure.ratios.back());
  }
  return figure;
}

}  // namespace plimo::bench
