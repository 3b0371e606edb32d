#pragma once
// Fixture for tests of the transport on the real libraries: the models sit on
// the bus as in every device test, and vx_umock serves them through the
// umockdev testbed. Time is real. At teardown a model that received traffic
// the test did not take and check fails the test.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "sim/bus.h"
#include "sim/umock/umock.h"
#include "support/bus_fixture.h"

namespace test_support {

class RealBusFixture : public ::testing::Test {
 protected:
  RealBusFixture() {
    sim::umock::start();
    sim::reset();
  }

  // Plugs `model` in and waits until the testbed shows it.
  template <class M>
  std::shared_ptr<M> attach(std::shared_ptr<M> model) {
    m_models.push_back(model);
    sim::attach(model);
    EXPECT_TRUE(sim::umock::wait_until_current());
    return model;
  }

  // True once every handle the program opened is closed on the bus again (a
  // node's close reaches the adapter a moment after the program's close()).
  static bool handles_closed(std::chrono::milliseconds limit = std::chrono::seconds(2)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (sim::open_handle_count() != 0 || sim::umock::open_nodes() != 0) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  void TearDown() override {
    expect_traffic_taken(m_models);
    m_models.clear();
    sim::reset();
  }

 private:
  std::vector<std::shared_ptr<sim::Model>> m_models;
};

}  // namespace test_support
