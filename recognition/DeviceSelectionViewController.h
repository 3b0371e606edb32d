#pragma once
// Device selection page (page mode 3), the start page: holds the product the
// user is about to connect and leads to the recognition page. At start-up it
// asks the server once per run whether a newer manager is published.
#include <atomic>
#include <memory>

#include "recognition/manager_update_check.h"
#include "widgets/DetailViewController.h"

class QTimer;

class DeviceSelectionViewController : public DetailViewController {
  Q_OBJECT

 public:
  // Product selected when none is stored.
  static constexpr int k_default_product = 0x6020;
  explicit DeviceSelectionViewController(QWidget* parent = nullptr);
  // Stops a running version check and waits for its thread (a tenth of a second).
  ~DeviceSelectionViewController() override;
  // The same, at shut-down.
  void stopManagerUpdateCheck();

  // Entry of the page; `on_start_up` is true only at program start, where the
  // manager version check runs.
  void initializeObjectOnStartUp(bool on_start_up);
  // Next: keeps the selected product and opens the recognition page.
  void targetDeviceSet(QObject* sender = nullptr);
  // The home button: Next.
  void btnHomeClick(QObject* sender = nullptr);
  // Starts the manager version check once per run.
  void checkManagerUpdate();
  // The check's one-second poll: opens the manager update page when a newer one exists.
  void timerMethodCheckManagerUpdate();

  // Home button, Back's word and the progress by the controller's onProcessing.
  void setControls() override;
  // Next carries its word, or the shortcut hint.
  void setShortcuts() override;
  // The product Next hands to the controller.
  int deviceTargetSelected() const { return m_deviceTargetSelected; }
  // Hand-off of the version check: a newer manager was found; the check has ended.
  bool goManagerUpdate() const { return m_check && m_check->goManagerUpdate(); }
  bool threadTerminated() const { return m_check && m_check->threadTerminated(); }
  QPushButton* btnNext() const { return m_rightButton; }
  QPushButton* btnBack() const { return m_leftButton; }
  QPushButton* btnHome() const { return m_btnHome; }

  // Set once this page class has checked in this run (tests that must not
  // reach an update server set it beforehand).
  static std::atomic<bool> s_checkedManagerUpdate;

 private:
  int m_deviceTargetSelected = 0;
  QPushButton* m_btnHome = nullptr;
  QTimer* m_timer = nullptr;
  std::unique_ptr<recognition::ManagerUpdateCheck> m_check;
};
