// The Backup command: checks the input, logs in, makes the archive folders, writes the
// stylesheet and starts the worker. Runs on the front end's thread and does not wait for the run.
#pragma once

#include <thread>

#include "job/backup_job.hpp"
#include "job/job_view.hpp"

namespace plimo {

enum class StartResult {
  Started,
  InputMissing,     // the ID or the password is empty; the view was told which
  Cancelled,        // the name or the folder was not given; nothing was said or sent
  LoginFailed,      // the view was told
  FolderRefused,    // the folder's name cannot be held in the archive's code page; the view was told
  FolderNotCreated, // the archive folder does not exist after the attempt; the view was told
};

// On Started, worker runs BackupThreadProc on job and view; the caller joins it.
StartResult OnStartBackup(BackupJob& job, JobView& view, std::thread& worker);

}  // namespace plimo
