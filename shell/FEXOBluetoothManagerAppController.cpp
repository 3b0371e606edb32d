// Creation, start-up and the configuration archive of the application controller.
#include "shell/FEXOBluetoothManagerAppController.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <sstream>
#include <vector>

#include "platform/files.h"
#include "platform/os_version.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/DeviceSelectionViewController.h"
#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "shell/FEXOBluetoothManagerView.h"
#include "shell/ManagerUpdateViewController.h"
#include "transport/usb_library.h"
#include "update/UpdateViewController.h"

namespace {

constexpr char k_configuration_file_name[] = "Vexlink Setwise.vylaconf";
constexpr char k_default_manager_version[] = "v1.0";

// Interface languages this edition offers: English, French, German, Italian,
// Spanish, Dutch.
bool offered_language(int language) {
  switch (language) {
    case 0: case 1: case 2: case 3: case 6: case 7:
      return true;
    default:
      return false;
  }
}

}  // namespace

FEXOBluetoothManagerAppController::FEXOBluetoothManagerAppController(QObject* parent) : QObject(parent) {
  transport::open_usb_libraries();

  const auto adopt = [this](auto* page) {
    page->setServices(this);
    return page;
  };
  m_managerUpdateViewController = adopt(new ManagerUpdateViewController);
  m_deviceSelectionViewController = adopt(new DeviceSelectionViewController);
  m_deviceRecognitionViewController = adopt(new DeviceRecognitionViewController);
  m_updateViewController = adopt(new UpdateViewController(session::k_mode_firmware_update));
  m_restoreViewController = adopt(new UpdateViewController(session::k_mode_firmware_restore));
  m_deviceSettingsViewController = adopt(new DeviceSettingsViewController);
  m_deviceSettingsSecondViewController = adopt(new DeviceSettingsSecondViewController);
  m_deviceSettingsSpeedDialViewController = adopt(new DeviceSettingsSpeedDialViewController);

  data() = FEXOBluetoothDeviceData();
  setUrlManagerUpdate(std::nullopt);
  setOsVersionPrimary(10);
  setOsVersionSecondary(9);
  setOsVersionMinor(0);
  setOsVersionFromString(platform::operating_system_version());

  build_window();
  awakeFromNib();
}

FEXOBluetoothManagerAppController::~FEXOBluetoothManagerAppController() {
  // the window owns the pages and every outlet
  delete m_window;
}

void FEXOBluetoothManagerAppController::awakeFromNib() { initializeObject(); }

void FEXOBluetoothManagerAppController::stopWorkers() {
  m_updateViewController->stopUpdate();
  m_restoreViewController->stopUpdate();
  m_deviceRecognitionViewController->stopRecognition();
  // a save is not stopped halfway through its writes: it ends by itself
  m_deviceSettingsViewController->waitForSave();
  m_deviceSettingsSecondViewController->waitForSave();
  m_deviceSettingsSpeedDialViewController->waitForSave();
  m_deviceSelectionViewController->stopManagerUpdateCheck();
}

bool FEXOBluetoothManagerAppController::setOsVersionFromString(const std::string& text) {
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    std::vector<std::string> parts;
    std::istringstream pieces(word);
    std::string part;
    while (std::getline(pieces, part, '.')) parts.push_back(part);
    if (!word.empty() && word.back() == '.') parts.emplace_back();
    if (parts.size() < 2 || parts.size() > 3) continue;
    const int primary = std::atoi(parts[0].c_str());
    if (primary == 0) continue;
    setOsVersionPrimary(primary);
    setOsVersionSecondary(std::atoi(parts[1].c_str()));
    setOsVersionMinor(parts.size() == 3 ? std::atoi(parts[2].c_str()) : 0);
    return true;
  }
  return false;
}

DetailViewController* FEXOBluetoothManagerAppController::currentDetailViewController() const {
  switch (mode()) {
    case session::k_mode_manager_update: return m_managerUpdateViewController;
    case session::k_mode_device_selection: return m_deviceSelectionViewController;
    case session::k_mode_device_recognition: return m_deviceRecognitionViewController;
    case session::k_mode_firmware_update: return m_updateViewController;
    case session::k_mode_firmware_restore: return m_restoreViewController;
    case session::k_mode_device_settings: return m_deviceSettingsViewController;
    case session::k_mode_device_settings_second: return m_deviceSettingsSecondViewController;
    case session::k_mode_device_settings_speed_dial: return m_deviceSettingsSpeedDialViewController;
    default: return nullptr;
  }
}

