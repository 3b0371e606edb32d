#include "transport/block_reply.h"

namespace transport {

namespace {
constexpr std::size_t k_word_count_byte = 4;
constexpr std::size_t k_first_word_byte = 5;
}  // namespace

int block_reply_word_count(const hid_status_report& reply) { return reply[k_word_count_byte]; }

std::uint16_t block_reply_word(const hid_status_report& reply, int index) {
  const int available = static_cast<int>((reply.size() - k_first_word_byte) / 2);
  if (index < 0 || index >= block_reply_word_count(reply) || index >= available) return 0;
  const std::size_t high = k_first_word_byte + 2 * static_cast<std::size_t>(index);
  return static_cast<std::uint16_t>(reply[high] << 8 | reply[high + 1]);
}

int block_reply_low_byte(const hid_status_report& reply, int index) { return block_reply_word(reply, index) & 0xFF; }

int read_block(int slot, unsigned char block, unsigned char parameter, hid_cmd_report& request,
               hid_status_report& reply) {
  request[0] = transport::k_hid_report_id;
  request[1] = k_command_read_block;
  request[2] = block;
  request[3] = parameter;
  return hid_long_command(slot, request, reply) == 1 ? 1 : 0;
}

}  // namespace transport
