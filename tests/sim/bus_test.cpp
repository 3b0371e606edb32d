#include "sim/bus.h"

#include <gtest/gtest.h>
#include <hidapi/hidapi.h>

#include <string>
#include <vector>

#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Bytes = std::vector<std::uint8_t>;

struct Entry {
  std::string path;
  std::uint16_t product_id;
  std::uint16_t usage_page;
  std::uint16_t usage;
  int interface_number;
  std::wstring product;
};

std::vector<Entry> enumerate(unsigned short vendor_id = 0, unsigned short product_id = 0) {
  std::vector<Entry> entries;
  hid_device_info* devices = hid_enumerate(vendor_id, product_id);
  for (hid_device_info* info = devices; info != nullptr; info = info->next) {
    entries.push_back({info->path, info->product_id, info->usage_page, info->usage, info->interface_number,
                       info->product_string});
    EXPECT_EQ(info->vendor_id, 0xF3A7);
    EXPECT_EQ(info->bus_type, HID_API_BUS_USB);
  }
  hid_free_enumeration(devices);
  return entries;
}

std::string hid_error_text(hid_device* device) {
  const std::wstring wide = hid_error(device);
  return std::string(wide.begin(), wide.end());
}

// Answers every output report with the same bytes after `delay`.
class EchoModel : public sim::Model {
 public:
  EchoModel(sim::Identity identity, milliseconds delay, sim::Faults faults = {})
      : Model(std::move(identity), faults), m_delay(delay) {}
  void on_interrupt_out(int interface_number, std::span<const std::uint8_t> report) override {
    queue_input_report(interface_number, Bytes(report.begin(), report.end()), m_delay);
  }

 private:
  milliseconds m_delay;
};

sim::Identity vendor_device(std::uint16_t product_id) {
  sim::Identity identity;
  identity.descriptor.vendor_id = 0xF3A7;
  identity.descriptor.product_id = product_id;
  identity.hid = {sim::k_vendor_collection};
  return identity;
}

class BusTest : public test_support::BusFixture {
 protected:
  void TearDown() override {
    EXPECT_EQ(sim::open_handle_count(), 0);
    BusFixture::TearDown();
  }

  hid_device* open_first(std::uint16_t product_id) {
    for (const Entry& entry : enumerate(0, product_id)) {
      if (entry.usage_page == 0xFF00) return hid_open_path(entry.path.c_str());
    }
    return nullptr;
  }
};

TEST_F(BusTest, EnumeratesEveryCollectionOfThePresentDevices) {
  EXPECT_TRUE(enumerate().empty());
  attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()));
  attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6038()));
  // arrives once 2 s have passed on the bus
  attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6800()), seconds(2));

  const std::vector<Entry> entries = enumerate();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].product_id, 0x6020);
  EXPECT_EQ(entries[0].product, L"Y350R");
  EXPECT_EQ((std::pair{entries[1].usage_page, entries[1].usage}), (std::pair<std::uint16_t, std::uint16_t>{1, 6}));
  EXPECT_EQ(entries[1].interface_number, 0);
  EXPECT_EQ((std::pair{entries[2].usage_page, entries[2].usage}), (std::pair<std::uint16_t, std::uint16_t>{0xFF00, 1}));
  EXPECT_EQ(entries[2].interface_number, 1);
  EXPECT_NE(entries[0].path, entries[1].path);
  EXPECT_NE(entries[1].path, entries[2].path);

  EXPECT_EQ(enumerate(0xF3A7, 0x6038).size(), 2u);
  EXPECT_TRUE(enumerate(0x1234, 0).empty());
  EXPECT_TRUE(enumerate(0, 0x6800).empty());

  clock().advance(seconds(2));
  EXPECT_EQ(enumerate(0, 0x6800).size(), 2u);
}

