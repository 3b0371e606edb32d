#include "recognition/legacy_usb_recognition.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recognition/recognition_worker.h"
#include "session/settings_tabs.h"
#include "sim/models/bluecore_model.h"
#include "strings/app_texts.h"
#include "strings/recognition_texts.h"
#include "support/bccmd_requests.h"
#include "support/bus_fixture.h"
#include "transport/bluecore_channel.h"

namespace {

using namespace std::chrono_literals;
using recognition::RecognitionHandOff;
using test_support::key_traffic;
using Keys = std::vector<std::string>;

// Keys every device answers first: product id (0x02A3), address (1), name
// (0x0108), version record (0x02A4).
const Keys k_identity = {"read 675", "read 1", "read 264", "read 676"};

Keys operator+(Keys a, const Keys& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A BlueCore device that notes the result the page could see when the host let go of it.
class WatchedModel : public sim::BlueCoreModel {
 public:
  WatchedModel(sim::BlueCoreModelOptions options, const RecognitionHandOff& hand_off)
      : BlueCoreModel(std::move(options)), m_hand_off(hand_off) {}
  void on_close(int interface_number) override {
    results_at_close.push_back(m_hand_off.resultThreadRecognize());
    BlueCoreModel::on_close(interface_number);
  }
  std::vector<int> results_at_close;

 private:
  const RecognitionHandOff& m_hand_off;
};

// Points the camera's volume list at a folder, with or without the camera's marker file.
class CameraVolume {
 public:
  explicit CameraVolume(bool with_marker) {
    std::string pattern = "/tmp/vx-camera-XXXXXX";
    m_folder = ::mkdtemp(pattern.data());
    if (with_marker) std::ofstream(m_folder + "/optra.bin") << "optra";
    ::setenv("VEXLINK_VOLUMES", m_folder.c_str(), 1);
  }
  ~CameraVolume() {
    ::unsetenv("VEXLINK_VOLUMES");
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }

 private:
  std::string m_folder;
};

class LegacyRecognitionTest : public test_support::BusFixture {
 protected:
  LegacyRecognitionTest() {
    m_controller.setMode(4);
    // the DFU pass has run once on this page
    m_hand_off.setIsFirst(false);
  }

  void TearDown() override {
    hid_close_all();
    bc_close_devices();
    dfu_close_device();
    BusFixture::TearDown();
  }

  std::shared_ptr<sim::BlueCoreModel> plug(sim::BlueCoreModelOptions options) {
    return attach(std::make_shared<sim::BlueCoreModel>(std::move(options)));
  }

  // One whole run on the test thread, from a page whose caller was `caller_mode`
  // with `target` selected.
  void recognize(int target = 0, int caller_mode = 0, std::optional<FEXOBluetoothDeviceData> info = std::nullopt) {
    m_controller.setDeviceTarget(target);
    m_hand_off.setCallerMode(caller_mode);
    m_hand_off.reset_for_run();
    recognition::threadMethodRecognize(m_controller, m_hand_off, info, m_stop);
  }

  std::string english_text() const { return m_hand_off.strStatusThreadRecognizeAt(0).value_or("<none>"); }
  int result() const { return m_hand_off.resultThreadRecognize(); }

  session::AppState m_controller;
  RecognitionHandOff m_hand_off;
  std::atomic<bool> m_stop{false};
};

TEST_F(LegacyRecognitionTest, AFirmwareManagementDeviceOnAFreshPageGoesOnWithAWarning) {
  auto device = plug(sim::bluecore_fixture_e020());
  m_hand_off.setIsFirst(true);
  recognize();

  EXPECT_EQ(result(), recognition::k_recognize_success);
  EXPECT_TRUE(m_hand_off.doWarnThreadRecognize());
  EXPECT_TRUE(m_hand_off.goFirmwareUpgradeThreadRecognize());
  EXPECT_FALSE(m_hand_off.isFirst()) << "the DFU pass opened it";
  EXPECT_EQ(m_controller.deviceTarget(), 0x6020);
  EXPECT_EQ(m_controller.usbStatus(), 0xE020);
  EXPECT_TRUE(m_controller.recognized());
  const FEXOBluetoothDeviceData& record = m_controller.data();
  EXPECT_EQ(record.deviceRecognized(), 0x6020);
  EXPECT_EQ(record.deviceVersionMajor(), 0);
  EXPECT_EQ(record.deviceVersionMinor(), 0);
  // the texts were built while the USB state was still that of no device
  EXPECT_EQ(english_text(), "Firmware management mode. " + AppTexts::vyla_status_default_usb_in(5, 0, 0).value());
  // three HID opens 1 s apart; both passes find it at once
  EXPECT_EQ(clock().elapsed(), 3s);
  EXPECT_EQ(device->claim_attempts(), (std::vector<int>{0, 0}));
  EXPECT_TRUE(device->take_requests().empty()) << "a device in firmware-management mode is not asked anything";
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(LegacyRecognitionTest, AFirmwareManagementDeviceIsAcceptedWhateverTheTarget) {
  plug(sim::bluecore_fixture_cd10());
  recognize(0x5040, 7);
  EXPECT_EQ(result(), recognition::k_recognize_success);
  EXPECT_TRUE(m_hand_off.doWarnThreadRecognize());
  EXPECT_EQ(m_controller.deviceTarget(), 0x4D10);
  EXPECT_EQ(m_controller.usbStatus(), 0xCD10);
  EXPECT_EQ(m_controller.data().deviceRecognized(), 0x4D10);
}

// A headset in its normal mode is found by the HCI pass, whether or not the
// page's DFU pass runs first; finding nothing in firmware-management mode
// leaves that pass to the page's next run.
TEST_F(LegacyRecognitionTest, ALone4D10IsRecognizedWithOrWithoutTheDfuPass) {
  auto device = plug(sim::bluecore_fixture_4d10());

  struct Case {
    const char* name;
    bool first;
    int target;
    int caller_mode;
    int result;
    std::chrono::seconds took;
  };
  const Case cases[] = {
      // three HID opens 1 s apart, 20 DFU tries 1 s apart, then the HCI pass finds it at once
      {"on a fresh page, from the selection", true, 0, 0, recognition::k_recognize_success, 23s},
      {"from the selection", false, 0, 0, recognition::k_recognize_success, 3s},
      {"selected", false, 0x4D10, 7, recognition::k_recognize_success, 3s},
      // 0x4D30 counts as 0x4D10, not the other way round
      {"another product selected", false, 0x4D30, 7, recognition::k_recognize_other_device, 3s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_hand_off.setIsFirst(c.first);
    m_controller.data() = FEXOBluetoothDeviceData();
    const auto start = clock().elapsed();
    const std::size_t claims_before = device->claim_attempts().size();
    recognize(c.target, c.caller_mode);
    // the opens' waits, then a fraction of a second for the reading
    EXPECT_GE(clock().elapsed() - start, c.took);
    EXPECT_LT(clock().elapsed() - start, c.took + 1s);
    EXPECT_EQ(m_hand_off.isFirst(), c.first);
    EXPECT_EQ(device->claim_attempts().size(), claims_before + 1) << "only the HCI pass opened it";
    EXPECT_EQ(result(), c.result);
    EXPECT_EQ(m_hand_off.goFirmwareUpgradeThreadRecognize(), c.result == recognition::k_recognize_success);
    EXPECT_FALSE(m_hand_off.doWarnThreadRecognize());
    EXPECT_TRUE(m_controller.recognized());
    EXPECT_EQ(m_controller.usbStatus(), 0x4D10);
    EXPECT_EQ(m_controller.deviceTarget(), c.target == 0 ? 0x4D10 : c.target);
    if (c.result == recognition::k_recognize_success) {
      EXPECT_EQ(english_text(),
                "Device recognized successfully. " + AppTexts::vyla_status_default_usb_in(5, 0x4D10, 0).value());
    }

    const FEXOBluetoothDeviceData& record = m_controller.data();
    EXPECT_EQ(record.managerVersionMajor(), 1);
    EXPECT_EQ(record.managerVersionMinor(), 4);
    EXPECT_EQ(record.deviceRecognized(), 0x4D10);
    EXPECT_EQ(record.deviceName(), "XA9");
    EXPECT_EQ(record.lastSixBDAddress(), "2C9BD0");
    EXPECT_EQ(record.bdAddress(), "00025B[2C9BD0]");
    EXPECT_EQ(record.deviceVersionMajor(), 4);
    EXPECT_EQ(record.deviceVersionMinor(), 3);
    // settings word 0x0157 at 4.3: bit 8 (sidetone) counts only from 5.0
    EXPECT_EQ(record.handsfreeVOX(), 1);
    EXPECT_EQ(record.intercomVOX(), 1);
    EXPECT_EQ(record.edr(), 1);
    EXPECT_EQ(record.voicePrompt(), 0);
    EXPECT_EQ(record.plc(), 1);
    EXPECT_EQ(record.bitpoolRate(), 0);
    EXPECT_EQ(record.microphoneBoost(), 1);
    EXPECT_EQ(record.sidetone(), 0);
    EXPECT_EQ(record.speedDialAt(0), "0123456789");
    EXPECT_EQ(record.speedDialAt(1), "+4930123");
    EXPECT_EQ(record.speedDialAt(2), "");

    const session::TabData tabs = session::tab_data_for(0x4D10, 4, 3, m_controller.fmRadioShowAndHide());
    EXPECT_GT(tabs.count, 0);
    EXPECT_EQ(m_controller.tabData(), tabs);

    // identity, the versions (record 0x02A4, then the older key 0x0293), the settings word and the speed dials
    const Keys expected = k_identity + Keys{"read 659", "read 654", "read 8832", "read 8833", "read 8834"};
    EXPECT_EQ(key_traffic(*device), expected);
    EXPECT_TRUE(device->ps_writes().empty()) << "its address is at the threshold: no power table";
    EXPECT_EQ(sim::open_handle_count(), 0);
  }
}

// A device in firmware-management mode that the DFU pass cannot open or claim
// ends the run in the open failure, its code the pass's; the HCI pass is not tried.
TEST_F(LegacyRecognitionTest, AFirmwareManagementDeviceTheDfuPassCannotTakeEndsTheRun) {
  struct Case {
    const char* name;
    sim::Faults faults;
    const char* text;
  };
  sim::Faults refused;
  refused.refuse_open = true;
  sim::Faults busy;
  busy.claim_errno = EBUSY;
  const Case cases[] = {
      {"open refused", refused, "Cannot open USB [2]"},
      {"claim refused", busy, "Cannot open USB [3]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BlueCoreModelOptions options = sim::bluecore_fixture_e020();
    options.faults = c.faults;
    auto device = plug(options);
    m_hand_off.setIsFirst(true);
    recognize();
    EXPECT_EQ(result(), recognition::k_recognize_failure);
    EXPECT_TRUE(m_hand_off.doWarnThreadRecognize());
    EXPECT_FALSE(m_hand_off.goFirmwareUpgradeThreadRecognize());
    EXPECT_EQ(english_text(), c.text);
    EXPECT_TRUE(m_hand_off.isFirst());
    EXPECT_FALSE(m_controller.recognized());
    EXPECT_TRUE(device->take_requests().empty());
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

TEST_F(LegacyRecognitionTest, DeviceLoopCases) {
  struct Case {
    const char* name;
    sim::BlueCoreModelOptions device;
    int target;
    int result;
    std::function<void(const FEXOBluetoothDeviceData&)> check;
    Keys keys;
  };
  sim::BlueCoreModelOptions anonymous;
  anonymous.product_id = 0x4D10;
  sim::BlueCoreModelOptions xa9_at_5 = sim::bluecore_fixture_4d10();
  xa9_at_5.ps_keys[0x02A4] = sim::version_record_key(50);
  xa9_at_5.ps_keys.erase(0x0293);
  xa9_at_5.ps_keys[654] = {0x0100, 0};
  sim::BlueCoreModelOptions foreign_fm = sim::bluecore_fixture_5040();
  foreign_fm.ps_keys[671][0] = 0x1234;
  sim::BlueCoreModelOptions gain_low = sim::bluecore_fixture_5210();
  gain_low.ps_keys[684] = {13};
  gain_low.ps_keys[682] = {2999};
  const Case cases[] = {
      {"no product id, no name: 0x4D10 named XA9 at 3.0",
       anonymous,
       0,
       recognition::k_recognize_success,
       [](const FEXOBluetoothDeviceData& record) {
         EXPECT_EQ(record.deviceRecognized(), 0x4D10);
         EXPECT_EQ(record.deviceName(), "XA9");
         EXPECT_EQ(record.deviceVersionMajor(), 3);
         EXPECT_EQ(record.lastSixBDAddress(), "000000");
         EXPECT_EQ(record.speedDialAt(0), "") << "not read";
       },
       // the name is asked twice (for a model text, then as the name); below 4.0 the VOX keys and the EDR pattern
       Keys{"read 675", "read 264", "read 1", "read 264", "read 676", "read 659", "read 664", "read 665", "read 239"}},
      {"sidetone from 5.0",
       xa9_at_5,
       0,
       recognition::k_recognize_success,
       [](const FEXOBluetoothDeviceData& record) {
         EXPECT_EQ(record.sidetone(), 1);
         EXPECT_EQ(record.handsfreeVOX(), 0);
         EXPECT_EQ(record.speedDialAt(0), "0123456789");
       },
       k_identity + Keys{"read 659", "read 654", "read 8832", "read 8833", "read 8834"}},
      {"FM block of another magic word is initialized on the device",
       foreign_fm,
       0,
       recognition::k_recognize_success,
       [](const FEXOBluetoothDeviceData& record) {
         EXPECT_EQ(record.fmRadioMagicCode(), 0x56E9);
         EXPECT_EQ(record.fmRadioCurrentFrequency(), 0);
         EXPECT_EQ(record.fmRadioPresetsAt(0), 0);
         EXPECT_EQ(record.fmRadioRegion(), 0);
       },
       k_identity + Keys{"read 654", "read 671", "write 671"}},
      {"FM block taken",
       sim::bluecore_fixture_5040(),
       0,
       recognition::k_recognize_success,
       [](const FEXOBluetoothDeviceData& record) {
         EXPECT_EQ(record.fmRadioMagicCode(), 0x56E9);
         EXPECT_EQ(record.fmRadioCurrentFrequency(), 9450);
         EXPECT_EQ(record.fmRadioCurrentPreset(), 2);
         EXPECT_EQ(record.fmRadioPresetsAt(5), 10790);
         EXPECT_EQ(record.fmRadioRDS(), 1);
         EXPECT_EQ(record.fmRadioRegion(), 2);
         EXPECT_EQ(record.deviceVersionMinor(), 2);
       },
       k_identity + Keys{"read 654", "read 671"}},
      {"gain and time-out",
       sim::bluecore_fixture_5210(),
       0,
       recognition::k_recognize_success,
       [](const FEXOBluetoothDeviceData& record) {
         EXPECT_EQ(record.radioTransmitGain(), 15);
         EXPECT_EQ(record.audioChannelTimeout(), 30);
       },
       k_identity + Keys{"read 684", "read 682"}},
      {"gain below 14, time-out below 3 s",
       gain_low,
       0,
       recognition::k_recognize_success,
       [](const FEXOBluetoothDeviceData& record) {
         EXPECT_EQ(record.radioTransmitGain(), 12);
         EXPECT_EQ(record.audioChannelTimeout(), 5);
       },
       k_identity + Keys{"read 684", "read 682"}},
      // the power table follows the selected product, whose range the unit's address is above
      {"a target that rejects the product still gets the record",
       sim::bluecore_fixture_5210(),
       0x5040,
       recognition::k_recognize_other_device,
       [](const FEXOBluetoothDeviceData& record) { EXPECT_EQ(record.deviceRecognized(), 0x5210); },
       Keys{"read 675", "read 1", "write 23", "write 33", "write 49", "read 264", "read 676", "read 684",
            "read 682"}},
      {"0x6021 reports 0x6020, which is not the opened id",
       sim::bluecore_fixture_6021(),
       0,
       recognition::k_recognize_other_device,
       [](const FEXOBluetoothDeviceData& record) {
         EXPECT_EQ(record.deviceRecognized(), 0x6020);
         EXPECT_EQ(record.deviceName(), "Y350R");
       },
       k_identity},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_controller.data() = FEXOBluetoothDeviceData();
    auto device = plug(c.device);
    recognize(c.target, c.target == 0 ? 0 : 7);
    EXPECT_EQ(result(), c.result);
    c.check(m_controller.data());
    EXPECT_EQ(key_traffic(*device), c.keys);
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
}

TEST_F(LegacyRecognitionTest, TheResultIsHandedOverOnlyOnceTheDevicesAreClosed) {
  auto device = attach(std::make_shared<WatchedModel>(sim::bluecore_fixture_5210(), m_hand_off));
  recognize(0x5040, 7);
  EXPECT_EQ(result(), recognition::k_recognize_other_device);
  EXPECT_EQ(device->results_at_close, std::vector<int>{recognition::k_recognize_running});
  device->take_received();
}

TEST_F(LegacyRecognitionTest, ACameraWithoutItsStorageStopsAfterItsProductId) {
  {
    CameraVolume volume(false);
    auto device = plug(sim::bluecore_fixture_3020());
    recognize();
    EXPECT_EQ(result(), recognition::k_recognize_failure);
    EXPECT_TRUE(m_hand_off.doWarnThreadRecognize());
    EXPECT_EQ(english_text(), AppTexts::vyla_string_check_sd_card_in(0) + " [1000]");
    EXPECT_EQ(m_hand_off.strStatusThreadRecognizeAt(2), AppTexts::vyla_string_check_sd_card_in(2) + " [1000]");
    EXPECT_EQ(m_controller.usbStatus(), 0);
    EXPECT_FALSE(m_controller.recognized());
    EXPECT_EQ(key_traffic(*device), Keys{"read 675"});
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
  CameraVolume volume(true);
  auto device = plug(sim::bluecore_fixture_3020());
  recognize();
  EXPECT_EQ(result(), recognition::k_recognize_success);
  const FEXOBluetoothDeviceData& record = m_controller.data();
  EXPECT_EQ(record.deviceRecognized(), 0x3020);
  EXPECT_EQ(record.deviceVersionMajor(), 1);
  EXPECT_EQ(record.deviceVersionMinor(), 5);
  EXPECT_EQ(record.deviceSecondaryVersionType(), 2);
  EXPECT_EQ(record.deviceSecondaryVersion(), 3);
  EXPECT_EQ(key_traffic(*device), k_identity);
}

TEST_F(LegacyRecognitionTest, APairJoinsTheAddressesOfItsTwoDevices) {
  const auto pair = sim::bluecore_fixture_5310_pair();
  auto first = plug(pair[0]);
  auto second = plug(pair[1]);
  recognize();
  EXPECT_EQ(result(), recognition::k_recognize_success);
  EXPECT_FALSE(m_hand_off.doWarnThreadRecognize());
  const FEXOBluetoothDeviceData& record = m_controller.data();
  EXPECT_EQ(record.bdAddress(), "00025B[111111] _ 00025B[222222]");
  EXPECT_EQ(record.lastSixBDAddress(), "222222");
  EXPECT_EQ(record.deviceRecognized(), 0x5310);
  EXPECT_EQ(record.managerVersionMajor(), 0) << "the first device of a pair leaves out the manager version";
  EXPECT_EQ(m_controller.usbStatus(), 0x5310);
  EXPECT_EQ(m_controller.tabCount(), 0) << "nor does a pair set tabs";
  EXPECT_EQ(key_traffic(*first), k_identity);
  EXPECT_EQ(key_traffic(*second), k_identity);
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(LegacyRecognitionTest, ASecondDeviceOfAnotherUnitEndsInTheOpenFailure) {
  using Pair = std::array<sim::BlueCoreModelOptions, 2>;
  struct Case {
    const char* name;
    std::function<void(Pair&)> change;
  };
  const Case cases[] = {
      {"another name", [](Pair& p) { p[1].ps_keys[0x0108] = sim::text_key("SR11"); }},
      {"another version", [](Pair& p) { p[1].ps_keys[0x02A4] = sim::version_record_key(11); }},
      {"another product", [](Pair& p) { p[1].ps_keys[0x02A3] = {0x5210}; }},
      // the first device is handed to the firmware-management exit, the second is of another id
      {"first in firmware-management mode", [](Pair& p) { p[0].product_id = 0xD310; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pair pair = sim::bluecore_fixture_5310_pair();
    c.change(pair);
    auto first = plug(pair[0]);
    auto second = plug(pair[1]);
    recognize(0x5310, 7);
    EXPECT_EQ(result(), recognition::k_recognize_failure);
    EXPECT_TRUE(m_hand_off.doWarnThreadRecognize());
    EXPECT_FALSE(m_hand_off.goFirmwareUpgradeThreadRecognize());
    EXPECT_EQ(english_text(), "Cannot open USB [-5]");
    EXPECT_EQ(m_controller.deviceTarget(), 0x5310) << "never the id less 0x8000 of a normal device";
    EXPECT_FALSE(m_controller.recognized());
    EXPECT_EQ(m_controller.usbStatus(), 0);
    first->take_received();
    second->take_received();
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*first);
    sim::detach(*second);
  }
}

TEST_F(LegacyRecognitionTest, ALoopThatSetsNoResultLeavesItToTheRun) {
  auto device = plug(sim::bluecore_fixture_4d10());
  std::array<std::uint32_t, 2> ids{};
  transport_message message{};
  ASSERT_EQ(bc_open_devices(ids, message, 0), 0);
  m_hand_off.reset_for_run();
  const std::optional<FEXOBluetoothDeviceData> no_backup;
  recognition::RecognitionRun run(m_controller, m_hand_off, no_backup, m_stop);
  recognition::LegacyUsbRecognition legacy(run, m_controller, m_hand_off, no_backup, message);
  EXPECT_EQ(legacy.device_loop({0, 0}), 0);
  EXPECT_EQ(result(), recognition::k_recognize_running);
  EXPECT_EQ(bc_device_count(), 0) << "the devices are closed all the same";
  EXPECT_TRUE(device->take_requests().empty());
}

TEST_F(LegacyRecognitionTest, SecondPowerTableOf4D35) {
  struct Case {
    const char* name;
    std::uint32_t address;
    std::vector<std::uint16_t> keys_written;
    std::size_t table_words;  // words of the write of key 49
  };
  const Case cases[] = {
      // at the threshold: only table F, once the settings word was read
      {"at 2DD49E", 0x2DD49E, {49}, 30},
      // above: set B after the address, nothing after the settings word
      {"above 2DD49E", 0x2DD49F, {23, 33, 45, 49, 502, 521, 578}, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BlueCoreModelOptions options = sim::bluecore_fixture_4d35();
    options.ps_keys[0x0001] = sim::bdaddr_key(c.address);
    auto device = plug(options);
    recognize();
    EXPECT_EQ(result(), recognition::k_recognize_success);
    std::vector<std::uint16_t> written;
    for (const sim::PsWrite& write : device->ps_writes()) written.push_back(write.key);
    EXPECT_EQ(written, c.keys_written);
    for (const sim::PsWrite& write : device->ps_writes()) {
      if (write.key == 49) {
        EXPECT_EQ(write.words.size(), c.table_words);
      }
    }
    const Keys power = c.address > 0x2DD49E
                           ? Keys{"write 23", "write 33", "write 45", "write 49", "write 502", "write 521", "write 578"}
                           : Keys{};
    const Keys table_f = c.address > 0x2DD49E ? Keys{} : Keys{"write 49"};
    const Keys expected = Keys{"read 675", "read 1"} + power + Keys{"read 264", "read 676", "read 654", "read 1"} + table_f;
    EXPECT_EQ(key_traffic(*device), expected);
    sim::detach(*device);
  }
}

// A backup as the update page keeps it before flashing.
FEXOBluetoothDeviceData backup(int product, int major, int minor) {
  FEXOBluetoothDeviceData record;
  record.setDeviceRecognized(product);
  record.setDeviceVersionMajor_Minor(major, minor);
  record.setIntercomVOX(3);
  record.setHandsfreeVOX(2);
  record.setEdr(1);
  record.setPlc(1);
  record.setFmRadioMagicCode(0x56E9);
  record.setFmRadioCurrentFrequency(9800);
  record.setFmRadioCurrentPreset(1);
  record.setFmRadioPresetsAt_with(9, 10800);
  record.setFmRadioRDS(1);
  record.setFmRadioRegion(3);
  record.setRadioTransmitGain(17);
  record.setAudioChannelTimeout(30);
  return record;
}

TEST_F(LegacyRecognitionTest, BackedUpSettingsAreWrittenByTargetBeforeTheRead) {
  struct Case {
    const char* name;
    sim::BlueCoreModelOptions device;
    FEXOBluetoothDeviceData info;
    std::vector<sim::PsWrite> writes;
  };
  const std::vector<std::uint16_t> fm = {0x56E9, 9800, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10800, 1, 3};
  const auto word_of = [](const FEXOBluetoothDeviceData& record) {
    return static_cast<std::uint16_t>(record.getSettings40());
  };
  const FEXOBluetoothDeviceData at_3_9 = backup(0x4D10, 3, 9);
  const FEXOBluetoothDeviceData at_4_0 = backup(0x4D10, 4, 0);
  const FEXOBluetoothDeviceData fm_at_4_2 = backup(0x5040, 4, 2);
  const Case cases[] = {
      {"0x4D10 from 3.9: the VOX keys", sim::bluecore_fixture_4d10(), at_3_9, {{664, {3}}, {665, {2}}}},
      {"0x4D10 from 4.0: the settings word", sim::bluecore_fixture_4d10(), at_4_0, {{654, {word_of(at_4_0), 0}}}},
      {"0x5040: the settings word and the FM block", sim::bluecore_fixture_5040(), fm_at_4_2,
       {{654, {word_of(fm_at_4_2), 0}}, {671, fm}}},
      {"0x5210: gain and time-out in milliseconds", sim::bluecore_fixture_5210(), backup(0x5210, 1, 0),
       {{684, {17}}, {682, {30000}}}},
      {"0x6021: nothing", sim::bluecore_fixture_6021(), backup(0x6021, 1, 0), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = plug(c.device);
    recognize(0, 0, c.info);
    EXPECT_NE(result(), recognition::k_recognize_failure);
    EXPECT_EQ(device->ps_writes(), c.writes);
    // the writes come between the versions and the settings read
    const Keys traffic = key_traffic(*device);
    const auto first_write = std::find_if(traffic.begin(), traffic.end(),
                                          [](const std::string& entry) { return entry.starts_with("write"); });
    if (!c.writes.empty()) {
      ASSERT_NE(first_write, traffic.end());
      EXPECT_TRUE(std::none_of(traffic.begin(), first_write, [](const std::string& entry) {
        return entry == "read 654" || entry == "read 684" || entry == "read 664";
      }));
    }
    sim::detach(*device);
  }
}

TEST_F(LegacyRecognitionTest, AFailedRestoreWriteStopsTheRunWithTheSettingsName) {
  struct Case {
    const char* name;
    sim::BlueCoreModelOptions device;
    FEXOBluetoothDeviceData info;
    std::uint16_t failing;
    std::vector<std::uint16_t> tried;
  };
  const Case cases[] = {
      {"FM block", sim::bluecore_fixture_5040(), backup(0x5040, 4, 2), 671, {654, 671}},
      {"intercom VOX: the phone VOX is not tried", sim::bluecore_fixture_4d10(), backup(0x4D10, 3, 9), 664, {664}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_controller.data() = FEXOBluetoothDeviceData();
    sim::BlueCoreModelOptions options = c.device;
    options.failing_keys = {c.failing};
    auto device = plug(options);
    recognize(0, 0, c.info);
    EXPECT_EQ(result(), recognition::k_recognize_failure);
    EXPECT_TRUE(m_hand_off.doWarnThreadRecognize());
    EXPECT_EQ(m_controller.usbStatus(), 0);
    for (int language : {0, 2, 9}) {
      EXPECT_EQ(m_hand_off.strStatusThreadRecognizeAt(language),
                DeviceRecognitionTexts::vyla_string_cannot_restore_in(c.failing, language));
    }
    EXPECT_EQ(m_controller.data().deviceRecognized(), 0) << "the record is not filled";
    std::vector<std::uint16_t> tried;
    for (const sim::BccmdRequest& request : device->take_requests()) {
      if (request.type == 2) tried.push_back(request.key());
    }
    EXPECT_EQ(tried, c.tried);
    sim::detach(*device);
  }
}

}  // namespace
