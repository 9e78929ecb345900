// The simulator's way of running connections: one thread each, so that an answer held back on purpose
// never keeps another request waiting, however many are held.
#pragma once

#include <httplib.h>

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace plimo::sim {

class ConnectionThreads : public httplib::TaskQueue {
 public:
  ~ConnectionThreads() override { shutdown(); }

  void enqueue(std::function<void()> work) override {
    std::lock_guard lock(mutex_);
    JoinFinished();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    threads_.push_back({std::thread([work = std::move(work), finished] {
                          work();
                          *finished = true;
                        }),
                        finished});
  }

  // The server calls this once it accepts nothing more; every connection ends on its own by then
  // (the simulator releases what it holds before it stops the server).
  void shutdown() override {
    std::list<Connection> remaining;
    {
      std::lock_guard lock(mutex_);
      remaining.swap(threads_);
    }
    for (Connection& connection : remaining) connection.thread.join();
  }

 private:
  struct Connection {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> finished;
  };

  void JoinFinished() {
    for (auto it = threads_.begin(); it != threads_.end();) {
      if (*it->finished) {
        it->thread.join();
        it = threads_.erase(it);
      } else {
        ++it;
      }
    }
  }

  std::mutex mutex_;
  std::list<Connection> threads_;
};

}  // namespace plimo::sim
