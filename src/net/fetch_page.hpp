// Fetching a page as text in memory.
#pragma once

#include "net/internet_session.hpp"
#include "net/text.hpp"

namespace plimo {

struct RunSettings;

// What a caller may want to know of the reply beyond its body.
struct FetchReply {
  long status = 0;              // HTTP status of the final reply; 0 when none arrived
  int retryAfterSeconds = -1;   // the Retry-After header in seconds; -1 when absent
};

// The body with every CR removed and every line, the last included, ended by CR LF; the empty
// body stays empty.
Text NormaliseLineEnds(const Text& body);

// The reply body with every CR removed and every line, the last included, ended by CR LF. The
// empty text when the URL has no scheme, cannot be opened, the body is empty or breaks off
// half-way. The status is not looked at; a caller that cares passes a FetchReply.
Text FetchPage(const InternetSession& session, const Text& url, const RunSettings& settings,
               FetchReply* reply = nullptr);

}  // namespace plimo
