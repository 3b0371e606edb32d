#include "settings/fm_radio_save.h"

#include <optional>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "settings/bluecore_settings_walk.h"
#include "settings/hid_save_frames.h"
#include "strings/common_texts.h"
#include "strings/settings_texts.h"
#include "transport/open_device_guard.h"

namespace settings::fm_radio {

namespace {

using Record = FEXOBluetoothDeviceData;

constexpr unsigned char k_block_fm = 0x15;
constexpr unsigned char k_block_qcc_fm = 0x44;
constexpr int k_module_2_slot = 1;

constexpr std::uint16_t k_magic_six_presets = 0x56E9;
constexpr std::uint16_t k_magic = 0x66E9;

using device_data::FmSave;
using device_data::product_facts;

bool is_six_preset_product(int product) {
  return Record::fmPresetCountForDevice(product) == Record::k_fm_preset_group_count;
}

std::uint16_t word16(std::int32_t value) { return static_cast<std::uint16_t>(value); }

// The block write of `product` for hid_block.
BlockWrite block_0x15_write(int product, const Record& edited) {
  BlockWrite write{0, k_block_fm, block_words(product, edited), {}, {}, {}};
  if (is_six_preset_product(product) || product_facts(product).fm_block_six_preset_magic) write.commit = k_block_fm;
  return write;
}

int save_two_module(HidSaveFrames& frames, const SaveCopies& copies) {
  if (!frames.same_version(0, VersionSet::module_1, copies.data)) return k_save_not_recognized_device;
  // an empty slot 1 has no module 2 to compare: not the recognized device
  if (!frames.same_version(k_module_2_slot, VersionSet::module_2, copies.data)) return k_save_not_recognized_device;
  const BlockWrite write{k_module_2_slot, k_block_fm, block_words(copies.deviceTarget, copies.dataCurrent), {}, {}, {}};
  return frames.write(write) ? k_save_written : k_save_refused;
}

int save_qcc(HidSaveFrames& frames, const SaveCopies& copies) {
  if (product_facts(copies.deviceTarget).save_asks_mode && !frames.normal_mode()) return k_save_refused;
  const BlockWrite write{0, k_block_qcc_fm, block_words(copies.deviceTarget, copies.dataCurrent), {}, {}, {}};
  return frames.write(write) ? k_save_written : k_save_refused;
}

int save_hid_block(HidSaveFrames& frames, const SaveCopies& copies) {
  const int product = copies.deviceTarget;
  const bool module_1 = product_facts(product).header_version == device_data::HeaderVersionSource::module1;
  const VersionSet set = module_1 ? VersionSet::module_1 : VersionSet::main;
  if (!frames.same_version(0, set, copies.data)) return k_save_not_recognized_device;
  return frames.write_all({block_0x15_write(product, copies.dataCurrent)}) ? k_save_written : k_save_refused;
}

}  // namespace

// the Airoha FM products (FmSave::none) keep their FM block where no USB command reaches it
FmSave procedure_of(int product) { return product_facts(product).fm_save; }

std::uint16_t magic_word(int product) {
  if (is_six_preset_product(product) || product_facts(product).fm_block_six_preset_magic) return k_magic_six_presets;
  return k_magic;
}

std::vector<std::uint16_t> block_words(int product, const Record& edited) {
  std::vector<std::uint16_t> words = {magic_word(product), word16(edited.fmRadioCurrentFrequency()),
                                      word16(edited.fmRadioCurrentPreset())};
  const int presets = is_six_preset_product(product) ? Record::k_fm_preset_group_count : Record::k_fm_preset_count;
  for (int index = 0; index < presets; ++index) words.push_back(word16(edited.fmRadioPresetsAt(index)));
  words.push_back(word16(edited.fmRadioRDS()));
  words.push_back(word16(edited.fmRadioRegion()));
  return words;
}

std::string reason(int code, int language) {
  switch (code) {
    case k_save_cannot_open_usb: return CommonTexts::vyla_string_cannot_open_usb_in(language);
    case k_save_firmware_management: return CommonTexts::vyla_string_firmware_management_mode_in(language);
    case k_save_not_recognized_device: return CommonTexts::vyla_string_not_recognized_device_in(language);
    case k_save_not_supported: return SettingsTexts::vyla_string_save_not_supported_in(language);
    default: return SettingsTexts::vyla_string_cannot_save_in(k_fm_block_key, language);
  }
}

SaveRules save_rules() {
  return {&threadMethodSave,
          &reason,
          {k_save_cannot_open_usb, k_save_firmware_management, k_save_not_recognized_device}};
}

int write_fm_block(std::uint32_t opened_product_id, const SaveCopies& copies) {
  HidSaveFrames frames(opened_product_id);
  switch (procedure_of(copies.deviceTarget)) {
    case FmSave::two_module: return save_two_module(frames, copies);
    case FmSave::qcc: return save_qcc(frames, copies);
    case FmSave::hid_block: return save_hid_block(frames, copies);
    case FmSave::persistent_store: break;
    case FmSave::none: return k_save_not_supported;
  }
  return k_save_not_recognized_device;
}

int save_over_hid(const SaveCopies& copies) {
  switch (procedure_of(copies.deviceTarget)) {
    case FmSave::persistent_store: return k_save_not_recognized_device;
    case FmSave::none: return k_save_not_supported;
    default: break;
  }
  const transport::OpenDeviceGuard slots;
  const std::optional<std::uint32_t> opened = open_recognized_hid_device(copies.usbStatus);
  if (!opened) return k_save_not_recognized_device;
  return write_fm_block(*opened, copies);
}

int save_over_persistent_store(const SaveCopies& copies) {
  std::vector<PsKeyWrite> writes;
  if (product_facts(copies.deviceTarget).fm_block_in_persistent_store) {
    writes.push_back({k_fm_block_key, block_words(copies.deviceTarget, copies.dataCurrent), k_save_refused});
  }
  return save_over_bluecore(
      copies, {k_save_cannot_open_usb, k_save_firmware_management, k_save_not_recognized_device}, writes);
}

int threadMethodSave(const SaveCopies& copies) {
  switch (procedure_of(copies.deviceTarget)) {
    case FmSave::persistent_store: return save_over_persistent_store(copies);
    // refused before the device is opened, so it stays as it is
    case FmSave::none: return k_save_not_supported;
    default: return save_over_hid(copies);
  }
}

}  // namespace settings::fm_radio
