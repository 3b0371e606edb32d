#pragma once
// Settings page (page mode 7): the classic panel of older models, one row per
// setting laid out for the model and firmware, and the all-settings sheet of
// newer models. The page is a fixed panel the size of the main window's page
// area; every control is a child named after its outlet and placed at its
// frame. What it shows is decided by the Qt-free classic panel tables; the
// editing itself (working copies, change detection, resets, setting actions)
// is settings::SettingsEditor. Actions run on the user's clicks and keys only.
#include <QPointer>
#include <QString>
#include <array>
#include <memory>
#include <string>

#include "settings/DeviceSettingsBaseViewController.h"
#include "settings/all_settings_rows.h"
#include "settings/classic_panel_layout.h"
#include "settings/settings_editor.h"

class DeviceAllSettingsSheet;
class DeviceSettingsTableCellView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QToolButton;

namespace settings {
class ElidedLabel;
class RadioMatrix;
class Stepper;
}  // namespace settings

class DeviceSettingsViewController : public DeviceSettingsBaseViewController {
  Q_OBJECT

 public:
  explicit DeviceSettingsViewController(QWidget* parent = nullptr);
  ~DeviceSettingsViewController() override;

  // The page's editing core: the panel's and the sheet's controls act through it.
  settings::SettingsEditor& editor() { return m_editor; }
  const settings::SettingsEditor& editor() const { return m_editor; }

  const FEXOBluetoothDeviceData& dataCurrent() const override { return m_editor.dataCurrent(); }
  const FEXOBluetoothDeviceData& dataDefault() const override { return m_editor.dataDefault(); }
  bool isSettingsChanged() const override { return m_editor.isSettingsChanged(); }
  bool checkNeedToSave() override { return m_editor.checkNeedToSave(); }
  void moveToModeToGo() override { m_editor.moveToModeToGo(modeToGo()); }

  // Opening the page: key hints off, fresh working copies, the settings tab
  // selected, the panel titled, laid out and showing the working copy.
  void initializeObject() override;
  // Texts, which rows the product shows, the all-settings button, and the
  // enabled states (everything disabled while an operation runs; Save only
  // while the working copy differs from the device).
  void setControls() override;
  // Localized titles, or the key hints while the controller shows them.
  void setShortcuts() override;
  // Places the rows for the selected product and the device's firmware and
  // shows the working copy's values; a product without a layout is left as
  // it is.
  void setControlsWithData();
  // Shows (hidden false) or hides every classic row and the EDR note, and
  // enables or disables their buttons and value controls.
  void enableOldControlsEnable_hidden(bool enable, bool hidden);

  // Takes the audio channel timeout field (3..60 s) into the working copy:
  // true when the page may save or be left; false after a warning, with the
  // field showing the stepper's value again, selected.
  bool checkACT();
  // The timeout field's and the stepper's action.
  void changeACT(QObject* sender);
  // Default: the working copy takes the factory defaults.
  void changeToDefault(QObject* sender = nullptr);
  // Cancel: the working copy takes the device's values again.
  void changeToOriginal(QObject* sender = nullptr);
  // The whole apply note in a message box.
  void displayNoteApply(QObject* sender = nullptr);
  // The information box of the row whose information button is `sender`.
  void displayInformationRadioTransmitGain(QObject* sender);
  // The all-settings sheet window.
  DeviceAllSettingsSheet* sheetDeviceAllSettings() const { return m_sheetDeviceAllSettings; }
  // Drops the sheet's edits and refreshes the page.
  void moveToSettingToSetting();
  // Reloads every row of the all-settings table (after a language change).
  void callTableviewReloadDataForOutsideClass();

  // ---- the all-settings sheet (MORE SETTINGS) ----
  // Opens the sheet over the main window with the table rebuilt from the
  // working copy. No guard: it opens even while an operation runs.
  void moveToAllSettins(QObject* sender = nullptr);
  // Save: ends the sheet and saves, changed or not, without the timeout check.
  void saveToAllSettins(QObject* sender = nullptr);
  // Default: the working copy := the factory defaults, whole.
  void changeToDefaultAllSettins(QObject* sender = nullptr);
  // Cancel: the working copy := the device's values.
  void ChangeToOtiginalAllSettins(QObject* sender = nullptr);
  // Close: ends the sheet at once when nothing changed; otherwise asks
  // (close_all_settings box): Yes saves as Save of the page does, No drops the edits.
  void closeAllSettins(QObject* sender = nullptr);
  // A cell's radio pair or pop-up (`sender`): the row's setting action with
  // the user's column or item, the step that follows it, then setControls.
  // A control whose row the catalogue does not hold changes nothing.
  void allSettingsChangeOnOff(QObject* sender);
  void allSettingsChangePopUp(QObject* sender);
  // A cell's information button: the row's information box (setting_information).
  void allSettingsInformation(QObject* sender);

