// The settings page's classic panel against a recording stand-in for the
// controller: layout, values, clicks and keys, the rows each product shows,
// titles, information boxes, Default, Cancel and the timeout check of Save.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "settings/DeviceAllSettingsSheet.h"
#include "settings/DeviceSettingsViewController.h"
#include "settings/classic_panel_controls_qt.h"
#include "settings/classic_panel_layout.h"
#include "strings/app_texts.h"
#include "strings/language_table.h"
#include "strings/settings_texts.h"
#include "support/fake_services.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using settings::Frame;

class ClassicPanelPage : public ::testing::Test {
 protected:
  ClassicPanelPage() { page.setServices(&services); }

  session::AppState& state() { return services.state(); }

  // Page 7 opens on a recognized `product` at firmware major.minor; `prepare`
  // sets the device's values first.
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
    services.calls.clear();
  }

  template <class T = QWidget>
  T* child(const char* name) {
    T* found = page.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  QRect rect_of(const Frame& frame) {
    const settings::TopLeftRect rect = settings::top_left_of(frame, page.height());
    return QRect(rect.x, rect.top, rect.width, rect.height);
  }

  bool checked(const char* cell) { return child<QRadioButton>(cell)->isChecked(); }
  bool shown(const char* name) { return !child(name)->isHidden(); }
  void click(const char* name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }

  // The labels of the rows shown.
  std::vector<std::string> rows_shown() {
    std::vector<std::string> rows;
    for (settings::PanelRow row : settings::k_panel_rows) {
      const std::string name = settings::panel_row_name(row);
      if (shown(("lbl" + name).c_str())) rows.push_back(name);
    }
    return rows;
  }

  QShortcut* key(const char* sequence) {
    for (QShortcut* shortcut : page.findChildren<QShortcut*>()) {
      if (shortcut->key() == QKeySequence(sequence)) return shortcut;
    }
    ADD_FAILURE() << "no key " << sequence;
    return nullptr;
  }

  // True when the last action started a save.
  bool save_started() { return page.saveEngine() != nullptr && page.saveEngine()->saving(); }
  // Runs a started save to its end (no device is attached: it cannot open
  // one) and forgets its boxes.
  void finish_save() {
    page.waitForSave();
    page.timerMethodSave();
    services.boxes.clear();
  }

  test_support::FakeServices services;
  DeviceSettingsViewController page;
};

TEST_F(ClassicPanelPage, IsAFixedPanelOfThePageAreaWithEveryOutlet) {
  EXPECT_EQ(page.size(), QSize(728, 316));
  EXPECT_EQ(page.minimumSize(), page.maximumSize());
  EXPECT_EQ(page.layout(), nullptr);
  for (settings::PanelRow row : settings::k_panel_rows) {
    const std::string name = settings::panel_row_name(row);
    SCOPED_TRACE(name);
    EXPECT_NE(page.findChild<settings::ElidedLabel*>(QString::fromStdString("lbl" + name)), nullptr);
    EXPECT_EQ(page.findChild<QToolButton*>(QString::fromStdString("btn" + name)) != nullptr,
              settings::has_information_button(row));
  }
  for (const char* name : {"radioEDR", "enableEDR", "disableEDR", "radioRTG", "lowRTG", "mediumRTG", "highRTG",
                           "popUpMotionSensorSensitivity", "popUpAudioBraidingSensitivity", "tfACT", "stepperACT",
                           "lblACTUnit", "lblNoteEDR", "lblNoteApply", "btnNoteApply", "btnAllSettings", "btnBack",
                           "btnNewDevice", "btnDefault", "btnCancel", "btnSave", "piProcessing"}) {
    EXPECT_NE(page.findChild<QWidget*>(name), nullptr) << name;
  }
  EXPECT_EQ(child<QToolButton>("btnEDR")->size(), QSize(19, 17));
  EXPECT_EQ(child<QComboBox>("popUpAudioBraidingSensitivity")->count(), 10);
  // the cells are the two halves of the control
  page.show();
  EXPECT_EQ(child<QRadioButton>("enableEDR")->width() + child<QRadioButton>("disableEDR")->width(), 182);
  EXPECT_EQ(child<QRadioButton>("disableEDR")->x(), 91);
  // the timeout starts at its documented default and its limits
  EXPECT_EQ(child<QLineEdit>("tfACT")->text(), "5");
  auto* stepper = child<settings::Stepper>("stepperACT");
  EXPECT_EQ(stepper->value(), 5);
  EXPECT_EQ(stepper->minimum(), 3);
  EXPECT_EQ(stepper->maximum(), 60);
  // before any layout the gain and timeout rows stand on the first two rows
  EXPECT_EQ(child("lblRTG")->geometry(), rect_of({50, 226, 207, 17}));
  EXPECT_EQ(child("lblACT")->geometry(), rect_of({50, 201, 207, 17}));
}

