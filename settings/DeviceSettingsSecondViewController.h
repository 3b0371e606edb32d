#pragma once
// FM radio page (page mode 8, the second settings page): the reception
// region, up to ten station presets (six on the six-preset products) and the
// RDS AF switch of a device with an FM radio. The page is a fixed panel the
// size of the main window's page area; every control is a child named after
// its outlet. The editing itself (working copies, change detection, resets,
// slot rules, the typed frequency check) is settings::FMRadioEditor; the save
// is the shared one (settings/save_engine.h) with the FM block procedures of
// settings/fm_radio_save.h.
#include <QString>
#include <array>
#include <memory>

#include "settings/DeviceSettingsBaseViewController.h"
#include "settings/fm_radio_editor.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QToolButton;

namespace settings {
class RadioMatrix;
class Stepper;
}  // namespace settings

class DeviceSettingsSecondViewController : public DeviceSettingsBaseViewController {
  Q_OBJECT

 public:
  explicit DeviceSettingsSecondViewController(QWidget* parent = nullptr);
  ~DeviceSettingsSecondViewController() override;

  settings::FMRadioEditor& editor() { return m_editor; }
  const FEXOBluetoothDeviceData& dataCurrent() const override { return m_editor.dataCurrent(); }
  const FEXOBluetoothDeviceData& dataDefault() const override { return m_editor.dataDefault(); }
  bool isSettingsChanged() const override { return m_editor.isSettingsChanged(); }
  bool checkNeedToSave() override { return m_editor.checkNeedToSave(); }
  void moveToModeToGo() override { m_editor.moveToModeToGo(modeToGo()); }

  // Opening the page: key hints off, fresh working copies, the FM tab
  // selected, the controls showing the working copy.
  void initializeObject() override;
  // Texts, visibility and enabled states (everything disabled while an
  // operation runs; Save only while the FM block differs from the device's).
  void setControls() override;
  // Localized titles, or the key hints while the controller shows them.
  void setShortcuts() override;
  // The region, slots and RDS from the working copy; a product without an FM
  // radio keeps its controls as they are.
  void setControlsWithData();

  // ---- actions ----
  void changeFMRadioRegion(QObject* sender);
  void checkFMRadioPreset(QObject* sender);
  void changeFMRadioPreset(QObject* sender);
  void openFMRadioPresetEdit(QObject* sender);
  void okFMRadioPresetEdit(QObject* sender = nullptr);
  void cancelFMRadioPresetEdit(QObject* sender = nullptr);
  void warnFMRadioPresetEdit(QObject* sender = nullptr);
  // Stores the typed frequency in the slot being edited and answers true, or
  // turns the sheet to its warning and answers false.
  bool isFMRadioPresetValid();
  void changeFMRadioRDS(QObject* sender);
  void displayInformation(QObject* sender);
  void changeToDefault(QObject* sender = nullptr);
  void changeToOriginal(QObject* sender = nullptr);
  // The region pop-up is about to open: the tab list closes.
  void menuWillOpen();

  // The preset edit sheet (a window-modal dialog of the page).
  QDialog* sheetFMRadioPresetEdit() const { return m_sheetFMRadioPresetEdit; }
  // The slot the sheet edits, -1 for none.
  int indexSelectedForFMRadioEdit() const { return m_indexSelectedForFMRadioEdit; }

 protected:
  // As Cancel, without its guard: the save still counts as running.
  void discardEditsAfterSave() override;
  // The RDS matrix, enabled again after a successful save.
  void reenableAfterSave() override;

 private:
  void build_region_and_presets();
  void build_rds_and_buttons();
  void build_sheet();
  // The keys of the hinted controls: Save, Default, Cancel, the presets' check
  // boxes and buttons by number, and the RDS row.
  void bind_keys();
  // The slot whose control is `sender`; -1 for none.
  template <class Control>
  int slot_of(const std::array<Control*, settings::k_fm_slot_count>& controls, QObject* sender) const;
  // The sheet's edit view (true) or warning view (false).
  void show_edit_view(bool edit);

  std::unique_ptr<settings::SettingsHost> m_host;
  settings::FMRadioEditor m_editor;

  QLabel* m_lblFMRadioRegion = nullptr;
  QComboBox* m_popUpFMRadioRegion = nullptr;
  QLabel* m_lblFMRadioPresets = nullptr;
  std::array<QCheckBox*, settings::k_fm_slot_count> m_cbFMRadioPresets{};
  std::array<QPushButton*, settings::k_fm_slot_count> m_btnFMRadioPresets{};
  std::array<settings::Stepper*, settings::k_fm_slot_count> m_stepperFMRadioPresets{};
  std::array<QLabel*, settings::k_fm_slot_count> m_lblFMRadioPresetUnits{};
  QLabel* m_lblFMRadioRDS = nullptr;
  QToolButton* m_btnFMRadioRDS = nullptr;
  settings::RadioMatrix* m_radioFMRadioRDS = nullptr;
  QPushButton* m_btnDefault = nullptr;
  QPushButton* m_btnCancel = nullptr;
  QPushButton* m_btnSave = nullptr;

  QDialog* m_sheetFMRadioPresetEdit = nullptr;
  QLabel* m_lblFMRadioPresetEditNumber = nullptr;
  QLineEdit* m_tfFMRadioPresetEdit = nullptr;
  QLabel* m_lblFMRadioPresetEditUnit = nullptr;
  QLabel* m_lblFMRadioPresetEditRange = nullptr;
  QPushButton* m_btnFMRadioPresetEditOK = nullptr;
  QPushButton* m_btnFMRadioPresetEditCancel = nullptr;
  QPushButton* m_btnFMRAdioPresetEditWarning = nullptr;
  // under the warning: back to the field, as a click on the warning is
  QPushButton* m_btnFMRadioPresetEditWarningOK = nullptr;
  int m_indexSelectedForFMRadioEdit = -1;
};
