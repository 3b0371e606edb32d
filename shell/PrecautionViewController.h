#pragma once
// Precaution page: warns that some devices can switch off the computer's own
// Bluetooth, so that a Bluetooth keyboard and mouse may stop working. When the
// user answers that they are the only input devices, the page asks for the
// current user's password twice and keeps it, plain and encrypted, in the
// controller's state for this run. Leaving the page runs the manager version
// check, which leads to the manager update page or the device selection.
//
// The controller neither creates nor shows this page; its menu item stays
// hidden and disabled.
#include <atomic>
#include <memory>
#include <string>

#include "recognition/manager_update_check.h"
#include "widgets/DetailViewController.h"

class QButtonGroup;
class QCheckBox;
class QDialog;
class QLineEdit;
class QRadioButton;
class QTimer;

class PrecautionViewController : public DetailViewController {
  Q_OBJECT

 public:
  explicit PrecautionViewController(QWidget* parent = nullptr);
  // Stops a running version check and waits for its thread (a tenth of a second).
  ~PrecautionViewController() override;

  // Entry of the page: the manager version check.
  void initializeObjectOnStartUp(bool on_start_up);
  // True while "Yes" is chosen: only a Bluetooth keyboard and mouse are at hand.
  bool needDeviceConversion() const;

  // Texts, and the password area shown and usable only while "Yes" is chosen;
  // everything disabled while the controller's onProcessing is set.
  void setControls() override;
  // Button titles, or the shortcut hints while the controller shows them.
  void setShortcuts() override;

  // The answer changed: refresh and select the password's text.
  void changeResponse(QObject* sender = nullptr);
  // OK: with "Yes", refuses an empty password or a confirmation that differs
  // (a notice box; nothing is stored and the page stays), else keeps the
  // password; with "No", keeps no password. Then stores whether the page shows
  // at start-up and runs the manager version check.
  void closePrecaution(QObject* sender = nullptr);
  // More...: the device-conversion information, window-modal on the page's window.
  void showAboutConvertDevice(QObject* sender = nullptr);
  void closeAboutConvertDevice(QObject* sender = nullptr);

  // Starts the manager version check once per run; when it already ran, goes
  // on to the device selection at once.
  void checkManagerUpdate();
  // The check's one-second poll: the manager update page when a newer manager
  // exists, else the device selection.
  void timerMethodCheckManagerUpdate();
  // Hand-off of the version check: a newer manager was found; the check has ended.
  bool goManagerUpdate() const { return m_check && m_check->goManagerUpdate(); }
  bool threadTerminated() const { return m_check && m_check->threadTerminated(); }

  // Set once this page class has checked in this run; the device selection
  // page keeps a flag of its own.
  static std::atomic<bool> s_checkedManagerUpdate;

 private:
  // Opens the notice that refuses the password with `message`.
  void refusePassword(const std::string& message);

  QLabel* m_tfPrecaution = nullptr;
  QButtonGroup* m_radioInput = nullptr;
  QRadioButton* m_yesInput = nullptr;
  QRadioButton* m_noInput = nullptr;
  QLabel* m_tfMakeSafe = nullptr;
  QLabel* m_tfEnterPassword = nullptr;
  QLabel* m_tfConfirmPassword = nullptr;
  QLabel* m_tfNote = nullptr;
  QLineEdit* m_tfPassword = nullptr;
  QLineEdit* m_tfPasswordConfirm = nullptr;
  QPushButton* m_btnMore = nullptr;
  QCheckBox* m_btnShowPrecaution = nullptr;
  QPushButton* m_btnOK = nullptr;
  QDialog* m_sheetAboutDeviceConversion = nullptr;
  QLabel* m_tfAboutDeviceConversionPrecaution = nullptr;
  QLabel* m_tfAboutDeviceConversionNote = nullptr;
  QPushButton* m_btnAboutDeviceConversionOK = nullptr;
  QTimer* m_timer = nullptr;
  std::unique_ptr<recognition::ManagerUpdateCheck> m_check;
};
