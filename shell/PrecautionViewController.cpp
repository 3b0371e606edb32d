#include "shell/PrecautionViewController.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <initializer_list>

#include "strings/app_texts.h"
#include "strings/precaution_texts.h"
#include "transport/password_codec.h"

namespace {

// Ids of the two answers in radioInput: the column of each cell.
constexpr int k_answer_yes = 0;
constexpr int k_answer_no = 1;

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::atomic<bool> PrecautionViewController::s_checkedManagerUpdate{false};

PrecautionViewController::PrecautionViewController(QWidget* parent) : DetailViewController(parent) {
  const auto wrapping_label = [](QWidget* parent, const char* name) {
    auto* label = named_child<QLabel>(parent, name);
    label->setWordWrap(true);
    return label;
  };
  auto* layout = new QVBoxLayout(this);
  m_tfPrecaution = wrapping_label(this, "tfPrecaution");
  layout->addWidget(m_tfPrecaution);

  m_radioInput = page_control<QButtonGroup>("radioInput");
  m_yesInput = page_control<QRadioButton>("yesInput");
  m_noInput = page_control<QRadioButton>("noInput");
  m_radioInput->addButton(m_yesInput, k_answer_yes);
  m_radioInput->addButton(m_noInput, k_answer_no);
  // nothing is asked until the user says that only Bluetooth input is at hand
  m_noInput->setChecked(true);
  auto* answers = new QHBoxLayout;
  answers->addWidget(m_yesInput);
  answers->addWidget(m_noInput);
  answers->addStretch(1);
  layout->addLayout(answers);

  m_tfMakeSafe = wrapping_label(this, "tfMakeSafe");
  m_tfEnterPassword = wrapping_label(this, "tfEnterPassword");
  m_tfConfirmPassword = wrapping_label(this, "tfConfirmPassword");
  m_tfNote = wrapping_label(this, "tfNote");
  m_tfPassword = page_control<QLineEdit>("tfPassword");
  m_tfPasswordConfirm = page_control<QLineEdit>("tfPasswordConfirm");
  for (QLineEdit* field : {m_tfPassword, m_tfPasswordConfirm}) field->setEchoMode(QLineEdit::Password);
  m_btnMore = page_control<QPushButton>("btnMore");
  auto* password_area = new QGridLayout;
  password_area->addWidget(m_tfMakeSafe, 0, 0, 1, 2);
  password_area->addWidget(m_tfEnterPassword, 1, 0);
  password_area->addWidget(m_tfPassword, 1, 1);
  password_area->addWidget(m_tfConfirmPassword, 2, 0);
  password_area->addWidget(m_tfPasswordConfirm, 2, 1);
  password_area->addWidget(m_tfNote, 3, 0);
  password_area->addWidget(m_btnMore, 3, 1, Qt::AlignRight);
  layout->addLayout(password_area);
  layout->addStretch(1);

  m_btnShowPrecaution = page_control<QCheckBox>("btnShowPrecaution");
  m_btnShowPrecaution->setChecked(true);
  layout->addWidget(m_btnShowPrecaution);
  layout->addWidget(make_processing_indicator());
  m_btnOK = page_control<QPushButton>("btnOK");
  layout->addWidget(m_btnOK, 0, Qt::AlignRight);

  // the sheet blocks the window the page is in, not the whole application
  m_sheetAboutDeviceConversion = page_control<QDialog>("sheetAboutDeviceConversion");
  m_sheetAboutDeviceConversion->setWindowModality(Qt::WindowModal);
  m_tfAboutDeviceConversionPrecaution =
      wrapping_label(m_sheetAboutDeviceConversion, "tfAboutDeviceConversionPrecaution");
  m_tfAboutDeviceConversionNote = named_child<QLabel>(m_sheetAboutDeviceConversion, "tfAboutDeviceConversionNote");
  m_btnAboutDeviceConversionOK = named_child<QPushButton>(m_sheetAboutDeviceConversion, "btnAboutDeviceConversionOK");
  auto* sheet_layout = new QVBoxLayout(m_sheetAboutDeviceConversion);
  sheet_layout->addWidget(m_tfAboutDeviceConversionPrecaution);
  sheet_layout->addWidget(m_tfAboutDeviceConversionNote);
  sheet_layout->addWidget(m_btnAboutDeviceConversionOK, 0, Qt::AlignRight);

  m_timer = new QTimer(this);
  m_timer->setInterval(1000);
  connect(m_timer, &QTimer::timeout, this, &PrecautionViewController::timerMethodCheckManagerUpdate);
  connect(m_radioInput, &QButtonGroup::idClicked, this, [this] { changeResponse(m_radioInput); });
  connect(m_btnOK, &QPushButton::clicked, this, [this] { closePrecaution(m_btnOK); });
  connect(m_btnMore, &QPushButton::clicked, this, [this] { showAboutConvertDevice(m_btnMore); });
  connect(m_btnAboutDeviceConversionOK, &QPushButton::clicked, this,
          [this] { closeAboutConvertDevice(m_btnAboutDeviceConversionOK); });
}

PrecautionViewController::~PrecautionViewController() {
  if (m_check) m_check->stop_and_join();
}

void PrecautionViewController::initializeObjectOnStartUp(bool) { checkManagerUpdate(); }

bool PrecautionViewController::needDeviceConversion() const { return m_radioInput->checkedId() == k_answer_yes; }

void PrecautionViewController::setControls() {
  if (!services()) return;
  setShortcuts();
  const int language = state().languageManager();
  m_tfPrecaution->setText(q(PrecautionTexts::stringPrecaution(language)));
  m_tfMakeSafe->setText(q(PrecautionTexts::stringMakeSafe(language)));
  m_tfEnterPassword->setText(q(PrecautionTexts::stringEnterPassword(language)));
  m_tfConfirmPassword->setText(q(PrecautionTexts::stringConfirmPassword(language)));
  m_tfNote->setText(q(PrecautionTexts::stringNote(language)));

  const bool conversion = needDeviceConversion();
  const bool processing = state().onProcessing();
  for (QWidget* control : std::initializer_list<QWidget*>{m_btnOK, m_btnShowPrecaution, m_yesInput, m_noInput}) {
    control->setEnabled(!processing);
  }
  for (QWidget* part : std::initializer_list<QWidget*>{m_tfMakeSafe, m_tfEnterPassword, m_tfConfirmPassword, m_tfNote,
                                                       m_tfPassword, m_tfPasswordConfirm, m_btnMore}) {
    part->setVisible(conversion);
  }
  for (QWidget* input : std::initializer_list<QWidget*>{m_tfPassword, m_tfPasswordConfirm, m_btnMore}) {
    input->setEnabled(conversion && !processing);
  }
  show_processing(processing);
}

void PrecautionViewController::setShortcuts() {
  if (!services()) return;
  const int language = state().languageManager();
  if (state().showShortcuts()) {
    m_btnMore->setText("[C]-M");
    m_btnOK->setText("[ENTER]");
    m_btnShowPrecaution->setText("[C]-S");
    m_yesInput->setText("[C]-B");
    m_noInput->setText("[O][C]-B");
  } else {
    m_btnMore->setText(q(PrecautionTexts::stringMore(language)));
    m_btnOK->setText(q(AppTexts::vyla_string_ok_in(language)));
    m_yesInput->setText(q(AppTexts::vyla_string_yes_in(language)));
    m_noInput->setText(q(AppTexts::vyla_string_no_in(language)));
    m_btnShowPrecaution->setText(q(PrecautionTexts::stringShowPrecaution(language)));
  }
}

void PrecautionViewController::changeResponse(QObject*) {
  setControls();
  m_tfPassword->setFocus();
  m_tfPassword->selectAll();
}

void PrecautionViewController::closePrecaution(QObject*) {
  // nothing else starts while the version check runs
  if (state().onProcessing()) return;
  session::AppState& state = this->state();
  const int language = state.languageManager();
  if (needDeviceConversion()) {
    const QString password = m_tfPassword->text();
    if (password.isEmpty()) {
      refusePassword(PrecautionTexts::stringErrorMessageEmptyPassword(language));
      m_tfPassword->selectAll();
      return;
    }
    if (password != m_tfPasswordConfirm->text()) {
      refusePassword(PrecautionTexts::stringErrorMessageConfirmPassword(language));
      return;
    }
    const std::string plain = password.toStdString();
    std::unique_ptr<char[]> encrypted;
    encrypt_password_string(plain.c_str(), encrypted);
    state.setHaveAlternativeInputDevices(false);
    state.setStrUserPassword(plain);
    state.setStrUserPasswordEncrypted(encrypted.get());
  } else {
    state.setHaveAlternativeInputDevices(true);
    state.setStrUserPassword(std::string());
    // an earlier "Yes" leaves no password behind, not even in encrypted form
    state.setStrUserPasswordEncrypted(std::string());
  }
  state.setHidePrecaution(!m_btnShowPrecaution->isChecked());
  checkManagerUpdate();
}

void PrecautionViewController::refusePassword(const std::string& message) {
  session::MessageBoxRequest request;
  request.message = message;
  request.warning = true;
  request.cancel_title = std::nullopt;
  request.ok_title = AppTexts::vyla_string_ok_in(state().languageManager());
  request.size = session::MessageBoxSize::w420_h115;
  request.purpose = session::MessageBoxPurpose::notice;
  services()->openMessageBox(request);
}

void PrecautionViewController::showAboutConvertDevice(QObject*) {
  const int language = state().languageManager();
  m_tfAboutDeviceConversionPrecaution->setText(q(PrecautionTexts::stringAboutDeviceConversionPrecaution(language)));
  m_tfAboutDeviceConversionNote->setText(q(PrecautionTexts::stringAboutDeviceConversionNote(language)));
  m_btnAboutDeviceConversionOK->setText(q(AppTexts::vyla_string_ok_in(language)));
  m_sheetAboutDeviceConversion->show();
  m_sheetAboutDeviceConversion->raise();
  m_sheetAboutDeviceConversion->activateWindow();
}

void PrecautionViewController::closeAboutConvertDevice(QObject*) { m_sheetAboutDeviceConversion->hide(); }

void PrecautionViewController::checkManagerUpdate() {
  if (!m_check) {
    m_check = std::make_unique<recognition::ManagerUpdateCheck>(state(), platform::CachePolicy::use_protocol_cache_policy);
  }
  if (m_check->begin(*services(), s_checkedManagerUpdate, [this] { setControls(); })) {
    m_timer->start();
    return;
  }
  services()->setDeviceSelection();
}

void PrecautionViewController::timerMethodCheckManagerUpdate() {
  if (!m_check || !m_check->end(*services(), [this] { setControls(); })) return;
  m_timer->stop();
  if (m_check->goManagerUpdate()) {
    services()->setManagerUpdate();
  } else {
    services()->setDeviceSelection();
  }
}
