#include "settings/DeviceSettingsSecondViewController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>
#include <functional>

#include "session/app_state.h"
#include "settings/classic_panel_controls_qt.h"
#include "settings/classic_panel_layout.h"
#include "settings/fm_radio_save.h"
#include "settings/page_settings_host_qt.h"
#include "strings/common_texts.h"
#include "strings/fm_radio_texts.h"
#include "widgets/main_window_layout.h"
#include "widgets/page_keys.h"

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// Slot n's outlet name: prefix and the number with two digits ("cbFMRadioPreset01").
QString slot_outlet(const char* prefix, int slot) {
  return QString("%1%2").arg(prefix).arg(slot + 1, 2, 10, QChar('0'));
}

// A pop-up that tells, before its list opens, that it is about to.
class RegionPopUp : public QComboBox {
 public:
  RegionPopUp(std::function<void()> will_open, QWidget* parent) : QComboBox(parent), m_will_open(std::move(will_open)) {}

  void showPopup() override {
    m_will_open();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> m_will_open;
};

// Geometry of the panel, in points from its bottom-left corner.
constexpr int k_unit_text_width = 40;
constexpr int k_slot_rows = 5;
constexpr int k_first_slot_y = 206;
constexpr int k_slot_row_step = 28;
constexpr int k_slot_column_x[] = {40, 300};

// The presets' key hint: from just above the first row of presets (its button
// tops at 226) up to the region row (its bottom at 277).
constexpr int k_presets_hint_y = 227;
constexpr int k_presets_hint_height = 49;

// The edit sheet, in points from its top-left corner.
constexpr int k_sheet_width = 330;
constexpr int k_sheet_height = 130;

}  // namespace

DeviceSettingsSecondViewController::DeviceSettingsSecondViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(session::k_mode_device_settings_second, PlacedButtons{}, parent),
      m_host(std::make_unique<settings::PageSettingsHost>(*this)),
      m_editor(*m_host) {
  // a fixed panel: frames are measured from its bottom edge
  setFixedSize(widgets::layout::k_page_width, widgets::layout::k_page_height);
  build_region_and_presets();
  build_rds_and_buttons();
  build_sheet();
  bind_keys();
  setSaveRules(settings::fm_radio::save_rules());
}

DeviceSettingsSecondViewController::~DeviceSettingsSecondViewController() {
  // the worker reads the working copy the editor holds
  waitForSave();
}

// ---- building ----

void DeviceSettingsSecondViewController::build_region_and_presets() {
  m_lblFMRadioRegion = titled(page_control<QLabel>("lblFMRadioRegion"));
  place(m_lblFMRadioRegion, 40, 280, 120, 17);
  m_popUpFMRadioRegion = titled(page_control<RegionPopUp>("popUpFMRadioRegion", [this] { menuWillOpen(); }));
  for (int region = 0; region < settings::k_fm_region_count; ++region) m_popUpFMRadioRegion->addItem(QString());
  place(m_popUpFMRadioRegion, 165, 277, 200, 22);
  connect(m_popUpFMRadioRegion, &QComboBox::activated, this, [this] { changeFMRadioRegion(m_popUpFMRadioRegion); });

  m_lblFMRadioPresets = titled(page_control<QLabel>("lblFMRadioPresets"));
  m_lblFMRadioPresets->setWordWrap(true);
  m_lblFMRadioPresets->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  place(m_lblFMRadioPresets, 40, 243, 236, 17);

  for (int slot = 0; slot < settings::k_fm_slot_count; ++slot) {
    const int x = k_slot_column_x[slot / k_slot_rows];
    const int y = k_first_slot_y - (slot % k_slot_rows) * k_slot_row_step;
    auto* check_box = titled(page_control<QCheckBox>(slot_outlet("cbFMRadioPreset", slot), QString::number(slot + 1)));
    place(check_box, x, y, 44, 18);
    connect(check_box, &QCheckBox::clicked, this, [this, check_box] { checkFMRadioPreset(check_box); });
    auto* button = titled(page_control<QPushButton>(slot_outlet("btnFMRadioPreset", slot)));
    place(button, x + 46, y - 2, 90, 22);
    connect(button, &QPushButton::clicked, this, [this, button] { openFMRadioPresetEdit(button); });
    auto* stepper = titled(page_control<settings::Stepper>(slot_outlet("stepperFMRadioPreset", slot), 0, 0, 0));
    place(stepper, x + 138, y - 2, 19, 22);
    connect(stepper, &settings::Stepper::stepped, this, [this, stepper] { changeFMRadioPreset(stepper); });
    auto* unit = titled(page_control<QLabel>(slot_outlet("lblFMRadioPresetUnit", slot), "MHz"));
    place(unit, x + 162, y, k_unit_text_width, 17);
    const auto index = static_cast<std::size_t>(slot);
    m_cbFMRadioPresets[index] = check_box;
    m_btnFMRadioPresets[index] = button;
    m_stepperFMRadioPresets[index] = stepper;
    m_lblFMRadioPresetUnits[index] = unit;
  }
}

