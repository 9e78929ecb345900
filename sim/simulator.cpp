#include "sim/simulator.hpp"

#include <httplib.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <thread>

#include "net/endpoints.hpp"
#include "sim/connection_threads.hpp"
#include "sim/fault_table.hpp"
#include "sim/request_url.hpp"
#include "sim/service.hpp"

namespace plimo::sim {
namespace {

constexpr const char* kLocalHost = "127.0.0.1";
// A client that connects and then says nothing would otherwise keep a stop waiting this long.
constexpr time_t kQuietConnectionSeconds = 1;
constexpr int kSlowBodyPieces = 8;

bool CarriesBody(FaultKind kind) {
  return kind == FaultKind::NoContentLength || kind == FaultKind::SlowBody || kind == FaultKind::CloseMidBody;
}

}  // namespace

class Simulator::Impl {
 public:
  void Handle(const httplib::Request& request, httplib::Response& response);

  // Waits, or returns false at once when the simulator is stopping.
  bool Pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(stopMutex_);
    return !stopSignal_.wait_for(lock, duration, [this] { return stopping_; });
  }
  void HoldUntilStopping() {
    std::unique_lock lock(stopMutex_);
    stopSignal_.wait(lock, [this] { return stopping_; });
  }
  void SetStopping(bool stopping) {
    {
      std::lock_guard lock(stopMutex_);
      stopping_ = stopping;
    }
    stopSignal_.notify_all();
  }

  mutable std::mutex mutex;  // guards the members below up to the server
  Service service;
  FaultTable faults;
  std::vector<LoggedRequest> log;
  std::chrono::steady_clock::time_point lastActivity = std::chrono::steady_clock::now();

  std::unique_ptr<httplib::Server> server;
  std::thread listener;

 private:
  void AnswerWithFault(const FaultSpec& fault, const RequestUrl& url, Reply reply,
                       httplib::Response& response);

  std::mutex stopMutex_;
  std::condition_variable stopSignal_;
  bool stopping_ = false;
};

void Simulator::Impl::Handle(const httplib::Request& request, httplib::Response& response) {
  const RequestUrl url = ParseRequestUrl(request.target, request.get_header_value("Host"));
  const std::string cookie = request.get_header_value("Cookie");
  RequestUrl served = url;
  const bool redirected = TakeMovedPrefix(served);
  std::optional<FaultSpec> fault;
  Reply reply;
  {
    std::lock_guard lock(mutex);
    log.push_back({url.Full(), cookie});
    lastActivity = std::chrono::steady_clock::now();
    fault = faults.Take(url.Full(), redirected);
    if (!fault || CarriesBody(fault->kind)) reply = service.Answer(served, cookie);
  }
  if (fault) return AnswerWithFault(*fault, url, std::move(reply), response);
  response.status = reply.status;
  for (const auto& [name, value] : reply.headers) response.set_header(name, value);
  response.set_content(reply.body, reply.contentType);
}

void Simulator::Impl::AnswerWithFault(const FaultSpec& fault, const RequestUrl& url, Reply reply,
                                      httplib::Response& response) {
  auto body = std::make_shared<const std::string>(std::move(reply.body));
  const size_t length = body->size();
  if (CarriesBody(fault.kind)) {
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers) response.set_header(name, value);
  }
  switch (fault.kind) {
    case FaultKind::Hang: {
      HoldUntilStopping();
      const Reply busy = ShortPage(503, "서비스를 마치는 중입니다.");
      response.status = busy.status;
      response.set_content(busy.body, busy.contentType);
      return;
    }
    case FaultKind::Status401:
    case FaultKind::Status404:
    case FaultKind::Busy503: {
      const int status = fault.kind == FaultKind::Status401   ? 401
                         : fault.kind == FaultKind::Status404 ? 404
                                                              : 503;
      const Reply page = ShortPage(status, status == 503 ? "잠시 후 다시 이용해 주세요. 서비스 점검중입니다."
                                                         : "요청을 처리할 수 없습니다.");
      response.status = status;
      if (status == 503) response.set_header("Retry-After", std::to_string(fault.retryAfter));
      response.set_content(page.body, page.contentType);
      return;
    }
    case FaultKind::Empty:
      response.status = 200;
      response.set_content("", "text/html");
      return;
    case FaultKind::Redirect:
      response.set_redirect(MovedElsewhere(url).Full(), 302);
      return;
    case FaultKind::NoContentLength:
      response.set_chunked_content_provider(reply.contentType, [body](size_t, httplib::DataSink& sink) {
        if (!sink.write(body->data(), body->size())) return false;
        sink.done();
        return true;
      });
      return;
    case FaultKind::SlowBody: {
      const size_t piece = std::max<size_t>(1, (length + kSlowBodyPieces - 1) / kSlowBodyPieces);
      const auto pause = std::chrono::milliseconds(fault.pauseMs);
      response.set_content_provider(
          length, reply.contentType,
          [this, body, piece, pause](size_t offset, size_t left, httplib::DataSink& sink) {
            if (offset > 0 && !Pause(pause)) return false;
            return sink.write(body->data() + offset, std::min(piece, left));
          });
      return;
    }
    case FaultKind::CloseMidBody:
      response.set_content_provider(
          length, reply.contentType,
          [body, half = length / 2](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset >= half || half == 0) return false;
            return sink.write(body->data() + offset, half - offset);
          });
      return;
  }
}

