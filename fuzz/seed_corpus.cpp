// Writes the seed corpus of every fuzz target: archives as the manager writes
// them (configuration archives, device-record backups, the current and the
// older version layout), texts the manager formats, a "Software" list, BlueCore
// answers and persistent-store keys as the devices hold them, device replies
// of the settings transfer, and the update server's firmware lists.
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
#include "fuzz/settings_products.h"
#include "platform/keyed_archive.h"
#include "recognition/manager_update_check.h"
#include "shell/configuration_archive.h"

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

// A "Firmware" list: main entries with a secondary line, a language block, the
// camera's four numbers; and a "Revisions" list with every published version.
std::string firmware_list() {
  return "FR9:v3.1:FR9_v3.1.img\r\nFR9:2\r\n"
         "Y350_R:v1.3:English:Y350R_v1.3_EN.img\r\nY350_R:v1.3:French:Y350R_v1.3_FR.img\r\n"
         "Y350_R:v1.3:German:Y350R_v1.3_DE.img\r\nOPTRA:v1.0.2.5:OPTRA_v2.5.bin\r\n";
}
std::string revisions_list() {
  return "Y350_R:v1.1:Y350R_v1.1.img\r\nY350_R:v1.2:English:Y350R_v1.2_EN.img\r\n"
         "Y350_R:v1.2:French:Y350R_v1.2_FR.img\r\nY350_R:3\r\nOPTRA:v1.0.1.2:OPTRA_v1.2.bin\r\n"
         "OPTRA:v1.1.1.2:English:OPTRA_v1.2_EN.bin";
}

std::string software_list() {
  const std::string entry = recognition::k_manager_entry_name;
  return "VerranoFirmwareList:3\r\n" + entry + ":2\r\n" + entry + ":v1.10:Setwise_1.10.tar.gz\r\n" +
         "Other:v3.0:other.tgz\r\n";
}

// ---- device replies of the settings transfer ----

// A read-block reply: report id, command, status 0, block id, word count, the
// words most significant byte first.
Bytes block_reply(uint8_t block, const std::vector<uint16_t>& words) {
  Bytes reply{1, 0x03, 0, block, static_cast<uint8_t>(words.size())};
  for (uint16_t word : words) {
    reply.push_back(static_cast<uint8_t>(word >> 8));
    reply.push_back(static_cast<uint8_t>(word & 0xFF));
  }
  return reply;
}
Bytes status_reply(uint8_t command) { return {1, command, 0}; }
Bytes address_reply() { return {1, 0x02, 0, 0x00, 0x1A, 0x7D, 0x2E, 0x90, 0x60}; }
// A gathered language-pack reply: report id 2, bytes gathered, command, argument, data.
Bytes lang_pack_reply(uint8_t command, uint8_t argument, const Bytes& data) {
  Bytes reply{2, static_cast<uint8_t>(data.size() + 2), command, argument};
  reply.insert(reply.end(), data.begin(), data.end());
  return reply;
}
std::vector<uint16_t> characters(const std::string& text) { return std::vector<uint16_t>(text.begin(), text.end()); }
std::vector<uint16_t> fm_words(uint16_t magic, int presets) {
  std::vector<uint16_t> words{magic, 10110, 2};
  for (int i = 0; i < presets; ++i) words.push_back(static_cast<uint16_t>(8750 + 50 * i));
  words.push_back(1);
  words.push_back(2);
  return words;
}

// A settings-read input: product, version and backup byte, then each reply behind its length.
Bytes settings_read_seed(uint16_t product, uint8_t versions, const std::vector<Bytes>& replies) {
  Bytes seed{fuzz::settings_product_index(product), versions};
  for (const Bytes& reply : replies) {
    seed.push_back(static_cast<uint8_t>(reply.size()));
    seed.insert(seed.end(), reply.begin(), reply.end());
  }
  return seed;
}

