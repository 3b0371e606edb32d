#pragma once
// The FM radio page's editing core: the working copy and the factory
// defaults, change detection against the device as read, the save prompt,
// leaving without saving, Default and Cancel, the region, the preset slots
// (check box, stepper, typed frequency) and the RDS switch. The page shows
// what this answers and forwards the user's actions. Frequencies are in
// 10 kHz units (8750 is 87.5 MHz). Qt-free; every operation runs on the main
// thread.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/fm_bands.h"
#include "settings/classic_panel_states.h"
#include "settings/settings_host.h"

namespace settings {

// Preset slots the page has; six-preset products use the first six.
inline constexpr int k_fm_slot_count = 10;
// Items of the region pop-up: Worldwide, Americas, Asia, Australia, Europe, Japan.
inline constexpr int k_fm_region_count = 6;

// True for a product with an FM radio the page edits (ten or six presets).
bool is_fm_radio_product(int product);
// Preset slots of an FM product: 6 for the six-preset products, else 10.
int fm_slot_count(int product);
// The product whose region row is hidden (its stored region still counts).
bool hides_fm_region(int product);

// What a preset slot shows: a used slot (a preset valid in the region) is
// checked, its stepper holds the preset and its button the frequency in MHz;
// an unused one is unchecked, its stepper 0, its button the Empty text.
struct FMSlotView {
  bool used = false;
  int stepper_value = 0;
  std::string title;
};

// The controls of the page as the working copy fills them.
struct FMRadioView {
  int region = 0;  // selected item of the region pop-up
  std::vector<FMSlotView> presets;  // one per slot the product has
  device_data::FMBand band;       // the steppers' limits and increment
  int rds_column = 1;             // 0 enable, 1 disable
};

// The edit sheet as it opens on a slot.
struct FMPresetEditView {
  std::string number;   // the slot's number, from 1
  std::string field;    // the slot button's title: a frequency or the Empty text
  std::string range;    // "(87.5 MHz ~ 108.0 MHz)"
  std::string warning;  // the warning button's title
};

// The frequency typed into the edit sheet, as a preset of `region`: the text's
// real value in MHz times 100 in single precision, cut towards zero, then
// rounded to the nearest 0.1 MHz with halves up (87.54 is 8750, 87.55 is
// 8760). Nullopt when that is not a valid preset of the region: outside its
// band or off its grid, and for text that is not a number (0), is not finite
// or lies beyond +-100000 MHz.
std::optional<int> typed_fm_preset(std::string_view text, int region);

class FMRadioEditor {
 public:
  explicit FMRadioEditor(SettingsHost& host);

  // ---- working copies ----
  // Opening the page: the working copy := the controller's record with its
  // versions; the defaults := the factory settings of the working copy, with
  // its voice-prompt setting, which Default never changes.
  void initializeObject();
  const FEXOBluetoothDeviceData& dataCurrent() const { return m_dataCurrent; }
  const FEXOBluetoothDeviceData& dataDefault() const { return m_dataDefault; }

  // ---- what the controls show ----
  // Nullopt for a product without an FM radio: its controls stay as they are.
  std::optional<FMRadioView> controlsWithData() const;
  // Titles by outlet name: the localized ones, or the key hints while the
  // controller shows them.
  std::vector<OutletText> titles(bool hints) const;
  // The region names of the pop-up's items in the interface language.
  std::vector<std::string> regionNames() const;

  // ---- change detection and leaving ----
  // Whether the FM block of the working copy differs from the device's (region,
  // magic word, current frequency and preset, the product's presets, RDS);
  // never for a product without an FM radio.
  bool isSettingsChanged() const;
  // With changes: opens the save prompt and answers true. Without: false.
  bool checkNeedToSave();
  // No in the save prompt: drops the edits and opens `mode_to_go` (a page
  // mode, or a mode plus 100 whose page is the mode).
  void moveToModeToGo(int mode_to_go);
  // A save that found the device gone or another: the edits go, the version
  // sets stay.
  void discardEdits();

  // ---- actions ----
  // Every action starts with this guard: false while an operation runs (do
  // nothing); otherwise closes an open tab list and answers true. The actions
  // below answer false when guarded, and true when the page is to refresh.
  bool begin_action();
  // Default: the working copy := the defaults (versions kept).
  bool changeToDefault();
  // Cancel: the working copy := the device's values (versions kept).
  bool changeToOriginal();
  // The region of pop-up item `region`; every preset not valid there is emptied.
  bool changeFMRadioRegion(int region);
  // Slot `slot` turned on or off. Off empties it; on takes the nearest used
  // preset before it, else the nearest after it, else the region's lowest.
  bool checkFMRadioPreset(int slot, bool on);
  // The slot's stepper moved to `value` (held on the region's grid by its limits).
  bool changeFMRadioPreset(int slot, int value);
  // RDS matrix column 0 enables, column 1 disables.
  bool changeFMRadioRDS(int column);
  // The RDS information box.
  bool displayInformationRDS();

  // ---- the edit sheet ----
  // The sheet's texts for `slot` whose button shows `button_title`.
  FMPresetEditView openFMRadioPresetEdit(int slot, const std::string& button_title) const;
  // OK of the sheet: stores the typed frequency in `slot` and answers true
  // when it is a valid preset of the region; otherwise stores nothing.
  bool isFMRadioPresetValid(int slot, std::string_view typed);

 private:
  int slot_count() const;
  int preset(int slot) const { return m_dataCurrent.fmRadioPresetsAt(slot); }
  void set_preset(int slot, int value) { m_dataCurrent.setFmRadioPresetsAt_with(slot, value); }

  SettingsHost& m_host;
  FEXOBluetoothDeviceData m_dataCurrent;
  FEXOBluetoothDeviceData m_dataDefault;
};

}  // namespace settings
