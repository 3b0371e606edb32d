// The speed-dial page's save, family by family, on simulated devices: the
// exact traffic, what the device holds afterwards, and the code. Products the
// open filter admits go through the whole procedure; the others have their
// family's step run on devices put into their slots directly.
#include "settings/speed_dial_save.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "recognition/settings_transfer_fixture.h"
#include "sim/bus.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/hid_model.h"
#include "strings/language_table.h"
#include "support/bccmd_requests.h"
#include "transport/bluecore_channel.h"
#include "transport/hid_channel.h"

namespace {

using settings::SaveCopies;
using Keys = std::vector<std::string>;

Keys operator+(Keys a, const Keys& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
using Numbers = std::array<std::optional<std::string>, 3>;

struct Firmware {
  int major = 1;
  int minor = 0;
};

// The worker's copies for `product` recognized at `main` (main version set),
// `module_1` (set 01) and `module_2` (set 02), with `numbers` in the working copy.
SaveCopies copies_for(int product, const Numbers& numbers, Firmware main = {}, Firmware module_1 = {},
                      Firmware module_2 = {}) {
  SaveCopies copies;
  copies.deviceTarget = product;
  copies.usbStatus = product;
  FEXOBluetoothDeviceData& device = copies.data;
  device.setDeviceRecognized(product);
  device.setDeviceVersionMajor(main.major);
  device.setDeviceVersionMinor(main.minor);
  device.setDeviceVersionMajor01(module_1.major);
  device.setDeviceVersionMinor01(module_1.minor);
  device.setDeviceVersionMajor02(module_2.major);
  device.setDeviceVersionMinor02(module_2.minor);
  copies.dataCurrent.copyWithSource_version(device, true);
  for (int index = 0; index < 3; ++index) copies.dataCurrent.setSpeedDialAt_with(index, numbers[static_cast<std::size_t>(index)]);
  return copies;
}

sim::HidModelOptions device_options(int product, Firmware firmware = {}) {
  sim::HidModelOptions options;
  options.product_id = static_cast<std::uint16_t>(product);
  options.version = {static_cast<std::uint8_t>(firmware.major), static_cast<std::uint8_t>(firmware.minor), 0, 0};
  return options;
}

// The words of a block, one character each.
std::vector<std::uint16_t> characters(const std::string& text) { return sim::character_words(text); }

class SpeedDialSave : public test_support::SettingsTransferFixture {
 protected:
  int save(const SaveCopies& copies) {
    int code = -1;
    quietly([&] { code = settings::save_speed_dials(copies); });
    return code;
  }
  int write_step(const SaveCopies& copies) {
    int code = -1;
    quietly([&] {
      code = settings::write_speed_dials_over_hid(static_cast<std::uint32_t>(copies.usbStatus), copies);
    });
    hid_close_all();
    return code;
  }
  static std::vector<std::string> traffic(sim::HidModel& model) {
    std::vector<std::string> lines = test_support::block_traffic(model);
    model.take_received();
    return lines;
  }
};

TEST(SpeedDialText, TheFormattersRule) {
  struct Case {
    std::string text;
    bool accepted;
  };
  const Case cases[] = {
      {"", true},
      {"0123456789", true},
      {"+49*30#1234", true},
      {std::string(20, '9'), true},
      {std::string(21, '9'), false},
      {"0800 11", false},
      {"112a", false},
      {"-1", false},
      {"１２", false},  // full-width digits
  };
  for (const Case& c : cases) EXPECT_EQ(settings::is_speed_dial_text(c.text), c.accepted) << c.text;
}

TEST(SpeedDialFamilies, EachProductHasTheProcedureOfItsFamily) {
  using Procedure = device_data::SpeedDialSave;
  struct Case {
    int product;
    Procedure family;
  };
  const Case cases[] = {
      {0x2030, Procedure::two_module},    {0x4210, Procedure::two_module},
      {0x4610, Procedure::two_module},    {0x6800, Procedure::language_pack},
      {0x6812, Procedure::language_pack}, {0x6801, Procedure::persistent_store},
      {0x3052, Procedure::low_blocks},    {0x6510, Procedure::low_blocks},
      {0x6461, Procedure::low_blocks},    {0x3030, Procedure::high_blocks},
      {0x6020, Procedure::high_blocks},   {0x3110, Procedure::high_blocks},
      {0x6400, Procedure::high_blocks},   {0x4D10, Procedure::persistent_store},
      {0x5210, Procedure::persistent_store},
  };
  for (const Case& c : cases) EXPECT_EQ(settings::speed_dial_family(c.product), c.family) << std::hex << c.product;
}

TEST(SpeedDialWords, TwentyValuesAndTheCountOfCharacters) {
  const settings::SpeedDialWords none = settings::speed_dial_words(std::nullopt);
  EXPECT_EQ(none.words, std::vector<std::uint16_t>(20, 0));
  EXPECT_EQ(none.characters, 0);
  const settings::SpeedDialWords number = settings::speed_dial_words("+1#");
  EXPECT_EQ(number.characters, 3);
  std::vector<std::uint16_t> expected(20, 0);
  expected[0] = '+';
  expected[1] = '1';
  expected[2] = '#';
  EXPECT_EQ(number.words, expected);
  // a number read from a device can be longer than the device takes
  EXPECT_EQ(settings::speed_dial_words(std::string(26, '7')).characters, 20);
}

TEST(SpeedDialSaveReason, EachCodeItsText) {
  EXPECT_EQ(settings::speed_dial_save_reason(1, strings::English), "Cannot open USB");
  EXPECT_EQ(settings::speed_dial_save_reason(2, strings::English), "Firmware management mode");
  EXPECT_EQ(settings::speed_dial_save_reason(3, strings::English), "Cannot save Speed Dial Setting");
  EXPECT_EQ(settings::speed_dial_save_reason(4, strings::English), "Not the recognized device");
  const settings::SaveRules rules = settings::speed_dial_page_save_rules();
  EXPECT_EQ(rules.discard_codes, (std::vector<int>{1, 2, 4}));
}

struct TrafficCase {
  const char* name;
  int product;
  Numbers numbers;
  bool through_open;
  int code;
  std::vector<std::string> traffic;
  // Blocks the device holds afterwards.
  std::vector<std::pair<std::uint8_t, std::vector<std::uint16_t>>> stored = {};
  std::function<void(sim::HidModelOptions&)> arrange = {};
};

TEST_F(SpeedDialSave, EachFamilyWritesItsBlocks) {
  const auto refuse = [](std::set<std::uint8_t> blocks) {
    return [blocks](sim::HidModelOptions& options) { options.refused_writes = blocks; };
  };
  const std::vector<TrafficCase> cases = {
      {"D 0x6020: an empty number goes with count 1 and a zero word",
       0x6020,
       {"0049", std::nullopt, "+*#"},
       true,
       0,
       {"command 01", "write 5A: 0030 0030 0034 0039", "write 5B: 0000", "write 5C: 002B 002A 0023"},
       {{0x5A, characters("0049")}, {0x5B, {0}}, {0x5C, characters("+*#")}}},
      {"D 0x6020: twenty characters",
       0x6020,
       {std::string(20, '1'), "", ""},
       true,
       0,
       {"command 01",
        "write 5A: 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031 0031",
        "write 5B: 0000", "write 5C: 0000"}},
      {"C 0x6461: blocks 0x37-0x39, no mode query",
       0x6461,
       {"", "5550100", "112"},
       true,
       0,
       {"write 37: 0000", "write 38: 0035 0035 0035 0030 0031 0030 0030", "write 39: 0031 0031 0032"},
       {{0x37, {0}}, {0x38, characters("5550100")}, {0x39, characters("112")}}},
      {"C 0x6510 in its normal mode",
       0x6510,
       {"1", "2", "3"},
       false,
       0,
       {"command 12", "write 37: 0031", "write 38: 0032", "write 39: 0033"}},
      {"C 0x6510 in mode 1: nothing written",
       0x6510,
       {"1", "2", "3"},
       false,
       3,
       {"command 12"},
       {{0x37, {}}},
       [](sim::HidModelOptions& options) { options.mode = 1; }},
      {"D 0x6020 with the first block refused: the other two still go in, code 3",
       0x6020,
       {"1", "2", "3"},
       true,
       3,
       {"command 01", "write 5A: 0031", "write 5B: 0032", "write 5C: 0033"},
       {{0x5A, {}}, {0x5B, characters("2")}, {0x5C, characters("3")}},
       refuse({0x5A})},
      {"D 0x6020 with the second block refused",
       0x6020,
       {"1", "2", "3"},
       true,
       3,
       {"command 01", "write 5A: 0031", "write 5B: 0032", "write 5C: 0033"},
       {{0x5A, characters("1")}, {0x5B, {}}, {0x5C, characters("3")}},
       refuse({0x5B})},
      {"D 0x6020 with the third block refused",
       0x6020,
       {"1", "2", "3"},
       true,
       3,
       {"command 01", "write 5A: 0031", "write 5B: 0032", "write 5C: 0033"},
       {},
       refuse({0x5C})},
  };
  for (const TrafficCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SaveCopies copies = copies_for(c.product, c.numbers);
    sim::HidModelOptions options = device_options(c.product);
    if (c.arrange) c.arrange(options);
    std::shared_ptr<sim::HidModel> model;
    int code = -1;
    if (c.through_open) {
      model = attach(std::make_shared<sim::HidModel>(options));
      code = save(copies);
    } else {
      model = plug_into(0, options);
      code = write_step(copies);
    }
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(traffic(*model), c.traffic);
    for (const auto& [block, words] : c.stored) EXPECT_EQ(model->block(block), words) << "block " << int(block);
    sim::detach(*model);
  }
}

TEST_F(SpeedDialSave, AnEmptyNumberAfterAFilledOneCarriesNoStaleCharacters) {
  auto model = attach(std::make_shared<sim::HidModel>(device_options(0x6020)));
  EXPECT_EQ(save(copies_for(0x6020, {"0123456789+*#0123456", "", std::string(26, '5')})), 0);
  const std::vector<std::vector<std::uint8_t>> reports = model->take_output_reports();
  ASSERT_EQ(reports.size(), 4u);
  // the empty number: word count 1, and every byte after byte 3 zero
  const std::vector<std::uint8_t>& empty = reports[2];
  EXPECT_EQ(empty[2], 0x5B);
  EXPECT_EQ(empty[3], 1);
  EXPECT_TRUE(std::all_of(empty.begin() + 4, empty.end(), [](std::uint8_t byte) { return byte == 0; }));
  // a number longer than 20 characters (read from a device) goes with its first 20
  const std::vector<std::uint8_t>& long_number = reports[3];
  EXPECT_EQ(long_number[3], 20);
  EXPECT_TRUE(std::all_of(long_number.begin() + 44, long_number.end(), [](std::uint8_t byte) { return byte == 0; }));
  EXPECT_EQ(model->block(0x5C), characters(std::string(20, '5')));
}

TEST_F(SpeedDialSave, TwoModuleProductsCheckBothModulesAndWriteSlot0) {
  const Firmware main{1, 5};
  const Firmware module_2{1, 4};
  sim::HidModelOptions main_unit = sim::hid_fixture_4210();
  main_unit.version = {1, 5, 0, 0};
  sim::HidModelOptions second_unit = sim::hid_fixture_4210_second_unit();
  second_unit.version = {1, 4, 0, 0};
  const SaveCopies copies = copies_for(0x4210, {"0049", "", "+1"}, main, main, module_2);

  auto unit_1 = plug_into(0, main_unit);
  auto unit_2 = plug_into(1, second_unit);
  EXPECT_EQ(write_step(copies), 0);
  // two_module sends an empty number with word count 0
  EXPECT_EQ(traffic(*unit_1), (std::vector<std::string>{"command 01", "write 5A: 0030 0030 0034 0039", "write 5B:",
                                                         "write 5C: 002B 0031"}));
  EXPECT_EQ(traffic(*unit_2), std::vector<std::string>{"command 01"});
  EXPECT_EQ(unit_1->block(0x5B), std::vector<std::uint16_t>{});

  // without module 2 in slot 1 the device is not the recognized one, and nothing is written
  ASSERT_EQ(transport::hid_open_into_slot_for_test(0, 0x4210), 0);
  EXPECT_EQ(write_step(copies), 4);
  EXPECT_EQ(traffic(*unit_1), std::vector<std::string>{"command 01"});

  // module 2 at other firmware
  ASSERT_EQ(transport::hid_open_into_slot_for_test(0, 0x4210), 0);
  ASSERT_EQ(transport::hid_open_into_slot_for_test(1, 0x4211), 0);
  EXPECT_EQ(write_step(copies_for(0x4210, {"1", "2", "3"}, main, main, {1, 3})), 4);
  EXPECT_EQ(traffic(*unit_1), std::vector<std::string>{"command 01"});
  EXPECT_EQ(traffic(*unit_2), std::vector<std::string>{"command 01"});
}

TEST_F(SpeedDialSave, TheVersionCheckOfFamilyDUsesTheProductsVersionSet) {
  struct Case {
    const char* name;
    int product;
    Firmware device;
    Firmware main;      // recognized main set
    Firmware module_1;  // recognized set 01
    int code;
  };
  const Case cases[] = {
      {"0x3110 compares set 01", 0x3110, {2, 1}, {9, 9}, {2, 1}, 0},
      {"0x3110 at other firmware than set 01", 0x3110, {2, 1}, {2, 1}, {2, 0}, 4},
      {"0x5410 compares the main set", 0x5410, {1, 3}, {1, 3}, {7, 7}, 0},
      {"0x5410 at other firmware than the main set", 0x5410, {1, 3}, {1, 2}, {1, 3}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto model = plug_into(0, device_options(c.product, c.device));
    EXPECT_EQ(write_step(copies_for(c.product, {"1", "", ""}, c.main, c.module_1)), c.code);
    const std::vector<std::string> lines = traffic(*model);
    EXPECT_EQ(lines.size(), c.code == 0 ? 4u : 1u);
    sim::detach(*model);
  }
}

TEST_F(SpeedDialSave, LanguagePackProductsTakeEachNumberAsText) {
  auto model = attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6800()));
  const std::string long_text(60, '#');  // only a number read from a device can be this long
  EXPECT_EQ(save(copies_for(0x6800, {"+4930*1", std::nullopt, long_text})), 0);

  const std::vector<std::vector<std::uint8_t>> frames = model->take_output_reports();
  model->take_received();
  ASSERT_EQ(frames.size(), 3u);
  for (std::size_t index = 0; index < 3; ++index) {
    SCOPED_TRACE(index);
    ASSERT_EQ(frames[index].size(), 62u);
    EXPECT_EQ(frames[index][0], 1);
    EXPECT_EQ(frames[index][1], '<');
    EXPECT_EQ(frames[index][2], 0x04);
    EXPECT_EQ(frames[index][3], 5 + index);
  }
  const std::string first(frames[0].begin() + 4, frames[0].begin() + 11);
  EXPECT_EQ(first, "+4930*1");
  EXPECT_TRUE(std::all_of(frames[0].begin() + 11, frames[0].end(), [](std::uint8_t byte) { return byte == 0; }));
  EXPECT_TRUE(std::all_of(frames[1].begin() + 4, frames[1].end(), [](std::uint8_t byte) { return byte == 0; }));
  // 57 bytes of text and the NUL in the frame's last byte
  EXPECT_TRUE(std::all_of(frames[2].begin() + 4, frames[2].begin() + 61, [](std::uint8_t byte) { return byte == '#'; }));
  EXPECT_EQ(frames[2][61], 0);
  EXPECT_EQ(model->lang_pack_speed_dials(), (std::array<std::string, 3>{"+4930*1", "", std::string(57, '#')}));
}

TEST_F(SpeedDialSave, ALanguagePackFrameWithoutItsAnswerIsRefusedAndTheOthersStillGo) {
  struct Case {
    const char* name;
    std::function<void(sim::HidModel&)> fault;
  };
  const Case cases[] = {
      {"no answer to the second",
       [](sim::HidModel& model) {
         model.on_lang_pack_command(0x04, [](std::span<const std::uint8_t> request) {
           return request[3] == 6 ? std::vector<std::uint8_t>{} : std::vector<std::uint8_t>{0x04, request[3]};
         });
       }},
      {"an answer longer than its two bytes to the second",
       [](sim::HidModel& model) {
         model.on_lang_pack_command(0x04, [](std::span<const std::uint8_t> request) {
           std::vector<std::uint8_t> answer{0x04, request[3]};
           if (request[3] == 6) answer.push_back(0);
           return answer;
         });
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto model = attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6800()));
    c.fault(*model);
    EXPECT_EQ(save(copies_for(0x6800, {"1", "2", "3"})), 3);
    EXPECT_EQ(traffic(*model), (std::vector<std::string>{"lang 04 05", "lang 04 06", "lang 04 07"}));
    sim::detach(*model);
  }
  // the simulated device's own faults, on every frame
  sim::HidModelOptions silent = sim::hid_fixture_6800();
  silent.lang_pack_unanswered = {0x04};
  auto model = attach(std::make_shared<sim::HidModel>(silent));
  EXPECT_EQ(save(copies_for(0x6800, {"1", "2", "3"})), 3);
  EXPECT_EQ(traffic(*model).size(), 3u);
  sim::detach(*model);
  sim::HidModelOptions overshooting = sim::hid_fixture_6800();
  overshooting.lang_pack_overshoot = {{0x04, 1}};
  model = attach(std::make_shared<sim::HidModel>(overshooting));
  EXPECT_EQ(save(copies_for(0x6800, {"1", "2", "3"})), 3);
  EXPECT_EQ(traffic(*model).size(), 3u);
}

TEST_F(SpeedDialSave, ADeviceThatIsNotTheRecognizedOneIsSentNothing) {
  struct Case {
    const char* name;
    int recognized;
    int on_bus;
    Firmware device;
    Firmware recognized_at;
  };
  const Case cases[] = {
      {"another product of the maker", 0x6020, 0x6022, {1, 0}, {1, 0}},
      {"other firmware", 0x6020, 0x6020, {1, 3}, {1, 2}},
      {"another product for a language-pack product", 0x6800, 0x6020, {1, 0}, {1, 0}},
      {"another product for a low_blocks product", 0x6461, 0x6020, {1, 0}, {1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto model = attach(std::make_shared<sim::HidModel>(device_options(c.on_bus, c.device)));
    const int code = save(copies_for(c.recognized, {"1", "2", "3"}, c.recognized_at, c.recognized_at));
    EXPECT_EQ(code, 4);
    const std::vector<std::string> lines = traffic(*model);
    EXPECT_TRUE(lines.empty() || lines == std::vector<std::string>{"command 01"});
    EXPECT_TRUE(model->block(0x5A).empty());
    sim::detach(*model);
  }
  EXPECT_EQ(save(copies_for(0x6020, {"1", "2", "3"})), 4);
}

class SpeedDialPersistentStoreSave : public test_support::BusFixture {
 protected:
  void TearDown() override {
    bc_close_devices();
    BusFixture::TearDown();
  }
};

TEST_F(SpeedDialPersistentStoreSave, KeysGoInOrderUntilTheFirstRefusal) {
  // the identity reads of a 0x4D10: product id, version record, older version key
  const Keys identity = {"read 675", "read 676", "read 659"};
  struct Case {
    const char* name;
    std::function<void(sim::BlueCoreModelOptions&)> arrange;
    int usb_status;
    int code;
    Keys traffic;
    // The keys afterwards: 8832, 8833, 8834.
    std::array<std::string, 3> stored;
  };
  const Case cases[] = {
      {"all three, an empty one as 20 zero words", {}, 0x4D10, 0,
       identity + Keys{"write 8832", "write 8833", "write 8834"}, {"0049", "", "+1#"}},
      {"the second key refused: 8832 stays written, 8834 is not written",
       [](sim::BlueCoreModelOptions& options) { options.refused_writes = {8833}; }, 0x4D10, 3,
       identity + Keys{"write 8832", "write 8833"}, {"0049", "+4930123", ""}},
      {"firmware-management mode", [](sim::BlueCoreModelOptions& options) { options.product_id = 0xCD10; },
       0xCD10, 2, {}, {"0123456789", "+4930123", ""}},
      {"another device attached than recognition saw", {}, 0x4D11, 4, {"read 675", "read 676", "read 659"},
       {"0123456789", "+4930123", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BlueCoreModelOptions options = sim::bluecore_fixture_4d10();
    if (c.arrange) c.arrange(options);
    auto device = attach(std::make_shared<sim::BlueCoreModel>(options));
    SaveCopies copies = copies_for(0x4D10, {"0049", std::nullopt, "+1#"}, {4, 3});
    copies.usbStatus = c.usb_status;
    EXPECT_EQ(settings::save_speed_dials(copies), c.code);
    const Keys traffic = test_support::key_traffic(*device);
    if (c.code == 4) {
      // nothing written; how far the identity reads went is the walk's business
      EXPECT_TRUE(std::none_of(traffic.begin(), traffic.end(), [](const std::string& line) { return line.starts_with("write"); }));
    } else {
      EXPECT_EQ(traffic, c.traffic);
    }
    for (std::size_t index = 0; index < 3; ++index) {
      EXPECT_EQ(device->ps_key(static_cast<std::uint16_t>(8832 + index)), sim::speed_dial_key(c.stored[index]))
          << "key " << 8832 + index;
    }
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::detach(*device);
  }
  // no BlueCore device at all
  EXPECT_EQ(settings::save_speed_dials(copies_for(0x4D10, {"1", "2", "3"}, {4, 3})), 1);
}

}  // namespace
