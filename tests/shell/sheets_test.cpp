// The controller's sheets and the device header, driven as a user would.
#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QRadioButton>
#include <QTableWidget>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QUrl>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "platform/main_queue.h"
#include "platform/main_queue_qt.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "settings/DeviceAllSettingsSheet.h"
#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "session/message_box.h"
#include "settings/DeviceSettingsViewController.h"
#include "widgets/DeviceSettingsTableCellView.h"
#include "shell/language_chooser_rows.h"
#include "strings/common_texts.h"
#include "strings/setting_names.h"
#include "shell_fixture.h"
#include "strings/message_box_texts.h"
#include "support/qt_wait.h"
#include "update/UpdateViewController.h"

namespace {

// Records the addresses the program hands to the desktop (browser, mail program).
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  UrlRecorder() {
    for (const char* scheme : {"https", "mailto"}) QDesktopServices::setUrlHandler(scheme, this, "open");
  }
  ~UrlRecorder() override {
    for (const char* scheme : {"https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
  }
  std::vector<std::string> opened;

 public slots:
  void open(const QUrl& url) { opened.push_back(url.toString().toStdString()); }
};

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

using session::MessageBoxPurpose;
using session::MessageBoxSize;
using session::FilePanelRequest;

// boxes opened from a worker reach the window through the main thread's queue, as in the program
class MessageBox : public QueuedShellFixture {
 protected:
  // A box the controller answers itself, opened through the generic opener.
  void open_box(FEXOBluetoothManagerAppController& controller, MessageBoxPurpose purpose,
                MessageBoxSize size = MessageBoxSize::w420_h115) {
    controller.openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat("Question", false, "No", "Yes",
                                                                                        size, purpose);
    shown(controller, purpose);
  }
  // What a page asks, with the buttons of the generic question.
  static session::MessageBoxRequest question() { return {"Question", false, "No", "Yes"}; }
  void shown(FEXOBluetoothManagerAppController& controller, MessageBoxPurpose purpose) {
    VX_TRY_VERIFY(child<QDialog>(controller, "sheetMessageBox")->isVisible());
    EXPECT_EQ(controller.messageBoxStatus(), static_cast<int>(purpose));
  }
  void answer(FEXOBluetoothManagerAppController& controller, bool ok) {
    QTest::mouseClick(child<QPushButton>(controller, ok ? "btnMessageBoxOK" : "btnMessageBoxCancel"), Qt::LeftButton);
    EXPECT_FALSE(child<QDialog>(controller, "sheetMessageBox")->isVisible());
    EXPECT_EQ(controller.messageBoxStatus(), 0);
  }
};

TEST_F(MessageBox, StartOverOpensTheSelectionOnlyOnOk) {
  for (MessageBoxPurpose purpose : {MessageBoxPurpose::start_over, MessageBoxPurpose::start_over_other}) {
    for (bool ok : {false, true}) {
      SCOPED_TRACE(static_cast<int>(purpose) * 10 + ok);
      auto controller = start();
      recognize(*controller, 0x4D10);
      controller->setFirmwareUpdateWithStatus(true);
      ASSERT_EQ(controller->mode(), 5);
      ASSERT_NO_FATAL_FAILURE(open_box(*controller, purpose));
      answer(*controller, ok);
      EXPECT_EQ(controller->mode(), ok ? 3 : 5);
    }
  }
}

TEST_F(MessageBox, RestartToRecoverRecordsThePageAndQuits) {
  for (MessageBoxPurpose purpose :
       {MessageBoxPurpose::restart_to_recover, MessageBoxPurpose::restart_to_recover_other}) {
    for (bool ok : {false, true}) {
      SCOPED_TRACE(static_cast<int>(purpose) * 10 + ok);
      auto controller = start();
      recognize(*controller, 0x4D10);
      controller->setFirmwareRestoreWithStatus(true);
      int terminations = 0;
      QObject::connect(controller.get(), &FEXOBluetoothManagerAppController::terminationRequested,
                       [&terminations] { ++terminations; });
      ASSERT_NO_FATAL_FAILURE(open_box(*controller, purpose));
      answer(*controller, ok);
      EXPECT_EQ(controller->restartToRecover(), ok);
      EXPECT_EQ(controller->modeRestartToRecover(), ok ? 6 : 0);
      EXPECT_EQ(terminations, ok ? 1 : 0);
    }
  }
}

TEST_F(MessageBox, UpdateEngineAnswers) {
  auto controller = start();
  recognize(*controller, 0x3020);
  controller->setFirmwareUpdateWithStatus(true);
  UpdateViewController* update = controller->updateViewController();

  // 11: OK ends the camera's firmware copy
  update->openCameraCopyDoneBox(question());
  ASSERT_NO_FATAL_FAILURE(shown(*controller, MessageBoxPurpose::camera_copy_done));
  answer(*controller, true);
  EXPECT_TRUE(update->optraUpdateEnded());
  // on the restore page it is the restore page's copy that ends
  controller->setFirmwareRestoreWithStatus(true);
  ASSERT_EQ(controller->mode(), 6);
  EXPECT_FALSE(controller->restoreViewController()->optraUpdateEnded());
  controller->restoreViewController()->openCameraCopyDoneBox(question());
  ASSERT_NO_FATAL_FAILURE(shown(*controller, MessageBoxPurpose::camera_copy_done));
  answer(*controller, true);
  EXPECT_TRUE(controller->restoreViewController()->optraUpdateEnded());
  controller->setFirmwareUpdateWithStatus(true);

  // 14: Cancel goes on without the backup choice, OK records it; both clear the page's flag
  for (bool ok : {false, true}) {
    update->setOpenedMessageBox(true);
    update->openBackupFailedBox(question());
    ASSERT_NO_FATAL_FAILURE(shown(*controller, MessageBoxPurpose::backup_failed));
    answer(*controller, ok);
    EXPECT_EQ(controller->skipRestoreBackupFile(), ok);
    EXPECT_FALSE(update->openedMessageBox());
  }
}

TEST_F(MessageBox, SavePromptNoDiscardsAndMovesOn) {
  auto controller = start();
  recognize(*controller, 0x4111);
  controller->setDeviceSettingsSpeedDialWithStatus(true);
  ASSERT_EQ(controller->mode(), 9);
  controller->deviceSettingsSpeedDialViewController()->setModeToGo(3);
  controller->deviceSettingsSpeedDialViewController()->openSavePrompt();
  ASSERT_NO_FATAL_FAILURE(shown(*controller, MessageBoxPurpose::save_speed_dial));
  answer(*controller, false);
  EXPECT_EQ(controller->mode(), 3);
}

TEST_F(MessageBox, SavePromptsAnswerForTheirOwnPage) {
  struct Case {
    MessageBoxPurpose purpose;
    int page;
  };
  for (const Case& c : {Case{MessageBoxPurpose::save_settings, 7}, Case{MessageBoxPurpose::save_settings_second, 8},
                        Case{MessageBoxPurpose::save_speed_dial, 9}}) {
    for (bool ok : {true, false}) {
      SCOPED_TRACE(static_cast<int>(c.purpose) * 10 + ok);
      auto controller = start();
      recognize(*controller, 0x5610);
      DeviceSettingsBaseViewController* page =
          c.page == 7   ? static_cast<DeviceSettingsBaseViewController*>(controller->deviceSettingsViewController())
          : c.page == 8 ? static_cast<DeviceSettingsBaseViewController*>(controller->deviceSettingsSecondViewController())
                        : controller->deviceSettingsSpeedDialViewController();
      if (c.page == 7) controller->setDeviceSettingsWithStatus(true);
      if (c.page == 8) controller->setDeviceSettingsSecondWithStatus(true);
      if (c.page == 9) controller->setDeviceSettingsSpeedDialWithStatus(true);
      ASSERT_EQ(controller->mode(), c.page);
      // the user asked for the selection page; only the prompting page knows that
      page->setModeToGo(3);
      page->openSavePrompt();
      ASSERT_NO_FATAL_FAILURE(shown(*controller, c.purpose));
      answer(*controller, ok);
      if (ok) {
        // Yes saves: each page's save writes the device first
        EXPECT_TRUE(page->saveEngine()->saving());
        EXPECT_EQ(controller->mode(), c.page);
        page->waitForSave();
      } else if (ok) {
        // Yes saves: a fresh recognition that then opens the page asked for
        EXPECT_EQ(controller->mode(), 4);
        EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 103);
      } else {
        EXPECT_EQ(controller->mode(), 3);
      }
    }
  }
}

TEST_F(MessageBox, AllSettingsBoxesOpenAboveTheSheetAndTheClosePromptEndsIt) {
  for (bool ok : {true, false}) {
    SCOPED_TRACE(ok);
    auto controller = start();
    controller->window()->show();
    recognize(*controller, 0x6020);
    controller->setDeviceSettingsWithStatus(true);
    DeviceSettingsViewController* page = controller->deviceSettingsViewController();
    DeviceAllSettingsSheet* sheet = page->sheetDeviceAllSettings();
    QTest::mouseClick(child<QPushButton>(*controller, "btnAllSettings"), Qt::LeftButton);
    ASSERT_TRUE(sheet->isVisible());
    QTableWidget* table = page->tableViewDeviceAllSettingsBasic();
    ASSERT_EQ(table->rowCount(), 6);

    // an information box opens over the sheet, as a window of the sheet's
    auto* vox = dynamic_cast<DeviceSettingsTableCellView*>(table->cellWidget(2, 0));
    ASSERT_NE(vox, nullptr);
    vox->infoOnOffBtn()->click();
    ASSERT_NO_FATAL_FAILURE(shown(*controller, MessageBoxPurpose::setting_information));
    auto* box = child<QDialog>(*controller, "sheetMessageBox");
    EXPECT_EQ(box->parentWidget(), sheet);
    answer(*controller, true);
    EXPECT_TRUE(sheet->isVisible());

    // a change, then Close asks: the answer ends the sheet either way
    vox->popUpBtn()->setCurrentIndex(vox->popUpBtn()->currentIndex() == 0 ? 1 : 0);
    emit vox->popUpBtn()->activated(vox->popUpBtn()->currentIndex());
    ASSERT_TRUE(page->isSettingsChanged());
    QTest::mouseClick(page->btnDeviceAllSettingsBasicClose(), Qt::LeftButton);
    ASSERT_NO_FATAL_FAILURE(shown(*controller, MessageBoxPurpose::close_all_settings));
    EXPECT_EQ(box->parentWidget(), sheet);
    answer(*controller, ok);
    EXPECT_FALSE(sheet->isVisible());
    // Yes saves from the settings page itself; No drops the edits and stays on it
    EXPECT_EQ(page->saveEngine()->saving(), ok);
    EXPECT_EQ(page->isSettingsChanged(), ok);
    EXPECT_EQ(controller->mode(), 7);
    page->waitForSave();

    // with the sheet gone the next box is the main window's again
    ASSERT_NO_FATAL_FAILURE(open_box(*controller, MessageBoxPurpose::notice));
    EXPECT_EQ(box->parentWidget(), controller->window());
    answer(*controller, true);
  }
}

TEST_F(MessageBox, ALanguageChangeOnTheSettingsPageRelabelsTheTable) {
  auto controller = start();
  recognize(*controller, 0x6020);
  controller->setDeviceSettingsWithStatus(true);
  DeviceSettingsViewController* page = controller->deviceSettingsViewController();
  page->moveToAllSettins(nullptr);
  page->closeAllSettins(nullptr);
  QTableWidget* table = page->tableViewDeviceAllSettingsBasic();
  const auto label_of_row = [table](int row) {
    return dynamic_cast<DeviceSettingsTableCellView*>(table->cellWidget(row, 0))->textField()->text().toStdString();
  };
  ASSERT_EQ(label_of_row(2), strings::setting_name(strings::SettingName::VOXSensitivity, 0));

  controller->openLanguageManager(nullptr);
  const std::string german = "buttonCell" + std::to_string(shell::buttonCellIndexFromLanguageManager(2)) +
                             "LanguageManagerVerrano";
  QTest::mouseClick(child<QRadioButton>(*controller, german.c_str()), Qt::LeftButton);
  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton);
  ASSERT_EQ(controller->languageManager(), 2);
  QApplication::processEvents();
  EXPECT_EQ(label_of_row(2), strings::setting_name(strings::SettingName::VOXSensitivity, 2));
  auto* enable = dynamic_cast<DeviceSettingsTableCellView*>(table->cellWidget(1, 0))->enablebtn();
  EXPECT_EQ(enable->text().toStdString(), CommonTexts::vyla_string_enable_in(2));
}

