#pragma once
// Language names and the common words every page uses (button captions, the
// devices' button names, short messages, date format), in the 13 interface
// languages. Every operation takes the language index last; an index outside
// 1..12 gives English, and so does a language that has no text of its own.
// Stateless: callable from any thread.
#include <string>

namespace strings {

// The application's name: window title and application folder.
inline constexpr char k_application_name[] = "Vexlink Setwise";

// Language-name indices: 0..12 are the interface languages, 13..20 languages
// that only have names (the firmware update engine meets them in packages).
inline constexpr int k_language_name_count = 21;

}  // namespace strings

class CommonTexts {
 public:
  // Name of language `n` (0..20) written in `language`; `n` outside 1..20 is
  // English.
  static std::string vyla_string_language_in(int n, int language);
  // English name of language `n`.
  static std::string vyla_language_manager(int n);
  // Index of the language whose English name equals `name`, ignoring case;
  // when none does, 0 if `with_default`, else -1.
  static int vyla_language_manager_index_with_default(const std::string& name, bool with_default);
  // `english_name` translated into `language`; a name not in the table comes
  // back unchanged.
  static std::string vyla_language_manager_from_language_in(const std::string& english_name, int language);
  // Caption of the language chooser.
  static std::string vyla_string_language_manager_in(int language);

  // Button captions.
  static std::string vyla_string_ok_in(int language);
  static std::string vyla_string_sendemail_in(int language);
  static std::string vyla_string_cancel_in(int language);
  static std::string vyla_string_yes_in(int language);
  static std::string vyla_string_no_in(int language);
  static std::string vyla_string_back_in(int language);
  static std::string vyla_string_next_in(int language);
  static std::string vyla_string_new_device_in(int language);

  // Names of the devices' controls.
  static std::string vyla_string_jog_dial_in(int language);
  static std::string vyla_string_phone_button_in(int language);
  static std::string vyla_string_center_button_in(int language);
  static std::string vyla_string_plus_button_in(int language);
  static std::string vyla_string_minus_button_in(int language);
  static std::string vyla_string_left_button_in(int language);
  static std::string vyla_string_right_button_in(int language);
  static std::string vyla_string_ptt_button_in(int language);
  static std::string vyla_string_pairing_button_in(int language);

  // Product-list headings.
  static std::string vyla_string_fexo_product_in(int language);
  static std::string vyla_string_oem_product_in(int language);

  // Short messages and words.
  static std::string vyla_string_cannot_open_usb_in(int language);
  static std::string vyla_string_firmware_management_mode_in(int language);
  static std::string vyla_string_not_recognized_device_in(int language);
  static std::string vyla_string_cannot_make_backup_firmware_in(int language);
  static std::string vyla_string_try_again_in(int language);
  static std::string vyla_string_camera_update_fail_in(int language);
  static std::string vyla_string_enable_in(int language);
  static std::string vyla_string_disable_in(int language);
  static std::string vyla_string_enabled_in(int language);
  static std::string vyla_string_disabled_in(int language);
  static std::string vyla_string_seconds_in(int language);
  static std::string vyla_string_recognized_device_not_selected_in(int language);
  static std::string vyla_string_version_in(int language);
  static std::string vyla_string_firmware_in(int language);
  static std::string vyla_string_check_sd_card_in(int language);
  // The LM6 ZOD refuses this firmware version; asks for its latest firmware.
  static std::string vyla_cannot_update_lm6evo(int language);

  // Date-formatter pattern (dd, MM, yyyy, HH, mm, ss) of the language.
  static std::string vyla_string_date_format_in(int language);
  // "continue the firmware update" for page mode 5, "... restore" for any
  // other mode.
  static std::string vyla_string_continue_the_firmware_update_or_restore_in(int mode, int language);
  // Window title: the application name, whatever the product and language.
  static std::string vyla_title_in(int product_id, int language);
  // Title of page mode `mode` (2..9); "MODE NOT AVAILABLE" for any other mode.
  static std::string vyla_string_mode_in(int mode, int language);
};
