#pragma once
// Speed-dial page (page mode 9): the device's three speed-dial numbers, one
// button each titled with its number (or the word for empty), an edit sheet
// that takes at most 20 characters of "0123456789+*#", Default (three empty
// numbers), Cancel (the device's numbers) and Save, which writes them by the
// device family's procedure (settings/speed_dial_save.h) on the shared save.
// A fixed panel the size of the page area, its controls placed at frames.
#include <QValidator>
#include <array>

#include "settings/DeviceSettingsBaseViewController.h"

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

// The edit field's input check: a text of at most 20 characters, each one of
// "0123456789+*#", is Acceptable (the empty text included); anything else is
// Invalid, so typing it is refused.
class SpeedDialFormatter : public QValidator {
  Q_OBJECT

 public:
  explicit SpeedDialFormatter(QObject* parent = nullptr) : QValidator(parent) {}
  State validate(QString& input, int& position) const override;
};

class DeviceSettingsSpeedDialViewController : public DeviceSettingsBaseViewController {
  Q_OBJECT

 public:
  explicit DeviceSettingsSpeedDialViewController(QWidget* parent = nullptr);

  // Opening the page: key hints off, a working copy of the device's record
  // and a default record with three empty numbers (the voice prompt kept),
  // the speed-dial tab selected, the controls refreshed.
  void initializeObject() override;
  // Titles, numbers, and the enabled states: everything disabled while an
  // operation runs; otherwise all enabled, Save only while a number differs
  // from the device's.
  void setControls() override;
  // Localized titles, or the key hints while the controller shows them.
  void setShortcuts() override;
  // Each number button titled with its number, or the word for empty.
  void setControlsWithData();
  // True as soon as one number differs from the device's.
  bool isSettingsChanged() const override;

  // The edit sheet of the number whose button is `sender` (any other sender: nothing).
  void openSpeedDialEdit(QObject* sender);
  // OK: the sheet closes once the field holds a valid number, which the working copy takes.
  void okSpeedDialEdit(QObject* sender = nullptr);
  // Cancel: the sheet closes, the working copy unchanged.
  void cancelSpeedDialEdit(QObject* sender = nullptr);
  // The field's text as number `indexSelectedSpeedDialEdit`: false (the text
  // cut to 20 characters, or left as it is, and selected) when it is longer
  // or holds another character than "0123456789+*#"; the empty text clears
  // the number.
  bool isSpeedDialValid();
  // Default: three empty numbers.
  void changeToDefault(QObject* sender = nullptr);
  // Cancel: the device's numbers again.
  void changeToOriginal(QObject* sender = nullptr);

  // The number in the edit sheet (0 to 2); -1 before the sheet first opened.
  int indexSelectedSpeedDialEdit() const { return m_indexSelectedSpeedDialEdit; }
  QDialog* sheetSpeedDialEdit() const { return m_sheetSpeedDialEdit; }
  QLineEdit* tfSpeedDialEdit() const { return m_tfSpeedDialEdit; }

 protected:
  void make_working_copies() override;

 private:
  void build_rows();
  void build_buttons();
  void build_sheet();
  void bind_keys();
  // The action guard: false while an operation runs; otherwise closes an
  // open tab list and answers true.
  bool begin_action();
  // The working copy := `source`'s settings, the versions it opened with kept.
  void take_numbers_of(const FEXOBluetoothDeviceData& source);

  std::array<QLabel*, 3> m_lblSpeedDials{};
  std::array<QPushButton*, 3> m_btnSpeedDials{};
  QPushButton* m_btnDefault = nullptr;
  QPushButton* m_btnCancel = nullptr;
  QPushButton* m_btnSave = nullptr;

  QDialog* m_sheetSpeedDialEdit = nullptr;
  QLabel* m_lblSpeedDialEditNumber = nullptr;
  QLineEdit* m_tfSpeedDialEdit = nullptr;
  QPushButton* m_btnSpeedDialEditOK = nullptr;
  QPushButton* m_btnSpeedDialEditCancel = nullptr;

  int m_indexSelectedSpeedDialEdit = -1;
};
