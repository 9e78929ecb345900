#include "sim/proxy_client.hpp"

#include <algorithm>
#include <cctype>

namespace plimo::test {
namespace {

size_t Append(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

// A redirect starts a new set of headers; only the last reply's are kept.
size_t AppendHeader(char* data, size_t size, size_t count, void* target) {
  auto* headers = static_cast<std::string*>(target);
  const std::string line(data, size * count);
  if (line.rfind("HTTP/", 0) == 0) headers->clear();
  *headers += line;
  return size * count;
}

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

}  // namespace

std::string HttpReply::Header(const std::string& name) const {
  const std::string lowerHeaders = LowerCase(headers);
  const size_t start = lowerHeaders.find("\r\n" + LowerCase(name) + ":");
  if (start == std::string::npos) return {};
  size_t valueStart = start + name.size() + 3;
  while (valueStart < headers.size() && headers[valueStart] == ' ') ++valueStart;
  return headers.substr(valueStart, headers.find("\r\n", valueStart) - valueStart);
}

ProxyClient::ProxyClient(const std::string& proxy) : handle_(curl_easy_init()) {
  curl_easy_setopt(handle_, CURLOPT_PROXY, proxy.c_str());
  curl_easy_setopt(handle_, CURLOPT_NOPROXY, "");
  curl_easy_setopt(handle_, CURLOPT_COOKIEFILE, "");
  curl_easy_setopt(handle_, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, Append);
  curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, AppendHeader);
}

ProxyClient::~ProxyClient() {
  curl_easy_cleanup(handle_);
}

HttpReply ProxyClient::Get(const std::string& url, std::chrono::milliseconds timeout) {
  HttpReply reply;
  curl_easy_setopt(handle_, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle_, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
  curl_easy_setopt(handle_, CURLOPT_WRITEDATA, &reply.body);
  curl_easy_setopt(handle_, CURLOPT_HEADERDATA, &reply.headers);
  const auto start = std::chrono::steady_clock::now();
  reply.code = curl_easy_perform(handle_);
  reply.took =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &reply.status);
  curl_easy_getinfo(handle_, CURLINFO_REDIRECT_COUNT, &reply.redirects);
  return reply;
}

}  // namespace plimo::test
