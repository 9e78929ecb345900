#include "job/backup_job.hpp"

#include <algorithm>
#include <thread>

#include "platform/codepage.hpp"

namespace plimo {

BackupJob::BackupJob() : m_strStatus(Cp949("현재 상태 : 백업대기중")) {}

void BackupJob::EmptyCollectedArrays() {
  m_arrPosts.clear();
  m_arrCategoryName.clear();
  m_arrCategoryKey.clear();
}

bool BackupJob::PauseUnlessStopped(RunSettings::Duration pause) const {
  const auto until = std::chrono::steady_clock::now() + pause;
  while (std::chrono::steady_clock::now() < until) {
    if (m_bStopRequested) return false;
    std::this_thread::sleep_for(std::min<RunSettings::Duration>(pause, std::chrono::milliseconds(50)));
  }
  return !m_bStopRequested;
}

}  // namespace plimo
