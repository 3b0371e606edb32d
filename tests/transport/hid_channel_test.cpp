#include "transport/hid_channel.h"

#include <gtest/gtest.h>
#include <hidapi/hidapi.h>

#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "support/bus_fixture.h"
#include "support/hid_requests.h"
#include "transport/stop_request.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Bytes = std::vector<std::uint8_t>;
using test_support::long_request;
using test_support::short_request;

// A device whose replies the test writes out byte for byte.
class ScriptedModel : public sim::Model {
 public:
  explicit ScriptedModel(sim::Identity identity, sim::Faults faults = {}) : Model(std::move(identity), faults) {}

  // Reports queued on the interrupt IN pipe after each write, in turn.
  std::deque<std::vector<Bytes>> replies_per_write;
  // Input reports served to GET_REPORT, in turn; an empty report 2 after them.
  std::deque<Bytes> input_reports;

  void on_interrupt_out(int interface_number, std::span<const std::uint8_t>) override {
    if (replies_per_write.empty()) return;
    for (Bytes& report : replies_per_write.front()) queue_input_report(interface_number, std::move(report));
    replies_per_write.pop_front();
  }

  int on_control_transfer(const sim::ControlSetup&, Bytes& data) override {
    if (input_reports.empty()) {
      data = {2, 0};
    } else {
      data = std::move(input_reports.front());
      input_reports.pop_front();
    }
    return static_cast<int>(data.size());
  }
};

sim::Identity identity(std::uint16_t product_id, std::vector<sim::HidCollection> collections = {sim::k_vendor_collection},
                       std::uint16_t vendor_id = 0xF3A7) {
  sim::Identity result;
  result.descriptor.vendor_id = vendor_id;
  result.descriptor.product_id = product_id;
  result.hid = std::move(collections);
  return result;
}

// What a fixture device shows on the bus.
sim::Identity fixture_identity(sim::HidModelOptions options) { return sim::HidModel(std::move(options)).identity(); }

const std::vector<sim::HidCollection> k_keyboard_and_vendor{sim::k_keyboard_collection, {0xFF00, 1, 1}};

Bytes status_report(std::uint8_t command, std::uint8_t status, std::size_t size = 67) {
  Bytes report(size, 0);
  report[0] = 1;
  report[1] = command;
  report[2] = status;
  return report;
}

transport_message untouched_message() {
  transport_message message{};
  transport::set_message(message, "untouched");
  return message;
}

using OpenFunction = std::function<int(std::uint32_t&, transport_message&)>;

class HidChannelTest : public test_support::BusFixture {
 public:
  using BusFixture::attach;