TEST_F(MessageBox, MailAndHelpOpenOnCancelOnly) {
  UrlRecorder urls;
  auto controller = start();
  for (MessageBoxPurpose purpose : {MessageBoxPurpose::mail_support, MessageBoxPurpose::recognition_failure,
                                    MessageBoxPurpose::notice, MessageBoxPurpose::setting_information}) {
    ASSERT_NO_FATAL_FAILURE(open_box(*controller, purpose));
    answer(*controller, true);
  }
  EXPECT_TRUE(urls.opened.empty());
  ASSERT_NO_FATAL_FAILURE(open_box(*controller, MessageBoxPurpose::mail_support));
  answer(*controller, false);
  ASSERT_NO_FATAL_FAILURE(open_box(*controller, MessageBoxPurpose::recognition_failure));
  answer(*controller, false);
  ASSERT_EQ(urls.opened.size(), 2u);
  EXPECT_EQ(urls.opened[0], session::support_mail_url());
  EXPECT_EQ(urls.opened[1], session::recognition_failure_help_url());
}

TEST_F(MessageBox, WorkerThreadOpensItOnTheMainThread) {
  auto controller = start();
  std::thread worker([&controller] {
    controller->openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
        "Hold the button", true, std::nullopt, std::nullopt, MessageBoxSize::w520_h175,
        MessageBoxPurpose::update_notice);
  });
  worker.join();
  auto* box = child<QDialog>(*controller, "sheetMessageBox");
  VX_TRY_VERIFY(box->isVisible());
  EXPECT_EQ(child<QLabel>(*controller, "tfMessageBox")->text(), "Hold the button");
  EXPECT_TRUE(child<QLabel>(*controller, "tfBackGround")->isVisible());
  // no titles: no usable button
  for (const char* name : {"btnMessageBoxOK", "btnMessageBoxCancel"}) {
    EXPECT_FALSE(child<QPushButton>(*controller, name)->isEnabled()) << name;
    EXPECT_FALSE(child<QPushButton>(*controller, name)->isVisible()) << name;
  }
  EXPECT_EQ(box->width(), 520);
  EXPECT_EQ(controller->closeMessageBox(), MessageBoxPurpose::update_notice);
  EXPECT_FALSE(box->isVisible());
}

