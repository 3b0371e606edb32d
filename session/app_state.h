#pragma once
// State of the application controller that its pages, workers and engines
// share, free of Qt. It comes in small value groups; AppState joins them, so
// every named accessor is on the controller, and an engine may take only the
// group it needs.
//
// Hand-off between a worker and its page's one-second timer: the worker writes
// its texts and flags first and its integer result last (store with release);
// the timer reads the result with acquire and, when it is not 0, everything the
// worker wrote before it. Single values are atomics, texts and the tab data sit
// behind a mutex. The device record `data` is not locked: recognition fills it
// while onProcessing is set, and the pages read it only after the result arrived.
#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/page_modes.h"
#include "session/settings_tabs.h"
#include "strings/language.h"

namespace session {

// The manager's own version, compared with the published one.
inline constexpr int k_manager_version_major = 1;
inline constexpr int k_manager_version_minor = 4;
inline constexpr int k_manager_version_secondary = 0;

// A value that several threads read and write whole.
template <class T>
class Locked {
 public:
  Locked() = default;
  explicit Locked(T value) : m_value(std::move(value)) {}
  T get() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_value;
  }
  void set(const T& value) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_value = value;
  }
  // What `read` answers from the value, under the lock.
  template <class Read>
  auto read(Read&& read) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return read(m_value);
  }
  // Changes the value in place under the lock.
  template <class Change>
  void update(Change&& change) {
    std::lock_guard<std::mutex> lock(m_mutex);
    change(m_value);
  }

 private:
  mutable std::mutex m_mutex;
  T m_value{};
};

using OptionalText = std::optional<std::string>;

// The page shown and the device it works with.
class PageAndDevice {
 public:
  int mode() const { return m_mode.load(std::memory_order_acquire); }
  void setMode(int value) { m_mode.store(value, std::memory_order_release); }
  // Product id the user selected (kept across runs).
  int deviceTarget() const { return m_deviceTarget.load(std::memory_order_acquire); }
  void setDeviceTarget(int value) { m_deviceTarget.store(value, std::memory_order_release); }
  bool recognized() const { return m_recognized.load(std::memory_order_acquire); }
  void setRecognized(bool value) { m_recognized.store(value, std::memory_order_release); }
  // Product id of the attached device as seen on USB; bit 15 = firmware-management mode; 0 = none.
  int usbStatus() const { return m_usbStatus.load(std::memory_order_acquire); }
  void setUsbStatus(int value) { m_usbStatus.store(value, std::memory_order_release); }
  FEXOBluetoothDeviceData& data() { return m_data; }
  const FEXOBluetoothDeviceData& data() const { return m_data; }

  // Whether a recognized product id counts as the selected target (one-way pairs).
  bool isDeviceTargetSameAs(int recognized_id) const;
  // True when the selected product offers no settings page (some only below a firmware version).
  bool target_without_settings() const;
  // True when the selected product's only settings page is the speed-dial page.
  bool target_speed_dial_only() const;
  // Mount point, with a trailing "/", of the first usable volume that holds
  // the target camera's marker file; nullopt when the target has no marker or
  // no volume has it.
  std::optional<std::string> getCameraDiskPath() const;

 private:
  std::atomic<int> m_mode{0};
  std::atomic<int> m_deviceTarget{0};
  std::atomic<bool> m_recognized{false};
  std::atomic<int> m_usbStatus{0};
  FEXOBluetoothDeviceData m_data;
};

// The interface language and the firmware language the manager applies.
class Languages {
 public:
  int languageManager() const { return m_languageManager.load(std::memory_order_acquire); }
  void setLanguageManager(int value) { m_languageManager.store(value, std::memory_order_release); }
  OptionalText strLanguageManager() const { return m_strLanguageManager.get(); }
  void setStrLanguageManager(const OptionalText& value) { m_strLanguageManager.set(value); }
  bool applyToLanguageFirmware() const { return m_applyToLanguageFirmware.load(std::memory_order_acquire); }
  void setApplyToLanguageFirmware(bool value) { m_applyToLanguageFirmware.store(value, std::memory_order_release); }
  OptionalText strLanguageFirmware() const { return m_strLanguageFirmware.get(); }
  void setStrLanguageFirmware(const OptionalText& value) { m_strLanguageFirmware.set(value); }

 private:
  std::atomic<int> m_languageManager{0};
  std::atomic<bool> m_applyToLanguageFirmware{true};
  Locked<OptionalText> m_strLanguageManager;
  Locked<OptionalText> m_strLanguageFirmware;
};

