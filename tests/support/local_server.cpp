#include "support/local_server.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace plimo::test {
namespace {

// Binds a TCP socket to an ephemeral port of 127.0.0.1; the port, or -1.
int BindLoopback(int socket) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return -1;
  socklen_t length = sizeof address;
  if (::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) return -1;
  return ntohs(address.sin_port);
}

std::string LoopbackUrl(int port) {
  return "http://127.0.0.1:" + std::to_string(port);
}

}  // namespace

LocalServer::LocalServer(const Routes& routes) {
  server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
    std::lock_guard lock(mutex_);
    requests_.push_back(
        {request.target, request.get_header_value("Cookie"), request.get_header_value("User-Agent")});
    return httplib::Server::HandlerResponse::Unhandled;
  });
  // Idle connections kept by the client must not hold the server's stop for long.
  server_.set_keep_alive_timeout(1);
  routes(server_);
  port_ = server_.bind_to_any_port("127.0.0.1");
  if (port_ <= 0) std::abort();
  thread_ = std::thread([this] { server_.listen_after_bind(); });
  while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LocalServer::~LocalServer() {
  server_.stop();
  thread_.join();
}

std::string LocalServer::ProxyUrl() const {
  return LoopbackUrl(port_);
}

std::vector<ReceivedRequest> LocalServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

SilentListener::SilentListener() : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
  if (socket_ < 0) std::abort();
  port_ = BindLoopback(socket_);
  if (port_ <= 0 || ::listen(socket_, 16) != 0) std::abort();
}

SilentListener::~SilentListener() {
  ::close(socket_);
}

std::string SilentListener::ProxyUrl() const {
  return LoopbackUrl(port_);
}

std::string UnusedProxyUrl() {
  // A port just bound and released again is free, and nothing listens on it.
  const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int port = BindLoopback(probe);
  ::close(probe);
  if (port <= 0) std::abort();
  return LoopbackUrl(port);
}

ScopedProxy::ScopedProxy(const std::string& proxyUrl) {
  for (const char* name : {"http_proxy", "no_proxy", "NO_PROXY"}) {
    const char* value = std::getenv(name);
    saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
  }
  ::setenv("http_proxy", proxyUrl.c_str(), 1);
  ::unsetenv("no_proxy");
  ::unsetenv("NO_PROXY");
}

ScopedProxy::~ScopedProxy() {
  for (const Saved& saved : saved_) {
    if (saved.value)
      ::setenv(saved.name.c_str(), saved.value->c_str(), 1);
    else
      ::unsetenv(saved.name.c_str());
  }
}

}  // namespace plimo::test
