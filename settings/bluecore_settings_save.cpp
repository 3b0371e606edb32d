#include "settings/bluecore_settings_save.h"

#include <cstdint>
#include <initializer_list>

#include "device_data/product_facts.h"
#include "settings/settings_save.h"

namespace settings {

namespace {

constexpr std::uint16_t k_key_edr = 239;
constexpr std::uint16_t k_key_settings_word = 654;
constexpr std::uint16_t k_key_intercom_vox = 664;
constexpr std::uint16_t k_key_phone_vox = 665;
constexpr std::uint16_t k_key_channel_timeout = 682;
constexpr std::uint16_t k_key_transmit_gain = 684;

// The words the firmware keeps in key 239 for EDR on and for EDR off.
constexpr std::initializer_list<std::uint16_t> k_edr_on = {0xFEFF, 0xF88F, 0x1E18, 0x8359};
constexpr std::initializer_list<std::uint16_t> k_edr_off = {0xFEFF, 0xFE8F, 0xFF98, 0x8359};

// The device counts the audio channel timeout in milliseconds.
constexpr int k_ms_per_second = 1000;

std::uint16_t word(std::int64_t value) { return static_cast<std::uint16_t>(value & 0xFFFF); }

// Key 654 when the packed word changed.
void add_settings_word(const SaveCopies& copies, std::vector<PsKeyWrite>& writes) {
  const std::uint16_t packed = word(copies.dataCurrent.getSettings40());
  if (packed == word(copies.data.getSettings40())) return;
  writes.push_back({k_key_settings_word, {packed, 0}, k_settings_save_device_setting_refused});
}

}  // namespace

std::vector<PsKeyWrite> bluecore_settings_writes(const SaveCopies& copies) {
  const FEXOBluetoothDeviceData& edited = copies.dataCurrent;
  const FEXOBluetoothDeviceData& device = copies.data;
  std::vector<PsKeyWrite> writes;
  if (edited.edr() != device.edr()) {
    writes.push_back({k_key_edr, edited.edr() != 0 ? k_edr_on : k_edr_off, k_settings_save_edr_refused});
  }

  using device_data::BlueCoreSettingsKeys;
  const BlueCoreSettingsKeys keys = device_data::product_facts(copies.deviceTarget).bluecore_settings_keys;
  if (keys == BlueCoreSettingsKeys::vox_keys_before_4_0) {
    if (device.compareVersionUpToMinorWithMajor_Minor(4, 0) >= 0) {
      add_settings_word(copies, writes);
    } else {
      if (edited.intercomVOX() != device.intercomVOX()) {
        writes.push_back({k_key_intercom_vox, {word(edited.intercomVOX())}, k_settings_save_intercom_vox_refused});
      }
      if (edited.handsfreeVOX() != device.handsfreeVOX()) {
        writes.push_back({k_key_phone_vox, {word(edited.handsfreeVOX())}, k_settings_save_phone_vox_refused});
      }
    }
  } else if (keys == BlueCoreSettingsKeys::settings_word) {
    add_settings_word(copies, writes);
  } else if (keys == BlueCoreSettingsKeys::transmit_gain_timeout) {
    if (edited.radioTransmitGain() != device.radioTransmitGain()) {
      writes.push_back({k_key_transmit_gain, {word(edited.radioTransmitGain())}, k_settings_save_rtg_refused});
    }
    if (edited.audioChannelTimeout() != device.audioChannelTimeout()) {
      const std::int64_t milliseconds = static_cast<std::int64_t>(edited.audioChannelTimeout()) * k_ms_per_second;
      writes.push_back({k_key_channel_timeout, {word(milliseconds)}, k_settings_save_act_refused});
    }
  }
  return writes;
}

int save_settings_over_bluecore(const SaveCopies& copies) {
  const BlueCoreWalkCodes codes{k_settings_save_cannot_open_usb, k_settings_save_firmware_management,
                                k_settings_save_not_recognized_device};
  return save_over_bluecore(copies, codes, bluecore_settings_writes(copies));
}

}  // namespace settings
