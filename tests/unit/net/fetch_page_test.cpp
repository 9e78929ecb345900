#include "net/fetch_page.hpp"

#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "job/backup_job.hpp"
#include "net/download_file.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "support/local_server.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

using test::LocalServer;
using test::ScopedProxy;

struct LineEndCase {
  const char* name;
  std::string body;
  Text expected;
};

TEST(FetchPage, EndsEveryLineWithCrLfAndDropsEveryCr) {
  const LineEndCase cases[] = {
      {"CR LF inside, none at the end", "a\r\nb", "a\r\nb\r\n"},
      {"two bare LFs", "\n\n", "\r\n\r\n"},
      {"empty body", "", ""},
      {"lone CR inside a line", "a\rb\n", "ab\r\n"},
      {"only a CR", "\r", ""},
      {"empty line kept", "a\n\nb\r\n", "a\r\n\r\nb\r\n"},
      {"two-byte characters untouched", Cp949("한글\n줄"), Cp949("한글\r\n줄\r\n")},
  };
  std::map<std::string, std::string> bodies;
  for (const LineEndCase& c : cases) bodies["http://blog.plimo.kr/" + std::to_string(bodies.size())] = c.body;
  LocalServer server([&](httplib::Server& routes) {
    routes.Get(".*", [&](const httplib::Request& request, httplib::Response& response) {
      response.set_content(bodies.at(request.target), "text/html");
    });
  });
  ScopedProxy proxy(server.ProxyUrl());
  InternetSession session;
  int index = 0;
  for (const LineEndCase& c : cases) {
    const Text url = "http://blog.plimo.kr/" + std::to_string(index++);
    EXPECT_EQ(FetchPage(session, url, RunSettings()), c.expected) << c.name;
  }
}

TEST(FetchPage, GivesEmptyTextWhenNoPageCanBeHad) {
  LocalServer server([](httplib::Server& routes) {
    routes.Get(".*", [](const httplib::Request&, httplib::Response& response) {
      // Promises 3,000 bytes and breaks off after 1,000.
      response.set_content_provider(3000, "text/html", [](size_t, size_t, httplib::DataSink& sink) {
        const std::string piece(1000, 'x');
        sink.write(piece.data(), piece.size());
        return false;
      });
    });
  });
  ScopedProxy proxy(server.ProxyUrl());
  InternetSession session;
  EXPECT_EQ(FetchPage(session, "blog.plimo.kr/MyBlog.plm", RunSettings()), "") << "no scheme";
  EXPECT_EQ(FetchPage(session, "ftp://blog.plimo.kr/x", RunSettings()), "") << "not the web";
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(FetchPage(session, "http://blog.plimo.kr/broken", RunSettings()), "") << "body broke off";
  EXPECT_EQ(server.Requests().size(), 1u);
  {
    ScopedProxy refused(test::UnusedProxyUrl());
    FetchReply reply;
    EXPECT_EQ(FetchPage(session, "http://blog.plimo.kr/", RunSettings(), &reply), "") << "refused";
    EXPECT_EQ(reply.status, 0);
  }
}

TEST(FetchPage, ReturnsErrorBodiesAndReportsStatusAndRetryAfter) {
  LocalServer server([](httplib::Server& routes) {
    routes.Get(".*", [](const httplib::Request&, httplib::Response& response) {
      response.status = 503;
      response.set_header("Retry-After", "120");
      response.set_content("busy", "text/html");
    });
  });
  ScopedProxy proxy(server.ProxyUrl());
  InternetSession session;
  FetchReply reply;
  EXPECT_EQ(FetchPage(session, "http://blog.plimo.kr/PostList.plm", RunSettings(), &reply), "busy\r\n");
  EXPECT_EQ(reply.status, 503);
  EXPECT_EQ(reply.retryAfterSeconds, 120);
}

TEST(FetchPage, FollowsRedirectsAndSpeaksAsTheApplication) {
  LocalServer server([](httplib::Server& routes) {
    routes.Get(".*", [](const httplib::Request& request, httplib::Response& response) {
      if (request.target == "http://blog.plimo.kr/old")
        response.set_redirect("http://blog.plimo.kr/new");
      else
        response.set_content("moved here", "text/html");
    });
  });
  ScopedProxy proxy(server.ProxyUrl());
  InternetSession session;
  FetchReply reply;
  EXPECT_EQ(FetchPage(session, "http://blog.plimo.kr/old", RunSettings(), &reply), "moved here\r\n");
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.retryAfterSeconds, -1);
  const std::vector<test::ReceivedRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].target, "http://blog.plimo.kr/new");
  EXPECT_EQ(requests[0].userAgent, Cp949("Plimo 블로그 백업 프로그램"));
}

TEST(Session, CookiesOfALoginGoWithEveryLaterRequestFromAnyThread) {
  LocalServer server([](httplib::Server& routes) {
    routes.Get(".*", [](const httplib::Request& request, httplib::Response& response) {
      if (request.target.starts_with("http://id.plimo.kr/"))
        response.set_header("Set-Cookie", "PLSESSION=s3cret; Domain=.plimo.kr; Path=/");
      response.set_content("ok", "text/plain");
    });
  });
  ScopedProxy proxy(server.ProxyUrl());
  test::TempFolder folder;
  BackupJob job;
  job.m_strBackupDir = folder.program();
  test::RecordingView view;

  std::thread login([&] { FetchPage(job.m_inet, "http://id.plimo.kr/login.plm?id=a", job.m_settings); });
  login.join();
  std::thread reader([&] { FetchPage(job.m_inet, "http://blog.plimo.kr/PostList.plm", job.m_settings); });
  reader.join();
  EXPECT_EQ(
      DownloadFile(job, view, "http://blogfiles3.plimo.kr/a.jpg", folder.program() + "\\a.jpg", Pause::Skip),
      kDownloadOk);

  const std::vector<test::ReceivedRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].cookie, "");
  EXPECT_EQ(requests[1].cookie, "PLSESSION=s3cret");
  EXPECT_EQ(requests[2].cookie, "PLSESSION=s3cret");
}

}  // namespace
}  // namespace plimo
