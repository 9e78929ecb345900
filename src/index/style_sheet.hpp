// paper.css, the one stylesheet of every archive.
#pragma once

#include "net/text.hpp"

namespace plimo {

// Writes paper.css into the archive root; false when it could not be written.
bool WriteStyleSheet(const Text& backupDir);

}  // namespace plimo
