#include "job/backup_job.hpp"

#include <gtest/gtest.h>

#include "platform/codepage.hpp"

namespace plimo {
namespace {

TEST(BackupJob, StartsIdleAndEmptiesWhatARunCollected) {
  BackupJob job;
  EXPECT_EQ(job.m_strStatus, Cp949("현재 상태 : 백업대기중"));
  EXPECT_EQ(job.m_bRunning, 0);
  EXPECT_EQ(job.m_bStopRequested, 0);
  job.m_arrCategoryName.push_back("a");
  job.m_arrCategoryKey.push_back("1");
  job.m_arrPosts.push_back(std::make_unique<PostEntry>(PostEntry{"a", "t", 1, 1, 1}));
  job.EmptyCollectedArrays();
  EXPECT_TRUE(job.m_arrCategoryName.empty() && job.m_arrCategoryKey.empty() && job.m_arrPosts.empty());
}

}  // namespace
}  // namespace plimo
