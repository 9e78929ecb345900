// Carries calls from the run's threads over to the window's thread, and answers back to a caller
// that waits for them.
#pragma once

#include <QObject>
#include <functional>
#include <mutex>

namespace plimo {

class UiThreadBridge : public QObject {
  Q_OBJECT

 public:
  explicit UiThreadBridge(QObject* parent = nullptr);
  ~UiThreadBridge() override;

  // Runs the call on the window's thread: at once when called there, else as soon as that
  // thread's event loop gets to it. Dropped after Close.
  void Post(std::function<void()> call);

  // Runs the call on the window's thread and waits for its answer. After Close, and for a call
  // still waiting when Close comes, the answer is the fallback.
  bool Call(std::function<bool()> call, bool fallback);

  // The window is going away: no call is carried any more and no caller is left waiting.
  // Called on the window's thread.
  void Close();

 private:
  bool OnOwnThread() const;
  bool IsClosed();

  std::mutex mutex_;
  bool closed_ = false;
};

}  // namespace plimo
