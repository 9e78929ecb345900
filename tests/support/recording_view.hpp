// A JobView for tests: keeps every call in order and answers the boxes from a script.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "job/job_view.hpp"

namespace plimo::test {

class RecordingView : public JobView {
 public:
  // One entry per call: the operation's name, then its argument as UTF-8 ("SetStatusText: 1페이지 ...").
  std::vector<std::string> Calls() const;
  // Only the calls of one operation, their arguments as UTF-8.
  std::vector<std::string> CallsOf(const std::string& operation) const;

  bool yesAnswer = false;
  int retriesBeforeGivingUp = 0;
  std::optional<Text> name;
  std::optional<std::string> folder;
  // Called with every status text (UTF-8) as it is set, on the caller's thread.
  std::function<void(const std::string&)> onStatus;

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

 private:
  void Record(const std::string& operation, const std::string& argument);

  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
  int retriesAsked_ = 0;
};

}  // namespace plimo::test
