// The FM radio page's save on simulated devices: the FM block each procedure
// writes, its commits and checks, and the code. Products the open filter
// admits go through the whole procedure (open, id check, procedure); the
// others have their procedure's step run on a device put into its slot.
#include "settings/fm_radio_save.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "recognition/settings_transfer_fixture.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/hid_model.h"
#include "strings/common_texts.h"
#include "strings/settings_texts.h"
#include "support/bccmd_requests.h"
#include "transport/bluecore_channel.h"
#include "transport/hid_channel.h"

namespace {

namespace fm = settings::fm_radio;
using settings::SaveCopies;
using Record = FEXOBluetoothDeviceData;

// Firmware 1.2 in every version set of the record and of the device.
constexpr sim::HidVersion k_firmware{1, 2, 0, 0};

// The worker's copies for `product`: the device as recognition read it at
// k_firmware, and a working copy with current frequency 0x222E, current
// preset 2, presets 88.1 MHz + 0.1 MHz per slot, RDS on and region Europe.
SaveCopies copies_for(int product) {
  SaveCopies copies;
  copies.deviceTarget = product;
  copies.usbStatus = product;
  Record& device = copies.data;
  device.setDeviceRecognized(product);
  device.setDeviceVersionMajor_Minor(k_firmware.major, k_firmware.minor);
  device.setDeviceVersion01Major_Minor(k_firmware.major, k_firmware.minor);
  device.setDeviceVersion02Major_Minor(k_firmware.major, k_firmware.minor);
  Record& edited = copies.dataCurrent;
  edited.copyWithSource_version(device, true);
  edited.setFmRadioMagicCode(0x1234);  // never written
  edited.setFmRadioCurrentFrequency(0x222E);
  edited.setFmRadioCurrentPreset(2);
  for (int slot = 0; slot < Record::k_fm_preset_count; ++slot) edited.setFmRadioPresetsAt_with(slot, 8810 + 10 * slot);
  edited.setFmRadioRDS(1);
  edited.setFmRadioRegion(4);
  return copies;
}

// The block's words as the traffic lines show them: magic word, then the
// working copy's block of `presets` presets.
std::string block_line(const char* prefix, std::uint16_t magic, int presets) {
  std::string line = prefix;
  char word[8];
  const auto add = [&](unsigned value) {
    std::snprintf(word, sizeof word, " %04X", value);
    line += word;
  };
  add(magic);
  add(0x222E);
  add(2);
  for (int slot = 0; slot < presets; ++slot) add(static_cast<unsigned>(8810 + 10 * slot));
  add(1);
  add(4);
  return line;
}

sim::HidModelOptions device_options(int product) {
  sim::HidModelOptions options;
  options.product_id = static_cast<std::uint16_t>(product);
  options.version = k_firmware;
  return options;
}

class FMRadioSave : public test_support::SettingsTransferFixture {
 protected:
  int save(const SaveCopies& copies) {
    int code = -1;
    quietly([&] { code = fm::threadMethodSave(copies); });
    return code;
  }
  int write_step(const SaveCopies& copies) {
    int code = -1;
    quietly([&] { code = fm::write_fm_block(static_cast<std::uint32_t>(copies.usbStatus), copies); });
    hid_close_all();
    return code;
  }
  static std::vector<std::string> traffic(sim::HidModel& model) {
    std::vector<std::string> lines = test_support::block_traffic(model);
    model.take_received();
    return lines;
  }
};

TEST(FMBlock, WordsAndMagicWordByProduct) {
  struct Case {
    int product;
    std::uint16_t magic;
    std::size_t words;
  };
  const Case cases[] = {
      {0x6010, 0x56E9, 11}, {0x6036, 0x56E9, 11}, {0x5412, 0x56E9, 15}, {0x5416, 0x56E9, 15},
      {0x5420, 0x56E9, 15}, {0x5424, 0x66E9, 15}, {0x4D16, 0x66E9, 15}, {0x4D15, 0x66E9, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    SaveCopies copies = copies_for(c.product);
    // values beyond 16 bits keep their low 16 bits
    copies.dataCurrent.setFmRadioCurrentPreset(0x12345);
    const std::vector<std::uint16_t> words = fm::block_words(c.product, copies.dataCurrent);
    ASSERT_EQ(words.size(), c.words);
    EXPECT_EQ(words[0], c.magic);
    EXPECT_EQ(words[1], 0x222E);
    EXPECT_EQ(words[2], 0x2345);
    EXPECT_EQ(words[3], 8810);
    EXPECT_EQ(words[c.words - 3], 8810 + 10 * (c.words - 6));  // the last preset
    EXPECT_EQ(words[c.words - 2], 1);
    EXPECT_EQ(words[c.words - 1], 4);
  }
}

TEST(FMBlock, ProcedureByProduct) {
  using Procedure = device_data::FmSave;
  const std::map<int, Procedure> cases = {
      {0x2030, Procedure::two_module},       {0x4210, Procedure::two_module},
      {0x4610, Procedure::two_module},       {0x3052, Procedure::qcc},
      {0x4D16, Procedure::qcc},              {0x6510, Procedure::qcc},
      {0x3030, Procedure::hid_block},        {0x6010, Procedure::hid_block},
      {0x6400, Procedure::hid_block},        {0x4D15, Procedure::persistent_store},
      {0x5050, Procedure::persistent_store}, {0x4D10, Procedure::persistent_store},
      {0x6801, Procedure::persistent_store}, {0x6800, Procedure::none},
      {0x6804, Procedure::none},             {0x6805, Procedure::none},
      {0x6810, Procedure::none},             {0x6811, Procedure::none},
      {0x6812, Procedure::none},
  };
  for (const auto& [product, procedure] : cases) {
    SCOPED_TRACE(product);
    EXPECT_EQ(fm::procedure_of(product), procedure);
  }
}

struct TrafficCase {
  const char* name;
  int product;
  bool through_open;
  std::vector<std::string> traffic;
  std::uint8_t block;             // where the device keeps the FM block afterwards
  std::vector<std::uint8_t> commits;
  std::function<void(sim::HidModelOptions&)> arrange = {};
};

TEST_F(FMRadioSave, EachProcedureWritesTheBlockInTheDevicesOrder) {
  const std::vector<TrafficCase> cases = {
      {"H six presets 0x6010: 11 words, committed",
       0x6010,
       true,
       {"command 01", block_line("write 15:", 0x56E9, 6), block_line("commit 15:", 0x56E9, 6)},
       0x15,
       {0x15}},
      {"H 0x5416: the six-preset magic word, committed",
       0x5416,
       false,
       {"command 01", block_line("write 15:", 0x56E9, 10), block_line("commit 15:", 0x56E9, 10)},
       0x15,
       {0x15}},
      {"H 0x5424: not committed", 0x5424, false, {"command 01", block_line("write 15:", 0x66E9, 10)}, 0x15, {}},
      {"H 0x3110: module 1's version",
       0x3110,
       false,
       {"command 01", block_line("write 15:", 0x66E9, 10)},
       0x15,
       {}},
      {"Q 0x4D16: no version check, its mode 1 plays no part",
       0x4D16,
       true,
       {block_line("write 44:", 0x66E9, 10)},
       0x44,
       {},
       [](sim::HidModelOptions& options) {
         options = sim::hid_fixture_4d16();
         options.mode = 1;
       }},
      {"Q 0x6510: the mode first", 0x6510, false, {"command 12", block_line("write 44:", 0x66E9, 10)}, 0x44, {}},
  };
  for (const TrafficCase& c : cases) {
    SCOPED_TRACE(c.name);
    SaveCopies copies = copies_for(c.product);
    if (c.product == 0x3110) {
      // the main set is another: only set 01 counts
      copies.data.setDeviceVersionMajor_Minor(9, 9);
    }
    sim::HidModelOptions options = device_options(c.product);
    if (c.arrange) c.arrange(options);
    options.version = k_firmware;
    std::shared_ptr<sim::HidModel> device;
    int code = -1;
    if (c.through_open) {
      device = attach(std::make_shared<sim::HidModel>(options));
      code = save(copies);
    } else {
      device = plug_into(0, options);
      code = write_step(copies);
    }
    EXPECT_EQ(code, fm::k_save_written);
    EXPECT_EQ(traffic(*device), c.traffic);
    EXPECT_EQ(device->block(c.block), fm::block_words(c.product, copies.dataCurrent));
    EXPECT_EQ(device->committed_blocks(), c.commits);
    sim::reset();
  }
}

TEST_F(FMRadioSave, TheCommitCarriesTheWordsLowByteFirst) {
  auto device = attach(std::make_shared<sim::HidModel>(device_options(0x6010)));
  ASSERT_EQ(save(copies_for(0x6010)), fm::k_save_written);
  const std::vector<std::vector<std::uint8_t>> reports = device->take_output_reports();
  ASSERT_EQ(reports.size(), 3u);
  const std::vector<std::uint8_t>& write = reports[1];
  const std::vector<std::uint8_t>& commit = reports[2];
  EXPECT_EQ((std::vector<std::uint8_t>{write[1], write[2], write[3], write[6], write[7]}),
            (std::vector<std::uint8_t>{0x04, 0x15, 0x0B, 0x22, 0x2E}));
  EXPECT_EQ((std::vector<std::uint8_t>{commit[1], commit[2], commit[3], commit[6], commit[7]}),
            (std::vector<std::uint8_t>{0x11, 0x15, 0x0B, 0x2E, 0x22}));
  device->take_received();
}

TEST_F(FMRadioSave, TheTwoModuleProductWritesModuleTwo) {
  auto main_unit = plug_into(0, sim::hid_fixture_4210());
  auto second_unit = plug_into(1, sim::hid_fixture_4210_second_unit());
  SaveCopies copies = copies_for(0x4210);
  const sim::HidVersion first = sim::hid_fixture_4210().version;
  const sim::HidVersion second = sim::hid_fixture_4210_second_unit().version;
  copies.data.setDeviceVersion01Major_Minor(first.major, first.minor);
  copies.data.setDeviceSecondaryVersionType01(first.secondary_type);
  copies.data.setDeviceSecondaryVersion01(first.secondary);
  copies.data.setDeviceVersion02Major_Minor(second.major, second.minor);
  copies.data.setDeviceSecondaryVersionType02(second.secondary_type);
  copies.data.setDeviceSecondaryVersion02(second.secondary);
  ASSERT_EQ(write_step(copies), fm::k_save_written);
  EXPECT_EQ(traffic(*main_unit), std::vector<std::string>{"command 01"});
  EXPECT_EQ(traffic(*second_unit), (std::vector<std::string>{"command 01", block_line("write 15:", 0x66E9, 10)}));
  EXPECT_TRUE(second_unit->committed_blocks().empty());
}

struct FaultCase {
  const char* name;
  int product;
  bool through_open;
  std::function<void(sim::HidModelOptions&, SaveCopies&)> arrange;
  int code;
  std::vector<std::string> traffic;
};

TEST_F(FMRadioSave, EachFaultEndsWithItsCodeAndNothingAfterIt) {
  const std::vector<FaultCase> cases = {
      {"H: the write refused", 0x6010, true,
       [](sim::HidModelOptions& options, SaveCopies&) { options.refused_writes = {0x15}; }, fm::k_save_refused,
       {"command 01", block_line("write 15:", 0x56E9, 6)}},
      {"H: other firmware", 0x6010, true,
       [](sim::HidModelOptions& options, SaveCopies&) { options.version = {1, 3, 0, 0}; },
       fm::k_save_not_recognized_device, {"command 01"}},
      {"H: another device than recognition saw", 0x6010, true,
       [](sim::HidModelOptions&, SaveCopies& copies) { copies.usbStatus = 0x6012; },
       fm::k_save_not_recognized_device, {}},
      {"Q: 0x6510 in mode 1 writes nothing", 0x6510, false,
       [](sim::HidModelOptions& options, SaveCopies&) { options.mode = 1; }, fm::k_save_refused, {"command 12"}},
      {"Q: the write refused", 0x4D16, true,
       [](sim::HidModelOptions& options, SaveCopies&) {
         options = sim::hid_fixture_4d16();
         options.refused_writes = {0x44};
       },
       fm::k_save_refused, {block_line("write 44:", 0x66E9, 10)}},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    SaveCopies copies = copies_for(c.product);
    sim::HidModelOptions options = device_options(c.product);
    c.arrange(options, copies);
    std::shared_ptr<sim::HidModel> device;
    int code = -1;
    if (c.through_open) {
      device = attach(std::make_shared<sim::HidModel>(options));
      code = save(copies);
    } else {
      device = plug_into(0, options);
      code = write_step(copies);
    }
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(traffic(*device), c.traffic);
    EXPECT_TRUE(device->committed_blocks().empty());
    sim::reset();
  }
}

TEST_F(FMRadioSave, AnEmptySecondSlotOrNoDeviceIsNotTheRecognizedDevice) {
  // the two-module product with module 2 missing
  auto main_unit = plug_into(0, sim::hid_fixture_4210());
  SaveCopies copies = copies_for(0x4210);
  const sim::HidVersion first = sim::hid_fixture_4210().version;
  copies.data.setDeviceVersion01Major_Minor(first.major, first.minor);
  copies.data.setDeviceSecondaryVersionType01(first.secondary_type);
  copies.data.setDeviceSecondaryVersion01(first.secondary);
  EXPECT_EQ(write_step(copies), fm::k_save_not_recognized_device);
  EXPECT_EQ(traffic(*main_unit), std::vector<std::string>{"command 01"});
  sim::reset();

  // unplugged between recognition and save
  for (int product : {0x6010, 0x4D16}) {
    SCOPED_TRACE(product);
    EXPECT_EQ(save(copies_for(product)), fm::k_save_not_recognized_device);
  }
}

// ---- persistent_store: the persistent-store walk ----

struct StoreCase {
  const char* name;
  int product;               // the selected product
  int attached;              // the BlueCore device on the bus; 0 for none
  std::set<std::uint16_t> refused_keys;
  int code;
  std::vector<std::string> writes;
};

TEST_F(FMRadioSave, PersistentStoreProductsWriteKey671OrNothing) {
  const std::vector<StoreCase> cases = {
      {"0x4D15 writes its block as key 671", 0x4D15, 0x4D15, {}, fm::k_save_written, {"write 671"}},
      {"0x4D10 has nothing to write", 0x4D10, 0x4D10, {}, fm::k_save_written, {}},
      {"key 671 refused", 0x4D15, 0x4D15, {671}, fm::k_save_refused, {"write 671"}},
      {"unplugged", 0x4D15, 0, {}, fm::k_save_cannot_open_usb, {}},
      {"another product attached", 0x4D15, 0x4D10, {}, fm::k_save_not_recognized_device, {}},
  };
  for (const StoreCase& c : cases) {
    SCOPED_TRACE(c.name);
    SaveCopies copies = copies_for(c.product);
    if (c.product == 0x4D10) copies.data.setDeviceVersionMajor_Minor(4, 3);
    std::shared_ptr<sim::BlueCoreModel> device;
    if (c.attached != 0) {
      sim::BlueCoreModelOptions options = c.attached == 0x4D10 ? sim::bluecore_fixture_4d10() : sim::BlueCoreModelOptions{};
      if (c.attached != 0x4D10) {
        options.product_id = static_cast<std::uint16_t>(c.attached);
        options.ps_keys[0x02A3] = {static_cast<std::uint16_t>(c.attached)};
      }
      options.refused_writes = c.refused_keys;
      device = attach(std::make_shared<sim::BlueCoreModel>(options));
    }
    EXPECT_EQ(save(copies), c.code);
    if (!device) continue;
    std::vector<std::string> writes;
    for (const std::string& line : test_support::key_traffic(*device)) {
      if (line.starts_with("write")) writes.push_back(line);
    }
    EXPECT_EQ(writes, c.writes);
    if (c.code == fm::k_save_written && !c.writes.empty()) {
      const std::vector<std::uint16_t> block = fm::block_words(c.product, copies.dataCurrent);
      EXPECT_EQ(block[0], 0x66E9);
      EXPECT_EQ(device->ps_key(671), block);
    }
    EXPECT_EQ(bc_device_count(), 0);
    sim::reset();
  }
}

TEST_F(FMRadioSave, TheAirohaFMProductsAreRefusedBeforeAnythingIsSent) {
  for (int product : {0x6800, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812}) {
    SCOPED_TRACE(product);
    // the product itself on HID, and a persistent-store device beside it
    auto headset = attach(std::make_shared<sim::HidModel>(device_options(product)));
    auto bluecore = attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_4d10()));
    const SaveCopies copies = copies_for(product);
    EXPECT_EQ(save(copies), fm::k_save_not_supported);
    EXPECT_EQ(fm::save_over_hid(copies), fm::k_save_not_supported);
    EXPECT_EQ(write_step(copies), fm::k_save_not_supported);
    EXPECT_TRUE(headset->take_received().empty());
    EXPECT_TRUE(bluecore->take_received().empty());
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::reset();
  }
}

TEST(FMRadioSaveRules, ReasonsAndDiscardingCodes) {
  const settings::SaveRules rules = fm::save_rules();
  EXPECT_EQ(rules.discard_codes, (std::vector<int>{1, 2, 4}));
  for (int language : {0, 4, 12}) {
    SCOPED_TRACE(language);
    EXPECT_EQ(rules.reason(1, language), CommonTexts::vyla_string_cannot_open_usb_in(language));
    EXPECT_EQ(rules.reason(2, language), CommonTexts::vyla_string_firmware_management_mode_in(language));
    EXPECT_EQ(rules.reason(3, language), SettingsTexts::vyla_string_cannot_save_in(671, language));
    EXPECT_EQ(rules.reason(4, language), CommonTexts::vyla_string_not_recognized_device_in(language));
    EXPECT_EQ(rules.reason(5, language), SettingsTexts::vyla_string_save_not_supported_in(language));
  }
  EXPECT_EQ(rules.reason(3, 0), "Cannot save FM Radio Setting");
  EXPECT_EQ(rules.reason(5, 0), "Not supported for this device");
}

}  // namespace
