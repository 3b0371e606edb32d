#include "update/backup_panel.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <vector>

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

bool one_of(int product, std::initializer_list<int> ids) { return std::ranges::find(ids, product) != ids.end(); }

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

struct Group {
  int number;
  Views views;
  std::initializer_list<int> ids;
};

// clang-format off
const std::initializer_list<Group> k_groups = {
    {1, Views::settings_speed_dial_fm, {0x5510, 0x5570, 0x5576, 0x5580}},
    {2, Views::settings_speed_dial_fm6, {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6026,
                                          0x6028, 0x6030, 0x6032, 0x6034, 0x6036}},
    {3, Views::speed_dial_fm, {0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420}},
    {4, Views::settings_speed_dial_fm, {0x3030, 0x3032, 0x3040, 0x3050, 0x3060}},
    {5, Views::settings_speed_dial_fm, {0x5522, 0x5524, 0x5536}},
    {6, Views::speed_dial_fm, {0x5560, 0x5562}},
    {7, Views::settings_speed_dial_fm, {0x3070, 0x3080, 0x3300, 0x3310, 0x3330, 0x4050, 0x5424, 0x5426, 0x5428,
                                         0x5430, 0x5432, 0x5434, 0x5520, 0x5534, 0x5564, 0x6112, 0x6114, 0x6310,
                                         0x6320, 0x6330, 0x6335}},
    {8, Views::settings_speed_dial_fm, {0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3132,
                                         0x3134, 0x3140, 0x3142, 0x3144, 0x3146, 0x3148, 0x3152, 0x3154, 0x3156,
                                         0x3170, 0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217,
                                         0x3218, 0x3232, 0x3240, 0x3260, 0x3264, 0x3320, 0x3900, 0x5526, 0x5530,
                                         0x5532, 0x5550, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920,
                                         0x6210, 0x6400}},
    {9, Views::speed_dial_fm, {0x3052, 0x3072, 0x3082, 0x3085, 0x3150, 0x3161, 0x3340, 0x3341, 0x3350, 0x3360,
                                0x3370, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x5552, 0x5553, 0x5590, 0x5591, 0x5592,
                                0x5593, 0x5594, 0x5595, 0x6038, 0x6039, 0x6461, 0x6481, 0x6491, 0x6500, 0x6510,
                                0x6600, 0x6700, 0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811,
                                0x6812, 0x6900}},
    {10, Views::settings_speed_dial_fm, {0x5610, 0x5611, 0x5612, 0x5620, 0x5621}},
    {11, Views::settings_speed_dial_fm, {0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}},
    {12, Views::settings_speed_dial_fm, {0x4210}},
    {13, Views::any, {0x5210}},
    {14, Views::any, {0x2110, 0x4021}},
    {15, Views::any, {0x2010, 0x2011, 0x2120, 0x2210, 0x2310, 0x4010, 0x4020, 0x4030}},
    {16, Views::settings_speed_dial_fm_other_tabs, {0x4D85}},
    {17, Views::settings_speed_dial_fm_other_tabs, {0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65}},
    {18, Views::settings_speed_dial, {0x6430}},
    {19, Views::settings_speed_dial, {0x6440, 0x6450}},
    {20, Views::settings_speed_dial, {0x6460, 0x6480, 0x6490}},
    {21, Views::settings_speed_dial, {0x6470}},
    {22, Views::settings_speed_dial, {0x6420}},
    {23, Views::settings_speed_dial, {0x4120}},
    {24, Views::settings_speed_dial, {0x4112}},
    {25, Views::settings_speed_dial, {0x4111}},
    {26, Views::settings_speed_dial, {0x4113}},
    {27, Views::settings_speed_dial, {0x4110}},
    {28, Views::settings_speed_dial, {0x6120, 0x6121}},
    {29, Views::settings_speed_dial, {0x6110, 0x6111}},
    {30, Views::settings_speed_dial, {0x2020}},
    {31, Views::settings, {0x4040}},
    {32, Views::settings_speed_dial, {0x5020, 0x5070}},
    {33, Views::settings_speed_dial, {0x5011}},
    {34, Views::settings_speed_dial, {0x4D75}},
    {35, Views::settings_speed_dial, {0x4D21}},
    {36, Views::settings_speed_dial, {0x6000}},
    {37, Views::settings_speed_dial_fm_other_tabs, {0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5030, 0x5040,
                                                    0x5050, 0x5060, 0x5061, 0x5080}},
};
// clang-format on

