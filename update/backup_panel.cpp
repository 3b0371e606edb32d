#include "update/backup_panel.h"

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "device_data/product_facts.h"
#include "platform/keyed_archive.h"
#include "platform/files.h"
#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/setting_names.h"
#include "strings/update_texts.h"
#include "update/backup_step.h"

namespace update {

namespace {

using strings::SettingName;
using Record = FEXOBluetoothDeviceData;


// True when the record's main version is older than major.minor.
bool older_than(const Record& record, int major, int minor) {
  return record.compareVersionUpToMinorWithMajor_Minor(major, minor) < 0;
}

// ---- the settings rows ----

// What a settings row shows: its name and how its value reads.
enum class RowKind {
  VP,   // VOX Phone
  VI,   // VOX Intercom
  EDR,  // EDR, shown inverted
  EDRdirect,
  PLC,
  HQ,   // High Quality A2DP
  ST,   // Sidetone
  AH,   // Ambient Hush Control, inverted
  AGC,  // Auto Gain Control, inverted
  AB,   // Audio Boost, inverted
  MB,   // Microphone Boosting
  VP6,  // VOX Phone of the settings words
  ST6,  // Sidetone of the settings words
  MS,   // Motion Sensor Sensitivity
  BR,   // Audio Braiding
  IS,   // Intercom-audio sensitivity
  NA,   // Navigation App Support
  RG,   // Radio Transmit Gain
  CT,   // Audio Channel Timeout
  // These products' first row is named "Audio Boost" but shows whether the
  // FM station guide is on (1).
  ABStationGuide,
};

// Rows 1..6; none: the row is not written.
using Rows = std::array<std::optional<RowKind>, 6>;

Rows rows(std::initializer_list<RowKind> kinds) {
  Rows result;
  std::size_t index = 0;
  for (RowKind kind : kinds) result[index++] = kind;
  return result;
}

std::string on_off(bool enabled, int language) {
  return enabled ? CommonTexts::vyla_string_enabled_in(language) : CommonTexts::vyla_string_disabled_in(language);
}

SettingName name_of(RowKind kind) {
  switch (kind) {
    case RowKind::VP:
    case RowKind::VP6: return SettingName::VOXPhone;
    case RowKind::VI: return SettingName::VOXIntercom;
    case RowKind::EDR:
    case RowKind::EDRdirect: return SettingName::EDREnhancedDataRate;
    case RowKind::PLC: return SettingName::PLCPacketLossConcealment;
    case RowKind::HQ: return SettingName::HighQualityA2DP;
    case RowKind::ST:
    case RowKind::ST6: return SettingName::Sidetone;
    case RowKind::AH: return SettingName::AmbientHushControl;
    case RowKind::AGC: return SettingName::AutoGainControl;
    case RowKind::AB:
    case RowKind::ABStationGuide: return SettingName::AudioBoost;
    case RowKind::MB: return SettingName::MicrophoneBoosting;
    case RowKind::MS: return SettingName::MotionSensorSensitivity;
    case RowKind::BR: return SettingName::AudioBraiding;
    case RowKind::IS: return SettingName::IntercomAudioVeneerSensitivityCut;
    case RowKind::NA: return SettingName::NavigationAppSupport;
    case RowKind::RG: return SettingName::RadioTransmitGain;
    case RowKind::CT: return SettingName::AudioChannelTimeout;
  }
  return SettingName::DeviceSetting;
}

std::string motion_sensor_text(int32_t value, int language) {
  switch (value) {
    case 1: return CommonTexts::vyla_string_disable_in(language);
    // the gain-level names of the lowest and the highest transmit gain
    case 2: return Record::getRTGStringFromRTG_In(12, language);
    case 3: return Record::getRTGStringFromRTG_In(17, language);
    default: return platform::format("%d", value);
  }
}

std::string value_of(RowKind kind, const Record& record, int language) {
  switch (kind) {
    case RowKind::VP: return on_off(record.handsfreeVOX() != 0, language);
    case RowKind::VI: return on_off(record.intercomVOX() != 0, language);
    case RowKind::EDR: return on_off(record.edr() == 0, language);
    case RowKind::EDRdirect: return on_off(record.edr() != 0, language);
    case RowKind::PLC: return on_off(record.plc() != 0, language);
    case RowKind::HQ: return on_off(record.bitpoolRate() != 0, language);
    case RowKind::ST: return on_off(record.sidetone() != 0, language);
    case RowKind::AH: return on_off(record.ambientHushControl() == 0, language);
    case RowKind::AGC: return on_off(record.autoGainControl() == 0, language);
    case RowKind::AB: return on_off(record.audioBoost() == 0, language);
    case RowKind::MB: return on_off(record.microphoneBoost() != 0, language);
    case RowKind::VP6: return on_off(record.getBasicSettingLM6VOXPhone() != 0, language);
    case RowKind::ST6: return on_off(record.getBasicSettingLM6Sidetone() != 0, language);
    case RowKind::MS: return motion_sensor_text(record.getBasicSettingLM6MotionSensorSensitivity(), language);
    case RowKind::BR: return on_off(record.getBasicSettingLM6AudioBraiding() != 0, language);
    case RowKind::IS: return platform::format("%d", 11 - record.getBasicSettingLM6AudioBraidingSensitivity());
    case RowKind::NA: return on_off(record.getBasicSettingLM6NavigationAppOverlay() != 0, language);
    case RowKind::RG: return Record::getRTGStringFromRTG_In(record.radioTransmitGain(), language);
    case RowKind::CT:
      return platform::format("%d %@", record.audioChannelTimeout(), CommonTexts::vyla_string_seconds_in(language));
    case RowKind::ABStationGuide: return on_off(record.fmStationGuide() == 1, language);
  }
  return {};
}

// ---- the product groups ----

// Which view a tab kind shows in a group.
enum class View { none, settings, speed_dial, fm, fm6 };

// The views a group offers.
enum class Views {
  settings_speed_dial_fm,   // S D F
  settings_speed_dial_fm6,  // S D F6
  speed_dial_fm,            // D F
  any,                      // the settings rows whatever the tab
  settings_speed_dial_fm_other_tabs,  // S D, and the FM view on every other tab kind
  settings_speed_dial,      // S D
  settings,                 // S
};

// The views of each backup panel group; a product's catalogue row names its group.
struct Group {
  int number;
  Views views;
};

constexpr Group k_groups[] = {
    {1, Views::settings_speed_dial_fm}, {2, Views::settings_speed_dial_fm6}, {3, Views::speed_dial_fm},
    {4, Views::settings_speed_dial_fm}, {5, Views::settings_speed_dial_fm}, {6, Views::speed_dial_fm},
    {7, Views::settings_speed_dial_fm}, {8, Views::settings_speed_dial_fm}, {9, Views::speed_dial_fm},
    {10, Views::settings_speed_dial_fm}, {11, Views::settings_speed_dial_fm}, {12, Views::settings_speed_dial_fm},
    {13, Views::any}, {14, Views::any}, {15, Views::any}, {16, Views::settings_speed_dial_fm_other_tabs},
    {17, Views::settings_speed_dial_fm_other_tabs}, {18, Views::settings_speed_dial},
    {19, Views::settings_speed_dial}, {20, Views::settings_speed_dial}, {21, Views::settings_speed_dial},
    {22, Views::settings_speed_dial}, {23, Views::settings_speed_dial}, {24, Views::settings_speed_dial},
    {25, Views::settings_speed_dial}, {26, Views::settings_speed_dial}, {27, Views::settings_speed_dial},
    {28, Views::settings_speed_dial}, {29, Views::settings_speed_dial}, {30, Views::settings_speed_dial},
    {31, Views::settings}, {32, Views::settings_speed_dial}, {33, Views::settings_speed_dial},
    {34, Views::settings_speed_dial}, {35, Views::settings_speed_dial}, {36, Views::settings_speed_dial},
    {37, Views::settings_speed_dial_fm_other_tabs},
};

const Group* group_of(int product) {
  const int number = device_data::product_facts(product).backup_group;
  for (const Group& group : k_groups) {
    if (group.number == number) return &group;
  }
  return nullptr;
}

View view_of(Views views, int tab_kind) {
  constexpr int settings = 1, speed_dial = 2, fm = 3;
  switch (views) {
    case Views::any: return View::settings;
    case Views::settings_speed_dial_fm_other_tabs:
      if (tab_kind == settings) return View::settings;
      return tab_kind == speed_dial ? View::speed_dial : View::fm;
    default: break;
  }
  const bool has_settings = views != Views::speed_dial_fm;
  const bool has_speed_dial = views != Views::settings;
  if (tab_kind == settings) return has_settings ? View::settings : View::none;
  if (tab_kind == speed_dial) return has_speed_dial ? View::speed_dial : View::none;
  if (tab_kind == fm) {
    if (views == Views::settings_speed_dial_fm6) return View::fm6;
    if (views == Views::settings_speed_dial_fm || views == Views::speed_dial_fm) return View::fm;
  }
  return View::none;
}

Rows settings_rows(int group, int product, const Record& record) {
  using enum RowKind;
  const Rows group_1 = rows({AB, VP, VI, HQ, ST, AH});
  switch (group) {
    case 1: case 2: case 7: case 8: case 10: return group_1;
    case 4: return rows({ABStationGuide, AH});
    case 5: return rows({AB, HQ, AH});
    case 11: return rows({VP6, ST6, MS, BR, IS, NA});
    case 12: return older_than(record, 1, 1) ? rows({VP6, ST6, BR, IS}) : rows({VP6, ST6, MS, BR, IS, NA});
    case 13: return rows({RG, CT});
    case 14: case 18: return rows({VP});
    case 15: return rows({VP, EDR, HQ});
    case 16: case 36: return rows({VP, EDR, HQ, ST});
    case 17:
      if (older_than(record, 1, 2)) return rows({VP, EDR, PLC});
      if (older_than(record, 2, 0)) return rows({VP, EDR, HQ});
      return rows({VP, EDR, HQ, ST});
    case 19: case 20: case 21: case 22: return rows({VP, EDR});
    case 23: return rows({EDR, HQ, ST, AH, AGC});
    case 24: case 25: case 26: case 27: return rows({EDR, HQ});
    case 28: case 29: return rows({EDR, HQ, ST, AH});
    case 30: return older_than(record, 1, 1) ? rows({VP, VI, EDR, HQ, ST}) : rows({VP, VI, EDR, HQ, ST, AH});
    case 31: case 35: return rows({ST});
    case 32:
      if (older_than(record, 4, 0)) return rows({VP, VI, EDRdirect});
      if (older_than(record, 4, 1)) return rows({VP, VI, EDR, PLC});
      if (older_than(record, 4, 2)) return rows({VP, VI, EDR, PLC, HQ});
      return rows({VP, VI, EDR, HQ});
    case 33: case 34: return rows({VP, VI, EDR, HQ, ST});
    case 37: {
      Rows result;
      if (older_than(record, 4, 0)) {
        result = rows({VP, VI, EDRdirect});
      } else if (older_than(record, 4, 1)) {
        result = rows({VP, VI, EDR, PLC});
      } else if (older_than(record, 4, 2)) {
        result = rows({VP, VI, EDR, PLC, HQ, MB});
      } else if (older_than(record, 5, 0)) {
        result = rows({VP, VI, EDR, HQ, MB});
      } else {
        result = rows({VP, VI, EDR, HQ, ST, MB});
      }
      if (!device_data::product_facts(product).microphone_boost) {
        for (auto& row : result) {
          if (row == MB) row.reset();
        }
      }
      return result;
    }
    default: return {};
  }
}

std::string name(SettingName setting, int language) { return strings::setting_name(setting, language); }

void write_settings(BackupPanel& panel, int group, int product, const Record& record, int language) {
  const Rows kinds = settings_rows(group, product, record);
  for (std::size_t row = 0; row < kinds.size(); ++row) {
    if (!kinds[row]) continue;
    panel.labels[row] = name(name_of(*kinds[row]), language) + ":";
    panel.values[row] = value_of(*kinds[row], record, language);
  }
  // This product's last row also gives the voice assistant, inverted, under
  // the Ambient Hush Control name.
  if (product == 0x3232) panel.values[5] = on_off(record.voiceAssistant() == 0, language);
}

std::string frequency_text(int32_t preset, int language) {
  if (preset == 0) return name(SettingName::Empty, language);
  // presets are in 10 kHz units
  return platform::format("%@%0.1f MHz", preset < 10000 ? "  " : "", static_cast<float>(preset) / 100.0f);
}

void write_fm(BackupPanel& panel, int group, int presets, const Record& record, int language) {
  panel.alignment = RowAlignment::left;
  panel.date_label = name(SettingName::RadioRegion, language) + (group == 37 ? ": " : ":");
  panel.date_value = UpdateTexts::vyla_string_fm_radio_region_in(record.fmRadioRegion(), language);
  // two presets a row: the odd ones in the label, the even ones in the value
  for (int index = 0; index < presets; ++index) {
    const int number = index + 1;
    const std::string text =
        platform::format("%@%@%d: %@", number % 2 == 1 ? "" : std::string(20, ' '), number < 10 ? "  " : "", number,
                         frequency_text(record.fmRadioPresetsAt(index), language));
    const auto row = static_cast<std::size_t>(index / 2);
    (index % 2 == 0 ? panel.labels : panel.values)[row] = text;
  }
  panel.labels[5] = name(SettingName::RDSAFAlternativeFrequencies, language) + ":";
  panel.values[5] = on_off(record.fmRadioRDS() != 0, language);
}

}  // namespace

void fill_speed_dials(BackupPanel& panel, const Record& record, int language) {
  for (int dial = 0; dial < 3; ++dial) {
    const auto row = static_cast<std::size_t>(dial);
    panel.labels[row] = platform::format("%@ %d: ", name(SettingName::SpeedDial, language), dial + 1);
    const std::optional<std::string> number = record.speedDialAt(dial);
    panel.values[row] = number && !number->empty() ? *number : name(SettingName::Empty, language);
  }
}

BackupRefusal backup_refusal(const Record& backup, int recognized) {
  if (Record::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(backup.managerVersionMajor(),
                                                                  backup.managerVersionMinor(), 0, 0) == 0) {
    return BackupRefusal::no_manager_version;
  }
  const device_data::FirmwareFloor& oldest = device_data::product_facts(recognized).oldest_backup_firmware;
  const bool has_floor = oldest.major != 0 || oldest.minor != 0;
  if (has_floor && older_than(backup, oldest.major, oldest.minor)) return BackupRefusal::not_compatible;
  return BackupRefusal::none;
}

BackupReading read_backup(int product, int recognized) {
  BackupReading reading;
  const std::optional<std::filesystem::path> path = backup_archive_path(product);
  const std::optional<platform::Bytes> bytes = path ? platform::read_file(*path) : std::nullopt;
  if (!bytes) return reading;
  try {
    reading.record = std::make_unique<Record>(Record::unarchived_from(*bytes));
  } catch (const platform::ArchiveError&) {
    reading.refusal = BackupRefusal::damaged;
    return reading;
  }
  reading.refusal = backup_refusal(*reading.record, recognized);
  return reading;
}

BackupPanel backup_panel(const Record& backup, int product, int tab_kind, int language) {
  BackupPanel panel;
  if (product == 0x3020) {
    panel.version = platform::format("v%d.%d.%d.%d", backup.deviceSecondaryVersionType(),
                                     backup.deviceSecondaryVersion(), backup.deviceVersionMajor(),
                                     backup.deviceVersionMinor());
  } else if (product == 0x5345) {
    panel.version = platform::format("v%d.%d.%d", backup.deviceVersionMajor(), backup.deviceVersionMinor(),
                                     backup.deviceSecondaryVersion());
  } else {
    panel.version = platform::format("v%d.%d", backup.deviceVersionMajor(), backup.deviceVersionMinor());
  }
  panel.date_label = name(SettingName::Date, language) + ": ";

  const Group* group = group_of(product);
  if (!group) return panel;
  switch (view_of(group->views, tab_kind)) {
    case View::settings: write_settings(panel, group->number, product, backup, language); break;
    case View::speed_dial: fill_speed_dials(panel, backup, language); break;
    case View::fm: write_fm(panel, group->number, 10, backup, language); break;
    case View::fm6: write_fm(panel, group->number, 6, backup, language); break;
    case View::none: break;
  }
  return panel;
}

RestoreRows restore_rows(int product, int tab_kind, int major, int minor) {
  const auto below = [major, minor](int other_major, int other_minor) {
    return Record::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, other_major, other_minor) < 0;
  };
  const auto first = [](int shown) { return RestoreRows{shown, false, false}; };
  const RestoreRows all = first(6);
  const RestoreRows table{6, false, true};
  // settings, speed-dial and FM rule of one row of the table
  const auto by_tab = [tab_kind, all](RestoreRows settings, RestoreRows speed_dial, RestoreRows fm) {
    switch (tab_kind) {
      case 1: return settings;
      case 2: return speed_dial;
      case 3: return fm;
      default: return all;
    }
  };
  const device_data::ProductFacts& facts = device_data::product_facts(product);
  const bool with_microphone_boost = facts.microphone_boost;
  const bool short_from_5 = facts.restore_rows == device_data::RestoreRowSet::by_firmware_4_and_5_short;

