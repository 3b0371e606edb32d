#include "transport/dfu_requests.h"

#include <gtest/gtest.h>
#include <usb.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "sim/bus.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/dfu_model.h"
#include "support/bus_fixture.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

sim::DfuModelOptions dfu_device(std::uint16_t product_id, int interface_number = 0) {
  sim::DfuModelOptions options;
  options.product_id = product_id;
  options.dfu.interface_number = interface_number;
  return options;
}

std::vector<std::uint16_t> product_ids(std::span<struct usb_device* const> list) {
  std::vector<std::uint16_t> ids;
  for (const struct usb_device* device : list) ids.push_back(device->descriptor.idProduct);
  return ids;
}

class DfuRequestsTest : public test_support::BusFixture {
 protected:
  void TearDown() override {
    dfu_close_handles(m_handles.data(), static_cast<int>(m_handles.size()));
    EXPECT_EQ(sim::open_handle_count(), 0);
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::DfuModel> plug(sim::DfuModelOptions options) {
    return attach(std::make_shared<sim::DfuModel>(std::move(options)));
  }

  // Opens the only device on the bus and claims its DFU interface, as the
  // update engine is handed it.
  usb_dev_handle* open_only_device(int interface_number) {
    std::array<struct usb_device*, 1> list{};
    EXPECT_EQ(dfu_list_devices(0, list), 1);
    usb_dev_handle* handle = usb_open(list[0]);
    EXPECT_NE(handle, nullptr);
    EXPECT_EQ(usb_claim_interface(handle, interface_number), 0);
    m_handles[0] = handle;
    return handle;
  }

  std::array<usb_dev_handle*, 5> m_handles{};
};

TEST_F(DfuRequestsTest, EachRequestSendsItsSetupPacketToTheInterfaceWithTheTenSecondTimeOut) {
  sim::DfuModelOptions options = dfu_device(0xE020, 3);
  options.poll_timeout_ms = 40;
  options.upload_image = {0xA0, 0xA1, 0xA2};
  auto device = plug(options);
  usb_dev_handle* handle = open_only_device(3);

  const Bytes block = {1, 2, 3, 4, 5, 6, 7, 8};
  Bytes upload(16, 0);
  dfu_status status{};
  std::uint8_t state = 0xFF;
  struct Case {
    const char* name;
    std::function<int()> call;
    std::uint8_t request_type;
    std::uint8_t request;
    std::uint16_t value;
    std::uint16_t length;
    Bytes sent;
    int result;
  };
  // a download, its polls, an abort, an upload and the requests the device
  // refuses in its state (a stall: -EPIPE), in an order the device follows
  const Case cases[] = {
      {"state", [&] { return dfu_get_state(handle, 3, &state); }, 0xA1, 5, 0, 1, {}, 1},
      {"download block 7", [&] { return dfu_download(handle, 3, 7, block.data(), 8); }, 0x21, 1, 7, 8, block, 8},
      {"status: busy", [&] { return dfu_get_status(handle, 3, &status); }, 0xA1, 3, 0, 6, {}, 6},
      {"status after the poll time-out", [&] {
         platform::sleep_for(40ms);
         return dfu_get_status(handle, 3, &status);
       }, 0xA1, 3, 0, 6, {}, 6},
      {"abort", [&] { return dfu_abort(handle, 3); }, 0x21, 6, 0, 0, {}, 0},
      {"upload block 0", [&] { return dfu_upload(handle, 3, 0, upload.data(), 16); }, 0xA1, 2, 0, 16, {}, 3},
      {"clear status while idle", [&] { return dfu_clear_status(handle, 3); }, 0x21, 4, 0, 0, {}, -EPIPE},
      {"clear status in dfuERROR", [&] { return dfu_clear_status(handle, 3); }, 0x21, 4, 0, 0, {}, 0},
      {"detach in DFU mode", [&] { return dfu_detach(handle, 3); }, 0x21, 0, 5000, 0, {}, -EPIPE},
      {"clear status again", [&] { return dfu_clear_status(handle, 3); }, 0x21, 4, 0, 0, {}, 0},
      {"request 7", [&] { return dfu_request_7(handle, 3); }, 0x21, 7, 0, 0, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.call(), c.result);
    const std::vector<sim::ReceivedReport> received = device->take_received();
    ASSERT_EQ(received.size(), 1u);
    const sim::ControlSetup& setup = received[0].setup.value();
    EXPECT_EQ(setup.request_type, c.request_type);
    EXPECT_EQ(setup.request, c.request);
    EXPECT_EQ(setup.value, c.value);
    EXPECT_EQ(setup.index, 3);
    EXPECT_EQ(setup.length, c.length);
    EXPECT_EQ(received[0].bytes, c.sent);
    EXPECT_EQ(received[0].timeout, 10000ms);
  }
  EXPECT_EQ(state, sim::k_dfu_idle);
  EXPECT_EQ(status.bState, sim::k_dfu_dnload_idle);
  EXPECT_EQ(Bytes(upload.begin(), upload.begin() + 3), options.upload_image);
  ASSERT_EQ(device->blocks().size(), 1u);
  EXPECT_EQ(device->blocks()[0].number, 7);
  EXPECT_EQ(device->request_7_count(), 1);

  // a run-time device takes the detach with its time-out of 5000 ms
  sim::detach(*device);
  dfu_close_handles(m_handles.data(), 1);
  options.dfu.run_time = true;
  auto application = plug(options);
  handle = open_only_device(3);
  EXPECT_EQ(dfu_detach(handle, 3), 0);
  const std::vector<sim::ReceivedReport> received = application->take_received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].setup->request_type, 0x21);
  EXPECT_EQ(received[0].setup->value, 5000);
  EXPECT_EQ(application->state(), sim::k_app_detach);
}