// Flags of what the window is doing.
class ProcessingFlags {
 public:
  bool onProcessing() const { return m_onProcessing.load(std::memory_order_acquire); }
  void setOnProcessing(bool value) { m_onProcessing.store(value, std::memory_order_release); }
  bool showShortcuts() const { return m_showShortcuts.load(std::memory_order_acquire); }
  void setShowShortcuts(bool value) { m_showShortcuts.store(value, std::memory_order_release); }
  bool listTabsOpened() const { return m_listTabsOpened.load(std::memory_order_acquire); }
  void setListTabsOpened(bool value) { m_listTabsOpened.store(value, std::memory_order_release); }
  bool statusWithWarning() const { return m_statusWithWarning.load(std::memory_order_acquire); }
  void setStatusWithWarning(bool value) { m_statusWithWarning.store(value, std::memory_order_release); }
  bool skipRestoreBackupFile() const { return m_skipRestoreBackupFile.load(std::memory_order_acquire); }
  void setSkipRestoreBackupFile(bool value) { m_skipRestoreBackupFile.store(value, std::memory_order_release); }
  // Purpose code of the open message box, 0 when none.
  int messageBoxStatus() const { return m_messageBoxStatus.load(std::memory_order_acquire); }
  void setMessageBoxStatus(int value) { m_messageBoxStatus.store(value, std::memory_order_release); }
  // Product id of the device last updated or restored in this run.
  int deviceUpdatedOrRestored() const { return m_deviceUpdatedOrRestored.load(std::memory_order_acquire); }
  void setDeviceUpdatedOrRestored(int value) { m_deviceUpdatedOrRestored.store(value, std::memory_order_release); }

 private:
  std::atomic<bool> m_onProcessing{false};
  std::atomic<bool> m_showShortcuts{false};
  std::atomic<bool> m_listTabsOpened{false};
  std::atomic<bool> m_statusWithWarning{false};
  std::atomic<bool> m_skipRestoreBackupFile{false};
  std::atomic<int> m_messageBoxStatus{0};
  std::atomic<int> m_deviceUpdatedOrRestored{0};
};

// The settings tabs of the recognized device: one value, read and written whole.
class Tabs {
 public:
  TabData tabData() const { return m_tabs.get(); }
  void setTabData(const TabData& tabs) { m_tabs.set(tabs); }

  int tabCount() const { return tabData().count; }
  // Tab kind at `index`; an index outside 0..2 reads 0.
  int tabAt(int index) const { return tabData().kind_at(index); }
  int tabIndexSelected() const { return tabData().selected; }
  void setTabCount(int count) {
    m_tabs.update([count](TabData& tabs) { tabs.count = count; });
  }
  // Stores the kind of tab `index`; an index outside 0..2 is ignored.
  void setTab_At(int kind, int index) {
    if (index < 0 || index >= 3) return;
    m_tabs.update([kind, index](TabData& tabs) { tabs.kinds[static_cast<size_t>(index)] = kind; });
  }
  void setTabIndexSelected(int index) {
    m_tabs.update([index](TabData& tabs) { tabs.selected = index; });
  }

  // Index of the tab that shows page `mode` (7, 8, 9 look for kinds 1, 3, 2); -1 when none.
  int GetTabIndexWith(int page_mode) const;

  // Writes the empty tab data: count 0, kinds 0, index 0.
  static void SetTabDataDefaultInTabCount_tabs_tabIndexSelected(int& count, int tabs[3], int& index);
  // Writes the tab data of `device` with firmware major.minor and FM flag
  // (4 = no FM radio; 3 and 0 count as present).
  static void SetTabDataInTabCount_tabs_tabIndexSelected_toDevice_withVerMajor_Minor_fmRadioShowAndHide(
      int& count, int tabs[3], int& index, int device, int major, int minor, int fm_radio_show_and_hide);

 private:
  Locked<TabData> m_tabs;
};

