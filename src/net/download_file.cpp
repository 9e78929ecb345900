#include "net/download_file.hpp"

#include <optional>
#include <thread>

#include "net/file_transfer.hpp"
#include "net/request_url.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

// The archive links to the local file whether or not it arrived; the log says which did not.
void LogMissingFile(const Text& backupDir, const Text& url, const Text& localPath) {
  // Without an archive folder there is no archive to account for.
  if (backupDir.empty()) return;
  const Text line =
      url + Cp949("파일을 다운로드하지 못했습니다. ") + localPath + Cp949("으로 링크되었습니다.") + "\r\n";
  // A log that cannot be written takes nothing from the download's own result.
  WriteTextFile(backupDir + "\\" + Cp949("에러정보.txt"), line, WriteMode::Append);
}

// A page may give a host and path without the scheme; such a URL is taken to be http.
std::optional<Text> SplitDownloadUrl(BackupJob& job) {
  if (std::optional<Text> requestUrl = RequestUrl(job.m_strDlUrl)) return requestUrl;
  job.m_strDlUrl = "http://" + job.m_strDlUrl;
  return RequestUrl(job.m_strDlUrl);
}

int ResultOf(TransferEnd end) {
  switch (end) {
    case TransferEnd::Complete:
      return kDownloadOk;
    case TransferEnd::StoppedBeforeAnswer:
      return kDownloadBadUrlOrStopped;
    case TransferEnd::NoConnection:
      return kDownloadNoConnection;
    case TransferEnd::NoRequest:
      return kDownloadNoRequest;
    case TransferEnd::NoStatus:
      return kDownloadNoStatus;
    case TransferEnd::BadStatus:
      return kDownloadBadStatus;
    case TransferEnd::CannotCreate:
      return kDownloadCannotCreate;
    case TransferEnd::StoppedOrReadFailed:
      return kDownloadReadFailedOrStopped;
    case TransferEnd::CannotWrite:
      return kDownloadCannotWrite;
    case TransferEnd::NoAnswer:
      return kDownloadNoAnswer;
  }
  return kDownloadNoStatus;
}

}  // namespace

int DownloadFile(BackupJob& job, JobView& view, const Text& url, const Text& localPath, Pause pause) {
  // Media are never fetched twice: what is on disk stays, whatever it holds.
  if (FileExists(localPath)) return kDownloadOk;

  view.SetStatusText(Cp949("접속중: ") + url);
  view.SetFilePercent(0);
  job.m_strDlUrl = url;
  job.m_strDlPath = localPath;
  view.ShowFileProgress(true);

  const std::optional<Text> requestUrl = SplitDownloadUrl(job);
  if (!requestUrl) return kDownloadBadUrlOrStopped;

  const TransferProgress progress{
      .requesting = [&] { view.SetStatusText(Cp949("요청: ") + url); },
      .receiving = [&] { view.SetStatusText(Cp949("다운로드중: ") + url); },
      .piecePercent = [&](int percent) { view.SetFilePercent(percent); },
  };
  const TransferEnd end =
      TransferFile(job.m_inet, *requestUrl, localPath, job.m_settings, job.m_bStopRequested, progress);

  if (end == TransferEnd::NoAnswer) {
    view.SetStatusText(Cp949("실패: ") + url);
    std::this_thread::sleep_for(job.m_settings.pauseAfterTimeout);
    LogMissingFile(job.m_strBackupDir, url, localPath);
  }
  if (end == TransferEnd::Complete && pause == Pause::AfterDownload) {
    // Spares the service between the many images of a list page.
    view.SetStatusText(Cp949("서버 부하 최소화중..."));
    std::this_thread::sleep_for(job.m_settings.pauseAfterDownload);
  }
  return ResultOf(end);
}

}  // namespace plimo
