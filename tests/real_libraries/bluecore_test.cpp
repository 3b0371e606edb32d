// Legacy recognition on the real libusb-1.0 (HCI devices, usbfs URBs) and
// libusb-0.1 (firmware-management devices, usbfs scan and claim) against the
// BlueCore models through the emulated usbfs nodes.
#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <string>
#include <vector>

#include "real_libraries/real_bus_fixture.h"
#include "sim/models/bluecore_model.h"
#include "support/bccmd_requests.h"
#include "transport/bluecore_channel.h"
#include "transport/transport_message.h"

namespace {

using test_support::key_traffic;
using Keys = std::vector<std::string>;

class BlueCoreOnRealLibrariesTest : public test_support::RealRecognitionFixture {
 protected:
  BlueCoreOnRealLibrariesTest() { m_hand_off.setIsFirst(false); }

  std::shared_ptr<sim::BlueCoreModel> plug(sim::BlueCoreModelOptions options) {
    return attach(std::make_shared<sim::BlueCoreModel>(std::move(options)));
  }
};

// Opening the HCI devices as the simulated bus's table of the same cases
// expects (tests/transport/bluecore_channel_test.cpp): claims through the
// kernel's disconnect-and-claim, and the errors libusb makes of its answers.
TEST_F(BlueCoreOnRealLibrariesTest, OpensTheHciDevicesAsTheStandInsDo) {
  struct Case {
    const char* name;
    std::vector<sim::BlueCoreModelOptions> devices;
    int result;
    const char* text;
    int count;
    std::array<std::uint32_t, 2> ids;
  };
  sim::BlueCoreModelOptions busy = sim::bluecore_fixture_4d10();
  busy.faults.claim_errno = EBUSY;
  sim::BlueCoreModelOptions no_entry = sim::bluecore_fixture_4d10();
  no_entry.faults.claim_errno = ENOENT;
  sim::BlueCoreModelOptions no_descriptor = sim::bluecore_fixture_4d10();
  no_descriptor.faults.descriptor_error = true;
  const auto pair = sim::bluecore_fixture_5310_pair();
  const std::vector<Case> cases = {
      {"one device", {sim::bluecore_fixture_4d10()}, 0, "Device recognized successfully", 1, {0x4D10, 0}},
      {"both devices of a pair", {pair[0], pair[1]}, 0, "Device recognized successfully", 2, {0x5310, 0x5310}},
      {"interface busy", {busy}, -3, "Cannot claim interface: Resource busy (-6)", 0, {0x4D10, 0}},
      {"no interface", {no_entry}, -3, "Cannot claim interface: Invalid parameter (-2)", 0, {0x4D10, 0}},
      {"a device without readable descriptors is not listed", {no_descriptor, sim::bluecore_fixture_5040()}, 0,
       "Device recognized successfully", 1, {0x5040, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::shared_ptr<sim::BlueCoreModel>> devices;
    for (const sim::BlueCoreModelOptions& options : c.devices) devices.push_back(plug(options));
    std::array<std::uint32_t, 2> ids{};
    transport_message message{};
    EXPECT_EQ(bc_open_devices(ids, message, 0), c.result);
    EXPECT_EQ(transport::message_text(message), c.text);
    EXPECT_EQ(bc_device_count(), c.count);
    EXPECT_EQ(ids, c.ids);
    bc_close_devices();
    EXPECT_TRUE(handles_closed());
    sim::reset();
    ASSERT_TRUE(sim::umock::wait_until_current());
  }
}

// The HCI pass: libusb-1.0 finds the device, takes its HCI interface from the
// kernel's Bluetooth driver and exchanges BCCMD messages (a vendor HCI command
// on the control pipe, the answer as events on the interrupt endpoint).
TEST_F(BlueCoreOnRealLibrariesTest, RecognizesAnHciDeviceFromItsPersistentStore) {
  auto device = plug(sim::bluecore_fixture_5040());
  recognize();
  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
  const FEXOBluetoothDeviceData& record = m_controller.data();
  EXPECT_EQ(record.deviceRecognized(), 0x5040);
  EXPECT_EQ(record.deviceVersionMajor(), 4);
  EXPECT_EQ(record.deviceVersionMinor(), 2);
  EXPECT_EQ(record.fmRadioMagicCode(), 0x56E9);
  EXPECT_EQ(record.fmRadioCurrentFrequency(), 9450);
  // product id, address, name, version record, then the settings word and the FM block
  EXPECT_EQ(key_traffic(*device), (Keys{"read 675", "read 1", "read 264", "read 676", "read 654", "read 671"}));
  EXPECT_EQ(device->claim_attempts(), std::vector<int>{0});
  EXPECT_TRUE(handles_closed());
}

// The DFU pass: libusb-0.1 scans the usbfs directory, opens the device in
// firmware-management mode, detaches no driver (none is bound) and claims
// interface 0; the device is asked nothing.
TEST_F(BlueCoreOnRealLibrariesTest, FindsADeviceInFirmwareManagementMode) {
  auto device = plug(sim::bluecore_fixture_e020());
  m_hand_off.setIsFirst(true);
  recognize();
  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
  EXPECT_TRUE(m_hand_off.doWarnThreadRecognize());
  EXPECT_FALSE(m_hand_off.isFirst()) << "the DFU pass opened it";
  EXPECT_EQ(m_controller.deviceTarget(), 0x6020);
  EXPECT_EQ(m_controller.usbStatus(), 0xE020);
  EXPECT_EQ(device->claim_attempts(), (std::vector<int>{0, 0}));
  EXPECT_TRUE(device->take_requests().empty());
  EXPECT_TRUE(handles_closed());
}

// A device that leaves the bus after its third request, the first of the
// address read: the interrupt transfer waiting for its answer ends with the
// device, the rest of the loop finds no device, and the run goes on with the
// product id it read (the simulated bus's run of this device ends the same).
TEST_F(BlueCoreOnRealLibrariesTest, DeviceThatVanishesMidTransfer) {
  sim::BlueCoreModelOptions options = sim::bluecore_fixture_5040();
  options.faults.vanish_after = 3;
  auto device = plug(options);
  recognize();
  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
  const FEXOBluetoothDeviceData& record = m_controller.data();
  EXPECT_EQ(record.deviceRecognized(), 0x5040);
  EXPECT_EQ(record.deviceName(), "XA9");
  EXPECT_EQ(record.deviceVersionMajor(), 4);
  EXPECT_EQ(record.deviceVersionMinor(), 2);
  EXPECT_EQ(key_traffic(*device), (Keys{"read 675", "read 1"}));
  EXPECT_FALSE(device->present());
  EXPECT_TRUE(handles_closed());
}

}  // namespace