void DeviceSettingsSecondViewController::build_rds_and_buttons() {
  m_lblFMRadioRDS = titled(page_control<QLabel>("lblFMRadioRDS"));
  place(m_lblFMRadioRDS, 40, 58, 300, 17);
  m_btnFMRadioRDS = titled(page_control<QToolButton>("btnFMRadioRDS"));
  m_btnFMRadioRDS->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
  m_btnFMRadioRDS->setAutoRaise(true);
  place(m_btnFMRadioRDS, 345, 56, 20, 17);
  connect(m_btnFMRadioRDS, &QToolButton::clicked, this, [this] { displayInformation(m_btnFMRadioRDS); });
  m_radioFMRadioRDS = titled(page_control<settings::RadioMatrix>(
      "radioFMRadioRDS", std::vector<QString>{"enableFMRadioRDS", "disableFMRadioRDS"}));
  for (int column = 0; column < m_radioFMRadioRDS->columns(); ++column) titled(m_radioFMRadioRDS->cell(column));
  place(m_radioFMRadioRDS, 375, 56, 220, 18);
  connect(m_radioFMRadioRDS, &settings::RadioMatrix::cellActivated, this,
          [this] { changeFMRadioRDS(m_radioFMRadioRDS); });

  m_btnDefault = titled(page_control<QPushButton>("btnDefault"));
  m_btnCancel = titled(page_control<QPushButton>("btnCancel"));
  m_btnSave = titled(page_control<QPushButton>("btnSave"));
  titled(btnBack());
  titled(btnNewDevice());
  // the page buttons where the settings page has them, so the three pages match
  for (const auto& [button, frame] : {std::pair{m_btnDefault, settings::k_frame_btnDefault},
                                      std::pair{m_btnCancel, settings::k_frame_btnCancel},
                                      std::pair{btnBack(), settings::k_frame_btnBack},
                                      std::pair{m_btnSave, settings::k_frame_btnSave},
                                      std::pair{btnNewDevice(), settings::k_frame_btnNewDevice}}) {
    place(button, frame);
  }
  connect(m_btnDefault, &QPushButton::clicked, this, [this] { changeToDefault(m_btnDefault); });
  connect(m_btnCancel, &QPushButton::clicked, this, [this] { changeToOriginal(m_btnCancel); });
  connect(m_btnSave, &QPushButton::clicked, this, [this] { save(m_btnSave); });
  place(make_processing_indicator(), settings::k_frame_piProcessing);
}

