#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/files.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/DeviceSelectionViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "shell_fixture.h"
#include "strings/setting_names.h"
#include "support/qt_wait.h"
#include "update/UpdateViewController.h"
#include "widgets/FEXOBluetoothMainButton.h"

namespace {

std::string shown_status(FEXOBluetoothManagerAppController& controller) {
  return controller.window()->findChild<QLabel*>("tfStatus")->text().toStdString();
}

// Contrast ratio of two colours as readability guidelines measure it: 1 (none) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& colour) {
    const auto linear = [](int channel) {
      const double value = channel / 255.0;
      return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) + 0.0722 * linear(colour.blue());
  };
  const double first = luminance(a), second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// How well the title of a drawn button stands out: the contrast between its
// commonest colour (the background) and the inner pixel farthest from it (the
// title's strokes).
double title_contrast(const QImage& drawn) {
  std::map<QRgb, int> counts;
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) ++counts[drawn.pixel(x, y)];
  }
  const QColor background(std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                            return a.second < b.second;
                          })->first);
  double best = 1.0;
  for (int y = 4; y < drawn.height() - 4; ++y) {
    for (int x = 4; x < drawn.width() - 4; ++x) best = std::max(best, contrast(background, drawn.pixelColor(x, y)));
  }
  return best;
}

}  // namespace

using StartUp = ShellFixture;

TEST_F(StartUp, FirstRunUsesTheDefaultsAndShowsTheSelectionPage) {
  auto controller = start();
  EXPECT_EQ(controller->languageManager(), 0);
  EXPECT_TRUE(controller->applyToLanguageFirmware());
  EXPECT_EQ(controller->strManagerVersion(), "v1.0");
  EXPECT_EQ(controller->strLanguageManager(), "English");
  EXPECT_EQ(controller->deviceTarget(), 0);
  EXPECT_EQ(controller->mode(), 3);
  EXPECT_EQ(controller->osVersionPrimary(), 10);
  EXPECT_EQ(controller->osVersionSecondary(), 9);
  EXPECT_EQ(controller->osVersionMinor(), 0);
  auto* pages = child<QStackedWidget>(*controller, "boxDetail");
  EXPECT_EQ(pages->currentWidget(), controller->deviceSelectionViewController());
  EXPECT_EQ(controller->window()->windowTitle(), "Vexlink Setwise");
  EXPECT_EQ(shown_status(*controller), "Press NEXT to proceed.");
}

TEST_F(StartUp, ConfigurationSurvivesARestart) {
  {
    auto controller = start();
    controller->setDeviceTarget(0x4D10);
    controller->setLanguageManager(2);
    controller->setStrLanguageManager(std::string("German"));
    controller->setApplyToLanguageFirmware(false);
    controller->setStrLanguageFirmware(std::string("French"));
    ASSERT_TRUE(controller->write_configuration_archive());
  }
  auto controller = start();
  EXPECT_EQ(controller->deviceTarget(), 0x4D10);
  EXPECT_EQ(controller->languageManager(), 2);
  EXPECT_FALSE(controller->applyToLanguageFirmware());
  EXPECT_EQ(controller->strLanguageFirmware(), "French");
  EXPECT_EQ(controller->strManagerVersion(), "v1.0");
}

TEST_F(StartUp, ArchiveOpensInPlistlibWithItsKeysInOrder) {
  if (std::system("python3 -c 'import plistlib' 2>/dev/null") != 0) GTEST_SKIP() << "no python3";
  const std::string script =
      "import plistlib,sys\n"
      "d=plistlib.load(open(sys.argv[1],'rb'))\n"
      "assert d['$archiver']=='NSKeyedArchiver' and d['$version']==100000\n"
      "o=d['$objects']; r=o[d['$top']['root'].data]\n"
      "print(o[r['$class'].data]['$classname'])\n"
      "print(' '.join(k for k in r if k!='$class'))\n";
  struct Case { const char* name; std::optional<std::string> restart_file; size_t keys; };
  const Case cases[] = {{"no restart record", std::nullopt, 8},
                        {"empty restart file", std::string(), 8},
                        {"restart record", std::string("fw.img"), 14}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto controller = start();
    controller->setStrRestartDFUFirmwareFile(c.restart_file);
    ASSERT_TRUE(controller->write_configuration_archive());
    std::ofstream(m_folder + "/check.py") << script;
    const std::string command = "python3 '" + m_folder + "/check.py' '" +
                                FEXOBluetoothManagerAppController::configuration_file_path() + "' > '" + m_folder +
                                "/keys.txt'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream output(m_folder + "/keys.txt");
    std::string class_name, keys;
    std::getline(output, class_name);
    std::getline(output, keys);
    EXPECT_EQ(class_name, "FEXOBluetoothManagerAppController");
    std::string expected =
        "keyEncrypted keyStrManagerVersion keyStrLanguageManager keyApplyToLanguageFirmware keyDeviceTarget "
        "keyRestartToRecover keyModeRestartToRecover keyStrLanguageFirmware";
    if (c.keys == 14) {
      expected += " keyStrRestartDFUFirmwareFile keyIndexRestartDFUFirmwareLanguage keyDeviceVersionMajorRestartDFU "
                  "keyDeviceVersionMinorRestartDFU keyDeviceSecondaryVersionTypeRestartDFU "
                  "keyDeviceSecondaryVersionRestartDFU";
    }
    EXPECT_EQ(keys, expected);
  }
}