  // ---- rows of the all-settings table ----
  // What the rows depend on at this moment: the controller's product,
  // recognized record, flags and language, and the working copy.
  settings::AllSettingsContext allSettingsContext() const;
  // The table's row count; 0 for a product without rows.
  int numberOfRowsInTableView() const;
  // The cell of row `row` (from 0), made inside the table with its controls
  // sending the sheet's cell actions; nullptr when the row is not below the count.
  DeviceSettingsTableCellView* tableView_viewForTableColumn_row(int row);

  // The all-settings sheet's controls. They have no parent until the sheet
  // places them; the scroll view, a window until then, never appears on
  // screen (Qt::WA_DontShowOnScreen, which placing it clears).
  QPushButton* btnDeviceAllSettingsBasicSave() const;
  QPushButton* btnDeviceAllSettingsBasicDefault() const;
  QPushButton* btnDeviceAllSettingsBasicCancel() const;
  QPushButton* btnDeviceAllSettingsBasicClose() const;
  QTableWidget* tableViewDeviceAllSettingsBasic() const;
  QScrollArea* scrollViewDeviceAllSettingsBasic() const;

 protected:
  // The timeout check before a save.
  bool readyToSave() override { return checkACT(); }
  // As Cancel, without its guard: the save still counts as running.
  void discardEditsAfterSave() override;
  // The classic rows shown and enabled again.
  void reenableAfterSave() override { enableOldControlsEnable_hidden(true, false); }

 private:
  // The outlets of one classic row.
  struct Row {
    settings::ElidedLabel* label = nullptr;
    QToolButton* information = nullptr;  // none on the two VOX rows
    QWidget* control = nullptr;          // radio matrix, pop-up, or the timeout field
  };

  void build_rows();
  void build_notes_and_buttons();
  void build_sheet_controls();
  // The row change of the cell control `sender`.
  void change_all_settings_row(QObject* sender);
  void bind_keys();
  void place_row(settings::PanelRow row, const settings::RowFrames& frames);
  // Hidden and disabled, or shown and enabled (a row's label is only shown or hidden).
  void set_row_shown(settings::PanelRow row, bool shown);
  // The controls of a row that are enabled and disabled: its information
  // button and value control (the timeout's field and stepper); nullptr where
  // the row has none.
  std::array<QWidget*, 3> value_controls(settings::PanelRow row);
  void show_value(settings::PanelRow row, int value);
  // A setting action of the classic panel with the user's column or item.
  void change(settings::PanelRow row, int choice);
  Row& row(settings::PanelRow which) { return m_rows[static_cast<size_t>(settings::index_of(which))]; }

  std::unique_ptr<settings::SettingsHost> m_host;
  settings::SettingsEditor m_editor;
  DeviceAllSettingsSheet* m_sheetDeviceAllSettings = nullptr;

  std::array<Row, settings::k_panel_row_count> m_rows{};
  QLineEdit* m_tfACT = nullptr;
  settings::Stepper* m_stepperACT = nullptr;
  QLabel* m_lblACTUnit = nullptr;
  QLabel* m_lblNoteEDR = nullptr;
  settings::ElidedLabel* m_lblNoteApply = nullptr;
  QToolButton* m_btnNoteApply = nullptr;
  QPushButton* m_btnAllSettings = nullptr;
  QPushButton* m_btnDefault = nullptr;
  QPushButton* m_btnCancel = nullptr;
  QPushButton* m_btnSave = nullptr;

  QPointer<QPushButton> m_btnDeviceAllSettingsBasicSave;
  QPointer<QPushButton> m_btnDeviceAllSettingsBasicDefault;
  QPointer<QPushButton> m_btnDeviceAllSettingsBasicCancel;
  QPointer<QPushButton> m_btnDeviceAllSettingsBasicClose;
  QPointer<QTableWidget> m_tableViewDeviceAllSettingsBasic;
  QPointer<QScrollArea> m_scrollViewDeviceAllSettingsBasic;
};