void FEXOBluetoothManagerAppController::initializeObject() {
  // defaults
  setStrManagerVersion(std::nullopt);
  setStrLanguageManager(std::nullopt);
  setApplyToLanguageFirmware(true);
  setDeviceTarget(0);
  setLanguageManager(0);
  setStrLanguageFirmware(std::nullopt);
  m_view->setAppController(this);
  setShowShortcuts(false);
  setDeviceUpdatedOrRestored(0);
  for (int language = 0; language < strings::k_language_count; ++language) setStrStatus_In(std::nullopt, language);
  setStatusWithWarning(false);
  setSkipRestoreBackupFile(false);

  // dark red title bar
  QPalette title = m_lblDetailTitle->palette();
  title.setColor(QPalette::Window, QColor(178, 0, 0));
  m_lblDetailTitle->setPalette(title);

  // configuration of the last run; a damaged archive leaves what was set so far
  try {
    ArchivedConfiguration archived;
    if (std::optional<platform::Bytes> bytes = platform::read_file(configuration_file_path())) {
      archived = initWithCoder(platform::KeyedUnarchiver::open_root(*bytes));
    }
    setStrManagerVersion(archived.strManagerVersion.value_or(k_default_manager_version));
    if (archived.strLanguageManager) {
      setStrLanguageManager(archived.strLanguageManager);
      setApplyToLanguageFirmware(archived.applyToLanguageFirmware);
    } else {
      setStrLanguageManager(vyla_language_manager(0));
    }
    setLanguageManager(vyla_language_manager_index_with_default(strLanguageManager().value_or(""), true));
    setDeviceTarget(archived.deviceTarget);
    setRestartToRecover(archived.restartToRecover);
    setModeRestartToRecover(archived.modeRestartToRecover);
    setStrRestartDFUFirmwareFile(archived.strRestartDFUFirmwareFile);
    setIndexRestartDFUFirmwareLanguage(archived.indexRestartDFUFirmwareLanguage);
    setDeviceVersionMajorRestartDFU(archived.deviceVersionMajorRestartDFU);
    setDeviceVersionMinorRestartDFU(archived.deviceVersionMinorRestartDFU);
    setDeviceSecondaryVersionTypeRestartDFU(archived.deviceSecondaryVersionTypeRestartDFU);
    setDeviceSecondaryVersionRestartDFU(archived.deviceSecondaryVersionRestartDFU);
    setStrLanguageFirmware(archived.strLanguageFirmware ? archived.strLanguageFirmware
                                                        : std::optional<std::string>(vyla_language_manager(0)));
  } catch (const std::exception&) {
  }

  if (!offered_language(languageManager())) setLanguageManager(0);
  load_qt_translations();

  setControlsFont();
  setOnProcessing(false);
  m_initialized = true;
  // the refresh leaves the header alone while processing, and the first page
  // may start with the version check: show "no device" from the first moment
  setInformationDeviceRecognized();

  if (restartToRecover()) {
    setDeviceRecognitionWithStatus_info_from(false, nullptr, modeRestartToRecover());
    m_deviceRecognitionViewController->recognize(m_deviceRecognitionViewController->btnNext());
    setRestartToRecover(false);
    setModeRestartToRecover(0);
  } else {
    setDeviceSelectionOnStartUp(true);
  }
}

// ---- configuration archive ----

const platform::ArchiveClass& FEXOBluetoothManagerAppController::archive_class() {
  return shell::configuration_archive_class();
}

std::string FEXOBluetoothManagerAppController::configuration_file_path() {
  return (platform::application_folder() / k_configuration_file_name).string();
}

void FEXOBluetoothManagerAppController::encodeWithCoder(platform::KeyedArchiver& coder) const {
  ArchivedConfiguration configuration;
  configuration.strManagerVersion = strManagerVersion();
  configuration.strLanguageManager = strLanguageManager();
  configuration.applyToLanguageFirmware = applyToLanguageFirmware();
  configuration.deviceTarget = deviceTarget();
  configuration.restartToRecover = restartToRecover();
  configuration.modeRestartToRecover = modeRestartToRecover();
  configuration.strRestartDFUFirmwareFile = strRestartDFUFirmwareFile();
  configuration.indexRestartDFUFirmwareLanguage = indexRestartDFUFirmwareLanguage();
  configuration.deviceVersionMajorRestartDFU = deviceVersionMajorRestartDFU();
  configuration.deviceVersionMinorRestartDFU = deviceVersionMinorRestartDFU();
  configuration.deviceSecondaryVersionTypeRestartDFU = deviceSecondaryVersionTypeRestartDFU();
  configuration.deviceSecondaryVersionRestartDFU = deviceSecondaryVersionRestartDFU();
  configuration.strLanguageFirmware = strLanguageFirmware();
  shell::encode_configuration(coder, configuration);
}

FEXOBluetoothManagerAppController::ArchivedConfiguration FEXOBluetoothManagerAppController::initWithCoder(
    const platform::KeyedUnarchiver& coder) {
  return shell::decode_configuration(coder);
}

platform::Bytes FEXOBluetoothManagerAppController::archived_bytes() const {
  return platform::KeyedArchiver::archive_root(archive_class(),
                                               [this](platform::KeyedArchiver& coder) { encodeWithCoder(coder); });
}

bool FEXOBluetoothManagerAppController::write_configuration_archive() const {
  return platform::write_file_atomically(configuration_file_path(), archived_bytes());
}
