// The restore table's rows without a window: how many rows each product
// counts by backup version and FM radio, which setting each row shows and how
// its value reads.
#include "update/restore_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "strings/common_texts.h"
#include "strings/setting_names.h"

namespace {

using update::restore_table_cell;
using update::restore_table_row_count;
using update::RestoreTableContext;

constexpr int k_fm_shown = 3;
constexpr int k_fm_hidden = 4;

FEXOBluetoothDeviceData backup_at(int major, int minor) {
  FEXOBluetoothDeviceData record;
  record.setDeviceVersionMajor_Minor(major, minor);
  return record;
}

int count_of(int product, int major, int minor, int fm = k_fm_shown) {
  const FEXOBluetoothDeviceData backup = backup_at(major, minor);
  return restore_table_row_count({product, &backup, fm, 0});
}

// Names of rows 0..count-1 as the table shows them; "" for a row without a cell.
std::vector<std::string> shown_names(const RestoreTableContext& context) {
  std::vector<std::string> names;
  for (int row = 0; row < restore_table_row_count(context); ++row) {
    const auto cell = restore_table_cell(context, row);
    names.push_back(cell ? cell->name : "");
  }
  return names;
}

std::string value_of(const RestoreTableContext& context, int row) {
  const auto cell = restore_table_cell(context, row);
  return cell ? cell->value : "<no cell>";
}

// ---- row counts ----

// "15, 1.1:16, 3.0:15": the count below every band, then from each version on.
struct CountCase {
  std::vector<int> products;
  const char* shown;
  const char* hidden = nullptr;  // while the FM radio is hidden, when it differs
};

struct Step {
  int major = 0;
  int minor = 0;
  int rows = 0;
};

std::vector<Step> steps_of(const char* text) {
  std::vector<Step> steps;
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) {
    Step step;
    const auto colon = part.find(':');
    if (colon == std::string::npos) {
      step.rows = std::stoi(part);
    } else {
      const std::string version = part.substr(0, colon);
      step.major = std::stoi(version.substr(0, version.find('.')));
      step.minor = std::stoi(version.substr(version.find('.') + 1));
      step.rows = std::stoi(part.substr(colon + 1));
    }
    steps.push_back(step);
  }
  return steps;
}

// Each step checked at its version and just below it (x.0 has 9 below it).
void expect_counts(int product, const char* text, int fm) {
  const std::vector<Step> steps = steps_of(text);
  EXPECT_EQ(count_of(product, 0, 1, fm), steps.front().rows);
  for (std::size_t index = 1; index < steps.size(); ++index) {
    const Step& step = steps[index];
    SCOPED_TRACE(std::to_string(step.major) + "." + std::to_string(step.minor));
    EXPECT_EQ(count_of(product, step.major, step.minor, fm), step.rows);
    const int below_major = step.minor == 0 ? step.major - 1 : step.major;
    const int below_minor = step.minor == 0 ? 9 : step.minor - 1;
    EXPECT_EQ(count_of(product, below_major, below_minor, fm), steps[index - 1].rows);
  }
  EXPECT_EQ(count_of(product, 9, 9, fm), steps.back().rows);
}