TEST_F(MessageBox, WorkerClosesTheBoxItOpened) {
  auto controller = start();
  auto* box = child<QDialog>(*controller, "sheetMessageBox");
  // a notice without buttons while the device restarts, closed by the worker when the step is over
  std::thread([&controller] {
    controller->openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
        "Restarting", true, std::nullopt, std::nullopt, MessageBoxSize::w420_h115,
        MessageBoxPurpose::update_notice_other);
  }).join();
  VX_TRY_VERIFY(box->isVisible());
  std::optional<MessageBoxPurpose> answered;
  std::thread([&controller, &answered] { answered = controller->closeMessageBox(); }).join();
  EXPECT_EQ(answered, MessageBoxPurpose::update_notice_other);
  EXPECT_EQ(controller->messageBoxStatus(), 0);
  VX_TRY_VERIFY(!box->isVisible());

  // opened and closed before the main thread showed it: it never appears afterwards
  std::thread([&controller] {
    controller->openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
        "Hold the button", true, std::nullopt, std::nullopt, MessageBoxSize::w420_h115,
        MessageBoxPurpose::update_notice_other);
    controller->closeMessageBox();
  }).join();
  QTest::qWait(50);
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 0);
}

TEST_F(MessageBox, EscapeAnswersOnlyThroughCancel) {
  auto controller = start();
  recognize(*controller, 0x4D10);
  controller->setFirmwareUpdateWithStatus(true);
  auto* box = child<QDialog>(*controller, "sheetMessageBox");

  // with Cancel: Escape is Cancel
  ASSERT_NO_FATAL_FAILURE(open_box(*controller, MessageBoxPurpose::start_over));
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 0);
  EXPECT_EQ(controller->mode(), 5);

  // no Cancel: Escape leaves the box and its purpose in place
  controller->openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
      "Start over", true, std::nullopt, "OK", MessageBoxSize::w420_h135, MessageBoxPurpose::start_over);
  VX_TRY_VERIFY(box->isVisible());
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 3);
  answer(*controller, true);
  EXPECT_EQ(controller->mode(), 3);
}

