// The all-settings table's cells: a catalogue row made into a cell view, the
// row index a control finds its row by, and the settings page answering the
// table's count and cells from the controller's state and its working copy.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <memory>

#include "settings/DeviceSettingsViewController.h"
#include "settings/all_settings_cells_qt.h"
#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "support/fake_services.h"
#include "widgets/DeviceSettingsTableCellView.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using settings::AllSettingsRow;
using settings::RowKind;

AllSettingsRow on_off_row(int selected, bool enabled) {
  AllSettingsRow row;
  row.kind = RowKind::on_off;
  row.label = "HD Voice";
  row.enable_title = "Activer";
  row.disable_title = "Désactiver";
  row.selected = selected;
  row.enabled = enabled;
  return row;
}

AllSettingsRow pop_up_row(int selected, bool enabled) {
  AllSettingsRow row;
  row.kind = RowKind::pop_up;
  row.label = "Audio Equalizer";
  row.items = {"Off", "Balance", "Bass Boost"};
  row.selected = selected;
  row.enabled = enabled;
  return row;
}

std::unique_ptr<DeviceSettingsTableCellView> cell_of(const AllSettingsRow& row, int index) {
  return std::unique_ptr<DeviceSettingsTableCellView>(settings::make_all_settings_cell(row, index));
}

TEST(AllSettingsCells, AnOnOffRowFillsTheRadioPair) {
  for (int column : {0, 1}) {
    SCOPED_TRACE(column);
    const auto cell = cell_of(on_off_row(column, column == 0), 4);
    EXPECT_EQ(cell->objectName(), "settingsAllBasicOnOffCell");
    EXPECT_EQ(cell->textField()->text(), "HD Voice");
    EXPECT_EQ(cell->enablebtn()->text(), "Activer");
    EXPECT_EQ(cell->disablebtn()->text(), "Désactiver");
    EXPECT_EQ(cell->radiobtn()->checkedId(), column);
    EXPECT_EQ(cell->enablebtn()->isEnabled(), column == 0);
    EXPECT_EQ(cell->disablebtn()->isEnabled(), column == 0);
    EXPECT_FALSE(cell->infoOnOffBtn()->isHidden());
    EXPECT_TRUE(cell->infoOnOffBtn()->isEnabled());
    EXPECT_EQ(cell->row(), 4);
  }
}

TEST(AllSettingsCells, APopUpRowFillsItsItemsAndSelection) {
  struct Case {
    int selected;
    bool enabled;
  };
  for (const Case& c : {Case{2, true}, Case{0, false}, Case{-1, true}}) {
    SCOPED_TRACE(c.selected);
    const auto cell = cell_of(pop_up_row(c.selected, c.enabled), 0);
    EXPECT_EQ(cell->objectName(), "settingsAllBasicComboCell");
    EXPECT_EQ(cell->textField()->text(), "Audio Equalizer");
    ASSERT_EQ(cell->popUpBtn()->count(), 3);
    EXPECT_EQ(cell->popUpBtn()->itemText(1), "Balance");
    EXPECT_EQ(cell->popUpBtn()->currentIndex(), c.selected);
    EXPECT_EQ(cell->popUpBtn()->isEnabled(), c.enabled);
    // the pop-up row shows its information button as infoOnOffBtn; the second stays hidden
    EXPECT_FALSE(cell->infoOnOffBtn()->isHidden());
    EXPECT_TRUE(cell->infoPopUpBtn()->isHidden());
  }
}

TEST(AllSettingsCells, RowsWithoutInformationHideTheirButtons) {
  AllSettingsRow dock = pop_up_row(0, true);
  dock.information_shown = false;
  dock.hides_pop_up_information = true;
  const auto dock_cell = cell_of(dock, 0);
  auto* second = dock_cell->infoPopUpBtn();
  second->show();  // even a second button shown by someone else
  settings::fill_all_settings_cell(*dock_cell, dock, 0);
  EXPECT_TRUE(dock_cell->infoOnOffBtn()->isHidden());
  EXPECT_FALSE(dock_cell->infoOnOffBtn()->isEnabled());
  EXPECT_TRUE(second->isHidden());
  EXPECT_FALSE(second->isEnabled());

  AllSettingsRow source = on_off_row(0, true);
  source.information_shown = false;
  const auto source_cell = cell_of(source, 0);
  EXPECT_TRUE(source_cell->infoOnOffBtn()->isHidden());
  // refilled with a row that has information, the button comes back
  settings::fill_all_settings_cell(*source_cell, on_off_row(1, true), 1);
  EXPECT_FALSE(source_cell->infoOnOffBtn()->isHidden());
  EXPECT_TRUE(source_cell->infoOnOffBtn()->isEnabled());
}

TEST(AllSettingsCells, FillingSendsNoChange) {
  const auto combo = cell_of(pop_up_row(0, true), 0);
  const auto radio = cell_of(on_off_row(0, true), 1);
  int changes = 0;
  QObject::connect(combo->popUpBtn(), &QComboBox::currentIndexChanged, [&changes] { ++changes; });
  QObject::connect(radio->radiobtn(), &QButtonGroup::idToggled, [&changes] { ++changes; });
  QObject::connect(radio->enablebtn(), &QRadioButton::toggled, [&changes] { ++changes; });
  settings::fill_all_settings_cell(*combo, pop_up_row(2, true), 0);
  settings::fill_all_settings_cell(*radio, on_off_row(1, true), 1);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(combo->popUpBtn()->currentIndex(), 2);
  EXPECT_EQ(radio->radiobtn()->checkedId(), 1);
}