  void TearDown() override {
    hid_close_all();
    EXPECT_EQ(sim::open_handle_count(), 0);
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::HidModel> attach_hid(sim::HidModelOptions options = sim::hid_fixture_6020()) {
    auto model = attach(std::make_shared<sim::HidModel>(std::move(options)));
    return model;
  }

  std::shared_ptr<sim::HidModel> open_hid(sim::HidModelOptions options = sim::hid_fixture_6020()) {
    auto model = attach_hid(std::move(options));
    EXPECT_EQ(test_support::open_hid_device_quietly(), 0);
    return model;
  }
};

TEST_F(HidChannelTest, OpenFunctionsPickTheirDevices) {
  const OpenFunction open_device = hid_open_device;
  const OpenFunction mesh_3120 = hid_open_mesh_3120;
  const OpenFunction mesh_qcc = hid_open_mesh_qcc;
  const OpenFunction mesh_airoha = hid_open_mesh_airoha;
  struct Device {
    sim::Identity identity;
    sim::Faults faults;
  };
  struct Case {
    const char* name;
    std::vector<Device> devices;
    OpenFunction open;
    int result;
    std::uint32_t product_id;   // when opened
    int device_index;           // which device slot 0 talks to
    int interface_number;       // and on which interface
  };
  const sim::Faults healthy;
  const sim::Faults refusing{.refuse_open = true};
  const std::vector<sim::HidCollection> keyboard{sim::k_keyboard_collection};
  const Case cases[] = {
      {"list 1 opens at any usage", {{identity(0x6020, keyboard), healthy}}, open_device, 0, 0x6020, 0, 0},
      {"list 2 opens its vendor collection", {{fixture_identity(sim::hid_fixture_6038()), healthy}}, open_device, 0,
       0x6038, 0, 1},
      {"0x4D16 opens its vendor collection", {{fixture_identity(sim::hid_fixture_4d16()), healthy}}, open_device, 0,
       0x4D16, 0, 1},
      {"0x4D16 keyboard only is not opened", {{fixture_identity(sim::hid_fixture_4d16_keyboard_only()), healthy}},
       open_device, -2, 0, 0, 0},
      {"unlisted product", {{identity(0x1234), healthy}}, open_device, -2, 0, 0, 0},
      {"other vendor", {{identity(0x6020, {sim::k_vendor_collection}, 0x1111), healthy}}, open_device, -2, 0, 0, 0},
      {"empty bus", {}, open_device, -2, 0, 0, 0},
      {"refused open is passed over", {{identity(0x6020), refusing}, {identity(0x6022), healthy}}, open_device, 0,
       0x6022, 1, 0},
      {"every open refused", {{identity(0x6020), refusing}}, open_device, -2, 0, 0, 0},
      {"first listed after an unlisted one", {{identity(0x1234), healthy}, {identity(0x6024), healthy}}, open_device,
       0, 0x6024, 1, 0},
      {"nd4 mesh unit", {{identity(0x6020), healthy}, {identity(0x3120), healthy}}, mesh_3120, 0, 0x3120, 1, 0},
      {"nd4 mesh absent", {{identity(0x3160), healthy}}, mesh_3120, -2, 0, 0, 0},
      {"qcc mesh 0x3160", {{identity(0x3160), healthy}}, mesh_qcc, 0, 0x3160, 0, 0},
      {"qcc mesh 0x6511", {{identity(0x3120), healthy}, {identity(0x6511), healthy}}, mesh_qcc, 0, 0x6511, 1, 0},
      {"qcc mesh absent", {{identity(0x3120), healthy}}, mesh_qcc, -2, 0, 0, 0},
      {"airoha mesh vendor collection", {{identity(0x3220, k_keyboard_and_vendor), healthy}}, mesh_airoha, 0, 0x3220,
       0, 1},
      {"airoha mesh keyboard only", {{identity(0x3220, keyboard), healthy}}, mesh_airoha, -2, 0, 0, 0},
      {"airoha needs 0x3220", {{identity(0x3120), healthy}}, mesh_airoha, -2, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::shared_ptr<ScriptedModel>> models;
    for (const Device& device : c.devices) models.push_back(attach(std::make_shared<ScriptedModel>(device.identity, device.faults)));
    std::uint32_t product_id = 0xDEAD;
    transport_message message = untouched_message();

    testing::internal::CaptureStdout();
    EXPECT_EQ(c.open(product_id, message), c.result);
    testing::internal::GetCapturedStdout();

    if (c.result == 0) {
      EXPECT_EQ(product_id, c.product_id);
      EXPECT_EQ(transport::message_text(message), "Device recognized successfully");
      // slot 0 talks to the device and interface that were opened
      EXPECT_EQ(hid_send_long_report(0, long_request(0x00)), 1);
      const auto traffic = models[c.device_index]->take_received();
      ASSERT_EQ(traffic.size(), 1u);
      EXPECT_EQ(traffic[0].interface_number, c.interface_number);
    } else {
      EXPECT_EQ(product_id, 0xDEADu);
      EXPECT_EQ(transport::message_text(message), "untouched");
      EXPECT_EQ(sim::open_handle_count(), 0);
    }
    EXPECT_EQ(hid_close_all(), 0);
    for (const auto& model : models) EXPECT_TRUE(model->received().empty());
    sim::reset();
  }
}

TEST_F(HidChannelTest, OpenFunctionsPrintTheEntriesTheyLookAt) {
  const OpenFunction open_device = hid_open_device;
  const OpenFunction mesh_3120 = hid_open_mesh_3120;
  const OpenFunction mesh_qcc = hid_open_mesh_qcc;
  const OpenFunction mesh_airoha = hid_open_mesh_airoha;
  struct Case {
    const char* name;
    std::vector<sim::Identity> devices;
    OpenFunction open;
    std::string console;
  };
  const Case cases[] = {
      {"first entry of the enumeration", {identity(0x1234), identity(0x6020)}, open_device, "devs =[1234]\n"},
      {"nothing on an empty bus", {}, open_device, ""},
      {"nd4 mesh skips other vendors",
       {identity(0x6020), identity(0x3120, {sim::k_vendor_collection}, 0x1111), identity(0x3120)},
       mesh_3120,
       "nd4mesh pid[6020]\nnd4mesh pid[3120]\n"},
      {"qcc mesh", {identity(0x3160)}, mesh_qcc, "qcc mesh pid[3160]\n"},
      {"airoha mesh walks every collection", {identity(0x3220, k_keyboard_and_vendor)}, mesh_airoha,
       "airoha mesh pid[3220]\nairoha mesh pid[3220]\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const sim::Identity& device : c.devices) attach(std::make_shared<ScriptedModel>(device));
    std::uint32_t product_id = 0;
    transport_message message{};
    testing::internal::CaptureStdout();
    c.open(product_id, message);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.console);
    hid_close_all();
    sim::reset();
  }
}

TEST_F(HidChannelTest, PairOpensBothUnitsOnlyInModesTwoAndThree) {
  struct Case {
    const char* name;
    std::vector<std::uint16_t> units;
    int page_mode;
    int result;
  };
  const Case cases[] = {
      {"both units, mode 2", {0x5345, 0x5346}, 2, 0},
      {"both units, mode 3", {0x5346, 0x5345}, 3, 0},
      {"the walk stops once both are open", {0x5345, 0x5346, 0x5345}, 2, 0},
      {"one unit", {0x5345}, 3, -1},
      {"mode 4 opens nothing", {0x5345, 0x5346}, 4, -2},
      {"no unit", {0x6020}, 2, -2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::shared_ptr<ScriptedModel>> units;
    for (std::uint16_t id : c.units) units.push_back(attach(std::make_shared<ScriptedModel>(identity(id))));
    std::array<std::uint32_t, 2> product_ids{7, 7};
    transport_message message = untouched_message();

    EXPECT_EQ(hid_open_device_pair(product_ids, message, c.page_mode), c.result);

    const int opened = c.result + 2;
    EXPECT_EQ(sim::open_handle_count(), opened);
    if (opened == 2) {
      EXPECT_EQ(product_ids, (std::array<std::uint32_t, 2>{0x5345, 0x5346}));
      EXPECT_EQ(transport::message_text(message), "Device recognized successfully");
    } else {
      EXPECT_EQ(product_ids, (std::array<std::uint32_t, 2>{7, 7}));
      EXPECT_EQ(transport::message_text(message), "untouched");
    }
    // the first unit found sits in slot 0, the second in slot 1
    for (int slot = 0; slot < opened; ++slot) {
      EXPECT_EQ(hid_send_short_report(slot, short_request(0x30)), 1);
      EXPECT_EQ(units[static_cast<std::size_t>(slot)]->take_output_reports().size(), 1u);
    }
    hid_close_all();
    sim::reset();
  }
}

TEST_F(HidChannelTest, ReopeningClosesTheHandleInSlotZeroAndCloseAllEmptiesBoth) {
  auto device = attach_hid();
  std::uint32_t product_id = 0;
  transport_message message{};
  testing::internal::CaptureStdout();
  ASSERT_EQ(hid_open_device(product_id, message), 0);
  ASSERT_EQ(hid_open_device(product_id, message), 0);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(sim::open_handle_count(), 1);

  EXPECT_EQ(hid_close_all(), 0);
  EXPECT_EQ(sim::open_handle_count(), 0);
  EXPECT_EQ(hid_send_long_report(0, long_request(0x01)), 0);
  EXPECT_TRUE(device->received().empty());
}

TEST_F(HidChannelTest, LongCommandSendsTheRequestAndReadsTheStatus) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.version = {3, 7, 2, 9};
  auto device = open_hid(options);
  const hid_cmd_report request = long_request(0x01);
  hid_status_report reply{};

  testing::internal::CaptureStdout();
  EXPECT_EQ(hid_long_command(0, request, reply), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "com[1] lsatcom[1] status[0]\n");

  const auto writes = device->take_output_reports();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0], Bytes(request.begin(), request.end()));
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 7), (Bytes{1, 0x01, 0, 3, 7, 2, 9}));
}

