// A fresh folder under the system's temporary folder, removed with everything in it afterwards.
#pragma once

#include <filesystem>

#include "net/text.hpp"

namespace plimo::bench {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& native() const { return path_; }
  // The same folder as a program path (backslashes).
  Text program() const;

 private:
  std::filesystem::path path_;
};

}  // namespace plimo::bench
