// The settings page's save to the HID products, group by group, on simulated
// devices: the exact traffic, what the device holds afterwards, and the code.
// Products the open filter admits go through the whole procedure (open, id
// check, group); the others have their group's step run on a device put into
// its slot directly.
#include "settings/hid_settings_save.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <span>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "recognition/settings_transfer_fixture.h"
#include "settings/settings_save.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "transport/hid_channel.h"

namespace {

using settings::SaveCopies;

struct Firmware {
  int major = 1;
  int minor = 0;
  int type = 0;
  int secondary = 0;
};

sim::HidVersion sim_version(const Firmware& firmware) {
  return {static_cast<std::uint8_t>(firmware.major), static_cast<std::uint8_t>(firmware.minor),
          static_cast<std::uint8_t>(firmware.type), static_cast<std::uint8_t>(firmware.secondary)};
}

// The worker's copies for `product` recognized at `firmware` (main set and
// module 1; module 2 at `module_2`), with a working copy whose every word
// differs from the others: general word n 0x1100 + n, VOX 0x0A05, smart
// volume 0x0B06, camera word n 0x0C00 + n, and a packed word and second
// packed word that are not 0 where the product has them.
SaveCopies copies_for(int product, const Firmware& firmware, const Firmware& module_2 = {}) {
  SaveCopies copies;
  copies.deviceTarget = product;
  copies.usbStatus = product;
  FEXOBluetoothDeviceData& device = copies.data;
  device.setDeviceRecognized(product);
  device.setDeviceVersionMajor(firmware.major);
  device.setDeviceVersionMinor(firmware.minor);
  device.setDeviceSecondaryVersionType(firmware.type);
  device.setDeviceSecondaryVersion(firmware.secondary);
  device.setDeviceVersionMajor01(firmware.major);
  device.setDeviceVersionMinor01(firmware.minor);
  device.setDeviceSecondaryVersionType01(firmware.type);
  device.setDeviceSecondaryVersion01(firmware.secondary);
  device.setDeviceVersionMajor02(module_2.major);
  device.setDeviceVersionMinor02(module_2.minor);
  device.setDeviceSecondaryVersionType02(module_2.type);
  device.setDeviceSecondaryVersion02(module_2.secondary);
  FEXOBluetoothDeviceData& edited = copies.dataCurrent;
  edited.copyWithSource_version(device, true);
  for (int index = 0; index < FEXOBluetoothDeviceData::k_basic_setting_lm6_count; ++index) {
    edited.setBasicSetting20At_with(index, 0x1100 + index);
  }
  edited.setBasicSettingKR5VOXSensitivity_with(0, 0x0A05);
  edited.setBasicSettingTJ4SmartVolumeControl_with(0, 0x0B06);
  for (int index = 0; index < 4; ++index) edited.setBasicSettingVT4Camera_with(index, 0x0C00 + index);
  edited.setHandsfreeVOX(1);
  edited.setEdr(1);
  edited.setPlc(1);
  edited.setAutoStartRecording(1);
  edited.setY370Language(3);
  return copies;
}

// `line` with {packed}, {second}, {w0}..{w9}, {vox}, {smart} and {cam0}..{cam3}
// replaced by the working copy's words.
std::string expand(std::string line, const FEXOBluetoothDeviceData& edited) {
  std::map<std::string, int> words = {{"{packed}", edited.getSettings40()},
                                      {"{second}", edited.getSettings40Second()},
                                      {"{vox}", edited.basicSettingKR5VOXSensitivityAt(0)},
                                      {"{smart}", edited.basicSettingTJ4SmartVolumeControlAt(0)}};
  for (int index = 0; index < FEXOBluetoothDeviceData::k_basic_setting_lm6_count; ++index) {
    words["{w" + std::to_string(index) + "}"] = edited.basicSettingLM6(index);
  }
  for (int index = 0; index < 4; ++index) words["{cam" + std::to_string(index) + "}"] = edited.basicSettingVT4CameraAt(index);
  for (const auto& [name, value] : words) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", value & 0xFFFF);
    for (std::size_t at = line.find(name); at != std::string::npos; at = line.find(name)) line.replace(at, name.size(), hex);
  }
  return line;
}

std::vector<std::string> hex_words(const std::vector<std::uint16_t>& words) {
  std::vector<std::string> lines;
  char hex[8];
  for (std::uint16_t word : words) {
    std::snprintf(hex, sizeof hex, "%04X", word);
    lines.push_back(hex);
  }
  return lines;
}

