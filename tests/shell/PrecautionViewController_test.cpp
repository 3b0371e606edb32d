// The precaution page on a recording controller, driven as a user would.
#include "shell/PrecautionViewController.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "recognition/DeviceSelectionViewController.h"
#include "recognition/manager_update_check.h"
#include "shell_fixture.h"
#include "strings/app_texts.h"
#include "strings/precaution_texts.h"
#include "support/fake_services.h"
#include "support/loopback_server.h"
#include "transport/password_codec.h"

namespace {

constexpr char k_list_path[] = "/fexobluetoothmanager/Software";
// The check's thread and the page's one-second timer end within this.
constexpr int k_check_wait_ms = 5000;

class PrecautionPage : public ::testing::Test {
 protected:
  void SetUp() override {
    // only the tests of the version check talk to an update server
    PrecautionViewController::s_checkedManagerUpdate = true;
    m_page.setServices(&m_services);
    m_page.setControls();
    // buttons take clicks only when shown
    m_page.show();
  }

  template <class T = QWidget>
  T* child(const char* name) {
    T* found = m_page.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // The user answers, types both passwords and presses OK.
  void answer(bool yes, const QString& password = {}, const QString& confirmation = {}) {
    click(child<QRadioButton>(yes ? "yesInput" : "noInput"));
    for (auto [name, text] : {std::pair{"tfPassword", password}, std::pair{"tfPasswordConfirm", confirmation}}) {
      auto* field = child<QLineEdit>(name);
      field->clear();
      field->insert(text);
    }
    click(child<QPushButton>("btnOK"));
  }

  int count(const std::string& call) const {
    return static_cast<int>(std::count(m_services.calls.begin(), m_services.calls.end(), call));
  }

  bool password_area_shown() {
    const char* const area[] = {"tfMakeSafe",        "tfEnterPassword", "tfConfirmPassword", "tfNote", "tfPassword",
                                "tfPasswordConfirm", "btnMore"};
    int shown = 0;
    for (const char* name : area) shown += child(name)->isVisibleTo(&m_page) ? 1 : 0;
    EXPECT_TRUE(shown == 0 || shown == 7) << "the password area shows whole or not at all";
    return shown == 7;
  }

  test_support::FakeServices m_services;
  session::AppState& m_state = m_services.state();
  PrecautionViewController m_page;
};

TEST_F(PrecautionPage, TheAnswerShowsOrHidesThePasswordArea) {
  EXPECT_EQ(child<QLabel>("tfPrecaution")->text().toStdString(), PrecautionTexts::stringPrecaution(0));
  EXPECT_EQ(child<QButtonGroup>("radioInput")->checkedButton(), child<QRadioButton>("noInput"));
  EXPECT_FALSE(m_page.needDeviceConversion());
  EXPECT_FALSE(password_area_shown());
  EXPECT_TRUE(child<QCheckBox>("btnShowPrecaution")->isChecked());
  for (const char* field : {"tfPassword", "tfPasswordConfirm"}) {
    EXPECT_EQ(child<QLineEdit>(field)->echoMode(), QLineEdit::Password) << field;
  }

  click(child<QRadioButton>("yesInput"));
  EXPECT_TRUE(m_page.needDeviceConversion());
  EXPECT_TRUE(password_area_shown());
  for (const char* input : {"tfPassword", "tfPasswordConfirm", "btnMore"}) {
    EXPECT_TRUE(child(input)->isEnabled()) << input;
  }
  auto* password = child<QLineEdit>("tfPassword");
  QTest::keyClicks(password, "typed");
  click(child<QRadioButton>("noInput"));
  EXPECT_FALSE(password_area_shown());
  EXPECT_FALSE(password->isEnabled());
  click(child<QRadioButton>("yesInput"));
  EXPECT_EQ(password->selectedText(), QString("typed")) << "a new answer selects the password's text";
  EXPECT_EQ(child<QLabel>("tfEnterPassword")->text().toStdString(), "Enter current user's password.");
}

TEST_F(PrecautionPage, TitlesOrShortcutHints) {
  struct Case {
    const char* name;
    bool hints;
    std::vector<std::pair<const char*, std::string>> titles;
  };
  const Case cases[] = {
      {"titles",
       false,
       {{"btnMore", "More..."},
        {"btnOK", AppTexts::vyla_string_ok_in(0)},
        {"btnShowPrecaution", "Show precaution at startup"},
        {"yesInput", AppTexts::vyla_string_yes_in(0)},
        {"noInput", AppTexts::vyla_string_no_in(0)}}},
      {"hints",
       true,
       {{"btnMore", "[C]-M"},
        {"btnOK", "[ENTER]"},
        {"btnShowPrecaution", "[C]-S"},
        {"yesInput", "[C]-B"},
        {"noInput", "[O][C]-B"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_state.setShowShortcuts(c.hints);
    m_page.setShortcuts();
    for (const auto& [name, title] : c.titles) {
      EXPECT_EQ(child<QAbstractButton>(name)->text().toStdString(), title) << name;
    }
  }
}

TEST_F(PrecautionPage, NoKeepsNoPasswordAndGoesOnToTheDeviceSelection) {
  struct Case {
    const char* name;
    bool show_at_start_up;
  };
  for (const Case& c : {Case{"box checked", true}, Case{"box unchecked", false}}) {
    SCOPED_TRACE(c.name);
    m_services.calls.clear();
    m_state.setHaveAlternativeInputDevices(false);
    m_state.setStrUserPassword("earlier");
    m_state.setHidePrecaution(c.show_at_start_up);
    child<QCheckBox>("btnShowPrecaution")->setChecked(c.show_at_start_up);

    answer(false);
    EXPECT_TRUE(m_state.haveAlternativeInputDevices());
    EXPECT_EQ(m_state.strUserPassword(), "");
    EXPECT_EQ(m_state.hidePrecaution(), !c.show_at_start_up);
    EXPECT_TRUE(m_services.boxes.empty());
    // the check already ran in this run
    EXPECT_EQ(count("setDeviceSelection"), 1);
    EXPECT_FALSE(m_state.onProcessing());
  }
}

TEST_F(PrecautionPage, YesWithEqualPasswordsKeepsThePasswordPlainAndEncrypted) {
  const QString passwords[] = {
      "secret",
      "12345678",                                  // one whole block, no padding block
      "123456789",                                 // a second block of one byte and seven zeros
      QString::fromUtf8("Pässwört €"),             // kept as its UTF-8 bytes
      "a password longer than two cipher blocks",  //
  };
  for (const QString& password : passwords) {
    const std::string utf8 = password.toStdString();
    SCOPED_TRACE(utf8);
    m_services.calls.clear();
    m_state.setHaveAlternativeInputDevices(true);
    answer(true, password, password);

    EXPECT_TRUE(m_services.boxes.empty());
    EXPECT_FALSE(m_state.haveAlternativeInputDevices());
    EXPECT_EQ(m_state.strUserPassword(), utf8);
    const std::string encrypted = m_state.strUserPasswordEncrypted();
    const std::size_t blocks = (utf8.size() + 7) / 8;
    EXPECT_EQ(encrypted.size(), 4 * ((blocks * 8 + 2) / 3)) << "Base64 of whole 8-byte cipher blocks";
    std::unique_ptr<char[]> plain;
    EXPECT_EQ(decrypt_password_string(encrypted.c_str(), plain), blocks * 8);
    EXPECT_EQ(std::string(plain.get()), utf8);
    EXPECT_EQ(std::string(plain.get(), blocks * 8), utf8 + std::string(blocks * 8 - utf8.size(), '\0'));
    EXPECT_EQ(count("setDeviceSelection"), 1);
  }
}

TEST_F(PrecautionPage, ALaterNoDropsTheEncryptedPasswordToo) {
  answer(true, "secret", "secret");
  ASSERT_FALSE(m_state.strUserPasswordEncrypted().empty());
  answer(false);
  EXPECT_EQ(m_state.strUserPassword(), "");
  EXPECT_EQ(m_state.strUserPasswordEncrypted(), "");
}

TEST_F(PrecautionPage, AnEmptyOrDifferentPasswordIsRefusedAndNothingIsStored) {
  const std::string empty = "Empty password is not allowed!\nEnter password again.";
  const std::string different = "Confirm Password is different!\nEnter password again.";
  struct Case {
    const char* password;
    const char* confirmation;
    const std::string& message;
  };
  const Case cases[] = {
      {"", "", empty},
      {"", "secret", empty},
      {"secret", "", different},
      {"secret", "secreT", different},
      {"secret", "secret ", different},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.password) + " / " + c.confirmation);
    m_services.calls.clear();
    m_services.boxes.clear();
    m_state.setHaveAlternativeInputDevices(true);
    m_state.setHidePrecaution(false);
    child<QCheckBox>("btnShowPrecaution")->setChecked(false);

    answer(true, c.password, c.confirmation);
    ASSERT_EQ(m_services.boxes.size(), 1u);
    const session::MessageBoxRequest& box = m_services.boxes.back().request;
    EXPECT_EQ(box.message, c.message);
    EXPECT_EQ(box.purpose, session::MessageBoxPurpose::notice);
    EXPECT_EQ(box.size, session::MessageBoxSize::w420_h115);
    EXPECT_TRUE(box.warning);
    EXPECT_FALSE(box.cancel_title.has_value());
    EXPECT_EQ(box.ok_title, AppTexts::vyla_string_ok_in(0));
    m_services.answer(true);

    // nothing stored, and the page stays
    EXPECT_TRUE(m_state.haveAlternativeInputDevices());
    EXPECT_EQ(m_state.strUserPassword(), "");
    EXPECT_EQ(m_state.strUserPasswordEncrypted(), "");
    EXPECT_FALSE(m_state.hidePrecaution());
    EXPECT_TRUE(m_services.calls.empty()) << m_services.calls.front();
    EXPECT_TRUE(password_area_shown());
  }
}

TEST_F(PrecautionPage, MoreOpensTheDeviceConversionSheetOnThePagesWindow) {
  answer(true);  // the box refuses the empty password; More is now at hand
  m_services.answer(true);
  auto* sheet = child<QDialog>("sheetAboutDeviceConversion");
  EXPECT_FALSE(sheet->isVisible());

  click(child<QPushButton>("btnMore"));
  EXPECT_TRUE(sheet->isVisible());
  EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
  EXPECT_EQ(sheet->parentWidget()->window(), m_page.window());
  EXPECT_EQ(child<QLabel>("tfAboutDeviceConversionPrecaution")->text().toStdString(),
            PrecautionTexts::stringAboutDeviceConversionPrecaution(0));
  EXPECT_TRUE(child<QLabel>("tfAboutDeviceConversionNote")->text().startsWith("NOTE:\n1. The Administrator-level"));
  auto* ok = child<QPushButton>("btnAboutDeviceConversionOK");
  EXPECT_EQ(ok->text().toStdString(), AppTexts::vyla_string_ok_in(0));

  click(ok);
  EXPECT_FALSE(sheet->isVisible());
}

TEST_F(PrecautionPage, EveryLanguageReadsTheEnglishTexts) {
  m_state.setLanguageManager(2);
  m_page.setControls();
  EXPECT_EQ(child<QLabel>("tfNote")->text(), "NOTE: MAC may restart automatically.");
  EXPECT_EQ(child<QPushButton>("btnOK")->text().toStdString(), AppTexts::vyla_string_ok_in(2));
  for (int language : {-1, 1, 12, 13}) {
    EXPECT_EQ(PrecautionTexts::stringShowPrecaution(language), "Show precaution at startup") << language;
  }
}

// OK runs the manager's own version check against a loopback update server.
class PrecautionCheck : public PrecautionPage {
 protected:
  void SetUp() override {
    PrecautionPage::SetUp();
    PrecautionViewController::s_checkedManagerUpdate = false;
    m_selection_checked = DeviceSelectionViewController::s_checkedManagerUpdate.load();
  }
  void TearDown() override {
    PrecautionViewController::s_checkedManagerUpdate = true;
    DeviceSelectionViewController::s_checkedManagerUpdate = m_selection_checked;
    PrecautionPage::TearDown();
  }

  bool activity_bar_runs() {
    auto* bar = child<QProgressBar>("piProcessing");
    return bar->minimum() == 0 && bar->maximum() == 0;
  }

  test_support::LoopbackServer m_server;
  test_support::ScopedServerEnvironment m_environment{m_server};
  bool m_selection_checked = false;
};

TEST_F(PrecautionCheck, OkAsksTheServerOnceAndLeadsOn) {
  const std::string entry = recognition::k_manager_entry_name;
  struct Case {
    const char* name;
    std::string list;
    const char* next;
  };
  const Case cases[] = {
      {"1.4 is this manager", entry + ":v1.4:Setwise-1.4.tar.gz\r\n", "setDeviceSelection"},
      {"1.5 is newer", entry + ":v1.5:Setwise-1.5.tar.gz\r\n", "setManagerUpdate"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PrecautionViewController::s_checkedManagerUpdate = false;
    m_services.calls.clear();
    m_server.set_file("Software", c.list);

    answer(true, "secret", "secret");
    EXPECT_EQ(m_state.strUserPassword(), "secret") << "the password is kept before the check";
    EXPECT_TRUE(m_state.onProcessing()) << "the check holds the controls";
    EXPECT_TRUE(activity_bar_runs());
    for (const char* control :
         {"btnOK", "btnShowPrecaution", "yesInput", "noInput", "tfPassword", "tfPasswordConfirm", "btnMore"}) {
      EXPECT_FALSE(child(control)->isEnabled()) << control;
    }
    // a second OK while the server is asked starts nothing
    m_page.closePrecaution();

    // the page's own timer ends the check
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_state.onProcessing(); }, k_check_wait_ms));
    EXPECT_FALSE(activity_bar_runs());
    EXPECT_TRUE(child("btnOK")->isEnabled());
    EXPECT_EQ(count(c.next), 1);
    EXPECT_EQ(count("setDeviceSelection") + count("setManagerUpdate"), 1);
  }
  const std::vector<test_support::LoopbackRequest> requests = m_server.requests();
  ASSERT_EQ(requests.size(), 2u);
  for (const test_support::LoopbackRequest& request : requests) {
    EXPECT_EQ(request.path, k_list_path);
    // this page's check lets caches answer; the selection page's asks for a fresh copy
    EXPECT_EQ(request.header("Cache-Control"), "");
  }

