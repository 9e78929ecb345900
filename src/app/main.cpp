// plimo-backup-gui: the window of the Plimo blog backup. Ends when the window closes.
#include <QApplication>
#include <QStringList>
#include <cstdlib>

#include "app/backup_dlg.hpp"
#include "app/screenshot_demo.hpp"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  // The window hides itself while a stopped run winds down; only its end ends the program.
  application.setQuitOnLastWindowClosed(false);

  const QStringList arguments = QApplication::arguments();
  if (const qsizetype demo = arguments.indexOf(QStringLiteral("--screenshot-demo"));
      demo >= 0 && demo + 1 < arguments.size())
    return plimo::RunScreenshotDemo(arguments[demo + 1]);

  plimo::CBackupDlg dialog;
  QObject::connect(&dialog, &QDialog::finished, &application, &QCoreApplication::quit);
  dialog.show();
  application.exec();
  // A start-up check still waiting for its host must not hold the closed program; ending the
  // process ends the check with it.
  if (dialog.UpdateCheckRunning()) std::_Exit(0);
  return 0;
}
