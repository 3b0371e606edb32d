#include "recognition/recognition_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "sim/models/hid_model.h"
#include "strings/app_texts.h"
#include "support/bus_fixture.h"
#include "recognition_traffic.h"

namespace {

using namespace std::chrono_literals;
using recognition::RecognitionHandOff;
using recognition::RecognitionRun;

using test_support::commands_received;
using test_support::k_one_run_of_6020;

class RecognitionWorkerTest : public test_support::BusFixture {
 protected:
  RecognitionWorkerTest() { m_controller.setMode(4); }

  void TearDown() override {
    hid_close_all();
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::HidModel> plug(sim::HidModelOptions options) {
    return attach(std::make_shared<sim::HidModel>(std::move(options)));
  }

  // One whole run on the test thread.
  void recognize(std::optional<FEXOBluetoothDeviceData> info = std::nullopt) {
    m_hand_off.reset_for_run();
    recognition::threadMethodRecognize(m_controller, m_hand_off, info, m_stop);
  }

  std::string english_text() const { return m_hand_off.strStatusThreadRecognizeAt(0).value_or("<none>"); }

  // The main version and the language pack the run wrote into the record.
  void expect_versions(int major, int minor, int pack_type, int pack_major, int pack_minor) const {
    const FEXOBluetoothDeviceData& record = m_controller.data();
    EXPECT_EQ(record.deviceVersionMajor(), major);
    EXPECT_EQ(record.deviceVersionMinor(), minor);
    EXPECT_EQ(record.devicelanguagePackType(), pack_type);
    EXPECT_EQ(record.devicelanguagePackTypeVerMajor(), pack_major);
    EXPECT_EQ(record.devicelanguagePackTypeVerMinor(), pack_minor);
  }

  session::AppState m_controller;
  RecognitionHandOff m_hand_off;
  std::atomic<bool> m_stop{false};
};

TEST_F(RecognitionWorkerTest, RecognizesTheDefaultProductOverHid) {
  sim::HidModelOptions options = sim::hid_fixture_6020();
  options.version = {1, 2, 0, 0};
  options.language_pack = {3, 1, 7};
  auto device = plug(options);

  recognize();

  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
  EXPECT_TRUE(m_hand_off.goFirmwareUpgradeThreadRecognize());
  EXPECT_FALSE(m_hand_off.doWarnThreadRecognize());
  EXPECT_EQ(english_text(),
            "Device recognized successfully. " + AppTexts::vyla_status_default_usb_in(5, 0x6020, 0).value());
  for (int language = 0; language < 13; ++language) EXPECT_TRUE(m_hand_off.strStatusThreadRecognizeAt(language));

  const FEXOBluetoothDeviceData& record = m_controller.data();
  EXPECT_EQ(record.deviceName(), "Y350R");
  EXPECT_EQ(record.deviceVersionMajor(), 1);
  EXPECT_EQ(record.deviceVersionMinor(), 2);
  EXPECT_EQ(record.devicelanguagePackType(), 3);
  EXPECT_EQ(record.devicelanguagePackTypeVerMajor(), 1);
  EXPECT_EQ(record.devicelanguagePackTypeVerMinor(), 7);
  EXPECT_EQ(record.deviceRecognized(), 0x6020);
  EXPECT_EQ(record.managerVersionMajor(), 1);
  EXPECT_EQ(record.managerVersionMinor(), 4);
  EXPECT_EQ(m_controller.deviceTarget(), 0x6020);
  EXPECT_EQ(m_controller.usbStatus(), 0x6020);
  EXPECT_TRUE(m_controller.recognized());
  EXPECT_EQ(m_controller.fmRadioShowAndHide(), 3);
  EXPECT_EQ(m_controller.motionSensorShowAndHide(), 6);
  EXPECT_EQ(m_controller.tabCount(), 2);
  EXPECT_EQ(m_controller.tabAt(0), session::k_tab_settings);
  EXPECT_EQ(m_controller.tabAt(1), session::k_tab_speed_dial);
  EXPECT_EQ(m_controller.tabAt(2), 0);
  // no probe, no FM query
  EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(RecognitionWorkerTest, RecognizesTheVendorCollectionAndLanguagePackFamilies) {
  struct Case {
    const char* name;
    sim::HidModelOptions options;
    std::vector<int> commands;
    int major, minor, type, number;
    int pack_type, pack_major, pack_minor;  // -1: not written
  };
  sim::HidModelOptions y370 = sim::hid_fixture_6038();
  y370.version = {2, 3, 1, 4};
  const std::vector<Case> cases = {
      {"0x6038 in normal mode", y370, test_support::k_one_run_of_6038, 2, 3, 1, 4, -1, -1, -1},
      {"0x6800", sim::hid_fixture_6800(), test_support::k_one_run_of_6800, 2, 1, 0, 3, 1, 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_controller.data().setDevicelanguagePackType(-1);
    m_controller.data().setDevicelanguagePackTypeVerMajor(-1);
    m_controller.data().setDevicelanguagePackTypeVerMinor(-1);
    auto device = plug(c.options);
    recognize();
    EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
    const FEXOBluetoothDeviceData& record = m_controller.data();
    EXPECT_EQ(record.deviceName(), c.options.name);
    EXPECT_EQ(m_controller.deviceTarget(), c.options.product_id);
    expect_versions(c.major, c.minor, c.pack_type, c.pack_major, c.pack_minor);
    EXPECT_EQ(record.deviceSecondaryVersionType(), c.type);
    EXPECT_EQ(record.deviceSecondaryVersion(), c.number);
    EXPECT_EQ(commands_received(*device), c.commands);
    sim::detach(*device);
  }
}

TEST_F(RecognitionWorkerTest, ASpeedDialOnlyProductGetsItsNumbers) {
  auto device = plug(sim::hid_fixture_6461());
  recognize();
  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
  const FEXOBluetoothDeviceData& record = m_controller.data();
  EXPECT_EQ(record.speedDialAt(0), "0800");
  EXPECT_EQ(record.speedDialAt(1), "5550199");
  EXPECT_EQ(record.speedDialAt(2), "112");
  // name block 0x3C, version, address, settings word, FM block 0x15, speed dials 0x37-0x39
  EXPECT_EQ(commands_received(*device), (std::vector<int>{0x03, 0x01, 0x02, 0x03, 0x03, 0x03, 0x03, 0x03}));
}

TEST_F(RecognitionWorkerTest, ModeProbeRoutesBySet) {
  struct Case {
    const char* name;
    sim::HidModelOptions options;
    int result;
    std::vector<int> commands;
  };
  sim::HidModelOptions y370_in_mode_1 = sim::hid_fixture_6038();
  y370_in_mode_1.mode = 1;
  sim::HidModelOptions xa6_in_mode_0 = sim::hid_fixture_4d16();
  xa6_in_mode_0.mode = 0;
  const std::vector<Case> cases = {
      {"set B answering 1 goes to legacy USB", y370_in_mode_1, recognition::k_recognize_failure, {0x12}},
      // the probe, name block 0x3C, the version, the address, settings block
      // 0x36, FM block 0x44 and speed dials 0x37-0x39; 0x4D16 has no FM query
      {"set A answering 1 stays on HID", sim::hid_fixture_4d16(), recognition::k_recognize_success,
       {0x12, 0x03, 0x01, 0x02, 0x03, 0x03, 0x03, 0x03, 0x03}},
      {"set A answering 0 goes to legacy USB", xa6_in_mode_0, recognition::k_recognize_failure, {0x12}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_controller.setDeviceTarget(0x1111);
    auto device = plug(c.options);
    recognize();
    EXPECT_EQ(m_hand_off.resultThreadRecognize(), c.result);
    if (c.result == recognition::k_recognize_failure) {
      EXPECT_EQ(m_controller.deviceTarget(), 0);
      // no BlueCore device answers the DFU pass or the HCI pass
      EXPECT_EQ(english_text(), "Cannot open USB [-1]");
    } else {
      EXPECT_EQ(m_controller.deviceTarget(), c.options.product_id);
    }
    EXPECT_EQ(commands_received(*device), c.commands);
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

TEST_F(RecognitionWorkerTest, NoDeviceEndsInTheOpenFailureOfTheLegacyPasses) {
  struct Case {
    int caller_mode;
    bool first;  // the page's first recognition: the DFU pass runs
    int target_after;
    std::chrono::seconds took;
  };
  const Case cases[] = {
      // three HID opens 1 s apart, then 20 DFU tries 1 s apart; finding
      // nothing there, the HCI pass answers at once
      {0, true, 0, 23s},
      {7, true, 0x6020, 23s},
      // without the DFU pass the HCI pass answers right after the HID opens
      {105, false, 0x6020, 3s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caller_mode);
    m_controller.setDeviceTarget(0x6020);
    m_controller.setRestartToRecover(true);
    m_controller.setModeRestartToRecover(5);
    m_hand_off.setCallerMode(c.caller_mode);
    m_hand_off.setIsFirst(c.first);
    const auto start = clock().elapsed();
    recognize();
    EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_failure);
    EXPECT_TRUE(m_hand_off.doWarnThreadRecognize());
    EXPECT_FALSE(m_hand_off.goFirmwareUpgradeThreadRecognize());
    EXPECT_EQ(english_text(), "Cannot open USB [-1]");
    EXPECT_EQ(m_hand_off.strStatusThreadRecognizeAt(1), AppTexts::vyla_string_cannot_open_usb_in(1) + " [-1]");
    EXPECT_EQ(m_controller.deviceTarget(), c.target_after);
    EXPECT_FALSE(m_controller.restartToRecover());
    EXPECT_EQ(m_controller.modeRestartToRecover(), 0);
    EXPECT_EQ(m_hand_off.isFirst(), c.first);
    EXPECT_EQ(clock().elapsed() - start, c.took);
  }
}

TEST_F(RecognitionWorkerTest, ADeviceThatAppearsOnTheThirdTryIsRecognized) {
  auto device = attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6020()), 1500ms);
  recognize();
  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
  EXPECT_EQ(clock().elapsed(), 2s);
  EXPECT_EQ(commands_received(*device), k_one_run_of_6020);
}

// Faults of the default product during recognition over HID. A step whose
// exchange fails falls back (default name, version 1.0) and the run goes on:
// each fault ends in a recognized device with every slot closed, and the
// channel says why the last exchange failed.
TEST_F(RecognitionWorkerTest, FaultsOverHidEndInTheFallbacksWithTheSlotsClosed) {
  struct Case {
    const char* name;
    sim::Faults faults;
    std::vector<int> commands;
    std::optional<std::string> device_name;
    int major, minor;
    int pack_type, pack_major, pack_minor;
    std::chrono::seconds took;
    std::string reason;  // of slot 0's last failed exchange
  };
  // the settings word read fails, so the VOX block is not read
  const std::vector<int> without_vox = {0x03, 0x01, 0x02, 0x10, 0x10, 0x03, 0x03, 0x10, 0x10, 0x10, 0x03, 0x03, 0x03};
  const std::vector<Case> cases = {
      // the name read reaches the device, which is gone before it answers
      {"leaves the bus right after open", {.vanish_after = 1}, {0x03}, "Y350R", 1, 0, 0, 0, 0, 0s, "write failed"},
      {"leaves the bus after the name read", {.vanish_after = 2}, {0x03, 0x01}, "Rider", 1, 0, 0, 0, 0, 0s,
       "write failed"},
      {"busy 3 times", {.busy_replies = 3}, k_one_run_of_6020, "Rider", 2, 5, 3, 1, 7, 0s, "no failure"},
      // each of the 13 exchanges gives up after 60 s of busy reports
      {"busy for ever", {.busy_forever = true}, without_vox, "Y350R", 1, 0, 0, 0, 0, 780s, "busy bound reached"},
      // the name block has 6 words: the count decides how many are read
      {"short name block", {.word_count_offset = -2}, k_one_run_of_6020, "Rid", 2, 5, 3, 1, 7, 0s, "no failure"},
      {"name block without words", {.word_count_offset = -6}, k_one_run_of_6020, "Y350R", 2, 5, 3, 1, 7, 0s,
       "no failure"},
      {"name block count past the report", {.word_count_offset = 200}, k_one_run_of_6020, "Rider", 2, 5, 3, 1, 7,
       0s, "no failure"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.name = "Rider";
    options.version = {2, 5, 0, 0};
    options.language_pack = {3, 1, 7};
    options.faults = c.faults;
    auto device = plug(options);
    const auto start = clock().elapsed();

    recognize();

    EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_success);
    EXPECT_TRUE(m_controller.recognized());
    EXPECT_EQ(m_controller.data().deviceName(), c.device_name);
    expect_versions(c.major, c.minor, c.pack_type, c.pack_major, c.pack_minor);
    const auto took = clock().elapsed() - start;
    EXPECT_GE(took, c.took);
    EXPECT_LE(took, c.took + 1s);
    EXPECT_EQ(transport::describe(transport::hid_last_error(0)), c.reason);
    EXPECT_EQ(commands_received(*device), c.commands);
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

TEST_F(RecognitionWorkerTest, AStoppedRunEndsInTheOpenFailure) {
  m_stop = true;
  plug(sim::hid_fixture_6020());
  recognize();
  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_failure);
  EXPECT_EQ(english_text(), "Cannot open USB [-1]");
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(RecognitionWorkerTest, AStopEndsTheExchangeWithAHungDeviceWithinASecond) {
  using std::chrono::steady_clock;
  struct Case {
    const char* name;
    sim::HidModelOptions options;
    int command_in_progress;  // the name read; nothing is sent after the stop
  };
  sim::HidModelOptions silent = sim::hid_fixture_6020();
  silent.faults.silent = true;
  sim::HidModelOptions busy = sim::hid_fixture_6020();
  busy.faults.busy_forever = true;
  sim::HidModelOptions silent_language_pack = sim::hid_fixture_6800();
  silent_language_pack.faults.silent = true;
  const std::vector<Case> cases = {
      {"silent", silent, 0x03},
      {"busy for ever", busy, 0x03},
      {"silent language pack", silent_language_pack, 0x103},
  };
  // real time, as the user waits for Quit
  platform::install_clock(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.options);
    m_stop = false;
    m_hand_off.reset_for_run();
    std::atomic<bool> ended{false};
    std::thread worker([&] {
      recognition::threadMethodRecognize(m_controller, m_hand_off, std::nullopt, m_stop);
      ended = true;
    });
    // the worker is held in its first exchange with the device
    const auto waiting_since = steady_clock::now();
    while (device->received().empty() && steady_clock::now() - waiting_since < 2s) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(300ms);

    const auto stopped_at = steady_clock::now();
    m_stop = true;
    while (!ended && steady_clock::now() - stopped_at < 2s) std::this_thread::sleep_for(1ms);
    const auto stop_took = steady_clock::now() - stopped_at;
    // a worker that missed the stop is freed by unplugging, so the test fails instead of hanging
    if (!ended) sim::detach(*device);
    worker.join();

    EXPECT_LT(stop_took, 1s);
    EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_failure);
    EXPECT_EQ(english_text(), "Cannot open USB [-1]");
    EXPECT_EQ(commands_received(*device), std::vector<int>{c.command_in_progress});
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

class RecognitionStepsTest : public RecognitionWorkerTest {
 protected:
  // Opens the device in slot 0 the way step 2 of a run does.
  void open(RecognitionRun& run) { ASSERT_TRUE(run.open_over_hid()); }
};

TEST_F(RecognitionStepsTest, DeviceNameSources) {
  struct Case {
    const char* name;
    std::uint32_t product;
    std::map<std::uint8_t, std::vector<std::uint16_t>> blocks;
    std::optional<std::string> expected;
    std::vector<int> commands;
  };
  const std::vector<Case> cases = {
      {"word name, word 0 skipped", 0x6020, {{0x1D, {0x55, 'A', 'b', 0x0143}}}, "AbC", {0x03}},
      {"ends at a zero byte", 0x6020, {{0x1D, {0, 'Q', 0, 'R'}}}, "Q", {0x03}},
      {"one word is the empty name", 0x6020, {{0x1D, {'Z'}}}, "", {0x03}},
      {"no words is the default name", 0x6020, {{0x1D, {}}}, "Y350R", {0x03}},
      {"unknown product gets no name", 0x1234, {{0x1D, {}}}, std::nullopt, {0x03}},
      {"block 0x3C group", 0x6900, {{0x3C, {0, 'L', '8'}}}, "L8", {0x03}},
      {"0x5345 asks nothing", 0x5345, {}, "FLOTT", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.blocks = c.blocks;
    auto device = plug(options);
    RecognitionRun run(m_controller, m_hand_off, std::nullopt, m_stop);
    open(run);
    run.read_device_name(c.product);
    EXPECT_EQ(m_controller.data().deviceName(), c.expected);
    const auto reports = device->take_output_reports();
    ASSERT_EQ(reports.size(), c.commands.size());
    if (!reports.empty()) {
      EXPECT_EQ(reports[0][1], 0x03);
      EXPECT_EQ(reports[0][2], c.product == 0x6900 ? 0x3C : 0x1D);
    }
    hid_close_all();
    sim::detach(*device);
  }
}

TEST_F(RecognitionStepsTest, FailedVersionRequestGivesVersionOne) {
  struct Case {
    std::uint32_t product;
    int type;
  };
  for (const Case& c : {Case{0x6020, 0}, Case{0x6038, 0}, Case{0x5345, 2}}) {
    SCOPED_TRACE(c.product);
    sim::HidModelOptions options = sim::hid_fixture_6020();
    options.version = {3, 3, 3, 3};
    auto device = plug(options);
    device->on_command(0x01, [](std::span<const std::uint8_t>) { return sim::HidModel::Answer{0x02, {}}; });
    RecognitionRun run(m_controller, m_hand_off, std::nullopt, m_stop);
    open(run);
    run.read_versions(c.product);
    const FEXOBluetoothDeviceData& record = m_controller.data();
    EXPECT_EQ(record.deviceVersionMajor(), 1);
    EXPECT_EQ(record.deviceVersionMinor(), 0);
    EXPECT_EQ(record.deviceSecondaryVersionType(), c.type);
    EXPECT_EQ(record.deviceSecondaryVersion(), 0);
    EXPECT_EQ(commands_received(*device), std::vector<int>{0x01});
    hid_close_all();
    sim::detach(*device);
  }
}

// 0x5345 is two HID units; the pair opens only on the selection and manager pages.
class PairedUnitsTest : public RecognitionStepsTest {
 protected:
  void SetUp() override {
    sim::HidModelOptions first = sim::hid_fixture_6020();
    first.product_id = 0x5345;
    first.blocks[0x05] = {3};
    first.motion_present = true;
    sim::HidModelOptions second = first;
    second.product_id = 0x5346;
    second.fm_present = false;
    m_slot0 = plug(first);
    m_slot1 = plug(second);
    std::array<std::uint32_t, 2> ids{};
    transport_message message{};
    ASSERT_EQ(hid_open_device_pair(ids, message, 3), 0);
  }
  std::shared_ptr<sim::HidModel> m_slot0, m_slot1;
};

TEST_F(PairedUnitsTest, Lm6AsksFmOnSlotOneAndMotionOnSlotZero) {
  RecognitionRun run(m_controller, m_hand_off, std::nullopt, m_stop);
  run.query_presence(0x4210);
  EXPECT_EQ(m_controller.fmRadioShowAndHide(), 4);
  EXPECT_EQ(m_controller.motionSensorShowAndHide(), 5);
  // slot 0 also answers the speaker-status reads (blocks 0x05, 0x12)
  EXPECT_EQ(commands_received(*m_slot0), (std::vector<int>{0x1B, 0x03, 0x03}));
  EXPECT_EQ(commands_received(*m_slot1), std::vector<int>{0x1A});
  EXPECT_EQ(m_controller.deviceInfoStatus(), 0);

  run.read_device_name(0x4210);
  EXPECT_EQ(commands_received(*m_slot1), std::vector<int>{0x03});
  EXPECT_EQ(m_controller.data().deviceName(), "Y350R");
}

TEST_F(PairedUnitsTest, PairHoldGoesToBothUnits) {
  RecognitionRun run(m_controller, m_hand_off, std::nullopt, m_stop);
  run.hold_pair(0x5345);
  EXPECT_EQ(commands_received(*m_slot0), std::vector<int>{0x30});
  EXPECT_EQ(commands_received(*m_slot1), std::vector<int>{0x30});
  run.hold_pair(0x6020);
  EXPECT_TRUE(commands_received(*m_slot0).empty());
}

TEST_F(RecognitionStepsTest, FmQueryAnswersAndFailures) {
  struct Case {
    const char* name;
    bool present;
    bool fails;
    int expected;
  };
  for (const Case& c : {Case{"present", true, false, 3}, Case{"absent", false, false, 4},
                        Case{"command failed", false, true, 3}}) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6038();
    options.fm_present = c.present;
    auto device = plug(options);
    if (c.fails) {
      device->on_command(0x1A, [](std::span<const std::uint8_t>) { return sim::HidModel::Answer{0x02, {}}; });
    }
    RecognitionRun run(m_controller, m_hand_off, std::nullopt, m_stop);
    open(run);
    run.query_presence(0x6038);
    EXPECT_EQ(m_controller.fmRadioShowAndHide(), c.expected);
    EXPECT_EQ(m_controller.motionSensorShowAndHide(), 6);
    EXPECT_EQ(commands_received(*device), std::vector<int>{0x1A});
    hid_close_all();
    sim::detach(*device);
  }
}

TEST_F(RecognitionWorkerTest, WorkerThreadIsSingleAndJoined) {
  auto device = plug(sim::hid_fixture_6020());
  recognition::RecognitionWorker worker(m_controller, m_hand_off);
  ASSERT_TRUE(worker.start(std::nullopt));
  EXPECT_FALSE(worker.start(std::nullopt));  // a second start while one runs is ignored
  int result = 0;
  for (int polls = 0; polls < 5000 && (result = worker.take_result()) == 0; ++polls) {
    std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(result, recognition::k_recognize_success);
  EXPECT_FALSE(worker.active());
  EXPECT_EQ(commands_received(*device), k_one_run_of_6020);

  // a new start after the result was taken runs again; destroying the worker waits for it
  sim::detach(*device);
  {
    recognition::RecognitionWorker second(m_controller, m_hand_off);
    ASSERT_TRUE(second.start(std::nullopt));
  }
  EXPECT_EQ(m_hand_off.resultThreadRecognize(), recognition::k_recognize_failure);
}

}  // namespace
