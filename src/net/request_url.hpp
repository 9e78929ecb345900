// Turning a URL as a page gives it into one that a request line can carry.
#pragma once

#include <optional>

#include "net/text.hpp"

namespace plimo {

// Spaces and bytes above 127 as %XX; everything else, existing %XX escapes included, stays.
Text EscapeForRequestLine(const Text& url);

// The URL split and put together again, escaped for the request line; nothing when it has no
// http or https scheme or cannot be split.
std::optional<Text> RequestUrl(const Text& url);

}  // namespace plimo
