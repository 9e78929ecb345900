#include "net/download_file.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "support/local_server.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

using test::LocalServer;
using test::ScopedProxy;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const std::string kPicture(3000, 'p');

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  return names;
}

size_t OpenDescriptors() {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                           std::filesystem::directory_iterator()));
}

// Serves the picture with its length for any URL, unless a test routes a target otherwise.
class DownloadFileTest : public testing::Test {
 protected:
  DownloadFileTest() {
    job.m_strBackupDir = folder.program();
    job.m_settings.answerBound = milliseconds(300);
    job.m_settings.pauseAfterTimeout = milliseconds(50);
    job.m_settings.pauseAfterDownload = milliseconds(50);
  }

  Text LocalPath(const char* name) const { return folder.program() + "\\" + Cp949(name); }
  std::filesystem::path NativeLocal(const char* name) const { return NativePath(LocalPath(name)); }
  std::string ErrorLog() const {
    return ReadFile(NativePath(folder.program() + "\\" + Cp949("에러정보.txt")));
  }

  std::function<void(const httplib::Request&, httplib::Response&)> handler = [](const httplib::Request&,
                                                                                httplib::Response& response) {
    response.set_content(kPicture, "image/jpeg");
  };
  LocalServer server{[this](httplib::Server& routes) {
    routes.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      handler(request, response);
    });
  }};
  ScopedProxy proxy{server.ProxyUrl()};
  test::TempFolder folder;
  BackupJob job;
  test::RecordingView view;
};

TEST_F(DownloadFileTest, ShowsEachStepAndThePercentAfterEveryPiece) {
  const Text url = "http://blogfiles3.plimo.kr/a.jpg";
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(DownloadFile(job, view, url, LocalPath("a.jpg"), Pause::AfterDownload), kDownloadOk);
  EXPECT_GE(Clock::now() - start, job.m_settings.pauseAfterDownload);
  EXPECT_EQ(ReadFile(NativeLocal("a.jpg")), kPicture);
  EXPECT_EQ(FolderEntries(folder.native()), std::vector<std::string>{"a.jpg"});
  const std::vector<std::string> expected = {
      "SetStatusText: 접속중: http://blogfiles3.plimo.kr/a.jpg",
      "SetFilePercent: 0",
      "ShowFileProgress: 1",
      "SetStatusText: 요청: http://blogfiles3.plimo.kr/a.jpg",
      "SetStatusText: 다운로드중: http://blogfiles3.plimo.kr/a.jpg",
      "SetFilePercent: 34",
      "SetFilePercent: 68",
      "SetFilePercent: 100",
      "SetStatusText: 서버 부하 최소화중...",
  };
  EXPECT_EQ(view.Calls(), expected);
  EXPECT_EQ(job.m_strDlUrl, url);
  EXPECT_EQ(job.m_strDlPath, LocalPath("a.jpg"));
}

TEST_F(DownloadFileTest, WithoutContentLengthShowsZeroUntilTheEnd) {
  handler = [](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("image/gif", [](size_t, httplib::DataSink& sink) {
      sink.write(kPicture.data(), kPicture.size());
      sink.done();
      return true;
    });
  };
  EXPECT_EQ(DownloadFile(job, view, "http://img.plimo.kr/imgs/top.gif", LocalPath("top.gif"), Pause::Skip),
            kDownloadOk);
  EXPECT_EQ(ReadFile(NativeLocal("top.gif")), kPicture);
  EXPECT_EQ(view.CallsOf("SetFilePercent"), (std::vector<std::string>{"0", "0", "0", "0", "100"}));
  EXPECT_TRUE(view.CallsOf("SetStatusText").back().starts_with("다운로드중: ")) << "no pause with Skip";
}

TEST_F(DownloadFileTest, KeepsNothingOfAnEmptyReplySoTheNextRunAsksAgain) {
  handler = [](const httplib::Request&, httplib::Response& response) { response.set_content("", "image/gif"); };
  EXPECT_EQ(DownloadFile(job, view, "http://blogfiles3.plimo.kr/e.jpg", LocalPath("e.jpg"), Pause::AfterDownload),
            kDownloadReadFailedOrStopped);
  EXPECT_TRUE(FolderEntries(folder.native()).empty());
}

