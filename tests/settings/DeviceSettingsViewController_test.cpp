// The settings page on the real controller: the save prompt on leaving, the
// save into a simulated device and its outcomes, a language confirmed while
// the page shows.
#include "settings/DeviceSettingsViewController.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <atomic>
#include <memory>
#include <optional>

#include "platform/clock.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/recognition_worker.h"
#include "shell/language_chooser_rows.h"
#include "shell/shell_fixture.h"
#include "sim/bus.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/hid_model.h"
#include "strings/settings_texts.h"
#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "support/qt_wait.h"
#include "transport/bluecore_channel.h"

class SettingsPage : public QueuedShellFixture {
 protected:
  void SetUp() override {
    QueuedShellFixture::SetUp();
    sim::reset();
  }
  void TearDown() override {
    sim::reset();
    QueuedShellFixture::TearDown();
  }

  // A Y350R (0x6020) at firmware 1.2 on the simulated bus, recognized, with
  // the settings page open and its VOX sensitivity raised from 3 to 5.
  std::shared_ptr<sim::HidModel> open_with_an_edit(FEXOBluetoothManagerAppController& controller,
                                                   sim::HidModelOptions device = sim::hid_fixture_6020()) {
    device.version = {1, 2, 0, 0};
    device.blocks[0x12] = {3};
    auto model = sim::attach(std::make_shared<sim::HidModel>(device));
    recognize(controller, 0x6020, 1, 2);
    controller.data().setBasicSettingKR5VOXSensitivity_with(0, 3);
    controller.setDeviceSettingsWithStatus(true);
    EXPECT_EQ(controller.mode(), 7);
    DeviceSettingsViewController* page = controller.deviceSettingsViewController();
    EXPECT_TRUE(page->editor().changeVOXSensitivity(4));
    page->setControls();
    EXPECT_TRUE(page->isSettingsChanged());
    return model;
  }

  // The settings page, on its way to the firmware update page: the save prompt is up.
  void leave(FEXOBluetoothManagerAppController& controller) {
    controller.setFirmwareUpdateWithStatus(true);
    VX_TRY_VERIFY(child<QDialog>(controller, "sheetMessageBox")->isVisible());
    EXPECT_EQ(controller.mode(), 7);
    EXPECT_EQ(controller.messageBoxStatus(), 4);
  }

  // The worker ends and the page's timer ticks once.
  static void finish_save(DeviceSettingsViewController& page) {
    page.waitForSave();
    page.timerMethodSave();
  }

  // Lets the recognition that follows a save run on the simulated bus and
  // report, ticking its timer rather than waiting for it.
  static void finish_recognition(FEXOBluetoothManagerAppController& controller) {
    DeviceRecognitionViewController* recognition = controller.deviceRecognitionViewController();
    VX_TRY_VERIFY((recognition->timerMethodRecognize(), controller.mode() != session::k_mode_device_recognition));
  }

  // A recognition over legacy USB run straight on the worker, its page's
  // firmware-management pass already seen (the page's own runs start with it).
  static void recognize_over_legacy_usb(FEXOBluetoothManagerAppController& controller, int product) {
    controller.setDeviceTarget(product);
    recognition::RecognitionHandOff hand_off;
    hand_off.setIsFirst(false);
    hand_off.setCallerMode(session::k_mode_device_settings);
    hand_off.reset_for_run();
    const std::atomic<bool> stop{false};
    recognition::threadMethodRecognize(controller, hand_off, std::nullopt, stop);
    ASSERT_EQ(hand_off.resultThreadRecognize(), recognition::k_recognize_success);
    ASSERT_EQ(controller.usbStatus(), product);
  }

  // A 0x4D10 at firmware 3.9 with both VOX levels on and EDR off.
  static sim::BlueCoreModelOptions headset_4d10_at_3_9() {
    sim::BlueCoreModelOptions device = sim::bluecore_fixture_4d10();
    device.ps_keys[sim::k_ps_version_record] = sim::version_record_key(39);
    device.ps_keys[sim::k_ps_version] = {39, 0};
    device.ps_keys[664] = {1};
    device.ps_keys[665] = {1};
    device.ps_keys[239] = {0xFEFF, 0xFE8F, 0xFF98, 0x8359};
    return device;
  }

