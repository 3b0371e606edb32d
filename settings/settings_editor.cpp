#include "settings/settings_editor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "device_data/product_facts.h"
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

// ---- change detection ----

using device_data::ChangeSet;
using device_data::Setting;

// The words of the record a change set compares.
enum Words : unsigned {
  k_packed = 1u << 0,         // the packed settings word, as 16 bits
  k_packed_second = 1u << 1,  // the second packed word, as 16 bits
  k_general = 1u << 2,        // the general settings words
  k_camera = 1u << 3,         // the camera words
};

// What is compared between the working copy and the device: words, and the
// settings outside them by their catalogue ids.
struct Compared {
  unsigned words = 0;
  std::span<const Setting> settings{};
};

constexpr Setting k_vox_and_edr[] = {Setting::IVOX, Setting::HVOX, Setting::EDR};
constexpr Setting k_gain_and_timeout[] = {Setting::RTG, Setting::ACT};
constexpr Setting k_vox[] = {Setting::VOXSensitivity};
constexpr Setting k_volume[] = {Setting::SmartVolumeControl};
constexpr Setting k_vox_and_volume[] = {Setting::VOXSensitivity, Setting::SmartVolumeControl};

struct ChangeRow {
  ChangeSet set;
  Compared compared;
  // Firmware from which `compared` holds; below it `compared_before` does.
  std::optional<Version> from{};
  Compared compared_before{};
  // The packed words are written to the console first.
  bool log_packed = false;
};

// A product whose change set has no row saves nothing and never changes.
constexpr ChangeRow k_change_rows[] = {
    {ChangeSet::vox_fields_before_4_0, {k_packed}, Version{4, 0}, {0, k_vox_and_edr}},
    {ChangeSet::packed, {k_packed}},
    {ChangeSet::packed_pair, {k_packed | k_packed_second}},
    {ChangeSet::packed_camera, {k_packed | k_camera}},
    {ChangeSet::packed_vox, {k_packed, k_vox}},
    {ChangeSet::packed_vox_from_1_1, {k_packed, k_vox}, Version{1, 1}, {k_packed}},
    {ChangeSet::packed_vox_volume, {k_packed, k_vox_and_volume}},
    {ChangeSet::packed_volume_vox_from_1_1, {k_packed, k_vox_and_volume}, Version{1, 1}, {k_packed, k_volume}},
    {ChangeSet::packed_words, {k_packed | k_general}},
    {ChangeSet::packed_words_logged, {k_packed | k_general}, {}, {}, true},
    {ChangeSet::packed_words_vox, {k_packed | k_general, k_vox}},
    {ChangeSet::packed_words_vox_volume, {k_packed | k_general, k_vox_and_volume}},
    {ChangeSet::packed_pair_words_vox, {k_packed | k_packed_second | k_general, k_vox}},
    {ChangeSet::words, {k_general}},
    {ChangeSet::transmit_gain_timeout, {0, k_gain_and_timeout}},
};

bool differs_16(int32_t a, int32_t b) { return (a & 0xFFFF) != (b & 0xFFFF); }

// Whether the device and the working copy hold different values of `setting`.
bool differs(Setting setting, const Record& device, const Record& edited) {
  switch (setting) {
    case Setting::IVOX:
      return device.intercomVOX() != edited.intercomVOX();
    case Setting::HVOX:
      return device.handsfreeVOX() != edited.handsfreeVOX();
    case Setting::EDR:
      return device.edr() != edited.edr();
    case Setting::RTG:
      return device.radioTransmitGain() != edited.radioTransmitGain();
    case Setting::ACT:
      return device.audioChannelTimeout() != edited.audioChannelTimeout();
    case Setting::VOXSensitivity:
      return device.compareBasicSettingKR5VOXSensitivityWith(edited) != 0;
    case Setting::SmartVolumeControl:
      return device.compareBasicSettingTJ4SmartVolumeControlWith(edited) != 0;
    default:
      return false;
  }
}

bool any_difference(const Compared& compared, bool log_packed, const Record& device, const Record& edited) {
  if (compared.words & k_packed) {
    if (log_packed) {
      platform::console(platform::format("ARABIC V %X %X", device.getSettings40(), edited.getSettings40()));
    }
    if (differs_16(device.getSettings40(), edited.getSettings40())) return true;
  }
  if ((compared.words & k_packed_second) && differs_16(device.getSettings40Second(), edited.getSettings40Second())) {
    return true;
  }
  if ((compared.words & k_general) && device.compareBasicSettingLM6With(edited) != 0) return true;
  if ((compared.words & k_camera) && device.compareBasicSettingVT4CameraWith(edited) != 0) return true;
  return std::ranges::any_of(compared.settings, [&](Setting setting) { return differs(setting, device, edited); });
}

