// Reading the header blocks of a reply line by line as libcurl hands them over, redirects included,
// to learn when the final reply has answered and what it said about itself.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace plimo {

class ReplyHeaders {
 public:
  // One header line with its line end. True when it completed the headers of the final reply,
  // the one that is not a redirect that the client goes on to follow.
  bool Take(std::string_view line);

  bool FinalComplete() const { return finalComplete_; }
  // Of the latest reply; 0 before any status line.
  long Status() const { return status_; }
  std::optional<uint64_t> ContentLength() const { return contentLength_; }
  // Retry-After as seconds from now (a date in the past gives 0); -1 when absent or unreadable.
  int RetryAfterSeconds(std::time_t now) const;

 private:
  void StartReply(std::string_view statusLine);

  long status_ = 0;
  bool hasLocation_ = false;
  bool finalComplete_ = false;
  std::optional<uint64_t> contentLength_;
  std::optional<std::string> retryAfter_;
};

}  // namespace plimo
