// The FM radio page on the real controller: its slots, region row and edit
// sheet, the save prompt, the save into a simulated device and its outcomes.
#include "settings/DeviceSettingsSecondViewController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <memory>
#include <vector>

#include "platform/clock.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "settings/classic_panel_controls_qt.h"
#include "settings/fm_radio_save.h"
#include "shell/shell_fixture.h"
#include "sim/bus.h"
#include "sim/models/hid_model.h"
#include "strings/common_texts.h"
#include "strings/fm_radio_texts.h"
#include "support/qt_wait.h"

namespace {

constexpr int k_europe = 4;
constexpr int k_japan = 5;

QString slot_name(const char* prefix, int number) { return QString("%1%2").arg(prefix).arg(number, 2, 10, QChar('0')); }

class FMRadioPage : public QueuedShellFixture {
 protected:
  void SetUp() override {
    QueuedShellFixture::SetUp();
    sim::reset();
  }
  void TearDown() override {
    sim::reset();
    QueuedShellFixture::TearDown();
  }

  // `product` recognized with presets 87.5 and 99.0 in slots 1 and 3 of
  // region `region`, RDS off; the FM radio page open.
  DeviceSettingsSecondViewController& open(FEXOBluetoothManagerAppController& controller, int product,
                                           int region = k_europe, int major = 1, int minor = 0) {
    recognize(controller, product, major, minor);
    FEXOBluetoothDeviceData& device = controller.data();
    device.setFmRadioRegion(region);
    device.setFmRadioMagicCode(0x66E9);
    device.setFmRadioPresetsAt_with(0, 8750);
    device.setFmRadioPresetsAt_with(2, 9900);
    controller.setDeviceSettingsSecondWithStatus(true);
    EXPECT_EQ(controller.mode(), session::k_mode_device_settings_second);
    return *controller.deviceSettingsSecondViewController();
  }

  template <class T = QWidget>
  static T* in(DeviceSettingsSecondViewController& page, const QString& name) {
    T* found = page.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }
  static QCheckBox* check_box(DeviceSettingsSecondViewController& page, int number) {
    return in<QCheckBox>(page, slot_name("cbFMRadioPreset", number));
  }
  static QPushButton* preset_button(DeviceSettingsSecondViewController& page, int number) {
    return in<QPushButton>(page, slot_name("btnFMRadioPreset", number));
  }

  // The worker ends and the page's timer ticks once.
  static void finish_save(DeviceSettingsSecondViewController& page) {
    page.waitForSave();
    page.timerMethodSave();
  }