TEST_F(BusTest, ReEnumeratesWithTheNewIdentityOnTheClock) {
  for (bool never_return : {false, true}) {
    SCOPED_TRACE(never_return ? "never comes back" : "comes back");
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.mesh = sim::MeshUnit{};
    options.mesh->product_id = 0x3160;  // a QCC mesh unit takes the main unit's place
    options.mesh->version = {5, 4, 0, 0};
    options.faults.never_return = never_return;
    auto device = attach(std::make_shared<sim::HidModel>(options));
    hid_device* main_unit = open_first(0x6020);
    ASSERT_NE(main_unit, nullptr);
    const std::string main_path = enumerate()[0].path;

    // the switch is answered before the device drops off the bus
    const Bytes switch_request{1, 0x50, 0};
    ASSERT_EQ(hid_write(main_unit, switch_request.data(), switch_request.size()), 3);
    Bytes reply(65);
    EXPECT_EQ(hid_read_timeout(main_unit, reply.data(), reply.size(), 1000), 65);
    EXPECT_EQ(reply[2], 0);
    EXPECT_EQ(device->take_output_reports(), std::vector<Bytes>{switch_request});

    clock().advance(milliseconds(100));
    EXPECT_FALSE(device->present());
    EXPECT_TRUE(enumerate().empty());
    EXPECT_EQ(hid_write(main_unit, switch_request.data(), switch_request.size()), -1);
    EXPECT_NE(hid_error_text(main_unit).find("No such device"), std::string::npos);
    hid_close(main_unit);

    clock().advance(milliseconds(999));
    EXPECT_TRUE(enumerate().empty());
    clock().advance(milliseconds(1));
    if (never_return) {
      clock().advance(seconds(60));
      EXPECT_TRUE(enumerate().empty());
      sim::reset();
      continue;
    }
    const std::vector<Entry> mesh = enumerate();
    ASSERT_EQ(mesh.size(), 1u);
    EXPECT_EQ(mesh[0].product_id, 0x3160);
    EXPECT_NE(mesh[0].path, main_path);
    EXPECT_TRUE(device->in_mesh_mode());

    // the mesh unit answers with its own version; closing it brings the main unit back
    hid_device* mesh_unit = hid_open_path(mesh[0].path.c_str());
    ASSERT_NE(mesh_unit, nullptr);
    const Bytes version_request{1, 0x01, 0};
    ASSERT_EQ(hid_write(mesh_unit, version_request.data(), version_request.size()), 3);
    ASSERT_EQ(hid_read_timeout(mesh_unit, reply.data(), reply.size(), 1000), 65);
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.begin() + 5), (Bytes{5, 4}));
    hid_close(mesh_unit);
    const std::vector<Entry> back = enumerate();
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].product_id, 0x6020);
    EXPECT_FALSE(device->in_mesh_mode());
    EXPECT_EQ(device->take_output_reports(), std::vector<Bytes>{version_request});
    sim::reset();
  }
}

TEST_F(BusTest, FaultsShowAsHidapiErrors) {
  struct Case {
    const char* name;
    sim::Faults faults;
    bool opens;
    int write_result;  // second write
    int read_result;
    bool present_after;
  };
  const Case cases[] = {
      {"healthy", {}, true, 2, 2, true},
      {"open refused", {.refuse_open = true}, false, 0, 0, true},
      {"write error", {.write_error = true}, true, -1, 0, true},
      {"read error", {.read_error = true}, true, 2, -1, true},
      {"vanishes after two reports", {.vanish_after = 2}, true, 2, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach(std::make_shared<EchoModel>(vendor_device(0x6020), milliseconds(0), c.faults));
    hid_device* handle = open_first(0x6020);
    if (!c.opens) {
      EXPECT_EQ(handle, nullptr);
      EXPECT_EQ(hid_error_text(nullptr), "The device refused to open");
      sim::reset();
      continue;
    }
    ASSERT_NE(handle, nullptr);
    const Bytes report{1, 0x11};
    hid_write(handle, report.data(), report.size());
    EXPECT_EQ(hid_write(handle, report.data(), report.size()), c.write_result);
    Bytes reply(8);
    EXPECT_EQ(hid_read_timeout(handle, reply.data(), reply.size(), 0), c.read_result);
    if (c.write_result < 0 || c.read_result < 0) {
      EXPECT_NE(hid_error_text(handle), "Success");
    }
    EXPECT_EQ(device->present(), c.present_after);
    EXPECT_EQ(device->take_output_reports().size(), c.write_result < 0 ? 0u : 2u);
    hid_close(handle);
    sim::reset();
  }
}

TEST_F(BusTest, ReadsWaitOnTheClockAndNeverHang) {
  auto device = attach(std::make_shared<EchoModel>(vendor_device(0x6020), seconds(5)));
  hid_device* handle = open_first(0x6020);
  ASSERT_NE(handle, nullptr);
  Bytes reply(8);
  const auto started = platform::now();

  // nothing to answer: a blocking read fails after the short limit, a timed one returns 0
  EXPECT_EQ(hid_read(handle, reply.data(), reply.size()), -1);
  EXPECT_EQ(platform::now() - started, sim::k_unanswered_read_limit);
  EXPECT_EQ(hid_read_timeout(handle, reply.data(), reply.size(), 30000), 0);
  EXPECT_EQ(platform::now() - started, sim::k_unanswered_read_limit + seconds(30));

  // a reply the device sends 5 s later arrives within a 30 s time-out, not within 1 s
  const Bytes report{1, 0x03, 0x1D};
  ASSERT_EQ(hid_write(handle, report.data(), report.size()), 3);
  EXPECT_EQ(hid_read_timeout(handle, reply.data(), reply.size(), 1000), 0);
  EXPECT_EQ(hid_read_timeout(handle, reply.data(), reply.size(), 30000), 3);
  EXPECT_EQ(platform::now() - started, sim::k_unanswered_read_limit + seconds(35));
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 3), report);
  EXPECT_EQ(device->input_reports_read(), 1);
  device->take_received();
  hid_close(handle);
}