  static bool shown(DeviceSettingsViewController& page, const char* name) {
    QWidget* widget = page.findChild<QWidget*>(name);
    return widget != nullptr && !widget->isHidden();
  }

  platform::ScopedVirtualClock m_clock;
};

TEST_F(SettingsPage, NoInTheSavePromptDiscardsTheEditsAndGoesOn) {
  auto controller = start();
  controller->setLanguageManager(strings::French);
  auto model = open_with_an_edit(*controller);
  ASSERT_NO_FATAL_FAILURE(leave(*controller));
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  EXPECT_EQ(child<QPushButton>(*controller, "btnMessageBoxCancel")->text().toStdString(),
            CommonTexts::vyla_string_no_in(strings::French));
  EXPECT_EQ(child<QPushButton>(*controller, "btnMessageBoxOK")->text().toStdString(),
            CommonTexts::vyla_string_yes_in(strings::French));
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxCancel"), Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 5);
  EXPECT_FALSE(page->isSettingsChanged());
  EXPECT_EQ(page->dataCurrent().basicSettingKR5VOXSensitivityAt(0), 3);
  EXPECT_TRUE(model->take_received().empty());
}

TEST_F(SettingsPage, YesInTheSavePromptSavesThenOpensThePageItWasLeavingFor) {
  auto controller = start();
  auto model = open_with_an_edit(*controller);
  ASSERT_NO_FATAL_FAILURE(leave(*controller));
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxOK"), Qt::LeftButton);
  EXPECT_FALSE(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
  EXPECT_TRUE(controller->onProcessing());
  EXPECT_EQ(controller->mode(), 7);

  finish_save(*page);
  EXPECT_EQ(model->block(0x12), std::vector<std::uint16_t>{5});
  EXPECT_EQ(controller->mode(), 4);
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 105);
  ASSERT_NO_FATAL_FAILURE(finish_recognition(*controller));
  EXPECT_EQ(controller->mode(), 5);
  EXPECT_EQ(controller->data().basicSettingKR5VOXSensitivityAt(0), 5);
}

TEST_F(SettingsPage, AnIdleActivityBarShowsNothing) {
  auto controller = start();
  auto model = open_with_an_edit(*controller);
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  auto* bar = page->findChild<QProgressBar*>("piProcessing");
  ASSERT_NE(bar, nullptr);
  // an empty bar in its small frame reads as an unticked check box
  EXPECT_FALSE(bar->isVisibleTo(page));
  EXPECT_TRUE(model->take_received().empty());
}

TEST_F(SettingsPage, AnotherDeviceOnTheBusDiscardsTheEditsAndSendsToTheSelection) {
  auto controller = start();
  auto model = open_with_an_edit(*controller);
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  // the user plugs another headset in before pressing Save
  sim::detach(*model);
  sim::HidModelOptions other = sim::hid_fixture_6020();
  other.product_id = 0x6022;
  auto other_model = sim::attach(std::make_shared<sim::HidModel>(other));

  controller->deviceSettingsViewController()->findChild<QPushButton*>("btnSave")->click();
  finish_save(*page);
  EXPECT_TRUE(other_model->take_output_reports().empty());
  EXPECT_EQ(page->dataCurrent().basicSettingKR5VOXSensitivityAt(0), 3);
  EXPECT_FALSE(page->isSettingsChanged());
  EXPECT_EQ(child<QLabel>(*controller, "tfStatus")->text().toStdString(),
            "Failed to save device setting. Not the recognized device");
  EXPECT_TRUE(controller->statusWithWarning());
  EXPECT_FALSE(controller->onProcessing());
  VX_TRY_VERIFY(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 3);
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxOK"), Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 3);
}

