// plimo-backup as a user runs it: its exit statuses, what it prints, where it takes the password
// from, and Ctrl-C during a run.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>

#include "child_process.hpp"
#include "sim/simulator.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ::unsetenv("PLIMO_PASSWORD");
    sim.AddBlog({"blogger", "secret", "시험 블로그", sim::BlogKind::Normal,
                 {.listPages = 1, .postsPerPage = 1, .imagesPerPost = 1, .attachmentsPerPost = 0}});
    proxy = sim.Start();
  }
  void TearDown() override { sim.Stop(); }

  std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& arguments,
                                      const std::vector<std::string>& environment = {"PLIMO_PASSWORD=secret"},
                                      const std::string& input = "") {
    std::vector<std::string> fullEnvironment{"http_proxy=" + proxy, "no_proxy=", "NO_PROXY="};
    fullEnvironment.insert(fullEnvironment.end(), environment.begin(), environment.end());
    return std::make_unique<ChildProcess>(PLIMO_BACKUP_PROGRAM, arguments, fullEnvironment, input);
  }

  std::vector<std::string> Backup(const std::string& id = "blogger") const {
    return {"--id", id, "--out", folder.native().string(), "--no-open"};
  }
  std::filesystem::path Archive() const { return folder.native() / "블로그백업"; }

  sim::Simulator sim;
  std::string proxy;
  test::TempFolder folder;
};

TEST_F(CommandLine, BacksUpTheBlogAndSaysWhereItIs) {
  auto child = Start(Backup());
  ASSERT_EQ(child->Wait(60s), 0) << child->standardError();
  EXPECT_TRUE(std::filesystem::exists(Archive() / "P1.html"));
  EXPECT_TRUE(std::filesystem::exists(Archive() / "블로그.hhc"));
  EXPECT_NE(child->standardError().find("1페이지 백업중...(페이지 분석)\n"), std::string::npos);
  EXPECT_NE(child->standardError().find("백업완료 (" + Archive().string() + ")"), std::string::npos);
}

TEST_F(CommandLine, ExitStatusTellsHowTheRunEnded) {
  sim.AddFault({.urlPart = "blogId=missing", .kind = sim::FaultKind::Status404, .times = -1});
  sim.AddBlog({"missing", "secret", "", sim::BlogKind::Normal, {.listPages = 1}});
  sim.AddBlog({"unregistered", "secret", "", sim::BlogKind::Unregistered, {}});
  sim.AddBlog({"unused", "secret", "", sim::BlogKind::Unused, {}});
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::vector<std::string> environment;
    int status;
    std::string message;
  } cases[] = {
      {"no arguments", {}, {}, 1, "--id"},
      {"a password argument", {"--id", "blogger", "--out", "x", "--password", "secret"}, {}, 1, "password"},
      {"both open flags", {"--id", "a", "--out", "x", "--open", "--no-open"}, {}, 1, "excludes"},
      {"no password", Backup(), {"PLIMO_PASSWORD="}, 2, "먼저 비밀번호를 입력하세요."},
      {"wrong password", Backup(), {"PLIMO_PASSWORD=wrong"}, 2,
       "로그인에 실패하였습니다. 아이디와 비밀번호를 다시 확인하세요."},
      {"blog not found", Backup("missing"), {"PLIMO_PASSWORD=secret"}, 3, "블로그를 찾을 수 없습니다."},
      {"not registered", Backup("unregistered"), {"PLIMO_PASSWORD=secret"}, 3, "등록되지 않은 블로그입니다."},
      {"never used", Backup("unused"), {"PLIMO_PASSWORD=secret"}, 0, "아직 사용되지 않은 블로그입니다."},
      {"folder not creatable", {"--id", "blogger", "--out", "/dev/null/inside", "--no-open"}, {"PLIMO_PASSWORD=secret"},
       4, "/dev/null/inside/블로그백업 폴더를 만들거나 쓸 수 없습니다."},
  };
  for (const auto& c : cases) {
    auto child = Start(c.arguments, c.environment);
    EXPECT_EQ(child->Wait(60s), c.status) << c.name << "\n" << child->standardError();
    EXPECT_NE(child->standardError().find(c.message), std::string::npos) << c.name << "\n" << child->standardError();
  }
}

TEST_F(CommandLine, TakesThePasswordFromStandardInput) {
  auto child = Start(Backup(), {}, "secret\n");
  // Without --password-stdin the password is asked on a terminal, and there is none here.
  EXPECT_EQ(child->Wait(60s), 2) << child->standardError();

  std::vector<std::string> arguments = Backup();
  arguments.push_back("--password-stdin");
  child = Start(arguments, {}, "secret\n");
  EXPECT_EQ(child->Wait(60s), 0) << child->standardError();
  for (const auto& request : sim.Requests()) {
    if (request.url.find("pidlogin") != std::string::npos) {
      EXPECT_NE(request.url.find("pw=secret"), std::string::npos);
    }
  }
}

TEST_F(CommandLine, CtrlCFinishesThePageAndStops) {
  sim.AddBlog({"blogger", "secret", "", sim::BlogKind::Normal,
               {.listPages = 3, .postsPerPage = 2, .imagesPerPost = 2, .attachmentsPerPost = 0}});
  auto child = Start(Backup());
  ASSERT_TRUE(child->WaitForError("2페이지 백업중...(페이지 분석)", 60s)) << child->standardError();
  const auto interrupted = std::chrono::steady_clock::now();
  child->Signal(SIGINT);
  EXPECT_EQ(child->Wait(10s), 130) << child->standardError();
  EXPECT_LT(std::chrono::steady_clock::now() - interrupted, 5500ms);
  EXPECT_TRUE(std::filesystem::exists(Archive() / "P2.html"));
  EXPECT_FALSE(std::filesystem::exists(Archive() / "P3.html"));
  EXPECT_FALSE(std::filesystem::exists(Archive() / "블로그.hhc"));
  for (const auto& entry : std::filesystem::recursive_directory_iterator(Archive()))
    EXPECT_EQ(entry.path().string().find(".part-"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace plimo
