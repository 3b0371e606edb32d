#pragma once
// Page modes of the main window, and the one rule that carries a page to open
// after a save inside a page mode.

namespace session {

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

// A settings page that must save before it moves on records the page to open
// as its page mode plus this; the recognition that follows the save gets the
// same value as its caller and opens that page when it succeeds.
inline constexpr int k_save_then_open_offset = 100;

// True when `mode` is a page mode plus 100 (a save comes first).
constexpr bool is_save_then_open(int mode) { return mode > k_save_then_open_offset; }
// The page mode `mode` stands for, with or without the 100.
constexpr int page_mode_of(int mode) { return is_save_then_open(mode) ? mode - k_save_then_open_offset : mode; }
// `mode` as a page to open after a save (plus 100, once).
constexpr int save_then_open(int mode) { return is_save_then_open(mode) ? mode : mode + k_save_then_open_offset; }

}  // namespace session
