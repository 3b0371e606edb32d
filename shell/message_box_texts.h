#pragma once
// Message-box rules that need no window: the size of each size code, the
// button instructions the update engine shows while a device has to be put
// into firmware-management mode, and the addresses some answers open.
#include <optional>
#include <string>

namespace shell {

// What answering a message box does; the code is the box's purpose.
enum MessageBoxPurpose : int {
  k_box_update_notice = 0,         // 0 and 1: notices of the update engine
  k_box_update_notice_other = 1,
  k_box_notice = 2,                // plain notice
  k_box_start_over = 3,            // OK opens the device selection
  k_box_save_settings = 4,         // save prompt of the settings page
  k_box_save_settings_second = 5,  // of the second settings page
  k_box_save_speed_dial = 6,       // of the speed-dial page
  k_box_restart_to_recover = 7,    // 7 and 8: OK restarts the manager to recover the device
  k_box_restart_to_recover_other = 8,
  k_box_mail_support = 9,          // Cancel writes a mail to support
  k_box_recognition_failure = 10,  // Cancel opens the help page
  k_box_camera_copy_done = 11,     // OK ends the camera firmware copy
  k_box_setting_information = 12,  // information text of a setting
  k_box_close_all_settings = 13,   // close prompt of the all-settings sheet
  k_box_backup_failed = 14,        // no backup file could be made before an update
  k_box_start_over_other = 15,     // as 3
};

struct MessageBoxSize {
  int width = 0;   // points
  int height = 0;  // points
};

// Size of the box for `size_code`; the first box of a run is 20 points higher.
MessageBoxSize message_box_size(int size_code, bool first_box);

// Button instructions for product `product` in `language`; nullopt for a
// product without an instruction.
std::optional<std::string> message_box_first_button(int product, int language);
std::optional<std::string> message_box_failure_first_button(int product, int language);
std::optional<std::string> message_box_second_button(int product, int language);
// The notice that no backup file could be created before an update.
std::string message_box_file_creation_failed(int language);

// Help page about a failed recognition, on the default update server.
std::string recognition_failure_help_url();
// Mail to the support address.
std::string support_mail_url();

}  // namespace shell
