// The real hidapi (hidraw backend) against the models through the emulated
// hidraw nodes: enumeration, the report exchange and recognition.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "real_libraries/real_bus_fixture.h"
#include "recognition/recognition_traffic.h"
#include "sim/models/hid_model.h"
#include "sim/umock/report_descriptor.h"
#include "transport/hid_channel.h"

namespace {

using namespace std::chrono_literals;
using test_support::commands_received;

struct Entry {
  std::string path;
  std::uint16_t product_id;
  std::uint16_t usage_page;
  std::uint16_t usage;
  int interface_number;
  std::wstring product;
  std::wstring serial;
};

// The report descriptor a hidraw node hands out.
std::vector<std::uint8_t> node_report_descriptor(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR);
  if (fd < 0) return {};
  int size = 0;
  hidraw_report_descriptor descriptor{};
  std::vector<std::uint8_t> bytes;
  if (ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0) {
    descriptor.size = static_cast<__u32>(size);
    if (ioctl(fd, HIDIOCGRDESC, &descriptor) == 0) bytes.assign(descriptor.value, descriptor.value + size);
  }
  close(fd);
  return bytes;
}

std::vector<Entry> enumerate() {
  std::vector<Entry> entries;
  hid_device_info* devices = hid_enumerate(0, 0);
  for (hid_device_info* info = devices; info != nullptr; info = info->next) {
    entries.push_back({info->path, info->product_id, info->usage_page, info->usage, info->interface_number,
                       info->product_string ? info->product_string : L"",
                       info->serial_number ? info->serial_number : L""});
    EXPECT_EQ(info->vendor_id, 0xF3A7);
    EXPECT_EQ(info->bus_type, HID_API_BUS_USB);
  }
  hid_free_enumeration(devices);
  return entries;
}

// Plugs a HID device in on a fixture of the real libraries.
template <class Fixture>
class WithHidDevices : public Fixture {
 protected:
  std::shared_ptr<sim::HidModel> plug(sim::HidModelOptions options) {
    return this->attach(std::make_shared<sim::HidModel>(std::move(options)));
  }
};

using HidrawTest = WithHidDevices<test_support::RealBusFixture>;

// hidapi reads usage page and usage from the report descriptor in sysfs; the
// node hands out the same descriptor (HIDIOCGRDESC).
TEST_F(HidrawTest, EnumerationShowsEachCollectionFromItsReportDescriptor) {
  struct Case {
    const char* name;
    sim::HidModelOptions options;
  };
  const std::vector<Case> cases = {
      {"0x6020", sim::hid_fixture_6020()},
      {"0x6038 beside a keyboard", sim::hid_fixture_6038()},
      {"0x6800 language pack", sim::hid_fixture_6800()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.options);
    const std::vector<Entry> entries = enumerate();
    ASSERT_EQ(entries.size(), c.options.collections.size());
    for (const sim::HidCollection& collection : c.options.collections) {
      const auto entry = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
        return e.interface_number == collection.interface_number;
      });
      ASSERT_NE(entry, entries.end());
      EXPECT_EQ(entry->usage_page, collection.usage_page);
      EXPECT_EQ(entry->usage, collection.usage);
      EXPECT_EQ(entry->product_id, c.options.product_id);
      EXPECT_EQ(entry->product, std::wstring(c.options.name.begin(), c.options.name.end()));
      wchar_t serial[16];
      std::swprintf(serial, 16, L"SIM%04X", c.options.product_id);
      EXPECT_EQ(entry->serial, serial);
      EXPECT_EQ(node_report_descriptor(entry->path), sim::umock::report_descriptor(collection));
    }
    const std::set<std::string> paths = [&] {
      std::set<std::string> unique;
      for (const Entry& entry : entries) unique.insert(entry.path);
      return unique;
    }();
    EXPECT_EQ(paths.size(), entries.size());
    sim::detach(*device);
    ASSERT_TRUE(sim::umock::wait_until_current());
  }
}

