#include <cstring>

#include "archiver/media.hpp"
#include "archiver/media_kinds.hpp"

namespace plimo {
namespace {

// A list page full of the prefix in unusable places is not worth scanning to its end.
constexpr int kMostPassedOverOnListPage = 4096;
constexpr int kTabDistanceBeforeEmoticon = 11;

bool IsAcceptedDelimiter(const MediaKindRow& row, char byte) {
  return byte != '\0' && std::strchr(row.delimiters, byte) != nullptr;
}

// A quoted URL ends at the matching quote. A URL that stands as the text of an element ends where
// that text does, or at a blank, which no URL holds; running on to the next '>' would take the
// closing tag into the URL and break it when the URL is replaced.
const char* ClosersOf(char delimiter) {
  switch (delimiter) {
    case '"':
      return "\"";
    case '\'':
      return "'";
    default:
      return "< \t\r\n";
  }
}

// The first of the closers at or after start, stepping over two-byte characters as Find does.
int FindCloser(const Text& text, const char* closers, int start) {
  const int length = static_cast<int>(text.size());
  for (int at = start; at < length && text[at] != '\0';) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (std::strchr(closers, byte) != nullptr) return at;
    at += (byte >= 0x81 && byte <= 0xFE && at + 1 < length) ? 2 : 1;
  }
  return -1;
}

}  // namespace

void CollectMediaUrls(const Text& text, MediaKind kind, MediaList& list, int32_t& commentCount) {
  const MediaKindRow& row = RowOf(kind);
  int passedOver = 0;
  int position = 0;
  for (;;) {
    const int url = Find(text, row.prefix, position);
    if (url < 0) return;
    if (row.needsTabBefore &&
        (url < kTabDistanceBeforeEmoticon || text[url - kTabDistanceBeforeEmoticon] != '\t')) {
      position = url + 1;
      continue;
    }
    if (row.scanned == ScannedText::CommentPage) ++commentCount;

    const char delimiter = url > 0 ? text[url - 1] : '\0';
    if (!IsAcceptedDelimiter(row, delimiter)) {
      position = url + 1;
      if (row.scanned == ScannedText::ListPage && ++passedOver > kMostPassedOverOnListPage) return;
      continue;
    }
    const int close = FindCloser(text, ClosersOf(delimiter), url + 1);
    if (close < 0) return;
    list.urls.push_back(Mid(text, url, close - url));
    list.localNames.push_back(LocalMediaName(list.urls.back(), kind));
    position = close;
  }
}

}  // namespace plimo
