#include "recognition/DeviceSelectionViewController.h"

#include <QCoreApplication>
#include <QIcon>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/named_images.h"

namespace {

// Picture of the home button.
constexpr char k_image_home[] = "verranohome.png";
constexpr QSize k_home_size(128, 128);

}  // namespace

std::atomic<bool> DeviceSelectionViewController::s_checkedManagerUpdate{false};

DeviceSelectionViewController::DeviceSelectionViewController(QWidget* parent) : DetailViewController(parent) {
  build_frame("btnBack", "btnNext");
  // the start page has no page before it: Back only carries its word
  btnBack()->setEnabled(false);
  auto* body = new QVBoxLayout;
  m_btnHome = new QPushButton(this);
  m_btnHome->setObjectName("btnHome");
  m_btnHome->setIconSize(k_home_size);
  m_btnHome->setMinimumSize(k_home_size);
  m_btnHome->setFlat(true);
  make_processing_indicator();
  body->addWidget(m_btnHome, 0, Qt::AlignCenter);
  body->addWidget(m_piProcessing);
  static_cast<QVBoxLayout*>(layout())->insertLayout(1, body);
  m_timer = new QTimer(this);
  m_timer->setInterval(1000);
  connect(m_timer, &QTimer::timeout, this, &DeviceSelectionViewController::timerMethodCheckManagerUpdate);
  connect(m_btnHome, &QPushButton::clicked, this, [this] { btnHomeClick(m_btnHome); });
  connect(m_rightButton, &QPushButton::clicked, this, [this] { targetDeviceSet(m_rightButton); });
  // a quitting application does not wait for the server: the request is
  // aborted before the shut-down that follows the end of the event loop
  if (QCoreApplication* application = QCoreApplication::instance()) {
    connect(application, &QCoreApplication::aboutToQuit, this, [this] {
      if (m_check) m_check->stop_and_join();
    });
  }
}

DeviceSelectionViewController::~DeviceSelectionViewController() = default;

void DeviceSelectionViewController::initializeObjectOnStartUp(bool on_start_up) {
  FEXOBluetoothManagerAppController* controller = appController();
  controller->setShowShortcuts(false);
  controller->reflectShortcuts();
  m_deviceTargetSelected = controller->deviceTarget();
  controller->setTitle();
  if (m_deviceTargetSelected == 0) m_deviceTargetSelected = k_default_product;
  setControls();
  if (on_start_up) checkManagerUpdate();
}

void DeviceSelectionViewController::setControls() {
  FEXOBluetoothManagerAppController* controller = appController();
  // the old single-unit id of this product is shown under its current one
  if (m_deviceTargetSelected == 0x4010) {
    m_deviceTargetSelected = 0x4D10;
    controller->setDeviceTarget(0x4D10);
  }
  m_btnHome->setEnabled(true);
  m_btnHome->setVisible(true);
  // the same picture serves as image and as alternate image
  QIcon home(shell::named_image(k_image_home));
  home.addPixmap(shell::named_image(k_image_home), QIcon::Active);
  m_btnHome->setIcon(home);
  setShortcuts();
  btnBack()->setText(QString::fromStdString(AppTexts::vyla_string_back_in(controller->languageManager())));
  const bool processing = controller->onProcessing();
  show_processing(processing);
}

void DeviceSelectionViewController::setShortcuts() {
  FEXOBluetoothManagerAppController* controller = appController();
  if (!controller) return;
  const int language = controller->languageManager();
  show_titles(shell::k_mode_device_selection, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              controller->showShortcuts() ? QString::fromUtf8("[C]-▶")
                                          : QString::fromStdString(AppTexts::vyla_string_next_in(language)));
}

void DeviceSelectionViewController::targetDeviceSet(QObject*) {
  FEXOBluetoothManagerAppController* controller = appController();
  // nothing else starts while the version check runs
  if (controller->onProcessing()) return;
  controller->setDeviceTarget(m_deviceTargetSelected);
  controller->setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
}

void DeviceSelectionViewController::btnHomeClick(QObject*) { targetDeviceSet(btnNext()); }

void DeviceSelectionViewController::checkManagerUpdate() {
  FEXOBluetoothManagerAppController* controller = appController();
  if (!m_check) {
    m_check = std::make_unique<recognition::ManagerUpdateCheck>(
        *controller, platform::CachePolicy::reload_ignoring_local_and_remote_cache_data);
  }
  m_check->setGoManagerUpdate(false);
  controller->setOnProcessing(true);
  controller->setControls();
  if (!m_check->start(s_checkedManagerUpdate)) {
    controller->setOnProcessing(false);
    controller->setControls();
    return;
  }
  // the page's activity bar runs while the server is asked
  setControls();
  m_timer->start();
}

void DeviceSelectionViewController::timerMethodCheckManagerUpdate() {
  if (!m_check || !m_check->threadTerminated()) return;
  m_timer->stop();
  m_check->join();
  FEXOBluetoothManagerAppController* controller = appController();
  controller->setOnProcessing(false);
  controller->setControls();
  setControls();
  if (m_check->goManagerUpdate()) controller->setManagerUpdate();
}
