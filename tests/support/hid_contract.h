#pragma once
// What a program sees through hidapi of a device on either adapter of the
// bus: the vx_sim stand-ins (virtual time) or the real hidapi on vx_umock's
// hidraw nodes (real time). The same checks run in both worlds, so the
// stand-ins keep to what the real library and the kernel do.
#include <gtest/gtest.h>
#include <hidapi/hidapi.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "sim/bus.h"

namespace test_support::hid_contract {

using Bytes = std::vector<std::uint8_t>;

// Answers every output report with the same bytes, and GET_REPORT with the
// report id (when it has one) followed by 0x55s; keeps the SET_REPORT setups.
class EchoModel : public sim::Model {
 public:
  explicit EchoModel(sim::Faults faults = {}) : Model(identity(), faults) {}

  static sim::Identity identity() {
    sim::Identity identity;
    identity.descriptor.vendor_id = 0xF3A7;
    identity.descriptor.product_id = 0x6020;
    identity.descriptor.product = "Echo";
    identity.hid = {sim::k_vendor_collection};
    return identity;
  }

  void on_interrupt_out(int interface_number, std::span<const std::uint8_t> report) override {
    queue_input_report(interface_number, Bytes(report.begin(), report.end()));
  }

  int on_control_transfer(const sim::ControlSetup& setup, std::vector<std::uint8_t>& data) override {
    if (!setup.device_to_host()) return static_cast<int>(data.size());
    data.assign(setup.length, 0x55);
    const auto report_id = static_cast<std::uint8_t>(setup.value & 0xFF);
    if (report_id != 0 && !data.empty()) data[0] = report_id;
    return setup.length;
  }
};

// The device's vendor collection opened through hidapi.
inline hid_device* open_echo() {
  hid_device* handle = nullptr;
  hid_device_info* devices = hid_enumerate(0xF3A7, 0x6020);
  if (devices != nullptr) handle = hid_open_path(devices->path);
  hid_free_enumeration(devices);
  return handle;
}

struct FaultCase {
  const char* name;
  sim::Faults faults;
  bool opens;
  int write_result;  // second write
  int read_result;
  bool present_after;
};

inline const std::vector<FaultCase> k_fault_cases = {
    {"healthy", {}, true, 2, 2, true},
    {"open refused", {.refuse_open = true}, false, 0, 0, true},
    {"write error", {.write_error = true}, true, -1, 0, true},
    {"read error", {.read_error = true}, true, 2, -1, true},
    {"vanishes after two reports", {.vanish_after = 2}, true, 2, -1, false},
};

// Two writes of a two-byte report and a read that does not wait, on a device with `c.faults`.
inline void check_fault(const FaultCase& c, EchoModel& device) {
  hid_device* handle = open_echo();
  if (!c.opens) {
    EXPECT_EQ(handle, nullptr);
    return;
  }
  ASSERT_NE(handle, nullptr);
  const Bytes report{1, 0x11};
  hid_write(handle, report.data(), report.size());
  EXPECT_EQ(hid_write(handle, report.data(), report.size()), c.write_result);
  Bytes reply(8);
  EXPECT_EQ(hid_read_timeout(handle, reply.data(), reply.size(), 0), c.read_result);
  EXPECT_EQ(device.present(), c.present_after);
  EXPECT_EQ(device.take_output_reports().size(), c.write_result < 0 ? 0u : 2u);
  hid_close(handle);
}

// Report ids as the hidraw driver handles them: a report numbered 0 crosses
// the wire without its id and the driver counts the byte in its result; a
// report of one byte is refused; a buffer shorter than the report takes its
// head; a read with nothing to read ends in 0 bytes.
inline void check_report_ids(EchoModel& device) {
  hid_device* handle = open_echo();
  ASSERT_NE(handle, nullptr);
  Bytes reply(8);
  EXPECT_EQ(hid_read_timeout(handle, reply.data(), reply.size(), 50), 0);

  const Bytes unnumbered{0, 0xAA, 0xBB};
  EXPECT_EQ(hid_write(handle, unnumbered.data(), unnumbered.size()), 3);
  EXPECT_EQ(device.take_output_reports(), std::vector<Bytes>{(Bytes{0xAA, 0xBB})});
  EXPECT_EQ(hid_read_timeout(handle, reply.data(), reply.size(), 1000), 2);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 2), (Bytes{0xAA, 0xBB}));

  const Bytes lone_id{7};
  EXPECT_EQ(hid_write(handle, lone_id.data(), lone_id.size()), -1);
  EXPECT_TRUE(device.take_output_reports().empty());

  const Bytes numbered{3, 1, 2, 3, 4, 5};
  EXPECT_EQ(hid_write(handle, numbered.data(), numbered.size()), 6);
  device.take_output_reports();
  Bytes head(2);
  EXPECT_EQ(hid_read_timeout(handle, head.data(), head.size(), 1000), 2);
  EXPECT_EQ(head, (Bytes{3, 1}));

  Bytes feature{0, 0, 0, 0};
  EXPECT_EQ(hid_get_feature_report(handle, feature.data(), feature.size()), 4);
  EXPECT_EQ(feature, (Bytes{0, 0x55, 0x55, 0x55}));
  feature = {5, 0, 0, 0};
  EXPECT_EQ(hid_get_feature_report(handle, feature.data(), feature.size()), 4);
  EXPECT_EQ(feature, (Bytes{5, 0x55, 0x55, 0x55}));
  const Bytes set{0, 9, 8};
  EXPECT_EQ(hid_send_feature_report(handle, set.data(), set.size()), 3);
  std::vector<sim::ReceivedReport> received = device.take_received();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].setup->value, 0x0300);
  EXPECT_EQ(received[0].setup->length, 3);
  EXPECT_EQ(received[1].setup->value, 0x0305);
  EXPECT_EQ(received[1].setup->length, 4);
  EXPECT_EQ(received[2].setup->request, sim::k_hid_set_report);
  EXPECT_EQ(received[2].bytes, (Bytes{9, 8}));
  hid_close(handle);
}

}  // namespace test_support::hid_contract
