#include "app/backup_dlg.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <memory>
#include <thread>

#include "app/bitmaps.hpp"
#include "app/dialog_layout.hpp"
#include "app/hover_button.hpp"
#include "app/window_shape.hpp"
#include "gui/gui_test.hpp"
#include "net/endpoints.hpp"
#include "platform/codepage.hpp"

namespace plimo::test {
namespace {

enum CloseWay { kEscape, kCloseButton, kWindowClose };

template <class Widget>
Widget* Control(CBackupDlg& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no control %s", name);
  return widget;
}

std::unique_ptr<CBackupDlg> ShownWindow(QuietWindow& quiet) {
  auto dialog = std::make_unique<CBackupDlg>(quiet.Options());
  dialog->show();
  dialog->activateWindow();
  if (!QTest::qWaitForWindowActive(dialog.get())) qWarning("the window did not become active");
  return dialog;
}

void Close(CBackupDlg& dialog, int way) {
  if (way == kEscape) QTest::keyClick(&dialog, Qt::Key_Escape);
  if (way == kCloseButton) Control<CHoverButton>(dialog, "closeButton")->click();
  if (way == kWindowClose) dialog.close();
}

void AddCloseWays() {
  QTest::addColumn<int>("way");
  QTest::newRow("Escape") << int(kEscape);
  QTest::newRow("close button") << int(kCloseButton);
  QTest::newRow("window closed") << int(kWindowClose);
}

// Runs the operations on a thread of their own, as the worker does, and waits until they have
// been handed over.
void FromWorker(const std::function<void()>& operations) {
  std::thread worker(operations);
  worker.join();
}

}  // namespace

class BackupDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void HasItsShapeSizeAndTitle() {
    QuietWindow quiet;
    CBackupDlg dialog(quiet.Options());
    QCOMPARE(dialog.size(), QSize(352, 208));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Plimo 블로그 백업 프로그램 v0.26 By Quelm"));

    const QRegion mask = dialog.mask();
    const QPoint corners[] = {{0, 0},   {1, 0},   {0, 1},   {350, 0},   {351, 0},   {351, 1},
                              {0, 206}, {0, 207}, {1, 207}, {350, 207}, {351, 207}, {351, 206}};
    for (const QPoint corner : corners)
      QVERIFY2(!mask.contains(corner), qPrintable(QString("%1,%2").arg(corner.x()).arg(corner.y())));
    int area = 0;
    for (const QRect& rect : mask) area += rect.width() * rect.height();
    QCOMPARE(area, 352 * 208 - 12);
  }

  void DragsOnlyByTheTitleBand_data() {
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("drags");
    QTest::newRow("top row") << 0 << true;
    QTest::newRow("y 10") << 10 << true;
    QTest::newRow("last row of the band") << 28 << true;
    QTest::newRow("first row below") << 29 << false;
    QTest::newRow("y 40") << 40 << false;
  }
  void DragsOnlyByTheTitleBand() {
    QFETCH(int, y);
    QFETCH(bool, drags);
    QCOMPARE(InDragBand(QPoint(120, y)), drags);
  }

  void FieldsSitInsideTheSkinFrames() {
    QuietWindow quiet;
    CBackupDlg dialog(quiet.Options());
    QVERIFY(skin::kBlogIdFrame.contains(Control<QLineEdit>(dialog, "blogIdEdit")->geometry()));
    QVERIFY(skin::kPasswordFrame.contains(Control<QLineEdit>(dialog, "passwordEdit")->geometry()));
  }