TEST_F(HidChannelTest, BusyRepliesAreWaitedOut) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.faults.busy_replies = 3;
  options.mode = 7;
  auto device = open_hid(options);
  hid_status_report reply{};

  testing::internal::CaptureStdout();
  EXPECT_EQ(hid_long_command(0, long_request(0x12), reply), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "com[18] lsatcom[18] status[0]\n");

  EXPECT_EQ(device->input_reports_read(), 4);
  // the reply holds the last report: the answer, not a busy report
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 4), (Bytes{1, 0x12, 0, 7}));
  EXPECT_EQ(device->take_output_reports().size(), 1u);
}

TEST_F(HidChannelTest, ExchangeFaultsEndInZero) {
  struct Case {
    const char* name;
    std::function<std::shared_ptr<sim::Model>(HidChannelTest&)> device;
    std::size_t writes_received;
    unsigned char final_status;  // reply byte 2 afterwards
    seconds gives_up_after;      // device time until the exchange fails
    std::string console;         // both forms
    std::string status_line;     // the long form's, after a first report came in
    std::string reason;          // kept for the slot and written last
  };
  auto hid_with = [](sim::Faults faults) {
    return [faults](HidChannelTest& test) -> std::shared_ptr<sim::Model> {
      sim::HidModelOptions options = sim::hid_fixture_6020();
      options.faults = faults;
      return test.attach_hid(options);
    };
  };
  auto scripted = [](std::vector<std::uint8_t> statuses) {
    return [statuses](HidChannelTest& test) -> std::shared_ptr<sim::Model> {
      auto model = test.attach(std::make_shared<ScriptedModel>(identity(0x6020)));
      std::vector<Bytes> replies;
      for (std::uint8_t status : statuses) replies.push_back(status_report(0x01, status));
      model->replies_per_write.push_back(replies);
      return model;
    };
  };
  const Case cases[] = {
      {"failure status", hid_with({.fail_status = 5}), 1, 5, seconds(0), "", "com[1] lsatcom[1] status[5]\n",
       "status 5"},
      {"write error", hid_with({.write_error = true}), 0, 0xFF, seconds(0), "", "", "write failed"},
      {"read error", hid_with({.read_error = true}), 1, 0xFF, seconds(0), "", "", "read failed"},
      {"vanishes on the request", hid_with({.vanish_after = 1}), 1, 0xFF, seconds(0), "", "", "read failed"},
      // an unanswered read gives up after 30 s
      {"no reply", scripted({}), 1, 0xFF, seconds(30), "", "", "read timed out"},
      {"silent", hid_with({.silent = true}), 1, 0xFF, seconds(30), "", "", "read timed out"},
      {"busy, then no reply", scripted({1}), 1, 0xFF, seconds(30), "", "com[1] lsatcom[1] status[255]\n",
       "read timed out"},
      // 60 s of busy reports without a break are a failed read
      {"busy for ever", hid_with({.busy_forever = true}), 1, 0xFF, seconds(60), "com[1] busy for 60 s: read failed\n",
       "com[1] lsatcom[1] status[255]\n", "busy bound reached"},
      {"reply too short for its status", hid_with({.short_reply_bytes = 2}), 1, 0xFF, seconds(0), "", "",
       "short reply"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool long_form : {true, false}) {
      SCOPED_TRACE(long_form ? "long" : "short");
      auto device = c.device(*this);
      ASSERT_EQ(test_support::open_hid_device_quietly(), 0);
      const auto started = platform::now();

      testing::internal::CaptureStdout();
      unsigned char status = 0;
      if (long_form) {
        hid_status_report reply{};
        EXPECT_EQ(hid_long_command(0, long_request(0x01), reply), 0);
        status = reply[2];
      } else {
        hid_short_report reply{};
        EXPECT_EQ(hid_short_command(0, short_request(0x01), reply), 0);
        status = reply[2];
      }
      EXPECT_EQ(testing::internal::GetCapturedStdout(),
                c.console + (long_form ? c.status_line : "") + "hid slot 0 com[1]: " + c.reason + "\n");
      EXPECT_EQ(transport::describe(transport::hid_last_error(0)), c.reason);

      EXPECT_EQ(status, c.final_status);
      EXPECT_EQ(device->take_output_reports().size(), c.writes_received);
      const auto waited = platform::now() - started;
      EXPECT_GE(waited, c.gives_up_after);
      EXPECT_LE(waited, c.gives_up_after + seconds(1));
      hid_close_all();
      sim::reset();
    }
  }
}

