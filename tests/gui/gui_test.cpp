#include "gui/gui_test.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QTimerEvent>

namespace plimo::test {

std::vector<TestFactory>& GuiTests() {
  static std::vector<TestFactory> tests;
  return tests;
}

ModalWatcher::ModalWatcher() {
  startTimer(10);
}

void ModalWatcher::timerEvent(QTimerEvent* event) {
  QWidget* modal = QApplication::activeModalWidget();
  if (answered_ || modal == nullptr || !Answer(*modal)) return;
  answered_ = true;
  killTimer(event->timerId());
}

bool BoxAnswerer::Answer(QWidget& modal) {
  auto* box = qobject_cast<QMessageBox*>(&modal);
  if (box == nullptr) return false;
  seen_ = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
  box->button(answer_)->click();
  return true;
}

bool FolderAnswerer::Answer(QWidget& modal) {
  auto* chooser = qobject_cast<QFileDialog*>(&modal);
  if (chooser == nullptr) return false;
  chooser->setDirectory(QString::fromStdString(folder_));
  static_cast<QDialog*>(chooser)->accept();
  return true;
}

BackupDlgOptions QuietWindow::Options() {
  BackupDlgOptions options;
  options.checkForUpdate = [this](const InternetSession&) { return updateLink; };
  options.openInBrowser = [this](const std::string& target) {
    std::lock_guard lock(mutex_);
    opened_.push_back(target);
    return true;
  };
  options.endProcess = [this] { processEnded = true; };
  return options;
}

std::vector<std::string> QuietWindow::Opened() const {
  std::lock_guard lock(mutex_);
  return opened_;
}

}  // namespace plimo::test
