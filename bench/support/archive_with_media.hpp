// An archive folder that already holds every post image and attachment of a page, as after an
// earlier run: what is left of localising the page is the scan and the relinking.
#pragma once

#include "net/text.hpp"
#include "support/scratch_folder.hpp"

namespace plimo::bench {

class ArchiveWithMedia {
 public:
  explicit ArchiveWithMedia(const Text& page);

  const Text& root() const { return root_; }
  // How many media files of the page were put in place.
  int mediaFiles() const { return mediaFiles_; }

 private:
  ScratchFolder folder_;
  Text root_;
  int mediaFiles_ = 0;
};

}  // namespace plimo::bench
