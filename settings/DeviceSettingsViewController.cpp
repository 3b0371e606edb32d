#include "settings/DeviceSettingsViewController.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>

#include "platform/log.h"
#include "settings/DeviceAllSettingsSheet.h"
#include "settings/all_settings_cells_qt.h"
#include "settings/all_settings_sheet.h"
#include "settings/classic_panel_controls_qt.h"
#include "settings/classic_panel_states.h"
#include "settings/page_settings_host_qt.h"
#include "settings/settings_save.h"
#include "strings/app_texts.h"
#include "widgets/DeviceSettingsTableCellView.h"
#include "widgets/main_window_layout.h"

using settings::PanelRow;

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }
QString outlet(const char* prefix, PanelRow row) { return QString(prefix) + settings::panel_row_name(row); }

// The audio channel timeout the device takes, in seconds, and the value the
// field starts with.
constexpr double k_act_min_seconds = 3;
constexpr double k_act_max_seconds = 60;
constexpr int k_act_default_seconds = 5;

}  // namespace

DeviceSettingsViewController::DeviceSettingsViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(session::k_mode_device_settings, PlacedButtons{}, parent),
      m_host(std::make_unique<settings::PageSettingsHost>(*this)),
      m_editor(*m_host) {
  // a fixed panel: frames are measured from its bottom edge
  setFixedSize(widgets::layout::k_page_width, widgets::layout::k_page_height);
  build_rows();
  build_notes_and_buttons();
  build_sheet_controls();
  bind_keys();
  m_sheetDeviceAllSettings = new DeviceAllSettingsSheet(this);
  setSaveRules(settings::settings_page_save_rules());
}

DeviceSettingsViewController::~DeviceSettingsViewController() {
  // the sheet's controls have no parent until the sheet places them; deleting
  // a placed one takes it out of the sheet first
  delete m_btnDeviceAllSettingsBasicSave;
  delete m_btnDeviceAllSettingsBasicDefault;
  delete m_btnDeviceAllSettingsBasicCancel;
  delete m_btnDeviceAllSettingsBasicClose;
  delete m_scrollViewDeviceAllSettingsBasic;
}

QPushButton* DeviceSettingsViewController::btnDeviceAllSettingsBasicSave() const {
  return m_btnDeviceAllSettingsBasicSave;
}
QPushButton* DeviceSettingsViewController::btnDeviceAllSettingsBasicDefault() const {
  return m_btnDeviceAllSettingsBasicDefault;
}
QPushButton* DeviceSettingsViewController::btnDeviceAllSettingsBasicCancel() const {
  return m_btnDeviceAllSettingsBasicCancel;
}
QPushButton* DeviceSettingsViewController::btnDeviceAllSettingsBasicClose() const {
  return m_btnDeviceAllSettingsBasicClose;
}
QTableWidget* DeviceSettingsViewController::tableViewDeviceAllSettingsBasic() const {
  return m_tableViewDeviceAllSettingsBasic;
}
QScrollArea* DeviceSettingsViewController::scrollViewDeviceAllSettingsBasic() const {
  return m_scrollViewDeviceAllSettingsBasic;
}

// ---- rows of the all-settings table ----

settings::AllSettingsContext DeviceSettingsViewController::allSettingsContext() const {
  return settings::all_settings_context(state(), m_editor.dataCurrent());
}

int DeviceSettingsViewController::numberOfRowsInTableView() const {
  return settings::numberOfRowsInTableView(allSettingsContext());
}

DeviceSettingsTableCellView* DeviceSettingsViewController::tableView_viewForTableColumn_row(int row) {
  DeviceSettingsTableCellView* cell =
      settings::tableView_viewForTableColumn_row(allSettingsContext(), row, m_tableViewDeviceAllSettingsBasic);
  if (!cell) return nullptr;
  // the user's clicks only: filling a cell never sends these
  if (QButtonGroup* radio = cell->radiobtn()) {
    connect(radio, &QButtonGroup::idClicked, this, [this, radio] { allSettingsChangeOnOff(radio); });
  }
  if (QComboBox* pop_up = cell->popUpBtn()) {
    connect(pop_up, &QComboBox::activated, this, [this, pop_up] { allSettingsChangePopUp(pop_up); });
  }
  for (QPushButton* information : {cell->infoOnOffBtn(), cell->infoPopUpBtn()}) {
    if (!information) continue;
    connect(information, &QPushButton::clicked, this, [this, information] { allSettingsInformation(information); });
  }
  return cell;
}