TEST_F(StartUp, ArchivedLanguagesOutsideTheOfferedSixStartAsEnglish) {
  struct Case { const char* name; int expected; };
  const Case cases[] = {{"English", 0}, {"French", 1}, {"German", 2}, {"Italian", 3}, {"Japanese", 0},
                        {"Korean", 0},  {"Spanish", 6}, {"Dutch", 7}, {"Russian", 0}, {"Polish", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    write_archive([&](platform::KeyedArchiver& coder) {
      coder.encode_string("keyStrLanguageManager", std::string(c.name));
    });
    EXPECT_EQ(start()->languageManager(), c.expected);
  }
}

TEST_F(StartUp, WithoutAnArchivedLanguageTheFirmwareFlagStaysOn) {
  write_archive([](platform::KeyedArchiver& coder) {
    coder.encode_bool("keyEncrypted", false);
    coder.encode_bool("keyApplyToLanguageFirmware", false);
    coder.encode_int("keyDeviceTarget", 0x6020);
  });
  auto controller = start();
  EXPECT_EQ(controller->languageManager(), 0);
  EXPECT_TRUE(controller->applyToLanguageFirmware());
  EXPECT_EQ(controller->deviceTarget(), 0x6020);
}

TEST_F(StartUp, ADamagedArchiveStartsWithTheDefaults) {
  const char* contents[] = {"not an archive at all", "bplist00\x01\x02garbage"};
  for (const char* content : contents) {
    SCOPED_TRACE(content);
    std::ofstream(FEXOBluetoothManagerAppController::configuration_file_path(), std::ios::binary) << content;
    auto controller = start();
    EXPECT_EQ(controller->deviceTarget(), 0);
    EXPECT_EQ(controller->languageManager(), 0);
    EXPECT_TRUE(controller->applyToLanguageFirmware());
    EXPECT_EQ(controller->mode(), 3);
  }
  // a key of the wrong type fails the archive part-way: nothing after it is taken
  write_archive([](platform::KeyedArchiver& coder) {
    coder.encode_string("keyStrManagerVersion", std::string("v1.3"));
    coder.encode_string("keyDeviceTarget", std::string("0x6020"));
  });
  auto controller = start();
  EXPECT_EQ(controller->deviceTarget(), 0);
}

TEST_F(StartUp, ARecordedRestartOpensRecognitionForItsPageAtOnceAndClearsTheRecord) {
  write_archive([](platform::KeyedArchiver& coder) {
    coder.encode_int("keyDeviceTarget", 0x6020);
    coder.encode_bool("keyRestartToRecover", true);
    coder.encode_int("keyModeRestartToRecover", 7);
  });
  auto controller = start();
  EXPECT_EQ(controller->mode(), 4);
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 7);
  EXPECT_FALSE(controller->restartToRecover());
  EXPECT_EQ(controller->modeRestartToRecover(), 0);
  // the recognition is running: the line shows the recognition page's processing text
  EXPECT_EQ(shown_status(*controller), *AppTexts::vyla_status_processing_usb_in(4, 0, 0));
}

