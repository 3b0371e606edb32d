#include "sim/models/dfu_model.h"

#include <gtest/gtest.h>
#include <usb.h>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/bus.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"
#include "transport/dfu_requests.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

class DfuModelTest : public test_support::BusFixture {
 public:
  void TearDown() override {
    dfu_close_handles(&m_handle, 1);
    BusFixture::TearDown();
  }

  // Attaches the device and opens its DFU interface (0).
  std::shared_ptr<sim::DfuModel> plug(sim::DfuModelOptions options) {
    auto model = attach(std::make_shared<sim::DfuModel>(std::move(options)));
    EXPECT_EQ(dfu_open_device(0, &m_handle, 1), 1);
    return model;
  }

  // One status poll: the state it found, or -1 when the request failed.
  int poll(std::uint32_t* poll_ms = nullptr) {
    dfu_status status{};
    if (dfu_get_status(m_handle, 0, &status) != 6) return -1;
    if (poll_ms) *poll_ms = dfu_poll_timeout_ms(status);
    return status.bState;
  }

  int download(std::uint16_t block, const Bytes& bytes) {
    return dfu_download(m_handle, 0, block, bytes.data(), static_cast<int>(bytes.size()));
  }

  void wait(std::chrono::milliseconds duration) { clock().advance(duration); }

  usb_dev_handle* m_handle = nullptr;
};

TEST_F(DfuModelTest, ADownloadRunsThroughTheStatesOnThePollTimeOut) {
  sim::DfuModelOptions options;
  options.poll_timeout_ms = 50;
  auto device = plug(options);

  ASSERT_EQ(download(0, {1, 2, 3}), 3);
  std::uint32_t poll_ms = 0;
  EXPECT_EQ(poll(&poll_ms), sim::k_dfu_dnbusy);
  EXPECT_EQ(poll_ms, 50u);
  clock().advance(50ms);
  EXPECT_EQ(poll(), sim::k_dfu_dnload_idle);
  ASSERT_EQ(download(1, {4, 5}), 2);
  EXPECT_EQ(poll(), sim::k_dfu_dnbusy);
  clock().advance(50ms);
  EXPECT_EQ(poll(), sim::k_dfu_dnload_idle);

  // the empty block: manifestation, then idle again (manifestation tolerant)
  ASSERT_EQ(download(2, {}), 0);
  EXPECT_EQ(poll(&poll_ms), sim::k_dfu_manifest);
  EXPECT_EQ(poll_ms, 50u);
  clock().advance(50ms);
  EXPECT_EQ(poll(), sim::k_dfu_idle);

  ASSERT_EQ(device->blocks().size(), 2u);
  EXPECT_EQ(device->blocks()[1].number, 1);
  EXPECT_EQ(device->image(), (Bytes{1, 2, 3, 4, 5}));
  // every setup packet is recorded with its time and time-out
  const std::vector<sim::ReceivedReport> received = device->take_received();
  ASSERT_EQ(received.size(), 9u);
  EXPECT_EQ(received[2].time - received[1].time, 50ms);
  for (const sim::ReceivedReport& report : received) EXPECT_EQ(report.timeout, 10000ms);
}