TEST_F(HidChannelTest, AShortReplyBringsNothingOfTheReplyBefore) {
  for (bool long_form : {true, false}) {
    SCOPED_TRACE(long_form ? "long" : "short");
    auto device = open_hid();
    // one reply buffer for both exchanges, as the recognition keeps it
    hid_status_report long_reply{};
    hid_short_report short_reply{};
    // Sends `command` with block id 0x1D and returns the reply bytes from 3 on.
    auto exchange = [&](std::uint8_t command) {
      testing::internal::CaptureStdout();
      Bytes data;
      if (long_form) {
        EXPECT_EQ(hid_long_command(0, long_request(command, {0x1D}), long_reply), 1);
        data.assign(long_reply.begin() + 3, long_reply.end());
      } else {
        hid_short_report request = short_request(command);
        request[2] = 0x1D;
        EXPECT_EQ(hid_short_command(0, request, short_reply), 1);
        data.assign(short_reply.begin() + 3, short_reply.end());
      }
      testing::internal::GetCapturedStdout();
      return data;
    };
    // the name block: id 0x1D, 6 words
    const Bytes name = exchange(0x03);
    EXPECT_EQ(Bytes(name.begin(), name.begin() + 2), (Bytes{0x1D, 6}));
    // the version reply ends after its status byte: version 0.0, not 29.6 from the name reply
    device->set_faults({.short_reply_bytes = 3});
    const Bytes version = exchange(0x01);
    EXPECT_EQ(version, Bytes(version.size(), 0));
    EXPECT_EQ(device->take_output_reports().size(), 2u);
    hid_close_all();
    sim::reset();
  }
}

