// The settings read of every product family on replies the fuzzer makes up,
// then the write of what it read: nothing may crash, every stored word is a
// 16-bit word, every on/off field 0 or 1, every speed dial UTF-8 text the
// device can hold, and every write frame names no more words than it carries.
//
// Input: [0] product (an index into the families' ids), [1] the version and
// backup choice, then the replies in the order the read asks for them, each
// one length byte followed by that many bytes (missing bytes read as 0). Once
// the input runs out every exchange fails.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/settings_products.h"
#include "platform/log.h"
#include "platform/utf8.h"
#include "recognition/settings_read.h"
#include "recognition/settings_write.h"

namespace {

struct Replies {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t at = 0;

  // Fills `reply` with the next made-up reply; false once the input has run out.
  template <std::size_t N>
  bool next(std::array<unsigned char, N>& reply) {
    reply.fill(0);
    if (at >= size) return false;
    const std::size_t length = data[at++];
    for (std::size_t i = 0; i < length && i < N && at < size; ++i) reply[i] = data[at++];
    return true;
  }
};
Replies g_replies;

int long_command(int slot, const hid_cmd_report& request, hid_status_report& reply) {
  FUZZ_CHECK(slot == 0 || slot == 1);
  if (request[1] == recognition::k_command_write_block || request[1] == recognition::k_command_commit_block) {
    // a block write names at most the 20 characters of a speed dial
    FUZZ_CHECK(request[3] <= FEXOBluetoothDeviceData::k_speed_dial_array_count);
    for (std::size_t i = 4 + 2 * static_cast<std::size_t>(request[3]); i < request.size(); ++i) FUZZ_CHECK(request[i] == 0);
  }
  // status byte 0 is a success, as the channel counts it
  return g_replies.next(reply) && reply[2] == 0 ? 1 : 0;
}

int lang_pack_command(int slot, lang_pack_report& request, lang_pack_reply& reply) {
  FUZZ_CHECK(slot == 0);
  FUZZ_CHECK(request[0] == 1);
  return g_replies.next(reply) && reply[3] != 0xFF ? 1 : 0;
}

bool is_word(std::int32_t value) { return value >= 0 && value <= 0xFFFF; }
bool is_on_off(std::int32_t value) { return value == 0 || value == 1; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::silence_logs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint16_t product = fuzz::k_settings_products[data[0] % std::size(fuzz::k_settings_products)];
  g_replies = {data + 2, size - 2, 0};

  session::AppState controller;
  controller.setDeviceTarget(product);
  FEXOBluetoothDeviceData& record = controller.data();
  record.setDeviceRecognized(product);
  record.setDeviceVersionMajor_Minor(1 + (data[1] & 0x03), (data[1] >> 2) & 0x07);
  std::optional<FEXOBluetoothDeviceData> backup;
  if (data[1] & 0x80) backup = record;

  hid_cmd_report request{};
  hid_status_report reply{};
  lang_pack_report lang_request{};
  lang_pack_reply lang_reply{};
  recognition::SettingsBlocks blocks({request, reply, lang_request, lang_reply}, {&long_command, &lang_pack_command});
  recognition::read_settings(blocks, product, controller, backup);

  for (int i = 0; i < FEXOBluetoothDeviceData::k_basic_setting_lm6_count; ++i) FUZZ_CHECK(is_word(record.basicSettingLM6(i)));
  for (int i = 0; i < 2; ++i) {
    FUZZ_CHECK(is_word(record.basicSettingKR5VOXSensitivityAt(i)));
    FUZZ_CHECK(is_word(record.basicSettingTJ4SmartVolumeControlAt(i)));
  }
  for (int i = 0; i < 4; ++i) FUZZ_CHECK(is_word(record.basicSettingVT4CameraAt(i)));
  for (int i = 0; i < FEXOBluetoothDeviceData::k_fm_preset_count; ++i) FUZZ_CHECK(is_word(record.fmRadioPresetsAt(i)));
  FUZZ_CHECK(is_word(record.fmRadioMagicCode()) && is_word(record.fmRadioCurrentFrequency()));
  FUZZ_CHECK(record.fmRadioRegion() >= 0 && record.fmRadioRegion() <= 5);
  for (std::int32_t field : {record.intercomVOX(), record.handsfreeVOX(), record.edr(), record.voicePrompt(),
                             record.plc(), record.bitpoolRate(), record.microphoneBoost(), record.sidetone(),
                             record.ambientHushControl(), record.audioBoost(), record.hdIntercom(),
                             record.fmStationGuide(), record.hdVoice(), record.smartNaviSystem(),
                             record.audioSourcePriority(), record.audioVeneer(), record.autoOnOff(),
                             record.autoStartRecording()}) {
    FUZZ_CHECK(is_on_off(field));
  }
  FUZZ_CHECK(record.autoGainControl() == 0);
  for (int i = 0; i < FEXOBluetoothDeviceData::k_speed_dial_count; ++i) {
    if (const std::optional<std::string> number = record.speedDialAt(i)) {
      // a block holds 20 characters, a language-pack reply 58 bytes
      FUZZ_CHECK(number->size() <= 58 && platform::is_valid_utf8(*number));
      FUZZ_CHECK(number->find('\0') == std::string::npos);
    }
  }
  // two addresses of 14 characters and the separator
  FUZZ_CHECK(record.bdAddress().value_or("").size() <= 31);

  // what was read goes back as a restore would write it
  recognition::write_backed_up_settings(blocks, product, record);
  return 0;
}
