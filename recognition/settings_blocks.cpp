#include "recognition/settings_blocks.h"

#include <algorithm>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "transport/block_reply.h"
#include "transport/byte_order.h"
#include "transport/hid_commands.h"

namespace recognition {
namespace {

using transport::k_lang_pack_read;
using transport::k_lang_pack_write;
using transport::k_lang_pack_settings;
using transport::k_lang_pack_first_speed_dial;
// Language-pack replies: [0] report id, [1] bytes gathered, [2] command, [3]
// argument, then the data; a text runs to the end of the 62-byte reply.
constexpr std::size_t k_lang_pack_data_byte = 4;
constexpr std::size_t k_lang_pack_text_bytes = 58;
// Read-address replies carry the six address bytes from [3].
constexpr std::size_t k_address_byte = 3;
constexpr std::size_t k_request_words_byte = 4;

constexpr FmBlockMap fm_written(unsigned char block = k_block_fm, int slot = 0) {
  return {.block = block, .slot = slot, .written = true};
}
constexpr FmBlockMap fm_read_only() { return {.block = k_block_fm}; }
constexpr SpeedDialMap dials_written(SpeedDialBlocks blocks = SpeedDialBlocks::second_set) {
  return {.blocks = blocks, .written = true};
}
constexpr SpeedDialMap dials_read_only() { return {.blocks = SpeedDialBlocks::second_set}; }
constexpr SpeedDialMap dials_count_at_least_one() {
  return {.blocks = SpeedDialBlocks::second_set, .written = true, .count_at_least_one = true};
}

constexpr SettingsBlockMap k_two_module{.fm = fm_written(k_block_fm, 1), .speed_dials = dials_written()};
constexpr SettingsBlockMap k_none{};
constexpr SettingsBlockMap k_qcc{.fm = fm_written(k_block_qcc_fm),
                                 .speed_dials = dials_written(SpeedDialBlocks::first_set)};
// FM block 0x15 read only, speed dials in 0x37-0x39 written
constexpr SettingsBlockMap k_first_set_dials{.fm = fm_read_only(),
                                             .speed_dials = dials_written(SpeedDialBlocks::first_set)};
constexpr SettingsBlockMap k_language_pack_dials{.fm = {}, .speed_dials = {.blocks = SpeedDialBlocks::language_pack}};
constexpr SettingsBlockMap k_written{.fm = fm_written(), .speed_dials = dials_written()};
constexpr SettingsBlockMap k_fm_written{.fm = fm_written(), .speed_dials = dials_read_only()};
constexpr SettingsBlockMap k_speed_dials_written{.fm = fm_read_only(), .speed_dials = dials_written()};
constexpr SettingsBlockMap k_read_only{.fm = fm_read_only(), .speed_dials = dials_read_only()};
constexpr SettingsBlockMap k_packed_word_large{.fm = fm_written(), .speed_dials = dials_count_at_least_one()};
constexpr SettingsBlockMap k_commit_no_fm{.fm = {}, .speed_dials = dials_count_at_least_one()};
constexpr SettingsBlockMap k_commit_fifteen_words{
    .fm = {.block = k_block_fm, .written = true, .written_magic = k_fm_magic},
    .speed_dials = dials_count_at_least_one()};
constexpr SettingsBlockMap k_commit_six_presets{
    .fm = {.block = k_block_fm, .form = FmForm::six_presets, .written = true, .written_magic = k_fm_magic},
    .speed_dials = dials_count_at_least_one()};
constexpr SettingsBlockMap k_commit_fm_read_only{.fm = fm_read_only(), .speed_dials = dials_count_at_least_one()};

const SettingsBlockMap& block_map_of(device_data::FmAndSpeedDials kind) {
  using K = device_data::FmAndSpeedDials;
  switch (kind) {
    case K::read_only: break;
    case K::none: return k_none;
    case K::two_module: return k_two_module;
    case K::qcc: return k_qcc;
    case K::first_set_dials: return k_first_set_dials;
    case K::language_pack_dials: return k_language_pack_dials;
    case K::written: return k_written;
    case K::fm_written: return k_fm_written;
    case K::dials_written: return k_speed_dials_written;
    case K::count_at_least_one: return k_packed_word_large;
    case K::commit_no_fm: return k_commit_no_fm;
    case K::commit_fifteen_words: return k_commit_fifteen_words;
    case K::commit_six_presets: return k_commit_six_presets;
    case K::commit_fm_read_only: return k_commit_fm_read_only;
  }
  return k_read_only;
}

}  // namespace

const SettingsBlockMap& settings_block_map(std::uint32_t id) {
  return block_map_of(device_data::settings_layout_row_of(static_cast<int>(id)).fm_and_speed_dials);
}

bool keeps_settings_behind_language_pack(std::uint32_t id) {
  return device_data::settings_layout_row_of(static_cast<int>(id)).language_pack;
}

unsigned char speed_dial_block(SpeedDialBlocks blocks, int index) {
  if (index < 0 || index >= FEXOBluetoothDeviceData::k_speed_dial_count) return 0;
  switch (blocks) {
    case SpeedDialBlocks::first_set: return static_cast<unsigned char>(0x37 + index);
    case SpeedDialBlocks::second_set: return static_cast<unsigned char>(0x5A + index);
    case SpeedDialBlocks::none:
    case SpeedDialBlocks::language_pack: break;
  }
  return 0;
}

// ---- frames ----

SettingsBlocks::SettingsBlocks(HidBuffers buffers, BlockChannel channel) : m_buffers(buffers), m_channel(channel) {}

bool SettingsBlocks::read(int slot, unsigned char block) {
  hid_cmd_report& request = m_buffers.request;
  std::fill(request.begin() + 3, request.end(), 0);
  request[0] = transport::k_hid_report_id;
  request[1] = transport::k_command_read_block;
  request[2] = block;
  return m_channel.long_command(slot, request, m_buffers.reply) == 1;
}

std::uint16_t SettingsBlocks::word(int index) const { return transport::block_reply_word(m_buffers.reply, index); }

int SettingsBlocks::word_count() const { return transport::block_reply_word_count(m_buffers.reply); }

void SettingsBlocks::write(int slot, unsigned char block, std::span<const std::uint16_t> words, bool commit) {
  hid_cmd_report& request = m_buffers.request;
  const std::size_t count = std::min<std::size_t>(words.size(), (request.size() - k_request_words_byte) / 2);
  std::fill(request.begin() + 1, request.end(), 0);
  request[0] = transport::k_hid_report_id;
  request[1] = k_command_write_block;
  request[2] = block;
  request[3] = static_cast<unsigned char>(count);
  for (std::size_t i = 0; i < count; ++i) {
    request[k_request_words_byte + 2 * i] = static_cast<unsigned char>(words[i] >> 8);
    request[k_request_words_byte + 2 * i + 1] = static_cast<unsigned char>(words[i] & 0xFF);
  }
  m_channel.long_command(slot, request, m_buffers.reply);
  if (!commit) return;
  // the commit repeats the write's frame with its words least significant byte first
  request[1] = k_command_commit_block;
  swap_packet_words(request);
  m_channel.long_command(slot, request, m_buffers.reply);
}

void SettingsBlocks::announce(int slot, unsigned char block) {
  hid_cmd_report& request = m_buffers.request;
  request[0] = transport::k_hid_report_id;
  request[1] = k_command_announce_block;
  request[2] = block;
  m_channel.long_command(slot, request, m_buffers.reply);
}

std::optional<BdAddress> SettingsBlocks::read_address(int slot) {
  hid_cmd_report& request = m_buffers.request;
  std::fill(request.begin() + 2, request.end(), 0);
  request[0] = transport::k_hid_report_id;
  request[1] = k_command_read_address;
  if (m_channel.long_command(slot, request, m_buffers.reply) != 1) return std::nullopt;
  BdAddress address{};
  std::copy_n(m_buffers.reply.begin() + k_address_byte, address.size(), address.begin());
  return address;
}

bool SettingsBlocks::lang_pack_exchange(unsigned char command, unsigned char argument) {
  lang_pack_report& request = m_buffers.lang_request;
  request.fill(0);
  request[0] = transport::k_hid_report_id;
  request[2] = command;
  request[3] = argument;
  return m_channel.lang_pack_command(0, request, m_buffers.lang_reply) == 1;
}

std::optional<BdAddress> SettingsBlocks::read_language_pack_address() {
  if (!lang_pack_exchange(k_command_read_address, 0)) return std::nullopt;
  BdAddress address{};
  std::copy_n(m_buffers.lang_reply.begin() + k_lang_pack_data_byte, address.size(), address.begin());
  return address;
}

std::optional<std::array<std::uint16_t, 3>> SettingsBlocks::read_language_pack_settings() {
  if (!lang_pack_exchange(k_lang_pack_read, k_lang_pack_settings)) return std::nullopt;
  std::array<std::uint16_t, 3> words{};
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = transport::le16_at(m_buffers.lang_reply, k_lang_pack_data_byte + 2 * i);
  }
  return words;
}

