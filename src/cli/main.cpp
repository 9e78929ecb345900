// plimo-backup: the whole backup from a terminal, for scripts, servers and tests.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>

#include "cli/password.hpp"
#include "cli/terminal_view.hpp"
#include "job/backup_job.hpp"
#include "job/start_backup.hpp"
#include "net/update_check.hpp"
#include "platform/codepage.hpp"

namespace {

enum ExitStatus : int {
  kCompleted = 0,
  kUsage = 1,
  kInputOrLogin = 2,
  kBlogMissing = 3,
  kArchiveUnwritable = 4,
  kServiceFailing = 5,
  kStopped = 130,
};

constexpr auto kStopGrace = std::chrono::seconds(5);

plimo::BackupJob* runningJob = nullptr;

// Ctrl-C is the window's close: during a run the current page is finished and the run stops;
// a second Ctrl-C, or one while nothing runs, ends at once.
extern "C" void OnInterrupt(int) {
  if (runningJob && runningJob->m_bRunning && !runningJob->m_bStopRequested) {
    runningJob->m_bStopRequested = 1;
    return;
  }
  ::_exit(kStopped);
}

int ExitStatusOf(plimo::StartResult result) {
  switch (result) {
    case plimo::StartResult::Started: return kCompleted;
    case plimo::StartResult::InputMissing:
    case plimo::StartResult::Cancelled:
    case plimo::StartResult::LoginFailed: return kInputOrLogin;
    case plimo::StartResult::FolderRefused:
    case plimo::StartResult::FolderNotCreated: return kArchiveUnwritable;
  }
  return kInputOrLogin;
}

int ExitStatusOf(plimo::RunEnd end) {
  switch (end) {
    case plimo::RunEnd::Completed:
    case plimo::RunEnd::Unused: return kCompleted;
    case plimo::RunEnd::NotFound:
    case plimo::RunEnd::NotRegistered: return kBlogMissing;
    case plimo::RunEnd::WriteFailed: return kArchiveUnwritable;
    case plimo::RunEnd::PagesUnavailable: return kServiceFailing;
    case plimo::RunEnd::Stopped:
    case plimo::RunEnd::None: return kStopped;
  }
  return kStopped;
}

std::optional<plimo::Text> FromArgument(const std::string& utf8, const char* what) {
  std::optional<plimo::Text> text = plimo::Utf8ToCp949(utf8);
  if (!text) std::cerr << what << ": 한국어 코드 페이지로 쓸 수 없는 문자가 있습니다.\n";
  return text;
}

// Waits for the worker; after a stop request it gets kStopGrace to finish its page.
void AwaitRun(const plimo::BackupJob& job, std::thread& worker) {
  std::optional<std::chrono::steady_clock::time_point> stopAsked;
  while (job.m_runEnd == plimo::RunEnd::None || job.m_bRunning) {
    if (job.m_bStopRequested && !stopAsked) stopAsked = std::chrono::steady_clock::now();
    if (stopAsked && std::chrono::steady_clock::now() - *stopAsked > kStopGrace) {
      std::cerr << "\n중지: 현재 페이지를 마치지 못하고 끝냅니다.\n";
      ::_exit(kStopped);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  worker.join();
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Plimo 블로그 백업 프로그램: 블로그 하나를 오프라인 사본으로 저장합니다.", "plimo-backup"};
  std::string id, out, name;
  bool open = false, noOpen = false, passwordStdin = false, quiet = false;
  app.add_option("--id", id, "블로그 아이디")->required();
  app.add_option("--out", out, "백업할 폴더 (그 안에 블로그백업 폴더를 만듭니다)")->required();
  app.add_option("--name", name, "국외 거주자의 이름 (비어 있어도 됩니다)");
  auto* openFlag = app.add_flag("--open", open, "백업이 끝나면 index.html을 브라우저로 엽니다");
  app.add_flag("--no-open", noOpen, "백업이 끝나도 브라우저를 열지 않습니다")->excludes(openFlag);
  app.add_flag("--password-stdin", passwordStdin, "비밀번호를 표준 입력의 첫 줄에서 읽습니다 (PLIMO_PASSWORD가 우선)");
  app.add_flag("--quiet", quiet, "진행 상황을 출력하지 않습니다");
  app.set_version_flag("--version", "plimo-backup 0.26");
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& success) {
    return app.exit(success);
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return kUsage;
  }

  plimo::BackupJob job;
  const std::optional<plimo::Text> blogId = FromArgument(id, "--id");
  const std::optional<plimo::Text> typedName = FromArgument(name, "--name");
  if (!blogId || !typedName) return kUsage;
  const std::optional<plimo::Text> password =
      FromArgument(plimo::cli::ReadPassword(passwordStdin ? plimo::cli::PasswordSource::StandardInput
                                                          : plimo::cli::PasswordSource::EnvironmentOrPrompt),
                   "비밀번호");
  if (!password) return kInputOrLogin;
  job.m_strBlogId = *blogId;
  job.m_strPassword = *password;
  job.m_nOverseas = app.count("--name") ? 1 : 0;

  const bool onTerminal = ::isatty(STDERR_FILENO);
  plimo::cli::TerminalView view(
      quiet ? plimo::cli::Progress::Quiet : onTerminal ? plimo::cli::Progress::Live : plimo::cli::Progress::Lines,
      open ? plimo::cli::OpenArchive::Yes : noOpen ? plimo::cli::OpenArchive::No : plimo::cli::OpenArchive::Ask,
      typedName, std::filesystem::absolute(out).lexically_normal().string());

  // The update check shares the session, never opens a browser and never holds up the run.
  std::atomic<bool> updateChecked{false};
  std::thread updateCheck([&] {
    if (const auto link = plimo::CheckForUpdate(job.m_inet))
      view.PrintLine("이 프로그램의 새 버전이 있습니다: " + plimo::Cp949ToUtf8Lossy(*link));
    updateChecked = true;
  });

  runningJob = &job;
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);

  std::thread worker;
  const plimo::StartResult started = plimo::OnStartBackup(job, view, worker);
  int status = ExitStatusOf(started);
  if (started == plimo::StartResult::Started) {
    AwaitRun(job, worker);
    status = ExitStatusOf(job.m_runEnd.load());
  }
  view.Finish();

  if (!updateChecked) {
    // Its answer no longer matters; the session it borrows must not be torn down under it.
    updateCheck.detach();
    std::cerr << std::flush;
    std::quick_exit(status);
  }
  updateCheck.join();
  return status;
}