TEST(AllSettingsCells, ACellOfTheOtherKindIsLeftAlone) {
  const auto combo = cell_of(pop_up_row(1, true), 3);
  EXPECT_FALSE(settings::fill_all_settings_cell(*combo, on_off_row(0, false), 7));
  EXPECT_EQ(combo->row(), 3);
  EXPECT_EQ(combo->textField()->text(), "Audio Equalizer");
}

TEST(AllSettingsCells, AControlFindsItsRowThroughItsCell) {
  const auto cell = cell_of(on_off_row(0, true), 5);
  EXPECT_EQ(settings::rowForView(cell->disablebtn()), 5);
  EXPECT_EQ(settings::rowForView(cell->infoOnOffBtn()), 5);
  EXPECT_EQ(settings::rowForView(cell.get()), 5);
  QWidget outside;
  EXPECT_EQ(settings::rowForView(&outside), -1);
  EXPECT_EQ(settings::rowForView(nullptr), -1);
  DeviceSettingsTableCellView unbuilt(DeviceSettingsTableCellView::k_combo_cell);
  EXPECT_EQ(settings::rowForView(unbuilt.popUpBtn()), -1);
}

class AllSettingsTable : public ::testing::Test {
 protected:
  AllSettingsTable() { page.setServices(&services); }

  session::AppState& state() { return services.state(); }

  void open(int product, int major, int minor) {
    state().setDeviceTarget(product);
    Record& device = state().data();
    device = Record();
    device.setDeviceRecognized(product);
    device.setDeviceVersionMajor(major);
    device.setDeviceVersionMinor(minor);
    state().setMode(session::k_mode_device_settings);
    page.initializeObject();
  }

  test_support::FakeServices services;
  DeviceSettingsViewController page;
};

TEST_F(AllSettingsTable, ThePageAnswersCountAndCellsFromOneDecision) {
  state().setFmRadioShowAndHide(4);
  state().setDevice50SpeakerType(3);
  state().setLanguageManager(strings::French);
  open(0x3211, 1, 0);
  ASSERT_EQ(page.numberOfRowsInTableView(), 14);
  std::unique_ptr<DeviceSettingsTableCellView> first(page.tableView_viewForTableColumn_row(0));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->objectName(), "settingsAllBasicComboCell");
  EXPECT_EQ(first->textField()->text(), "Headset Language");
  EXPECT_EQ(first->row(), 0);
  std::unique_ptr<DeviceSettingsTableCellView> vox(page.tableView_viewForTableColumn_row(2));
  ASSERT_TRUE(vox);
  EXPECT_EQ(vox->objectName(), "settingsAllBasicOnOffCell");
  EXPECT_EQ(vox->enablebtn()->text().toStdString(), CommonTexts::vyla_string_enable_in(strings::French));
  EXPECT_EQ(page.tableView_viewForTableColumn_row(14), nullptr);
  EXPECT_EQ(page.tableView_viewForTableColumn_row(-1), nullptr);

  // a new flag counts at the next call: nothing is kept between calls
  state().setDevice50SpeakerType(8);
  EXPECT_EQ(page.numberOfRowsInTableView(), 16);
  std::unique_ptr<DeviceSettingsTableCellView> mic(page.tableView_viewForTableColumn_row(1));
  ASSERT_TRUE(mic);
  EXPECT_EQ(mic->textField()->text(), "Velmont Acoustics Mic");
}

TEST_F(AllSettingsTable, CellsShowTheWorkingCopy) {
  open(0x5410, 2, 0);
  const int row = 4;  // Audio Veneer™
  std::unique_ptr<DeviceSettingsTableCellView> veneer(page.tableView_viewForTableColumn_row(row));
  ASSERT_TRUE(veneer);
  ASSERT_EQ(veneer->textField()->text(), "Audio Veneer™");
  EXPECT_EQ(veneer->radiobtn()->checkedId(), 1);
  ASSERT_TRUE(page.editor().changeAudioVeneer(0));
  veneer.reset(page.tableView_viewForTableColumn_row(row));
  EXPECT_EQ(veneer->radiobtn()->checkedId(), 0);
  // HD Voice hangs on it
  std::unique_ptr<DeviceSettingsTableCellView> hd_voice(page.tableView_viewForTableColumn_row(6));
  ASSERT_EQ(hd_voice->textField()->text(), "HD Voice");
  EXPECT_FALSE(hd_voice->enablebtn()->isEnabled());
}

TEST_F(AllSettingsTable, AProductOfTheClassicPanelHasNoRows) {
  open(0x4D10, 4, 2);
  EXPECT_EQ(page.numberOfRowsInTableView(), 0);
  EXPECT_EQ(page.tableView_viewForTableColumn_row(0), nullptr);
}

}  // namespace
