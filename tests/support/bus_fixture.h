#pragma once
// Fixture for tests that run on the simulated USB bus: installs the virtual
// clock, attaches models, and at teardown fails when a model received traffic
// the test did not take and check.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "sim/bus.h"

namespace test_support {

// "out 01 01 00 .." or "control a1/01 0302 .." for a failure message.
inline std::string describe_traffic(const sim::ReceivedReport& report) {
  std::string text = report.kind == sim::TrafficKind::interrupt_out ? "out" : "control";
  char byte[8];
  if (report.setup) {
    std::snprintf(byte, sizeof byte, " %02x/%02x", report.setup->request_type, report.setup->request);
    text += byte;
  }
  for (std::size_t i = 0; i < report.bytes.size() && i < 8; ++i) {
    std::snprintf(byte, sizeof byte, " %02x", report.bytes[i]);
    text += byte;
  }
  return text;
}

// Command bytes of the HID reports a device received, taken from it: [1], or
// 0x100 | [2] for a language-pack request ('<' in [1]); reply fetches are dropped.
inline std::vector<int> commands_received(sim::Model& model) {
  std::vector<int> commands;
  for (const sim::ReceivedReport& report : model.take_received()) {
    if (report.kind != sim::TrafficKind::interrupt_out || report.bytes.size() < 3) continue;
    commands.push_back(report.bytes[1] == '<' ? 0x100 | report.bytes[2] : report.bytes[1]);
  }
  return commands;
}

// Fails the test for every transfer a model received that the test did not
// take from it and check.
inline void expect_traffic_taken(const std::vector<std::shared_ptr<sim::Model>>& models) {
  for (const auto& model : models) {
    for (const sim::ReceivedReport& report : model->received()) {
      ADD_FAILURE() << "device " << std::hex << model->identity().descriptor.product_id
                    << " received unexpected traffic: " << describe_traffic(report);
    }
  }
}

class BusFixture : public ::testing::Test {
 protected:
  BusFixture() { sim::reset(); }

  template <class M>
  std::shared_ptr<M> attach(std::shared_ptr<M> model, std::chrono::milliseconds delay = std::chrono::milliseconds(0)) {
    m_models.push_back(model);
    return sim::attach(std::move(model), delay);
  }

  void TearDown() override {
    expect_traffic_taken(m_models);
    m_models.clear();
    sim::reset();
  }

  platform::VirtualClock& clock() { return *m_clock; }

 private:
  platform::ScopedVirtualClock m_clock;
  std::vector<std::shared_ptr<sim::Model>> m_models;
};

}  // namespace test_support
