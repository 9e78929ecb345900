#include "index/index_page.hpp"

#include <optional>

#include "index/statistics.hpp"
#include "net/endpoints.hpp"
#include "net/fetch_page.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "platform/page_charset.hpp"

namespace plimo {
namespace {

constexpr const char* kTitleStart = "<title>";
constexpr const char* kTitleEnd = ":: Plimo  블로그</title>";

// The first line also names the page's language and code page: the page has no head of its own.
constexpr const char* kStyleSheetAndLanguage =
    "<LINK REL=\"StyleSheet\" HREF=\"paper.css\" type=\"text/css\"><meta http-equiv=\"Content-Language\" "
    "content=\"ko\">";
constexpr const char* kHeaderBlock =
    "<p>　</p>\n<p>　</p>\n<p>　</p>\n<p>　</p>\n<div align=\"center\">\n <center><table border='1' "
    "cellpadding='0' cellspacing='0' style='border-collapse: collapse' bordercolor='#111111' width='465' "
    "height='35'><tr><td width='4%' bordercolor='#339966' bgcolor='#339966'>　</td><td width='96%'>\n"
    "<p align=\"center\"><a href='P1.html'>";
constexpr const char* kHeaderClosing = "</a></td></tr></table></center>\n</div>";

constexpr const char* kWrapAroundPage = "<script>location.href='P1.html';</script>";

// The title sits before the service's own name in the home page's title element; spaces before
// "::" belong to the blog's title.
std::optional<Text> FindBlogTitle(const Text& homePage) {
  const Text titleStart = kTitleStart;
  const int start = Find(homePage, titleStart);
  if (start < 0) return {};
  const int titleBegin = start + static_cast<int>(titleStart.size());
  const int end = Find(homePage, Cp949(kTitleEnd), titleBegin);
  if (end < 0) return {};
  return Mid(homePage, titleBegin, end - titleBegin);
}

// A root chosen as the folder leaves a doubled separator in the path; a person sees it once, and
// with this system's separators.
Text CompletedStatus(const Text& backupDir) { return Format(Cp949("백업완료 (%s)"), DisplayPath(backupDir)); }

// The service could not give its home page this time. The header an earlier run wrote, cut before
// its statistics, keeps the blog's title for this run, so the archive ends with one statistics
// block and its help project with a title, as a run that found the title would leave them.
void KeepEarlierHeader(BackupRun& run) {
  const Text path = run.job.m_strBackupDir + "\\index.html";
  const std::optional<Text> earlier = ReadWholeFile(path);
  if (!earlier) return;
  const Text block = WithCrlfLineEnds(Cp949(kHeaderBlock));
  const Text closing = WithCrlfLineEnds(kHeaderClosing);
  const int begin = Find(*earlier, block);
  if (begin < 0) return;
  const int titleBegin = begin + static_cast<int>(block.size());
  const int end = Find(*earlier, closing, titleBegin);
  if (end < 0) return;
  run.vars.strBlogTitle = Mid(*earlier, titleBegin, end - titleBegin);
  const Text header = Left(*earlier, end + static_cast<int>(closing.size()));
  if (header.size() < earlier->size() && !WriteTextFile(path, header, WriteMode::Create)) run.writeFailed = true;
}

}  // namespace

void WriteIndexHeader(BackupRun& run) {
  const BackupJob& job = run.job;
  const Text url = Text("http://") + BLOG_HOST + "/" + job.m_strBlogId + ".do";
  const std::optional<Text> title = FindBlogTitle(FetchPage(job.m_inet, url, job.m_settings));
  if (!title) {
    KeepEarlierHeader(run);
    return;
  }
  run.vars.strBlogTitle = *title;
  const Text firstLine = Text(kStyleSheetAndLanguage) + kPageCharset + "\n";
  const Text header = firstLine + Cp949(kHeaderBlock) + *title + kHeaderClosing;
  if (!WriteTextFile(job.m_strBackupDir + "\\index.html", header, WriteMode::Create)) run.writeFailed = true;
}

void FinishArchive(BackupRun& run) {
  BackupJob& job = run.job;
  job.m_strStatus = CompletedStatus(job.m_strBackupDir);
  run.view.SetStatusText(job.m_strStatus);

  // With no list page saved the page after the last would be page 1 itself, and pointing it at
  // itself would make it a page that reloads forever.
  const int32_t endPage = run.vars.nListPage;
  if (endPage > 1 && !WriteTextFile(job.m_strBackupDir + FormatText("\\P%d.html", endPage), kWrapAroundPage,
                                    WriteMode::Create))
    run.writeFailed = true;

  PostingFigures figures{run.vars.strNewestDate, run.vars.strOldestDate, run.vars.nPostTotal,
                         run.vars.nCommentCount};
  // The count comes from the blog's main page; where it could not be read there, the posts this
  // run found are the better answer than none.
  if (figures.postTotal <= 0) figures.postTotal = run.vars.nPostsFound;
  if (!WriteTextFile(job.m_strBackupDir + "\\index.html", FormatStatistics(figures), WriteMode::Append))
    run.writeFailed = true;
}

}  // namespace plimo
