#include "settings/fm_radio_editor.h"
#include "settings/settings_editor.h"

#include <algorithm>
#include <cmath>

#include "device_data/product_facts.h"
#include "platform/int_value.h"
#include "session/page_modes.h"
#include "strings/common_texts.h"
#include "strings/fm_radio_texts.h"
#include "strings/menu_texts.h"
#include "strings/settings_texts.h"

namespace settings {

namespace {

using Record = FEXOBluetoothDeviceData;

// The one product without a region row.
constexpr int k_product_without_region_row = 0x3128;

// A typed frequency beyond this many MHz either way is refused before it is
// made an integer, so no text can overflow the conversion.
constexpr float k_typed_limit_mhz = 100000.0f;

double mhz(int frequency) { return frequency / 100.0; }

bool is_six_preset_product(int product) {
  return Record::fmPresetCountForDevice(product) == Record::k_fm_preset_group_count;
}

}  // namespace

// The FM products are those whose FM block the FM page writes, or refuses to:
// the six-preset ones and the ten-preset ones.
bool is_fm_radio_product(int product) {
  const device_data::ProductFacts& row = device_data::product_facts(product);
  return row.fm_save != device_data::FmSave::persistent_store || row.fm_block_in_persistent_store;
}

int fm_slot_count(int product) { return is_six_preset_product(product) ? Record::k_fm_preset_group_count : k_fm_slot_count; }

bool hides_fm_region(int product) { return product == k_product_without_region_row; }

std::optional<int> typed_fm_preset(std::string_view text, int region) {
  // single precision throughout, as the text field's float value is taken
  const float typed = platform::float_value(text);
  if (!std::isfinite(typed) || std::fabs(typed) > k_typed_limit_mhz) return std::nullopt;
  const float hundredths = typed * 100.0f;
  const int value = static_cast<int>(hundredths);
  // to the nearest 0.1 MHz, halves up
  int rounded = 10 * (value / 10);
  if (value - rounded >= 5) rounded += 10;
  if (Record::checkFMPresetValidWithRegion_FMRadioPreset(region, rounded) != 0) return std::nullopt;
  return rounded;
}

FMRadioEditor::FMRadioEditor(SettingsHost& host) : m_host(host) {}

void FMRadioEditor::initializeObject() {
  m_dataCurrent = Record();
  m_dataCurrent.copyWithSource_version(m_host.data(), true);
  m_dataDefault = Record::makeDefaultDataWithSource(m_dataCurrent);
  m_dataDefault.setVoicePrompt(m_dataCurrent.voicePrompt());
}

int FMRadioEditor::slot_count() const { return fm_slot_count(m_host.deviceTarget()); }

std::optional<FMRadioView> FMRadioEditor::controlsWithData() const {
  // The tab list offers this page to some products without an FM radio; their
  // controls are left as they are rather than handing back to the page switch,
  // which would open this page again and come back here without end.
  if (!is_fm_radio_product(m_host.deviceTarget())) return std::nullopt;
  const int language = m_host.languageManager();
  FMRadioView view;
  view.region = m_dataCurrent.fmRadioRegion();
  view.band = device_data::fm_band(view.region);
  for (int slot = 0; slot < slot_count(); ++slot) {
    const int frequency = preset(slot);
    if (Record::checkFMPresetValidWithRegion_FMRadioPreset(view.region, frequency) == 0) {
      view.presets.push_back({true, frequency, FMRadioTexts::stringFrequency(mhz(frequency))});
    } else {
      view.presets.push_back({false, 0, FMRadioTexts::stringEmpty(language)});
    }
  }
  view.rds_column = m_dataCurrent.fmRadioRDS() != 0 ? 0 : 1;
  return view;
}

std::vector<OutletText> FMRadioEditor::titles(bool hints) const {
  const int language = m_host.languageManager();
  if (hints) {
    return {{"btnBack", "[C]-◀"},
            {"btnNewDevice", "[C]-▶"},
            {"btnSave", "[O][C]-S"},
            {"btnDefault", "[C]-D"},
            {"btnCancel", "[C]-C"},
            {"lblFMRadioPresets", FMRadioTexts::stringShortCutFMRadioPreset(language)},
            {"lblFMRadioRDS", "[O][C]-A"},
            {"enableFMRadioRDS", "[O]-A"},
            {"disableFMRadioRDS", "[S][O]-A"}};
  }
  return {{"btnBack", CommonTexts::vyla_string_back_in(language)},
          {"btnNewDevice", CommonTexts::vyla_string_new_device_in(language)},
          {"btnSave", SettingsTexts::vyla_string_save_in(language)},
          {"btnDefault", SettingsTexts::vyla_string_default_in(language)},
          {"btnCancel", CommonTexts::vyla_string_cancel_in(language)},
          {"lblFMRadioPresets", FMRadioTexts::stringPresets(language)},
          {"lblFMRadioRDS", FMRadioTexts::stringRDS(language)},
          {"enableFMRadioRDS", CommonTexts::vyla_string_enable_in(language)},
          {"disableFMRadioRDS", CommonTexts::vyla_string_disable_in(language)}};
}

std::vector<std::string> FMRadioEditor::regionNames() const {
  std::vector<std::string> names;
  for (int region = 0; region < k_fm_region_count; ++region) {
    names.push_back(FMRadioTexts::stringRegionName(region, m_host.languageManager()));
  }
  return names;
}

bool FMRadioEditor::isSettingsChanged() const {
  if (!is_fm_radio_product(m_host.deviceTarget())) return false;
  const Record& device = m_host.data();
  const Record& edited = m_dataCurrent;
  if (edited.fmRadioRegion() != device.fmRadioRegion()) return true;
  if (edited.fmRadioMagicCode() != device.fmRadioMagicCode()) return true;
  if (edited.fmRadioCurrentFrequency() != device.fmRadioCurrentFrequency()) return true;
  if (edited.fmRadioCurrentPreset() != device.fmRadioCurrentPreset()) return true;
  for (int slot = 0; slot < slot_count(); ++slot) {
    if (edited.fmRadioPresetsAt(slot) != device.fmRadioPresetsAt(slot)) return true;
  }
  return edited.fmRadioRDS() != device.fmRadioRDS();
}

bool FMRadioEditor::checkNeedToSave() {
  if (!isSettingsChanged()) return false;
  m_host.open_save_prompt(save_prompt(m_host.languageManager(), session::MessageBoxPurpose::save_settings_second));
  return true;
}

void FMRadioEditor::moveToModeToGo(int mode_to_go) {
  discardEdits();
  m_host.setMode(mode_to_go);
  m_host.setDetailViewController(session::page_mode_of(mode_to_go));
}

void FMRadioEditor::discardEdits() { m_dataCurrent.copyWithSource_version(m_host.data(), false); }

bool FMRadioEditor::begin_action() {
  if (m_host.onProcessing()) return false;
  session::close_tab_list(m_host, m_host);
  return true;
}

bool FMRadioEditor::changeToDefault() {
  if (!begin_action()) return false;
  m_dataCurrent.copyWithSource_version(m_dataDefault, false);
  return true;
}

bool FMRadioEditor::changeToOriginal() {
  if (!begin_action()) return false;
  discardEdits();
  return true;
}

bool FMRadioEditor::changeFMRadioRegion(int region) {
  if (!begin_action()) return false;
  m_dataCurrent.setFmRadioRegion(region);
  const int stored = m_dataCurrent.fmRadioRegion();
  for (int slot = 0; slot < slot_count(); ++slot) {
    if (Record::checkFMPresetValidWithRegion_FMRadioPreset(stored, preset(slot)) != 0) set_preset(slot, 0);
  }
  return true;
}

bool FMRadioEditor::checkFMRadioPreset(int slot, bool on) {
  if (!begin_action()) return false;
  const int last = slot_count();
  if (slot < 0 || slot >= last) return true;
  if (!on) {
    set_preset(slot, 0);
    return true;
  }
  // the nearest used slot before this one wins over one after it
  std::optional<int> taken;
  for (int other = slot - 1; other >= 0 && !taken; --other) {
    if (preset(other) > 0) taken = preset(other);
  }
  for (int other = slot + 1; other < last && !taken; ++other) {
    if (preset(other) > 0) taken = preset(other);
  }
  set_preset(slot, taken.value_or(device_data::fm_band(m_dataCurrent.fmRadioRegion()).lowest));
  return true;
}

bool FMRadioEditor::changeFMRadioPreset(int slot, int value) {
  if (!begin_action()) return false;
  if (slot >= 0 && slot < slot_count()) set_preset(slot, value);
  return true;
}

bool FMRadioEditor::changeFMRadioRDS(int column) {
  if (!begin_action()) return false;
  m_dataCurrent.setFmRadioRDS(column == 0 ? 1 : 0);
  return true;
}

bool FMRadioEditor::displayInformationRDS() {
  if (!begin_action()) return false;
  const int language = m_host.languageManager();
  MessageBoxRequest box;
  box.message = FMRadioTexts::stringInformationRDS(language);
  box.ok_title = CommonTexts::vyla_string_ok_in(language);
  box.size = session::MessageBoxSize::w520_h235;
  box.purpose = session::MessageBoxPurpose::notice;
  m_host.open_message_box(box);
  return true;
}

FMPresetEditView FMRadioEditor::openFMRadioPresetEdit(int slot, const std::string& button_title) const {
  const int language = m_host.languageManager();
  const device_data::FMBand band = device_data::fm_band(m_dataCurrent.fmRadioRegion());
  return {std::to_string(slot + 1), button_title, FMRadioTexts::stringRange(mhz(band.lowest), mhz(band.highest)),
          FMRadioTexts::stringMessageFMRadioPreset(language, mhz(band.lowest), mhz(band.highest))};
}

bool FMRadioEditor::isFMRadioPresetValid(int slot, std::string_view typed) {
  const std::optional<int> frequency = typed_fm_preset(typed, m_dataCurrent.fmRadioRegion());
  if (!frequency) return false;
  if (slot >= 0 && slot < slot_count()) set_preset(slot, *frequency);
  return true;
}

}  // namespace settings