TEST_F(HidChannelTest, ExchangesOnAnEmptyOrUnknownSlotDoNothing) {
  auto device = open_hid();
  for (int slot : {-1, 1, 2}) {
    SCOPED_TRACE(slot);
    hid_status_report long_reply{};
    hid_short_report short_reply{};
    lang_pack_report lang_request{1, 0, 0x01};
    lang_pack_reply lang_reply{};
    EXPECT_EQ(hid_long_command(slot, long_request(0x01), long_reply), 0);
    EXPECT_EQ(hid_send_long_report(slot, long_request(0x01)), 0);
    EXPECT_EQ(hid_wait_long_status(slot), 0);
    EXPECT_EQ(hid_short_command(slot, short_request(0x01), short_reply), 0);
    EXPECT_EQ(hid_send_short_report(slot, short_request(0x01)), 0);
    EXPECT_EQ(hid_wait_short_status(slot), 0);
    EXPECT_EQ(hid_lang_pack_command(slot, lang_request, lang_reply), 0);
  }
  EXPECT_TRUE(device->received().empty());
  EXPECT_EQ(device->input_reports_read(), 0);
  EXPECT_EQ(transport::hid_last_error(1).failure, transport::HidFailure::not_open);
  EXPECT_EQ(transport::hid_last_error(0).failure, transport::HidFailure::none) << "slot 0 was not asked";
}

