#include "recognition/ps_key_restore.h"

#include <algorithm>
#include <initializer_list>

#include "recognition/ps_key_decoding.h"
#include "transport/bluecore_channel.h"

namespace recognition {
namespace {

bool in(int id, std::initializer_list<int> ids) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

constexpr std::initializer_list<int> k_word_and_fm_ids = {0x4D15, 0x4D45, 0x4D65, 0x4D85};
constexpr std::initializer_list<int> k_word_only_ids = {
    0x6000, 0x4D21, 0x4040, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x4D05, 0x4D35, 0x4D55, 0x6420,
    0x6470, 0x6460, 0x6480, 0x6490, 0x6440, 0x6450, 0x6430, 0x4020, 0x4021, 0x2310, 0x2010, 0x2011,
    0x2110, 0x2120, 0x2210, 0x4030, 0x4010, 0x5011, 0x4D75, 0x4110, 0x4113, 0x4111, 0x4112, 0x4120};

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
  const auto product = static_cast<std::uint32_t>(device_target);
  if (settings_word_from_4_0(product) || settings_word_from_4_0_with_fm_block(product)) {
    // firmware before 4.0 keeps the two VOX levels in keys of their own
    if (backup.compareVersionUpToMinorWithMajor_Minor(4, 0) < 0) {
      writes.push_back({k_key_intercom_vox, {low16(backup.intercomVOX())}});
      writes.push_back({k_key_phone_vox, {low16(backup.handsfreeVOX())}});
    } else {
      writes.push_back(settings_word(backup));
    }
    if (settings_word_from_4_0_with_fm_block(product)) writes.push_back(fm_block(backup));
  } else if (in(device_target, k_word_and_fm_ids)) {
    writes.push_back(settings_word(backup));
    writes.push_back(fm_block(backup));
  } else if (device_target == 0x5210) {
    writes.push_back({k_key_transmit_gain, {low16(backup.radioTransmitGain())}});
    // the device counts milliseconds
    writes.push_back({k_key_channel_timeout, {low16(static_cast<std::int64_t>(backup.audioChannelTimeout()) * 1000)}});
  } else if (in(device_target, k_word_only_ids)) {
    writes.push_back(settings_word(backup));
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
