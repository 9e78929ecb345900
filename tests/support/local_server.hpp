// Local stand-ins for a web server in tests: an HTTP server on 127.0.0.1 that the program reaches as
// its proxy, a listener that never answers, and the http_proxy setting that points at them.
#pragma once

#include <httplib.h>

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace plimo::test {

// What the server was asked, as it arrived.
struct ReceivedRequest {
  std::string target;  // the request line's target: the whole URL, as a proxy receives it
  std::string cookie;
  std::string userAgent;
};

// An HTTP server on an ephemeral port of 127.0.0.1 for the life of the object. Requests to any host
// arrive in absolute form ("http://blog.plimo.kr/x"); a handler on the pattern ".*" sees them all.
class LocalServer {
 public:
  using Routes = std::function<void(httplib::Server&)>;
  explicit LocalServer(const Routes& routes);
  ~LocalServer();
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  int port() const { return port_; }
  std::string ProxyUrl() const;
  std::vector<ReceivedRequest> Requests() const;

 private:
  httplib::Server server_;
  int port_ = -1;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<ReceivedRequest> requests_;
};

// Takes connections (the kernel completes them) and never reads or answers.
class SilentListener {
 public:
  SilentListener();
  ~SilentListener();
  SilentListener(const SilentListener&) = delete;
  SilentListener& operator=(const SilentListener&) = delete;

  std::string ProxyUrl() const;

 private:
  int socket_ = -1;
  int port_ = -1;
};

// A port on 127.0.0.1 where nothing listens, for refused connections.
std::string UnusedProxyUrl();

// Points http_proxy at a local server for one scope and lets no no_proxy setting bypass it.
class ScopedProxy {
 public:
  explicit ScopedProxy(const std::string& proxyUrl);
  ~ScopedProxy();
  ScopedProxy(const ScopedProxy&) = delete;
  ScopedProxy& operator=(const ScopedProxy&) = delete;

 private:
  struct Saved {
    std::string name;
    std::optional<std::string> value;
  };
  std::vector<Saved> saved_;
};

}  // namespace plimo::test