TEST_F(ClassicPanelPage, LaysOutTheRowsForTheDevicesFirmware) {
  open(0x4D10, 4, 1);
  EXPECT_EQ(child("lblPLC")->geometry(), rect_of({50, 115, 207, 17}));
  EXPECT_EQ(child("btnPLC")->geometry(), rect_of({257, 113, 19, 17}));
  EXPECT_EQ(child("radioPLC")->geometry(), rect_of({289, 113, 182, 18}));
  EXPECT_EQ(child("radioMicrophoneBoost")->geometry(), rect_of({289, 64, 182, 18}));
  EXPECT_EQ(child("lblNoteEDR")->geometry(), rect_of({50, 140, 424, 34}));
  EXPECT_EQ(child("btnSave")->geometry(), rect_of({185, 7, 155, 19}));
  EXPECT_EQ(child("btnCancel")->geometry(), rect_of({396, 243, 109, 19}));
  EXPECT_EQ(child("btnNoteApply")->geometry(), rect_of({465, 56, 20, 17}));
  EXPECT_EQ(rows_shown(),
            (std::vector<std::string>{"IntercomVOX", "HandsfreeVOX", "EDR", "PLC", "BitpoolRate", "MicrophoneBoost"}));
  EXPECT_TRUE(shown("lblNoteEDR"));

  open(0x4D10, 4, 2);
  EXPECT_EQ(child("lblBitpoolRate")->geometry(), rect_of({50, 151, 207, 17}));
  EXPECT_EQ(child("radioMicrophoneBoost")->geometry(), rect_of({289, 123, 182, 18}));
  EXPECT_FALSE(shown("lblNoteEDR"));
  EXPECT_FALSE(shown("radioPLC"));
  EXPECT_FALSE(child("radioPLC")->isEnabled());

  // a newer model's MORE SETTINGS sits under its rows
  open(0x4023, 1, 0);
  EXPECT_EQ(child("btnAllSettings")->geometry(), rect_of({50, 151, 207, 17}));
  EXPECT_EQ(child("radioAudioBoost")->geometry(), rect_of({289, 221, 182, 23}));
}

TEST_F(ClassicPanelPage, FirmwareStepFollowsTheDeviceNotTheWorkingCopy) {
  open(0x4D10, 4, 1);
  // the device as read moves on; Default keeps the working copy's versions
  state().data().setDeviceVersionMinor(2);
  click("btnDefault");
  EXPECT_EQ(page.dataCurrent().deviceVersionMinor(), 1);
  EXPECT_EQ(child("lblBitpoolRate")->geometry(), rect_of({50, 151, 207, 17}));
  EXPECT_FALSE(shown("lblNoteEDR"));
}

TEST_F(ClassicPanelPage, AProductWithoutLayoutChangesNoFrameAndNoValue) {
  open(0x4D10, 4, 1, [](Record& device) { device.setEdr(1); });
  std::map<QWidget*, QRect> frames;
  for (QWidget* widget : page.findChildren<QWidget*>()) frames[widget] = widget->geometry();
  state().setDeviceTarget(0x0001);
  state().data().setEdr(0);
  click("btnCancel");
  EXPECT_EQ(page.dataCurrent().edr(), 0);
  for (QWidget* widget : page.findChildren<QWidget*>()) {
    EXPECT_EQ(widget->geometry(), frames[widget]) << widget->objectName().toStdString();
  }
  EXPECT_TRUE(checked("disableEDR"));
  // and it shows every row with the EDR note
  EXPECT_EQ(rows_shown().size(), 16u);
  EXPECT_TRUE(shown("lblNoteEDR"));
}