void SettingsBlocks::write_language_pack_settings(const std::array<std::uint16_t, 3>& words) {
  lang_pack_report& request = m_buffers.lang_request;
  request.fill(0);
  request[0] = transport::k_hid_report_id;
  request[2] = k_lang_pack_write;
  request[3] = k_lang_pack_settings;
  for (std::size_t i = 0; i < words.size(); ++i) transport::put_le16(request, k_lang_pack_data_byte + 2 * i, words[i]);
  m_channel.lang_pack_command(0, request, m_buffers.lang_reply);
}

std::optional<std::string> SettingsBlocks::read_language_pack_speed_dial(int index) {
  if (index < 0 || index >= FEXOBluetoothDeviceData::k_speed_dial_count) return std::nullopt;
  if (!lang_pack_exchange(k_lang_pack_read, static_cast<unsigned char>(k_lang_pack_first_speed_dial + index))) {
    return std::nullopt;
  }
  return language_pack_text(m_buffers.lang_reply);
}

// ---- what the words mean ----

std::vector<std::uint16_t> fm_block_words(const FEXOBluetoothDeviceData& record, FmForm form, std::uint16_t magic) {
  const bool six = form == FmForm::six_presets;
  const int presets = six ? FEXOBluetoothDeviceData::k_fm_preset_group_count : FEXOBluetoothDeviceData::k_fm_preset_count;
  const auto word = [](std::int32_t value) { return static_cast<std::uint16_t>(value); };
  std::vector<std::uint16_t> words{six ? k_fm_magic : magic, word(record.fmRadioCurrentFrequency()),
                                   word(record.fmRadioCurrentPreset())};
  for (int i = 0; i < presets; ++i) words.push_back(word(record.fmRadioPresetsAt(i)));
  words.push_back(word(record.fmRadioRDS()));
  words.push_back(word(record.fmRadioRegion()));
  return words;
}

