// Relinking a page's media in one pass against replacing one URL after another, on arbitrary page
// text with the URLs that the media scan collects from it and the links that the archive gives them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "archiver/media.hpp"
#include "archiver/relink.hpp"
#include "silent_view.hpp"

namespace plimo {
namespace {

struct KindsOfOnePass {
  MediaKind first;
  MediaKind second;
  const char* linkFront;  // comment pages link from their own folder
};

void CompareRelinking(const Text& page, const KindsOfOnePass& kinds) {
  MediaList list;
  int32_t commentCount = 0;
  CollectMediaUrls(page, kinds.first, list, commentCount);
  CollectMediaUrls(page, kinds.second, list, commentCount);
  std::vector<Text> links;
  for (const Text& name : list.localNames) {
    Text link = TargetOf("C:\\archive", name).link;
    Replace(link, "\\", "/");
    links.push_back(kinds.linkFront + link);
  }
  Text relinked = page;
  RelinkUrls(relinked, list.urls, links);
  Text inTurn = page;
  for (size_t i = 0; i < list.urls.size(); ++i) Replace(inTurn, list.urls[i], links[i]);
  if (relinked != inTurn) fuzz::Violated("one pass relinks as replacing in turn does", page);
}

}  // namespace
}  // namespace plimo

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const plimo::Text page(reinterpret_cast<const char*>(data), size);
  plimo::CompareRelinking(page, {plimo::MediaKind::PostImage, plimo::MediaKind::Attachment, ""});
  plimo::CompareRelinking(page, {plimo::MediaKind::Avicon, plimo::MediaKind::Emoticon, "../"});
  return 0;
}
