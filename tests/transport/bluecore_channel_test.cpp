#include "transport/bluecore_channel.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "sim/bus.h"
#include "sim/models/bluecore_model.h"
#include "sim/usb_shims.h"
#include "support/bccmd_requests.h"
#include "support/bus_fixture.h"
#include "transport/stop_request.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Ids = std::array<std::uint32_t, 2>;
using test_support::requests_received;

std::string text_of(const transport_message& message) { return std::string(transport::message_text(message)); }

class BlueCoreChannelTest : public test_support::BusFixture {
 protected:
  void TearDown() override {
    bc_close_devices();
    dfu_close_device();
    EXPECT_EQ(sim::libusb_transfers_in_flight(), 0);
    EXPECT_EQ(sim::libusb_transfers_freed_in_flight(), 0);
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::BlueCoreModel> plug(sim::BlueCoreModelOptions options,
                                           std::chrono::milliseconds delay = 0ms) {
    return attach(std::make_shared<sim::BlueCoreModel>(std::move(options)), delay);
  }

  // Opens the HCI devices on the bus (mode 0) and expects success.
  void open_devices() {
    Ids ids{};
    transport_message message{};
    ASSERT_EQ(bc_open_devices(ids, message, 0), 0) << text_of(message);
  }
};

// A device with nothing but a few keys.
sim::BlueCoreModelOptions device_with(std::map<std::uint16_t, std::vector<std::uint16_t>> keys,
                                      std::uint16_t product_id = 0x4D10) {
  sim::BlueCoreModelOptions options;
  options.product_id = product_id;
  options.ps_keys = std::move(keys);
  return options;
}

TEST_F(BlueCoreChannelTest, RequestsCarryTheBccmdLayoutAndTheSequenceRunsOnAcrossOpens) {
  auto device = plug(device_with({{0x02A3, {0x4D10}}, {0x0293, {0x002B, 0x0000}}}));
  open_devices();
  std::array<std::uint8_t, 8> out{};
  std::uint16_t size = 0;
  ASSERT_EQ(bc_ps_read(0x0293, out, size), 0);
  EXPECT_EQ(size, 4);
  EXPECT_EQ(out[0], 0x2B);
  bc_close_devices();
  open_devices();
  const std::uint16_t words[] = {0x1234};
  ASSERT_EQ(bc_ps_write(0x02A4, words), 0);

  std::vector<sim::ReceivedReport> traffic = device->take_received();
  ASSERT_EQ(traffic.size(), 3u);
  for (const sim::ReceivedReport& report : traffic) {
    ASSERT_TRUE(report.setup);
    EXPECT_EQ(report.setup->request_type, 0x20);  // HCI command: class request to the device
    EXPECT_EQ(report.setup->request, 0);
    EXPECT_EQ(report.setup->value, 0);
    EXPECT_EQ(report.setup->index, 0);
  }
  // the sequence number (bytes 8 and 9) goes up by one with each request
  std::vector<std::uint16_t> sequences;
  for (sim::ReceivedReport& report : traffic) {
    sequences.push_back(static_cast<std::uint16_t>(report.bytes[8] | report.bytes[9] << 8));
    report.bytes[8] = report.bytes[9] = 0;
  }
  EXPECT_EQ(sequences[1], static_cast<std::uint16_t>(sequences[0] + 1));
  EXPECT_EQ(sequences[2], static_cast<std::uint16_t>(sequences[0] + 2));
  // the key's length: a payload of 8 bytes is 9 words, 22 bytes on the wire
  EXPECT_EQ(traffic[0].bytes, (Bytes{0x00, 0xFC, 19, 0xC2, 0x00, 0x00, 9, 0x00, 0, 0, 0x06, 0x30, 0x00, 0x00, 0x93,
                                     0x02, 0, 0, 0, 0, 0, 0}));
  // the key: key, 2 words, store 0, then room for the words: a 10-byte payload, 10 words, 24 bytes
  EXPECT_EQ(traffic[1].bytes, (Bytes{0x00, 0xFC, 21, 0xC2, 0x00, 0x00, 10, 0x00, 0, 0, 0x03, 0x70, 0x00, 0x00, 0x93,
                                     0x02, 0x02, 0x00, 0x00, 0x00, 0, 0, 0, 0}));
  // a write after a new open: SETREQ, store 1, the words follow
  EXPECT_EQ(traffic[2].bytes, (Bytes{0x00, 0xFC, 19, 0xC2, 0x02, 0x00, 9, 0x00, 0, 0, 0x03, 0x70, 0x00, 0x00, 0xA4,
                                     0x02, 0x01, 0x00, 0x01, 0x00, 0x34, 0x12}));
  EXPECT_EQ(device->ps_writes(), (std::vector<sim::PsWrite>{{0x02A4, {0x1234}}}));
}

TEST_F(BlueCoreChannelTest, OpeningTheHciDevices) {
  struct Case {
    const char* name;
    std::vector<sim::BlueCoreModelOptions> devices;
    int result;
    const char* text;
    int count;
    Ids ids;
  };
  sim::BlueCoreModelOptions busy = sim::bluecore_fixture_4d10();
  busy.faults.claim_errno = EBUSY;
  sim::BlueCoreModelOptions no_entry = sim::bluecore_fixture_4d10();
  no_entry.faults.claim_errno = ENOENT;
  sim::BlueCoreModelOptions refused = sim::bluecore_fixture_4d10();
  refused.faults.refuse_open = true;
  sim::BlueCoreModelOptions no_descriptor = sim::bluecore_fixture_4d10();
  no_descriptor.faults.descriptor_error = true;
  const auto pair = sim::bluecore_fixture_5310_pair();
  sim::BlueCoreModelOptions second_busy = pair[1];
  second_busy.faults.claim_errno = EBUSY;
  sim::BlueCoreModelOptions not_in_table = sim::bluecore_fixture_4d10();
  not_in_table.product_id = 0x4D11;
  const Case cases[] = {
      {"empty bus", {}, -1, "Device not available", 0, {0, 0}},
      {"one device", {sim::bluecore_fixture_4d10()}, 0, "Device recognized successfully", 1, {0x4D10, 0}},
      {"first of two in the table", {sim::bluecore_fixture_5040(), sim::bluecore_fixture_4d10()}, 0,
       "Device recognized successfully", 1, {0x5040, 0}},
      {"an id outside the table is passed over", {not_in_table, sim::bluecore_fixture_5210()}, 0,
       "Device recognized successfully", 1, {0x5210, 0}},
      {"firmware-management mode", {sim::bluecore_fixture_cd10()}, 0, "Firmware management mode", 1, {0xCD10, 0}},
      {"both devices of a pair", {pair[0], pair[1]}, 0, "Device recognized successfully", 2, {0x5310, 0x5310}},
      {"one device of a pair", {pair[0]}, -2, "Device 2 not available", 0, {0x5310, 0}},
      {"interface busy", {busy}, -3, "Cannot claim interface: Resource busy (-6)", 0, {0x4D10, 0}},
      {"no interface", {no_entry}, -3, "Cannot claim interface: Entity not found (-5)", 0, {0x4D10, 0}},
      {"second interface busy", {pair[0], second_busy}, -4, "Cannot claim interface 2: Resource busy (-6)", 0,
       {0x5310, 0x5310}},
      {"second device of another product", {pair[0], sim::bluecore_fixture_4d10()}, -5,
       "USB interface 2 Not Match USB interface 1", 0, {0x5310, 0x4D10}},
      {"open refused ends the walk", {refused, sim::bluecore_fixture_5040()}, -1, "Device not available", 0, {0, 0}},
      {"descriptor failure ends the walk", {no_descriptor, sim::bluecore_fixture_5040()}, -1, "Device not available",
       0, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::shared_ptr<sim::BlueCoreModel>> devices;
    for (const sim::BlueCoreModelOptions& options : c.devices) devices.push_back(plug(options));
    Ids ids{};
    transport_message message{};
    const int auto_detach_before = sim::libusb_auto_detach_requests();
    EXPECT_EQ(bc_open_devices(ids, message, 0), c.result);
    EXPECT_EQ(text_of(message), c.text);
    EXPECT_EQ(bc_device_count(), c.count);
    EXPECT_EQ(ids, c.ids);
    EXPECT_EQ(sim::open_handle_count(), c.count);
    if (c.result == 0) {
      // the kernel's Bluetooth driver is let go of before each claim
      EXPECT_EQ(sim::libusb_auto_detach_requests() - auto_detach_before, c.count);
      for (const auto& device : devices) {
        const bool opened = device->identity().descriptor.product_id == c.ids[0];
        EXPECT_EQ(device->claim_attempts(), opened ? std::vector<int>{0} : std::vector<int>{});
      }
    }
    bc_close_devices();
    EXPECT_EQ(sim::open_handle_count(), 0);
    for (const auto& device : devices) sim::detach(*device);
  }
}

TEST_F(BlueCoreChannelTest, OpeningTheDfuDeviceWalksTheInterfacesByErrno) {
  struct Case {
    const char* name;
    sim::BlueCoreModelOptions device;
    int result;
    const char* text;
    std::vector<int> claims;
  };
  const auto with_claim_fault = [](sim::BlueCoreModelOptions options, int error, int failures) {
    options.faults.claim_errno = error;
    options.faults.claim_failures = failures;
    return options;
  };
  sim::BlueCoreModelOptions refused = sim::bluecore_fixture_e020();
  refused.faults.refuse_open = true;
  const Case cases[] = {
      {"firmware-management device", sim::bluecore_fixture_e020(), 0, "Firmware management mode", {0}},
      {"HCI device with its DFU id", sim::bluecore_fixture_6021(), 0, "Firmware management mode", {0}},
      {"not a DFU id", sim::bluecore_fixture_cd10(), 1, "Device not available", {}},
      {"open refused", refused, 2, "Cannot open device: Permission denied (13)", {}},
      // busy: the next interface, which this device lacks (errno 2): back to 0, which is free now
      {"busy once", with_claim_fault(sim::bluecore_fixture_e020(), EBUSY, 1), 0, "Firmware management mode",
       {0, 1, 0}},
      {"busy for ever", with_claim_fault(sim::bluecore_fixture_e020(), EBUSY, 0), 3,
       "Cannot claim interface: Device or resource busy (16)", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
      {"no such interface twice", with_claim_fault(sim::bluecore_fixture_e020(), ENOENT, 0), 3,
       "Cannot claim interface: No such file or directory (2)", {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.device);
    Ids ids{};
    transport_message message{};
    EXPECT_EQ(bc_open_devices(ids, message, 1), c.result);
    EXPECT_EQ(text_of(message), c.text);
    EXPECT_EQ(ids[0], c.result == 0 ? c.device.product_id : 0u);
    EXPECT_EQ(device->claim_attempts(), c.claims);
    EXPECT_EQ(sim::open_handle_count(), c.result == 0 ? 1 : 0);
    EXPECT_EQ(bc_device_count(), 0) << "the DFU device is no HCI device";
    dfu_close_device();
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

TEST_F(BlueCoreChannelTest, TheDfuPassSkipsHubsAndOtherVendors) {
  sim::Identity hub;
  hub.descriptor.device_class = 9;
  hub.descriptor.vendor_id = 0xF3A7;
  hub.descriptor.product_id = 0xE020;
  sim::Identity other_vendor;
  other_vendor.descriptor.vendor_id = 0x1234;
  other_vendor.descriptor.product_id = 0xE020;
  attach(std::make_shared<sim::Model>(hub));
  attach(std::make_shared<sim::Model>(other_vendor));
  Ids ids{};
  transport_message message{};
  EXPECT_EQ(bc_open_devices(ids, message, 1), 1);
  EXPECT_EQ(text_of(message), "Device not available");
  plug(sim::bluecore_fixture_e020());
  EXPECT_EQ(bc_open_devices(ids, message, 1), 0);
  EXPECT_EQ(ids[0], 0xE020u);
}

TEST_F(BlueCoreChannelTest, RetriesChargeTheirTriesAndSleepOnTheClock) {
  struct Case {
    const char* name;
    int mode;
    int budget;
    bool refused;
    int result;
    std::chrono::seconds took;  // one second after each call that did not end the retry
  };
  const Case cases[] = {
      {"no HCI device ends at once", 0, 20, false, -1, 0s},
      {"no DFU device: one try per call", 1, 3, false, 1, 3s},
      {"DFU device refusing: two tries per call", 1, 3, true, 2, 2s},
      {"the fresh page's budget", 1, 20, false, 1, 20s},
      {"no budget, no call", 1, 0, false, 0, 0s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::shared_ptr<sim::BlueCoreModel> device;
    if (c.refused) {
      sim::BlueCoreModelOptions options = sim::bluecore_fixture_e020();
      options.faults.refuse_open = true;
      device = plug(options);
    }
    Ids ids{};
    transport_message message{};
    const auto start = clock().elapsed();
    EXPECT_EQ(bc_open_devices_retry(ids, message, c.budget, c.mode), c.result);
    EXPECT_EQ(clock().elapsed() - start, c.took);
    if (device) sim::detach(*device);
  }
}

TEST_F(BlueCoreChannelTest, ARetryFindsADeviceThatArrivesAndEndsOnAStopRequest) {
  plug(sim::bluecore_fixture_e020(), 4500ms);
  Ids ids{};
  transport_message message{};
  EXPECT_EQ(bc_open_devices_retry(ids, message, 20, 1), 0);
  EXPECT_EQ(clock().elapsed(), 5s);
  EXPECT_EQ(text_of(message), "Firmware management mode");
  dfu_close_device();
  sim::reset();

  const std::atomic<bool> stop{true};
  const transport::StopScope scope(stop);
  const auto start = clock().elapsed();
  EXPECT_EQ(bc_open_devices_retry(ids, message, 20, 1), 1);
  EXPECT_EQ(clock().elapsed() - start, 1s);
}

TEST_F(BlueCoreChannelTest, SelectingAcceptsOnlyAnOpenDevice) {
  const auto pair = sim::bluecore_fixture_5310_pair();
  auto first = plug(pair[0]);
  auto second = plug(pair[1]);
  open_devices();
  ASSERT_EQ(bc_device_count(), 2);
  for (int index : {-1, 2, 7}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(bc_select_device(index), 0);
  }
  std::array<std::uint8_t, 8> address{};
  EXPECT_EQ(bc_select_device(1), 1);
  EXPECT_EQ(bc_read_bdaddr(address), 8);
  EXPECT_EQ(address[0], 0x22);
  EXPECT_EQ(requests_received(*second), (std::vector<std::string>{"size 0x0001", "read 0x0001"}));
  EXPECT_TRUE(first->take_requests().empty());
  bc_close_devices();
  EXPECT_EQ(bc_select_device(0), 0) << "nothing is open";
}

TEST_F(BlueCoreChannelTest, ExchangeFaults) {
  struct Case {
    const char* name;
    std::function<void(sim::BlueCoreModelOptions&)> fault;
    int result;
    int error;  // errno of a failed exchange
  };
  const Case cases[] = {
      {"healthy", [](auto&) {}, 0, 0},
      {"answer in pieces of 16 bytes", [](auto& o) { o.event_piece_bytes = 16; }, 0, 0},
      {"unrelated events after the answer", [](auto& o) { o.extra_events = 3; }, 0, 0},
      {"answer longer than the buffer", [](auto& o) { o.oversized_bytes = 400; }, 0, 0},
      {"answer cut short", [](auto& o) { o.faults.short_reply_bytes = 14; }, -1, 5},
      {"no answer", [](auto& o) { o.faults.silent = true; }, -1, 5},
      {"key missing", [](auto& o) { o.ps_keys.erase(0x0108); }, -1, 6},
      {"key failing", [](auto& o) { o.failing_keys = {0x0108}; }, -1, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BlueCoreModelOptions options = device_with({{0x0108, sim::text_key("XA9 Headset")}});
    c.fault(options);
    auto device = plug(options);
    open_devices();
    std::array<std::uint8_t, 256> name{};
    name.fill(0xAA);
    std::uint16_t size = 0;
    errno = 0;
    EXPECT_EQ(bc_ps_read(0x0108, name, size), c.result);
    if (c.result == 0) {
      EXPECT_EQ(size, 12);
      EXPECT_EQ(std::string(name.begin(), name.begin() + 11), "XA9 Headset");
      EXPECT_EQ(name[12], 0xAA) << "nothing beyond the key";
    } else {
      EXPECT_EQ(errno, c.error);
      EXPECT_EQ(size, 0);
      EXPECT_EQ(name[0], 0xAA) << "nothing read";
    }
    device->take_received();
    bc_close_devices();
    sim::detach(*device);
  }
}

TEST_F(BlueCoreChannelTest, ExchangeTimingFlushAndFailedTransfer) {
  sim::BlueCoreModelOptions options = device_with({{0x02A3, {0x4D10}}});
  options.extra_events = 1;
  auto device = plug(options);
  open_devices();
  // the 2 ms flush, the answer and the event after it at once, then a 10 ms read that brings nothing
  std::array<std::uint8_t, 8> payload{0xA3, 0x02};
  auto start = clock().elapsed();
  EXPECT_EQ(bc_bccmd_get(0x3006, payload), 0);
  EXPECT_EQ(payload[2], 1);
  EXPECT_EQ(clock().elapsed() - start, 12ms);

  // an event the device sent unasked is read away before the request
  device->queue_stray_event();
  payload = {0xA3, 0x02};
  start = clock().elapsed();
  EXPECT_EQ(bc_bccmd_get(0x3006, payload), 0);
  EXPECT_EQ(payload[2], 1);
  EXPECT_EQ(clock().elapsed() - start, 10ms);

  // the reset and halt commands are sent without waiting for an answer
  std::array<std::uint8_t, 8> reset{};
  start = clock().elapsed();
  EXPECT_EQ(bc_bccmd_set(0x4002, reset), 0);
  EXPECT_EQ(clock().elapsed() - start, 2ms);

  sim::Faults broken = options.faults;
  broken.write_error = true;
  device->set_faults(broken);
  EXPECT_EQ(bc_bccmd_get(0x3006, payload), -1);
  EXPECT_EQ(requests_received(*device), (std::vector<std::string>{"size 0x02a3", "size 0x02a3", "set 0x4002"}));
}

TEST_F(BlueCoreChannelTest, RequestsNeedAnOpenDeviceAndAFittingPayloadAndOpensLetGoOfEarlierHandles) {
  std::array<std::uint8_t, 8> payload{};
  errno = 0;
  EXPECT_EQ(bc_bccmd_get(0x3006, payload), -1);
  EXPECT_EQ(errno, ENODEV);

  auto device = plug(sim::bluecore_fixture_4d10());
  plug(sim::bluecore_fixture_e020());
  open_devices();
  std::vector<std::uint8_t> oversized(241, 0);
  EXPECT_EQ(bc_bccmd_get(0x7003, oversized), -1);
  EXPECT_EQ(errno, EMSGSIZE);
  EXPECT_TRUE(device->take_requests().empty()) << "nothing sent";

  // a second open of either kind closes what the first left open
  open_devices();
  EXPECT_EQ(sim::open_handle_count(), 1);
  Ids ids{};
  transport_message message{};
  ASSERT_EQ(bc_open_devices(ids, message, 1), 0);
  ASSERT_EQ(bc_open_devices(ids, message, 1), 0);
  EXPECT_EQ(sim::open_handle_count(), 2);
}

TEST_F(BlueCoreChannelTest, ACancelledEventReadIsAwaitedBeforeItIsFreed) {
  // the library returns from its event handling before it has timed the read out
  sim::set_libusb_transfer_timeouts_ignored(true);
  auto device = plug(device_with({{0x02A3, {0x4D10}}}));
  open_devices();
  std::array<std::uint8_t, 8> payload{0xA3, 0x02};
  EXPECT_EQ(bc_bccmd_get(0x3006, payload), 0);
  EXPECT_EQ(payload[2], 1);
  device->take_received();
  // checked by the fixture: no transfer in flight, none freed in flight
}

TEST_F(BlueCoreChannelTest, KeyLengthsAreBoundedByTheMessageAndTheBuffer) {
  auto device = plug(device_with({{0x0200, std::vector<std::uint16_t>(117, 0x0101)},
                                  {0x0201, std::vector<std::uint16_t>(118, 0x0101)},
                                  {0x0202, std::vector<std::uint16_t>(123, 0x0101)},
                                  {0x0001, std::vector<std::uint16_t>(5, 0x0101)}}));
  open_devices();
  struct Read {
    std::uint16_t key;
    std::size_t buffer_bytes;
    int result;
    std::uint16_t size;
    std::vector<std::string> requests;
  };
  const Read reads[] = {
      {0x0200, 256, 0, 234, {"size 0x0200", "read 0x0200"}},
      {0x0201, 256, -5, 0, {"size 0x0201"}},
      {0x0202, 256, -5, 0, {"size 0x0202"}},
      // an address key longer than the 8-byte address buffer
      {0x0001, 8, -5, 0, {"size 0x0001"}},
  };
  for (const Read& read : reads) {
    SCOPED_TRACE(read.key);
    std::vector<std::uint8_t> buffer(read.buffer_bytes + 16, 0xAA);
    std::uint16_t size = 7;
    EXPECT_EQ(bc_ps_read(read.key, std::span(buffer).first(read.buffer_bytes), size), read.result);
    EXPECT_EQ(size, read.size);
    EXPECT_EQ(buffer[read.buffer_bytes], 0xAA);
    EXPECT_EQ(requests_received(*device), read.requests);
  }

  const std::vector<std::uint16_t> longest(117, 0x0202);
  const std::vector<std::uint16_t> too_long(118, 0x0303);
  EXPECT_EQ(bc_ps_write(0x0300, longest), 0);
  EXPECT_EQ(bc_ps_write(0x0301, too_long), -5);
  EXPECT_EQ(requests_received(*device), std::vector<std::string>{"write 0x0300"});
  EXPECT_EQ(device->ps_key(0x0300), longest);
  EXPECT_FALSE(device->ps_key(0x0301));
}

TEST_F(BlueCoreChannelTest, ProductIdFromTheKeyOrTheName) {
  struct Case {
    const char* name;
    std::map<std::uint16_t, std::vector<std::uint16_t>> keys;
    int product;
  };
  const Case cases[] = {
      {"key", {{0x02A3, {0x4D35}}}, 0x4D35},
      {"0x6020 as the Y350 family reports it", {{0x02A3, {0x6020}}}, 0x6020},
      {"unknown id, model in the name", {{0x02A3, {0x6021}}, {0x0108, sim::text_key("XA9 rev")}}, 0x4D10},
      {"key of two words, other model in the name", {{0x02A3, {0x5010, 0}}, {0x0108, sim::text_key("my XP9")}},
       0x5010},
      {"key unreadable, name without a model", {{0x0108, sim::text_key("HEADSET")}}, 0},
      {"key of two words, no name", {{0x02A3, {0x4D10, 0}}}, -1},
      {"unknown id, empty name", {{0x02A3, {0x1234}}, {0x0108, {}}}, -2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(device_with(c.keys));
    open_devices();
    EXPECT_EQ(bc_query_product_id(), c.product);
    device->take_received();
    bc_close_devices();
    sim::detach(*device);
  }
}

TEST_F(BlueCoreChannelTest, VersionsByRecordAndProduct) {
  struct Case {
    const char* name;
    std::uint32_t product;
    std::map<std::uint16_t, std::vector<std::uint16_t>> keys;
    int result;
    std::array<std::uint32_t, 4> version;  // major, minor, secondary type, secondary
    std::vector<sim::PsWrite> writes;
  };
  const std::vector<sim::PsWrite> cleared_record = {{0x02A4, {0, 0}}};
  const Case cases[] = {
      {"record 37", 0x5040, {{0x02A4, sim::version_record_key(37, 2, 5)}}, 0, {3, 7, 2, 5}, {}},
      {"record 0: the product's version", 0x5040, {{0x02A4, {0, 0}}}, 0, {4, 2, 0, 0}, {}},
      {"no record: the product's version", 0x4D35, {}, 0, {1, 2, 0, 0}, {}},
      {"record of three words", 0x5210, {{0x02A4, {42, 0, 0}}}, 0, {1, 0, 0, 0}, {}},
      {"unknown product without a record", 0x1234, {}, 1, {0, 0, 0, 0}, {}},
      {"camera record", 0x3020, {{0x02A4, {0x0203, 0x0105}}}, 0, {1, 5, 2, 3}, {}},
      {"camera without a record", 0x3020, {}, 1, {1, 0, 1, 0}, {}},
      {"older key of the same version", 0x4D10, {{0x02A4, sim::version_record_key(43, 2, 5)}, {0x0293, {43, 0}}}, 0,
       {4, 3, 0, 0}, {}},
      {"older key 12: the record is cleared", 0x4D10,
       {{0x02A4, sim::version_record_key(43, 2, 5)}, {0x0293, {12, 0}}}, 0, {1, 2, 0, 0}, cleared_record},
      {"record 32 is kept", 0x4D30, {{0x02A4, sim::version_record_key(32)}, {0x0293, {12, 0}}}, 0, {3, 2, 0, 0}, {}},
      {"record 0, no older key", 0x4D10, {{0x02A4, {0, 0}}}, 0, {3, 0, 0, 0}, {}},
      {"no record, older key of three words", 0x4D30, {{0x0293, {12, 0, 0}}}, 0, {4, 2, 0, 0}, {}},
      {"no record, older key of three words (0x4D40)", 0x4D40, {{0x0293, {12, 0, 0}}}, 0, {5, 0, 0, 0}, {}},
      {"no record, older key 0", 0x4D10, {{0x0293, {0, 0}}}, 1, {0, 0, 0, 0}, {}},
      {"no record, older key 2", 0x4D10, {{0x0293, {2, 0}}}, 0, {0, 2, 0, 0}, {}},
      {"no record, older key 20", 0x4D40, {{0x0293, {20, 0}}}, 0, {2, 0, 0, 0}, cleared_record},
      {"no record, older key 45", 0x4D10, {{0x0293, {45, 0}}}, 0, {4, 5, 0, 0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(device_with(c.keys));
    open_devices();
    std::array<std::uint32_t, 4> version{9, 9, 9, 9};
    EXPECT_EQ(bc_query_versions(c.product, version[0], version[1], version[2], version[3]), c.result);
    EXPECT_EQ(version, c.version);
    EXPECT_EQ(device->ps_writes(), c.writes);
    device->take_received();
    bc_close_devices();
    sim::detach(*device);
  }
}

}  // namespace
