// Media URLs in page text become local files in the archive and relative links to them.
#pragma once

#include <vector>

#include "archiver/backup_run.hpp"
#include "net/download_file.hpp"
#include "net/text.hpp"

namespace plimo {

enum class MediaKind { PostImage, Attachment, Avicon, Emoticon };

struct MediaList {
  std::vector<Text> urls;
  std::vector<Text> localNames;  // relative to the archive root, such as images\...
};

// Comment-page kinds add to commentCount; list-page kinds leave it alone.
void CollectMediaUrls(const Text& text, MediaKind kind, MediaList& list, int32_t& commentCount);

Text LocalMediaName(const Text& url, MediaKind kind);

// Where the file of a local name is saved under the archive root, and the name the text links it by:
// the local name itself wherever that still reaches the saved file.
struct MediaTarget {
  Text path;
  Text link;
};
MediaTarget TargetOf(const Text& archiveRoot, const Text& localName);

enum class LinkForm { FromRoot, FromCommentFolder };

void DownloadAndRelink(BackupRun& run, MediaList& list, Text& text, LinkForm form, Pause pause);

void LocaliseLayoutImages(BackupRun& run);
void LocalisePageFiles(BackupRun& run, Text& text, int n);
void LocaliseCommentIcons(BackupRun& run, Text& comment, int n);

}  // namespace plimo
