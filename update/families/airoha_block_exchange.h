#pragma once
// The exchange that carries one firmware block to an Airoha chip over the
// language-pack channel (62-byte reports, '<' in byte 1): the block version
// query (0x01, block number in byte 3) for a version-checked block, begin
// block (0x05), the data in chunks of at most 58 bytes (0x06, count in byte
// 3, data from byte 4), each answered with the device's CRC-16/XMODEM of that
// chunk in payload bytes 4 (low) and 5 (high), verify block (0x5B) with the
// CRC of the whole block, and apply block (0x08), after which the chip
// restarts. Once it is back, the block result (0x0A) says a value the host
// only logs. The device has no status byte: a refusal is silence, or a CRC
// that is not the host's.
//
// The exchange reads nothing from the device's reply beyond its fixed payload
// bytes, and nothing from the package beyond the entry's checked data.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "transport/firmware_package.h"
#include "transport/hid_channel.h"

namespace update::families {

// Data bytes one 0x06 report carries at most.
inline constexpr std::size_t k_airoha_chunk_bytes = 58;

// One language-pack exchange with the device: 1 on a complete reply, else 0.
using LangPackExchange = std::function<int(lang_pack_report& request, lang_pack_reply& reply)>;

// Step codes of the failure texts "[code][ai][block]".
enum class AirohaStep : int {
  begin = 0,
  data = 1,  // a chunk, or the verify
  apply = 4,
  reopen = 5,
  result = 6,
  version_query = 20,
};

struct AirohaBlockFailure {
  AirohaStep step = AirohaStep::begin;
  // "", "_Write CRC Check Fail" or "_Verify All Fail"
  const char* suffix = "";
};

struct AirohaBlockSend {
  bool skipped = false;  // the device holds the block's versions already: nothing was sent after the query
  std::optional<AirohaBlockFailure> failure;
};

struct AirohaBlockPlan {
  // A version-checked block whose five versions equal the device's answer is
  // skipped; otherwise the answer is only logged and the block goes anyway.
  bool skip_same_versions = false;
  // The log lines of the two-chip products.
  bool two_chip_logs = false;
};

// Sends `entry` (its block number, kind, versions and data) up to and with
// the apply command.
AirohaBlockSend send_airoha_block(const transport::PackageEntry& entry, const AirohaBlockPlan& plan,
                                  const LangPackExchange& exchange);

// The block result query: the device's value, or nothing when the exchange failed.
std::optional<std::uint8_t> airoha_block_result(const LangPackExchange& exchange);

// The device's five version bytes of a block version answer (payload bytes 4-8).
std::array<std::uint8_t, 5> airoha_block_versions(const lang_pack_reply& reply);
// The device's CRC of a chunk (payload bytes 4 low, 5 high).
std::uint16_t airoha_chunk_crc(const lang_pack_reply& reply);

}  // namespace update::families
