// Byte-exact outputs checked against files stored under tests/data, rewritten on request.
#pragma once

#include <filesystem>
#include <string>

namespace plimo::test {

// A path under the test data folder (PLIMO_TEST_DATA).
std::filesystem::path TestData(const std::string& relative);

std::string ReadAll(const std::filesystem::path& path);

// Compares with the stored file, or rewrites it when UPDATE_GOLDEN=1.
void ExpectGolden(const std::filesystem::path& expectedPath, const std::string& actual);

}  // namespace plimo::test
