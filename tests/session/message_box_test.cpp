#include "session/message_box.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "strings/app_texts.h"

namespace {

TEST(MessageBoxSize, SizeCodesAndTheTallerFirstBox) {
  struct Case {
    int code;
    int width;
    int height;
  };
  const Case cases[] = {{0, 420, 115}, {1, 420, 135}, {2, 520, 175}, {3, 520, 205}, {4, 520, 235},
                        {5, 530, 355}, {6, 520, 265}, {7, 840, 240}, {8, 720, 180}, {9, 0, 0},
                        {10, 530, 355}, {-1, 530, 355}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const auto size = static_cast<session::MessageBoxSize>(c.code);
    const session::MessageBoxPoints later = session::message_box_size(size, false);
    const session::MessageBoxPoints first = session::message_box_size(size, true);
    EXPECT_EQ(later.width, c.width);
    EXPECT_EQ(later.height, c.height);
    EXPECT_EQ(first.width, c.width);
    EXPECT_EQ(first.height, c.height + 20);
  }
}

TEST(MessageBoxTexts, ButtonInstructionsByProduct) {
  const int en = 0;
  const std::string minus = AppTexts::vyla_string_minus_button_in(en);
  const std::string plus = AppTexts::vyla_string_plus_button_in(en);
  const std::string center = AppTexts::vyla_string_center_button_in(en);
  const std::string phone = AppTexts::vyla_string_phone_button_in(en);
  const std::string jog = AppTexts::vyla_string_jog_dial_in(en);
  auto hold = [](const std::string& b) { return "Press and hold the " + b + " until this message disappears."; };
  auto replug = [](const std::string& b) {
    return "Unplug the USB cable from the USB port and plug it back by pressing and holding the " + b +
           " until this message disappears.";
  };
  auto both = [](const std::string& a, const std::string& b) {
    return "Press and hold the " + a + " and " + b + " until this message disappears.";
  };
  const std::string unplug = "Unplug the USB cable from the USB port and plug it back in.";
  const std::optional<std::string> none;

  struct Case {
    int product;
    std::optional<std::string> first, failure, second;
  };
  const Case cases[] = {
      {0x2010, hold(minus), replug(minus), both(plus, minus)},
      {0x4D10, hold(phone), replug(phone), both(jog, phone)},
      {0x5520, hold(minus), replug(center), both(center, plus)},
      {0x4D06, hold(phone), none, both(jog, phone)},
      {0x4040, hold(AppTexts::vyla_string_left_button_in(en)), replug(AppTexts::vyla_string_left_button_in(en)),
       both(AppTexts::vyla_string_left_button_in(en), AppTexts::vyla_string_right_button_in(en))},
      {0x5210, hold(AppTexts::vyla_string_pairing_button_in(en)), replug(AppTexts::vyla_string_pairing_button_in(en)),
       both(AppTexts::vyla_string_ptt_button_in(en), AppTexts::vyla_string_pairing_button_in(en))},
      {0x3300, hold(minus), none, none},
      {0x4120, unplug, unplug, both(center, plus)},
      {0x3010, unplug, unplug, "Switch off Audio Link Kit and switch it back on."},
      {0x5310, unplug, unplug, "Switch off " + *AppTexts::vyla_product_name(0x5310) + " and switch it back on."},
      {0x6020, none, none, none},
      {0x3082, none, none, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    EXPECT_EQ(session::message_box_first_button(c.product, en), c.first);
    EXPECT_EQ(session::message_box_failure_first_button(c.product, en), c.failure);
    EXPECT_EQ(session::message_box_second_button(c.product, en), c.second);
  }
}

TEST(MessageBoxTexts, InstructionsFollowTheInterfaceLanguage) {
  EXPECT_EQ(session::message_box_first_button(0x2010, 1),
            "Maintenez " + AppTexts::vyla_string_minus_button_in(1) + " enfoncé jusqu'à ce que ce message disparaisse.");
  EXPECT_EQ(session::message_box_second_button(0x3010, 6), "Apague y encienda el Audio Link Kit.");
  EXPECT_EQ(session::message_box_first_button(0x3020, 12), "Odłącz kabel USB od portu Mac i włącz ponownie.");
  EXPECT_EQ(session::message_box_second_button(0x3020, 3),
            "1. Scollegare il cavo USB da OPTRA.\n2. Attendere finché OPTRA non completa l'aggiornamento e si "
            "spegne.\n3. Collegare il cavo USB a OPTRA e quindi accenderla.\n4. Premere il tasto [OK].");
  // an index outside the languages reads English
  EXPECT_EQ(session::message_box_first_button(0x2010, 77), session::message_box_first_button(0x2010, 0));
}

TEST(MessageBoxTexts, HelpAndSupportAddresses) {
  unsetenv("VEXLINK_SERVER_BASE");
  EXPECT_EQ(session::recognition_failure_help_url(),
            "https://update.vexlink.example/fexobluetoothmanager/FexoBluetoothDeviceManagerHelp/Contents/Resources/"
            "English/device_recognition_failure.html");
  setenv("VEXLINK_SERVER_BASE", "https://127.0.0.1:8443/fexobluetoothmanager/", 1);
  EXPECT_EQ(session::recognition_failure_help_url(),
            "https://127.0.0.1:8443/fexobluetoothmanager/FexoBluetoothDeviceManagerHelp/Contents/Resources/English/"
            "device_recognition_failure.html");
  unsetenv("VEXLINK_SERVER_BASE");
  EXPECT_EQ(session::support_mail_url(), "mailto:support@vexlink.example");
}

}  // namespace
