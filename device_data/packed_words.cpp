// The older products' on/off settings packed into their 16-bit device words,
// and the comparison of the settings-word arrays of two records.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <utility>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace {

template <size_t N>
bool contains(const int32_t (&products)[N], int32_t product) {
  return std::find(std::begin(products), std::end(products), product) != std::end(products);
}

// Audio boost owners; every other product packs auto gain control in bit 10.
constexpr int32_t k_audio_boost_products[] = {
    0x3052, 0x3072, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3400, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418,
    0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530,
    0x5532, 0x5534, 0x5536, 0x5550, 0x5552, 0x5553, 0x5570, 0x5576, 0x5580, 0x5590, 0x5610, 0x5611, 0x5612,
    0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016,
    0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038, 0x6039, 0x6112, 0x6114, 0x6210, 0x6400};

// HD intercom at any firmware.
constexpr int32_t k_hd_intercom_products[] = {
    0x3052, 0x3072, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3400, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418,
    0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5526, 0x5530, 0x5532, 0x5534, 0x5550, 0x5552,
    0x5553, 0x5570, 0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5622, 0x5623, 0x5624,
    0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032,
    0x6034, 0x6036, 0x6038, 0x6039, 0x6112, 0x6114, 0x6210, 0x6320, 0x6330, 0x6335, 0x6400};

// HD intercom only from firmware 1.1.
constexpr int32_t k_hd_intercom_from_1_1_products[] = {0x5510, 0x5520, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621};

constexpr int32_t k_fm_station_guide_products[] = {
    0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3070, 0x3080, 0x3300, 0x3400, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418,
    0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532,
    0x5534, 0x5536, 0x5550, 0x5552, 0x5553, 0x5560, 0x5562, 0x5570, 0x5576, 0x5580, 0x5590, 0x5610, 0x5611, 0x5612,
    0x5620, 0x5621, 0x5622, 0x5710, 0x5720, 0x5910, 0x5920, 0x6112, 0x6114, 0x6210, 0x6400};

constexpr int32_t k_hd_voice_products[] = {
    0x3300, 0x3340, 0x3341, 0x3400, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428,
    0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5550, 0x5552, 0x5553,
    0x5570, 0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5610, 0x5611, 0x5612, 0x5620,
    0x5621, 0x5622, 0x5623, 0x5624, 0x6112, 0x6210, 0x6320, 0x6330, 0x6335, 0x6400};

// HD voice products without an audio source priority setting.
constexpr int32_t k_hd_voice_without_source_priority[] = {0x5532, 0x6320, 0x6330, 0x6335};

// Automatic on/off; also Audio Veneer owners beyond the source-priority set.
constexpr int32_t k_auto_on_off_products[] = {0x6028, 0x6030, 0x6032, 0x6034, 0x6036};

constexpr int32_t k_y370_products[] = {0x6038, 0x6039};

constexpr int32_t k_recording_start_product = 0x5576;

// The even ids 0x6010 to 0x6036.
bool has_smart_navigation(int32_t product) { return product >= 0x6010 && product <= 0x6036 && product % 2 == 0; }

bool has_source_priority(int32_t product) {
  return contains(k_hd_voice_products, product) && !contains(k_hd_voice_without_source_priority, product);
}

bool has_audio_veneer(int32_t product) {
  return has_source_priority(product) || contains(k_auto_on_off_products, product);
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
  word |= bit_if_on(contains(k_audio_boost_products, product) ? audioBoost() : autoGainControl(), 10);
  const bool hd_intercom = contains(k_hd_intercom_products, product) ||
                           (contains(k_hd_intercom_from_1_1_products, product) &&
                            compareVersionUpToMinorWithMajor_Minor(1, 1) >= 0);
  if (hd_intercom) word |= bit_if_on(hdIntercom(), 11);
  if (contains(k_fm_station_guide_products, product)) word |= bit_if_on(fmStationGuide(), 12);
  if (contains(k_hd_voice_products, product)) word |= bit_if_on(hdVoice(), 13);
  if (has_smart_navigation(product)) word |= bit_if_on(smartNaviSystem(), 13);
  if (has_source_priority(product)) word |= bit_if_on(audioSourcePriority(), 14);
  if (contains(k_auto_on_off_products, product)) word |= bit_if_on(autoOnOff(), 14);
  if (contains(k_y370_products, product)) word |= bit_if_on(smartNaviSystem2(), 14);
  if (has_audio_veneer(product)) word |= bit_if_on(audioVeneer(), 15);
  return static_cast<int32_t>(word & 0xFFFFu);
}

int32_t FEXOBluetoothDeviceData::getSettings40Second() const {
  const int32_t product = deviceRecognized();
  uint32_t word = 0;
  if (product == k_recording_start_product) word |= bit_if_on(autoStartRecording(), 0);
  if (contains(k_y370_products, product)) {
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
