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
    const int close = Find(text, Text(1, delimiter), url + 1);
    if (close < 0) return;
    list.urls.push_back(Mid(text, url, close - url));
    list.localNames.push_back(LocalMediaName(list.urls.back(), kind));
    position = close;
  }
}

}  // namespace plimo
