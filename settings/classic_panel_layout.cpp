#include "settings/classic_panel_layout.h"

#include <algorithm>
#include <initializer_list>
#include <span>

#include "device_data/product_facts.h"

namespace settings {

namespace {

using Record = FEXOBluetoothDeviceData;
using enum PanelRow;

// ---- rows ----

struct RowTraits {
  const char* name;
  ControlKind kind;
};

constexpr std::array<RowTraits, k_panel_row_count> k_row_traits = {{
    {"IntercomVOX", ControlKind::on_off},
    {"HandsfreeVOX", ControlKind::on_off},
    {"EDR", ControlKind::on_off},
    {"PLC", ControlKind::on_off},
    {"BitpoolRate", ControlKind::on_off},
    {"MicrophoneBoost", ControlKind::on_off},
    {"Sidetone", ControlKind::on_off},
    {"AmbientHushControl", ControlKind::on_off},
    {"AutoGainControl", ControlKind::on_off},
    {"AudioBoost", ControlKind::on_off},
    {"MotionSensorSensitivity", ControlKind::pop_up},
    {"AudioBraiding", ControlKind::on_off},
    {"AudioBraidingSensitivity", ControlKind::pop_up},
    {"NavigationAppOverlay", ControlKind::on_off},
    {"RTG", ControlKind::three_cells},
    {"ACT", ControlKind::field_and_stepper},
}};

// ---- grids ----

constexpr int k_label_x = 50;
constexpr int k_label_width = 207;
constexpr int k_label_height = 17;
constexpr int k_information_x = 257;
constexpr int k_information_width = 19;
constexpr int k_information_height = 17;
constexpr int k_control_x = 289;
constexpr int k_control_width = 182;
constexpr int k_grid_top = 226;
constexpr int k_grid_step = 25;

constexpr int k_note_grid3_rows[] = {226, 201, 176, 115, 90, 65};
constexpr int k_note_grid2_rows[] = {226, 201, 140};

int row_y(PanelTemplate panel_template, int slot) {
  switch (panel_template) {
    case PanelTemplate::NoteGrid3: return k_note_grid3_rows[slot];
    case PanelTemplate::NoteGrid2: return k_note_grid2_rows[slot];
    default: return k_grid_top - k_grid_step * slot;
  }
}

// ---- layout table ----

using Version = FirmwareVersion;

// An empty slot keeps its place free (the row below it moves down).
using Slot = std::optional<PanelRow>;
constexpr Slot k_empty = std::nullopt;

// The all-settings button: wide under six rows, else on the first free row's label.
constexpr Frame k_all_settings_wide{137, 76, 250, 19};
constexpr Frame all_settings_at(int y) { return Frame{k_label_x, y, k_label_width, k_label_height}; }

struct Step {
  // The step holds from this version up to the next step; the first step has none.
  std::optional<Version> from;
  PanelTemplate panel_template;
  std::vector<Slot> slots;
  bool edr_note;
  bool apply_note;
  std::optional<Frame> all_settings;
  std::vector<PanelRow> values_also;
};

struct LayoutLine {
  // The products of the line: those whose catalogue row names one of these panels.
  std::vector<device_data::ClassicPanel> panels;
  std::vector<Step> steps;
};

// Steps of the 0x4D20 line: 0x5020 and 0x5070 share the first three.
std::vector<Step> steps_4d20_before_4_2() {
  return {
      {{}, PanelTemplate::NoteGrid3, {HVOX, IVOX, EDR}, true, true, {}, {}},
      {Version{4, 0}, PanelTemplate::NoteGrid3, {HVOX, IVOX, EDR, PLC}, true, true, {}, {}},
      {Version{4, 1}, PanelTemplate::NoteGrid3, {HVOX, IVOX, EDR, PLC, BitpoolRate}, true, true, {}, {}},
  };
}

std::vector<Step> with(std::vector<Step> steps, std::initializer_list<Step> more) {
  steps.insert(steps.end(), more.begin(), more.end());
  return steps;
}

Step any_version(PanelTemplate panel_template, std::vector<Slot> slots, bool apply_note,
                 std::optional<Frame> all_settings = {}, std::vector<PanelRow> values_also = {}) {
  return Step{{}, panel_template, std::move(slots), false, apply_note, all_settings, std::move(values_also)};
}

const std::vector<LayoutLine>& layout_lines() {
  static const std::vector<LayoutLine> lines = [] {
    using T = PanelTemplate;
    using P = device_data::ClassicPanel;
    const std::vector<Slot> lm6_rows = {HVOX,  Sidetone, MotionSensorSensitivity, AudioBraiding,
                                        AudioBraidingSensitivity, NavigationAppOverlay};
    std::vector<LayoutLine> table;
    table.push_back(
        {{P::like_4d10},
         {{{}, T::NoteGrid3, {HVOX, IVOX, EDR}, true, true, {}, {}},
          {Version{4, 0}, T::NoteGrid3, {HVOX, IVOX, EDR, PLC}, true, true, {}, {}},
          {Version{4, 1}, T::NoteGrid3, {HVOX, IVOX, EDR, PLC, BitpoolRate, MicrophoneBoost}, true,
           true, {}, {}},
          {Version{4, 2}, T::Grid18, {HVOX, IVOX, EDR, BitpoolRate, MicrophoneBoost}, false, true, {},
           {}},
          {Version{5, 0}, T::Grid18, {HVOX, IVOX, EDR, BitpoolRate, Sidetone, MicrophoneBoost}, false,
           true, {}, {}}}});
    table.push_back(
        {{P::like_4d20},
         with(steps_4d20_before_4_2(),
              {{Version{4, 2}, T::Grid18, {HVOX, IVOX, EDR, BitpoolRate}, false, true, {}, {}},
               {Version{5, 0}, T::Grid18, {HVOX, IVOX, EDR, BitpoolRate, Sidetone}, false, true, {},
                {}}})});
    table.push_back(
        {{P::like_5020},
         with(steps_4d20_before_4_2(),
              {{Version{4, 2}, T::Grid18, {HVOX, IVOX, EDR, BitpoolRate}, false, true, {}, {}}})});
    table.push_back({{P::like_4d05},
                     {{{}, T::NoteGrid2, {HVOX, EDR, PLC}, true, true, {}, {IVOX}},
                      {Version{1, 2}, T::Grid18, {HVOX, EDR, BitpoolRate}, false, true, {}, {IVOX}},
                      {Version{2, 0}, T::Grid18, {HVOX, EDR, BitpoolRate, Sidetone}, false, true, {},
                       {IVOX}}}});
    table.push_back(
        {{P::like_4d06}, {any_version(T::Grid18, {HVOX, EDR, BitpoolRate, Sidetone}, true)}});
    table.push_back({{P::like_4d76},
                     {any_version(T::Grid18, {HVOX, IVOX, EDR, BitpoolRate, Sidetone}, true)}});
    table.push_back(
        {{P::like_2020},
         {any_version(T::Grid18, {HVOX, IVOX, EDR, BitpoolRate, Sidetone}, true),
          {Version{1, 1}, T::Grid18, {HVOX, IVOX, EDR, BitpoolRate, Sidetone, AmbientHushControl},
           false, true, {}, {}}}});
    table.push_back(
        {{P::like_4d85}, {any_version(T::Grid18, {HVOX, EDR, BitpoolRate, Sidetone}, true, {}, {IVOX})}});
    table.push_back({{P::like_6000}, {any_version(T::Grid18, {HVOX, EDR, BitpoolRate, Sidetone}, true)}});
    table.push_back({{P::like_2010},
                     {any_version(T::Grid18, {HVOX, EDR, BitpoolRate}, true, {}, {IVOX})}});
    table.push_back({{P::like_2120}, {any_version(T::Grid18, {k_empty, HVOX}, true)}});
    table.push_back({{P::like_4d21}, {any_version(T::Grid18, {k_empty, Sidetone}, true)}});
    table.push_back({{P::like_4040}, {any_version(T::Grid18, {Sidetone}, true)}});
    table.push_back({{P::like_4110}, {any_version(T::Grid18, {EDR, BitpoolRate}, true)}});
    table.push_back(
        {{P::like_4120},
         {any_version(T::Grid18, {EDR, BitpoolRate, Sidetone, AmbientHushControl, AutoGainControl}, true)}});
    table.push_back({{P::like_6110},
                     {any_version(T::Grid18, {EDR, BitpoolRate, Sidetone, AmbientHushControl}, true)}});
    table.push_back({{P::like_6420},
                     {any_version(T::Grid18, {HVOX, EDR}, false)}});
    table.push_back({{P::like_6430}, {any_version(T::Grid18, {HVOX}, false)}});
    table.push_back({{P::lm6},
                     {any_version(T::Grid23, lm6_rows, false, k_all_settings_wide)}});
    table.push_back(
        {{P::lm6_4210},
         {any_version(T::Grid23, {HVOX, Sidetone, AudioBraiding, AudioBraidingSensitivity}, false),
          {Version{1, 1}, T::Grid23, lm6_rows, false, false, {}, {}},
          {Version{1, 2}, T::Grid23, lm6_rows, false, false, k_all_settings_wide, {}}}});
    table.push_back({{P::like_4023}, {any_version(T::Grid23, {AudioBoost, HVOX, BitpoolRate}, false,
                                            all_settings_at(151))}});
    table.push_back({{P::like_5522}, {any_version(T::Grid23, {AudioBoost, BitpoolRate, AmbientHushControl},
                                                            false, all_settings_at(151))}});
    table.push_back(
        {{P::like_5526},
         {any_version(T::Grid23, {AudioBoost, HVOX, IVOX, BitpoolRate, AmbientHushControl}, false,
                      all_settings_at(101))}});
    table.push_back({{P::like_3030},
                     {any_version(T::Grid23, {BitpoolRate, AmbientHushControl}, false, all_settings_at(176))}});
    // the transmit-gain and channel-timeout rows keep their frames
    table.push_back({{P::like_5210}, {any_version(T::Grid18, {}, true, {}, {RTG, ACT})}});
    // page buttons only
    table.push_back({{P::buttons_only, P::buttons_only_5560},
                     {any_version(T::Grid18, {}, false)}});
    table.push_back(
        {{P::six_rows},
         {any_version(T::Grid23,
                      {AudioBoost, HVOX, IVOX, BitpoolRate, Sidetone, AmbientHushControl}, false,
                      k_all_settings_wide)}});
    return table;
  }();
  return lines;
}

const Step& step_for(const LayoutLine& line, const Record& device) {
  const Step* chosen = &line.steps.front();
  for (const Step& step : line.steps) {
    if (has_reached(device, step.from)) chosen = &step;
  }
  return *chosen;
}

bool holds(const LayoutLine& line, int product) {
  const device_data::ClassicPanel panel = device_data::product_facts(product).classic_panel;
  return std::find(line.panels.begin(), line.panels.end(), panel) != line.panels.end();
}

// ---- values ----

// Which record accessors a product's rows read.
enum class Accessors { plain, nd4, lm6 };

// The mesh models' words (the 4D layout), the LM6 words (the two-module products).
Accessors accessors_of(int product) {
  const device_data::ProductFacts& facts = device_data::product_facts(product);
  if (facts.setting_layouts & device_data::k_layout_4d) return Accessors::nd4;
  if (facts.two_modules) return Accessors::lm6;
  return Accessors::plain;
}

// Column 1 shows a value of 0; any other value (2 as well as 1) shows column 0.
int column_zero_when_set(int32_t value) { return value == 0 ? 1 : 0; }
// Column 1 shows a set value; 0 shows column 0.
int column_one_when_set(int32_t value) { return value != 0 ? 1 : 0; }

int item_or_none(int item, int items) { return item >= 0 && item < items ? item : -1; }

}  // namespace

const char* panel_row_name(PanelRow row) { return k_row_traits[static_cast<size_t>(index_of(row))].name; }

ControlKind control_kind(PanelRow row) { return k_row_traits[static_cast<size_t>(index_of(row))].kind; }

bool has_information_button(PanelRow row) { return row != IVOX && row != HVOX; }

bool has_reached(const Record& device, const std::optional<FirmwareVersion>& from) {
  return !from || device.compareVersionUpToMinorWithMajor_Minor(from->major, from->minor) >= 0;
}

TopLeftRect top_left_of(const Frame& frame, int panel_height) {
  return TopLeftRect{frame.x, panel_height - frame.y - frame.height, frame.width, frame.height};
}

int slot_count(PanelTemplate panel_template) {
  return panel_template == PanelTemplate::NoteGrid2 ? static_cast<int>(std::size(k_note_grid2_rows))
                                                    : static_cast<int>(std::size(k_note_grid3_rows));
}

RowFrames row_frames(PanelTemplate panel_template, int slot) {
  const int y = row_y(panel_template, slot);
  RowFrames frames;
  frames.label = Frame{k_label_x, y, k_label_width, k_label_height};
  frames.information = Frame{k_information_x, y - 2, k_information_width, k_information_height};
  switch (panel_template) {
    case PanelTemplate::Grid18:
      frames.control = Frame{k_control_x, y - 3, k_control_width, 18};
      break;
    case PanelTemplate::Grid23:
      frames.control = Frame{k_control_x, y - 5, k_control_width, 23};
      break;
    case PanelTemplate::NoteGrid3:
    case PanelTemplate::NoteGrid2:
      frames.control = Frame{k_control_x, y - 2, k_control_width, 18};
      // the lowest row of the three-row note grid sits a point higher
      if (y == 65) {
        frames.information.y = 64;
        frames.control.y = 64;
      }
      break;
  }
  return frames;
}

std::optional<Frame> edr_note_frame(PanelTemplate panel_template) {
  switch (panel_template) {
    case PanelTemplate::NoteGrid3: return Frame{50, 140, 424, 34};
    case PanelTemplate::NoteGrid2: return Frame{50, 165, 424, 34};
    default: return std::nullopt;
  }
}

TimeoutFrames timeout_frames(const Frame& control) {
  // a field for two digits, the stepper's arrows, then "seconds (3 ~ 60)"
  constexpr int k_field_width = 44;
  constexpr int k_stepper_width = 15;
  constexpr int k_gap = 4;
  TimeoutFrames frames;
  frames.field = Frame{control.x, control.y, k_field_width, control.height};
  frames.stepper = Frame{control.x + k_field_width + k_gap, control.y, k_stepper_width, control.height};
  const int unit_x = frames.stepper.x + k_stepper_width + k_gap;
  frames.unit = Frame{unit_x, control.y + 1, control.x + control.width - unit_x, k_label_height};
  return frames;
}

RowFrames initial_row_frames(PanelRow row) {
  if (row == RTG) return row_frames(PanelTemplate::Grid18, 0);
  if (row == ACT) return row_frames(PanelTemplate::Grid18, 1);
  return row_frames(PanelTemplate::Grid18, index_of(row) % slot_count(PanelTemplate::Grid18));
}

std::optional<PanelLayout> classic_panel_layout(int product, const Record& device) {
  for (const LayoutLine& line : layout_lines()) {
    if (!holds(line, product)) continue;
    const Step& step = step_for(line, device);
    PanelLayout layout;
    for (size_t slot = 0; slot < step.slots.size(); ++slot) {
      if (!step.slots[slot]) continue;
      const PanelRow row = *step.slots[slot];
      layout.rows.push_back({row, row_frames(step.panel_template, static_cast<int>(slot))});
      layout.values.push_back(row);
    }
    if (step.edr_note) layout.edr_note = edr_note_frame(step.panel_template);
    layout.apply_note = step.apply_note;
    layout.all_settings = step.all_settings;
    layout.values.insert(layout.values.end(), step.values_also.begin(), step.values_also.end());
    return layout;
  }
  return std::nullopt;
}

int panel_value(PanelRow row, int product, const Record& edited) {
  const Accessors accessors = accessors_of(product);
  switch (row) {
    case HVOX:
      return column_zero_when_set(accessors == Accessors::nd4   ? edited.GetBasicSettingND4VOXPhone()
                                  : accessors == Accessors::lm6 ? edited.getBasicSettingLM6VOXPhone()
                                                                : edited.handsfreeVOX());
    case IVOX:
      return column_zero_when_set(product == 0x4D76 ? edited.GetBasicSettingND4VOXIntercom() : edited.intercomVOX());
    case EDR:
      return column_one_when_set(accessors == Accessors::nd4 ? edited.GetBasicSettingEDR() : edited.edr());
    case PLC:
      return column_zero_when_set(edited.plc());
    case BitpoolRate:
      return column_zero_when_set(accessors == Accessors::nd4 ? edited.GetBasicSettingND4HighQulityA2DP()
                                                              : edited.bitpoolRate());
    case MicrophoneBoost:
      return column_zero_when_set(edited.microphoneBoost());
    case Sidetone:
      return column_zero_when_set(accessors == Accessors::nd4   ? edited.GetBasicSettingND4Sidetone()
                                  : accessors == Accessors::lm6 ? edited.getBasicSettingLM6Sidetone()
                                                                : edited.sidetone());
    case AmbientHushControl:
      return column_one_when_set(edited.ambientHushControl());
    case AutoGainControl:
      return column_one_when_set(edited.autoGainControl());
    case AudioBoost:
      return column_one_when_set(edited.audioBoost());
    case AudioBraiding:
      return column_zero_when_set(edited.getBasicSettingLM6AudioBraiding());
    case NavigationAppOverlay:
      return column_zero_when_set(edited.getBasicSettingLM6NavigationAppOverlay());
    case MotionSensorSensitivity:
      return item_or_none(edited.getBasicSettingLM6MotionSensorSensitivity() - 1, k_motion_sensor_items);
    case AudioBraidingSensitivity:
      // the device's level 10 is the first item
      return item_or_none(10 - edited.getBasicSettingLM6AudioBraidingSensitivity(), k_braiding_sensitivity_items);
    case RTG:
      return FEXOBluetoothDeviceData::getIndexFromRTG(edited.radioTransmitGain());
    case ACT:
      return edited.audioChannelTimeout();
    default:
      break;
  }
  return -1;
}

}  // namespace settings