std::vector<std::string> expand(const std::vector<std::string>& lines, const FEXOBluetoothDeviceData& edited) {
  std::vector<std::string> expanded;
  for (const std::string& line : lines) expanded.push_back(expand(line, edited));
  return expanded;
}

sim::HidModelOptions device_options(int product, const Firmware& firmware) {
  sim::HidModelOptions options;
  options.product_id = static_cast<std::uint16_t>(product);
  options.version = sim_version(firmware);
  return options;
}

class HidSettingsSave : public test_support::SettingsTransferFixture {
 protected:
  // The whole procedure, as the worker runs it.
  int save(const SaveCopies& copies) {
    int code = -1;
    quietly([&] { code = settings::save_settings_over_hid(copies); });
    return code;
  }
  // The group's step on what is open.
  int write_step(const SaveCopies& copies) {
    int code = -1;
    quietly([&] { code = settings::write_hid_settings(static_cast<std::uint32_t>(copies.usbStatus), copies); });
    hid_close_all();
    return code;
  }
  // The block traffic; the language-pack reply fetches are dropped.
  static std::vector<std::string> traffic(sim::HidModel& model) {
    std::vector<std::string> lines = test_support::block_traffic(model);
    model.take_received();
    return lines;
  }
};

struct TrafficCase {
  const char* name;
  int product;
  Firmware firmware;
  // true: the open filter admits the product and the whole procedure runs;
  // false: the group's step runs on the device put into slot 0.
  bool through_open;
  std::vector<std::string> traffic;
  // Blocks the device holds afterwards: id and lines "{w0}" and so on.
  std::map<std::uint8_t, std::vector<std::string>> stored;
  std::vector<std::uint8_t> commits;
  std::function<void(sim::HidModelOptions&)> arrange = {};
};

