// Writes the seed corpus of every fuzz target: archives as the manager writes
// them (configuration archives, device-record backups, the current and the
// older version layout), texts the manager formats, a "Software" list, BlueCore
// answers and persistent-store keys as the devices hold them.
// usage: fuzz_seeds <folder>   (writes <folder>/<target>/<seed>)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/keyed_archive.h"
#include "shell/configuration_archive.h"
#include "shell/manager_update_check.h"

namespace {

namespace fs = std::filesystem;
using platform::Bytes;

void write_seed(const fs::path& folder, const std::string& target, const std::string& name, const Bytes& bytes) {
  fs::create_directories(folder / target);
  std::ofstream(folder / target / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes bytes_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes configuration_archive(const shell::ArchivedConfiguration& configuration) {
  return platform::KeyedArchiver::archive_root(
      shell::configuration_archive_class(),
      [&configuration](platform::KeyedArchiver& coder) { shell::encode_configuration(coder, configuration); });
}

std::vector<std::pair<std::string, Bytes>> configuration_seeds() {
  shell::ArchivedConfiguration first_run;
  first_run.strManagerVersion = "v1.0";
  first_run.strLanguageManager = "English";
  first_run.applyToLanguageFirmware = true;
  first_run.strLanguageFirmware = "English";

  shell::ArchivedConfiguration interrupted_update = first_run;
  interrupted_update.strManagerVersion = "v1.4";
  interrupted_update.strLanguageManager = "Deutsch";
  interrupted_update.deviceTarget = 0x5510;
  interrupted_update.restartToRecover = true;
  interrupted_update.modeRestartToRecover = 5;
  interrupted_update.strRestartDFUFirmwareFile = "Ridge30_v2.1.img";
  interrupted_update.indexRestartDFUFirmwareLanguage = 2;
  interrupted_update.deviceVersionMajorRestartDFU = 2;
  interrupted_update.deviceVersionMinorRestartDFU = 1;
  interrupted_update.deviceSecondaryVersionTypeRestartDFU = 2;
  interrupted_update.deviceSecondaryVersionRestartDFU = 7;

  return {{"first-run", configuration_archive(first_run)},
          {"interrupted-update", configuration_archive(interrupted_update)},
          {"all-nil", configuration_archive({})}};
}

std::vector<std::pair<std::string, Bytes>> record_seeds() {
  FEXOBluetoothDeviceData backup;
  backup.setManagerVersionMajor(1);
  backup.setManagerVersionMinor(4);
  backup.setDeviceRecognized(0x5510);
  backup.setDeviceName(std::string("VT4 Kamera \xC3\xBC"));
  backup.setDeviceVersionMajor_Minor(2, 1);
  backup.setDeviceSecondaryVersionType(2);
  backup.setDeviceSecondaryVersion(3);
  backup.setDateArchived(7.5e8);
  backup.setHdVoice(1);
  backup.setAutoOff(1);
  backup.setRadioTransmitGain(12);
  for (int index = 0; index < 10; ++index) backup.setBasicSetting20At_with(index, 0xED00 + index);
  backup.setBasicSettingKR5VOXSensitivity_with(1, 3);
  backup.setBasicSettingTJ4SmartVolumeControl_with(1, 2);
  for (int index = 0; index < 2; ++index) backup.setBasicSettingVT4Camera_with(index, 0x07C0 + index);
  backup.setFmRadioRegion(2);
  backup.setFmRadioMagicCode(0x56E9);
  backup.setFmRadioCurrentFrequency(10110);
  backup.setFmRadioCurrentPreset(9);
  for (int index = 0; index < 10; ++index) backup.setFmRadioPresetsAt_with(index, 8750 + 10 * index);
  backup.setSpeedDialAt_with(0, std::string("0049301234"));
  backup.setSpeedDialAt_with(2, std::string("112"));

  // older managers stored each version as one real ("1.2")
  const Bytes older_layout = platform::KeyedArchiver::archive_root(
      FEXOBluetoothDeviceData::archive_class(), [](platform::KeyedArchiver& coder) {
        coder.encode_double("keyManagerVersion", 1.2);
        coder.encode_int("keyDeviceRecognized", 0x3020);
        coder.encode_string("keyDeviceName", std::string("Ridge 30"));
        coder.encode_double("keyDeviceVersion", 2.1);
        coder.encode_date("keyDateArchived", 3.2e8);
        coder.encode_int("keyFMRadioPreset01", 8750);
        coder.encode_string("keySpeedDial01", std::string("112"));
      });

  return {{"backup", backup.archived_bytes()},
          {"empty-record", FEXOBluetoothDeviceData().archived_bytes()},
          {"older-version-layout", older_layout}};
}

// Every kind of value the archiver writes, nested objects and a nil.
Bytes every_kind_archive() {
  const platform::ArchiveClass dial{"SpeedDial", {"SpeedDial", "NSObject"}};
  return platform::KeyedArchiver::archive_root(dial, [&dial](platform::KeyedArchiver& coder) {
    coder.encode_int("key", -2);
    coder.encode_bool("a", true);
    coder.encode_double("keyManagerVersion", 1.25);
    coder.encode_string("keyDeviceName", std::string("Ridge 30 \xC3\xA9"));
    coder.encode_data("keyStrManagerVersion", Bytes{0x00, 0xFF, 0x10});
    coder.encode_date("keyDateArchived", 7.5e8);
    coder.encode_nil("keySpeedDial01");
    coder.encode_object("root", dial, [&dial](platform::KeyedArchiver& nested) {
      nested.encode_string("key", std::string("+4930"));
      nested.encode_object("a", dial, [](platform::KeyedArchiver& inner) { inner.encode_int("key", 1); });
    });
  });
}

// A text for the format target: the text, a NUL, then its arguments.
class FormatSeed {
 public:
  explicit FormatSeed(const std::string& text) : m_bytes(bytes_of(text)) { m_bytes.push_back(0); }
  FormatSeed& text(const std::string& value) {
    m_bytes.push_back('s');
    m_bytes.insert(m_bytes.end(), value.begin(), value.end());
    m_bytes.push_back(0);
    return *this;
  }
  FormatSeed& integer(int64_t value) { return eight_bytes('i', static_cast<uint64_t>(value)); }
  FormatSeed& real(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return eight_bytes('r', bits);
  }
  const Bytes& bytes() const { return m_bytes; }

 private:
  FormatSeed& eight_bytes(uint8_t kind, uint64_t bits) {
    m_bytes.push_back(kind);
    for (int i = 0; i < 8; ++i) m_bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    return *this;
  }
  Bytes m_bytes;
};

std::vector<std::pair<std::string, Bytes>> format_seeds() {
  return {
      {"strings", FormatSeed("Update %@ to %%@?").text("Ridge 30").bytes()},
      {"two-passes", FormatSeed("%@ of %@ (%s)").text("Ridge 30").text("Vexlink").text("v2.1").bytes()},
      {"array-key", FormatSeed("%@%02d").text("keySpeedDial").integer(3).bytes()},
      {"hex", FormatSeed("0x%04X %02x%02X").integer(0x1F).integer(0x0A).integer(-1).bytes()},
      {"version", FormatSeed("v%d.%d rc%i, %0.1f").integer(2).integer(10).integer(3).real(1.26).bytes()},
      {"characters", FormatSeed("%c%c %-3c|").integer('O').integer('K').integer(0xE9).bytes()},
      {"flags", FormatSeed("%-8s|%+5d|%#o|%e|%g|%u%%").text("left").integer(42).integer(8).real(-2.5e-7).real(1e300)
                    .integer(-1).bytes()},
  };
}

std::string software_list() {
  const std::string entry = shell::k_manager_entry_name;
  return "VerranoFirmwareList:3\r\n" + entry + ":2\r\n" + entry + ":v1.10:Setwise_1.10.tar.gz\r\n" +
         "Other:v3.0:other.tgz\r\n";
}

// A BlueCore answer: event header, sequence 7, varid, status, payload.
Bytes bccmd_answer(uint16_t varid, uint16_t status, const Bytes& payload) {
  const uint8_t words = static_cast<uint8_t>(5 + (payload.size() + 1) / 2);
  Bytes event{0xFF, static_cast<uint8_t>(2 * words + 1), 0xC2, 0x01, 0x00, words, 0x00, 0x07, 0x00,
              static_cast<uint8_t>(varid & 0xFF), static_cast<uint8_t>(varid >> 8),
              static_cast<uint8_t>(status & 0xFF), static_cast<uint8_t>(status >> 8)};
  for (uint8_t byte : payload) event.push_back(byte);
  event.resize(3 + 2 * static_cast<size_t>(words), 0);
  return event;
}

// The bccmd_event input: the payload length, then the answer in pieces of `piece` bytes.
Bytes bccmd_seed(size_t payload_bytes, const Bytes& event, size_t piece) {
  Bytes seed{static_cast<uint8_t>(payload_bytes)};
  for (size_t at = 0; at < event.size(); at += piece) {
    const size_t length = std::min(piece, event.size() - at);
    seed.push_back(static_cast<uint8_t>(length));
    seed.insert(seed.end(), event.begin() + static_cast<std::ptrdiff_t>(at),
                event.begin() + static_cast<std::ptrdiff_t>(at + length));
  }
  return seed;
}

std::vector<std::pair<std::string, Bytes>> bccmd_seeds() {
  const Bytes key_length = bccmd_answer(0x3006, 0, {0xA3, 0x02, 0x01, 0x00, 0, 0, 0, 0});
  const Bytes name = bccmd_answer(0x7003, 0, {0x08, 0x01, 0x02, 0x00, 0x00, 0x00, 'X', 'A', '9', 0});
  return {{"key-length", bccmd_seed(8, key_length, key_length.size())},
          {"name-in-pieces", bccmd_seed(10, name, 16)},
          {"no-such-key", bccmd_seed(8, bccmd_answer(0x3006, 3, {0x99, 0x00, 0, 0, 0, 0, 0, 0}), 64)}};
}

// The ps_key_decoding input: product, major, minor, flags, then the key's words.
Bytes ps_key_seed(uint16_t product, uint8_t major, uint8_t minor, bool word_read, std::vector<uint16_t> words) {
  Bytes seed{static_cast<uint8_t>(product & 0xFF), static_cast<uint8_t>(product >> 8), major, minor,
             static_cast<uint8_t>(word_read ? 1 : 0)};
  for (uint16_t word : words) {
    seed.push_back(static_cast<uint8_t>(word & 0xFF));
    seed.push_back(static_cast<uint8_t>(word >> 8));
  }
  return seed;
}

std::vector<std::pair<std::string, Bytes>> ps_key_seeds() {
  return {{"settings-word-4d10", ps_key_seed(0x4D10, 4, 3, true, {0x0157, 0})},
          {"fm-block-5040", ps_key_seed(0x5040, 4, 2, true,
                                        {0x56E9, 9450, 2, 8750, 8810, 9450, 9910, 10170, 10790, 0, 0, 0, 0, 1, 2})},
          {"edr-pattern-4d10", ps_key_seed(0x4D10, 3, 9, false, {0xFEFF, 0xF88F, 0x1E18, 0x8359})},
          {"gain-5210", ps_key_seed(0x5210, 1, 0, true, {30000})},
          {"speed-dial-2020", ps_key_seed(0x2020, 1, 1, true, {'1', '1', '2', 0})}};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const fs::path folder = argv[1];
  for (const auto& [name, bytes] : configuration_seeds()) {
    write_seed(folder, "configuration_archive", name, bytes);
    write_seed(folder, "keyed_archive", "configuration-" + name, bytes);
  }
  for (const auto& [name, bytes] : record_seeds()) {
    write_seed(folder, "record_archive", name, bytes);
    write_seed(folder, "keyed_archive", "record-" + name, bytes);
  }
  write_seed(folder, "keyed_archive", "every-kind", every_kind_archive());
  for (const auto& [name, bytes] : format_seeds()) write_seed(folder, "format", name, bytes);
  write_seed(folder, "software_list", "crlf", bytes_of(software_list()));
  std::string lf = software_list();
  for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  write_seed(folder, "software_list", "lf", bytes_of(lf));
  for (const auto& [name, bytes] : bccmd_seeds()) write_seed(folder, "bccmd_event", name, bytes);
  for (const auto& [name, bytes] : ps_key_seeds()) write_seed(folder, "ps_key_decoding", name, bytes);
  return 0;
}
