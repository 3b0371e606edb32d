#pragma once
// The firmware server's two lists, read as the update and restore pages read
// them: "Firmware" names the latest firmware of each product, "Revisions"
// every firmware that is still published. Plain ASCII text, one entry a line
// (CR LF, or LF when the text holds no CR LF), fields separated by ":":
//
//   NAME:vM.m:FILE            main entry (3 fields)
//   NAME:vM.m:LANGUAGE:FILE   one voice-prompt language of an entry (4 fields)
//   NAME:S                    secondary version number of the entry above (2 fields)
//
// NAME is the product's internal name; the camera product 0x3020 writes its
// version as "vT.S.M.m" (secondary type, secondary number, major, minor).
// The scans are pure: the text and the page's inputs in, the reading out, with
// the changes to the language pop-up listed in the order the scan makes them.
// Qt-free; the list reader runs them on its thread.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FEXOBluetoothDeviceData;

namespace update {

// The largest list read, in bytes: the real ones hold a few hundred lines; a
// longer answer is a failed request.
inline constexpr std::size_t k_max_server_list_bytes = 4 * 1024 * 1024;

// The latest-version fields of the page.
struct LatestVersion {
  int32_t major = 0;
  int32_t minor = 0;
  int32_t secondary_type = 0;
  int32_t secondary = 0;
  // 0.0 with secondary type and number 0: no list entry was read.
  bool none() const { return major == 0 && minor == 0 && secondary_type == 0 && secondary == 0; }
  bool operator==(const LatestVersion&) const = default;
};

// "major.minor" into major and minor; a text that is not exactly two
// dot-separated parts leaves both unchanged.
void getLatestVersionFromString(std::string_view text, LatestVersion& latest);
// "type.secondary.major.minor" into all four fields; false and nothing stored
// unless the text has exactly four dot-separated parts.
bool getOptraLatestVersionFromString(std::string_view text, LatestVersion& latest);

// One change to the voice-prompt language pop-up.
struct PopUpChange {
  enum class Kind { remove_all, add_item, select_item };
  Kind kind = Kind::remove_all;
  std::string language;  // add_item: the English language name
  int index = -1;        // select_item
  bool operator==(const PopUpChange&) const = default;
};

// What reading a list gives the page.
struct ListReading {
  LatestVersion latest;
  std::optional<std::string> fileNameLatestVersion;
  // Parallel to the pop-up's items: English language name and server file name.
  std::vector<std::string> arrLanguageFirmware;
  std::vector<std::string> arrFileNamesLatestVersion;
  // The pop-up changes in scan order; the first empties the pop-up.
  std::vector<PopUpChange> popUpChanges{PopUpChange{}};
  // The item the changes leave selected (-1: none).
  int selectedLanguageItem = -1;
  // Restore list: the server holds firmware of the backup's version.
  bool restorePossible = false;

  void add_language_item(std::string_view language, std::string_view file);
  void select_language_item(int index);
};

// What the scans take from the page and the controller.
struct ListScanInput {
  // The selected product (deviceTarget) and its internal name (none: no entry is its own).
  int product = 0;
  std::optional<std::string> internal_name;
  // The voice-prompt language chosen before (strLanguageFirmware).
  std::optional<std::string> strLanguageFirmware;
};

// The update page's scan of "Firmware": the first block of the selected
// product wins, one main entry or one run of language entries, optionally
// followed directly by its secondary line. `reading.latest` starts as the page
// set it. A text that is not ASCII is read as a list without entries.
void scan_update_list(std::string_view text, const ListScanInput& input, ListReading& reading);

// The restore page's scan of "Revisions" against the backed-up record: a main
// entry of the backup's major.minor, or the run of language entries of its
// version (all four numbers for 0x3020), makes the restore possible with that
// entry's file.
void scan_restore_list(std::string_view text, const ListScanInput& input, const FEXOBluetoothDeviceData& backup,
                       ListReading& reading);

// The last step on both pages: with applyToLanguageFirmware, the first item
// whose language is the interface language (strLanguageManager) becomes the
// selected one. The file name stays.
void select_interface_language(const std::optional<std::string>& strLanguageManager, bool applyToLanguageFirmware,
                               ListReading& reading);

}  // namespace update
