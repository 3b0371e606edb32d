#include "strings/recognition_texts.h"

#include "platform/format.h"
#include "strings/app_texts.h"
#include "strings/language.h"
#include "strings/setting_names.h"

using strings::LocalizedTexts;
using strings::pick;

namespace {

// Languages 11 (Czech) and 12 (Polish) have no own texts for these two.
const LocalizedTexts k_cannot_restore = {
    "Cannot restore %@",
    "Impossible de restaurer %@",
    "%@ kann nicht wiederhergestellt werden",
    "Impossibile ripristinare %@",
    "%@ を復元できません",
    "%@을(를) 복원할 수 없습니다",
    "No se puede restaurar %@",
    "%@ kan niet worden hersteld",
    "Не удается восстановить %@",
    "无法恢复%@",
    "Kohdetta %@ ei voi palauttaa",
    "",
    "",
};

const LocalizedTexts k_recognized = {
    "Device recognized successfully",
    "Appareil reconnu avec succès",
    "Gerät erfolgreich erkannt",
    "Dispositivo riconosciuto correttamente",
    "デバイスが正常に認識されました",
    "장치가 성공적으로 인식되었습니다",
    "Dispositivo reconocido correctamente",
    "Apparaat is herkend",
    "Устройство успешно распознано",
    "设备识别成功",
    "Laite tunnistettiin onnistuneesti",
    "Zařízení bylo úspěšně rozpoznáno",
    "Urządzenie zostało rozpoznane",
};

const LocalizedTexts k_press_next = {
    "%d. Press the [%@ >] button.",
    "%d. Appuyez sur le bouton [%@ >].",
    "%d. Drücken Sie die Taste [%@ >].",
    "%d. Premere il pulsante [%@ >].",
    "%d. [%@ >] ボタンを押してください。",
    "%d. [%@ >] 버튼을 누르십시오.",
    "%d. Pulse el botón [%@ >].",
    "%d. Druk op de knop [%@ >].",
    "%d. Нажмите кнопку [%@ >].",
    "%d. 请按 [%@ >] 按钮。",
    "%d. Paina [%@ >] -painiketta.",
    "%d. Stiskněte tlačítko [%@ >].",
    "%d. Naciśnij przycisk [%@ >].",
};

const LocalizedTexts k_connect = {
    "1. Connect the system to the computer by using the USB cable provided.\n\n\n",
    "1. Connectez le système à l'ordinateur à l'aide du câble USB fourni.\n\n\n",
    "1. Verbinden Sie das System mit dem mitgelieferten USB-Kabel mit dem Computer.\n\n\n",
    "1. Collegare il sistema al computer utilizzando il cavo USB in dotazione.\n\n\n",
    "1. 付属のUSBケーブルでシステムをコンピュータに接続してください。\n\n\n",
    "1. 제공된 USB 케이블을 사용하여 시스템을 컴퓨터에 연결하십시오.\n\n\n",
    "1. Conecte el sistema al ordenador con el cable USB suministrado.\n\n\n",
    "1. Sluit het systeem met de meegeleverde USB-kabel aan op de computer.\n\n\n",
    "1. Подключите систему к компьютеру с помощью прилагаемого USB-кабеля.\n\n\n",
    "1. 使用随附的 USB 数据线将系统连接到电脑。\n\n\n",
    "1. Liitä järjestelmä tietokoneeseen mukana toimitetulla USB-kaapelilla.\n\n\n",
    "1. Připojte systém k počítači pomocí dodaného kabelu USB.\n\n\n",
    "1. Podłącz system do komputera za pomocą dołączonego kabla USB.\n\n\n",
};

const LocalizedTexts k_other_device = {
    "A device other than the %@ is recognized. Select the appropriate device.",
    "Un appareil autre que le %@ a été reconnu. Sélectionnez l'appareil approprié.",
    "Es wurde ein anderes Gerät als das %@ erkannt. Wählen Sie das passende Gerät aus.",
    "È stato riconosciuto un dispositivo diverso da %@. Selezionare il dispositivo appropriato.",
    "%@ 以外のデバイスが認識されました。適切なデバイスを選択してください。",
    "%@ 이외의 장치가 인식되었습니다. 올바른 장치를 선택하십시오.",
    "Se ha reconocido un dispositivo distinto de %@. Seleccione el dispositivo adecuado.",
    "Er is een ander apparaat dan de %@ herkend. Selecteer het juiste apparaat.",
    "Распознано устройство, отличное от %@. Выберите подходящее устройство.",
    "识别到的设备不是 %@。请选择正确的设备。",
    "Tunnistettiin muu laite kuin %@. Valitse oikea laite.",
    "Bylo rozpoznáno jiné zařízení než %@. Vyberte správné zařízení.",
    "Rozpoznano urządzenie inne niż %@. Wybierz właściwe urządzenie.",
};

// Languages 11 (Czech) and 12 (Polish) have no own text.
const LocalizedTexts k_restarting_manager = {
    "Restarting %@ may fix this problem.\nWould you like to restart %@?\n",
    "Le redémarrage de %@ peut résoudre ce problème.\nVoulez-vous redémarrer %@ ?\n",
    "Ein Neustart von %@ kann dieses Problem beheben.\nMöchten Sie %@ neu starten?\n",
    "Il riavvio di %@ potrebbe risolvere il problema.\nRiavviare %@?\n",
    "%@ を再起動すると、この問題が解決する場合があります。\n%@ を再起動しますか?\n",
    "%@을(를) 다시 시작하면 이 문제가 해결될 수 있습니다.\n%@을(를) 다시 시작하시겠습니까?\n",
    "Reiniciar %@ puede solucionar este problema.\n¿Desea reiniciar %@?\n",
    "Het opnieuw starten van %@ kan dit probleem verhelpen.\nWilt u %@ opnieuw starten?\n",
    "Перезапуск %@ может устранить эту проблему.\nПерезапустить %@?\n",
    "重新启动 %@ 可能会解决此问题。\n是否重新启动 %@?\n",
    "%@:n uudelleenkäynnistys voi korjata ongelman.\nHaluatko käynnistää %@:n uudelleen?\n",
    "",
    "",
};

}  // namespace

std::optional<std::string> DeviceRecognitionTexts::vyla_string_for_status_in(std::string_view message,
                                                                              int language) {
  if (message == "Firmware management mode") return AppTexts::vyla_string_firmware_management_mode_in(language);
  if (message == "Device recognized successfully") return pick(k_recognized, language);
  return std::nullopt;
}

std::string DeviceRecognitionTexts::vyla_string_cannot_restore_in(int key, int language) {
  const std::optional<strings::SettingName> name = strings::setting_name_of_key(key);
  return platform::format(pick(k_cannot_restore, language), name ? strings::setting_name(*name, language) : "");
}

std::string DeviceRecognitionTexts::stringInstructionPressNextButtonAt_in(int step, int language) {
  return platform::format(pick(k_press_next, language), step, AppTexts::vyla_string_next_in(language));
}

std::string DeviceRecognitionTexts::stringInstructionNormalActivated_in(int language) {
  return platform::format("%@%@%@", pick(k_connect, language), "", stringInstructionPressNextButtonAt_in(2, language));
}

std::string DeviceRecognitionTexts::stringInstruction_in(int language) {
  return stringInstructionNormalActivated_in(language);
}

std::string DeviceRecognitionTexts::stringMessageDeviceOtherThan_in(int language) {
  return pick(k_other_device, language);
}

std::string DeviceRecognitionTexts::stringMessageRestartingManager_in(int language) {
  return pick(k_restarting_manager, language);
}
