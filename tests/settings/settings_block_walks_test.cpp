// For every product of the catalogue, recognition's read, the restore's write
// and the settings page's save touch the same settings blocks in the same
// order, on a device whose firmware is new enough for every block. The few
// layouts where they differ on purpose are written out here; any other
// difference is a mirror that drifted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device_data/product_facts.h"
#include "recognition/settings_read.h"
#include "recognition/settings_transfer_fixture.h"
#include "recognition/settings_write.h"
#include "settings/hid_settings_save.h"
#include "sim/models/hid_model.h"

namespace {

using device_data::SettingsLayout;
using Blocks = std::vector<std::string>;

// Every version set of `record` at 9.9.
void set_new_firmware(FEXOBluetoothDeviceData& record, int product) {
  record.setDeviceRecognized(product);
  record.setDeviceVersionMajor(9);
  record.setDeviceVersionMinor(9);
  record.setDeviceVersionMajor01(9);
  record.setDeviceVersionMinor01(9);
  record.setDeviceVersionMajor02(9);
  record.setDeviceVersionMinor02(9);
}

// The settings blocks among `lines` of block traffic that `verb` ("read" or
// "write") names, in order; the language-pack exchange of settings words 0-2
// shows as "language pack". Address, sub-model, name, FM and speed-dial
// blocks are not settings blocks.
Blocks settings_blocks(const std::vector<std::string>& lines, const std::string& verb) {
  Blocks blocks;
  for (const std::string& line : lines) {
    if (line == (verb == "read" ? "lang 03 03" : "lang 04 03")) blocks.push_back("language pack");
    if (line.rfind(verb + " ", 0) != 0) continue;
    const std::string block = line.substr(verb.size() + 1, 2);
    const unsigned long id = std::strtoul(block.c_str(), nullptr, 16);
    const bool other = id == 0x05 || id == 0x15 || id == 0x1D || id == 0x3C || id == 0x44 ||
                       (id >= 0x37 && id <= 0x39) || (id >= 0x5A && id <= 0x5C);
    if (!other) blocks.push_back(block);
  }
  return blocks;
}

struct Walks {
  Blocks read;
  Blocks restore;
  Blocks save;
  bool operator==(const Walks&) const = default;
};

void PrintTo(const Walks& walks, std::ostream* out) {
  const auto list = [out](const char* name, const Blocks& blocks) {
    *out << name << " {";
    for (const std::string& block : blocks) *out << " " << block;
    *out << " } ";
  };
  list("read", walks.read);
  list("restore", walks.restore);
  list("save", walks.save);
}

class SettingsBlockWalks : public test_support::SettingsTransferFixture {
 protected:
  // The blocks each of the three touches on a device of `product`.
  Walks walks_of(int product) {
    sim::HidModelOptions options = device_data::settings_layout_row_of(product).language_pack
                                       ? sim::hid_fixture_6800()
                                       : sim::HidModelOptions{};
    options.product_id = static_cast<std::uint16_t>(product);
    options.version = {9, 9, 0, 0};
    // every block answers ten words
    for (int id : {0x03, 0x04, 0x07, 0x12, 0x14, 0x17, 0x1C, 0x1F, 0x20, 0x36}) {
      options.blocks[static_cast<std::uint8_t>(id)] = std::vector<std::uint16_t>(10, 0x0101);
    }
    auto unit_1 = plug_into(0, options);
    std::shared_ptr<sim::HidModel> unit_2;
    if (device_data::product_facts(product).two_modules) {
      sim::HidModelOptions second = options;
      second.product_id = static_cast<std::uint16_t>(product + 1);
      unit_2 = plug_into(1, second);
    }
    const auto traffic = [&] {
      std::vector<std::string> lines = test_support::block_traffic(*unit_1);
      unit_1->take_received();
      if (unit_2) {
        for (const std::string& line : test_support::block_traffic(*unit_2)) lines.push_back(line);
        unit_2->take_received();
      }
      return lines;
    };

    FEXOBluetoothDeviceData backup;
    set_new_firmware(backup, product);
    m_controller.setDeviceTarget(product);
    set_new_firmware(m_controller.data(), product);
    recognition::SettingsBlocks blocks = this->blocks();
    Walks walks;
    quietly([&] { recognition::read_settings(blocks, static_cast<std::uint32_t>(product), m_controller, backup); });
    walks.read = settings_blocks(traffic(), "read");
    quietly([&] { recognition::write_backed_up_settings(blocks, static_cast<std::uint32_t>(product), backup); });
    walks.restore = settings_blocks(traffic(), "write");

    settings::SaveCopies copies;
    copies.deviceTarget = product;
    copies.usbStatus = product;
    set_new_firmware(copies.data, product);
    copies.dataCurrent = copies.data;
    quietly([&] { settings::write_hid_settings(static_cast<std::uint32_t>(product), copies); });
    walks.save = settings_blocks(traffic(), "write");

    hid_close_all();
    sim::detach(*unit_1);
    if (unit_2) sim::detach(*unit_2);
    return walks;
  }
};

TEST_F(SettingsBlockWalks, ReadRestoreAndSaveTouchTheSameBlocksOfEveryProduct) {
  using L = SettingsLayout;
  // the layouts whose three walks differ, and how
  const std::map<SettingsLayout, Walks> differing = {
      // read for the on/off settings only: nothing is written back or saved over HID
      {L::read_only, {{"04"}, {}, {}}},
      {L::speed_dials_only, {{"04"}, {}, {}}},
      // restored only: recognition reads no settings word and the save goes over the persistent store
      {L::packed_pair_unread, {{}, {"04"}, {}}},
      // read from block 0x04, written to block 0x36
      {L::qcc_packed_read_04, {{"04"}, {"36"}, {"36"}}},
      // the restore writes no VOX block
      {L::qcc_packed_vox, {{"36", "17"}, {"36"}, {"36", "17"}}},
      // the restore leaves the settings words alone
      {L::mesh_wq8, {{"04"}, {}, {"04"}}},
      {L::mesh_wq8_from_1_1, {{"04"}, {}, {"04"}}},
      // the packed settings word is read after the mesh blocks, never written
      {L::mesh_channel, {{"20", "04"}, {"20"}, {"20"}}},
      {L::mesh_channel_volume, {{"20", "1F", "04"}, {"20", "1F"}, {"20", "1F"}}},
  };
  for (const device_data::ProductFacts& row : device_data::product_rows()) {
    SCOPED_TRACE(testing::Message() << "product 0x" << std::hex << row.id);
    const Walks walks = walks_of(row.id);
    if (const auto found = differing.find(row.settings_layout); found != differing.end()) {
      EXPECT_EQ(walks, found->second);
      continue;
    }
    EXPECT_EQ(walks.restore, walks.read);
    EXPECT_EQ(walks.save, walks.read);
    // only the pair of units keeps no settings words at all
    EXPECT_EQ(walks.read.empty(), row.settings_layout == L::paired_units);
  }
}

}  // namespace
