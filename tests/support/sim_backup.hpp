// A whole backup against an in-process simulator, into a fresh folder: the fixture of the
// end-to-end tests.
#pragma once

#include <filesystem>
#include <string>
#include <thread>

#include "job/backup_job.hpp"
#include "job/start_backup.hpp"
#include "sim/simulator.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo::test {

class SimBackup {
 public:
  // Starts the simulator and points this process's requests at it; the blog "blogger" with
  // password "secret" is added with the given shape and kind.
  explicit SimBackup(sim::BlogShape shape = {}, sim::BlogKind kind = sim::BlogKind::Normal);
  ~SimBackup();

  // Runs the Backup command and waits for the worker to end.
  StartResult Run();

  // The archive folder on disk, and one of its files read whole ("" when missing).
  std::filesystem::path archive() const { return folder.native() / "블로그백업"; }
  std::string Read(const std::string& relativeUtf8) const;
  // Every file below the archive, relative, sorted.
  std::vector<std::string> Files() const;

  sim::Simulator sim;
  TempFolder folder;
  BackupJob job;
  RecordingView view;
};

}  // namespace plimo::test
