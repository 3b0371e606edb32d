#pragma once
// Manager update page (page mode 2): offers the newer published manager.
#include "shell/DetailViewController.h"

class ManagerUpdateViewController : public DetailViewController {
  Q_OBJECT

 public:
  explicit ManagerUpdateViewController(QWidget* parent = nullptr);

  // Entry of the page.
  void initializeObject();
  void setControls() override;
  void setShortcuts() override;

  QPushButton* btnNext() const { return m_rightButton; }
  QPushButton* btnBack() const { return m_leftButton; }
};