const Group* group_of(int product) {
  for (const Group& group : k_groups) {
    if (one_of(product, group.ids)) return &group;
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
      // only these headsets have the microphone boost
      if (!one_of(product, {0x4D10, 0x4D30, 0x4D40})) {
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
  if (one_of(recognized, {0x4D35, 0x4D55}) && older_than(backup, 1, 2)) return BackupRefusal::not_compatible;
  if (one_of(recognized, {0x4D30, 0x4D40, 0x5060, 0x5061, 0x5070, 0x5080}) && older_than(backup, 4, 2)) {
    return BackupRefusal::not_compatible;
  }
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
  const bool with_microphone_boost = one_of(product, {0x4D10, 0x4D30, 0x4D40});

  if (one_of(product, {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070, 0x5030,
                       0x5080, 0x5040, 0x5050})) {
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
      settings = with_microphone_boost ? all : (one_of(product, {0x5020, 0x5070}) ? first(4) : first(5));
    }
    return by_tab(settings, first(3), all);
  }
  if (one_of(product, {0x6000, 0x4D85, 0x6110, 0x6111, 0x6120, 0x6121})) return by_tab(first(4), first(3), all);
  if (one_of(product, {0x4D21, 0x6430})) return by_tab(first(1), first(3), all);
  if (one_of(product, {0x4D75, 0x5011, 0x4120})) return by_tab(first(5), first(3), all);
  if (product == 0x4040) return by_tab(first(1), all, all);
  if (product == 0x2020) return by_tab(below(1, 1) ? first(5) : all, first(3), all);
  if (one_of(product, {0x4110, 0x4111, 0x4112, 0x4113, 0x6420, 0x6470, 0x6460, 0x6480, 0x6490, 0x6440, 0x6450})) {
    return by_tab(first(2), first(3), all);
  }
  if (one_of(product, {0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D45, 0x4D65})) {
    return by_tab(below(2, 0) ? first(3) : first(4), first(3), all);
  }
  if (one_of(product, {0x4020, 0x2310, 0x2010, 0x2011, 0x2110, 0x2210, 0x4030, 0x4010})) {
    return by_tab(first(3), first(3), first(3));
  }
  if (one_of(product, {0x4021, 0x2120})) return by_tab(first(1), first(1), first(1));
  if (product == 0x5210) return by_tab(first(2), first(2), first(2));
  if (product == 0x4210) {
    RestoreRows settings = below(1, 1) ? first(4) : all;
    settings.table = true;
    return by_tab(settings, first(3), all);
  }
  if (one_of(product, {0x3560, 0x3570, 0x3540, 0x3500})) return by_tab(table, all, all);
  if (product == 0x3110) return by_tab(table, first(0), all);
  // clang-format off
  if (one_of(product, {
          0x4310, 0x4330, 0x4430, 0x4510, 0x4530, 0x4610, 0x2030, 0x4410,
          0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5520, 0x6112, 0x6114, 0x3070, 0x3080, 0x3310, 0x3330, 0x6310,
          0x6320, 0x6335, 0x6330, 0x5564, 0x4050, 0x5424, 0x5434, 0x5430, 0x5432, 0x5428, 0x5426, 0x3300, 0x5534,
          0x5530, 0x5532, 0x5550,
          0x3146, 0x3140, 0x3132, 0x3260, 0x3210, 0x3218, 0x3214, 0x3217, 0x3212, 0x3216, 0x3211, 0x3215, 0x3264,
          0x3232, 0x3240, 0x3156, 0x3213, 0x3148, 0x3154, 0x3320, 0x3134, 0x3900, 0x3170, 0x6461, 0x6481, 0x6700,
          0x6491, 0x6600, 0x3340, 0x3341, 0x5590, 0x3085, 0x3052, 0x3072, 0x3082, 0x6038, 0x6039, 0x3350, 0x3360,
          0x3370, 0x6900, 0x3400, 0x5595, 0x5591, 0x5592, 0x5593, 0x5594, 0x4023, 0x4D16, 0x4D06, 0x4D76, 0x4D86,
          0x6510, 0x5552, 0x5553, 0x6800, 0x6804, 0x6810, 0x6811, 0x6801, 0x6802, 0x6803, 0x6805, 0x6812, 0x6500,
          0x3161, 0x3150, 0x3116, 0x3118, 0x3142, 0x3124, 0x3144, 0x3152, 0x3126, 0x3128, 0x3112, 0x3114, 0x5710,
          0x5623, 0x5622, 0x5624, 0x5524, 0x5536, 0x5522, 0x3030, 0x3032, 0x3050, 0x3060, 0x3040, 0x6210, 0x6400,
          0x5526, 0x5720, 0x5910, 0x5920, 0x5510, 0x5580, 0x5570, 0x5576, 0x5410, 0x5412, 0x5414, 0x5420, 0x5418,
          0x5416})) {
    return by_tab(table, first(3), all);
  }
  // clang-format on
  return by_tab(table, first(3), RestoreRows{6, true, false});
}

}  // namespace update