TEST_F(DfuRequestsTest, StatusRepliesAreReadWithTheirPollTimeOut) {
  struct Case {
    const char* name;
    sim::DfuModelOptions device;
    std::uint8_t status;
    std::uint8_t state;
    std::uint32_t poll_ms;
  };
  sim::DfuModelOptions slow = dfu_device(0xE020);
  slow.poll_timeout_ms = 0x012345;
  sim::DfuModelOptions failing = dfu_device(0xE020);
  failing.error_after_block = 1;
  failing.error_status = 0x06;  // errPROG
  sim::DfuModelOptions odd_status = dfu_device(0xE020);
  odd_status.faults.fail_status = 0x0E;
  const Case cases[] = {
      {"busy with a 3-byte poll time-out", slow, 0, sim::k_dfu_dnbusy, 0x012345},
      {"dfuERROR after the block", failing, 0x06, sim::k_dfu_error, 0},
      {"non-zero bStatus", odd_status, 0x0E, sim::k_dfu_dnbusy, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.device);
    usb_dev_handle* handle = open_only_device(0);
    const std::uint8_t byte = 0x55;
    ASSERT_EQ(dfu_download(handle, 0, 0, &byte, 1), 1);
    dfu_status status{};
    EXPECT_EQ(dfu_get_status(handle, 0, &status), 6);
    EXPECT_EQ(status.bStatus, c.status);
    EXPECT_EQ(status.bState, c.state);
    EXPECT_EQ(dfu_poll_timeout_ms(status), c.poll_ms);
    device->take_received();
    sim::detach(*device);
    dfu_close_handles(m_handles.data(), 1);
  }
}

