#include "strings/status_texts.h"

#include <array>
#include <cstddef>

#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/language.h"

namespace {

bool is_page_mode(int mode) { return mode >= 2 && mode <= 9; }

bool is_settings_page(int mode) { return mode >= 7 && mode <= 9; }

size_t language_row(int language) { return static_cast<size_t>(strings::effective_language(language)); }

}  // namespace

std::optional<std::string> StatusTexts::vyla_status_default_usb_in(int mode, int usb, int language) {
  struct Patterns {
    const char* ready;
    // the manager update (2) and recognition (4) pages' ready text, where it
    // differs from the others by its final full stop
    const char* ready_manager_or_recognition;
    const char* press_next;
    // "%%@" survives the first pass (the backup text) and takes the page title
    const char* firmware_management;
  };
  static const std::array<Patterns, strings::k_language_count> k_patterns = {{
      {"Ready for %@", nullptr, "Press %@ to proceed.", "Ready for %%@. %@"},
      {"Prêt pour %@", nullptr, "Appuyez sur %@ pour continuer.", "Prêt pour %%@. %@"},
      {"Bereit für %@", nullptr, "Drücken Sie %@, um fortzufahren.", "Bereit für %%@. %@"},
      {"Pronto per %@", nullptr, "Premere %@ per procedere.", "Pronto per %%@. %@"},
      {"%@の準備完了", nullptr, "%@ を押して進みます。", "%%@の準備完了. %@"},
      {"%@ 준비 완료", nullptr, "%@을 눌러 계속 진행하십시오.", "%%@ 준비 완료. %@"},
      {"Listo para %@", nullptr, "Presionar %@ para continuar.", "Listo para %%@. %@"},
      {"Klaar voor %@", nullptr, "Druk op %@ om door te gaan.", "Klaar voor %%@. %@"},
      {"Готов к %@", nullptr, "Для продолжения нажмите %@.", "Готов к %%@. %@"},
      {"%@ 已准备就绪", nullptr, "按 %@ 继续。", "%%@ 已准备就绪。%@"},
      {"Valmis toimintaan %@", "Valmis toimintaan %@.", "Paina %@ jatkaaksesi.", " %%@ Valmis toimintaan. %@"},
      {"Připraveno na %@", "Připraveno na %@.", "Pokračujte stisknutím tlačítka %@.", " %%@ Připraveno na. %@"},
      {"Gotowe na %@", "Gotowe na %@.", "Naciśnij przycisk %@, aby kontynuować.", " %%@ Gotowe na. %@"},
  }};
  if (!is_page_mode(mode)) return std::nullopt;
  const Patterns& own = k_patterns[language_row(language)];
  const std::string title = CommonTexts::vyla_string_mode_in(mode, language);

  // the welcome page names its NEXT button
  if (mode == 3) return platform::format(own.press_next, CommonTexts::vyla_string_next_in(language));

  // in firmware-management mode the device cannot hand out its firmware
  if ((mode == 5 || mode == 6) && usb >= strings::k_usb_firmware_management) {
    const std::string with_backup_text =
        platform::format(own.firmware_management, CommonTexts::vyla_string_cannot_make_backup_firmware_in(language));
    return platform::format(with_backup_text, title);
  }

  const bool manager_or_recognition = mode == 2 || mode == 4;
  const char* ready =
      manager_or_recognition && own.ready_manager_or_recognition ? own.ready_manager_or_recognition : own.ready;
  return platform::format(ready, title);
}

