#include "net/internet_session.hpp"

#include <curl/curl.h>

#include <array>
#include <mutex>

#include "job/run_settings.hpp"
#include "platform/codepage.hpp"

namespace plimo {
namespace {

// libcurl must be set up once per process before any thread uses it.
void InitialiseLibcurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

struct InternetSession::Shared {
  CURLSH* share = nullptr;
  std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;

  static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* user) {
    static_cast<Shared*>(user)->locks[static_cast<size_t>(data)].lock();
  }
  static void Unlock(CURL*, curl_lock_data data, void* user) {
    static_cast<Shared*>(user)->locks[static_cast<size_t>(data)].unlock();
  }
};

InternetSession::InternetSession() : shared_(std::make_unique<Shared>()) {
  InitialiseLibcurlOnce();
  shared_->share = curl_share_init();
  curl_share_setopt(shared_->share, CURLSHOPT_LOCKFUNC, &Shared::Lock);
  curl_share_setopt(shared_->share, CURLSHOPT_UNLOCKFUNC, &Shared::Unlock);
  curl_share_setopt(shared_->share, CURLSHOPT_USERDATA, shared_.get());
  curl_share_setopt(shared_->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
  curl_share_setopt(shared_->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
  // Connections stay with their request: libcurl does not make a shared connection cache safe for
  // threads that run at once, and the login, the update check and the worker may.
}

InternetSession::~InternetSession() { curl_share_cleanup(shared_->share); }

void InternetSession::HandleCloser::operator()(CURL* handle) const { curl_easy_cleanup(handle); }

InternetSession::Handle InternetSession::NewRequest(const Text& url, const RunSettings& settings) const {
  Handle handle(curl_easy_init());
  if (!handle) return handle;
  CURL* curl = handle.get();
  curl_easy_setopt(curl, CURLOPT_SHARE, shared_->share);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 20L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, Cp949("Plimo 블로그 백업 프로그램").c_str());
  curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
  // A proxy's tunnel reply is not the server's; only the server's replies reach the callers.
  curl_easy_setopt(curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.connectBound.count()));
  // A body slower than one byte a second for the whole stall bound counts as stopped.
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                   static_cast<long>(std::chrono::ceil<std::chrono::seconds>(settings.stallBound).count()));
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  return handle;
}

}  // namespace plimo
