// A view for runs that nobody watches: it names the folder it was given and says no to every question.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "job/job_view.hpp"

namespace plimo::bench {

class SilentView : public JobView {
 public:
  explicit SilentView(std::string folder = {}) : folder_(std::move(folder)) {}

  void SetStatusText(const Text&) override {}
  void SetOverallPercent(int) override {}
  void SetFilePercent(int) override {}
  void ShowFileProgress(bool) override {}
  void SetCaptionText(const Text&) override {}
  void EnableBackupButton(bool) override {}
  void ShowMessage(const Text&) override {}
  // No, so that a finished run never opens a browser.
  bool AskYesNo(const Text&) override { return false; }
  bool AskRetry(const Text&) override { return false; }
  void RequestClose() override {}
  std::optional<Text> AskName() override { return std::nullopt; }
  std::optional<std::string> AskFolder() override { return folder_; }

 private:
  std::string folder_;
};

}  // namespace plimo::bench
