#include "settings/hid_settings_save.h"

#include <string>
#include <utility>
#include <vector>

#include "device_data/settings_block_table.h"
#include "platform/format.h"
#include "platform/log.h"
#include "settings/hid_save_frames.h"
#include "settings/settings_save.h"
#include "transport/byte_order.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"

namespace settings {

namespace {

using Record = FEXOBluetoothDeviceData;

using transport::k_hid_report_id;
using transport::k_lang_pack_write;
using transport::k_lang_pack_settings;
// Language-pack command 0x04 with argument 0x03 writes settings words 0-2.
constexpr std::size_t k_lang_pack_words_byte = 4;

// Slots of the two units of a two-module product.
constexpr int k_module_1_slot = 0;
constexpr int k_module_2_slot = 1;

using device_data::BlockWords;
using device_data::SaveCheck;
using device_data::SettingsBlock;
using device_data::SettingsLayoutRow;

// The block writes of `row`'s saved blocks, with the working copy's words.
std::vector<BlockWrite> plan_of(const SettingsLayoutRow& row, const SaveCopies& copies) {
  const Record& edited = copies.dataCurrent;
  // firmware thresholds go by the device as recognition read it
  const auto below = [&](const device_data::FirmwareFloor& floor) {
    return copies.data.compareVersionUpToMinorWithMajor_Minor(floor.major, floor.minor) < 0;
  };
  std::vector<BlockWrite> writes;
  for (const SettingsBlock& block : row.blocks) {
    if (block.block == 0 || !(block.walks & device_data::k_walk_save)) continue;
    if ((block.from.major != 0 || block.from.minor != 0) && below(block.from)) continue;
    BlockWrite write{row.slot, block.block, {}, {}, {}, {}};
    const int count = device_data::settings_word_count(block, below);
    if (block.words == BlockWords::settings_words && row.slot == k_module_2_slot) {
      // module 2 takes as many of the ten words as its firmware knows
      write.words = device_data::block_words(block, edited, FEXOBluetoothDeviceData::k_basic_setting_lm6_count);
      write.count = count;
    } else {
      write.words = device_data::block_words(block, edited, count);
    }
    if (row.commits || block.save_commit_as != 0) {
      write.commit = block.save_commit_as != 0 ? block.save_commit_as : block.block;
    }
    if (block.words == BlockWords::smart_volume) {
      write.log = platform::format("Set Setting smart[0] = %d", edited.basicSettingTJ4SmartVolumeControlAt(0));
    } else if (block.save_log) {
      write.log = platform::format(block.save_log, write.words[0], write.words[1], write.words[2]);
    }
    writes.push_back(std::move(write));
  }
  return writes;
}

bool version_still_recognized(HidSaveFrames& frames, SaveCheck check, const Record& device) {
  switch (check) {
    case SaveCheck::none: return true;
    case SaveCheck::main: return frames.same_version(0, VersionSet::main, device);
    case SaveCheck::module_1: return frames.same_version(k_module_1_slot, VersionSet::module_1, device);
    case SaveCheck::both_modules:
      return frames.same_version(k_module_1_slot, VersionSet::module_1, device) &&
             frames.same_version(k_module_2_slot, VersionSet::module_2, device);
  }
  return false;
}

// Group C: words 0-2, least significant byte first, in one language-pack exchange.
int write_language_pack_settings(const SaveCopies& copies) {
  const auto word = [&](int index) { return static_cast<std::uint16_t>(copies.dataCurrent.basicSettingLM6(index)); };
  lang_pack_report request{};
  lang_pack_reply reply{};
  request[0] = k_hid_report_id;
  request[2] = k_lang_pack_write;
  request[3] = k_lang_pack_settings;
  for (int index = 0; index < 3; ++index) {
    transport::put_le16(request, k_lang_pack_words_byte + 2 * static_cast<std::size_t>(index), word(index));
  }
  platform::system_log(
      platform::format("Setting set HEX airoha [%04X], 1=[%04X], 2=[%04X]", word(0), word(1), word(2)));
  return hid_lang_pack_command(0, request, reply) == 1 ? k_settings_save_success
                                                      : k_settings_save_device_setting_refused;
}

}  // namespace

std::optional<HidSaveGroup> hid_save_group(int product_id) {
  return device_data::settings_layout_row_of(product_id).save_group;
}

int write_hid_settings(std::uint32_t opened_product_id, const SaveCopies& copies) {
  if (!hid_save_group(copies.deviceTarget)) return k_settings_save_not_recognized_device;
  const SettingsLayoutRow& row = device_data::settings_layout_row_of(copies.deviceTarget);
  if (row.language_pack) return write_language_pack_settings(copies);

  const std::vector<BlockWrite> writes = plan_of(row, copies);
  HidSaveFrames frames(opened_product_id);
  if (!version_still_recognized(frames, row.save_check, copies.data)) return k_settings_save_not_recognized_device;
  if (row.save_mode_query && !frames.normal_mode()) return k_settings_save_device_setting_refused;
  return frames.write_all(writes) ? k_settings_save_success : k_settings_save_device_setting_refused;
}

int save_settings_over_hid(const SaveCopies& copies) {
  const transport::OpenDeviceGuard slots;
  const std::optional<std::uint32_t> opened = open_recognized_hid_device(copies.usbStatus);
  if (!opened) return k_settings_save_not_recognized_device;
  return write_hid_settings(*opened, copies);
}

}  // namespace settings