void DeviceSettingsSecondViewController::build_sheet() {
  m_sheetFMRadioPresetEdit = make_edit_sheet("sheetFMRadioPresetEdit", k_sheet_width, k_sheet_height, Qt::Sheet);
  // closing the sheet by its window or Escape is its Cancel
  connect(m_sheetFMRadioPresetEdit, &QDialog::rejected, this, [this] { m_indexSelectedForFMRadioEdit = -1; });
  QWidget* sheet = m_sheetFMRadioPresetEdit;

  m_lblFMRadioPresetEditNumber = sheet_control<QLabel>(sheet, "lblFMRadioPresetEditNumber", 20, 20, 30, 22);
  m_lblFMRadioPresetEditNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_tfFMRadioPresetEdit = sheet_control<QLineEdit>(sheet, "tfFMRadioPresetEdit", 58, 20, 120, 22);
  m_lblFMRadioPresetEditUnit =
      sheet_control<QLabel>(sheet, "lblFMRadioPresetEditUnit", 184, 20, k_unit_text_width, 22, "MHz");
  m_lblFMRadioPresetEditRange = sheet_control<QLabel>(sheet, "lblFMRadioPresetEditRange", 58, 50, 250, 18);
  m_btnFMRadioPresetEditCancel = sheet_control<QPushButton>(sheet, "btnFMRadioPresetEditCancel", 120, 90, 95, 24);
  m_btnFMRadioPresetEditOK = sheet_control<QPushButton>(sheet, "btnFMRadioPresetEditOK", 220, 90, 95, 24);
  m_btnFMRadioPresetEditOK->setDefault(true);
  // the warning fills the sheet above the button row
  m_btnFMRAdioPresetEditWarning =
      sheet_control<QPushButton>(sheet, "btnFMRAdioPresetEditWarning", 10, 10, k_sheet_width - 20, 72);
  m_btnFMRadioPresetEditWarningOK = sheet_control<QPushButton>(sheet, "btnFMRadioPresetEditWarningOK", 220, 90, 95, 24);
  connect(m_btnFMRadioPresetEditOK, &QPushButton::clicked, this, [this] { okFMRadioPresetEdit(m_btnFMRadioPresetEditOK); });
  connect(m_btnFMRadioPresetEditCancel, &QPushButton::clicked, this,
          [this] { cancelFMRadioPresetEdit(m_btnFMRadioPresetEditCancel); });
  connect(m_btnFMRAdioPresetEditWarning, &QPushButton::clicked, this,
          [this] { warnFMRadioPresetEdit(m_btnFMRAdioPresetEditWarning); });
  connect(m_btnFMRadioPresetEditWarningOK, &QPushButton::clicked, this,
          [this] { warnFMRadioPresetEdit(m_btnFMRadioPresetEditWarningOK); });
  // Return is OK in either view: it stores the frequency, or leaves the warning
  widgets::keep_default_button(m_sheetFMRadioPresetEdit, m_btnFMRadioPresetEditOK);
  show_edit_view(true);
}

void DeviceSettingsSecondViewController::bind_keys() {
  const auto free = [this] { return services() && !state().onProcessing(); };
  // the hints of the page's titles name these keys ("[O]-No.": Alt and the
  // preset's number, 0 for the tenth)
  const std::pair<const char*, QAbstractButton*> buttons[] = {
      {"[O][C]-S", m_btnSave},
      {"[C]-D", m_btnDefault},
      {"[C]-C", m_btnCancel},
      {"[O][C]-A", m_btnFMRadioRDS},
      {"[O]-A", m_radioFMRadioRDS->cell(0)},
      {"[S][O]-A", m_radioFMRadioRDS->cell(1)},
  };
  for (const auto& [hint, button] : buttons) widgets::bind_hinted_key(this, hint, button, free);
  for (std::size_t slot = 0; slot < m_cbFMRadioPresets.size(); ++slot) {
    const std::string digit = std::to_string((slot + 1) % 10);
    widgets::bind_hinted_key(this, "[O]-" + digit, m_cbFMRadioPresets[slot], free);
    widgets::bind_hinted_key(this, "[S][C]-" + digit, m_btnFMRadioPresets[slot], free);
  }
}

