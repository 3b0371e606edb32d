// A BlueCore device's answer to a BCCMD request, as the channel gathers and
// checks it: any pieces a device sends, of any length, must stay inside the
// 254-byte event buffer, and only a well-formed answer with status OK may hand
// payload bytes to the caller, exactly those of the answer.
//
// Input: [0] payload length (taken modulo 241), then the pieces the device
// sends, each a length byte followed by that many bytes (a last piece gets
// what is left). The payload also goes through the request builder.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "transport/bccmd.h"

namespace {

constexpr std::uint8_t k_untouched = 0xA5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::size_t payload_bytes = data[0] % (transport::k_bccmd_payload_max_bytes + 1);
  std::span<const std::uint8_t> input(data + 1, size - 1);

  // the request for a payload of this length fits the packet
  std::vector<std::uint8_t> request_payload(input.begin(), input.begin() + std::min(input.size(), payload_bytes));
  request_payload.resize(payload_bytes, 0);
  transport::bccmd_packet packet;
  const std::size_t length = transport::bccmd_build_packet(packet, transport::k_bccmd_getreq, 7, 0x7003,
                                                           request_payload);
  FUZZ_CHECK(length <= packet.size());
  FUZZ_CHECK(length == 2u * transport::le16_at(packet, 6) + 4);
  FUZZ_CHECK(std::equal(request_payload.begin(), request_payload.end(), packet.begin() + 14));

  // the pieces, each read into the space left as the event reads do
  transport::BccmdEventGather gather;
  while (!input.empty() && !gather.full()) {
    const std::size_t piece = std::min<std::size_t>(input[0], input.size() - 1);
    const std::span<std::uint8_t> space = gather.space_left();
    const std::size_t copied = std::min(piece, space.size());
    std::copy_n(input.begin() + 1, copied, space.begin());
    gather.add(copied);
    input = input.subspan(1 + piece);
  }
  const std::span<const std::uint8_t> event = gather.bytes();
  FUZZ_CHECK(event.size() <= transport::bccmd_event{}.size());

  std::vector<std::uint8_t> payload(payload_bytes, k_untouched);
  const int error = transport::bccmd_parse_event(event, payload);
  if (error == 0) {
    FUZZ_CHECK(event.size() >= transport::k_bccmd_event_payload_offset + payload_bytes);
    FUZZ_CHECK(event[0] == 0xFF && event[2] == 0xC2 && transport::le16_at(event, 11) == 0);
    FUZZ_CHECK(std::equal(payload.begin(), payload.end(), event.begin() + transport::k_bccmd_event_payload_offset));
  } else {
    FUZZ_CHECK(error == transport::k_bccmd_malformed || error == transport::k_bccmd_status_failed);
    FUZZ_CHECK(std::all_of(payload.begin(), payload.end(), [](std::uint8_t byte) { return byte == k_untouched; }));
  }
  return 0;
}
