#include "strings/update_texts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "strings/product_catalogue.h"

namespace {

using enum strings::Language;
using Text = std::string (*)(int);

struct Plain {
  Text operation;
  const char* english;
};

// Every text of the pages and the engine that takes only a language.
const Plain k_plain[] = {
    {UpdateTexts::vyla_string_no_backup_firmware_in, "NO backup firmware"},
    {UpdateTexts::vyla_string_checking_firmware_in, "Checking firmware"},
    {UpdateTexts::vyla_string_checking_backup_firmware_in, "Checking backup firmware"},
    {UpdateTexts::vyla_string_cannot_access_firmware_in, "Cannot access firmware"},
    {UpdateTexts::vyla_string_cannot_allocate_file_buffer_in, "Cannot allocate file buffer"},
    {UpdateTexts::vyla_string_cannot_open_firmware_in, "Cannot open firmware"},
    {UpdateTexts::vyla_string_cannot_load_firmware_in, "Cannot load firmware"},
    {UpdateTexts::vyla_string_firmware_corrupted_in, "Firmware corrupted"},
    {UpdateTexts::vyla_string_finished_checking_firmware_in, "Finished checking firmware"},
    {UpdateTexts::vyla_string_without_backup_firmware_in, "without backup firmware"},
    {UpdateTexts::vyla_string_about_to_make_backup_firmware_in, "about to make backup firmware"},
    {UpdateTexts::vyla_string_cannot_get_device_in, "Cannot get device"},
    {UpdateTexts::vyla_string_cannot_open_device_in, "Cannot open device"},
    {UpdateTexts::vyla_string_cannot_claim_device_in, "Cannot claim device"},
    {UpdateTexts::vyla_string_cannot_get_status_in, "Cannot get status"},
    {UpdateTexts::vyla_string_cannot_clear_status_in, "Cannot clear status"},
    {UpdateTexts::vyla_string_cannot_abort_previous_action_in, "Cannot abort previous action"},
    {UpdateTexts::vyla_string_cannot_detach_device_in, "Cannot detach device"},
    {UpdateTexts::vyla_string_cannot_identify_device_in, "Cannot identify device"},
    {UpdateTexts::vyla_string_cannot_use_device_in, "Cannot use device"},
    {UpdateTexts::vyla_string_aborting_in, "aborting"},
    {UpdateTexts::vyla_string_cannot_update_next_block_in, "Cannot update next block"},
    {UpdateTexts::vyla_string_cannot_send_final_block_in, "Cannot send final block"},
    {UpdateTexts::vyla_string_cannot_connect_to_the_server_in, "Cannot connect to the server"},
    {UpdateTexts::vyla_string_update_in, "UPDATE"},
    {UpdateTexts::vyla_string_restore_in, "RESTORE"},
    {UpdateTexts::vyla_string_press_x_button_in, "Press the [%@] button"},
    {UpdateTexts::vyla_string_failed_to_download_latest_firmware_in, "Failed to download latest firmware"},
    {UpdateTexts::vyla_string_cannot_create_file_in, "Cannot create file"},
    {UpdateTexts::vyla_string_cannot_get_backup_firmware_in, "Cannot get backup firmware"},
    {UpdateTexts::vyla_string_cannot_open_file_in, "Cannot open file"},
    {UpdateTexts::vyla_string_about_to_download_latest_firmware_in, "about to download latest firmware"},
    {UpdateTexts::vyla_string_about_to_download_backup_firmware_in, "about to download backup firmware"},
    {UpdateTexts::vyla_string_about_to_restore_in, "about to restore"},
    {UpdateTexts::vyla_string_cannot_download_firmware_in, "Cannot download firmware"},
    {UpdateTexts::vyla_string_cannot_download_backup_firmware_in, "Cannot download backup firmware"},
    {UpdateTexts::vyla_string_cannot_detach_device_not_idle_in, "Cannot detach device(not idle)"},
    {UpdateTexts::vyla_string_cannot_detach_device_try_again_in, "Cannot detach device. Try again."},
    {UpdateTexts::vyla_string_press_restore_button_in, "Press the [RESTORE] button"},
    {UpdateTexts::vyla_string_press_update_button_in, "Press the [UPDATE] button"},
    {UpdateTexts::vyla_string_press_restore_button_after_selecting_in,
     "Press the [RESTORE] button after selecting voice prompt language"},
    {UpdateTexts::stringUPDATE_in, "UPDATE"},
    {UpdateTexts::stringRESTORE_in, "RESTORE"},
    {UpdateTexts::stringBrowse_in, "Browse..."},
    {UpdateTexts::stringDownload_in, "Download..."},
    {UpdateTexts::stringLatestVersion_in, "Latest Version"},
    {UpdateTexts::stringFirmwareToUpdate_in, "Firmware To Update"},
    {UpdateTexts::stringBackupFirmwareInformation_in, "Backup Firmware Information"},
    {UpdateTexts::stringNewUpdateFoundInformation_in,
     "New firmware is now available.\nWould you like to download it from the server and update onto it?"},
    {UpdateTexts::stringNewUpdateFoundCurrentVersion_in, "Current version"},
    {UpdateTexts::stringNewUpdateFoundNewVersion_in, "New version"},
    {UpdateTexts::stringVoicePromptInformationForVerrano_in,
     "1. To change the language of the audio messages, click on the drop down \n    menu and select the desired "
     "language.\n2. Click on [DOWNLOAD] to download the firmware of the selected language.\n3. Click on [UPDATE] to "
     "proceed with the update of the firmware."},
    {UpdateTexts::stringVoicePromptInformation_in,
     "1. To change the language of the voice prompt, click on the drop down menu to\n    select your desired voice "
     "prompt language.\n2. Press [DOWNLOAD] to download the firmware for your desired voice prompt\n    language to "
     "your computer.\n3. Press [UPDATE] to proceed with the firmware update."},
    {UpdateTexts::stringMessageReconfigure_in,
     "It is strongly recommended to clear the existing pairing information from the phone and to perform a "
     "Bluetooth pairing again. You need to reconfigure the device setting again according to your original "
     "setting."},
    {UpdateTexts::stringMessagePowerOnPowerOff_in, "[%@]\nPower off and power on %@ to apply new firmware.\n"},
    {UpdateTexts::stringMessageSWitchOnSwitchOff_in, "After switching off %@ and switching on again, try once more."},
    {UpdateTexts::stringMessageManagerRestart_in, "[%@]\n%@ will restart.\nChoose appropriate firmware.\n"},
    {UpdateTexts::stringMessageXP9ToKWXP9ForIronvale_in,
     "This current version of the XP9 firmware is not supported by this Device Manager. Please update only this "
     "firmware using the Kelto Audio Bluetooth Device Manager for Windows."},
};

TEST(UpdateTexts, EnglishTextsAndEveryOutOfRangeIndexGivesEnglish) {
  for (const Plain& text : k_plain) {
    SCOPED_TRACE(text.english);
    for (int language : {0, -1, 13, 100}) EXPECT_EQ(text.operation(language), text.english);
  }
  const std::string name = *ProductCatalogue::vyla_product_name(0x6020);
  for (int language : {0, -1, 13}) {
    EXPECT_EQ(UpdateTexts::vyla_string_firmware_not_for_in(0x6020, language), "Firmware not for " + name);
  }
  EXPECT_EQ(UpdateTexts::stringNOBackupFirmwareParts_in(13), std::make_pair(std::string("NO backup "), std::string("firmware")));
}

TEST(UpdateTexts, PrintedTranslationsAndEnglishWhereNoneIsGiven) {
  const std::string name = *ProductCatalogue::vyla_product_name(0x3210);
  struct Case {
    const char* what;
    std::string actual;
    std::string expected;
  };
  const Case cases[] = {
      {"German press update: German format, German keeps UPDATE",
       UpdateTexts::vyla_string_press_update_button_in(German), "[UPDATE] Taste drücken."},
      {"German press restore", UpdateTexts::vyla_string_press_restore_button_in(German), "[RESTORE] Taste drücken."},
      {"German not-for puts the product first", UpdateTexts::vyla_string_firmware_not_for_in(0x3210, German),
       "Keine " + name + " Firmware"},
      {"Korean not-for", UpdateTexts::vyla_string_firmware_not_for_in(0x3210, Korean), name + "용 펌웨어 아님"},
      {"Finnish not-idle ends in a blank", UpdateTexts::vyla_string_cannot_detach_device_not_idle_in(Finnish),
       "Cannot detach device(ei vapaana) "},
      {"Chinese not-idle with full-width parentheses",
       UpdateTexts::vyla_string_cannot_detach_device_not_idle_in(Chinese), "Cannot detach device（非空闲）"},
      {"Czech not-idle: no text given", UpdateTexts::vyla_string_cannot_detach_device_not_idle_in(Czech),
       "Cannot detach device(not idle)"},
      {"French not-for: no text given", UpdateTexts::vyla_string_firmware_not_for_in(0x3210, French),
       "Firmware not for " + name},
      {"French checking firmware: no text given", UpdateTexts::vyla_string_checking_firmware_in(French),
       "Checking firmware"},
      {"the try-again form asks both parts in the language",
       UpdateTexts::vyla_string_cannot_detach_device_try_again_in(German),
       "Cannot detach device. " + CommonTexts::vyla_string_try_again_in(German) + "."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.actual, c.expected);
  }
}

TEST(UpdateTexts, CheckerMessagesTranslateByWholeTextOrByTheNotForPrefix) {
  const std::string name = *ProductCatalogue::vyla_product_name(0x3210);
  struct Case {
    const char* message;
    std::optional<std::string> german;
  };
  const Case cases[] = {
      {"Cannot access firmware", "Cannot access firmware"},
      {"Cannot allocate file buffer", "Cannot allocate file buffer"},
      {"Cannot open firmware", "Cannot open firmware"},
      {"Cannot load firmware", "Cannot load firmware"},
      {"Firmware corrupted", "Firmware corrupted"},
      {"Finished checking firmware", "Finished checking firmware"},
      // the name comes from the catalogue, whatever the checker wrote after the prefix
      {"Firmware not for XA6-FM#1234", "Keine " + name + " Firmware"},
      {"Firmware not for", "Keine " + name + " Firmware"},
      {"Firmware corrupted!", std::nullopt},
      {"firmware corrupted", std::nullopt},
      {"Device recognized successfully", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(UpdateTexts::vyla_string_message_for_in(c.message, 0x3210, German), c.german);
    // a message without a translation is shown as the checker wrote it, never as nothing
    EXPECT_EQ(UpdateTexts::checker_reason_in(c.message, 0x3210, German), c.german.value_or(c.message));
  }
}

TEST(UpdateTexts, FailurePrefixesOfTheTwoPages) {
  EXPECT_EQ(UpdateTexts::vyla_status_failure_usb_in(5, 0, English), "Failed to update firmware");
  EXPECT_EQ(UpdateTexts::vyla_status_failure_usb_in(6, 0x8000, Polish), "Failed to restore firmware");
  for (int mode : {0, 4, 7}) EXPECT_EQ(UpdateTexts::vyla_status_failure_usb_in(mode, 0, English), std::nullopt);
}

}  // namespace
