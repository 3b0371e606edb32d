// The restore page's backup information: which archives are refused, the
// texts of the version, date, settings, speed-dial and FM rows, and which rows
// the page shows for a product and tab.
#include "update/backup_panel.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "strings/setting_names.h"
#include "strings/update_texts.h"
#include "support/app_folder.h"
#include "update/backup_step.h"

namespace {

using update::BackupRefusal;
using update::RestoreRows;

constexpr int k_settings = 1;
constexpr int k_speed_dial = 2;
constexpr int k_fm = 3;

FEXOBluetoothDeviceData backup_of(int device, int major, int minor) {
  FEXOBluetoothDeviceData record;
  record.setManagerVersionMajor(1);
  record.setManagerVersionMinor(4);
  record.setDeviceRecognized(device);
  record.setDeviceVersionMajor_Minor(major, minor);
  return record;
}

std::string label(const update::BackupPanel& panel, int row) { return panel.labels[static_cast<size_t>(row - 1)].value_or("<kept>"); }
std::string value(const update::BackupPanel& panel, int row) { return panel.values[static_cast<size_t>(row - 1)].value_or("<kept>"); }

class BackupArchive : public testing::Test {
 protected:
  void SetUp() override { m_folder = test_support::enter_new_app_folder("vx-backup-panel"); }
  void TearDown() override { test_support::leave_app_folder(m_folder); }
  static void store(int product, const platform::Bytes& bytes) {
    ASSERT_TRUE(platform::write_file_atomically(*update::backup_archive_path(product), bytes));
  }
  std::string m_folder;
};

TEST_F(BackupArchive, MissingDamagedVersionlessAndTooOldArchivesAreRefused) {
  EXPECT_EQ(update::read_backup(0x4D05, 0x4D05).refusal, BackupRefusal::no_file);
  EXPECT_EQ(update::read_backup(0, 0).refusal, BackupRefusal::no_file);

  store(0x4D05, platform::Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'r', 'c', 'h', 'i', 'v', 'e'});
  update::BackupReading damaged = update::read_backup(0x4D05, 0x4D05);
  EXPECT_EQ(damaged.refusal, BackupRefusal::damaged);
  EXPECT_EQ(damaged.record, nullptr);

  FEXOBluetoothDeviceData versionless = backup_of(0x4D05, 2, 0);
  versionless.setManagerVersionMajor(0);
  versionless.setManagerVersionMinor(0);
  store(0x4D05, versionless.archived_bytes());
  update::BackupReading old_manager = update::read_backup(0x4D05, 0x4D05);
  EXPECT_EQ(old_manager.refusal, BackupRefusal::no_manager_version);
  // kept for display, but never restorable
  ASSERT_NE(old_manager.record, nullptr);
  EXPECT_FALSE(old_manager.restorable());

  store(0x4D05, backup_of(0x4D35, 1, 1).archived_bytes());
  EXPECT_EQ(update::read_backup(0x4D05, 0x4D35).refusal, BackupRefusal::not_compatible);
  update::BackupReading accepted = update::read_backup(0x4D05, 0x4D05);
  EXPECT_EQ(accepted.refusal, BackupRefusal::none);
  EXPECT_TRUE(accepted.restorable());
}

TEST(BackupRefusal, OldBackupsOfTheNewerHeadsetsAreNotCompatible) {
  struct Case {
    int recognized, major, minor;
    BackupRefusal refusal;
  };
  for (const Case& c : {Case{0x4D35, 1, 1, BackupRefusal::not_compatible}, Case{0x4D55, 1, 1, BackupRefusal::not_compatible},
                        Case{0x4D35, 1, 2, BackupRefusal::none}, Case{0x4D05, 1, 1, BackupRefusal::none},
                        Case{0x5060, 4, 1, BackupRefusal::not_compatible}, Case{0x5080, 4, 1, BackupRefusal::not_compatible},
                        Case{0x5060, 4, 2, BackupRefusal::none}, Case{0x5010, 4, 1, BackupRefusal::none}}) {
    SCOPED_TRACE(c.recognized);
    EXPECT_EQ(update::backup_refusal(backup_of(c.recognized, c.major, c.minor), c.recognized), c.refusal);
  }
}