  platform::ScopedVirtualClock m_clock;
};

TEST_F(FMRadioPage, ShowsTheSlotsTheProductHasAndItsRegionRow) {
  struct Case {
    const char* name;
    int product;
    int region;
    int slots_shown;
    bool region_shown;
    std::vector<bool> used;  // slots 1 to 3
  };
  const Case cases[] = {
      {"ten presets", 0x5416, k_europe, 10, true, {true, false, true}},
      {"six presets", 0x6030, k_europe, 6, true, {true, false, true}},
      {"0x3128 hides its region row but checks against its region (99.0 lies above Japan's band)", 0x3128,
       k_japan, 10, false, {true, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto controller = start();
    DeviceSettingsSecondViewController& page = open(*controller, c.product, c.region);
    for (int number = 1; number <= 10; ++number) {
      SCOPED_TRACE(number);
      const bool shown = number <= c.slots_shown;
      EXPECT_EQ(check_box(page, number)->isHidden(), !shown);
      EXPECT_EQ(preset_button(page, number)->isHidden(), !shown);
      EXPECT_EQ(in(page, slot_name("stepperFMRadioPreset", number))->isHidden(), !shown);
      EXPECT_EQ(in(page, slot_name("lblFMRadioPresetUnit", number))->isHidden(), !shown);
    }
    EXPECT_EQ(in(page, "popUpFMRadioRegion")->isHidden(), !c.region_shown);
    EXPECT_EQ(in(page, "lblFMRadioRegion")->isHidden(), !c.region_shown);
    EXPECT_EQ(in<QComboBox>(page, "popUpFMRadioRegion")->currentIndex(), c.region);
    for (int number = 1; number <= 3; ++number) {
      SCOPED_TRACE(number);
      const bool used = c.used[static_cast<std::size_t>(number - 1)];
      EXPECT_EQ(check_box(page, number)->isChecked(), used);
      EXPECT_EQ(preset_button(page, number)->isEnabled(), used);
    }
    EXPECT_FALSE(in<QPushButton>(page, "btnSave")->isEnabled());
    EXPECT_TRUE(in<QRadioButton>(page, "disableFMRadioRDS")->isChecked());
  }
}

TEST_F(FMRadioPage, ASlotTurnedOnAndARegionChangeOfferSave) {
  auto controller = start();
  DeviceSettingsSecondViewController& page = open(*controller, 0x5416);
  auto* save = in<QPushButton>(page, "btnSave");

  QTest::mouseClick(check_box(page, 2), Qt::LeftButton);
  EXPECT_EQ(preset_button(page, 2)->text(), "87.5");
  EXPECT_TRUE(preset_button(page, 2)->isEnabled());
  EXPECT_TRUE(save->isEnabled());
  QTest::mouseClick(check_box(page, 2), Qt::LeftButton);
  EXPECT_EQ(preset_button(page, 2)->text().toStdString(), FMRadioTexts::stringEmpty(0));
  EXPECT_FALSE(save->isEnabled());

  // the stepper moves on the region's grid
  auto* stepper = in<settings::Stepper>(page, "stepperFMRadioPreset01");
  QTest::mouseClick(stepper->upArrow(), Qt::LeftButton);
  EXPECT_EQ(page.dataCurrent().fmRadioPresetsAt(0), 8760);
  EXPECT_EQ(preset_button(page, 1)->text(), "87.6");

  // Japan keeps nothing above 95.0
  auto* region = in<QComboBox>(page, "popUpFMRadioRegion");
  region->setCurrentIndex(k_japan);
  page.changeFMRadioRegion(region);
  EXPECT_EQ(page.dataCurrent().fmRadioPresetsAt(2), 0);
  EXPECT_FALSE(check_box(page, 3)->isChecked());
  EXPECT_EQ(stepper->maximum(), 9500);
  EXPECT_TRUE(save->isEnabled());

  QTest::mouseClick(in<QRadioButton>(page, "enableFMRadioRDS"), Qt::LeftButton);
  EXPECT_EQ(page.dataCurrent().fmRadioRDS(), 1);
  in<QPushButton>(page, "btnCancel")->click();
  EXPECT_FALSE(save->isEnabled());
  EXPECT_EQ(region->currentIndex(), k_europe);
  EXPECT_TRUE(in<QRadioButton>(page, "disableFMRadioRDS")->isChecked());
}

TEST_F(FMRadioPage, TheEditSheetTakesAValidFrequencyAndWarnsOtherwise) {
  auto controller = start();
  DeviceSettingsSecondViewController& page = open(*controller, 0x5416);
  QDialog* sheet = page.sheetFMRadioPresetEdit();
  auto* field = in<QLineEdit>(page, "tfFMRadioPresetEdit");
  auto* ok = in<QPushButton>(page, "btnFMRadioPresetEditOK");
  auto* warning = in<QPushButton>(page, "btnFMRAdioPresetEditWarning");

  QTest::mouseClick(preset_button(page, 1), Qt::LeftButton);
  ASSERT_TRUE(sheet->isVisible());
  EXPECT_EQ(page.indexSelectedForFMRadioEdit(), 0);
  EXPECT_EQ(in<QLabel>(page, "lblFMRadioPresetEditNumber")->text(), "1");
  EXPECT_EQ(in<QLabel>(page, "lblFMRadioPresetEditRange")->text(), "(87.5 MHz ~ 108.0 MHz)");
  EXPECT_EQ(field->text(), "87.5");
  EXPECT_EQ(field->selectedText(), "87.5");
  EXPECT_TRUE(warning->isHidden());

  // typed text that is no frequency turns the sheet to its warning
  for (const char* typed : {"abc", "1e40", "nan", "108.1"}) {
    SCOPED_TRACE(typed);
    field->setText(typed);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(warning->isHidden());
    EXPECT_TRUE(ok->isHidden());
    EXPECT_TRUE(field->isHidden());
    EXPECT_EQ(warning->text().toStdString(), FMRadioTexts::stringMessageFMRadioPreset(0, 87.5, 108.0));
    // clicking the warning returns to the edit view, the range still red
    QTest::mouseClick(warning, Qt::LeftButton);
    EXPECT_FALSE(field->isHidden());
    EXPECT_FALSE(ok->isHidden());
    EXPECT_TRUE(warning->isHidden());
    EXPECT_TRUE(in<QLabel>(page, "lblFMRadioPresetEditRange")->styleSheet().contains("red"));
    EXPECT_EQ(page.dataCurrent().fmRadioPresetsAt(0), 8750);
  }

  field->setText("87.55");
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(page.dataCurrent().fmRadioPresetsAt(0), 8760);
  EXPECT_EQ(preset_button(page, 1)->text(), "87.6");
  EXPECT_TRUE(in<QPushButton>(page, "btnSave")->isEnabled());

  // Cancel leaves the preset as it is
  QTest::mouseClick(preset_button(page, 1), Qt::LeftButton);
  EXPECT_FALSE(in<QLabel>(page, "lblFMRadioPresetEditRange")->styleSheet().contains("red"));
  field->setText("100.0");
  QTest::mouseClick(in<QPushButton>(page, "btnFMRadioPresetEditCancel"), Qt::LeftButton);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(page.dataCurrent().fmRadioPresetsAt(0), 8760);
}

TEST_F(FMRadioPage, ReturnWarnsAndTheWarningsOKLeadsBackToTheField) {
  for (int language : {0, 2}) {
    SCOPED_TRACE(language);
    auto controller = start();
    controller->setLanguageManager(language);
    DeviceSettingsSecondViewController& page = open(*controller, 0x5416);
    QDialog* sheet = page.sheetFMRadioPresetEdit();
    auto* field = in<QLineEdit>(page, "tfFMRadioPresetEdit");
    auto* ok = in<QPushButton>(page, "btnFMRadioPresetEditOK");
    auto* back = in<QPushButton>(page, "btnFMRadioPresetEditWarningOK");
    QTest::mouseClick(preset_button(page, 1), Qt::LeftButton);
    ASSERT_TRUE(sheet->isVisible());
    EXPECT_TRUE(back->isHidden());
    EXPECT_TRUE(ok->isDefault());

    // 120 MHz and Return: the warning, with a visible way back that Return also takes
    field->setText("120");
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(field->isHidden());
    EXPECT_FALSE(back->isHidden());
    EXPECT_TRUE(back->isEnabled());
    EXPECT_EQ(back->text().toStdString(), CommonTexts::vyla_string_ok_in(language));
    EXPECT_TRUE(back->isDefault());
    EXPECT_FALSE(back->geometry().intersects(in<QPushButton>(page, "btnFMRAdioPresetEditWarning")->geometry()));
    QTest::keyClick(sheet, Qt::Key_Return);
    EXPECT_FALSE(field->isHidden());
    EXPECT_TRUE(back->isHidden());
    EXPECT_TRUE(ok->isDefault());
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(page.dataCurrent().fmRadioPresetsAt(0), 8750);

    // and by mouse
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_FALSE(back->isHidden());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_FALSE(field->isHidden());
    EXPECT_EQ(sheet->focusWidget(), field);
    page.cancelFMRadioPresetEdit();
  }
}

TEST_F(FMRadioPage, HintedKeysActAsTheirControlsDo) {
  auto controller = start();
  DeviceSettingsSecondViewController& page = open(*controller, 0x6030);
  controller->setShowShortcuts(true);
  controller->reflectShortcuts();
  controller->window()->show();
  controller->window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(controller->window()));
  VX_TRY_VERIFY(page.isVisible());
  const auto key = [&page](Qt::Key pressed, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&page, pressed, modifiers);
  };

  // [O]-No. ticks a preset's box; [S][C]-No. edits a preset in use
  key(Qt::Key_2, Qt::AltModifier);
  EXPECT_TRUE(check_box(page, 2)->isChecked());
  key(Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(page.sheetFMRadioPresetEdit()->isVisible());
  EXPECT_EQ(page.indexSelectedForFMRadioEdit(), 0);
  page.cancelFMRadioPresetEdit();
  // a preset not in use has its button disabled, a seventh is not shown here
  key(Qt::Key_4, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_FALSE(page.sheetFMRadioPresetEdit()->isVisible());
  ASSERT_TRUE(check_box(page, 7)->isHidden());
  key(Qt::Key_7, Qt::AltModifier);
  EXPECT_FALSE(check_box(page, 7)->isChecked());

  // the RDS row: [O]-A on, [S][O]-A off
  auto* rds = page.findChild<settings::RadioMatrix*>("radioFMRadioRDS");
  ASSERT_NE(rds, nullptr);
  key(Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(rds->selectedColumn(), 0);
  EXPECT_NE(page.dataCurrent().fmRadioRDS(), 0);
  key(Qt::Key_A, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(rds->selectedColumn(), 1);

  // nothing acts while an operation runs
  controller->setOnProcessing(true);
  key(Qt::Key_3, Qt::AltModifier);
  EXPECT_TRUE(check_box(page, 3)->isChecked());
  key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(check_box(page, 2)->isChecked());
  controller->setOnProcessing(false);

  // [C]-D the factory presets, [C]-C the device's again, [O][C]-S saves
  key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_FALSE(check_box(page, 1)->isChecked());
  key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(check_box(page, 1)->isChecked());
  EXPECT_FALSE(check_box(page, 2)->isChecked());
  key(Qt::Key_2, Qt::AltModifier);
  key(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_TRUE(page.saveEngine()->saving());
  finish_save(page);
}

TEST_F(FMRadioPage, ThePresetsHintFitsAndRunsUnderNoControl) {
  auto controller = start();
  DeviceSettingsSecondViewController& page = open(*controller, 0x5416);
  controller->window()->show();
  auto* label = in<QLabel>(page, "lblFMRadioPresets");
  for (int language = 0; language < 13; ++language) {
    SCOPED_TRACE(language);
    controller->setLanguageManager(language);
    controller->setShowShortcuts(true);
    page.setControls();
    // every key named, every word shown in the label's frame
    const QString shown = QString(label->text()).replace('\n', ' ').simplified();
    EXPECT_EQ(shown, QString::fromStdString(FMRadioTexts::stringShortCutFMRadioPreset(language)).simplified());
    const QRect needed = label->fontMetrics().boundingRect(label->contentsRect(), Qt::TextWordWrap | label->alignment(),
                                                           label->text());
    EXPECT_LE(needed.width(), label->contentsRect().width());
    EXPECT_LE(needed.height(), label->contentsRect().height());
    for (QWidget* other : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other == label || other->isHidden() || other->isWindow()) continue;
      EXPECT_FALSE(label->geometry().intersects(other->geometry())) << other->objectName().toStdString();
    }
  }
  // without hints the label is the presets' title again, on its row
  controller->setShowShortcuts(false);
  page.setControls();
  EXPECT_EQ(label->text().toStdString(), FMRadioTexts::stringPresets(12));
  EXPECT_EQ(label->height(), 17);
}

TEST_F(FMRadioPage, WhileAnOperationRunsEverythingIsDisabled) {
  auto controller = start();
  DeviceSettingsSecondViewController& page = open(*controller, 0x5416);
  controller->setOnProcessing(true);
  page.setControls();
  for (const char* name : {"btnBack", "btnNewDevice", "btnDefault", "btnCancel", "btnSave", "popUpFMRadioRegion",
                           "btnFMRadioRDS", "radioFMRadioRDS", "cbFMRadioPreset01", "btnFMRadioPreset01",
                           "stepperFMRadioPreset01", "cbFMRadioPreset10"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(in(page, name)->isEnabled());
  }
  page.checkFMRadioPreset(check_box(page, 2));
  page.changeToDefault();
  EXPECT_FALSE(page.isSettingsChanged());
  controller->setOnProcessing(false);
}

TEST_F(FMRadioPage, AProductWithoutAnFMRadioOpensThePageOnce) {
  auto controller = start();
  DeviceSettingsSecondViewController& page = open(*controller, 0x4050, k_europe, 4, 3);
  EXPECT_EQ(controller->mode(), session::k_mode_device_settings_second);
  EXPECT_FALSE(page.isSettingsChanged());
  page.changeToDefault();
  EXPECT_FALSE(page.checkNeedToSave());
}

TEST_F(FMRadioPage, LeavingWithChangesAsksAndNoDiscards) {
  auto controller = start();
  DeviceSettingsSecondViewController& page = open(*controller, 0x5416);
  QTest::mouseClick(check_box(page, 1), Qt::LeftButton);
  controller->setFirmwareUpdateWithStatus(true);
  VX_TRY_VERIFY(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 5);
  EXPECT_EQ(controller->mode(), session::k_mode_device_settings_second);
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxCancel"), Qt::LeftButton);
  EXPECT_EQ(controller->mode(), session::k_mode_firmware_update);
  EXPECT_FALSE(page.isSettingsChanged());
}

// ---- the save ----

class FMRadioPageSave : public FMRadioPage {
 protected:
  // A Y650 (0x6010) at firmware 1.2 on the bus, recognized, the page open and
  // slot 2 turned on (87.5 MHz).
  std::shared_ptr<sim::HidModel> open_with_an_edit(FEXOBluetoothManagerAppController& controller,
                                                   sim::HidModelOptions device = {}) {
    device.product_id = 0x6010;
    device.version = {1, 2, 0, 0};
    auto model = sim::attach(std::make_shared<sim::HidModel>(device));
    DeviceSettingsSecondViewController& page = open(controller, 0x6010, k_europe, 1, 2);
    QTest::mouseClick(check_box(page, 2), Qt::LeftButton);
    EXPECT_TRUE(page.isSettingsChanged());
    return model;
  }
};

TEST_F(FMRadioPageSave, SuccessHandsTheBlockToTheControllerAndReadsTheDeviceAgain) {
  auto controller = start();
  auto model = open_with_an_edit(*controller);
  DeviceSettingsSecondViewController& page = *controller->deviceSettingsSecondViewController();
  in<QPushButton>(page, "btnSave")->click();
  EXPECT_TRUE(controller->onProcessing());
  EXPECT_FALSE(in(page, "radioFMRadioRDS")->isEnabled());
  finish_save(page);

  const std::vector<std::uint16_t> block = model->block(0x15);
  ASSERT_EQ(block.size(), 11u);
  EXPECT_EQ(block[0], 0x56E9);
  EXPECT_EQ(block[3], 8750);
  EXPECT_EQ(block[4], 8750);
  EXPECT_EQ(model->committed_blocks(), std::vector<std::uint8_t>{0x15});
  EXPECT_EQ(controller->data().fmRadioPresetsAt(1), 8750);
  EXPECT_TRUE(in(page, "radioFMRadioRDS")->isEnabled());
  EXPECT_EQ(controller->mode(), session::k_mode_device_recognition);
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), session::k_mode_device_settings_second);
  model->take_received();
}

TEST_F(FMRadioPageSave, ARefusedWriteKeepsTheEditsAndSave) {
  auto controller = start();
  sim::HidModelOptions device;
  device.refused_writes = {0x15};
  auto model = open_with_an_edit(*controller, device);
  DeviceSettingsSecondViewController& page = *controller->deviceSettingsSecondViewController();
  auto* save = in<QPushButton>(page, "btnSave");
  save->click();
  finish_save(page);
  EXPECT_EQ(page.saveEngine()->rcThreadSave(), settings::fm_radio::k_save_refused);
  EXPECT_EQ(child<QLabel>(*controller, "tfStatus")->text().toStdString(),
            "Failed to save device setting. Cannot save FM Radio Setting");
  EXPECT_TRUE(controller->statusWithWarning());
  EXPECT_EQ(controller->mode(), session::k_mode_device_settings_second);
  EXPECT_TRUE(page.isSettingsChanged());
  EXPECT_TRUE(save->isEnabled());
  EXPECT_FALSE(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
  model->take_received();
}

TEST_F(FMRadioPageSave, AProductWithoutAnFMWriteRefusesTheSaveAndKeepsTheEdits) {
  auto controller = start();
  sim::HidModelOptions device;
  device.product_id = 0x6800;
  device.version = {1, 2, 0, 0};
  auto model = sim::attach(std::make_shared<sim::HidModel>(device));
  DeviceSettingsSecondViewController& page = open(*controller, 0x6800, k_europe, 1, 2);
  QTest::mouseClick(check_box(page, 2), Qt::LeftButton);
  ASSERT_TRUE(page.isSettingsChanged());
  auto* save = in<QPushButton>(page, "btnSave");
  save->click();
  finish_save(page);
  QCoreApplication::processEvents();

  EXPECT_EQ(page.saveEngine()->rcThreadSave(), settings::fm_radio::k_save_not_supported);
  EXPECT_TRUE(model->take_received().empty()) << "nothing sent";
  EXPECT_EQ(sim::open_handle_count(), 0);
  EXPECT_EQ(child<QLabel>(*controller, "tfStatus")->text().toStdString(),
            "Failed to save device setting. Not supported for this device");
  EXPECT_TRUE(controller->statusWithWarning());
  // the edits stay, the controller keeps what the device holds
  EXPECT_EQ(controller->mode(), session::k_mode_device_settings_second);
  EXPECT_TRUE(page.isSettingsChanged());
  EXPECT_TRUE(check_box(page, 2)->isChecked());
  EXPECT_EQ(page.dataCurrent().fmRadioPresetsAt(1), 8750);
  EXPECT_EQ(controller->data().fmRadioPresetsAt(1), 0);
  EXPECT_TRUE(save->isEnabled());
  EXPECT_FALSE(child<QDialog>(*controller, "sheetMessageBox")->isVisible()) << "no box about a device not connected";
}

TEST_F(FMRadioPageSave, AnUnpluggedDeviceDiscardsTheEditsAndSendsToTheSelection) {
  auto controller = start();
  auto model = open_with_an_edit(*controller);
  DeviceSettingsSecondViewController& page = *controller->deviceSettingsSecondViewController();
  sim::detach(*model);
  in<QPushButton>(page, "btnSave")->click();
  finish_save(page);
  EXPECT_EQ(page.saveEngine()->rcThreadSave(), settings::fm_radio::k_save_not_recognized_device);
  EXPECT_FALSE(page.isSettingsChanged());
  EXPECT_FALSE(check_box(page, 2)->isChecked());
  EXPECT_EQ(child<QLabel>(*controller, "tfStatus")->text().toStdString(),
            "Failed to save device setting. Not the recognized device");
  VX_TRY_VERIFY(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 3);
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxOK"), Qt::LeftButton);
  EXPECT_EQ(controller->mode(), session::k_mode_device_selection);
}

}  // namespace
