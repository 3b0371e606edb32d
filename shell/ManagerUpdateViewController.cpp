#include "shell/ManagerUpdateViewController.h"

#include <QDesktopServices>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdlib>

#include "platform/format.h"
#include "strings/app_texts.h"
#include "strings/manager_update_texts.h"

std::function<void(int)>& ManagerUpdateViewController::process_exit() {
  static std::function<void(int)> exit_now = [](int status) { std::_Exit(status); };
  return exit_now;
}

ManagerUpdateViewController::ManagerUpdateViewController(QWidget* parent) : DetailViewController(parent) {
  build_frame("btnNo", "btnYes");
  m_tfInstruction = page_control<QLabel>("tfInstruction");
  m_tfInstruction->setWordWrap(true);
  m_btnReleaseNotes = page_control<QPushButton>("btnReleaseNotes");
  auto* body = new QVBoxLayout;
  body->addWidget(m_tfInstruction);
  body->addWidget(m_btnReleaseNotes, 0, Qt::AlignLeft);
  static_cast<QVBoxLayout*>(layout())->insertLayout(1, body);
  // the keys the shortcut hints name
  btnYes()->setShortcut(QKeySequence(Qt::Key_Return));
  btnNo()->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(m_rightButton, &QPushButton::clicked, this, [this] { okUpdate(m_rightButton); });
  connect(m_leftButton, &QPushButton::clicked, this, [this] { cancelUpdate(m_leftButton); });
}

void ManagerUpdateViewController::initializeObject() {
  state().setShowShortcuts(false);
  services()->reflectShortcuts();
  setControls();
}

void ManagerUpdateViewController::setControls() {
  setShortcuts();
  m_tfInstruction->setText(QString::fromStdString(stringInstruction()));
}

void ManagerUpdateViewController::setShortcuts() {
  if (!services()) return;
  const session::AppState& state = this->state();
  const int language = state.languageManager();
  if (state.showShortcuts()) {
    show_titles(session::k_mode_manager_update, "[ESC]", "[ENTER]");
    m_btnReleaseNotes->setText("[C]-[ENTER]");
  } else {
    show_titles(session::k_mode_manager_update, QString::fromStdString(AppTexts::vyla_string_no_in(language)),
                QString::fromStdString(AppTexts::vyla_string_yes_in(language)));
    m_btnReleaseNotes->setText("Release Notes");
  }
  m_btnReleaseNotes->setVisible(false);
  m_btnReleaseNotes->setEnabled(false);
}

std::string ManagerUpdateViewController::stringInstruction() const {
  const session::AppState& state = this->state();
  const int language = state.languageManager();
  const std::string title = AppTexts::vyla_title_in(0, language);
  const int secondary = state.managerLatestVersionSecondary();
  const std::string suffix = secondary >= 1 ? platform::format(".%d", secondary) : std::string();
  return platform::format(strings::manager_update_offer_text(language), title, title,
                          state.managerLatestVersionMajor(), state.managerLatestVersionMinor(), suffix,
                          AppTexts::vyla_string_yes_in(language), AppTexts::vyla_string_no_in(language), title,
                          session::k_manager_version_major, session::k_manager_version_minor, "");
}

void ManagerUpdateViewController::okUpdate(QObject*) {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  // the process ends without the termination path: keep this run's language,
  // selected product and consumed restart record
  controller->write_configuration_archive();
  QDesktopServices::openUrl(QUrl(QString::fromStdString(state.urlManagerUpdate().value_or(""))));
  process_exit()(0);
}

void ManagerUpdateViewController::cancelUpdate(QObject*) { services()->setDeviceSelection(); }
