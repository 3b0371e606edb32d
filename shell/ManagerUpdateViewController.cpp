#include "shell/ManagerUpdateViewController.h"

#include <QPushButton>

#include "shell/FEXOBluetoothManagerAppController.h"

ManagerUpdateViewController::ManagerUpdateViewController(QWidget* parent) : DetailViewController(parent) {
  build_frame("btnBack", "btnNext");
  // both lead back to the device selection, the page that offered the update
  connect(btnNext(), &QPushButton::clicked, this, [this] { appController()->setDeviceSelection(); });
  connect(btnBack(), &QPushButton::clicked, this, [this] { appController()->setDeviceSelection(); });
}

void ManagerUpdateViewController::initializeObject() { setControls(); }

void ManagerUpdateViewController::setControls() { setShortcuts(); }

void ManagerUpdateViewController::setShortcuts() {
  const int language = appController()->languageManager();
  show_titles(shell::k_mode_manager_update, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              QString::fromStdString(AppTexts::vyla_string_next_in(language)));
}