  void ReturnDoesNothing_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("ID field") << "blogIdEdit";
    QTest::newRow("password field") << "passwordEdit";
    QTest::newRow("status line") << "statusLine";
    QTest::newRow("check box") << "overseasCheck";
  }
  void ReturnDoesNothing() {
    QFETCH(QString, control);
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    QTest::keyClicks(Control<QLineEdit>(*dialog, "blogIdEdit"), QStringLiteral("myblog"));
    QWidget* target = Control<QWidget>(*dialog, control.toLatin1().constData());
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter);
    QTest::qWait(50);
    QVERIFY(dialog->isVisible());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }

  void ClosingWhenIdleEndsTheWindow_data() { AddCloseWays(); }
  void ClosingWhenIdleEndsTheWindow() {
    QFETCH(int, way);
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    Control<QLineEdit>(*dialog, "blogIdEdit")->insert(QString::fromUtf8("내블로그"));
    Control<QCheckBox>(*dialog, "overseasCheck")->setChecked(true);
    Close(*dialog, way);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());
    // Like every ending of the dialog, it copies the controls into the job.
    QCOMPARE(dialog->Job().m_strBlogId, Cp949("내블로그"));
    QCOMPARE(dialog->Job().m_nOverseas, 1);
    QVERIFY(!quiet.processEnded);
  }

  void ClosingDuringARunHidesAndStops_data() { AddCloseWays(); }
  void ClosingDuringARunHidesAndStops() {
    QFETCH(int, way);
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    dialog->Job().m_bRunning = 1;
    Close(*dialog, way);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->Job().m_bStopRequested.load(), 1);
    auto* endTimer = Control<QTimer>(*dialog, "endProcessTimer");
    QVERIFY(endTimer->isActive());
    QCOMPARE(endTimer->interval(), 5000);
    QCOMPARE(finished.count(), 0);
  }

  void ARunThatDoesNotStopInTimeEndsTheProcess() {
    QuietWindow quiet;
    BackupDlgOptions options = quiet.Options();
    options.stopBound = std::chrono::milliseconds(50);
    CBackupDlg dialog(options);
    dialog.show();
    dialog.Job().m_bRunning = 1;
    dialog.close();
    QVERIFY(!quiet.processEnded);
    QTRY_VERIFY_WITH_TIMEOUT(quiet.processEnded, 1000);
  }

  void AStoppedRunClosesTheWindow() {
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    dialog->Job().m_bRunning = 1;
    dialog->close();
    FromWorker([&] {
      dialog->Job().m_bRunning = 0;
      dialog->RequestClose();
    });
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 1000);
    QVERIFY(!quiet.processEnded);
  }

  void TheIdFieldHasTheFocusSoonAfterStart() {
    QuietWindow quiet;
    CBackupDlg dialog(quiet.Options());
    auto* blogId = Control<QLineEdit>(dialog, "blogIdEdit");
    auto* password = Control<QLineEdit>(dialog, "passwordEdit");
    dialog.show();
    // Before the event loop turns, so the timer cannot have run yet.
    password->setFocus();
    QCOMPARE(dialog.focusWidget(), password);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTRY_COMPARE_WITH_TIMEOUT(dialog.focusWidget(), blogId, 1000);
    QCOMPARE(Control<QTimer>(dialog, "focusTimer")->interval(), 100);
  }

  void ButtonsFollowTheActivationAndKeepTheirSizes() {
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    struct Expected {
      const char* name;
      int active;
      int inactive;
      QSize size;
    };
    const Expected buttons[] = {
        {"backupButton", bitmap::kBackupActive, bitmap::kBackupInactive, QSize(70, 26)},
        {"devBlogButton", bitmap::kDevBlogActive, bitmap::kDevBlogInactive, QSize(91, 26)},
        {"minimizeButton", bitmap::kMinimizeActive, bitmap::kMinimizeInactive, QSize(15, 15)},
        {"closeButton", bitmap::kCloseActive, bitmap::kCloseInactive, QSize(15, 15)},
    };
    const QPoint inBand(200, 12);
    const auto skinPixel = [&](int id) { return bitmap::Load(id).toImage().pixel(inBand); };
    const auto shownPixel = [&] { return dialog->grab().toImage().pixel(inBand); };
    QCOMPARE(shownPixel(), skinPixel(bitmap::kSkinActive));
    for (const Expected& expected : buttons)
      QCOMPARE(Control<CHoverButton>(*dialog, expected.name)->StripId(), expected.active);

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_COMPARE(shownPixel(), skinPixel(bitmap::kSkinInactive));
    for (const Expected& expected : buttons) {
      auto* button = Control<CHoverButton>(*dialog, expected.name);
      QCOMPARE(button->StripId(), expected.inactive);
      button->resize(120, 120);
      QCOMPARE(button->size(), expected.size);
    }

    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QTRY_COMPARE(shownPixel(), skinPixel(bitmap::kSkinActive));
    for (const Expected& expected : buttons) {
      auto* button = Control<CHoverButton>(*dialog, expected.name);
      QCOMPARE(button->StripId(), expected.active);
      QCOMPARE(button->size(), expected.size);
    }
  }

  void ReportingOperationsMoveTheBarsAndLabels() {
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    auto* fileBar = Control<QProgressBar>(*dialog, "fileProgress");
    auto* fileLabel = Control<QLabel>(*dialog, "filePercent");
    auto* totalBar = Control<QProgressBar>(*dialog, "totalProgress");
    auto* totalLabel = Control<QLabel>(*dialog, "totalPercent");
    auto* status = Control<QLineEdit>(*dialog, "statusLine");
    auto* backup = Control<CHoverButton>(*dialog, "backupButton");
    QVERIFY(!fileBar->isVisible() && !fileLabel->isVisible());
    QCOMPARE(status->text(), QString::fromUtf8("현재 상태 : 백업대기중"));
    QCOMPARE(totalLabel->text(), QStringLiteral("0%"));

    FromWorker([&] {
      dialog->EnableBackupButton(false);
      dialog->ShowFileProgress(true);
      dialog->SetFilePercent(37);
      dialog->SetOverallPercent(150);
      dialog->SetStatusText(Format(Cp949("%d페이지 백업중...(페이지 분석)"), 12));
      dialog->SetCaptionText(Cp949("42% 완료"));
    });
    QTRY_COMPARE(fileLabel->text(), QStringLiteral("37%"));
    QVERIFY(fileBar->isVisible() && fileLabel->isVisible());
    QCOMPARE(fileBar->value(), 37);
    // Above 100 the bar is full and the label says what it was given.
    QCOMPARE(totalBar->value(), 100);
    QCOMPARE(totalLabel->text(), QStringLiteral("150%"));
    QCOMPARE(status->text(), QString::fromUtf8("12페이지 백업중...(페이지 분석)"));
    QCOMPARE(dialog->windowTitle(), QString::fromUtf8("42% 완료"));
    QVERIFY(!backup->isEnabled());

    FromWorker([&] {
      dialog->ShowFileProgress(false);
      dialog->SetOverallPercent(7);
    });
    QTRY_COMPARE(totalLabel->text(), QStringLiteral("7%"));
    QCOMPARE(totalBar->value(), 7);
    QVERIFY(!fileBar->isVisible() && !fileLabel->isVisible());
  }

  void TheTitleKeepsTheLastCaptionAfterARun() {
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    FromWorker([&] {
      dialog->EnableBackupButton(false);
      dialog->SetCaptionText(Cp949("50% 완료"));
      dialog->SetOverallPercent(100);
      dialog->SetCaptionText(Cp949("100%"));
      dialog->EnableBackupButton(true);
    });
    QTRY_VERIFY(Control<CHoverButton>(*dialog, "backupButton")->isEnabled());
    QTest::qWait(50);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("100%"));
  }

  void BoxesOfARunAreModalAndAnswered_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("result");
    const int ok = QMessageBox::Ok;
    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    QTest::newRow("message") << "message" << ok << int(QMessageBox::Warning) << ok << true;
    QTest::newRow("question, yes") << "question" << int(QMessageBox::Yes) << int(QMessageBox::Question)
                                   << yesNo << true;
    QTest::newRow("question, no") << "question" << int(QMessageBox::No) << int(QMessageBox::Question) << yesNo
                                  << false;
    QTest::newRow("retry: the user retries") << "retry" << ok << int(QMessageBox::Warning) << ok << true;
  }
  void BoxesOfARunAreModalAndAnswered() {
    QFETCH(QString, kind);
    QFETCH(int, answer);
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(bool, result);
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    BoxAnswerer answerer(static_cast<QMessageBox::StandardButton>(answer));
    std::atomic<int> answered{-1};
    std::thread worker([&] {
      const Text text = Cp949("등록되지 않은 블로그입니다.");
      bool reply = true;
      if (kind == "message") dialog->ShowMessage(text);
      if (kind == "question") reply = dialog->AskYesNo(text);
      if (kind == "retry") reply = dialog->AskRetry(text);
      answered = reply ? 1 : 0;
    });
    QTRY_VERIFY(answered.load() != -1);
    worker.join();
    QVERIFY(answerer.answered());
    QCOMPARE(answered.load(), result ? 1 : 0);
    QCOMPARE(answerer.seen().caption, QString::fromUtf8("Plimo 블로그 백업 프로그램"));
    QCOMPARE(answerer.seen().text, QString::fromUtf8("등록되지 않은 블로그입니다."));
    QCOMPARE(int(answerer.seen().icon), icon);
    QCOMPARE(int(answerer.seen().buttons), buttons);
  }

  void ClosingTheWindowReleasesItsThreadsWaitingForAnAnswer() {
    QuietWindow quiet;
    quiet.updateLink = Text("http://127.0.0.1/PlimoBackup/new");
    auto dialog = std::make_unique<CBackupDlg>(quiet.Options());
    // The update check asks its question, but the event loop never gets to show it.
    QThread::msleep(50);
    QVERIFY(dialog->UpdateCheckRunning());
    dialog.reset();
    QVERIFY(quiet.Opened().empty());
  }

  void TheBackupCommandSaysWhatIsMissing_data() {
    QTest::addColumn<QString>("blogId");
    QTest::addColumn<QString>("message");
    QTest::newRow("both fields empty") << QString() << QString::fromUtf8("먼저 아이디를 입력하세요.");
    QTest::newRow("password empty") << QStringLiteral("myblog")
                                    << QString::fromUtf8("먼저 비밀번호를 입력하세요.");
  }
  void TheBackupCommandSaysWhatIsMissing() {
    QFETCH(QString, blogId);
    QFETCH(QString, message);
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    QTest::keyClicks(Control<QLineEdit>(*dialog, "blogIdEdit"), blogId);
    BoxAnswerer answerer(QMessageBox::Ok);
    QTest::mouseClick(Control<CHoverButton>(*dialog, "backupButton"), Qt::LeftButton);
    QTRY_VERIFY(answerer.answered());
    QCOMPARE(answerer.seen().text, message);
    QCOMPARE(answerer.seen().icon, QMessageBox::Warning);
    QCOMPARE(answerer.seen().caption, QString::fromUtf8("Plimo 블로그 백업 프로그램"));
    QVERIFY(Control<CHoverButton>(*dialog, "backupButton")->isEnabled());
    QCOMPARE(dialog->Job().m_bRunning.load(), 0);
  }

  void ANewerBuildIsOfferedAtStart_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opens");
    QTest::newRow("yes opens the link") << int(QMessageBox::Yes) << true;
    QTest::newRow("no leaves it") << int(QMessageBox::No) << false;
  }
  void ANewerBuildIsOfferedAtStart() {
    QFETCH(int, answer);
    QFETCH(bool, opens);
    QuietWindow quiet;
    quiet.updateLink = Text("http://127.0.0.1/PlimoBackup/new");
    BoxAnswerer answerer(static_cast<QMessageBox::StandardButton>(answer));
    // The question may come before the window is active, so nothing waits for that.
    CBackupDlg dialog(quiet.Options());
    dialog.show();
    QTRY_VERIFY(answerer.answered());
    QTRY_VERIFY(!dialog.UpdateCheckRunning());
    QCOMPARE(answerer.seen().text,
             QString::fromUtf8("이 프로그램의 새 버전이 검색되었습니다. 지금 확인하시겠습니까?"));
    QCOMPARE(answerer.seen().icon, QMessageBox::Question);
    QCOMPARE(quiet.Opened(), opens ? std::vector<std::string>{"http://127.0.0.1/PlimoBackup/new"}
                                   : std::vector<std::string>{});
  }

  void NoNewerBuildAsksNothing() {
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    QTRY_VERIFY(!dialog->UpdateCheckRunning());
    QTest::qWait(50);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(quiet.Opened().empty());
  }

  void TitleButtonsAndDeveloperBlog() {
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    QTest::mouseClick(Control<CHoverButton>(*dialog, "devBlogButton"), Qt::LeftButton);
    QCOMPARE(quiet.Opened(), std::vector<std::string>{DEV_BLOG_URL});
    QTest::mouseClick(Control<CHoverButton>(*dialog, "minimizeButton"), Qt::LeftButton);
    QTRY_VERIFY(dialog->isMinimized());
  }

  void TheTitleBandMenuOpensTheAboutBox() {
    QuietWindow quiet;
    const auto dialog = ShownWindow(quiet);
    QString entry;
    bool aboutShown = false;
    QTimer::singleShot(0, dialog.get(), [&] {
      QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      entry = menu->actions().value(0)->text();
      QTimer::singleShot(0, dialog.get(), [&] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        aboutShown = QApplication::activeModalWidget()->windowTitle() ==
                     QString::fromUtf8("Plimo 블로그 백업 프로그램");
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
      });
      menu->actions().value(0)->trigger();
      menu->close();
    });
    QContextMenuEvent inBand(QContextMenuEvent::Mouse, QPoint(100, 10), dialog->mapToGlobal(QPoint(100, 10)));
    QApplication::sendEvent(dialog.get(), &inBand);
    QCOMPARE(entry, QString::fromUtf8("PlimoBackup 정보(&A)..."));
    QTRY_VERIFY(aboutShown);

    QContextMenuEvent belowBand(QContextMenuEvent::Mouse, QPoint(100, 40),
                                dialog->mapToGlobal(QPoint(100, 40)));
    QApplication::sendEvent(dialog.get(), &belowBand);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
  }
};

static RegisterGuiTest<BackupDlgTest> registration;

}  // namespace plimo::test

#include "backup_dlg_test.moc"
