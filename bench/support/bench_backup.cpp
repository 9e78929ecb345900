#include "support/bench_backup.hpp"

#include <thread>

#include "job/start_backup.hpp"
#include "support/silent_view.hpp"

namespace plimo::bench {

TimedRun RunBackup(const BlogLogin& blog, const std::filesystem::path& folder, const RunSettings& settings) {
  // The session belongs to the program, which opens it long before anyone presses Backup.
  BackupJob job;
  job.m_strBlogId = blog.id;
  job.m_strPassword = blog.password;
  job.m_settings = settings;
  SilentView view(folder.string());

  const auto start = std::chrono::steady_clock::now();
  std::thread worker;
  const StartResult started = OnStartBackup(job, view, worker);
  if (worker.joinable()) worker.join();
  TimedRun run;
  run.wall = std::chrono::steady_clock::now() - start;
  run.end = started == StartResult::Started ? job.m_runEnd.load() : RunEnd::None;
  return run;
}

}  // namespace plimo::bench
