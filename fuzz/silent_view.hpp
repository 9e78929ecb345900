// A JobView that shows nothing and gives up at every question, for harnesses that drive page steps.
#pragma once

#include "job/job_view.hpp"

namespace plimo::fuzz {

class SilentView : public JobView {
 public:
  void SetStatusText(const Text&) override {}
  void SetOverallPercent(int) override {}
  void SetFilePercent(int) override {}
  void ShowFileProgress(bool) override {}
  void SetCaptionText(const Text&) override {}
  void EnableBackupButton(bool) override {}
  void ShowMessage(const Text&) override {}
  bool AskYesNo(const Text&) override { return false; }
  bool AskRetry(const Text&) override { return false; }
  void RequestClose() override {}
  std::optional<Text> AskName() override { return std::nullopt; }
  std::optional<std::string> AskFolder() override { return std::nullopt; }
};

// Stops the harness with a message when a property does not hold, so libFuzzer keeps the input.
[[noreturn]] void Violated(const char* property, const Text& detail);

}  // namespace plimo::fuzz