TEST(RestoreTableCount, EveryListedProductAtAndBesideItsVersionBoundaries) {
  const CountCase cases[] = {
      {{0x3540, 0x4050, 0x5560, 0x5562, 0x5564}, "1"},
      {{0x3085, 0x6310, 0x6801, 0x6802, 0x6803}, "2"},
      {{0x3030, 0x3040, 0x3060, 0x3080, 0x3150, 0x3161}, "3"},
      {{0x3152, 0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x6461, 0x6481, 0x6491, 0x6600, 0x6700}, "4"},
      {{0x3142, 0x5522, 0x5536, 0x5552, 0x5553}, "5"},
      {{0x3400, 0x6020, 0x6022, 0x6024, 0x6320, 0x6330, 0x6335, 0x6804, 0x6812}, "6"},
      {{0x6500, 0x6510, 0x6800, 0x6805, 0x6810, 0x6811}, "7"},
      {{0x3350, 0x5592, 0x5594, 0x5595, 0x6114}, "8"},
      {{0x3370, 0x4023, 0x5590, 0x5591, 0x5593, 0x6900}, "9"},
      {{0x3118, 0x3341, 0x5532, 0x5720, 0x6026}, "10"},
      {{0x3300, 0x3340, 0x6028, 0x6030, 0x6032, 0x6036, 0x6038, 0x6039, 0x6400}, "11"},
      {{0x4410, 0x4430, 0x5534, 0x5576, 0x6112}, "12"},
      {{0x2030, 0x4310, 0x4330, 0x4510, 0x4530, 0x5418, 0x5420, 0x5426, 0x6034}, "13"},
      {{0x3211, 0x4610, 0x5424, 0x5428, 0x5430, 0x5432, 0x5434}, "14"},
      {{0x3156, 0x3213, 0x3240}, "15"},
      {{0x3140, 0x3215, 0x3320}, "16"},
      {{0x3132, 0x3134, 0x3148, 0x3154, 0x3170, 0x3210, 0x3212, 0x3214, 0x3216, 0x3217, 0x3218, 0x3232, 0x3260,
        0x3264, 0x3310, 0x3330, 0x3900},
       "17"},
      {{0x3146}, "18"},
      {{0x3570}, "0, 1.1:1"},
      {{0x3560}, "0, 1.1:2"},
      {{0x3500}, "0, 2.2:1"},
      {{0x5526}, "10, 2.0:12"},
      {{0x5416}, "11, 1.1:12, 1.2:13"},
      {{0x6010, 0x6012}, "11, 1.2:12"},
      {{0x5570}, "11, 1.4:13"},
      {{0x5412, 0x5414}, "12, 1.1:13"},
      {{0x3110}, "15, 1.1:16, 2.1:17, 3.0:16, 3.1:18"},
      {{0x3114}, "15, 1.1:16, 3.0:15"},
      {{0x3112}, "15, 1.1:16, 3.0:15, 3.1:17"},
      {{0x3116}, "17, 2.0:16"},
      {{0x5510}, "18, 2.0:22, 2.2:23, 3.0:25"},
      {{0x3050}, "3, 1.4:2", "2, 1.4:1"},
      {{0x3032}, "3", "2"},
      {{0x5524}, "4, 1.1:5, 2.0:7"},
      {{0x4210}, "4, 1.1:6, 1.2:11, 1.5:13"},
      {{0x3070}, "4", "3"},
      {{0x3124, 0x3126, 0x3128, 0x3144}, "5", "4"},
      {{0x5550}, "6, 1.2:5, 2.0:7"},
      {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, "7, 1.1:8, 2.0:11"},
      {{0x5410}, "7, 1.1:8, 2.0:12"},
      {{0x5910, 0x5920}, "8, 1.1:9"},
      {{0x5520}, "8, 1.1:9, 1.3:10, 2.0:12"},
      {{0x5624}, "8, 1.1:9, 2.0:10"},
      {{0x5623}, "8, 1.1:9, 2.0:11"},
      {{0x5622}, "8, 1.1:9, 2.0:12"},
      {{0x5710}, "8, 1.2:9"},
      {{0x5530}, "8, 1.4:10, 2.0:11"},
      {{0x6210}, "8, 2.0:10"},
      {{0x6018}, "9, 1.1:10"},
      {{0x6014, 0x6016}, "9, 1.2:10"},
      {{0x5580}, "9, 2.0:11, 2.6:13"},
  };
  for (const CountCase& entry : cases) {
    for (int product : entry.products) {
      SCOPED_TRACE(product);
      expect_counts(product, entry.shown, k_fm_shown);
      expect_counts(product, entry.hidden ? entry.hidden : entry.shown, k_fm_hidden);
    }
  }
}

