#include "net/reply_headers.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plimo {
namespace {

struct HeaderCase {
  const char* name;
  std::vector<std::string> lines;
  bool finalComplete;
  long status;
};

TEST(ReplyHeaders, KnowsWhichReplyIsTheFinalOne) {
  const HeaderCase cases[] = {
      {"plain reply", {"HTTP/1.1 200 OK\r\n", "Content-Length: 5\r\n", "\r\n"}, true, 200},
      {"redirect then reply",
       {"HTTP/1.1 302 Found\r\n", "Location: http://x/\r\n", "\r\n", "HTTP/1.1 404 Not Found\r\n", "\r\n"},
       true,
       404},
      {"redirect still being followed", {"HTTP/1.1 301 Moved\r\n", "location: /b\r\n", "\r\n"}, false, 301},
      {"3xx with nowhere to go", {"HTTP/1.1 304 Not Modified\r\n", "\r\n"}, true, 304},
      {"informational first", {"HTTP/1.1 100 Continue\r\n", "\r\n"}, false, 100},
      {"headers not yet ended", {"HTTP/2 200\r\n", "Server: x\r\n"}, false, 200},
      {"no status line", {"\r\n"}, false, 0},
  };
  for (const HeaderCase& c : cases) {
    ReplyHeaders headers;
    bool completedByLastLine = false;
    for (const std::string& line : c.lines) completedByLastLine = headers.Take(line);
    EXPECT_EQ(headers.FinalComplete(), c.finalComplete) << c.name;
    EXPECT_EQ(completedByLastLine, c.finalComplete) << c.name;
    EXPECT_EQ(headers.Status(), c.status) << c.name;
  }
}

TEST(ReplyHeaders, ReadsLengthAndRetryAfterOfTheLatestReplyOnly) {
  ReplyHeaders headers;
  for (const char* line :
       {"HTTP/1.1 302 Found\r\n", "Content-Length: 99\r\n", "Retry-After: 5\r\n", "Location: /b\r\n", "\r\n",
        "HTTP/1.1 503 Busy\r\n", "Retry-After: Wed, 21 Oct 2015 07:28:30 GMT\r\n", "\r\n"})
    headers.Take(line);
  EXPECT_EQ(headers.ContentLength(), std::nullopt);
  const std::time_t dateInRetryAfter = 1445412510;
  EXPECT_EQ(headers.RetryAfterSeconds(dateInRetryAfter - 90), 90);
  EXPECT_EQ(headers.RetryAfterSeconds(dateInRetryAfter + 90), 0) << "a date already past";

  ReplyHeaders unreadable;
  for (const char* line :
       {"HTTP/1.1 200 OK\r\n", "Content-Length: lots\r\n", "Retry-After: soon\r\n", "\r\n"})
    unreadable.Take(line);
  EXPECT_EQ(unreadable.ContentLength(), std::nullopt);
  EXPECT_EQ(unreadable.RetryAfterSeconds(0), -1);
}

}  // namespace
}  // namespace plimo
