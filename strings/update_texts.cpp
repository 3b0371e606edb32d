#include "strings/update_texts.h"

#include <array>
#include <cstddef>

#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "strings/product_catalogue.h"

using strings::Chinese;
using strings::English;
using strings::Finnish;
using strings::German;
using strings::Korean;
using strings::LocalizedTexts;
using strings::pick;
using strings::texts_of;

namespace {

// A text whose only translations are the ones listed; every other language reads English.
std::string text_in(const LocalizedTexts& table, int language) { return pick(table, language); }

}  // namespace

// Texts that exist in English only: every language reads them in English.

std::string UpdateTexts::vyla_string_no_backup_firmware_in(int) { return "NO backup firmware"; }
std::string UpdateTexts::vyla_string_checking_firmware_in(int) { return "Checking firmware"; }
std::string UpdateTexts::vyla_string_checking_backup_firmware_in(int) { return "Checking backup firmware"; }
std::string UpdateTexts::vyla_string_cannot_access_firmware_in(int) { return "Cannot access firmware"; }
std::string UpdateTexts::vyla_string_cannot_allocate_file_buffer_in(int) { return "Cannot allocate file buffer"; }
std::string UpdateTexts::vyla_string_cannot_open_firmware_in(int) { return "Cannot open firmware"; }
std::string UpdateTexts::vyla_string_cannot_load_firmware_in(int) { return "Cannot load firmware"; }
std::string UpdateTexts::vyla_string_firmware_corrupted_in(int) { return "Firmware corrupted"; }
std::string UpdateTexts::vyla_string_finished_checking_firmware_in(int) { return "Finished checking firmware"; }
std::string UpdateTexts::vyla_string_without_backup_firmware_in(int) { return "without backup firmware"; }
std::string UpdateTexts::vyla_string_about_to_make_backup_firmware_in(int) { return "about to make backup firmware"; }
std::string UpdateTexts::vyla_string_cannot_get_device_in(int) { return "Cannot get device"; }
std::string UpdateTexts::vyla_string_cannot_open_device_in(int) { return "Cannot open device"; }
std::string UpdateTexts::vyla_string_cannot_claim_device_in(int) { return "Cannot claim device"; }
std::string UpdateTexts::vyla_string_cannot_get_status_in(int) { return "Cannot get status"; }
std::string UpdateTexts::vyla_string_cannot_clear_status_in(int) { return "Cannot clear status"; }
std::string UpdateTexts::vyla_string_cannot_abort_previous_action_in(int) { return "Cannot abort previous action"; }
std::string UpdateTexts::vyla_string_cannot_detach_device_in(int) { return "Cannot detach device"; }
std::string UpdateTexts::vyla_string_cannot_identify_device_in(int) { return "Cannot identify device"; }
std::string UpdateTexts::vyla_string_cannot_use_device_in(int) { return "Cannot use device"; }
std::string UpdateTexts::vyla_string_aborting_in(int) { return "aborting"; }
std::string UpdateTexts::vyla_string_cannot_update_next_block_in(int) { return "Cannot update next block"; }
std::string UpdateTexts::vyla_string_cannot_send_final_block_in(int) { return "Cannot send final block"; }
std::string UpdateTexts::vyla_string_cannot_connect_to_the_server_in(int) { return "Cannot connect to the server"; }
std::string UpdateTexts::vyla_string_restore_in(int) { return "RESTORE"; }
std::string UpdateTexts::vyla_string_failed_to_download_latest_firmware_in(int) {
  return "Failed to download latest firmware";
}
std::string UpdateTexts::vyla_string_cannot_create_file_in(int) { return "Cannot create file"; }
std::string UpdateTexts::vyla_string_cannot_get_backup_firmware_in(int) { return "Cannot get backup firmware"; }
std::string UpdateTexts::vyla_string_cannot_open_file_in(int) { return "Cannot open file"; }
std::string UpdateTexts::vyla_string_about_to_download_latest_firmware_in(int) {
  return "about to download latest firmware";
}
std::string UpdateTexts::vyla_string_about_to_download_backup_firmware_in(int) {
  return "about to download backup firmware";
}
std::string UpdateTexts::vyla_string_about_to_restore_in(int) { return "about to restore"; }
std::string UpdateTexts::vyla_string_cannot_download_firmware_in(int) { return "Cannot download firmware"; }
std::string UpdateTexts::vyla_string_cannot_download_backup_firmware_in(int) {
  return "Cannot download backup firmware";
}

