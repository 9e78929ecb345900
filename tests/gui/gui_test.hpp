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

// Watches for the next modal window of one kind and deals with it once.
class ModalWatcher : public QObject {
 public:
  ModalWatcher();
  bool answered() const { return answered_; }

 protected:
  // False when the window is not the kind this watcher waits for.
  virtual bool Answer(QWidget& modal) = 0;

 private:
  void timerEvent(QTimerEvent* event) override;

  bool answered_ = false;
};

// Notes what the next message box shows and presses the answer.
class BoxAnswerer : public ModalWatcher {
 public:
  explicit BoxAnswerer(QMessageBox::StandardButton answer) : answer_(answer) {}
  const SeenBox& seen() const { return seen_; }

 private:
  bool Answer(QWidget& modal) override;

  QMessageBox::StandardButton answer_;
  SeenBox seen_;
};

// Chooses the folder in the next folder chooser.
class FolderAnswerer : public ModalWatcher {
 public:
  explicit FolderAnswerer(std::string folder) : folder_(std::move(folder)) {}

 private:
  bool Answer(QWidget& modal) override;

  std::string folder_;
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