TEST_F(DfuModelTest, RequestsTheStateDoesNotAllowLeaveTheDeviceInDfuError) {
  struct Case {
    const char* name;
    std::function<void(DfuModelTest&)> before;
    std::function<int(DfuModelTest&)> request;
  };
  const Case cases[] = {
      {"a poll before the poll time-out",
       [](DfuModelTest& t) {
         t.download(0, {1});
         t.poll();
       },
       [](DfuModelTest& t) {
         dfu_status status{};
         return dfu_get_status(t.m_handle, 0, &status);
       }},
      {"a block while busy",
       [](DfuModelTest& t) {
         t.download(0, {1});
         t.poll();
       },
       [](DfuModelTest& t) { return t.download(1, {2}); }},
      {"an empty block first", [](DfuModelTest&) {}, [](DfuModelTest& t) { return t.download(0, {}); }},
      {"a block larger than the transfer size", [](DfuModelTest&) {},
       [](DfuModelTest& t) { return t.download(0, Bytes(1025, 0)); }},
      {"an upload during a download",
       [](DfuModelTest& t) {
         t.download(0, {1});
         t.poll();
         t.wait(20ms);
         t.poll();
       },
       [](DfuModelTest& t) {
         std::uint8_t byte = 0;
         return dfu_upload(t.m_handle, 0, 0, &byte, 1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug({});
    c.before(*this);
    EXPECT_EQ(c.request(*this), -EPIPE);
    EXPECT_EQ(device->state(), sim::k_dfu_error);
    EXPECT_EQ(device->status(), sim::k_dfu_status_err_stalled_packet);
    // a clear-status recovers it
    EXPECT_EQ(dfu_clear_status(m_handle, 0), 0);
    EXPECT_EQ(poll(), sim::k_dfu_idle);
    device->take_received();
    dfu_close_handles(&m_handle, 1);
    sim::detach(*device);
  }
}

TEST_F(DfuModelTest, FaultsAreOptions) {
  struct Case {
    const char* name;
    std::function<void(sim::DfuModelOptions&)> fault;
    std::vector<int> states;  // of the polls after one block, 20 ms apart
    std::uint8_t status;
  };
  const Case cases[] = {
      {"healthy", [](sim::DfuModelOptions&) {}, {4, 5, 5}, 0},
      {"busy for two more polls", [](sim::DfuModelOptions& o) { o.faults.busy_replies = 2; }, {4, 4, 4, 5}, 0},
      {"staying busy", [](sim::DfuModelOptions& o) { o.faults.busy_forever = true; }, {4, 4, 4, 4, 4, 4}, 0},
      {"dfuERROR after the block", [](sim::DfuModelOptions& o) { o.error_after_block = 1; }, {10, 10}, 3},
      {"non-zero bStatus", [](sim::DfuModelOptions& o) { o.faults.fail_status = 0x0B; }, {4, 5}, 0x0B},
      {"the first poll fails", [](sim::DfuModelOptions& o) { o.fail_request = 2; }, {-1, 4, 5}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::DfuModelOptions options;
    c.fault(options);
    auto device = plug(options);
    ASSERT_EQ(download(0, {9}), 1);
    std::vector<int> states;
    for (std::size_t i = 0; i < c.states.size(); ++i) {
      states.push_back(poll());
      clock().advance(20ms);
    }
    EXPECT_EQ(states, c.states);
    dfu_status status{};
    dfu_get_status(m_handle, 0, &status);
    EXPECT_EQ(status.bStatus, c.status);
    device->take_received();
    dfu_close_handles(&m_handle, 1);
    sim::detach(*device);
  }
}

// What a device that reboots into its boot loader on DFU_DETACH looks like:
// the model leaves the bus and comes back in DFU mode with bit 15 in its id.
class RebootingDfuModel : public sim::DfuModel {
 public:
  using DfuModel::DfuModel;

 protected:
  void on_detach(std::chrono::milliseconds) override {
    sim::Identity next = identity();
    next.descriptor.product_id |= 0x8000;
    next.dfu->run_time = false;
    change_identity(next, 10ms, 500ms);
  }
};

TEST_F(DfuModelTest, ADetachingModelReEnumeratesInDfuModeThroughItsIdentity) {
  sim::DfuModelOptions options;
  options.product_id = 0x6021;
  options.dfu.run_time = true;
  auto device = attach(std::make_shared<RebootingDfuModel>(options));
  ASSERT_EQ(dfu_open_device(1, &m_handle, 1), 1);
  EXPECT_EQ(poll(), sim::k_app_idle);
  EXPECT_EQ(dfu_detach(m_handle, 0), 0);
  dfu_close_handles(&m_handle, 1);
  clock().advance(20ms);
  std::array<struct usb_device*, 2> list{};
  EXPECT_EQ(dfu_list_devices(0, list), 0) << "off the bus while it reboots";
  clock().advance(500ms);
  ASSERT_EQ(dfu_list_devices(2, list), 1);
  EXPECT_EQ(list[0]->descriptor.idProduct, 0xE021);
  ASSERT_EQ(dfu_open_device(2, &m_handle, 1), 1);
  EXPECT_EQ(poll(), sim::k_dfu_idle);
  device->take_received();
}

TEST_F(DfuModelTest, TheLegacyLibraryShowsEachDevicesConfiguration) {
  attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_e020()));
  attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_6021()));
  attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()));
  sim::DfuModelOptions unreadable;
  unreadable.faults.descriptor_error = true;
  attach(std::make_shared<sim::DfuModel>(unreadable));
  usb_init();
  usb_find_busses();
  usb_find_devices();

  // interface number, alternate setting, class, subclass, protocol, extra bytes
  using Setting = std::array<int, 6>;
  std::vector<std::vector<Setting>> shown;
  std::vector<Bytes> extras;
  for (struct usb_device* device = usb_get_busses()->devices; device != nullptr; device = device->next) {
    std::vector<Setting>& settings = shown.emplace_back();
    if (device->config == nullptr) continue;
    const usb_config_descriptor& config = device->config[0];
    for (int i = 0; i < config.bNumInterfaces; ++i) {
      for (int a = 0; a < config.interface[i].num_altsetting; ++a) {
        const usb_interface_descriptor& s = config.interface[i].altsetting[a];
        settings.push_back({s.bInterfaceNumber, s.bAlternateSetting, s.bInterfaceClass, s.bInterfaceSubClass,
                            s.bInterfaceProtocol, s.extralen});
        if (s.extralen > 0) extras.emplace_back(s.extra, s.extra + s.extralen);
      }
    }
  }
  const std::vector<std::vector<Setting>> expected = {
      // firmware-management mode: the HCI interface and the boot loader's DFU interface
      {{0, 0, 0xE0, 1, 1, 0}, {0, 1, 0xFE, 1, 0, 9}},
      // normal mode with the application's DFU interface
      {{0, 0, 0xE0, 1, 1, 0}, {1, 0, 0xFE, 1, 0, 9}},
      {{0, 0, 3, 0, 0, 0}},
      // its configuration could not be read
      {},
  };
  EXPECT_EQ(shown, expected);
  // DFU functional descriptor: can download, upload, manifestation tolerant;
  // detach time-out 1000 ms; 1024 bytes a transfer; DFU 1.1
  EXPECT_EQ(extras[0], (Bytes{9, 0x21, 0x07, 0xE8, 0x03, 0x00, 0x04, 0x10, 0x01}));
}

}  // namespace