// ---- opening and refreshing ----

void DeviceSettingsSecondViewController::initializeObject() {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  m_indexSelectedForFMRadioEdit = -1;
  state.setShowShortcuts(false);
  controller->reflectShortcuts();
  m_editor.initializeObject();
  const int index = state.GetTabIndexWith(pageMode());
  if (index >= 0) state.setTabIndexSelected(index);
  setControlsWithData();
  setControls();
}

void DeviceSettingsSecondViewController::setShortcuts() {
  if (!services()) return;
  const bool hints = state().showShortcuts();
  for (const settings::OutletText& title : m_editor.titles(hints)) set_title(title.outlet, q(title.text));
  // The presets' hint names two keys and is wider than the label, whose right
  // neighbour is Default: each key takes a line of its own, in the room up to
  // the region row, so the hint never runs under a control.
  if (hints) {
    m_lblFMRadioPresets->setText(m_lblFMRadioPresets->text().replace(QRegularExpression(" {2,}"), "\n"));
    place(m_lblFMRadioPresets, 40, k_presets_hint_y, 236, k_presets_hint_height);
  } else {
    place(m_lblFMRadioPresets, 40, 243, 236, 17);
  }
}

void DeviceSettingsSecondViewController::setControlsWithData() {
  if (!services()) return;
  const std::optional<settings::FMRadioView> view = m_editor.controlsWithData();
  if (!view) return;
  m_popUpFMRadioRegion->setCurrentIndex(view->region);
  for (std::size_t slot = 0; slot < view->presets.size(); ++slot) {
    const settings::FMSlotView& shown = view->presets[slot];
    m_cbFMRadioPresets[slot]->setChecked(shown.used);
    m_stepperFMRadioPresets[slot]->setLimits(view->band.lowest, view->band.highest, view->band.step);
    m_stepperFMRadioPresets[slot]->setValue(shown.stepper_value);
    m_btnFMRadioPresets[slot]->setText(q(shown.title));
  }
  m_radioFMRadioRDS->selectCellAtColumn(view->rds_column);
}

void DeviceSettingsSecondViewController::setControls() {
  if (!services()) return;
  setShortcuts();
  setControlsWithData();
  const session::AppState& state = this->state();
  const int product = state.deviceTarget();

  const bool region_shown = !settings::hides_fm_region(product);
  m_lblFMRadioRegion->setVisible(region_shown);
  m_popUpFMRadioRegion->setVisible(region_shown);
  m_lblFMRadioRegion->setText(q(FMRadioTexts::stringRegion(state.languageManager())));
  const std::vector<std::string> regions = m_editor.regionNames();
  for (int item = 0; item < m_popUpFMRadioRegion->count() && item < static_cast<int>(regions.size()); ++item) {
    m_popUpFMRadioRegion->setItemText(item, q(regions[static_cast<std::size_t>(item)]));
  }

  if (state.onProcessing()) {
    // while an operation runs everything is disabled and keeps its visibility
    for (QWidget* control : std::initializer_list<QWidget*>{btnBack(), btnNewDevice(), m_btnDefault, m_btnCancel,
                                                            m_btnSave, m_popUpFMRadioRegion, m_btnFMRadioRDS,
                                                            m_radioFMRadioRDS}) {
      control->setEnabled(false);
    }
    for (int slot = 0; slot < settings::k_fm_slot_count; ++slot) {
      const auto index = static_cast<std::size_t>(slot);
      m_cbFMRadioPresets[index]->setEnabled(false);
      m_btnFMRadioPresets[index]->setEnabled(false);
      m_stepperFMRadioPresets[index]->setEnabled(false);
    }
    return;
  }

  for (QWidget* control : std::initializer_list<QWidget*>{btnBack(), btnNewDevice(), m_btnDefault, m_btnCancel,
                                                          m_popUpFMRadioRegion, m_btnFMRadioRDS, m_radioFMRadioRDS}) {
    control->setEnabled(true);
  }
  m_btnSave->setEnabled(isSettingsChanged());
  const int slots_shown = settings::is_fm_radio_product(product) ? settings::fm_slot_count(product)
                                                                 : settings::k_fm_slot_count;
  for (int slot = 0; slot < settings::k_fm_slot_count; ++slot) {
    const auto index = static_cast<std::size_t>(slot);
    const bool used = m_cbFMRadioPresets[index]->isChecked();
    m_cbFMRadioPresets[index]->setEnabled(true);
    m_btnFMRadioPresets[index]->setEnabled(used);
    m_stepperFMRadioPresets[index]->setEnabled(used);
    const bool shown = slot < slots_shown;
    for (QWidget* control : std::initializer_list<QWidget*>{m_cbFMRadioPresets[index], m_btnFMRadioPresets[index],
                                                            m_stepperFMRadioPresets[index],
                                                            m_lblFMRadioPresetUnits[index]}) {
      control->setVisible(shown);
    }
  }
}

