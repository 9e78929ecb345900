// The page steps on arbitrary page text: list-page conversion written to a file, titles and dates,
// comment-page rewriting and links, and media collection, all under ASan and UBSan.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "archiver/backup_run.hpp"
#include "archiver/comment_pages.hpp"
#include "archiver/list_page.hpp"
#include "archiver/media.hpp"
#include "archiver/post_analysis.hpp"
#include "platform/files.hpp"
#include "silent_view.hpp"

namespace plimo {
namespace {

// The folder the converted pages are written to, made once for the whole fuzzing process.
const Text& PageFolder() {
  static const Text folder = [] {
    std::string name = "/tmp/plimo-fuzz-XXXXXX";
    if (!::mkdtemp(name.data())) fuzz::Violated("a folder for the pages", name);
    return *ProgramPath(name);
  }();
  return folder;
}

void ConvertListPage(BackupRun& run, const Text& page, int n) {
  Text text = ComposeListPage(page, n);
  std::unique_ptr<PendingFile> file = OpenPageFile(run.view, PageFolder() + "\\P1.html");
  if (!file) fuzz::Violated("the page file opens", PageFolder());
  const Text titles = AnalyseListPage(run, text, n);
  CollectPostDates(run.vars, text, n);
  if (!FinishListPage(text, titles, *file)) fuzz::Violated("the page file is written", PageFolder());
  run.job.EmptyCollectedArrays();
}

void ReadCommentLinks(const Text& page) {
  ReadCommentLink(page);
  const Text marker = "onclick=\"sublayer(";
  int found = 0;
  for (int at = Find(page, marker); at >= 0 && found < 64; at = Find(page, marker, at + 1), ++found)
    ReadCommentLink(Mid(page, at));
}

void CollectMedia(const Text& page) {
  int32_t commentCount = 0;
  for (MediaKind kind :
       {MediaKind::PostImage, MediaKind::Attachment, MediaKind::Avicon, MediaKind::Emoticon}) {
    MediaList list;
    CollectMediaUrls(page, kind, list, commentCount);
    for (const Text& url : list.urls) TargetOf(PageFolder(), LocalMediaName(url, kind));
  }
}

}  // namespace
}  // namespace plimo

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plimo;
  static BackupJob job;
  static fuzz::SilentView view;
  job.m_strBlogId = "blogger";
  BackupRun run{job, view, {}};
  const Text page(reinterpret_cast<const char*>(data), size);
  const int n = 1 + static_cast<int>(size % 4);

  ConvertListPage(run, page, n);
  AnalyseListPage(run, page, n);
  CollectPostDates(run.vars, page, n);
  job.EmptyCollectedArrays();

  for (int kind : {1, 2}) {
    Text comment = page;
    RewriteCommentPage(comment, kind);
  }
  ReadCommentLinks(page);
  CollectMedia(page);
  return 0;
}