TEST_F(MessageBox, EscapeInASaveQuestionKeepsThePageAndItsEdits) {
  auto controller = start();
  controller->window()->show();
  recognize(*controller, 0x4111);
  controller->setDeviceSettingsSpeedDialWithStatus(true);
  ASSERT_EQ(controller->mode(), 9);
  DeviceSettingsSpeedDialViewController* page = controller->deviceSettingsSpeedDialViewController();
  page->openSpeedDialEdit(child<QPushButton>(*controller, "btnSpeedDial01"));
  page->tfSpeedDialEdit()->setText("0049123");
  page->okSpeedDialEdit();
  ASSERT_TRUE(page->isSettingsChanged());

  // the user leaves for the selection page, is asked, and presses Escape
  QTest::mouseClick(child<QPushButton>(*controller, "btnDeviceSelection"), Qt::LeftButton);
  ASSERT_NO_FATAL_FAILURE(shown(*controller, MessageBoxPurpose::save_speed_dial));
  auto* box = child<QDialog>(*controller, "sheetMessageBox");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 0);
  EXPECT_EQ(controller->mode(), 9);
  EXPECT_TRUE(page->isSettingsChanged());
  EXPECT_EQ(page->dataCurrent().speedDialAt(0), "0049123");
  EXPECT_EQ(child<QPushButton>(*controller, "btnSpeedDial01")->text(), "0049123");

  // asked again, No still drops them
  QTest::mouseClick(child<QPushButton>(*controller, "btnDeviceSelection"), Qt::LeftButton);
  ASSERT_NO_FATAL_FAILURE(shown(*controller, MessageBoxPurpose::save_speed_dial));
  answer(*controller, false);
  EXPECT_EQ(controller->mode(), 3);

  for (MessageBoxPurpose purpose : {MessageBoxPurpose::save_settings, MessageBoxPurpose::save_settings_second,
                                    MessageBoxPurpose::save_speed_dial, MessageBoxPurpose::close_all_settings}) {
    EXPECT_TRUE(session::escape_keeps_the_edits(purpose));
  }
  EXPECT_FALSE(session::escape_keeps_the_edits(MessageBoxPurpose::start_over));
}

TEST_F(MessageBox, ReturnIsOkWhicheverButtonHasFocus) {
  auto controller = start();
  controller->window()->show();
  auto* box = child<QDialog>(*controller, "sheetMessageBox");
  auto* cancel = child<QPushButton>(*controller, "btnMessageBoxCancel");
  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    std::vector<bool> answers;
    controller->openMessageBox(question(), [&answers](bool ok) { answers.push_back(ok); });
    VX_TRY_VERIFY(box->isVisible());
    EXPECT_TRUE(child<QPushButton>(*controller, "btnMessageBoxOK")->isDefault());
    EXPECT_FALSE(cancel->autoDefault());
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_EQ(answers, std::vector<bool>{true});
    EXPECT_FALSE(box->isVisible());
  }
}

TEST_F(MessageBox, FirstBoxOfTheRunIsTaller) {
  auto controller = start();
  const bool first = !FEXOBluetoothManagerAppController::messageBoxOpenedBefore();
  auto* box = child<QDialog>(*controller, "sheetMessageBox");
  ASSERT_NO_FATAL_FAILURE(open_box(*controller, MessageBoxPurpose::notice, MessageBoxSize::w420_h115));
  EXPECT_EQ(box->height(), first ? 135 : 115);
  EXPECT_EQ(box->width(), 420);
  answer(*controller, true);
  ASSERT_NO_FATAL_FAILURE(open_box(*controller, MessageBoxPurpose::notice, MessageBoxSize::w420_h115));
  EXPECT_EQ(box->height(), 115);
  answer(*controller, true);
  ASSERT_NO_FATAL_FAILURE(open_box(*controller, MessageBoxPurpose::notice, MessageBoxSize::w840_h240));
  EXPECT_EQ(box->size(), QSize(840, 240));
  answer(*controller, true);
}