// What an interrupted firmware update or restore leaves for the next run.
class RestartRecord {
 public:
  bool restartToRecover() const { return m_restartToRecover.load(std::memory_order_acquire); }
  void setRestartToRecover(bool value) { m_restartToRecover.store(value, std::memory_order_release); }
  int modeRestartToRecover() const { return m_modeRestartToRecover.load(std::memory_order_acquire); }
  void setModeRestartToRecover(int value) { m_modeRestartToRecover.store(value, std::memory_order_release); }
  OptionalText strRestartDFUFirmwareFile() const { return m_strRestartDFUFirmwareFile.get(); }
  void setStrRestartDFUFirmwareFile(const OptionalText& value) { m_strRestartDFUFirmwareFile.set(value); }
  int indexRestartDFUFirmwareLanguage() const { return m_indexRestartDFUFirmwareLanguage.load(); }
  void setIndexRestartDFUFirmwareLanguage(int value) { m_indexRestartDFUFirmwareLanguage.store(value); }
  int deviceVersionMajorRestartDFU() const { return m_deviceVersionMajorRestartDFU.load(); }
  void setDeviceVersionMajorRestartDFU(int value) { m_deviceVersionMajorRestartDFU.store(value); }
  int deviceVersionMinorRestartDFU() const { return m_deviceVersionMinorRestartDFU.load(); }
  void setDeviceVersionMinorRestartDFU(int value) { m_deviceVersionMinorRestartDFU.store(value); }
  int deviceSecondaryVersionTypeRestartDFU() const { return m_deviceSecondaryVersionTypeRestartDFU.load(); }
  void setDeviceSecondaryVersionTypeRestartDFU(int value) { m_deviceSecondaryVersionTypeRestartDFU.store(value); }
  int deviceSecondaryVersionRestartDFU() const { return m_deviceSecondaryVersionRestartDFU.load(); }
  void setDeviceSecondaryVersionRestartDFU(int value) { m_deviceSecondaryVersionRestartDFU.store(value); }
  // True when an interrupted firmware-management update left its firmware file name.
  bool isRestartDFU() const {
    const OptionalText file = strRestartDFUFirmwareFile();
    return file && !file->empty();
  }
  // Forgets the file, language and versions of the record: file nil, language
  // index -1, versions 0 (the flag and mode stay).
  void clearRestartDFURecord() {
    setStrRestartDFUFirmwareFile(std::nullopt);
    setIndexRestartDFUFirmwareLanguage(-1);
    setDeviceVersionMajorRestartDFU(0);
    setDeviceVersionMinorRestartDFU(0);
    setDeviceSecondaryVersionTypeRestartDFU(0);
    setDeviceSecondaryVersionRestartDFU(0);
  }

 private:
  std::atomic<bool> m_restartToRecover{false};
  std::atomic<int> m_modeRestartToRecover{0};
  Locked<OptionalText> m_strRestartDFUFirmwareFile;
  std::atomic<int> m_indexRestartDFUFirmwareLanguage{0};
  std::atomic<int> m_deviceVersionMajorRestartDFU{0};
  std::atomic<int> m_deviceVersionMinorRestartDFU{0};
  std::atomic<int> m_deviceSecondaryVersionTypeRestartDFU{0};
  std::atomic<int> m_deviceSecondaryVersionRestartDFU{0};
};

// The manager version the archive names, and the newest one published.
class ManagerRelease {
 public:
  OptionalText strManagerVersion() const { return m_strManagerVersion.get(); }
  void setStrManagerVersion(const OptionalText& value) { m_strManagerVersion.set(value); }
  OptionalText urlManagerUpdate() const { return m_urlManagerUpdate.get(); }
  void setUrlManagerUpdate(const OptionalText& value) { m_urlManagerUpdate.set(value); }
  int managerLatestVersionMajor() const { return m_managerLatestVersionMajor.load(std::memory_order_acquire); }
  void setManagerLatestVersionMajor(int value) { m_managerLatestVersionMajor.store(value, std::memory_order_release); }
  int managerLatestVersionMinor() const { return m_managerLatestVersionMinor.load(std::memory_order_acquire); }
  void setManagerLatestVersionMinor(int value) { m_managerLatestVersionMinor.store(value, std::memory_order_release); }
  int managerLatestVersionSecondary() const { return m_managerLatestVersionSecondary.load(std::memory_order_acquire); }
  void setManagerLatestVersionSecondary(int value) {
    m_managerLatestVersionSecondary.store(value, std::memory_order_release);
  }
  // True when the published version is newer than this manager's 1.4.0.
  bool haveNewManagerUpdate() const;

 private:
  Locked<OptionalText> m_strManagerVersion;
  Locked<OptionalText> m_urlManagerUpdate;
  std::atomic<int> m_managerLatestVersionMajor{0};
  std::atomic<int> m_managerLatestVersionMinor{0};
  std::atomic<int> m_managerLatestVersionSecondary{0};
};

// Facts recognition finds for the settings pages.
class DeviceFeatures {
 public:
  // 3 = the device has the FM radio, 4 = it has none.
  int fmRadioShowAndHide() const { return m_fmRadioShowAndHide.load(std::memory_order_acquire); }
  void setFmRadioShowAndHide(int value) { m_fmRadioShowAndHide.store(value, std::memory_order_release); }
  // 5 = show the motion-sensor settings, 6 = hide them.
  int motionSensorShowAndHide() const { return m_motionSensorShowAndHide.load(std::memory_order_acquire); }
  void setMotionSensorShowAndHide(int value) { m_motionSensorShowAndHide.store(value, std::memory_order_release); }
  int deviceInfoStatus() const { return m_deviceInfoStatus.load(std::memory_order_acquire); }
  void setDeviceInfoStatus(int value) { m_deviceInfoStatus.store(value, std::memory_order_release); }
  int device50SpeakerType() const { return m_device50SpeakerType.load(std::memory_order_acquire); }
  void setDevice50SpeakerType(int value) { m_device50SpeakerType.store(value, std::memory_order_release); }

