#include "support/temp_folder.hpp"

#include <cstdlib>
#include <string>

#include "platform/files.hpp"

namespace plimo::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "plimo-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

Text TempFolder::program() const { return *ProgramPath(path_.string()); }

}  // namespace plimo::test
