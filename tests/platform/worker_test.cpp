#include "platform/worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(Worker, BodyStopsAtItsNextStepAndItsResultComesLast) {
  platform::Worker worker;
  std::string found;  // written by the body before its result
  int steps = 0;
  worker.start([&] {
    while (!worker.stop_requested()) {
      ++steps;
      std::this_thread::sleep_for(1ms);
    }
    found = "stopped after " + std::to_string(steps);
    worker.set_result(3);
  });
  EXPECT_EQ(worker.result(), 0);
  std::this_thread::sleep_for(5ms);
  worker.stop_and_join();
  EXPECT_TRUE(worker.finished());
  EXPECT_EQ(worker.result(), 3);
  EXPECT_EQ(found, "stopped after " + std::to_string(steps));

  // a new start forgets the stop request, the result and the end of the last run
  worker.start([&] {
    EXPECT_FALSE(worker.stop_requested());
    EXPECT_EQ(worker.result(), 0);
  });
  worker.join();
  EXPECT_TRUE(worker.finished());
  EXPECT_EQ(worker.result(), 0);
}

TEST(Worker, GoingAwayStopsAndWaitsForTheBody) {
  bool ended = false;
  {
    platform::Worker worker;
    worker.start([&] {
      while (!worker.stop_requested()) std::this_thread::sleep_for(1ms);
      ended = true;
    });
  }
  EXPECT_TRUE(ended);
}

TEST(Worker, JoinWithoutAStartDoesNothing) {
  platform::Worker worker;
  worker.join();
  worker.stop_and_join();
  EXPECT_FALSE(worker.finished());
}

}  // namespace
