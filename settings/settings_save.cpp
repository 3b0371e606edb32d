#include "settings/settings_save.h"

#include "settings/bluecore_settings_save.h"
#include "settings/hid_settings_save.h"
#include "strings/common_texts.h"
#include "strings/settings_texts.h"
#include "transport/hid_channel.h"

namespace settings {

namespace {

// The persistent-store key whose setting a refusal code names.
int refused_key(int code) {
  switch (code) {
    case k_settings_save_intercom_vox_refused: return 664;
    case k_settings_save_phone_vox_refused: return 665;
    case k_settings_save_edr_refused: return 239;
    case k_settings_save_rtg_refused: return 684;
    case k_settings_save_act_refused: return 682;
    default: return 654;  // the device setting as a whole
  }
}

}  // namespace

std::string settings_save_reason(int code, int language) {
  switch (code) {
    case k_settings_save_cannot_open_usb: return CommonTexts::vyla_string_cannot_open_usb_in(language);
    case k_settings_save_firmware_management: return CommonTexts::vyla_string_firmware_management_mode_in(language);
    case k_settings_save_not_recognized_device: return CommonTexts::vyla_string_not_recognized_device_in(language);
    default: return SettingsTexts::vyla_string_cannot_save_in(refused_key(code), language);
  }
}

SaveRules settings_page_save_rules() {
  return {&threadMethodSave,
          &settings_save_reason,
          {k_settings_save_cannot_open_usb, k_settings_save_firmware_management, k_settings_save_not_recognized_device}};
}

int threadMethodSave(const SaveCopies& copies) {
  if (hid_save_group(copies.deviceTarget)) return save_settings_over_hid(copies);
  hid_close_all();
  return save_settings_over_bluecore(copies);
}

}  // namespace settings
