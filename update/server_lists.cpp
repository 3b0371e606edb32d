#include "update/server_lists.h"

#include <algorithm>
#include <cctype>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/int_value.h"
#include "platform/pieces.h"
#include "platform/utf8.h"

namespace update {

namespace {

// The product that writes its version with four numbers.
constexpr int k_camera_split_product = 0x3020;

enum class LineKind { other, secondary, main_entry, language_entry };

struct Line {
  LineKind kind = LineKind::other;
  bool ours = false;
  std::string_view field[4];
};

Line read_line(std::string_view text, const ListScanInput& input) {
  const platform::FirstPieces<4> fields = platform::first_pieces<4>(text, ":");
  Line line;
  switch (fields.count) {
    case 2: line.kind = LineKind::secondary; break;
    case 3: line.kind = LineKind::main_entry; break;
    case 4: line.kind = LineKind::language_entry; break;
    default: line.kind = LineKind::other; break;
  }
  for (std::size_t i = 0; i < 4; ++i) line.field[i] = fields.piece[i];
  line.ours = input.internal_name && line.field[0] == *input.internal_name;
  return line;
}

bool same_ignoring_case(std::string_view a, const std::optional<std::string>& b) {
  return b && a.size() == b->size() && std::equal(a.begin(), a.end(), b->begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool read_major_minor(std::string_view text, LatestVersion& latest) {
  return FEXOBluetoothDeviceData::getVersionFromString_ToMajor_Minor(std::string(text), latest.major, latest.minor);
}

// The version field without its leading "v", into the latest version: four
// numbers for the camera product, else major.minor. False when the field is
// empty or not of its form; the fields then stay as they were.
bool parse_version(std::string_view field, int product, LatestVersion& latest) {
  if (field.empty()) return false;
  const std::string_view version = field.substr(1);
  if (product == k_camera_split_product) return getOptraLatestVersionFromString(version, latest);
  return read_major_minor(version, latest);
}

}  // namespace

void getLatestVersionFromString(std::string_view text, LatestVersion& latest) { read_major_minor(text, latest); }

bool getOptraLatestVersionFromString(std::string_view text, LatestVersion& latest) {
  return FEXOBluetoothDeviceData::getVersionFromString_ToSecondaryType_Secondary_Major_Minor(
      std::string(text), latest.secondary_type, latest.secondary, latest.major, latest.minor);
}

void ListReading::add_language_item(std::string_view language, std::string_view file) {
  popUpChanges.push_back({PopUpChange::Kind::add_item, std::string(language), -1});
  arrFileNamesLatestVersion.emplace_back(file);
  arrLanguageFirmware.emplace_back(language);
}

void ListReading::select_language_item(int index) {
  popUpChanges.push_back({PopUpChange::Kind::select_item, "", index});
  selectedLanguageItem = index;
}

namespace {

// A language entry of the product's block: its item, selected (with its file)
// when it is the voice-prompt language chosen before.
void add_language_entry(const Line& line, const ListScanInput& input, ListReading& reading) {
  reading.add_language_item(line.field[2], line.field[3]);
  if (same_ignoring_case(line.field[2], input.strLanguageFirmware)) {
    reading.select_language_item(static_cast<int>(reading.arrLanguageFirmware.size()) - 1);
    reading.fileNameLatestVersion = std::string(line.field[3]);
  }
}

}  // namespace

void scan_update_list(std::string_view text, const ListScanInput& input, ListReading& reading) {
  if (!platform::is_ascii(text)) return;
  bool main_entry_taken = false;
  bool language_block_taken = false;
  platform::Pieces lines = platform::list_lines(text);
  for (std::string_view text_line; lines.next(text_line);) {
    const Line line = read_line(text_line, input);
    switch (line.kind) {
      case LineKind::main_entry:
        if (main_entry_taken || language_block_taken) return;
        if (!line.ours) break;
        parse_version(line.field[1], input.product, reading.latest);
        reading.fileNameLatestVersion = std::string(line.field[2]);
        main_entry_taken = true;
        break;
      case LineKind::language_entry:
        if (main_entry_taken) return;
        if (!line.ours) {
          if (language_block_taken) return;
          break;
        }
        if (!language_block_taken) {
          // the block's version is that of its first line
          parse_version(line.field[1], input.product, reading.latest);
          reading.add_language_item(line.field[2], line.field[3]);
          reading.select_language_item(0);
          reading.fileNameLatestVersion = std::string(line.field[3]);
          language_block_taken = true;
        } else {
          add_language_entry(line, input, reading);
        }
        break;
      case LineKind::secondary:
        if (!main_entry_taken && !language_block_taken) break;
        if (line.ours) reading.latest.secondary = platform::int_value(line.field[1]);
        return;
      case LineKind::other:
        if (main_entry_taken || language_block_taken) return;
        break;
    }
  }
}

void scan_restore_list(std::string_view text, const ListScanInput& input, const FEXOBluetoothDeviceData& backup,
                       ListReading& reading) {
  reading.restorePossible = false;
  if (!platform::is_ascii(text)) return;
  // A version field that cannot be read is no version of the backup's: the
  // fields would still hold an earlier line's version.
  const auto backup_version_of = [&](std::string_view field, bool all_four) {
    if (!parse_version(field, input.product, reading.latest)) return false;
    const LatestVersion& latest = reading.latest;
    if (all_four) {
      return backup.compareVersionWithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
                 latest.major, latest.minor, latest.secondary_type, latest.secondary) == 0;
    }
    return backup.compareVersionUpToMinorWithMajor_Minor(latest.major, latest.minor) == 0;
  };
  bool version_block_taken = false;
  platform::Pieces lines = platform::list_lines(text);
  for (std::string_view text_line; lines.next(text_line);) {
    const Line line = read_line(text_line, input);
    switch (line.kind) {
      case LineKind::main_entry:
        if (version_block_taken) {
          reading.restorePossible = true;
          return;
        }
        if (!line.ours) break;
        reading.fileNameLatestVersion = std::string(line.field[2]);
        // secondary numbers are not compared, for the camera product as well
        if (backup_version_of(line.field[1], false)) {
          reading.restorePossible = true;
          return;
        }
        break;
      case LineKind::language_entry:
        if (!line.ours) {
          if (version_block_taken) {
            reading.restorePossible = true;
            return;
          }
          break;
        }
        if (!backup_version_of(line.field[1], input.product == k_camera_split_product)) {
          if (version_block_taken) {
            reading.restorePossible = true;
            return;
          }
          break;
        }
        if (!version_block_taken) {
          reading.fileNameLatestVersion = std::string(line.field[3]);
          version_block_taken = true;
        }
        add_language_entry(line, input, reading);
        break;
      case LineKind::secondary:
      case LineKind::other:
        if (version_block_taken) {
          reading.restorePossible = true;
          return;
        }
        break;
    }
  }
  // the list ended inside the backup's block
  if (version_block_taken) reading.restorePossible = true;
}

void select_interface_language(const std::optional<std::string>& strLanguageManager, bool applyToLanguageFirmware,
                               ListReading& reading) {
  if (!applyToLanguageFirmware || reading.arrLanguageFirmware.empty()) return;
  for (std::size_t i = 0; i < reading.arrLanguageFirmware.size(); ++i) {
    if (same_ignoring_case(reading.arrLanguageFirmware[i], strLanguageManager)) {
      reading.select_language_item(static_cast<int>(i));
      return;
    }
  }
}

}  // namespace update
