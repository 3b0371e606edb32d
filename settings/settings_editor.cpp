#include "settings/settings_editor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "platform/format.h"
#include "platform/int_value.h"
#include "platform/log.h"
#include "session/page_modes.h"
#include "settings/all_settings_sheet.h"
#include "strings/common_texts.h"
#include "strings/menu_texts.h"
#include "strings/settings_texts.h"

namespace settings {

namespace {

using Record = FEXOBluetoothDeviceData;

// The audio channel timeout the device takes, in seconds.
constexpr int k_act_min_seconds = 3;
constexpr int k_act_max_seconds = 60;

struct Version {
  int major;
  int minor;
};

bool at_least(const Record& device, const std::optional<Version>& version) {
  return !version || device.compareVersionUpToMinorWithMajor_Minor(version->major, version->minor) >= 0;
}

bool contains(std::span<const int> ids, int device) { return std::find(ids.begin(), ids.end(), device) != ids.end(); }

// ---- change detection ----

// What a product's change row compares between the working copy and the device.
enum Check : unsigned {
  k_packed = 1u << 0,         // the packed settings word, as 16 bits
  k_packed_second = 1u << 1,  // the second packed word, as 16 bits
  k_words = 1u << 2,          // the general settings words
  k_vox_words = 1u << 3,      // the VOX sensitivity words
  k_volume_words = 1u << 4,   // the smart volume control words
  k_camera_words = 1u << 5,   // the camera words
  k_rtg = 1u << 6,            // radio transmit gain
  k_act = 1u << 7,            // audio channel timeout
  k_vox_fields = 1u << 8,     // intercom VOX, phone VOX and EDR fields
};

struct ChangeRow {
  std::span<const int> ids;
  unsigned checks;
  // Firmware from which `checks` hold; below it `checks_before` do.
  std::optional<Version> from;
  unsigned checks_before;
  // The packed words are written to the console first.
  bool log_packed;
};

constexpr int k_change_4d10[] = {0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020,
                                 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5070, 0x5080};
constexpr int k_change_6000[] = {0x6000};
constexpr int k_change_packed_older[] = {0x2010, 0x2011, 0x2020, 0x2110, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4021,
                                         0x4030, 0x4040, 0x4110, 0x4111, 0x4112, 0x4113, 0x4120, 0x4D05, 0x4D15, 0x4D21,
                                         0x4D35, 0x4D45, 0x4D55, 0x4D65, 0x4D75, 0x4D85, 0x5011, 0x6110, 0x6111, 0x6120,
                                         0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};
constexpr int k_change_5210[] = {0x5210};
constexpr int k_change_lm6[] = {0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
constexpr int k_change_5610[] = {0x5610, 0x5611, 0x5612, 0x5620, 0x5621};
constexpr int k_change_5520[] = {0x5520};
constexpr int k_change_5424[] = {0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434};
constexpr int k_change_6112[] = {0x6112, 0x6114};
constexpr int k_change_6038[] = {0x6038, 0x6039};
constexpr int k_change_hb6[] = {0x3052, 0x3072, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400,
                                0x4023, 0x5534, 0x5552, 0x5553, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x6900};
constexpr int k_change_3070[] = {0x3070, 0x3080, 0x4050, 0x5564, 0x6310, 0x6320, 0x6330, 0x6335};
constexpr int k_change_5530[] = {0x5530, 0x5532, 0x5550};
constexpr int k_change_nd4[] = {0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3134, 0x3140,
                                0x3142, 0x3144, 0x3146, 0x3152, 0x3156, 0x3170, 0x3211, 0x3213, 0x3214, 0x3215,
                                0x3217, 0x3240, 0x3260, 0x3310, 0x3320, 0x3330, 0x3500, 0x3540, 0x3560, 0x3570,
                                0x3900, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x6500, 0x6510, 0x6800, 0x6801, 0x6802,
                                0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812};
constexpr int k_change_wq8[] = {0x3132, 0x3148, 0x3154, 0x3210, 0x3212, 0x3216, 0x3218, 0x3232, 0x3264};
constexpr int k_change_5710[] = {0x5710};
constexpr int k_change_5623[] = {0x5623};
constexpr int k_change_5622[] = {0x5622, 0x5624};
constexpr int k_change_3030[] = {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5522,
                                 0x5524, 0x5536, 0x5560, 0x5562, 0x6210};
constexpr int k_change_5526[] = {0x5526, 0x5720, 0x6400};
constexpr int k_change_5910[] = {0x5910, 0x5920};
constexpr int k_change_5510[] = {0x5510};
constexpr int k_change_5570[] = {0x5570, 0x5580};
constexpr int k_change_5576[] = {0x5576};
constexpr int k_change_6010[] = {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026,
                                 0x6028, 0x6030, 0x6032, 0x6034, 0x6036};
constexpr int k_change_6020[] = {0x6020, 0x6022, 0x6024};
// 0x3150 keeps its settings in the general words as 0x3161 does (its actions
// write there); without this row its edits could never be saved.
constexpr int k_change_3161[] = {0x3150, 0x3161};
constexpr int k_change_5410[] = {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420};

// The first row that holds the product decides; a product in no row never changes.
constexpr ChangeRow k_change_rows[] = {
    {k_change_4d10, k_packed, Version{4, 0}, k_vox_fields, false},
    {k_change_6000, k_packed, {}, 0, false},
    {k_change_packed_older, k_packed, {}, 0, false},
    {k_change_5210, k_rtg | k_act, {}, 0, false},
    {k_change_lm6, k_words, {}, 0, false},
    {k_change_5610, k_packed, {}, 0, false},
    {k_change_5520, k_packed | k_vox_words, {}, 0, false},
    {k_change_5424, k_packed | k_words | k_vox_words | k_volume_words, {}, 0, false},
    {k_change_6112, k_packed | k_vox_words, {}, 0, false},
    {k_change_6038, k_packed | k_packed_second | k_words | k_vox_words, {}, 0, false},
    {k_change_hb6, k_packed | k_words, {}, 0, true},
    {k_change_3070, k_packed | k_words, {}, 0, false},
    {k_change_5530, k_packed, {}, 0, false},
    {k_change_nd4, k_words, {}, 0, false},
    {k_change_wq8, k_words, {}, 0, false},
    {k_change_5710, k_packed, {}, 0, false},
    {k_change_5623, k_packed | k_vox_words, Version{1, 1}, k_packed, false},
    {k_change_5622, k_packed | k_volume_words | k_vox_words, Version{1, 1}, k_packed | k_volume_words, false},
    {k_change_3030, k_packed, {}, 0, false},
    {k_change_5526, k_packed | k_vox_words, {}, 0, false},
    {k_change_5910, k_packed, {}, 0, false},
    {k_change_5510, k_packed | k_camera_words, {}, 0, false},
    {k_change_5570, k_packed | k_words, {}, 0, false},
    {k_change_5576, k_packed | k_packed_second, {}, 0, false},
    {k_change_6010, k_packed | k_words | k_vox_words, {}, 0, false},
    {k_change_6020, k_packed | k_vox_words, {}, 0, false},
    {k_change_3161, k_words, {}, 0, false},
    {k_change_5410, k_packed | k_vox_words | k_volume_words, {}, 0, false},
};

bool differs_16(int32_t a, int32_t b) { return (a & 0xFFFF) != (b & 0xFFFF); }

bool any_difference(unsigned checks, bool log_packed, const Record& device, const Record& edited) {
  if (checks & k_packed) {
    if (log_packed) {
      platform::console(platform::format("ARABIC V %X %X", device.getSettings40(), edited.getSettings40()));
    }
    if (differs_16(device.getSettings40(), edited.getSettings40())) return true;
  }
  if ((checks & k_packed_second) && differs_16(device.getSettings40Second(), edited.getSettings40Second())) {
    return true;
  }
  if ((checks & k_words) && device.compareBasicSettingLM6With(edited) != 0) return true;
  if ((checks & k_vox_words) && device.compareBasicSettingKR5VOXSensitivityWith(edited) != 0) return true;
  if ((checks & k_volume_words) && device.compareBasicSettingTJ4SmartVolumeControlWith(edited) != 0) return true;
  if ((checks & k_camera_words) && device.compareBasicSettingVT4CameraWith(edited) != 0) return true;
  if ((checks & k_rtg) && device.radioTransmitGain() != edited.radioTransmitGain()) return true;
  if ((checks & k_act) && device.audioChannelTimeout() != edited.audioChannelTimeout()) return true;
  if (checks & k_vox_fields) {
    return device.intercomVOX() != edited.intercomVOX() || device.handsfreeVOX() != edited.handsfreeVOX() ||
           device.edr() != edited.edr();
  }
  return false;
}

// ---- factory defaults ----

// A bit field of the defaults forced to a value after the device words are copied.
struct Force {
  void (Record::*setter)(int32_t);
  int32_t value;
};

struct DefaultRow {
  std::span<const int> ids;
  // Bit n: general word n is copied from the device.
  unsigned words;
  std::array<Force, 4> forces;
  // Firmware from which the words are copied / the bits forced.
  std::optional<Version> copy_from;
  std::optional<Version> force_from;
};

using R = Record;

constexpr int k_default_3128[] = {0x3128};
constexpr int k_default_wq8[] = {0x3211, 0x3214, 0x3215, 0x3217, 0x3260, 0x3900};
constexpr int k_default_wq8_assistant[] = {0x3132, 0x3134, 0x3148, 0x3154, 0x3210,
                                           0x3212, 0x3216, 0x3218, 0x3232, 0x3264};
constexpr int k_default_wq8_word3[] = {0x3156, 0x3170, 0x3213, 0x3240, 0x3310, 0x3320, 0x3330};
constexpr int k_default_3110[] = {0x3110};
constexpr int k_default_3146[] = {0x3146};
constexpr int k_default_nd4_word3[] = {0x3116, 0x3118, 0x3124, 0x3126, 0x3140, 0x3142, 0x3144, 0x3152};
constexpr int k_default_4d[] = {0x4D06, 0x4D16, 0x4D76, 0x4D86};
constexpr int k_default_3112[] = {0x3112, 0x3114};
constexpr int k_default_5552[] = {0x5552, 0x5553};
constexpr int k_default_hb6[] = {0x3052, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3300, 0x3340, 0x3341, 0x3350, 0x3360,
                                 0x3370, 0x3400, 0x4023, 0x5424, 0x5428, 0x5430, 0x5432, 0x5434, 0x5534, 0x5570, 0x5580,
                                 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6310, 0x6900};
constexpr int k_default_word1[] = {0x3150, 0x3161, 0x6320, 0x6330, 0x6335};
constexpr int k_default_airoha[] = {0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812};
constexpr int k_default_4210[] = {0x4210};

constexpr unsigned word(int index) { return 1u << index; }

// The first row that holds the product decides; any other product takes the
// factory defaults as they are.
constexpr DefaultRow k_default_rows[] = {
    {k_default_3128, word(3), {{{&R::SetBasicSettingDK3MorrimMeshPublicChannel, 1}}}, {}, {}},
    {k_default_wq8,
     word(3) | word(4),
     {{{&R::SetBasicSettingWQ8HDVoice, 1}, {&R::SetBasicSetting50Equalizer, 0}}},
     {},
     {}},
    {k_default_wq8_assistant,
     word(3) | word(4),
     {{{&R::SetBasicSettingWQ8HDVoice, 1},
       {&R::SetBasicSetting50Equalizer, 0},
       {&R::SetBasicSettingVoiceAssistant, 1},
       {&R::SetBasicSettingND4AudioBoost, 0}}},
     {},
     {}},
    {k_default_wq8_word3, word(3), {{{&R::SetBasicSettingWQ8HDVoice, 1}, {&R::SetBasicSetting50Equalizer, 0}}}, {}, {}},
    {k_default_3110, word(3), {{{&R::SetBasicSetting30Equalizer, 0}}}, {}, Version{3, 1}},
    {k_default_3146,
     word(3),
     {{{&R::SetBasicSettingND4HDSpeakerAccessory, 0}, {&R::SetBasicSetting30Equalizer, 0}}},
     {},
     {}},
    {k_default_nd4_word3, word(3), {}, {}, {}},
    {k_default_4d,
     word(0) | word(1),
     {{{&R::SetBasicSettingND4VOXPhone, 1},
       {&R::SetBasicSettingEDR, 0},
       {&R::SetBasicSettingND4HighQulityA2DP, 1},
       {&R::SetBasicSettingND4Sidetone, 0}}},
     {},
     {}},
    {k_default_3112,
     word(3),
     {{{&R::SetBasicSettingND4HDSpeakerAccessory, 0}, {&R::SetBasicSetting30Equalizer, 0}}},
     Version{3, 0},
     Version{3, 0}},
    {k_default_5552, word(1), {{{&R::SetBasicSettingHB6Equalizer, 0}, {&R::SetBasicSettingWQ8HDVoice, 0}}}, {}, {}},
    {k_default_hb6, word(1), {{{&R::SetBasicSettingHB6Equalizer, 0}}}, {}, {}},
    {k_default_word1, word(1), {}, {}, {}},
    {k_default_airoha, word(2), {}, {}, {}},
    {k_default_4210, word(4), {}, {}, {}},
};

// The double a stepper holds, truncated toward zero into the int range.
int truncated(double value) {
  if (!std::isfinite(value)) return 0;
  const double whole = std::trunc(value);
  if (whole <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  if (whole >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return static_cast<int>(whole);
}

}  // namespace

SettingsEditor::SettingsEditor(SettingsHost& host) : m_host(host) {}

void SettingsEditor::initializeObject() {
  m_dataCurrent = Record();
  m_dataCurrent.copyWithSource_version(m_host.data(), true);
  m_dataDefault = Record::makeDefaultDataWithSource(m_dataCurrent);
}

void SettingsEditor::discard_edits() { m_dataCurrent.copyWithSource_version(m_host.data(), false); }

bool SettingsEditor::isSettingsChanged() const {
  const int device_id = m_host.deviceTarget();
  const Record& device = m_host.data();
  for (const ChangeRow& row : k_change_rows) {
    if (!contains(row.ids, device_id)) continue;
    const unsigned checks = at_least(device, row.from) ? row.checks : row.checks_before;
    return any_difference(checks, row.log_packed, device, m_dataCurrent);
  }
  return false;
}

MessageBoxRequest save_prompt(int language, session::MessageBoxPurpose purpose) {
  return {MenuTexts::stringPromptSave(language), false, CommonTexts::vyla_string_no_in(language),
          CommonTexts::vyla_string_yes_in(language), session::MessageBoxSize::w420_h115, purpose};
}

bool SettingsEditor::checkNeedToSave() {
  if (!isSettingsChanged()) return false;
  m_host.open_save_prompt(save_prompt(m_host.languageManager(), session::MessageBoxPurpose::save_settings));
  return true;
}

void SettingsEditor::moveToModeToGo(int mode_to_go) {
  discard_edits();
  m_host.setMode(mode_to_go);
  m_host.setDetailViewController(session::page_mode_of(mode_to_go));
}

void SettingsEditor::moveToSettingToSetting() { discard_edits(); }

bool SettingsEditor::begin_action() {
  if (m_host.onProcessing()) return false;
  session::close_tab_list(m_host, m_host);
  return true;
}

bool SettingsEditor::changeToOriginal() {
  if (!begin_action()) return false;
  discard_edits();
  return true;
}

bool SettingsEditor::changeToDefault() {
  if (!begin_action()) return false;
  const int device_id = m_host.deviceTarget();
  const Record& device = m_host.data();
  for (const DefaultRow& row : k_default_rows) {
    if (!contains(row.ids, device_id)) continue;
    if (at_least(device, row.copy_from)) {
      if (device_id == 0x5595) {
        platform::console(platform::format("ARABIC %X %X", device.basicSettingLM6(0), device.basicSettingLM6(1)));
      }
      for (int index = 0; index < Record::k_basic_setting_lm6_count; ++index) {
        if (row.words & word(index)) m_dataDefault.setBasicSetting20At_with(index, device.basicSettingLM6(index));
      }
    }
    if (at_least(device, row.force_from)) {
      for (const Force& force : row.forces) {
        if (force.setter) (m_dataDefault.*force.setter)(force.value);
      }
    }
    break;
  }
  m_dataCurrent.copyWithSource_version(m_dataDefault, false);
  return true;
}

bool SettingsEditor::changeToDefaultAllSettins() {
  if (!begin_action()) return false;
  m_dataCurrent.copyWithSource_version(m_dataDefault, false);
  return true;
}

bool SettingsEditor::changeAllSettingsRow(SettingAction action, int choice) {
  // the follow-up step writes the working copy too, so it waits for the same guard
  if (!change(action, choice)) return false;
  return all_settings_extra_step(action, m_host.deviceTarget(), m_host.data(), m_dataCurrent);
}

bool SettingsEditor::change(SettingAction action, int choice) {
  if (!begin_action()) return false;
  apply_setting_action(action, choice, m_host.deviceTarget(), m_dataCurrent);
  return true;
}

std::optional<ACTCheck> SettingsEditor::changeACT_field(std::string_view field_text, double stepper_value) {
  if (!begin_action()) return std::nullopt;
  return checkACT(field_text, stepper_value);
}

std::optional<int> SettingsEditor::changeACT_stepper(double stepper_value) {
  if (!begin_action()) return std::nullopt;
  const int seconds = truncated(stepper_value);
  m_dataCurrent.setAudioChannelTimeout(seconds);
  return seconds;
}

ACTCheck SettingsEditor::checkACT(std::string_view field_text, double stepper_value) {
  const int seconds = platform::int_value(field_text);
  if (seconds >= k_act_min_seconds && seconds <= k_act_max_seconds) {
    m_dataCurrent.setAudioChannelTimeout(seconds);
    return {true, seconds};
  }
  MessageBoxRequest warning;
  warning.message = stringMessageACT();
  warning.warning = true;
  warning.ok_title = CommonTexts::vyla_string_ok_in(m_host.languageManager());
  warning.size = session::MessageBoxSize::w420_h115;
  warning.purpose = session::MessageBoxPurpose::notice;
  m_host.open_message_box(warning);
  return {false, truncated(stepper_value)};
}

std::string SettingsEditor::stringACTUnit() const { return SettingsTexts::stringACTUnit(m_host.languageManager()); }

std::string SettingsEditor::stringMessageACT() const {
  return SettingsTexts::stringMessageACT(m_host.languageManager());
}

std::string SettingsEditor::stringInformationVideoMode() const {
  return SettingsTexts::stringInformationVideoMode(m_host.data().compareVersionUpToMinorWithMajor_Minor(2, 0) < 0,
                                                   m_host.languageManager());
}

}  // namespace settings
