#include "support/recording_view.hpp"

#include "platform/codepage.hpp"

namespace plimo::test {

std::vector<std::string> RecordingView::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<std::string> RecordingView::CallsOf(const std::string& operation) const {
  const std::string prefix = operation + ": ";
  std::vector<std::string> arguments;
  for (const std::string& call : Calls())
    if (call.compare(0, prefix.size(), prefix) == 0) arguments.push_back(call.substr(prefix.size()));
  return arguments;
}

void RecordingView::Record(const std::string& operation, const std::string& argument) {
  std::lock_guard lock(mutex_);
  calls_.push_back(operation + ": " + argument);
}

void RecordingView::SetStatusText(const Text& text) {
  const std::string utf8 = Cp949ToUtf8Lossy(text);
  Record("SetStatusText", utf8);
  if (onStatus) onStatus(utf8);
}
void RecordingView::SetOverallPercent(int percent) { Record("SetOverallPercent", std::to_string(percent)); }
void RecordingView::SetFilePercent(int percent) { Record("SetFilePercent", std::to_string(percent)); }
void RecordingView::ShowFileProgress(bool visible) { Record("ShowFileProgress", visible ? "1" : "0"); }
void RecordingView::SetCaptionText(const Text& text) { Record("SetCaptionText", Cp949ToUtf8Lossy(text)); }
void RecordingView::EnableBackupButton(bool enable) { Record("EnableBackupButton", enable ? "1" : "0"); }
void RecordingView::ShowMessage(const Text& text) { Record("ShowMessage", Cp949ToUtf8Lossy(text)); }

bool RecordingView::AskYesNo(const Text& question) {
  Record("AskYesNo", Cp949ToUtf8Lossy(question));
  return yesAnswer;
}

bool RecordingView::AskRetry(const Text& message) {
  Record("AskRetry", Cp949ToUtf8Lossy(message));
  std::lock_guard lock(mutex_);
  return retriesAsked_++ < retriesBeforeGivingUp;
}

void RecordingView::RequestClose() { Record("RequestClose", ""); }

std::optional<Text> RecordingView::AskName() {
  Record("AskName", "");
  return name;
}

std::optional<std::string> RecordingView::AskFolder() {
  Record("AskFolder", "");
  return folder;
}

}  // namespace plimo::test
