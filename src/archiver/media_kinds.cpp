#include "archiver/media_kinds.hpp"

#include "net/endpoints.hpp"

namespace plimo {

const MediaKindRow& RowOf(MediaKind kind) {
  static const MediaKindRow postImage{BLOGFILES_PREFIX, "\"'>", "images", "", true, false, ScannedText::ListPage};
  static const MediaKindRow attachment{MFILES_PREFIX, "\"'", "files", "", true, false, ScannedText::ListPage};
  static const MediaKindRow avicon{AVICON_PREFIX, "\"'", "avicon", "_", true, false, ScannedText::CommentPage};
  static const MediaKindRow emoticon{EMOTICON_PREFIX, "\"'", "avicon", "", false, true, ScannedText::CommentPage};
  switch (kind) {
    case MediaKind::PostImage:
      return postImage;
    case MediaKind::Attachment:
      return attachment;
    case MediaKind::Avicon:
      return avicon;
    case MediaKind::Emoticon:
      return emoticon;
  }
  return postImage;
}

}  // namespace plimo
