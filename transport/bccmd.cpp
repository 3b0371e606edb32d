#include "transport/bccmd.h"

#include <algorithm>

namespace transport {
namespace {

constexpr std::uint8_t k_hci_vendor_event = 0xFF;
// BCCMD channel descriptor: channel 2, first and last fragment.
constexpr std::uint8_t k_bccmd_channel = 0xC2;
constexpr std::uint16_t k_hci_vendor_opcode = 0xFC00;
constexpr std::size_t k_packet_payload_offset = 14;
constexpr std::size_t k_event_status_offset = 11;

}  // namespace

bool bccmd_varid_unanswered(std::uint16_t varid) { return varid >= 0x4001 && varid <= 0x4004; }

std::uint16_t bccmd_words(std::size_t payload_bytes) {
  return payload_bytes < 8 ? 9 : static_cast<std::uint16_t>((payload_bytes + 1) / 2 + 5);
}

std::size_t bccmd_build_packet(bccmd_packet& packet, std::uint16_t type, std::uint16_t sequence,
                               std::uint16_t varid, std::span<const std::uint8_t> payload) {
  packet.fill(0);
  const std::size_t payload_bytes = std::min(payload.size(), k_bccmd_payload_max_bytes);
  const std::uint16_t words = bccmd_words(payload_bytes);
  put_le16(packet, 0, k_hci_vendor_opcode);
  packet[2] = static_cast<std::uint8_t>(2 * words + 1);
  packet[3] = k_bccmd_channel;
  put_le16(packet, 4, type);
  put_le16(packet, 6, words);
  put_le16(packet, 8, sequence);
  put_le16(packet, 10, varid);
  std::copy_n(payload.begin(), payload_bytes, packet.begin() + k_packet_payload_offset);
  // a short payload is followed by zero bytes up to the declared length
  return 2 * static_cast<std::size_t>(words) + 4;
}

void BccmdEventGather::add(std::size_t bytes) { m_filled += std::min(bytes, m_event.size() - m_filled); }

int bccmd_parse_event(std::span<const std::uint8_t> event, std::span<std::uint8_t> payload) {
  if (event.size() < k_bccmd_event_payload_offset + payload.size()) return k_bccmd_malformed;
  if (event[0] != k_hci_vendor_event || event[2] != k_bccmd_channel) return k_bccmd_malformed;
  if (le16_at(event, k_event_status_offset) != 0) return k_bccmd_status_failed;
  std::copy_n(event.begin() + k_bccmd_event_payload_offset, payload.size(), payload.begin());
  return 0;
}

}  // namespace transport