TEST(RestoreTableCount, AnUnlistedProductOrNoBackupHasNoRows) {
  const FEXOBluetoothDeviceData backup = backup_at(1, 0);
  EXPECT_EQ(restore_table_row_count({0x0001, &backup, k_fm_shown, 0}), 0);
  EXPECT_FALSE(restore_table_cell({0x0001, &backup, k_fm_shown, 0}, 0));
  // no backup read: nothing to count and no cell, for a product with rows too
  EXPECT_EQ(restore_table_row_count({0x6010, nullptr, k_fm_shown, 0}), 0);
  EXPECT_FALSE(restore_table_cell({0x6010, nullptr, k_fm_shown, 0}, 0));
  EXPECT_FALSE(restore_table_cell({0x6010, &backup, k_fm_shown, 0}, -1));
}

// ---- rows by product ----

TEST(RestoreTableRows, TheMeshHeadsetRowsFollowTheBackupVersion) {
  const FEXOBluetoothDeviceData at_2_1 = backup_at(2, 1);
  const std::vector<std::string> rows_2_1 = shown_names({0x3110, &at_2_1, k_fm_shown, 0});
  ASSERT_EQ(rows_2_1.size(), 17u);
  EXPECT_EQ(rows_2_1.front(), "Unit Language");
  EXPECT_EQ(rows_2_1[11], "Guest Mode");

  const FEXOBluetoothDeviceData at_3_0 = backup_at(3, 0);
  const std::vector<std::string> rows_3_0 = shown_names({0x3110, &at_3_0, k_fm_shown, 0});
  ASSERT_EQ(rows_3_0.size(), 16u);
  EXPECT_EQ(std::count(rows_3_0.begin(), rows_3_0.end(), "Guest Mode"), 0);
  EXPECT_EQ(std::count(rows_3_0.begin(), rows_3_0.end(), ""), 0);

  const FEXOBluetoothDeviceData at_3_1 = backup_at(3, 1);
  const std::vector<std::string> rows_3_1 = shown_names({0x3110, &at_3_1, k_fm_shown, 0});
  ASSERT_EQ(rows_3_1.size(), 18u);
  EXPECT_EQ(std::vector<std::string>(rows_3_1.end() - 3, rows_3_1.end()),
            (std::vector<std::string>{"Audio Boost", "HD Speaker Accessory", "Audio Equalizer"}));
  EXPECT_EQ(rows_3_1[1], "VOX Phone");
}

TEST(RestoreTableRows, TheFMStationGuideRowGoesWithTheFMRadio) {
  const FEXOBluetoothDeviceData at_1_4 = backup_at(1, 4);
  // 0x3032 from 1.4 keeps counting three or two rows while it defines two or one
  EXPECT_EQ(shown_names({0x3032, &at_1_4, k_fm_hidden, 0}), (std::vector<std::string>{"Voice Prompt", ""}));
  EXPECT_EQ(shown_names({0x3032, &at_1_4, k_fm_shown, 0}),
            (std::vector<std::string>{"Voice Prompt", "FM Station Guide", ""}));
  // below 1.4 the FM radio changes only the count
  const FEXOBluetoothDeviceData at_1_3 = backup_at(1, 3);
  EXPECT_EQ(shown_names({0x3032, &at_1_3, k_fm_hidden, 0}),
            (std::vector<std::string>{"Voice Prompt", "FM Station Guide"}));
  // the rows after the guide move up
  EXPECT_EQ(shown_names({0x3070, &at_1_4, k_fm_hidden, 0}),
            (std::vector<std::string>{"Unit Language", "Voice Prompt", "Sidetone"}));
  EXPECT_EQ(shown_names({0x3128, &at_1_4, k_fm_hidden, 0}),
            (std::vector<std::string>{"Channel Setting", "Voice Prompt", "Sidetone", "Ambient Hush Control™"}));
}

