#include "platform/main_queue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

#include "platform/main_queue_qt.h"

namespace {

class MainQueueTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::install_qt_main_dispatcher(); }
  void TearDown() override { platform::install_main_dispatcher(nullptr, nullptr); }

  // Runs the event loop until `done` holds or 5 s have passed.
  static bool wait_until(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (done()) loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    poll.start(1);
    if (!done()) loop.exec();
    return done();
  }
};

TEST_F(MainQueueTest, TasksPostedFromAWorkerRunOnTheMainThreadInOrder) {
  QThread* main_thread = QCoreApplication::instance()->thread();
  std::vector<int> order;  // touched only on the main thread
  std::atomic<bool> all_on_main{true};
  std::atomic<bool> posted{false};
  std::thread worker([&] {
    for (int i = 0; i < 50; ++i)
      platform::post_to_main([&, i] {
        if (QThread::currentThread() != main_thread) all_on_main = false;
        order.push_back(i);
      });
    posted = true;
  });
  worker.join();
  EXPECT_TRUE(posted);
  EXPECT_TRUE(order.empty());  // nothing runs until the event loop does
  ASSERT_TRUE(wait_until([&] { return order.size() == 50; }));
  EXPECT_TRUE(all_on_main);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
}

TEST_F(MainQueueTest, RunOnMainAndWaitBlocksTheWorkerUntilTheTaskRan) {
  QThread* main_thread = QCoreApplication::instance()->thread();
  std::atomic<bool> ran_on_main{false};
  std::atomic<bool> worker_done{false};
  bool seen_by_worker = false;
  std::thread worker([&] {
    platform::run_on_main_and_wait([&] { ran_on_main = QThread::currentThread() == main_thread; });
    seen_by_worker = ran_on_main;
    worker_done = true;
  });
  EXPECT_TRUE(wait_until([&] { return worker_done.load(); }));
  worker.join();
  EXPECT_TRUE(seen_by_worker);

  // on the main thread itself the task runs at once
  bool direct = false;
  platform::run_on_main_and_wait([&] { direct = true; });
  EXPECT_TRUE(direct);
}

}  // namespace