  // once per run: a second OK goes straight on
  m_services.calls.clear();
  answer(false);
  EXPECT_EQ(count("setDeviceSelection"), 1);
  EXPECT_FALSE(m_state.onProcessing());
  EXPECT_EQ(m_server.request_count(k_list_path), 2);
}

TEST_F(PrecautionCheck, EntryRunsTheCheckWithAFlagOfItsOwn) {
  DeviceSelectionViewController::s_checkedManagerUpdate = true;
  m_server.set_file("Software", recognition::k_manager_entry_name + std::string(":v1.4:S.tgz\r\n"));
  m_page.initializeObjectOnStartUp(true);
  EXPECT_TRUE(m_state.onProcessing());
  EXPECT_TRUE(QTest::qWaitFor([this] { return !m_state.onProcessing(); }, k_check_wait_ms));
  EXPECT_EQ(count("setDeviceSelection"), 1);
  EXPECT_EQ(m_server.request_count(k_list_path), 1);
}

// The password on the real controller: kept for this run, never written out.
using PrecautionOnTheController = ShellFixture;

TEST_F(PrecautionOnTheController, ThePasswordIsNeitherArchivedNorLogged) {
  PrecautionViewController::s_checkedManagerUpdate = true;
  const std::string password = "Hunter2-precaution";
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  std::string archive;
  std::string encrypted;
  {
    auto controller = start();
    PrecautionViewController page;
    page.setServices(controller.get());
    page.setControls();
    page.show();
    QTest::mouseClick(page.findChild<QRadioButton*>("yesInput"), Qt::LeftButton);
    QTest::keyClicks(page.findChild<QLineEdit*>("tfPassword"), QString::fromStdString(password));
    QTest::keyClicks(page.findChild<QLineEdit*>("tfPasswordConfirm"), QString::fromStdString(password));
    QTest::mouseClick(page.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    EXPECT_EQ(controller->strUserPassword(), password);
    encrypted = controller->strUserPasswordEncrypted();
    EXPECT_EQ(controller->mode(), session::k_mode_device_selection);
    EXPECT_TRUE(controller->write_configuration_archive());
    std::ifstream in(FEXOBluetoothManagerAppController::configuration_file_path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    archive = bytes.str();
  }
  const std::string output = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
  ASSERT_FALSE(archive.empty());
  ASSERT_FALSE(encrypted.empty());
  for (const std::string& secret : {password, encrypted}) {
    EXPECT_EQ(archive.find(secret), std::string::npos) << secret;
    EXPECT_EQ(output.find(secret), std::string::npos) << secret;
  }
}

}  // namespace
