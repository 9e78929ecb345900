// The four media kinds: where each is looked for, how its URLs are delimited and named, and where its files
// go.
#pragma once

#include "archiver/media.hpp"

namespace plimo {

enum class ScannedText { ListPage, CommentPage };

struct MediaKindRow {
  const char* prefix;
  // The bytes that may stand just before the URL; the same byte closes it.
  const char* delimiters;
  const char* folder;
  // What each '/' of the URL becomes in the local name.
  const char* slashReplacement;
  bool removesFileDomain;
  // Emoticons of the comment list stand in a table cell whose tab lies 11 bytes before the URL.
  bool needsTabBefore;
  ScannedText scanned;
};

const MediaKindRow& RowOf(MediaKind kind);

}  // namespace plimo