// ---- factory defaults ----

// A bit field of the defaults forced to a value after the device words are copied.
struct Force {
  void (Record::*setter)(int32_t);
  int32_t value;
};

using device_data::DefaultReset;

struct DefaultRow {
  DefaultReset reset;
  // Bit n: general word n is copied from the device.
  unsigned words;
  std::array<Force, 4> forces;
  // Firmware from which the words are copied / the bits forced.
  std::optional<Version> copy_from;
  std::optional<Version> force_from;
};

using R = Record;

constexpr unsigned word(int index) { return 1u << index; }

// A product whose reset has no row takes the factory defaults as they are.
constexpr DefaultRow k_default_rows[] = {
    {DefaultReset::word_3_public_channel, word(3), {{{&R::SetBasicSettingDK3MorrimMeshPublicChannel, 1}}}, {}, {}},
    {DefaultReset::words_3_4_hd_voice,
     word(3) | word(4),
     {{{&R::SetBasicSettingWQ8HDVoice, 1}, {&R::SetBasicSetting50Equalizer, 0}}},
     {},
     {}},
    {DefaultReset::words_3_4_hd_voice_assistant,
     word(3) | word(4),
     {{{&R::SetBasicSettingWQ8HDVoice, 1},
       {&R::SetBasicSetting50Equalizer, 0},
       {&R::SetBasicSettingVoiceAssistant, 1},
       {&R::SetBasicSettingND4AudioBoost, 0}}},
     {},
     {}},
    {DefaultReset::word_3_hd_voice,
     word(3),
     {{{&R::SetBasicSettingWQ8HDVoice, 1}, {&R::SetBasicSetting50Equalizer, 0}}},
     {},
     {}},
    {DefaultReset::word_3_equalizer_from_3_1, word(3), {{{&R::SetBasicSetting30Equalizer, 0}}}, {}, Version{3, 1}},
    {DefaultReset::word_3_speaker_equalizer,
     word(3),
     {{{&R::SetBasicSettingND4HDSpeakerAccessory, 0}, {&R::SetBasicSetting30Equalizer, 0}}},
     {},
     {}},
    {DefaultReset::word_3, word(3), {}, {}, {}},
    {DefaultReset::words_0_1_mesh_switches,
     word(0) | word(1),
     {{{&R::SetBasicSettingND4VOXPhone, 1},
       {&R::SetBasicSettingEDR, 0},
       {&R::SetBasicSettingND4HighQulityA2DP, 1},
       {&R::SetBasicSettingND4Sidetone, 0}}},
     {},
     {}},
    {DefaultReset::word_3_speaker_equalizer_from_3_0,
     word(3),
     {{{&R::SetBasicSettingND4HDSpeakerAccessory, 0}, {&R::SetBasicSetting30Equalizer, 0}}},
     Version{3, 0},
     Version{3, 0}},
    {DefaultReset::word_1_hb6_equalizer_hd_voice_off,
     word(1),
     {{{&R::SetBasicSettingHB6Equalizer, 0}, {&R::SetBasicSettingWQ8HDVoice, 0}}},
     {},
     {}},
    {DefaultReset::word_1_hb6_equalizer, word(1), {{{&R::SetBasicSettingHB6Equalizer, 0}}}, {}, {}},
    {DefaultReset::word_1, word(1), {}, {}, {}},
    {DefaultReset::word_2, word(2), {}, {}, {}},
    {DefaultReset::word_4, word(4), {}, {}, {}},
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
  const ChangeSet set = device_data::settings_change_set(device_data::product_facts(m_host.deviceTarget()));
  const Record& device = m_host.data();
  for (const ChangeRow& row : k_change_rows) {
    if (row.set != set) continue;
    return any_difference(at_least(device, row.from) ? row.compared : row.compared_before, row.log_packed, device,
                          m_dataCurrent);
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
  const DefaultReset reset = device_data::product_facts(device_id).default_reset;
  const Record& device = m_host.data();
  for (const DefaultRow& row : k_default_rows) {
    if (row.reset != reset) continue;
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
