// The terminal's JobView: boxes become lines on standard error, progress a live line on a
// terminal or page-level lines elsewhere.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <string>

#include "job/job_view.hpp"

namespace plimo::cli {

enum class Progress { Live, Lines, Quiet };
enum class OpenArchive { Ask, Yes, No };

class TerminalView : public JobView {
 public:
  TerminalView(Progress progress, OpenArchive openArchive, std::optional<Text> name, std::string folder);

  void SetStatusText(const Text& text) override;
  void SetOverallPercent(int percent) override;
  void SetFilePercent(int percent) override;
  void ShowFileProgress(bool visible) override;
  void SetCaptionText(const Text& text) override;
  void EnableBackupButton(bool enable) override;
  void ShowMessage(const Text& text) override;
  bool AskYesNo(const Text& question) override;
  bool AskRetry(const Text& message) override;
  void RequestClose() override;
  std::optional<Text> AskName() override;
  std::optional<std::string> AskFolder() override;

  // A line of our own (UTF-8), printed above the live line.
  void PrintLine(const std::string& utf8);
  // Leaves the terminal with the live line gone.
  void Finish();

 private:
  void PrintLineLocked(const std::string& utf8);
  void DrawLiveLineLocked(bool force);
  void ClearLiveLineLocked();
  bool AskOnTerminal(const std::string& question, bool defaultAnswer);

  const Progress progress_;
  const OpenArchive openArchive_;
  const std::optional<Text> name_;
  const std::string folder_;

  std::mutex mutex_;
  std::string status_;
  std::string lastPrintedPage_;
  int overallPercent_ = 0;
  int filePercent_ = 0;
  bool fileVisible_ = false;
  bool liveLineShown_ = false;
  std::chrono::steady_clock::time_point lastDraw_{};
  int retriesWithoutTerminal_ = 0;
};

}  // namespace plimo::cli