// A reply shorter than its fields must not read as a status: cleared, it
// would say "OK, appIDLE" and the next block would go out.
TEST_F(DfuRequestsTest, AStatusOrStateReplyShorterThanItsFieldsIsAFailedRequest) {
  struct Case {
    std::size_t reply_bytes;
    int status_result;
    int state_result;
  };
  const Case cases[] = {
      {0, k_dfu_short_reply, k_dfu_short_reply}, {1, k_dfu_short_reply, 1}, {4, k_dfu_short_reply, 1},
      {5, k_dfu_short_reply, 1},                 {6, 6, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply_bytes);
    sim::DfuModelOptions options = dfu_device(0xE020);
    options.faults.fail_status = 0x0E;
    options.short_status = sim::ShortStatusReplies{c.reply_bytes, 0};
    auto device = plug(options);
    usb_dev_handle* handle = open_only_device(0);
    dfu_status status{0xA5, {0xA5, 0xA5, 0xA5}, 0xA5, 0xA5};
    EXPECT_EQ(dfu_get_status(handle, 0, &status), c.status_result);
    if (c.status_result < 0) {
      EXPECT_EQ(status.bStatus, 0);
      EXPECT_EQ(status.bState, 0);
      EXPECT_EQ(dfu_poll_timeout_ms(status), 0u);
    } else {
      EXPECT_EQ(status.bStatus, 0x0E);
      EXPECT_EQ(status.bState, sim::k_dfu_idle);
    }
    std::uint8_t state = 0xA5;
    EXPECT_EQ(dfu_get_state(handle, 0, &state), c.state_result);
    EXPECT_EQ(state, c.state_result < 0 ? 0xA5 : sim::k_dfu_idle);
    EXPECT_EQ(device->take_received().size(), 2u);
    sim::detach(*device);
    dfu_close_handles(m_handles.data(), 1);
  }
}

