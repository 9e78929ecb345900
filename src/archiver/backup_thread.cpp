#include "archiver/backup_thread.hpp"

#include <algorithm>
#include <optional>
#include <variant>

#include "archiver/backup_run.hpp"
#include "archiver/comment_pages.hpp"
#include "archiver/list_page.hpp"
#include "archiver/media.hpp"
#include "archiver/post_analysis.hpp"
#include "index/help_project.hpp"
#include "index/index_page.hpp"
#include "net/endpoints.hpp"
#include "net/fetch_page.hpp"
#include "platform/browser.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

// A list page shorter than this cannot hold a post; it is some error page of the service.
constexpr size_t kShortestListPage = 500;

Text BlogUrl(const Text& path) { return Text("http://") + BLOG_HOST + path; }
Text ImageUrl(const char* path) { return Text("http://") + IMAGE_HOST + path; }

Text ListPageUrl(const BackupJob& job, int n) {
  return BlogUrl(Format("/PostList.plm?blogId=%s&currentPage=%d&categoryNo=0&viewdate=", job.m_strBlogId, n));
}

Text NotFoundMessage() {
  return Cp949("블로그를 찾을 수 없습니다. 다음과 같은 경우일 수 있습니다.") + "\r\n\r\n" +
         Cp949(" 1. 존재하지 않는 아이디일 수 있습니다.") + "\r\n" + Cp949("2. 네트워크 상황이 좋지 않을 수 있습니다.") +
         "\r\n" + Cp949("3. Plimo 서버 접속이 어렵거나 점검중일 수 있습니다.");
}

// The blog main page gives the post count; page 1 tells an unregistered blog.
std::optional<RunEnd> CheckBlog(BackupRun& run) {
  BackupJob& job = run.job;
  const Text mainPage = FetchPage(job.m_inet, BlogUrl(Format("/PBlogMain.plm?blogId=%s", job.m_strBlogId)),
                                  job.m_settings);
  const Text countMarker = "class=\"num cm-col1\">(";
  const int marker = Find(mainPage, countMarker);
  if (marker < 0) {
    run.view.ShowMessage(NotFoundMessage());
    return RunEnd::NotFound;
  }
  const int countStart = marker + static_cast<int>(countMarker.size());
  const int close = Find(mainPage, ")", countStart);
  if (close >= 0) run.vars.nPostTotal = ReadNumber(Mid(mainPage, countStart, close - countStart));

  if (Find(FetchPage(job.m_inet, ListPageUrl(job, 1), job.m_settings), ImageUrl("/imgs/error_01.gif")) >= 0) {
    run.view.ShowMessage(Cp949("등록되지 않은 블로그입니다."));
    return RunEnd::NotRegistered;
  }
  return std::nullopt;
}

struct ListPageFetch {
  std::optional<Text> page;
  RunEnd failure = RunEnd::PagesUnavailable;
};

// An empty reply, a busy or error status, or a page too short to be one is asked for again after
// a pause that doubles each time (or what the service's Retry-After asks), a bounded number of
// times, and never past a stop request.
ListPageFetch FetchListPage(BackupRun& run, int n) {
  BackupJob& job = run.job;
  const RunSettings& settings = job.m_settings;
  const Text endMarker = ImageUrl("/pblog/txt_open.gif");
  RunSettings::Duration pause = settings.firstRetryPause;
  for (int attempt = 1;; ++attempt) {
    run.view.SetStatusText(Format(Cp949("%d페이지 백업중...(페이지 분석)"), n));
    run.view.ShowFileProgress(false);
    FetchReply reply;
    Text page = FetchPage(job.m_inet, ListPageUrl(job, n), settings, &reply);
    const bool busy = reply.status == 429 || reply.status >= 500;
    const bool usable = !page.empty() && !busy &&
                        (page.size() >= kShortestListPage || Find(page, endMarker) >= 0);
    if (usable) return {std::move(page)};
    if (attempt >= settings.listPageTries) return {};

    RunSettings::Duration wait = pause;
    if (reply.retryAfterSeconds >= 0)
      wait = std::max<RunSettings::Duration>(
          wait, std::min<RunSettings::Duration>(std::chrono::seconds(reply.retryAfterSeconds), std::chrono::minutes(5)));
    if (!job.PauseUnlessStopped(wait)) return {std::nullopt, RunEnd::Stopped};
    pause = std::min(pause * 2, settings.longestRetryPause);
  }
}

