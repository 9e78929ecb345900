#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "archiver/backup_run.hpp"
#include "index/help_project.hpp"
#include "index/index_page.hpp"
#include "index/style_sheet.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "run_command.hpp"
#include "support/recording_view.hpp"
#include "support/sim_backup.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

namespace fs = std::filesystem;

struct Post {
  const char* title;
  int32_t page;
  int32_t anchor;
  const char* categoryKey;
};

const struct {
  const char* name;
  const char* key;
} kCategories[] = {{"일기", "12"}, {"여행", "7"}, {"사진 & 글", "30"}};

const Post kPosts[] = {
    {"첫 글", 1, 1, "12"}, {"바다에서", 1, 2, "7"},       {"둘째 날", 2, 1, "12"},
    {"산", 2, 2, "7"},     {"\"마지막\" 글", 3, 1, "12"}, {"<사진> 한 장", 3, 2, "30"},
};

Text ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Text(std::istreambuf_iterator<char>(in), {});
}

// A finished archive as a completed run leaves it: three list pages, the stylesheet, the index page
// with its statistics, the page after the last one and the two help files.
void MakeArchive(const Text& root, const Text& blogTitle) {
  ASSERT_TRUE(CreateFolder(root));
  ASSERT_TRUE(WriteStyleSheet(root));
  BackupJob job;
  job.m_strBackupDir = root;
  for (const auto& category : kCategories) {
    job.m_arrCategoryName.push_back(Cp949(category.name));
    job.m_arrCategoryKey.push_back(category.key);
  }
  Text pages[4];
  for (const Post& post : kPosts) {
    job.m_arrPosts.push_back(std::make_unique<PostEntry>(
        PostEntry{"", Cp949(post.title), post.page, post.anchor, ReadNumber(post.categoryKey)}));
    pages[post.page] += Format("<a name=\"%d\"></a><span class=\"pcol1 itemSubjectBoldfont\">%s</span>\n",
                               post.anchor, Cp949(post.title));
  }
  for (int page = 1; page <= 3; ++page) {
    const Text html = Format(
        "<LINK REL=\"StyleSheet\" HREF=\"paper.css\" type=\"text/css\">\n%s"
        "<a href=\"P%d.html\">next</a>\n",
        pages[page], page + 1);
    ASSERT_TRUE(WriteTextFile(root + FormatText("\\P%d.html", page), html, WriteMode::Create));
  }
  ASSERT_TRUE(WriteHelpProject(job, blogTitle));
  job.EmptyCollectedArrays();

  test::RecordingView view;
  BackupRun run{job, view, {}};
  run.vars.nListPage = 4;
  run.vars.nPostTotal = 6;
  run.vars.nCommentCount = 3;
  run.vars.strNewestDate = "2007-03-10 15:20";
  run.vars.strOldestDate = "2006-12-31 23:50";
  FinishArchive(run);
  ASSERT_FALSE(run.writeFailed);
}

// The compiler is given a scratch copy fitted to its two limits: it looks the contents file up by the
// bytes the project file names it with, and its full-text indexer fails on code page 949 pages.
fs::path PrepareScratchCopy(const fs::path& archive, const fs::path& scratch) {
  fs::copy(archive, scratch, fs::copy_options::recursive);
  fs::rename(scratch / "블로그.hhc", scratch / std::string(Cp949("블로그.hhc")));
  Text project = ReadBytes(scratch / "블로그.hhp");
  EXPECT_EQ(Replace(project, "Full-text search=Yes", "Full-text search=No"), 1);
  std::ofstream(scratch / "블로그.hhp", std::ios::binary | std::ios::trunc) << project;
  return scratch / std::string(Cp949("블로그.chm"));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(HelpBook, CompiledBookListsEveryCategoryAndPostAndHoldsTheirPages) {
  test::TempFolder folder;
  const Text root = folder.program() + "\\" + Cp949("블로그백업");
  MakeArchive(root, Cp949("나의 블로그"));
  if (HasFatalFailure()) return;
  const fs::path archive = NativePath(root);
  const fs::path scratch = folder.native() / "scratch";
  const fs::path book = PrepareScratchCopy(archive, scratch);

  const test::CommandResult compiled =
      test::RunCommand("cd " + test::ShellQuoted(scratch) + " && chmcmd " + test::ShellQuoted("블로그.hhp"));
  ASSERT_EQ(compiled.exitStatus, 0) << compiled.output;
  ASSERT_TRUE(fs::is_regular_file(book)) << compiled.output;

  const test::CommandResult read = test::RunCommand(
      std::string(PLIMO_SYSTEM_PYTHON) + " " +
      test::ShellQuoted(PLIMO_CONSUMER_SCRIPTS "/read_help_book.py") + " " + test::ShellQuoted(book));
  ASSERT_EQ(read.exitStatus, 0) << read.output;

  std::vector<std::string> expected = {"title\t나의 블로그", "entry\t블로그 스토리\tindex.html\tfound"};
  for (const auto& category : kCategories) {
    expected.push_back(std::string("entry\t") + category.name + "\t\t");
    for (const Post& post : kPosts)
      if (std::string(post.categoryKey) == category.key)
        expected.push_back(std::string("entry\t") + post.title + "\t" +
                           FormatText("P%d.html#%d", post.page, post.anchor) + "\tfound");
  }
  EXPECT_EQ(Lines(read.output), expected);

  EXPECT_NE(Find(ReadBytes(archive / "블로그.hhp"), "Full-text search=Yes"), -1)
      << "the archive itself is left alone";
  EXPECT_TRUE(fs::is_regular_file(archive / "블로그.hhc"));
  for (const auto& entry : fs::directory_iterator(archive)) EXPECT_NE(entry.path().extension(), ".chm");
}

TEST(HelpBook, ASimulatedBlogsArchiveCompilesWithEveryPostInItsContents) {
  test::SimBackup backup({.listPages = 2, .postsPerPage = 3, .imagesPerPost = 1, .attachmentsPerPost = 0});
  ASSERT_EQ(backup.Run(), StartResult::Started);
  ASSERT_EQ(backup.job.m_runEnd, RunEnd::Completed);
  const fs::path book = PrepareScratchCopy(backup.archive(), backup.folder.native() / "scratch");
  const test::CommandResult compiled = test::RunCommand("cd " + test::ShellQuoted(book.parent_path()) +
                                                        " && chmcmd " + test::ShellQuoted("블로그.hhp"));
  ASSERT_EQ(compiled.exitStatus, 0) << compiled.output;
  const test::CommandResult read = test::RunCommand(
      std::string(PLIMO_SYSTEM_PYTHON) + " " +
      test::ShellQuoted(PLIMO_CONSUMER_SCRIPTS "/read_help_book.py") + " " + test::ShellQuoted(book));
  ASSERT_EQ(read.exitStatus, 0) << read.output;

  const std::vector<std::string> lines = Lines(read.output);
  EXPECT_EQ(lines.front(), "title\t시험 블로그");
  const auto pages = backup.sim.Pages("blogger");
  for (size_t page = 0; page < pages.size(); ++page)
    for (size_t post = 0; post < pages[page].size(); ++post) {
      const std::string entry = "entry\t" + pages[page][post].titleUtf8 + "\t" +
                                FormatText("P%zu.html#%zu", page + 1, post + 1) + "\tfound";
      EXPECT_NE(std::find(lines.begin(), lines.end(), entry), lines.end()) << entry << "\n" << read.output;
    }
}

}  // namespace
}  // namespace plimo
