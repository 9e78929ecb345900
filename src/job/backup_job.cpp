#include "job/backup_job.hpp"

#include "platform/codepage.hpp"

namespace plimo {

BackupJob::BackupJob() : m_strStatus(Cp949("현재 상태 : 백업대기중")) {}

void BackupJob::EmptyCollectedArrays() {
  m_arrPosts.clear();
  m_arrCategoryName.clear();
  m_arrCategoryKey.clear();
}

}  // namespace plimo
