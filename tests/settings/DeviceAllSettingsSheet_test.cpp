// The all-settings sheet against a recording stand-in for the controller:
// opening, the rows it shows, cell changes with the settings that follow
// them, information boxes, Default, Cancel, Close with its question and Save.
#include "settings/DeviceAllSettingsSheet.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "platform/format.h"
#include "settings/DeviceSettingsViewController.h"
#include "strings/app_texts.h"
#include "strings/language_table.h"
#include "strings/setting_names.h"
#include "strings/settings_texts.h"
#include "support/fake_services.h"
#include "widgets/DeviceSettingsTableCellView.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using session::MessageBoxPurpose;
using N = strings::SettingName;

class AllSettingsSheet : public ::testing::Test {
 protected:
  AllSettingsSheet() { page.setServices(&services); }
  ~AllSettingsSheet() override { page.waitForSave(); }

  session::AppState& state() { return services.state(); }
  DeviceAllSettingsSheet& sheet() { return *page.sheetDeviceAllSettings(); }
  QTableWidget& table() { return *page.tableViewDeviceAllSettingsBasic(); }

  // Page 7 of a recognized `product` at firmware major.minor; `prepare` sets
  // the device's values first. Then MORE SETTINGS.
  void open(int product, int major, int minor, const std::function<void(Record&)>& prepare = {}) {
    state().setDeviceTarget(product);
    Record& device = state().data();
    device = Record();
    device.setDeviceRecognized(product);
    device.setDeviceVersionMajor(major);
    device.setDeviceVersionMinor(minor);
    if (prepare) prepare(device);
    state().setMode(session::k_mode_device_settings);
    page.initializeObject();
    page.moveToAllSettins(nullptr);
    services.calls.clear();
  }

  DeviceSettingsTableCellView* cell(int row) {
    return dynamic_cast<DeviceSettingsTableCellView*>(table().cellWidget(row, 0));
  }
  // The cell whose label is `label` in the interface language.
  DeviceSettingsTableCellView* cell(N label) {
    const QString text = QString::fromStdString(strings::setting_name(label, state().languageManager()));
    for (int row = 0; row < table().rowCount(); ++row) {
      if (cell(row) && cell(row)->textField()->text() == text) return cell(row);
    }
    ADD_FAILURE() << "no row " << text.toStdString();
    return nullptr;
  }
  std::vector<std::string> labels() {
    std::vector<std::string> shown;
    for (int row = 0; row < table().rowCount(); ++row) shown.push_back(cell(row)->textField()->text().toStdString());
    return shown;
  }
  // What every row shows: its radio column or pop-up item.
  std::vector<int> selections() {
    std::vector<int> shown;
    for (int row = 0; row < table().rowCount(); ++row) {
      DeviceSettingsTableCellView* at = cell(row);
      shown.push_back(at->radiobtn() ? at->radiobtn()->checkedId() : at->popUpBtn()->currentIndex());
    }
    return shown;
  }

  // The user's clicks: Enable (column 0) or Disable (column 1) of a row, an item of a pop-up.
  void click_column(N label, int column) {
    DeviceSettingsTableCellView* at = cell(label);
    ASSERT_NE(at, nullptr);
    (column == 0 ? at->enablebtn() : at->disablebtn())->click();
  }
  void choose(N label, int item) {
    DeviceSettingsTableCellView* at = cell(label);
    ASSERT_NE(at, nullptr);
    at->popUpBtn()->setCurrentIndex(item);
    emit at->popUpBtn()->activated(item);
  }
  void information(N label) {
    DeviceSettingsTableCellView* at = cell(label);
    ASSERT_NE(at, nullptr);
    at->infoOnOffBtn()->click();
  }
  void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  int column_of(N label) { return cell(label)->radiobtn()->checkedId(); }

  test_support::FakeServices services;
  DeviceSettingsViewController page;
};

