#include "index/help_project.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

std::string ReadUtf8(const Text& path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  return Cp949ToUtf8Lossy(Text(std::istreambuf_iterator<char>(in), {}));
}

void AddCategory(BackupJob& job, const char* name, const char* key) {
  job.m_arrCategoryName.push_back(Cp949(name));
  job.m_arrCategoryKey.push_back(key);
}

void AddPost(BackupJob& job, const char* title, int32_t page, int32_t anchor, int32_t key) {
  job.m_arrPosts.push_back(std::make_unique<PostEntry>(PostEntry{"", Cp949(title), page, anchor, key}));
}

// The contents as the reader of the book sees them: each entry's name, and its page when it has one.
std::vector<std::pair<std::string, std::string>> Entries(const std::string& contents) {
  const std::string name = "<param name=\"Name\" value=\"";
  const std::string local = "<param name=\"Local\" value=\"";
  std::vector<std::pair<std::string, std::string>> entries;
  for (size_t at = contents.find(name); at != std::string::npos; at = contents.find(name, at + 1)) {
    const size_t nameStart = at + name.size();
    std::string entryName = contents.substr(nameStart, contents.find('"', nameStart) - nameStart);
    const size_t entryEnd = contents.find("</OBJECT>", at);
    const size_t localAt = contents.find(local, at);
    std::string page;
    if (localAt < entryEnd) {
      const size_t pageStart = localAt + local.size();
      page = contents.substr(pageStart, contents.find('"', pageStart) - pageStart);
    }
    entries.emplace_back(std::move(entryName), std::move(page));
  }
  return entries;
}

class HelpProject : public ::testing::Test {
 protected:
  HelpProject() { job.m_strBackupDir = folder.program(); }
  std::string Project() const { return ReadUtf8(folder.program() + "\\" + Cp949("블로그.hhp")); }
  std::string Contents() const { return ReadUtf8(folder.program() + "\\" + Cp949("블로그.hhc")); }

  test::TempFolder folder;
  BackupJob job;
};

TEST_F(HelpProject, TitleEndsTheOptionsAsItWasFound) {
  const struct {
    const char* title;
    const char* line;
  } cases[] = {{"나의 블로그 ", "\r\nTitle=나의 블로그 \r\n\r\n[INFOTYPES]"},
               {"", "\r\nTitle=\r\n\r\n[INFOTYPES]"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteHelpProject(job, Cp949(c.title)));
    EXPECT_TRUE(Project().starts_with("[OPTIONS]\r\nCompatibility=1.1 or later\r\n")) << c.title;
    EXPECT_TRUE(Project().ends_with(c.line)) << c.title;
  }
}

TEST_F(HelpProject, CategoryMetOnThreePagesIsOneFolderWithItsPostsInReadingOrder) {
  AddCategory(job, "일기", "12");
  AddCategory(job, "여행", "7");
  AddPost(job, "첫 글", 1, 1, 12);
  AddPost(job, "바다", 1, 2, 7);
  AddPost(job, "둘째 날", 2, 1, 12);
  AddPost(job, "산", 2, 2, 7);
  AddPost(job, "<b>셋째</b> & 끝", 3, 2, 12);
  ASSERT_TRUE(WriteHelpProject(job, ""));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"블로그 스토리", "index.html"},   {"일기", ""}, {"첫 글", "P1.html#1"}, {"둘째 날", "P2.html#1"},
      {"<b>셋째</b> & 끝", "P3.html#2"}, {"여행", ""}, {"바다", "P1.html#2"},  {"산", "P2.html#2"},
  };
  EXPECT_EQ(Entries(Contents()), expected);
}

TEST_F(HelpProject, DoubleQuoteInANameDoesNotEndItsAttribute) {
  AddCategory(job, "\"여행\"", "7");
  AddPost(job, "그가 \"안녕\" 했다", 1, 1, 7);
  ASSERT_TRUE(WriteHelpProject(job, ""));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"블로그 스토리", "index.html"},
      {"&quot;여행&quot;", ""},
      {"그가 &quot;안녕&quot; 했다", "P1.html#1"},
  };
  EXPECT_EQ(Entries(Contents()), expected);
}

TEST_F(HelpProject, WithoutCategoriesTheContentsHoldOnlyTheRootEntry) {
  AddPost(job, "분류 없는 글", 1, 1, 0);
  ASSERT_TRUE(WriteHelpProject(job, ""));
  const std::string contents = Contents();
  EXPECT_EQ(Entries(contents),
            (std::vector<std::pair<std::string, std::string>>{{"블로그 스토리", "index.html"}}));
  EXPECT_TRUE(contents.ends_with("\t</OBJECT></UL></BODY></HTML>"));
}

TEST_F(HelpProject, RunIntoTheSameArchiveReplacesBothFiles) {
  AddCategory(job, "일기", "12");
  AddPost(job, "첫 글", 1, 1, 12);
  ASSERT_TRUE(WriteHelpProject(job, Cp949("예전 제목")));
  job.EmptyCollectedArrays();
  ASSERT_TRUE(WriteHelpProject(job, Cp949("새 제목")));
  EXPECT_EQ(Project().find("예전"), std::string::npos);
  EXPECT_EQ(Entries(Contents()).size(), 1u);
}

TEST_F(HelpProject, ReportsAFolderThatCannotBeWritten) {
  job.m_strBackupDir = folder.program() + "\\missing";
  EXPECT_FALSE(WriteHelpProject(job, ""));
}

}  // namespace
}  // namespace plimo
