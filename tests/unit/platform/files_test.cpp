#include "platform/files.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "platform/codepage.hpp"
#include "support/golden_file.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

using test::ReadAll;

TEST(LineEnds, OnlyLoneLineFeedsGainCarriageReturns) {
  const struct {
    Text in, out;
  } cases[] = {
      {"a\nb", "a\r\nb"}, {"a\r\nb", "a\r\nb"}, {"a\rb", "a\rb"}, {"a\n", "a\r\n"}, {"\n\n", "\r\n\r\n"}, {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WithCrlfLineEnds(c.in), c.out) << c.in;
}

TEST(TextFile, CreateReplacesAndAppendAdds) {
  test::TempFolder folder;
  const Text path = folder.program() + "\\a.txt";
  ASSERT_TRUE(WriteTextFile(path, "old\nlonger", WriteMode::Create));
  ASSERT_TRUE(WriteTextFile(path, "x\n", WriteMode::Create));
  ASSERT_TRUE(WriteTextFile(path, "y\r\nz\n", WriteMode::Append));
  EXPECT_EQ(ReadAll(NativePath(path)), "x\r\ny\r\nz\r\n");
  const Text appended = folder.program() + "\\new.txt";
  ASSERT_TRUE(WriteTextFile(appended, "a\n", WriteMode::Append));
  EXPECT_EQ(ReadAll(NativePath(appended)), "a\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.native()), {}), 2);
}

TEST(TextFile, FailsInAFolderThatDoesNotExist) {
  test::TempFolder folder;
  EXPECT_FALSE(WriteTextFile(folder.program() + "\\missing\\a.txt", "a", WriteMode::Create));
  EXPECT_FALSE(WriteTextFile(folder.program() + "\\missing\\a.txt", "a", WriteMode::Append));
}

TEST(Paths, KoreanFoldersLandAsUtf8AndDoubledBackslashesNameTheSameFolder) {
  test::TempFolder folder;
  const Text archive = folder.program() + "\\" + Cp949("블로그백업");
  ASSERT_TRUE(CreateFolder(archive));
  EXPECT_TRUE(CreateFolder(archive)) << "an existing folder is fine";
  EXPECT_TRUE(std::filesystem::is_directory(folder.native() / "블로그백업"));
  ASSERT_TRUE(WriteTextFile(folder.program() + "\\\\" + Cp949("블로그백업") + "\\P1.html", "x", WriteMode::Create));
  EXPECT_TRUE(FileExists(archive + "\\P1.html"));
  EXPECT_FALSE(FileExists(archive));
  EXPECT_TRUE(FolderExists(archive));
}

TEST(Paths, ChosenFoldersMapBothWays) {
  EXPECT_EQ(ProgramPath("/home/사용자"), "\\home\\" + Cp949("사용자"));
  EXPECT_FALSE(ProgramPath("/tmp/\xF0\x9F\x98\x80"));
  EXPECT_EQ(NativePath("\\home\\" + Cp949("사용자")), std::filesystem::path("/home/사용자"));
  EXPECT_EQ(NativePath("a\\\xFF"), std::filesystem::path("a/%FF"));
  EXPECT_EQ(DisplayPath("\\\\" + Cp949("블로그백업")), "/" + Cp949("블로그백업"));
  EXPECT_EQ(DisplayPath("\\tmp\\a"), "/tmp/a");
}

TEST(PendingFile, TakesItsNameOnlyOnCommit) {
  test::TempFolder folder;
  const Text path = folder.program() + "\\image.gif";
  {
    auto file = PendingFile::Create(path);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("half", 4));
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.native()));
  auto file = PendingFile::Create(path);
  ASSERT_TRUE(file && file->Write("whole", 5) && file->Commit());
  EXPECT_EQ(ReadAll(NativePath(path)), "whole");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.native()), {}), 1);
}

// The id of a process that has ended and been reaped.
pid_t EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST(PendingFile, LeftoversOfAKilledWriterAreRemovedAndNothingElse) {
  test::TempFolder folder;
  const std::string dead = std::to_string(EndedProcess());
  const std::string alive = std::to_string(::getpid());
  const std::vector<std::string> removed = {"a.gif.part-" + dead + "-0", "P1.html.part-" + dead + "-17"};
  const std::vector<std::string> kept = {"a.gif", "b.gif.part-" + alive + "-3", "c.part-" + dead,
                                         "d.part-" + dead + "-1x", "e.part-x-1"};
  for (const auto& names : {removed, kept})
    for (const std::string& name : names) std::ofstream(folder.native() / name) << "bytes";
  std::filesystem::create_directory(folder.native() / ("sub.part-" + dead + "-2"));

  RemoveAbandonedPendingFiles(folder.program());
  for (const std::string& name : removed) EXPECT_FALSE(std::filesystem::exists(folder.native() / name)) << name;
  for (const std::string& name : kept) EXPECT_TRUE(std::filesystem::exists(folder.native() / name)) << name;
  EXPECT_TRUE(std::filesystem::is_directory(folder.native() / ("sub.part-" + dead + "-2")));
}

}  // namespace
}  // namespace plimo
