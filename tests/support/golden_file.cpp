#include "support/golden_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace plimo::test {

std::filesystem::path TestData(const std::string& relative) {
  const char* root = std::getenv("PLIMO_TEST_DATA");
  return std::filesystem::path(root ? root : "tests/data") / relative;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void ExpectGolden(const std::filesystem::path& expectedPath, const std::string& actual) {
  const char* update = std::getenv("UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::filesystem::create_directories(expectedPath.parent_path());
    std::ofstream(expectedPath, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(expectedPath)) << expectedPath << " (run with UPDATE_GOLDEN=1)";
  const std::string expected = ReadAll(expectedPath);
  const auto [mismatch, unused] =
      std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
  EXPECT_EQ(expected, actual) << expectedPath << " differs from byte " << (mismatch - expected.begin());
}

}  // namespace plimo::test