TEST_F(DfuRequestsTest, ANullHandleBufferOrPointerGivesMinusFiveWithoutATransfer) {
  auto device = plug(dfu_device(0xE020));
  usb_dev_handle* handle = open_only_device(0);
  std::uint8_t bytes[8] = {};
  struct Case {
    const char* name;
    std::function<int()> call;
  };
  const Case cases[] = {
      {"detach, no handle", [] { return dfu_detach(nullptr, 0); }},
      {"download, no handle", [&] { return dfu_download(nullptr, 0, 0, bytes, 8); }},
      {"upload, no handle", [&] { return dfu_upload(nullptr, 0, 0, bytes, 8); }},
      {"status, no handle", [] {
         dfu_status status{};
         return dfu_get_status(nullptr, 0, &status);
       }},
      {"clear status, no handle", [] { return dfu_clear_status(nullptr, 0); }},
      {"state, no handle", [&] { return dfu_get_state(nullptr, 0, bytes); }},
      {"abort, no handle", [] { return dfu_abort(nullptr, 0); }},
      {"request 7, no handle", [] { return dfu_request_7(nullptr, 0); }},
      {"status, no buffer", [&] { return dfu_get_status(handle, 0, nullptr); }},
      {"state, no pointer", [&] { return dfu_get_state(handle, 0, nullptr); }},
      {"download, no data", [&] { return dfu_download(handle, 0, 0, nullptr, 8); }},
      {"upload, no buffer", [&] { return dfu_upload(handle, 0, 0, nullptr, 8); }},
      {"download, negative length", [&] { return dfu_download(handle, 0, 0, bytes, -1); }},
      {"upload, length beyond 16 bits", [&] { return dfu_upload(handle, 0, 0, bytes, 0x10000); }},
      {"no interface (-1)", [] { return dfu_abort(reinterpret_cast<usb_dev_handle*>(1), -1); }},
      {"interface beyond 255", [&] { return dfu_clear_status(handle, 256); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.call(), k_dfu_invalid_argument);
    EXPECT_TRUE(device->received().empty());
  }
  // the empty block that ends a download needs no data
  EXPECT_EQ(dfu_download(handle, 0, 1, nullptr, 0), -EPIPE) << "refused by an idle device, but sent";
  EXPECT_EQ(device->take_received().size(), 1u);
}

TEST_F(DfuRequestsTest, TransferErrorsComeBackAsTheLibrarysNegativeResult) {
  struct Case {
    const char* name;
    std::function<void(sim::DfuModelOptions&)> fault;
    int result;
  };
  const Case cases[] = {
      {"the device stalls the request", [](sim::DfuModelOptions& o) { o.fail_request = 1; }, -EPIPE},
      {"the transfer fails", [](sim::DfuModelOptions& o) { o.faults.read_error = true; }, -EIO},
      {"the device left the bus", [](sim::DfuModelOptions& o) { o.faults.vanish_after = 1; }, -ENODEV},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::DfuModelOptions options = dfu_device(0xE020);
    c.fault(options);
    auto device = plug(options);
    usb_dev_handle* handle = open_only_device(0);
    // a clear-status that makes a vanishing device leave, then the status poll
    if (options.faults.vanish_after > 0) dfu_clear_status(handle, 0);
    dfu_status status{};
    EXPECT_EQ(dfu_get_status(handle, 0, &status), c.result);
    device->take_received();
    sim::detach(*device);
    dfu_close_handles(m_handles.data(), 1);
  }
}

TEST_F(DfuRequestsTest, ListingTakesDevicesWithADfuInterfaceByModeInWalkOrder) {
  plug(dfu_device(0x6021, 1));
  attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_e020()));
  sim::Identity hub;
  hub.descriptor.device_class = USB_CLASS_HUB;
  hub.descriptor.product_id = 0xE022;
  hub.dfu = sim::DfuInterface{};
  attach(std::make_shared<sim::Model>(hub));
  plug(dfu_device(0x0000));
  // the vendor is not looked at
  sim::DfuModelOptions other_vendor = dfu_device(0xE024);
  other_vendor.vendor_id = 0x0A12;
  plug(other_vendor);
  // a DFU 1.1 boot loader of another kind (protocol 2) is no device of ours
  sim::DfuModelOptions dfu_1_1 = dfu_device(0xDF11);
  dfu_1_1.vendor_id = 0x0483;
  dfu_1_1.dfu.protocol = 2;
  plug(dfu_1_1);
  sim::DfuModelOptions unreadable = dfu_device(0xE026);
  unreadable.faults.descriptor_error = true;
  plug(unreadable);
  // an HCI device without a DFU interface
  attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_4d10()));

  struct Case {
    const char* name;
    int mode;
    std::size_t capacity;
    std::vector<std::uint16_t> ids;
  };
  const Case cases[] = {
      {"mode 1: ids 0x0000-0x7FFF", 1, 10, {0x6021, 0x0000}},
      {"mode 2: ids with bit 15, and 0x0000", 2, 10, {0xE020, 0x0000, 0xE024}},
      {"mode 0: all", 0, 10, {0x6021, 0xE020, 0x0000, 0xE024}},
      {"mode 3: all", 3, 10, {0x6021, 0xE020, 0x0000, 0xE024}},
      {"capacity 2: the first ones", 0, 2, {0x6021, 0xE020}},
      {"capacity 0", 0, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<struct usb_device*> list(c.capacity + 1, nullptr);
    const int listed = dfu_list_devices(c.mode, std::span(list).first(c.capacity));
    ASSERT_EQ(listed, static_cast<int>(c.ids.size()));
    EXPECT_EQ(product_ids(std::span(list).first(c.ids.size())), c.ids);
    EXPECT_EQ(list[c.capacity], nullptr) << "nothing beyond the capacity";
  }
  EXPECT_EQ(sim::open_handle_count(), 0) << "listing opens nothing";
}

TEST_F(DfuRequestsTest, AtMostThirtyDevicesAreConsidered) {
  for (std::uint16_t i = 0; i < 35; ++i) plug(dfu_device(static_cast<std::uint16_t>(0x8000 + i)));
  struct Case {
    std::size_t capacity;
    int listed;
  };
  for (const Case& c : {Case{40, 30}, Case{30, 30}, Case{5, 5}, Case{1, 1}}) {
    SCOPED_TRACE(c.capacity);
    std::vector<struct usb_device*> list(c.capacity, nullptr);
    ASSERT_EQ(dfu_list_devices(2, list), c.listed);
    for (int i = 0; i < c.listed; ++i) EXPECT_EQ(list[static_cast<std::size_t>(i)]->descriptor.idProduct, 0x8000 + i);
  }
}