TEST_F(StartUp, OsVersionTextParsing) {
  auto controller = start();
  struct Case { const char* text; bool parsed; int primary, secondary, minor; };
  const Case cases[] = {{"Version 10.7.5 (Build 11G63)", true, 10, 7, 5},
                        {"macOS 11.2", true, 11, 2, 0},
                        {"0.1.2 12.4", true, 12, 4, 0},
                        {"1.2.3.4 10.8", true, 10, 8, 0},
                        {"no version here", false, 10, 9, 0},
                        {"", false, 10, 9, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    controller->setOsVersionPrimary(10);
    controller->setOsVersionSecondary(9);
    controller->setOsVersionMinor(0);
    EXPECT_EQ(controller->setOsVersionFromString(c.text), c.parsed);
    EXPECT_EQ(controller->osVersionPrimary(), c.primary);
    EXPECT_EQ(controller->osVersionSecondary(), c.secondary);
    EXPECT_EQ(controller->osVersionMinor(), c.minor);
  }
}

// ---- navigation ----

using Navigation = ShellFixture;

TEST_F(Navigation, MainButtonStateTable) {
  auto controller = start();
  recognize(*controller, 0x3030);
  const char* names[] = {"btnDeviceSelection", "btnDeviceRecognition", "btnFirmwareUpdate", "btnFirmwareRestore",
                         "btnDeviceSettings"};
  struct Case { int mode; std::array<bool, 5> on; };
  const Case cases[] = {
      {5, {false, false, true, false, false}}, {6, {false, false, false, true, false}},
      {7, {false, false, false, false, true}}, {8, {false, false, false, false, true}},
      {9, {false, false, false, false, true}}, {4, {false, true, false, false, false}},
      {3, {true, false, false, false, false}}, {2, {false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    if (c.mode == 4 || c.mode == 3) recognize(*controller, 0x3030);
    controller->setDetailViewController(c.mode);
    ASSERT_EQ(controller->mode(), c.mode);
    for (int i = 0; i < 5; ++i) {
      auto* button = child<FEXOBluetoothMainButton>(*controller, names[i]);
      EXPECT_EQ(button->isChecked(), c.on[static_cast<size_t>(i)]) << names[i];
      EXPECT_EQ(button->titleColor(), c.on[static_cast<size_t>(i)] ? QColor(Qt::white) : QColor(Qt::black));
      if (button->isEnabled()) {
        EXPECT_EQ(button->backgroundImageName(), c.on[static_cast<size_t>(i)] ? "17800.png" : "238238238.png");
      } else {
        EXPECT_EQ(button->backgroundImageName(), "219219230.png");
      }
    }
  }
}

TEST_F(Navigation, MainButtonsStayReadableAndAnswerHoverAndPress) {
  auto controller = start();
  recognize(*controller, 0x3030);
  controller->setDetailViewController(5);
  const char* names[] = {"btnDeviceSelection", "btnDeviceRecognition", "btnFirmwareUpdate", "btnFirmwareRestore",
                         "btnDeviceSettings"};
  // at rest (one on, the others off) and while an operation runs (all disabled, the update button still on)
  for (bool processing : {false, true}) {
    SCOPED_TRACE(processing ? "processing" : "at rest");
    controller->setOnProcessing(processing);
    controller->setControls();
    for (const char* name : names) {
      auto* button = child<FEXOBluetoothMainButton>(*controller, name);
      EXPECT_EQ(button->isEnabled(), !processing) << name;
      EXPECT_GE(title_contrast(button->grab().toImage()), 4.5) << name;
    }
  }
  EXPECT_TRUE(child<FEXOBluetoothMainButton>(*controller, "btnFirmwareUpdate")->isChecked());
  controller->setOnProcessing(false);
  controller->setControls();

  for (const char* name : {"btnFirmwareUpdate", "btnDeviceSelection"}) {
    SCOPED_TRACE(name);
    auto* button = child<FEXOBluetoothMainButton>(*controller, name);
    const QImage rest = button->grab().toImage();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &enter);
    const QImage hovered = button->grab().toImage();
    EXPECT_TRUE(hovered != rest) << "hover shows";
    EXPECT_GE(title_contrast(hovered), 4.5);
    button->setDown(true);
    const QImage pressed = button->grab().toImage();
    EXPECT_TRUE(pressed != rest) << "a press shows";
    EXPECT_TRUE(pressed != hovered);
    EXPECT_GE(title_contrast(pressed), 4.5);
    button->setDown(false);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_TRUE(button->grab().toImage() == rest) << "back at rest";
  }
  // a disabled button does not answer the pointer
  auto* disabled = child<FEXOBluetoothMainButton>(*controller, "btnDeviceSettings");
  controller->setOnProcessing(true);
  controller->setControls();
  const QImage rest = disabled->grab().toImage();
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(disabled, &enter);
  EXPECT_TRUE(disabled->grab().toImage() == rest);
}

TEST_F(Navigation, AClickLeavesTheOnLookToThePageShown) {
  // a page that keeps the window (save prompt, invalid field) refreshes
  // nothing, so the click itself must not turn a button on or off
  FEXOBluetoothMainButton button;
  for (bool on : {false, true}) {
    SCOPED_TRACE(on);
    button.setChecked(on);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(button.isChecked(), on);
    EXPECT_EQ(button.backgroundImageName(), on ? "17800.png" : "238238238.png");
  }
}

TEST_F(Navigation, UpdateFallsBackToSelectionOrRecognition) {
  auto controller = start();
  QTest::mouseClick(child<QPushButton>(*controller, "btnDeviceSelection"), Qt::LeftButton);
  controller->firmwareUpdate();
  EXPECT_EQ(controller->mode(), 3) << "no selected device";

  controller->setDeviceTarget(0x6020);
  controller->firmwareUpdate();
  EXPECT_EQ(controller->mode(), 4) << "selected but not recognized";
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 0);

  recognize(*controller, 0x6020);
  controller->firmwareUpdate();
  EXPECT_EQ(controller->mode(), 5);
  EXPECT_EQ(child<QStackedWidget>(*controller, "boxDetail")->currentWidget(), controller->updateViewController());
}

TEST_F(Navigation, EnteringSelectionOrRecognitionForgetsTheDevice) {
  auto controller = start();
  recognize(*controller, 0x3030, 2, 1);
  controller->setDeviceSettingsWithStatus(true);
  ASSERT_EQ(controller->mode(), 7);
  controller->deviceRecognition();
  EXPECT_EQ(controller->mode(), 4);
  EXPECT_FALSE(controller->recognized());
  EXPECT_EQ(controller->usbStatus(), 0);
  EXPECT_EQ(controller->tabCount(), 0);
  EXPECT_EQ(controller->deviceTarget(), 0x3030) << "the selection is kept";
}

TEST_F(Navigation, SettingsButtonPerProductKind) {
  struct Case { const char* name; int product; int major, minor; int usb; int mode; bool settings_enabled; int opens; };
  const Case cases[] = {
      {"settings-less camera on the update page", 0x3020, 1, 0, 0x3020, 5, false, 5},
      {"settings-less camera on the restore page", 0x3020, 1, 0, 0x3020, 6, false, 6},
      {"0x3500 below 2.2", 0x3500, 2, 1, 0x3500, 5, false, 5},
      {"0x3500 at 2.2", 0x3500, 2, 2, 0x3500, 5, true, 7},
      {"0x3560 below 1.1", 0x3560, 1, 0, 0x3560, 5, false, 5},
      {"firmware-management mode", 0x6020, 1, 0, 0x8000 | 0x6020, 5, false, 7},
      {"speed-dial only", 0x4111, 1, 0, 0x4111, 5, true, 9},
      {"normal product", 0x6020, 1, 0, 0x6020, 6, true, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto controller = start();
    recognize(*controller, c.product, c.major, c.minor, 3, c.usb);
    controller->setDetailViewController(c.mode);
    ASSERT_EQ(controller->mode(), c.mode);
    ASSERT_NO_FATAL_FAILURE(wait_until_free(*controller));
    EXPECT_EQ(child<QPushButton>(*controller, "btnDeviceSettings")->isEnabled(), c.settings_enabled);
    controller->deviceSettings();
    EXPECT_EQ(controller->mode(), c.opens);
  }
}

TEST_F(Navigation, RecognitionPageEnablesThePageButtonsOnlyOnceRecognized) {
  auto controller = start();
  controller->setDeviceTarget(0x3020);
  controller->deviceRecognition();
  EXPECT_FALSE(child<QPushButton>(*controller, "btnFirmwareUpdate")->isEnabled());
  controller->setRecognized(true);
  controller->setControls();
  EXPECT_TRUE(child<QPushButton>(*controller, "btnFirmwareUpdate")->isEnabled());
  EXPECT_TRUE(child<QPushButton>(*controller, "btnFirmwareRestore")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(*controller, "btnDeviceSettings")->isEnabled()) << "settings-less camera";
}

TEST_F(Navigation, NextAndBackByPage) {
  auto controller = start();
  // selection: Next keeps the product and opens the recognition page
  controller->goNext();
  EXPECT_EQ(controller->mode(), 4);
  EXPECT_EQ(controller->deviceTarget(), DeviceSelectionViewController::k_default_product);
  controller->goBack();
  EXPECT_EQ(controller->mode(), 3);

  recognize(*controller, 0x6020);
  controller->firmwareUpdate();
  ASSERT_NO_FATAL_FAILURE(wait_until_free(*controller));
  controller->goNext();
  EXPECT_EQ(controller->mode(), 7) << "update page Next opens the settings page";
  controller->goBack();
  EXPECT_EQ(controller->mode(), 5) << "settings page Back opens the update page";
  ASSERT_NO_FATAL_FAILURE(wait_until_free(*controller));
  controller->goBack();
  EXPECT_EQ(controller->mode(), 4) << "update page Back asks for a fresh recognition";
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 0);

  recognize(*controller, 0x6020);
  controller->setDeviceSettingsSpeedDialWithStatus(true);
  controller->goNext();
  EXPECT_EQ(controller->mode(), 3) << "settings page Next is New Device";

  // a settings-less target makes Next and Back do nothing on pages 7 to 9
  recognize(*controller, 0x6020);
  controller->setDeviceSettingsWithStatus(true);
  controller->setDeviceTarget(0x3020);
  controller->goNext();
  controller->goBack();
  EXPECT_EQ(controller->mode(), 7);
}

TEST_F(Navigation, ProcessingBlocksEveryAction) {
  auto controller = start();
  recognize(*controller, 0x3030);
  controller->setDeviceSettingsWithStatus(true);
  controller->setOnProcessing(true);
  controller->setControls();
  for (const char* name : {"btnDeviceSelection", "btnDeviceRecognition", "btnFirmwareUpdate", "btnFirmwareRestore",
                           "btnDeviceSettings", "btnAbout", "btnClose", "btnStatus", "btnLanguageManager"}) {
    EXPECT_FALSE(child<QPushButton>(*controller, name)->isEnabled()) << name;
  }
  int terminations = 0;
  QObject::connect(controller.get(), &FEXOBluetoothManagerAppController::terminationRequested,
                   [&terminations] { ++terminations; });
  controller->deviceSelection();
  controller->deviceRecognition();
  controller->firmwareUpdate();
  controller->firmwareRestore();
  controller->goNext();
  controller->goBack();
  controller->moveToSecondPage();
  controller->changeShortcuts();
  controller->showStatus();
  controller->window()->close();
  child<QAction>(*controller, "menuItemQuit")->trigger();
  EXPECT_EQ(controller->mode(), 7);
  EXPECT_FALSE(controller->showShortcuts());
  EXPECT_FALSE(controller->listTabsOpened());
  EXPECT_EQ(controller->messageBoxStatus(), 0);
  EXPECT_EQ(terminations, 0);
}

TEST_F(Navigation, KeysActOnlyThroughTheirEnabledButtons) {
  // a main button's or strip label's key does what a click does, and nothing
  // while that button is disabled
  struct Case {
    const char* name;
    int product;
    int usb;
    bool recognized;
    int start_mode;
    Qt::Key key;
    int expected_mode;
    bool status_kept;
  };
  const Case cases[] = {
      {"update key on the selection page", 0x6020, 0x6020, false, 3, Qt::Key_U, 3, true},
      {"restore key on the selection page", 0x6020, 0x6020, false, 3, Qt::Key_E, 3, true},
      {"settings key in firmware-management mode", 0x6020, 0x8000 | 0x6020, true, 5, Qt::Key_T, 5, true},
      {"settings key for a settings-less camera", 0x3020, 0x3020, true, 6, Qt::Key_T, 6, true},
      {"second-tab key on the second tab", 0x6020, 0x6020, true, 9, Qt::Key_2, 9, true},
      {"first-tab key on the first tab", 0x6020, 0x6020, true, 7, Qt::Key_1, 7, true},
      {"first-tab key on the second tab", 0x6020, 0x6020, true, 9, Qt::Key_1, 7, false},
      {"selection key on the update page", 0x6020, 0x6020, true, 5, Qt::Key_S, 3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto controller = start();
    controller->window()->show();
    controller->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller->window()));
    recognize(*controller, c.product, 1, 0, 3, c.usb);
    controller->setDetailViewController(c.start_mode);
    if (!c.recognized) controller->setDeviceSelection();
    ASSERT_EQ(controller->mode(), c.start_mode);
    ASSERT_NO_FATAL_FAILURE(wait_until_free(*controller));
    if (!c.recognized) controller->setDeviceTarget(c.product);
    controller->setStatus_withWarning("kept", false);
    QTest::keyClick(controller->window(), c.key, Qt::ControlModifier);
    EXPECT_EQ(controller->mode(), c.expected_mode);
    EXPECT_EQ(shown_status(*controller) == "kept", c.status_kept) << "the page was entered again";
  }
}

