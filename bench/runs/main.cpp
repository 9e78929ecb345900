// plimo-run-bench: whole backups against the in-process simulator, each beside its floor, measured in
// one run of this program so that the machine's noise falls on both sides of every ratio. Prints the
// figures as JSON on standard output and its progress on standard error.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "runs/figures.hpp"

namespace {

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The blog of the overhead figures: 50 list pages of 4 posts, each post with two images, an
// attachment, and a comment list and a relay list of its own.
constexpr plimo::sim::BlogShape kOverheadBlog{.listPages = 50,
                                              .postsPerPage = 4,
                                              .categories = 3,
                                              .commentsPerPost = 2,
                                              .relaysPerPost = 1,
                                              .imagesPerPost = 2,
                                              .attachmentsPerPost = 1,
                                              .seed = 11};

// The same pages with one image a post and no attachment, so that the real pauses (0.4 s each) keep
// the run to minutes.
constexpr plimo::sim::BlogShape kPausedBlog = [] {
  plimo::sim::BlogShape shape = kOverheadBlog;
  shape.imagesPerPost = 1;
  shape.attachmentsPerPost = 0;
  return shape;
}();

std::string Array(const std::vector<double>& values) {
  std::ostringstream out;
  out << "[";
  for (size_t i = 0; i < values.size(); ++i) out << (i ? ", " : "") << values[i];
  out << "]";
  return out.str();
}

std::string Json(const plimo::bench::OverheadFigure& figure) {
  std::ostringstream out;
  out << "{\"listPages\": " << kOverheadBlog.listPages << ", \"requests\": " << figure.requests
      << ", \"mediaRequests\": " << figure.mediaRequests
      << ", \"failedLoopRequests\": " << figure.failedLoopRequests
      << ", \"incompleteRuns\": " << figure.incompleteRuns
      << ", \"backupSeconds\": " << Median(figure.backupSeconds)
      << ", \"loopSeconds\": " << Median(figure.loopSeconds) << ", \"ratio\": " << Median(figure.ratios)
      << ", \"ratios\": " << Array(figure.ratios) << "}";
  return out.str();
}

std::string Json(const plimo::bench::PausedFigure& figure) {
  std::ostringstream out;
  out << "{\"listPages\": " << kPausedBlog.listPages << ", \"pausedDownloads\": " << figure.pausedDownloads
      << ", \"incompleteRuns\": " << figure.incompleteRuns << ", \"pauseSeconds\": " << figure.pauseSeconds
      << ", \"coldSeconds\": " << Median(figure.coldSeconds)
      << ", \"warmSeconds\": " << Median(figure.warmSeconds) << ", \"ratio\": " << Median(figure.ratios)
      << ", \"ratios\": " << Array(figure.ratios) << "}";
  return out.str();
}

std::string Json(const plimo::bench::MemoryFigure& figure) {
  std::ostringstream out;
  out << "{\"posts\": " << figure.posts << ", \"listPages\": " << figure.listPages
      << ", \"peakKilobytes\": " << figure.peakKilobytes << ", \"listPageBytes\": " << figure.listPageBytes
      << ", \"seconds\": " << figure.seconds << ", \"completed\": " << (figure.completed ? "true" : "false")
      << "}";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Times whole backups against the in-process simulator and prints the figures as JSON.",
               "plimo-run-bench"};
  int repetitions = 5;
  int pausedRepetitions = 1;
  std::string quietBackup =
      (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "plimo-quiet-backup").string();
  app.add_option("--repetitions", repetitions, "runs of the overhead figure")->capture_default_str();
  app.add_option("--paused-repetitions", pausedRepetitions, "runs with the real pauses; 0 leaves them out")
      ->capture_default_str();
  bool memory = true;
  app.add_flag("--memory,!--no-memory", memory, "measure the peak memory of a backup process")
      ->capture_default_str();
  app.add_option("--quiet-backup", quietBackup, "the backup program whose memory is measured")
      ->capture_default_str();
  CLI11_PARSE(app, argc, argv);

  plimo::sim::Simulator simulator;
  simulator.AddBlog({"overheadblog", "secret", "", plimo::sim::BlogKind::Normal, kOverheadBlog});
  simulator.AddBlog({"pausedblog", "secret", "", plimo::sim::BlogKind::Normal, kPausedBlog});
  ::setenv("http_proxy", simulator.Start().c_str(), 1);
  ::unsetenv("no_proxy");
  ::unsetenv("NO_PROXY");

  plimo::bench::RunFolders folders;
  std::cerr << "whole backup with every file present against a plain libcurl loop:\n";
  const plimo::bench::OverheadFigure overhead =
      plimo::bench::MeasureOverhead(simulator, folders, {"overheadblog", "secret"}, repetitions);
  std::string paused = "null";
  if (pausedRepetitions > 0) {
    std::cerr << "whole backup from an empty folder with the real pauses:\n";
    paused =
        Json(plimo::bench::MeasurePausedRun(simulator, folders, {"pausedblog", "secret"}, pausedRepetitions));
  }
  simulator.Stop();

  std::string memoryFigures = "null";
  if (memory) {
    std::cerr << "peak resident memory of a backup process:\n";
    // Ten times the posts on ten times the pages: what a run keeps of each page shows as the difference.
    plimo::sim::BlogShape tenfold = kOverheadBlog;
    tenfold.listPages *= 10;
    const plimo::bench::MemoryFigure base = plimo::bench::MeasurePeakMemory(quietBackup, kOverheadBlog);
    const plimo::bench::MemoryFigure grown = plimo::bench::MeasurePeakMemory(quietBackup, tenfold);
    memoryFigures = "[" + Json(base) + ", " + Json(grown) + "]";
  }

  std::cout << "{\n  \"overhead\": " << Json(overhead) << ",\n  \"paused\": " << paused
            << ",\n  \"memory\": " << memoryFigures << "\n}\n";
  return 0;
}