TEST_F(DfuRequestsTest, FindingTheInterfaceSearchesConfigurationsInterfacesAndAlternateSettingsInOrder) {
  struct Setting {
    std::uint8_t number, interface_class, subclass, protocol;
  };
  using Interface = std::vector<Setting>;
  using Configuration = std::vector<Interface>;
  const Setting hid{0, 3, 0, 0};
  const Setting hci{0, 0xE0, 1, 1};
  const auto dfu = [](std::uint8_t number, std::uint8_t protocol = 0) { return Setting{number, 0xFE, 1, protocol}; };
  struct Case {
    const char* name;
    std::vector<Configuration> configurations;
    int found;
  };
  const Case cases[] = {
      {"no configuration read", {}, -1},
      {"none", {{{hid}, {hci}}}, -1},
      {"first interface", {{{dfu(0)}, {dfu(1)}}}, 0},
      {"third interface", {{{hid}, {hci}, {dfu(5)}}}, 5},
      {"second alternate setting", {{{hci, dfu(0)}}}, 0},
      {"second configuration", {{{hid}}, {{hci}, {dfu(2)}}}, 2},
      {"DFU 1.1 protocols are not", {{{dfu(1, 1)}, {dfu(2, 2)}}}, -1},
      {"IrDA bridge (subclass 2)", {{{Setting{4, 0xFE, 2, 0}}}}, -1},
      {"an interface with no settings", {{{}, {dfu(6)}}}, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // records laid out as the library keeps them: each count the length of its array
    std::vector<std::vector<std::vector<usb_interface_descriptor>>> settings;
    std::vector<std::vector<usb_interface>> interfaces(c.configurations.size());
    std::vector<usb_config_descriptor> configs(c.configurations.size());
    for (const Configuration& configuration : c.configurations) {
      auto& per_interface = settings.emplace_back();
      for (const Interface& interface : configuration) {
        auto& alternates = per_interface.emplace_back();
        for (const Setting& s : interface) {
          usb_interface_descriptor descriptor{};
          descriptor.bInterfaceNumber = s.number;
          descriptor.bInterfaceClass = s.interface_class;
          descriptor.bInterfaceSubClass = s.subclass;
          descriptor.bInterfaceProtocol = s.protocol;
          alternates.push_back(descriptor);
        }
      }
    }
    for (std::size_t k = 0; k < configs.size(); ++k) {
      for (auto& alternates : settings[k]) {
        interfaces[k].push_back({alternates.empty() ? nullptr : alternates.data(), static_cast<int>(alternates.size())});
      }
      configs[k].bNumInterfaces = static_cast<std::uint8_t>(interfaces[k].size());
      configs[k].interface = interfaces[k].data();
    }
    struct usb_device device{};
    device.descriptor.bNumConfigurations = static_cast<std::uint8_t>(configs.size());
    device.config = configs.empty() ? nullptr : configs.data();
    EXPECT_EQ(dfu_find_interface(&device), c.found);
  }
  EXPECT_EQ(dfu_find_interface(nullptr), -1);
}

TEST_F(DfuRequestsTest, OpeningTakesTheFirstDeviceOnInterfaceZeroAndTheSecondOnItsDfuInterface) {
  auto first = plug(dfu_device(0xE020, 0));
  auto second = plug(dfu_device(0xE022, 2));
  ASSERT_EQ(dfu_open_device(2, m_handles.data(), 2), 2);
  EXPECT_NE(m_handles[0], nullptr);
  EXPECT_NE(m_handles[1], nullptr);
  EXPECT_EQ(first->claim_attempts(), std::vector<int>{0});
  EXPECT_EQ(second->claim_attempts(), std::vector<int>{2});
  EXPECT_EQ(sim::open_handle_count(), 2);

  // each handle reaches its own device
  dfu_status status{};
  EXPECT_EQ(dfu_get_status(m_handles[1], 2, &status), 6);
  EXPECT_TRUE(first->received().empty());
  EXPECT_EQ(second->take_received().size(), 1u);

  dfu_close_handles(m_handles.data(), 2);
  EXPECT_EQ(m_handles[0], nullptr);
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(DfuRequestsTest, OpeningStopsAtTheCapacityAndAtTheFirstRefusal) {
  struct Case {
    const char* name;
    int mode;
    int capacity;
    std::function<void(sim::DfuModelOptions&)> second_fault;
    int opened;
  };
  const auto none = [](sim::DfuModelOptions&) {};
  const Case cases[] = {
      {"capacity 1", 2, 1, none, 1},
      {"capacity 2", 2, 2, none, 2},
      // the list holds two entries: a larger capacity opens two
      {"capacity 5", 2, 5, none, 2},
      {"capacity 0", 2, 0, none, 0},
      {"negative capacity", 2, -1, none, 0},
      {"no device of the mode", 1, 2, none, 0},
      {"second open refused", 2, 2, [](sim::DfuModelOptions& o) { o.faults.refuse_open = true; }, 1},
      {"second claim refused", 2, 2, [](sim::DfuModelOptions& o) { o.faults.claim_errno = EBUSY; }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::shared_ptr<sim::DfuModel>> devices;
    for (std::uint16_t id : {0xE020, 0xE022, 0xE024}) {
      sim::DfuModelOptions options = dfu_device(id);
      if (id == 0xE022) c.second_fault(options);
      devices.push_back(plug(options));
    }
    const auto marker = reinterpret_cast<usb_dev_handle*>(0x1);
    m_handles.fill(marker);
    EXPECT_EQ(dfu_open_device(c.mode, m_handles.data(), c.capacity), c.opened);
    EXPECT_EQ(sim::open_handle_count(), c.opened) << "a refused device is closed again";
    for (int i = 0; i < 5; ++i) {
      if (i < c.opened) {
        EXPECT_NE(m_handles[static_cast<std::size_t>(i)], marker);
      } else {
        EXPECT_EQ(m_handles[static_cast<std::size_t>(i)], marker) << "slot " << i << " untouched";
      }
    }
    dfu_close_handles(m_handles.data(), c.opened);
    m_handles.fill(nullptr);
    for (const auto& device : devices) sim::detach(*device);
  }
}

TEST_F(DfuRequestsTest, ARefusedClaimWalksTheInterfacesByErrno) {
  struct Case {
    const char* name;
    int claim_errno;
    int failures;
    bool refuse_open;
    int opened;
    std::vector<int> claims;
  };
  const Case cases[] = {
      {"free", 0, 0, false, 1, {0}},
      // busy: the next interface, which the device lacks (errno 2): back to 0, which is free now
      {"busy once", EBUSY, 1, false, 1, {0, 1, 0}},
      {"busy for ever", EBUSY, 0, false, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {"no such interface twice", ENOENT, 0, false, 0, {0, 0}},
      {"open refused", 0, 0, true, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::DfuModelOptions options = dfu_device(0xE020);
    options.faults.claim_errno = c.claim_errno;
    options.faults.claim_failures = c.failures;
    options.faults.refuse_open = c.refuse_open;
    auto device = plug(options);
    EXPECT_EQ(dfu_open_device(2, m_handles.data(), 2), c.opened);
    EXPECT_EQ(device->claim_attempts(), c.claims);
    EXPECT_EQ(sim::open_handle_count(), c.opened);
    dfu_close_handles(m_handles.data(), 2);
    sim::detach(*device);
  }
}

}  // namespace
