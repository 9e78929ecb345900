#include "support/archive_with_media.hpp"

#include "archiver/media.hpp"
#include "platform/files.hpp"

namespace plimo::bench {

ArchiveWithMedia::ArchiveWithMedia(const Text& page) : root_(folder_.program() + "\\archive") {
  for (const char* folder : {"", "\\images", "\\files", "\\comment", "\\avicon"})
    CreateFolder(root_ + folder);
  MediaList media;
  int32_t unused = 0;
  CollectMediaUrls(page, MediaKind::PostImage, media, unused);
  CollectMediaUrls(page, MediaKind::Attachment, media, unused);
  for (const Text& name : media.localNames)
    if (WriteTextFile(TargetOf(root_, name).path, "x", WriteMode::Create)) ++mediaFiles_;
}

}  // namespace plimo::bench