TEST_F(MessageBox, WarningBackdropLiesUnderTheTextOfTheBoxShown) {
  auto controller = start();
  auto* box = child<QDialog>(*controller, "sheetMessageBox");
  auto* text = child<QLabel>(*controller, "tfMessageBox");
  auto* backdrop = child<QLabel>(*controller, "tfBackGround");
  auto* ok = child<QPushButton>(*controller, "btnMessageBoxOK");
  // the first box of the run (ctest runs each test alone), then every size
  // code, each box larger or smaller than the one before
  for (int size : {0, 5, 0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 1}) {
    SCOPED_TRACE(size);
    controller->openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
        "Unplug the USB cable from the USB port and plug it back in.", true, "No", "Yes",
        static_cast<MessageBoxSize>(size), MessageBoxPurpose::notice);
    ASSERT_TRUE(QTest::qWaitFor([box] { return box->isVisible(); }));
    ASSERT_TRUE(backdrop->isVisible());
    if (size == 9) {
      // a box of no size: nothing to cover
      EXPECT_TRUE(backdrop->geometry().isEmpty());
      EXPECT_TRUE(text->geometry().isEmpty());
    } else {
      EXPECT_EQ(backdrop->geometry(), text->geometry());
      EXPECT_TRUE(box->rect().contains(backdrop->geometry()));
      EXPECT_GT(backdrop->width(), box->width() / 2);
      EXPECT_LT(backdrop->geometry().bottom(), ok->geometry().top()) << "the buttons stay clear";
    }
    answer(*controller, true);
  }
  // a notice has no backdrop
  ASSERT_NO_FATAL_FAILURE(open_box(*controller, MessageBoxPurpose::notice, MessageBoxSize::w420_h135));
  EXPECT_FALSE(backdrop->isVisible());
  answer(*controller, true);
}

TEST_F(MessageBox, ButtonInstructionsFollowTargetAndLanguage) {
  auto controller = start();
  controller->setDeviceTarget(0x4D10);
  controller->setLanguageManager(2);
  EXPECT_EQ(controller->getMessageBoxFirstButton(), session::message_box_first_button(0x4D10, 2));
  EXPECT_EQ(controller->getMessageBoxSecondButton(), session::message_box_second_button(0x4D10, 2));
  EXPECT_EQ(controller->getMessageBoxFailureFirstButton(), session::message_box_failure_first_button(0x4D10, 2));
  EXPECT_EQ(controller->getMessageBoxFileCreationFailed(), strings::backup_file_failed_text(2));
  controller->setDeviceTarget(0x6020);
  EXPECT_FALSE(controller->getMessageBoxFirstButton().has_value());
}

using LanguageChooser = ShellFixture;

TEST_F(LanguageChooser, PreviewsTheChosenRowAndAppliesOnOk) {
  auto controller = start();
  controller->setLanguageManager(6);
  controller->setControls();
  controller->setStatus_withWarning("ignored", false);
  for (int language = 0; language < 13; ++language) controller->setStrStatus_In("status " + std::to_string(language), language);
  controller->openLanguageManager(child<QPushButton>(*controller, "btnLanguageManager"));
  auto* sheet = child<QDialog>(*controller, "sheetLanguageManagerVerrano");
  ASSERT_TRUE(sheet->isVisible());
  EXPECT_TRUE(child<QRadioButton>(*controller, "buttonCell2LanguageManagerVerrano")->isChecked());

  // choosing German re-labels the sheet before anything is confirmed
  QTest::mouseClick(child<QRadioButton>(*controller, "buttonCell4LanguageManagerVerrano"), Qt::LeftButton);
  EXPECT_EQ(child<QPushButton>(*controller, "btnLanguageManagerCancelVerrano")->text().toStdString(),
            AppTexts::vyla_string_cancel_in(2));
  EXPECT_EQ(child<QGroupBox>(*controller, "boxLanguageManagerVerrano")->title().toStdString(),
            AppTexts::vyla_string_language_manager_in(2));
  EXPECT_EQ(child<QCheckBox>(*controller, "btnApplyToLanguageFirmwareVerrano")->text(), "Auf Firmware-Sprache anwenden");
  EXPECT_EQ(child<QPushButton>(*controller, "btn5LanguageManagerVerrano")->text().toStdString(),
            " " + AppTexts::vyla_string_language_in(7, 2));
  EXPECT_EQ(controller->languageManager(), 6);

  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(controller->languageManager(), 2);
  EXPECT_EQ(controller->strLanguageManager(), AppTexts::vyla_language_manager(2));
  EXPECT_EQ(controller->window()->findChild<QAction*>("menuItemAbout")->text().toStdString(),
            AppTexts::stringMenuItemAbout(2));
  EXPECT_EQ(child<QLabel>(*controller, "tfStatus")->text(), "status 2");
}

TEST_F(LanguageChooser, LabelSelectsItsRowAndCancelChangesNothing) {
  auto controller = start();
  controller->openLanguageManager(nullptr);
  QTest::mouseClick(child<QPushButton>(*controller, "btn5LanguageManagerVerrano"), Qt::LeftButton);
  EXPECT_TRUE(child<QRadioButton>(*controller, "buttonCell5LanguageManagerVerrano")->isChecked());
  EXPECT_FALSE(child<QPushButton>(*controller, "btn5LanguageManagerVerrano")->isChecked());
  EXPECT_EQ(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano")->text().toStdString(),
            AppTexts::vyla_string_ok_in(7));
  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerCancelVerrano"), Qt::LeftButton);
  EXPECT_FALSE(child<QDialog>(*controller, "sheetLanguageManagerVerrano")->isVisible());
  EXPECT_EQ(controller->languageManager(), 0);
}

