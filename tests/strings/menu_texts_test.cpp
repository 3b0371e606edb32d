#include "strings/menu_texts.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/deployment.h"
#include "strings/language_table.h"

namespace {

using enum strings::Language;

using Text = std::function<std::string(int)>;

struct Operation {
  const char* name;
  Text text;
  bool filled;  // built from a "%@" pattern
};

const std::vector<Operation>& all_operations() {
  static const std::vector<Operation> k_operations = {
      {"stringMenuHelp", MenuTexts::stringMenuHelp, false},
      {"stringMenuItemAbout", MenuTexts::stringMenuItemAbout, true},
      {"stringMenuItemHideThis", MenuTexts::stringMenuItemHideThis, true},
      {"stringMenuItemHideOthers", MenuTexts::stringMenuItemHideOthers, false},
      {"stringMenuItemShowAll", MenuTexts::stringMenuItemShowAll, false},
      {"stringMenuItemQuit", MenuTexts::stringMenuItemQuit, true},
      {"stringMenuItemOnlineHelp", MenuTexts::stringMenuItemOnlineHelp, false},
      {"stringMenuItemManagerLanguage", MenuTexts::stringMenuItemManagerLanguage, false},
      {"stringMenuItemDiagnosticLog", MenuTexts::stringMenuItemDiagnosticLog, false},
      {"stringMenuItemKeyboradShortcuts shown",
       [](int l) { return MenuTexts::stringMenuItemKeyboradShortcuts(true, l); }, true},
      {"stringMenuItemKeyboradShortcuts hidden",
       [](int l) { return MenuTexts::stringMenuItemKeyboradShortcuts(false, l); }, true},
      {"stringMenuItemShowPrecaution", MenuTexts::stringMenuItemShowPrecaution, false},
      {"stringPromptSave", MenuTexts::stringPromptSave, true},
      {"UnplugUSBCableFromMac", MenuTexts::stringDeviceConversionUnplugUSBCableFromMac, false},
      {"PlugUSBCableToMac", MenuTexts::stringDeviceConversionPlugUSBCableToMac, false},
      {"1UnplugUSBCableFromMac", MenuTexts::stringDeviceConversion1UnplugUSBCableFromMac, true},
      {"2PlugUSBCableToMacAgain", MenuTexts::stringDeviceConversion2PlugUSBCableToMacAgain, true},
      {"UnplugUSBCableFromMacOrForceMacToRestart",
       MenuTexts::stringDeviceConversionUnplugUSBCableFromMacOrForceMacToRestart, false},
      {"UnPlugAndPlugUSBCableToMac", MenuTexts::stringDeviceConversionUnPlugAndPlugUSBCableToMac, false},
      {"ConnectAndTurnOn", MenuTexts::stringDeviceConversionConnectAndTurnOn, false},
      {"DeviceIsNotFound", MenuTexts::stringDeviceConversionDeviceIsNotFound, false},
      {"FailedToOpenUSB", MenuTexts::stringDeviceConversionFailedToOpenUSB, false},
      {"DeviceIsInModeOfUpdating", MenuTexts::stringDeviceConversionDeviceIsInModeOfUpdating, false},
      {"DeviceIsSafe", MenuTexts::stringDeviceConversionDeviceIsSafe, false},
      {"DeviceIsActivated", MenuTexts::stringDeviceConversionDeviceIsActivated, false},
      {"ActivatingDevice", MenuTexts::stringDeviceConversionActivatingDevice, false},
      {"InvalidPassword with alternatives",
       [](int l) { return MenuTexts::stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(true, l); },
       false},
      {"InvalidPassword without alternatives",
       [](int l) { return MenuTexts::stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(false, l); },
       false},
      {"FailedBluetoothOff", MenuTexts::stringDeviceConversionFailedBluetoothOff, true},
  };
  return k_operations;
}

TEST(MenuTexts, EveryTextExistsAndLanguagesOutsideTheRangeGetEnglish) {
  for (const Operation& op : all_operations()) {
    SCOPED_TRACE(op.name);
    const std::string english = op.text(English);
    EXPECT_FALSE(english.empty());
    for (int language : {-1, 13, 100, INT_MIN, INT_MAX}) {
      SCOPED_TRACE(language);
      EXPECT_EQ(op.text(language), english);
    }
    for (int language = English; language <= Polish; ++language) {
      SCOPED_TRACE(language);
      const std::string text = op.text(language);
      EXPECT_FALSE(text.empty());
      if (op.filled) {
        EXPECT_EQ(text.find("%@"), std::string::npos) << text;
      }
    }
  }
}

struct Case {
  const char* name;
  Text text;
  int language;
  std::string expected;
};

void expect_cases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " in language " + std::to_string(c.language));
    EXPECT_EQ(c.text(c.language), c.expected);
  }
}

