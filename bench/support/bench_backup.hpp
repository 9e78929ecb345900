// One whole backup run by the core as a front end runs it, timed from the Backup command to the end
// of the worker.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "job/backup_job.hpp"
#include "job/run_settings.hpp"

namespace plimo::bench {

struct BlogLogin {
  std::string id;
  std::string password;
};

struct TimedRun {
  std::chrono::duration<double> wall{};
  RunEnd end = RunEnd::None;
};

// Backs the blog up into folder/블로그백업 through whatever http_proxy names.
TimedRun RunBackup(const BlogLogin& blog, const std::filesystem::path& folder, const RunSettings& settings);

}  // namespace plimo::bench
