// The process's one Internet session: the cookie store and DNS cache that every request of the
// program shares, from every thread.
#pragma once

#include <memory>

#include "net/text.hpp"

typedef void CURL;

namespace plimo {

struct RunSettings;

class InternetSession {
 public:
  InternetSession();
  ~InternetSession();
  InternetSession(const InternetSession&) = delete;
  InternetSession& operator=(const InternetSession&) = delete;

  // A new request handle that shares this session's cookies and DNS cache, follows redirects,
  // takes its proxy from the environment, sends the application title as its user agent, accepts
  // compressed replies and gives up on a connection that never opens or a body that stalls.
  struct HandleCloser {
    void operator()(CURL* handle) const;
  };
  using Handle = std::unique_ptr<CURL, HandleCloser>;
  Handle NewRequest(const Text& url, const RunSettings& settings) const;

 private:
  struct Shared;
  std::unique_ptr<Shared> shared_;
};

}  // namespace plimo