TEST(MenuTexts, MenuTitlesNameTheApplication) {
  expect_cases({
      {"help", MenuTexts::stringMenuHelp, English, "Help"},
      {"help", MenuTexts::stringMenuHelp, French, "Aide"},
      {"help", MenuTexts::stringMenuHelp, German, "Hilfe"},
      {"help has no Italian text", MenuTexts::stringMenuHelp, Italian, "Help"},
      {"help has no Dutch text", MenuTexts::stringMenuHelp, Dutch, "Help"},
      {"about", MenuTexts::stringMenuItemAbout, English, "About Vexlink Setwise"},
      {"about", MenuTexts::stringMenuItemAbout, French, "À propos de Vexlink Setwise"},
      {"about", MenuTexts::stringMenuItemAbout, German, "Über Vexlink Setwise"},
      {"about", MenuTexts::stringMenuItemAbout, Japanese, "Vexlink Setwiseについて"},
      {"hide", MenuTexts::stringMenuItemHideThis, English, "Hide Vexlink Setwise"},
      {"hide", MenuTexts::stringMenuItemHideThis, German, "Vexlink Setwise ausblend"},
      {"hide", MenuTexts::stringMenuItemHideThis, Spanish, "Oc. Vexlink Setwise"},
      {"hide others", MenuTexts::stringMenuItemHideOthers, French, "Masquer Autres"},
      {"show all", MenuTexts::stringMenuItemShowAll, German, "Alle zeigen"},
      {"quit", MenuTexts::stringMenuItemQuit, English, "Quit Vexlink Setwise"},
      {"quit", MenuTexts::stringMenuItemQuit, German, "Vexlink Setwise beenden"},
      {"quit", MenuTexts::stringMenuItemQuit, Japanese, "Vexlink Setwiseを終了"},
      {"online help", MenuTexts::stringMenuItemOnlineHelp, German, "Online-Hilfe"},
      {"online help has no Dutch text", MenuTexts::stringMenuItemOnlineHelp, Dutch, "Online Help"},
      {"manager language", MenuTexts::stringMenuItemManagerLanguage, English, "Manager Software Language"},
      {"manager language", MenuTexts::stringMenuItemManagerLanguage, Polish, "Język menedżera oprogramowania"},
      {"diagnostic log", MenuTexts::stringMenuItemDiagnosticLog, French, "Journal de Diagnostic"},
      {"diagnostic log", MenuTexts::stringMenuItemDiagnosticLog, Russian, "Файл Отчета Для Диагностики"},
      {"show precaution", MenuTexts::stringMenuItemShowPrecaution, German, "Sicherheitshinweise zeigen"},
  });
}

