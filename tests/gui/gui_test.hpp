// What the window's tests share: registration of test classes, answering modal boxes, and window
// options that keep a test inside its process.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/backup_dlg.hpp"

namespace plimo::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& GuiTests();

// Registers a Qt Test class with the one test executable.
template <class TestClass>
struct RegisterGuiTest {
  RegisterGuiTest() {
    GuiTests().push_back([] { return std::make_unique<TestClass>(); });
  }
};

struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Watches for the next modal message box, notes what it shows and presses the answer.
class BoxAnswerer : public QObject {
 public:
  explicit BoxAnswerer(QMessageBox::StandardButton answer);
  bool answered() const { return answered_; }
  const SeenBox& seen() const { return seen_; }

 private:
  void timerEvent(QTimerEvent* event) override;

  QMessageBox::StandardButton answer_;
  bool answered_ = false;
  SeenBox seen_;
};

// No update check, no browser, no end of the process: what would leave the test is recorded.
class QuietWindow {
 public:
  // What the update check finds; set before the window is made.
  std::optional<Text> updateLink;
  bool processEnded = false;

  // Options for a window that must not outlive this object.
  BackupDlgOptions Options();
  // What the window asked the browser to open, from any of its threads.
  std::vector<std::string> Opened() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> opened_;
};

}  // namespace plimo::test