TEST_F(HidChannelTest, ASlotKeepsItsFailureReasonUntilASuccessOrANewDevice) {
  auto device = open_hid();
  hid_status_report reply{};
  auto exchange = [&] {
    testing::internal::CaptureStdout();
    const int result = hid_long_command(0, long_request(0x01), reply);
    testing::internal::GetCapturedStdout();
    return result;
  };
  auto reason = [] { return transport::describe(transport::hid_last_error(0)); };

  device->set_faults({.fail_status = 7});
  EXPECT_EQ(exchange(), 0);
  EXPECT_EQ(reason(), "status 7");
  EXPECT_EQ(transport::hid_last_error(0).status, 7);
  device->set_faults({});
  EXPECT_EQ(exchange(), 1);
  EXPECT_EQ(reason(), "no failure");

  // a stop request in force: nothing is sent
  {
    const std::atomic<bool> stop{true};
    transport::StopScope scope(stop);
    EXPECT_EQ(exchange(), 0);
    EXPECT_EQ(reason(), "stopped");
  }
  // the reason outlives the close, so a procedure can report it at its exit
  hid_close_all();
  EXPECT_EQ(reason(), "stopped");
  EXPECT_EQ(test_support::open_hid_device_quietly(), 0);
  EXPECT_EQ(reason(), "no failure");
  EXPECT_EQ(device->take_output_reports().size(), 2u);
}

TEST_F(HidChannelTest, SendAndWaitSplitTheExchange) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.faults.busy_replies = 2;
  auto device = open_hid(options);

  EXPECT_EQ(hid_send_long_report(0, long_request(0x11)), 1);
  EXPECT_EQ(hid_wait_long_status(0), 1);
  EXPECT_EQ(device->input_reports_read(), 3);
  EXPECT_EQ(device->commits(), 1);

  EXPECT_EQ(hid_send_short_report(0, short_request(0x00)), 1);
  EXPECT_EQ(hid_wait_short_status(0), 1);
  // nothing more to read: the wait fails instead of hanging
  EXPECT_EQ(hid_wait_short_status(0), 0);

  const auto writes = device->take_output_reports();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].size(), 1023u);
  EXPECT_EQ(writes[1].size(), 65u);
}

TEST_F(HidChannelTest, ShortCommandUsesSixtyFiveBytesAndPrintsNothing) {
  auto device = open_hid();
  hid_short_report reply{};
  testing::internal::CaptureStdout();
  EXPECT_EQ(hid_short_command(0, short_request(0x01), reply), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  const auto writes = device->take_output_reports();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].size(), 65u);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 5), (Bytes{1, 0x01, 0, 1, 0}));
}

Bytes counting_bytes(std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(0x40 + i);
  return bytes;
}

