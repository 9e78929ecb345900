#include "app/ui_thread_bridge.hpp"

#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>
#include <vector>

#include "gui/gui_test.hpp"

namespace plimo::test {

class UiThreadBridgeTest : public QObject {
  Q_OBJECT

 private slots:
  void PostsRunOnTheWindowThreadInOrder() {
    UiThreadBridge bridge;
    std::vector<int> order;
    std::atomic<int> onOtherThread{0};
    std::thread worker([&] {
      for (int step = 1; step <= 3; ++step)
        bridge.Post([&, step] {
          if (QThread::currentThread() != bridge.thread()) ++onOtherThread;
          order.push_back(step);
        });
    });
    worker.join();
    QTRY_COMPARE(order.size(), size_t(3));
    QCOMPARE(order, (std::vector<int>{1, 2, 3}));
    QCOMPARE(onOtherThread.load(), 0);
  }

  void ACallerWaitsForTheAnswerFromTheWindowThread() {
    UiThreadBridge bridge;
    std::atomic<int> answer{-1};
    std::thread worker([&] {
      answer = bridge.Call([&] { return QThread::currentThread() == bridge.thread(); }, false) ? 1 : 0;
    });
    QTRY_COMPARE(answer.load(), 1);
    worker.join();
  }

  void ClosingReleasesAWaitingCallerWithTheFallback() {
    UiThreadBridge bridge;
    std::atomic<bool> started{false};
    std::atomic<int> answer{-1};
    bool ran = false;
    std::thread worker([&] {
      started = true;
      answer = bridge.Call(
                   [&] {
                     ran = true;
                     return false;
                   },
                   true)
                   ? 1
                   : 0;
    });
    while (!started) QThread::yieldCurrentThread();
    QThread::msleep(20);  // the call is queued but the event loop has not run it
    bridge.Close();
    worker.join();
    QCOMPARE(answer.load(), 1);
    QCoreApplication::processEvents();
    QVERIFY(!ran);
  }

  void AfterClosingNothingIsCarried() {
    UiThreadBridge bridge;
    bridge.Close();
    bool ran = false;
    bool answer = true;
    std::thread worker([&] {
      bridge.Post([&] { ran = true; });
      answer = bridge.Call([] { return true; }, false);
    });
    worker.join();
    QVERIFY(!answer);
    bridge.Post([&] { ran = true; });
    QCoreApplication::processEvents();
    QVERIFY(!ran);
  }
};

static RegisterGuiTest<UiThreadBridgeTest> registration;

}  // namespace plimo::test

#include "ui_thread_bridge_test.moc"
