// The settings page as vexlink-setwise-sim runs it: a mesh headset (0x4D16)
// from VEXLINK_SIM, recognized over HID, then the settings tab shows its
// classic rows with the values recognition read; a Y350R (0x6020) whose
// edited VOX sensitivity is saved into the device and read back, from the
// page and from the all-settings sheet (MORE SETTINGS), and whose speed dial
// edited on its speed-dial tab is saved and read back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QComboBox>
#include <QPixmap>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/main_queue.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "platform/main_queue_qt.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/DeviceSelectionViewController.h"
#include "settings/DeviceAllSettingsSheet.h"
#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "widgets/DeviceSettingsTableCellView.h"
#include "strings/setting_names.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "sim/sim_env.h"
#include "support/app_folder.h"
#include "support/bus_fixture.h"
#include "support/loopback_server.h"
#include "support/qt_wait.h"

namespace {

class SimulatedSettingsPage : public test_support::BusFixture {
 protected:
  void SetUp() override {
    m_folder = test_support::enter_new_app_folder("vx-settings-sim");
    // these tests never ask the update server for a newer manager
    DeviceSelectionViewController::s_checkedManagerUpdate = true;
    // the update page's list reading ends at once without an answer
    m_no_server.emplace(test_support::k_unreachable_server_base);
    platform::install_qt_main_dispatcher();
  }

  void TearDown() override {
    // the pages join their workers before the bus goes away
    m_controller.reset();
    ::unsetenv("VEXLINK_SIM");
    platform::install_main_dispatcher(nullptr, nullptr);
    m_no_server.reset();
    test_support::leave_app_folder(m_folder);
    BusFixture::TearDown();
  }

  // The user picks the device, has it recognized, and opens the settings tab.
  void open_settings_of(const char* devices, int product = 0x4D16) {
    ::setenv("VEXLINK_SIM", devices, 1);
    ASSERT_EQ(sim::attach_from_environment(), 1);
    m_controller = std::make_unique<FEXOBluetoothManagerAppController>();
    FEXOBluetoothManagerAppController& controller = *m_controller;
    QTest::mouseClick(button("btnNext", controller.deviceSelectionViewController()), Qt::LeftButton);
    ASSERT_EQ(controller.mode(), session::k_mode_device_recognition);
    QTest::mouseClick(button("btnNext", controller.deviceRecognitionViewController()), Qt::LeftButton);
    // the recognition page's timer is ticked rather than waited for
    DeviceRecognitionViewController* recognition = controller.deviceRecognitionViewController();
    VX_TRY_VERIFY((recognition->timerMethodRecognize(), controller.mode() == session::k_mode_firmware_update));
    ASSERT_EQ(controller.deviceTarget(), product);
    // the tabs answer once the update page has finished reading its list
    VX_TRY_VERIFY(!controller.onProcessing());
    QTest::mouseClick(button("btnDeviceSettings", controller.window()), Qt::LeftButton);
    ASSERT_EQ(controller.mode(), session::k_mode_device_settings);
  }

