#include "runs/run_folders.hpp"

#include <string>

namespace plimo::bench {
namespace {

const char* const kArchiveName = "블로그백업";
const char* const kMediaFolders[] = {"images", "files", "avicon"};

}  // namespace

std::filesystem::path RunFolders::Empty() {
  const std::filesystem::path folder = root_.native() / ("run" + std::to_string(++made_));
  std::filesystem::create_directory(folder);
  return folder;
}

std::filesystem::path RunFolders::WithMediaOf(const std::filesystem::path& from) {
  const std::filesystem::path folder = Empty();
  std::filesystem::create_directory(folder / kArchiveName);
  for (const char* media : kMediaFolders)
    std::filesystem::copy(
        from / kArchiveName / media, folder / kArchiveName / media,
        std::filesystem::copy_options::recursive | std::filesystem::copy_options::create_hard_links);
  return folder;
}

}  // namespace plimo::bench
