#include "archiver/comment_pages.hpp"

#include <algorithm>

#include "archiver/media.hpp"
#include "net/fetch_page.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

constexpr int kCommentListTries = 3;

// A list that broke off, arrived empty or as a busy page would stand in the archive as a post
// without comments while the run reports success, so it is asked for again a few times. The
// service's own answers, such as 404, are kept as they came.
Text FetchCommentList(const BackupJob& job, const Text& url, FetchReply& reply) {
  RunSettings::Duration pause = job.m_settings.firstRetryPause;
  for (int attempt = 1;; ++attempt) {
    Text list = FetchPage(job.m_inet, url, job.m_settings, &reply);
    const bool busy = reply.status == 429 || reply.status >= 500;
    if ((!list.empty() && !busy) || attempt >= kCommentListTries || !job.PauseUnlessStopped(pause))
      return list;
    pause = std::min(pause * 2, job.m_settings.longestRetryPause);
  }
}

}  // namespace

void SaveCommentPages(BackupRun& run, Text& text, int n) {
  const Text marker = "onclick=\"sublayer";
  const int linkBytes = 50;
  // Kept apart until the scan is over: a hidden link holds a post number from the page, which must
  // not be taken for a comment link of its own.
  Text hiddenLinks;
  int start = static_cast<int>(marker.size());
  for (;;) {
    run.view.SetStatusText(Format(Cp949("%d페이지 백업중...(덧글)"), n));
    const int match = Find(text, marker, start);
    if (match < 0) break;
    start = match + static_cast<int>(marker.size());

    const CommentLink link = ReadCommentLink(Mid(text, match, linkBytes));
    FetchReply reply;
    Text comment = FetchCommentList(run.job, CommentListUrl(run.job.m_strBlogId, link), reply);
    const CommentPageFile file = CommentPageFileOf(run.job.m_strBackupDir, link);
    hiddenLinks += "<a href='" + file.link + "'></a>";
    // A list the service could not give this time must not replace the one an earlier run saved.
    const bool fetched = !comment.empty() && reply.status == 200;
    if (!fetched && FileExists(file.path)) continue;
    RewriteCommentPage(comment, link.kind);
    LocaliseCommentIcons(run, comment, n);
    comment +=
        Format(Cp949("[<a href='../P%d.html' target='_top'>원본글</a>]<title>덧글 (P%d)</title>"), n, n);
    if (!WriteTextFile(file.path, comment, WriteMode::Create)) run.writeFailed = true;
  }
  text += hiddenLinks;
}

}  // namespace plimo
