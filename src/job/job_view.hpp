// How a run shows itself: the window, the terminal and the tests each implement this.
#pragma once

#include <optional>
#include <string>

#include "net/text.hpp"

namespace plimo {

class JobView {
 public:
  virtual ~JobView() = default;

  // The six reporting operations; called from the worker thread.
  virtual void SetStatusText(const Text& text) = 0;
  virtual void SetOverallPercent(int percent) = 0;
  virtual void SetFilePercent(int percent) = 0;
  virtual void ShowFileProgress(bool visible) = 0;
  virtual void SetCaptionText(const Text& text) = 0;
  virtual void EnableBackupButton(bool enable) = 0;

  // Modal boxes; the caller waits for the answer.
  virtual void ShowMessage(const Text& text) = 0;
  virtual bool AskYesNo(const Text& question) = 0;
  // A file could not be opened for writing: true to try again, false to give up the run.
  virtual bool AskRetry(const Text& message) = 0;

  // After a stop the worker asks the front end to close.
  virtual void RequestClose() = 0;

  // Asked by the Backup command on the front end's own thread. Nothing means cancelled.
  virtual std::optional<Text> AskName() = 0;
  // The destination folder as a path of this system (UTF-8).
  virtual std::optional<std::string> AskFolder() = 0;
};

}  // namespace plimo
