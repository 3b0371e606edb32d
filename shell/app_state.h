#pragma once
// State of the application controller that its pages and their worker threads
// share, free of Qt so that device engines can use it.
//
// Hand-off between a worker and its page's one-second timer: the worker writes
// its texts and flags first and its integer result last (store with release);
// the timer reads the result with acquire and, when it is not 0, everything the
// worker wrote before it. Single values are atomics, texts sit behind a mutex.
// The device record `data` is not locked: recognition fills it while
// onProcessing is set, and the pages read it only after the result arrived.
#include <array>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/format.h"
#include "platform/volumes.h"
#include "platform/log.h"
#include "platform/time_zone.h"
#include "strings/language.h"

namespace shell {

// Page modes of the main window; 0 stands before the first page.
enum PageMode : int {
  k_mode_none = 0,
  k_mode_manager_update = 2,
  k_mode_device_selection = 3,
  k_mode_device_recognition = 4,
  k_mode_firmware_update = 5,
  k_mode_firmware_restore = 6,
  k_mode_device_settings = 7,
  k_mode_device_settings_second = 8,
  k_mode_device_settings_speed_dial = 9,
};

// Kinds of settings tab: which settings page a tab opens.
enum TabKind : int { k_tab_settings = 1, k_tab_speed_dial = 2, k_tab_second_settings = 3 };

// The manager's own version, compared with the published one.
inline constexpr int k_manager_version_major = 1;
inline constexpr int k_manager_version_minor = 4;
inline constexpr int k_manager_version_secondary = 0;

class AppState {
 public:
  AppState() = default;
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  // ---- page and device ----
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

  // ---- languages and manager version texts ----
  int languageManager() const { return m_languageManager.load(std::memory_order_acquire); }
  void setLanguageManager(int value) { m_languageManager.store(value, std::memory_order_release); }
  std::optional<std::string> strLanguageManager() const { return locked_read(m_strLanguageManager); }
  void setStrLanguageManager(const std::optional<std::string>& value) { locked_write(m_strLanguageManager, value); }
  bool applyToLanguageFirmware() const { return m_applyToLanguageFirmware.load(std::memory_order_acquire); }
  void setApplyToLanguageFirmware(bool value) { m_applyToLanguageFirmware.store(value, std::memory_order_release); }
  std::optional<std::string> strLanguageFirmware() const { return locked_read(m_strLanguageFirmware); }
  void setStrLanguageFirmware(const std::optional<std::string>& value) { locked_write(m_strLanguageFirmware, value); }
  std::optional<std::string> strManagerVersion() const { return locked_read(m_strManagerVersion); }
  void setStrManagerVersion(const std::optional<std::string>& value) { locked_write(m_strManagerVersion, value); }

  // ---- flags ----
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

  // ---- settings tabs of the recognized device ----
  int tabCount() const { return m_tabCount.load(std::memory_order_acquire); }
  void setTabCount(int value) { m_tabCount.store(value, std::memory_order_release); }
  // Tab kind at `index`; an index outside 0..2 reads 0.
  int tabAt(int index) const {
    return valid_tab_index(index) ? m_tabs[static_cast<size_t>(index)].load(std::memory_order_acquire) : 0;
  }
  // Stores the kind of tab `index`; an index outside 0..2 is ignored.
  void setTab_At(int kind, int index) {
    if (valid_tab_index(index)) m_tabs[static_cast<size_t>(index)].store(kind, std::memory_order_release);
  }
  int tabIndexSelected() const { return m_tabIndexSelected.load(std::memory_order_acquire); }
  void setTabIndexSelected(int value) { m_tabIndexSelected.store(value, std::memory_order_release); }
  // Stores tab data as the SetTabData... operations write it.
  void store_tab_data(int count, const int tabs[3], int index) {
    for (int i = 0; i < 3; ++i) setTab_At(tabs[i], i);
    setTabIndexSelected(index);
    setTabCount(count);
  }

  // Empty tab data, tab list closed (entry to pages 2, 3 and 4).
  void initTabData() {
    int tabs[3];
    int count = 0, index = 0;
    SetTabDataDefaultInTabCount_tabs_tabIndexSelected(count, tabs, index);
    store_tab_data(count, tabs, index);
    setListTabsOpened(false);
  }
  // Index of the tab that shows page `mode` (7, 8, 9 look for kinds 1, 3, 2); -1 when none.
  int GetTabIndexWith(int page_mode) const {
    int kind = 0;
    switch (page_mode) {
      case k_mode_device_settings: kind = k_tab_settings; break;
      case k_mode_device_settings_second: kind = k_tab_second_settings; break;
      case k_mode_device_settings_speed_dial: kind = k_tab_speed_dial; break;
      default: return -1;
    }
    const int count = tabCount();
    for (int i = 0; i < count && i < 3; ++i) {
      if (tabAt(i) == kind) return i;
    }
    return -1;
  }