std::optional<std::string> StatusTexts::vyla_status_processing_usb_in(int mode, int /*usb*/, int language) {
  // Texts of page modes 2, 3, 4, 5, 6 and 7..9.
  using Texts = std::array<const char*, 6>;
  static const std::array<Texts, strings::k_language_count> k_texts = {{
      {"On updating manager.", "On selecting device.", "On recognizing device.", "On updating firmware.",
       "On restoring firmware.", "On saving device setting."},
      {"Sur le gestion. de maj.", "Sur la sélect. de l'appareil", "Sur la détect. de l'appareil",
       "Sur la maj du micrologiciel.", "Sur la restaur. du micrologiciel.", "Sur la sauv. param. périph."},
      {"Manager-Update.", "Bei der Geräteauswahl.", "Bei der Geräteerkennung.", "Beim Firmware-Update.",
       "Bei der Firmware-Zurücksetzung.", "Beim Speichern der Geräteeinstellungen."},
      {"Aggiornamento manager in corso", "Selezione dispositivo in corso.", "Riconoscimento dispositivo in corso.",
       "Aggiornamento firmware in corso.", "Ripristino firmware in corso.",
       "Salvataggio impostazioni dispositivo in corso."},
      {"マネージャ更新中.", "デバイス選択中.", "デバイス認識中.", "ファームウェア更新中.", "ファームウェア復旧中.",
       "デバイス設定保存中."},
      {"매니저 업데이트 중.", "장치 선택 중.", "장치 인식 중.", "펌웨어 업데이트 중.", "펌웨어 복구 중.",
       "장치 설정 저장 중."},
      {"Actualiz. gestor.", "Elig. dispositivo.", "Reconoc. dispositivo.", "Actualizando firmware.",
       "Restaurando firmware.", "Guardando config. dispos."},
      {"Het beheer bijwerken.", "Het apparaat selecteren.", "Het apparaat herkennen.", "De firmware bijwerken.",
       "De firmware herstellen.", "De apparaatinstelling opslaan."},
      {"После обновления диспетчера.", "После выбора устройства.", "После распознавания устройства.",
       "При обновлении прошивки.", "При восстановлении прошивки.", "При сохранении настроек устройства."},
      {"关于更新管理器。", "关于选择设备。", "关于识别设备。", "关于更新固件。", "关于还原固件。",
       "关于保存设备设置。"},
      {"Päivittää hallintaohjelmaa.", "Valitsee laitetta.", "Tunnistaa laitetta.", "Päivittää laiteohjelmistoa.",
       "Palauttaa laiteohjelmistoa.", "Tallentaa laiteasetuksia."},
      {"Aktualizování Správce.", "Vybírání zařízení.", "Rozpoznávání zařízení.", "Aktualizování firmware.",
       "Obnovování firmwaru.", "Ukládání nastavení zařízení."},
      {"Przy aktualizowaniu menedżera.", "Przy wybieraniu urządzenia.", "Przy rozpoznaniu urządzenia.",
       "Przy aktualizowaniu oprogramowania układowego.", "Przy przywracaniu oprogramowania układowego.",
       "Przy zapisywaniu ustawień urządzenia."},
  }};
  if (!is_page_mode(mode)) return std::nullopt;
  const size_t column = is_settings_page(mode) ? 5 : static_cast<size_t>(mode - 2);
  return std::string(k_texts[language_row(language)][column]);
}