TEST_F(LanguageChooser, ReturnAfterALabelAnswersOk) {
  auto controller = start();
  controller->openLanguageManager(child<QPushButton>(*controller, "btnLanguageManager"));
  auto* sheet = child<QDialog>(*controller, "sheetLanguageManagerVerrano");
  QTest::mouseClick(child<QPushButton>(*controller, "btn2LanguageManagerVerrano"), Qt::LeftButton);
  QWidget* focus = sheet->focusWidget();
  ASSERT_NE(focus, nullptr);
  QTest::keyClick(focus, Qt::Key_Return);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(controller->languageManager(), shell::languageManagerFromButtonCellIndex(2));
}

TEST_F(LanguageChooser, SameChoiceRefreshesNothing) {
  auto controller = start();
  controller->openLanguageManager(nullptr);
  auto* about = controller->window()->findChild<QAction*>("menuItemAbout");
  about->setText("untouched");
  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton);
  EXPECT_EQ(about->text(), "untouched");

  // the firmware-language box alone is a change
  controller->openLanguageManager(nullptr);
  child<QCheckBox>(*controller, "btnApplyToLanguageFirmwareVerrano")->setChecked(false);
  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton);
  EXPECT_FALSE(controller->applyToLanguageFirmware());
  EXPECT_NE(about->text(), "untouched");
}

TEST_F(LanguageChooser, ClosedWhileProcessingButAChoiceMadeBeforeStillRetitles) {
  auto controller = start();
  controller->setOnProcessing(true);
  controller->openLanguageManager(nullptr);
  EXPECT_FALSE(child<QDialog>(*controller, "sheetLanguageManagerVerrano")->isVisible());

  controller->setOnProcessing(false);
  controller->openLanguageManager(nullptr);
  controller->setOnProcessing(true);  // an operation starts while the sheet is open
  QTest::mouseClick(child<QRadioButton>(*controller, "buttonCell1LanguageManagerVerrano"), Qt::LeftButton);
  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton);
  EXPECT_EQ(controller->languageManager(), 1);
  EXPECT_EQ(controller->window()->findChild<QAction*>("menuItemQuit")->text().toStdString(),
            AppTexts::stringMenuItemQuit(1));
  EXPECT_FALSE(child<QPushButton>(*controller, "btnDeviceSelection")->isEnabled());
}

TEST_F(LanguageChooser, TheTitleFitsInEveryLanguageAndTheSheetKeepsItsWidth) {
  auto controller = start();
  controller->openLanguageManager(child<QPushButton>(*controller, "btnLanguageManager"));
  auto* sheet = child<QDialog>(*controller, "sheetLanguageManagerVerrano");
  auto* box = child<QGroupBox>(*controller, "boxLanguageManagerVerrano");
  ASSERT_TRUE(sheet->isVisible());
  const int width = sheet->width();
  // a title bar shows its title in bold beside about a hundred points of buttons
  QFont title_font = sheet->font();
  title_font.setBold(true);
  for (int language = 0; language < 13; ++language) {
    SCOPED_TRACE(language);
    const QString title = QString::fromStdString(AppTexts::vyla_string_language_manager_in(language));
    EXPECT_LE(QFontMetrics(title_font).horizontalAdvance(title) + 100, width);
    EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(title), box->contentsRect().width());
  }
  // previewing each offered language leaves the sheet as wide as it opened
  for (int row = 0; row < shell::k_language_chooser_rows; ++row) {
    QTest::mouseClick(child<QRadioButton>(*controller, ("buttonCell" + std::to_string(row) + "LanguageManagerVerrano").c_str()),
                      Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(sheet->width(), width) << row;
  }
  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerCancelVerrano"), Qt::LeftButton);
}

TEST_F(LanguageChooser, TheFirmwareLanguageBoxAlwaysShowsTheStoredChoice) {
  const std::string german_cell =
      "buttonCell" + std::to_string(shell::buttonCellIndexFromLanguageManager(2)) + "LanguageManagerVerrano";
  auto controller = start();
  controller->window()->show();
  QPushButton* flag = child<QPushButton>(*controller, "btnLanguageManager");
  auto box = [&controller] { return child<QCheckBox>(*controller, "btnApplyToLanguageFirmwareVerrano"); };
  auto ok = [&controller] { QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton); };
  auto cancel = [&controller] {
    QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerCancelVerrano"), Qt::LeftButton);
  };

  // English, ticked; German chosen with the box as it was: ticked again on reopening
  controller->openLanguageManager(flag);
  EXPECT_TRUE(box()->isChecked());
  QTest::mouseClick(child<QRadioButton>(*controller, german_cell.c_str()), Qt::LeftButton);
  ok();
  ASSERT_EQ(controller->languageManager(), 2);
  controller->openLanguageManager(flag);
  EXPECT_TRUE(box()->isChecked());
  // a change of the box left by Cancel is not stored
  QTest::mouseClick(box(), Qt::LeftButton);
  EXPECT_FALSE(box()->isChecked());
  cancel();
  controller->openLanguageManager(flag);
  EXPECT_TRUE(box()->isChecked());
  QTest::mouseClick(box(), Qt::LeftButton);
  ok();
  EXPECT_FALSE(controller->applyToLanguageFirmware());
  controller->openLanguageManager(nullptr);
  EXPECT_FALSE(box()->isChecked());
  cancel();

  // the next run reads both back
  ASSERT_TRUE(controller->write_configuration_archive());
  controller.reset();
  controller = start();
  EXPECT_EQ(controller->languageManager(), 2);
  controller->openLanguageManager(child<QPushButton>(*controller, "btnLanguageManager"));
  EXPECT_FALSE(box()->isChecked());
  cancel();
}