enum class PageOutcome { Saved, EndOfList };

// One pass of the page loop: page n fetched, converted with its comments and media, and written.
std::variant<PageOutcome, RunEnd> BackupListPage(BackupRun& run, int n) {
  ListPageFetch fetched = FetchListPage(run, n);
  if (!fetched.page) return fetched.failure;
  Text& page = *fetched.page;
  if (Find(page, ImageUrl("/pblog/txt_open.gif")) >= 0) return PageOutcome::EndOfList;

  if (n == 1) {
    LocaliseLayoutImages(run);
    WriteIndexHeader(run);
  }
  Text text = ComposeListPage(page, n);
  page.clear();
  std::unique_ptr<PendingFile> file = OpenPageFile(run.view, run.job.m_strBackupDir + Format("\\P%d.html", n));
  if (!file) return RunEnd::WriteFailed;
  SaveCommentPages(run, text, n);
  LocalisePageFiles(run, text, n);
  const Text pageTitles = AnalyseListPage(run, text, n);
  CollectPostDates(run.vars, text, n);
  if (!FinishListPage(text, pageTitles, *file)) run.writeFailed = true;
  return PageOutcome::Saved;
}

// The page loop: pages 1, 2, ... until the service shows its end-of-list page. Empty when the
// end was reached; otherwise how the run ended early.
std::optional<RunEnd> CrawlListPages(BackupRun& run) {
  run.vars.strBlogTitle.clear();
  for (run.vars.nListPage = 1;; ++run.vars.nListPage) {
    const auto outcome = BackupListPage(run, run.vars.nListPage);
    if (const RunEnd* end = std::get_if<RunEnd>(&outcome)) return *end;
    if (std::get<PageOutcome>(outcome) == PageOutcome::EndOfList) return std::nullopt;
    if (run.job.m_bStopRequested) return RunEnd::Stopped;
  }
}

RunEnd FinishRun(BackupRun& run) {
  BackupJob& job = run.job;
  if (!WriteHelpProject(job, run.vars.strBlogTitle)) run.writeFailed = true;
  job.EmptyCollectedArrays();
  FinishArchive(run);
  run.view.SetOverallPercent(100);
  run.view.SetCaptionText(Format("%d%%", 100));
  if (run.writeFailed)
    run.view.ShowMessage(Cp949("일부 파일을 저장하지 못했습니다. 디스크 공간과 쓰기 권한을 확인한 뒤 다시 백업하세요."));
  if (run.vars.nListPage < 2) {
    run.view.ShowMessage(Cp949("블로그는 있으나, 아직 사용되지 않은 블로그입니다."));
    return run.writeFailed ? RunEnd::WriteFailed : RunEnd::Unused;
  }
  if (run.view.AskYesNo(Cp949("백업이 완료되었습니다. 백업된 내용을 보시겠습니까?")))
    OpenInBrowser(NativePath(job.m_strBackupDir + "\\index.html").string());
  return run.writeFailed ? RunEnd::WriteFailed : RunEnd::Completed;
}

}  // namespace

void BackupThreadProc(BackupJob& job, JobView& view) {
  job.m_bRunning = 1;
  BackupRun run{job, view, {}};
  std::optional<RunEnd> early = CheckBlog(run);
  if (!early) early = CrawlListPages(run);
  if (early == RunEnd::PagesUnavailable)
    view.ShowMessage(Cp949("블로그 데이터를 읽어오지 못했습니다. 주소를 확인해주세요."));

  const RunEnd end = early ? *early : FinishRun(run);
  job.EmptyCollectedArrays();
  job.m_runEnd = end;
  if (end == RunEnd::Stopped) {
    job.m_bRunning = 0;
    view.RequestClose();
    return;
  }
  view.EnableBackupButton(true);
  job.m_bRunning = 0;
}

}  // namespace plimo
