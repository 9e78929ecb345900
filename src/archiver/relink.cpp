#include "archiver/relink.hpp"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

namespace plimo {
namespace {

// Every collected media URL starts with it, and it is what the one pass looks for.
constexpr std::string_view kScheme = "http://";

struct UrlLink {
  std::string_view url;
  const Text* link;
};

bool IsLeadByte(unsigned char byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

// Stepping through the bytes a character at a time lands on their end: no lead byte waits at the
// end for a second byte from whatever follows.
bool EndsOnCharacter(std::string_view bytes) {
  size_t at = 0;
  while (at < bytes.size()) at += IsLeadByte(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
  return at == bytes.size();
}

// Ends with "h", "ht", ... or "http:/", which the bytes after it could complete to the scheme.
bool EndsWithStartOfScheme(std::string_view bytes) {
  for (size_t length = 1; length < kScheme.size(); ++length)
    if (bytes.size() >= length && bytes.substr(bytes.size() - length) == kScheme.substr(0, length))
      return true;
  return false;
}

bool HasByte(std::string_view bytes, char byte) {
  return bytes.find(byte) != std::string_view::npos;
}

// A URL stands alone: the scheme only at its start and no part of it at its end, so no two URLs
// can overlap anywhere in a text.
bool IsPlainUrl(std::string_view url) {
  return url.substr(0, kScheme.size()) == kScheme && url.find(kScheme, 1) == std::string_view::npos &&
         !EndsWithStartOfScheme(url) && !HasByte(url, '\0') && EndsOnCharacter(url);
}

// A link can neither hold nor begin a URL. A URL that the text in front of a link and the link
// together would spell is what the pass itself looks out for.
bool IsPlainLink(std::string_view link) {
  return !link.empty() && link.find(kScheme) == std::string_view::npos && !EndsWithStartOfScheme(link) &&
         !HasByte(link, '\0') && EndsOnCharacter(link);
}

// The URLs in byte order, each once with its first link; empty when one pass might differ from
// replacing in turn.
std::vector<UrlLink> OnePassTable(const std::vector<Text>& urls, const std::vector<Text>& links) {
  std::vector<UrlLink> table;
  for (size_t i = 0; i < urls.size(); ++i) {
    if (!IsPlainUrl(urls[i]) || !IsPlainLink(links[i])) return {};
    table.push_back({urls[i], &links[i]});
  }
  // A URL repeated in the list was replaced everywhere by its first link already.
  std::stable_sort(table.begin(), table.end(),
                   [](const UrlLink& a, const UrlLink& b) { return a.url < b.url; });
  table.erase(std::unique(table.begin(), table.end(),
                          [](const UrlLink& a, const UrlLink& b) { return a.url == b.url; }),
              table.end());
  // With no URL a prefix of another, at most one URL matches at any place.
  for (size_t i = 1; i < table.size(); ++i)
    if (table[i].url.substr(0, table[i - 1].url.size()) == table[i - 1].url) return {};
  return table;
}

// The one URL of the table that the text holds at this place, if any.
const UrlLink* UrlAt(const std::vector<UrlLink>& table, std::string_view rest) {
  const auto after =
      std::upper_bound(table.begin(), table.end(), rest,
                       [](std::string_view bytes, const UrlLink& entry) { return bytes < entry.url; });
  if (after == table.begin()) return nullptr;
  const UrlLink& candidate = *std::prev(after);
  return rest.substr(0, candidate.url.size()) == candidate.url ? &candidate : nullptr;
}

// Whether putting the link in place might complete a URL that starts in the text right before it,
// as "http://blogfiles1.plimo.kr/a.gi" followed by a link beginning with "f": replacing in turn
// would then replace that URL too. A URL that runs on past the link is counted in as well, whatever
// follows the link.
bool MayCompleteUrl(const std::vector<UrlLink>& table, std::string_view before, std::string_view link) {
  auto entry = std::lower_bound(
      table.begin(), table.end(), before,
      [](const UrlLink& candidate, std::string_view bytes) { return candidate.url < bytes; });
  for (; entry != table.end() && entry->url.substr(0, before.size()) == before; ++entry) {
    const std::string_view rest = entry->url.substr(before.size());
    const size_t shared = std::min(rest.size(), link.size());
    if (!rest.empty() && rest.substr(0, shared) == link.substr(0, shared)) return true;
  }
  return false;
}

// False, with the text untouched, when the text turns out to hold a URL that replacing in turn
// would make.
bool RelinkInOnePass(Text& text, const std::vector<UrlLink>& table) {
  const char* bytes = text.data();
  // Replace never looks past the first NUL byte, and no URL or link holds one.
  const void* nul = std::memchr(bytes, '\0', text.size());
  const size_t end = nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes) : text.size();

  Text result;
  size_t copied = 0;
  size_t knownBoundary = 0;
  size_t from = 0;
  // Where the last scheme that starts a character but no URL of the table stands: no URL holds the
  // scheme after its start, so only from there could the text and the next link together spell a
  // URL; once that link is seen not to, no URL can start there and reach past it.
  std::optional<size_t> openScheme;
  while (from < end) {
    const void* hit = ::memmem(bytes + from, end - from, kScheme.data(), kScheme.size());
    if (!hit) break;
    const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - bytes);
    // Whether the match starts a character is told as Find tells it: by the run of lead-range bytes
    // before it, back to the last place known to start one.
    size_t runStart = at;
    while (runStart > knownBoundary && IsLeadByte(static_cast<unsigned char>(bytes[runStart - 1])))
      --runStart;
    const bool startsCharacter = (at - runStart) % 2 == 0;
    const UrlLink* url = startsCharacter ? UrlAt(table, std::string_view(bytes + at, end - at)) : nullptr;
    if (!url) {
      openScheme = startsCharacter ? std::optional<size_t>(at) : std::nullopt;
      // Either the second byte of a character or an 'h' of its own: the next character starts after it.
      knownBoundary = from = at + 1;
      continue;
    }
    if (openScheme &&
        MayCompleteUrl(table, std::string_view(bytes + *openScheme, at - *openScheme), *url->link))
      return false;
    openScheme.reset();
    if (result.empty()) result.reserve(text.size());
    result.append(text, copied, at - copied);
    result += *url->link;
    knownBoundary = from = copied = at + url->url.size();
  }
  if (copied == 0) return true;
  result.append(text, copied, Text::npos);
  text.swap(result);
  return true;
}

}  // namespace

void RelinkUrls(Text& text, const std::vector<Text>& urls, const std::vector<Text>& links) {
  const std::vector<UrlLink> table = OnePassTable(urls, links);
  if (!table.empty() && RelinkInOnePass(text, table)) return;
  for (size_t i = 0; i < urls.size(); ++i) Replace(text, urls[i], links[i]);
}

}  // namespace plimo
