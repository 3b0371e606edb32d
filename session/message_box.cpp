#include "session/message_box.h"

#include "platform/deployment.h"
#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/language.h"
#include "strings/product_catalogue.h"

namespace session {
namespace {

const strings::LocalizedTexts k_first_button = {
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
const strings::LocalizedTexts k_failure_first_button = {
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
const strings::LocalizedTexts k_second_button = {
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
const strings::LocalizedTexts k_plain_unplug = {
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
const strings::LocalizedTexts k_switch_off_and_on = {
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
const strings::LocalizedTexts k_camera_steps = {
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

enum class Button { none, minus, plus, center, phone, jog_dial, left, right, pairing, ptt };

std::string button_word(Button button, int language) {
  switch (button) {
    case Button::minus: return CommonTexts::vyla_string_minus_button_in(language);
    case Button::plus: return CommonTexts::vyla_string_plus_button_in(language);
    case Button::center: return CommonTexts::vyla_string_center_button_in(language);
    case Button::phone: return CommonTexts::vyla_string_phone_button_in(language);
    case Button::jog_dial: return CommonTexts::vyla_string_jog_dial_in(language);
    case Button::left: return CommonTexts::vyla_string_left_button_in(language);
    case Button::right: return CommonTexts::vyla_string_right_button_in(language);
    case Button::pairing: return CommonTexts::vyla_string_pairing_button_in(language);
    case Button::ptt: return CommonTexts::vyla_string_ptt_button_in(language);
    case Button::none: break;
  }
  return std::string();
}

// The buttons a product's user holds to enter firmware-management mode: the
// one of the first instruction, the one while re-plugging, and the pair.
struct ProductButtons {
  Button first = Button::none;
  Button failure_first = Button::none;
  Button second_a = Button::none;
  Button second_b = Button::none;
};

std::optional<ProductButtons> product_buttons(int product) {
  switch (product) {
    case 0x2010: case 0x2011: case 0x2110: case 0x2120: case 0x2210: case 0x2310: case 0x3030: case 0x3032:
    case 0x3040: case 0x4010: case 0x4020: case 0x4021: case 0x4030: case 0x5522: case 0x5524: case 0x5526:
    case 0x5536: case 0x5560: case 0x5562: case 0x5610: case 0x5611: case 0x5612: case 0x5620: case 0x5621:
    case 0x5622: case 0x5623: case 0x5624: case 0x5720: case 0x5910: case 0x5920: case 0x6210:
      return ProductButtons{Button::minus, Button::minus, Button::plus, Button::minus};
    case 0x2020: case 0x4110: case 0x4111: case 0x4112: case 0x4113: case 0x4D20: case 0x4D21: case 0x4D50:
    case 0x6000: case 0x6110: case 0x6111: case 0x6120: case 0x6121:
      return ProductButtons{Button::center, Button::center, Button::center, Button::plus};
    case 0x5520: case 0x6112: case 0x6114:
      return ProductButtons{Button::minus, Button::center, Button::center, Button::plus};
    case 0x4D05: case 0x4D10: case 0x4D15: case 0x4D30: case 0x4D35: case 0x4D40: case 0x4D45: case 0x4D55:
    case 0x4D65: case 0x4D75: case 0x4D85: case 0x5010: case 0x5011: case 0x5020: case 0x5030: case 0x5040:
    case 0x5050: case 0x5060: case 0x5061: case 0x5070: case 0x5080: case 0x5510: case 0x5530: case 0x5532:
    case 0x5550: case 0x5570: case 0x5580: case 0x5710:
      return ProductButtons{Button::phone, Button::phone, Button::jog_dial, Button::phone};
    case 0x4D06: case 0x4D16: case 0x4D76: case 0x4D86:
      return ProductButtons{Button::phone, Button::none, Button::jog_dial, Button::phone};
    case 0x4040:
      return ProductButtons{Button::left, Button::left, Button::left, Button::right};
    case 0x5210:
      return ProductButtons{Button::pairing, Button::pairing, Button::ptt, Button::pairing};
    case 0x3300:
      return ProductButtons{Button::minus, Button::none, Button::none, Button::none};
    default:
      return std::nullopt;
  }
}

// Products that are re-plugged without holding a button.
bool unplugs_without_button(int product) {
  return product == 0x3010 || product == 0x3020 || product == 0x4120 || product == 0x5310;
}

std::optional<std::string> one_button_text(const strings::LocalizedTexts& texts, Button button, int language) {
  if (button == Button::none) return std::nullopt;
  return platform::format(strings::pick(texts, language), button_word(button, language));
}

}  // namespace

MessageBoxPoints message_box_size(MessageBoxSize size_code, bool first_box) {
  MessageBoxPoints size;
  switch (size_code) {
    case MessageBoxSize::w420_h115: size = {420, 115}; break;
    case MessageBoxSize::w420_h135: size = {420, 135}; break;
    case MessageBoxSize::w520_h175: size = {520, 175}; break;
    case MessageBoxSize::w520_h205: size = {520, 205}; break;
    case MessageBoxSize::w520_h235: size = {520, 235}; break;
    case MessageBoxSize::w520_h265: size = {520, 265}; break;
    case MessageBoxSize::w840_h240: size = {840, 240}; break;
    case MessageBoxSize::w720_h180: size = {720, 180}; break;
    case MessageBoxSize::none: size = {0, 0}; break;
    default: size = {530, 355}; break;
  }
  if (first_box) size.height += 20;
  return size;
}

std::optional<std::string> message_box_first_button(int product, int language) {
  if (unplugs_without_button(product)) return strings::pick(k_plain_unplug, language);
  const std::optional<ProductButtons> buttons = product_buttons(product);
  if (!buttons) return std::nullopt;
  return one_button_text(k_first_button, buttons->first, language);
}

std::optional<std::string> message_box_failure_first_button(int product, int language) {
  if (unplugs_without_button(product)) return strings::pick(k_plain_unplug, language);
  const std::optional<ProductButtons> buttons = product_buttons(product);
  if (!buttons) return std::nullopt;
  return one_button_text(k_failure_first_button, buttons->failure_first, language);
}

std::optional<std::string> message_box_second_button(int product, int language) {
  ProductButtons buttons;
  switch (product) {
    case 0x3010:
    case 0x5310:
      // a product without a catalogue name is switched off as "" rather than "(null)"
      return platform::format(strings::pick(k_switch_off_and_on, language),
                              ProductCatalogue::vyla_product_name(product).value_or(std::string()));
    case 0x3020:
      return strings::pick(k_camera_steps, language);
    case 0x4120:
      buttons = {Button::none, Button::none, Button::center, Button::plus};
      break;
    default:
      if (const std::optional<ProductButtons> found = product_buttons(product)) buttons = *found;
      break;
  }
  if (buttons.second_a == Button::none) return std::nullopt;
  return platform::format(strings::pick(k_second_button, language), button_word(buttons.second_a, language),
                          button_word(buttons.second_b, language));
}

std::string message_box_file_creation_failed(int language) {
  const std::string sentence = std::string("Creating a backup file for %@ has failed. For %@, download the previous %@ file from ") +
                               platform::k_help_host +
                               ", and update the file manually using the Device Manager's %@. To continue, click the [%@] button below.";
  const std::string restore_page = CommonTexts::vyla_string_mode_in(6, language);
  return platform::format(sentence, restore_page, restore_page, CommonTexts::vyla_string_firmware_in(language),
                          CommonTexts::vyla_string_mode_in(5, language), CommonTexts::vyla_string_ok_in(language));
}

std::string recognition_failure_help_url() {
  // the server base already ends in "/fexobluetoothmanager/"
  return platform::update_server_base(false) +
         "FexoBluetoothDeviceManagerHelp/Contents/Resources/English/device_recognition_failure.html";
}

std::string support_mail_url() { return std::string("mailto:") + platform::k_support_email; }

}  // namespace session