TEST(BackupPanelTexts, VersionRowFollowsTheSelectedProduct) {
  FEXOBluetoothDeviceData record = backup_of(0x3020, 3, 4);
  record.setDeviceSecondaryVersionType(1);
  record.setDeviceSecondaryVersion(2);
  EXPECT_EQ(update::backup_panel(record, 0x3020, 0, 0).version, "v1.2.3.4");
  FEXOBluetoothDeviceData camera = backup_of(0x5345, 1, 0);
  camera.setDeviceSecondaryVersion(7);
  EXPECT_EQ(update::backup_panel(camera, 0x5345, 0, 0).version, "v1.0.7");
  EXPECT_EQ(update::backup_panel(record, 0x6010, 0, 0).version, "v3.4");
  // a product in no group: the version and date rows only
  const update::BackupPanel unknown = update::backup_panel(record, 0x1234, k_settings, 0);
  EXPECT_EQ(unknown.date_label, "Date: ");
  EXPECT_EQ(unknown.date_value, std::nullopt);
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(label(unknown, row), "<kept>");
}

TEST(BackupPanelTexts, SettingsRowsFollowTheBackupsVersion) {
  FEXOBluetoothDeviceData record = backup_of(0x4D05, 1, 1);
  record.setHandsfreeVOX(1);
  record.setEdr(1);  // shown inverted
  record.setPlc(0);
  update::BackupPanel panel = update::backup_panel(record, 0x4D05, k_settings, 0);
  EXPECT_EQ(panel.alignment, update::RowAlignment::right);
  EXPECT_EQ(label(panel, 1), "VOX Phone:");
  EXPECT_EQ(value(panel, 1), "Enabled");
  EXPECT_EQ(label(panel, 2), "EDR (Enhanced Data Rate):");
  EXPECT_EQ(value(panel, 2), "Disabled");
  EXPECT_EQ(label(panel, 3), "PLC (Packet Loss Concealment):");
  EXPECT_EQ(value(panel, 3), "Disabled");
  EXPECT_EQ(label(panel, 4), "<kept>");

  record.setDeviceVersionMajor_Minor(1, 5);
  EXPECT_EQ(label(update::backup_panel(record, 0x4D05, k_settings, 0), 3), "High Quality A2DP:");
  record.setDeviceVersionMajor_Minor(2, 0);
  EXPECT_EQ(label(update::backup_panel(record, 0x4D05, k_settings, 0), 4), "Sidetone:");

  // below 4.0 the EDR row of these headsets reads the field directly; the
  // microphone boost row only for three of them
  FEXOBluetoothDeviceData classic = backup_of(0x4D10, 3, 9);
  classic.setEdr(1);
  EXPECT_EQ(value(update::backup_panel(classic, 0x4D10, k_settings, 0), 3), "Enabled");
  classic.setDeviceVersionMajor_Minor(5, 0);
  EXPECT_EQ(label(update::backup_panel(classic, 0x4D10, k_settings, 0), 6), "Microphone Boosting:");
  EXPECT_EQ(label(update::backup_panel(classic, 0x5010, k_settings, 0), 6), "<kept>");
  EXPECT_EQ(label(update::backup_panel(classic, 0x5010, k_settings, 0), 5), "Sidetone:");
}

TEST(BackupPanelTexts, SettingsWordRowsAndTheirValueKinds) {
  FEXOBluetoothDeviceData record = backup_of(0x4310, 1, 0);
  record.setBasicSettingLM6AudioBraidingSensitivity(3);
  const char* motion[] = {"Disable", "Low", "High", "4"};
  for (int sensitivity = 1; sensitivity <= 4; ++sensitivity) {
    record.setBasicSettingLM6MotionSensorSensitivity(sensitivity);
    const update::BackupPanel panel = update::backup_panel(record, 0x4310, k_settings, 0);
    EXPECT_EQ(label(panel, 3), "Motion Sensor Sensitivity:");
    EXPECT_EQ(value(panel, 3), motion[sensitivity - 1]);
    EXPECT_EQ(label(panel, 5), "Intercom-audio Veneer Sensi...:");
    EXPECT_EQ(value(panel, 5), "8");
  }
  FEXOBluetoothDeviceData radio = backup_of(0x5210, 1, 0);
  radio.setRadioTransmitGain(17);
  radio.setAudioChannelTimeout(30);
  // every tab kind shows these rows
  const update::BackupPanel panel = update::backup_panel(radio, 0x5210, k_fm, 0);
  EXPECT_EQ(value(panel, 1), "High");
  EXPECT_EQ(value(panel, 2), "30 seconds");
}

