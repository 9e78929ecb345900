// Every fault the simulator offers, on a list page, a comment list and a media file: the run goes
// on to its end, the file hit gets its rightful result, nothing else changes and nothing is left
// half-written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "archiver/media.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "support/sim_backup.hpp"

namespace plimo {
namespace {

namespace fs = std::filesystem;
using sim::FaultKind;

enum class Target { ListPage, CommentList, MediaFile };

// What becomes of the file the fault fell on.
enum class Outcome {
  Same,     // the fault was ridden out: the archive is the one of a run without it
  Missing,  // the file is not there; the page still links to it
  Lost,     // the service refused the list: its page holds that answer, without the list's icons and count
};

struct FaultCase {
  Target target;
  FaultKind fault;
  Outcome outcome;
  bool logged;  // a line in the error log names the file
};

// clang-format off
const FaultCase kCases[] = {
    {Target::ListPage,    FaultKind::Hang,            Outcome::Same,    false},
    {Target::ListPage,    FaultKind::Status401,       Outcome::Same,    false},
    {Target::ListPage,    FaultKind::Status404,       Outcome::Same,    false},
    {Target::ListPage,    FaultKind::Empty,           Outcome::Same,    false},
    {Target::ListPage,    FaultKind::Busy503,         Outcome::Same,    false},
    {Target::ListPage,    FaultKind::NoContentLength, Outcome::Same,    false},
    {Target::ListPage,    FaultKind::SlowBody,        Outcome::Same,    false},
    {Target::ListPage,    FaultKind::Redirect,        Outcome::Same,    false},
    {Target::ListPage,    FaultKind::CloseMidBody,    Outcome::Same,    false},
    {Target::CommentList, FaultKind::Hang,            Outcome::Same,    false},
    {Target::CommentList, FaultKind::Status401,       Outcome::Lost,    false},
    {Target::CommentList, FaultKind::Status404,       Outcome::Lost,    false},
    {Target::CommentList, FaultKind::Empty,           Outcome::Same,    false},
    {Target::CommentList, FaultKind::Busy503,         Outcome::Same,    false},
    {Target::CommentList, FaultKind::NoContentLength, Outcome::Same,    false},
    {Target::CommentList, FaultKind::SlowBody,        Outcome::Same,    false},
    {Target::CommentList, FaultKind::Redirect,        Outcome::Same,    false},
    {Target::CommentList, FaultKind::CloseMidBody,    Outcome::Same,    false},
    {Target::MediaFile,   FaultKind::Hang,            Outcome::Missing, true},
    {Target::MediaFile,   FaultKind::Status401,       Outcome::Missing, false},
    {Target::MediaFile,   FaultKind::Status404,       Outcome::Missing, false},
    {Target::MediaFile,   FaultKind::Empty,           Outcome::Missing, false},
    {Target::MediaFile,   FaultKind::Busy503,         Outcome::Missing, false},
    {Target::MediaFile,   FaultKind::NoContentLength, Outcome::Same,    false},
    {Target::MediaFile,   FaultKind::SlowBody,        Outcome::Same,    false},
    {Target::MediaFile,   FaultKind::Redirect,        Outcome::Same,    false},
    {Target::MediaFile,   FaultKind::CloseMidBody,    Outcome::Missing, false},
};
// clang-format on

std::string NameOf(const FaultCase& c) {
  static const char* const targets[] = {"list page", "comment list", "media file"};
  static const char* const faults[] = {"hang",      "401",  "404",      "empty", "503",
                                       "no length", "slow", "redirect", "close"};
  return std::string(targets[static_cast<int>(c.target)]) + " / " + faults[static_cast<int>(c.fault)];
}

std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().lexically_relative(folder).string()] = {std::istreambuf_iterator<char>(in), {}};
  }
  return files;
}

bool IsCommentIcon(const std::string& name) {
  return name.rfind("avicon/", 0) == 0;
}

class FaultSweep : public ::testing::Test {
 protected:
  static constexpr sim::BlogShape kShape{
      .listPages = 3, .postsPerPage = 2, .imagesPerPost = 1, .attachmentsPerPost = 1};