  // Writes the empty tab data: count 0, kinds 0, index 0.
  static void SetTabDataDefaultInTabCount_tabs_tabIndexSelected(int& count, int tabs[3], int& index) {
    count = 0;
    tabs[0] = tabs[1] = tabs[2] = 0;
    index = 0;
  }
  // Writes the tab data of `device` with firmware major.minor and FM flag
  // (4 = no FM radio; 3 and 0 count as present). Defined in settings_tabs.h.
  static void SetTabDataInTabCount_tabs_tabIndexSelected_toDevice_withVerMajor_Minor_fmRadioShowAndHide(
      int& count, int tabs[3], int& index, int device, int major, int minor, int fm_radio_show_and_hide);

  // ---- restart record ----
  bool restartToRecover() const { return m_restartToRecover.load(std::memory_order_acquire); }
  void setRestartToRecover(bool value) { m_restartToRecover.store(value, std::memory_order_release); }
  int modeRestartToRecover() const { return m_modeRestartToRecover.load(std::memory_order_acquire); }
  void setModeRestartToRecover(int value) { m_modeRestartToRecover.store(value, std::memory_order_release); }
  std::optional<std::string> strRestartDFUFirmwareFile() const { return locked_read(m_strRestartDFUFirmwareFile); }
  void setStrRestartDFUFirmwareFile(const std::optional<std::string>& value) {
    locked_write(m_strRestartDFUFirmwareFile, value);
  }
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
    const std::optional<std::string> file = strRestartDFUFirmwareFile();
    return file && !file->empty();
  }

  // ---- facts recognition finds for the settings pages ----
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

  // ---- published manager version ----
  std::optional<std::string> urlManagerUpdate() const { return locked_read(m_urlManagerUpdate); }
  void setUrlManagerUpdate(const std::optional<std::string>& value) { locked_write(m_urlManagerUpdate, value); }
  int managerLatestVersionMajor() const { return m_managerLatestVersionMajor.load(std::memory_order_acquire); }
  void setManagerLatestVersionMajor(int value) { m_managerLatestVersionMajor.store(value, std::memory_order_release); }
  int managerLatestVersionMinor() const { return m_managerLatestVersionMinor.load(std::memory_order_acquire); }
  void setManagerLatestVersionMinor(int value) { m_managerLatestVersionMinor.store(value, std::memory_order_release); }
  int managerLatestVersionSecondary() const { return m_managerLatestVersionSecondary.load(std::memory_order_acquire); }
  void setManagerLatestVersionSecondary(int value) {
    m_managerLatestVersionSecondary.store(value, std::memory_order_release);
  }
  // True when the published version is newer than this manager's 1.4.0.
  bool haveNewManagerUpdate() const {
    const int major = managerLatestVersionMajor(), minor = managerLatestVersionMinor();
    const int secondary = managerLatestVersionSecondary();
    if (major != k_manager_version_major) return major > k_manager_version_major;
    if (minor != k_manager_version_minor) return minor > k_manager_version_minor;
    return secondary > k_manager_version_secondary;
  }

  // ---- operating system version ----
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

  // ---- status line in the 13 languages ----
  // Stores the status of `language`; an index outside 0..12 is ignored.
  void setStrStatus_In(const std::optional<std::string>& text, int language) {
    if (language < 0 || language >= strings::k_language_count) return;
    std::lock_guard<std::mutex> lock(m_text_mutex);
    m_strStatus[static_cast<size_t>(language)] = text;
  }
  // Stored status of `language` (nil when never filled or out of range).
  std::optional<std::string> strStatusAt(int language) const {
    if (language < 0 || language >= strings::k_language_count) return std::nullopt;
    std::lock_guard<std::mutex> lock(m_text_mutex);
    return m_strStatus[static_cast<size_t>(language)];
  }
  // Status of the current interface language ("" when never filled).
  std::string getStrStatus() const { return strStatusAt(languageManager()).value_or(std::string()); }

  // ---- product rules ----
  // Whether a recognized product id counts as the selected target (one-way pairs).
  bool isDeviceTargetSameAs(int recognized_id) const {
    const int target = deviceTarget();
    if (recognized_id == target) return true;
    struct Pair { int recognized; int target; };
    static constexpr Pair pairs[] = {
        {0x4D35, 0x4D05}, {0x4D55, 0x4D05}, {0x4D45, 0x4D15}, {0x4D65, 0x4D15}, {0x4D30, 0x4D10},
        {0x4D40, 0x4D10}, {0x5050, 0x5040}, {0x5060, 0x5010}, {0x5061, 0x5010}, {0x5070, 0x5020},
        {0x5080, 0x5030},
    };
    for (const Pair& pair : pairs) {
      if (pair.recognized == recognized_id && pair.target == target) return true;
    }
    return false;
  }
  // True when the selected product offers no settings page (some only below a firmware version).
  bool target_without_settings() const {
    switch (deviceTarget()) {
      case 0x3010: case 0x3020: case 0x3550: case 0x5310: case 0x5320: case 0x5330: case 0x5345:
        return true;
      case 0x3560: case 0x3570:
        return m_data.compareVersionUpToMinorWithMajor_Minor(1, 1) < 0;
      case 0x3500:
        return m_data.compareVersionUpToMinorWithMajor_Minor(2, 2) < 0;
      default:
        return false;
    }
  }
  // True when the selected product's only settings page is the speed-dial page.
  bool target_speed_dial_only() const {
    switch (deviceTarget()) {
      case 0x4111: case 0x4112: case 0x6460: case 0x6461: case 0x6480: case 0x6481: case 0x6490:
      case 0x6491: case 0x6600: case 0x6700:
        return true;
      default:
        return false;
    }
  }