std::string UpdateTexts::stringBrowse_in(int) { return "Browse..."; }
std::string UpdateTexts::stringDownload_in(int) { return "Download..."; }
std::string UpdateTexts::stringLatestVersion_in(int) { return "Latest Version"; }
std::string UpdateTexts::stringFirmwareToUpdate_in(int) { return "Firmware To Update"; }
std::string UpdateTexts::stringBackupFirmwareInformation_in(int) { return "Backup Firmware Information"; }
std::string UpdateTexts::stringNewUpdateFoundInformation_in(int) {
  return "New firmware is now available.\nWould you like to download it from the server and update onto it?";
}
std::string UpdateTexts::stringNewUpdateFoundCurrentVersion_in(int) { return "Current version"; }
std::string UpdateTexts::stringNewUpdateFoundNewVersion_in(int) { return "New version"; }
std::string UpdateTexts::stringVoicePromptInformationForVerrano_in(int) {
  return "1. To change the language of the audio messages, click on the drop down \n"
         "    menu and select the desired language.\n"
         "2. Click on [DOWNLOAD] to download the firmware of the selected language.\n"
         "3. Click on [UPDATE] to proceed with the update of the firmware.";
}
std::string UpdateTexts::stringVoicePromptInformation_in(int) {
  return "1. To change the language of the voice prompt, click on the drop down menu to\n"
         "    select your desired voice prompt language.\n"
         "2. Press [DOWNLOAD] to download the firmware for your desired voice prompt\n"
         "    language to your computer.\n"
         "3. Press [UPDATE] to proceed with the firmware update.";
}
std::string UpdateTexts::stringMessageReconfigure_in(int) {
  return "It is strongly recommended to clear the existing pairing information from the phone and to perform "
         "a Bluetooth pairing again. You need to reconfigure the device setting again according to your "
         "original setting.";
}
std::string UpdateTexts::stringMessagePowerOnPowerOff_in(int) {
  return "[%@]\nPower off and power on %@ to apply new firmware.\n";
}
std::string UpdateTexts::stringMessageSWitchOnSwitchOff_in(int) {
  return "After switching off %@ and switching on again, try once more.";
}
std::string UpdateTexts::stringMessageManagerRestart_in(int) {
  return "[%@]\n%@ will restart.\nChoose appropriate firmware.\n";
}
std::string UpdateTexts::stringMessageXP9ToKWXP9ForIronvale_in(int) {
  return "This current version of the XP9 firmware is not supported by this Device Manager. Please update "
         "only this firmware using the Kelto Audio Bluetooth Device Manager for Windows.";
}

// German keeps the English word.
std::string UpdateTexts::vyla_string_update_in(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "UPDATE"}, {German, "UPDATE"}});
  return text_in(k_texts, language);
}

std::string UpdateTexts::vyla_string_press_x_button_in(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Press the [%@] button"}, {German, "[%@] Taste drücken."}});
  return text_in(k_texts, language);
}

std::string UpdateTexts::vyla_string_firmware_not_for_in(int product, int language) {
  // German and Korean put the product first
  static const LocalizedTexts k_formats =
      texts_of({{English, "Firmware not for %@"}, {German, "Keine %@ Firmware"}, {Korean, "%@용 펌웨어 아님"}});
  return platform::format(text_in(k_formats, language), ProductCatalogue::vyla_product_name(product).value_or(""));
}

std::string UpdateTexts::vyla_string_cannot_detach_device_not_idle_in(int language) {
  // the Finnish form ends in a blank; the Chinese one has full-width parentheses
  static const LocalizedTexts k_formats =
      texts_of({{English, "%@(not idle)"}, {Finnish, "%@(ei vapaana) "}, {Chinese, "%@（非空闲）"}});
  return platform::format(text_in(k_formats, language), vyla_string_cannot_detach_device_in(language));
}

std::string UpdateTexts::vyla_string_cannot_detach_device_try_again_in(int language) {
  return platform::format("%@. %@.", vyla_string_cannot_detach_device_in(language),
                          CommonTexts::vyla_string_try_again_in(language));
}

std::string UpdateTexts::vyla_string_press_restore_button_in(int language) {
  return platform::format(vyla_string_press_x_button_in(language), vyla_string_restore_in(language));
}

