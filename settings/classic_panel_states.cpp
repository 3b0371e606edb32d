#include "settings/classic_panel_states.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <span>

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

// ---- the all-settings list ----

constexpr int k_all_settings_products[] = {
    0x2030, 0x3030, 0x3032, 0x3040, 0x3050, 0x3052, 0x3060, 0x3070, 0x3072, 0x3080, 0x3082, 0x3085, 0x3110, 0x3112,
    0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132, 0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3150,
    0x3152, 0x3154, 0x3156, 0x3161, 0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218,
    0x3232, 0x3240, 0x3260, 0x3264, 0x3300, 0x3310, 0x3320, 0x3330, 0x3340, 0x3341, 0x3350, 0x3360, 0x3370, 0x3400,
    0x3500, 0x3540, 0x3560, 0x3570, 0x3900, 0x4023, 0x4050, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530,
    0x4610, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510,
    0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5550, 0x5552, 0x5553, 0x5560, 0x5562, 0x5564,
    0x5570, 0x5576, 0x5580, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594, 0x5595, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621,
    0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022,
    0x6024, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6036, 0x6038, 0x6039, 0x6112, 0x6114, 0x6210, 0x6310, 0x6320,
    0x6330, 0x6335, 0x6400, 0x6500, 0x6510, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812,
    0x6900};

// ---- rows by product ----

using Version = FirmwareVersion;

struct RowStep {
  // From this version up to the next step; the first step has none.
  std::optional<Version> from;
  std::vector<PanelRow> rows;
  bool edr_note = false;
};

struct RowLine {
  std::vector<int> ids;
  std::vector<RowStep> steps;
};