  // One backup into the folder that every case shares: the pages name their comment pages by
  // the archive's full path, so only runs into one folder compare byte for byte.
  static void RunInto(test::SimBackup& backup, const fs::path& folder) {
    backup.view.folder = folder.string();
    backup.job.m_settings.answerBound = std::chrono::milliseconds(500);
    backup.job.m_settings.stallBound = std::chrono::milliseconds(1000);
    backup.job.m_settings.connectBound = std::chrono::milliseconds(1000);
    fs::remove_all(folder / "블로그백업");
    ASSERT_EQ(backup.Run(), StartResult::Started);
  }

  test::TempFolder shared;
};

TEST_F(FaultSweep, EachFaultIsSurvivedWithItsResultAndNothingHalfWritten) {
  std::map<std::string, std::string> clean;
  sim::PostModel first;
  {
    test::SimBackup backup(kShape);
    RunInto(backup, shared.native());
    ASSERT_EQ(backup.job.m_runEnd, RunEnd::Completed);
    clean = FilesBelow(shared.native() / "블로그백업");
    first = backup.sim.Pages("blogger").front().front();
  }
  const std::string commentPage = "comment/R1" + std::to_string(first.listNumber) + first.logNo + ".html";
  const std::string mediaFile =
      NativePath(TargetOf(".", LocalMediaName(first.imageUrls.front(), MediaKind::PostImage)).path)
          .lexically_relative(".")
          .string();
  ASSERT_TRUE(clean.count(commentPage) && clean.count(mediaFile));

  for (const FaultCase& c : kCases) {
    SCOPED_TRACE(NameOf(c));
    test::SimBackup backup(kShape);
    const std::string urlPart =
        c.target == Target::ListPage ? std::string("currentPage=2&")
        : c.target == Target::CommentList
            ? "PostCommentMain.plm?blogId=blogger&fno=" + std::to_string(first.listNumber) +
                  "&logNo=" + first.logNo
            : first.imageUrls.front();
    backup.sim.AddFault({.urlPart = urlPart, .kind = c.fault, .times = 1, .retryAfter = 0, .pauseMs = 20});
    RunInto(backup, shared.native());
    EXPECT_EQ(backup.job.m_runEnd, RunEnd::Completed);

    const auto files = FilesBelow(shared.native() / "블로그백업");
    const std::string hit = c.target == Target::CommentList ? commentPage : mediaFile;
    const std::string errorLog = "에러정보.txt";
    for (const auto& [name, bytes] : files) {
      EXPECT_EQ(name.find(".part-"), std::string::npos) << name;
      if (name == errorLog) continue;
      ASSERT_TRUE(clean.count(name)) << "stray: " << name;
      const bool mayDiffer =
          c.outcome != Outcome::Same && (name == hit || (c.outcome == Outcome::Lost && name == "index.html"));
      EXPECT_TRUE(mayDiffer || bytes == clean.at(name)) << "changed: " << name;
    }
    for (const auto& [name, bytes] : clean) {
      const bool mayLack = (c.outcome == Outcome::Missing && name == hit) ||
                           (c.outcome == Outcome::Lost && IsCommentIcon(name));
      EXPECT_TRUE(mayLack || files.count(name)) << "missing: " << name;
    }

    switch (c.outcome) {
      case Outcome::Same:
        break;
      case Outcome::Missing:
        EXPECT_FALSE(files.count(hit));
        break;
      case Outcome::Lost:
        ASSERT_TRUE(files.count(hit));
        EXPECT_NE(files.at(hit), clean.at(hit));
        EXPECT_NE(files.at(hit).find(Cp949("원본글")), std::string::npos)
            << "it still leads back to its page";
        break;
    }
    EXPECT_EQ(files.count(errorLog) == 1, c.logged);
    EXPECT_TRUE(!c.logged || files.at(errorLog).find(first.imageUrls.front()) != std::string::npos);
  }
}

}  // namespace
}  // namespace plimo
