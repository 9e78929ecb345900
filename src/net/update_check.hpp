// Once at start: does the developer's host announce a newer build?
#pragma once

#include <optional>
#include <string>

#include "net/internet_session.hpp"
#include "net/text.hpp"

namespace plimo {

inline constexpr int kBuildNumber = 33;

// The link to a newer build when the version text announces one, cut at its first line break
// and only when it is an http:// or https:// URL; nothing otherwise.
std::optional<Text> ReadUpdateLink(const Text& versionText);

// Fetches the version text and returns ReadUpdateLink of it. Silent on every failure.
std::optional<Text> CheckForUpdate(const InternetSession& session);

}  // namespace plimo
