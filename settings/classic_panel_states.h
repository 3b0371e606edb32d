#pragma once
// What the settings page shows besides the layout: which classic rows a
// product offers at its firmware, the apply note and the all-settings button,
// the texts and button titles (or their key hints), the keys behind the hints,
// and the information boxes. The page only applies what this answers.
// Qt-free and stateless.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/key_hints.h"
#include "session/message_box.h"
#include "settings/classic_panel_layout.h"

namespace settings {

// ---- rows and notes ----

struct PanelStates {
  // Rows shown and enabled; every other row is hidden and disabled.
  std::array<bool, k_panel_row_count> rows{};
  // The EDR note under the EDR row.
  bool edr_note = false;
  // The apply note, and its button shown and enabled.
  bool note_apply = false;
  bool note_apply_button = false;
  // The all-settings button shown and enabled, with the all-settings table
  // and its scroll view shown.
  bool all_settings = false;

  bool shows(PanelRow row) const { return rows[static_cast<size_t>(index_of(row))]; }
};

// True for the products whose settings are edited in the all-settings table.
bool in_all_settings_list(int product);
// The all-settings table needs the system 10.7 or later.
bool system_offers_all_settings(int os_primary, int os_secondary);

// What product `product` shows in interface language `language` on an
// operating system os_primary.os_secondary, by the main firmware version of
// `device` (the device as read).
PanelStates classic_panel_states(int product, int language, int os_primary, int os_secondary,
                                 const FEXOBluetoothDeviceData& device);

// ---- texts ----

// A text for the control whose outlet is named `outlet`.
struct OutletText {
  std::string outlet;
  std::string text;
};

// Texts the page sets whatever the hints: the two VOX labels, the notes, the
// timeout's unit label and the motion sensor items (Disable, Low, High).
struct PanelTexts {
  std::string intercom_vox;
  std::string handsfree_vox;
  std::string note_edr;
  std::string note_apply;
  std::string act_unit;
  std::array<std::string, k_motion_sensor_items> motion_sensor_items;
};
PanelTexts panel_texts(int language);

// The all-settings sheet's Close button reads the same in every language.
inline constexpr char k_close_title[] = "CLOSE";

// Button titles, cell titles and row labels in `language`, or the key hints
// of the controls that have one when `hints`. The EDR label shows its hint
// only while the EDR information button is shown, else its name. The sheet's
// buttons keep their titles with hints.
std::vector<OutletText> panel_titles(int language, bool hints, bool edr_information_shown);

// A key that activates the first shown and enabled control of `targets`:
// the row labels' hints stand for their information buttons, and two labels
// share a hint where their rows never show together.
struct KeyBinding {
  std::string sequence;  // portable key text: "Ctrl+Alt+S"
  std::vector<std::string> targets;
};
// The page's keys. Back and New Device are left out: the main window binds
// their keys for every settings page.
std::vector<KeyBinding> panel_key_bindings();
// "[O][C]-S" as portable key text, "Ctrl+Alt+S".
using session::key_sequence_of_hint;

// ---- message boxes ----

// The box of `row`'s information button for product `product` in `language`.
session::MessageBoxRequest information_box(PanelRow row, int product, int language);
// The whole apply note in a box, titled with the name of page `mode`.
session::MessageBoxRequest note_apply_box(int mode, int language, const std::string& note);

}  // namespace settings
