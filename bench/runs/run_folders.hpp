// The folders that whole runs write into. Every run gets a folder of its own, and none is removed
// before the program ends: deleting files right before a timed run would time the file system's
// bookkeeping of the deletions (on ext4 without a journal, each new file then steps over every
// recently deleted one).
#pragma once

#include <filesystem>

#include "support/scratch_folder.hpp"

namespace plimo::bench {

class RunFolders {
 public:
  // A new empty folder to choose for a backup.
  std::filesystem::path Empty();
  // A new folder whose archive already holds the media of the archive in `from` (a folder that a
  // backup was made into), as hard links: the state of an archive made before.
  std::filesystem::path WithMediaOf(const std::filesystem::path& from);

 private:
  ScratchFolder root_;
  int made_ = 0;
};

}  // namespace plimo::bench