TEST_F(SettingsPage, ARefusedWriteKeepsTheEditsAndSave) {
  auto controller = start();
  sim::HidModelOptions device = sim::hid_fixture_6020();
  device.refused_writes = {0x12};
  auto model = open_with_an_edit(*controller, device);
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  auto* save = controller->deviceSettingsViewController()->findChild<QPushButton*>("btnSave");
  save->click();
  EXPECT_FALSE(save->isEnabled());
  finish_save(*page);
  EXPECT_EQ(child<QLabel>(*controller, "tfStatus")->text().toStdString(),
            "Failed to save device setting. Cannot save Device Setting");
  EXPECT_TRUE(controller->statusWithWarning());
  EXPECT_EQ(controller->mode(), 7);
  EXPECT_TRUE(page->isSettingsChanged());
  EXPECT_EQ(page->dataCurrent().basicSettingKR5VOXSensitivityAt(0), 5);
  EXPECT_TRUE(save->isEnabled());
  EXPECT_FALSE(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
  // the settings block went in before the refusal and stays
  EXPECT_EQ(model->block(0x04).size(), 4u);
  EXPECT_EQ(model->block(0x12), std::vector<std::uint16_t>{3});
}

TEST_F(SettingsPage, QuittingDuringASaveWaitsForItsWrites) {
  auto controller = start();
  auto model = open_with_an_edit(*controller);
  controller->deviceSettingsViewController()->findChild<QPushButton*>("btnSave")->click();
  // the shut-down's first step: the worker has written everything once it returns
  controller->stopWorkers();
  EXPECT_EQ(model->block(0x12), std::vector<std::uint16_t>{5});
  EXPECT_EQ(controller->deviceSettingsViewController()->saveEngine()->rcThreadSave(), 0);
}

TEST_F(SettingsPage, ButtonsWaitForARunningOperation) {
  auto controller = start();
  recognize(*controller, 0x3128);
  controller->data().setBasicSetting20At_with(3, 0x0100);
  controller->setDeviceSettingsWithStatus(true);
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  controller->setOnProcessing(true);
  page->changeToDefault();
  page->save();
  EXPECT_FALSE(page->isSettingsChanged());
  EXPECT_EQ(controller->mode(), 7);

  controller->setOnProcessing(false);
  page->changeToDefault();
  EXPECT_EQ(page->dataCurrent().GetBasicSettingDK3MorrimMeshPublicChannel(), 1);
  EXPECT_TRUE(page->isSettingsChanged());
  page->changeToOriginal();
  EXPECT_FALSE(page->isSettingsChanged());
}

TEST_F(SettingsPage, AConfirmedLanguageRetitlesThePageAtOnce) {
  auto controller = start();
  recognize(*controller, 0x4D10, 4, 2);
  controller->setDeviceSettingsWithStatus(true);
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  auto* note_button = page->findChild<QToolButton*>("btnNoteApply");
  ASSERT_NE(note_button, nullptr);
  EXPECT_TRUE(note_button->isHidden());

  // French, confirmed in the language chooser, shows the apply note's button
  controller->openLanguageManager(nullptr);
  const std::string french_cell =
      "buttonCell" + std::to_string(shell::buttonCellIndexFromLanguageManager(strings::French)) +
      "LanguageManagerVerrano";
  QTest::mouseClick(child<QRadioButton>(*controller, french_cell.c_str()), Qt::LeftButton);
  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton);
  ASSERT_EQ(controller->languageManager(), strings::French);
  EXPECT_FALSE(note_button->isHidden());
  EXPECT_EQ(page->findChild<QPushButton*>("btnSave")->text().toStdString(),
            SettingsTexts::vyla_string_save_in(strings::French));
  EXPECT_EQ(page->findChild<QLabel*>("lblHandsfreeVOX")->text(), "VOX téléphone");
}

