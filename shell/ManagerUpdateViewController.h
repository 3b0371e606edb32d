#pragma once
// Manager update page (page mode 2): offers the newer published manager; Yes
// opens its download address in the browser and ends the program, No goes on
// to the device selection.
#include <functional>
#include <string>

#include "widgets/DetailViewController.h"

class QLabel;

class ManagerUpdateViewController : public DetailViewController {
  Q_OBJECT

 public:
  explicit ManagerUpdateViewController(QWidget* parent = nullptr);

  // Entry of the page.
  void initializeObject();
  // Button titles, then the offer text.
  void setControls() override;
  // Yes, No and release-notes titles, or the shortcut hints; the release-notes button stays hidden.
  void setShortcuts() override;
  // The offer, in the controller's current language.
  std::string stringInstruction() const;
  // Yes: saves the configuration archive, opens the download address and ends the process (status 0).
  void okUpdate(QObject* sender = nullptr);
  // No: the device selection.
  void cancelUpdate(QObject* sender = nullptr);

  QPushButton* btnYes() const { return m_rightButton; }
  QPushButton* btnNo() const { return m_leftButton; }
  QPushButton* btnReleaseNotes() const { return m_btnReleaseNotes; }

  // How okUpdate ends the process; tests replace it.
  static std::function<void(int)>& process_exit();

 private:
  QLabel* m_tfInstruction = nullptr;
  QPushButton* m_btnReleaseNotes = nullptr;
};
