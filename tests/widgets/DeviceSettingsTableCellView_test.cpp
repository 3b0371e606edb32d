#include "widgets/DeviceSettingsTableCellView.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

TEST(DeviceSettingsTableCellView, OnOffRowOffersItsInformationButtonAndRadioPair) {
  DeviceSettingsTableCellView cell(DeviceSettingsTableCellView::k_on_off_cell);
  EXPECT_EQ(cell.objectName(), "settingsAllBasicOnOffCell");
  ASSERT_NE(cell.infoOnOffBtn(), nullptr);
  ASSERT_NE(cell.radiobtn(), nullptr);
  ASSERT_NE(cell.enablebtn(), nullptr);
  ASSERT_NE(cell.disablebtn(), nullptr);
  EXPECT_EQ(cell.infoPopUpBtn(), nullptr);
  EXPECT_EQ(cell.popUpBtn(), nullptr);
  EXPECT_EQ(cell.findChild<QPushButton*>("infoOnOffBtn"), cell.infoOnOffBtn());

  // the pair is exclusive: choosing disable clears enable
  cell.enablebtn()->setChecked(true);
  cell.disablebtn()->click();
  EXPECT_FALSE(cell.enablebtn()->isChecked());
  EXPECT_EQ(cell.radiobtn()->checkedId(), 1);
}

TEST(DeviceSettingsTableCellView, ComboRowOffersItsInformationButtonAndPopUp) {
  DeviceSettingsTableCellView cell(DeviceSettingsTableCellView::k_combo_cell);
  ASSERT_NE(cell.infoOnOffBtn(), nullptr);
  ASSERT_NE(cell.infoPopUpBtn(), nullptr);
  ASSERT_NE(cell.popUpBtn(), nullptr);
  EXPECT_EQ(cell.radiobtn(), nullptr);
  EXPECT_EQ(cell.findChild<QComboBox*>("popUpBtn"), cell.popUpBtn());
  EXPECT_EQ(cell.findChild<QPushButton*>("infoOnOffBtn"), cell.infoOnOffBtn());
  // the pop-up row shows one information button: the second waits hidden
  EXPECT_FALSE(cell.infoOnOffBtn()->isHidden());
  EXPECT_TRUE(cell.infoPopUpBtn()->isHidden());
  EXPECT_EQ(cell.row(), -1);
}

TEST(DeviceSettingsTableCellView, OutletsAreReplaceableAndNeverDangle) {
  DeviceSettingsTableCellView cell(DeviceSettingsTableCellView::k_combo_cell);
  auto* other = new QComboBox(&cell);
  cell.setPopUpBtn(other);
  EXPECT_EQ(cell.popUpBtn(), other);
  delete other;
  EXPECT_EQ(cell.popUpBtn(), nullptr);
  cell.textField()->setText("Audio multitasking");
  EXPECT_EQ(cell.findChild<QLabel*>("textField")->text(), "Audio multitasking");
}

}  // namespace