// ---- building ----

void DeviceSettingsViewController::build_rows() {
  const QIcon information_icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
  for (PanelRow which : settings::k_panel_rows) {
    Row& outlets = row(which);
    outlets.label = titled(page_control<settings::ElidedLabel>(outlet("lbl", which)));
    if (settings::has_information_button(which)) {
      outlets.information = titled(page_control<QToolButton>(outlet("btn", which)));
      outlets.information->setIcon(information_icon);
      outlets.information->setAutoRaise(true);
      connect(outlets.information, &QToolButton::clicked, this,
              [this, button = outlets.information] { displayInformationRadioTransmitGain(button); });
    }
    switch (settings::control_kind(which)) {
      case settings::ControlKind::on_off:
      case settings::ControlKind::three_cells: {
        const std::vector<QString> cells =
            which == PanelRow::RTG ? std::vector<QString>{"lowRTG", "mediumRTG", "highRTG"}
                                   : std::vector<QString>{outlet("enable", which), outlet("disable", which)};
        auto* matrix = page_control<settings::RadioMatrix>(outlet("radio", which), cells);
        for (int column = 0; column < matrix->columns(); ++column) titled(matrix->cell(column));
        connect(matrix, &settings::RadioMatrix::cellActivated, this,
                [this, which](int column) { change(which, column); });
        outlets.control = matrix;
        break;
      }
      case settings::ControlKind::pop_up: {
        auto* pop_up = page_control<QComboBox>(outlet("popUp", which));
        const int items = which == PanelRow::MotionSensorSensitivity ? settings::k_motion_sensor_items
                                                                     : settings::k_braiding_sensitivity_items;
        // the sensitivity steps are titled 1 to 10; the motion sensor's items by setControls
        for (int item = 0; item < items; ++item) pop_up->addItem(QString::number(item + 1));
        connect(pop_up, &QComboBox::activated, this, [this, which](int index) { change(which, index); });
        outlets.control = pop_up;
        break;
      }
      case settings::ControlKind::field_and_stepper: {
        m_tfACT = page_control<QLineEdit>("tfACT");
        m_stepperACT = page_control<settings::Stepper>("stepperACT", k_act_min_seconds, k_act_max_seconds, 1);
        m_lblACTUnit = page_control<QLabel>("lblACTUnit");
        // the documented default, so that every product's timeout check passes until the user types
        m_tfACT->setText(QString::number(k_act_default_seconds));
        m_stepperACT->setValue(k_act_default_seconds);
        // a typed value counts when the user ends the editing; a focus change made by the program does not
        connect(m_tfACT, &QLineEdit::editingFinished, this, [this] {
          if (!m_tfACT->isModified()) return;
          m_tfACT->setModified(false);
          changeACT(m_tfACT);
        });
        connect(m_stepperACT, &settings::Stepper::stepped, this, [this] { changeACT(m_stepperACT); });
        outlets.control = m_tfACT;
        break;
      }
    }
    place_row(which, settings::initial_row_frames(which));
  }
}

void DeviceSettingsViewController::build_notes_and_buttons() {
  m_lblNoteEDR = page_control<QLabel>("lblNoteEDR");
  m_lblNoteEDR->setWordWrap(true);
  m_lblNoteEDR->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (const auto frame = settings::edr_note_frame(settings::PanelTemplate::NoteGrid3)) place(m_lblNoteEDR, *frame);

  m_lblNoteApply = page_control_at<settings::ElidedLabel>("lblNoteApply", settings::k_frame_lblNoteApply);
  m_btnNoteApply = page_control<QToolButton>("btnNoteApply");
  m_btnNoteApply->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
  m_btnNoteApply->setAutoRaise(true);
  place(m_btnNoteApply, settings::k_frame_btnNoteApply);
  connect(m_btnNoteApply, &QToolButton::clicked, this, [this] { displayNoteApply(m_btnNoteApply); });

  m_btnAllSettings = titled(page_control_at<QPushButton>("btnAllSettings", Frame{137, 76, 250, 19}));
  m_btnDefault = titled(page_control<QPushButton>("btnDefault"));
  m_btnCancel = titled(page_control<QPushButton>("btnCancel"));
  m_btnSave = titled(page_control<QPushButton>("btnSave"));
  titled(btnBack());
  titled(btnNewDevice());
  place(m_btnDefault, settings::k_frame_btnDefault);
  place(m_btnCancel, settings::k_frame_btnCancel);
  place(btnBack(), settings::k_frame_btnBack);
  place(m_btnSave, settings::k_frame_btnSave);
  place(btnNewDevice(), settings::k_frame_btnNewDevice);
  connect(m_btnDefault, &QPushButton::clicked, this, [this] { changeToDefault(m_btnDefault); });
  connect(m_btnCancel, &QPushButton::clicked, this, [this] { changeToOriginal(m_btnCancel); });
  connect(m_btnSave, &QPushButton::clicked, this, [this] { save(m_btnSave); });
  connect(m_btnAllSettings, &QPushButton::clicked, this, [this] { moveToAllSettins(m_btnAllSettings); });

  place(make_processing_indicator(), settings::k_frame_piProcessing);
}

