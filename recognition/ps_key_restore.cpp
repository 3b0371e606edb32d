#include "recognition/ps_key_restore.h"

#include "device_data/product_facts.h"
#include "recognition/ps_key_decoding.h"
#include "transport/bluecore_channel.h"

namespace recognition {
namespace {

std::uint16_t low16(std::int64_t value) { return static_cast<std::uint16_t>(value & 0xFFFF); }

PsKeyWrite settings_word(const FEXOBluetoothDeviceData& backup) {
  return {k_key_settings_word, {low16(backup.getSettings40()), 0}};
}

PsKeyWrite fm_block(const FEXOBluetoothDeviceData& backup) {
  PsKeyWrite write{k_key_fm_block, {low16(backup.fmRadioMagicCode()), low16(backup.fmRadioCurrentFrequency()),
                                    low16(backup.fmRadioCurrentPreset())}};
  for (int i = 0; i < FEXOBluetoothDeviceData::k_fm_preset_count; ++i) write.words.push_back(low16(backup.fmRadioPresetsAt(i)));
  write.words.push_back(low16(backup.fmRadioRDS()));
  write.words.push_back(low16(backup.fmRadioRegion()));
  return write;
}

}  // namespace

std::vector<PsKeyWrite> backed_up_ps_key_writes(int device_target, const FEXOBluetoothDeviceData& backup) {
  std::vector<PsKeyWrite> writes;
  using device_data::LegacyKeySet;
  switch (device_data::product_facts(device_target).legacy_keys) {
    case LegacyKeySet::word_from_4_0:
    case LegacyKeySet::word_from_4_0_with_fm:
      // firmware before 4.0 keeps the two VOX levels in keys of their own
      if (backup.compareVersionUpToMinorWithMajor_Minor(4, 0) < 0) {
        writes.push_back({k_key_intercom_vox, {low16(backup.intercomVOX())}});
        writes.push_back({k_key_phone_vox, {low16(backup.handsfreeVOX())}});
      } else {
        writes.push_back(settings_word(backup));
      }
      if (settings_word_from_4_0_with_fm_block(static_cast<std::uint32_t>(device_target))) {
        writes.push_back(fm_block(backup));
      }
      break;
    case LegacyKeySet::word_fm_dials_above_1_2:
    case LegacyKeySet::word_fm_dials:
      writes.push_back(settings_word(backup));
      writes.push_back(fm_block(backup));
      break;
    case LegacyKeySet::gain_and_timeout:
      writes.push_back({k_key_transmit_gain, {low16(backup.radioTransmitGain())}});
      // the device counts milliseconds
      writes.push_back(
          {k_key_channel_timeout, {low16(static_cast<std::int64_t>(backup.audioChannelTimeout()) * 1000)}});
      break;
    case LegacyKeySet::word_dials_above_1_2:
    case LegacyKeySet::word_and_dials:
    case LegacyKeySet::word_only:
      // the speed dials are not written back
      writes.push_back(settings_word(backup));
      break;
    case LegacyKeySet::none:
      break;
  }
  return writes;
}

int write_backed_up_ps_keys(int device_target, const FEXOBluetoothDeviceData& backup) {
  for (const PsKeyWrite& write : backed_up_ps_key_writes(device_target, backup)) {
    if (bc_ps_write(write.key, write.words) != 0) return write.key;
  }
  return 0;
}

}  // namespace recognition
