#pragma once
// Reading one settings block over the HID command channel (command 0x03) and
// the words of its reply. A read-block reply carries the block id at [3], the
// word count at [4] and the words from [5], most significant byte first; the
// words are read where they lie, so the reply stays as the device sent it.
// Words past the count the device reported, or past the 67-byte status report,
// read as 0: a short reply never yields stale bytes.
#include <cstdint>

#include "transport/hid_channel.h"
#include "transport/hid_commands.h"

namespace transport {

// Number of words the device put in a read-block reply ([4]).
int block_reply_word_count(const hid_status_report& reply);

// Word `index` of a read-block reply; 0 beyond the reported count or the report.
std::uint16_t block_reply_word(const hid_status_report& reply, int index);

// Low byte of word `index` (0 beyond the reply).
int block_reply_low_byte(const hid_status_report& reply, int index);

// Sends read-block for `block` on `slot` with [3] = `parameter` (the other
// request bytes stay as the caller left them). 1 on success, 0 when the
// command failed.
int read_block(int slot, unsigned char block, unsigned char parameter, hid_cmd_report& request,
               hid_status_report& reply);

}  // namespace transport
