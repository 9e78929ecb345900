// Titles, categories, anchors and dates of the posts on a list page.
#pragma once

#include "archiver/backup_run.hpp"
#include "net/text.hpp"

namespace plimo {

// Appends the page's posts and new categories to the job, moves the overall progress, and
// returns the page's titles, each followed by "/".
Text AnalyseListPage(BackupRun& run, const Text& text, int n);

void CollectPostDates(RunVariables& vars, const Text& text, int n);

}  // namespace plimo