TEST_F(HidChannelTest, LanguagePackGathersTheReplyAgainstTheTable) {
  struct Case {
    const char* name;
    std::uint8_t command;
    std::size_t reply_bytes;      // what the device answers (each time it is asked)
    std::vector<int> chunks;
    int result;
    std::size_t writes;
    unsigned char gathered;       // reply byte 1
    std::string console;
  };
  const Case cases[] = {
      {"version, 7 bytes", 0x01, 7, {60}, 1, 1, 7, "languagePack EXCUTE 1 7\n"},
      {"version, 10 bytes overshoots the first row", 0x01, 10, {60}, 1, 2, 10,
       "read input report: rest of data length abnormal(cmd[0x01] data_length[7:10:-3:10])\n"
       "languagePack EXCUTE 1 10\n"},
      {"chunks of 3 and 4", 0x01, 7, {3, 4}, 1, 1, 7, "languagePack EXCUTE 1 7\n"},
      {"one byte at a time", 0x0A, 3, {1}, 1, 1, 3, "languagePack EXCUTE 10 3\n"},
      {"command not in the table", 0x20, 7, {60}, 0, 0, 0, "hid slot 0 languagePack cmd[0x20]: unknown command\n"},
      {"no reply at all", 0x02, 0, {60}, 0, 1, 0, "hid slot 0 languagePack cmd[0x02]: read timed out\n"},
      {"shorter than the command's reply", 0x02, 5, {60}, 0, 1, 5,
       "hid slot 0 languagePack cmd[0x02]: short reply\n"},
      {"longer than the buffer", 0x03, 70, {50, 20}, 0, 1, 70,
       "read input report: rest of data length abnormal(cmd[0x03] data_length[60:20:-10:70])\n"
       "hid slot 0 languagePack cmd[0x03]: long reply\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hid_close_all();
    sim::reset();
    auto device = open_hid(sim::hid_fixture_6800());
    const Bytes answer = counting_bytes(c.reply_bytes);
    device->on_lang_pack_command(c.command, [answer](std::span<const std::uint8_t>) { return answer; });
    device->set_lang_pack_chunk_bytes(c.chunks);
    lang_pack_report request{1, 0, c.command, 0x00};
    lang_pack_reply reply{};
    reply.fill(0xEE);
    const auto started = platform::now();

    testing::internal::CaptureStdout();
    EXPECT_EQ(hid_lang_pack_command(0, request, reply), c.result);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.console);

    const auto writes = device->take_output_reports();
    ASSERT_EQ(writes.size(), c.writes);
    for (const Bytes& write : writes) EXPECT_EQ(write, (Bytes{request.begin(), request.end()}));
    EXPECT_EQ(request[1], '<');
    device->take_received();  // the input-report polls
    if (c.writes == 0) {
      EXPECT_EQ(reply[0], 0xEE);  // untouched
      continue;
    }
    EXPECT_EQ(reply[1], c.gathered);
    if (c.reply_bytes == 0) {
      EXPECT_EQ(reply[3], 0xFF);
      // 10000 polls a millisecond apart
      EXPECT_GE(platform::now() - started, seconds(10));
    } else {
      EXPECT_EQ(reply[0], 2);
      const std::size_t kept = std::min<std::size_t>(c.reply_bytes, 60);
      EXPECT_EQ(Bytes(reply.begin() + 2, reply.begin() + 2 + static_cast<std::ptrdiff_t>(kept)),
                Bytes(answer.begin(), answer.begin() + static_cast<std::ptrdiff_t>(kept)));
    }
  }
}

