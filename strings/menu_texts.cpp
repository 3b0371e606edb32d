#include "strings/menu_texts.h"

#include "platform/deployment.h"
#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/language.h"
#include "strings/language_table.h"

namespace {

// The menus name the application the same way the window title does.
std::string application_name(int language) { return CommonTexts::vyla_title_in(0, language); }

}  // namespace

using strings::LocalizedTexts;
using strings::pick;
using strings::texts_of;
using enum strings::Language;

std::string MenuTexts::stringMenuHelp(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Help"}, {French, "Aide"}, {German, "Hilfe"}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringMenuItemAbout(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "About %@"}, {French, "À propos de %@"}, {German, "Über %@"}, {Japanese, "%@について"}});
  return platform::format(pick(k_texts, language), application_name(language));
}

std::string MenuTexts::stringMenuItemHideThis(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Hide %@"}, {French, "Masquer %@"}, {German, "%@ ausblend"}, {Spanish, "Oc. %@"}});
  return platform::format(pick(k_texts, language), application_name(language));
}

std::string MenuTexts::stringMenuItemHideOthers(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Hide Others"}, {French, "Masquer Autres"}, {German, "Andere ausblenden"}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringMenuItemShowAll(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Show All"}, {French, "Tout afficher"}, {German, "Alle zeigen"}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringMenuItemQuit(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Quit %@"}, {French, "Quitter %@"}, {German, "%@ beenden"}, {Japanese, "%@を終了"}});
  return platform::format(pick(k_texts, language), application_name(language));
}

std::string MenuTexts::stringMenuItemOnlineHelp(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Online Help"}, {French, "Aide en ligne"}, {German, "Online-Hilfe"}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringMenuItemManagerLanguage(int language) {
  return CommonTexts::vyla_string_language_manager_in(language);
}