// ---- page strip, tab list and shortcut hints ----

// A backup of 0x6020 at firmware 1.0 in `folder`, whose tabs are settings and speed dials.
bool write_backup_of_6020(const std::string& folder) {
  FEXOBluetoothDeviceData backup;
  backup.setManagerVersionMajor(1);
  backup.setManagerVersionMinor(4);
  backup.setDeviceRecognized(0x6020);
  backup.setDeviceVersionMajor_Minor(1, 0);
  return platform::write_file_atomically(folder + "/Y350_R.vylaarch", backup.archived_bytes());
}

using PageStrip = ShellFixture;

TEST_F(PageStrip, TwoTabsSwitchBetweenTheirPages) {
  auto controller = start();
  recognize(*controller, 0x6020);  // settings, speed dial
  controller->setDeviceSettingsWithStatus(true);
  auto* first = child<QLabel>(*controller, "lblDetailTitlePagesFirstForeground");
  auto* second = child<QLabel>(*controller, "lblDetailTitlePagesSecondForeground");
  auto* first_background = child<QLabel>(*controller, "lblDetailTitlePagesFirstBackground");
  auto* second_button = child<QPushButton>(*controller, "btnDetailTitlePagesSecond");
  auto* first_button = child<QPushButton>(*controller, "btnDetailTitlePagesFirst");
  EXPECT_TRUE(first->isVisibleTo(controller->window()));
  EXPECT_EQ(first->text().toStdString(), *FEXOBluetoothDeviceData::getTabText_With_In_SetEquivalentTo(1, false, 0, nullptr));
  EXPECT_EQ(second->text().toStdString(), *FEXOBluetoothDeviceData::getTabText_With_In_SetEquivalentTo(2, false, 0, nullptr));
  // the selected label sits lower and taller: y 362, height 18 from the bottom
  const int content_height = controller->window()->centralWidget()->height();
  EXPECT_EQ(first_background->height(), 18);
  EXPECT_EQ(first_background->y(), content_height - 362 - 18);
  EXPECT_TRUE(second_button->isVisibleTo(controller->window()));
  EXPECT_FALSE(first_button->isVisibleTo(controller->window()));

  QTest::mouseClick(second_button, Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 9);
  EXPECT_EQ(controller->tabIndexSelected(), 1);
  EXPECT_EQ(first_background->height(), 15);
  EXPECT_TRUE(first_button->isVisibleTo(controller->window()));

  QTest::mouseClick(first_button, Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 7);
  EXPECT_EQ(controller->tabIndexSelected(), 0);
}