// The 0x4D10 family's steps, with or without the microphone boost row, and
// with or without the sidetone row from 5.0.
std::vector<RowStep> steps_4d10(bool microphone_boost, bool sidetone_from_5_0) {
  std::vector<PanelRow> from_4_1 = {IntercomVOX, HandsfreeVOX, EDR, PLC, BitpoolRate};
  std::vector<PanelRow> from_4_2 = {IntercomVOX, HandsfreeVOX, EDR, BitpoolRate};
  if (microphone_boost) {
    from_4_1.push_back(MicrophoneBoost);
    from_4_2.push_back(MicrophoneBoost);
  }
  std::vector<RowStep> steps = {
      {{}, {IntercomVOX, HandsfreeVOX, EDR}, true},
      {Version{4, 0}, {IntercomVOX, HandsfreeVOX, EDR, PLC}, true},
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
  static const std::vector<RowLine> lines = {
      {{0x4D10, 0x4D30, 0x4D40}, steps_4d10(true, true)},
      {{0x4D20, 0x4D50, 0x5010, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5080}, steps_4d10(false, true)},
      {{0x5020, 0x5070}, steps_4d10(false, false)},
      // Products whose settings words are edited as the mesh models' (0x4D06,
      // 0x4D16, 0x4D86) have no PLC setting and no EDR note: below 2.0 they
      // show the rows they show at 2.0 without the sidetone.
      {{0x4D06, 0x4D16, 0x4D86},
       {always({HandsfreeVOX, EDR, BitpoolRate}), {Version{2, 0}, {HandsfreeVOX, EDR, BitpoolRate, Sidetone}}}},
      {{0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65},
       {{{}, {HandsfreeVOX, EDR, PLC}, true},
        {Version{1, 2}, {HandsfreeVOX, EDR, BitpoolRate}},
        {Version{2, 0}, {HandsfreeVOX, EDR, BitpoolRate, Sidetone}}}},
      {{0x2020},
       {always({IntercomVOX, HandsfreeVOX, EDR, BitpoolRate, Sidetone}),
        {Version{1, 1}, {IntercomVOX, HandsfreeVOX, EDR, BitpoolRate, Sidetone, AmbientHushControl}}}},
      {{0x4D75, 0x4D76, 0x5011}, {always({IntercomVOX, HandsfreeVOX, EDR, BitpoolRate, Sidetone})}},
      {{0x4D85, 0x6000}, {always({HandsfreeVOX, EDR, BitpoolRate, Sidetone})}},
      {{0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030}, {always({HandsfreeVOX, EDR, BitpoolRate})}},
      {{0x6110, 0x6111, 0x6120, 0x6121}, {always({EDR, BitpoolRate, Sidetone, AmbientHushControl})}},
      {{0x4120}, {always({EDR, BitpoolRate, Sidetone, AmbientHushControl, AutoGainControl})}},
      {{0x4110, 0x4111, 0x4112, 0x4113}, {always({EDR, BitpoolRate})}},
      {{0x6420, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490}, {always({HandsfreeVOX, EDR})}},
      {{0x6430}, {always({HandsfreeVOX})}},
      {{0x2120, 0x4021}, {always({HandsfreeVOX})}},
      {{0x4040, 0x4D21}, {always({Sidetone})}},
      {{0x5210}, {always({RTG, ACT})}},
  };
  return lines;
}

// Rows of the all-settings products on a system without the all-settings
// table; every other id of the list shows the six rows of its classic layout.
const std::vector<RowLine>& before_all_settings_lines() {
  static const std::vector<PanelRow> lm6 = {HandsfreeVOX,  Sidetone,
                                            MotionSensorSensitivity, AudioBraiding,
                                            AudioBraidingSensitivity, NavigationAppOverlay};
  static const std::vector<RowLine> lines = {
      {{0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}, {always(lm6)}},
      {{0x4210}, {always({HandsfreeVOX, Sidetone, AudioBraiding, AudioBraidingSensitivity}), {Version{1, 1}, lm6}}},
      {{0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x5522, 0x5524, 0x5536},
       {always({BitpoolRate, AmbientHushControl, AudioBoost})}},
      {{0x5560, 0x5562}, {always({})}},
  };
  return lines;
}

const std::vector<PanelRow> k_all_settings_classic_rows = {IntercomVOX, HandsfreeVOX,        BitpoolRate,
                                                           Sidetone,    AmbientHushControl, AudioBoost};
// 0x4023 keeps its settings on the classic panel beside the all-settings
// button: the rows its layout places.
const std::vector<PanelRow> k_4023_rows = {AudioBoost, HandsfreeVOX, BitpoolRate};
// Products whose apply note has no button in any language.
constexpr int k_without_note_button[] = {0x6420, 0x6430, 0x6440, 0x6450, 0x6460, 0x6470, 0x6480, 0x6490};
// Languages whose apply note needs its button: French, Dutch, Russian.
constexpr int k_note_button_languages[] = {1, 7, 8};

const RowStep* step_for(const std::vector<RowLine>& lines, int product, const Record& device) {
  for (const RowLine& line : lines) {
    if (!contains(line.ids, product)) continue;
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
SettingName label_name(PanelRow row) {
  switch (row) {
    case IntercomVOX: return SettingName::VOXIntercom;
    case HandsfreeVOX: return SettingName::VOXPhone;
    case EDR: return SettingName::EDREnhancedDataRate;
    case PLC: return SettingName::PLCPacketLossConcealment;
    case BitpoolRate: return SettingName::HighQualityA2DP;
    case MicrophoneBoost: return SettingName::MicrophoneBoosting;
    case Sidetone: return SettingName::Sidetone;
    case AmbientHushControl: return SettingName::AmbientHushControl;
    case AutoGainControl: return SettingName::AutoGainControl;
    case AudioBoost: return SettingName::AudioBoost;
    case MotionSensorSensitivity: return SettingName::MotionSensorSensitivity;
    case AudioBraiding: return SettingName::AudioBraiding;
    case AudioBraidingSensitivity: return SettingName::IntercomAudioVeneerSensitivity;
    case NavigationAppOverlay: return SettingName::NavigationAppSupport;
    case RTG: return SettingName::RadioTransmitGain;
    case ACT: return SettingName::AudioChannelTimeout;
  }
  return SettingName::Empty;
}

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
    {IntercomVOX, 'I'},        {HandsfreeVOX, 'H'},    {EDR, 'E'},        {PLC, 'P'},
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

bool in_all_settings_list(int product) { return contains(k_all_settings_products, product); }

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
      contains(k_note_button_languages, language) && !contains(k_without_note_button, product);
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
    if (row == IntercomVOX || row == HandsfreeVOX) continue;
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
