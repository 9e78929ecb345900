#include "app/screenshot_demo.hpp"

#include <QDir>
#include <QEventLoop>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/about_dlg.hpp"
#include "app/backup_dlg.hpp"
#include "app/input_name_dlg.hpp"
#include "platform/codepage.hpp"

namespace plimo {
namespace {

constexpr int kMargin = 12;
constexpr QPoint kWindowPlace{24, 24};

void Wait(std::chrono::milliseconds time) {
  QEventLoop loop;
  QTimer::singleShot(time, &loop, &QEventLoop::quit);
  loop.exec();
}

// Taken from the screen rather than from the widget, so the window's real shape shows against
// what lies behind it.
bool SaveScreenAround(const QWidget& window, const QDir& folder, const QString& name) {
  const QRect area = window.frameGeometry().adjusted(-kMargin, -kMargin, kMargin, kMargin);
  const QPixmap shot = window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  if (shot.save(folder.filePath(name))) return true;
  std::fprintf(stderr, "screenshot-demo: cannot save %s\n", qPrintable(folder.filePath(name)));
  return false;
}

bool SaveWidget(QWidget& widget, const QDir& folder, const QString& name) {
  widget.show();
  Wait(std::chrono::milliseconds(300));
  const bool saved = widget.grab().save(folder.filePath(name));
  widget.hide();
  return saved;
}

// What the window shows in the middle of a run, reported from a thread of its own as a run does.
void PlayRunScene(JobView& view) {
  std::thread run([&view] {
    view.EnableBackupButton(false);
    view.SetStatusText(Format(Cp949("%d페이지 백업중...(첨부파일 다운로드)"), 3));
    view.SetOverallPercent(42);
    view.SetCaptionText(Format(Cp949("%d%% 완료"), 42));
    view.ShowFileProgress(true);
    view.SetFilePercent(67);
  });
  run.join();
}

}  // namespace

int RunScreenshotDemo(const QString& folderPath) {
  QDir folder(folderPath);
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "screenshot-demo: cannot create %s\n", qPrintable(folderPath));
    return 1;
  }

  // A plain desktop behind the window; activating it later makes the window inactive.
  QWidget desktop(nullptr, Qt::FramelessWindowHint);
  QPalette desktopColours = desktop.palette();
  desktopColours.setColor(QPalette::Window, QColor(0x4a, 0x6f, 0x8f));
  desktop.setPalette(desktopColours);
  desktop.setAutoFillBackground(true);
  desktop.setGeometry(0, 0, 420, 280);
  desktop.show();

  BackupDlgOptions options;
  options.checkForUpdate = [](const InternetSession&) { return std::optional<Text>(); };
  options.openInBrowser = [](const std::string&) { return true; };
  options.endProcess = [] {};
  CBackupDlg dialog(options);
  dialog.move(kWindowPlace);
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
  Wait(std::chrono::milliseconds(500));

  bool saved = SaveScreenAround(dialog, folder, QStringLiteral("idle.png"));
  PlayRunScene(dialog);
  Wait(std::chrono::milliseconds(300));
  saved &= SaveScreenAround(dialog, folder, QStringLiteral("running.png"));
  desktop.activateWindow();
  Wait(std::chrono::milliseconds(300));
  saved &= SaveScreenAround(dialog, folder, QStringLiteral("inactive.png"));

  CInputNameDlg nameDialog(&dialog);
  saved &= SaveWidget(nameDialog, folder, QStringLiteral("name-dialog.png"));
  CAboutDlg about(&dialog);
  saved &= SaveWidget(about, folder, QStringLiteral("about.png"));
  return saved ? 0 : 1;
}

}  // namespace plimo
