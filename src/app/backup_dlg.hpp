// The main window: the skinned dialog where the user types the blog ID and password and starts a
// backup, and through which a run shows its progress.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "app/hover_button.hpp"
#include "app/ui_thread_bridge.hpp"
#include "job/backup_job.hpp"
#include "job/job_view.hpp"
#include "net/update_check.hpp"
#include "platform/browser.hpp"

namespace plimo {

// What the window does beyond itself. Tests replace these to stay inside their process.
struct BackupDlgOptions {
  // After a close during a run, the process ends this long afterwards even if the run never
  // gets to its stop.
  std::chrono::milliseconds stopBound{5000};
  std::function<void()> endProcess = [] { std::_Exit(0); };
  std::function<std::optional<Text>(const InternetSession&)> checkForUpdate = CheckForUpdate;
  std::function<bool(const std::string&)> openInBrowser = OpenInBrowser;
};

class CBackupDlg : public QDialog, public JobView {
  Q_OBJECT

 public:
  explicit CBackupDlg(BackupDlgOptions options = {});
  // Stops a run that may still be going and waits for the window's threads.
  ~CBackupDlg() override;

  BackupJob& Job() { return m_job; }
  // The start-up check may still be waiting for its host when the window closes.
  bool UpdateCheckRunning() const;

  // The reporting operations; any thread.
  void SetStatusText(const Text& text) override;
  void SetOverallPercent(int percent) override;
  void SetFilePercent(int percent) override;
  void ShowFileProgress(bool visible) override;
  void SetCaptionText(const Text& text) override;
  void EnableBackupButton(bool enable) override;

  // Modal boxes on the window's thread; a caller on another thread waits for the answer.
  void ShowMessage(const Text& text) override;
  bool AskYesNo(const Text& question) override;
  // The box says what went wrong; the user retries by closing it.
  bool AskRetry(const Text& message) override;

  void RequestClose() override;

  // Asked by the Backup command on the window's thread.
  std::optional<Text> AskName() override;
  std::optional<std::string> AskFolder() override;

  // Escape.
  void reject() override;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  enum class Activation { Active, Inactive };
  struct HoverButtonStrips {
    CHoverButton* button;
    int activeStrip;
    int inactiveStrip;
  };

  void CreateControls();
  void SetUpHoverButtons();
  void LoadSkins();
  void LoadButtonStrips(Activation activation);
  void StartTimers();
  void StartUpdateCheck();

  void CloseOrStop();
  // Copies the controls into the job's input.
  void UpdateData();
  void OnStartBackup();
  void OnDevBlog();
  void ShowAbout();

  BackupDlgOptions options_;
  BackupJob m_job;
  UiThreadBridge bridge_;

  QPixmap m_hBmpActive;
  QPixmap m_hBmpInactive;

  QLineEdit* m_editBlogId = nullptr;
  QLineEdit* m_editPassword = nullptr;
  CHoverButton* m_btnStartBackup = nullptr;
  CHoverButton* m_btnDevBlog = nullptr;
  QProgressBar* m_ctlFileProgress = nullptr;
  QLabel* m_pFilePercent = nullptr;
  QLineEdit* m_pStatusEdit = nullptr;
  CHoverButton* m_btnMinimize = nullptr;
  CHoverButton* m_btnClose = nullptr;
  QProgressBar* m_ctlTotalProgress = nullptr;
  QLabel* m_pTotalPercent = nullptr;
  QCheckBox* m_checkOverseas = nullptr;
  std::array<HoverButtonStrips, 4> hoverButtons_{};

  QTimer* focusTimer_ = nullptr;           // 100
  QTimer* closeAfterStopTimer_ = nullptr;  // 101
  QTimer* endProcessTimer_ = nullptr;      // 108

  // Where the pointer holds the window while the title band is dragged by hand.
  std::optional<QPoint> dragOffset_;

  std::thread m_worker;
  std::thread updateCheck_;
  std::atomic<bool> updateCheckDone_{false};
};

}  // namespace plimo
