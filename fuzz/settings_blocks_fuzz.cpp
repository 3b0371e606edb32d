// The readers of one settings-block reply on any bytes: a word past the count
// the device reported, or past the 67-byte report, reads 0; a speed dial comes
// out as at most 20 characters of UTF-8 text; an FM block stores its magic
// whatever it is and keeps presets 6-9 empty in the six-preset form; a
// language-pack text stops at its first zero byte within 58 bytes; and a
// settings word unpacked in the full layout packs back to itself.
//
// Input: the 67 bytes of a read-block reply (missing bytes read as 0), then the
// bytes of a language-pack reply.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "fuzz/fuzz_check.h"
#include "platform/log.h"
#include "platform/utf8.h"
#include "recognition/settings_blocks.h"
#include "recognition/settings_read.h"

namespace {

int no_exchange(int, const hid_cmd_report&, hid_status_report&) { return 0; }
int no_lang_pack_exchange(int, lang_pack_report&, lang_pack_reply&) { return 0; }

// The full layout's product: every on/off field has its own bit in the packed word.
constexpr int k_full_layout_product = 0x5530;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::silence_logs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  hid_cmd_report request{};
  hid_status_report reply{};
  lang_pack_report lang_request{};
  lang_pack_reply lang_reply{};
  const std::size_t reply_bytes = std::min(size, reply.size());
  std::copy_n(data, reply_bytes, reply.begin());
  std::copy_n(data + reply_bytes, std::min(size - reply_bytes, lang_reply.size()), lang_reply.begin());
  const recognition::SettingsBlocks blocks({request, reply, lang_request, lang_reply},
                                           {&no_exchange, &no_lang_pack_exchange});

  const int count = blocks.word_count();
  for (int index = -1; index < 40; ++index) {
    const std::uint16_t word = blocks.word(index);
    if (index < 0 || index >= count || index >= 31) {
      FUZZ_CHECK(word == 0);
    } else {
      FUZZ_CHECK(word == (reply[5 + 2 * index] << 8 | reply[6 + 2 * index]));
    }
  }

  if (const std::optional<std::string> number = recognition::speed_dial_from_reply(blocks)) {
    FUZZ_CHECK(number->size() <= FEXOBluetoothDeviceData::k_speed_dial_array_count);
    FUZZ_CHECK(platform::is_valid_utf8(*number) && number->find('\0') == std::string::npos);
  }

  FEXOBluetoothDeviceData record;
  recognition::store_fm_block(record, blocks, recognition::FmForm::six_presets);
  FUZZ_CHECK(record.fmRadioMagicCode() == blocks.word(0));
  for (int i = 6; i < FEXOBluetoothDeviceData::k_fm_preset_count; ++i) FUZZ_CHECK(record.fmRadioPresetsAt(i) == 0);
  recognition::store_fm_block(record, blocks, recognition::FmForm::fifteen_words);
  FUZZ_CHECK(record.fmRadioPresetsAt(9) == blocks.word(12));

  const std::string text = recognition::language_pack_text(lang_reply);
  FUZZ_CHECK(text.size() <= 58 && text.find('\0') == std::string::npos);

  record.setDeviceRecognized(k_full_layout_product);
  const std::uint16_t word = blocks.word(0);
  recognition::store_on_off_fields(record, recognition::unpack_settings_word(word, recognition::UnpackLayout{}));
  // bit 7 belongs to no field
  FUZZ_CHECK(record.getSettings40() == (word & 0xFF7F));
  return 0;
}
