#include "archiver/media_kinds.hpp"

#include "net/endpoints.hpp"

namespace plimo {

const MediaKindRow& RowOf(MediaKind kind) {
  // clang-format off
  static const MediaKindRow rows[] = {
      // prefix          delimiters  folder    '/' becomes  domain gone  tab before  scanned in
      {BLOGFILES_PREFIX, "\"'>",     "images", "",          true,        false,      ScannedText::ListPage},
      {MFILES_PREFIX,    "\"'",      "files",  "",          true,        false,      ScannedText::ListPage},
      {AVICON_PREFIX,    "\"'",      "avicon", "_",         true,        false,      ScannedText::CommentPage},
      {EMOTICON_PREFIX,  "\"'",      "avicon", "",          false,       true,       ScannedText::CommentPage},
  };
  // clang-format on
  return rows[static_cast<int>(kind)];
}

}  // namespace plimo
