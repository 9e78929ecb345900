// The terminal program killed at points spread over a backup and run again into the same folder
// each time ends with the archive that one uninterrupted run makes, byte for byte.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <thread>

#include "platform/codepage.hpp"
#include "sim/simulator.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kKills = 6;

enum class KillPoint { AtRequest, MidMedia };

// plimo-backup into out, through the simulator, with nothing to ask on a terminal.
pid_t StartBackup(const fs::path& out, const std::string& proxy) {
  const std::string proxyVariable = "http_proxy=" + proxy;
  const std::string outArgument = out.string();
  const pid_t child = ::fork();
  if (child != 0) return child;
  const int quiet = ::open("/dev/null", O_RDWR);
  ::dup2(quiet, STDIN_FILENO);
  ::dup2(quiet, STDOUT_FILENO);
  ::dup2(quiet, STDERR_FILENO);
  const char* arguments[] = {PLIMO_BACKUP_PROGRAM, "--id",      "blogger", "--out",
                             outArgument.c_str(),  "--no-open", "--quiet", nullptr};
  const char* environment[] = {proxyVariable.c_str(), "PLIMO_PASSWORD=secret", "LANG=C.UTF-8", nullptr};
  ::execve(PLIMO_BACKUP_PROGRAM, const_cast<char* const*>(arguments), const_cast<char* const*>(environment));
  ::_exit(127);
}

int ExitStatusOf(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HasEnded(pid_t child) {
  int status = 0;
  return ::waitpid(child, &status, WNOHANG) == child;
}

bool IsMedia(const std::string& url) {
  return url.find("http://blogfiles") == 0 || url.find("http://mfiles") == 0;
}

// Every file below folder, by relative path, with its bytes.
std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().lexically_relative(folder).string()] = {std::istreambuf_iterator<char>(in), {}};
  }
  return files;
}

bool HasPendingFile(const fs::path& folder) {
  for (const auto& [name, bytes] : FilesBelow(folder))
    if (name.find(".part-") != std::string::npos) return true;
  return false;
}

class CrashConsistency : public ::testing::Test {
 protected:
  void SetUp() override {
    sim.AddBlog({"blogger",
                 "secret",
                 "시험 블로그",
                 sim::BlogKind::Normal,
                 {.listPages = 3, .postsPerPage = 2, .imagesPerPost = 1, .attachmentsPerPost = 1}});
    // Media arrive slowly, so that a kill can fall while one is being written.
    for (const char* host : {"http://blogfiles", "http://mfiles"})
      sim.AddFault({.urlPart = host, .kind = sim::FaultKind::SlowBody, .times = -1, .pauseMs = 30});
    proxy = sim.Start();
  }
  void TearDown() override { sim.Stop(); }

  // Kills the run once the simulator has seen so many requests; MidMedia waits further, for the
  // next media file to be half-way through its body. False when the run ended first.
  bool KillAfter(pid_t child, size_t requests, KillPoint point) {
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    for (;;) {
      if (HasEnded(child) || Clock::now() > deadline) return false;
      const auto log = sim.Requests();
      if (log.size() >= requests) {
        if (point == KillPoint::AtRequest) break;
        const auto media =
            std::find_if(log.begin() + static_cast<long>(requests - 1), log.end(),
                         [](const sim::LoggedRequest& request) { return IsMedia(request.url); });
        if (media != log.end()) {
          std::this_thread::sleep_for(std::chrono::milliseconds(80));
          break;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return true;
  }

  sim::Simulator sim;
  std::string proxy;
};

TEST_F(CrashConsistency, ARunKilledAndRunAgainEndsWithTheArchiveOfAnUninterruptedRun) {
  // The pages name their comment pages by the archive's full path, so both runs use one folder.
  test::TempFolder out, kept;
  const fs::path archive = out.native() / "블로그백업";
  sim.ClearRequests();
  ASSERT_EQ(ExitStatusOf(StartBackup(out.native(), proxy)), 0);
  const size_t requestsOfARun = sim.Requests().size();
  const auto expected = FilesBelow(archive);
  fs::rename(archive, kept.native() / "uninterrupted");

  int killed = 0;
  bool pendingFileLeft = false;
  for (int kill = 1; kill <= kKills; ++kill) {
    sim.ClearRequests();
    const pid_t child = StartBackup(out.native(), proxy);
    const KillPoint point = kill % 2 == 0 ? KillPoint::MidMedia : KillPoint::AtRequest;
    if (!KillAfter(child, std::max<size_t>(1, requestsOfARun * kill / (kKills + 1)), point)) {
      ExitStatusOf(child);
      continue;
    }
    ++killed;
    if (fs::exists(archive) && HasPendingFile(archive)) pendingFileLeft = true;
  }
  EXPECT_GE(killed, kKills / 2) << "the kills fell inside the runs";
  EXPECT_TRUE(pendingFileLeft) << "some kill fell while a file was being written";

  ASSERT_EQ(ExitStatusOf(StartBackup(out.native(), proxy)), 0);
  const auto actual = FilesBelow(archive);
  for (const auto& [name, bytes] : expected) {
    const auto found = actual.find(name);
    ASSERT_NE(found, actual.end()) << "missing: " << name;
    EXPECT_TRUE(found->second == bytes) << "differs: " << name;
  }
  for (const auto& [name, bytes] : actual) EXPECT_TRUE(expected.count(name)) << "stray: " << name;

  const std::string index = actual.at("index.html");
  const std::string statistics = Cp949("동안...");
  ASSERT_NE(index.find(statistics), std::string::npos);
  EXPECT_EQ(index.find(statistics, index.find(statistics) + 1), std::string::npos) << "one statistics block";
}

}  // namespace
}  // namespace plimo