using HeaderView = ShellFixture;

TEST_F(HeaderView, NoDeviceThenARecognizedProductInAScreenshot) {
  auto controller = start();
  controller->setControls();
  auto* image = child<QLabel>(*controller, "imgProduct");
  EXPECT_EQ(child<QLabel>(*controller, "lblProduct")->text(), "No device");
  EXPECT_EQ(child<QLabel>(*controller, "lblVersion")->text(), "recognized");
  EXPECT_FALSE(image->pixmap().isNull());

  recognize(*controller, 0x4D10, 1, 2);
  controller->data().setDeviceName(std::string("XA9 1.2.1"));
  controller->data().setDeviceSecondaryVersionType(1);
  controller->data().setDeviceSecondaryVersion(3);
  controller->setControls();
  EXPECT_EQ(controller->getImageFileName(), std::optional<std::string>("xa9.png"));
  EXPECT_EQ(child<QLabel>(*controller, "lblProduct")->text(), "XA9");
  EXPECT_EQ(child<QLabel>(*controller, "lblVersion")->text(), "v1.2rc3");

  // what the user sees: the picture drawn in the header, the two lines beside it
  controller->window()->show();
  const QImage shot = controller->window()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  const QRect picture(image->mapTo(controller->window(), QPoint(0, 0)), image->size());
  int coloured = 0;
  for (int y = picture.top(); y <= picture.bottom(); y += 2) {
    for (int x = picture.left(); x <= picture.right(); x += 2) {
      const QColor pixel = shot.pixelColor(x, y);
      if (pixel.saturation() > 60 && pixel.value() > 60) ++coloured;
    }
  }
  EXPECT_GT(coloured, 50);  // the product picture's coloured parts, not an empty frame
  auto* name = child<QLabel>(*controller, "lblProduct");
  const QImage name_shot = shot.copy(QRect(name->mapTo(controller->window(), QPoint(0, 0)), name->size()));
  EXPECT_NE(name_shot.pixelColor(0, 0), QColor());
  bool text_drawn = false;
  const QColor background = name_shot.pixelColor(name_shot.width() - 1, name_shot.height() - 1);
  for (int y = 0; y < name_shot.height() && !text_drawn; ++y) {
    for (int x = 0; x < name_shot.width() / 2 && !text_drawn; ++x) text_drawn = name_shot.pixelColor(x, y) != background;
  }
  EXPECT_TRUE(text_drawn);
  shot.save(QString::fromStdString(testing::TempDir() + "vx_main_window_recognized.png"));
  controller->window()->hide();
}

TEST_F(HeaderView, FirmwareManagementModeShowsTheLock) {
  auto controller = start();
  recognize(*controller, 0x5510, 1, 0, 3, 0x5510 | 0x8000);
  controller->setLanguageManager(3);
  controller->setInformationDeviceRecognized();
  EXPECT_EQ(child<QLabel>(*controller, "lblProduct")->text(), "Gestione");
  EXPECT_EQ(child<QLabel>(*controller, "lblVersion")->text(), "Firmware");
  EXPECT_FALSE(child<QLabel>(*controller, "imgProduct")->pixmap().isNull());
}

using MenuSheets = ShellFixture;

TEST_F(MenuSheets, AboutShowsTitleVersionWordAndNumber) {
  auto controller = start();
  controller->setLanguageManager(1);
  controller->about(nullptr);
  auto* sheet = child<QDialog>(*controller, "sheetAbout");
  ASSERT_TRUE(sheet->isVisible());
  EXPECT_EQ(sheet->size(), QSize(540, 150));
  const std::string text = child<QLabel>(*controller, "tfAbout")->text().toStdString();
  EXPECT_EQ(text.rfind(AppTexts::vyla_title_in(0, 1) + " " + AppTexts::vyla_string_version_in(1) + " 1.4\n\n", 0), 0u)
      << text;
  EXPECT_EQ(child<QLabel>(*controller, "tfAbout")->geometry(), QRect(105, 42, 430, 51));
  EXPECT_EQ(child<QPushButton>(*controller, "btnAboutOK")->text().toStdString(), AppTexts::vyla_string_ok_in(1));
  EXPECT_FALSE(child<QLabel>(*controller, "imgAboutImg")->pixmap().isNull());
  QTest::mouseClick(child<QPushButton>(*controller, "btnAboutOK"), Qt::LeftButton);
  EXPECT_FALSE(sheet->isVisible());
}

TEST_F(MenuSheets, DiagnosticLogSavedWhereTheUserChooses) {
  auto controller = start();
  controller->setDeviceTarget(0x4D10);
  controller->logStatus(nullptr);
  auto* panel = controller->window()->findChild<QFileDialog*>("logSavePanel");
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(panel->isVisible());
  // the proposed name carries today's calendar date
  const QString proposed = QFileInfo(panel->selectedFiles().value(0)).fileName();
  EXPECT_TRUE(proposed.startsWith(QDate::currentDate().toString("yyyyMMdd"))) << proposed.toStdString();
  EXPECT_TRUE(proposed.endsWith("_DiagnosticLog.vyladlog")) << proposed.toStdString();

  // cancelled: nothing written
  const std::string cancelled = m_folder + "/cancelled.vyladlog";
  panel->selectFile(QString::fromStdString(cancelled));
  panel->reject();
  EXPECT_FALSE(std::filesystem::exists(cancelled));

  controller->logStatus(nullptr);
  const std::string path = m_folder + "/support.vyladlog";
  panel->selectFile(QString::fromStdString(path));
  QMetaObject::invokeMethod(panel, "accept");
  const std::string log = read_all(path);
  EXPECT_EQ(log.rfind("[Manager Information]\nStatus: ", 0), 0u);
  EXPECT_NE(log.find("Recognized: 0\nTarget Device: 4D10\n"), std::string::npos);
  EXPECT_NE(log.find("\n[System Profile - Hardware / Bluetooth / USB]\n"), std::string::npos);
  EXPECT_NE(log.find("\n[/usr/sbin/kextstat]\n"), std::string::npos);
}

