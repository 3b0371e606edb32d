#include "settings/DeviceSettingsSpeedDialViewController.h"

#include <algorithm>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "session/app_state.h"
#include "settings/classic_panel_layout.h"
#include "settings/classic_panel_states.h"
#include "settings/speed_dial_save.h"
#include "strings/common_texts.h"
#include "strings/setting_names.h"
#include "strings/settings_texts.h"
#include "widgets/main_window_layout.h"
#include "widgets/page_keys.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using settings::Frame;

QString q(const std::string& text) { return QString::fromStdString(text); }

// The three rows at the top of the panel: the label at the left, its number beside it.
constexpr Frame k_frame_lblSpeedDials[] = {{40, 196, 150, 19}, {40, 161, 150, 19}, {40, 126, 150, 19}};
constexpr Frame k_frame_btnSpeedDials[] = {{200, 194, 240, 23}, {200, 159, 240, 23}, {200, 124, 240, 23}};

// The edit sheet, in points from its top-left corner.
constexpr int k_sheet_width = 320;
constexpr int k_sheet_height = 100;

// Key hints of the page's controls; the keys follow them.
constexpr const char* k_hint_back = "[C]-◀";
constexpr const char* k_hint_new_device = "[C]-▶";
constexpr const char* k_hint_save = "[O][C]-S";
constexpr const char* k_hint_default = "[C]-D";
constexpr const char* k_hint_cancel = "[C]-C";
constexpr const char* k_hint_label = "[O]-%1";

bool is_unset(const std::optional<std::string>& number) { return !number || number->empty(); }

}  // namespace

QValidator::State SpeedDialFormatter::validate(QString& input, int&) const {
  // every accepted character is ASCII, so characters and UTF-8 bytes are one
  return settings::is_speed_dial_text(input.toStdString()) ? Acceptable : Invalid;
}

DeviceSettingsSpeedDialViewController::DeviceSettingsSpeedDialViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(session::k_mode_device_settings_speed_dial, PlacedButtons{}, parent) {
  // a fixed panel: frames are measured from its bottom edge
  setFixedSize(widgets::layout::k_page_width, widgets::layout::k_page_height);
  build_rows();
  build_buttons();
  build_sheet();
  bind_keys();
  setSaveRules(settings::speed_dial_page_save_rules());
}

// ---- building ----

void DeviceSettingsSpeedDialViewController::build_rows() {
  for (std::size_t i = 0; i < m_btnSpeedDials.size(); ++i) {
    const QString number = QString("%1").arg(i + 1, 2, 10, QChar('0'));
    m_lblSpeedDials[i] = page_control_at<QLabel>("lblSpeedDial" + number, k_frame_lblSpeedDials[i]);
    QPushButton* button = m_btnSpeedDials[i] =
        page_control_at<QPushButton>("btnSpeedDial" + number, k_frame_btnSpeedDials[i]);
    connect(button, &QPushButton::clicked, this, [this, button] { openSpeedDialEdit(button); });
  }
}

void DeviceSettingsSpeedDialViewController::build_buttons() {
  m_btnDefault = page_control_at<QPushButton>("btnDefault", settings::k_frame_btnDefault);
  m_btnCancel = page_control_at<QPushButton>("btnCancel", settings::k_frame_btnCancel);
  m_btnSave = page_control_at<QPushButton>("btnSave", settings::k_frame_btnSave);
  place(btnBack(), settings::k_frame_btnBack);
  place(btnNewDevice(), settings::k_frame_btnNewDevice);
  connect(m_btnDefault, &QPushButton::clicked, this, [this] { changeToDefault(m_btnDefault); });
  connect(m_btnCancel, &QPushButton::clicked, this, [this] { changeToOriginal(m_btnCancel); });
  connect(m_btnSave, &QPushButton::clicked, this, [this] { save(m_btnSave); });
  place(make_processing_indicator(), settings::k_frame_piProcessing);
}