TEST(BackupPanelTexts, RowsKeptAsTheDeviceFamilyShowsThem) {
  // the first row of these products is named Audio Boost and shows the FM station guide
  FEXOBluetoothDeviceData record = backup_of(0x3030, 1, 0);
  record.setFmStationGuide(1);
  record.setAudioBoost(1);
  update::BackupPanel panel = update::backup_panel(record, 0x3030, k_settings, 0);
  EXPECT_EQ(label(panel, 1), "Audio Boost:");
  EXPECT_EQ(value(panel, 1), "Enabled");
  record.setFmStationGuide(2);
  EXPECT_EQ(value(update::backup_panel(record, 0x3030, k_settings, 0), 1), "Disabled");

  // this product's last value is the voice assistant, inverted
  FEXOBluetoothDeviceData other = backup_of(0x3232, 1, 0);
  other.setAmbientHushControl(0);
  other.setVoiceAssistant(1);
  panel = update::backup_panel(other, 0x3232, k_settings, 0);
  EXPECT_EQ(label(panel, 6), strings::setting_name(strings::SettingName::AmbientHushControl, 0) + ":");
  EXPECT_EQ(value(panel, 6), "Disabled");
}

TEST(BackupPanelTexts, SpeedDialsShowEmptyForNoNumber) {
  FEXOBluetoothDeviceData record = backup_of(0x6010, 1, 0);
  record.setSpeedDialAt_with(0, "5551234");
  record.setSpeedDialAt_with(1, "");
  const update::BackupPanel panel = update::backup_panel(record, 0x6010, k_speed_dial, 0);
  EXPECT_EQ(label(panel, 1), "Speed Dial 1: ");
  EXPECT_EQ(value(panel, 1), "5551234");
  EXPECT_EQ(value(panel, 2), "Empty");
  EXPECT_EQ(label(panel, 3), "Speed Dial 3: ");
  EXPECT_EQ(value(panel, 3), "Empty");
  EXPECT_EQ(label(panel, 4), "<kept>");
  EXPECT_EQ(panel.date_value, std::nullopt);
}

TEST(BackupPanelTexts, FmPresetsInTheirExactSpacing) {
  FEXOBluetoothDeviceData record = backup_of(0x5510, 1, 0);
  record.setFmRadioRegion(4);
  record.setFmRadioRDS(1);
  record.setFmRadioPresetsAt_with(0, 8750);
  record.setFmRadioPresetsAt_with(1, 0);
  record.setFmRadioPresetsAt_with(9, 10790);
  const update::BackupPanel panel = update::backup_panel(record, 0x5510, k_fm, 0);
  EXPECT_EQ(panel.alignment, update::RowAlignment::left);
  EXPECT_EQ(panel.date_label, "Radio Region:");
  EXPECT_EQ(panel.date_value, "Europe");
  EXPECT_EQ(label(panel, 1), "  1:   87.5 MHz");
  EXPECT_EQ(value(panel, 1), std::string(20, ' ') + "  2: Empty");
  EXPECT_EQ(value(panel, 5), std::string(20, ' ') + "10: 107.9 MHz");
  EXPECT_EQ(label(panel, 6), "RDS AF (Alternative Frequencies):");
  EXPECT_EQ(value(panel, 6), "Enabled");
}

TEST(BackupPanelTexts, WhichTabKindsShowTheFmView) {
  FEXOBluetoothDeviceData record = backup_of(0x6010, 1, 0);
  // six presets: rows 1 to 3 only, then the RDS row
  update::BackupPanel panel = update::backup_panel(record, 0x6010, k_fm, 0);
  EXPECT_EQ(value(panel, 3), std::string(20, ' ') + "  6: Empty");
  EXPECT_EQ(label(panel, 4), "<kept>");
  EXPECT_EQ(label(panel, 6), "RDS AF (Alternative Frequencies):");
  // these headsets show the FM view on any tab but settings and speed dial, with a space after the colon
  panel = update::backup_panel(backup_of(0x4D10, 5, 0), 0x4D10, 0, 0);
  EXPECT_EQ(panel.date_label, "Radio Region: ");
  EXPECT_EQ(label(panel, 5), "  9: Empty");
  // no FM view: nothing beyond the version and date rows
  panel = update::backup_panel(backup_of(0x6430, 1, 0), 0x6430, k_fm, 0);
  EXPECT_EQ(panel.date_label, "Date: ");
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(label(panel, row), "<kept>");
}

