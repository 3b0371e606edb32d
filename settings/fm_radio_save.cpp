#include "settings/fm_radio_save.h"

#include <algorithm>
#include <optional>
#include <span>

#include "device_data/FEXOBluetoothDeviceData.h"
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

constexpr int k_procedure_d[] = {0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
constexpr int k_procedure_q[] = {0x3052, 0x3072, 0x3082, 0x3085, 0x3150, 0x3161, 0x3340, 0x3341,
                                 0x3400, 0x4023, 0x4D16, 0x4D86, 0x5552, 0x5553, 0x5590, 0x5591,
                                 0x5592, 0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6500, 0x6510};
constexpr int k_procedure_h[] = {
    0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3070, 0x3080, 0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124,
    0x3126, 0x3128, 0x3132, 0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156, 0x3170,
    0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260, 0x3264,
    0x3310, 0x3320, 0x3330, 0x3900, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428, 0x5430,
    0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5550, 0x5560,
    0x5562, 0x5570, 0x5576, 0x5580, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710,
    0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034,
    0x6036, 0x6112, 0x6114, 0x6210, 0x6400};
// Products of H whose 15-word block carries the six-preset magic word and is committed.
constexpr int k_committed_fifteen_words[] = {0x5412, 0x5414, 0x5416, 0x5418, 0x5420};
// Products of H compared with version set 01 rather than the main set.
constexpr int k_version_set_01[] = {0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132,
                                    0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156,
                                    0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217,
                                    0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3320, 0x3900};
// The persistent-store products whose FM block is written; the others of
// procedure P have their device checked and nothing written.
constexpr int k_fm_key_products[] = {0x4D15, 0x4D45, 0x4D65, 0x4D85, 0x5040, 0x5050};
// The Airoha FM products keep their FM block where no USB command reaches it.
constexpr int k_without_fm_write[] = {0x6800, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812};
// The products whose mode is asked before the block 0x44 write.
constexpr int k_mode_query[] = {0x6500, 0x6510};

bool contains(std::span<const int> ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

bool is_six_preset_product(int product) {
  return Record::fmPresetCountForDevice(product) == Record::k_fm_preset_group_count;
}

std::uint16_t word16(std::int32_t value) { return static_cast<std::uint16_t>(value); }

// The block write of `product` for procedure H.
BlockWrite block_0x15_write(int product, const Record& edited) {
  BlockWrite write{0, k_block_fm, block_words(product, edited), {}, {}, {}};
  if (is_six_preset_product(product) || contains(k_committed_fifteen_words, product)) write.commit = k_block_fm;
  return write;
}

int procedure_d(HidSaveFrames& frames, const SaveCopies& copies) {
  if (!frames.same_version(0, VersionSet::module_1, copies.data)) return k_save_not_recognized_device;
  // an empty slot 1 has no module 2 to compare: not the recognized device
  if (!frames.same_version(k_module_2_slot, VersionSet::module_2, copies.data)) return k_save_not_recognized_device;
  const BlockWrite write{k_module_2_slot, k_block_fm, block_words(copies.deviceTarget, copies.dataCurrent), {}, {}, {}};
  return frames.write(write) ? k_save_written : k_save_refused;
}

int procedure_q(HidSaveFrames& frames, const SaveCopies& copies) {
  if (contains(k_mode_query, copies.deviceTarget) && !frames.normal_mode()) return k_save_refused;
  const BlockWrite write{0, k_block_qcc_fm, block_words(copies.deviceTarget, copies.dataCurrent), {}, {}, {}};
  return frames.write(write) ? k_save_written : k_save_refused;
}

int procedure_h(HidSaveFrames& frames, const SaveCopies& copies) {
  const int product = copies.deviceTarget;
  const VersionSet set = contains(k_version_set_01, product) ? VersionSet::module_1 : VersionSet::main;
  if (!frames.same_version(0, set, copies.data)) return k_save_not_recognized_device;
  return frames.write_all({block_0x15_write(product, copies.dataCurrent)}) ? k_save_written : k_save_refused;
}

}  // namespace

Procedure procedure_of(int product) {
  if (contains(k_without_fm_write, product)) return Procedure::none;
  if (contains(k_procedure_d, product)) return Procedure::D;
  if (contains(k_procedure_q, product)) return Procedure::Q;
  if (contains(k_procedure_h, product)) return Procedure::H;
  return Procedure::P;
}

std::uint16_t magic_word(int product) {
  if (is_six_preset_product(product) || contains(k_committed_fifteen_words, product)) return k_magic_six_presets;
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
    case Procedure::D: return procedure_d(frames, copies);
    case Procedure::Q: return procedure_q(frames, copies);
    case Procedure::H: return procedure_h(frames, copies);
    case Procedure::P: break;
    case Procedure::none: return k_save_not_supported;
  }
  return k_save_not_recognized_device;
}

int save_over_hid(const SaveCopies& copies) {
  switch (procedure_of(copies.deviceTarget)) {
    case Procedure::P: return k_save_not_recognized_device;
    case Procedure::none: return k_save_not_supported;
    default: break;
  }
  const transport::OpenDeviceGuard slots;
  const std::optional<std::uint32_t> opened = open_recognized_hid_device(copies.usbStatus);
  if (!opened) return k_save_not_recognized_device;
  return write_fm_block(*opened, copies);
}

int save_over_persistent_store(const SaveCopies& copies) {
  std::vector<PsKeyWrite> writes;
  if (contains(k_fm_key_products, copies.deviceTarget)) {
    writes.push_back({k_fm_block_key, block_words(copies.deviceTarget, copies.dataCurrent), k_save_refused});
  }
  return save_over_bluecore(
      copies, {k_save_cannot_open_usb, k_save_firmware_management, k_save_not_recognized_device}, writes);
}

int threadMethodSave(const SaveCopies& copies) {
  switch (procedure_of(copies.deviceTarget)) {
    case Procedure::P: return save_over_persistent_store(copies);
    // refused before the device is opened, so it stays as it is
    case Procedure::none: return k_save_not_supported;
    default: return save_over_hid(copies);
  }
}

}  // namespace settings::fm_radio