 private:
  std::atomic<int> m_fmRadioShowAndHide{0};
  std::atomic<int> m_motionSensorShowAndHide{0};
  std::atomic<int> m_deviceInfoStatus{0};
  std::atomic<int> m_device50SpeakerType{0};
};

// Version of the operating system the manager runs on.
class OsVersion {
 public:
  int osVersionPrimary() const { return m_osVersionPrimary.load(); }
  void setOsVersionPrimary(int value) { m_osVersionPrimary.store(value); }
  int osVersionSecondary() const { return m_osVersionSecondary.load(); }
  void setOsVersionSecondary(int value) { m_osVersionSecondary.store(value); }
  int osVersionMinor() const { return m_osVersionMinor.load(); }
  void setOsVersionMinor(int value) { m_osVersionMinor.store(value); }
  // (primary - p) * 100 + (secondary - s): 0 equal, negative older.
  int compareOsVersionWithVersionPrimary_VersionSecondary(int primary, int secondary) const {
    return (osVersionPrimary() - primary) * 100 + (osVersionSecondary() - secondary);
  }

 private:
  std::atomic<int> m_osVersionPrimary{10};
  std::atomic<int> m_osVersionSecondary{9};
  std::atomic<int> m_osVersionMinor{0};
};

// What the precaution page asked the user, kept for this run only: the
// password is never written to the configuration archive or to any log.
class PrecautionAnswers {
 public:
  // NO when only a Bluetooth keyboard and mouse are at hand.
  bool haveAlternativeInputDevices() const { return m_haveAlternativeInputDevices.load(std::memory_order_acquire); }
  void setHaveAlternativeInputDevices(bool value) {
    m_haveAlternativeInputDevices.store(value, std::memory_order_release);
  }
  // The user's password as typed, and its encrypted Base64 form.
  std::string strUserPassword() const { return m_strUserPassword.get(); }
  void setStrUserPassword(const std::string& value) { m_strUserPassword.set(value); }
  std::string strUserPasswordEncrypted() const { return m_strUserPasswordEncrypted.get(); }
  void setStrUserPasswordEncrypted(const std::string& value) { m_strUserPasswordEncrypted.set(value); }
  // The user unchecked "Show precaution at startup".
  bool hidePrecaution() const { return m_hidePrecaution.load(std::memory_order_acquire); }
  void setHidePrecaution(bool value) { m_hidePrecaution.store(value, std::memory_order_release); }

 private:
  std::atomic<bool> m_haveAlternativeInputDevices{false};
  Locked<std::string> m_strUserPassword;
  Locked<std::string> m_strUserPasswordEncrypted;
  std::atomic<bool> m_hidePrecaution{false};
};

// The status line in the 13 interface languages.
class StatusLine {
 public:
  // Stores the status of `language`; an index outside 0..12 is ignored.
  void setStrStatus_In(const OptionalText& text, int language);
  // Stored status of `language` (nil when never filled or out of range).
  OptionalText strStatusAt(int language) const;

  using StatusTexts = std::array<std::string, strings::k_language_count>;
  // The warning an update or restore ended with although it succeeded (a
  // part that did not take). The page shows it again, not its success text,
  // when recognition hands the page back; nil when the operation ended clean.
  void setOperationWarning(const std::optional<StatusTexts>& texts) { m_operationWarning.set(texts); }
  // The kept warning, forgotten once taken.
  std::optional<StatusTexts> takeOperationWarning();

 private:
  Locked<std::array<OptionalText, strings::k_language_count>> m_strStatus;
  Locked<std::optional<StatusTexts>> m_operationWarning;
};

class AppState : public PageAndDevice,
                 public Languages,
                 public ProcessingFlags,
                 public Tabs,
                 public RestartRecord,
                 public ManagerRelease,
                 public DeviceFeatures,
                 public OsVersion,
                 public PrecautionAnswers,
                 public StatusLine {
 public:
  AppState() = default;
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  // Status of the current interface language ("" when never filled).
  std::string getStrStatus() const { return strStatusAt(languageManager()).value_or(std::string()); }
  // Empty tab data, tab list closed (entry to pages 2, 3 and 4).
  void initTabData() {
    setTabData(TabData{});
    setListTabsOpened(false);
  }

  // 1 when the local time zone is one of the mainland China zones, else 0;
  // logs the zone name either way.
  static int is_china_server();
};

}  // namespace session
