#pragma once
// The rows of the all-settings table: for the selected product, the main
// firmware version and the recognition flags, the ordered rows of the table,
// each with its cell kind, label, pop-up items, the value of the working copy
// it selects, whether its control is enabled (some rows hang on another
// setting), whether its information button shows, and the setting action a
// change sends. The count and the rows answer from one decision, so they
// always agree. Nothing is cached: every call reads the context it is given.
// Qt-free; main thread (it reads the working copy).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "settings/setting_actions.h"
#include "strings/setting_names.h"

namespace session {
class AppState;
}

namespace settings {

// What the rows depend on, as the controller holds it at the moment of a call.
struct AllSettingsContext {
  // The selected product id (the controller's deviceTarget).
  int product = 0;
  // The device as recognition read it: its main firmware version (and for
  // the LM6 its secondary version) chooses the rows.
  const FEXOBluetoothDeviceData& data;
  // The working copy: every value the rows show and every dependent enabling.
  const FEXOBluetoothDeviceData& current;
  // 4: the device has no FM radio; any other value: it has.
  int fmRadioShowAndHide = 3;
  // 6: no motion sensor; any other value: one.
  int motionSensorShowAndHide = 5;
  // 0..7: a known speaker accessory type; any other value: the accessory rows.
  int device50SpeakerType = 0;
  // 1: the LM6 lists with the speaker rows.
  int deviceInfoStatus = 0;
  // The voice-prompt language pack: 0, 2 or any other type.
  int devicelanguagePackType = 0;
  // Interface language 0..12 (any other index reads English).
  int language = 0;
};

// The context from the controller's state at this moment and the page's
// working copy. `state` and `current` must outlive the context.
AllSettingsContext all_settings_context(const session::AppState& state, const FEXOBluetoothDeviceData& current);

enum class RowKind {
  on_off,  // a radio pair: column 0 Enable, column 1 Disable
  pop_up,
};

struct AllSettingsRow {
  RowKind kind = RowKind::on_off;
  // The row type, as the catalogue names it ("Audio Equalizer [LM6/T3]").
  std::string_view type;
  // The label's name, and the label in the interface language.
  strings::SettingName name = strings::SettingName::DeviceSetting;
  std::string label;
  // On/off rows: the titles of the two radio cells.
  std::string enable_title;
  std::string disable_title;
  // Pop-up rows: the items in order.
  std::vector<std::string> items;
  // On/off rows: the column selected (0 Enable, 1 Disable). Pop-up rows: the
  // item selected, or -1 when the value has no item (nothing is selected).
  int selected = -1;
  // Whether the radio pair or the pop-up takes the user's choice.
  bool enabled = true;
  // Whether the information button shows (and is enabled).
  bool information_shown = true;
  // The mesh dock's rows also hide the pop-up cell's second information button.
  bool hides_pop_up_information = false;
  // What a change of this row sends, with the radio column or item index.
  SettingAction action = SettingAction::VoicePrompt;
};

// The number of rows of the table; 0 for a product without rows.
int numberOfRowsInTableView(const AllSettingsContext& context);
// Row `index` (from 0) of the table; none at or past the count.
std::optional<AllSettingsRow> all_settings_row(const AllSettingsContext& context, int index);
// Every row of the table, in order.
std::vector<AllSettingsRow> all_settings_rows(const AllSettingsContext& context);

// ---- the catalogue itself, for its checks ----

// Every product id that has rows, in ascending order.
std::vector<int> all_settings_products();
// The names of the row types, in catalogue order.
std::vector<std::string_view> all_settings_row_types();

// One list of rows as written and as built.
struct AllSettingsListCheck {
  int number = 0;                    // the list's number, L1 being 1
  int rows_written = 0;              // the row count written beside the list
  int rows_built = 0;                // the rows it resolves to
  std::vector<std::string> unknown;  // names that match no row type
};
std::vector<AllSettingsListCheck> all_settings_list_checks();

}  // namespace settings