TEST(BackupPanelTexts, RegionNamesInEveryLanguage) {
  EXPECT_EQ(UpdateTexts::vyla_string_fm_radio_region_in(1, 2), "Americhe");
  EXPECT_EQ(UpdateTexts::vyla_string_fm_radio_region_in(5, 4), "日本");
  EXPECT_EQ(UpdateTexts::vyla_string_fm_radio_region_in(1, 8), "Сев. и Юж. Америка");
  EXPECT_EQ(UpdateTexts::vyla_string_fm_radio_region_in(0, 12), "Cały świat");
  // outside the tables: English, region 0
  EXPECT_EQ(UpdateTexts::vyla_string_fm_radio_region_in(3, 13), "Australia");
  EXPECT_EQ(UpdateTexts::vyla_string_fm_radio_region_in(9, 1), "Monde");
  EXPECT_EQ(UpdateTexts::vyla_string_fm_radio_region_in(-1, 0), "Worldwide");
}

TEST(RestoreRowsTable, OneProductOfEachKindOfRowOnEveryTab) {
  const RestoreRows all{6, false, false};
  const RestoreRows table{6, false, true};
  const auto first = [](int shown) { return RestoreRows{shown, false, false}; };
  struct Case {
    int product, major, minor;
    RestoreRows settings, speed_dial, fm;
  };
  const Case cases[] = {
      {0x4D10, 3, 9, first(3), first(3), all},
      {0x4D10, 4, 0, first(4), first(3), all},
      {0x4D10, 4, 1, all, first(3), all},
      {0x5010, 4, 1, first(5), first(3), all},
      {0x4D30, 4, 2, first(5), first(3), all},
      {0x5010, 4, 2, first(4), first(3), all},
      {0x4D40, 5, 0, all, first(3), all},
      {0x5070, 5, 0, first(4), first(3), all},
      {0x5060, 5, 0, first(5), first(3), all},
      {0x4D85, 1, 0, first(4), first(3), all},
      {0x4D21, 1, 0, first(1), first(3), all},
      {0x5011, 1, 0, first(5), first(3), all},
      {0x4040, 1, 0, first(1), all, all},
      {0x2020, 1, 0, first(5), first(3), all},
      {0x2020, 1, 1, all, first(3), all},
      {0x6121, 1, 0, first(4), first(3), all},
      {0x4113, 1, 0, first(2), first(3), all},
      {0x4120, 1, 0, first(5), first(3), all},
      {0x6450, 1, 0, first(2), first(3), all},
      {0x6430, 1, 0, first(1), first(3), all},
      {0x4D65, 1, 9, first(3), first(3), all},
      {0x4D65, 2, 0, first(4), first(3), all},
      {0x2310, 1, 0, first(3), first(3), first(3)},
      {0x2120, 1, 0, first(1), first(1), first(1)},
      {0x5210, 1, 0, first(2), first(2), first(2)},
      {0x4210, 1, 0, RestoreRows{4, false, true}, first(3), all},
      {0x4210, 1, 1, table, first(3), all},
      {0x4410, 1, 0, table, first(3), all},
      {0x6335, 1, 0, table, first(3), all},
      {0x3500, 1, 0, table, all, all},
      {0x3110, 1, 0, table, first(0), all},
      {0x5416, 1, 0, table, first(3), all},
      {0x1234, 1, 0, table, first(3), RestoreRows{6, true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.product << " v" << c.major << "." << c.minor);
    EXPECT_EQ(update::restore_rows(c.product, k_settings, c.major, c.minor), c.settings);
    EXPECT_EQ(update::restore_rows(c.product, k_speed_dial, c.major, c.minor), c.speed_dial);
    EXPECT_EQ(update::restore_rows(c.product, k_fm, c.major, c.minor), c.fm);
    // a tab kind the table does not name hides nothing
    EXPECT_EQ(update::restore_rows(c.product, 0, c.major, c.minor), all);
  }
}

}  // namespace
