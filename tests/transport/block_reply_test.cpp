#include "transport/block_reply.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A read-block reply of block 0x1D: the count at [4], the words from [5].
hid_status_report reply_with(std::uint8_t count, const std::vector<std::uint8_t>& word_bytes) {
  hid_status_report reply{};
  reply[0] = 1;
  reply[1] = transport::k_command_read_block;
  reply[3] = 0x1D;
  reply[4] = count;
  for (std::size_t i = 0; i < word_bytes.size() && 5 + i < reply.size(); ++i) reply[5 + i] = word_bytes[i];
  return reply;
}

TEST(BlockReply, WordsAreReadMostSignificantByteFirstWithinTheCountAndTheReport) {
  struct Case {
    const char* name;
    hid_status_report reply;
    int index;
    std::uint16_t word;
  };
  hid_status_report full = reply_with(255, {});
  full[65] = 0xAB;  // word 30, the last one a 67-byte report holds
  full[66] = 0xCD;
  const Case cases[] = {
      {"first word", reply_with(2, {0x12, 0x34, 0x56, 0x78}), 0, 0x1234},
      {"second word", reply_with(2, {0x12, 0x34, 0x56, 0x78}), 1, 0x5678},
      {"past the reported count", reply_with(1, {0x12, 0x34, 0x56, 0x78}), 1, 0},
      {"negative index", reply_with(2, {0x12, 0x34}), -1, 0},
      {"last word of the report", full, 30, 0xABCD},
      {"a count past the report", full, 31, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(transport::block_reply_word(c.reply, c.index), c.word);
    EXPECT_EQ(transport::block_reply_low_byte(c.reply, c.index), c.word & 0xFF);
  }
  EXPECT_EQ(transport::block_reply_word_count(reply_with(7, {})), 7);
}

}  // namespace