TEST_F(AllSettingsSheet, OpensTheSameRowsAtItsFixedSizeEvenWhileAnOperationRuns) {
  open(0x6020, 1, 0, [](Record& device) { device.setBasicSettingKR5VOXSensitivity_with(0, 4); });
  EXPECT_TRUE(sheet().isVisible());
  EXPECT_EQ(sheet().size(), QSize(550, 400));
  EXPECT_EQ(sheet().windowModality(), Qt::WindowModal);
  const std::vector<std::string> rows = labels();
  EXPECT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[2], strings::setting_name(N::VOXSensitivity, 0));
  EXPECT_EQ(cell(N::VOXSensitivity)->popUpBtn()->currentIndex(), 3);
  const std::vector<int> values = selections();

  // the table fills the top; Default and Cancel left, Save and Close right, in one row
  QScrollArea* scroll = page.scrollViewDeviceAllSettingsBasic();
  EXPECT_EQ(scroll->parentWidget(), &sheet());
  EXPECT_TRUE(scroll->isVisible());
  EXPECT_FALSE(scroll->testAttribute(Qt::WA_DontShowOnScreen));
  EXPECT_EQ(scroll->geometry(), QRect(12, 12, 526, 334));
  EXPECT_EQ(table().rowHeight(0), 28);
  const int y = page.btnDeviceAllSettingsBasicSave()->y();
  std::vector<int> xs;
  for (QPushButton* button : {page.btnDeviceAllSettingsBasicDefault(), page.btnDeviceAllSettingsBasicCancel(),
                              page.btnDeviceAllSettingsBasicSave(), page.btnDeviceAllSettingsBasicClose()}) {
    EXPECT_EQ(button->parentWidget(), &sheet());
    EXPECT_EQ(button->y(), y);
    EXPECT_EQ(button->height(), 19);
    EXPECT_TRUE(button->isVisible());
    xs.push_back(button->x());
  }
  EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
  EXPECT_GT(y, scroll->geometry().bottom());
  EXPECT_LE(page.btnDeviceAllSettingsBasicClose()->geometry().right(), 550);
  EXPECT_EQ(page.btnDeviceAllSettingsBasicClose()->text(), "CLOSE");

  // a second opening, now while an operation runs: the same rows and values
  page.closeAllSettins(nullptr);
  EXPECT_FALSE(sheet().isVisible());
  state().setOnProcessing(true);
  page.moveToAllSettins(nullptr);
  EXPECT_TRUE(sheet().isVisible());
  EXPECT_EQ(sheet().size(), QSize(550, 400));
  EXPECT_EQ(labels(), rows);
  EXPECT_EQ(selections(), values);
  state().setOnProcessing(false);
}

TEST_F(AllSettingsSheet, MoreSettingsOpensIt) {
  state().setDeviceTarget(0x6020);
  state().data().setDeviceRecognized(0x6020);
  state().setMode(session::k_mode_device_settings);
  page.initializeObject();
  auto* more = page.findChild<QPushButton*>("btnAllSettings");
  ASSERT_NE(more, nullptr);
  ASSERT_FALSE(more->isHidden());
  page.show();
  click(more);
  EXPECT_TRUE(sheet().isVisible());
  EXPECT_EQ(table().rowCount(), 6);
}

