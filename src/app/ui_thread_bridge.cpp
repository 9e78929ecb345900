#include "app/ui_thread_bridge.hpp"

#include <QCoreApplication>
#include <QThread>
#include <future>
#include <memory>

namespace plimo {

UiThreadBridge::UiThreadBridge(QObject* parent) : QObject(parent) {}

UiThreadBridge::~UiThreadBridge() {
  Close();
}

bool UiThreadBridge::OnOwnThread() const {
  return QThread::currentThread() == thread();
}

bool UiThreadBridge::IsClosed() {
  std::lock_guard lock(mutex_);
  return closed_;
}

void UiThreadBridge::Post(std::function<void()> call) {
  if (OnOwnThread()) {
    if (!IsClosed()) call();
    return;
  }
  std::lock_guard lock(mutex_);
  if (!closed_) QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

bool UiThreadBridge::Call(std::function<bool()> call, bool fallback) {
  if (OnOwnThread()) return IsClosed() ? fallback : call();
  // The promise lives in the queued call only: a call that Close throws away breaks it, which
  // wakes the waiting thread. A blocking queued connection would leave that thread waiting
  // forever on a window that no longer runs its event loop.
  auto answer = std::make_shared<std::promise<bool>>();
  std::future<bool> future = answer->get_future();
  {
    std::lock_guard lock(mutex_);
    if (closed_) return fallback;
    QMetaObject::invokeMethod(
        this, [answer = std::move(answer), call = std::move(call)] { answer->set_value(call()); },
        Qt::QueuedConnection);
  }
  try {
    return future.get();
  } catch (const std::future_error&) {
    return fallback;
  }
}

void UiThreadBridge::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

}  // namespace plimo
