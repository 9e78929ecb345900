#include "index/index_page.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "support/local_server.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

const char* const kTitledHomePage =
    "<html><head>\n<title> 나의 블로그 :: Plimo  블로그</title>\n</head></html>";

Text ReadBytes(const Text& path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  return Text(std::istreambuf_iterator<char>(in), {});
}

class IndexPage : public ::testing::Test {
 protected:
  IndexPage() {
    job.m_strBlogId = "quelm";
    job.m_strBackupDir = folder.program();
  }

  // Serves homePage (code page 949) for every request while the test lasts.
  void ServeHomePage(const Text& homePage) {
    server.emplace([homePage](httplib::Server& routes) {
      routes.Get(".*", [homePage](const httplib::Request&, httplib::Response& response) {
        response.set_content(homePage, "text/html");
      });
    });
    proxy.emplace(server->ProxyUrl());
  }

  Text IndexPath() const { return job.m_strBackupDir + "\\index.html"; }

  test::TempFolder folder;
  BackupJob job;
  test::RecordingView view;
  BackupRun run{job, view, {}};
  std::optional<test::LocalServer> server;
  std::optional<test::ScopedProxy> proxy;
};

TEST_F(IndexPage, HeaderAsksForTheHomePageAndLinksItsTitleToTheFirstPage) {
  ServeHomePage(Cp949(kTitledHomePage));
  WriteIndexHeader(run);
  ASSERT_EQ(server->Requests().size(), 1u);
  EXPECT_EQ(server->Requests()[0].target, "http://blog.plimo.kr/quelm.do");
  EXPECT_EQ(run.vars.strBlogTitle, Cp949(" 나의 블로그 "));
  EXPECT_FALSE(run.writeFailed);

  Text index = ReadBytes(IndexPath());
  const Text firstLine =
      "<LINK REL=\"StyleSheet\" HREF=\"paper.css\" type=\"text/css\"><meta http-equiv=\"Content-Language\" "
      "content=\"ko\"><meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-kr\">\r\n";
  ASSERT_TRUE(index.starts_with(firstLine));
  EXPECT_TRUE(index.ends_with(Cp949(" 나의 블로그 ") + "</a></td></tr></table></center>\r\n</div>"));
  // The header block as it stands before the line ends are widened: 319 bytes, from the first line to
  // the title.
  Replace(index, "\r\n", "\n");
  const int blockStart = static_cast<int>(firstLine.size()) - 1;
  EXPECT_EQ(Find(index, Cp949(" 나의 블로그 "), blockStart) - blockStart, 319);
  EXPECT_TRUE(
      Mid(index, blockStart)
          .ends_with(Cp949("<a href='P1.html'> 나의 블로그 </a></td></tr></table></center>\n</div>")));
}

TEST_F(IndexPage, WithoutBothTitleMarkersNoHeaderIsWritten) {
  const char* const homePages[] = {
      "",
      "<title>나의 블로그 :: Plimo 블로그</title>",
      "나의 블로그 :: Plimo  블로그</title>",
      "<title>나의 블로그</title>",
      "<TITLE>나의 블로그 :: Plimo  블로그</TITLE>",
  };
  for (const char* homePage : homePages) {
    ServeHomePage(Cp949(homePage));
    ASSERT_TRUE(WriteTextFile(IndexPath(), "earlier run", WriteMode::Create));
    WriteIndexHeader(run);
    EXPECT_TRUE(run.vars.strBlogTitle.empty()) << homePage;
    EXPECT_EQ(ReadBytes(IndexPath()), "earlier run") << homePage;
  }
}