void store_fm_block(FEXOBluetoothDeviceData& record, const SettingsBlocks& blocks, FmForm form) {
  const int presets = form == FmForm::six_presets ? FEXOBluetoothDeviceData::k_fm_preset_group_count
                                                  : FEXOBluetoothDeviceData::k_fm_preset_count;
  record.setFmRadioMagicCode(blocks.word(0));
  record.setFmRadioCurrentFrequency(blocks.word(1));
  record.setFmRadioCurrentPreset(blocks.word(2));
  // a six-preset block leaves presets 6-9 as the read started them: empty
  for (int i = 0; i < FEXOBluetoothDeviceData::k_fm_preset_count; ++i) {
    record.setFmRadioPresetsAt_with(i, i < presets ? blocks.word(3 + i) : 0);
  }
  record.setFmRadioRDS(blocks.word(3 + presets));
  record.setFmRadioRegion(blocks.word(4 + presets));
}

void store_failed_fm_block(FEXOBluetoothDeviceData& record) {
  record.setFmRadioMagicCode(k_fm_magic);
  record.setFmRadioCurrentFrequency(0);
  record.setFmRadioCurrentPreset(0);
  for (int i = 0; i < FEXOBluetoothDeviceData::k_fm_preset_count; ++i) record.setFmRadioPresetsAt_with(i, 0);
  record.setFmRadioRDS(0);
  record.setFmRadioRegion(0);
}

std::vector<std::uint16_t> speed_dial_block_words(const FEXOBluetoothDeviceData& record, int index,
                                                  bool count_at_least_one) {
  FEXOBluetoothDeviceData::SpeedDialArray characters{};
  const int bytes = FEXOBluetoothDeviceData::getSpeedDialArray_FromString(characters, record.speedDialAt(index));
  std::size_t count = static_cast<std::size_t>(bytes / 2);
  if (count == 0 && count_at_least_one) count = 1;
  return {characters.begin(), characters.begin() + static_cast<std::ptrdiff_t>(count)};
}

std::optional<std::string> speed_dial_from_reply(const SettingsBlocks& blocks) {
  FEXOBluetoothDeviceData::SpeedDialArray characters{};
  for (std::size_t i = 0; i < characters.size(); ++i) characters[i] = blocks.word(static_cast<int>(i));
  std::optional<std::string> number;
  FEXOBluetoothDeviceData::getSpeedDialString_FromArray(number, characters);
  return number;
}

std::string language_pack_text(const lang_pack_reply& reply) {
  const auto first = reply.begin() + k_lang_pack_data_byte;
  const auto last = first + static_cast<std::ptrdiff_t>(k_lang_pack_text_bytes);
  return std::string(first, std::find(first, last, 0));
}

std::string address_display_text(const BdAddress& address) {
  return platform::format("%02X%02X%02X[%02X%02X%02X]", address[0], address[1], address[2], address[3], address[4],
                          address[5]);
}

}  // namespace recognition