  // Mount point, with a trailing "/", of the first removable, writable and
  // unmountable volume that holds the target camera's marker file; nullopt
  // when the target has no marker or no volume has it.
  std::optional<std::string> getCameraDiskPath() const {
    const char* marker = nullptr;
    switch (deviceTarget()) {
      case 0x3020: marker = "optra.bin"; break;
      case 0x3040: marker = "KE4pro.bin"; break;
      case 0x5510: marker = "VT4.VER"; break;
      case 0x5580: marker = "vt4pro.bin"; break;
      case 0x3060: case 0x3232: case 0x3240: case 0x5570: case 0x5576: marker = "MISC/version.conf"; break;
      default: return std::nullopt;
    }
    for (const platform::Volume& volume : platform::mounted_volumes()) {
      if (!volume.removable || !volume.writable || !volume.unmountable) continue;
      std::error_code error;
      if (std::filesystem::exists(volume.mount_point / marker, error)) return volume.mount_point.string() + "/";
    }
    return std::nullopt;
  }

  // 1 when the local time zone is one of the mainland China zones, else 0;
  // logs the zone name either way.
  static int is_china_server() {
    const std::string zone = platform::time_zone_name();
    static constexpr const char* china_zones[] = {"Asia/Shanghai", "Asia/Harbin", "Asia/Chongqing",
                                                  "Asia/Kashgar", "Asia/Urumqi"};
    for (const char* china : china_zones) {
      if (zone == china) {
        platform::system_log(platform::format("PRODUCT TRUE %@", zone));
        return 1;
      }
    }
    platform::system_log(platform::format("PRODUCT NON %@", zone));
    return 0;
  }

 private:
  static bool valid_tab_index(int index) { return index >= 0 && index < 3; }
  std::optional<std::string> locked_read(const std::optional<std::string>& field) const {
    std::lock_guard<std::mutex> lock(m_text_mutex);
    return field;
  }
  void locked_write(std::optional<std::string>& field, const std::optional<std::string>& value) {
    std::lock_guard<std::mutex> lock(m_text_mutex);
    field = value;
  }

  std::atomic<int> m_mode{0};
  std::atomic<int> m_deviceTarget{0};
  std::atomic<bool> m_recognized{false};
  std::atomic<int> m_usbStatus{0};
  FEXOBluetoothDeviceData m_data;

  std::atomic<int> m_languageManager{0};
  std::atomic<bool> m_applyToLanguageFirmware{true};
  std::atomic<bool> m_onProcessing{false};
  std::atomic<bool> m_showShortcuts{false};
  std::atomic<bool> m_listTabsOpened{false};
  std::atomic<bool> m_statusWithWarning{false};
  std::atomic<bool> m_skipRestoreBackupFile{false};
  std::atomic<int> m_messageBoxStatus{0};
  std::atomic<int> m_deviceUpdatedOrRestored{0};

  std::atomic<int> m_tabCount{0};
  std::array<std::atomic<int>, 3> m_tabs{};
  std::atomic<int> m_tabIndexSelected{0};

  std::atomic<bool> m_restartToRecover{false};
  std::atomic<int> m_modeRestartToRecover{0};
  std::atomic<int> m_indexRestartDFUFirmwareLanguage{0};
  std::atomic<int> m_deviceVersionMajorRestartDFU{0};
  std::atomic<int> m_deviceVersionMinorRestartDFU{0};
  std::atomic<int> m_deviceSecondaryVersionTypeRestartDFU{0};
  std::atomic<int> m_deviceSecondaryVersionRestartDFU{0};

  std::atomic<int> m_fmRadioShowAndHide{0};
  std::atomic<int> m_motionSensorShowAndHide{0};
  std::atomic<int> m_deviceInfoStatus{0};
  std::atomic<int> m_device50SpeakerType{0};

  std::atomic<int> m_managerLatestVersionMajor{0};
  std::atomic<int> m_managerLatestVersionMinor{0};
  std::atomic<int> m_managerLatestVersionSecondary{0};

  std::atomic<int> m_osVersionPrimary{10};
  std::atomic<int> m_osVersionSecondary{9};
  std::atomic<int> m_osVersionMinor{0};

  mutable std::mutex m_text_mutex;
  std::optional<std::string> m_strLanguageManager;
  std::optional<std::string> m_strLanguageFirmware;
  std::optional<std::string> m_strManagerVersion;
  std::optional<std::string> m_strRestartDFUFirmwareFile;
  std::optional<std::string> m_urlManagerUpdate;
  std::array<std::optional<std::string>, strings::k_language_count> m_strStatus;
};

}  // namespace shell

#include "shell/settings_tabs.h"