void DeviceSettingsViewController::build_sheet_controls() {
  // no parent until the all-settings sheet places them
  const auto button = [this](const char* name) {
    auto* made = new QPushButton;
    made->setObjectName(name);
    return titled(made);
  };
  m_btnDeviceAllSettingsBasicSave = button("btnDeviceAllSettingsBasicSave");
  m_btnDeviceAllSettingsBasicDefault = button("btnDeviceAllSettingsBasicDefault");
  m_btnDeviceAllSettingsBasicCancel = button("btnDeviceAllSettingsBasicCancel");
  m_btnDeviceAllSettingsBasicClose = button("btnDeviceAllSettingsBasicClose");
  m_scrollViewDeviceAllSettingsBasic = new QScrollArea;
  m_scrollViewDeviceAllSettingsBasic->setObjectName("scrollViewDeviceAllSettingsBasic");
  m_scrollViewDeviceAllSettingsBasic->setAttribute(Qt::WA_DontShowOnScreen);
  m_scrollViewDeviceAllSettingsBasic->setWidgetResizable(true);
  // one column of setting rows; the table scrolls itself inside the view
  m_tableViewDeviceAllSettingsBasic = new QTableWidget(0, 1);
  m_tableViewDeviceAllSettingsBasic->setObjectName("tableViewDeviceAllSettingsBasic");
  m_scrollViewDeviceAllSettingsBasic->setWidget(m_tableViewDeviceAllSettingsBasic);
  const auto on_click = [this](QPushButton* button, void (DeviceSettingsViewController::*action)(QObject*)) {
    connect(button, &QPushButton::clicked, this, [this, button, action] { (this->*action)(button); });
  };
  on_click(m_btnDeviceAllSettingsBasicSave, &DeviceSettingsViewController::saveToAllSettins);
  on_click(m_btnDeviceAllSettingsBasicDefault, &DeviceSettingsViewController::changeToDefaultAllSettins);
  on_click(m_btnDeviceAllSettingsBasicCancel, &DeviceSettingsViewController::ChangeToOtiginalAllSettins);
  on_click(m_btnDeviceAllSettingsBasicClose, &DeviceSettingsViewController::closeAllSettins);
}

void DeviceSettingsViewController::bind_keys() {
  for (const settings::KeyBinding& binding : settings::panel_key_bindings()) {
    auto* shortcut = new QShortcut(QKeySequence(q(binding.sequence)), this);
    shortcut->setObjectName(q("key " + binding.sequence));
    // the key of a control acts only while it is shown and enabled, as a click would
    connect(shortcut, &QShortcut::activated, this, [this, targets = binding.targets] {
      for (const std::string& name : targets) {
        auto* control = qobject_cast<QAbstractButton*>(titled_outlet(name));
        if (control && control->isEnabled() && control->isVisibleTo(this)) {
          control->click();
          return;
        }
      }
    });
  }
}

void DeviceSettingsViewController::place_row(PanelRow which, const settings::RowFrames& frames) {
  Row& outlets = row(which);
  place(outlets.label, frames.label);
  if (outlets.information) place(outlets.information, frames.information);
  if (which == PanelRow::ACT) {
    const settings::TimeoutFrames parts = settings::timeout_frames(frames.control);
    place(m_tfACT, parts.field);
    place(m_stepperACT, parts.stepper);
    place(m_lblACTUnit, parts.unit);
  } else {
    place(outlets.control, frames.control);
  }
}

// ---- opening and refreshing ----