TEST_F(HidSettingsSave, EachGroupWritesItsBlocksInTheDevicesOrder) {
  const std::vector<TrafficCase> cases = {
      {"J4 0x6020",
       0x6020,
       {1, 2},
       true,
       {"command 01", "write 04: {packed} 0000 0000 0000", "commit 04: {packed} 0000 0000 0000", "write 12: {vox}",
        "commit 12: {vox}"},
       {{0x04, {"{packed}", "0000", "0000", "0000"}}, {0x12, {"{vox}"}}},
       {0x04, 0x12}},
      {"J1 0x6010",
       0x6010,
       {1, 3},
       true,
       {"command 01", "write 04: {packed} 0000 {w2} 0000", "commit 04: {packed} 0000 {w2} 0000", "write 14: {vox}",
        "commit 14: {vox}"},
       {{0x04, {"{packed}", "0000", "{w2}", "0000"}}, {0x14, {"{vox}"}}},
       {0x04, 0x14}},
      {"F 0x6038: the commit names block 0x14",
       0x6038,
       {1, 1},
       true,
       {"command 12", "write 36: {packed} {second}", "write 17: {vox}", "commit 14: {vox}"},
       {{0x36, {"{packed}", "{second}"}}, {0x17, {"{vox}"}}},
       {0x14},
       [](sim::HidModelOptions& options) { options = sim::hid_fixture_6038(); }},
      {"G 0x4023", 0x4023, {1, 0}, true, {"command 12", "write 36: {packed} {w1}"}, {{0x36, {"{packed}", "{w1}"}}}, {}},
      {"E 0x5552: three words",
       0x5552,
       {1, 6},
       true,
       {"command 12", "write 36: {packed} {w1} {w2}"},
       {{0x36, {"{packed}", "{w1}", "{w2}"}}},
       {}},
      {"D 0x4D16: no mode query, its mode 1 plays no part",
       0x4D16,
       {2, 0},
       true,
       {"write 36: {w0} {w1}"},
       {{0x36, {"{w0}", "{w1}"}}},
       {},
       [](sim::HidModelOptions& options) { options = sim::hid_fixture_4d16(); }},
      {"B 0x3560", 0x3560, {1, 2}, false, {"command 01", "write 20: {w0}", "write 1F: {w1}"}, {}, {}},
      {"B 0x3540", 0x3540, {1, 2}, false, {"command 01", "write 20: {w0}"}, {}, {}},
      {"H 0x3310", 0x3310, {1, 0}, false, {"command 01", "write 04: {w0} {w1} {w2} {w3}"}, {}, {}},
      {"I 0x3110 at 2.0: two words", 0x3110, {2, 0}, false, {"command 01", "write 04: {w0} {w1}"}, {}, {}},
      {"I 0x3110 at 2.1: four words", 0x3110, {2, 1}, false, {"command 01", "write 04: {w0} {w1} {w2} {w3}"}, {}, {}},
      {"I 0x3112 at 2.9: three words", 0x3112, {2, 9}, false, {"command 01", "write 04: {w0} {w1} {w2}"}, {}, {}},
      {"I 0x3211: five words", 0x3211, {1, 0}, false, {"command 01", "write 04: {w0} {w1} {w2} {w3} {w4}"}, {}, {}},
      {"J2 0x3070", 0x3070, {1, 0}, false, {"command 01", "write 04: {packed} {w1}"}, {}, {}},
      {"J3 0x5424",
       0x5424,
       {1, 0},
       false,
       {"command 01", "write 04: {packed} {w1}", "write 14: {vox}", "write 03: {smart}"},
       {},
       {}},
      {"J5 0x5410",
       0x5410,
       {1, 0},
       false,
       {"command 01", "write 04: {packed} 0000", "commit 04: {packed} 0000", "write 14: {vox}", "commit 14: {vox}",
        "write 03: {smart}", "commit 03: {smart}"},
       {},
       {0x04, 0x14, 0x03}},
      {"J6 0x5510 at 1.9: camera words 0 and 1",
       0x5510,
       {1, 9},
       false,
       {"command 01", "write 04: {packed} {second}", "write 07: {cam0} {cam1}"},
       {},
       {}},
      {"J6 0x5510 from 2.0: also camera words 2 and 3",
       0x5510,
       {2, 0},
       false,
       {"command 01", "write 04: {packed} {second}", "write 07: {cam0} {cam1}", "write 1C: {cam2} {cam3}"},
       {},
       {}},
      {"J6 0x5576: the second packed word", 0x5576, {1, 0}, false, {"command 01", "write 04: {packed} {second}"}, {}, {}},
      {"J6 0x5622 at 1.0: smart volume only",
       0x5622,
       {1, 0},
       false,
       {"command 01", "write 04: {packed} {second}", "write 03: {smart}"},
       {},
       {}},
      {"J6 0x5622 at 1.1: also VOX",
       0x5622,
       {1, 1},
       false,
       {"command 01", "write 04: {packed} {second}", "write 03: {smart}", "write 14: {vox}"},
       {},
       {}},
      {"J6 0x5623 at 1.0: the packed words only", 0x5623, {1, 0}, false, {"command 01", "write 04: {packed} {second}"}, {}, {}},
      {"J6 0x6400", 0x6400, {1, 0}, false, {"command 01", "write 04: {packed} {second}", "write 14: {vox}"}, {}, {}},
  };
  for (const TrafficCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SaveCopies copies = copies_for(c.product, c.firmware);
    sim::HidModelOptions options = device_options(c.product, c.firmware);
    if (c.arrange) {
      c.arrange(options);
      options.version = sim_version(c.firmware);
    }
    std::shared_ptr<sim::HidModel> model;
    int code = -1;
    if (c.through_open) {
      model = attach(std::make_shared<sim::HidModel>(options));
      code = save(copies);
    } else {
      model = plug_into(0, options);
      code = write_step(copies);
    }
    EXPECT_EQ(code, settings::k_settings_save_success);
    EXPECT_EQ(traffic(*model), expand(c.traffic, copies.dataCurrent));
    for (const auto& [block, words] : c.stored) {
      EXPECT_EQ(hex_words(model->block(block)), expand(words, copies.dataCurrent)) << "block " << int(block);
    }
    EXPECT_EQ(model->committed_blocks(), c.commits);
    sim::detach(*model);
  }
}


