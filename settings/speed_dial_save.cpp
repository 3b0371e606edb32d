#include "settings/speed_dial_save.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"
#include "settings/bluecore_settings_walk.h"
#include "settings/hid_save_frames.h"
#include "strings/common_texts.h"
#include "strings/settings_texts.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"

namespace settings {

namespace {

using Record = FEXOBluetoothDeviceData;
using device_data::SpeedDialSave;

// Blocks of speed dials 1 to 3.
constexpr unsigned char k_blocks_high[] = {0x5A, 0x5B, 0x5C};  // two_module and high_blocks
constexpr unsigned char k_blocks_low[] = {0x37, 0x38, 0x39};   // low_blocks

// Persistent-store keys of speed dials 1 to 3: 8832, 8833, 8834.
constexpr int k_first_speed_dial_key = 0x2280;

constexpr int k_module_1_slot = 0;
constexpr int k_module_2_slot = 1;

// Language-pack command 0x04 with the speed dial's index 5, 6 or 7: the
// number as text from byte 4, NUL-terminated, within the 62-byte frame.
using transport::k_hid_report_id;
using transport::k_lang_pack_write;
using transport::k_lang_pack_first_speed_dial;
constexpr std::size_t k_lang_pack_text_byte = 4;
constexpr std::size_t k_lang_pack_text_max = std::tuple_size_v<lang_pack_report> - k_lang_pack_text_byte - 1;

// The three block writes of two_module, low_blocks and high_blocks; `minimum_count` is the word
// count an empty number is sent with (0 or 1).
std::array<BlockWrite, Record::k_speed_dial_count> number_writes(const Record& edited,
                                                                 std::span<const unsigned char> blocks,
                                                                 int minimum_count) {
  std::array<BlockWrite, Record::k_speed_dial_count> writes{};
  for (int index = 0; index < Record::k_speed_dial_count; ++index) {
    const SpeedDialWords number = speed_dial_words(edited.speedDialAt(index));
    BlockWrite& write = writes[static_cast<std::size_t>(index)];
    write.slot = 0;
    write.block = blocks[static_cast<std::size_t>(index)];
    write.words = number.words;
    write.count = std::max(number.characters, minimum_count);
  }
  return writes;
}

// Every write goes out, whatever the one before it answered.
int write_numbers(HidSaveFrames& frames, const std::array<BlockWrite, Record::k_speed_dial_count>& writes) {
  bool all_taken = true;
  for (const BlockWrite& write : writes) {
    if (!frames.write(write)) all_taken = false;
  }
  return all_taken ? k_speed_dial_save_success : k_speed_dial_save_refused;
}

int write_two_module(HidSaveFrames& frames, const SaveCopies& copies) {
  if (!frames.same_version(k_module_1_slot, VersionSet::module_1, copies.data) ||
      !frames.same_version(k_module_2_slot, VersionSet::module_2, copies.data)) {
    return k_speed_dial_save_not_recognized_device;
  }
  return write_numbers(frames, number_writes(copies.dataCurrent, k_blocks_high, 0));
}

int write_language_pack(const SaveCopies& copies) {
  bool all_taken = true;
  for (int index = 0; index < Record::k_speed_dial_count; ++index) {
    lang_pack_report request{};
    lang_pack_reply reply{};
    request[0] = k_hid_report_id;
    request[2] = k_lang_pack_write;
    request[3] = static_cast<unsigned char>(k_lang_pack_first_speed_dial + index);
    // the text and its NUL fit the frame; a longer number (only one read from
    // a device can be) is cut
    const std::string number = copies.dataCurrent.speedDialAt(index).value_or("");
    const std::size_t length = std::min(number.size(), k_lang_pack_text_max);
    std::memcpy(request.data() + k_lang_pack_text_byte, number.data(), length);
    if (hid_lang_pack_command(0, request, reply) != 1) all_taken = false;
  }
  return all_taken ? k_speed_dial_save_success : k_speed_dial_save_refused;
}

int write_low_blocks(HidSaveFrames& frames, const SaveCopies& copies) {
  if (device_data::product_facts(copies.deviceTarget).save_asks_mode && !frames.normal_mode()) {
    return k_speed_dial_save_refused;
  }
  return write_numbers(frames, number_writes(copies.dataCurrent, k_blocks_low, 1));
}

int write_high_blocks(HidSaveFrames& frames, const SaveCopies& copies) {
  // compared with version set 01 where the header shows module 1's version
  const bool module_1 =
      device_data::product_facts(copies.deviceTarget).header_version == device_data::HeaderVersionSource::module1;
  const VersionSet set = module_1 ? VersionSet::module_1 : VersionSet::main;
  if (!frames.same_version(0, set, copies.data)) return k_speed_dial_save_not_recognized_device;
  return write_numbers(frames, number_writes(copies.dataCurrent, k_blocks_high, 1));
}

int save_over_hid(const SaveCopies& copies) {
  const transport::OpenDeviceGuard slots;
  const std::optional<std::uint32_t> opened = open_recognized_hid_device(copies.usbStatus);
  if (!opened) return k_speed_dial_save_not_recognized_device;
  return write_speed_dials_over_hid(*opened, copies);
}

// Keys 8832-8834, 20 words each, on every open BlueCore device; the
// first refused key ends the save.
int save_over_persistent_store(const SaveCopies& copies) {
  std::vector<PsKeyWrite> writes;
  for (int index = 0; index < Record::k_speed_dial_count; ++index) {
    writes.push_back({static_cast<std::uint16_t>(k_first_speed_dial_key + index),
                      speed_dial_words(copies.dataCurrent.speedDialAt(index)).words, k_speed_dial_save_refused});
  }
  return save_over_bluecore(copies,
                            {k_speed_dial_save_cannot_open_usb, k_speed_dial_save_firmware_management,
                             k_speed_dial_save_not_recognized_device},
                            writes);
}

}  // namespace

device_data::SpeedDialSave speed_dial_family(int product_id) {
  return device_data::product_facts(product_id).speed_dial_save;
}

bool is_speed_dial_text(const std::string& text) {
  return text.size() <= static_cast<std::size_t>(k_speed_dial_max_characters) &&
         text.find_first_not_of(k_speed_dial_characters) == std::string::npos;
}

SpeedDialWords speed_dial_words(const std::optional<std::string>& number) {
  // cleared for every number, so an empty one after a filled one carries nothing stale
  Record::SpeedDialArray values{};
  const int bytes = Record::getSpeedDialArray_FromString(values, number);
  return {std::vector<std::uint16_t>(values.begin(), values.end()), bytes / 2};
}

std::string speed_dial_save_reason(int code, int language) {
  switch (code) {
    case k_speed_dial_save_cannot_open_usb: return CommonTexts::vyla_string_cannot_open_usb_in(language);
    case k_speed_dial_save_firmware_management: return CommonTexts::vyla_string_firmware_management_mode_in(language);
    case k_speed_dial_save_not_recognized_device: return CommonTexts::vyla_string_not_recognized_device_in(language);
    default: return SettingsTexts::vyla_string_cannot_save_in(k_first_speed_dial_key, language);
  }
}

SaveRules speed_dial_page_save_rules() {
  return {&save_speed_dials,
          &speed_dial_save_reason,
          {k_speed_dial_save_cannot_open_usb, k_speed_dial_save_firmware_management,
           k_speed_dial_save_not_recognized_device}};
}

int save_speed_dials(const SaveCopies& copies) {
  if (speed_dial_family(copies.deviceTarget) == SpeedDialSave::persistent_store) {
    return save_over_persistent_store(copies);
  }
  return save_over_hid(copies);
}

int write_speed_dials_over_hid(std::uint32_t opened_product_id, const SaveCopies& copies) {
  HidSaveFrames frames(opened_product_id);
  switch (speed_dial_family(copies.deviceTarget)) {
    case SpeedDialSave::two_module: return write_two_module(frames, copies);
    case SpeedDialSave::language_pack: return write_language_pack(copies);
    case SpeedDialSave::low_blocks: return write_low_blocks(frames, copies);
    case SpeedDialSave::high_blocks: return write_high_blocks(frames, copies);
    case SpeedDialSave::persistent_store: break;
  }
  return k_speed_dial_save_not_recognized_device;
}

}  // namespace settings
