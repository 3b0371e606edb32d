#include <algorithm>
#include <array>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/camera_volume.h"
#include "device_data/fm_bands.h"
#include "device_data/product_facts.h"
#include "platform/utf8.h"
#include "platform/volumes.h"
#include "strings/language.h"
#include "strings/setting_names.h"

namespace {

// Low / Medium / High by language.
const std::array<strings::LocalizedTexts, 3> k_gain_texts = {{
    strings::LocalizedTexts{"Low", "Faible", "Niedrig", "Basso", "低", "낮음", "Baja", "Laag", "Низкий", "低", "Matala", "Nízká", "Niskie"},
    strings::LocalizedTexts{"Medium", "Moyen", "Mittel", "Medio", "中", "보통", "Media", "Gemiddeld", "Средний", "中", "Keskisuuri", "Střední", "Średnie"},
    strings::LocalizedTexts{"High", "Élevé", "Hoch", "Alto", "高", "높음", "Alta", "Hoog", "высокий", "高", "Korkea", "Vysoká", "Wysokie"},
}};
// Title of tab kind 1 (Basic) by language; kinds 2 and 3 carry the names of
// the speed dial and the FM radio.
const strings::LocalizedTexts k_basic_tab_title = {"Basic", "Basique", "Basic", "Base", "基本", "기본", "Básico", "Basis", "Основной", "基本", "Perus", "Základní", "Podstawowe"};

using device_data::FMBand;

// FM band of a region in 10 kHz units.
constexpr std::array<FMBand, 6> k_fm_bands = {{
    {7600, 10800, 10},
    {8750, 10790, 20},
    {8750, 10800, 10},
    {8750, 10790, 20},
    {8750, 10800, 10},
    {7600, 9500, 10},
}};

// Modifier mask of a tab's menu shortcut: Shift (0x20000) plus Command (0x100000).
constexpr uint32_t k_shift_command_mask = 0x120000;

}  // namespace

int FEXOBluetoothDeviceData::getIndexFromRTG(int32_t gain) {
  if (gain == 12) return 0;
  if (gain == 17) return 2;
  return 1;
}

std::string FEXOBluetoothDeviceData::getRTGStringFromRTG_In(int32_t gain, int language) {
  return strings::pick(k_gain_texts[static_cast<size_t>(getIndexFromRTG(gain))], language);
}

FMBand device_data::fm_band(int32_t region) {
  // a decoded archive can carry any region; take it as region 0 as the setter does
  return k_fm_bands[static_cast<uint32_t>(region) < k_fm_bands.size() ? static_cast<size_t>(region) : 0];
}

int FEXOBluetoothDeviceData::checkFMPresetValidWithRegion_FMRadioPreset(int32_t region, int32_t frequency) {
  const FMBand band = device_data::fm_band(region);
  if (frequency < band.lowest || frequency > band.highest) return 1;
  return (band.lowest % band.step) != (frequency % band.step) ? 2 : 0;
}

std::optional<std::string> FEXOBluetoothDeviceData::getTabText_With_In_SetEquivalentTo(
    int kind, bool shortcut_text, int language, device_data::MenuKeyEquivalent* menu_item) {
  static constexpr std::array<const char*, 3> k_keys = {"B", "S", "F"};
  if (language < 0 || language > 12 || kind < 1 || kind > 3) return std::nullopt;
  const size_t kind_index = static_cast<size_t>(kind - 1);
  if (menu_item) {
    menu_item->key = k_keys[kind_index];
    menu_item->modifier_mask = k_shift_command_mask;
  }
  if (shortcut_text) return std::string("[S][C]-") + k_keys[kind_index];
  switch (kind) {
    case 2:
      return strings::setting_name(strings::SettingName::SpeedDial, language);
    case 3:
      return strings::setting_name(strings::SettingName::FMRadio, language);
    default:
      return k_basic_tab_title[static_cast<size_t>(language)];
  }
}

int FEXOBluetoothDeviceData::getSpeedDialString_FromArray(std::optional<std::string>& text,
                                                          const SpeedDialArray& array) {
  // the device keeps one byte per 16-bit character, ended by a 0
  std::string bytes;
  for (uint16_t character : array) {
    const auto byte = static_cast<char>(character & 0xFF);
    if (byte == 0) break;
    bytes.push_back(byte);
  }
  if (!platform::is_valid_utf8(bytes)) {
    text.reset();
    return 0;
  }
  const int length = static_cast<int>(platform::utf8_character_count(bytes));
  text = std::move(bytes);
  return length;
}

int FEXOBluetoothDeviceData::getSpeedDialArray_FromString(SpeedDialArray& array,
                                                          const std::optional<std::string>& text) {
  if (!text || text->empty()) return 0;
  const size_t taken = std::min(text->size(), array.size());
  for (size_t index = 0; index < array.size(); ++index) {
    // the device's characters are signed: bytes 0x80..0xFF become 0xFF80..0xFFFF
    array[index] = index < taken ? static_cast<uint16_t>(static_cast<int8_t>((*text)[index])) : 0;
  }
  return static_cast<int>(taken * 2);
}

std::optional<std::string> FEXOBluetoothDeviceData::getOptraDiskPathWithDevice(int32_t device) {
  const char* marker = device_data::product_facts(device).record_camera_marker;
  if (!marker) return std::nullopt;
  return device_data::camera_disk_path_with_marker(marker, platform::mounted_volumes());
}
