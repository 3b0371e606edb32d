#pragma once
// The classic settings panel of older models as data: its rows, where each
// product and firmware step places them, and which value of the working copy
// each control shows. The settings page only applies what this answers.
// Frames are in points with the origin at the panel's bottom-left corner, as
// the panel was designed. Qt-free and stateless.
#include <array>
#include <optional>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/setting_catalogue.h"

namespace settings {

// The rows of the panel, in the order of the page's outlets.
using PanelRow = device_data::Setting;

inline constexpr int k_panel_row_count = 16;
inline constexpr std::array<PanelRow, k_panel_row_count> k_panel_rows = {
    PanelRow::IVOX,        PanelRow::HVOX,      PanelRow::EDR,
    PanelRow::PLC,                PanelRow::BitpoolRate,       PanelRow::MicrophoneBoost,
    PanelRow::Sidetone,           PanelRow::AmbientHushControl, PanelRow::AutoGainControl,
    PanelRow::AudioBoost,         PanelRow::MotionSensorSensitivity, PanelRow::AudioBraiding,
    PanelRow::AudioBraidingSensitivity, PanelRow::NavigationAppOverlay, PanelRow::RTG,
    PanelRow::ACT};

// The row's place in k_panel_rows; -1 for a setting the panel has no row for.
constexpr int index_of(PanelRow row) {
  for (int index = 0; index < k_panel_row_count; ++index) {
    if (k_panel_rows[static_cast<size_t>(index)] == row) return index;
  }
  return -1;
}

// What a row's value control is.
enum class ControlKind {
  on_off,             // radio<Row>: enable<Row> in column 0, disable<Row> in column 1
  pop_up,             // popUp<Row>
  three_cells,        // radioRTG: lowRTG, mediumRTG, highRTG
  field_and_stepper,  // tfACT, stepperACT and the unit label lblACTUnit
};

// The name in the row's outlets: lbl<Row>, btn<Row>, radio<Row>, popUp<Row>, enable<Row>, disable<Row>.
const char* panel_row_name(PanelRow row);
ControlKind control_kind(PanelRow row);
// The two VOX rows have no information button.
bool has_information_button(PanelRow row);

// Items of the two pop-ups: Disable, Low, High; and the sensitivity steps 1 to 10.
inline constexpr int k_motion_sensor_items = 3;
inline constexpr int k_braiding_sensitivity_items = 10;

// ---- geometry ----

// A rectangle in points from the panel's bottom-left corner.
struct Frame {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Frame&) const = default;
};

// The same rectangle measured from the top-left corner of a panel
// `panel_height` points high, as widgets are placed.
struct TopLeftRect {
  int x = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TopLeftRect&) const = default;
};
TopLeftRect top_left_of(const Frame& frame, int panel_height);

// Frames every layout gives the page buttons and the apply note.
inline constexpr Frame k_frame_btnDefault{282, 243, 109, 19};
inline constexpr Frame k_frame_btnCancel{396, 243, 109, 19};
inline constexpr Frame k_frame_btnBack{7, 7, 140, 19};
inline constexpr Frame k_frame_btnSave{185, 7, 155, 19};
inline constexpr Frame k_frame_btnNewDevice{375, 7, 140, 19};
inline constexpr Frame k_frame_lblNoteApply{50, 58, 424, 17};
inline constexpr Frame k_frame_btnNoteApply{465, 56, 20, 17};
// The activity bar sits between Save and New Device.
inline constexpr Frame k_frame_piProcessing{346, 9, 24, 15};

// The four row grids of the panel.
enum class PanelTemplate {
  Grid18,     // six rows from 226 down, 25 apart, controls 18 high
  Grid23,     // the same rows, controls 23 high
  NoteGrid3,  // three rows, the EDR note, three rows
  NoteGrid2,  // two rows, the EDR note, one row
};

struct RowFrames {
  Frame label;
  Frame information;
  Frame control;
};

// Rows a template holds.
int slot_count(PanelTemplate panel_template);
// Frames of the row in slot `slot` (0 is the top row) of `panel_template`.
RowFrames row_frames(PanelTemplate panel_template, int slot);
// Where the EDR note goes on a template that has one.
std::optional<Frame> edr_note_frame(PanelTemplate panel_template);

// The audio channel timeout row's value area split into field, stepper and unit label.
struct TimeoutFrames {
  Frame field;
  Frame stepper;
  Frame unit;
};
TimeoutFrames timeout_frames(const Frame& control);

// Frames of every row before the first layout: the transmit-gain and
// channel-timeout rows (which only 0x5210 shows, and which no layout places)
// on the Grid18 rows at 226 and 201, the others on the Grid18 rows in row
// order, from the top again after the sixth.
RowFrames initial_row_frames(PanelRow row);

// ---- layout by product and firmware ----

// A main firmware version major.minor from which a rule holds.
struct FirmwareVersion {
  int major;
  int minor;
};
// True when the main version of `device` has reached `from`; always without one.
bool has_reached(const FEXOBluetoothDeviceData& device, const std::optional<FirmwareVersion>& from);

struct PlacedRow {
  PanelRow row;
  RowFrames frames;
};

struct PanelLayout {
  // The rows placed, top to bottom; rows not named keep their frames.
  std::vector<PlacedRow> rows;
  std::optional<Frame> edr_note;
  // The apply note and its button at their fixed frames.
  bool apply_note = false;
  std::optional<Frame> all_settings;
  // The rows whose controls show the working copy's value: the rows placed
  // and, for some products, rows that are not placed.
  std::vector<PanelRow> values;
};

// The layout of product `product` at the main firmware version of `device`
// (the device as read, never the working copy); nullopt for a product the
// panel has no layout for, where nothing is placed and no value set.
std::optional<PanelLayout> classic_panel_layout(int product, const FEXOBluetoothDeviceData& device);

// ---- values ----

// What the value control of `row` shows for `product` from the working copy
// `edited`: the column of a radio (0 or 1, RTG 0 to 2), the item of a pop-up
// (-1: none, for a value outside the items), the seconds of the timeout.
int panel_value(PanelRow row, int product, const FEXOBluetoothDeviceData& edited);

}  // namespace settings
