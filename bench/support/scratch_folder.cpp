#include "support/scratch_folder.hpp"

#include <cstdlib>
#include <string>

#include "platform/files.hpp"

namespace plimo::bench {

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "plimo-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

Text ScratchFolder::program() const {
  return *ProgramPath(path_.string());
}

}  // namespace plimo::bench
