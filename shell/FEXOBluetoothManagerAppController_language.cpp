// The language chooser: the interface language is chosen inside the manager,
// independent of the system language, and previewed before it is confirmed.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTranslator>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/format.h"
#include "settings/DeviceSettingsViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/language_chooser_rows.h"
#include "strings/language.h"
#include "strings/language_chooser_texts.h"
#include "update/UpdateViewController.h"
#include "widgets/DetailViewController.h"
#include "widgets/page_keys.h"

using namespace shell;
using namespace session;

namespace {

// Points a title bar takes beside its title: close, maximize and minimize
// buttons, the window menu and margins.
constexpr int k_language_chooser_title_bar_buttons = 140;

}  // namespace

void FEXOBluetoothManagerAppController::build_language_chooser() {
  m_sheetLanguageManagerVerrano = new QDialog(m_window);
  m_sheetLanguageManagerVerrano->setObjectName("sheetLanguageManagerVerrano");
  m_sheetLanguageManagerVerrano->setWindowModality(Qt::WindowModal);
  auto* layout = new QVBoxLayout(m_sheetLanguageManagerVerrano);
  m_boxLanguageManagerVerrano = new QGroupBox(m_sheetLanguageManagerVerrano);
  m_boxLanguageManagerVerrano->setObjectName("boxLanguageManagerVerrano");
  layout->addWidget(m_boxLanguageManagerVerrano);

  // one row per offered language: a radio cell and a clickable label beside it
  auto* rows = new QGridLayout(m_boxLanguageManagerVerrano);
  m_radioLanguageManagerVerrano = new QButtonGroup(m_boxLanguageManagerVerrano);
  m_radioLanguageManagerVerrano->setObjectName("radioLanguageManagerVerrano");
  m_radioLanguageManagerVerrano->setExclusive(true);
  for (int row = 0; row < k_language_chooser_rows; ++row) {
    auto* cell = new QRadioButton(m_boxLanguageManagerVerrano);
    cell->setObjectName(QString("buttonCell%1LanguageManagerVerrano").arg(row));
    // the cell is only its indicator, so a click anywhere on it selects the row
    cell->setFixedSize(cell->sizeHint());
    m_radioLanguageManagerVerrano->addButton(cell, row);
    auto* label = new QPushButton(m_boxLanguageManagerVerrano);
    label->setObjectName(QString("btn%1LanguageManagerVerrano").arg(row));
    label->setFlat(true);
    label->setCheckable(true);
    label->setStyleSheet("text-align: left;");
    // a label is only a larger target for its row: Return stays with OK, and
    // the keyboard moves through the radio cells
    label->setAutoDefault(false);
    label->setFocusPolicy(Qt::NoFocus);
    m_btnLanguageManagerVerrano[static_cast<size_t>(row)] = label;
    rows->addWidget(cell, row, 0);
    rows->addWidget(label, row, 1);
    connect(cell, &QRadioButton::clicked, this, [this, cell] { changeLanguageManager(cell); });
    connect(label, &QPushButton::clicked, this, [this, label] { changeLanguageManager(label); });
  }

  m_btnApplyToLanguageFirmwareVerrano = new QCheckBox(m_sheetLanguageManagerVerrano);
  m_btnApplyToLanguageFirmwareVerrano->setObjectName("btnApplyToLanguageFirmwareVerrano");
  layout->addWidget(m_btnApplyToLanguageFirmwareVerrano);
  auto* buttons = new QHBoxLayout;
  m_btnLanguageManagerCancelVerrano = new QPushButton(m_sheetLanguageManagerVerrano);
  m_btnLanguageManagerCancelVerrano->setObjectName("btnLanguageManagerCancelVerrano");
  m_btnLanguageManagerOKVerrano = new QPushButton(m_sheetLanguageManagerVerrano);
  m_btnLanguageManagerOKVerrano->setObjectName("btnLanguageManagerOKVerrano");
  widgets::keep_default_button(m_sheetLanguageManagerVerrano, m_btnLanguageManagerOKVerrano);
  buttons->addStretch(1);
  buttons->addWidget(m_btnLanguageManagerCancelVerrano);
  buttons->addWidget(m_btnLanguageManagerOKVerrano);
  layout->addLayout(buttons);
  connect(m_btnLanguageManagerOKVerrano, &QPushButton::clicked, this,
          [this] { languageManagerOK(m_btnLanguageManagerOKVerrano); });
  connect(m_btnLanguageManagerCancelVerrano, &QPushButton::clicked, this,
          [this] { languageManagerCancel(m_btnLanguageManagerCancelVerrano); });
  // Escape is Cancel
  connect(m_sheetLanguageManagerVerrano, &QDialog::rejected, this, [this] { languageManagerCancel(nullptr); });
  // The title follows the previewed language: the sheet is as wide as its
  // longest title in a bold face (as title bars show it) with room for the
  // title bar's buttons, so neither the title bar nor the box cuts a title,
  // and the sheet keeps its width while the preview changes.
  QFont title_font = m_sheetLanguageManagerVerrano->font();
  title_font.setBold(true);
  int title_width = 0;
  for (int language = 0; language < strings::k_language_count; ++language) {
    const QString title = QString::fromStdString(vyla_string_language_manager_in(language));
    title_width = std::max(title_width, QFontMetrics(title_font).horizontalAdvance(title));
  }
  m_sheetLanguageManagerVerrano->setMinimumWidth(title_width + k_language_chooser_title_bar_buttons);

  // opened from the flag button, its menu item and its key
  connect(m_btnLanguageManager, &QPushButton::clicked, this, [this] { openLanguageManager(m_btnLanguageManager); });
  connect(m_menuItemManagerLanguage, &QAction::triggered, this,
          [this] { openLanguageManager(m_menuItemManagerLanguage); });
  auto* key = new QShortcut(QKeySequence("Ctrl+L"), m_window);
  connect(key, &QShortcut::activated, this, [this] { openLanguageManager(m_btnLanguageManager); });

  // the generic properties point at the partner's sheet
  m_sheetLanguageManager = m_sheetLanguageManagerVerrano;
  m_boxLanguageManager = m_boxLanguageManagerVerrano;
  m_radioLanguageManager = m_radioLanguageManagerVerrano;
  m_btnApplyToLanguageFirmware = m_btnApplyToLanguageFirmwareVerrano;
  m_btnLanguageManagerOK = m_btnLanguageManagerOKVerrano;
  m_btnLanguageManagerCancel = m_btnLanguageManagerCancelVerrano;
}

