#include "platform/clock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(Clock, VirtualSleepAdvancesTimeAndReturnsAtOnce) {
  platform::ScopedVirtualClock virtual_clock;
  auto real_start = std::chrono::steady_clock::now();
  auto start = platform::now();
  platform::sleep_for(5s);  // a device rebooting
  platform::sleep_for(250ms);
  platform::sleep_for(0ms);
  platform::sleep_for(-10ms);
  EXPECT_EQ(platform::now() - start, 5250ms);
  EXPECT_EQ(virtual_clock->elapsed(), 5250ms);
  virtual_clock->advance(1s);
  EXPECT_EQ(platform::now() - start, 6250ms);
  EXPECT_LT(std::chrono::steady_clock::now() - real_start, 1s);
}

TEST(Clock, InstallAndUninstall) {
  EXPECT_NE(dynamic_cast<platform::RealClock*>(&platform::clock()), nullptr);
  platform::VirtualClock first;
  {
    platform::ScopedVirtualClock scoped;
    EXPECT_EQ(&platform::clock(), &*scoped);
    platform::install_clock(&first);
    EXPECT_EQ(&platform::clock(), &first);
  }
  // uninstalling puts the real clock back, whichever clock was in force
  EXPECT_NE(dynamic_cast<platform::RealClock*>(&platform::clock()), nullptr);
  auto start = platform::now();
  platform::sleep_for(20ms);
  EXPECT_GE(platform::now() - start, 20ms);
}

TEST(Clock, SleepsFromManyThreadsAddUp) {
  platform::ScopedVirtualClock virtual_clock;
  constexpr int k_threads = 8;
  constexpr int k_sleeps = 2000;
  std::vector<std::thread> threads;
  for (int t = 0; t < k_threads; ++t)
    threads.emplace_back([] {
      for (int i = 0; i < k_sleeps; ++i) platform::sleep_for(3ms);
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(virtual_clock->elapsed(), std::chrono::milliseconds(3 * k_threads * k_sleeps));
}

}  // namespace