TEST_F(ClassicPanelPage, ControlsShowTheWorkingCopy) {
  open(0x4D10, 4, 2, [](Record& device) {
    device.setEdr(1);
    device.setHandsfreeVOX(2);
    device.setIntercomVOX(0);
    device.setBitpoolRate(1);
  });
  EXPECT_TRUE(checked("disableEDR"));
  EXPECT_TRUE(checked("enableHandsfreeVOX"));
  EXPECT_TRUE(checked("disableIntercomVOX"));
  EXPECT_TRUE(checked("enableBitpoolRate"));

  open(0x5210, 1, 0, [](Record& device) {
    device.setRadioTransmitGain(16);
    device.setAudioChannelTimeout(30);
  });
  EXPECT_TRUE(checked("mediumRTG"));
  EXPECT_EQ(child<QLineEdit>("tfACT")->text(), "30");
  EXPECT_EQ(child<settings::Stepper>("stepperACT")->value(), 30);
  EXPECT_EQ(rows_shown(), (std::vector<std::string>{"RTG", "ACT"}));
  EXPECT_TRUE(shown("lblACTUnit"));
  EXPECT_EQ(child<QLabel>("lblACTUnit")->text().toStdString(), SettingsTexts::stringACTUnit(0));

  open(0x4210, 1, 2, [](Record& device) {
    device.setBasicSettingLM6AudioBraidingSensitivity(10);
    device.setBasicSettingLM6MotionSensorSensitivity(0);
  });
  EXPECT_EQ(child<QComboBox>("popUpAudioBraidingSensitivity")->currentIndex(), 0);
  EXPECT_EQ(child<QComboBox>("popUpMotionSensorSensitivity")->currentIndex(), -1);
}

TEST_F(ClassicPanelPage, UserChoicesEditTheWorkingCopyAndSaveFollowsTheDifference) {
  open(0x4D10, 4, 2);
  EXPECT_FALSE(child("btnSave")->isEnabled());
  click("disableEDR");
  EXPECT_EQ(page.dataCurrent().edr(), 1);
  EXPECT_TRUE(child("btnSave")->isEnabled());
  EXPECT_TRUE(page.btnDeviceAllSettingsBasicSave()->isEnabled());
  // back to the device's value
  click("enableEDR");
  EXPECT_EQ(page.dataCurrent().edr(), 0);
  EXPECT_FALSE(child("btnSave")->isEnabled());
  EXPECT_FALSE(page.btnDeviceAllSettingsBasicSave()->isEnabled());

  // values placed by the page are no choice of the user's (the LM6 rows are
  // classic rows on a system without the all-settings table)
  state().setOsVersionSecondary(6);
  open(0x4210, 1, 2, [](Record& device) { device.setBasicSettingLM6AudioBraidingSensitivity(10); });
  auto* sensitivity = child<QComboBox>("popUpAudioBraidingSensitivity");
  sensitivity->setCurrentIndex(4);
  page.setControlsWithData();
  EXPECT_FALSE(page.isSettingsChanged());
  sensitivity->setFocus();
  QTest::keyClick(sensitivity, Qt::Key_Down);
  EXPECT_EQ(page.dataCurrent().getBasicSettingLM6AudioBraidingSensitivity(), 9);
  EXPECT_TRUE(child("btnSave")->isEnabled());
}

