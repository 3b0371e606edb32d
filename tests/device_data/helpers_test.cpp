#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/camera_volume.h"

namespace {

using Record = FEXOBluetoothDeviceData;
namespace fs = std::filesystem;

TEST(RecordHelpers, TransmitGainIndexAndText) {
  struct Case { int32_t gain; int language; int index; const char* text; };
  const Case cases[] = {
      {12, 0, 0, "Low"},          {13, 0, 1, "Medium"},      {16, 0, 1, "Medium"},  {17, 0, 2, "High"},
      {11, 0, 1, "Medium"},       {18, 0, 1, "Medium"},      {-12, 0, 1, "Medium"}, {17, 1, 2, "\xC3\x89lev\xC3\xA9"},
      {13, 8, 1, "Средний"},      {17, 8, 2, "высокий"},     {12, 12, 0, "Niskie"}, {12, 13, 0, "Low"},
      {17, -1, 2, "High"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.gain) + " in " + std::to_string(c.language));
    EXPECT_EQ(Record::getIndexFromRTG(c.gain), c.index);
    EXPECT_EQ(Record::getRTGStringFromRTG_In(c.gain, c.language), c.text);
  }
}

TEST(RecordHelpers, FMPresetCheck) {
  struct Case { int32_t region; int32_t frequency; int result; };
  const Case cases[] = {
      {1, 8760, 2},  {1, 8770, 0},  {1, 10800, 1}, {1, 8750, 0},  {1, 10790, 0}, {1, 8740, 1},
      {0, 7600, 0},  {0, 7599, 1},  {0, 10800, 0}, {0, 9875, 2},  {2, 10800, 0}, {3, 8760, 2},
      {5, 9500, 0},  {5, 9510, 1},  {4, 8755, 2},
      // a region from a damaged archive is taken as region 0
      {6, 7600, 0},  {-1, 10800, 0}, {INT32_MIN, 7590, 1}, {99, 7605, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.region) + "/" + std::to_string(c.frequency));
    EXPECT_EQ(Record::checkFMPresetValidWithRegion_FMRadioPreset(c.region, c.frequency), c.result);
  }
}