TEST_F(PageStrip, BothLabelsReadWhicheverIsSelected) {
  auto controller = start();
  recognize(*controller, 0x6020);  // settings, speed dial
  const char* const sides[] = {"First", "Second"};
  for (int page : {7, 9}) {
    SCOPED_TRACE(page);
    if (page == 7) controller->setDeviceSettingsWithStatus(true);
    if (page == 9) controller->setDeviceSettingsSpeedDialWithStatus(true);
    for (const char* side : sides) {
      SCOPED_TRACE(side);
      const std::string name = std::string("lblDetailTitlePages") + side;
      auto* text = child<QLabel>(*controller, (name + "Foreground").c_str());
      auto* background = child<QLabel>(*controller, (name + "Background").c_str());
      ASSERT_TRUE(text->isVisibleTo(controller->window()));
      EXPECT_GE(contrast(text->palette().color(QPalette::WindowText), background->palette().color(QPalette::Window)),
                4.5);
    }
  }
}

TEST_F(PageStrip, ThreeTabsOfferMoreAndTheList) {
  auto controller = start();
  recognize(*controller, 0x3030);  // settings, speed dial, second settings
  controller->setDeviceSettingsWithStatus(true);
  auto* second = child<QLabel>(*controller, "lblDetailTitlePagesSecondForeground");
  EXPECT_EQ(second->text(), "More...");
  auto* list = child<QWidget>(*controller, "boxListTabsBox");
  EXPECT_FALSE(list->isVisibleTo(controller->window()));

  QTest::mouseClick(child<QPushButton>(*controller, "btnDetailTitlePagesSecond"), Qt::LeftButton);
  EXPECT_TRUE(controller->listTabsOpened());
  EXPECT_TRUE(list->isVisibleTo(controller->window()));
  auto* row3 = child<QPushButton>(*controller, "btnListTabs03");
  EXPECT_EQ(row3->text().toStdString(), *FEXOBluetoothDeviceData::getTabText_With_In_SetEquivalentTo(3, false, 0, nullptr));

  QTest::mouseClick(row3, Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 8);
  EXPECT_EQ(controller->tabIndexSelected(), 2);
  EXPECT_FALSE(controller->listTabsOpened());
  EXPECT_FALSE(list->isVisibleTo(controller->window()));
  EXPECT_EQ(child<QLabel>(*controller, "lblDetailTitlePagesFirstForeground")->text().toStdString(),
            *FEXOBluetoothDeviceData::getTabText_With_In_SetEquivalentTo(3, false, 0, nullptr));

  // a click on the window's background closes an open list
  controller->moveToSecondPage();
  ASSERT_TRUE(controller->listTabsOpened());
  QTest::mouseClick(controller->window()->centralWidget(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(controller->listTabsOpened());
  EXPECT_FALSE(list->isVisibleTo(controller->window()));
}

TEST_F(PageStrip, MoreInEveryLanguage) {
  const char* more[] = {"More...", "Plus...", "Mehr...", "Altro...", "詳細...", "더 보기...", "Más...",
                        "Meer...", "Больше...", "更多...", "Enemmän…", "Více...", "Więcej..."};
  for (int language = 0; language < 13; ++language) {
    EXPECT_EQ(FEXOBluetoothManagerAppController::more_tabs_text(language), more[language]);
  }
  EXPECT_EQ(FEXOBluetoothManagerAppController::more_tabs_text(13), "More...");
}

TEST_F(PageStrip, SingleTabShowsNoStripAndOtherPagesNeither) {
  auto controller = start();
  recognize(*controller, 0x2010);
  controller->setDeviceSettingsWithStatus(true);
  EXPECT_FALSE(child<QLabel>(*controller, "lblDetailTitlePagesFirstForeground")->isVisibleTo(controller->window()));
  controller->moveToSecondPage();
  EXPECT_EQ(controller->mode(), 7);
  EXPECT_FALSE(controller->listTabsOpened());
}

TEST_F(PageStrip, RestorePageUsesItsOwnTabs) {
  // a backup of 0x6020, whose tabs are settings and speed dials, and its firmware on the server
  ASSERT_TRUE(write_backup_of_6020(m_folder));
  test_support::LoopbackServer server;
  test_support::ScopedServerEnvironment environment(server);
  server.set_file("Revisions", "Y350_R:v1.0:Y350R_v1.0.img\r\n");
  auto controller = start();
  recognize(*controller, 0x6020);
  UpdateViewController* restore = controller->restoreViewController();
  controller->setFirmwareRestoreWithStatus(true);
  EXPECT_EQ(restore->tabData(), session::tab_data_for(0x6020, 1, 0, 3));
  ASSERT_NO_FATAL_FAILURE(wait_until_free(*controller));
  ASSERT_TRUE(restore->restorePossible());
  auto* second_button = child<QPushButton>(*controller, "btnDetailTitlePagesSecond");
  ASSERT_TRUE(second_button->isVisibleTo(controller->window()));
  QTest::mouseClick(second_button, Qt::LeftButton);
  EXPECT_EQ(controller->mode(), 6);
  EXPECT_EQ(restore->tabIndexSelected(), 1);
  controller->moveToFirstPage();
  EXPECT_EQ(restore->tabIndexSelected(), 0);

  restore->setRestorePossible(false);
  controller->setControls();
  EXPECT_FALSE(second_button->isVisibleTo(controller->window()));
}

TEST_F(PageStrip, TheRestorePageKeepsItsTabWhenTheInterfaceLanguageChanges) {
  ASSERT_TRUE(write_backup_of_6020(m_folder));
  test_support::LoopbackServer server;
  test_support::ScopedServerEnvironment environment(server);
  server.set_file("Revisions", "Y350_R:v1.0:Y350R_v1.0.img\r\n");
  auto controller = start();
  recognize(*controller, 0x6020);
  UpdateViewController* restore = controller->restoreViewController();
  controller->setFirmwareRestoreWithStatus(true);
  ASSERT_NO_FATAL_FAILURE(wait_until_free(*controller));
  QTest::mouseClick(child<QPushButton>(*controller, "btnDetailTitlePagesSecond"), Qt::LeftButton);
  ASSERT_EQ(restore->tabIndexSelected(), 1);

  controller->openLanguageManager(nullptr);
  QTest::mouseClick(child<QRadioButton>(*controller, "buttonCell4LanguageManagerVerrano"), Qt::LeftButton);
  QTest::mouseClick(child<QPushButton>(*controller, "btnLanguageManagerOKVerrano"), Qt::LeftButton);
  ASSERT_EQ(controller->languageManager(), 2);
  ASSERT_NO_FATAL_FAILURE(wait_until_free(*controller));
  EXPECT_EQ(controller->mode(), 6);
  EXPECT_EQ(restore->tabIndexSelected(), 1);
  // the strip shows the second tab chosen: the first one takes the click back
  EXPECT_TRUE(child<QPushButton>(*controller, "btnDetailTitlePagesFirst")->isVisibleTo(controller->window()));
  EXPECT_FALSE(child<QPushButton>(*controller, "btnDetailTitlePagesSecond")->isVisibleTo(controller->window()));
  // and the rows are still the speed dials, now in German
  EXPECT_EQ(child<QLabel>(*controller, "lblRestoredData1")->text().toStdString(),
            strings::setting_name(strings::SettingName::SpeedDial, 2) + " 1: ");
}

TEST_F(PageStrip, ShortcutHintsReplaceTheTitles) {
  auto controller = start();
  recognize(*controller, 0x6020);
  controller->setDeviceSettingsWithStatus(true);
  auto* selection = child<QPushButton>(*controller, "btnDeviceSelection");
  EXPECT_EQ(selection->text().toStdString(), AppTexts::vyla_string_mode_in(3, 0));
  auto* hint = child<QLabel>(*controller, "lblShortcutsAbout");
  EXPECT_FALSE(hint->isVisibleTo(controller->window()));
  const QString menu_before = child<QAction>(*controller, "menuItemKeyboradShortcuts")->text();

  controller->changeShortcuts();
  EXPECT_TRUE(controller->showShortcuts());
  EXPECT_TRUE(hint->isVisibleTo(controller->window()));
  const char* hints[] = {"[C]-S", "[C]-R", "[C]-U", "[C]-E", "[C]-T"};
  const char* names[] = {"btnDeviceSelection", "btnDeviceRecognition", "btnFirmwareUpdate", "btnFirmwareRestore",
                         "btnDeviceSettings"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(child<QPushButton>(*controller, names[i])->text(), hints[i]);
  EXPECT_EQ(child<QLabel>(*controller, "lblDetailTitlePagesFirstForeground")->text(), "[C]-1");
  EXPECT_EQ(child<QLabel>(*controller, "lblDetailTitlePagesSecondForeground")->text(), "[C]-2");
  EXPECT_NE(child<QAction>(*controller, "menuItemKeyboradShortcuts")->text(), menu_before);

  controller->changeShortcuts();
  EXPECT_EQ(selection->text().toStdString(), AppTexts::vyla_string_mode_in(3, 0));
}

TEST_F(PageStrip, ShortcutHintsShowWholeLettersClearOfTheButtons) {
  auto controller = start();
  controller->changeShortcuts();
  QWidget* view = child(*controller, "view");
  for (const char* name : {"lblShortcutsKeys", "lblShortcutsAbout", "lblShortcutsLanguageManager", "lblShortcutsClose"}) {
    SCOPED_TRACE(name);
    auto* hint = child<QLabel>(*controller, name);
    ASSERT_TRUE(hint->isVisibleTo(controller->window()));
    const QFontMetrics metrics(hint->font());
    EXPECT_GE(hint->contentsRect().height(), metrics.height());
    EXPECT_GE(hint->contentsRect().width(), metrics.horizontalAdvance(hint->text()));
    EXPECT_TRUE(view->rect().contains(hint->geometry()));
    for (const char* button : {"btnAbout", "btnLanguageManager", "btnClose", "btnDeviceSelection", "btnDeviceSettings"}) {
      EXPECT_FALSE(hint->geometry().intersects(child(*controller, button)->geometry())) << button;
    }
  }
}

TEST_F(PageStrip, TheLegendExplainsEveryModifierTheHintsUse) {
  auto controller = start();
  recognize(*controller, 0x5416);
  const QString legend = child<QLabel>(*controller, "lblShortcutsKeys")->text();
  const QRegularExpression modifier("\\[[A-Z]\\]");
  const auto explained = [&](const QString& text) {
    for (const QRegularExpressionMatch& match : modifier.globalMatch(text)) {
      EXPECT_TRUE(legend.contains(match.captured() + " = ")) << text.toStdString();
    }
  };
  for (int page : {5, 6, 7, 8, 9}) {
    SCOPED_TRACE(page);
    if (page == 5) controller->setFirmwareUpdateWithStatus(true);
    if (page == 6) controller->setFirmwareRestoreWithStatus(true);
    if (page == 7) controller->setDeviceSettingsWithStatus(true);
    if (page == 8) controller->setDeviceSettingsSecondWithStatus(true);
    if (page == 9) controller->setDeviceSettingsSpeedDialWithStatus(true);
    controller->setShowShortcuts(true);
    controller->reflectShortcuts();
    for (QAbstractButton* button : controller->window()->findChildren<QAbstractButton*>()) explained(button->text());
    for (QLabel* label : controller->window()->findChildren<QLabel*>()) explained(label->text());
  }
  for (const char* letter : {"[C]", "[O]", "[S]"}) EXPECT_TRUE(legend.contains(letter)) << letter;
}

TEST_F(PageStrip, MenuAndWindowControls) {
  auto controller = start();
  QMenuBar* bar = controller->window()->menuBar();
  ASSERT_GE(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text(), "Vexlink Setwise");
  EXPECT_FALSE(child<QAction>(*controller, "menuItemHideOthers")->isEnabled());
  EXPECT_FALSE(child<QAction>(*controller, "menuItemShowAll")->isEnabled());
  EXPECT_FALSE(child<QAction>(*controller, "menuItemShowPrecaution")->isVisible());
  EXPECT_FALSE(child<QAction>(*controller, "menuItemShowPrecaution")->isEnabled());
  EXPECT_FALSE(child<QAction>(*controller, "menuItemBluetoothKext")->isVisible());
  EXPECT_EQ(child<QAction>(*controller, "menuItemQuit")->text().toStdString(), MenuTexts::stringMenuItemQuit(0));
  EXPECT_EQ(child<QPushButton>(*controller, "btnLanguageManager")->property("imageName").toString(), "english.png");
  controller->setLanguageManager(6);
  controller->setControls();
  EXPECT_EQ(child<QPushButton>(*controller, "btnLanguageManager")->property("imageName").toString(), "spanish.png");
  EXPECT_EQ(child<QAction>(*controller, "menuItemQuit")->text().toStdString(), MenuTexts::stringMenuItemQuit(6));
}

// ---- status line ----

using StatusLine = ShellFixture;

TEST_F(StatusLine, DefaultStatusInEveryLanguage) {
  auto controller = start();
  controller->setDeviceTarget(0x6020);
  controller->deviceRecognition();
  for (int language = 0; language < 13; ++language) {
    SCOPED_TRACE(language);
    EXPECT_EQ(controller->strStatusAt(language), AppTexts::vyla_status_default_usb_in(4, 0, language));
  }
  EXPECT_EQ(shown_status(*controller), "Ready for DEVICE RECOGNITION");
  controller->setLanguageManager(1);
  controller->updateStatusInManagerLanguage();
  EXPECT_EQ(shown_status(*controller), "Prêt pour " + AppTexts::vyla_string_mode_in(4, 1));
}

TEST_F(StatusLine, WarningIsRedAndSurvivesALanguageChange) {
  auto controller = start();
  for (int language = 0; language < 13; ++language) {
    controller->setStrStatus_In(language == 2 ? std::optional<std::string>("Fehler") : std::nullopt, language);
  }
  controller->setStrStatus_In("Failure", 0);
  controller->setStatus_withWarning(controller->getStrStatus(), true);
  auto* line = child<QLabel>(*controller, "tfStatus");
  EXPECT_EQ(line->text(), "Failure");
  EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(line->palette().color(QPalette::Window), QColor(Qt::white));

  controller->setLanguageManager(2);
  controller->updateStatusInManagerLanguage();
  EXPECT_EQ(line->text(), "Fehler");
  EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(Qt::red));

  controller->setLanguageManager(3);
  controller->updateStatusInManagerLanguage();
  EXPECT_EQ(line->text(), "") << "a language never filled shows an empty line";

  controller->setStatus_withWarning("fine", false);
  EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(Qt::black));
  EXPECT_FALSE(controller->statusWithWarning());
}

TEST_F(StatusLine, RecognitionForASavingPageShowsItsSuccessFirst) {
  auto controller = start();
  recognize(*controller, 0x6020);
  controller->setDeviceSettingsWithStatus(true);
  // with a pending restart-DFU the page does not start its own recognition, so
  // the entry status stays on the line
  controller->setStrRestartDFUFirmwareFile(std::string("fw.img"));
  controller->setDeviceRecognitionWithStatus_info_from(true, nullptr, 7);
  EXPECT_EQ(controller->deviceRecognitionViewController()->callerMode(), 7);
  for (int language : {0, 1, 12}) {
    SCOPED_TRACE(language);
    EXPECT_EQ(controller->strStatusAt(language), *AppTexts::vyla_status_success_usb_in(7, 0, language) + ". " +
                                                     *AppTexts::vyla_status_default_usb_in(4, 0, language));
  }
}

TEST_F(StatusLine, StatusButtonShowsTheLineInAMessageBox) {
  auto controller = start();
  controller->setStatus_withWarning("Something happened", true);
  controller->showStatus();
  auto* box = child<QDialog>(*controller, "sheetMessageBox");
  VX_TRY_VERIFY(box->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 2);
  EXPECT_EQ(child<QLabel>(*controller, "tfMessageBox")->text().toStdString(),
            "[" + AppTexts::vyla_string_mode_in(3, 0) + "]\nSomething happened");
  EXPECT_FALSE(child<QPushButton>(*controller, "btnMessageBoxCancel")->isEnabled());
  QTest::mouseClick(child<QPushButton>(*controller, "btnMessageBoxOK"), Qt::LeftButton);
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(controller->messageBoxStatus(), 0);
}