namespace {

// Outcome texts of the manager update page (mode 2) and the settings pages
// (modes 7..9); the other pages build their own.
struct Outcome {
  const char* manager;
  const char* settings;
};

std::optional<std::string> outcome_text(const std::array<Outcome, strings::k_language_count>& k_texts, int mode,
                                        int language) {
  const Outcome& own = k_texts[language_row(language)];
  if (mode == 2) return std::string(own.manager);
  if (is_settings_page(mode)) return std::string(own.settings);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> StatusTexts::vyla_status_success_usb_in(int mode, int /*usb*/, int language) {
  static const std::array<Outcome, strings::k_language_count> k_texts = {{
      {"Manager not updated", "Device setting saved successfully"},
      {"Gestionnaire non mis à jour", "Sauv. param. périph. avec succès"},
      {"Kein Manager-Update", "Geräteeinstellung gespeichert"},
      {"Manager non aggiornato", "Impostazione dispositivo salvata correttamente"},
      {"マネージャは更新されません", "デバイス設定の保存成功"},
      {"매니저 업데이트 실패", "장치 설정 저장 성공"},
      {"Gestor sin actual.", "Config. dispositivo guardada"},
      {"Beheer niet bijgewerkt", "Apparaatinstelling is opgeslagen"},
      {"Диспетчер не обновлен", "Настройки устройства успешно сохранены"},
      {"管理器未更新", "已成功保存设备设置"},
      {"Hallintaohjelmaa ei ole päivitetty", "Laiteasetukset tallennettu onnistuneesti"},
      {"Správce nebyl aktualizován", "Nastavení zařízení bylo úspěšně uloženo"},
      {"Menedżer niezaktualizowany", "Z powodzeniem zapisano ustawienia urządzenia"},
  }};
  // the update (5) and restore (6) pages, after the device took its firmware
  static const std::array<std::array<const char*, 2>, strings::k_language_count> k_firmware = {{
      {"Firmware updated successfully", "Firmware restored successfully"},
      {"Micrologiciel mis à jour avec succès", "Micrologiciel restauré avec succès"},
      {"Firmware erfolgreich aktualisiert", "Firmware erfolgreich wiederhergestellt"},
      {"Firmware aggiornato correttamente", "Firmware ripristinato correttamente"},
      {"ファームウェアの更新成功", "ファームウェアの復旧成功"},
      {"펌웨어 업데이트 성공", "펌웨어 복구 성공"},
      {"Firmware actualizado correctamente", "Firmware restaurado correctamente"},
      {"Firmware is bijgewerkt", "Firmware is hersteld"},
      {"Прошивка успешно обновлена", "Прошивка успешно восстановлена"},
      {"已成功更新固件", "已成功还原固件"},
      {"Laiteohjelmisto päivitetty onnistuneesti", "Laiteohjelmisto palautettu onnistuneesti"},
      {"Firmware byl úspěšně aktualizován", "Firmware byl úspěšně obnoven"},
      {"Z powodzeniem zaktualizowano oprogramowanie układowe",
       "Z powodzeniem przywrócono oprogramowanie układowe"},
  }};
  // the recognition page fills this with its own two texts
  if (mode == 4) return std::string("%@. %@");
  if (mode == 5 || mode == 6) return std::string(k_firmware[language_row(language)][static_cast<size_t>(mode - 5)]);
  return outcome_text(k_texts, mode, language);
}

std::optional<std::string> StatusTexts::vyla_status_failure_usb_in(int mode, int /*usb*/, int language) {
  static const std::array<Outcome, strings::k_language_count> k_texts = {{
      {"Failed to update manager", "Failed to save device setting"},
      {"Échec MAJ du gestionnaire", "Échec sauv. param. périph."},
      {"Mgr.-Update fehlgeschlagen", "Speich. Geräteeinstellung unmögl."},
      {"Impossibile aggiornare manager", "Impossibile salvare le impostazioni"},
      {"マネージャを更新できません", "デバイス設定の保存失敗"},
      {"매니저 업데이트 실패", "장치 설정 저장 실패"},
      {"Error al actual. gestor", "Error al gu. config. dispos."},
      {"Updatebeheer weergeven mislukt", "Opslaan van apparaatinstelling mislukt"},
      {"Не удалось обновить диспетчер", "Не удалось сохранить настройки устройства"},
      {"管理器更新失败", "设备设置保存失败"},
      {"Virhe päivitettäessä hallintaohjelmaa", "Virhe tallennettaessa laiteasetuksia"},
      {"Nepodařilo se aktualizovat Správce", "Nepodařilo se uložit nastavení zařízení"},
      {"Nie zaktualizowano menedżera", "Nie udało się zapisać ustawienia urządzenia"},
  }};
  return outcome_text(k_texts, mode, language);
}
