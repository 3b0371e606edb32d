#pragma once
// Fixture for tests of the transport on the real libraries: the models sit on
// the bus as in every device test, and vx_umock serves them through the
// umockdev testbed. Time is real. The USB libraries are opened once, as the
// manager opens them at start-up; at teardown the transport lets go of every
// device, and a model that received traffic the test did not take and check
// fails the test.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "recognition/recognition_worker.h"
#include "sim/bus.h"
#include "sim/umock/umock.h"
#include "support/bus_fixture.h"
#include "transport/bluecore_channel.h"
#include "transport/hid_channel.h"
#include "transport/usb_library.h"

namespace test_support {

class RealBusFixture : public ::testing::Test {
 protected:
  RealBusFixture() {
    sim::umock::start();
    // libusb-1.0 starts following the testbed's uevents here
    static const bool opened = transport::open_usb_libraries();
    EXPECT_TRUE(opened);
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
    hid_close_all();
    bc_close_devices();
    dfu_close_device();
    expect_traffic_taken(m_models);
    m_models.clear();
    sim::reset();
  }

 private:
  std::vector<std::shared_ptr<sim::Model>> m_models;
};

// A recognition run on the real libraries, as the recognition page starts it.
class RealRecognitionFixture : public RealBusFixture {
 protected:
  RealRecognitionFixture() { m_controller.setMode(4); }

  void recognize() {
    m_hand_off.reset_for_run();
    recognition::threadMethodRecognize(m_controller, m_hand_off, std::nullopt, m_stop);
  }

  session::AppState m_controller;
  recognition::RecognitionHandOff m_hand_off;
  std::atomic<bool> m_stop{false};
};

}  // namespace test_support