TEST_F(HidSettingsSave, TwoModuleProductsWriteModule2OnSlot1) {
  struct Case {
    const char* name;
    int product;
    Firmware main;
    int counted_words;  // byte 3 of the write
  };
  const Case cases[] = {
      {"0x4210 below 1.1", 0x4210, {1, 0, 0, 0}, 3},
      {"0x4210 at 1.1.x: byte 3 = 4 while the report carries ten words", 0x4210, {1, 1, 2, 5}, 4},
      {"0x4210 from 1.2", 0x4210, {1, 5, 0, 0}, 10},
      {"0x4310 at 1.0", 0x4310, {1, 0, 0, 0}, 10},
  };
  const Firmware module_2{1, 4, 0, 0};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SaveCopies copies = copies_for(c.product, c.main, module_2);
    sim::HidModelOptions main_unit = sim::hid_fixture_4210();
    main_unit.product_id = static_cast<std::uint16_t>(c.product);
    main_unit.version = sim_version(c.main);
    sim::HidModelOptions second_unit = sim::hid_fixture_4210_second_unit();
    second_unit.version = sim_version(module_2);
    auto unit_1 = plug_into(0, main_unit);
    auto unit_2 = plug_into(1, second_unit);
    EXPECT_EQ(write_step(copies), settings::k_settings_save_success);

    EXPECT_EQ(traffic(*unit_1), (std::vector<std::string>{"command 01"}));
    const std::vector<std::vector<std::uint8_t>> reports = unit_2->take_output_reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0][1], 0x01);
    const std::vector<std::uint8_t>& write = reports[1];
    EXPECT_EQ(write[1], 0x04);
    EXPECT_EQ(write[2], 0x04);
    EXPECT_EQ(write[3], c.counted_words);
    // all ten words travel; the counted ones most significant byte first, the rest as they sit in memory
    for (int index = 0; index < 10; ++index) {
      const std::uint16_t word = static_cast<std::uint16_t>(copies.dataCurrent.basicSettingLM6(index));
      const std::size_t at = 4 + 2 * static_cast<std::size_t>(index);
      const bool counted = index < c.counted_words;
      EXPECT_EQ(write[at], counted ? word >> 8 : word & 0xFF) << "word " << index;
      EXPECT_EQ(write[at + 1], counted ? word & 0xFF : word >> 8) << "word " << index;
    }
    EXPECT_TRUE(std::all_of(write.begin() + 24, write.end(), [](std::uint8_t byte) { return byte == 0; }));
    // module 2 keeps the words its firmware takes
    std::vector<std::uint16_t> kept;
    for (int index = 0; index < c.counted_words; ++index) kept.push_back(static_cast<std::uint16_t>(0x1100 + index));
    EXPECT_EQ(unit_2->block(0x04), kept);
    sim::detach(*unit_1);
    sim::detach(*unit_2);
  }
}

TEST_F(HidSettingsSave, LanguagePackProductsTakeWordsZeroToTwoInOneFrame) {
  auto model = attach(std::make_shared<sim::HidModel>(sim::hid_fixture_6800()));
  const SaveCopies copies = copies_for(0x6800, {2, 1, 0, 3});
  EXPECT_EQ(save(copies), settings::k_settings_save_success);

  const std::vector<std::vector<std::uint8_t>> reports = model->take_output_reports();
  model->take_received();
  ASSERT_EQ(reports.size(), 1u);
  const std::vector<std::uint8_t>& frame = reports[0];
  ASSERT_EQ(frame.size(), 62u);
  EXPECT_EQ(frame[0], 1);
  EXPECT_EQ(frame[1], '<');
  EXPECT_EQ(frame[2], 0x04);
  EXPECT_EQ(frame[3], 0x03);
  for (int index = 0; index < 3; ++index) {
    const int word = copies.dataCurrent.basicSettingLM6(index);
    EXPECT_EQ(frame[4 + 2 * index], word & 0xFF) << "word " << index;
    EXPECT_EQ(frame[5 + 2 * index], (word >> 8) & 0xFF) << "word " << index;
  }
  EXPECT_TRUE(std::all_of(frame.begin() + 10, frame.end(), [](std::uint8_t byte) { return byte == 0; }));
  EXPECT_EQ(model->lang_pack_settings(), (std::array<std::uint16_t, 3>{0x1100, 0x1101, 0x1102}));
  EXPECT_NE(m_log.find("Setting set HEX airoha [1100], 1=[1101], 2=[1102]"), std::string::npos);
}

struct FailureCase {
  const char* name;
  int product;
  Firmware device;
  Firmware recognized;
  bool through_open;
  int code;
  std::vector<std::string> traffic;
  std::map<std::uint8_t, std::vector<std::string>> stored = {};
  std::function<void(sim::HidModelOptions&)> arrange = {};
  std::function<void(sim::HidModel&)> arrange_device = {};
};

