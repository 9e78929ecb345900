// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>

#include "net/text.hpp"

namespace plimo::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& native() const { return path_; }
  // The same folder as a program path (backslashes).
  Text program() const;

 private:
  std::filesystem::path path_;
};

}  // namespace plimo::test