TEST_F(DownloadFileTest, SkipsFilePresentOnDisk) {
  ASSERT_TRUE(WriteTextFile(LocalPath("old.jpg"), "kept", WriteMode::Create));
  EXPECT_EQ(DownloadFile(job, view, "http://blogfiles3.plimo.kr/old.jpg", LocalPath("old.jpg"),
                         Pause::AfterDownload),
            kDownloadOk);
  EXPECT_EQ(ReadFile(NativeLocal("old.jpg")), "kept");
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_TRUE(view.Calls().empty());
}

TEST_F(DownloadFileTest, SavesNothingForAReplyOtherThan200) {
  for (int status : {404, 401, 407, 500}) {
    handler = [status](const httplib::Request&, httplib::Response& response) {
      response.status = status;
      response.set_content("not for you", "text/html");
    };
    EXPECT_EQ(
        DownloadFile(job, view, "http://blogfiles3.plimo.kr/x.jpg", LocalPath("x.jpg"), Pause::AfterDownload),
        kDownloadBadStatus)
        << status;
    EXPECT_TRUE(FolderEntries(folder.native()).empty()) << status << ": no file and no error log";
  }
}

TEST_F(DownloadFileTest, FollowsRedirects) {
  handler = [](const httplib::Request& request, httplib::Response& response) {
    if (request.target == "http://mfiles2.plimo.kr/old.zip")
      response.set_redirect("http://mfiles2.plimo.kr/new.zip");
    else
      response.set_content(kPicture, "application/zip");
  };
  EXPECT_EQ(DownloadFile(job, view, "http://mfiles2.plimo.kr/old.zip", LocalPath("old.zip"), Pause::Skip),
            kDownloadOk);
  EXPECT_EQ(ReadFile(NativeLocal("old.zip")), kPicture);
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(DownloadFileTest, CompletesOrEscapesTheUrlForTheRequestLine) {
  struct UrlCase {
    const char* url;
    const char* target;
    const char* dlUrl;
  };
  const UrlCase cases[] = {
      {"blogfiles3.plimo.kr/a.jpg", "http://blogfiles3.plimo.kr/a.jpg", "http://blogfiles3.plimo.kr/a.jpg"},
      {"http://blogfiles3.plimo.kr/my pic 사진.jpg?x=%41 b",
       "http://blogfiles3.plimo.kr/my%20pic%20%BB%E7%C1%F8.jpg?x=%41%20b",
       "http://blogfiles3.plimo.kr/my pic 사진.jpg?x=%41 b"},
  };
  for (const UrlCase& c : cases) {
    std::filesystem::remove(NativeLocal("a.jpg"));
    test::RecordingView caseView;
    EXPECT_EQ(DownloadFile(job, caseView, Cp949(c.url), LocalPath("a.jpg"), Pause::Skip), kDownloadOk)
        << c.url;
    EXPECT_EQ(server.Requests().back().target, c.target);
    EXPECT_EQ(job.m_strDlUrl, Cp949(c.dlUrl));
    EXPECT_EQ(caseView.CallsOf("SetStatusText").front(), std::string("접속중: ") + c.url)
        << "the URL as passed";
  }
}

TEST_F(DownloadFileTest, AnswersBadInputWithACode) {
  for (const char* unsplittable : {"", "bad host/a.jpg", "http://blogfiles3.plimo.kr/\x01.jpg"})
    EXPECT_EQ(DownloadFile(job, view, unsplittable, LocalPath("a.jpg"), Pause::Skip),
              kDownloadBadUrlOrStopped)
        << unsplittable;
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(DownloadFile(job, view, "http://blogfiles3.plimo.kr/a.jpg", folder.program() + "\\missing\\a.jpg",
                         Pause::Skip),
            kDownloadCannotCreate);
  {
    ScopedProxy refused(test::UnusedProxyUrl());
    EXPECT_EQ(DownloadFile(job, view, "http://blogfiles3.plimo.kr/a.jpg", LocalPath("a.jpg"), Pause::Skip),
              kDownloadNoConnection);
  }
  EXPECT_TRUE(FolderEntries(folder.native()).empty());
}

TEST_F(DownloadFileTest, LeavesNoPartialFileWhenTheServerBreaksOff) {
  handler = [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(kPicture.size(), "image/jpeg", [](size_t, size_t, httplib::DataSink& sink) {
      sink.write(kPicture.data(), 2000);
      return false;
    });
  };
  EXPECT_EQ(
      DownloadFile(job, view, "http://blogfiles3.plimo.kr/a.jpg", LocalPath("a.jpg"), Pause::AfterDownload),
      kDownloadReadFailedOrStopped);
  EXPECT_TRUE(FolderEntries(folder.native()).empty());
  EXPECT_EQ(view.CallsOf("SetFilePercent"), (std::vector<std::string>{"0", "34"}));
}

// Closes the window once the first piece of the body has been written.
class StoppingView : public test::RecordingView {
 public:
  explicit StoppingView(BackupJob& job) : job_(job) {}
  void SetFilePercent(int percent) override {
    RecordingView::SetFilePercent(percent);
    if (++reports_ == 2) job_.m_bStopRequested = 1;
  }

 private:
  BackupJob& job_;
  int reports_ = 0;
};

TEST_F(DownloadFileTest, StopsMidBodyLeavingNoFileAndNoConnection) {
  std::promise<bool> clientClosed;
  handler = [&](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(1'000'000, "image/jpeg", [&](size_t, size_t, httplib::DataSink& sink) {
      bool closed = !sink.write(kPicture.data(), 2048);
      for (int i = 0; i < 300 && !closed; ++i) {
        closed = !sink.is_writable() || !sink.write(kPicture.data(), 10);
        std::this_thread::sleep_for(milliseconds(10));
      }
      clientClosed.set_value(closed);
      return false;
    });
  };
  StoppingView stoppingView(job);
  EXPECT_EQ(DownloadFile(job, stoppingView, "http://blogfiles3.plimo.kr/a.jpg", LocalPath("a.jpg"),
                         Pause::AfterDownload),
            kDownloadReadFailedOrStopped);
  EXPECT_EQ(stoppingView.CallsOf("SetFilePercent").size(), 2u) << "nothing read after the stop";
  EXPECT_TRUE(FolderEntries(folder.native()).empty());
  EXPECT_TRUE(clientClosed.get_future().get()) << "the connection was left open";
}

TEST_F(DownloadFileTest, StopBeforeTheAnswerSendsBackMinusOne) {
  job.m_bStopRequested = 1;
  EXPECT_EQ(
      DownloadFile(job, view, "http://blogfiles3.plimo.kr/a.jpg", LocalPath("a.jpg"), Pause::AfterDownload),
      kDownloadBadUrlOrStopped);
  EXPECT_TRUE(FolderEntries(folder.native()).empty());
}

TEST_F(DownloadFileTest, GivesUpOnASilentServerAndAppendsToTheErrorLog) {
  test::SilentListener silent;
  ScopedProxy toSilent(silent.ProxyUrl());
  const Text logPath = folder.program() + "\\" + Cp949("에러정보.txt");
  ASSERT_TRUE(WriteTextFile(logPath, "earlier run\r\n", WriteMode::Create));
  const Text url = Cp949("http://blogfiles3.plimo.kr/사진.jpg");
  const Text localPath = folder.program() + "\\images\\" + Cp949("사진.jpg");

  const size_t descriptors = OpenDescriptors();
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(DownloadFile(job, view, url, localPath, Pause::AfterDownload), kDownloadNoAnswer);
  const Clock::duration took = Clock::now() - start;
  EXPECT_GE(took, job.m_settings.answerBound + job.m_settings.pauseAfterTimeout);
  EXPECT_LT(took, job.m_settings.answerBound + job.m_settings.pauseAfterTimeout + milliseconds(500));
  EXPECT_EQ(OpenDescriptors(), descriptors);

  EXPECT_EQ(view.CallsOf("SetStatusText").back(), "실패: http://blogfiles3.plimo.kr/사진.jpg");
  const Text expectedLine =
      url + Cp949("파일을 다운로드하지 못했습니다. ") + localPath + Cp949("으로 링크되었습니다.") + "\r\n";
  EXPECT_EQ(ErrorLog(), "earlier run\r\n" + expectedLine);
}

TEST_F(DownloadFileTest, KeepsItsResultWhenTheErrorLogCannotBeWritten) {
  test::SilentListener silent;
  ScopedProxy toSilent(silent.ProxyUrl());
  job.m_strBackupDir = folder.program() + "\\gone";
  EXPECT_EQ(DownloadFile(job, view, "http://blogfiles3.plimo.kr/a.jpg", LocalPath("a.jpg"), Pause::Skip),
            kDownloadNoAnswer);
  EXPECT_TRUE(FolderEntries(folder.native()).empty());
}

}  // namespace
}  // namespace plimo
