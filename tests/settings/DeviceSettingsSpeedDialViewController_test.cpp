// The speed-dial page on the real controller: its titles, the edit sheet and
// its input rules, Default and Cancel, the save prompt on leaving, and the
// save into a simulated device with its outcomes.
#include "settings/DeviceSettingsSpeedDialViewController.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "platform/clock.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "settings/speed_dial_save.h"
#include "shell/shell_fixture.h"
#include "sim/bus.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/hid_model.h"
#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "strings/settings_texts.h"
#include "support/qt_wait.h"

class SpeedDialPage : public QueuedShellFixture {
 protected:
  void SetUp() override {
    QueuedShellFixture::SetUp();
    sim::reset();
  }
  void TearDown() override {
    sim::reset();
    QueuedShellFixture::TearDown();
  }

  // A Y350R (0x6020) at firmware 1.2, or `product` at major.minor, recognized
  // with `numbers`, the speed-dial page open.
  DeviceSettingsSpeedDialViewController* open(FEXOBluetoothManagerAppController& controller,
                                              std::array<std::optional<std::string>, 3> numbers, int product = 0x6020,
                                              int major = 1, int minor = 2) {
    recognize(controller, product, major, minor);
    for (int index = 0; index < 3; ++index) {
      controller.data().setSpeedDialAt_with(index, numbers[static_cast<std::size_t>(index)]);
    }
    controller.setDeviceSettingsSpeedDialWithStatus(true);
    EXPECT_EQ(controller.mode(), session::k_mode_device_settings_speed_dial);
    return controller.deviceSettingsSpeedDialViewController();
  }

  static std::string title(QWidget* page, const char* name) {
    auto* button = page->findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return button ? button->text().toStdString() : std::string();
  }
  static std::string label(QWidget* page, const char* name) {
    auto* found = page->findChild<QLabel*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found ? found->text().toStdString() : std::string();
  }
  static QPushButton* button(QWidget* page, const char* name) { return page->findChild<QPushButton*>(name); }

  // Opens the edit sheet of number `index` (0 to 2) with a click.
  static void edit(DeviceSettingsSpeedDialViewController& page, int index) {
    const QString name = QString("btnSpeedDial0%1").arg(index + 1);
    QTest::mouseClick(page.findChild<QPushButton*>(name), Qt::LeftButton);
    ASSERT_TRUE(page.sheetSpeedDialEdit()->isVisible());
  }
  static void press_ok(DeviceSettingsSpeedDialViewController& page) {
    QTest::mouseClick(page.sheetSpeedDialEdit()->findChild<QPushButton*>("btnSpeedDialEditOK"), Qt::LeftButton);
  }

  static void finish_save(DeviceSettingsSpeedDialViewController& page) {
    page.waitForSave();
    page.timerMethodSave();
  }

  platform::ScopedVirtualClock m_clock;
};