TEST(RestoreTableRows, CountAndDefinitionDisagreeAsTheProductsHaveIt) {
  const FEXOBluetoothDeviceData backup = backup_at(1, 0);
  // 0x6500 defines eight rows and counts seven: the last is never asked for
  const std::vector<std::string> qcc = shown_names({0x6500, &backup, k_fm_shown, 0});
  ASSERT_EQ(qcc.size(), 7u);
  EXPECT_EQ(qcc.back(), "Audio Veneer Volume Management");
  // 0x6114 counts eight rows and defines none
  EXPECT_EQ(shown_names({0x6114, &backup, k_fm_shown, 0}), std::vector<std::string>(8, ""));
  EXPECT_EQ(shown_names({0x4D06, &backup, k_fm_shown, 0}), std::vector<std::string>(4, ""));
  // 0x3360 defines eight rows and counts none
  EXPECT_EQ(restore_table_row_count({0x3360, &backup, k_fm_shown, 0}), 0);
  // 0x3213 defines seventeen and counts fifteen
  const std::vector<std::string> wq8 = shown_names({0x3213, &backup, k_fm_shown, 0});
  ASSERT_EQ(wq8.size(), 15u);
  EXPECT_EQ(wq8.back(), "Smart Volume Control");
  // 0x3170 counts seventeen, defines fifteen
  const std::vector<std::string> tj6 = shown_names({0x3170, &backup, k_fm_shown, 0});
  ASSERT_EQ(tj6.size(), 17u);
  EXPECT_EQ(tj6[14], "Intercom-audio Veneer Sensi...");
  EXPECT_EQ(tj6[15], "");
  // 0x3500 defines its channel for every version but counts it from 2.2
  const FEXOBluetoothDeviceData at_2_2 = backup_at(2, 2);
  EXPECT_EQ(shown_names({0x3500, &at_2_2, k_fm_shown, 0}), (std::vector<std::string>{"Channel"}));
}

// ---- value rules ----

TEST(RestoreTableValues, OnOffAndOffIs1) {
  FEXOBluetoothDeviceData backup = backup_at(1, 0);
  const RestoreTableContext ke4{0x3030, &backup, k_fm_shown, 0};
  for (const auto& [voice_prompt, shown] :
       std::vector<std::pair<int, const char*>>{{0, "Enabled"}, {1, "Disabled"}, {2, "Enabled"}}) {
    backup.setVoicePrompt(voice_prompt);
    EXPECT_EQ(value_of(ke4, 0), shown) << voice_prompt;
  }
  // 0x5520 row 2 is VOX Intercom
  const RestoreTableContext kr5{0x5520, &backup, k_fm_shown, 0};
  backup.setIntercomVOX(2);
  EXPECT_EQ(value_of(kr5, 2), "Enabled");
  backup.setIntercomVOX(0);
  EXPECT_EQ(value_of(kr5, 2), "Disabled");
}

