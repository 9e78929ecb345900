// The whole-run figures: what a backup adds to its requests, to its pauses, and how much memory it holds.
#pragma once

#include <string>
#include <vector>

#include "runs/run_folders.hpp"
#include "sim/simulator.hpp"
#include "support/bench_backup.hpp"

namespace plimo::bench {

// A backup whose media are all on disk already, against a plain libcurl loop over the requests that
// the backup makes, timed in turn against the same simulator.
struct OverheadFigure {
  int requests = 0;
  int mediaRequests = 0;  // made by the timed backups; 0 when every file was indeed present
  int failedLoopRequests = 0;
  int incompleteRuns = 0;  // timed backups that did not reach the end of the blog
  std::vector<double> backupSeconds;
  std::vector<double> loopSeconds;
  std::vector<double> ratios;
};
OverheadFigure MeasureOverhead(sim::Simulator& simulator, RunFolders& folders, const BlogLogin& blog,
                               int repetitions);

// A backup into an empty folder with the real pause after each download, against the pauses it made
// plus a backup of the same blog with every file present, timed right after it.
struct PausedFigure {
  int pausedDownloads = 0;
  int incompleteRuns = 0;
  double pauseSeconds = 0;
  std::vector<double> coldSeconds;
  std::vector<double> warmSeconds;
  std::vector<double> ratios;
};
PausedFigure MeasurePausedRun(sim::Simulator& simulator, RunFolders& folders, const BlogLogin& blog,
                              int repetitions);

// The peak resident memory of a backup process (plimo-quiet-backup) of a blog of this shape, served
// by a simulator in this process, as GNU time reports it.
struct MemoryFigure {
  int posts = 0;
  int listPages = 0;
  long peakKilobytes = 0;
  size_t listPageBytes = 0;  // of the blog's first list page, as served
  double seconds = 0;
  bool completed = false;
};
MemoryFigure MeasurePeakMemory(const std::string& quietBackup, const sim::BlogShape& shape);

}  // namespace plimo::bench