TEST_F(HidSettingsSave, ARefusalOrAnotherDeviceEndsTheSaveWhereItIs) {
  const auto refuse = [](std::uint8_t command) {
    return [command](sim::HidModel& model) {
      model.on_command(command, [](std::span<const std::uint8_t>) { return sim::HidModel::Answer{0x02, {}}; });
    };
  };
  const auto mode_1 = [](sim::HidModelOptions& options) { options.mode = 1; };
  const std::vector<FailureCase> cases = {
      {"J3 with block 0x14 refused: block 0x03 is not written", 0x5424, {1, 0}, {1, 0}, false,
       settings::k_settings_save_device_setting_refused,
       {"command 01", "write 04: {packed} {w1}", "write 14: {vox}"},
       {{0x04, {"{packed}", "{w1}"}}, {0x03, {}}},
       [](sim::HidModelOptions& options) { options.refused_writes = {0x14}; }},
      {"0x3560 with block 0x20 refused: block 0x1F is not written", 0x3560, {1, 0}, {1, 0}, false,
       settings::k_settings_save_device_setting_refused, {"command 01", "write 20: {w0}"}, {{0x1F, {}}},
       [](sim::HidModelOptions& options) { options.refused_writes = {0x20}; }},
      {"0x6510 in mode 1: nothing written", 0x6510, {1, 0}, {1, 0}, false,
       settings::k_settings_save_device_setting_refused, {"command 12"}, {{0x36, {}}}, mode_1},
      {"E 0x5552 in mode 1", 0x5552, {1, 0}, {1, 0}, true, settings::k_settings_save_device_setting_refused,
       {"command 12"}, {{0x36, {}}}, mode_1},
      {"F 0x6038 in mode 1", 0x6038, {1, 0}, {1, 0}, true, settings::k_settings_save_device_setting_refused,
       {"command 12"}, {{0x36, {}}}, mode_1},
      {"G 0x4023 in mode 1", 0x4023, {1, 0}, {1, 0}, true, settings::k_settings_save_device_setting_refused,
       {"command 12"}, {{0x36, {}}}, mode_1},
      {"G 0x4023 with the mode query refused", 0x4023, {1, 0}, {1, 0}, true,
       settings::k_settings_save_device_setting_refused, {"command 12"}, {{0x36, {}}}, {}, refuse(0x12)},
      {"other firmware than at recognition", 0x6020, {1, 3}, {1, 2}, true,
       settings::k_settings_save_not_recognized_device, {"command 01"}, {{0x04, {}}}},
      {"other secondary version", 0x6020, {1, 2, 2, 7}, {1, 2, 2, 6}, true,
       settings::k_settings_save_not_recognized_device, {"command 01"}, {{0x04, {}}}},
      {"an unanswered version query counts as 1.0: recognized at 1.2, not the same", 0x6020, {1, 2}, {1, 2}, true,
       settings::k_settings_save_not_recognized_device, {"command 01"}, {{0x04, {}}}, {}, refuse(0x01)},
      {"an unanswered version query counts as 1.0: recognized at 1.0, written", 0x6020, {1, 0}, {1, 0}, true,
       settings::k_settings_save_success,
       {"command 01", "write 04: {packed} 0000 0000 0000", "commit 04: {packed} 0000 0000 0000", "write 12: {vox}",
        "commit 12: {vox}"},
       {{0x04, {"{packed}", "0000", "0000", "0000"}}}, {}, refuse(0x01)},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SaveCopies copies = copies_for(c.product, c.recognized);
    sim::HidModelOptions options = device_options(c.product, c.device);
    if (c.product == 0x6038) options.collections = sim::hid_fixture_6038().collections;
    if (c.arrange) c.arrange(options);
    std::shared_ptr<sim::HidModel> model;
    int code = -1;
    if (c.through_open) {
      model = attach(std::make_shared<sim::HidModel>(options));
      if (c.arrange_device) c.arrange_device(*model);
      code = save(copies);
    } else {
      model = plug_into(0, options);
      if (c.arrange_device) c.arrange_device(*model);
      code = write_step(copies);
    }
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(traffic(*model), expand(c.traffic, copies.dataCurrent));
    for (const auto& [block, words] : c.stored) {
      EXPECT_EQ(hex_words(model->block(block)), expand(words, copies.dataCurrent)) << "block " << int(block);
    }
    sim::detach(*model);
  }
}

