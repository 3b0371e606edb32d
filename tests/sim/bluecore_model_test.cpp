#include "sim/models/bluecore_model.h"

#include <gtest/gtest.h>
#include <libusb-1.0/libusb.h>
#include <usb.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <vector>

#include "sim/bus.h"
#include "sim/usb_shims.h"
#include "support/bccmd_requests.h"
#include "support/bus_fixture.h"
#include "transport/bccmd.h"

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using test_support::requests_received;

class BlueCoreModelTest : public test_support::BusFixture {
 protected:
  std::shared_ptr<sim::BlueCoreModel> plug(sim::BlueCoreModelOptions options) {
    auto model = attach(std::make_shared<sim::BlueCoreModel>(std::move(options)));
    m_address = sim::devices().back().address;
    return model;
  }

  // Sends one BCCMD request and returns the events queued for the host.
  std::vector<Bytes> exchange(std::uint16_t type, std::uint16_t varid, Bytes payload) {
    transport::bccmd_packet packet;
    const std::size_t length = transport::bccmd_build_packet(packet, type, 0x0102, varid, payload);
    sim::ControlSetup setup;
    setup.request_type = 0x20;
    setup.length = static_cast<std::uint16_t>(length);
    EXPECT_EQ(sim::control_transfer(m_address, setup, {packet.data(), length}).status, sim::IoStatus::ok);
    std::vector<Bytes> events;
    for (;;) {
      Bytes event(400);
      const sim::IoResult read = sim::read_interrupt(m_address, 0, event, 0ms);
      if (read.status != sim::IoStatus::ok) return events;
      event.resize(static_cast<std::size_t>(read.bytes));
      events.push_back(event);
    }
  }

  int m_address = 0;
};

// Opens the only device on the bus through libusb-1.0.
libusb_device_handle* open_only_device() {
  libusb_device** list = nullptr;
  EXPECT_EQ(libusb_get_device_list(nullptr, &list), 1);
  libusb_device_handle* handle = nullptr;
  EXPECT_EQ(libusb_open(list[0], &handle), 0);
  libusb_free_device_list(list, 1);
  return handle;
}

// The answer to a request with sequence 0x0102: GETRESP, the request's words, sequence and varid.
Bytes answer(std::uint8_t words, std::uint16_t varid, std::uint16_t status, Bytes payload) {
  Bytes event{0xFF, static_cast<std::uint8_t>(2 * words + 1), 0xC2, 0x01, 0x00, words, 0x00, 0x02, 0x01,
              static_cast<std::uint8_t>(varid & 0xFF), static_cast<std::uint8_t>(varid >> 8),
              static_cast<std::uint8_t>(status), 0x00};
  for (std::uint8_t byte : payload) event.push_back(byte);
  return event;
}

TEST_F(BlueCoreModelTest, AnswersPersistentStoreRequestsFromItsStore) {
  sim::BlueCoreModelOptions options;
  options.ps_keys[0x0293] = {0x002B, 0x0001};
  options.failing_keys = {0x0100};
  auto device = plug(options);

  EXPECT_EQ(exchange(0, 0x3006, {0x93, 0x02, 0, 0, 0, 0, 0, 0}),
            std::vector<Bytes>{answer(9, 0x3006, 0, {0x93, 0x02, 0x02, 0x00, 0, 0, 0, 0})});
  EXPECT_EQ(exchange(0, 0x7003, {0x93, 0x02, 0x02, 0x00, 0x00, 0x00, 0, 0, 0, 0}),
            std::vector<Bytes>{answer(10, 0x7003, 0, {0x93, 0x02, 0x02, 0x00, 0x00, 0x00, 0x2B, 0x00, 0x01, 0x00})});
  // a write persists and is recorded
  EXPECT_EQ(exchange(2, 0x7003, {0xA4, 0x02, 0x01, 0x00, 0x01, 0x00, 0x34, 0x12}),
            std::vector<Bytes>{answer(9, 0x7003, 0, {0xA4, 0x02, 0x01, 0x00, 0x01, 0x00, 0x34, 0x12})});
  EXPECT_EQ(device->ps_key(0x02A4), std::vector<std::uint16_t>{0x1234});
  EXPECT_EQ(device->ps_writes(), (std::vector<sim::PsWrite>{{0x02A4, {0x1234}}}));
  // a missing key, a failing key, an unknown variable; the reset commands get no answer
  EXPECT_EQ(exchange(0, 0x3006, {0x99, 0x00, 0, 0, 0, 0, 0, 0})[0][11], sim::k_bccmd_no_value);
  EXPECT_EQ(exchange(0, 0x3006, {0x00, 0x01, 0, 0, 0, 0, 0, 0})[0][11], sim::k_bccmd_error);
  EXPECT_EQ(exchange(0, 0x1234, {})[0][11], sim::k_bccmd_no_such_varid);
  EXPECT_TRUE(exchange(2, 0x4001, {}).empty());
  EXPECT_EQ(requests_received(*device),
            (std::vector<std::string>{"size 0x0293", "read 0x0293", "write 0x02a4", "size 0x0099", "size 0x0100",
                                      "get 0x1234", "set 0x4001"}));
}