TEST(RestoreTableValues, NumbersLevelsAndLists) {
  FEXOBluetoothDeviceData backup = backup_at(2, 0);
  struct Case {
    const char* name;
    int product;
    int row;
    void (*set)(FEXOBluetoothDeviceData&, int);
    int value;
    const char* shown;
  };
  const auto lm6_sensitivity = [](FEXOBluetoothDeviceData& r, int v) { r.setBasicSettingLM6AudioBraidingSensitivity(v); };
  const auto priority = [](FEXOBluetoothDeviceData& r, int v) { r.setAudioSourcePriority(v); };
  const auto channel = [](FEXOBluetoothDeviceData& r, int v) { r.SetBasicSettingDK3MorrimMeshPublicChannel(v); };
  const auto smart_volume = [](FEXOBluetoothDeviceData& r, int v) { r.setBasicSettingTJ4SmartVolumeControl_with(0, v); };
  const auto kr5_sensitivity = [](FEXOBluetoothDeviceData& r, int v) { r.setBasicSettingKR5VOXSensitivity_with(0, v); };
  const auto netdock_channel = [](FEXOBluetoothDeviceData& r, int v) { r.setBasicSettingNetdockChannel_with(0, v); };
  const auto netdock_volume = [](FEXOBluetoothDeviceData& r, int v) { r.setBasicSettingNetdockVolume_with(1, v); };
  const auto airoha_sensitivity = [](FEXOBluetoothDeviceData& r, int v) { r.SetBasicSettingAirohaVoxSensitivity(v); };
  const auto motion = [](FEXOBluetoothDeviceData& r, int v) { r.setBasicSettingLM6MotionSensorSensitivity(v); };
  const auto tj6_language = [](FEXOBluetoothDeviceData& r, int v) { r.SetBasicSettingTJ6UnitLanguage(v); };
  const auto ess = [](FEXOBluetoothDeviceData& r, int v) { r.setEssSensitivity(v); };
  const Case cases[] = {
      {"LM6 sensitivity counts down from 11", 0x4310, 1, lm6_sensitivity, 3, "8"},
      {"LM6 sensitivity past 11", 0x4310, 1, lm6_sensitivity, 12, "-1"},
      {"source priority intercom", 0x5530, 4, priority, 0, "Intercom"},
      {"source priority music", 0x5530, 4, priority, 1, "Music"},
      {"source priority unknown", 0x5530, 4, priority, 2, "Intercom"},
      {"first channel", 0x3128, 0, channel, 0, "CH 1 (Common)"},
      {"ninth channel", 0x3128, 0, channel, 8, "CH 9"},
      {"a channel without a name", 0x3128, 0, channel, 9, "9"},
      {"smart volume off", 0x5622, 1, smart_volume, 0, "Disable"},
      {"smart volume low", 0x5622, 1, smart_volume, 1, "Low"},
      {"smart volume medium", 0x5622, 1, smart_volume, 2, "Medium"},
      {"smart volume high", 0x5622, 1, smart_volume, 3, "High"},
      {"smart volume above high", 0x5622, 1, smart_volume, 7, "High"},
      {"VOX sensitivity", 0x5622, 8, kr5_sensitivity, 4, "4"},
      {"Y370 VOX sensitivity from 1", 0x6038, 8, kr5_sensitivity, 4, "3"},
      {"Y370 VOX sensitivity of a damaged backup", 0x6038, 8, kr5_sensitivity, INT_MIN, "-2147483649"},
      {"netdock channel from 1", 0x3560, 0, netdock_channel, 2, "3"},
      {"netdock channel of a damaged backup", 0x3560, 0, netdock_channel, INT_MAX, "2147483648"},
      {"netdock volume around 7", 0x3560, 1, netdock_volume, 5, "-2"},
      {"netdock volume is not the channel", 0x3560, 0, netdock_volume, 5, "1"},
      {"Airoha sensitivity from 1", 0x6804, 3, airoha_sensitivity, 2, "3"},
      {"motion sensor disabled", 0x4210, 2, motion, 1, "Disable"},
      {"motion sensor unknown", 0x4210, 2, motion, 7, "High"},
      {"TJ6 language Czech", 0x3170, 0, tj6_language, 9, "Czech"},
      {"TJ6 language Brazilian Portuguese", 0x3170, 0, tj6_language, 10, "Brazilian Portuguese"},
      {"TJ6 language Korean", 0x3170, 0, tj6_language, 8, "Korean"},
      {"ESS sensitivity high", 0x6010, 11, ess, 3, "High"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FEXOBluetoothDeviceData record = backup_at(c.product == 0x4210 ? 1 : 2, c.product == 0x4210 ? 1 : 0);
    c.set(record, c.value);
    EXPECT_EQ(value_of({c.product, &record, k_fm_shown, 0}, c.row), c.shown);
  }
  static_cast<void>(backup);
}

TEST(RestoreTableValues, VolumeManagementOf0x3142ReadsTheOtherWay) {
  FEXOBluetoothDeviceData backup = backup_at(1, 0);
  // the setter stores 0 as a set bit: the getter then answers 1
  backup.SetBasicSettingND4AudioVeneerVolumeManagement(0);
  ASSERT_EQ(backup.GetBasicSettingND4AudioVeneerVolumeManagement(), 1);
  EXPECT_EQ(value_of({0x3142, &backup, k_fm_shown, 0}, 3), "Disabled");
  EXPECT_EQ(value_of({0x3140, &backup, k_fm_shown, 0}, 13), "Enabled");
  backup.SetBasicSettingND4AudioVeneerVolumeManagement(1);
  EXPECT_EQ(value_of({0x3142, &backup, k_fm_shown, 0}, 3), "Enabled");
  EXPECT_EQ(value_of({0x3140, &backup, k_fm_shown, 0}, 13), "Disabled");
}

TEST(RestoreTableValues, ALanguageRetitlesNamesAndWordsButNotTheValues) {
  FEXOBluetoothDeviceData backup = backup_at(1, 3);
  backup.setIntercomVOX(1);
  backup.setVoicePrompt(1);
  constexpr int german = 2;
  const auto cell = restore_table_cell({0x5520, &backup, k_fm_shown, german}, 2);
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->name, strings::setting_name(strings::SettingName::VOXIntercom, german));
  EXPECT_EQ(cell->name, "VOX-Sprechanlage");
  EXPECT_EQ(cell->value, CommonTexts::vyla_string_enabled_in(german));
  EXPECT_EQ(value_of({0x5520, &backup, k_fm_shown, german}, 5), CommonTexts::vyla_string_disabled_in(german));
  // a name without a German text of its own, and the option texts, read English
  backup.setAudioSourcePriority(1);
  const FEXOBluetoothDeviceData at_2_0 = [&] {
    FEXOBluetoothDeviceData copy = backup;
    copy.setDeviceVersionMajor_Minor(2, 0);
    return copy;
  }();
  const auto priority = restore_table_cell({0x5520, &at_2_0, k_fm_shown, german}, 4);
  ASSERT_TRUE(priority);
  EXPECT_EQ(priority->name, "Audio Source Priority");
  EXPECT_EQ(priority->value, "Music");
}