TEST_F(HidSettingsSave, ADeviceThatIsNotTheRecognizedOneIsSentNothing) {
  struct Case {
    const char* name;
    int recognized;  // usbStatus and deviceTarget of the copies
    int on_bus;
  };
  const Case cases[] = {
      {"another product of the maker", 0x6020, 0x6022},
      {"a product the open filter does not admit", 0x3110, 0x3110},
      {"a product without a HID group", 0x4D10, 0x6020},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto model = attach(std::make_shared<sim::HidModel>(device_options(c.on_bus, {1, 0})));
    EXPECT_EQ(save(copies_for(c.recognized, {1, 0})), settings::k_settings_save_not_recognized_device);
    EXPECT_TRUE(traffic(*model).empty());
    sim::detach(*model);
  }
  // with nothing on the bus
  EXPECT_EQ(save(copies_for(0x6020, {1, 0})), settings::k_settings_save_not_recognized_device);
}

TEST_F(HidSettingsSave, ATwoModuleProductWithoutModule2IsNotTheRecognizedDevice) {
  const Firmware firmware{1, 5, 0, 0};
  const Firmware module_2{1, 4, 0, 0};
  sim::HidModelOptions main_unit = sim::hid_fixture_4210();
  main_unit.version = sim_version(firmware);
  sim::HidModelOptions second_unit = sim::hid_fixture_4210_second_unit();

  // nothing in slot 1: the save ends at the module-2 check, nothing written
  auto unit_1 = plug_into(0, main_unit);
  EXPECT_EQ(write_step(copies_for(0x4210, firmware, module_2)), settings::k_settings_save_not_recognized_device);
  EXPECT_EQ(traffic(*unit_1), (std::vector<std::string>{"command 01"}));

  // module 2 at other firmware
  second_unit.version = {1, 3, 0, 0};
  auto unit_2 = attach(std::make_shared<sim::HidModel>(second_unit));
  ASSERT_EQ(transport::hid_open_into_slot_for_test(0, 0x4210), 0);
  ASSERT_EQ(transport::hid_open_into_slot_for_test(1, 0x4211), 0);
  EXPECT_EQ(write_step(copies_for(0x4210, firmware, module_2)), settings::k_settings_save_not_recognized_device);
  EXPECT_EQ(traffic(*unit_1), (std::vector<std::string>{"command 01"}));
  EXPECT_EQ(traffic(*unit_2), (std::vector<std::string>{"command 01"}));
  EXPECT_EQ(unit_2->block(0x04), sim::hid_fixture_4210_second_unit().blocks.at(0x04));
}

TEST_F(HidSettingsSave, ALanguagePackFrameWithoutItsTwoByteAnswerIsRefused) {
  struct Case {
    const char* name;
    std::function<void(sim::HidModelOptions&)> fault;
  };
  const Case cases[] = {
      {"no answer", [](sim::HidModelOptions& options) { options.lang_pack_unanswered = {0x04}; }},
      {"an answer longer than its two bytes", [](sim::HidModelOptions& options) { options.lang_pack_overshoot = {{0x04, 1}}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::HidModelOptions options = sim::hid_fixture_6800();
    c.fault(options);
    auto model = attach(std::make_shared<sim::HidModel>(options));
    const auto started = clock().elapsed();
    EXPECT_EQ(save(copies_for(0x6800, {2, 1, 0, 3})), settings::k_settings_save_device_setting_refused);
    EXPECT_EQ(traffic(*model), (std::vector<std::string>{"lang 04 03"}));
    // the polls are bounded: at most 10000 of 1 ms
    EXPECT_LE(clock().elapsed() - started, std::chrono::milliseconds(10100));
    sim::detach(*model);
  }
}

TEST(HidSaveGroups, EveryProductIsInOneGroupAtMost) {
  std::map<settings::HidSaveGroup, int> sizes;
  for (int product = 0; product <= 0xFFFF; ++product) {
    if (const auto group = settings::hid_save_group(product)) ++sizes[*group];
  }
  using G = settings::HidSaveGroup;
  const std::map<G, int> expected = {{G::A, 9},   {G::B, 4},   {G::C, 9},   {G::D, 8},   {G::E, 2},
                                     {G::F, 2},   {G::G, 18},  {G::H, 2},   {G::I, 34},  {G::J1, 11},
                                     {G::J2, 12}, {G::J3, 6},  {G::J4, 3},  {G::J5, 6},  {G::J6, 33}};
  EXPECT_EQ(sizes, expected);
}

}  // namespace