std::string UpdateTexts::vyla_string_press_update_button_in(int language) {
  return platform::format(vyla_string_press_x_button_in(language), vyla_string_update_in(language));
}

std::string UpdateTexts::vyla_string_press_restore_button_after_selecting_in(int language) {
  static const LocalizedTexts k_formats = texts_of({{English, "%@ after selecting voice prompt language"}});
  return platform::format(text_in(k_formats, language), vyla_string_press_restore_button_in(language));
}

std::optional<std::string> UpdateTexts::vyla_string_message_for_in(std::string_view message, int product,
                                                                   int language) {
  using Text = std::string (*)(int);
  struct Whole {
    std::string_view message;
    Text text;
  };
  static const Whole k_failures[] = {
      {"Cannot access firmware", vyla_string_cannot_access_firmware_in},
      {"Cannot allocate file buffer", vyla_string_cannot_allocate_file_buffer_in},
      {"Cannot open firmware", vyla_string_cannot_open_firmware_in},
      {"Cannot load firmware", vyla_string_cannot_load_firmware_in},
      {"Firmware corrupted", vyla_string_firmware_corrupted_in},
  };
  for (const Whole& whole : k_failures) {
    if (message == whole.message) return whole.text(language);
  }
  // the checker writes the product after these 16 characters
  if (message.starts_with("Firmware not for")) return vyla_string_firmware_not_for_in(product, language);
  if (message == "Finished checking firmware") return vyla_string_finished_checking_firmware_in(language);
  return std::nullopt;
}

std::string UpdateTexts::checker_reason_in(std::string_view message, int product, int language) {
  return vyla_string_message_for_in(message, product, language).value_or(std::string(message));
}

std::optional<std::string> UpdateTexts::vyla_status_failure_usb_in(int mode, int /*usb*/, int language) {
  static const LocalizedTexts k_update = texts_of({{English, "Failed to update firmware"}});
  static const LocalizedTexts k_restore = texts_of({{English, "Failed to restore firmware"}});
  if (mode == 5) return text_in(k_update, language);
  if (mode == 6) return text_in(k_restore, language);
  return std::nullopt;
}

std::string UpdateTexts::stringUPDATE_in(int language) { return vyla_string_update_in(language); }

std::string UpdateTexts::stringRESTORE_in(int language) { return vyla_string_restore_in(language); }

std::pair<std::string, std::string> UpdateTexts::stringNOBackupFirmwareParts_in(int language) {
  static const LocalizedTexts k_first = texts_of({{English, "NO backup "}});
  static const LocalizedTexts k_second = texts_of({{English, "firmware"}});
  return {text_in(k_first, language), text_in(k_second, language)};
}

std::string UpdateTexts::vyla_string_fm_radio_region_in(int region, int language) {
  using Regions = std::array<const char*, 6>;
  static constexpr std::array<Regions, strings::k_language_count> k_regions = {{
      {"Worldwide", "Americas", "Asia", "Australia", "Europe", "Japan"},
      {"Monde", "Amériques", "Asie", "Australie", "Europe", "Japon"},
      // the German row names the Americas as the Italian one does
      {"Weltweit", "Americhe", "Asien", "Australien", "Europa", "Japan"},
      {"Tutto il mondo", "America", "Asia", "Australia", "Europa", "Giappone"},
      {"全世界", "アメリカ大陸", "アジア", "オーストラリア", "ヨーロッパ", "日本"},
      {"전 세계", "아메리카", "아시아", "오스트레일리아", "유럽", "일본"},
      {"Todo el mundo", "América", "Asia", "Australia", "Europa", "Japón"},
      {"Wereldwijd", "N-/Z-Amerika", "Azië", "Australië", "Europa", "Japan"},
      {"Весь мир", "Сев. и Юж. Америка", "Азия", "Австралия", "Европа", "Япония"},
      {"全球", "美洲", "亚洲", "澳大利亚", "欧洲", "日本"},
      {"Maailmanlaajuinen", "Amerikka", "Aasia", "Australia", "Eurooppa", "Japani"},
      {"Celý svět", "Amerika", "Asie", "Austrálie", "Evropa", "Japonsko"},
      {"Cały świat", "Ameryki", "Azja", "Australia", "Europa", "Japonia"},
  }};
  const Regions& names = k_regions[static_cast<std::size_t>(strings::effective_language(language))];
  return names[region >= 0 && region < static_cast<int>(names.size()) ? static_cast<std::size_t>(region) : 0];
}
