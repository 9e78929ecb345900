#include "net/reply_headers.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace plimo {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

// The value of "Name: value" when the line carries that header.
std::optional<std::string_view> HeaderValue(std::string_view line, std::string_view name) {
  if (!StartsWithIgnoringCase(line, name) || line.size() <= name.size() || line[name.size()] != ':')
    return std::nullopt;
  return Trimmed(line.substr(name.size() + 1));
}

template <class Number>
std::optional<Number> WholeNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

bool ReplyHeaders::Take(std::string_view line) {
  if (StartsWithIgnoringCase(line, "HTTP/")) {
    StartReply(line);
    return false;
  }
  if (finalComplete_) return false;
  line = Trimmed(line);
  if (line.empty()) {
    // Informational replies come before the real one; a redirect with somewhere to go is followed.
    const bool informational = status_ < 200;
    const bool followed = status_ >= 300 && status_ < 400 && hasLocation_;
    finalComplete_ = status_ != 0 && !informational && !followed;
    return finalComplete_;
  }
  if (std::optional<std::string_view> value = HeaderValue(line, "Location")) {
    hasLocation_ = !value->empty();
  } else if (std::optional<std::string_view> length = HeaderValue(line, "Content-Length")) {
    contentLength_ = WholeNumber<uint64_t>(*length);
  } else if (std::optional<std::string_view> retry = HeaderValue(line, "Retry-After")) {
    retryAfter_ = std::string(*retry);
  }
  return false;
}

void ReplyHeaders::StartReply(std::string_view statusLine) {
  *this = ReplyHeaders();
  const std::string_view::size_type space = statusLine.find(' ');
  if (space == std::string_view::npos) return;
  std::string_view rest = statusLine.substr(space + 1);
  status_ = WholeNumber<long>(Trimmed(rest.substr(0, rest.find(' ')))).value_or(0);
}

int ReplyHeaders::RetryAfterSeconds(std::time_t now) const {
  if (!retryAfter_) return -1;
  if (std::optional<long long> seconds = WholeNumber<long long>(*retryAfter_))
    return static_cast<int>(std::clamp<long long>(*seconds, 0, std::numeric_limits<int>::max()));
  const std::time_t when = curl_getdate(retryAfter_->c_str(), nullptr);
  if (when == -1) return -1;
  return static_cast<int>(std::clamp<long long>(when - now, 0, std::numeric_limits<int>::max()));
}

}  // namespace plimo
