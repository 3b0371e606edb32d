// The older products' on/off settings packed into their 16-bit device words,
// and the comparison of the settings-word arrays of two records.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"

namespace {

using device_data::PackedWordBit;
using device_data::k_packs_audio_boost;
using device_data::k_packs_auto_on_off;
using device_data::k_packs_auto_start_recording;
using device_data::k_packs_fm_station_guide;
using device_data::k_packs_hd_intercom;
using device_data::k_packs_hd_intercom_from_1_1;
using device_data::k_packs_hd_voice;
using device_data::k_packs_source_priority;
using device_data::k_packs_y370_settings;

bool packs(int32_t product, PackedWordBit bit) {
  return (device_data::product_facts(product).packed_word_bits & bit) != 0;
}

// The even ids 0x6010 to 0x6036.
bool has_smart_navigation(int32_t product) { return product >= 0x6010 && product <= 0x6036 && product % 2 == 0; }

bool has_audio_veneer(int32_t product) {
  return packs(product, k_packs_source_priority) || packs(product, k_packs_auto_on_off);
}

// The field's bit when it holds exactly 1.
uint32_t bit_if_on(int32_t field, int bit) { return field == 1 ? (1u << bit) : 0u; }

// a - b, held inside the 32-bit range: a whole word may hold any value.
int32_t clamped_difference(int32_t a, int32_t b) {
  const int64_t difference = static_cast<int64_t>(a) - static_cast<int64_t>(b);
  return static_cast<int32_t>(std::clamp<int64_t>(difference, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The first difference over `count` words read through `word_at`.
template <class WordAt>
int32_t first_difference(int count, WordAt word_at) {
  for (int index = 0; index < count; ++index) {
    const auto [mine, theirs] = word_at(index);
    if (mine != theirs) return clamped_difference(mine, theirs);
  }
  return 0;
}

}  // namespace

int32_t FEXOBluetoothDeviceData::getSettings40() const {
  const int32_t product = deviceRecognized();
  uint32_t word = 0;
  word |= bit_if_on(handsfreeVOX(), 0);
  word |= bit_if_on(intercomVOX(), 1);
  word |= bit_if_on(edr(), 2);
  word |= bit_if_on(voicePrompt(), 3);
  word |= bit_if_on(plc(), 4);
  word |= bit_if_on(bitpoolRate(), 5);
  word |= bit_if_on(microphoneBoost(), 6);
  // bit 7 is unused
  word |= bit_if_on(sidetone(), 8);
  word |= bit_if_on(ambientHushControl(), 9);
  word |= bit_if_on(packs(product, k_packs_audio_boost) ? audioBoost() : autoGainControl(), 10);
  const bool hd_intercom = packs(product, k_packs_hd_intercom) ||
                           (packs(product, k_packs_hd_intercom_from_1_1) &&
                            compareVersionUpToMinorWithMajor_Minor(1, 1) >= 0);
  if (hd_intercom) word |= bit_if_on(hdIntercom(), 11);
  if (packs(product, k_packs_fm_station_guide)) word |= bit_if_on(fmStationGuide(), 12);
  if (packs(product, k_packs_hd_voice)) word |= bit_if_on(hdVoice(), 13);
  if (has_smart_navigation(product)) word |= bit_if_on(smartNaviSystem(), 13);
  if (packs(product, k_packs_source_priority)) word |= bit_if_on(audioSourcePriority(), 14);
  if (packs(product, k_packs_auto_on_off)) word |= bit_if_on(autoOnOff(), 14);
  if (packs(product, k_packs_y370_settings)) word |= bit_if_on(smartNaviSystem2(), 14);
  if (has_audio_veneer(product)) word |= bit_if_on(audioVeneer(), 15);
  return static_cast<int32_t>(word & 0xFFFFu);
}

int32_t FEXOBluetoothDeviceData::getSettings40Second() const {
  const int32_t product = deviceRecognized();
  uint32_t word = 0;
  if (packs(product, k_packs_auto_start_recording)) word |= bit_if_on(autoStartRecording(), 0);
  if (packs(product, k_packs_y370_settings)) {
    // the language code is ORed over the whole upper field, so codes of 64 and
    // more reach bits 10 and 11; stored settings rely on this layout
    word |= static_cast<uint32_t>(Y370Language()) << 4;
    word |= bit_if_on(simpleUI(), 10);
    word |= bit_if_on(autoOff(), 11);
  }
  return static_cast<int32_t>(word & 0xFFFFu);
}

int32_t FEXOBluetoothDeviceData::compareBasicSettingLM6With(const FEXOBluetoothDeviceData& other) const {
  return first_difference(k_basic_setting_lm6_count, [&](int index) {
    return std::pair{basicSettingLM6(index), other.basicSettingLM6(index)};
  });
}

int32_t FEXOBluetoothDeviceData::compareBasicSettingKR5VOXSensitivityWith(
    const FEXOBluetoothDeviceData& other) const {
  return first_difference(k_vox_sensitivity_count, [&](int index) {
    return std::pair{basicSettingKR5VOXSensitivityAt(index), other.basicSettingKR5VOXSensitivityAt(index)};
  });
}

int32_t FEXOBluetoothDeviceData::compareBasicSettingTJ4SmartVolumeControlWith(
    const FEXOBluetoothDeviceData& other) const {
  return first_difference(k_smart_volume_control_count, [&](int index) {
    return std::pair{basicSettingTJ4SmartVolumeControlAt(index), other.basicSettingTJ4SmartVolumeControlAt(index)};
  });
}

int32_t FEXOBluetoothDeviceData::compareBasicSettingVT4CameraWith(const FEXOBluetoothDeviceData& other) const {
  // cameras before firmware 2.0 do not use camera words 2 and 3
  const int count = compareVersionUpToMinorWithMajor_Minor(2, 0) >= 0 ? k_camera_word_count : 2;
  return first_difference(count, [&](int index) {
    return std::pair{basicSettingVT4CameraAt(index), other.basicSettingVT4CameraAt(index)};
  });
}