TEST_F(ClassicPanelPage, RowsAndMoreSettingsByProduct) {
  open(0x6020, 1, 2);
  EXPECT_TRUE(rows_shown().empty());
  EXPECT_TRUE(shown("btnAllSettings"));
  EXPECT_TRUE(child("btnAllSettings")->isEnabled());
  EXPECT_FALSE(shown("lblNoteApply"));
  EXPECT_FALSE(shown("btnNoteApply"));
  EXPECT_FALSE(shown("lblNoteEDR"));
  EXPECT_FALSE(page.tableViewDeviceAllSettingsBasic()->isHidden());
  EXPECT_FALSE(page.scrollViewDeviceAllSettingsBasic()->isHidden());

  // a system older than 10.7 has no all-settings table
  state().setOsVersionSecondary(6);
  open(0x6020, 1, 2);
  EXPECT_FALSE(shown("btnAllSettings"));
  EXPECT_TRUE(page.scrollViewDeviceAllSettingsBasic()->isHidden());
  EXPECT_EQ(rows_shown(), (std::vector<std::string>{"IntercomVOX", "HandsfreeVOX", "BitpoolRate", "Sidetone",
                                                    "AmbientHushControl", "AudioBoost"}));

  // an older model: its rows, the apply note, no MORE SETTINGS
  state().setOsVersionSecondary(9);
  open(0x4D16, 1, 0);
  EXPECT_EQ(rows_shown(), (std::vector<std::string>{"HandsfreeVOX", "EDR", "BitpoolRate"}));
  EXPECT_FALSE(shown("btnAllSettings"));
  EXPECT_TRUE(page.tableViewDeviceAllSettingsBasic()->isHidden());
  EXPECT_TRUE(shown("lblNoteApply"));
}

TEST_F(ClassicPanelPage, ApplyNoteButtonFollowsTheLanguage) {
  open(0x4D10, 4, 2);
  EXPECT_FALSE(shown("btnNoteApply"));
  for (int language : {strings::French, strings::Dutch, strings::Russian}) {
    state().setLanguageManager(language);
    page.setControls();
    EXPECT_TRUE(shown("btnNoteApply")) << language;
    EXPECT_TRUE(child("btnNoteApply")->isEnabled()) << language;
  }
  state().setLanguageManager(strings::German);
  page.setControls();
  EXPECT_FALSE(shown("btnNoteApply"));
  EXPECT_FALSE(child("btnNoteApply")->isEnabled());

  // 0x6430 has no button in any language, also while a save runs
  state().setLanguageManager(strings::French);
  open(0x6430, 1, 0);
  EXPECT_FALSE(shown("btnNoteApply"));
  state().setOnProcessing(true);
  page.setControls();
  EXPECT_FALSE(shown("btnNoteApply"));
}

