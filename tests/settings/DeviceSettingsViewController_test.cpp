// The settings page on the real controller: the save prompt on leaving, a
// language confirmed while the page shows.
#include "settings/DeviceSettingsViewController.h"

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "recognition/DeviceRecognitionViewController.h"
#include "shell/language_chooser_rows.h"
#include "shell/shell_fixture.h"
#include "strings/settings_texts.h"
#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "support/qt_wait.h"

class SettingsPage : public QueuedShellFixture {
 protected:
  // The settings page of a recognized 0x4210 with one edit, on its way to the
  // firmware update page: the save prompt is up.
  void leave_with_an_edit(FEXOBluetoothManagerAppController& controller) {
    recognize(controller, 0x4210);
    controller.setDeviceSettingsWithStatus(true);
    EXPECT_EQ(controller.mode(), 7);
    DeviceSettingsViewController* page = controller.deviceSettingsViewController();
    EXPECT_TRUE(page->editor().changeAudioBoost(0));
    EXPECT_TRUE(page->isSettingsChanged());
    controller.setFirmwareUpdateWithStatus(true);
    VX_TRY_VERIFY(child<QDialog>(controller, "sheetMessageBox")->isVisible());
    EXPECT_EQ(controller.mode(), 7);
    EXPECT_EQ(controller.messageBoxStatus(), 4);
  }
};

TEST_F(SettingsPage, NoInTheSavePromptDiscardsTheEditsAndGoesOn) {
  auto controller = start();
  controller->setLanguageManager(strings::French);
  ASSERT_NO_FATAL_FAILURE(leave_with_an_edit(*controller));
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  EXPECT_EQ(child<QPushButton>(*controller, "btnMessageBoxCancel")->text().toStdString(),
            CommonTexts::vyla_string_no_in(strings::French));
  EXPECT_EQ(child<QPushButton>(*controller, "btnMessageBoxOK")->text().toStdString(),
            CommonTexts::vyla_string_yes_in(strings::French));
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxCancel"), Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 5);
  EXPECT_FALSE(page->isSettingsChanged());
  EXPECT_EQ(page->dataCurrent().basicSettingLM6(2), controller->data().basicSettingLM6(2));
}

TEST_F(SettingsPage, YesInTheSavePromptGoesOnThroughAFreshRecognition) {
  auto controller = start();
  ASSERT_NO_FATAL_FAILURE(leave_with_an_edit(*controller));
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxOK"), Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 4);
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 105);
  // nothing was written, so the page does not keep the edits as if they were
  EXPECT_FALSE(page->isSettingsChanged());
  EXPECT_FALSE(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
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
