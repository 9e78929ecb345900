#include "archiver/media.hpp"
#include "archiver/media_kinds.hpp"
#include "archiver/safe_file_name.hpp"
#include "net/endpoints.hpp"

namespace plimo {

Text LocalMediaName(const Text& url, MediaKind kind) {
  const MediaKindRow& row = RowOf(kind);
  Text name = url;
  Replace(name, row.prefix, "");
  Replace(name, "/", row.slashReplacement);
  if (row.removesFileDomain) Replace(name, FILE_DOMAIN, "");
  // Escapes are not decoded, only disarmed: a link without '%' names the file as it is spelt on disk.
  Replace(name, "%", "");
  return Text(row.folder) + "\\" + name;
}

MediaTarget TargetOf(const Text& archiveRoot, const Text& localName) {
  const size_t separator = localName.find('\\');
  const Text folder = separator == Text::npos ? Text() : localName.substr(0, separator + 1);
  const SafeFileName file =
      MakeSafeFileName(separator == Text::npos ? localName : localName.substr(separator + 1));
  const Text savedName = folder + file.name;
  return {archiveRoot + "\\" + savedName, file.reachedByOriginal ? localName : savedName};
}

}  // namespace plimo
