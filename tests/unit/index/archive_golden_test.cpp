// The files that close an archive, byte for byte against the expected files under
// $PLIMO_TEST_DATA/index/<case>/. UPDATE_GOLDEN=1 rewrites the expected files instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "index/help_project.hpp"
#include "index/index_page.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "support/local_server.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
  const char* name;
  const char* homePage;
  RunVariables vars;
  bool withCategories;
  std::vector<const char*> files;
};

const GoldenCase kCases[] = {
    {"titled",
     "<html>\n<head><title>  나의 & 블로그 :: Plimo  블로그</title></head>\n</html>",
     {4, 120, 6, 10, "", "2007-03-10 15:20", "2006-12-31 23:50"},
     true,
     {"index.html", "P4.html", "블로그.hhp", "블로그.hhc"}},
    {"untitled_without_dates",
     "<html><head><title>Plimo</title></head></html>",
     {2, 0, 1, 0, "", "", ""},
     false,
     {"index.html", "P2.html", "블로그.hhp", "블로그.hhc"}},
};

void AddPosts(BackupJob& job) {
  job.m_arrCategoryName = {Cp949("일기"), Cp949("여행 \"사진\"")};
  job.m_arrCategoryKey = {"12", "7"};
  const struct {
    const char* title;
    int32_t page, anchor, key;
  } posts[] = {{"첫 글", 1, 1, 12}, {"바다", 1, 2, 7}, {"둘째 날", 2, 1, 12}, {"100% 끝", 3, 2, 12}};
  for (const auto& post : posts)
    job.m_arrPosts.push_back(
        std::make_unique<PostEntry>(PostEntry{"", Cp949(post.title), post.page, post.anchor, post.key}));
}

Text ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Text(std::istreambuf_iterator<char>(in), {});
}

class ArchiveGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(ArchiveGolden, ClosingFilesMatchTheExpectedBytes) {
  const GoldenCase& golden = GetParam();
  test::LocalServer server([&](httplib::Server& routes) {
    routes.Get(".*", [&](const httplib::Request&, httplib::Response& response) {
      response.set_content(Cp949(golden.homePage), "text/html");
    });
  });
  test::ScopedProxy proxy(server.ProxyUrl());
  test::TempFolder folder;
  BackupJob job;
  job.m_strBlogId = "quelm";
  job.m_strBackupDir = folder.program();
  test::RecordingView view;
  BackupRun run{job, view, golden.vars};

  // In the order of a run: the header with page 1, the help files and the end after the last page.
  WriteIndexHeader(run);
  if (golden.withCategories) AddPosts(job);
  ASSERT_TRUE(WriteHelpProject(job, run.vars.strBlogTitle));
  job.EmptyCollectedArrays();
  FinishArchive(run);
  ASSERT_FALSE(run.writeFailed);

  const char* data = std::getenv("PLIMO_TEST_DATA");
  ASSERT_NE(data, nullptr) << "PLIMO_TEST_DATA is set by CTest";
  const fs::path expectedFolder = fs::path(data) / "index" / golden.name;
  const bool update = std::getenv("UPDATE_GOLDEN") && std::string(std::getenv("UPDATE_GOLDEN")) == "1";
  for (const char* file : golden.files) {
    const Text actual = ReadBytes(folder.native() / file);
    ASSERT_TRUE(fs::is_regular_file(folder.native() / file)) << file;
    if (update) {
      fs::create_directories(expectedFolder);
      std::ofstream(expectedFolder / file, std::ios::binary | std::ios::trunc) << actual;
      continue;
    }
    ASSERT_TRUE(fs::is_regular_file(expectedFolder / file)) << expectedFolder / file;
    EXPECT_EQ(Cp949ToUtf8Lossy(actual), Cp949ToUtf8Lossy(ReadBytes(expectedFolder / file)))
        << golden.name << "/" << file;
    EXPECT_EQ(actual, ReadBytes(expectedFolder / file)) << golden.name << "/" << file;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ArchiveGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& tested) {
                           return std::string(tested.param.name);
                         });

}  // namespace
}  // namespace plimo