void DeviceSettingsSpeedDialViewController::build_sheet() {
  m_sheetSpeedDialEdit = make_edit_sheet("sheetSpeedDialEdit", k_sheet_width, k_sheet_height);
  QWidget* sheet = m_sheetSpeedDialEdit;

  m_lblSpeedDialEditNumber = sheet_control<QLabel>(sheet, "lblSpeedDialEditNumber", 20, 20, 30, 24);
  m_tfSpeedDialEdit = sheet_control<QLineEdit>(sheet, "tfSpeedDialEdit", 56, 20, 244, 24);
  m_tfSpeedDialEdit->setValidator(new SpeedDialFormatter(m_tfSpeedDialEdit));

  m_btnSpeedDialEditCancel = sheet_control<QPushButton>(sheet, "btnSpeedDialEditCancel", 100, 60, 96, 24);
  m_btnSpeedDialEditOK = sheet_control<QPushButton>(sheet, "btnSpeedDialEditOK", 204, 60, 96, 24);
  // Return presses OK wherever the focus is; Escape closes the sheet as Cancel does
  widgets::keep_default_button(m_sheetSpeedDialEdit, m_btnSpeedDialEditOK);
  connect(m_btnSpeedDialEditOK, &QPushButton::clicked, this, [this] { okSpeedDialEdit(m_btnSpeedDialEditOK); });
  connect(m_btnSpeedDialEditCancel, &QPushButton::clicked, this,
          [this] { cancelSpeedDialEdit(m_btnSpeedDialEditCancel); });
}

void DeviceSettingsSpeedDialViewController::bind_keys() {
  struct Key {
    std::string hint;
    QPushButton* button;
  };
  std::vector<Key> keys = {{k_hint_save, m_btnSave}, {k_hint_default, m_btnDefault}, {k_hint_cancel, m_btnCancel}};
  for (std::size_t i = 0; i < m_btnSpeedDials.size(); ++i) {
    keys.push_back({QString(k_hint_label).arg(i + 1).toStdString(), m_btnSpeedDials[i]});
  }
  // Back and New Device: the main window binds their keys for every settings page
  const auto free = [this] { return services() && !state().onProcessing(); };
  for (const Key& key : keys) widgets::bind_hinted_key(this, key.hint, key.button, free);
}

// ---- opening and refreshing ----

void DeviceSettingsSpeedDialViewController::initializeObject() {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  m_indexSelectedSpeedDialEdit = -1;
  state.setShowShortcuts(false);
  controller->reflectShortcuts();
  DeviceSettingsBaseViewController::initializeObject();
  setControlsWithData();
}

void DeviceSettingsSpeedDialViewController::make_working_copies() {
  DeviceSettingsBaseViewController::make_working_copies();
  // Default clears the numbers and nothing else: the voice prompt stays the device's
  defaultCopy() = Record::makeDefaultDataWithSource(workingCopy());
  defaultCopy().setVoicePrompt(workingCopy().voicePrompt());
}

void DeviceSettingsSpeedDialViewController::setShortcuts() {
  if (!services()) return;
  const session::AppState& state = this->state();
  const int language = state.languageManager();
  if (state.showShortcuts()) {
    btnBack()->setText(k_hint_back);
    btnNewDevice()->setText(k_hint_new_device);
    m_btnSave->setText(k_hint_save);
    m_btnDefault->setText(k_hint_default);
    m_btnCancel->setText(k_hint_cancel);
    for (std::size_t i = 0; i < m_lblSpeedDials.size(); ++i) m_lblSpeedDials[i]->setText(QString(k_hint_label).arg(i + 1));
    return;
  }
  btnBack()->setText(q(CommonTexts::vyla_string_back_in(language)));
  btnNewDevice()->setText(q(CommonTexts::vyla_string_new_device_in(language)));
  m_btnCancel->setText(q(CommonTexts::vyla_string_cancel_in(language)));
  m_btnSave->setText(q(SettingsTexts::vyla_string_save_in(language)));
  m_btnDefault->setText(q(SettingsTexts::vyla_string_default_in(language)));
  const QString name = q(strings::setting_name(strings::SettingName::SpeedDial, language));
  for (std::size_t i = 0; i < m_lblSpeedDials.size(); ++i) {
    m_lblSpeedDials[i]->setText(QString("%1 %2").arg(name).arg(i + 1));
  }
}

void DeviceSettingsSpeedDialViewController::setControlsWithData() {
  if (!services()) return;
  const int language = state().languageManager();
  for (std::size_t i = 0; i < m_btnSpeedDials.size(); ++i) {
    const std::optional<std::string> number = dataCurrent().speedDialAt(static_cast<int>(i));
    m_btnSpeedDials[i]->setText(is_unset(number) ? q(SettingsTexts::stringSpeedDialEmpty(language)) : q(*number));
  }
}