TEST_F(IndexPage, WithoutATitleAnEarlierHeaderKeepsItsTitleAndLosesItsStatistics) {
  ServeHomePage(Cp949("<title> 나의 블로그 :: Plimo  블로그</title>"));
  WriteIndexHeader(run);
  const Text header = ReadBytes(IndexPath());
  run.vars.strNewestDate = "2007-03-10 15:20";
  run.vars.strOldestDate = "2006-12-31 23:50";
  run.vars.nPostTotal = 4;
  FinishArchive(run);
  ASSERT_GT(ReadBytes(IndexPath()).size(), header.size());

  ServeHomePage("");
  run.vars.strBlogTitle.clear();
  WriteIndexHeader(run);
  EXPECT_EQ(ReadBytes(IndexPath()), header) << "the earlier statistics go, so the run appends the only block";
  EXPECT_EQ(run.vars.strBlogTitle, Cp949(" 나의 블로그 "));
}

TEST_F(IndexPage, FinalStatusShowsTheArchiveAsAPathOfThisSystemWithoutDoubledSeparators) {
  const Text archive = folder.program() + "\\\\" + Cp949("블로그백업");
  ASSERT_TRUE(CreateFolder(archive));
  job.m_strBackupDir = archive;
  FinishArchive(run);
  const std::string shown = "백업완료 (" + (folder.native() / "블로그백업").string() + ")";
  EXPECT_EQ(view.CallsOf("SetStatusText"), std::vector<std::string>{shown});
  EXPECT_EQ(job.m_strStatus, *Utf8ToCp949(shown));
}

TEST_F(IndexPage, PageAfterTheLastLeadsBackToTheFirst) {
  const struct {
    int32_t endPage;
    const char* file;
  } cases[] = {{4, "P4.html"}, {2, "P2.html"}};
  for (const auto& c : cases) {
    run.vars.nListPage = c.endPage;
    FinishArchive(run);
    EXPECT_EQ(ReadBytes(folder.program() + "\\" + c.file), "<script>location.href='P1.html';</script>")
        << c.file;
  }
}

TEST_F(IndexPage, BlogWithoutSavedPagesGetsNoPageThatLeadsToItself) {
  run.vars.nListPage = 1;
  FinishArchive(run);
  EXPECT_FALSE(FileExists(folder.program() + "\\P1.html"));
  EXPECT_TRUE(FileExists(IndexPath()));
  EXPECT_FALSE(run.writeFailed);
}

TEST_F(IndexPage, StatisticsFollowTheHeaderOrStandAlone) {
  run.vars = {4, 120, 118, 10, "", "2007-03-10 15:20", "2006-12-31 23:50"};
  FinishArchive(run);
  const Text alone = ReadBytes(IndexPath());
  EXPECT_TRUE(alone.starts_with("\r\n<div align='center'>"))
      << "a missing index page holds only the statistics";

  ServeHomePage(Cp949(kTitledHomePage));
  WriteIndexHeader(run);
  const Text header = ReadBytes(IndexPath());
  FinishArchive(run);
  EXPECT_EQ(ReadBytes(IndexPath()), header + alone);
}

TEST_F(IndexPage, PostsFoundStandInForACountThatCouldNotBeRead) {
  run.vars = {4, 0, 6, 3, "", "2007-03-10 15:20", "2007-03-08 15:20"};
  FinishArchive(run);
  const std::string index = Cp949ToUtf8Lossy(ReadBytes(IndexPath()));
  EXPECT_NE(index.find("전체 6개, 하루평균 \r\n3.0개의"), std::string::npos);
  EXPECT_NE(index.find("포스트당 0.5개의"), std::string::npos);
}

TEST_F(IndexPage, FilesThatCannotBeWrittenAreReported) {
  job.m_strBackupDir = folder.program() + "\\missing";
  ServeHomePage(Cp949(kTitledHomePage));
  WriteIndexHeader(run);
  EXPECT_TRUE(run.writeFailed);
  EXPECT_EQ(run.vars.strBlogTitle, Cp949(" 나의 블로그 ")) << "the help project still gets the title";

  run.writeFailed = false;
  run.vars.nListPage = 3;
  FinishArchive(run);
  EXPECT_TRUE(run.writeFailed);
  EXPECT_FALSE(view.CallsOf("SetStatusText").empty());
}

}  // namespace
}  // namespace plimo