// ---- actions ----

template <class Control>
int DeviceSettingsSecondViewController::slot_of(const std::array<Control*, settings::k_fm_slot_count>& controls,
                                                QObject* sender) const {
  for (std::size_t slot = 0; slot < controls.size(); ++slot) {
    if (controls[slot] == sender) return static_cast<int>(slot);
  }
  return -1;
}

void DeviceSettingsSecondViewController::changeFMRadioRegion(QObject*) {
  if (!m_editor.changeFMRadioRegion(m_popUpFMRadioRegion->currentIndex())) {
    // an operation runs: the pop-up shows the stored region again
    setControlsWithData();
    return;
  }
  setControlsWithData();
  setControls();
}

void DeviceSettingsSecondViewController::checkFMRadioPreset(QObject* sender) {
  const int slot = slot_of(m_cbFMRadioPresets, sender);
  if (slot < 0) return;
  if (!m_editor.checkFMRadioPreset(slot, m_cbFMRadioPresets[static_cast<std::size_t>(slot)]->isChecked())) {
    setControlsWithData();
    return;
  }
  setControlsWithData();
  setControls();
}

void DeviceSettingsSecondViewController::changeFMRadioPreset(QObject* sender) {
  const int slot = slot_of(m_stepperFMRadioPresets, sender);
  if (slot < 0) return;
  const double value = m_stepperFMRadioPresets[static_cast<std::size_t>(slot)]->value();
  if (!m_editor.changeFMRadioPreset(slot, static_cast<int>(value))) {
    setControlsWithData();
    return;
  }
  setControlsWithData();
  setControls();
}

void DeviceSettingsSecondViewController::changeFMRadioRDS(QObject*) {
  if (!m_editor.changeFMRadioRDS(m_radioFMRadioRDS->selectedColumn())) {
    setControlsWithData();
    return;
  }
  setControlsWithData();
  setControls();
}

void DeviceSettingsSecondViewController::displayInformation(QObject* sender) {
  if (!m_editor.begin_action()) return;
  if (sender == m_btnFMRadioRDS) m_editor.displayInformationRDS();
  setControls();
}

void DeviceSettingsSecondViewController::changeToDefault(QObject*) {
  if (!m_editor.changeToDefault()) return;
  setControlsWithData();
  setControls();
}

void DeviceSettingsSecondViewController::changeToOriginal(QObject*) {
  if (!m_editor.changeToOriginal()) return;
  setControlsWithData();
  setControls();
}

void DeviceSettingsSecondViewController::menuWillOpen() { close_tab_list(); }

void DeviceSettingsSecondViewController::discardEditsAfterSave() {
  m_editor.discardEdits();
  setControlsWithData();
  setControls();
}

void DeviceSettingsSecondViewController::reenableAfterSave() { m_radioFMRadioRDS->setEnabled(true); }

