#include "settings/classic_panel_states.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <span>

#include "device_data/product_facts.h"
#include "platform/deployment.h"
#include "platform/format.h"
#include "strings/app_texts.h"
#include "strings/setting_names.h"
#include "strings/settings_texts.h"

namespace settings {

namespace {

using Record = FEXOBluetoothDeviceData;
using enum PanelRow;
using strings::SettingName;

bool contains(std::span<const int> ids, int product) {
  return std::find(ids.begin(), ids.end(), product) != ids.end();
}

// ---- rows by product ----

using Version = FirmwareVersion;

struct RowStep {
  // From this version up to the next step; the first step has none.
  std::optional<Version> from;
  std::vector<PanelRow> rows;
  bool edr_note = false;
};

struct RowLine {
  // The products of the line: those whose catalogue row names one of these panels.
  std::vector<device_data::ClassicPanel> panels;
  std::vector<RowStep> steps;
};

// The 0x4D10 family's steps, with or without the microphone boost row, and
// with or without the sidetone row from 5.0.
std::vector<RowStep> steps_4d10(bool microphone_boost, bool sidetone_from_5_0) {
  std::vector<PanelRow> from_4_1 = {IVOX, HVOX, EDR, PLC, BitpoolRate};
  std::vector<PanelRow> from_4_2 = {IVOX, HVOX, EDR, BitpoolRate};
  if (microphone_boost) {
    from_4_1.push_back(MicrophoneBoost);
    from_4_2.push_back(MicrophoneBoost);
  }
  std::vector<RowStep> steps = {
      {{}, {IVOX, HVOX, EDR}, true},
      {Version{4, 0}, {IVOX, HVOX, EDR, PLC}, true},
      {Version{4, 1}, from_4_1, true},
      {Version{4, 2}, from_4_2, false},
  };
  if (sidetone_from_5_0) {
    std::vector<PanelRow> from_5_0 = from_4_2;
    from_5_0.push_back(Sidetone);
    steps.push_back({Version{5, 0}, from_5_0, false});
  }
  return steps;
}

RowStep always(std::vector<PanelRow> rows) { return RowStep{{}, std::move(rows), false}; }

// Rows of the products outside the all-settings list; an id in no line shows
// every row with the EDR note.
const std::vector<RowLine>& older_lines() {
  using P = device_data::ClassicPanel;
  static const std::vector<RowLine> lines = {
      {{P::like_4d10}, steps_4d10(true, true)},
      {{P::like_4d20}, steps_4d10(false, true)},
      {{P::like_5020}, steps_4d10(false, false)},
      // Products whose settings words are edited as the mesh models' (the 4D
      // layout) have no PLC setting and no EDR note: below 2.0 they show the
      // rows they show at 2.0 without the sidetone.
      {{P::like_4d06},
       {always({HVOX, EDR, BitpoolRate}), {Version{2, 0}, {HVOX, EDR, BitpoolRate, Sidetone}}}},
      {{P::like_4d05},
       {{{}, {HVOX, EDR, PLC}, true},
        {Version{1, 2}, {HVOX, EDR, BitpoolRate}},
        {Version{2, 0}, {HVOX, EDR, BitpoolRate, Sidetone}}}},
      {{P::like_2020},
       {always({IVOX, HVOX, EDR, BitpoolRate, Sidetone}),
        {Version{1, 1}, {IVOX, HVOX, EDR, BitpoolRate, Sidetone, AmbientHushControl}}}},
      {{P::like_4d76}, {always({IVOX, HVOX, EDR, BitpoolRate, Sidetone})}},
      {{P::like_4d85, P::like_6000}, {always({HVOX, EDR, BitpoolRate, Sidetone})}},
      {{P::like_2010}, {always({HVOX, EDR, BitpoolRate})}},
      {{P::like_6110}, {always({EDR, BitpoolRate, Sidetone, AmbientHushControl})}},
      {{P::like_4120}, {always({EDR, BitpoolRate, Sidetone, AmbientHushControl, AutoGainControl})}},
      {{P::like_4110}, {always({EDR, BitpoolRate})}},
      {{P::like_6420}, {always({HVOX, EDR})}},
      {{P::like_6430}, {always({HVOX})}},
      {{P::like_2120}, {always({HVOX})}},
      {{P::like_4040, P::like_4d21}, {always({Sidetone})}},
      {{P::like_5210}, {always({RTG, ACT})}},
  };
  return lines;
}

// Rows of the all-settings products on a system without the all-settings
// table; every other id of the list shows the six rows of its classic layout.
const std::vector<RowLine>& before_all_settings_lines() {
  static const std::vector<PanelRow> lm6 = {HVOX,  Sidetone,
                                            MotionSensorSensitivity, AudioBraiding,
                                            AudioBraidingSensitivity, NavigationAppOverlay};
  using P = device_data::ClassicPanel;
  static const std::vector<RowLine> lines = {
      {{P::lm6}, {always(lm6)}},
      {{P::lm6_4210}, {always({HVOX, Sidetone, AudioBraiding, AudioBraidingSensitivity}), {Version{1, 1}, lm6}}},
      {{P::like_3030, P::like_5522},
       {always({BitpoolRate, AmbientHushControl, AudioBoost})}},
      {{P::buttons_only_5560}, {always({})}},
  };
  return lines;
}

const std::vector<PanelRow> k_all_settings_classic_rows = {IVOX, HVOX,        BitpoolRate,
                                                           Sidetone,    AmbientHushControl, AudioBoost};
// 0x4023 keeps its settings on the classic panel beside the all-settings
// button: the rows its layout places.
const std::vector<PanelRow> k_4023_rows = {AudioBoost, HVOX, BitpoolRate};
// Languages whose apply note needs its button: French, Dutch, Russian.
constexpr int k_note_button_languages[] = {1, 7, 8};

const RowStep* step_for(const std::vector<RowLine>& lines, int product, const Record& device) {
  for (const RowLine& line : lines) {
    const device_data::ClassicPanel panel = device_data::product_facts(product).classic_panel;
    if (std::find(line.panels.begin(), line.panels.end(), panel) == line.panels.end()) continue;
    const RowStep* chosen = &line.steps.front();
    for (const RowStep& step : line.steps) {
      if (has_reached(device, step.from)) chosen = &step;
    }
    return chosen;
  }
  return nullptr;
}

void show(PanelStates& states, const std::vector<PanelRow>& rows) {
  for (PanelRow row : rows) states.rows[static_cast<size_t>(index_of(row))] = true;
}

// ---- titles and hints ----

// The name a row's label shows.
SettingName label_name(PanelRow row) { return device_data::setting_entry(row).label; }

std::string outlet(const char* prefix, PanelRow row) { return std::string(prefix) + panel_row_name(row); }

// A control's key hint, and the control the key activates (nullptr: the main
// window binds the key).
struct Hint {
  std::string outlet;
  std::string hint;
  std::optional<std::string> target;
};

// The letter of each on/off row's two cells: [O]-letter selects Enable, [S][O]-letter Disable.
struct CellKey {
  PanelRow row;
  char letter;
};
constexpr CellKey k_cell_keys[] = {
    {IVOX, 'I'},        {HVOX, 'H'},    {EDR, 'E'},        {PLC, 'P'},
    {BitpoolRate, 'Q'},        {MicrophoneBoost, 'M'}, {Sidetone, 'T'},   {AmbientHushControl, 'V'},
    {AutoGainControl, 'G'},    {AudioBoost, 'B'},      {AudioBraiding, 'A'}, {NavigationAppOverlay, 'N'},
};

// A row label's hint stands for the row's information button.
struct LabelKey {
  PanelRow row;
  char letter;
};
constexpr LabelKey k_label_keys[] = {
    {EDR, 'E'},         {PLC, 'P'},
    {BitpoolRate, 'Q'}, {MicrophoneBoost, 'M'},
    {Sidetone, 'T'},    {AmbientHushControl, 'V'},
    {AutoGainControl, 'G'}, {AudioBoost, 'B'},
    {RTG, 'R'},         {ACT, 'A'},
    // these two share their keys with the microphone boost and timeout rows,
    // which no product shows beside them
    {MotionSensorSensitivity, 'M'}, {AudioBraiding, 'A'},
    {AudioBraidingSensitivity, 'I'}, {NavigationAppOverlay, 'N'},
};

const std::vector<Hint>& hints() {
  static const std::vector<Hint> table = [] {
    std::vector<Hint> hints = {
        {"btnBack", "[C]-◀", std::nullopt},
        {"btnNewDevice", "[C]-▶", std::nullopt},
        {"btnSave", "[O][C]-S", "btnSave"},
        {"btnDefault", "[C]-D", "btnDefault"},
        {"btnCancel", "[C]-C", "btnCancel"},
        {"btnAllSettings", "[S][C]-M", "btnAllSettings"},
    };
    for (const LabelKey& key : k_label_keys) {
      hints.push_back({outlet("lbl", key.row), std::string("[O][C]-") + key.letter, outlet("btn", key.row)});
    }
    for (const CellKey& key : k_cell_keys) {
      hints.push_back({outlet("enable", key.row), std::string("[O]-") + key.letter, outlet("enable", key.row)});
      hints.push_back({outlet("disable", key.row), std::string("[S][O]-") + key.letter, outlet("disable", key.row)});
    }
    hints.push_back({"lowRTG", "[O]-R", "lowRTG"});
    hints.push_back({"mediumRTG", "[S]-R", "mediumRTG"});
    // the key of the high cell follows the other two: Shift and Option with R
    hints.push_back({"highRTG", "[S][O]-R", "highRTG"});
    return hints;
  }();
  return table;
}

session::MessageBoxSize size_of(int code) { return static_cast<session::MessageBoxSize>(code); }

}  // namespace

bool in_all_settings_list(int product) { return device_data::product_facts(product).all_settings; }

bool system_offers_all_settings(int os_primary, int os_secondary) {
  return (os_primary >= 10 && os_secondary > 6) || os_primary >= 11;
}

PanelStates classic_panel_states(int product, int language, int os_primary, int os_secondary, const Record& device) {
  PanelStates states;
  if (in_all_settings_list(product)) {
    const bool all_settings = system_offers_all_settings(os_primary, os_secondary);
    states.all_settings = all_settings;
    if (product == 0x4023) {
      show(states, k_4023_rows);
    } else if (!all_settings) {
      const RowStep* step = step_for(before_all_settings_lines(), product, device);
      show(states, step ? step->rows : k_all_settings_classic_rows);
    }
    return states;
  }
  states.note_apply = true;
  // the button's visibility is decided here only, so a save (which leaves
  // visibility alone) never shows it where the product has none
  states.note_apply_button =
      contains(k_note_button_languages, language) && !device_data::product_facts(product).apply_note_without_button;
  if (const RowStep* step = step_for(older_lines(), product, device)) {
    show(states, step->rows);
    states.edr_note = step->edr_note;
  } else {
    states.rows.fill(true);
    states.edr_note = true;
  }
  return states;
}

PanelTexts panel_texts(int language) {
  PanelTexts texts;
  texts.intercom_vox = strings::setting_name(SettingName::VOXIntercom, language);
  texts.handsfree_vox = strings::setting_name(SettingName::VOXPhone, language);
  texts.note_edr = SettingsTexts::stringNoteEDR(language);
  texts.note_apply = SettingsTexts::stringNoteApply(language);
  texts.act_unit = SettingsTexts::stringACTUnit(language);
  texts.motion_sensor_items = {AppTexts::vyla_string_disable_in(language),
                               Record::getRTGStringFromRTG_In(12, language),
                               Record::getRTGStringFromRTG_In(17, language)};
  return texts;
}

std::vector<OutletText> panel_titles(int language, bool with_hints, bool edr_information_shown) {
  std::vector<OutletText> titles;
  // the sheet's buttons keep their titles whatever the hints
  titles.push_back({"btnDeviceAllSettingsBasicSave", SettingsTexts::vyla_string_save_in(language)});
  titles.push_back({"btnDeviceAllSettingsBasicDefault", SettingsTexts::vyla_string_default_in(language)});
  titles.push_back({"btnDeviceAllSettingsBasicCancel", AppTexts::vyla_string_cancel_in(language)});
  titles.push_back({"btnDeviceAllSettingsBasicClose", k_close_title});
  if (with_hints) {
    for (const Hint& hint : hints()) {
      if (hint.outlet == "lblEDR" && !edr_information_shown) {
        titles.push_back({hint.outlet, strings::setting_name(label_name(EDR), language)});
      } else {
        titles.push_back({hint.outlet, hint.hint});
      }
    }
    return titles;
  }
  titles.push_back({"btnBack", AppTexts::vyla_string_back_in(language)});
  titles.push_back({"btnNewDevice", AppTexts::vyla_string_new_device_in(language)});
  titles.push_back({"btnAllSettings", SettingsTexts::vyla_string_more_settings_in(language)});
  titles.push_back({"btnSave", SettingsTexts::vyla_string_save_in(language)});
  titles.push_back({"btnDefault", SettingsTexts::vyla_string_default_in(language)});
  titles.push_back({"btnCancel", AppTexts::vyla_string_cancel_in(language)});
  for (PanelRow row : k_panel_rows) {
    if (control_kind(row) != ControlKind::on_off) continue;
    titles.push_back({outlet("enable", row), AppTexts::vyla_string_enable_in(language)});
    titles.push_back({outlet("disable", row), AppTexts::vyla_string_disable_in(language)});
  }
  titles.push_back({"lowRTG", Record::getRTGStringFromRTG_In(12, language)});
  titles.push_back({"mediumRTG", Record::getRTGStringFromRTG_In(15, language)});
  titles.push_back({"highRTG", Record::getRTGStringFromRTG_In(17, language)});
  // the VOX labels are set with the other texts of the page
  for (PanelRow row : k_panel_rows) {
    if (row == IVOX || row == HVOX) continue;
    titles.push_back({outlet("lbl", row), strings::setting_name(label_name(row), language)});
  }
  return titles;
}

std::vector<KeyBinding> panel_key_bindings() {
  std::vector<KeyBinding> bindings;
  for (const Hint& hint : hints()) {
    if (!hint.target) continue;
    const std::string sequence = key_sequence_of_hint(hint.hint);
    auto same = std::find_if(bindings.begin(), bindings.end(),
                             [&sequence](const KeyBinding& binding) { return binding.sequence == sequence; });
    if (same == bindings.end()) {
      bindings.push_back({sequence, {*hint.target}});
    } else {
      same->targets.push_back(*hint.target);
    }
  }
  return bindings;
}

session::MessageBoxRequest information_box(PanelRow row, int product, int language) {
  const auto name = [language](SettingName setting) { return strings::setting_name(setting, language); };
  const std::string product_name = AppTexts::vyla_product_name(product).value_or("");
  session::MessageBoxRequest box;
  box.ok_title = AppTexts::vyla_string_ok_in(language);
  box.purpose = session::MessageBoxPurpose::notice;
  switch (row) {
    case PLC:
      box.message = SettingsTexts::stringInformationPLC(language);
      box.size = size_of(4);
      break;
    case BitpoolRate:
      box.message = SettingsTexts::stringInformationBitpoolRate(language);
      box.size = size_of(2);
      break;
    case MicrophoneBoost:
      box.message = SettingsTexts::stringInformationMicrophoneBoost(language);
      // the Japanese text needs the taller box
      box.size = size_of(language == 4 ? 4 : 3);
      break;
    case Sidetone:
      box.message = SettingsTexts::stringInformationSidetone(language);
      box.size = size_of(2);
      break;
    case AmbientHushControl:
      box.message = platform::format(SettingsTexts::stringInformationAmbientHushControl(language),
                                     name(SettingName::AmbientHushControl));
      box.size = size_of(2);
      break;
    case AutoGainControl:
      box.message = SettingsTexts::stringInformationAutoGainControl(language);
      box.size = size_of(4);
      break;
    case AudioBoost:
      box.message = SettingsTexts::stringInformationAudioBoost(language);
      box.size = size_of(2);
      break;
    case MotionSensorSensitivity:
      box.message = SettingsTexts::stringInformationMotionSensorSensitivity(language);
      box.size = size_of(2);
      break;
    case AudioBraiding:
      box.message = platform::format(SettingsTexts::stringInformationAudioBraiding(language),
                                     name(SettingName::AudioBraiding), name(SettingName::FMRadio));
      box.size = size_of(6);
      break;
    case AudioBraidingSensitivity:
      box.message = platform::format(SettingsTexts::stringInformationIntercomAudioVeneerSesitivity(language),
                                     name(SettingName::AudioBraiding));
      box.size = size_of(4);
      break;
    case NavigationAppOverlay:
      box.message = platform::format(SettingsTexts::stringInformationNavigationAppOverlay(language),
                                     name(SettingName::AudioBraiding), name(SettingName::AudioBraiding));
      box.size = size_of(2);
      break;
    case RTG:
      box.message = platform::format(SettingsTexts::stringInformationRTG(language), product_name, product_name);
      box.size = size_of(3);
      break;
    case EDR:
      box.message = platform::format(SettingsTexts::stringInformationEDR43(language), platform::k_support_email);
      box.size = size_of(3);
      // Cancel writes a mail to support
      box.cancel_title = AppTexts::vyla_string_sendemail_in(language);
      box.purpose = session::MessageBoxPurpose::mail_support;
      break;
    default:
      box.message = platform::format(SettingsTexts::stringInformationACT(language), product_name, product_name);
      box.size = size_of(3);
      break;
  }
  return box;
}

session::MessageBoxRequest note_apply_box(int mode, int language, const std::string& note) {
  session::MessageBoxRequest box;
  box.message = platform::format("[%@]\n%@", AppTexts::vyla_string_mode_in(mode, language), note);
  box.warning = true;
  box.ok_title = AppTexts::vyla_string_ok_in(language);
  box.size = session::MessageBoxSize::w420_h135;
  box.purpose = session::MessageBoxPurpose::notice;
  return box;
}

}  // namespace settings
