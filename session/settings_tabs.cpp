#include "session/settings_tabs.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace session {
namespace {

// [1] settings only
constexpr int k_settings_only[] = {
    0x2010, 0x2011, 0x2110, 0x2120, 0x2210, 0x2310, 0x3080, 0x3152, 0x4010, 0x4020, 0x4021, 0x4030, 0x4040,
    0x5210, 0x6310};

// [1, 2] settings, speed dial
constexpr int k_settings_speed_dial[] = {
    0x2020, 0x3300, 0x4110, 0x4113, 0x4120, 0x4D06, 0x4D75, 0x4D76, 0x5410, 0x6000, 0x6020, 0x6022, 0x6024,
    0x6036, 0x6110, 0x6111, 0x6120, 0x6121, 0x6420, 0x6430, 0x6440, 0x6450, 0x6470, 0x6500, 0x6510, 0x6800,
    0x6804, 0x6805, 0x6810, 0x6811, 0x6812};

// [2] speed dial only
constexpr int k_speed_dial_only[] = {
    0x4111, 0x4112, 0x6460, 0x6461, 0x6480, 0x6481, 0x6490, 0x6491, 0x6600, 0x6700};

// [1, 2, 3]
constexpr int k_all_three[] = {
    0x2030, 0x3030, 0x3040, 0x3060, 0x3112, 0x3114, 0x3116, 0x3118, 0x3132, 0x3134, 0x3140, 0x3146, 0x3148,
    0x3154, 0x3156, 0x3170, 0x3210, 0x3212, 0x3213, 0x3214, 0x3216, 0x3217, 0x3218, 0x3232, 0x3240, 0x3260,
    0x3264, 0x3310, 0x3320, 0x3330, 0x3900, 0x4050, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610,
    0x4D16, 0x4D85, 0x4D86, 0x5414, 0x5416, 0x5420, 0x5510, 0x5522, 0x5524, 0x5526, 0x5532, 0x5536, 0x5550,
    0x5564, 0x5576, 0x5580, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5710, 0x5720, 0x5910,
    0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032, 0x6034, 0x6112, 0x6114,
    0x6210, 0x6400};

// [1, 2, 3] when FM shown, else [1, 2]
constexpr int k_all_three_with_fm[] = {
    0x3032, 0x3050, 0x3110, 0x3211, 0x3215, 0x3340, 0x3341, 0x4210, 0x5412, 0x5418, 0x5424, 0x5426, 0x5428,
    0x5430, 0x5432, 0x5434, 0x5520, 0x5530, 0x5534, 0x5552, 0x5553, 0x5570, 0x5590, 0x5591, 0x5592, 0x5593,
    0x5594, 0x5595};

// [1, 3] when FM shown, else [1]
constexpr int k_second_with_fm[] = {
    0x3070, 0x3124, 0x3126, 0x3128, 0x3144, 0x3150, 0x3161};

// [1, 3]
constexpr int k_settings_second[] = {
    0x3142, 0x5560, 0x5562};

// [1, 2] when newer than 4.2, else [1]
constexpr int k_speed_dial_after_4_2[] = {
    0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5060, 0x5061, 0x5070, 0x5080};

// [1, 2] when newer than 1.2, else [1]
constexpr int k_speed_dial_after_1_2[] = {
    0x4D05, 0x4D35, 0x4D55};

// [1, 2, 3] when newer than 4.2, else [1, 3]
constexpr int k_all_three_after_4_2[] = {
    0x5040, 0x5050};

// [1, 2, 3] when newer than 1.2, else [1, 3]
constexpr int k_all_three_after_1_2[] = {
    0x4D15, 0x4D45, 0x4D65};

template <size_t N>
bool contains(const int (&ids)[N], int device) {
  return std::find(std::begin(ids), std::end(ids), device) != std::end(ids);
}

}  // namespace

bool speed_dial_only(int device) { return contains(k_speed_dial_only, device); }

TabData tab_data_for(int device, int major, int minor, int fm_radio_show_and_hide) {
  const bool fm_shown = fm_radio_show_and_hide != 4;
  const auto newer_than = [&](int than_major, int than_minor) {
    return FEXOBluetoothDeviceData::compareVersionUpToMinorMajor_Minor_WithMajor_Minor(major, minor, than_major,
                                                                                       than_minor) > 0;
  };
  const auto tabs = [](std::initializer_list<int> kinds) {
    TabData data;
    for (int kind : kinds) data.kinds[static_cast<size_t>(data.count++)] = kind;
    return data;
  };

  const int settings = k_tab_settings, speed_dial = k_tab_speed_dial, second = k_tab_second_settings;
  if (contains(k_settings_only, device)) return tabs({settings});
  if (contains(k_settings_speed_dial, device)) return tabs({settings, speed_dial});
  if (contains(k_speed_dial_only, device)) return tabs({speed_dial});
  if (contains(k_all_three, device)) return tabs({settings, speed_dial, second});
  if (contains(k_all_three_with_fm, device)) {
    return fm_shown ? tabs({settings, speed_dial, second}) : tabs({settings, speed_dial});
  }
  if (contains(k_second_with_fm, device)) return fm_shown ? tabs({settings, second}) : tabs({settings});
  if (contains(k_settings_second, device)) return tabs({settings, second});
  if (contains(k_speed_dial_after_4_2, device)) {
    return newer_than(4, 2) ? tabs({settings, speed_dial}) : tabs({settings});
  }
  if (contains(k_speed_dial_after_1_2, device)) {
    return newer_than(1, 2) ? tabs({settings, speed_dial}) : tabs({settings});
  }
  if (contains(k_all_three_after_4_2, device)) {
    return newer_than(4, 2) ? tabs({settings, speed_dial, second}) : tabs({settings, second});
  }
  if (contains(k_all_three_after_1_2, device)) {
    return newer_than(1, 2) ? tabs({settings, speed_dial, second}) : tabs({settings, second});
  }
  return TabData{};
}

}  // namespace session
