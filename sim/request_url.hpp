// The URL of a request that reached the proxy, taken apart, and the query values in it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plimo::sim {

struct RequestUrl {
  std::string host;   // lower case, without a port
  std::string path;   // from the first '/' up to the '?', as sent
  std::string query;  // after the '?', as sent

  // "http://" + host + path, then '?' and the query when there is one.
  std::string Full() const;
};

// target is the request line's target: the whole URL when the request came through a proxy, only the
// path and query when it came straight to us, in which case the Host header names the host.
RequestUrl ParseRequestUrl(std::string_view target, std::string_view hostHeader);

// The value of the first parameter of that name, percent-decoded with '+' as a space, as the service's
// form decoding does; nothing when the query lacks it.
std::optional<std::string> QueryValue(std::string_view query, std::string_view name);

std::string PercentDecode(std::string_view text);

// A redirect sends a request to the same content under this path prefix of the same host.
inline constexpr std::string_view kMovedPrefix = "/_moved";
RequestUrl MovedElsewhere(const RequestUrl& url);
// Takes the prefix off a redirected request; false when the request was not redirected.
bool TakeMovedPrefix(RequestUrl& url);

}  // namespace plimo::sim
