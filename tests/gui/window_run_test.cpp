// Whole runs started from the window against the in-process simulator: the worker reports to the
// window from its own thread, asks its questions there, and stops when the window is closed.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/backup_dlg.hpp"
#include "app/hover_button.hpp"
#include "gui/gui_test.hpp"
#include "sim/simulator.hpp"
#include "support/temp_folder.hpp"

namespace plimo::test {
namespace {

template <class Widget>
Widget* Control(CBackupDlg& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no control %s", name);
  return widget;
}

// The simulator with the blog "blogger" (password "secret"), reached as this process's proxy.
struct Service {
  explicit Service(sim::BlogShape shape) {
    sim.AddBlog({"blogger", "secret", "시험 블로그", sim::BlogKind::Normal, shape});
    ::setenv("http_proxy", sim.Start().c_str(), 1);
    ::unsetenv("no_proxy");
    ::unsetenv("NO_PROXY");
  }
  ~Service() { sim.Stop(); }

  sim::Simulator sim;
};

std::unique_ptr<CBackupDlg> WindowReadyToRun(BackupDlgOptions options) {
  auto dialog = std::make_unique<CBackupDlg>(std::move(options));
  RunSettings& settings = dialog->Job().m_settings;
  settings.answerBound = std::chrono::milliseconds(2000);
  settings.pauseAfterDownload = std::chrono::milliseconds(0);
  settings.pauseAfterTimeout = std::chrono::milliseconds(10);
  settings.firstRetryPause = std::chrono::milliseconds(10);
  settings.longestRetryPause = std::chrono::milliseconds(40);
  settings.listPageTries = 2;
  dialog->show();
  dialog->activateWindow();
  if (!QTest::qWaitForWindowActive(dialog.get())) qWarning("the window did not become active");
  QTest::keyClicks(Control<QLineEdit>(*dialog, "blogIdEdit"), QStringLiteral("blogger"));
  QTest::keyClicks(Control<QLineEdit>(*dialog, "passwordEdit"), QStringLiteral("secret"));
  return dialog;
}

void PressBackup(CBackupDlg& dialog) {
  QTest::mouseClick(Control<CHoverButton>(dialog, "backupButton"), Qt::LeftButton);
}

}  // namespace

class WindowRunTest : public QObject {
  Q_OBJECT

 private slots:
  void ARunEndsWithItsQuestionAndTheButtonBack() {
    Service service({.listPages = 2, .postsPerPage = 3});
    TempFolder folder;
    QuietWindow quiet;
    const auto dialog = WindowReadyToRun(quiet.Options());
    FolderAnswerer chooseFolder(folder.native().string());
    BoxAnswerer question(QMessageBox::No);
    PressBackup(*dialog);
    QVERIFY(chooseFolder.answered());
    QTRY_VERIFY_WITH_TIMEOUT(question.answered(), 60000);
    QCOMPARE(question.seen().text, QString::fromUtf8("백업이 완료되었습니다. 백업된 내용을 보시겠습니까?"));
    QCOMPARE(question.seen().icon, QMessageBox::Question);

    QTRY_VERIFY(Control<CHoverButton>(*dialog, "backupButton")->isEnabled());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("100%"));
    QCOMPARE(Control<QProgressBar>(*dialog, "totalProgress")->value(), 100);
    QCOMPARE(Control<QLabel>(*dialog, "totalPercent")->text(), QStringLiteral("100%"));
    QVERIFY(Control<QLineEdit>(*dialog, "statusLine")->text().startsWith(QString::fromUtf8("백업완료 (")));
    QVERIFY(std::filesystem::exists(folder.native() / "블로그백업" / "index.html"));
    QVERIFY(quiet.Opened().empty());
  }

  void ClosingDuringARunStopsItAndThenClosesTheWindow() {
    Service service({.listPages = 4, .postsPerPage = 3});
    // A slow third page keeps the run going while the window is closed.
    service.sim.AddFault(
        {.urlPart = "currentPage=3&", .kind = sim::FaultKind::SlowBody, .times = -1, .pauseMs = 50});
    TempFolder folder;
    QuietWindow quiet;
    const auto dialog = WindowReadyToRun(quiet.Options());
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    FolderAnswerer chooseFolder(folder.native().string());
    PressBackup(*dialog);
    QTRY_COMPARE(dialog->Job().m_bRunning.load(), 1);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(dialog->Job().m_runEnd.load(), RunEnd::Stopped);
    QVERIFY(!Control<CHoverButton>(*dialog, "backupButton")->isEnabled());
    QVERIFY(!quiet.processEnded);
  }

  void ARunBlockedInAFetchStillEndsTheProcess() {
    Service service({.listPages = 3});
    service.sim.AddFault({.urlPart = "currentPage=2&", .kind = sim::FaultKind::Hang, .times = -1});
    TempFolder folder;
    QuietWindow quiet;
    BackupDlgOptions options = quiet.Options();
    options.stopBound = std::chrono::milliseconds(300);
    const auto dialog = WindowReadyToRun(options);
    // The held answer is let go before the window waits for its run, also when a check fails.
    const auto releaseHeldAnswers = qScopeGuard([&] { service.sim.Stop(); });
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    FolderAnswerer chooseFolder(folder.native().string());
    PressBackup(*dialog);
    QTRY_VERIFY_WITH_TIMEOUT(
        Control<QLineEdit>(*dialog, "statusLine")->text().startsWith(QString::fromUtf8("2페이지")), 30000);
    dialog->close();
    QTRY_VERIFY_WITH_TIMEOUT(quiet.processEnded, 2000);
    QCOMPARE(finished.count(), 0);
  }
};

static RegisterGuiTest<WindowRunTest> registration;

}  // namespace plimo::test

#include "window_run_test.moc"
