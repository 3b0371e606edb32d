#pragma once
// Texts of the firmware update and restore pages and of the update engine, in
// the 13 interface languages: status messages and failure reasons, button
// titles, labels and the notices at the end of an update. Every operation
// takes the language index last; an index outside 1..12, and a language with
// no text of its own, gives English. A composed text asks each of its parts in
// the same language. Stateless: the update worker calls them on its thread.
// The update page derives from UpdateTexts, so the page's class operations
// read UpdateViewController::vyla_string_checking_firmware_in(language).
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class UpdateTexts {
 public:
  // ---- status messages and failure reasons ----
  static std::string vyla_string_no_backup_firmware_in(int language);
  static std::string vyla_string_checking_firmware_in(int language);
  static std::string vyla_string_checking_backup_firmware_in(int language);
  static std::string vyla_string_cannot_access_firmware_in(int language);
  static std::string vyla_string_cannot_allocate_file_buffer_in(int language);
  static std::string vyla_string_cannot_open_firmware_in(int language);
  static std::string vyla_string_cannot_load_firmware_in(int language);
  static std::string vyla_string_firmware_corrupted_in(int language);
  static std::string vyla_string_finished_checking_firmware_in(int language);
  // Fragments joined to a status prefix (lower case).
  static std::string vyla_string_without_backup_firmware_in(int language);
  static std::string vyla_string_about_to_make_backup_firmware_in(int language);
  static std::string vyla_string_cannot_get_device_in(int language);
  static std::string vyla_string_cannot_open_device_in(int language);
  static std::string vyla_string_cannot_claim_device_in(int language);
  static std::string vyla_string_cannot_get_status_in(int language);
  static std::string vyla_string_cannot_clear_status_in(int language);
  static std::string vyla_string_cannot_abort_previous_action_in(int language);
  static std::string vyla_string_cannot_detach_device_in(int language);
  static std::string vyla_string_cannot_identify_device_in(int language);
  static std::string vyla_string_cannot_use_device_in(int language);
  static std::string vyla_string_aborting_in(int language);
  static std::string vyla_string_cannot_update_next_block_in(int language);
  static std::string vyla_string_cannot_send_final_block_in(int language);
  static std::string vyla_string_cannot_connect_to_the_server_in(int language);
  // Button titles, also used inside other texts.
  static std::string vyla_string_update_in(int language);
  static std::string vyla_string_restore_in(int language);
  // Format with one "%@" for a button title.
  static std::string vyla_string_press_x_button_in(int language);
  static std::string vyla_string_failed_to_download_latest_firmware_in(int language);
  static std::string vyla_string_cannot_create_file_in(int language);
  static std::string vyla_string_cannot_get_backup_firmware_in(int language);
  static std::string vyla_string_cannot_open_file_in(int language);
  static std::string vyla_string_about_to_download_latest_firmware_in(int language);
  static std::string vyla_string_about_to_download_backup_firmware_in(int language);
  static std::string vyla_string_about_to_restore_in(int language);
  static std::string vyla_string_cannot_download_firmware_in(int language);
  static std::string vyla_string_cannot_download_backup_firmware_in(int language);

  // ---- composed texts ----
  // "Firmware not for <display name of product>"; an unknown product leaves the name empty.
  static std::string vyla_string_firmware_not_for_in(int product, int language);
  // "Cannot detach device(not idle)".
  static std::string vyla_string_cannot_detach_device_not_idle_in(int language);
  // "Cannot detach device. Try again."
  static std::string vyla_string_cannot_detach_device_try_again_in(int language);
  // "Press the [RESTORE] button" / "Press the [UPDATE] button".
  static std::string vyla_string_press_restore_button_in(int language);
  static std::string vyla_string_press_update_button_in(int language);
  // "<press restore button> after selecting voice prompt language".
  static std::string vyla_string_press_restore_button_after_selecting_in(int language);

  // The firmware file checker's English message in `language`: its five
  // failures and its success by whole text, and any message that begins with
  // "Firmware not for" as vyla_string_firmware_not_for_in(product) (the name
  // comes from the catalogue, not from the message). None for any other message.
  static std::optional<std::string> vyla_string_message_for_in(std::string_view message, int product, int language);
  // The reason to show for a checker message: its translation, or the
  // checker's English message itself when there is none.
  static std::string checker_reason_in(std::string_view message, int product, int language);

  // ---- status prefix of a failure on the two pages (mode 5 update, 6 restore) ----
  // The failure prefix: "Failed to update firmware" on the update page, "Failed
  // to restore firmware" on the restore page; none for any other mode.
  static std::optional<std::string> vyla_status_failure_usb_in(int mode, int usb, int language);

  // ---- titles, labels and notices (the page's getters read them in its current language) ----
  static std::string stringUPDATE_in(int language);
  static std::string stringRESTORE_in(int language);
  static std::string stringBrowse_in(int language);
  static std::string stringDownload_in(int language);
  static std::string stringLatestVersion_in(int language);
  static std::string stringFirmwareToUpdate_in(int language);
  static std::string stringBackupFirmwareInformation_in(int language);
  static std::string stringNewUpdateFoundInformation_in(int language);
  static std::string stringNewUpdateFoundCurrentVersion_in(int language);
  static std::string stringNewUpdateFoundNewVersion_in(int language);
  static std::string stringVoicePromptInformationForVerrano_in(int language);
  static std::string stringVoicePromptInformation_in(int language);
  static std::string stringMessageReconfigure_in(int language);
  // Format: the current status text, then the product name.
  static std::string stringMessagePowerOnPowerOff_in(int language);
  // Format: the product name.
  static std::string stringMessageSWitchOnSwitchOff_in(int language);
  // Format: the current status text, then the application title.
  static std::string stringMessageManagerRestart_in(int language);
  static std::string stringMessageXP9ToKWXP9ForIronvale_in(int language);
  // The two halves of "NO backup firmware" as the backup panel's first label
  // and its value field show them: "NO backup " and "firmware".
  static std::pair<std::string, std::string> stringNOBackupFirmwareParts_in(int language);
  // The name of FM radio region `region` (0 Worldwide, 1 Americas, 2 Asia, 3
  // Australia, 4 Europe, 5 Japan); a region outside 0..5 reads as 0, as the
  // record stores it.
  static std::string vyla_string_fm_radio_region_in(int region, int language);
};