int FEXOBluetoothManagerAppController::languageManagerFromButtonCellIndex(int row) {
  return shell::languageManagerFromButtonCellIndex(row);
}

int FEXOBluetoothManagerAppController::buttonCellIndexFromLanguageManager(int language) {
  return shell::buttonCellIndexFromLanguageManager(language);
}

void FEXOBluetoothManagerAppController::openLanguageManager(QObject* sender) {
  // opened from a button or the menu it is a sheet of the main window, otherwise a window of its own
  m_sheetLanguageManager->setWindowModality(sender ? Qt::WindowModal : Qt::ApplicationModal);
  if (onProcessing()) return;
  close_list_tabs();
  m_radioLanguageManager->button(buttonCellIndexFromLanguageManager(languageManager()))->setChecked(true);
  setControlsLanguageManager();
  // the box shows the stored choice from the sheet's first paint; a change
  // left by Cancel is forgotten here
  m_btnApplyToLanguageFirmware->setChecked(applyToLanguageFirmware());
  m_sheetLanguageManager->open();
}

void FEXOBluetoothManagerAppController::setControlsLanguageManager() {
  // the sheet speaks the language of the selected row, so the choice is previewed
  const int language = languageManagerFromButtonCellIndex(m_radioLanguageManager->checkedId());
  m_btnApplyToLanguageFirmware->setText(QString::fromStdString(strings::apply_to_firmware_language_title(language)));
  const QString title = QString::fromStdString(vyla_string_language_manager_in(language));
  m_sheetLanguageManager->setWindowTitle(title);
  m_boxLanguageManager->setTitle(title);
  for (int row = 0; row < k_language_chooser_rows; ++row) {
    const std::string name = vyla_string_language_in(languageManagerFromButtonCellIndex(row), language);
    m_btnLanguageManagerVerrano[static_cast<size_t>(row)]->setText(
        QString::fromStdString(platform::format(" %@", name)));
  }
  m_btnLanguageManagerOK->setText(QString::fromStdString(vyla_string_ok_in(language)));
  m_btnLanguageManagerCancel->setText(QString::fromStdString(vyla_string_cancel_in(language)));
}

void FEXOBluetoothManagerAppController::changeLanguageManager(QObject* sender) {
  for (QPushButton* label : m_btnLanguageManagerVerrano) label->setChecked(false);
  for (int row = 0; row < k_language_chooser_rows; ++row) {
    if (sender == m_btnLanguageManagerVerrano[static_cast<size_t>(row)]) {
      // a label acts as its row's radio cell
      QAbstractButton* cell = m_radioLanguageManager->button(row);
      cell->setChecked(true);
      cell->setFocus(Qt::MouseFocusReason);
      changeLanguageManager(cell);
      return;
    }
  }
  setControlsLanguageManager();
}

void FEXOBluetoothManagerAppController::languageManagerOK(QObject*) {
  const int language = languageManagerFromButtonCellIndex(m_radioLanguageManager->checkedId());
  const bool apply = m_btnApplyToLanguageFirmware->isChecked();
  if (language != languageManager() || apply != applyToLanguageFirmware()) {
    setLanguageManager(language);
    setStrLanguageManager(vyla_language_manager(language));
    setApplyToLanguageFirmware(apply);
    load_qt_translations();
    setControlsFont();
    setControls();
    updateStatusInManagerLanguage();
    if (mode() == k_mode_firmware_restore) {
      // the backup is read again in the new language; the tab the user chose stays
      const int tab = m_restoreViewController->tabIndexSelected();
      m_restoreViewController->initializeObjectWithDefaultStatus(true);
      if (tab < m_restoreViewController->tabCount()) {
        m_restoreViewController->setTabIndexSelected(tab);
        setControls();
      }
      m_restoreViewController->setControlsFirmwareRestore();
    }
    if (mode() == k_mode_firmware_update || mode() == k_mode_firmware_restore) {
      // read the server list again: the voice-prompt languages offered follow the new choice
      (mode() == k_mode_firmware_update ? m_updateViewController : m_restoreViewController)->readLatest();
    } else if (DetailViewController* page = currentDetailViewController()) {
      page->setControls();
      if (mode() == k_mode_device_settings) m_deviceSettingsViewController->callTableviewReloadDataForOutsideClass();
    }
  }
  m_sheetLanguageManager->hide();
}

void FEXOBluetoothManagerAppController::languageManagerCancel(QObject*) { m_sheetLanguageManager->hide(); }

void FEXOBluetoothManagerAppController::load_qt_translations() {
  const QString file = QStringLiteral("qtbase_") + QString::fromUtf8(strings::locale_name(languageManager()));
  if (m_qtTranslations) {
    QCoreApplication::removeTranslator(m_qtTranslations);
  } else {
    m_qtTranslations = new QTranslator(this);
  }
  // installing sends every widget a language change, so open Qt dialogs follow at once
  if (m_qtTranslations->load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(m_qtTranslations);
  }
}