TEST(MenuTexts, KeyboardShortcutItemOffersTheOppositeOfTheLabelsState) {
  struct ShortcutCase {
    bool shown;
    int language;
    const char* expected;
  };
  const ShortcutCase cases[] = {
      {false, English, "Show Keyboard Shortcut"},
      {true, English, "Hide Keyboard Shortcut"},
      {true, French, "Masquer Raccourcis clav."},
      {false, German, "Tastenkürzel einblend"},
      {true, German, "Tastenkürzel ausblend"},
      // the other languages have their own words but the English pattern
      {false, Italian, "Visualizza tutto Keyboard Shortcut"},
      {true, Japanese, "非表示 Keyboard Shortcut"},
      {true, Spanish, "ocultar Keyboard Shortcut"},
      {false, Polish, "Pokaż Keyboard Shortcut"},
      {true, 13, "Hide Keyboard Shortcut"},
  };
  for (const ShortcutCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.language) + (c.shown ? " shown" : " hidden"));
    EXPECT_EQ(MenuTexts::stringMenuItemKeyboradShortcuts(c.shown, c.language), c.expected);
  }
}

TEST(MenuTexts, SavePromptNamesTheDeviceSettingTitleInEveryLanguage) {
  const Text prompt = MenuTexts::stringPromptSave;
  expect_cases({
      {"save", prompt, English, "Would you like to save DEVICE SETTING changes?"},
      {"save", prompt, French, "Voulez-vous enregistrer les modifications des PARAM. PÉRIPH.?"},
      {"save", prompt, German, "Geänderte GERÄTEEINSTELLUNGEN speichern?"},
      {"save", prompt, Italian, "Salvare le modifiche alle IMPOST. DISP.?"},
      {"save", prompt, Japanese, "デバイス設定変更を保存しますか？"},
      {"save", prompt, Korean, "장치 설정 변경 내용을 저장하시겠습니까?"},
      {"save", prompt, Spanish, "¿Guardar los cambios en CONFIG. DISP.?"},
      {"save", prompt, Dutch, "Wilt u de wijzigingen in de APPARAATINSTELLING opslaan?"},
      {"save", prompt, Russian, "Хотите сохранить НАСТРОЙКИ с изменениями?"},
      {"save", prompt, Chinese, "是否要保存 设备设置 更改？"},
      {"save", prompt, Finnish, "Haluatko tallentaa muutokset kohdassa LAITEASETUKSET?"},
      {"save", prompt, Czech, "Chcete uložit změny v NASTAVENÍ ZAŘÍZENÍ?"},
      {"save", prompt, Polish, "Czy chcesz zapisać zmiany UST. URZĄDZENIA?"},
  });
}