TEST_F(HidChannelTest, LanguagePackTakesOnlyTheBytesEachInputReportCarries) {
  // claims 200 bytes but carries 60 (the whole name reply of command 0x03)
  Bytes overstated(62, 'A');
  overstated[0] = 2;
  overstated[1] = 200;
  // a whole report holding 3 bytes of data and 57 bytes of something else
  Bytes three_of_sixty(62, 'A');
  three_of_sixty[0] = 2;
  three_of_sixty[1] = 3;
  struct Case {
    const char* name;
    std::vector<Bytes> input_reports;
    std::uint8_t command;
    unsigned char gathered;
    Bytes data;  // reply bytes from 2 on
    std::string console;
  };
  const Case cases[] = {
      {"length past the data", {overstated}, 0x03, 60, Bytes(60, 'A'), "languagePack EXCUTE 3 60\n"},
      {"short reports after a whole one",
       {three_of_sixty, {2, 4, 'B', 'C'}, {2, 2, 'D', 'E'}},
       0x01,
       7,
       {'A', 'A', 'A', 'B', 'C', 'D', 'E'},
       "languagePack EXCUTE 1 7\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach(std::make_shared<ScriptedModel>(identity(0x6800, k_keyboard_and_vendor)));
    device->input_reports.assign(c.input_reports.begin(), c.input_reports.end());
    ASSERT_EQ(test_support::open_hid_device_quietly(), 0);
    lang_pack_report request{1, 0, c.command, 0x02};
    lang_pack_reply reply{};
    reply.fill(0xEE);

    testing::internal::CaptureStdout();
    EXPECT_EQ(hid_lang_pack_command(0, request, reply), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.console);
    EXPECT_EQ(reply[1], c.gathered);
    EXPECT_EQ(Bytes(reply.begin() + 2, reply.begin() + 2 + static_cast<std::ptrdiff_t>(c.data.size())), c.data);
    EXPECT_EQ(device->take_output_reports().size(), 1u);
    device->take_received();  // the input-report polls
    hid_close_all();
    sim::reset();
  }
}

TEST(HidChannelHelpers, LanguagePackReplyLength) {
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {0x00, 2}, {0x01, 7}, {0x02, 8}, {0x03, 60}, {0x06, 4}, {0x0A, 3}, {0x5B, 2}, {0x0E, 0}, {0x20, 0}, {0x101, 0}};
  for (const auto& [command, length] : cases) {
    SCOPED_TRACE(command);
    EXPECT_EQ(lang_pack_reply_length(command), length);
  }
}

TEST(HidChannelHelpers, WordSwapsStayInsideTheBuffer) {
  struct Case {
    const char* name;
    Bytes buffer;
    bool reply_layout;
    Bytes expected;
  };
  const Case cases[] = {
      {"request words", {1, 4, 9, 2, 0x12, 0x34, 0xAB, 0xCD, 0x77}, false, {1, 4, 9, 2, 0x34, 0x12, 0xCD, 0xAB, 0x77}},
      {"reply words", {1, 3, 0, 9, 1, 0x12, 0x34, 0x56}, true, {1, 3, 0, 9, 1, 0x34, 0x12, 0x56}},
      {"request count past the end", {1, 4, 9, 200, 0x12, 0x34, 0x56}, false, {1, 4, 9, 200, 0x34, 0x12, 0x56}},
      {"reply count past the end", {1, 3, 0, 9, 255, 0x12, 0x34, 0x56, 0x78}, true,
       {1, 3, 0, 9, 255, 0x34, 0x12, 0x78, 0x56}},
      {"too short for a count", {1, 3, 0}, true, {1, 3, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // a buffer of exactly this size, so an overrun shows under the sanitizers
    std::vector<unsigned char> buffer(c.buffer.begin(), c.buffer.end());
    if (c.reply_layout) {
      swap_reply_words(buffer);
    } else {
      swap_packet_words(buffer);
    }
    EXPECT_EQ(Bytes(buffer.begin(), buffer.end()), c.expected);
  }

  std::uint16_t words[] = {0x1234, 0xABCD, 0x0001};
  swap_words(words, 0);
  swap_words(words, -3);
  EXPECT_EQ(words[0], 0x1234);
  swap_words(words, 2);
  EXPECT_EQ(words[0], 0x3412);
  EXPECT_EQ(words[1], 0xCDAB);
  EXPECT_EQ(words[2], 0x0001);
  swap_words(std::span<std::uint16_t>(words, 1), 5);
  EXPECT_EQ(words[0], 0x1234);
  EXPECT_EQ(words[1], 0xCDAB);

  EXPECT_EQ(swap_u32(0x12345678u), 0x78563412u);
}

}  // namespace
