#pragma once
// BCCMD messages of a BlueCore chip: the request travels in the HCI vendor
// command 0xFC00 over the control pipe, the answer comes back as an HCI vendor
// event (code 0xFF) on the interrupt endpoint, possibly in several pieces.
// Multi-byte fields are little-endian. Only the layout lives here; the USB
// side is transport/bluecore_channel.h.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "transport/byte_order.h"

namespace transport {

// Request: [0..1] opcode 0xFC00, [2] HCI parameter length, [3] channel 0xC2,
// [4..5] type, [6..7] words, [8..9] sequence, [10..11] varid, [12..13] status,
// [14..] payload.
using bccmd_packet = std::array<std::uint8_t, 254>;
// Answer: [0] 0xFF, [1] parameter length, [2] channel 0xC2, [3..10] type,
// words, sequence and varid, [11..12] status (0 OK), [13..] payload.
using bccmd_event = std::array<std::uint8_t, 254>;

inline constexpr std::uint16_t k_bccmd_getreq = 0;
inline constexpr std::uint16_t k_bccmd_getresp = 1;
inline constexpr std::uint16_t k_bccmd_setreq = 2;
// The payload a packet carries: 254 bytes less the 14 of the headers.
inline constexpr std::size_t k_bccmd_payload_max_bytes = 240;
inline constexpr std::size_t k_bccmd_event_payload_offset = 13;
// errno values of a failed exchange: the event is not a BCCMD answer, or the
// chip answered with a status other than OK.
inline constexpr int k_bccmd_malformed = 5;
inline constexpr int k_bccmd_status_failed = 6;

// Persistent-store variables: the length of a key, and the key itself.
inline constexpr std::uint16_t k_varid_ps_size = 0x3006;
inline constexpr std::uint16_t k_varid_ps = 0x7003;
// The chip's reset and halt commands (0x4001 and the next three) send no answer.
bool bccmd_varid_unanswered(std::uint16_t varid);

// The words field for a payload: 9 below 8 bytes, else (bytes + 1) / 2 + 5.
std::uint16_t bccmd_words(std::size_t payload_bytes);
// Lays out a request (the packet is cleared first) and returns the bytes to
// send, 2 x words + 4. `payload` holds at most k_bccmd_payload_max_bytes.
std::size_t bccmd_build_packet(bccmd_packet& packet, std::uint16_t type, std::uint16_t sequence,
                               std::uint16_t varid, std::span<const std::uint8_t> payload);

// Gathers the pieces of one event into a bccmd_event; a piece goes only into
// the space left, so the buffer never overflows whatever the device sends.
class BccmdEventGather {
 public:
  std::span<std::uint8_t> space_left() { return std::span(m_event).subspan(m_filled); }
  // Counts `bytes` written into space_left() (cut to the space left).
  void add(std::size_t bytes);
  bool full() const { return m_filled == m_event.size(); }
  std::span<const std::uint8_t> bytes() const { return std::span(m_event).first(m_filled); }

 private:
  bccmd_event m_event{};
  std::size_t m_filled = 0;
};

// Checks a gathered answer and copies payload.size() bytes of its payload into
// `payload`. Returns 0, k_bccmd_malformed (wrong event code or channel, or fewer
// than 13 + payload.size() bytes) or k_bccmd_status_failed; `payload` is
// untouched unless 0 is returned.
int bccmd_parse_event(std::span<const std::uint8_t> event, std::span<std::uint8_t> payload);

}  // namespace transport
