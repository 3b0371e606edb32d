#include "recognition/DeviceRecognitionViewController.h"

#include <QPushButton>

#include "shell/FEXOBluetoothManagerAppController.h"

DeviceRecognitionViewController::DeviceRecognitionViewController(QWidget* parent) : DetailViewController(parent) {
  build_frame("btnBack", "btnNext");
  connect(btnNext(), &QPushButton::clicked, this, [this] { recognize(btnNext()); });
  connect(btnBack(), &QPushButton::clicked, this, [this] { targetDevice(btnBack()); });
}

void DeviceRecognitionViewController::initializeObject() { setControls(); }

void DeviceRecognitionViewController::recognize(QObject*) {
  FEXOBluetoothManagerAppController* controller = appController();
  if (controller->onProcessing()) return;
  controller->setStatus_withWarning(controller->getStatusProcessing(), false);
}

void DeviceRecognitionViewController::doRecognize(const FEXOBluetoothDeviceData*) { recognize(btnNext()); }

void DeviceRecognitionViewController::targetDevice(QObject*) {
  if (appController()->onProcessing()) return;
  appController()->setDeviceSelection();
}

void DeviceRecognitionViewController::setControls() { setShortcuts(); }

void DeviceRecognitionViewController::setShortcuts() {
  const int language = appController()->languageManager();
  show_titles(shell::k_mode_device_recognition, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              QString::fromStdString(AppTexts::vyla_string_next_in(language)));
}
