// File names taken from page content made into names that stay inside their folder, that the file
// system holds, and that a browser following the page's link still finds where it can.
#pragma once

#include "net/text.hpp"

namespace plimo {

struct SafeFileName {
  // One name within its folder: no separator, no dot segment, no control byte, short enough.
  Text name;
  // Whether a link that carries the original name reaches the saved file. When it does not, the
  // page must link to name instead.
  bool reachedByOriginal = true;
};

// The longest name, in UTF-8 bytes, that a saved file may take: ext4 holds 255, and a download
// lands first under a temporary name that adds a suffix of its own.
inline constexpr size_t kLongestFileName = 200;

SafeFileName MakeSafeFileName(const Text& original);

}  // namespace plimo
