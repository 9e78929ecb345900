// The worker, the front end and the update check use one session at once, as the programs do;
// under ThreadSanitizer this is where a race between them would show.
#include <gtest/gtest.h>

#include <thread>

#include "net/update_check.hpp"
#include "support/sim_backup.hpp"

namespace plimo {
namespace {

TEST(SharedSession, UpdateChecksAndTheFrontEndRunBesideTheWorker) {
  test::SimBackup backup({.listPages = 3});
  backup.sim.SetLatestBuild(kBuildNumber + 1, "http://blog.plimo.kr/quelm/new");
  backup.view.yesAnswer = false;

  std::thread worker;
  ASSERT_EQ(OnStartBackup(backup.job, backup.view, worker), StartResult::Started);
  std::vector<std::optional<Text>> answers;
  std::thread updateCheck([&] {
    for (int check = 0; check < 5; ++check) answers.push_back(CheckForUpdate(backup.job.m_inet));
  });
  // What a front end does meanwhile: watch the flags and read what the view was shown.
  size_t callsSeen = 0;
  while (backup.job.m_runEnd == RunEnd::None || backup.job.m_bRunning) {
    callsSeen = backup.view.Calls().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  worker.join();
  updateCheck.join();

  EXPECT_EQ(backup.job.m_runEnd, RunEnd::Completed);
  EXPECT_GT(callsSeen, 0u);
  for (const auto& answer : answers) EXPECT_EQ(answer, Text("http://blog.plimo.kr/quelm/new"));
}

}  // namespace
}  // namespace plimo
