#include "session/message_box.h"

#include "platform/deployment.h"
#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/message_box_texts.h"
#include "strings/product_catalogue.h"

namespace session {
namespace {

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

std::optional<std::string> one_button_text(const std::string& format, Button button, int language) {
  if (button == Button::none) return std::nullopt;
  return platform::format(format, button_word(button, language));
}

}  // namespace

bool escape_keeps_the_edits(MessageBoxPurpose purpose) {
  switch (purpose) {
    case MessageBoxPurpose::save_settings:
    case MessageBoxPurpose::save_settings_second:
    case MessageBoxPurpose::save_speed_dial:
    case MessageBoxPurpose::close_all_settings:
      return true;
    default:
      return false;
  }
}

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
  if (unplugs_without_button(product)) return strings::replug_text(language);
  const std::optional<ProductButtons> buttons = product_buttons(product);
  if (!buttons) return std::nullopt;
  return one_button_text(strings::hold_button_text(language), buttons->first, language);
}

std::optional<std::string> message_box_failure_first_button(int product, int language) {
  if (unplugs_without_button(product)) return strings::replug_text(language);
  const std::optional<ProductButtons> buttons = product_buttons(product);
  if (!buttons) return std::nullopt;
  return one_button_text(strings::replug_holding_button_text(language), buttons->failure_first, language);
}

std::optional<std::string> message_box_second_button(int product, int language) {
  ProductButtons buttons;
  switch (product) {
    case 0x3010:
    case 0x5310:
      // a product without a catalogue name is switched off as "" rather than "(null)"
      return platform::format(strings::switch_off_and_on_text(language),
                              ProductCatalogue::vyla_product_name(product).value_or(std::string()));
    case 0x3020:
      return strings::camera_copy_steps_text(language);
    case 0x4120:
      buttons = {Button::none, Button::none, Button::center, Button::plus};
      break;
    default:
      if (const std::optional<ProductButtons> found = product_buttons(product)) buttons = *found;
      break;
  }
  if (buttons.second_a == Button::none) return std::nullopt;
  return platform::format(strings::hold_two_buttons_text(language), button_word(buttons.second_a, language),
                          button_word(buttons.second_b, language));
}

std::string recognition_failure_help_url() {
  // the server base already ends in "/fexobluetoothmanager/"
  return platform::update_server_base(false) +
         "FexoBluetoothDeviceManagerHelp/Contents/Resources/English/device_recognition_failure.html";
}

std::string support_mail_url() { return std::string("mailto:") + platform::k_support_email; }

}  // namespace session
