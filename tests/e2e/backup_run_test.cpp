// Whole runs of the core against the simulator, checked on disk and in what the view was shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/codepage.hpp"
#include "support/sim_backup.hpp"

namespace plimo {
namespace {

using test::SimBackup;

bool Contains(const std::vector<std::string>& items, const std::string& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

long Count(const std::vector<std::string>& items, const std::string& item) {
  return std::count(items.begin(), items.end(), item);
}

TEST(BackupRun, ArchivesEveryListPageWithItsCommentsAndMedia) {
  SimBackup backup({.listPages = 3});
  backup.view.yesAnswer = false;
  ASSERT_EQ(backup.Run(), StartResult::Started);
  EXPECT_EQ(backup.job.m_runEnd, RunEnd::Completed);

  for (int n = 1; n <= 3; ++n) {
    const std::string page = backup.Read("P" + std::to_string(n) + ".html");
    ASSERT_FALSE(page.empty()) << n;
    EXPECT_NE(page.find("<a href=\"P" + std::to_string(std::max(n - 1, 1)) + ".html\">"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"P" + std::to_string(n + 1) + ".html\">"), std::string::npos);
    EXPECT_EQ(page.find("http://blogfiles"), std::string::npos) << "post images are local on page " << n;
    EXPECT_EQ(page.find("http://mfiles"), std::string::npos) << "attachments are local on page " << n;
  }
  EXPECT_EQ(backup.Read("P4.html"), "<script>location.href='P1.html';</script>");
  EXPECT_EQ(backup.Read("P5.html"), "");

  const auto pages = backup.sim.Pages("blogger");
  const std::vector<std::string> files = backup.Files();
  for (const auto& posts : pages)
    for (const auto& post : posts) {
      const std::string no = std::to_string(post.listNumber);
      EXPECT_TRUE(Contains(files, "comment/R1" + no + post.logNo + ".html")) << post.logNo;
      EXPECT_TRUE(Contains(files, "comment/R2" + no + post.logNo + ".html")) << post.logNo;
    }
  for (const char* name : {"index.html", "paper.css", "블로그.hhp", "블로그.hhc", "images/bg_dot.gif",
                           "images/bg_dot01.gif", "images/ico_disk.gif", "images/ico_n.gif",
                           "images/btn_addmypaper.gif"})
    EXPECT_TRUE(Contains(files, name)) << name;
  EXPECT_TRUE(std::none_of(files.begin(), files.end(), [](const std::string& f) {
    return f.find(".part") != std::string::npos;
  })) << "nothing half-written is left";

  const std::string index = backup.Read("index.html");
  EXPECT_NE(index.find("<a href='P1.html'>" + Cp949("시험 블로그")), std::string::npos);
  const size_t statistics = index.find(Cp949("동안..."));
  ASSERT_NE(statistics, std::string::npos) << "the statistics are appended";
  EXPECT_EQ(index.find(Cp949("동안..."), statistics + 1), std::string::npos) << "once";

  const auto status = backup.view.CallsOf("SetStatusText");
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(status.back(), "백업완료 (" + (backup.folder.native() / "블로그백업").string() + ")");
  EXPECT_TRUE(Contains(backup.view.CallsOf("AskYesNo"), "백업이 완료되었습니다. 백업된 내용을 보시겠습니까?"));
  EXPECT_EQ(backup.view.CallsOf("SetCaptionText").back(), "100%");
  EXPECT_EQ(backup.view.CallsOf("EnableBackupButton"), (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(backup.job.m_bRunning, 0);
  EXPECT_TRUE(backup.job.m_arrPosts.empty() && backup.job.m_arrCategoryKey.empty());
}

TEST(BackupRun, RetriesAListPageThatArrivedEmptyOrBusy) {
  for (const sim::FaultKind fault : {sim::FaultKind::Empty, sim::FaultKind::Busy503}) {
    SimBackup backup({.listPages = 3});
    backup.sim.AddFault({.urlPart = "currentPage=2&", .kind = fault, .times = 1, .retryAfter = 0});
    ASSERT_EQ(backup.Run(), StartResult::Started);
    EXPECT_EQ(backup.job.m_runEnd, RunEnd::Completed);
    EXPECT_EQ(Count(backup.view.CallsOf("SetStatusText"), "2페이지 백업중...(페이지 분석)"), 2);
    EXPECT_NE(backup.Read("P2.html").find("<a href=\"P3.html\">"), std::string::npos);
    EXPECT_EQ(backup.Read("P4.html"), "<script>location.href='P1.html';</script>");
  }
}

TEST(BackupRun, GivesUpOnAListPageThatKeepsFailingAndKeepsWhatWasSaved) {
  SimBackup backup({.listPages = 3});
  backup.sim.AddFault({.urlPart = "currentPage=2&", .kind = sim::FaultKind::Empty, .times = -1});
  ASSERT_EQ(backup.Run(), StartResult::Started);
  EXPECT_EQ(backup.job.m_runEnd, RunEnd::PagesUnavailable);
  EXPECT_EQ(Count(backup.view.CallsOf("SetStatusText"), "2페이지 백업중...(페이지 분석)"), 4);
  EXPECT_TRUE(Contains(backup.view.CallsOf("ShowMessage"), "블로그 데이터를 읽어오지 못했습니다. 주소를 확인해주세요."));
  EXPECT_FALSE(backup.Read("P1.html").empty());
  EXPECT_TRUE(backup.Read("P2.html").empty());
  EXPECT_TRUE(backup.Read("블로그.hhp").empty()) << "an unfinished archive gets no help project";
  EXPECT_EQ(backup.view.CallsOf("EnableBackupButton").back(), "1");
  EXPECT_EQ(backup.job.m_bRunning, 0);
}

TEST(BackupRun, EndsEarlyWithItsMessageAndNoPages) {
  const struct {
    const char* name;
    bool mainPageAnswered;
    sim::BlogKind kind;
    RunEnd end;
    std::string message;
  } cases[] = {
      {"not found", false, sim::BlogKind::Normal, RunEnd::NotFound,
       "블로그를 찾을 수 없습니다. 다음과 같은 경우일 수 있습니다.\r\n\r\n 1. 존재하지 않는 아이디일 수 있습니다.\r\n2. "
       "네트워크 상황이 좋지 않을 수 있습니다.\r\n3. Plimo 서버 접속이 어렵거나 점검중일 수 있습니다."},
      {"not registered", true, sim::BlogKind::Unregistered, RunEnd::NotRegistered, "등록되지 않은 블로그입니다."},
      {"unused", true, sim::BlogKind::Unused, RunEnd::Unused, "블로그는 있으나, 아직 사용되지 않은 블로그입니다."},
  };
  for (const auto& c : cases) {
    SimBackup backup({}, c.kind);
    if (!c.mainPageAnswered)
      backup.sim.AddFault({.urlPart = "PBlogMain.plm", .kind = sim::FaultKind::Status404, .times = -1});
    ASSERT_EQ(backup.Run(), StartResult::Started) << c.name;
    EXPECT_EQ(backup.job.m_runEnd, c.end) << c.name;
    EXPECT_EQ(backup.view.CallsOf("ShowMessage"), std::vector<std::string>{c.message}) << c.name;
    EXPECT_TRUE(backup.view.CallsOf("AskYesNo").empty()) << c.name;
    EXPECT_EQ(backup.view.CallsOf("EnableBackupButton").back(), "1") << c.name;
    EXPECT_TRUE(backup.Read("P1.html").empty()) << c.name;
  }
}

TEST(BackupRun, StopRequestedDuringPageTwoFinishesThatPageAndWritesNothingOfTheEnd) {
  SimBackup backup({.listPages = 3});
  backup.view.onStatus = [&](const std::string& status) {
    if (status == "2페이지 백업중...(덧글)") backup.job.m_bStopRequested = 1;
  };
  ASSERT_EQ(backup.Run(), StartResult::Started);
  EXPECT_EQ(backup.job.m_runEnd, RunEnd::Stopped);
  EXPECT_FALSE(backup.Read("P2.html").empty());
  EXPECT_TRUE(backup.Read("P3.html").empty());
  EXPECT_TRUE(backup.Read("블로그.hhc").empty());
  EXPECT_EQ(backup.Read("index.html").find(Cp949("동안...")), std::string::npos);
  EXPECT_EQ(backup.view.CallsOf("RequestClose").size(), 1u);
  EXPECT_EQ(backup.view.CallsOf("EnableBackupButton"), std::vector<std::string>{"0"});
  EXPECT_EQ(backup.job.m_bRunning, 0);
  EXPECT_TRUE(backup.job.m_arrPosts.empty());
}

TEST(BackupRun, ASecondRunStartsAfreshInItsNewFolder) {
  SimBackup backup({.listPages = 2, .postsPerPage = 3});
  ASSERT_EQ(backup.Run(), StartResult::Started);
  const std::string firstContents = backup.Read("블로그.hhc");
  test::TempFolder second;
  backup.view.folder = second.native().string();
  ASSERT_EQ(backup.Run(), StartResult::Started);
  EXPECT_EQ(backup.job.m_runEnd, RunEnd::Completed);
  std::ifstream in(second.native() / "블로그백업" / "블로그.hhc", std::ios::binary);
  const std::string secondContents{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(secondContents, firstContents) << "the same posts, none carried over from the first run";
}

}  // namespace
}  // namespace plimo