TEST_F(AllSettingsSheet, HDIntercomHDVoiceAndAudioVeneerExcludeEachOtherAtOnce) {
  open(0x3210, 1, 0, [](Record& device) {
    device.SetBasicSettingND4HDIntercom(1);
    device.SetBasicSettingWQ8HDVoice(1);
    device.SetBasicSettingND4AudioVeneer(0);
  });
  const N veneer = N::BluetoothIntercomAudioBraiding;
  ASSERT_EQ(column_of(N::HDIntercom), 0);
  ASSERT_EQ(column_of(N::HDVoice), 0);
  ASSERT_EQ(column_of(veneer), 1);

  click_column(veneer, 0);
  EXPECT_EQ(page.dataCurrent().GetBasicSettingND4AudioVeneer(), 1);
  EXPECT_EQ(page.dataCurrent().GetBasicSettingND4HDIntercom(), 0);
  EXPECT_EQ(page.dataCurrent().GetBasicSettingWQ8HDVoice(), 0);
  EXPECT_EQ(column_of(veneer), 0);
  EXPECT_EQ(column_of(N::HDIntercom), 1);
  EXPECT_EQ(column_of(N::HDVoice), 1);
  EXPECT_TRUE(page.btnDeviceAllSettingsBasicSave()->isEnabled());

  click_column(N::HDVoice, 0);
  EXPECT_EQ(column_of(veneer), 1);
  EXPECT_EQ(column_of(N::HDVoice), 0);
  EXPECT_EQ(column_of(N::HDIntercom), 1);

  click_column(veneer, 0);
  click_column(N::HDIntercom, 0);
  EXPECT_EQ(column_of(veneer), 1);
  EXPECT_EQ(column_of(N::HDIntercom), 0);
  EXPECT_EQ(column_of(N::HDVoice), 1);
}

TEST_F(AllSettingsSheet, SpeakerSoundRecordingAndItsSources) {
  open(0x5510, 3, 0, [](Record& device) {
    device.setBasicSettingVT4CameraSpeakerSoundRecording(0);
    device.setBasicSettingVT4CameraSpeakerSoundRecordingMusic(0);
    device.setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio(0);
    device.setBasicSettingVT4CameraSpeakerSoundRecordingIntercom(0);
    device.setBasicSettingVT4CameraSpeakerSoundRecordingPhone(0);
  });
  const N sources[] = {N::SpeakerSoundRecordingMusic, N::SpeakerSoundRecordingFMRadio,
                       N::SpeakerSoundRecordingIntercom, N::SpeakerSoundRecordingPhone};
  for (N source : sources) EXPECT_FALSE(cell(source)->enablebtn()->isEnabled());

  click_column(N::SpeakerSoundRecording, 0);
  // Music, FM Radio and Intercom on and shown at once; Phone stays off
  const std::vector<int> expected_on = {0, 0, 0, 1};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(static_cast<int>(i));
    EXPECT_EQ(column_of(sources[i]), expected_on[i]);
    EXPECT_TRUE(cell(sources[i])->enablebtn()->isEnabled());
  }
  EXPECT_EQ(page.dataCurrent().getBasicSettingVT4CameraSpeakerSoundRecordingPhone(), 0);

  // the last source off turns the recording off
  click_column(N::SpeakerSoundRecordingMusic, 1);
  click_column(N::SpeakerSoundRecordingFMRadio, 1);
  EXPECT_EQ(column_of(N::SpeakerSoundRecording), 0);
  click_column(N::SpeakerSoundRecordingIntercom, 1);
  EXPECT_EQ(page.dataCurrent().getBasicSettingVT4CameraSpeakerSoundRecording(), 0);
  EXPECT_EQ(column_of(N::SpeakerSoundRecording), 1);
  for (N source : sources) EXPECT_FALSE(cell(source)->enablebtn()->isEnabled());
}

TEST_F(AllSettingsSheet, PopUpRowsWriteTheChosenItem) {
  open(0x6020, 1, 0, [](Record& device) { device.setBasicSettingKR5VOXSensitivity_with(0, 4); });
  choose(N::VOXSensitivity, 1);
  EXPECT_EQ(page.dataCurrent().basicSettingKR5VOXSensitivityAt(0), 2);
  EXPECT_TRUE(page.isSettingsChanged());
  EXPECT_TRUE(page.btnDeviceAllSettingsBasicSave()->isEnabled());
  // filling the cells again sends nothing
  page.callTableviewReloadDataForOutsideClass();
  EXPECT_EQ(page.dataCurrent().basicSettingKR5VOXSensitivityAt(0), 2);
  EXPECT_EQ(cell(N::VOXSensitivity)->popUpBtn()->currentIndex(), 1);
}

