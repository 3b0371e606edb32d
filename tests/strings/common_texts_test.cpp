#include "strings/common_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "strings/language.h"
#include "strings/language_table.h"

namespace {

using WordFunction = std::string (*)(int);

using enum strings::Language;

// Every text operation, bound to a fixed second argument where it takes one.
const std::vector<std::pair<const char*, WordFunction>>& all_operations() {
  static const std::vector<std::pair<const char*, WordFunction>> k_operations = {
      {"language 18", [](int l) { return CommonTexts::vyla_string_language_in(18, l); }},
      {"from_language Greek", [](int l) { return CommonTexts::vyla_language_manager_from_language_in("Greek", l); }},
      {"language_manager", CommonTexts::vyla_string_language_manager_in},
      {"ok", CommonTexts::vyla_string_ok_in},
      {"sendemail", CommonTexts::vyla_string_sendemail_in},
      {"cancel", CommonTexts::vyla_string_cancel_in},
      {"yes", CommonTexts::vyla_string_yes_in},
      {"no", CommonTexts::vyla_string_no_in},
      {"back", CommonTexts::vyla_string_back_in},
      {"next", CommonTexts::vyla_string_next_in},
      {"new_device", CommonTexts::vyla_string_new_device_in},
      {"jog_dial", CommonTexts::vyla_string_jog_dial_in},
      {"phone_button", CommonTexts::vyla_string_phone_button_in},
      {"center_button", CommonTexts::vyla_string_center_button_in},
      {"plus_button", CommonTexts::vyla_string_plus_button_in},
      {"minus_button", CommonTexts::vyla_string_minus_button_in},
      {"left_button", CommonTexts::vyla_string_left_button_in},
      {"right_button", CommonTexts::vyla_string_right_button_in},
      {"ptt_button", CommonTexts::vyla_string_ptt_button_in},
      {"pairing_button", CommonTexts::vyla_string_pairing_button_in},
      {"fexo_product", CommonTexts::vyla_string_fexo_product_in},
      {"oem_product", CommonTexts::vyla_string_oem_product_in},
      {"cannot_open_usb", CommonTexts::vyla_string_cannot_open_usb_in},
      {"firmware_management_mode", CommonTexts::vyla_string_firmware_management_mode_in},
      {"not_recognized_device", CommonTexts::vyla_string_not_recognized_device_in},
      {"cannot_make_backup_firmware", CommonTexts::vyla_string_cannot_make_backup_firmware_in},
      {"try_again", CommonTexts::vyla_string_try_again_in},
      {"camera_update_fail", CommonTexts::vyla_string_camera_update_fail_in},
      {"enable", CommonTexts::vyla_string_enable_in},
      {"disable", CommonTexts::vyla_string_disable_in},
      {"enabled", CommonTexts::vyla_string_enabled_in},
      {"disabled", CommonTexts::vyla_string_disabled_in},
      {"seconds", CommonTexts::vyla_string_seconds_in},
      {"recognized_device_not_selected", CommonTexts::vyla_string_recognized_device_not_selected_in},
      {"version", CommonTexts::vyla_string_version_in},
      {"firmware", CommonTexts::vyla_string_firmware_in},
      {"check_sd_card", CommonTexts::vyla_string_check_sd_card_in},
      {"cannot_update_lm6evo", CommonTexts::vyla_cannot_update_lm6evo},
      {"date_format", CommonTexts::vyla_string_date_format_in},
      {"continue mode 5",
       [](int l) { return CommonTexts::vyla_string_continue_the_firmware_update_or_restore_in(5, l); }},
      {"continue mode 6",
       [](int l) { return CommonTexts::vyla_string_continue_the_firmware_update_or_restore_in(6, l); }},
      {"title", [](int l) { return CommonTexts::vyla_title_in(0x6020, l); }},
      {"mode 4", [](int l) { return CommonTexts::vyla_string_mode_in(4, l); }},
      {"mode 8", [](int l) { return CommonTexts::vyla_string_mode_in(8, l); }},
  };
  return k_operations;
}

TEST(CommonTexts, LanguageOutsideOneToTwelveGivesEnglish) {
  for (const auto& [name, operation] : all_operations()) {
    SCOPED_TRACE(name);
    const std::string english = operation(0);
    EXPECT_FALSE(english.empty());
    for (int language : {-1, 13, 21, -2147483647 - 1, 2147483647}) {
      SCOPED_TRACE(language);
      EXPECT_EQ(operation(language), english);
    }
  }
}

TEST(CommonTexts, NoLanguageIsLeftWithoutText) {
  for (const auto& [name, operation] : all_operations()) {
    SCOPED_TRACE(name);
    for (int language = 0; language < strings::k_language_count; ++language) {
      SCOPED_TRACE(language);
      EXPECT_FALSE(operation(language).empty());
    }
  }
}

TEST(CommonTexts, LanguageNames) {
  struct Case {
    int n;
    int language;
    const char* expected;
  };
  const Case cases[] = {
      // each interface language names itself
      {0, English, "English"},
      {1, French, "Français"},
      {2, German, "Deutsch"},
      {3, Italian, "Italiano"},
      {4, Japanese, "日本語"},
      {5, Korean, "한국어"},
      {6, Spanish, "Español"},
      {7, Dutch, "Nederlands"},
      {8, Russian, "Русский"},
      {9, Chinese, "中文"},
      {10, Finnish, "Suomen kieli"},
      {11, Czech, "Čeština"},
      {12, Polish, "Polski"},
      // English names of the name-only languages
      {13, English, "Danish"},
      {18, English, "Portuguese"},
      {20, English, "Greek"},
      // German names
      {0, German, "Englisch"},
      {7, German, "Niederländisch"},
      {16, German, "Türkisch"},
      {18, German, "Portugiesisch (Europa)"},
      {19, German, "Hebräisch"},
      // European Portuguese elsewhere
      {18, French, "Portugais européen"},
      {18, Italian, "Portoghese europeo"},
      {18, Japanese, "（ヨーロッパ） ポルトガル語"},
      {13, French, "Danois"},
      // outside 1..20: English, named in the asked language
      {0, French, "Anglais"},
      {21, French, "Anglais"},
      {-1, German, "Englisch"},
      {21, English, "English"},
      // language outside 1..12: English names
      {2, 13, "German"},
      {2, -1, "German"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "n=" << c.n << " language=" << c.language);
    EXPECT_EQ(CommonTexts::vyla_string_language_in(c.n, c.language), c.expected);
  }
}

TEST(CommonTexts, EveryLanguageNamesAllTwentyOneLanguagesDistinctly) {
  for (int language = 0; language < strings::k_language_count; ++language) {
    SCOPED_TRACE(language);
    std::set<std::string> names;
    for (int n = 0; n < strings::k_language_name_count; ++n)
      names.insert(CommonTexts::vyla_string_language_in(n, language));
    EXPECT_EQ(names.size(), static_cast<size_t>(strings::k_language_name_count));
    EXPECT_EQ(names.count(""), 0u);
  }
}

TEST(CommonTexts, EnglishLanguageNamesAndTheirIndices) {
  const char* english[] = {"English",   "French",  "German",  "Italian",   "Japanese",   "Korean", "Spanish",
                           "Dutch",     "Russian", "Chinese", "Finnish",   "Czech",      "Polish", "Danish",
                           "Norwegian", "Swedish", "Turkish", "Hungarian", "Portuguese", "Hebrew", "Greek"};
  for (int n = 0; n < 21; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(CommonTexts::vyla_language_manager(n), english[n]);
    EXPECT_EQ(CommonTexts::vyla_language_manager_index_with_default(english[n], false), n);
  }
  EXPECT_EQ(CommonTexts::vyla_language_manager(21), "English");
  EXPECT_EQ(CommonTexts::vyla_language_manager(-5), "English");
}

TEST(CommonTexts, LanguageIndexOfAName) {
  struct Case {
    const char* name;
    bool with_default;
    int expected;
  };
  const Case cases[] = {
      {"FRENCH", false, 1}, {"french", true, 1},    {"gReEk", false, 20},    {"english", false, 0},
      {"Klingon", true, 0}, {"Klingon", false, -1}, {"", false, -1},         {"", true, 0},
      {"Frenc", false, -1}, {"Frenchx", false, -1}, {"Français", false, -1}, {"French ", false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.name << "\" with_default=" << c.with_default);
    EXPECT_EQ(CommonTexts::vyla_language_manager_index_with_default(c.name, c.with_default), c.expected);
  }
}

TEST(CommonTexts, TranslatesAnEnglishLanguageName) {
  struct Case {
    const char* name;
    int language;
    const char* expected;
  };
  const Case cases[] = {
      {"German", French, "Allemand"}, {"portuguese", German, "Portugiesisch (Europa)"},
      {"HEBREW", English, "Hebrew"},  {"Korean", Korean, "한국어"},
      {"Klingon", German, "Klingon"}, {"", French, ""},
      {"Deutsch", French, "Deutsch"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CommonTexts::vyla_language_manager_from_language_in(c.name, c.language), c.expected);
  }
}

TEST(CommonTexts, CommonWords) {
  struct Case {
    const char* name;
    WordFunction word;
    int language;
    const char* expected;
  };
  const Case cases[] = {
      {"language chooser in French", CommonTexts::vyla_string_language_manager_in, French, "Langue du gestionnaire"},
      {"language chooser in Polish", CommonTexts::vyla_string_language_manager_in, Polish,
       "Język menedżera oprogramowania"},
      {"language chooser in Italian", CommonTexts::vyla_string_language_manager_in, Italian,
       "Manager Software Language"},
      {"ok in Korean", CommonTexts::vyla_string_ok_in, Korean, "확인"},
      {"ok in Japanese", CommonTexts::vyla_string_ok_in, Japanese, "OK"},
      {"send email in German", CommonTexts::vyla_string_sendemail_in, German, "E-Mail SENDEN"},
      {"cancel in Japanese", CommonTexts::vyla_string_cancel_in, Japanese, "取消"},
      {"cancel in Chinese", CommonTexts::vyla_string_cancel_in, Chinese, "取消"},
      {"cancel in Italian", CommonTexts::vyla_string_cancel_in, Italian, "CANCEL"},
      {"yes in Dutch", CommonTexts::vyla_string_yes_in, Dutch, "JA"},
      {"yes in French", CommonTexts::vyla_string_yes_in, French, "OUI"},
      {"no in Italian", CommonTexts::vyla_string_no_in, Italian, "NO"},
      {"no in Spanish", CommonTexts::vyla_string_no_in, Spanish, "NO"},
      {"back in German", CommonTexts::vyla_string_back_in, German, "ZURÜCK"},
      {"new device in French", CommonTexts::vyla_string_new_device_in, French, "NOUV. PÉRIPH"},
      {"center button in Spanish", CommonTexts::vyla_string_center_button_in, Spanish, "Botón Central "},
      {"center button in French", CommonTexts::vyla_string_center_button_in, French, "le Bouton Centre"},
      {"left button in Finnish", CommonTexts::vyla_string_left_button_in, Finnish, "[Vasen] -painike"},
      {"right button in Finnish", CommonTexts::vyla_string_right_button_in, Finnish, "[Oikea] -painike"},
      {"right button in German", CommonTexts::vyla_string_right_button_in, German, "Taste [R]"},
      {"pairing button in German", CommonTexts::vyla_string_pairing_button_in, German, "Kopplungstaste"},
      {"Fexo products in Czech", CommonTexts::vyla_string_fexo_product_in, Czech, "Fexo Standard Products"},
      {"OEM products in German", CommonTexts::vyla_string_oem_product_in, German, "OEM-Produkte von Fexo"},
      {"enable in German", CommonTexts::vyla_string_enable_in, German, "Aktiviert"},
      {"disabled in French", CommonTexts::vyla_string_disabled_in, French, "Désactivé"},
      {"seconds in Czech", CommonTexts::vyla_string_seconds_in, Czech, "sekundy"},
      {"seconds in Polish", CommonTexts::vyla_string_seconds_in, Polish, "sekundy"},
      {"seconds in Finnish", CommonTexts::vyla_string_seconds_in, Finnish, "seconds"},
      {"version in German", CommonTexts::vyla_string_version_in, German, "Version"},
      {"firmware in French", CommonTexts::vyla_string_firmware_in, French, "micrologiciel"},
      {"firmware in German", CommonTexts::vyla_string_firmware_in, German, "firmware"},
      {"check SD card in French", CommonTexts::vyla_string_check_sd_card_in, French, "Vérifiez votre carte microSD."},
      {"not selected in English", CommonTexts::vyla_string_recognized_device_not_selected_in, English,
       "Recognized device is not connected or is not the same as the connected device.\nSelect appropriate device."},
      {"not selected in German", CommonTexts::vyla_string_recognized_device_not_selected_in, German,
       "Erkanntes Gerät nicht angeschlossen bzw. nicht identisch mit dem angeschlossenen Gerät.\nGerät. Geeignetes "
       "Gerät wählen."},
      {"LM6 in German", CommonTexts::vyla_cannot_update_lm6evo, German,
       "Die Firmware-Version wird nicht vom LM6\u00A0ZOD unterstützt. Aktualisieren Sie die LM6\u00A0ZOD-Firmware "
       "auf die neueste Version."},
      {"LM6 in Korean", CommonTexts::vyla_cannot_update_lm6evo, Korean,
       "이 펌웨어 버전은 지원되지 않습니다. 최신 버전의 펌웨어로 업데이트해주시기 바랍니다."},
      {"LM6 in Russian", CommonTexts::vyla_cannot_update_lm6evo, Russian,
       "Firmware version is not supported by the LM6 ZOD. Update to the latest version of LM6 ZOD firmware."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.word(c.language), c.expected);
  }
}

TEST(CommonTexts, NextInEachLanguage) {
  const char* expected[] = {"NEXT", "SUIVANT", "VOR",    "NEXT", "次へ", "다음",    "NEXT",
                            "NEXT", "ДАЛЕЕ",   "下一步", "NEXT", "NEXT", "NASTĘPNE"};
  for (int language = 0; language < strings::k_language_count; ++language) {
    SCOPED_TRACE(language);
    EXPECT_EQ(CommonTexts::vyla_string_next_in(language), expected[language]);
  }
}

TEST(CommonTexts, DateFormatInEachLanguage) {
  const char* expected[] = {"MM/dd/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm:ss", "dd.MM.yyyy HH:mm:ss", "dd/MM/yyyy HH:mm:ss",
                            "yyyy/MM/dd HH:mm:ss", "yyyy.MM.dd HH:mm:ss", "dd/MM/yyyy HH:mm:ss", "MM/dd/yyyy HH:mm:ss",
                            "MM/dd/yyyy HH:mm:ss", "MM/dd/yyyy HH:mm:ss", "MM/dd/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm:ss",
                            "dd/MM/yyyy HH:mm:ss"};
  for (int language = 0; language < strings::k_language_count; ++language) {
    SCOPED_TRACE(language);
    EXPECT_EQ(CommonTexts::vyla_string_date_format_in(language), expected[language]);
  }
}

TEST(CommonTexts, ContinueThePrompt) {
  struct Case {
    int language;
    const char* update;   // page mode 5
    const char* restore;  // every other page mode
  };
  const Case cases[] = {
      {English, "continue the firmware update", "continue the firmware restore"},
      {French, "Continuez la maj du micrologiciel", "Continuez la restaurer du micrologiciel"},
      {German, "Firmware-Update fortsetzen", "Firmware Zurücks. fortsetzen"},
      {Italian, "continuare aggiornamento firmware", "continuare ripristino firmware"},
      {Japanese, "ファームウェア更新を続けます", "ファームウェア復旧を続けます"},
      {Korean, "펌웨어 업데이트를 계속하십시오.", "펌웨어 복구를 계속하십시오."},
      {Spanish, "Seguir actualización firmware", "Seguir restauración firmware"},
      {Dutch, "doorgaan met de firmware bijwerken", "doorgaan met de firmware herstellen"},
      {Russian, "продолжить обновить ПРОШИВКИ", "продолжить восстановить ПРОШИВКИ"},
      {Chinese, "继续固件 更新", "继续固件 还原"},
      {Finnish, "jatka laiteohjelmiston päivitystä päivitä", "jatka laiteohjelmiston päivitystä palauta"},
      {Czech, "pokračovat v aktualizace firmwaru", "pokračovat v obnovení firmwaru"},
      {Polish, "kontynuuj aktualizuj oprogramowania układowego", "kontynuuj przywróć oprogramowania układowego"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    EXPECT_EQ(CommonTexts::vyla_string_continue_the_firmware_update_or_restore_in(5, c.language), c.update);
    for (int mode : {6, 0, 4, -5, 105}) {
      SCOPED_TRACE(mode);
      EXPECT_EQ(CommonTexts::vyla_string_continue_the_firmware_update_or_restore_in(mode, c.language), c.restore);
    }
  }
}

TEST(CommonTexts, WindowTitleIsTheApplicationName) {
  for (int product_id : {0, 0x6020, -1}) {
    for (int language : {0, 4, 13}) EXPECT_EQ(CommonTexts::vyla_title_in(product_id, language), "Vexlink Setwise");
  }
}

TEST(CommonTexts, PageTitles) {
  struct Case {
    int language;
    std::vector<std::string> titles;  // modes 2, 3, 4, 5, 6 and 7..9
  };
  const Case cases[] = {
      {English,
       {"MANAGER UPDATE", "WELCOME", "DEVICE RECOGNITION", "FIRMWARE UPDATE", "FIRMWARE RESTORE", "DEVICE SETTING"}},
      {French,
       {"MAJ GESTIONNAIRE", "BIENVENUE", "DÉTECTION APPAREIL", "MAJ MICROLOGICIEL", "RESTAURATION", "PARAM. PÉRIPH."}},
      {German,
       {"MANAGER-UPDATE", "WILLKOMMEN", "GERÄTEERKENNUNG", "FIRMWARE-UPDATE", "F/W-ZURÜCKSETZUNG",
        "GERÄTEEINSTELLUNGEN"}},
      {Italian,
       {"AGGIORNAMENTO MANAGER", "BENVENUTO", "RICONOSC. DISP.", "AGG. FIRMWARE", "RIPR. FIRMWARE", "IMPOST. DISP."}},
      {Japanese,
       {"マネージャ更新", "ようこそ", "デバイス認識", "ファームウェア更新", "ファームウェア復旧", "デバイス設定"}},
      {Korean, {"매니저 업데이트", "환영합니다", "장치 인식", "펌웨어 업데이트", "펌웨어 복구", "장치 설정"}},
      {Spanish,
       {"ACTUAL. GESTOR", "BIENVENIDO", "RECONOC. DISPOS.", "ACT. FIRMWARE", "REST. FIRMWARE", "CONFIG. DISP."}},
      {Dutch,
       {"BEHEERUPDATE", "WELKOM", "APPARAATHERKENNING", "FIRMWARE-UPDATE", "FIRMWAREHERSTEL", "APPARAATINSTELLING"}},
      {Russian,
       {"ОБНОВЛЕНИЕ ДИСПЕТЧЕРА", "ЗДРАВСТВУЙТЕ", "РАСПОЗН. УСТР-ВА", "ОБНОВЛ. Прошивки", "ВОССТ. Прошивки",
        "НАСТРОЙКИ"}},
      {Chinese, {"管理器更新", "欢迎", "设备识别", "固件更新", "固件还原", "设备设置"}},
      {Finnish,
       {"HALLINTAOHJELMAN PÄIVITYS", "TERVETULOA", "LAITETUNNISTUS", "PÄIVITYS", "PALAUTUS", "LAITEASETUKSET"}},
      {Czech,
       {"AKTUALIZACE SPRÁVCE", "VÍTEJTE", "ROZPOZNÁNÍ ZAŘÍZENÍ", "AKTUAL. FIRMWARU", "OBNOVENÍ FIRMWARU",
        "NASTAVENÍ ZAŘÍZENÍ"}},
      {Polish,
       {"AKTUALIZACJA MENEDŻERA", "WITAMY", "ROZPOZ. URZĄDZENIA", "AKTUALIZACJA", "PRZYWRACANIE", "UST. URZĄDZENIA"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    for (int mode = 2; mode <= 9; ++mode) {
      SCOPED_TRACE(mode);
      EXPECT_EQ(CommonTexts::vyla_string_mode_in(mode, c.language),
                c.titles[static_cast<size_t>(std::min(mode, 7) - 2)]);
    }
    for (int mode : {0, 1, 10, 100, -1}) {
      SCOPED_TRACE(mode);
      EXPECT_EQ(CommonTexts::vyla_string_mode_in(mode, c.language), "MODE NOT AVAILABLE");
    }
  }
}

}  // namespace
