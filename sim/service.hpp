// The service itself, without the network: which answer each URL gets from which visitor.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/blog_model.hpp"
#include "sim/request_url.hpp"

namespace plimo::sim {

struct Reply {
  int status = 200;
  std::string contentType;
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
};

// A small page in code page 949 that says what went wrong.
Reply ShortPage(int status, std::string_view messageUtf8);

// The service keeps sessions only in memory: a cookie counts when a login here issued it.
inline constexpr const char* kSessionCookie = "PLIMO_SES";

class Service {
 public:
  Service();

  void AddBlog(const BlogSpec& spec);
  void SetLatestBuild(int build, std::string link);

  // A login issues a session; everything on the blog host and the file hosts needs one and is
  // refused with 403 and a login-required page without it.
  Reply Answer(const RequestUrl& url, std::string_view cookieHeader);
  // The answer for a visitor who is logged in.
  Reply AnswerLoggedIn(const RequestUrl& url) const;

  std::vector<std::vector<PostModel>> Pages(std::string_view blogId) const;

 private:
  const GeneratedBlog* FindBlog(std::string_view id) const;
  const Post* FindPost(const RequestUrl& url) const;
  Reply Login(const RequestUrl& url);
  Reply BlogPage(const RequestUrl& url) const;
  Reply Picture(const RequestUrl& url) const;
  Reply VersionText(const RequestUrl& url) const;
  bool HasSession(std::string_view cookieHeader) const;

  std::map<std::string, GeneratedBlog> blogs_;  // by lower-case id
  std::set<std::string> media_;
  std::set<std::string> sessions_;
  uint64_t sessionsIssued_ = 0;
  int latestBuild_ = 33;
  std::string latestLink_;
};

}  // namespace plimo::sim