void DeviceSettingsViewController::initializeObject() {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  state.setShowShortcuts(false);
  controller->reflectShortcuts();
  m_editor.initializeObject();
  // a product without the timeout row never shows its field: it starts at the default again
  m_tfACT->setText(QString::number(k_act_default_seconds));
  m_stepperACT->setValue(k_act_default_seconds);
  const int index = state.GetTabIndexWith(pageMode());
  if (index >= 0) state.setTabIndexSelected(index);
  platform::console("NEXT RELOAD!!");
  callTableviewReloadDataForOutsideClass();
  setControls();
  setControlsWithData();
}

void DeviceSettingsViewController::setShortcuts() {
  if (!services()) return;
  const session::AppState& state = this->state();
  const bool edr_information_shown = !row(PanelRow::EDR).information->isHidden();
  for (const settings::OutletText& title :
       settings::panel_titles(state.languageManager(), state.showShortcuts(), edr_information_shown)) {
    set_title(title.outlet, q(title.text));
  }
}

void DeviceSettingsViewController::setControls() {
  if (!services()) return;
  setShortcuts();
  const session::AppState& state = this->state();
  const int language = state.languageManager();

  // texts
  const settings::PanelTexts texts = settings::panel_texts(language);
  row(PanelRow::IntercomVOX).label->setText(q(texts.intercom_vox));
  row(PanelRow::HandsfreeVOX).label->setText(q(texts.handsfree_vox));
  m_lblNoteEDR->setText(q(texts.note_edr));
  m_lblNoteApply->setText(q(texts.note_apply));
  auto* motion_sensor = static_cast<QComboBox*>(row(PanelRow::MotionSensorSensitivity).control);
  for (int item = 0; item < settings::k_motion_sensor_items; ++item) {
    motion_sensor->setItemText(item, q(texts.motion_sensor_items[static_cast<size_t>(item)]));
  }

  // the note and the all-settings table by product
  const settings::PanelStates states = settings::classic_panel_states(
      state.deviceTarget(), language, state.osVersionPrimary(), state.osVersionSecondary(), state.data());
  m_btnAllSettings->setHidden(!states.all_settings);
  m_btnAllSettings->setEnabled(states.all_settings);
  m_tableViewDeviceAllSettingsBasic->setHidden(!states.all_settings);
  m_scrollViewDeviceAllSettingsBasic->setHidden(!states.all_settings);
  m_lblNoteApply->setHidden(!states.note_apply);
  m_btnNoteApply->setHidden(!states.note_apply_button);
  m_btnNoteApply->setEnabled(states.note_apply_button);
  m_lblACTUnit->setText(q(texts.act_unit));

  if (state.onProcessing()) {
    // while an operation runs everything is disabled and the rows keep their visibility
    row(PanelRow::IntercomVOX).control->setEnabled(false);
    row(PanelRow::HandsfreeVOX).control->setEnabled(false);
    for (PanelRow which : settings::k_panel_rows) {
      if (which == PanelRow::IntercomVOX || which == PanelRow::HandsfreeVOX || which == PanelRow::ACT) continue;
      row(which).information->setEnabled(false);
      row(which).control->setEnabled(false);
    }
    row(PanelRow::ACT).information->setEnabled(false);
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_tfACT, m_stepperACT, btnBack(), btnNewDevice(), m_btnDefault, m_btnCancel, m_btnSave,
             m_btnDeviceAllSettingsBasicSave, m_btnAllSettings, m_btnNoteApply}) {
      control->setEnabled(false);
    }
    return;
  }

  enableOldControlsEnable_hidden(true, false);
  for (PanelRow which : settings::k_panel_rows) {
    if (!states.shows(which)) set_row_shown(which, false);
  }
  m_lblNoteEDR->setHidden(!states.edr_note);

  for (QWidget* control : std::initializer_list<QWidget*>{btnBack(), btnNewDevice(), m_btnDefault, m_btnCancel}) {
    control->setEnabled(true);
  }
  m_btnSave->setEnabled(isSettingsChanged());
  m_btnDeviceAllSettingsBasicSave->setEnabled(isSettingsChanged());
}

void DeviceSettingsViewController::enableOldControlsEnable_hidden(bool enable, bool hidden) {
  for (PanelRow which : settings::k_panel_rows) {
    Row& outlets = row(which);
    outlets.label->setHidden(hidden);
    for (QWidget* control : value_controls(which)) {
      if (!control) continue;
      control->setHidden(hidden);
      control->setEnabled(enable);
    }
  }
  m_lblACTUnit->setHidden(hidden);
  m_lblNoteEDR->setHidden(hidden);
}