TEST_F(SettingsPage, ABlueCoreHeadsetTakesItsEditedEdrAndShowsItAfterTheFreshRecognition) {
  auto controller = start();
  auto device = sim::attach(std::make_shared<sim::BlueCoreModel>(headset_4d10_at_3_9()));
  ASSERT_NO_FATAL_FAILURE(recognize_over_legacy_usb(*controller, 0x4D10));
  ASSERT_EQ(controller->data().edr(), 0);
  controller->setDeviceSettingsWithStatus(true);
  ASSERT_EQ(controller->mode(), 7);
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  for (const char* row : {"lblIntercomVOX", "lblHandsfreeVOX", "lblEDR"}) EXPECT_TRUE(shown(*page, row)) << row;
  EXPECT_TRUE(child<QRadioButton>(*controller, "enableEDR")->isChecked());

  QTest::mouseClick(child<QRadioButton>(*controller, "disableEDR"), Qt::LeftButton);
  EXPECT_EQ(page->dataCurrent().edr(), 1);
  auto* save = controller->deviceSettingsViewController()->findChild<QPushButton*>("btnSave");
  ASSERT_TRUE(save->isEnabled());
  device->take_requests();
  save->click();
  EXPECT_TRUE(controller->onProcessing());
  finish_save(*page);
  // only the changed key, with the words the firmware keeps for it
  const std::vector<sim::PsWrite> written = {{239, {0xFEFF, 0xF88F, 0x1E18, 0x8359}}};
  EXPECT_EQ(device->ps_writes(), written);
  EXPECT_EQ(controller->mode(), session::k_mode_device_recognition);
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 7);
  // the recognition page's own run is let end; until it hands its result
  // back, its worker is still writing the record
  DeviceRecognitionViewController* recognition = controller->deviceRecognitionViewController();
  VX_TRY_VERIFY((recognition->timerMethodRecognize(), !controller->onProcessing()));
  EXPECT_EQ(controller->data().edr(), 1);

  // read afresh, the device shows what was saved
  controller->data() = FEXOBluetoothDeviceData();
  ASSERT_NO_FATAL_FAILURE(recognize_over_legacy_usb(*controller, 0x4D10));
  EXPECT_EQ(controller->data().edr(), 1);
  controller->setDeviceSettingsWithStatus(true);
  ASSERT_EQ(controller->mode(), 7);
  EXPECT_TRUE(child<QRadioButton>(*controller, "disableEDR")->isChecked());
  EXPECT_FALSE(page->isSettingsChanged());
  EXPECT_FALSE(save->isEnabled());
  device->take_received();
}

TEST_F(SettingsPage, ABlueCoreSaveThatFailsShowsWhyAndKeepsOrDropsTheEdits) {
  struct Case {
    const char* name;
    bool attached;
    std::uint16_t refused;
    const char* status;
    bool discards;
  };
  const Case cases[] = {
      {"refused timeout", true, 682, "Failed to save device setting. Cannot save Audio Channel Timeout", false},
      {"no device", false, 0, "Failed to save device setting. Cannot open USB", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto controller = start();
    sim::BlueCoreModelOptions options = sim::bluecore_fixture_5210();
    options.refused_writes = {c.refused};
    auto device = sim::attach(std::make_shared<sim::BlueCoreModel>(options));
    ASSERT_NO_FATAL_FAILURE(recognize_over_legacy_usb(*controller, 0x5210));
    ASSERT_EQ(controller->data().audioChannelTimeout(), 30);
    if (!c.attached) sim::detach(*device);
    controller->setDeviceSettingsWithStatus(true);
    DeviceSettingsViewController* page = controller->deviceSettingsViewController();
    auto* field = child<QLineEdit>(*controller, "tfACT");
    field->setText("60");
    page->changeACT(field);
    ASSERT_EQ(page->dataCurrent().audioChannelTimeout(), 60);
    device->take_requests();

    controller->deviceSettingsViewController()->findChild<QPushButton*>("btnSave")->click();
    finish_save(*page);
    EXPECT_EQ(child<QLabel>(*controller, "tfStatus")->text().toStdString(), c.status);
    EXPECT_TRUE(controller->statusWithWarning());
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_EQ(controller->mode(), 7);
    EXPECT_TRUE(device->ps_writes().empty());
    EXPECT_EQ(page->isSettingsChanged(), !c.discards);
    EXPECT_EQ(page->dataCurrent().audioChannelTimeout(), c.discards ? 30 : 60);
    if (c.discards) {
      VX_TRY_VERIFY(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
      EXPECT_EQ(controller->messageBoxStatus(), 3);
      QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxOK"), Qt::LeftButton);
      EXPECT_EQ(controller->mode(), 3);
    } else {
      EXPECT_FALSE(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
      EXPECT_TRUE(controller->deviceSettingsViewController()->findChild<QPushButton*>("btnSave")->isEnabled());
    }
    device->take_received();
    controller.reset();
    sim::reset();
  }
}
