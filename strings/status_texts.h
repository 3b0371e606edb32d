#pragma once
// Status-line texts of each page: ready, processing, success and failure, in
// the 13 interface languages. Stateless: the update engine and the recognition
// worker call them on their own threads.
#include <optional>
#include <string>

namespace strings {

// A USB status at or above this value means the device is in firmware-
// management mode (bit 15 set on its product id).
inline constexpr int k_usb_firmware_management = 0x8000;

}  // namespace strings

class StatusTexts {
 public:
  // Ready text of page `mode` (2..9); `usb` matters on the firmware update and
  // restore pages, where firmware-management mode adds that no backup can be
  // made. No text for any other mode.
  static std::optional<std::string> vyla_status_default_usb_in(int mode, int usb, int language);
  // Text shown while page `mode` (2..9) works; no text for any other mode.
  static std::optional<std::string> vyla_status_processing_usb_in(int mode, int usb, int language);
  // Success text of the manager update (2), firmware update (5) and restore
  // (6) and settings pages (7..9); for the recognition page (4) the format
  // "%@. %@" that it fills itself. No text for any other mode.
  static std::optional<std::string> vyla_status_success_usb_in(int mode, int usb, int language);
  // Failure text of the manager update (2) and settings pages (7..9); no text
  // for any other mode.
  static std::optional<std::string> vyla_status_failure_usb_in(int mode, int usb, int language);
};
