#include "gui/gui_test.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QTimerEvent>

namespace plimo::test {

std::vector<TestFactory>& GuiTests() {
  static std::vector<TestFactory> tests;
  return tests;
}

BoxAnswerer::BoxAnswerer(QMessageBox::StandardButton answer) : answer_(answer) {
  startTimer(10);
}

void BoxAnswerer::timerEvent(QTimerEvent* event) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (answered_ || box == nullptr) return;
  seen_ = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
  answered_ = true;
  killTimer(event->timerId());
  box->button(answer_)->click();
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
