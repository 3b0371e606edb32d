#pragma once
// HID command channel: finds the maker's devices by USB vendor and product id,
// keeps their open handles in two module-wide slots (0 and 1) and carries the
// long command report, the short command report and the language-pack exchange.
// Every operation blocks the calling thread; a slot is used by one thread at a
// time. Replies carry 16-bit words most significant byte first.
//
// Reads wait at most 30 s for a report, a device busy for 60 s without a break
// fails the exchange, and a stop request of the calling worker (see
// transport/stop_request.h) ends an exchange as a failed read within a quarter
// of a second. Bytes a reply did not carry read as 0. An exchange that returns
// 0 leaves its reason for the slot (transport::hid_last_error) and writes it to
// the console.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "transport/transport_message.h"

// Long command request: [0] report id 1, [1] command, [2..] parameters (block
// commands: [2] block id, [3] word count, [4..] big-endian words).
using hid_cmd_report = std::array<unsigned char, 1023>;
// Status report: [0] report id, [1] command answered, [2] status (0 success,
// 1 busy, other failure), [3..] reply data (read block: [3] block id, [4] word
// count, [5..] big-endian words).
using hid_status_report = std::array<unsigned char, 67>;
// Short request and reply, laid out as the long forms cut to 65 bytes.
using hid_short_report = std::array<unsigned char, 65>;
// Language-pack request: [0] report id 1, [1] '<', [2] command, [3..] arguments.
using lang_pack_report = std::array<unsigned char, 62>;
// Gathered language-pack reply: [0] report id of the first chunk, [1] bytes
// gathered (low 8 bits), [2..] the gathered bytes.
using lang_pack_reply = std::array<unsigned char, 62>;

struct hid_device_;

namespace transport {
// USB vendor id of every device the channel opens.
inline constexpr std::uint16_t k_hid_vendor_id = 0xF3A7;

// Why the last exchange on a slot failed.
enum class HidFailure {
  none,                // the last exchange succeeded, or none has failed since the slot was filled
  not_open,            // the slot holds no device
  write_failed,        // the device did not take the request
  read_failed,         // hidapi reported an error while reading (the device left the bus, or I/O failed)
  read_timed_out,      // no report within 30 s; for a language-pack reply, no data within its polls
  failure_status,      // the device answered with a status other than 0 and 1 (HidError::status)
  busy_bound_reached,  // the device answered busy for 60 s without a break
  short_reply,         // a reply ended before its status byte, or a language-pack reply came short
  long_reply,          // a language-pack reply longer than any length its command has
  unknown_command,     // a language-pack command with no reply length: nothing was sent
  stopped,             // the calling worker's stop request ended the exchange
};

struct HidError {
  HidFailure failure = HidFailure::none;
  int status = 0;  // the device's status byte, for HidFailure::failure_status
};

// The reason of the last failed exchange on `slot` (0 or 1): failure none once
// an exchange succeeds and when a device is opened into the slot; it outlives
// hid_close_all, so a procedure can still say why after its slots are closed.
// Every failure is also written to the console as "hid slot S <exchange>: <reason>".
HidError hid_last_error(int slot);
// The reason in words: "write failed", "read timed out", "status 5", ...
std::string describe(const HidError& error);
}  // namespace transport

// Opens the first device of the supported product ids into slot 0. Returns 0 and
// fills `product_id` and `message`, or -2 (nothing changed) when none opened.
int hid_open_device(std::uint32_t& product_id, transport_message& message);
// Opens the first mesh unit with product id 0x3120 into slot 0: 0 or -2.
int hid_open_mesh_3120(std::uint32_t& product_id, transport_message& message);
// Opens the first mesh unit 0x3160, 0x3220, 0x6501 or 0x6511 into slot 0: 0 or -2.
int hid_open_mesh_qcc(std::uint32_t& product_id, transport_message& message);
// Opens the vendor collection (usage page 0xFF00, usage 1) of a 0x3220 mesh unit
// into slot 0: 0 or -2.
int hid_open_mesh_airoha(std::uint32_t& product_id, transport_message& message);
// Opens the two units 0x5345/0x5346 into slots 0 and 1, only in page modes 2 and 3.
// Returns the number opened minus 2 (0 both, -1 one, -2 none); the pair and the
// message are written only when both are open.
int hid_open_device_pair(std::array<std::uint32_t, 2>& product_ids, transport_message& message, int page_mode);
// Closes both slots and releases hidapi; returns hidapi's result (0).
int hid_close_all();

namespace transport {
// True while `slot` (0 or 1) holds an open device.
bool hid_slot_open(int slot);

// Test seam: opens the first entry with `product_id` into `slot` (0 or 1),
// whatever the product-id filter says, so a test can put the second unit of a
// two-module product beside its main unit. 0, or -2 when none opened. The
// manager itself never calls it.
int hid_open_into_slot_for_test(int slot, std::uint16_t product_id);
}  // namespace transport

// Writes the 1023-byte request on `slot` and reads 67-byte status reports until
// the device is no longer busy. 1 when the final status is 0, else 0.
int hid_long_command(int slot, const hid_cmd_report& request, hid_status_report& reply);
// As hid_long_command on an already opened hidapi handle instead of a slot; a
// failure goes to the console as "hid handle <exchange>: <reason>" and is kept for no slot.
int hid_long_command_on(hid_device_* device, const hid_cmd_report& request, hid_status_report& reply);
// Writes the 1023-byte request: 1 when written, else 0.
int hid_send_long_report(int slot, const hid_cmd_report& request);
// Reads 67-byte status reports until not busy: 1 when the final status is 0.
int hid_wait_long_status(int slot);
// As hid_long_command with 65-byte reports both ways.
int hid_short_command(int slot, const hid_short_report& request, hid_short_report& reply);
// Writes the 65-byte request: 1 when written, else 0.
int hid_send_short_report(int slot, const hid_short_report& request);
// Reads 65-byte status reports until not busy: 1 when the final status is 0.
int hid_wait_short_status(int slot);
// Sends a language-pack request and gathers its reply from input report 2.
// 1 on a reply of exactly the expected length, else 0.
int hid_lang_pack_command(int slot, lang_pack_report& request, lang_pack_reply& reply);
// Expected gathered length of a language-pack reply (reply bytes plus 2), or 0
// when the command has no reply length.
std::uint32_t lang_pack_reply_length(std::uint32_t command);

// Swaps the byte order of the request words in place: count at [3], words from
// [4]; never beyond the buffer.
void swap_packet_words(std::span<unsigned char> packet);
// Swaps the byte order of the read-reply words in place: count at [4], words
// from [5]; never beyond the buffer.
void swap_reply_words(std::span<unsigned char> reply);
// Swaps the two bytes of the first `count` words (none for 0 or less).
void swap_words(std::span<std::uint16_t> words, int count);
// Reverses the four bytes of a 32-bit number.
std::uint32_t swap_u32(std::uint32_t value);
