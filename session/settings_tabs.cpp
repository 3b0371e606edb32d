#include "session/settings_tabs.h"

#include <initializer_list>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"

namespace session {

bool speed_dial_only(int device) {
  return device_data::product_facts(device).tab_group == device_data::TabGroup::speed_dial_only;
}

TabData tab_data_for(int device, int major, int minor, int fm_radio_show_and_hide) {
  const bool fm_shown = fm_radio_show_and_hide != 4;
  const auto newer_than = [&](int than_major, int than_minor) {
    return FEXOBluetoothDeviceData::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, than_major,
                                                                                       than_minor) > 0;
  };
  const auto tabs = [](std::initializer_list<int> kinds) {
    TabData data;
    for (int kind : kinds) data.kinds[static_cast<std::size_t>(data.count++)] = kind;
    return data;
  };

  const int settings = k_tab_settings, speed_dial = k_tab_speed_dial, second = k_tab_second_settings;
  using device_data::TabGroup;
  switch (device_data::product_facts(device).tab_group) {
    case TabGroup::settings_only: return tabs({settings});
    case TabGroup::settings_speed_dial: return tabs({settings, speed_dial});
    case TabGroup::speed_dial_only: return tabs({speed_dial});
    case TabGroup::all_three: return tabs({settings, speed_dial, second});
    case TabGroup::all_three_with_fm:
      return fm_shown ? tabs({settings, speed_dial, second}) : tabs({settings, speed_dial});
    case TabGroup::second_with_fm: return fm_shown ? tabs({settings, second}) : tabs({settings});
    case TabGroup::settings_second: return tabs({settings, second});
    case TabGroup::speed_dial_after_4_2: return newer_than(4, 2) ? tabs({settings, speed_dial}) : tabs({settings});
    case TabGroup::speed_dial_after_1_2: return newer_than(1, 2) ? tabs({settings, speed_dial}) : tabs({settings});
    case TabGroup::all_three_after_4_2:
      return newer_than(4, 2) ? tabs({settings, speed_dial, second}) : tabs({settings, second});
    case TabGroup::all_three_after_1_2:
      return newer_than(1, 2) ? tabs({settings, speed_dial, second}) : tabs({settings, second});
    case TabGroup::none: break;
  }
  return TabData{};
}

}  // namespace session
