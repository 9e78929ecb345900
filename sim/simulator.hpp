// A local stand-in for the Plimo service: an HTTP proxy on 127.0.0.1 that answers for every service host.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plimo::sim {

// The size of a generated blog. The same id, shape and seed always give the same blog, byte for byte.
struct BlogShape {
  int listPages = 3;
  int postsPerPage = 4;
  int categories = 3;
  int commentsPerPost = 2;
  int relaysPerPost = 1;
  int imagesPerPost = 2;
  int attachmentsPerPost = 1;
  uint32_t seed = 1;
};

// A blog that was never added does not exist: its main page lacks the post count.
enum class BlogKind {
  Normal,
  Unregistered,  // the account exists, the blog does not: list page 1 shows the error image
  Unused,        // registered but never written in: list page 1 is already the end of the list
};

struct BlogSpec {
  std::string id;  // matched without regard to letter case, as the service does; pages write it as given
  std::string password;
  std::string titleUtf8;  // empty for a generated title
  BlogKind kind = BlogKind::Normal;
  BlogShape shape;
};

enum class FaultKind {
  Hang,             // no answer at all until the simulator stops
  Status401,        // 401 with a short body
  Status404,        // 404 with a short body
  Empty,            // 200 with an empty body
  Busy503,          // 503 with Retry-After and a short busy page
  NoContentLength,  // the right body, chunked
  SlowBody,         // the right body in small pieces with pauses between them
  Redirect,         // 302 to the same content under another path of the same host
  CloseMidBody,     // the full Content-Length, half the body, then the connection closes
};

struct FaultSpec {
  std::string urlPart;  // applies to requests whose URL contains this
  FaultKind kind = FaultKind::Hang;
  int times = 1;       // the first so many matching requests; -1 for every one
  int retryAfter = 1;  // seconds, for Busy503
  int pauseMs = 50;    // between the pieces of a slow body
};

struct LoggedRequest {
  std::string url;     // as requested: scheme, host, path and query
  std::string cookie;  // the Cookie header; empty when none was sent
};

// One post as the blog holds it. Texts meant for people are UTF-8; the pages carry them in code page 949.
struct PostModel {
  std::string titleUtf8;
  std::string categoryKey;
  std::string categoryNameUtf8;
  std::string date;    // "2007-03-10 15:20", newest first across the blog
  std::string logNo;   // the service's number of the post, nine digits
  int listNumber = 0;  // the no argument of its comment and relay links, 1 for the first post of a page
  int comments = 0;
  int relays = 0;
  std::vector<std::string> imageUrls;       // post images, in page order
  std::vector<std::string> attachmentUrls;  // attachments, in page order
  // The icons of its comment and relay lists, one entry per occurrence.
  std::vector<std::string> aviconUrls;
  std::vector<std::string> emoticonUrls;       // each 11 bytes after a tab
  std::vector<std::string> looseEmoticonUrls;  // not after a tab
};

class Simulator {
 public:
  Simulator();
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Throws std::invalid_argument for an empty id or a title that code page 949 cannot hold.
  // A blog added under an id already present replaces it.
  void AddBlog(const BlogSpec& spec);
  void AddFault(const FaultSpec& fault);
  void ClearFaults();
  // The version text on UPDATE_HOST: "PB|<build>|<link>". Until set, build 33 and DEV_BLOG_URL.
  void SetLatestBuild(int build, std::string link);

  // Serves on 127.0.0.1 (port 0: any free port) and returns the http_proxy value, "http://127.0.0.1:PORT".
  // Throws std::runtime_error when the port cannot be bound.
  std::string Start(uint16_t port = 0);
  // Releases held answers and slow bodies, then waits for the server to end. Safe to call twice.
  void Stop();

  std::vector<LoggedRequest> Requests() const;
  void ClearRequests();
  // When the last request arrived, or the server started if none has.
  std::chrono::steady_clock::time_point LastActivity() const;

  // What the blog holds, list page by list page; empty for a blog that was not added or has no posts.
  std::vector<std::vector<PostModel>> Pages(const std::string& blogId) const;
  // The body served at url to a logged-in visitor, faults aside; empty when nothing is there.
  std::string Body(const std::string& url) const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace plimo::sim
