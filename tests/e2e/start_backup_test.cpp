// The Backup command against the simulator: what it checks, what it sends, what it creates.
#include <gtest/gtest.h>

#include "platform/codepage.hpp"
#include "support/sim_backup.hpp"

namespace plimo {
namespace {

using test::SimBackup;

std::vector<std::string> LoginRequests(const sim::Simulator& sim) {
  std::vector<std::string> logins;
  for (const auto& request : sim.Requests())
    if (request.url.find("pidlogin.login") != std::string::npos) logins.push_back(request.url);
  return logins;
}

TEST(StartBackup, ChecksTheInputInOrderBeforeAnythingIsSent) {
  const struct {
    Text id, password;
    std::string message;
  } cases[] = {
      {"", "", "먼저 아이디를 입력하세요."},
      {"", "secret", "먼저 아이디를 입력하세요."},
      {"blogger", "", "먼저 비밀번호를 입력하세요."},
  };
  for (const auto& c : cases) {
    SimBackup backup;
    backup.job.m_strBlogId = c.id;
    backup.job.m_strPassword = c.password;
    EXPECT_EQ(backup.Run(), StartResult::InputMissing);
    EXPECT_EQ(backup.view.CallsOf("ShowMessage"), std::vector<std::string>{c.message});
    EXPECT_TRUE(backup.sim.Requests().empty());
  }
}

TEST(StartBackup, AsksTheNameOfAnOverseasUserAndSendsItEvenEmpty) {
  SimBackup cancelled;
  cancelled.job.m_nOverseas = 1;
  EXPECT_EQ(cancelled.Run(), StartResult::Cancelled);
  EXPECT_TRUE(cancelled.sim.Requests().empty());
  EXPECT_TRUE(cancelled.view.CallsOf("ShowMessage").empty());

  SimBackup empty({.listPages = 1});
  empty.job.m_nOverseas = 1;
  empty.view.name = Text();
  EXPECT_EQ(empty.Run(), StartResult::Started);
  const auto logins = LoginRequests(empty.sim);
  ASSERT_EQ(logins.size(), 1u);
  EXPECT_EQ(logins[0], "http://id.plimo.kr/pidlogin.login?id=blogger&pw=secret&u_name=");
}

TEST(StartBackup, SendsEveryValueEscapedSoAnyPasswordLogsIn) {
  SimBackup backup({.listPages = 1});
  const std::string password = "a&b#c%d+e f=한";
  backup.sim.AddBlog({"blogger", password, "", sim::BlogKind::Normal, {.listPages = 1}});
  backup.job.m_strPassword = Cp949("a&b#c%d+e f=한");
  EXPECT_EQ(backup.Run(), StartResult::Started);
  EXPECT_EQ(LoginRequests(backup.sim)[0],
            "http://id.plimo.kr/pidlogin.login?id=blogger&pw=a%26b%23c%25d%2Be%20f%3D%C7%D1");
  EXPECT_EQ(backup.job.m_runEnd, RunEnd::Completed);
}

TEST(StartBackup, RefusesAWrongPasswordAndCreatesNothing) {
  SimBackup backup;
  backup.job.m_strPassword = "wrong";
  EXPECT_EQ(backup.Run(), StartResult::LoginFailed);
  EXPECT_EQ(backup.view.CallsOf("ShowMessage"),
            std::vector<std::string>{"로그인에 실패하였습니다. 아이디와 비밀번호를 다시 확인하세요."});
  EXPECT_TRUE(backup.view.CallsOf("AskFolder").empty());
  EXPECT_FALSE(std::filesystem::exists(backup.archive()));
}

TEST(StartBackup, TellsWhenTheFolderCannotBeUsedAndStartsNothing) {
  SimBackup unnameable;
  unnameable.view.folder = (unnameable.folder.native() / "\xF0\x9F\x98\x80").string();
  EXPECT_EQ(unnameable.Run(), StartResult::FolderRefused);
  EXPECT_EQ(unnameable.view.CallsOf("ShowMessage").size(), 1u);
  EXPECT_TRUE(unnameable.view.CallsOf("EnableBackupButton").empty());

  SimBackup uncreatable;
  uncreatable.view.folder = "/dev/null/inside";
  EXPECT_EQ(uncreatable.Run(), StartResult::FolderNotCreated);
  ASSERT_EQ(uncreatable.view.CallsOf("ShowMessage").size(), 1u);
  EXPECT_NE(uncreatable.view.CallsOf("ShowMessage")[0].find("/dev/null/inside"), std::string::npos);
  EXPECT_EQ(uncreatable.job.m_bRunning, 0);
}

TEST(StartBackup, ReusesAFolderThatAlreadyHoldsAnArchive) {
  SimBackup backup({.listPages = 1});
  ASSERT_EQ(backup.Run(), StartResult::Started);
  const std::string firstPage = backup.Read("P1.html");
  backup.sim.ClearRequests();
  ASSERT_EQ(backup.Run(), StartResult::Started);
  EXPECT_EQ(backup.job.m_runEnd, RunEnd::Completed);
  EXPECT_EQ(backup.Read("P1.html"), firstPage);
  for (const auto& request : backup.sim.Requests())
    EXPECT_EQ(request.url.find("blogfiles"), std::string::npos) << "media already there is not fetched again";
}

}  // namespace
}  // namespace plimo