// The product's report sizes: a 1023-byte command, a 67-byte status report.
TEST_F(HidrawTest, CommandAndStatusReportsCrossWhole) {
  auto device = plug(sim::hid_fixture_6020());
  const std::vector<Entry> entries = enumerate();
  ASSERT_EQ(entries.size(), 1u);
  hid_device* handle = hid_open_path(entries[0].path.c_str());
  ASSERT_NE(handle, nullptr);

  // nothing to read: the read waits its time-out and reports 0 bytes
  unsigned char reply[67] = {};
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(hid_read_timeout(handle, reply, sizeof reply, 100), 0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 90ms);

  // the version command and its status report, report id first
  hid_cmd_report request{};
  request[0] = 1;
  request[1] = 0x01;
  EXPECT_EQ(hid_write(handle, request.data(), request.size()), 1023);
  EXPECT_EQ(hid_read_timeout(handle, reply, sizeof reply, 1000), 67);
  EXPECT_EQ(reply[0], 1);
  EXPECT_EQ(reply[1], 0x01);
  EXPECT_EQ(reply[2], 0);
  EXPECT_EQ(reply[3], 1);  // major version
  EXPECT_EQ(device->take_output_reports(), (std::vector<std::vector<std::uint8_t>>{{request.begin(), request.end()}}));

  hid_close(handle);
}

using RecognitionOnRealLibrariesTest = WithHidDevices<test_support::RealRecognitionFixture>;

TEST_F(RecognitionOnRealLibrariesTest, RecognizesEachHidFamily) {
  struct Case {
    const char* name;
    sim::HidModelOptions options;
    std::vector<int> commands;
    int major, minor;
  };
  sim::HidModelOptions y350 = sim::hid_fixture_6020();
  y350.version = {1, 2, 0, 0};
  sim::HidModelOptions y370 = sim::hid_fixture_6038();
  y370.version = {2, 3, 1, 4};
  const std::vector<Case> cases = {
      {"0x6020", y350, test_support::k_one_run_of_6020, 1, 2},
      {"0x6038 beside a keyboard", y370, test_support::k_one_run_of_6038, 2, 3},
      {"0x6800 language pack", sim::hid_fixture_6800(), test_support::k_one_run_of_6800, 2, 1},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.options);
    recognize();
    EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
    EXPECT_EQ(m_controller.data().deviceName(), c.options.name);
    EXPECT_EQ(m_controller.deviceTarget(), c.options.product_id);
    EXPECT_EQ(m_controller.data().deviceVersionMajor(), c.major);
    EXPECT_EQ(m_controller.data().deviceVersionMinor(), c.minor);
    EXPECT_EQ(commands_received(*device), c.commands);
    EXPECT_TRUE(handles_closed());
    sim::detach(*device);
    ASSERT_TRUE(sim::umock::wait_until_current());
  }
}

// A device that leaves the bus in the middle of an exchange: the request went
// through, what waits for its answer fails, and recognition falls back to
// version 1.0 with every slot closed.
class VanishingDeviceTest : public RecognitionOnRealLibrariesTest {
 protected:
  void recognize_vanishing(sim::HidModelOptions options, const std::vector<int>& commands,
                           const std::string& reason, std::chrono::seconds limit) {
    auto device = plug(options);
    const auto start = std::chrono::steady_clock::now();
    recognize();
    EXPECT_LT(std::chrono::steady_clock::now() - start, limit);
    EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
    EXPECT_EQ(m_controller.data().deviceName(), options.name);
    EXPECT_EQ(m_controller.data().deviceVersionMajor(), 1);
    EXPECT_EQ(m_controller.data().deviceVersionMinor(), 0);
    EXPECT_EQ(transport::describe(transport::hid_last_error(0)), reason);
    EXPECT_EQ(commands_received(*device), commands);
    EXPECT_TRUE(handles_closed());
  }
};

// The read of the version command's status report fails, and so do the
// writes of the run's later requests.
TEST_F(VanishingDeviceTest, CommandChannel) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.name = "Rider";
  options.version = {2, 5, 0, 0};
  options.faults.vanish_after = 2;
  recognize_vanishing(options, {0x03, 0x01}, "write failed", 5s);
}

// The GET_REPORT fetches of the name reply fail for the channel's 10000 polls
// (a little over 10 s of real time), then the version requests find no device.
TEST_F(VanishingDeviceTest, LanguagePackChannel) {
  sim::HidModelOptions options = sim::hid_fixture_6800();
  options.faults.vanish_after = 1;
  recognize_vanishing(options, {0x103}, "write failed", 20s);
}

}  // namespace
