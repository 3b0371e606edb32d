#pragma once
// Reading one settings block over the HID command channel (command 0x03) and
// the words of its reply. Words past the count the device reported, or past
// the 67-byte status report, read as 0: a short reply never yields stale bytes.
#include <cstdint>
#include <cstring>

#include "transport/hid_channel.h"

namespace settings {

inline constexpr unsigned char k_command_read_block = 0x03;

// Number of words the device put in a read-block reply ([4]).
inline int block_reply_word_count(const hid_status_report& reply) { return reply[4]; }

// Word `index` of a read-block reply already swapped to host order with
// swap_reply_words; 0 beyond the reported count or the report.
inline std::uint16_t block_reply_word(const hid_status_report& reply, int index) {
  const int available = (static_cast<int>(reply.size()) - 5) / 2;
  if (index < 0 || index >= block_reply_word_count(reply) || index >= available) return 0;
  const unsigned char* word = reply.data() + 5 + 2 * index;
  // swap_reply_words left the bytes in host order
  std::uint16_t value = 0;
  std::memcpy(&value, word, sizeof value);
  return value;
}

// Low byte of word `index` (0 beyond the reply).
inline int block_reply_low_byte(const hid_status_report& reply, int index) {
  return block_reply_word(reply, index) & 0xFF;
}

// Sends read-block for `block` on `slot` with [3] = `parameter` (the other
// request bytes stay as the caller left them) and swaps the reply words to
// host order. 1 on success, 0 when the command failed.
inline int read_block(int slot, unsigned char block, unsigned char parameter, hid_cmd_report& request,
                      hid_status_report& reply) {
  request[0] = 1;
  request[1] = k_command_read_block;
  request[2] = block;
  request[3] = parameter;
  if (hid_long_command(slot, request, reply) != 1) return 0;
  swap_reply_words(reply);
  return 1;
}

}  // namespace settings