// ---- one entry of each source kind, row by row ----

using Rows = std::vector<std::pair<std::string, std::string>>;

Rows shown_rows(const RestoreTableContext& context) {
  Rows rows;
  for (int row = 0; row < restore_table_row_count(context); ++row) {
    const auto cell = restore_table_cell(context, row);
    rows.emplace_back(cell ? cell->name : "", cell ? cell->value : "");
  }
  return rows;
}

TEST(RestoreTableKinds, RecordFieldsOfTheY660L) {
  FEXOBluetoothDeviceData r = backup_at(1, 0);
  r.setAudioVeneer(1);
  r.setSmartNaviSystem(0);
  r.setAutoOnOff(1);
  r.setAudioBoost(0);
  r.setHandsfreeVOX(1);
  r.setIntercomVOX(0);
  r.setHdIntercom(1);
  r.setBasicSettingKR5VOXSensitivity_with(0, 5);
  r.setVoicePrompt(1);
  r.setSidetone(1);
  r.setAmbientHushControl(0);
  r.setEssStatus(2);
  r.setEssSensitivity(1);
  EXPECT_EQ(shown_rows({0x6034, &r, k_fm_shown, 0}),
            (Rows{{"Audio Braiding", "Enabled"}, {"Smart Navi System", "Disabled"}, {"Auto On-Off", "Disabled"},
                  {"Audio Boost", "Enabled"}, {"VOX Phone", "Enabled"}, {"VOX Intercom", "Disabled"},
                  {"HD Intercom", "Enabled"}, {"VOX Sensitivity", "5"}, {"Voice Prompt", "Disabled"},
                  {"Sidetone", "Enabled"}, {"Ambient Hush Control™", "Enabled"},
                  {"ESS Configuration", "Flashing light + ESS"}, {"ESS Sensitivity", "Low"}}));
}