TEST_F(AllSettingsSheet, AStaleCellChangesNothingButTheControlsAreRefreshed) {
  open(0x6020, 1, 0);
  // a change that has not reached the Save button yet
  ASSERT_TRUE(page.editor().changeVOXSensitivity(4));
  ASSERT_FALSE(page.btnDeviceAllSettingsBasicSave()->isEnabled());
  const Record before = page.dataCurrent();

  DeviceSettingsTableCellView stale(DeviceSettingsTableCellView::k_combo_cell);
  stale.setRow(40);
  stale.popUpBtn()->addItems({"1", "2"});
  stale.popUpBtn()->setCurrentIndex(1);
  page.allSettingsChangePopUp(stale.popUpBtn());
  QComboBox outside;
  page.allSettingsChangePopUp(&outside);
  page.allSettingsInformation(&outside);

  EXPECT_EQ(page.dataCurrent().compareBasicSettingKR5VOXSensitivityWith(before), 0);
  EXPECT_EQ(page.dataCurrent().getSettings40(), before.getSettings40());
  EXPECT_TRUE(services.boxes.empty());
  EXPECT_TRUE(page.btnDeviceAllSettingsBasicSave()->isEnabled());
}

TEST_F(AllSettingsSheet, InformationBoxesInTheInterfaceLanguage) {
  state().setLanguageManager(strings::French);
  // an accessory recognition did not know: the table offers the speakers, code 9 the VQ ones
  state().setDevice50SpeakerType(8);
  open(0x3210, 1, 1, [](Record& device) { device.SetBasicSetting50SpeakerAccessorySelect(9 - 8); });
  ASSERT_EQ(page.dataCurrent().GetBasicSetting50SpeakerAccessorySelect(), 9);
  const auto vox_text = [](int language) {
    const std::string name = strings::setting_name(N::VOXIntercom, language);
    return platform::format(SettingsTexts::stringInformationVOXIntercom(language), name, name);
  };
  information(N::VOXIntercom);
  ASSERT_EQ(services.boxes.size(), 1u);
  EXPECT_EQ(services.boxes[0].request.message, vox_text(strings::French));
  EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::setting_information);
  EXPECT_EQ(services.boxes[0].request.size, session::MessageBoxSize::w520_h235);
  EXPECT_EQ(services.boxes[0].request.ok_title, AppTexts::vyla_string_ok_in(strings::French));
  EXPECT_FALSE(services.boxes[0].request.cancel_title.has_value());

  // the next box follows a language change
  state().setLanguageManager(strings::German);
  page.callTableviewReloadDataForOutsideClass();
  information(N::VOXIntercom);
  EXPECT_EQ(services.boxes.back().request.message, vox_text(strings::German));

  // the equalizer's text follows the speaker chosen in the table
  information(N::AudioEqualizer);
  EXPECT_EQ(services.boxes.back().request.message, SettingsTexts::stringInformationAudioEqualizerVQ(strings::German));
  choose(N::Speakers, 0);
  ASSERT_EQ(page.dataCurrent().GetBasicSetting50SpeakerAccessorySelect(), 8);
  information(N::AudioEqualizer);
  EXPECT_EQ(services.boxes.back().request.message, SettingsTexts::stringInformationAudioEqualizer(strings::German));
}

TEST_F(AllSettingsSheet, RowsWithoutATextHideTheirButtonOrShowAnEmptyBox) {
  open(0x3161, 1, 0);
  QPushButton* rtt = cell(N::RemoteUIRTT)->infoOnOffBtn();
  EXPECT_TRUE(rtt->isHidden());
  EXPECT_FALSE(rtt->isEnabled());
  page.allSettingsInformation(rtt);
  EXPECT_TRUE(services.boxes.empty());

  open(0x5552, 1, 0);
  for (N label : {N::VoicePrompt, N::FMStationGuide, N::HeadsetLanguage}) {
    SCOPED_TRACE(static_cast<int>(label));
    information(label);
    ASSERT_FALSE(services.boxes.empty());
    EXPECT_EQ(services.boxes.back().request.message, "");
    EXPECT_EQ(services.boxes.back().request.size, session::MessageBoxSize::w520_h175);
  }
  information(N::HDVoice);
  EXPECT_EQ(services.boxes.back().request.message, SettingsTexts::stringInformationHDVoice(0));
}

