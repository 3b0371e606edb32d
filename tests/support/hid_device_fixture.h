#pragma once
// Fixture for tests that talk to one simulated HID device over the command
// channel: it opens the device into slot 0 and exchanges long commands with
// it, keeping the channel's console lines out of the test output.
#include <gtest/gtest.h>

#include <memory>

#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"
#include "support/hid_requests.h"
#include "transport/hid_channel.h"

namespace test_support {

class HidDeviceFixture : public BusFixture {
 protected:
  void TearDown() override {
    hid_close_all();
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::HidModel> open(sim::HidModelOptions options) {
    auto model = attach(std::make_shared<sim::HidModel>(std::move(options)));
    EXPECT_EQ(open_hid_device_quietly(), 0);
    return model;
  }

  // Sends one long command; returns its result and leaves the reply in m_reply.
  int exchange(const hid_cmd_report& report) {
    testing::internal::CaptureStdout();
    const int result = hid_long_command(0, report, m_reply);
    testing::internal::GetCapturedStdout();
    return result;
  }

  hid_status_report m_reply{};
};

}  // namespace test_support
