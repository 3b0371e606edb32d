#pragma once
// Message-box rules that need no window: purposes and sizes, what a box is
// asked to show, the button instructions the update engine shows while a
// device has to be put into firmware-management mode, and the addresses some
// answers open.
#include <optional>
#include <string>

namespace session {

// What answering a message box does; the value is the box's purpose code.
enum class MessageBoxPurpose : int {
  update_notice = 0,         // 0 and 1: notices of the update engine
  update_notice_other = 1,
  notice = 2,                // plain notice
  start_over = 3,            // OK opens the device selection
  save_settings = 4,         // save prompt of the settings page
  save_settings_second = 5,  // of the second settings page
  save_speed_dial = 6,       // of the speed-dial page
  restart_to_recover = 7,    // 7 and 8: OK restarts the manager to recover the device
  restart_to_recover_other = 8,
  mail_support = 9,          // Cancel writes a mail to support
  recognition_failure = 10,  // Cancel opens the help page
  camera_copy_done = 11,     // OK ends the camera firmware copy
  setting_information = 12,  // information text of a setting
  close_all_settings = 13,   // close prompt of the all-settings sheet
  backup_failed = 14,        // no backup file could be made before an update
  start_over_other = 15,     // as 3
};

// Size of a message box, named by its width and height in points; the value is
// the box's size code. Any other code (5, 10 and above) is 530 x 355.
enum class MessageBoxSize : int {
  w420_h115 = 0,
  w420_h135 = 1,
  w520_h175 = 2,
  w520_h205 = 3,
  w520_h235 = 4,
  w530_h355 = 5,
  w520_h265 = 6,
  w840_h240 = 7,
  w720_h180 = 8,
  none = 9,  // 0 x 0
};

struct MessageBoxPoints {
  int width = 0;   // points
  int height = 0;  // points
};

// Whether Escape in a box of `purpose` closes it without an answer: the save
// questions, whose Cancel (No) would throw the edits away.
bool escape_keeps_the_edits(MessageBoxPurpose purpose);

// Points of the box of `size`; the first box of a run is 20 points higher.
MessageBoxPoints message_box_size(MessageBoxSize size, bool first_box);

// What a page, worker or engine asks the message box to show.
struct MessageBoxRequest {
  std::string message;
  bool warning = false;                    // warning picture and backdrop
  std::optional<std::string> cancel_title;  // nullopt: no Cancel button
  std::optional<std::string> ok_title;      // nullopt: no OK button
  MessageBoxSize size = MessageBoxSize::w420_h115;
  MessageBoxPurpose purpose = MessageBoxPurpose::notice;
};

// Button instructions for product `product` in `language`; nullopt for a
// product without an instruction.
std::optional<std::string> message_box_first_button(int product, int language);
std::optional<std::string> message_box_failure_first_button(int product, int language);
std::optional<std::string> message_box_second_button(int product, int language);

// Help page about a failed recognition, on the default update server.
std::string recognition_failure_help_url();
// Mail to the support address.
std::string support_mail_url();

}  // namespace session
