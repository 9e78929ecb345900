// The archive's entry page: its header with the blog's title, and the statistics at the end.
#pragma once

#include "archiver/backup_run.hpp"

namespace plimo {

// Fetches the blog's home page, sets strBlogTitle and writes the head of index.html.
void WriteIndexHeader(BackupRun& run);

// The final status, the page after the last one, and the statistics appended to index.html.
void FinishArchive(BackupRun& run);

}  // namespace plimo