std::string MenuTexts::stringMenuItemDiagnosticLog(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Diagnostic Log"},
                                                {French, "Journal de Diagnostic"},
                                                {German, "Diagnoseprotokoll"},
                                                {Russian, "Файл Отчета Для Диагностики"}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringMenuItemKeyboradShortcuts(bool show_shortcuts, int language) {
  static const LocalizedTexts k_patterns =
      texts_of({{English, "%@ Keyboard Shortcut"}, {French, "%@ Raccourcis clav."}, {German, "Tastenkürzel %@"}});
  static const LocalizedTexts k_show_words = texts_of({{English, "Show"},
                                                     {French, "Afficher"},
                                                     {German, "einblend"},
                                                     {Italian, "Visualizza tutto"},
                                                     {Japanese, "表示"},
                                                     {Korean, "보기"},
                                                     {Spanish, "Ver"},
                                                     {Dutch, "Weergeven"},
                                                     {Russian, "Показать"},
                                                     {Chinese, "显示"},
                                                     {Finnish, "Näytä"},
                                                     {Czech, "Zobrazit"},
                                                     {Polish, "Pokaż"}});
  static const LocalizedTexts k_hide_words = texts_of({{English, "Hide"},
                                                     {French, "Masquer"},
                                                     {German, "ausblend"},
                                                     {Italian, "Nascondi"},
                                                     {Japanese, "非表示"},
                                                     {Korean, "가리기"},
                                                     {Spanish, "ocultar"},
                                                     {Dutch, "Verbergen"},
                                                     {Russian, "Скрыть"},
                                                     {Chinese, "隐藏"},
                                                     {Finnish, "Piilota"},
                                                     {Czech, "Skrýt"},
                                                     {Polish, "Ukryj"}});
  // the item offers the opposite of the labels' current state
  const std::string& word = pick(show_shortcuts ? k_hide_words : k_show_words, language);
  return platform::format(pick(k_patterns, language), word);
}

std::string MenuTexts::stringMenuItemShowPrecaution(int language) {
  static const LocalizedTexts k_texts = texts_of(
      {{English, "Show Precaution"}, {French, "Afficher Précautions"}, {German, "Sicherheitshinweise zeigen"}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringPromptSave(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Would you like to save %@ changes?"},
                                                {French, "Voulez-vous enregistrer les modifications des %@?"},
                                                {German, "Geänderte %@ speichern?"},
                                                {Italian, "Salvare le modifiche alle %@?"},
                                                {Japanese, "%@変更を保存しますか？"},
                                                {Korean, "%@ 변경 내용을 저장하시겠습니까?"},
                                                {Spanish, "¿Guardar los cambios en %@?"},
                                                {Dutch, "Wilt u de wijzigingen in de %@ opslaan?"},
                                                {Russian, "Хотите сохранить %@ с изменениями?"},
                                                {Chinese, "是否要保存 %@ 更改？"},
                                                {Finnish, "Haluatko tallentaa muutokset kohdassa %@?"},
                                                {Czech, "Chcete uložit změny v %@?"},
                                                {Polish, "Czy chcesz zapisać zmiany %@?"}});
  // all three settings pages share the device-setting title (page mode 7)
  constexpr int k_device_setting_mode = 7;
  return platform::format(pick(k_texts, language), CommonTexts::vyla_string_mode_in(k_device_setting_mode, language));
}

std::string MenuTexts::stringDeviceConversionUnplugUSBCableFromMac(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Unplug the USB cable from the Mac"},
                                                {French, "Débranchez le câble USB du Mac"},
                                                {Czech, "Odpojte od počítače Mac kabel USB"},
                                                {Polish, "Odłącz kabel USB od komputera Mac."}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionPlugUSBCableToMac(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Plug the USB cable into the Mac"}, {French, "Branchez le câble USB au Mac"}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversion1UnplugUSBCableFromMac(int language) {
  static const LocalizedTexts k_patterns = texts_of({{English, "1. %@."}, {Japanese, "1. %@。"}});
  return platform::format(pick(k_patterns, language), stringDeviceConversionUnplugUSBCableFromMac(language));
}

std::string MenuTexts::stringDeviceConversion2PlugUSBCableToMacAgain(int language) {
  static const LocalizedTexts k_patterns = texts_of({{English, "2. %@ again."}, {Japanese, "2. %@ again。"}});
  return platform::format(pick(k_patterns, language), stringDeviceConversionPlugUSBCableToMac(language));
}

std::string MenuTexts::stringDeviceConversionUnplugUSBCableFromMacOrForceMacToRestart(int language) {
  static const LocalizedTexts k_texts = texts_of(
      {{English, "Unplug the USB cable from your Mac or force it to restart in case of inputting the wrong password."},
       {French, "Débranchez le câble USB du Mac ou forcez le Mac à redémarrer en cas de mot de passe incorrect."}});
  // filled like the numbered steps; the text names no placeholder, so the
  // unplug step it is given does not show
  return platform::format(pick(k_texts, language), stringDeviceConversionUnplugUSBCableFromMac(language));
}

std::string MenuTexts::stringDeviceConversionUnPlugAndPlugUSBCableToMac(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Unplug the USB cable from the USB port and plug it back in."},
                {French, "Débranchez le câble USB du port USB et branchez-le de nouveau."}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionConnectAndTurnOn(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Connect and turn on"}, {French, "Branchez et allumez"}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionDeviceIsNotFound(int language) {
  static const LocalizedTexts k_texts = texts_of(
      {{English, "Device is not found. Try again."}, {French, "Le périph. n'est pas détecté. Essayez à nouveau."}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionFailedToOpenUSB(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Failed to open USB. Force Mac to restart."},
                                                {French, "Échec de l'ouverture USB. Forcez le Mac à redémarrer."}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionDeviceIsInModeOfUpdating(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Device is in firmware management mode. Update firmware."},
                {French, "Le périph. est en mode de gestion du firmware. Mettez à jour le firmware."}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionDeviceIsSafe(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Device is safe for using built-in bluetooth."},
                {French, "Le périph. est sûr quant à l'utilisation du bluetooth intégré."}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionDeviceIsActivated(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Device is activated. Mac will restart soon."},
                                                {French, "Le périph. est activé. Le Mac va bientôt redémarrer."}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionActivatingDevice(int language) {
  static const LocalizedTexts k_texts = texts_of({{English, "Activating device."}, {French, "Activation du périph."}});
  return pick(k_texts, language);
}

std::string MenuTexts::stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(
    bool have_alternative_input_devices, int language) {
  static const LocalizedTexts k_with_alternatives =
      texts_of({{English, "The password does not match. Go back to the Device Recognition page and try again."}});
  static const LocalizedTexts k_without_alternatives = texts_of(
      {{English,
        "The password does not match. Go to [Help] -> [Show Precaution] and enter the right password. Go back to the "
        "Device Recognition page and try again."},
       {French,
        "Le mot de passe ne correspond pas. Veuillez aller sur [Aide] -> [Afficher Précautions] et saisissez le bon "
        "mot de passe. Retournez sur la page Reconnaissance de l’appareil et veuillez réessayer."}});
  return pick(have_alternative_input_devices ? k_with_alternatives : k_without_alternatives, language);
}

std::string MenuTexts::stringDeviceConversionFailedBluetoothOff(int language) {
  static const LocalizedTexts k_texts =
      texts_of({{English, "Error code: 89. Please contact (%@) with the error code."},
                {French, "Code erreur : 89. Merci de contacter (%@) avec le code erreur."},
                {German, "Fehlercode: 89. Wenden Sie sich mit dem Fehlercode an (%@)."}});
  return platform::format(pick(k_texts, language), platform::k_support_email);
}