std::array<QWidget*, 3> DeviceSettingsViewController::value_controls(PanelRow which) {
  Row& outlets = row(which);
  if (which == PanelRow::ACT) return {outlets.information, m_tfACT, m_stepperACT};
  return {outlets.information, outlets.control, nullptr};
}

void DeviceSettingsViewController::set_row_shown(PanelRow which, bool shown) {
  Row& outlets = row(which);
  outlets.label->setHidden(!shown);
  if (which == PanelRow::ACT) m_lblACTUnit->setHidden(!shown);
  for (QWidget* control : value_controls(which)) {
    if (!control) continue;
    control->setHidden(!shown);
    control->setEnabled(shown);
  }
}

void DeviceSettingsViewController::setControlsWithData() {
  if (!services()) return;
  const session::AppState& state = this->state();
  const int product = state.deviceTarget();
  const std::optional<settings::PanelLayout> layout = settings::classic_panel_layout(product, state.data());
  if (!layout) return;

  place(m_btnDefault, settings::k_frame_btnDefault);
  place(m_btnCancel, settings::k_frame_btnCancel);
  place(btnBack(), settings::k_frame_btnBack);
  place(m_btnSave, settings::k_frame_btnSave);
  place(btnNewDevice(), settings::k_frame_btnNewDevice);
  for (const settings::PlacedRow& placed : layout->rows) place_row(placed.row, placed.frames);
  if (layout->edr_note) place(m_lblNoteEDR, *layout->edr_note);
  if (layout->apply_note) {
    place(m_lblNoteApply, settings::k_frame_lblNoteApply);
    place(m_btnNoteApply, settings::k_frame_btnNoteApply);
  }
  if (layout->all_settings) place(m_btnAllSettings, *layout->all_settings);

  for (PanelRow which : layout->values) show_value(which, settings::panel_value(which, product, dataCurrent()));
}

void DeviceSettingsViewController::show_value(PanelRow which, int value) {
  switch (settings::control_kind(which)) {
    case settings::ControlKind::on_off:
    case settings::ControlKind::three_cells:
      static_cast<settings::RadioMatrix*>(row(which).control)->selectCellAtColumn(value);
      break;
    case settings::ControlKind::pop_up:
      static_cast<QComboBox*>(row(which).control)->setCurrentIndex(value);
      break;
    case settings::ControlKind::field_and_stepper:
      m_tfACT->setText(QString::number(value));
      m_stepperACT->setValue(value);
      break;
  }
}

// ---- actions ----

void DeviceSettingsViewController::change(PanelRow which, int choice) {
  // a row of the panel is the setting its change sends
  if (!m_editor.change(which, choice)) return;
  setControls();
}

void DeviceSettingsViewController::discardEditsAfterSave() {
  m_editor.moveToSettingToSetting();
  callTableviewReloadDataForOutsideClass();
  setControlsWithData();
  setControls();
}

bool DeviceSettingsViewController::checkACT() {
  const settings::ACTCheck check = m_editor.checkACT(m_tfACT->text().toStdString(), m_stepperACT->value());
  if (check.accepted) {
    m_stepperACT->setValue(check.value);
    setControls();
    return true;
  }
  m_tfACT->setText(QString::number(check.value));
  m_tfACT->selectAll();
  return false;
}

void DeviceSettingsViewController::changeACT(QObject* sender) {
  if (sender == m_tfACT) {
    const std::optional<settings::ACTCheck> check =
        m_editor.changeACT_field(m_tfACT->text().toStdString(), m_stepperACT->value());
    if (!check) return;
    if (check->accepted) {
      m_stepperACT->setValue(check->value);
      setControls();
    } else {
      m_tfACT->setText(QString::number(check->value));
      m_tfACT->selectAll();
    }
    return;
  }
  const std::optional<int> seconds = m_editor.changeACT_stepper(m_stepperACT->value());
  if (!seconds) return;
  m_tfACT->setText(QString::number(*seconds));
  setControls();
}

void DeviceSettingsViewController::changeToDefault(QObject*) {
  if (!m_editor.changeToDefault()) return;
  callTableviewReloadDataForOutsideClass();
  setControlsWithData();
  setControls();
}

void DeviceSettingsViewController::changeToOriginal(QObject*) {
  if (!m_editor.changeToOriginal()) return;
  callTableviewReloadDataForOutsideClass();
  setControlsWithData();
  setControls();
}