TEST(RestoreTableKinds, MeshWordsOfTheWQ8) {
  FEXOBluetoothDeviceData r = backup_at(1, 0);
  r.SetBasicSettingND4UnitLanguage(4);
  r.SetBasicSetting50Equalizer(2);
  r.setAudioBoost(1);  // the record's own field, not the mesh word
  r.SetBasicSettingND4VOXPhone(1);
  r.SetBasicSettingND4AudioVeneer(1);
  r.SetBasicSettingWQ8HDVoice(1);
  r.SetBasicSettingND4VoicePrompt(1);
  r.SetBasicSettingND4Sidetone(1);
  r.SetBasicSettingND4FMStationGuide(1);
  r.SetBasicSettingND4VoxSensitivity(4);
  r.SetBasicSettingND4AGCSensitivity(2);
  r.SetBasicSettingND4AudioVeneerVolumeManagement(0);
  r.SetBasicSettingND4AudioVeneerSensitivity(5);
  EXPECT_EQ(shown_rows({0x3132, &r, k_fm_shown, 0}),
            (Rows{{"Headset Language", "German"}, {"Audio Equalizer", "Voice"}, {"Audio Boost", "Disabled"},
                  {"VOX Phone", "Enabled"}, {"VOX Intercom", "Disabled"},
                  {"Bluetooth Intercom Audio Braiding™", "Enabled"}, {"HD Intercom", "Disabled"},
                  {"HD Voice", "Enabled"}, {"Voice Assistant", "Disabled"}, {"Voice Prompt", "Disabled"},
                  {"Sidetone", "Enabled"}, {"Ambient Hush Control™", "Enabled"}, {"FM Station Guide", "Enabled"},
                  {"VOX Sensitivity", "4"}, {"Smart Volume Control", "Medium"},
                  {"Audio Veneer Volume Management", "Enabled"}, {"Intercom-audio Veneer Sensi...", "5"}}));
}

TEST(RestoreTableKinds, LM6WordsOfTheLM2) {
  FEXOBluetoothDeviceData r = backup_at(1, 0);
  r.setBasicSettingLM6AudioBraiding(1);
  r.setBasicSettingLM6AudioBraidingSensitivity(4);
  r.setBasicSettingLM6AudioBoost(1);
  r.setBasicSettingLM6SmartVolumeControl(3);
  r.setBasicSettingLM6HDIntercom(1);
  r.setBasicSettingLM6VoicePrompt(1);
  r.setBasicSettingLM6Sidetone(1);
  r.SetBasicSettingLM6VoiceCommand(1);
  r.setBasicSettingLM6LEDControl(1);
  EXPECT_EQ(shown_rows({0x4610, &r, k_fm_shown, 0}),
            (Rows{{"Audio Braiding™", "Enabled"}, {"Intercom-audio Veneer Sensi...", "7"},
                  {"Audio Veneer Volume Management", "Disabled"}, {"Audio Boost", "Enabled"},
                  {"Smart Volume Control", "High"}, {"VOX Phone", "Disabled"}, {"HD Intercom", "Enabled"},
                  {"Eight-way Intercom", "Disabled"}, {"Voice Prompt", "Enabled"}, {"FM Station Guide", "Disabled"},
                  {"Sidetone", "Enabled"}, {"Ambient Hush Control™", "Disabled"}, {"Voice Command", "Enabled"},
                  {"White LED Always On", "Enabled"}}));
}