TEST_F(BusTest, CarriesBlueCoreAndDfuDevicesAndRecordsControlTransfers) {
  sim::Identity bluecore;
  bluecore.descriptor.vendor_id = 0xF3A7;
  bluecore.descriptor.product_id = 0x4D10;
  bluecore.descriptor.device_class = 0xE0;
  bluecore.bluecore = sim::BlueCoreInterface{};
  sim::Identity dfu;
  dfu.descriptor.vendor_id = 0xF3A7;
  dfu.descriptor.product_id = 0xCD10;  // firmware-management mode: bit 15 set
  dfu.dfu = sim::DfuInterface{.transfer_size = 512};
  auto chip = attach(std::make_shared<EchoModel>(bluecore, milliseconds(0)));
  attach(std::make_shared<EchoModel>(dfu, milliseconds(0)));
  auto hid = attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()));

  const std::vector<sim::BusDevice> devices = sim::devices();
  ASSERT_EQ(devices.size(), 3u);
  EXPECT_TRUE(devices[0].identity.bluecore.has_value());
  EXPECT_EQ(devices[0].identity.bluecore->event_endpoint, 0x81);
  ASSERT_TRUE(devices[1].identity.dfu.has_value());
  EXPECT_EQ(devices[1].identity.dfu->transfer_size, 512);
  EXPECT_NE(devices[0].address, devices[1].address);
  // only the HID device shows through hidapi
  ASSERT_EQ(enumerate().size(), 1u);

  // a request the model does not take is stalled, and still recorded
  Bytes data{0x00, 0xFC, 0x01};
  const sim::ControlSetup hci_command{0x20, 0x00, 0, 0, 3};
  EXPECT_EQ(sim::control_transfer(devices[0].address, hci_command, data).status, sim::IoStatus::stalled);
  const auto traffic = chip->take_received();
  ASSERT_EQ(traffic.size(), 1u);
  EXPECT_EQ(traffic[0].kind, sim::TrafficKind::control);
  EXPECT_EQ(traffic[0].bytes, data);

  hid_device* handle = open_first(0x6020);
  ASSERT_NE(handle, nullptr);
  Bytes feature{5, 0, 0};
  EXPECT_EQ(hid_get_feature_report(handle, feature.data(), feature.size()), -1);
  const auto hid_traffic = hid->take_received();
  ASSERT_EQ(hid_traffic.size(), 1u);
  ASSERT_TRUE(hid_traffic[0].setup.has_value());
  EXPECT_EQ(hid_traffic[0].setup->request, sim::k_hid_get_report);
  EXPECT_EQ(hid_traffic[0].setup->value, 0x0305);
  EXPECT_EQ(hid_traffic[0].interface_number, 0);
  hid_close(handle);
}

}  // namespace