void DeviceSettingsViewController::displayNoteApply(QObject*) {
  if (!m_editor.begin_action()) return;
  const session::AppState& state = this->state();
  services()->openMessageBox(
      settings::note_apply_box(state.mode(), state.languageManager(), m_lblNoteApply->text().toStdString()));
}

void DeviceSettingsViewController::displayInformationRadioTransmitGain(QObject* sender) {
  if (!m_editor.begin_action()) return;
  // the first row whose button sent it; any other sender is the timeout row's
  PanelRow which = PanelRow::ACT;
  for (PanelRow candidate : settings::k_panel_rows) {
    if (row(candidate).information && row(candidate).information == sender) {
      which = candidate;
      break;
    }
  }
  const session::AppState& state = this->state();
  services()->openMessageBox(settings::information_box(which, state.deviceTarget(), state.languageManager()));
}

void DeviceSettingsViewController::moveToSettingToSetting() {
  m_editor.moveToSettingToSetting();
  setControls();
}

void DeviceSettingsViewController::callTableviewReloadDataForOutsideClass() { m_sheetDeviceAllSettings->reloadData(); }

// ---- the all-settings sheet ----

void DeviceSettingsViewController::moveToAllSettins(QObject*) {
  m_sheetDeviceAllSettings->setFixedSize(DeviceAllSettingsSheet::k_width, DeviceAllSettingsSheet::k_height);
  m_sheetDeviceAllSettings->open();
  m_sheetDeviceAllSettings->raise();
  m_sheetDeviceAllSettings->activateWindow();
  callTableviewReloadDataForOutsideClass();
  // every opening starts on Close, whatever had focus when the sheet last ended
  m_btnDeviceAllSettingsBasicClose->setFocus();
}

void DeviceSettingsViewController::saveToAllSettins(QObject*) {
  if (!m_editor.begin_action()) return;
  // the sheet is gone before the worker reads the working copy
  m_sheetDeviceAllSettings->endSheet();
  saveWithoutCheck();
}

void DeviceSettingsViewController::changeToDefaultAllSettins(QObject*) {
  if (!m_editor.changeToDefaultAllSettins()) return;
  callTableviewReloadDataForOutsideClass();
  setControlsWithData();
  setControls();
}

void DeviceSettingsViewController::ChangeToOtiginalAllSettins(QObject*) {
  if (!m_editor.changeToOriginal()) return;
  callTableviewReloadDataForOutsideClass();
  setControlsWithData();
  setControls();
}

void DeviceSettingsViewController::closeAllSettins(QObject*) {
  if (!isSettingsChanged()) {
    m_sheetDeviceAllSettings->endSheet();
    return;
  }
  services()->openMessageBox(
      settings::save_prompt(state().languageManager(), session::MessageBoxPurpose::close_all_settings),
      [this](bool ok) {
        // the sheet ends either way: Yes saves as the page's Save does, No drops the edits
        m_sheetDeviceAllSettings->endSheet();
        if (ok) {
          save(nullptr);
        } else {
          moveToSettingToSetting();
        }
      });
}

void DeviceSettingsViewController::change_all_settings_row(QObject* sender) {
  const std::optional<settings::AllSettingsRow> row =
      settings::all_settings_row(allSettingsContext(), settings::rowForView(sender));
  if (row) {
    // the radio pair answers its column (0 Enable, 1 Disable), the pop-up its item
    int choice = -1;
    if (auto* radio = qobject_cast<QButtonGroup*>(sender)) {
      choice = radio->checkedId();
    } else if (auto* pop_up = qobject_cast<QComboBox*>(sender)) {
      choice = pop_up->currentIndex();
    }
    if (m_editor.changeAllSettingsRow(row->action, choice)) callTableviewReloadDataForOutsideClass();
  }
  setControls();
}

void DeviceSettingsViewController::allSettingsChangeOnOff(QObject* sender) { change_all_settings_row(sender); }

void DeviceSettingsViewController::allSettingsChangePopUp(QObject* sender) { change_all_settings_row(sender); }

void DeviceSettingsViewController::allSettingsInformation(QObject* sender) {
  const settings::AllSettingsContext context = allSettingsContext();
  const std::optional<settings::AllSettingsRow> row = settings::all_settings_row(context, settings::rowForView(sender));
  if (!row) return;
  const std::optional<session::MessageBoxRequest> box = settings::all_settings_information(context, row->action);
  if (box) services()->openMessageBox(*box);
}