TEST_F(SpeedDialPage, TitlesShowTheNumbersOrTheWordForEmptyInTheLanguage) {
  struct Case {
    int language;
    std::string empty;
    std::string label_2;
  };
  const Case cases[] = {
      {strings::English, "Empty", "Speed Dial 2"},
      {strings::French, "Vide", "Appel Rapide 2"},
      {strings::Japanese, "未入力", "Speedダイヤル 2"},
      {strings::Polish, "Opróżnij", "Szybkie wybieranie 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    auto controller = start();
    controller->setLanguageManager(c.language);
    DeviceSettingsSpeedDialViewController* page = open(*controller, {"0049301234", "", std::nullopt});
    EXPECT_EQ(title(page, "btnSpeedDial01"), "0049301234");
    EXPECT_EQ(title(page, "btnSpeedDial02"), c.empty);
    EXPECT_EQ(title(page, "btnSpeedDial03"), c.empty);
    EXPECT_EQ(label(page, "lblSpeedDial02"), c.label_2);
    EXPECT_EQ(title(page, "btnSave"), SettingsTexts::vyla_string_save_in(c.language));
    EXPECT_EQ(title(page, "btnDefault"), SettingsTexts::vyla_string_default_in(c.language));
    EXPECT_EQ(title(page, "btnCancel"), CommonTexts::vyla_string_cancel_in(c.language));
    EXPECT_EQ(title(page, "btnBack"), CommonTexts::vyla_string_back_in(c.language));
    EXPECT_EQ(title(page, "btnNewDevice"), CommonTexts::vyla_string_new_device_in(c.language));
    EXPECT_EQ(controller->tabIndexSelected(), controller->GetTabIndexWith(9));
  }
}

TEST_F(SpeedDialPage, KeyHintsReplaceTheTitlesAndTheKeysAct) {
  auto controller = start();
  DeviceSettingsSpeedDialViewController* page = open(*controller, {"1", "2", "3"});
  controller->setShowShortcuts(true);
  page->setControls();
  EXPECT_EQ(title(page, "btnBack"), "[C]-◀");
  EXPECT_EQ(title(page, "btnNewDevice"), "[C]-▶");
  EXPECT_EQ(title(page, "btnSave"), "[O][C]-S");
  EXPECT_EQ(title(page, "btnDefault"), "[C]-D");
  EXPECT_EQ(title(page, "btnCancel"), "[C]-C");
  EXPECT_EQ(label(page, "lblSpeedDial01"), "[O]-1");
  EXPECT_EQ(label(page, "lblSpeedDial03"), "[O]-3");
  // the numbers keep showing
  EXPECT_EQ(title(page, "btnSpeedDial02"), "2");

  controller->window()->show();
  controller->window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(controller->window()));
  VX_TRY_VERIFY(page->isVisible());
  QTest::keyClick(page, Qt::Key_D, Qt::ControlModifier);
  EXPECT_FALSE(page->dataCurrent().speedDialAt(0).value_or("").size());
  QTest::keyClick(page, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(page->dataCurrent().speedDialAt(0), "1");
  QTest::keyClick(page, Qt::Key_3, Qt::AltModifier);
  EXPECT_TRUE(page->sheetSpeedDialEdit()->isVisible());
  EXPECT_EQ(page->indexSelectedSpeedDialEdit(), 2);
  page->cancelSpeedDialEdit();
}

TEST_F(SpeedDialPage, TheSheetTakesOnlyNumbersOfTwentyCharacters) {
  auto controller = start();
  DeviceSettingsSpeedDialViewController* page = open(*controller, {"0049", "", std::nullopt});
  EXPECT_EQ(page->indexSelectedSpeedDialEdit(), -1);
  QLineEdit* field = page->tfSpeedDialEdit();
  auto* number_label = page->sheetSpeedDialEdit()->findChild<QLabel*>("lblSpeedDialEditNumber");
  ASSERT_NE(number_label, nullptr);

  // an unset number opens with an empty field, not the word for empty
  ASSERT_NO_FATAL_FAILURE(edit(*page, 2));
  EXPECT_EQ(page->indexSelectedSpeedDialEdit(), 2);
  EXPECT_EQ(number_label->text(), "3");
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(page->sheetSpeedDialEdit()->findChild<QPushButton*>("btnSpeedDialEditOK")->text().toStdString(),
            CommonTexts::vyla_string_ok_in(strings::English));

  // typing: a 21st character, a letter and a blank are refused; digits with + * # are taken
  QTest::keyClicks(field, "+49*30#");
  QTest::keyClicks(field, "a b");
  EXPECT_EQ(field->text(), "+49*30#");
  QTest::keyClicks(field, "1234567890123456");
  EXPECT_EQ(field->text().size(), 20);
  EXPECT_EQ(field->text(), "+49*30#1234567890123");
  press_ok(*page);
  EXPECT_FALSE(page->sheetSpeedDialEdit()->isVisible());
  EXPECT_EQ(page->dataCurrent().speedDialAt(2), "+49*30#1234567890123");
  EXPECT_EQ(title(page, "btnSpeedDial03"), "+49*30#1234567890123");
  EXPECT_TRUE(button(page, "btnSave")->isEnabled());

  // a set number opens with its text selected
  ASSERT_NO_FATAL_FAILURE(edit(*page, 0));
  EXPECT_EQ(field->text(), "0049");
  EXPECT_EQ(field->selectedText(), "0049");

  // texts that reach the field without typing are checked by OK
  struct Case {
    const char* name;
    QString text;
    QString field_after;
  };
  const Case cases[] = {
      {"more than 20 characters: the first 20 go back", QString(25, '7'), QString(20, '7')},
      {"a letter", "0800abc", "0800abc"},
      {"a blank", "0800 11", "0800 11"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    field->setText(c.text);
    EXPECT_FALSE(page->isSpeedDialValid());
    EXPECT_EQ(field->text(), c.field_after);
    EXPECT_EQ(field->selectedText(), c.field_after);
    // OK with the same text: the sheet stays
    field->setText(c.text);
    press_ok(*page);
    EXPECT_TRUE(page->sheetSpeedDialEdit()->isVisible());
    EXPECT_EQ(field->text(), c.field_after);
    EXPECT_EQ(page->dataCurrent().speedDialAt(0), "0049");
  }

  // an empty text clears the number
  field->clear();
  press_ok(*page);
  EXPECT_FALSE(page->sheetSpeedDialEdit()->isVisible());
  EXPECT_EQ(page->dataCurrent().speedDialAt(0).value_or(""), "");
  EXPECT_EQ(title(page, "btnSpeedDial01"), "Empty");

  // Cancel leaves the working copy as it is
  ASSERT_NO_FATAL_FAILURE(edit(*page, 1));
  QTest::keyClicks(field, "999");
  QTest::mouseClick(page->sheetSpeedDialEdit()->findChild<QPushButton*>("btnSpeedDialEditCancel"), Qt::LeftButton);
  EXPECT_FALSE(page->sheetSpeedDialEdit()->isVisible());
  EXPECT_EQ(page->dataCurrent().speedDialAt(1).value_or(""), "");
  EXPECT_EQ(page->indexSelectedSpeedDialEdit(), 1);

  // a sender that is no number button opens nothing
  page->openSpeedDialEdit(button(page, "btnSave"));
  EXPECT_FALSE(page->sheetSpeedDialEdit()->isVisible());
}

TEST_F(SpeedDialPage, DefaultEmptiesTheNumbersAndCancelTakesTheDevicesBack) {
  struct Case {
    const char* name;
    std::array<std::optional<std::string>, 3> device;
    bool save_after_default;
  };
  const Case cases[] = {
      {"a device with numbers", {"0049", std::nullopt, "112"}, true},
      {"a device with one number", {std::nullopt, "", "1"}, true},
      {"a device without numbers", {std::nullopt, "", std::nullopt}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto controller = start();
    controller->data().setVoicePrompt(1);
    DeviceSettingsSpeedDialViewController* page = open(*controller, c.device);
    QPushButton* save = button(page, "btnSave");
    EXPECT_FALSE(save->isEnabled());

    QTest::mouseClick(button(page, "btnDefault"), Qt::LeftButton);
    for (int index = 0; index < 3; ++index) EXPECT_EQ(page->dataCurrent().speedDialAt(index).value_or(""), "");
    EXPECT_EQ(page->dataCurrent().voicePrompt(), 1);
    EXPECT_EQ(save->isEnabled(), c.save_after_default);
    EXPECT_EQ(page->isSettingsChanged(), c.save_after_default);

    QTest::mouseClick(button(page, "btnCancel"), Qt::LeftButton);
    for (int index = 0; index < 3; ++index) {
      EXPECT_EQ(page->dataCurrent().speedDialAt(index), controller->data().speedDialAt(index));
    }
    EXPECT_FALSE(save->isEnabled());
  }
}

TEST_F(SpeedDialPage, NothingActsWhileAnOperationRuns) {
  auto controller = start();
  DeviceSettingsSpeedDialViewController* page = open(*controller, {"1", "2", "3"});
  controller->setOnProcessing(true);
  page->setControls();
  for (const char* name : {"btnBack", "btnNewDevice", "btnDefault", "btnCancel", "btnSave", "btnSpeedDial01",
                           "btnSpeedDial02", "btnSpeedDial03"}) {
    EXPECT_FALSE(button(page, name)->isEnabled()) << name;
  }
  page->changeToDefault();
  page->openSpeedDialEdit(button(page, "btnSpeedDial01"));
  EXPECT_EQ(page->dataCurrent().speedDialAt(0), "1");
  EXPECT_FALSE(page->sheetSpeedDialEdit()->isVisible());
  controller->setOnProcessing(false);
  page->setControls();
  EXPECT_TRUE(button(page, "btnSpeedDial01")->isEnabled());
}

TEST_F(SpeedDialPage, LeavingWithAChangeAsksFirst) {
  auto controller = start();
  DeviceSettingsSpeedDialViewController* page = open(*controller, {"1", "2", "3"});
  page->changeToDefault();
  controller->setFirmwareUpdateWithStatus(true);
  VX_TRY_VERIFY(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
  EXPECT_EQ(controller->mode(), 9);
  EXPECT_EQ(controller->messageBoxStatus(), 6);
  // No drops the edits and goes on
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxCancel"), Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 5);
  EXPECT_EQ(page->dataCurrent().speedDialAt(1), "2");
  EXPECT_FALSE(page->isSettingsChanged());
}

TEST_F(SpeedDialPage, SaveWritesTheNumbersAndHasTheDeviceReadAgain) {
  auto controller = start();
  sim::HidModelOptions device = sim::hid_fixture_6020();
  device.version = {1, 2, 0, 0};
  auto model = sim::attach(std::make_shared<sim::HidModel>(device));
  DeviceSettingsSpeedDialViewController* page = open(*controller, {"1", "2", "3"});
  ASSERT_NO_FATAL_FAILURE(edit(*page, 1));
  page->tfSpeedDialEdit()->setText("+4930#");
  press_ok(*page);
  QTest::mouseClick(button(page, "btnSave"), Qt::LeftButton);
  EXPECT_TRUE(controller->onProcessing());
  EXPECT_FALSE(button(page, "btnSpeedDial01")->isEnabled());
  finish_save(*page);
  EXPECT_EQ(page->saveEngine()->rcThreadSave(), 0);
  EXPECT_EQ(model->block(0x5B), sim::character_words("+4930#"));
  EXPECT_EQ(model->block(0x5A), sim::character_words("1"));
  // the fresh recognition starts from this page, to return to it
  EXPECT_EQ(controller->mode(), session::k_mode_device_recognition);
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 9);
  EXPECT_FALSE(page->sheetSpeedDialEdit()->isVisible());
}

TEST_F(SpeedDialPage, AFailedSaveKeepsOrDiscardsTheEditsByItsCode) {
  struct Case {
    const char* name;
    std::function<void(sim::HidModelOptions&)> arrange;
    int code;
    std::string reason;
  };
  const Case cases[] = {
      {"a refused block keeps the edits",
       [](sim::HidModelOptions& options) { options.refused_writes = {0x5A}; }, 3, "Cannot save Speed Dial Setting"},
      {"another device discards them", [](sim::HidModelOptions& options) { options.product_id = 0x6022; }, 4,
       "Not the recognized device"},
      {"other firmware discards them", [](sim::HidModelOptions& options) { options.version = {1, 3, 0, 0}; }, 4,
       "Not the recognized device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto controller = start();
    sim::HidModelOptions device = sim::hid_fixture_6020();
    device.version = {1, 2, 0, 0};
    c.arrange(device);
    auto model = sim::attach(std::make_shared<sim::HidModel>(device));
    DeviceSettingsSpeedDialViewController* page = open(*controller, {"1", "2", "3"});
    page->changeToDefault();
    QTest::mouseClick(button(page, "btnSave"), Qt::LeftButton);
    finish_save(*page);
    EXPECT_EQ(page->saveEngine()->rcThreadSave(), c.code);
    const std::string status = child<QLabel>(*controller, "tfStatus")->text().toStdString();
    EXPECT_EQ(status.substr(status.size() - c.reason.size()), c.reason);
    EXPECT_TRUE(controller->statusWithWarning());
    EXPECT_FALSE(controller->onProcessing());
    EXPECT_EQ(controller->mode(), 9);
    EXPECT_EQ(controller->data().speedDialAt(0), "1");
    if (c.code == settings::k_speed_dial_save_refused) {
      EXPECT_TRUE(page->isSettingsChanged());
      EXPECT_TRUE(button(page, "btnSave")->isEnabled());
      EXPECT_FALSE(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
    } else {
      EXPECT_FALSE(page->isSettingsChanged());
      EXPECT_EQ(title(page, "btnSpeedDial01"), "1");
      VX_TRY_VERIFY(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
      EXPECT_EQ(controller->messageBoxStatus(), 3);
      QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxOK"), Qt::LeftButton);
      EXPECT_EQ(controller->mode(), 3);
    }
    controller.reset();
    sim::reset();
  }
}

TEST_F(SpeedDialPage, APersistentStoreProductSavesIntoItsKeys) {
  struct Case {
    const char* name;
    bool attached;
    int code;
  };
  const Case cases[] = {
      {"the XA9 attached", true, 0},
      {"no BlueCore device: the edits go and the selection is offered", false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto controller = start();
    std::shared_ptr<sim::BlueCoreModel> device;
    if (c.attached) device = sim::attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_4d10()));
    DeviceSettingsSpeedDialViewController* page = open(*controller, {"0123456789", "+4930123", ""}, 0x4D10, 4, 3);
    ASSERT_NO_FATAL_FAILURE(edit(*page, 2));
    page->tfSpeedDialEdit()->setText("112");
    press_ok(*page);
    QTest::mouseClick(button(page, "btnSave"), Qt::LeftButton);
    finish_save(*page);
    EXPECT_EQ(page->saveEngine()->rcThreadSave(), c.code);
    if (c.attached) {
      EXPECT_EQ(device->ps_key(8834), sim::speed_dial_key("112"));
      EXPECT_EQ(controller->mode(), session::k_mode_device_recognition);
    } else {
      EXPECT_FALSE(page->isSettingsChanged());
      const std::string status = child<QLabel>(*controller, "tfStatus")->text().toStdString();
      EXPECT_TRUE(status.ends_with("Cannot open USB")) << status;
      VX_TRY_VERIFY(child<QDialog>(*controller, "sheetMessageBox")->isVisible());
      EXPECT_EQ(controller->messageBoxStatus(), 3);
    }
    controller.reset();
    sim::reset();
  }
}
