// A device that changes identity leaves the testbed and joins it again with
// uevents: hidapi finds what is there at each enumeration, and libusb-1.0's
// device list follows the uevents; libusb-0.1's port reset reaches the model.
#include <gtest/gtest.h>
#include <libusb-1.0/libusb.h>
#include <usb.h>

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "real_libraries/real_bus_fixture.h"
#include "sim/models/bluecore_dfu_model.h"
#include "sim/models/hid_model.h"
#include "transport/dfu_requests.h"
#include "transport/hid_channel.h"

namespace {

using namespace std::chrono_literals;

// Product ids of the maker's devices in libusb-1.0's device list.
std::vector<std::uint16_t> libusb_product_ids() {
  std::vector<std::uint16_t> ids;
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(nullptr, &list);
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(list[i], &descriptor) == 0 && descriptor.idVendor == 0xF3A7) {
      ids.push_back(descriptor.idProduct);
    }
  }
  if (count >= 0) libusb_free_device_list(list, 1);
  return ids;
}

// Waits up to 3 s for libusb-1.0's list to hold just `product_id`, then for
// the rest of the device (its hidraw nodes come after the USB device, as the
// kernel's HID driver binds after the device has enumerated).
bool libusb_shows(std::uint16_t product_id) {
  const auto deadline = std::chrono::steady_clock::now() + 3s;
  while (libusb_product_ids() != std::vector<std::uint16_t>{product_id}) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return sim::umock::wait_until_current();
}

using ReEnumerationTest = test_support::RealBusFixture;

// The mesh switch of a unit whose mesh module takes its place: the device
// drops off the bus and enumerates as the mesh unit, then comes back as the
// main unit once the host has closed the mesh unit.
TEST_F(ReEnumerationTest, MeshSwitchLeavesAndJoinsTheTestbed) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.mesh = sim::MeshUnit{};
  options.mesh->product_id = 0x3160;
  options.mesh->leave_in = 50ms;
  options.mesh->absent_for = 200ms;
  options.mesh->return_absent_for = 200ms;
  auto device = attach(std::make_shared<sim::HidModel>(options));
  EXPECT_TRUE(libusb_shows(0x6020));

  std::uint32_t product_id = 0;
  transport_message message{};
  ASSERT_EQ(hid_open_device(product_id, message), 0);
  hid_cmd_report request{};
  request[0] = 1;
  request[1] = 0x50;
  hid_status_report reply{};
  EXPECT_EQ(hid_long_command(0, request, reply), 1);
  hid_close_all();

  EXPECT_TRUE(libusb_shows(0x3160));
  ASSERT_EQ(hid_open_mesh_qcc(product_id, message), 0);
  EXPECT_EQ(product_id, 0x3160u);
  hid_close_all();

  EXPECT_TRUE(libusb_shows(0x6020));
  ASSERT_EQ(hid_open_device(product_id, message), 0);
  EXPECT_EQ(product_id, 0x6020u);
  EXPECT_EQ(device->take_output_reports().size(), 1u);
}

// A BlueCore download-mode device detached over its run-time DFU interface
// re-enumerates in DFU mode on libusb-0.1's port reset (USBDEVFS_RESET).
TEST_F(ReEnumerationTest, PortResetAfterDetachReEnumeratesInDfuMode) {
  sim::BlueCoreDfuOptions options = sim::bluecore_dfu_fixture_6020(12);
  options.start = sim::BlueCoreDfuPhase::download_mode;
  options.reenumeration = 100ms;
  auto device = attach(std::make_shared<sim::BlueCoreDfuModel>(options));
  EXPECT_TRUE(libusb_shows(0x6021));

  usb_dev_handle* handle = nullptr;
  ASSERT_EQ(dfu_open_device(0, &handle, 1), 1);
  EXPECT_EQ(dfu_detach(handle, 1), 0);
  EXPECT_EQ(usb_reset(handle), 0);
  dfu_close_handles(&handle, 1);
  EXPECT_TRUE(libusb_shows(0xE020));
  EXPECT_EQ(device->resets(), 1);
  EXPECT_EQ(device->phase(), sim::BlueCoreDfuPhase::dfu_mode);
  EXPECT_EQ(device->take_received().size(), 1u) << "the DETACH";
}

}  // namespace