// ---- the edit sheet ----

void DeviceSettingsSecondViewController::show_edit_view(bool edit) {
  for (QWidget* part : std::initializer_list<QWidget*>{m_lblFMRadioPresetEditNumber, m_tfFMRadioPresetEdit,
                                                       m_lblFMRadioPresetEditUnit, m_lblFMRadioPresetEditRange}) {
    part->setVisible(edit);
  }
  for (QPushButton* button : {m_btnFMRadioPresetEditOK, m_btnFMRadioPresetEditCancel}) {
    button->setVisible(edit);
    button->setEnabled(edit);
  }
  for (QPushButton* button : {m_btnFMRAdioPresetEditWarning, m_btnFMRadioPresetEditWarningOK}) {
    button->setVisible(!edit);
    button->setEnabled(!edit);
  }
  QPushButton* default_button = edit ? m_btnFMRadioPresetEditOK : m_btnFMRadioPresetEditWarningOK;
  default_button->setDefault(true);
  if (!edit) default_button->setFocus();
}

void DeviceSettingsSecondViewController::openFMRadioPresetEdit(QObject* sender) {
  if (!m_editor.begin_action()) return;
  const int slot = slot_of(m_btnFMRadioPresets, sender);
  if (slot < 0) return;
  const settings::FMPresetEditView view =
      m_editor.openFMRadioPresetEdit(slot, m_btnFMRadioPresets[static_cast<std::size_t>(slot)]->text().toStdString());
  const int language = state().languageManager();
  m_lblFMRadioPresetEditRange->setText(q(view.range));
  m_btnFMRAdioPresetEditWarning->setText(q(view.warning));
  m_indexSelectedForFMRadioEdit = slot;
  m_lblFMRadioPresetEditNumber->setText(q(view.number));
  show_edit_view(true);
  m_lblFMRadioPresetEditRange->setStyleSheet("color: black;");
  m_tfFMRadioPresetEdit->setText(q(view.field));
  m_tfFMRadioPresetEdit->selectAll();
  m_btnFMRadioPresetEditOK->setText(q(CommonTexts::vyla_string_ok_in(language)));
  m_btnFMRadioPresetEditCancel->setText(q(CommonTexts::vyla_string_cancel_in(language)));
  m_btnFMRadioPresetEditWarningOK->setText(q(CommonTexts::vyla_string_ok_in(language)));
  m_sheetFMRadioPresetEdit->open();
  m_sheetFMRadioPresetEdit->activateWindow();
  m_tfFMRadioPresetEdit->setFocus();
}

bool DeviceSettingsSecondViewController::isFMRadioPresetValid() {
  const int slot = m_indexSelectedForFMRadioEdit;
  if (!m_editor.isFMRadioPresetValid(slot, m_tfFMRadioPresetEdit->text().toStdString())) {
    show_edit_view(false);
    m_lblFMRadioPresetEditRange->setStyleSheet("color: red;");
    m_tfFMRadioPresetEdit->selectAll();
    return false;
  }
  setControlsWithData();
  setControls();
  return true;
}

void DeviceSettingsSecondViewController::okFMRadioPresetEdit(QObject*) {
  if (!m_editor.begin_action()) return;
  if (!isFMRadioPresetValid()) return;
  m_indexSelectedForFMRadioEdit = -1;
  m_sheetFMRadioPresetEdit->accept();
}

void DeviceSettingsSecondViewController::cancelFMRadioPresetEdit(QObject*) {
  if (!m_editor.begin_action()) return;
  m_indexSelectedForFMRadioEdit = -1;
  m_sheetFMRadioPresetEdit->reject();
}

void DeviceSettingsSecondViewController::warnFMRadioPresetEdit(QObject*) {
  if (!m_editor.begin_action()) return;
  // the range label stays red until the sheet opens again
  show_edit_view(true);
  m_tfFMRadioPresetEdit->setFocus();
}