TEST(RestoreTableKinds, AirohaWordsOfTheGZ3) {
  FEXOBluetoothDeviceData r = backup_at(1, 0);
  r.SetBasicSettingAirohaUnitLanguage(6);
  r.SetBasicSettingAirohaAudioEqualizer(3);
  r.SetBasicSettingAirohaVOXPhone(1);
  r.SetBasicSettingAirohaVoxSensitivity(2);
  r.SetBasicSettingAirohaAudioVeneerVolumeManagement(1);
  r.SetBasicSettingAirohaIntercomAudioVeneerSensitivity(4);
  EXPECT_EQ(shown_rows({0x6800, &r, k_fm_shown, 0}),
            (Rows{{"Headset Language", "Russian"}, {"Audio Equalizer", "Mid Boost"}, {"VOX Phone", "Enabled"},
                  {"Voice Prompt", "Disabled"}, {"VOX Sensitivity", "3"},
                  {"Audio Veneer Volume Management", "Enabled"}, {"Intercom-audio Veneer Sensi...", "5"}}));
}

TEST(RestoreTableKinds, QCCWordsOfTheGZ7) {
  FEXOBluetoothDeviceData r = backup_at(1, 0);
  r.SetBasicSettingQCCAudioEqualizer(4);
  r.SetBasicSettingND4VOXPhone(1);
  r.SetBasicSettingQCCHDVoice(1);
  r.SetBasicSettingND4VoicePrompt(1);
  r.SetBasicSettingQCCVOXSensitivity(1);
  r.SetBasicSettingQCCAudioVeneerVolumeManagement(1);
  EXPECT_EQ(shown_rows({0x6500, &r, k_fm_shown, 0}),
            (Rows{{"Audio Equalizer", "Treble Boost"}, {"VOX Phone", "Enabled"}, {"HD Voice", "Enabled"},
                  {"Voice Prompt", "Disabled"}, {"FM Station Guide", "Disabled"}, {"VOX Sensitivity", "2"},
                  {"Audio Veneer Volume Management", "Disabled"}}));
}

TEST(RestoreTableKinds, GettersNamedByTheEntry) {
  FEXOBluetoothDeviceData qorlan = backup_at(1, 0);
  qorlan.SetBasicSettingQorlanUnitLanguage_device(10, 0x3310);
  qorlan.SetBasicSettingQorlanHDSpeakerAccessory(1);
  qorlan.SetBasicSetting50Equalizer(1);
  qorlan.SetBasicSettingUILayer(1);
  EXPECT_EQ(shown_rows({0x3310, &qorlan, k_fm_shown, 0}),
            (Rows{{"Unit Language", "Czech"}, {"VOX Phone", "Enabled"}, {"Audio Equalizer", "Balance"},
                  {"VOX Phone", "Disabled"}, {"VOX Intercom", "Disabled"},
                  {"Bluetooth Intercom Audio Braiding™", "Disabled"}, {"HD Intercom", "Disabled"},
                  {"HD Voice", "Disabled"}, {"Voice Prompt", "Enabled"}, {"Sidetone", "Disabled"},
                  {"Ambient Hush Control™", "Enabled"}, {"FM Station Guide", "Disabled"}, {"VOX Sensitivity", "0"},
                  {"Smart Volume Control", "Disable"}, {"Audio Veneer Volume Management", "Disabled"},
                  {"Intercom-audio Veneer Sensi...", "0"}, {"Advanced features", "Enabled"}}));

  FEXOBluetoothDeviceData velandra = backup_at(1, 0);
  velandra.SetBasicSettingVelandraMeshPublicChannel(1);
  velandra.SetBasicSettingDK5XUnitLanguage(3);
  EXPECT_EQ(shown_rows({0x3161, &velandra, k_fm_shown, 0}),
            (Rows{{"Voice Prompt", "Disabled"}, {"Unit Language", "Italian"}, {"FM Station Guide", "Enabled"}}));
}

}  // namespace
