// plimo-quiet-backup: one backup with no pauses and no output, whose peak memory the benchmarks
// measure from outside. It links only the core, so what it holds is what a backup holds.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/bench_backup.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: plimo-quiet-backup BLOG-ID PASSWORD FOLDER (through http_proxy)\n");
    return 1;
  }
  plimo::RunSettings settings;
  settings.pauseAfterDownload = std::chrono::milliseconds(0);
  const plimo::bench::TimedRun run = plimo::bench::RunBackup({argv[1], argv[2]}, argv[3], settings);
  return run.end == plimo::RunEnd::Completed ? 0 : 2;
}
