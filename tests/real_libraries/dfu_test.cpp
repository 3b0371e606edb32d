// USB DFU class requests on the real libusb-0.1 (synchronous control requests
// on the usbfs nodes) against the DFU model: listing by the configuration
// descriptors the library fetches, opening two devices, a status poll, and
// the errors libusb-0.1 makes of a stall, a failed transfer and a device that
// left mid-transfer, as the simulated bus's table of the same cases expects
// (tests/transport/dfu_requests_test.cpp).
#include <gtest/gtest.h>
#include <usb.h>

#include <array>
#include <cerrno>
#include <functional>
#include <vector>

#include "real_libraries/real_bus_fixture.h"
#include "sim/models/dfu_model.h"
#include "transport/dfu_requests.h"

namespace {

sim::DfuModelOptions dfu_device(std::uint16_t product_id, int interface_number = 0) {
  sim::DfuModelOptions options;
  options.product_id = product_id;
  options.dfu.interface_number = interface_number;
  return options;
}

class DfuOnRealLibrariesTest : public test_support::RealBusFixture {
 protected:
  void TearDown() override {
    dfu_close_handles(m_handles.data(), static_cast<int>(m_handles.size()));
    RealBusFixture::TearDown();
  }

  std::shared_ptr<sim::DfuModel> plug(sim::DfuModelOptions options) {
    return attach(std::make_shared<sim::DfuModel>(std::move(options)));
  }

  std::array<usb_dev_handle*, 2> m_handles{};
};

// libusb-0.1 lists the devices in the order it reads the usbfs directory,
// which is not the order they were plugged in: both take their claims on
// interface 0, whichever comes first.
TEST_F(DfuOnRealLibrariesTest, OpensTwoDevicesAndPollsTheirStatus) {
  auto first = plug(dfu_device(0xE020));
  auto second = plug(dfu_device(0xE022));
  ASSERT_EQ(dfu_open_device(2, m_handles.data(), 2), 2);
  EXPECT_EQ(first->claim_attempts(), std::vector<int>{0});
  EXPECT_EQ(second->claim_attempts(), std::vector<int>{0});

  const std::uint8_t byte = 0x55;
  ASSERT_EQ(dfu_download(m_handles[1], 0, 0, &byte, 1), 1);
  dfu_status status{};
  EXPECT_EQ(dfu_get_status(m_handles[1], 0, &status), 6);
  EXPECT_EQ(status.bStatus, 0);
  EXPECT_EQ(status.bState, sim::k_dfu_dnbusy);
  EXPECT_EQ(dfu_poll_timeout_ms(status), 20u);
  // the second handle reaches one device, and only that one
  const bool first_polled = !first->received().empty();
  EXPECT_EQ((first_polled ? first : second)->take_received().size(), 2u);
  EXPECT_TRUE((first_polled ? second : first)->received().empty());
  dfu_close_handles(m_handles.data(), 2);
  EXPECT_TRUE(handles_closed());
}

// libusb-0.1 reads the configurations from the usbfs node: a device whose
// configuration cannot be read whole is listed with an empty one, and no DFU
// interface is found on it (the simulated bus's libusb-0.1 lists it so too).
TEST_F(DfuOnRealLibrariesTest, ADeviceWithoutReadableConfigurationIsListedWithAnEmptyOne) {
  sim::DfuModelOptions unreadable = dfu_device(0xE020);
  unreadable.faults.descriptor_error = true;
  plug(unreadable);
  usb_find_busses();
  usb_find_devices();
  std::vector<const struct usb_device*> listed;
  for (usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next) {
    for (const struct usb_device* device = bus->devices; device != nullptr; device = device->next) {
      if (device->descriptor.idVendor == 0xF3A7) listed.push_back(device);
    }
  }
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0]->descriptor.idProduct, 0xE020);
  ASSERT_NE(listed[0]->config, nullptr);
  EXPECT_EQ(listed[0]->config[0].bNumInterfaces, 0);
  EXPECT_EQ(dfu_find_interface(listed[0]), -1);
  std::array<struct usb_device*, 1> list{};
  EXPECT_EQ(dfu_list_devices(0, list), 0);
}

TEST_F(DfuOnRealLibrariesTest, TransferErrorsComeBackAsTheLibrarysNegativeResult) {
  struct Case {
    const char* name;
    std::function<void(sim::DfuModelOptions&)> fault;
    int result;
  };
  const std::vector<Case> cases = {
      {"the device stalls the request", [](sim::DfuModelOptions& o) { o.fail_request = 1; }, -EPIPE},
      {"the transfer fails", [](sim::DfuModelOptions& o) { o.faults.read_error = true; }, -EIO},
      {"the device left the bus mid-transfer", [](sim::DfuModelOptions& o) { o.faults.vanish_after = 1; }, -ENODEV},
      // the library hands back the short count; the request makes it a failure
      {"a status of 5 bytes", [](sim::DfuModelOptions& o) { o.short_status = sim::ShortStatusReplies{5, 0}; },
       k_dfu_short_reply},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::DfuModelOptions options = dfu_device(0xE020);
    c.fault(options);
    auto device = plug(options);
    ASSERT_EQ(dfu_open_device(0, m_handles.data(), 1), 1);
    // a clear-status that makes a vanishing device leave, then the status poll
    if (options.faults.vanish_after > 0) dfu_clear_status(m_handles[0], 0);
    dfu_status status{};
    EXPECT_EQ(dfu_get_status(m_handles[0], 0, &status), c.result);
    device->take_received();
    dfu_close_handles(m_handles.data(), 1);
    EXPECT_TRUE(handles_closed());
    sim::reset();
  }
}

}  // namespace