  using enum device_data::RestoreRowSet;
  switch (facts.restore_rows) {
    case by_firmware_4_and_5:
    case by_firmware_4_and_5_short: {
      RestoreRows settings;
      if (below(4, 0)) {
        settings = first(3);
      } else if (below(4, 1)) {
        settings = first(4);
      } else if (below(4, 2)) {
        settings = with_microphone_boost ? all : first(5);
      } else if (below(5, 0)) {
        settings = with_microphone_boost ? first(5) : first(4);
      } else {
        settings = with_microphone_boost ? all : (short_from_5 ? first(4) : first(5));
      }
      return by_tab(settings, first(3), all);
    }
    case four_rows: return by_tab(first(4), first(3), all);
    case one_row: return by_tab(first(1), first(3), all);
    case five_rows: return by_tab(first(5), first(3), all);
    case one_row_all_speed_dials: return by_tab(first(1), all, all);
    case five_rows_before_1_1: return by_tab(below(1, 1) ? first(5) : all, first(3), all);
    case two_rows: return by_tab(first(2), first(3), all);
    case three_rows_before_2_0: return by_tab(below(2, 0) ? first(3) : first(4), first(3), all);
    case three_rows_every_tab: return by_tab(first(3), first(3), first(3));
    case one_row_every_tab: return by_tab(first(1), first(1), first(1));
    case two_rows_every_tab: return by_tab(first(2), first(2), first(2));
    case four_rows_before_1_1_table: {
      RestoreRows settings = below(1, 1) ? first(4) : all;
      settings.table = true;
      return by_tab(settings, first(3), all);
    }
    case table_all_rows: return by_tab(table, all, all);
    case table_no_speed_dials: return by_tab(table, first(0), all);
    case table_three_speed_dials: return by_tab(table, first(3), all);
    case table_fm6: break;
  }
  return by_tab(table, first(3), RestoreRows{6, true, false});
}

}  // namespace update
