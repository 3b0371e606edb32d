#include "update/unit_language_commands.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/format.h"
#include "platform/log.h"
#include "transport/hid_channel.h"
#include "transport/hid_commands.h"

namespace {

struct NamedCode {
  std::string_view name;
  int code;
};

constexpr NamedCode k_unit_codes[] = {
    {"French", 1}, {"Spanish", 2}, {"Italian", 3}, {"German", 4},   {"Dutch", 5},
    {"Russian", 6}, {"Chinese", 7}, {"Korean", 8}, {"Japanese", 9}, {"Finnish", 10},
};

constexpr NamedCode k_qorlan_codes[] = {
    {"French", 1},    {"German", 4},    {"Italian", 3},  {"Japanese", 9}, {"Korean", 8},    {"Spanish", 2},
    {"Dutch", 5},     {"Russian", 6},   {"Chinese", 7},  {"Finnish", 10}, {"Czech", 11},    {"Danish", 1},
    {"Norwegian", 2}, {"Swedish", 3},   {"Polish", 4},   {"Turkish", 5},  {"Hungarian", 6}, {"Portuguese", 7},
    {"Hebrew", 8},    {"Greek", 9},
};

constexpr NamedCode k_image_suffixes[] = {
    {"fr", 1}, {"de", 2}, {"it", 3}, {"jp", 4}, {"kr", 5}, {"es", 6}, {"dc", 7}, {"rs", 8}, {"cn", 9}, {"fn", 10},
};

// Set-language command parameter by image language index - 1.
constexpr std::array<int, 10> k_command_codes = {1, 4, 3, 6, 5, 2, 7, 8, 9, 10};

template <std::size_t N>
int code_of(const NamedCode (&table)[N], const std::string& name) {
  const auto found = std::find_if(std::begin(table), std::end(table), [&](const NamedCode& row) { return row.name == name; });
  return found == std::end(table) ? 0 : found->code;
}

using transport::k_hid_report_id;
using transport::k_command_read_block;
using transport::k_command_write_block;
constexpr unsigned char k_unit_configuration_block = 0x04;
// Reply: [3] block id, [4] word count, [5..] words, high byte first; [12] is the low byte of word 3.
constexpr std::size_t k_reply_block_at = 3;
constexpr std::size_t k_reply_count_at = 4;
constexpr std::size_t k_reply_language_at = 12;
// The write request carries the reply from its block id on, one byte earlier.
constexpr std::size_t k_write_block_at = 2;
constexpr std::size_t k_write_count_at = 3;
constexpr std::size_t k_write_language_at = 11;
constexpr std::size_t k_write_copied_bytes = 64;
constexpr unsigned char k_language_bits = 0x1F;
constexpr unsigned char k_four_word_form = 0x20;

bool set_unit_language(int slot, int code, const char* done_format) {
  // read the unit-configuration block
  hid_cmd_report read{};
  read[0] = k_hid_report_id;
  read[1] = k_command_read_block;
  read[2] = k_unit_configuration_block;
  hid_status_report reply{};
  if (hid_long_command(slot, read, reply) != 1) {
    platform::system_log("read fail");
    return false;
  }
  // the device answers with two words, or with four or more
  const int words = reply[k_reply_count_at];
  if (words != 2 && words < 4) {
    platform::system_log("size error");
    return false;
  }
  // patch the language bits of word 3
  reply[k_reply_language_at] = static_cast<unsigned char>((code & k_language_bits) | (reply[k_reply_language_at] & 0xE0));

  // write it back as read, two words grown to four
  hid_cmd_report write{};
  write[0] = k_hid_report_id;
  write[1] = k_command_write_block;
  std::copy_n(reply.begin() + k_reply_block_at, k_write_copied_bytes, write.begin() + k_write_block_at);
  if (write[k_write_count_at] == 2) {
    write[k_write_count_at] = 4;
    write[k_write_language_at] |= k_four_word_form;
  }
  hid_status_report written{};
  if (hid_long_command(slot, write, written) != 1) {
    platform::system_log("write error");
    return false;
  }
  platform::system_log(platform::format(done_format, code));
  return true;
}

}  // namespace

bool UnitLanguageCommands::bt_set_unit_language_with(int slot, int code) {
  return set_unit_language(slot, code, "bt_set_unit_language[%d]");
}

bool UnitLanguageCommands::bt_set_unit_language_qorlan_with(int slot, int code) {
  return set_unit_language(slot, code, "qorlan bt_set_unit_language[%d]");
}

int UnitLanguageCommands::UnitLanguageCodeFromString(const std::string& name) { return code_of(k_unit_codes, name); }

int UnitLanguageCommands::UnitLanguageCodeFromStringForQorlan(const std::string& name) {
  platform::system_log(platform::format("qorlan changestrLanguage[%@]", name));
  return code_of(k_qorlan_codes, name);
}

int UnitLanguageCommands::GetLanguageCodeFromIMGFileNmae(const std::string& suffix) {
  return code_of(k_image_suffixes, suffix);
}

int UnitLanguageCommands::LanguageCodeFromString(int index) {
  if (index < 1 || index > static_cast<int>(k_command_codes.size())) return 0;
  return k_command_codes[static_cast<std::size_t>(index - 1)];
}
