#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/about_dlg.hpp"
#include "app/input_name_dlg.hpp"
#include "app/path_dialog.hpp"
#include "gui/gui_test.hpp"
#include "platform/codepage.hpp"
#include "support/temp_folder.hpp"

namespace plimo::test {
namespace {

// Runs the step once the dialog has opened and its modal loop is turning.
void WhenOpen(QDialog& dialog, std::function<void()> step) {
  QTimer::singleShot(0, &dialog, [&dialog, step = std::move(step)] {
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    step();
  });
}

QPushButton* ButtonLabelled(QDialog& dialog, const char* utf8Label) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->text() == QString::fromUtf8(utf8Label)) return button;
  return nullptr;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void NameDialogTakesTheNameAsTyped_data() {
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<bool>("pressReturn");
    QTest::newRow("a name, confirmed with the button") << QByteArray("홍길동") << false;
    QTest::newRow("an empty name is fine") << QByteArray() << false;
    QTest::newRow("Return confirms") << QByteArray(" 김 철수 ") << true;
  }
  void NameDialogTakesTheNameAsTyped() {
    QFETCH(QByteArray, typed);
    QFETCH(bool, pressReturn);
    CInputNameDlg dialog;
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("이름 입력"));
    WhenOpen(dialog, [&] {
      auto* field = dialog.findChild<QLineEdit*>();
      QCOMPARE(QApplication::focusWidget(), field);
      field->insert(QString::fromUtf8(typed));
      if (pressReturn)
        QTest::keyClick(field, Qt::Key_Return);
      else
        ButtonLabelled(dialog, "확인")->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strName, Cp949(typed.constData()));
  }

  void NameDialogCancels_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("cancel button") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
  }
  void NameDialogCancels() {
    QFETCH(int, way);
    CInputNameDlg dialog;
    WhenOpen(dialog, [&] {
      QTest::keyClicks(dialog.findChild<QLineEdit*>(), QStringLiteral("kim"));
      if (way == 0) ButtonLabelled(dialog, "취소")->click();
      if (way == 1) dialog.close();
      if (way == 2) QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(dialog.m_strName.empty());
  }

  void AboutBoxCloses_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Escape") << 0;
    QTest::newRow("Return") << 1;
    QTest::newRow("close box") << 2;
  }
  void AboutBoxCloses() {
    QFETCH(int, way);
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QString::fromUtf8("Plimo 블로그 백업 프로그램"));
    QVERIFY(about.findChildren<QPushButton*>().isEmpty());
    bool closedByStep = false;
    WhenOpen(about, [&] {
      if (way == 0) QTest::keyClick(&about, Qt::Key_Escape);
      if (way == 1) QTest::keyClick(&about, Qt::Key_Return);
      if (way == 2) about.close();
      closedByStep = true;
    });
    about.exec();
    QVERIFY(closedByStep);
    QVERIFY(!about.isVisible());
  }

  void FolderChooserOffersFoldersFromHome() {
    TempFolder chosen;
    QWidget owner;
    CPathDialog chooser;
    QString title;
    QString startFolder;
    bool foldersOnly = false;
    QTimer::singleShot(0, &owner, [&] {
      QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr);
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      title = dialog->windowTitle();
      startFolder = dialog->directory().absolutePath();
      foldersOnly = dialog->fileMode() == QFileDialog::Directory;
      dialog->setDirectory(QString::fromStdString(chosen.native().string()));
      static_cast<QDialog*>(dialog)->accept();
    });
    const auto result = chooser.BrowseForFolder(
        QString::fromUtf8("다운로드 받으실 디렉토리를 선택해 주세요."), QDir::homePath(), &owner);
    QCOMPARE(title, QString::fromUtf8("다운로드 받으실 디렉토리를 선택해 주세요."));
    QCOMPARE(startFolder, QDir::home().absolutePath());
    QVERIFY(foldersOnly);
    QCOMPARE(result, CPathDialog::BrowseResult::Chosen);
    QCOMPARE(chooser.GetPath(), chosen.native().string());
  }

  void FolderChooserCancelled() {
    QWidget owner;
    CPathDialog chooser;
    QTimer::singleShot(0, &owner, [] {
      QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr);
      qobject_cast<QFileDialog*>(QApplication::activeModalWidget())->reject();
    });
    QCOMPARE(chooser.BrowseForFolder(QStringLiteral("x"), QDir::homePath(), &owner),
             CPathDialog::BrowseResult::NotChosen);
  }
};

static RegisterGuiTest<DialogsTest> registration;

}  // namespace plimo::test

#include "dialogs_test.moc"
