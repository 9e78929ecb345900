#include "runs/plain_fetch_loop.hpp"

#include <curl/curl.h>

#include <memory>

namespace plimo::bench {
namespace {

size_t Keep(char* bytes, size_t size, size_t count, void* body) {
  static_cast<std::string*>(body)->append(bytes, size * count);
  return size * count;
}

struct EasyCloser {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

}  // namespace

LoopResult FetchOneAfterAnother(const std::vector<std::string>& urls) {
  LoopResult result;
  const auto start = std::chrono::steady_clock::now();
  std::unique_ptr<CURL, EasyCloser> curl(curl_easy_init());
  std::string body;
  curl_easy_setopt(curl.get(), CURLOPT_COOKIEFILE, "");
  curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &Keep);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
  for (const std::string& url : urls) {
    body.clear();
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    long status = 0;
    if (curl_easy_perform(curl.get()) == CURLE_OK)
      curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status != 200) ++result.failed;
    result.bytes += body.size();
  }
  curl.reset();
  result.wall = std::chrono::steady_clock::now() - start;
  return result;
}

}  // namespace plimo::bench
