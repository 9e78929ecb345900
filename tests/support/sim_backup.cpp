#include "support/sim_backup.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/codepage.hpp"

namespace plimo::test {

SimBackup::SimBackup(sim::BlogShape shape, sim::BlogKind kind) {
  sim.AddBlog({"blogger", "secret", "시험 블로그", kind, shape});
  const std::string proxy = sim.Start();
  ::setenv("http_proxy", proxy.c_str(), 1);
  ::unsetenv("no_proxy");
  ::unsetenv("NO_PROXY");
  job.m_strBlogId = "blogger";
  job.m_strPassword = "secret";
  job.m_settings.answerBound = std::chrono::milliseconds(2000);
  job.m_settings.pauseAfterDownload = std::chrono::milliseconds(0);
  job.m_settings.pauseAfterTimeout = std::chrono::milliseconds(10);
  job.m_settings.firstRetryPause = std::chrono::milliseconds(10);
  job.m_settings.longestRetryPause = std::chrono::milliseconds(40);
  job.m_settings.listPageTries = 4;
  view.folder = folder.native().string();
}

SimBackup::~SimBackup() { sim.Stop(); }

StartResult SimBackup::Run() {
  std::thread worker;
  const StartResult result = OnStartBackup(job, view, worker);
  if (worker.joinable()) worker.join();
  return result;
}

std::string SimBackup::Read(const std::string& relativeUtf8) const {
  std::ifstream in(archive() / relativeUtf8, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> SimBackup::Files() const {
  std::vector<std::string> files;
  if (!std::filesystem::exists(archive())) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(archive()))
    if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(archive()).string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace plimo::test
