// One backup run: the job it works on, the view it reports to, and the run variables that the
// page steps hand to each other. Lives on the worker thread for the length of the run.
#pragma once

#include <cstdint>

#include "job/backup_job.hpp"
#include "job/job_view.hpp"
#include "net/text.hpp"

namespace plimo {

struct RunVariables {
  int32_t nListPage = 0;
  int32_t nPostTotal = 0;
  int32_t nPostsFound = 0;
  int32_t nCommentCount = 0;
  Text strBlogTitle;
  Text strNewestDate;
  Text strOldestDate;
};

struct BackupRun {
  BackupJob& job;
  JobView& view;
  RunVariables vars;
  // Set by any step whose file of the archive could not be written; the run goes on, and its
  // end says so.
  bool writeFailed = false;
};

}  // namespace plimo
