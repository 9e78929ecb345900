// The local-name rule and the point where a name becomes a path: whatever a page's URL or comment
// link holds, the file lands inside the archive folder and the page's link stays inside it too.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "archiver/comment_pages.hpp"
#include "archiver/media.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "silent_view.hpp"

namespace plimo {
namespace {

const Text& ArchiveRoot() {
  static const Text root = "\\home\\someone\\" + Cp949("블로그백업");
  return root;
}

// The saved file is below the archive root, in the folder its kind names at most one level down,
// with a name the file system holds.
void CheckPath(const Text& path, const Text& input) {
  if (path.find('\0') != Text::npos) fuzz::Violated("no NUL in a path", input);
  const std::filesystem::path root = NativePath(ArchiveRoot()).lexically_normal();
  const std::filesystem::path native = NativePath(path).lexically_normal();
  const std::filesystem::path relative = native.lexically_relative(root);
  if (relative.empty() || *relative.begin() == ".." || relative == ".")
    fuzz::Violated("the path stays inside the archive folder", input);
  if (std::distance(relative.begin(), relative.end()) > 2) fuzz::Violated("one folder deep at most", input);
  if (native.filename().native().size() > 255 - 32) fuzz::Violated("a name the file system holds", input);
}

// The link as a browser resolves it against a page in the archive root: tabs and line breaks
// dropped, query and fragment cut off, backslashes read as slashes, escapes decoded.
void CheckLink(const Text& link, const Text& input) {
  std::string path;
  for (size_t i = 0; i < link.size(); ++i) {
    const char byte = link[i];
    if (byte == '?' || byte == '#') break;
    if (byte == '\t' || byte == '\n' || byte == '\r') continue;
    if (byte == '%' && i + 2 < link.size()) {
      path += static_cast<char>(std::stoi(link.substr(i + 1, 2), nullptr, 16) & 0xFF);
      i += 2;
      continue;
    }
    path += byte == '\\' ? '/' : byte;
  }
  if (!path.empty() && path.front() == '/') fuzz::Violated("a relative link", input);
  const std::filesystem::path normal = std::filesystem::path(path).lexically_normal();
  if (!normal.empty() && *normal.begin() == "..") fuzz::Violated("the link stays inside the archive", input);
}

bool IsHexDigit(char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'f') || (byte >= 'A' && byte <= 'F');
}

// Only escapes a browser would decode are decoded above; others are read as they stand.
Text WithValidEscapesOnly(const Text& link) {
  Text kept;
  for (size_t i = 0; i < link.size(); ++i) {
    const bool escape =
        link[i] == '%' && i + 2 < link.size() && IsHexDigit(link[i + 1]) && IsHexDigit(link[i + 2]);
    kept += link[i] == '%' && !escape ? Text("%25") : Text(1, link[i]);
  }
  return kept;
}

void CheckMediaName(MediaKind kind, const Text& url) {
  const MediaTarget target = TargetOf(ArchiveRoot(), LocalMediaName(url, kind));
  CheckPath(target.path, url);
  CheckLink(WithValidEscapesOnly(target.link), url);
}

void CheckCommentPage(const CommentLink& link, const Text& input) {
  const CommentPageFile file = CommentPageFileOf(ArchiveRoot(), link);
  CheckPath(file.path, input);
  if (file.link.compare(0, ArchiveRoot().size(), ArchiveRoot()) != 0)
    fuzz::Violated("the comment link names the archive's comment folder", input);
  CheckLink(WithValidEscapesOnly(file.link.substr(ArchiveRoot().size() + 1)), input);
}

}  // namespace
}  // namespace plimo

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plimo;
  FuzzedDataProvider input(data, size);
  const auto choice = input.ConsumeIntegralInRange<int>(0, 5);
  const Text bytes = input.ConsumeRemainingBytesAsString();
  switch (choice) {
    case 0:
      CheckMediaName(MediaKind::PostImage, bytes);
      break;
    case 1:
      CheckMediaName(MediaKind::Attachment, bytes);
      break;
    case 2:
      CheckMediaName(MediaKind::Avicon, bytes);
      break;
    case 3:
      CheckMediaName(MediaKind::Emoticon, bytes);
      break;
    case 4:
      CheckCommentPage(ReadCommentLink(bytes), bytes);
      break;
    default: {
      FuzzedDataProvider parts(data, size);
      CommentLink link;
      link.kind = parts.ConsumeIntegral<int>();
      link.listNumber = parts.ConsumeIntegral<int>();
      link.postNumber = parts.ConsumeRemainingBytesAsString();
      CheckCommentPage(link, bytes);
    }
  }
  return 0;
}
