#include "strings/status_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "strings/language.h"
#include "strings/language_table.h"

namespace {

using StatusFunction = std::optional<std::string> (*)(int, int, int);

using enum strings::Language;

// product id 0x4D10 as a normal HID device and in firmware-management mode
constexpr int k_usb_normal = 0x4D10;
constexpr int k_usb_firmware_management = 0x4D10 | 0x8000;

struct Operation {
  const char* name;
  StatusFunction status;
};

const Operation k_operations[] = {
    {"default", StatusTexts::vyla_status_default_usb_in},
    {"processing", StatusTexts::vyla_status_processing_usb_in},
    {"success", StatusTexts::vyla_status_success_usb_in},
    {"failure", StatusTexts::vyla_status_failure_usb_in},
};

TEST(StatusTexts, NoTextOutsideThePageModes) {
  for (const Operation& operation : k_operations) {
    SCOPED_TRACE(operation.name);
    for (int mode : {-1, 0, 1, 10, 104}) {
      for (int language : {0, 2, 12, 13}) {
        SCOPED_TRACE(testing::Message() << "mode=" << mode << " language=" << language);
        EXPECT_EQ(operation.status(mode, 0, language), std::nullopt);
        EXPECT_EQ(operation.status(mode, k_usb_firmware_management, language), std::nullopt);
      }
    }
  }
}

TEST(StatusTexts, LanguageOutsideOneToTwelveGivesEnglish) {
  for (const Operation& operation : k_operations) {
    SCOPED_TRACE(operation.name);
    for (int mode = 2; mode <= 9; ++mode) {
      for (int usb : {0, k_usb_firmware_management}) {
        for (int language : {-1, 13, 2147483647}) {
          SCOPED_TRACE(testing::Message() << "mode=" << mode << " usb=" << usb << " language=" << language);
          EXPECT_EQ(operation.status(mode, usb, language), operation.status(mode, usb, English));
        }
      }
    }
  }
}

TEST(StatusTexts, OnlyTheReadyTextDependsOnUsb) {
  for (const Operation& operation : k_operations) {
    if (operation.status == StatusTexts::vyla_status_default_usb_in) continue;
    SCOPED_TRACE(operation.name);
    for (int mode = 2; mode <= 9; ++mode) {
      for (int language = 0; language < strings::k_language_count; ++language) {
        SCOPED_TRACE(testing::Message() << "mode=" << mode << " language=" << language);
        EXPECT_EQ(operation.status(mode, k_usb_normal, language),
                  operation.status(mode, k_usb_firmware_management, language));
      }
    }
  }
}

TEST(StatusTexts, ReadyText) {
  struct Case {
    const char* name;
    int mode;
    int usb;
    int language;
    const char* expected;
  };
  const Case cases[] = {
      {"recognition", 4, 0, English, "Ready for DEVICE RECOGNITION"},
      {"manager update", 2, 0, French, "Prêt pour MAJ GESTIONNAIRE"},
      {"settings 8", 8, 0, German, "Bereit für GERÄTEEINSTELLUNGEN"},
      {"firmware update", 5, k_usb_normal, English, "Ready for FIRMWARE UPDATE"},
      {"firmware restore", 6, k_usb_normal, Japanese, "ファームウェア復旧の準備完了"},
      {"negative usb is not management mode", 5, -1, English, "Ready for FIRMWARE UPDATE"},
      {"management mode outside update pages", 4, k_usb_firmware_management, English, "Ready for DEVICE RECOGNITION"},
      // Finnish, Czech and Polish end the manager and recognition texts with a full stop
      {"Finnish recognition", 4, 0, Finnish, "Valmis toimintaan LAITETUNNISTUS."},
      {"Finnish manager", 2, 0, Finnish, "Valmis toimintaan HALLINTAOHJELMAN PÄIVITYS."},
      {"Finnish settings", 7, 0, Finnish, "Valmis toimintaan LAITEASETUKSET"},
      {"Finnish update", 5, 0, Finnish, "Valmis toimintaan PÄIVITYS"},
      {"Czech recognition", 4, 0, Czech, "Připraveno na ROZPOZNÁNÍ ZAŘÍZENÍ."},
      {"Czech settings", 9, 0, Czech, "Připraveno na NASTAVENÍ ZAŘÍZENÍ"},
      {"Polish manager", 2, 0, Polish, "Gotowe na AKTUALIZACJA MENEDŻERA."},
      {"Polish restore", 6, 0, Polish, "Gotowe na PRZYWRACANIE"},
      {"Chinese recognition", 4, 0, Chinese, "设备识别 已准备就绪"},
      {"Korean settings", 7, 0, Korean, "장치 설정 준비 완료"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(StatusTexts::vyla_status_default_usb_in(c.mode, c.usb, c.language), c.expected);
  }
}

TEST(StatusTexts, ReadyTextInFirmwareManagementMode) {
  struct Case {
    int mode;
    int usb;
    int language;
    const char* expected;
  };
  const Case cases[] = {
      {5, k_usb_firmware_management, English, "Ready for FIRMWARE UPDATE. Cannot make backup firmware"},
      {5, 0x8000, English, "Ready for FIRMWARE UPDATE. Cannot make backup firmware"},
      {6, 0xFFFF, English, "Ready for FIRMWARE RESTORE. Cannot make backup firmware"},
      {5, k_usb_firmware_management, French,
       "Prêt pour MAJ MICROLOGICIEL. Impossible de sauvegarder le micrologiciel"},
      {6, k_usb_firmware_management, German, "Bereit für F/W-ZURÜCKSETZUNG. Backup-Firmware erstellen unmöglich"},
      {5, k_usb_firmware_management, Japanese, "ファームウェア更新の準備完了. Cannot make backup firmware"},
      {5, k_usb_firmware_management, Chinese, "固件更新 已准备就绪。Cannot make backup firmware"},
      // the title comes first, after a leading blank
      {5, k_usb_firmware_management, Finnish, " PÄIVITYS Valmis toimintaan. Cannot make backup firmware"},
      {6, k_usb_firmware_management, Czech, " OBNOVENÍ FIRMWARU Připraveno na. Cannot make backup firmware"},
      {5, k_usb_firmware_management, Polish, " AKTUALIZACJA Gotowe na. Cannot make backup firmware"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode=" << c.mode << " usb=" << c.usb << " language=" << c.language);
    EXPECT_EQ(StatusTexts::vyla_status_default_usb_in(c.mode, c.usb, c.language), c.expected);
  }
}

TEST(StatusTexts, WelcomePageAsksForNext) {
  const char* expected[] = {
      "Press NEXT to proceed.",
      "Appuyez sur SUIVANT pour continuer.",
      "Drücken Sie VOR, um fortzufahren.",
      "Premere NEXT per procedere.",
      "次へ を押して進みます。",
      "다음을 눌러 계속 진행하십시오.",
      "Presionar NEXT para continuar.",
      "Druk op NEXT om door te gaan.",
      "Для продолжения нажмите ДАЛЕЕ.",
      "按 下一步 继续。",
      "Paina NEXT jatkaaksesi.",
      "Pokračujte stisknutím tlačítka NEXT.",
      "Naciśnij przycisk NASTĘPNE, aby kontynuować.",
  };
  for (int language = 0; language < strings::k_language_count; ++language) {
    SCOPED_TRACE(language);
    EXPECT_EQ(StatusTexts::vyla_status_default_usb_in(3, 0, language), expected[language]);
    EXPECT_EQ(StatusTexts::vyla_status_default_usb_in(3, k_usb_firmware_management, language), expected[language]);
  }
}

TEST(StatusTexts, ProcessingText) {
  struct Case {
    int language;
    std::vector<std::string> texts;  // modes 2, 3, 4, 5, 6 and 7..9
  };
  const Case cases[] = {
      {English,
       {"On updating manager.", "On selecting device.", "On recognizing device.", "On updating firmware.",
        "On restoring firmware.", "On saving device setting."}},
      {French,
       {"Sur le gestion. de maj.", "Sur la sélect. de l'appareil", "Sur la détect. de l'appareil",
        "Sur la maj du micrologiciel.", "Sur la restaur. du micrologiciel.", "Sur la sauv. param. périph."}},
      {German,
       {"Manager-Update.", "Bei der Geräteauswahl.", "Bei der Geräteerkennung.", "Beim Firmware-Update.",
        "Bei der Firmware-Zurücksetzung.", "Beim Speichern der Geräteeinstellungen."}},
      {Italian,
       {"Aggiornamento manager in corso", "Selezione dispositivo in corso.", "Riconoscimento dispositivo in corso.",
        "Aggiornamento firmware in corso.", "Ripristino firmware in corso.",
        "Salvataggio impostazioni dispositivo in corso."}},
      {Japanese,
       {"マネージャ更新中.", "デバイス選択中.", "デバイス認識中.", "ファームウェア更新中.", "ファームウェア復旧中.",
        "デバイス設定保存中."}},
      {Korean,
       {"매니저 업데이트 중.", "장치 선택 중.", "장치 인식 중.", "펌웨어 업데이트 중.", "펌웨어 복구 중.",
        "장치 설정 저장 중."}},
      {Spanish,
       {"Actualiz. gestor.", "Elig. dispositivo.", "Reconoc. dispositivo.", "Actualizando firmware.",
        "Restaurando firmware.", "Guardando config. dispos."}},
      {Dutch,
       {"Het beheer bijwerken.", "Het apparaat selecteren.", "Het apparaat herkennen.", "De firmware bijwerken.",
        "De firmware herstellen.", "De apparaatinstelling opslaan."}},
      {Russian,
       {"После обновления диспетчера.", "После выбора устройства.", "После распознавания устройства.",
        "При обновлении прошивки.", "При восстановлении прошивки.", "При сохранении настроек устройства."}},
      {Chinese,
       {"关于更新管理器。", "关于选择设备。", "关于识别设备。", "关于更新固件。", "关于还原固件。",
        "关于保存设备设置。"}},
      {Finnish,
       {"Päivittää hallintaohjelmaa.", "Valitsee laitetta.", "Tunnistaa laitetta.", "Päivittää laiteohjelmistoa.",
        "Palauttaa laiteohjelmistoa.", "Tallentaa laiteasetuksia."}},
      {Czech,
       {"Aktualizování Správce.", "Vybírání zařízení.", "Rozpoznávání zařízení.", "Aktualizování firmware.",
        "Obnovování firmwaru.", "Ukládání nastavení zařízení."}},
      {Polish,
       {"Przy aktualizowaniu menedżera.", "Przy wybieraniu urządzenia.", "Przy rozpoznaniu urządzenia.",
        "Przy aktualizowaniu oprogramowania układowego.", "Przy przywracaniu oprogramowania układowego.",
        "Przy zapisywaniu ustawień urządzenia."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    for (int mode = 2; mode <= 9; ++mode) {
      SCOPED_TRACE(mode);
      EXPECT_EQ(StatusTexts::vyla_status_processing_usb_in(mode, 0, c.language),
                c.texts[static_cast<size_t>(std::min(mode, 7) - 2)]);
    }
  }
}

TEST(StatusTexts, SuccessAndFailureTexts) {
  struct Case {
    int language;
    const char* manager_success;
    const char* settings_success;
    const char* manager_failure;
    const char* settings_failure;
  };
  const Case cases[] = {
      {English, "Manager not updated", "Device setting saved successfully", "Failed to update manager",
       "Failed to save device setting"},
      {French, "Gestionnaire non mis à jour", "Sauv. param. périph. avec succès", "Échec MAJ du gestionnaire",
       "Échec sauv. param. périph."},
      {German, "Kein Manager-Update", "Geräteeinstellung gespeichert", "Mgr.-Update fehlgeschlagen",
       "Speich. Geräteeinstellung unmögl."},
      {Italian, "Manager non aggiornato", "Impostazione dispositivo salvata correttamente",
       "Impossibile aggiornare manager", "Impossibile salvare le impostazioni"},
      {Japanese, "マネージャは更新されません", "デバイス設定の保存成功", "マネージャを更新できません",
       "デバイス設定の保存失敗"},
      {Korean, "매니저 업데이트 실패", "장치 설정 저장 성공", "매니저 업데이트 실패", "장치 설정 저장 실패"},
      {Spanish, "Gestor sin actual.", "Config. dispositivo guardada", "Error al actual. gestor",
       "Error al gu. config. dispos."},
      {Dutch, "Beheer niet bijgewerkt", "Apparaatinstelling is opgeslagen", "Updatebeheer weergeven mislukt",
       "Opslaan van apparaatinstelling mislukt"},
      {Russian, "Диспетчер не обновлен", "Настройки устройства успешно сохранены", "Не удалось обновить диспетчер",
       "Не удалось сохранить настройки устройства"},
      {Chinese, "管理器未更新", "已成功保存设备设置", "管理器更新失败", "设备设置保存失败"},
      {Finnish, "Hallintaohjelmaa ei ole päivitetty", "Laiteasetukset tallennettu onnistuneesti",
       "Virhe päivitettäessä hallintaohjelmaa", "Virhe tallennettaessa laiteasetuksia"},
      {Czech, "Správce nebyl aktualizován", "Nastavení zařízení bylo úspěšně uloženo",
       "Nepodařilo se aktualizovat Správce", "Nepodařilo se uložit nastavení zařízení"},
      {Polish, "Menedżer niezaktualizowany", "Z powodzeniem zapisano ustawienia urządzenia",
       "Nie zaktualizowano menedżera", "Nie udało się zapisać ustawienia urządzenia"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(2, 0, c.language), c.manager_success);
    EXPECT_EQ(StatusTexts::vyla_status_failure_usb_in(2, 0, c.language), c.manager_failure);
    for (int mode : {7, 8, 9}) {
      SCOPED_TRACE(mode);
      EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(mode, 0, c.language), c.settings_success);
      EXPECT_EQ(StatusTexts::vyla_status_failure_usb_in(mode, 0, c.language), c.settings_failure);
    }
    // the recognition page fills its own two texts into this format
    EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(4, 0, c.language), "%@. %@");
    EXPECT_EQ(StatusTexts::vyla_status_failure_usb_in(4, 0, c.language), std::nullopt);
    // the selection page has no outcome; the update and restore pages build their own failure texts
    EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(3, 0, c.language), std::nullopt);
    for (int mode : {3, 5, 6}) {
      SCOPED_TRACE(mode);
      EXPECT_EQ(StatusTexts::vyla_status_failure_usb_in(mode, 0, c.language), std::nullopt);
    }
  }
}

TEST(StatusTexts, FirmwareUpdateAndRestoreSayTheySucceededInEveryLanguage) {
  EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(5, 0, English), "Firmware updated successfully");
  EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(6, 0, English), "Firmware restored successfully");
  EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(5, 0, German), "Firmware erfolgreich aktualisiert");
  EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(6, 0, German), "Firmware erfolgreich wiederhergestellt");
  std::set<std::string> seen;
  for (int language = 0; language < 13; ++language) {
    SCOPED_TRACE(language);
    const std::optional<std::string> update = StatusTexts::vyla_status_success_usb_in(5, 0, language);
    const std::optional<std::string> restore = StatusTexts::vyla_status_success_usb_in(6, 0, language);
    ASSERT_TRUE(update && restore);
    EXPECT_NE(*update, *restore);
    // each language its own words
    EXPECT_TRUE(seen.insert(*update).second);
    EXPECT_TRUE(seen.insert(*restore).second);
  }
  // in firmware-management mode too, and a language out of range reads English
  EXPECT_EQ(StatusTexts::vyla_status_success_usb_in(5, k_usb_firmware_management, 13), "Firmware updated successfully");
}

}  // namespace
