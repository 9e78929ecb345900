// A libcurl client that reaches the service only through the simulator, keeping the session cookie.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <string>

namespace plimo::test {

struct HttpReply {
  CURLcode code = CURLE_OK;
  long status = 0;
  long redirects = 0;
  std::string headers;  // of the last reply, as received
  std::string body;
  std::chrono::milliseconds took{0};

  // The value of a header of the last reply, or empty.
  std::string Header(const std::string& name) const;
};

class ProxyClient {
 public:
  explicit ProxyClient(const std::string& proxy);
  ~ProxyClient();
  ProxyClient(const ProxyClient&) = delete;
  ProxyClient& operator=(const ProxyClient&) = delete;

  // Follows redirects, as the program's own client does.
  HttpReply Get(const std::string& url, std::chrono::milliseconds timeout = std::chrono::seconds(5));

 private:
  CURL* handle_;
};

}  // namespace plimo::test
