// The project and contents files of an HTML Help book of the archive.
#pragma once

#include "job/backup_job.hpp"
#include "net/text.hpp"

namespace plimo {

// Writes 블로그.hhp and 블로그.hhc into the archive root; false when either could not be written.
bool WriteHelpProject(const BackupJob& job, const Text& blogTitle);

}  // namespace plimo
