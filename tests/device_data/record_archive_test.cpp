#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/format.h"
#include "platform/keyed_archive.h"

namespace {

using Record = FEXOBluetoothDeviceData;

// Every key of a backup archive in the order it is written.
std::vector<std::string> expected_keys() {
  std::vector<std::string> keys = {
      "keyManagerVersionMajor", "keyManagerVersionMinor", "keyDeviceRecognized", "keyDeviceName",
      "keyDeviceVersionMajor", "keyDeviceVersionMinor", "keyDeviceSecondaryVersionType", "keyDeviceSecondaryVersion",
      "keyDateArchived", "keyIntercomVOX", "keyHandsfreeVOX", "keyEDR", "keyVoicePrompt", "keyPLC",
      "keyBitpoolRate", "keyMicrophoneBoost", "keySidetone", "keyAmbientHushControl", "keyAutoGainControl",
      "keyAudioBoost", "keyHDIntercom", "keyFMStationGuide", "keyHDVoice", "keyAudioSourcePriority",
      "keyAudioVeneer", "keyAutoOnOff", "keyAutoStartRecording", "keySmartNaviSystem", "keySmartNaviSystem2",
      "keyAutoOff", "keySimpleUI", "keyRadioTransmitGain", "keyAudioChannelTimeout"};
  for (int i = 1; i <= 10; ++i) keys.push_back(platform::format("keyBasicSettingLM6%02d", i));
  for (int i = 1; i <= 2; ++i) keys.push_back(platform::format("keyBasicSettingKR5VOXSensitivity%02d", i));
  for (int i = 1; i <= 2; ++i) keys.push_back(platform::format("keyBasicSettingTJ4SmartVolumeControl%02d", i));
  for (int i = 1; i <= 2; ++i) keys.push_back(platform::format("keyBasicSettingVT4Camera%02d", i));
  for (const char* key : {"keyFMRadioRegion", "keyFMRadioMagicCode", "keyFMRadioCurrentFrequency",
                          "keyFMRadioCurrentPreset"}) {
    keys.push_back(key);
  }
  for (int i = 1; i <= 10; ++i) keys.push_back(platform::format("keyFMRadioPreset%02d", i));
  keys.push_back("keyFMRadioRDS");
  for (int i = 1; i <= 3; ++i) keys.push_back(platform::format("keySpeedDial%02d", i));
  return keys;
}

Record backup_record() {
  Record source;
  source.setDeviceRecognized(0x5510);
  source.setBdAddress(std::string("00:01:02:aa:bb:cc"));
  source.setLastSixBDAddress(std::string("aabbcc"));
  source.setDeviceName(std::string("VT4 Kamera \xC3\xBC"));
  source.setDeviceVersionMajor_Minor(2, 1);
  source.setDeviceSecondaryVersionType(2);
  source.setDeviceSecondaryVersion(3);
  source.setDeviceVersion01Major_Minor(1, 9);
  source.setDeviceVersion02Major_Minor(1, 8);
  source.setDivisionLM6evoValue(16);
  source.setDevicelanguagePackType(2);
  source.setY370Language(3);
  source.setHdVoice(1);
  source.setAutoOff(1);
  source.setAudioSourcePriority(2);
  source.setRadioTransmitGain(12);
  for (int index = 0; index < 10; ++index) source.setBasicSetting20At_with(index, 0xED00 + index);
  source.setBasicSettingKR5VOXSensitivity_with(1, 3);
  source.setBasicSettingTJ4SmartVolumeControl_with(1, 2);
  for (int index = 0; index < 4; ++index) source.setBasicSettingVT4Camera_with(index, 0x07C0 + index);
  source.setFmRadioRegion(2);
  source.setFmRadioMagicCode(0x56E9);
  source.setFmRadioCurrentFrequency(10110);
  source.setFmRadioCurrentPreset(9);
  for (int index = 0; index < 10; ++index) source.setFmRadioPresetsAt_with(index, 8750 + 10 * index);
  source.setFmRadioRDS(1);
  source.setSpeedDialAt_with(0, std::string("0049301234"));
  source.setSpeedDialAt_with(2, std::string("112"));
  Record backup;
  backup.configureWithSource(source);
  return backup;
}

TEST(RecordArchive, RoundTripKeepsArchivedFieldsAndDropsTheOthers) {
  const Record backup = backup_record();
  const Record decoded = Record::unarchived_from(backup.archived_bytes());

  EXPECT_EQ(decoded.managerVersionMajor(), 1);
  EXPECT_EQ(decoded.managerVersionMinor(), 4);
  EXPECT_EQ(decoded.deviceRecognized(), 0x5510);
  EXPECT_EQ(decoded.deviceName(), backup.deviceName());
  EXPECT_EQ(decoded.deviceVersionMajor(), 2);
  EXPECT_EQ(decoded.deviceVersionMinor(), 1);
  EXPECT_EQ(decoded.deviceSecondaryVersionType(), 2);
  EXPECT_EQ(decoded.deviceSecondaryVersion(), 3);
  ASSERT_TRUE(decoded.dateArchived());
  EXPECT_DOUBLE_EQ(*decoded.dateArchived(), *backup.dateArchived());
  EXPECT_EQ(decoded.hdVoice(), 1);
  EXPECT_EQ(decoded.autoOff(), 1);
  EXPECT_EQ(decoded.audioSourcePriority(), 2);
  EXPECT_EQ(decoded.radioTransmitGain(), 12);
  for (int index = 0; index < 10; ++index) EXPECT_EQ(decoded.basicSettingLM6(index), 0xED00 + index);
  EXPECT_EQ(decoded.basicSettingKR5VOXSensitivityAt(1), 3);
  EXPECT_EQ(decoded.basicSettingTJ4SmartVolumeControlAt(1), 2);
  EXPECT_EQ(decoded.basicSettingVT4CameraAt(0), 0x07C0);
  EXPECT_EQ(decoded.basicSettingVT4CameraAt(1), 0x07C1);
  EXPECT_EQ(decoded.fmRadioRegion(), 2);
  EXPECT_EQ(decoded.fmRadioMagicCode(), 0x56E9);
  EXPECT_EQ(decoded.fmRadioCurrentFrequency(), 10110);
  EXPECT_EQ(decoded.fmRadioCurrentPreset(), 9);
  for (int index = 0; index < 10; ++index) EXPECT_EQ(decoded.fmRadioPresetsAt(index), 8750 + 10 * index);
  EXPECT_EQ(decoded.fmRadioRDS(), 1);
  EXPECT_EQ(decoded.speedDialAt(0), std::optional<std::string>("0049301234"));
  EXPECT_EQ(decoded.speedDialAt(1), std::optional<std::string>(""));
  EXPECT_EQ(decoded.speedDialAt(2), std::optional<std::string>("112"));

  // not part of a backup
  EXPECT_FALSE(decoded.bdAddress());
  EXPECT_FALSE(decoded.lastSixBDAddress());
  EXPECT_EQ(decoded.basicSettingVT4CameraAt(2), 0);
  EXPECT_EQ(decoded.basicSettingVT4CameraAt(3), 0);
  EXPECT_EQ(decoded.deviceVersionMajor01(), 0);
  EXPECT_EQ(decoded.deviceVersionMinor02(), 0);
  EXPECT_EQ(decoded.Y370Language(), 0);
  EXPECT_EQ(decoded.divisionLM6evoValue(), 0);
  EXPECT_EQ(decoded.devicelanguagePackType(), 0);
}

TEST(RecordArchive, LegacyFloatVersionsAndMissingKeys) {
  struct Case {
    const char* name;
    platform::KeyedArchiver::Encode encode;
    int32_t manager_major, manager_minor, device_major, device_minor;
  };
  const Case cases[] = {
      {"older manager", [](platform::KeyedArchiver& coder) {
         coder.encode_double("keyManagerVersion", 1.2);
         coder.encode_double("keyDeviceVersion", 3.1);
       }, 1, 2, 3, 1},
      {"float rounding", [](platform::KeyedArchiver& coder) {
         coder.encode_double("keyManagerVersion", 1.3999999);
         coder.encode_double("keyDeviceVersion", 10.05);
       }, 1, 4, 10, 1},
      {"integer keys win", [](platform::KeyedArchiver& coder) {
         coder.encode_int("keyManagerVersionMajor", 1);
         coder.encode_int("keyManagerVersionMinor", 4);
         coder.encode_double("keyManagerVersion", 9.9);
         coder.encode_int("keyDeviceVersionMajor", 2);
         coder.encode_double("keyDeviceVersion", 9.9);
       }, 1, 4, 2, 0},
      {"nothing archived", [](platform::KeyedArchiver&) {}, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const platform::Bytes bytes = platform::KeyedArchiver::archive_root(Record::archive_class(), c.encode);
    const Record decoded = Record::unarchived_from(bytes);
    EXPECT_EQ(decoded.managerVersionMajor(), c.manager_major);
    EXPECT_EQ(decoded.managerVersionMinor(), c.manager_minor);
    EXPECT_EQ(decoded.deviceVersionMajor(), c.device_major);
    EXPECT_EQ(decoded.deviceVersionMinor(), c.device_minor);
    EXPECT_FALSE(decoded.deviceName());
    EXPECT_FALSE(decoded.dateArchived());
    EXPECT_FALSE(decoded.speedDialAt(0));
    EXPECT_EQ(decoded.fmRadioPresetsAt(9), 0);
  }
}

// Switches the process's number format to one whose decimal point is ",", as a
// German desktop session does; a German locale is compiled into a temporary
// folder when none is installed. active() is false when neither is possible.
class DecimalCommaNumbers {
 public:
  DecimalCommaNumbers() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
      if (use(name)) return;
    }
    if (!std::filesystem::exists("/usr/share/i18n/locales/de_DE")) return;
    m_folder = std::filesystem::temp_directory_path() / ("vx-locale-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (m_folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && !std::filesystem::exists(m_folder / "de_DE.UTF-8")) return;
    ::setenv("LOCPATH", m_folder.c_str(), 1);
    use("de_DE.UTF-8");
  }
  ~DecimalCommaNumbers() {
    std::setlocale(LC_NUMERIC, "C");
    if (!m_folder.empty()) {
      ::unsetenv("LOCPATH");
      std::error_code ignored;
      std::filesystem::remove_all(m_folder, ignored);
    }
  }
  bool active() const { return m_active; }

 private:
  bool use(const char* name) {
    m_active = std::setlocale(LC_NUMERIC, name) != nullptr && std::string(std::localeconv()->decimal_point) == ",";
    if (!m_active) std::setlocale(LC_NUMERIC, "C");
    return m_active;
  }

  std::filesystem::path m_folder;
  bool m_active = false;
};

TEST(RecordArchive, LegacyFloatVersionsReadTheSameOnADecimalCommaDesktop) {
  const DecimalCommaNumbers numbers;
  if (!numbers.active()) GTEST_SKIP() << "no locale with a decimal comma";
  const platform::Bytes bytes =
      platform::KeyedArchiver::archive_root(Record::archive_class(), [](platform::KeyedArchiver& coder) {
        coder.encode_double("keyManagerVersion", 1.2);
        coder.encode_double("keyDeviceVersion", 3.1);
      });
  const Record decoded = Record::unarchived_from(bytes);
  EXPECT_EQ(decoded.managerVersionMajor(), 1);
  EXPECT_EQ(decoded.managerVersionMinor(), 2);
  EXPECT_EQ(decoded.deviceVersionMajor(), 3);
  EXPECT_EQ(decoded.deviceVersionMinor(), 1);
}

TEST(RecordArchive, OutOfRangeRegionIsKeptUntilACopyAndCheckedAsRegionZero) {
  const platform::Bytes bytes =
      platform::KeyedArchiver::archive_root(Record::archive_class(), [](platform::KeyedArchiver& coder) {
        coder.encode_int("keyDeviceRecognized", 0x4D10);
        coder.encode_int("keyFMRadioRegion", 9);
      });
  const Record decoded = Record::unarchived_from(bytes);
  EXPECT_EQ(decoded.fmRadioRegion(), 9);

  Record copy;
  copy.copyWithSource_version(decoded, true);
  EXPECT_EQ(copy.fmRadioRegion(), 0);

  // region 0 spans 7600..10800 on a grid of 10
  EXPECT_EQ(Record::checkFMPresetValidWithRegion_FMRadioPreset(decoded.fmRadioRegion(), 7600), 0);
  EXPECT_EQ(Record::checkFMPresetValidWithRegion_FMRadioPreset(decoded.fmRadioRegion(), 7605), 2);
  EXPECT_EQ(Record::checkFMPresetValidWithRegion_FMRadioPreset(decoded.fmRadioRegion(), 10810), 1);
}

TEST(RecordArchive, DamagedOrForeignFilesAreRefused) {
  const platform::Bytes good = backup_record().archived_bytes();
  platform::Bytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  platform::Bytes flipped_trailer = good;
  for (size_t i = flipped_trailer.size() - 26; i < flipped_trailer.size(); ++i) flipped_trailer[i] ^= 0xA5;
  const std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict/></plist>";

  struct Case { const char* name; platform::Bytes bytes; };
  const Case cases[] = {
      {"empty", {}},
      {"text", platform::Bytes(xml.begin(), xml.end())},
      {"half an archive", truncated},
      {"broken trailer", flipped_trailer},
      {"another class",
       platform::KeyedArchiver::archive_root({"FEXOConfiguration", {"FEXOConfiguration", "NSObject"}},
                                             [](platform::KeyedArchiver& coder) { coder.encode_int("keyMode", 1); })},
      {"number key holding text",
       platform::KeyedArchiver::archive_root(Record::archive_class(), [](platform::KeyedArchiver& coder) {
         coder.encode_string("keyDeviceRecognized", std::string("0x5510"));
       })},
      {"name key holding a number",
       platform::KeyedArchiver::archive_root(Record::archive_class(), [](platform::KeyedArchiver& coder) {
         coder.encode_int("keyDeviceName", 12);
       })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(Record::unarchived_from(c.bytes), platform::ArchiveError);
  }
}

// Runs python3 on `script` with `argument`; the standard output, or nothing
// when python3 cannot be started.
std::optional<std::string> run_python(const std::string& script, const std::string& argument) {
  const std::string command = "python3 -c '" + script + "' '" + argument + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string output;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  const int status = ::pclose(pipe);
  if (status != 0) return std::nullopt;
  return output;
}

TEST(RecordArchive, ArchiveOpensInPythonPlistlibWithTheExactKeys) {
  if (std::system("python3 -c 'import plistlib' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 not available";
  const platform::Bytes bytes = backup_record().archived_bytes();
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("vx_record_archive_" + std::to_string(::getpid()) + ".vylaarch");
  {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // one line per key of the root object: key, then the value with UIDs resolved
  const std::string script =
      "import plistlib,sys\n"
      "p=plistlib.load(open(sys.argv[1],\"rb\"))\n"
      "o=p[\"$objects\"]\n"
      "print(p[\"$archiver\"], p[\"$version\"])\n"
      "root=o[p[\"$top\"][\"root\"].data]\n"
      "print(o[root[\"$class\"].data][\"$classname\"])\n"
      "for k,v in root.items():\n"
      "  if k==\"$class\": continue\n"
      "  if isinstance(v,plistlib.UID):\n"
      "    v=o[v.data]\n"
      "    if isinstance(v,dict): v=\"date:%d\" % v[\"NS.time\"]\n"
      "  print(k, v)\n";
  const std::optional<std::string> output = run_python(script, file.string());
  std::filesystem::remove(file);
  ASSERT_TRUE(output);

  std::istringstream lines(*output);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "NSKeyedArchiver 100000");
  std::getline(lines, line);
  EXPECT_EQ(line, "FEXOBluetoothDeviceData");
  std::vector<std::string> keys;
  std::map<std::string, std::string> values;
  while (std::getline(lines, line)) {
    const size_t space = line.find(' ');
    keys.push_back(line.substr(0, space));
    values[keys.back()] = space == std::string::npos ? "" : line.substr(space + 1);
  }
  EXPECT_EQ(keys, expected_keys());
  EXPECT_EQ(values["keyDeviceRecognized"], std::to_string(0x5510));
  EXPECT_EQ(values["keyDeviceName"], "VT4 Kamera \xC3\xBC");
  EXPECT_EQ(values["keyBasicSettingLM6" "10"], std::to_string(0xED09));
  EXPECT_EQ(values["keySpeedDial" "03"], "112");
  EXPECT_EQ(values["keySpeedDial" "02"], "");
  EXPECT_EQ(values["keyDateArchived"].rfind("date:", 0), 0u);
}

}  // namespace