TEST_F(MenuSheets, FilePanelsAnswerThePathOrNothing) {
  auto controller = start();
  const std::string chosen = m_folder + "/Y350R_v1.2.img";
  std::vector<std::optional<std::string>> answers;
  const auto record = [&answers](const std::optional<std::string>& path) { answers.push_back(path); };

  // save: proposes the name, window-modal on the main window
  controller->openFilePanel({FilePanelRequest::Kind::save, "Y350R_v1.2.img"}, record);
  QPointer<QFileDialog> panel = controller->window()->findChild<QFileDialog*>("filePanel");
  ASSERT_TRUE(panel);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
  EXPECT_EQ(panel->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(QFileInfo(panel->selectedFiles().value(0)).fileName().toStdString(), "Y350R_v1.2.img");
  panel->selectFile(QString::fromStdString(chosen));
  QMetaObject::invokeMethod(panel, "accept");
  VX_TRY_VERIFY(panel.isNull());

  // open: an existing file of any type; Cancel answers nothing
  controller->openFilePanel({FilePanelRequest::Kind::open, std::nullopt}, record);
  panel = controller->window()->findChild<QFileDialog*>("filePanel");
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(panel->fileMode(), QFileDialog::ExistingFile);
  EXPECT_TRUE(panel->nameFilters().join("").isEmpty() || panel->nameFilters() == QStringList{"All Files (*)"});
  panel->reject();
  VX_TRY_VERIFY(panel.isNull());

  EXPECT_EQ(answers, (std::vector<std::optional<std::string>>{chosen, std::nullopt}));
}

TEST_F(MenuSheets, ALogThatCannotBeWrittenIsAWarningInTheStatusLine) {
  auto controller = start();
  controller->setLanguageManager(2);
  controller->logStatus(nullptr);
  auto* panel = controller->window()->findChild<QFileDialog*>("logSavePanel");
  ASSERT_NE(panel, nullptr);
  // the chosen folder is gone by the time the log is written
  const std::string path = m_folder + "/removed/support.vyladlog";
  emit panel->fileSelected(QString::fromStdString(path));
  EXPECT_FALSE(std::filesystem::exists(path));
  auto* line = child<QLabel>(*controller, "tfStatus");
  EXPECT_EQ(line->text().toStdString(), "Diagnoseprotokoll. Wiederholen");
  EXPECT_TRUE(controller->statusWithWarning());
  EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(Qt::red));
  // in another interface language the same warning
  controller->setLanguageManager(0);
  controller->updateStatusInManagerLanguage();
  EXPECT_EQ(line->text().toStdString(), "Diagnostic Log. Try again");
}

TEST_F(MenuSheets, QtPanelsSpeakTheInterfaceLanguage) {
  write_archive([](platform::KeyedArchiver& coder) {
    coder.encode_string("keyStrLanguageManager", AppTexts::vyla_language_manager(1));
  });
  auto controller = start();
  ASSERT_EQ(controller->languageManager(), 1);
  auto* panel = controller->window()->findChild<QFileDialog*>("logSavePanel");
  ASSERT_NE(panel, nullptr);
  auto* buttons = panel->findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  const auto cancel = [buttons] { return buttons->button(QDialogButtonBox::Cancel)->text().remove('&').toStdString(); };
  // Qt delivers a language change through the event loop
  controller->logStatus(nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return cancel() == "Annuler"; })) << cancel();
  panel->reject();

  // a language chosen in the manager reaches Qt's texts at once, English included
  struct Case { int language; const char* cancel; };
  for (const Case& c : {Case{2, "Abbrechen"}, Case{0, "Cancel"}}) {
    SCOPED_TRACE(c.cancel);
    controller->openLanguageManager(nullptr);
    const std::string row = "buttonCell" + std::to_string(shell::buttonCellIndexFromLanguageManager(c.language)) +
                            "LanguageManagerVerrano";
    QTest::mouseClick(child<QRadioButton>(*controller, row.c_str()), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton);
    ASSERT_EQ(controller->languageManager(), c.language);
    controller->logStatus(nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cancel() == c.cancel; })) << cancel();
    panel->reject();
  }
}

TEST_F(MenuSheets, OnlineHelpInTheInterfaceLanguage) {
  UrlRecorder urls;
  auto controller = start();
  for (int language : {2, 6, 7, 0}) {
    controller->setLanguageManager(language);
    controller->showOnlineHelp(nullptr);
  }
  const std::vector<std::string> expected = {
      "https://help.vexlink.example/de/vexlink-setwise", "https://help.vexlink.example/es/vexlink-setwise",
      "https://help.vexlink.example/en/vexlink-setwise", "https://help.vexlink.example/en/vexlink-setwise"};
  EXPECT_EQ(urls.opened, expected);
}

#include "sheets_test.moc"
