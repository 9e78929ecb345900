#include "job/start_backup.hpp"

#include "archiver/backup_thread.hpp"
#include "index/style_sheet.hpp"
#include "net/endpoints.hpp"
#include "net/fetch_page.hpp"
#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

// The service reads its query as percent-encoded code page 949; a password holding '&', '#',
// '%', '+' or a blank would otherwise send something else, or other parameters.
Text QueryValue(const Text& value) {
  static const char kHex[] = "0123456789ABCDEF";
  Text encoded;
  for (unsigned char byte : value) {
    const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
    if (unreserved) {
      encoded += static_cast<char>(byte);
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}

std::optional<Text> LoginUrl(const BackupJob& job, JobView& view) {
  const Text base = Text("http://") + LOGIN_HOST;
  if (job.m_nOverseas != 1)
    return base + Format("/pidlogin.login?id=%s&pw=%s", QueryValue(job.m_strBlogId), QueryValue(job.m_strPassword));
  const std::optional<Text> name = view.AskName();
  if (!name) return std::nullopt;
  return base + Format("/pidlogin.login?id=%s&pw=%s&u_name=%s", QueryValue(job.m_strBlogId),
                       QueryValue(job.m_strPassword), QueryValue(*name));
}

// The archive folder and its four subfolders; false when any of them is not there afterwards.
// A run that was killed into the same folder left its half-written files under temporary names:
// they are cleared away, since the new run writes every such file again.
bool CreateArchiveFolders(const Text& backupDir) {
  bool created = CreateFolder(backupDir);
  RemoveAbandonedPendingFiles(backupDir);
  for (const char* subfolder : {"\\images", "\\files", "\\comment", "\\avicon"}) {
    created = CreateFolder(backupDir + subfolder) && created;
    RemoveAbandonedPendingFiles(backupDir + subfolder);
  }
  return created;
}

}  // namespace

StartResult OnStartBackup(BackupJob& job, JobView& view, std::thread& worker) {
  if (job.m_strBlogId.empty()) {
    view.ShowMessage(Cp949("먼저 아이디를 입력하세요."));
    return StartResult::InputMissing;
  }
  if (job.m_strPassword.empty()) {
    view.ShowMessage(Cp949("먼저 비밀번호를 입력하세요."));
    return StartResult::InputMissing;
  }
  const std::optional<Text> loginUrl = LoginUrl(job, view);
  if (!loginUrl) return StartResult::Cancelled;
  if (Find(FetchPage(job.m_inet, *loginUrl, job.m_settings), "btn_logout01.gif") < 0) {
    view.ShowMessage(Cp949("로그인에 실패하였습니다. 아이디와 비밀번호를 다시 확인하세요."));
    return StartResult::LoginFailed;
  }

  const std::optional<std::string> folder = view.AskFolder();
  if (!folder) return StartResult::Cancelled;
  const std::optional<Text> chosen = ProgramPath(*folder);
  if (!chosen) {
    view.ShowMessage(Cp949("선택한 폴더의 이름에 이 프로그램이 쓸 수 없는 문자가 있습니다. 다른 폴더를 선택하세요."));
    return StartResult::FolderRefused;
  }
  job.m_strBackupDir = *chosen + Cp949("\\블로그백업");
  if (!CreateArchiveFolders(job.m_strBackupDir) || !WriteStyleSheet(job.m_strBackupDir)) {
    view.ShowMessage(DisplayPath(job.m_strBackupDir) + Cp949(" 폴더를 만들거나 쓸 수 없습니다. 쓰기 권한과 디스크 공간을 확인하세요."));
    return StartResult::FolderNotCreated;
  }

  view.EnableBackupButton(false);
  // The last run has returned from its routine by the time its button came back; reap its thread.
  if (worker.joinable()) worker.join();
  worker = std::thread(BackupThreadProc, std::ref(job), std::ref(view));
  return StartResult::Started;
}

}  // namespace plimo
