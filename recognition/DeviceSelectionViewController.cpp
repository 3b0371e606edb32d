#include "recognition/DeviceSelectionViewController.h"

#include <QIcon>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "strings/app_texts.h"
#include "widgets/named_images.h"

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
  m_btnHome = page_control<QPushButton>("btnHome");
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
}

DeviceSelectionViewController::~DeviceSelectionViewController() { stopManagerUpdateCheck(); }

void DeviceSelectionViewController::stopManagerUpdateCheck() {
  if (m_check) m_check->stop_and_join();
}

void DeviceSelectionViewController::initializeObjectOnStartUp(bool on_start_up) {
  state().setShowShortcuts(false);
  services()->reflectShortcuts();
  m_deviceTargetSelected = state().deviceTarget();
  services()->setTitle();
  if (m_deviceTargetSelected == 0) m_deviceTargetSelected = k_default_product;
  setControls();
  if (on_start_up) checkManagerUpdate();
}

void DeviceSelectionViewController::setControls() {
  // the old single-unit id of this product is shown under its current one
  if (m_deviceTargetSelected == 0x4010) {
    m_deviceTargetSelected = 0x4D10;
    state().setDeviceTarget(0x4D10);
  }
  m_btnHome->setEnabled(true);
  m_btnHome->setVisible(true);
  // the same picture serves as image and as alternate image
  QIcon home(widgets::named_image(k_image_home));
  home.addPixmap(widgets::named_image(k_image_home), QIcon::Active);
  m_btnHome->setIcon(home);
  setShortcuts();
  btnBack()->setText(QString::fromStdString(AppTexts::vyla_string_back_in(state().languageManager())));
  const bool processing = state().onProcessing();
  show_processing(processing);
}

void DeviceSelectionViewController::setShortcuts() {
  if (!services()) return;
  const int language = state().languageManager();
  show_titles(session::k_mode_device_selection, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              state().showShortcuts() ? QString::fromUtf8("[C]-▶")
                                          : QString::fromStdString(AppTexts::vyla_string_next_in(language)));
}

void DeviceSelectionViewController::targetDeviceSet(QObject*) {
  // nothing else starts while the version check runs
  if (state().onProcessing()) return;
  state().setDeviceTarget(m_deviceTargetSelected);
  services()->setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
}

void DeviceSelectionViewController::btnHomeClick(QObject*) { targetDeviceSet(btnNext()); }

void DeviceSelectionViewController::checkManagerUpdate() {
  if (!m_check) {
    m_check = std::make_unique<recognition::ManagerUpdateCheck>(
        state(), platform::CachePolicy::reload_ignoring_local_and_remote_cache_data);
  }
  // the page's activity bar runs while the server is asked
  if (m_check->begin(*services(), s_checkedManagerUpdate, [this] { setControls(); })) m_timer->start();
}

void DeviceSelectionViewController::timerMethodCheckManagerUpdate() {
  if (!m_check || !m_check->end(*services(), [this] { setControls(); })) return;
  m_timer->stop();
  if (m_check->goManagerUpdate()) services()->setManagerUpdate();
}