Simulator::Simulator() : impl_(std::make_unique<Impl>()) {}

Simulator::~Simulator() {
  Stop();
}

void Simulator::AddBlog(const BlogSpec& spec) {
  std::lock_guard lock(impl_->mutex);
  impl_->service.AddBlog(spec);
}

void Simulator::AddFault(const FaultSpec& fault) {
  std::lock_guard lock(impl_->mutex);
  impl_->faults.Add(fault);
}

void Simulator::ClearFaults() {
  std::lock_guard lock(impl_->mutex);
  impl_->faults.Clear();
}

void Simulator::SetLatestBuild(int build, std::string link) {
  std::lock_guard lock(impl_->mutex);
  impl_->service.SetLatestBuild(build, std::move(link));
}

std::string Simulator::Start(uint16_t port) {
  if (impl_->server) throw std::logic_error("the simulator is already serving");
  auto server = std::make_unique<httplib::Server>();
  server->new_task_queue = [] { return new ConnectionThreads; };
  // One request per connection: a stop then never waits for a client's idle connection.
  server->set_keep_alive_max_count(1);
  server->set_keep_alive_timeout(kQuietConnectionSeconds);
  server->Get(".*", [impl = impl_.get()](const httplib::Request& request, httplib::Response& response) {
    impl->Handle(request, response);
  });
  int boundPort = port;
  if (port == 0) {
    boundPort = server->bind_to_any_port(kLocalHost);
  } else if (!server->bind_to_port(kLocalHost, port)) {
    boundPort = -1;
  }
  if (boundPort <= 0) throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));

  impl_->SetStopping(false);
  {
    std::lock_guard lock(impl_->mutex);
    impl_->lastActivity = std::chrono::steady_clock::now();
  }
  impl_->listener = std::thread([raw = server.get()] { raw->listen_after_bind(); });
  // A stop that came before the server runs would be lost, and the listener never ended.
  while (!server->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  impl_->server = std::move(server);
  return std::string("http://") + kLocalHost + ":" + std::to_string(boundPort);
}

void Simulator::Stop() {
  if (!impl_->server) return;
  impl_->SetStopping(true);
  impl_->server->stop();
  impl_->listener.join();
  impl_->server.reset();
}

std::vector<LoggedRequest> Simulator::Requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->log;
}

void Simulator::ClearRequests() {
  std::lock_guard lock(impl_->mutex);
  impl_->log.clear();
}

std::chrono::steady_clock::time_point Simulator::LastActivity() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->lastActivity;
}

std::vector<std::vector<PostModel>> Simulator::Pages(const std::string& blogId) const {
  std::lock_guard lock(impl_->mutex);
  return impl_->service.Pages(blogId);
}

std::string Simulator::Body(const std::string& url) const {
  const RequestUrl parsed = ParseRequestUrl(url, "");
  std::lock_guard lock(impl_->mutex);
  const Reply reply = impl_->service.AnswerLoggedIn(parsed);
  return reply.status == 200 ? reply.body : std::string();
}

}  // namespace plimo::sim