std::vector<std::pair<std::string, Bytes>> settings_read_seeds() {
  const std::vector<Bytes> speed_dials = {block_reply(0x5A, characters("0049301234")), block_reply(0x5B, {}),
                                          block_reply(0x5C, characters("112"))};
  std::vector<Bytes> commit_family = {address_reply(),      status_reply(0x10),  status_reply(0x10),
                                      block_reply(0x04, {0x6839, 0, 0x71, 4}), block_reply(0x14, {3, 1}),
                                      status_reply(0x10),   block_reply(0x15, fm_words(0x56E9, 6)),
                                      status_reply(0x10),   status_reply(0x10),  status_reply(0x10)};
  commit_family.insert(commit_family.end(), speed_dials.begin(), speed_dials.end());
  Bytes airoha_settings(58, 0);
  airoha_settings[0] = 0x13;
  airoha_settings[2] = 0x45;
  airoha_settings[3] = 0x23;
  Bytes airoha_dial(58, 0);
  std::copy_n("5551234", 7, airoha_dial.begin());
  std::vector<Bytes> two_module = {address_reply(), block_reply(0x05, {0x0010}), status_reply(0x04),
                                   status_reply(0x04), block_reply(0x05, {0x000B}), address_reply(),
                                   block_reply(0x04, {5, 3, 0xEDA0, 3, 1, 2, 3, 4, 5, 6}),
                                   block_reply(0x15, fm_words(0x66E9, 10))};
  two_module.insert(two_module.end(), speed_dials.begin(), speed_dials.end());
  std::vector<Bytes> camera = {address_reply(), block_reply(0x04, {0xFFFF, 0}), block_reply(0x07, {0x07C1, 2}),
                               block_reply(0x1C, {20, 1}), block_reply(0x15, fm_words(0x66E9, 10))};
  camera.insert(camera.end(), speed_dials.begin(), speed_dials.end());
  return {
      {"commit-family", settings_read_seed(0x6030, 0x02, commit_family)},
      {"language-pack", settings_read_seed(0x6800, 0x05, {lang_pack_reply(0x02, 0, {0, 0x1A, 0x7D, 0xDA, 0x71, 0x13}),
                                                          lang_pack_reply(0x03, 0x03, airoha_settings),
                                                          lang_pack_reply(0x03, 0x05, airoha_dial)})},
      {"two-module", settings_read_seed(0x4210, 0x10, two_module)},
      {"camera-after-restore", settings_read_seed(0x5510, 0x81, camera)},
      {"qcc-word-count-past-the-report",
       settings_read_seed(0x6038, 0x00, {address_reply(), {1, 0x03, 0, 0x36, 200, 0xFF, 0xFF, 0x00, 0x50}})},
      {"nothing-answers", settings_read_seed(0x3110, 0x00, {})},
  };
}

std::vector<std::pair<std::string, Bytes>> settings_blocks_seeds() {
  const auto padded = [](Bytes reply, const Bytes& lang_pack) {
    reply.resize(67, 0);
    reply.insert(reply.end(), lang_pack.begin(), lang_pack.end());
    return reply;
  };
  Bytes name(58, 0);
  std::copy_n("WEBLOR GZ3", 10, name.begin());
  return {
      {"fm-block", padded(block_reply(0x15, fm_words(0x66E9, 10)), lang_pack_reply(0x03, 0x02, name))},
      {"speed-dial", padded(block_reply(0x5A, characters("0049301234")), {})},
      {"settings-word", padded(block_reply(0x04, {0xFFFF, 0x1234}), {})},
      {"count-past-the-report", padded({1, 0x03, 0, 0x15, 255, 0x56, 0xE9}, {})},
  };
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
  write_seed(folder, "server_lists", "firmware", bytes_of(firmware_list()));
  write_seed(folder, "server_lists", "revisions", bytes_of(revisions_list()));
  std::string firmware_lf = firmware_list();
  for (size_t at; (at = firmware_lf.find("\r\n")) != std::string::npos;) firmware_lf.erase(at, 1);
  write_seed(folder, "server_lists", "firmware-lf", bytes_of(firmware_lf));
  for (const auto& [name, bytes] : settings_read_seeds()) write_seed(folder, "settings_read", name, bytes);
  for (const auto& [name, bytes] : settings_blocks_seeds()) write_seed(folder, "settings_blocks", name, bytes);
  for (const auto& [name, bytes] : bccmd_seeds()) write_seed(folder, "bccmd_event", name, bytes);
  for (const auto& [name, bytes] : ps_key_seeds()) write_seed(folder, "ps_key_decoding", name, bytes);
  return 0;
}
