#pragma once
// Settings blocks of the HID devices: which blocks a product family keeps its
// settings, FM radio and speed dials in, on which slot they travel, and the
// frames that read and write them. The write after a firmware restore and the
// read into the record both go by this one description.
//
// A block is up to 31 16-bit words. Read: command 0x03 with the block id; the
// reply carries the word count at [4] and the words from [5], most significant
// byte first. Write: command 0x04 with the block id, the word count at [3] and
// the words from [4], most significant byte first. Commit: command 0x11 with the
// write's own frame, words least significant byte first. Announce: command 0x10
// with the block id, sent before a commit family's written block is read back.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/settings_block_table.h"
#include "recognition/ps_key_decoding.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"

namespace recognition {

inline constexpr unsigned char k_command_read_address = 0x02;
using transport::k_command_write_block;
using transport::k_command_commit_block;
inline constexpr unsigned char k_command_announce_block = 0x10;

using device_data::k_block_camera_high;
using device_data::k_block_camera_low;
using device_data::k_block_mesh_channel;
using device_data::k_block_mesh_volume;
using device_data::k_block_qcc_settings;
using device_data::k_block_settings;
using device_data::k_block_smart_volume;
using device_data::k_block_vox;
using device_data::k_block_vox_navigation;
using device_data::k_block_vox_y370;
inline constexpr unsigned char k_block_sub_model = 0x05;
inline constexpr unsigned char k_block_fm = 0x15;
inline constexpr unsigned char k_block_qcc_fm = 0x44;

// FM magic words (recognition/ps_key_decoding.h): a restore writes
// k_fm_magic_alternative into the 15-word block of most products and k_fm_magic
// into the six-preset block and the 15-word block of the committing family with
// VOX, smart volume and FM (SettingsLayout::commit_vox_smart_volume_fm); a
// failed read stores k_fm_magic.

enum class FmForm {
  fifteen_words,  // magic, frequency, preset, presets 0-9, RDS, region
  six_presets,    // magic, frequency, preset, presets 0-5, RDS, region (11 words)
};

struct FmBlockMap {
  unsigned char block = 0;  // 0: the family keeps no FM block
  int slot = 0;
  FmForm form = FmForm::fifteen_words;
  bool written = false;  // a restore writes it back
  std::uint16_t written_magic = k_fm_magic_alternative;
};

enum class SpeedDialBlocks {
  none,
  first_set,      // blocks 0x37, 0x38, 0x39
  second_set,     // blocks 0x5A, 0x5B, 0x5C
  language_pack,  // language-pack reads with arguments 0x05, 0x06, 0x07 (never written)
};

struct SpeedDialMap {
  SpeedDialBlocks blocks = SpeedDialBlocks::none;
  bool written = false;
  // An empty number is written as one zero word instead of none.
  bool count_at_least_one = false;
};

// Where a product family keeps its FM radio and speed dials; its settings
// words are the catalogue's settings-block layout (device_data/settings_block_table.h).
// Speed dials always travel on slot 0.
struct SettingsBlockMap {
  FmBlockMap fm;
  SpeedDialMap speed_dials;
};

// The FM and speed-dial blocks of `product_id` (a product outside every family:
// FM block 0x15 and speed dials 0x5A-0x5C, both read only).
const SettingsBlockMap& settings_block_map(std::uint32_t product_id);

// True for the products that keep their settings words behind the
// language-pack channel.
bool keeps_settings_behind_language_pack(std::uint32_t product_id);

// Block id of speed dial `index` (0-2) in `blocks` (0 for none or the language pack).
unsigned char speed_dial_block(SpeedDialBlocks blocks, int index);

// The exchanges the settings transfer makes: the HID command channel's,
// unless a test or fuzz target answers them itself.
struct BlockChannel {
  int (*long_command)(int slot, const hid_cmd_report& request, hid_status_report& reply) = &hid_long_command;
  int (*lang_pack_command)(int slot, lang_pack_report& request, lang_pack_reply& reply) = &hid_lang_pack_command;
};

// The recognition worker's request and reply buffers; each frame sets the
// bytes it names and keeps the rest as the previous frame left them.
struct HidBuffers {
  hid_cmd_report& request;
  hid_status_report& reply;
  lang_pack_report& lang_request;
  lang_pack_reply& lang_reply;
};

using BdAddress = std::array<std::uint8_t, 6>;

// The block frames over one channel and one set of buffers.
class SettingsBlocks {
 public:
  explicit SettingsBlocks(HidBuffers buffers, BlockChannel channel = {});

  // Reads `block` (request cleared after the block id); true on success. The
  // reply stays for word() and reply().
  bool read(int slot, unsigned char block);
  // Word `index` of the last read's reply: 0 beyond the word count it reported
  // or the report, so a short reply never yields an earlier reply's bytes.
  std::uint16_t word(int index) const;
  int word_count() const;
  const hid_status_report& reply() const { return m_buffers.reply; }

  // Writes `words` into `block`, then commits the same frame when `commit` is
  // set. The device's answers are not examined.
  void write(int slot, unsigned char block, std::span<const std::uint16_t> words, bool commit);
  // Announces `block` (command 0x10); the answer is not examined.
  void announce(int slot, unsigned char block);

  // Device address over the command channel (command 0x02) or the language-pack
  // channel; nullopt when the exchange failed.
  std::optional<BdAddress> read_address(int slot);
  std::optional<BdAddress> read_language_pack_address();
  // Settings words 0-2 over the language-pack channel.
  std::optional<std::array<std::uint16_t, 3>> read_language_pack_settings();
  void write_language_pack_settings(const std::array<std::uint16_t, 3>& words);
  // Speed dial `index` (0-2) over the language-pack channel.
  std::optional<std::string> read_language_pack_speed_dial(int index);

 private:
  bool lang_pack_exchange(unsigned char command, unsigned char argument);

  HidBuffers m_buffers;
  BlockChannel m_channel;
};

// ---- what the words mean ----

// The FM block of `record` in `form` with `magic` (the six-preset form always
// carries k_fm_magic).
std::vector<std::uint16_t> fm_block_words(const FEXOBluetoothDeviceData& record, FmForm form, std::uint16_t magic);
// Stores an FM reply: the magic whatever it is, frequency, preset, all ten
// presets (presets 6-9 of the six-preset form are 0), RDS and region.
void store_fm_block(FEXOBluetoothDeviceData& record, const SettingsBlocks& blocks, FmForm form);
// What a failed FM read stores: magic 0x56E9 and every other value 0.
void store_failed_fm_block(FEXOBluetoothDeviceData& record);

// The words a speed-dial block write carries for number `index` of `record`:
// one 16-bit character each, none for an empty number unless
// `count_at_least_one`, which sends one zero word.
std::vector<std::uint16_t> speed_dial_block_words(const FEXOBluetoothDeviceData& record, int index,
                                                  bool count_at_least_one);
// The number in a speed-dial read's reply (at most 20 characters; nullopt for
// text that is not UTF-8).
std::optional<std::string> speed_dial_from_reply(const SettingsBlocks& blocks);

// Text of a language-pack reply: bytes 4 to 61, ended by the first zero byte.
std::string language_pack_text(const lang_pack_reply& reply);

// "%02X%02X%02X[%02X%02X%02X]": the address as the record shows it.
std::string address_display_text(const BdAddress& address);

}  // namespace recognition