TEST_F(ClassicPanelPage, WhileAnOperationRunsEverythingIsDisabledAndNothingMoves) {
  open(0x4D10, 4, 1);
  std::map<QWidget*, bool> hidden;
  for (QWidget* widget : page.findChildren<QWidget*>()) hidden[widget] = widget->isHidden();
  state().setOnProcessing(true);
  page.setControls();
  for (QWidget* widget : page.findChildren<QWidget*>()) {
    EXPECT_EQ(widget->isHidden(), hidden[widget]) << widget->objectName().toStdString();
  }
  for (const char* name : {"radioIntercomVOX", "radioHandsfreeVOX", "btnEDR", "radioEDR", "btnPLC", "radioPLC",
                           "btnMotionSensorSensitivity", "popUpMotionSensorSensitivity", "popUpAudioBraidingSensitivity",
                           "btnNavigationAppOverlay", "radioNavigationAppOverlay", "btnRTG", "radioRTG", "btnACT",
                           "tfACT", "stepperACT", "btnBack", "btnNewDevice", "btnDefault", "btnCancel", "btnSave",
                           "btnAllSettings", "btnNoteApply"}) {
    EXPECT_FALSE(child(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(page.btnDeviceAllSettingsBasicSave()->isEnabled());
  // a click does nothing meanwhile
  click("btnDefault");
  EXPECT_TRUE(services.boxes.empty());

  state().setOnProcessing(false);
  page.setControls();
  EXPECT_TRUE(child("radioEDR")->isEnabled());
  EXPECT_TRUE(child("btnCancel")->isEnabled());
  EXPECT_FALSE(child("radioSidetone")->isEnabled());

  // a newer model keeps MORE SETTINGS in view, disabled
  open(0x6020, 1, 2);
  state().setOnProcessing(true);
  page.setControls();
  EXPECT_TRUE(shown("btnAllSettings"));
  EXPECT_FALSE(child("btnAllSettings")->isEnabled());
}

TEST_F(ClassicPanelPage, TitlesOrKeyHints) {
  state().setLanguageManager(strings::French);
  open(0x4D10, 4, 2);
  EXPECT_EQ(child<QPushButton>("btnSave")->text().toStdString(), SettingsTexts::vyla_string_save_in(strings::French));
  EXPECT_EQ(child<QRadioButton>("enableEDR")->text().toStdString(), AppTexts::vyla_string_enable_in(strings::French));
  EXPECT_EQ(child<QRadioButton>("lowRTG")->text(), "Faible");
  EXPECT_EQ(child<QLabel>("lblHandsfreeVOX")->text(), "VOX téléphone");
  EXPECT_EQ(child<QLabel>("lblRTG")->text(), "Gain de Transmission Radio");
  EXPECT_EQ(page.btnDeviceAllSettingsBasicClose()->text(), "CLOSE");

  state().setShowShortcuts(true);
  page.setShortcuts();
  EXPECT_EQ(child<QPushButton>("btnSave")->text(), "[O][C]-S");
  EXPECT_EQ(child<QPushButton>("btnBack")->text(), "[C]-◀");
  EXPECT_EQ(child<QRadioButton>("highRTG")->text(), "[S][O]-R");
  EXPECT_EQ(child<QLabel>("lblEDR")->text(), "[O][C]-E");
  EXPECT_EQ(page.btnDeviceAllSettingsBasicSave()->text().toStdString(),
            SettingsTexts::vyla_string_save_in(strings::French));

  // a model without the EDR row: the label keeps its name
  state().data().setDeviceRecognized(0x6430);
  state().setDeviceTarget(0x6430);
  page.setControls();
  page.setShortcuts();
  EXPECT_EQ(child<QLabel>("lblEDR")->text(), "EDR (Enhanced Data Rate)");

  // the page always opens with the titles
  page.initializeObject();
  EXPECT_FALSE(state().showShortcuts());
  EXPECT_NE(std::find(services.calls.begin(), services.calls.end(), "reflectShortcuts"), services.calls.end());
  EXPECT_EQ(child<QPushButton>("btnSave")->text().toStdString(), SettingsTexts::vyla_string_save_in(strings::French));
}

TEST_F(ClassicPanelPage, KeysActOnTheirShownEnabledControls) {
  open(0x4D10, 4, 2);
  emit key("Alt+Shift+E")->activated();
  EXPECT_TRUE(checked("disableEDR"));
  EXPECT_EQ(page.dataCurrent().edr(), 1);
  // the shared key opens the box of the row that is shown
  emit key("Ctrl+Alt+M")->activated();
  ASSERT_EQ(services.boxes.size(), 1u);
  EXPECT_EQ(services.boxes[0].request.message, SettingsTexts::stringInformationMicrophoneBoost(0));
  emit key("Ctrl+Alt+S")->activated();
  EXPECT_TRUE(save_started());
  finish_save();

  // the key of a hidden row does nothing
  open(0x6430, 1, 0);
  emit key("Alt+Shift+E")->activated();
  EXPECT_EQ(page.dataCurrent().edr(), 0);
  emit key("Ctrl+Shift+M")->activated();
  EXPECT_TRUE(services.calls.empty());
}

TEST_F(ClassicPanelPage, InformationButtonsOpenTheirBoxes) {
  state().setLanguageManager(strings::Japanese);
  open(0x4D10, 4, 2);
  state().setListTabsOpened(true);
  click("btnMicrophoneBoost");
  ASSERT_EQ(services.boxes.size(), 1u);
  EXPECT_EQ(services.boxes[0].request.size, session::MessageBoxSize::w520_h235);
  EXPECT_FALSE(state().listTabsOpened());
  EXPECT_EQ(services.calls, std::vector<std::string>{"enableListTabsTo 0"});

  state().setLanguageManager(strings::English);
  click("btnEDR");
  ASSERT_EQ(services.boxes.size(), 2u);
  const session::MessageBoxRequest& edr = services.boxes[1].request;
  EXPECT_EQ(edr.purpose, session::MessageBoxPurpose::mail_support);
  EXPECT_EQ(edr.size, session::MessageBoxSize::w520_h205);
  EXPECT_EQ(edr.cancel_title, AppTexts::vyla_string_sendemail_in(0));
  // the controller answers mail_support itself
  EXPECT_FALSE(services.boxes[1].on_answer);

  state().setOnProcessing(true);
  page.displayInformationRadioTransmitGain(child("btnEDR"));
  EXPECT_EQ(services.boxes.size(), 2u);
}

TEST_F(ClassicPanelPage, TheApplyNoteOpensWhole) {
  state().setLanguageManager(strings::French);
  open(0x4D10, 4, 2);
  click("btnNoteApply");
  ASSERT_EQ(services.boxes.size(), 1u);
  const session::MessageBoxRequest& box = services.boxes[0].request;
  EXPECT_EQ(box.message, "[" + AppTexts::vyla_string_mode_in(7, strings::French) + "]\n" +
                             SettingsTexts::stringNoteApply(strings::French));
  EXPECT_TRUE(box.warning);
  EXPECT_FALSE(box.cancel_title.has_value());
  EXPECT_EQ(box.ok_title, AppTexts::vyla_string_ok_in(strings::French));
  EXPECT_EQ(box.size, session::MessageBoxSize::w420_h135);
  EXPECT_EQ(box.purpose, session::MessageBoxPurpose::notice);
}

TEST_F(ClassicPanelPage, DefaultThenCancelShowTheDefaultsThenTheDevice) {
  open(0x4D16, 2, 0, [](Record& device) {
    device.SetBasicSettingND4VOXPhone(0);
    device.SetBasicSettingEDR(1);
    device.SetBasicSettingND4HighQulityA2DP(0);
    device.SetBasicSettingND4Sidetone(1);
  });
  EXPECT_TRUE(checked("disableHandsfreeVOX"));
  EXPECT_TRUE(checked("disableEDR"));
  click("btnDefault");
  EXPECT_TRUE(checked("enableHandsfreeVOX"));
  EXPECT_TRUE(checked("enableEDR"));
  EXPECT_TRUE(checked("enableBitpoolRate"));
  EXPECT_TRUE(checked("disableSidetone"));
  EXPECT_TRUE(child("btnSave")->isEnabled());
  click("btnCancel");
  EXPECT_TRUE(checked("disableHandsfreeVOX"));
  EXPECT_TRUE(checked("disableEDR"));
  EXPECT_TRUE(checked("disableBitpoolRate"));
  EXPECT_TRUE(checked("enableSidetone"));
  EXPECT_FALSE(child("btnSave")->isEnabled());
}

TEST_F(ClassicPanelPage, SaveRefusesATimeoutOutsideThreeToSixtySeconds) {
  struct Case {
    const char* typed;
    bool saved;
  };
  const Case cases[] = {{"2", false}, {"3", true}, {"60", true}, {"61", false}, {"abc", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    services.boxes.clear();
    open(0x5210, 1, 0, [](Record& device) { device.setAudioChannelTimeout(30); });
    click("highRTG");
    child<QLineEdit>("tfACT")->setText(c.typed);
    click("btnSave");
    EXPECT_EQ(save_started(), c.saved);
    if (c.saved) {
      EXPECT_TRUE(services.boxes.empty());
      EXPECT_EQ(page.dataCurrent().audioChannelTimeout(), std::stoi(c.typed));
      finish_save();
      continue;
    }
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].request.message, SettingsTexts::stringMessageACT(0));
    EXPECT_TRUE(services.boxes[0].request.warning);
    auto* field = child<QLineEdit>("tfACT");
    EXPECT_EQ(field->text(), "30");
    EXPECT_EQ(field->selectedText(), "30");
    EXPECT_EQ(page.dataCurrent().audioChannelTimeout(), 30);
  }
}

TEST_F(ClassicPanelPage, AProductWithoutTheTimeoutRowAlwaysSaves) {
  // a refused value typed on a 0x5210 stays behind in the hidden field
  open(0x5210, 1, 0, [](Record& device) { device.setAudioChannelTimeout(30); });
  child<QLineEdit>("tfACT")->setText("99");
  open(0x4D10, 4, 2);
  click("disableEDR");
  click("btnSave");
  EXPECT_TRUE(services.boxes.empty());
  EXPECT_TRUE(save_started());
  finish_save();
}

TEST_F(ClassicPanelPage, TimeoutFieldAndStepper) {
  open(0x5210, 1, 0, [](Record& device) { device.setAudioChannelTimeout(59); });
  auto* stepper = child<settings::Stepper>("stepperACT");
  QTest::mouseClick(stepper->upArrow(), Qt::LeftButton);
  EXPECT_EQ(child<QLineEdit>("tfACT")->text(), "60");
  EXPECT_EQ(page.dataCurrent().audioChannelTimeout(), 60);
  EXPECT_TRUE(child("btnSave")->isEnabled());
  // no wrap at the limit
  QTest::mouseClick(stepper->upArrow(), Qt::LeftButton);
  EXPECT_EQ(child<QLineEdit>("tfACT")->text(), "60");

  // a typed value counts when the user ends the editing
  auto* field = child<QLineEdit>("tfACT");
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "20");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(page.dataCurrent().audioChannelTimeout(), 20);
  EXPECT_EQ(stepper->value(), 20);
  field->selectAll();
  QTest::keyClicks(field, "70");
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_EQ(services.boxes.size(), 1u);
  EXPECT_EQ(field->text(), "20");
  EXPECT_EQ(page.dataCurrent().audioChannelTimeout(), 20);
}

TEST_F(ClassicPanelPage, ATimeoutOutsideTheStepperFromTheDeviceIsRefusedOnceThenTheLimitStands) {
  open(0x5210, 1, 0, [](Record& device) { device.setAudioChannelTimeout(0); });
  EXPECT_EQ(child<QLineEdit>("tfACT")->text(), "0");
  EXPECT_EQ(child<settings::Stepper>("stepperACT")->value(), 3);
  click("highRTG");
  click("btnSave");
  ASSERT_EQ(services.boxes.size(), 1u);
  EXPECT_EQ(child<QLineEdit>("tfACT")->text(), "3");
  click("btnSave");
  EXPECT_EQ(services.boxes.size(), 1u);
  EXPECT_TRUE(save_started());
  finish_save();
}

TEST_F(ClassicPanelPage, BackAndNewDevice) {
  open(0x4D10, 4, 2);
  click("btnBack");
  click("btnNewDevice");
  EXPECT_EQ(services.calls, (std::vector<std::string>{"enableListTabsTo 0", "setFirmwareUpdateWithStatus 1",
                                                      "enableListTabsTo 0", "setDeviceSelection"}));
  services.calls.clear();
  state().setOnProcessing(true);
  page.moveToFirmwareUpdate(page.btnBack());
  page.moveToDeviceSelection(page.btnNewDevice());
  EXPECT_TRUE(services.calls.empty());
}

TEST_F(ClassicPanelPage, TheSheetsControlsAreInTheSheetNotOnThePanel) {
  open(0x4D10, 4, 2);
  for (QWidget* control : std::initializer_list<QWidget*>{
           page.btnDeviceAllSettingsBasicSave(), page.btnDeviceAllSettingsBasicDefault(),
           page.btnDeviceAllSettingsBasicCancel(), page.btnDeviceAllSettingsBasicClose(),
           page.scrollViewDeviceAllSettingsBasic()}) {
    EXPECT_EQ(control->parent(), page.sheetDeviceAllSettings()) << control->objectName().toStdString();
  }
  EXPECT_EQ(page.tableViewDeviceAllSettingsBasic()->objectName(), "tableViewDeviceAllSettingsBasic");
  EXPECT_EQ(page.scrollViewDeviceAllSettingsBasic()->widget(), page.tableViewDeviceAllSettingsBasic());
  // the panel shows, the sheet does not
  page.show();
  EXPECT_FALSE(page.sheetDeviceAllSettings()->isVisible());
  EXPECT_FALSE(page.scrollViewDeviceAllSettingsBasic()->isVisible());
  EXPECT_EQ(page.btnDeviceAllSettingsBasicDefault()->text().toStdString(), SettingsTexts::vyla_string_default_in(0));
  EXPECT_EQ(page.btnDeviceAllSettingsBasicCancel()->text().toStdString(), AppTexts::vyla_string_cancel_in(0));
}

}  // namespace
