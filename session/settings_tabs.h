#pragma once
// Which settings pages a product offers, and in which order their tabs appear:
// settings (1), speed dial (2), second settings with the FM radio (3). Decided
// once per recognition from the product id, the firmware version and whether
// the device has the FM radio.
#include <array>
#include <cstddef>

namespace session {

// Kinds of settings tab: which settings page a tab opens.
enum TabKind : int { k_tab_settings = 1, k_tab_speed_dial = 2, k_tab_second_settings = 3 };

// The tabs of a page strip: how many, their kinds (unused ones 0) and the selected one.
struct TabData {
  int count = 0;
  std::array<int, 3> kinds{};
  int selected = 0;

  bool operator==(const TabData&) const = default;
  // Kind of tab `index`; an index outside 0..2 reads 0.
  int kind_at(int index) const { return index >= 0 && index < 3 ? kinds[static_cast<std::size_t>(index)] : 0; }
};

// Tab data of `device` with firmware major.minor and FM flag (4 = no FM radio;
// 3 and 0 count as present); the first tab is selected. A product without
// settings pages gets the empty tab data.
TabData tab_data_for(int device, int major, int minor, int fm_radio_show_and_hide);

// True when the only settings page of `device` is the speed-dial page.
bool speed_dial_only(int device);

}  // namespace session
