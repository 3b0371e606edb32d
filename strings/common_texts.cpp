#include "strings/common_texts.h"

#include <array>
#include <cstddef>

#include "platform/format.h"
#include "strings/language.h"
#include "strings/language_table.h"

namespace {

using strings::LocalizedTexts;
using strings::texts_of;
using enum strings::Language;

// Row: interface language the names are written in; column: language-name
// index (0..12 interface languages, then Danish, Norwegian, Swedish, Turkish,
// Hungarian, European Portuguese, Hebrew, Greek).
using NameRow = std::array<const char*, strings::k_language_name_count>;
const std::array<NameRow, strings::k_language_count> k_language_names = {{
    // in English
    {"English", "French", "German", "Italian", "Japanese", "Korean", "Spanish", "Dutch", "Russian", "Chinese",
     "Finnish", "Czech", "Polish", "Danish", "Norwegian", "Swedish", "Turkish", "Hungarian", "Portuguese", "Hebrew",
     "Greek"},
    // in French
    {"Anglais", "Français", "Allemand", "Italien", "Japonais", "Coréen", "Espagnol", "Néerlandais", "Russe", "Chinois",
     "Finnois", "Tchèque", "Polonais", "Danois", "Norvégien", "Suédois", "Turc", "Hongrois", "Portugais européen",
     "Hébreu", "Grec"},
    // in German
    {"Englisch", "Französisch", "Deutsch", "Italienisch", "Japanisch", "Koreanisch", "Spanisch", "Niederländisch",
     "Russisch", "Chinesisch", "Finnisch", "Tschechisch", "Polnisch", "Dänisch", "Norwegisch", "Schwedisch", "Türkisch",
     "Ungarisch", "Portugiesisch (Europa)", "Hebräisch", "Griechisch"},
    // in Italian
    {"Inglese", "Francese", "Tedesco", "Italiano", "Giapponese", "Coreano", "Spagnolo", "Olandese", "Russo", "Cinese",
     "Finlandese", "Ceco", "Polacco", "Danese", "Norvegese", "Svedese", "Turco", "Ungherese", "Portoghese europeo",
     "Ebraico", "Greco"},
    // in Japanese
    {"英語", "フランス語", "ドイツ語", "イタリア語", "日本語", "韓国語", "スペイン語", "オランダ語", "ロシア語",
     "中国語", "フィンランド語", "チェコ語", "ポーランド語", "デンマーク語", "ノルウェー語", "スウェーデン語",
     "トルコ語", "ハンガリー語", "（ヨーロッパ） ポルトガル語", "ヘブライ語", "ギリシャ語"},
    // in Korean
    {"영어", "프랑스어", "독일어", "이탈리아어", "일본어", "한국어", "스페인어", "네덜란드어", "러시아어", "중국어",
     "핀란드어", "체코어", "폴란드어", "덴마크어", "노르웨이어", "스웨덴어", "터키어", "헝가리어", "유럽 포르투갈어",
     "히브리어", "그리스어"},
    // in Spanish
    {"Inglés", "Francés", "Alemán", "Italiano", "Japonés", "Coreano", "Español", "Neerlandés", "Ruso", "Chino", "Finés",
     "Checo", "Polaco", "Danés", "Noruego", "Sueco", "Turco", "Húngaro", "Portugués europeo", "Hebreo", "Griego"},
    // in Dutch
    {"Engels", "Frans", "Duits", "Italiaans", "Japans", "Koreaans", "Spaans", "Nederlands", "Russisch", "Chinees",
     "Fins", "Tsjechisch", "Pools", "Deens", "Noors", "Zweeds", "Turks", "Hongaars", "Europees Portugees", "Hebreeuws",
     "Grieks"},
    // in Russian
    {"Английский", "Французский", "Немецкий", "Итальянский", "Японский", "Корейский", "Испанский", "Нидерландский",
     "Русский", "Китайский", "Финский", "Чешский", "Польский", "Датский", "Норвежский", "Шведский", "Турецкий",
     "Венгерский", "Европейский португальский", "Иврит", "Греческий"},
    // in Chinese
    {"英语", "法语", "德语", "意大利语", "日语", "韩语", "西班牙语", "荷兰语", "俄语", "中文", "芬兰语", "捷克语",
     "波兰语", "丹麦语", "挪威语", "瑞典语", "土耳其语", "匈牙利语", "欧洲葡萄牙语", "希伯来语", "希腊语"},
    // in Finnish
    {"Englanti", "Ranska", "Saksa", "Italia", "Japani", "Korea", "Espanja", "Hollanti", "Venäjä", "Kiina",
     "Suomen kieli", "Tšekki", "Puola", "Tanska", "Norja", "Ruotsi", "Turkki", "Unkari", "Euroopan portugali", "Heprea",
     "Kreikka"},
    // in Czech
    {"Angličtina", "Francouzština", "Němčina", "Italština", "Japonština", "Korejština", "Španělština", "Nizozemština",
     "Ruština", "Čínština", "Finština", "Čeština", "Polština", "Dánština", "Norština", "Švédština", "Turečtina",
     "Maďarština", "Evropská portugalština", "Hebrejština", "Řečtina"},
    // in Polish
    {"Angielski", "Francuski", "Niemiecki", "Włoski", "Japoński", "Koreański", "Hiszpański", "Niderlandzki", "Rosyjski",
     "Chiński", "Fiński", "Czeski", "Polski", "Duński", "Norweski", "Szwedzki", "Turecki", "Węgierski",
     "Portugalski europejski", "Hebrajski", "Grecki"},
}};

// ASCII case folding is enough: the names compared are the English ones.
bool equal_ignoring_case(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

std::string CommonTexts::vyla_string_language_in(int n, int language) {
  const int name_index = (n >= 1 && n < strings::k_language_name_count) ? n : 0;
  return k_language_names[static_cast<size_t>(strings::effective_language(language))][static_cast<size_t>(name_index)];
}

std::string CommonTexts::vyla_language_manager(int n) { return vyla_string_language_in(n, English); }

int CommonTexts::vyla_language_manager_index_with_default(const std::string& name, bool with_default) {
  for (int n = 0; n < strings::k_language_name_count; ++n) {
    if (equal_ignoring_case(name, k_language_names[English][static_cast<size_t>(n)])) return n;
  }
  return with_default ? 0 : -1;
}

std::string CommonTexts::vyla_language_manager_from_language_in(const std::string& english_name, int language) {
  const int n = vyla_language_manager_index_with_default(english_name, false);
  return n < 0 ? english_name : vyla_string_language_in(n, language);
}

std::string CommonTexts::vyla_string_language_manager_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Manager Software Language"},
                                                {French, "Langue du gestionnaire"},
                                                {German, "Manager-Software-Sprache"},
                                                {Polish, "Język menedżera oprogramowania"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_ok_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "OK"}, {Korean, "확인"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_sendemail_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "SEND Email"}, {French, "Envoyer Email"}, {German, "E-Mail SENDEN"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_cancel_in(int language) {
  static const LocalizedTexts k_table = texts_of(
      {{English, "CANCEL"}, {French, "ANNULER"}, {German, "ABBRECHEN"}, {Japanese, "取消"}, {Chinese, "取消"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_yes_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "YES"}, {French, "OUI"}, {German, "JA"}, {Dutch, "JA"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_no_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "NO"}, {French, "NON"}, {German, "NEIN"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_back_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "BACK"}, {French, "RETOUR"}, {German, "ZURÜCK"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_next_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "NEXT"},
                                                {French, "SUIVANT"},
                                                {German, "VOR"},
                                                {Japanese, "次へ"},
                                                {Korean, "다음"},
                                                {Russian, "ДАЛЕЕ"},
                                                {Chinese, "下一步"},
                                                {Polish, "NASTĘPNE"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_new_device_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "NEW DEVICE"}, {French, "NOUV. PÉRIPH"}, {German, "NEUES GERÄT"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_jog_dial_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Jog Dial"}, {French, "Molette"}, {German, "Drehknopf"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_phone_button_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "Phone Button"}, {French, "le Bouton Téléphone"}, {German, "Telefontaste"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_center_button_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Center Button"},
                                                {French, "le Bouton Centre"},
                                                {German, "Mittlere Taste"},
                                                {Spanish, "Botón Central "}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_plus_button_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "[+] Button"}, {French, "le Bouton [+]"}, {German, "Taste [+]"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_minus_button_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "[-] Button"}, {French, "le Bouton [-]"}, {German, "Taste [-]"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_left_button_in(int language) {
  static const LocalizedTexts k_table = texts_of(
      {{English, "[L] Button"}, {French, "le Bouton [L]"}, {German, "Taste [L]"}, {Finnish, "[Vasen] -painike"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_right_button_in(int language) {
  static const LocalizedTexts k_table = texts_of(
      {{English, "[R] Button"}, {French, "le Bouton [R]"}, {German, "Taste [R]"}, {Finnish, "[Oikea] -painike"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_ptt_button_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "PTT Button"}, {French, "le Bouton PTT"}, {German, "Taste PTT"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_pairing_button_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "Pairing Button"}, {French, "le Bouton Couplage"}, {German, "Kopplungstaste"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_fexo_product_in(int language) {
  static const LocalizedTexts k_table = texts_of(
      {{English, "Fexo Standard Products"}, {French, "Produit standard Fexo"}, {German, "Standardprodukte von Fexo"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_oem_product_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "Fexo OEM Products"}, {French, "Produits OEM Fexo"}, {German, "OEM-Produkte von Fexo"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_cannot_open_usb_in(int language) {
  static const LocalizedTexts k_table = texts_of(
      {{English, "Cannot open USB"}, {French, "Ouverture USB impossible"}, {German, "USB-Öffnung nicht möglich"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_firmware_management_mode_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Firmware management mode"},
                                                {French, "Mode de gestion du micrologiciel"},
                                                {German, "Firmware-Management-Modus"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_not_recognized_device_in(int language) {
  static const LocalizedTexts k_table = texts_of(
      {{English, "Not the recognized device"}, {French, "Appareil non détecté"}, {German, "Nicht das erkannte Gerät"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_cannot_make_backup_firmware_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Cannot make backup firmware"},
                                                {French, "Impossible de sauvegarder le micrologiciel"},
                                                {German, "Backup-Firmware erstellen unmöglich"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_try_again_in(int language) {
  static const LocalizedTexts k_table =
      texts_of({{English, "Try again"}, {French, "Essayez à nouveau"}, {German, "Wiederholen"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_camera_update_fail_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Camera firmware update failed"},
                                                {French, "Échec de la mise à jour du micrologiciel de la caméra"},
                                                {German, "Die Aktualisierung der Kamera-Firmware ist fehlgeschlagen"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_enable_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Enable"}, {French, "Activer"}, {German, "Aktiviert"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_disable_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Disable"}, {French, "Désactiver"}, {German, "Deaktiviert"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_enabled_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Enabled"}, {French, "Activé"}, {German, "Aktiviert"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_disabled_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Disabled"}, {French, "Désactivé"}, {German, "Deaktiviert"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_seconds_in(int language) {
  static const LocalizedTexts k_table = texts_of(
      {{English, "seconds"}, {French, "secondes"}, {German, "Sekunden"}, {Czech, "sekundy"}, {Polish, "sekundy"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_recognized_device_not_selected_in(int language) {
  static const LocalizedTexts k_table = texts_of(
      {{English,
        "Recognized device is not connected or is not the same as the connected device.\nSelect appropriate device."},
       {French,
        "L'appareil détecté n'est pas connecté ou n'est pas le même que l'appareil connecté.\nChoisissez un appareil "
        "approprié."},
       {German,
        "Erkanntes Gerät nicht angeschlossen bzw. nicht identisch mit dem angeschlossenen Gerät.\nGerät. Geeignetes "
        "Gerät wählen."}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_version_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Version"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_firmware_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "firmware"}, {French, "micrologiciel"}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_check_sd_card_in(int language) {
  static const LocalizedTexts k_table = texts_of({{English, "Check your SD Card"},
                                                {French, "Vérifiez votre carte microSD."},
                                                {German, "Überprüfen Sie die microSD-Karte."}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_cannot_update_lm6evo(int language) {
  // The German text keeps the model name together with no-break spaces.
  static const LocalizedTexts k_table = texts_of(
      {{English, "Firmware version is not supported by the LM6 ZOD. Update to the latest version of LM6 ZOD firmware."},
       {French,
        "Le modèle LM6 ZOD ne prend pas en charge cette version du micrologiciel. Mise à jour vers la version la plus "
        "récente du micrologiciel du modèle LM6 ZOD."},
       {German,
        "Die Firmware-Version wird nicht vom LM6\u00A0ZOD unterstützt. Aktualisieren Sie die LM6\u00A0ZOD-Firmware auf "
        "die neueste Version."},
       {Korean, "이 펌웨어 버전은 지원되지 않습니다. 최신 버전의 펌웨어로 업데이트해주시기 바랍니다."}});
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_date_format_in(int language) {
  static const LocalizedTexts k_table = {
      "MM/dd/yyyy HH:mm:ss",  // English
      "dd/MM/yyyy HH:mm:ss",  // French
      "dd.MM.yyyy HH:mm:ss",  // German
      "dd/MM/yyyy HH:mm:ss",  // Italian
      "yyyy/MM/dd HH:mm:ss",  // Japanese
      "yyyy.MM.dd HH:mm:ss",  // Korean
      "dd/MM/yyyy HH:mm:ss",  // Spanish
      "MM/dd/yyyy HH:mm:ss",  // Dutch
      "MM/dd/yyyy HH:mm:ss",  // Russian
      "MM/dd/yyyy HH:mm:ss",  // Chinese
      "MM/dd/yyyy HH:mm:ss",  // Finnish
      "dd/MM/yyyy HH:mm:ss",  // Czech
      "dd/MM/yyyy HH:mm:ss",  // Polish
  };
  return strings::pick(k_table, language);
}

std::string CommonTexts::vyla_string_continue_the_firmware_update_or_restore_in(int mode, int language) {
  struct Prompt {
    const char* pattern;
    const char* update_word;
    const char* restore_word;
  };
  static const std::array<Prompt, strings::k_language_count> k_prompts = {{
      {"continue the firmware %@", "update", "restore"},
      {"Continuez la %@ du micrologiciel", "maj", "restaurer"},
      // the German word is glued to "Firmware", hence no blank before %@
      {"Firmware%@ fortsetzen", "-Update", " Zurücks."},
      {"continuare %@ firmware", "aggiornamento", "ripristino"},
      {"ファームウェア%@を続けます", "更新", "復旧"},
      {"펌웨어 %@를 계속하십시오.", "업데이트", "복구"},
      {"Seguir %@ firmware", "actualización", "restauración"},
      {"doorgaan met de firmware %@", "bijwerken", "herstellen"},
      {"продолжить %@ ПРОШИВКИ", "обновить", "восстановить"},
      {"继续固件 %@", "更新", "还原"},
      {"jatka laiteohjelmiston päivitystä %@", "päivitä", "palauta"},
      {"pokračovat v %@ firmwaru", "aktualizace", "obnovení"},
      {"kontynuuj %@ oprogramowania układowego", "aktualizuj", "przywróć"},
  }};
  const Prompt& prompt = k_prompts[static_cast<size_t>(strings::effective_language(language))];
  return platform::format(prompt.pattern, mode == 5 ? prompt.update_word : prompt.restore_word);
}

std::string CommonTexts::vyla_title_in(int /*product_id*/, int /*language*/) { return strings::k_application_name; }

std::string CommonTexts::vyla_string_mode_in(int mode, int language) {
  // Titles of page modes 2 (manager update), 3 (welcome), 4 (recognition),
  // 5 (firmware update), 6 (firmware restore) and 7..9 (settings pages).
  using Titles = std::array<const char*, 6>;
  static const std::array<Titles, strings::k_language_count> k_titles = {{
      {"MANAGER UPDATE", "WELCOME", "DEVICE RECOGNITION", "FIRMWARE UPDATE", "FIRMWARE RESTORE", "DEVICE SETTING"},
      {"MAJ GESTIONNAIRE", "BIENVENUE", "DÉTECTION APPAREIL", "MAJ MICROLOGICIEL", "RESTAURATION", "PARAM. PÉRIPH."},
      {"MANAGER-UPDATE", "WILLKOMMEN", "GERÄTEERKENNUNG", "FIRMWARE-UPDATE", "F/W-ZURÜCKSETZUNG",
       "GERÄTEEINSTELLUNGEN"},
      {"AGGIORNAMENTO MANAGER", "BENVENUTO", "RICONOSC. DISP.", "AGG. FIRMWARE", "RIPR. FIRMWARE", "IMPOST. DISP."},
      {"マネージャ更新", "ようこそ", "デバイス認識", "ファームウェア更新", "ファームウェア復旧", "デバイス設定"},
      {"매니저 업데이트", "환영합니다", "장치 인식", "펌웨어 업데이트", "펌웨어 복구", "장치 설정"},
      {"ACTUAL. GESTOR", "BIENVENIDO", "RECONOC. DISPOS.", "ACT. FIRMWARE", "REST. FIRMWARE", "CONFIG. DISP."},
      {"BEHEERUPDATE", "WELKOM", "APPARAATHERKENNING", "FIRMWARE-UPDATE", "FIRMWAREHERSTEL", "APPARAATINSTELLING"},
      {"ОБНОВЛЕНИЕ ДИСПЕТЧЕРА", "ЗДРАВСТВУЙТЕ", "РАСПОЗН. УСТР-ВА", "ОБНОВЛ. Прошивки", "ВОССТ. Прошивки", "НАСТРОЙКИ"},
      {"管理器更新", "欢迎", "设备识别", "固件更新", "固件还原", "设备设置"},
      {"HALLINTAOHJELMAN PÄIVITYS", "TERVETULOA", "LAITETUNNISTUS", "PÄIVITYS", "PALAUTUS", "LAITEASETUKSET"},
      {"AKTUALIZACE SPRÁVCE", "VÍTEJTE", "ROZPOZNÁNÍ ZAŘÍZENÍ", "AKTUAL. FIRMWARU", "OBNOVENÍ FIRMWARU",
       "NASTAVENÍ ZAŘÍZENÍ"},
      {"AKTUALIZACJA MENEDŻERA", "WITAMY", "ROZPOZ. URZĄDZENIA", "AKTUALIZACJA", "PRZYWRACANIE", "UST. URZĄDZENIA"},
  }};
  if (mode < 2 || mode > 9) return "MODE NOT AVAILABLE";
  const size_t column = mode >= 7 ? 5 : static_cast<size_t>(mode - 2);
  return k_titles[static_cast<size_t>(strings::effective_language(language))][column];
}
