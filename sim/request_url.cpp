#include "sim/request_url.hpp"

#include <cctype>

namespace plimo::sim {
namespace {

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& byte : lower) byte = static_cast<char>(std::tolower(static_cast<unsigned char>(byte)));
  return lower;
}

std::string HostWithoutPort(std::string_view hostAndPort) {
  const size_t colon = hostAndPort.find(':');
  return LowerCase(hostAndPort.substr(0, colon));
}

int HexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

}  // namespace

std::string RequestUrl::Full() const {
  std::string full = "http://" + host + path;
  if (!query.empty()) full += "?" + query;
  return full;
}

RequestUrl ParseRequestUrl(std::string_view target, std::string_view hostHeader) {
  RequestUrl url;
  constexpr std::string_view scheme = "http://";
  std::string_view rest = target;
  if (rest.size() >= scheme.size() && LowerCase(rest.substr(0, scheme.size())) == scheme) {
    rest.remove_prefix(scheme.size());
    const size_t hostEnd = rest.find_first_of("/?");
    url.host = HostWithoutPort(rest.substr(0, hostEnd));
    rest = hostEnd == std::string_view::npos ? std::string_view() : rest.substr(hostEnd);
  } else {
    url.host = HostWithoutPort(hostHeader);
  }
  const size_t queryStart = rest.find('?');
  url.path = std::string(rest.substr(0, queryStart));
  if (url.path.empty() || url.path[0] != '/') url.path.insert(0, "/");
  if (queryStart != std::string_view::npos) url.query = std::string(rest.substr(queryStart + 1));
  return url;
}

std::string PercentDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      decoded += ' ';
    } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
               HexValue(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

std::optional<std::string> QueryValue(std::string_view query, std::string_view name) {
  while (!query.empty()) {
    const size_t end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    const size_t equals = pair.find('=');
    if (pair.substr(0, equals) == name) {
      return equals == std::string_view::npos ? std::string() : PercentDecode(pair.substr(equals + 1));
    }
    if (end == std::string_view::npos) break;
    query.remove_prefix(end + 1);
  }
  return std::nullopt;
}

RequestUrl MovedElsewhere(const RequestUrl& url) {
  RequestUrl moved = url;
  moved.path.insert(0, kMovedPrefix);
  return moved;
}

bool TakeMovedPrefix(RequestUrl& url) {
  if (url.path.rfind(kMovedPrefix, 0) != 0 || url.path.size() == kMovedPrefix.size() ||
      url.path[kMovedPrefix.size()] != '/') {
    return false;
  }
  url.path.erase(0, kMovedPrefix.size());
  return true;
}

}  // namespace plimo::sim
