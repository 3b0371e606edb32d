#include "session/app_state.h"

#include "device_data/camera_volume.h"
#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"
#include "platform/time_zone.h"
#include "platform/volumes.h"

namespace session {

// ---- page and device ----

bool PageAndDevice::isDeviceTargetSameAs(int recognized_id) const {
  const int target = deviceTarget();
  if (recognized_id == target) return true;
  struct Pair { int recognized; int target; };
  static constexpr Pair k_pairs[] = {
      {0x4D35, 0x4D05}, {0x4D55, 0x4D05}, {0x4D45, 0x4D15}, {0x4D65, 0x4D15}, {0x4D30, 0x4D10},
      {0x4D40, 0x4D10}, {0x5050, 0x5040}, {0x5060, 0x5010}, {0x5061, 0x5010}, {0x5070, 0x5020},
      {0x5080, 0x5030},
  };
  for (const Pair& pair : k_pairs) {
    if (pair.recognized == recognized_id && pair.target == target) return true;
  }
  return false;
}

bool PageAndDevice::target_without_settings() const {
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

bool PageAndDevice::target_speed_dial_only() const { return speed_dial_only(deviceTarget()); }

std::optional<std::string> PageAndDevice::getCameraDiskPath() const {
  const char* marker = device_data::product_facts(deviceTarget()).target_camera_marker;
  if (!marker) return std::nullopt;
  return device_data::camera_disk_path_with_marker(marker, platform::mounted_volumes());
}

// ---- tabs ----

int Tabs::GetTabIndexWith(int page_mode) const {
  int kind = 0;
  switch (page_mode) {
    case k_mode_device_settings: kind = k_tab_settings; break;
    case k_mode_device_settings_second: kind = k_tab_second_settings; break;
    case k_mode_device_settings_speed_dial: kind = k_tab_speed_dial; break;
    default: return -1;
  }
  const TabData tabs = tabData();
  for (int i = 0; i < tabs.count && i < 3; ++i) {
    if (tabs.kind_at(i) == kind) return i;
  }
  return -1;
}

namespace {
void write_out(const TabData& tabs, int& count, int out[3], int& index) {
  count = tabs.count;
  for (int i = 0; i < 3; ++i) out[i] = tabs.kind_at(i);
  index = tabs.selected;
}
}  // namespace

void Tabs::SetTabDataDefaultInTabCount_tabs_tabIndexSelected(int& count, int tabs[3], int& index) {
  write_out(TabData{}, count, tabs, index);
}

void Tabs::SetTabDataInTabCount_tabs_tabIndexSelected_toDevice_withVerMajor_Minor_fmRadioShowAndHide(
    int& count, int tabs[3], int& index, int device, int major, int minor, int fm_radio_show_and_hide) {
  write_out(tab_data_for(device, major, minor, fm_radio_show_and_hide), count, tabs, index);
}

// ---- manager release ----

bool ManagerRelease::haveNewManagerUpdate() const {
  const int major = managerLatestVersionMajor(), minor = managerLatestVersionMinor();
  const int secondary = managerLatestVersionSecondary();
  if (major != k_manager_version_major) return major > k_manager_version_major;
  if (minor != k_manager_version_minor) return minor > k_manager_version_minor;
  return secondary > k_manager_version_secondary;
}

// ---- status line ----

void StatusLine::setStrStatus_In(const OptionalText& text, int language) {
  if (language < 0 || language >= strings::k_language_count) return;
  m_strStatus.update([&](auto& texts) { texts[static_cast<size_t>(language)] = text; });
}

OptionalText StatusLine::strStatusAt(int language) const {
  if (language < 0 || language >= strings::k_language_count) return std::nullopt;
  return m_strStatus.read([language](const auto& texts) { return texts[static_cast<size_t>(language)]; });
}

std::optional<StatusLine::StatusTexts> StatusLine::takeOperationWarning() {
  std::optional<StatusTexts> taken;
  m_operationWarning.update([&taken](std::optional<StatusTexts>& kept) {
    taken = std::move(kept);
    kept.reset();
  });
  return taken;
}

// ---- time zone ----

int AppState::is_china_server() {
  const std::string zone = platform::time_zone_name();
  static constexpr const char* k_china_zones[] = {"Asia/Shanghai", "Asia/Harbin", "Asia/Chongqing", "Asia/Kashgar",
                                                  "Asia/Urumqi"};
  for (const char* china : k_china_zones) {
    if (zone == china) {
      platform::system_log(platform::format("PRODUCT TRUE %@", zone));
      return 1;
    }
  }
  platform::system_log(platform::format("PRODUCT NON %@", zone));
  return 0;
}

}  // namespace session
