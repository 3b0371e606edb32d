#include "session/message_box.h"

#include "device_data/product_facts.h"
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
  using device_data::UpdateButtons;
  switch (device_data::product_facts(product).update_buttons) {
    case UpdateButtons::minus_minus_then_plus_minus:
      return ProductButtons{Button::minus, Button::minus, Button::plus, Button::minus};
    case UpdateButtons::center_center_then_center_plus:
      return ProductButtons{Button::center, Button::center, Button::center, Button::plus};
    case UpdateButtons::minus_center_then_center_plus:
      return ProductButtons{Button::minus, Button::center, Button::center, Button::plus};
    case UpdateButtons::phone_phone_then_jog_dial_phone:
      return ProductButtons{Button::phone, Button::phone, Button::jog_dial, Button::phone};
    case UpdateButtons::phone_none_then_jog_dial_phone:
      return ProductButtons{Button::phone, Button::none, Button::jog_dial, Button::phone};
    case UpdateButtons::left_left_then_left_right:
      return ProductButtons{Button::left, Button::left, Button::left, Button::right};
    case UpdateButtons::pairing_pairing_then_ptt_pairing:
      return ProductButtons{Button::pairing, Button::pairing, Button::ptt, Button::pairing};
    case UpdateButtons::minus_none_then_none:
      return ProductButtons{Button::minus, Button::none, Button::none, Button::none};
    case UpdateButtons::replug:
    case UpdateButtons::none:
      break;
  }
  return std::nullopt;
}

// Products that are re-plugged without holding a button.
bool unplugs_without_button(int product) {
  return device_data::product_facts(product).update_buttons == device_data::UpdateButtons::replug;
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
