// Every cell of the restore table for every product of the catalogue, held
// against restore_table_cells.golden beside this file: the row count and each
// row's name and value, by backup version and FM radio, for six backups
// whose settings words and fields hold different values. The English texts
// are written out; the other twelve languages are held as one digest per
// product. A failing run writes what it saw to restore_table_cells.actual in
// the test's temporary folder.
#include "update/restore_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "device_data/product_facts.h"
#include "platform/log.h"

namespace {

using update::restore_table_cell;
using update::restore_table_row_count;

constexpr int k_languages = 13;
// more rows than any product defines: a defined row beyond the count shows too
constexpr int k_rows_asked = 40;

struct Version {
  int major = 0;
  int minor = 0;
};

// 0.0, every minor of 1.x to 3.x, 4.0 and 9.9: each band start of the table and the versions around it.
std::vector<Version> probe_versions() {
  std::vector<Version> versions = {{0, 0}};
  for (int major = 1; major <= 3; ++major) {
    for (int minor = 0; minor <= 9; ++minor) versions.push_back({major, minor});
  }
  versions.push_back({4, 0});
  versions.push_back({9, 9});
  return versions;
}

// A backup whose words and fields follow `seed`: each word and field differs
// between the seeds, so a row that reads the wrong one shows another value.
FEXOBluetoothDeviceData backup_filled(std::uint32_t seed, Version version) {
  std::uint32_t state = seed * 0x01000193u;
  // the 32-bit finalizer of MurmurHash3 over a counter: neighbouring seeds give unrelated values
  const auto next = [&state](std::uint32_t bound) {
    state += 0x9e3779b9u;
    std::uint32_t mixed = state;
    mixed = (mixed ^ (mixed >> 16)) * 0x85ebca6bu;
    mixed = (mixed ^ (mixed >> 13)) * 0xc2b2ae35u;
    return static_cast<int32_t>((mixed ^ (mixed >> 16)) % bound);
  };
  FEXOBluetoothDeviceData record;
  record.setDeviceVersionMajor_Minor(version.major, version.minor);
  for (int index = 0; index < FEXOBluetoothDeviceData::k_basic_setting_lm6_count; ++index) {
    record.setBasicSetting20At_with(index, next(0x10000));
  }
  for (int index = 0; index < FEXOBluetoothDeviceData::k_vox_sensitivity_count; ++index) {
    record.setBasicSettingKR5VOXSensitivity_with(index, next(12));
  }
  for (int index = 0; index < FEXOBluetoothDeviceData::k_smart_volume_control_count; ++index) {
    record.setBasicSettingTJ4SmartVolumeControl_with(index, next(4));
  }
  for (int index = 0; index < FEXOBluetoothDeviceData::k_camera_word_count; ++index) {
    record.setBasicSettingVT4Camera_with(index, next(0x10000));
  }
  using Setter = void (FEXOBluetoothDeviceData::*)(int32_t);
  const Setter fields[] = {
      &FEXOBluetoothDeviceData::setIntercomVOX,       &FEXOBluetoothDeviceData::setHandsfreeVOX,
      &FEXOBluetoothDeviceData::setVoicePrompt,       &FEXOBluetoothDeviceData::setBitpoolRate,
      &FEXOBluetoothDeviceData::setSidetone,          &FEXOBluetoothDeviceData::setAmbientHushControl,
      &FEXOBluetoothDeviceData::setAudioBoost,        &FEXOBluetoothDeviceData::setAutoStartRecording,
      &FEXOBluetoothDeviceData::setHdIntercom,        &FEXOBluetoothDeviceData::setFmStationGuide,
      &FEXOBluetoothDeviceData::setHdVoice,           &FEXOBluetoothDeviceData::setAudioSourcePriority,
      &FEXOBluetoothDeviceData::setAudioVeneer,       &FEXOBluetoothDeviceData::setAutoOnOff,
      &FEXOBluetoothDeviceData::setSmartNaviSystem,   &FEXOBluetoothDeviceData::setSmartNaviSystem2,
      &FEXOBluetoothDeviceData::setY370Language,      &FEXOBluetoothDeviceData::setVoiceAssistant,
      &FEXOBluetoothDeviceData::setDevicelanguagePackType,
  };
  for (const Setter field : fields) (record.*field)(next(3));
  return record;
}

constexpr std::uint32_t k_seeds[] = {1, 2, 3, 4, 5, 6};

// count, then each cell as name=value/.../value (one value per backup); "-"
// for a row without a cell. The rows a product defines are rows 0 to n-1, so
// the first row without a cell in any backup ends the table.
std::string table_text(int product, const std::vector<FEXOBluetoothDeviceData>& backups, int fm, int language) {
  std::ostringstream text;
  text << restore_table_row_count({product, &backups.front(), fm, language});
  for (int row = 0; row < k_rows_asked; ++row) {
    std::string name;
    std::string values;
    bool any = false;
    for (const FEXOBluetoothDeviceData& backup : backups) {
      const auto cell = restore_table_cell({product, &backup, fm, language}, row);
      if (cell) {
        any = true;
        name = cell->name;
      }
      values += (values.empty() ? "" : "/") + (cell ? cell->value : std::string("-"));
    }
    if (!any) break;
    text << " | " << row << " " << name << "=" << values;
  }
  return text.str();
}

std::uint64_t fnv1a(std::uint64_t hash, const std::string& text) {
  for (const unsigned char byte : text) {
    hash ^= byte;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

// One product: its English table at each version where it changes (and,
// where it differs, the table while the FM radio is hidden), then the digest
// of all its tables in the other languages.
std::string product_text(int product) {
  constexpr int k_fm_shown = 3;
  constexpr int k_fm_hidden = 4;
  std::ostringstream out;
  std::string last_shown;
  std::string last_hidden;
  std::uint64_t digest = 0xcbf29ce484222325ull;
  for (const Version version : probe_versions()) {
    std::vector<FEXOBluetoothDeviceData> backups;
    for (const std::uint32_t seed : k_seeds) backups.push_back(backup_filled(seed, version));
    const std::string shown = table_text(product, backups, k_fm_shown, 0);
    const std::string hidden = table_text(product, backups, k_fm_hidden, 0);
    if (shown != last_shown || hidden != last_hidden) {
      out << std::hex << "0x" << product << std::dec << " " << version.major << "." << version.minor << ": " << shown
          << "\n";
      if (hidden != shown) {
        out << std::hex << "0x" << product << std::dec << " " << version.major << "." << version.minor
            << " FM hidden: " << hidden << "\n";
      }
      last_shown = shown;
      last_hidden = hidden;
    }
    for (const int fm : {k_fm_shown, k_fm_hidden}) {
      for (int language = 1; language < k_languages; ++language) {
        digest = fnv1a(digest, table_text(product, backups, fm, language));
      }
    }
  }
  out << std::hex << "0x" << product << " languages " << digest << std::dec << "\n";
  return out.str();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(RestoreTableCells, EveryProductShowsTheRecordedTable) {
  // the getters log every word they read
  platform::silence_logs();
  std::string actual;
  for (const device_data::ProductFacts& row : device_data::product_rows()) actual += product_text(row.id);
  actual += product_text(0x0001);
  platform::restore_logs();

  const std::filesystem::path golden = VX_RESTORE_TABLE_GOLDEN;
  std::ifstream in(golden);
  ASSERT_TRUE(in) << "cannot read " << golden;
  std::stringstream expected;
  expected << in.rdbuf();
  if (actual == expected.str()) return;

  const std::filesystem::path seen = std::filesystem::path(testing::TempDir()) / "restore_table_cells.actual";
  std::ofstream(seen) << actual;
  const std::vector<std::string> want = lines_of(expected.str());
  const std::vector<std::string> got = lines_of(actual);
  for (std::size_t index = 0; index < std::max(want.size(), got.size()); ++index) {
    const std::string wanted = index < want.size() ? want[index] : "<none>";
    const std::string shown = index < got.size() ? got[index] : "<none>";
    if (wanted != shown) {
      ADD_FAILURE() << "line " << index + 1 << "\n want: " << wanted << "\n  got: " << shown << "\n(all of it in "
                    << seen << ")";
      return;
    }
  }
}

}  // namespace
