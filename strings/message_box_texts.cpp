#include "strings/message_box_texts.h"

#include "platform/deployment.h"
#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/language.h"

namespace strings {
namespace {

const LocalizedTexts k_first_button = {
    "Press and hold the %@ until this message disappears.",
    "Maintenez %@ enfoncé jusqu'à ce que ce message disparaisse.",
    "%@ gedrückt halten, bis diese Meldung nicht mehr angezeigt wird.",
    "Premere il %@ fino alla scomparsa del messaggio.",
    "このメッセージが消えるまで%@を押し続けてください。",
    "이 메시지가 사라질 때까지 %@을 누르십시오.",
    "Pulse %@ hasta que desaparezca este mensaje.",
    "Houd de %@ ingedrukt totdat dit bericht wordt getoond.",
    "Нажмите и удерживайте %@, пока данное сообщение не исчезнет.",
    "按住 %@，直至此消息消失。",
    "Pidä %@ painettuna kunnes tämä viesti katoaa.",
    "Stiskněte a držte %@, dokud tato zpráva nezmizí.",
    "Naciśnij i przytrzymaj %@, do momentu gdy zniknie ten komunikat.",
};
const LocalizedTexts k_failure_first_button = {
    "Unplug the USB cable from the USB port and plug it back by pressing and holding the %@ until this message disappears.",
    "Retirez le câble USB du port puis rebranchez-le et appuyez et maintenez enfoncé en même temps %@ jusqu'à ce que le message disparaisse.",
    "USB-Kabel vom USB-Port trennen und wieder einstecken, dann %@ gedrückt halten, bis diese Meldung verschwindet.",
    "Staccare il cavo USB dalla porta USB e ricollegarlo premendo il %@ fino alla scomparsa del messaggio.",
    "USBポートからUSBケーブルを外し、再び接続し、このメッセージが消えるまで%@を押し続けます。",
    "이 메시지가 사라질 때까지 %@을 누른채로 USB 케이블을 USB 포트에서 뺐다가 다시 연결하십시오.",
    "Desenchufe el cable USB del puerto y conéctelo de nuevo presionando y manteniendo %@ hasta que desaparezca este mensaje.",
    "Verwijder de USB-kabel uit de USB-poort en sluit deze weer aan door de %@ ingedrukt te houden totdat dit bericht verdwijnt.",
    "Отсоедините USB-кабель от USB-порта и подсоедините снова, нажимая и удерживая %@, пока не исчезнет данное сообщение.",
    "通过按住 %@，将 USB 电缆从 USB 端口拔下并重新插上，直至此消息消失。",
    "Irrota USB-kaapeli USB-väylästä ja kytke se takaisin pitämällä %@ -painiketta painettuna kunnes tämä viesti häviää.",
    "Odpojte kabel USB od portu USB a znovu jej zapojte stisknutím a držením %@, dokud tato zpráva nezmizí.",
    "Odłącz kabel USB od portu USB i podłącz z powrotem naciskając i przytrzymując %@, do momentu gdy zniknie ten komunikat.",
};
const LocalizedTexts k_second_button = {
    "Press and hold the %@ and %@ until this message disappears.",
    "Maintenez %@ et %@ enfoncés jusqu'à ce que ce message disparaisse.",
    "%@ und %@ gedrückt halten, bis diese Meldung nicht mehr angezeigt wird.",
    "Premere %@ e %@ fino alla scomparsa del messaggio.",
    "このメッセージが消えるまで、%@と%@を押し続けます。",
    "이 메시지가 사라질 때까지 %@ 및 %@을 동시에 누르십시오.",
    "Pulse %@ y %@ hasta que desaparezca este mensaje.",
    "Houd de %@ en %@ ingedrukt totdat dit bericht wordt weergegeven.",
    "Нажмите и удерживайте %@ и %@, пока данное сообщение не исчезнет.",
    "按住 %@ 和 %@，直至此消息消失。",
    "Pidä %@ ja %@ painettuna kunnes tämä viesti katoaa.",
    "Stiskněte a držte %@ a %@, dokud tato zpráva nezmizí.",
    "Naciśnij i przytrzymaj %@ oraz %@, do momentu gdy zniknie ten komunikat.",
};
const LocalizedTexts k_plain_unplug = {
    "Unplug the USB cable from the USB port and plug it back in.",
    "Débranchez le câble USB du port USB et branchez-le de nouveau.",
    "USB-Kabel vom USB-Port trennen und wieder einstecken.",
    "Staccare il cavo USB dalla porta USB e ricollegarlo.",
    "USBポートからUSBケーブルを外し、再度接続してください。",
    "USB 케이블을 USB 포트에서 뺐다가 다시 연결하십시오.",
    "Quite el cable USB del puerto y conéct. de nuevo.",
    "Verwijder de USB-kabel uit de USB-poort en steek deze er weer in.",
    "Отсоедините USB-кабель от USB-порта и подсоедините снова.",
    "将 USB 电缆从 USB 端口拔下，然后再插上。",
    "Kytke irti USB -kaapeli USB -portista ja kytke se uudelleen.",
    "Odpojte kabel USB od portu USB a znovu jej zapojte.",
    "Odłącz kabel USB od portu Mac i włącz ponownie.",
};
const LocalizedTexts k_switch_off_and_on = {
    "Switch off %@ and switch it back on.",
    "Éteignez le %@ et rallumez-le.",
    "%@ ausschalten und wieder anschalten.",
    "Spegnere e riaccendere %@.",
    "%@のスイッチ入れ直してください。",
    "%@의 스위치를 껐다가 다시 켜십시오.",
    "Apague y encienda el %@.",
    "Zet de %@ uit en weer aan.",
    "Отключите %@ и включите повторно.",
    "关闭 %@，然后重新打开。",
    "Käynnistä %@ uudelleen.",
    "Vypněte %@ a znovu jej zapněte.",
    "Wyłącz %@ i włącz ponownie.",
};
const LocalizedTexts k_camera_steps = {
    "1. Disconnect the USB cable from the OPTRA.\n2. Wait until the OPTRA completes update and powers off.\n3. Connect USB cable to the OPTRA and then power on it.\n4. Press [OK] button.",
    "1. Débranchez le câble USB du OPTRA.\n2. Attendez que le OPTRA termine la mise à jour et s'éteigne.\n3. Connectez le câble USB au OPTRA, puis mettez-le en marche.\n4. Appuyez sur le bouton [OK].",
    "1. Trennen Sie das USB-Kabel von der OPTRA.\n2. Warten Sie, bis die OPTRA die Aktualisierung abgeschlossen hat und sich ausschaltet.\n3. Schließen Sie das USB-Kabel an die OPTRA an und schalten Sie sie dann ein.\n4. Drücken Sie die Taste [OK].",
    "1. Scollegare il cavo USB da OPTRA.\n2. Attendere finché OPTRA non completa l'aggiornamento e si spegne.\n3. Collegare il cavo USB a OPTRA e quindi accenderla.\n4. Premere il tasto [OK].",
    "1. OPTRAからUSBケーブルを取り外します。\n2. OPTRAがアップデートを完了し、電源オフになるまで待ちます。\n3. USBケーブルをOPTRAに接続してから電源を入れます。\n4. [OK]ボタンを押します。",
    "1. OPTRA에서 USB 케이블을 분리하세요.\n2. OPTRA이 업데이트를 완료하고 전원이 꺼질 때까지 기다려주세요.\n3. USB 케이블을 연결한 다음 전원을 켜세요.\n4. [OK] 버튼을 누르세요.",
    "1. Desconectar el cable USB del OPTRA.\n2. Espere hasta que el OPTRA complete la actualización y se apague.\n3. Conecte el cable USB al OPTRA y luego enciéndalo.\n4. Apretar el botón [OK].",
    "1. Verwijder de USB-kabel uit de OPTRA.\n2. Wacht totdat de OPTRA de update voltooit en wordt uitgeschakeld.\n3. Steek de USB-kabel in de OPTRA en zet deze aan.\n4. Druk op de knop [OK].",
    "1. Отсоедините USB-кабель от устройства OPTRA.\n2. Дождитесь, пока устройство OPTRA не закончит процедуру обновления и выключится.\n3. Соедините USB-кабель с устройством OPTRA и затем включите его.\n4. Нажмите кнопку [OK].",
    "1.将 USB 电缆从 OPTRA 上断开连接。\n2.等待 OPTRA 完成更新并关闭电源。\n3.将 USB 电缆连接至 OPTRA，然后打开电源。\n4.按下 [确定] 按钮。",
    "1. Irrota USB-kaapeli OPTRA -kamerasta.\n2. Odota kunnes OPTRA lopettaa päivityksen ja sammuu.\n3. Yhdistä USB-kaapeli OPTRA-kameraan ja kytke se sitten päälle.\n4. Paina [OK] -painiketta.",
    "1. Odpojte kabel USB od kamery OPTRA.\n2. Počkejte na dokončení aktualizace kamery OPTRA a vypněte napájení.\n3. Připojte USB kabel ke kameře OPTRA, a poté ji zapněte.\n4. Stiskněte tlačítko [OK].",
    "1. Odłącz kabel USB od urządzenia OPTRA.\n2. Czekaj aż OPTRA ukończy aktualizację i wyłącz.\n3. Podłącz kabel USB do urządzenia OPTRA i włącz je ponownie.\n4. Naciśnij przycisk [OK].",
};

}  // namespace

const std::string& hold_button_text(int language) { return pick(k_first_button, language); }
const std::string& replug_holding_button_text(int language) { return pick(k_failure_first_button, language); }
const std::string& hold_two_buttons_text(int language) { return pick(k_second_button, language); }
const std::string& replug_text(int language) { return pick(k_plain_unplug, language); }
const std::string& switch_off_and_on_text(int language) { return pick(k_switch_off_and_on, language); }
const std::string& camera_copy_steps_text(int language) { return pick(k_camera_steps, language); }

std::string backup_file_failed_text(int language) {
  const std::string sentence =
      std::string("Creating a backup file for %@ has failed. For %@, download the previous %@ file from ") +
      platform::k_help_host +
      ", and update the file manually using the Device Manager's %@. To continue, click the [%@] button below.";
  const std::string restore_page = CommonTexts::vyla_string_mode_in(6, language);
  return platform::format(sentence, restore_page, restore_page, CommonTexts::vyla_string_firmware_in(language),
                          CommonTexts::vyla_string_mode_in(5, language), CommonTexts::vyla_string_ok_in(language));
}

}  // namespace strings
