// The worker routine of one backup run, from the blog check to the final message.
#pragma once

#include "job/backup_job.hpp"
#include "job/job_view.hpp"

namespace plimo {

// Runs a whole backup on the calling thread (the worker) and leaves how it ended in job.m_runEnd.
void BackupThreadProc(BackupJob& job, JobView& view);

}  // namespace plimo
