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
  return device_data::product_facts(recognized_id).same_device_as == target && target != 0;
}

bool PageAndDevice::target_without_settings() const {
  const device_data::ProductFacts& facts = device_data::product_facts(deviceTarget());
  if (facts.without_settings) return true;
  const device_data::FirmwareFloor floor = facts.settings_from_firmware;
  if (floor.major == 0 && floor.minor == 0) return false;
  return m_data.compareVersionUpToMinorWithMajor_Minor(floor.major, floor.minor) < 0;
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