TEST(MenuTexts, DeviceConversionSteps) {
  expect_cases({
      {"unplug", MenuTexts::stringDeviceConversionUnplugUSBCableFromMac, French, "Débranchez le câble USB du Mac"},
      {"unplug", MenuTexts::stringDeviceConversionUnplugUSBCableFromMac, Czech, "Odpojte od počítače Mac kabel USB"},
      {"unplug", MenuTexts::stringDeviceConversionUnplugUSBCableFromMac, Polish, "Odłącz kabel USB od komputera Mac."},
      {"plug", MenuTexts::stringDeviceConversionPlugUSBCableToMac, Czech, "Plug the USB cable into the Mac"},
      {"step 1", MenuTexts::stringDeviceConversion1UnplugUSBCableFromMac, English,
       "1. Unplug the USB cable from the Mac."},
      {"step 1", MenuTexts::stringDeviceConversion1UnplugUSBCableFromMac, French, "1. Débranchez le câble USB du Mac."},
      {"step 1", MenuTexts::stringDeviceConversion1UnplugUSBCableFromMac, Japanese,
       "1. Unplug the USB cable from the Mac。"},
      {"step 1 keeps the Polish full stop", MenuTexts::stringDeviceConversion1UnplugUSBCableFromMac, Polish,
       "1. Odłącz kabel USB od komputera Mac.."},
      {"step 2", MenuTexts::stringDeviceConversion2PlugUSBCableToMacAgain, English,
       "2. Plug the USB cable into the Mac again."},
      {"step 2 says again in English", MenuTexts::stringDeviceConversion2PlugUSBCableToMacAgain, French,
       "2. Branchez le câble USB au Mac again."},
      {"step 2", MenuTexts::stringDeviceConversion2PlugUSBCableToMacAgain, Japanese,
       "2. Plug the USB cable into the Mac again。"},
      {"unplug or restart", MenuTexts::stringDeviceConversionUnplugUSBCableFromMacOrForceMacToRestart, English,
       "Unplug the USB cable from your Mac or force it to restart in case of inputting the wrong password."},
      {"unplug or restart", MenuTexts::stringDeviceConversionUnplugUSBCableFromMacOrForceMacToRestart, French,
       "Débranchez le câble USB du Mac ou forcez le Mac à redémarrer en cas de mot de passe incorrect."},
      {"unplug and plug", MenuTexts::stringDeviceConversionUnPlugAndPlugUSBCableToMac, French,
       "Débranchez le câble USB du port USB et branchez-le de nouveau."},
      {"connect", MenuTexts::stringDeviceConversionConnectAndTurnOn, French, "Branchez et allumez"},
      {"connect has no Czech text", MenuTexts::stringDeviceConversionConnectAndTurnOn, Czech, "Connect and turn on"},
      {"not found", MenuTexts::stringDeviceConversionDeviceIsNotFound, English, "Device is not found. Try again."},
      {"cannot open", MenuTexts::stringDeviceConversionFailedToOpenUSB, French,
       "Échec de l'ouverture USB. Forcez le Mac à redémarrer."},
      {"management mode", MenuTexts::stringDeviceConversionDeviceIsInModeOfUpdating, English,
       "Device is in firmware management mode. Update firmware."},
      {"safe", MenuTexts::stringDeviceConversionDeviceIsSafe, French,
       "Le périph. est sûr quant à l'utilisation du bluetooth intégré."},
      {"activated", MenuTexts::stringDeviceConversionDeviceIsActivated, English,
       "Device is activated. Mac will restart soon."},
      {"activating", MenuTexts::stringDeviceConversionActivatingDevice, French, "Activation du périph."},
  });
}

TEST(MenuTexts, DeviceConversionFailures) {
  const std::string address = platform::k_support_email;
  const auto with_alternatives = [](int l) {
    return MenuTexts::stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(true, l);
  };
  const auto without_alternatives = [](int l) {
    return MenuTexts::stringDeviceConversionInvalidPasswordWithhaveAlternativeInputDevices(false, l);
  };
  const std::string english_without =
      "The password does not match. Go to [Help] -> [Show Precaution] and enter the right password. Go back to the "
      "Device Recognition page and try again.";
  const std::string english_with = "The password does not match. Go back to the Device Recognition page and try again.";
  expect_cases({
      {"error 89", MenuTexts::stringDeviceConversionFailedBluetoothOff, English,
       "Error code: 89. Please contact (" + address + ") with the error code."},
      {"error 89", MenuTexts::stringDeviceConversionFailedBluetoothOff, French,
       "Code erreur : 89. Merci de contacter (" + address + ") avec le code erreur."},
      {"error 89", MenuTexts::stringDeviceConversionFailedBluetoothOff, German,
       "Fehlercode: 89. Wenden Sie sich mit dem Fehlercode an (" + address + ")."},
      {"password, no other input devices", without_alternatives, English, english_without},
      {"password, other input devices", with_alternatives, English, english_with},
      {"password, no other input devices", without_alternatives, French,
       "Le mot de passe ne correspond pas. Veuillez aller sur [Aide] -> [Afficher Précautions] et saisissez le bon "
       "mot de passe. Retournez sur la page Reconnaissance de l’appareil et veuillez réessayer."},
      {"password, no Czech text", without_alternatives, Czech, english_without},
      {"password, no Polish text", with_alternatives, Polish, english_with},
  });
}

}  // namespace