  static QPushButton* button(const char* name, QWidget* in) {
    auto* found = in->findChild<QPushButton*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  DeviceSettingsViewController& page() { return *m_controller->deviceSettingsViewController(); }
  bool shown(const std::string& name) { return !page().findChild<QWidget*>(QString::fromStdString(name))->isHidden(); }
  bool checked(const char* cell) { return page().findChild<QRadioButton*>(cell)->isChecked(); }

  std::vector<std::string> rows_shown() {
    std::vector<std::string> rows;
    for (settings::PanelRow row : settings::k_panel_rows) {
      const std::string name = settings::panel_row_name(row);
      if (shown("lbl" + name)) rows.push_back(name);
    }
    return rows;
  }

  std::string m_folder;
  std::optional<test_support::ScopedServerEnvironment> m_no_server;
  std::unique_ptr<FEXOBluetoothManagerAppController> m_controller;
};

TEST_F(SimulatedSettingsPage, ShowsTheMeshHeadsetsRowsWithItsValues) {
  struct Case {
    const char* devices;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"hid:0x4D16,mode=1", {"HandsfreeVOX", "EDR", "BitpoolRate"}},
      {"hid:0x4D16,mode=1,fw=2.0", {"HandsfreeVOX", "EDR", "BitpoolRate", "Sidetone"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.devices);
    ASSERT_NO_FATAL_FAILURE(open_settings_of(c.devices));
    EXPECT_EQ(rows_shown(), c.rows);
    EXPECT_FALSE(shown("lblNoteEDR"));
    EXPECT_FALSE(shown("btnAllSettings"));

    // the values are the device's, as recognition read its settings word
    const FEXOBluetoothDeviceData& device = m_controller->data();
    EXPECT_TRUE(checked(device.GetBasicSettingND4VOXPhone() ? "enableHandsfreeVOX" : "disableHandsfreeVOX"));
    EXPECT_TRUE(checked(device.GetBasicSettingEDR() ? "disableEDR" : "enableEDR"));
    EXPECT_TRUE(checked(device.GetBasicSettingND4HighQulityA2DP() ? "enableBitpoolRate" : "disableBitpoolRate"));
    EXPECT_TRUE(checked(device.GetBasicSettingND4Sidetone() ? "enableSidetone" : "disableSidetone"));
    EXPECT_EQ(page().dataCurrent().basicSettingLM6(0), device.basicSettingLM6(0));

    // a click edits the working copy and offers Save; clicking back withdraws it
    auto* save = button("btnSave", &page());
    EXPECT_FALSE(save->isEnabled());
    const char* other = device.GetBasicSettingEDR() ? "enableEDR" : "disableEDR";
    const char* same = device.GetBasicSettingEDR() ? "disableEDR" : "enableEDR";
    QTest::mouseClick(page().findChild<QRadioButton*>(other), Qt::LeftButton);
    EXPECT_NE(page().dataCurrent().GetBasicSettingEDR(), device.GetBasicSettingEDR());
    EXPECT_TRUE(save->isEnabled());
    QTest::mouseClick(page().findChild<QRadioButton*>(same), Qt::LeftButton);
    EXPECT_FALSE(save->isEnabled());

    m_controller.reset();
    sim::reset();
  }
}

TEST_F(SimulatedSettingsPage, ASavedSettingIsInTheDeviceAndBackOnThePageAfterTheFreshRecognition) {
  ASSERT_NO_FATAL_FAILURE(open_settings_of("hid:0x6020", 0x6020));
  auto device = std::dynamic_pointer_cast<sim::HidModel>(sim::devices().front().model);
  ASSERT_NE(device, nullptr);
  const int read = m_controller->data().basicSettingKR5VOXSensitivityAt(0);
  const int chosen = read == 5 ? 2 : 5;

  // the VOX sensitivity action with the item of level `chosen`, then Save
  ASSERT_TRUE(page().editor().changeVOXSensitivity(chosen - 1));
  page().setControls();
  auto* save = button("btnSave", &page());
  ASSERT_TRUE(save->isEnabled());
  save->click();
  EXPECT_TRUE(m_controller->onProcessing());
  page().waitForSave();
  page().timerMethodSave();
  EXPECT_EQ(device->block(0x12), std::vector<std::uint16_t>{static_cast<std::uint16_t>(chosen)});
  ASSERT_EQ(m_controller->mode(), session::k_mode_device_recognition);

  // the recognition reads the device afresh and returns to the settings page
  DeviceRecognitionViewController* recognition = m_controller->deviceRecognitionViewController();
  VX_TRY_VERIFY((recognition->timerMethodRecognize(), m_controller->mode() == session::k_mode_device_settings));
  EXPECT_EQ(m_controller->data().basicSettingKR5VOXSensitivityAt(0), chosen);
  EXPECT_EQ(page().dataCurrent().basicSettingKR5VOXSensitivityAt(0), chosen);
  EXPECT_FALSE(page().isSettingsChanged());
  EXPECT_FALSE(save->isEnabled());
  device->take_received();
}

TEST_F(SimulatedSettingsPage, ASavedSpeedDialIsInTheDeviceAndBackOnItsTabAfterTheFreshRecognition) {
  ASSERT_NO_FATAL_FAILURE(open_settings_of("hid:0x6020", 0x6020));
  auto device = std::dynamic_pointer_cast<sim::HidModel>(sim::devices().front().model);
  ASSERT_NE(device, nullptr);
  // the second tab of the Y350R is its speed dial
  QTest::mouseClick(button("btnDetailTitlePagesSecond", m_controller->window()), Qt::LeftButton);
  ASSERT_EQ(m_controller->mode(), session::k_mode_device_settings_speed_dial);
  DeviceSettingsSpeedDialViewController& speed_dial = *m_controller->deviceSettingsSpeedDialViewController();
  const std::string first = speed_dial.dataCurrent().speedDialAt(0).value_or("");

  // number 2 typed into its sheet, then Save
  QTest::mouseClick(button("btnSpeedDial02", &speed_dial), Qt::LeftButton);
  ASSERT_TRUE(speed_dial.sheetSpeedDialEdit()->isVisible());
  speed_dial.tfSpeedDialEdit()->clear();
  QTest::keyClicks(speed_dial.tfSpeedDialEdit(), "+4930*7#");
  QTest::mouseClick(button("btnSpeedDialEditOK", speed_dial.sheetSpeedDialEdit()), Qt::LeftButton);
  auto* save = button("btnSave", &speed_dial);
  ASSERT_TRUE(save->isEnabled());
  save->click();
  speed_dial.waitForSave();
  speed_dial.timerMethodSave();
  EXPECT_EQ(device->block(0x5B), sim::character_words("+4930*7#"));
  ASSERT_EQ(m_controller->mode(), session::k_mode_device_recognition);

  // the recognition reads the numbers afresh and returns to the speed-dial page
  DeviceRecognitionViewController* recognition = m_controller->deviceRecognitionViewController();
  VX_TRY_VERIFY((recognition->timerMethodRecognize(),
                 m_controller->mode() == session::k_mode_device_settings_speed_dial));
  EXPECT_EQ(m_controller->data().speedDialAt(1), "+4930*7#");
  EXPECT_EQ(button("btnSpeedDial02", &speed_dial)->text(), "+4930*7#");
  EXPECT_EQ(button("btnSpeedDial01", &speed_dial)->text().toStdString(), first.empty() ? "Empty" : first);
  EXPECT_FALSE(speed_dial.isSettingsChanged());
  EXPECT_FALSE(save->isEnabled());
  device->take_received();
}

TEST_F(SimulatedSettingsPage, MoreSettingsEditsSavesAndTheFreshRecognitionReturnsToThePage) {
  ASSERT_NO_FATAL_FAILURE(open_settings_of("hid:0x6020", 0x6020));
  auto device = std::dynamic_pointer_cast<sim::HidModel>(sim::devices().front().model);
  ASSERT_NE(device, nullptr);
  m_controller->window()->show();

  // MORE SETTINGS: the sheet over the main window with the six rows of the Y350R
  QTest::mouseClick(button("btnAllSettings", &page()), Qt::LeftButton);
  DeviceAllSettingsSheet* sheet = page().sheetDeviceAllSettings();
  ASSERT_TRUE(sheet->isVisible());
  EXPECT_EQ(sheet->size(), QSize(550, 400));
  QTableWidget* table = page().tableViewDeviceAllSettingsBasic();
  ASSERT_EQ(table->rowCount(), 6);
  auto* vox = dynamic_cast<DeviceSettingsTableCellView*>(table->cellWidget(2, 0));
  ASSERT_NE(vox, nullptr);
  ASSERT_EQ(vox->textField()->text().toStdString(), strings::setting_name(strings::SettingName::VOXSensitivity, 0));
  const int read = m_controller->data().basicSettingKR5VOXSensitivityAt(0);
  EXPECT_EQ(vox->popUpBtn()->currentIndex(), read - 1);

  // the user picks another level
  const int chosen = read == 5 ? 2 : 5;
  vox->popUpBtn()->setCurrentIndex(chosen - 1);
  emit vox->popUpBtn()->activated(chosen - 1);
  EXPECT_EQ(page().dataCurrent().basicSettingKR5VOXSensitivityAt(0), chosen);
  ASSERT_TRUE(page().btnDeviceAllSettingsBasicSave()->isEnabled());

  // a picture of the sheet as the user sees it, kept with the test output
  const std::filesystem::path picture = std::filesystem::absolute("all_settings_sheet_0x6020.png");
  ASSERT_TRUE(sheet->grab().save(QString::fromStdString(picture.string())));
  RecordProperty("screenshot", picture.string());

  // Save ends the sheet and writes the device
  device->take_received();
  QTest::mouseClick(page().btnDeviceAllSettingsBasicSave(), Qt::LeftButton);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_TRUE(m_controller->onProcessing());
  page().waitForSave();
  page().timerMethodSave();
  EXPECT_EQ(device->block(0x12), std::vector<std::uint16_t>{static_cast<std::uint16_t>(chosen)});
  EXPECT_FALSE(device->take_received().empty());
  ASSERT_EQ(m_controller->mode(), session::k_mode_device_recognition);

  // the fresh recognition reads it back and returns to the settings page
  DeviceRecognitionViewController* recognition = m_controller->deviceRecognitionViewController();
  VX_TRY_VERIFY((recognition->timerMethodRecognize(), m_controller->mode() == session::k_mode_device_settings));
  EXPECT_EQ(m_controller->data().basicSettingKR5VOXSensitivityAt(0), chosen);
  EXPECT_FALSE(page().isSettingsChanged());
  EXPECT_FALSE(sheet->isVisible());
  page().moveToAllSettins(nullptr);
  vox = dynamic_cast<DeviceSettingsTableCellView*>(table->cellWidget(2, 0));
  ASSERT_NE(vox, nullptr);
  EXPECT_EQ(vox->popUpBtn()->currentIndex(), chosen - 1);
  page().closeAllSettins(nullptr);
  device->take_received();
}

TEST_F(SimulatedSettingsPage, AnFMPresetSavedIsOnTheFMPageAfterTheFreshRecognition) {
  ASSERT_NO_FATAL_FAILURE(open_settings_of("hid:0x6010", 0x6010));
  auto device = std::dynamic_pointer_cast<sim::HidModel>(sim::devices().front().model);
  ASSERT_NE(device, nullptr);
  m_controller->setDeviceSettingsSecondWithStatus(true);
  ASSERT_EQ(m_controller->mode(), session::k_mode_device_settings_second);
  DeviceSettingsSecondViewController& fm_page = *m_controller->deviceSettingsSecondViewController();

  // slot 6 turned on, then typed 99.5 MHz into its sheet
  auto* check_box = fm_page.findChild<QCheckBox*>("cbFMRadioPreset06");
  ASSERT_NE(check_box, nullptr);
  if (check_box->isChecked()) QTest::mouseClick(check_box, Qt::LeftButton);
  QTest::mouseClick(check_box, Qt::LeftButton);
  QTest::mouseClick(button("btnFMRadioPreset06", &fm_page), Qt::LeftButton);
  ASSERT_TRUE(fm_page.sheetFMRadioPresetEdit()->isVisible());
  fm_page.findChild<QLineEdit*>("tfFMRadioPresetEdit")->setText("99.5");
  QTest::mouseClick(button("btnFMRadioPresetEditOK", &fm_page), Qt::LeftButton);
  EXPECT_EQ(button("btnFMRadioPreset06", &fm_page)->text(), "99.5");

  auto* save = button("btnSave", &fm_page);
  ASSERT_TRUE(save->isEnabled());
  save->click();
  fm_page.waitForSave();
  fm_page.timerMethodSave();
  ASSERT_EQ(device->block(0x15).size(), 11u);
  EXPECT_EQ(device->block(0x15)[8], 9950);
  ASSERT_EQ(m_controller->mode(), session::k_mode_device_recognition);

  // the recognition reads the device afresh and returns to the FM radio page
  DeviceRecognitionViewController* recognition = m_controller->deviceRecognitionViewController();
  VX_TRY_VERIFY((recognition->timerMethodRecognize(),
                 m_controller->mode() == session::k_mode_device_settings_second));
  EXPECT_EQ(m_controller->data().fmRadioPresetsAt(5), 9950);
  EXPECT_EQ(fm_page.dataCurrent().fmRadioPresetsAt(5), 9950);
  EXPECT_EQ(button("btnFMRadioPreset06", &fm_page)->text(), "99.5");
  EXPECT_FALSE(fm_page.isSettingsChanged());
  EXPECT_FALSE(save->isEnabled());
  device->take_received();
}

}  // namespace
