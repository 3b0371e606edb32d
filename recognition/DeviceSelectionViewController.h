#pragma once
// Device selection page (page mode 3): holds the selected product; its Next
// leads to the recognition page.
#include "shell/DetailViewController.h"

class DeviceSelectionViewController : public DetailViewController {
  Q_OBJECT

 public:
  // Product selected when none is stored.
  static constexpr int k_default_product = 0x6020;

  explicit DeviceSelectionViewController(QWidget* parent = nullptr);

  // Entry of the page; `on_start_up` is true only at program start.
  void initializeObjectOnStartUp(bool on_start_up);
  // The page's "next": keeps the selected product and opens the recognition page.
  void targetDeviceSet(QObject* sender = nullptr);
  void setControls() override;
  void setShortcuts() override;

  QPushButton* btnNext() const { return m_rightButton; }
  QPushButton* btnBack() const { return m_leftButton; }
};