TEST(RecordHelpers, TabTexts) {
  struct Case { int kind; bool shortcut; int language; std::optional<std::string> text; const char* key; };
  const Case cases[] = {
      {2, true, 0, "[S][C]-S", "S"},
      {1, true, 5, "[S][C]-B", "B"},
      {3, true, 12, "[S][C]-F", "F"},
      {1, false, 0, "Basic", "B"},
      {2, false, 4, "Speed\xE3\x83\x80\xE3\x82\xA4\xE3\x83\xA4\xE3\x83\xAB", "S"},
      {3, false, 2, "UKW-Radio", "F"},
      {3, false, 10, "Radio", "F"},
      {2, false, 12, "Szybkie wybieranie", "S"},
      {2, true, 13, std::nullopt, "unchanged"},
      {2, false, -1, std::nullopt, "unchanged"},
      {0, false, 0, std::nullopt, "unchanged"},
      {4, true, 0, std::nullopt, "unchanged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.language));
    device_data::MenuKeyEquivalent item{"unchanged", 7};
    EXPECT_EQ(Record::getTabText_With_In_SetEquivalentTo(c.kind, c.shortcut, c.language, &item), c.text);
    EXPECT_EQ(item.key, c.key);
    EXPECT_EQ(item.modifier_mask, c.text ? 0x120000u : 7u);
    EXPECT_EQ(Record::getTabText_With_In_SetEquivalentTo(c.kind, c.shortcut, c.language, nullptr), c.text);
  }
}

TEST(RecordHelpers, SpeedDialToTheDevice) {
  struct Case {
    const char* name;
    std::optional<std::string> text;
    int result;
    std::vector<uint16_t> leading;  // expected first elements; the rest 0
  };
  const Case cases[] = {
      {"three digits", std::string("112"), 6, {'1', '1', '2'}},
      {"25 digits keep 20", std::string("1234567890123456789012345"), 40,
       {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0'}},
      {"bytes above 0x7F are sign-extended", std::string("+\xC3\x9C"), 6, {'+', 0xFFC3, 0xFF9C}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record::SpeedDialArray array;
    array.fill(0x5555);
    EXPECT_EQ(Record::getSpeedDialArray_FromString(array, c.text), c.result);
    for (size_t index = 0; index < array.size(); ++index) {
      EXPECT_EQ(array[index], index < c.leading.size() ? c.leading[index] : 0) << index;
    }
  }
  for (const std::optional<std::string>& nothing : {std::optional<std::string>(), std::optional<std::string>("")}) {
    Record::SpeedDialArray array;
    array.fill(0x5555);
    EXPECT_EQ(Record::getSpeedDialArray_FromString(array, nothing), 0);
    for (uint16_t element : array) EXPECT_EQ(element, 0x5555);
  }
}

TEST(RecordHelpers, SpeedDialFromTheDevice) {
  struct Case {
    const char* name;
    std::vector<uint16_t> elements;
    int length;
    std::optional<std::string> text;
  };
  const Case cases[] = {
    {"digits", {'0', '4', '9'}, 3, std::string("049")},
    {"high bytes are ignored", {0x3131, 0xFF32}, 2, std::string("12")},
    {"ends at the first zero byte", {'1', 0x0100, '2'}, 1, std::string("1")},
    {"empty", {}, 0, std::string()},
    {"utf-8 counts characters", {'+', 0xFFC3, 0xFF9C}, 2, std::string("+\xC3\x9C")},
    {"invalid utf-8", {'1', 0xFFC3, '2'}, 0, std::nullopt},
    {"all twenty used", std::vector<uint16_t>(20, '7'), 20, std::string(20, '7')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record::SpeedDialArray array{};
    std::copy(c.elements.begin(), c.elements.end(), array.begin());
    std::optional<std::string> text = std::string("old");
    EXPECT_EQ(Record::getSpeedDialString_FromArray(text, array), c.length);
    EXPECT_EQ(text, c.text);
  }
}

TEST(RecordHelpers, SpeedDialRoundTrip) {
  for (const char* number : {"112", "+49301234567", "99999999999999999999"}) {
    SCOPED_TRACE(number);
    Record::SpeedDialArray array{};
    Record::getSpeedDialArray_FromString(array, std::string(number));
    std::optional<std::string> text;
    EXPECT_EQ(Record::getSpeedDialString_FromArray(text, array), static_cast<int>(std::string(number).size()));
    EXPECT_EQ(text, std::optional<std::string>(number));
  }
}

// Temporary folders standing in for mounted volumes.
class CameraVolume : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("vx_camera_volume_" + std::to_string(::getpid()));
    fs::remove_all(m_root);
    for (const char* name : {"stick", "vt4", "ke4"}) fs::create_directories(m_root / name);
    touch(m_root / "vt4" / "VT4.VER");
    fs::create_directories(m_root / "ke4" / "MISC");
    touch(m_root / "ke4" / "MISC" / "version.conf");
    if (const char* old = std::getenv("VEXLINK_VOLUMES")) m_old_volumes = old;
  }
  void TearDown() override {
    if (m_old_volumes) {
      ::setenv("VEXLINK_VOLUMES", m_old_volumes->c_str(), 1);
    } else {
      ::unsetenv("VEXLINK_VOLUMES");
    }
    fs::remove_all(m_root);
  }
  static void touch(const fs::path& file) { std::ofstream(file) << "1.0"; }
  fs::path volume(const char* name) const { return m_root / name; }

  fs::path m_root;
  std::optional<std::string> m_old_volumes;
};

TEST_F(CameraVolume, FindsTheDiskHoldingTheProductsMarker) {
  const std::string list = volume("stick").string() + ":" + (m_root / "absent").string() + ":" +
                           volume("vt4").string() + "/:" + volume("ke4").string();
  ::setenv("VEXLINK_VOLUMES", list.c_str(), 1);
  struct Case { int32_t product; std::optional<std::string> path; };
  const Case cases[] = {
      {0x5510, volume("vt4").string() + "/"},
      {0x3060, volume("ke4").string() + "/"},
      {0x5576, volume("ke4").string() + "/"},
      {0x3020, std::nullopt},  // no volume holds optra.bin
      {0x4D10, std::nullopt},  // not a camera
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    EXPECT_EQ(Record::getOptraDiskPathWithDevice(c.product), c.path);
  }
}

TEST_F(CameraVolume, SkipsVolumesThatAreNotRemovableWritableAndUnmountable) {
  struct Case { const char* name; platform::Volume volume; bool found; };
  const Case cases[] = {
      {"usable", {volume("vt4"), true, true, true}, true},
      {"read-only", {volume("vt4"), true, false, true}, false},
      {"fixed disk", {volume("vt4"), false, true, true}, false},
      {"system mount", {volume("vt4"), true, true, false}, false},
      {"gone", {m_root / "absent", true, true, true}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<std::string> path = device_data::camera_disk_path(0x5510, {c.volume});
    EXPECT_EQ(path.has_value(), c.found);
  }
  // the first usable volume in the listed order wins
  fs::create_directories(m_root / "stick");
  touch(m_root / "stick" / "VT4.VER");
  EXPECT_EQ(device_data::camera_disk_path(0x5510, {{volume("vt4"), true, false, true},
                                                   {volume("stick"), true, true, true},
                                                   {volume("vt4"), true, true, true}}),
            volume("stick").string() + "/");
}

TEST_F(CameraVolume, SkipsAVolumeWhoseFileSystemInformationCannotBeRead) {
  // both volumes hold the marker; the first cannot say what file system it has
  fs::create_directories(m_root / "stick");
  touch(m_root / "stick" / "VT4.VER");
  const std::vector<platform::Volume> volumes = {{volume("stick"), true, true, true}, {volume("vt4"), true, true, true}};
  std::vector<std::string> asked;
  const auto readable = [&](const fs::path& mount_point) {
    asked.push_back(mount_point.string());
    return mount_point != volume("stick");
  };
  EXPECT_EQ(device_data::camera_disk_path_with_marker("VT4.VER", volumes, readable), volume("vt4").string() + "/");
  EXPECT_EQ(asked, (std::vector<std::string>{volume("stick").string(), volume("vt4").string()}));
  // with no readable volume there is no disk, whatever the volumes hold
  EXPECT_EQ(device_data::camera_disk_path_with_marker("VT4.VER", volumes, [](const fs::path&) { return false; }),
            std::nullopt);
  // the system's own query reads a real folder's file system and not a missing one
  EXPECT_TRUE(platform::file_system_info_readable(volume("vt4")));
  EXPECT_FALSE(platform::file_system_info_readable(m_root / "absent"));
}

}  // namespace
