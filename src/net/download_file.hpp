// Downloading one file into the archive: skip if present, bounded wait for the answer,
// per-file progress, the pause that spares the service, and the error log.
#pragma once

#include "job/backup_job.hpp"
#include "job/job_view.hpp"
#include "net/text.hpp"

namespace plimo {

enum DownloadResult : int {
  kDownloadOk = 0,
  kDownloadBadUrlOrStopped = -1,
  kDownloadNoConnection = -2,
  kDownloadNoRequest = -3,
  kDownloadNoStatus = -5,
  kDownloadBadStatus = -7,
  kDownloadCannotCreate = -8,
  kDownloadReadFailedOrStopped = -9,
  kDownloadCannotWrite = -10,
  kDownloadNoAnswer = -100,
};

enum class Pause { AfterDownload, Skip };

// url and localPath are Text as the page gives them (localPath with backslashes). Uses the job's
// session, stop flag, archive folder (for the error log) and settings; reports through view.
int DownloadFile(BackupJob& job, JobView& view, const Text& url, const Text& localPath, Pause pause);

}  // namespace plimo