void DeviceSettingsSpeedDialViewController::setControls() {
  if (!services()) return;
  setShortcuts();
  setControlsWithData();
  const bool processing = state().onProcessing();
  for (QPushButton* button : {btnBack(), btnNewDevice(), m_btnDefault, m_btnCancel}) button->setEnabled(!processing);
  for (QPushButton* button : m_btnSpeedDials) button->setEnabled(!processing);
  m_btnSave->setEnabled(!processing && isSettingsChanged());
}

bool DeviceSettingsSpeedDialViewController::isSettingsChanged() const {
  if (!services()) return false;
  const Record& device = state().data();
  for (int index = 0; index < Record::k_speed_dial_count; ++index) {
    // a missing number and an empty one are both no number
    if (dataCurrent().speedDialAt(index).value_or("") != device.speedDialAt(index).value_or("")) return true;
  }
  return false;
}

// ---- the edit sheet ----

void DeviceSettingsSpeedDialViewController::openSpeedDialEdit(QObject* sender) {
  if (!begin_action()) return;
  const auto found = std::find(m_btnSpeedDials.begin(), m_btnSpeedDials.end(), sender);
  if (found == m_btnSpeedDials.end()) return;
  const int index = static_cast<int>(found - m_btnSpeedDials.begin());
  const int language = state().languageManager();
  m_indexSelectedSpeedDialEdit = index;
  m_lblSpeedDialEditNumber->setText(QString::number(index + 1));
  // the word for empty never enters the field
  m_tfSpeedDialEdit->setText(is_unset(dataCurrent().speedDialAt(index)) ? QString() : (*found)->text());
  m_tfSpeedDialEdit->selectAll();
  m_btnSpeedDialEditOK->setText(q(CommonTexts::vyla_string_ok_in(language)));
  m_btnSpeedDialEditCancel->setText(q(CommonTexts::vyla_string_cancel_in(language)));
  m_sheetSpeedDialEdit->open();
  m_sheetSpeedDialEdit->activateWindow();
  m_tfSpeedDialEdit->setFocus();
}

void DeviceSettingsSpeedDialViewController::okSpeedDialEdit(QObject*) {
  if (!begin_action()) return;
  if (isSpeedDialValid()) m_sheetSpeedDialEdit->hide();
}

void DeviceSettingsSpeedDialViewController::cancelSpeedDialEdit(QObject*) {
  if (!begin_action()) return;
  m_sheetSpeedDialEdit->hide();
}

bool DeviceSettingsSpeedDialViewController::isSpeedDialValid() {
  const QString text = m_tfSpeedDialEdit->text();
  if (text.size() > settings::k_speed_dial_max_characters) {
    m_tfSpeedDialEdit->setText(text.left(settings::k_speed_dial_max_characters));
    m_tfSpeedDialEdit->selectAll();
    return false;
  }
  if (!settings::is_speed_dial_text(text.toStdString())) {
    m_tfSpeedDialEdit->setText(text);
    m_tfSpeedDialEdit->selectAll();
    return false;
  }
  if (m_indexSelectedSpeedDialEdit < 0 || m_indexSelectedSpeedDialEdit >= Record::k_speed_dial_count) return false;
  workingCopy().setSpeedDialAt_with(m_indexSelectedSpeedDialEdit, text.toStdString());
  setControlsWithData();
  setControls();
  return true;
}

// ---- Default and Cancel ----

void DeviceSettingsSpeedDialViewController::changeToDefault(QObject*) {
  if (!begin_action()) return;
  take_numbers_of(dataDefault());
  setControlsWithData();
  setControls();
}

void DeviceSettingsSpeedDialViewController::changeToOriginal(QObject*) {
  if (!begin_action()) return;
  take_numbers_of(state().data());
  setControlsWithData();
  setControls();
}

void DeviceSettingsSpeedDialViewController::take_numbers_of(const FEXOBluetoothDeviceData& source) {
  workingCopy().copyWithSource_version(source, false);
}

bool DeviceSettingsSpeedDialViewController::begin_action() {
  if (!services() || state().onProcessing()) return false;
  close_tab_list();
  return true;
}
