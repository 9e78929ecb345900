#include "net/request_url.hpp"

#include <curl/curl.h>
#include <strings.h>

#include <memory>

namespace plimo {
namespace {

struct UrlCloser {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

struct CurlStringFree {
  void operator()(char* text) const { curl_free(text); }
};

using CurlString = std::unique_ptr<char, CurlStringFree>;

CurlString GetPart(CURLU* url, CURLUPart part) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, 0) != CURLUE_OK) return nullptr;
  return CurlString(text);
}

}  // namespace

Text EscapeForRequestLine(const Text& url) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  Text escaped;
  escaped.reserve(url.size());
  for (unsigned char byte : url) {
    if (byte == ' ' || byte > 127) {
      escaped += '%';
      escaped += kHexDigits[byte >> 4];
      escaped += kHexDigits[byte & 0x0F];
    } else {
      escaped += static_cast<char>(byte);
    }
  }
  return escaped;
}

std::optional<Text> RequestUrl(const Text& url) {
  std::unique_ptr<CURLU, UrlCloser> parsed(curl_url());
  if (!parsed) return std::nullopt;
  // No scheme guessing: a URL without its scheme is the caller's to complete or to refuse.
  if (curl_url_set(parsed.get(), CURLUPART_URL, EscapeForRequestLine(url).c_str(), 0) != CURLUE_OK)
    return std::nullopt;
  const CurlString scheme = GetPart(parsed.get(), CURLUPART_SCHEME);
  if (!scheme || (strcasecmp(scheme.get(), "http") != 0 && strcasecmp(scheme.get(), "https") != 0))
    return std::nullopt;
  const CurlString whole = GetPart(parsed.get(), CURLUPART_URL);
  if (!whole) return std::nullopt;
  return Text(whole.get());
}

}  // namespace plimo