TEST_F(BlueCoreModelTest, ARefusedWriteLeavesTheKeyReadable) {
  sim::BlueCoreModelOptions options;
  options.ps_keys[239] = {0x0001};
  options.refused_writes = {239};
  auto device = plug(options);
  EXPECT_EQ(exchange(2, 0x7003, {0xEF, 0x00, 0x01, 0x00, 0x01, 0x00, 0x02, 0x00})[0][11], sim::k_bccmd_error);
  EXPECT_EQ(device->ps_key(239), std::vector<std::uint16_t>{0x0001});
  EXPECT_TRUE(device->ps_writes().empty());
  EXPECT_EQ(exchange(0, 0x3006, {0xEF, 0x00, 0, 0, 0, 0, 0, 0})[0][11], sim::k_bccmd_ok);
  EXPECT_EQ(requests_received(*device), (std::vector<std::string>{"write 0x00ef", "size 0x00ef"}));
}

TEST_F(BlueCoreModelTest, AnswerFaults) {
  struct Case {
    const char* name;
    std::function<void(sim::BlueCoreModelOptions&)> fault;
    std::vector<std::size_t> event_sizes;
  };
  const Case cases[] = {
      {"whole", [](auto&) {}, {21}},
      {"pieces", [](auto& o) { o.event_piece_bytes = 8; }, {8, 8, 5}},
      {"oversized", [](auto& o) { o.oversized_bytes = 300; }, {321}},
      {"stray events after it", [](auto& o) { o.extra_events = 2; }, {21, 5, 5}},
      {"silent", [](auto& o) { o.faults.silent = true; }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BlueCoreModelOptions options;
    options.ps_keys[0x0293] = {1, 2};
    c.fault(options);
    auto device = plug(options);
    std::vector<std::size_t> sizes;
    for (const Bytes& event : exchange(0, 0x3006, {0x93, 0x02, 0, 0, 0, 0, 0, 0})) sizes.push_back(event.size());
    EXPECT_EQ(sizes, c.event_sizes);
    device->take_received();
    sim::detach(*device);
  }
}

TEST_F(BlueCoreModelTest, KernelDriverHoldsTheHciInterfaceUntilDetached) {
  auto device = plug(sim::bluecore_fixture_4d10());
  // libusb-1.0: refused while the driver holds it, taken with auto-detach
  libusb_device_handle* handle = open_only_device();
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(libusb_claim_interface(handle, 0), LIBUSB_ERROR_BUSY);
  libusb_set_auto_detach_kernel_driver(handle, 1);
  EXPECT_EQ(libusb_claim_interface(handle, 0), 0);
  // with auto-detach the kernel's disconnect-and-claim answers a missing interface with EINVAL
  EXPECT_EQ(libusb_claim_interface(handle, 3), LIBUSB_ERROR_INVALID_PARAM);
  EXPECT_EQ(libusb_release_interface(handle, 0), 0);
  libusb_close(handle);

  // libusb-0.1: EBUSY until usb_detach_kernel_driver_np, which fails where no driver is bound
  usb_find_busses();
  usb_find_devices();
  usb_dev_handle* legacy = usb_open(usb_get_busses()->devices);
  ASSERT_NE(legacy, nullptr);
  EXPECT_EQ(usb_claim_interface(legacy, 0), -EBUSY);
  EXPECT_EQ(errno, EBUSY);
  EXPECT_EQ(usb_detach_kernel_driver_np(legacy, 1), -ENODATA);
  EXPECT_EQ(usb_detach_kernel_driver_np(legacy, 0), 0);
  EXPECT_EQ(usb_claim_interface(legacy, 0), 0);
  EXPECT_EQ(usb_release_interface(legacy, 0), 0);
  EXPECT_EQ(usb_close(legacy), 0);
  EXPECT_EQ(sim::open_handle_count(), 0);
  EXPECT_EQ(device->claim_attempts(), (std::vector<int>{0, 3, 0}));
}

TEST_F(BlueCoreModelTest, InterruptTransfersCompleteTimeOutAndCancel) {
  auto device = plug(sim::bluecore_fixture_4d10());
  libusb_device_handle* handle = open_only_device();
  ASSERT_NE(handle, nullptr);

  struct Seen {
    int calls = 0;
    libusb_transfer_status status = LIBUSB_TRANSFER_ERROR;
  } seen;
  const auto callback = [](libusb_transfer* transfer) {
    auto* record = static_cast<Seen*>(transfer->user_data);
    ++record->calls;
    record->status = transfer->status;
  };
  unsigned char buffer[64];
  libusb_transfer* transfer = libusb_alloc_transfer(0);
  timeval pass{0, 10000};

  // nothing to read: the pass waits 10 ms and the 30 ms time-out is not reached
  libusb_fill_interrupt_transfer(transfer, handle, 0x81, buffer, sizeof buffer, callback, &seen, 30);
  ASSERT_EQ(libusb_submit_transfer(transfer), 0);
  const auto start = clock().elapsed();
  EXPECT_EQ(libusb_handle_events_timeout(nullptr, &pass), 0);
  EXPECT_EQ(clock().elapsed() - start, 10ms);
  EXPECT_EQ(seen.calls, 0);
  EXPECT_EQ(sim::libusb_transfers_in_flight(), 1);
  // a cancel is called back on the next pass, without waiting
  EXPECT_EQ(libusb_cancel_transfer(transfer), 0);
  EXPECT_EQ(libusb_cancel_transfer(transfer), LIBUSB_ERROR_NOT_FOUND);
  EXPECT_EQ(libusb_handle_events_timeout(nullptr, &pass), 0);
  EXPECT_EQ(clock().elapsed() - start, 10ms);
  EXPECT_EQ(seen.calls, 1);
  EXPECT_EQ(seen.status, LIBUSB_TRANSFER_CANCELLED);

  // a queued event completes it
  device->queue_stray_event();
  ASSERT_EQ(libusb_submit_transfer(transfer), 0);
  EXPECT_EQ(libusb_handle_events_timeout(nullptr, &pass), 0);
  EXPECT_EQ(seen.calls, 2);
  EXPECT_EQ(seen.status, LIBUSB_TRANSFER_COMPLETED);
  EXPECT_EQ(transfer->actual_length, 5);
  EXPECT_EQ(sim::libusb_transfers_in_flight(), 0);

  // freeing one still in flight is counted against the host
  ASSERT_EQ(libusb_submit_transfer(transfer), 0);
  libusb_free_transfer(transfer);
  EXPECT_EQ(sim::libusb_transfers_freed_in_flight(), 1);
  libusb_close(handle);
}

TEST_F(BlueCoreModelTest, DescriptionsForTheSimulatedManager) {
  struct Case {
    const char* text;
    std::uint16_t product_id;
    std::map<std::uint16_t, std::vector<std::uint16_t>> keys;  // keys the test looks at; none: absent
    bool ok;
  };
  const std::vector<std::uint16_t> none;
  const Case cases[] = {
      {"bluecore:0x4D10", 0x4D10, {{0x02A3, {0x4D10}}, {0x02A4, {43, 0}}}, true},
      {"bluecore:0x6021", 0x6021, {{0x02A3, {0x6020}}}, true},
      {"bluecore:0x4D20,fw=4.3,name=AB,address=0x2DD49F", 0x4D20,
       {{0x02A3, {0x4D20}}, {0x02A4, {43, 0}}, {0x0108, {0x4241}}, {0x0001, {0x2D, 0xD49F, 0x5B, 0x0002}}}, true},
      {"bluecore:0x4D20,pid=none,ps654=0x11:0,ps0x0293=5", 0x4D20,
       {{0x02A3, none}, {654, {0x11, 0}}, {0x0293, {5}}}, true},
      {"bluecore:0xE020,claim=ebusy,claimfailures=2,silent,short=4,pieces=16,extra=1,oversize=9,stall,refuse,"
       "nodescriptor,failkey=671,refusekey=239",
       0xE020, {}, true},
      {"bluecore:0x4D10,fw=4", 0, {}, false},
      {"bluecore:0x4D10,claim=eperm", 0, {}, false},
      {"bluecore:0x4D10,ps654=1:x", 0, {}, false},
      {"bluecore:0x4D10,refusekey=0x10000", 0, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string error;
    const auto model = std::dynamic_pointer_cast<sim::BlueCoreModel>(sim::make_model(c.text, error));
    ASSERT_EQ(model != nullptr, c.ok) << error;
    if (!model) continue;
    EXPECT_EQ(model->identity().descriptor.product_id, c.product_id);
    for (const auto& [key, words] : c.keys) {
      SCOPED_TRACE(key);
      if (words.empty()) {
        EXPECT_FALSE(model->ps_key(key));
      } else {
        EXPECT_EQ(model->ps_key(key), words);
      }
    }
  }
  std::string error;
  const auto faulty = sim::make_model(
      "bluecore:0xE020,claim=ebusy,claimfailures=2,silent,short=4,stall,refuse,nodescriptor", error);
  const sim::Faults faults = faulty->faults();
  EXPECT_EQ(faults.claim_errno, EBUSY);
  EXPECT_EQ(faults.claim_failures, 2);
  EXPECT_TRUE(faults.silent && faults.write_error && faults.refuse_open && faults.descriptor_error);
  EXPECT_EQ(faults.short_reply_bytes, 4);
  EXPECT_TRUE(faulty->identity().dfu) << "a firmware-management device shows its DFU interface";
}

}  // namespace