TEST_F(AllSettingsSheet, CloseWithoutAChangeClosesAtOnce) {
  open(0x6020, 1, 0, [](Record& device) { device.setBasicSettingKR5VOXSensitivity_with(0, 4); });
  click(page.btnDeviceAllSettingsBasicClose());
  EXPECT_FALSE(sheet().isVisible());
  EXPECT_TRUE(services.boxes.empty());

  // a change undone is no change
  page.moveToAllSettins(nullptr);
  choose(N::VOXSensitivity, 0);
  choose(N::VOXSensitivity, 3);
  click(page.btnDeviceAllSettingsBasicClose());
  EXPECT_FALSE(sheet().isVisible());
  EXPECT_TRUE(services.boxes.empty());
}

TEST_F(AllSettingsSheet, CloseAfterAChangeAsksNoDropsTheEdits) {
  state().setLanguageManager(strings::Spanish);
  open(0x6020, 1, 0);
  choose(N::VOXSensitivity, 4);
  click(page.btnDeviceAllSettingsBasicClose());
  ASSERT_EQ(services.boxes.size(), 1u);
  const session::MessageBoxRequest& box = services.boxes[0].request;
  EXPECT_EQ(box.purpose, MessageBoxPurpose::close_all_settings);
  EXPECT_EQ(box.message, AppTexts::stringPromptSave(strings::Spanish));
  EXPECT_EQ(box.cancel_title, AppTexts::vyla_string_no_in(strings::Spanish));
  EXPECT_EQ(box.ok_title, AppTexts::vyla_string_yes_in(strings::Spanish));
  EXPECT_FALSE(box.warning);
  services.answer(false);
  EXPECT_FALSE(sheet().isVisible());
  EXPECT_FALSE(page.isSettingsChanged());
  EXPECT_EQ(page.dataCurrent().compareBasicSettingKR5VOXSensitivityWith(state().data()), 0);
  EXPECT_FALSE(state().onProcessing());
}

TEST_F(AllSettingsSheet, CloseAfterAChangeYesSavesWithTheTimeoutCheck) {
  open(0x6020, 1, 0);
  choose(N::VOXSensitivity, 4);
  // a timeout the device cannot take stops the save, as on the page
  page.findChild<QLineEdit*>("tfACT")->setText("99");
  click(page.btnDeviceAllSettingsBasicClose());
  services.answer(true);
  EXPECT_FALSE(sheet().isVisible());
  EXPECT_FALSE(state().onProcessing());
  ASSERT_EQ(services.boxes.size(), 2u);
  EXPECT_TRUE(services.boxes.back().request.warning);

  page.findChild<QLineEdit*>("tfACT")->setText("10");
  page.moveToAllSettins(nullptr);
  click(page.btnDeviceAllSettingsBasicClose());
  services.answer(true);
  EXPECT_FALSE(sheet().isVisible());
  EXPECT_TRUE(state().onProcessing());
  EXPECT_TRUE(page.saveEngine()->saving());
}

TEST_F(AllSettingsSheet, SaveRunsTheWorkerEvenWithoutAChangeAndWithoutTheTimeoutCheck) {
  open(0x6020, 1, 0);
  page.findChild<QLineEdit*>("tfACT")->setText("99");
  ASSERT_FALSE(page.isSettingsChanged());
  // the button follows the changes; the action itself saves regardless
  page.saveToAllSettins(page.btnDeviceAllSettingsBasicSave());
  EXPECT_FALSE(sheet().isVisible());
  EXPECT_TRUE(state().onProcessing());
  EXPECT_TRUE(page.saveEngine()->saving());
  EXPECT_TRUE(services.boxes.empty());
  EXPECT_EQ(services.calls.front(), "getStatusProcessing");

  // while it runs Save, Default and Cancel do nothing, the cells change nothing
  page.waitForSave();
  services.calls.clear();
  page.moveToAllSettins(nullptr);
  const Record before = page.dataCurrent();
  choose(N::VOXSensitivity, 0);
  click(page.btnDeviceAllSettingsBasicDefault());
  page.ChangeToOtiginalAllSettins(nullptr);
  page.saveToAllSettins(nullptr);
  EXPECT_TRUE(sheet().isVisible());
  EXPECT_EQ(page.dataCurrent().compareBasicSettingKR5VOXSensitivityWith(before), 0);
  EXPECT_TRUE(services.calls.empty());
}

TEST_F(AllSettingsSheet, DefaultTakesTheFactoryDefaultsWholeAndCancelTheDevice) {
  // the classic Default keeps words 3 and 4 of this headset from the device and forces HD Voice on
  open(0x3211, 1, 0, [](Record& device) {
    device.setBasicSetting20At_with(3, 0x1234);
    device.setBasicSetting20At_with(4, 0x0F0F);
  });
  const Record defaults = page.dataDefault();
  click(page.btnDeviceAllSettingsBasicDefault());
  EXPECT_EQ(page.dataCurrent().compareBasicSettingLM6With(defaults), 0);
  EXPECT_NE(page.dataCurrent().basicSettingLM6(3), 0x1234);
  EXPECT_EQ(selections().size(), static_cast<std::size_t>(table().rowCount()));
  const bool changed = page.isSettingsChanged();
  EXPECT_EQ(page.btnDeviceAllSettingsBasicSave()->isEnabled(), changed);

  click(page.btnDeviceAllSettingsBasicCancel());
  EXPECT_EQ(page.dataCurrent().compareBasicSettingLM6With(state().data()), 0);
  EXPECT_FALSE(page.isSettingsChanged());
  EXPECT_FALSE(page.btnDeviceAllSettingsBasicSave()->isEnabled());
  EXPECT_TRUE(sheet().isVisible());
}

TEST_F(AllSettingsSheet, ReturnClosesAndNeverResetsWhateverHasFocus) {
  const auto prepare = [](Record& device) {
    device.setBasicSetting20At_with(3, 0x1234);
    device.setBasicSetting20At_with(4, 0x0F0F);
  };
  QPushButton* close = page.btnDeviceAllSettingsBasicClose();
  for (int language : {0, 2}) {
    state().setLanguageManager(language);
    // first and later openings, with focus where the last one left it
    for (int opening = 0; opening < 3; ++opening) {
      SCOPED_TRACE(language * 10 + opening);
      open(0x3211, 1, 0, prepare);
      ASSERT_TRUE(sheet().isVisible());
      ASSERT_NE(page.dataDefault().basicSettingLM6(3), 0x1234);
      EXPECT_TRUE(close->isDefault());
      for (QPushButton* button : sheet().findChildren<QPushButton*>()) {
        if (button != close) {
          EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
        }
      }
      QWidget* focus = opening == 2 ? page.btnDeviceAllSettingsBasicDefault() : sheet().focusWidget();
      if (opening == 1) focus = page.btnDeviceAllSettingsBasicCancel();
      ASSERT_NE(focus, nullptr);
      focus->setFocus();
      QTest::keyClick(focus, Qt::Key_Return);
      EXPECT_FALSE(sheet().isVisible());
      EXPECT_FALSE(page.isSettingsChanged());
      EXPECT_EQ(page.dataCurrent().basicSettingLM6(3), 0x1234);
      EXPECT_TRUE(services.boxes.empty());
    }
  }
}

TEST_F(AllSettingsSheet, EscapeAsksAsClose) {
  open(0x6020, 1, 0);
  choose(N::VOXSensitivity, 4);
  QTest::keyClick(&sheet(), Qt::Key_Escape);
  ASSERT_EQ(services.boxes.size(), 1u);
  EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::close_all_settings);
  EXPECT_TRUE(sheet().isVisible());
}

}  // namespace
