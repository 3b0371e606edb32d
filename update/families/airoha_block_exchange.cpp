#include "update/families/airoha_block_exchange.h"

#include <algorithm>
#include <span>

#include "platform/format.h"
#include "platform/log.h"
#include "transport/crc.h"
#include "transport/hid_commands.h"

namespace update::families {

namespace {

using transport::k_hid_report_id;
using transport::k_command_version;
using transport::k_command_begin_section;
using transport::k_command_section_data;
using transport::k_command_verify_all;
using transport::k_command_run_loader;
using transport::k_command_section_result;
// Blocks of this kind are version-checked before they are sent.
constexpr std::uint32_t k_kind_version_checked = 1;
// The verify command names the CRC's width in bytes before the CRC.
constexpr unsigned char k_verify_crc_bytes = 2;
// The device's answer starts after the report id, the gathered count and its two leading bytes.
constexpr std::size_t k_payload_at = 4;

// The report id and the command, every other byte cleared.
void start_report(lang_pack_report& request, unsigned char command) {
  request.fill(0);
  request[0] = k_hid_report_id;
  request[2] = command;
}

AirohaBlockFailure failed(AirohaStep step, const char* suffix = "") { return {step, suffix}; }

}  // namespace

std::array<std::uint8_t, 5> airoha_block_versions(const lang_pack_reply& reply) {
  std::array<std::uint8_t, 5> versions{};
  std::copy_n(reply.begin() + k_payload_at, versions.size(), versions.begin());
  return versions;
}

std::uint16_t airoha_chunk_crc(const lang_pack_reply& reply) {
  return static_cast<std::uint16_t>(reply[k_payload_at] | reply[k_payload_at + 1] << 8);
}

AirohaBlockSend send_airoha_block(const transport::PackageEntry& entry, const AirohaBlockPlan& plan,
                                  const LangPackExchange& exchange) {
  const int number = static_cast<int>(entry.number);
  lang_pack_report request{};
  lang_pack_reply reply{};
  if (plan.two_chip_logs) platform::system_log(platform::format("--------------WQ8V2 MESH AIROHA BLOCK %d UPDATE START", number));

  // block version query
  if (entry.kind == k_kind_version_checked) {
    if (plan.two_chip_logs) platform::system_log(platform::format("--------------WQ8V2 MESH AIROHA BLOCK %d VERSION CHECK", number));
    start_report(request, k_command_version);
    request[3] = static_cast<unsigned char>(entry.number & 0xFF);
    if (exchange(request, reply) != 1) return {false, failed(AirohaStep::version_query)};
    const std::array<std::uint8_t, 5> device = airoha_block_versions(reply);
    const bool same = std::equal(device.begin(), device.end(), entry.versions.begin(),
                                 [](std::uint8_t held, std::uint32_t sent) { return held == sent; });
    if (same) {
      platform::system_log(platform::format(
          plan.two_chip_logs ? "--------------WQ8V2 AIROHA BLOCK %d's VERSION IS SAME, %d %d %d %d %d UPDATE SKIP!!! "
                             : "airoha block %d: the device holds versions %d %d %d %d %d already",
          number, device[0], device[1], device[2], device[3], device[4]));
      if (plan.skip_same_versions) return {true, std::nullopt};
    }
  }

  // begin block
  start_report(request, k_command_begin_section);
  if (exchange(request, reply) != 1) return {false, failed(AirohaStep::begin)};
  std::uint16_t block_crc = 0;

  // data, each chunk acknowledged with the device's CRC of it
  const std::size_t length = entry.data.size();
  int logged_percent = -1;
  for (std::size_t sent = 0; sent < length;) {
    const std::size_t chunk = std::min(length - sent, k_airoha_chunk_bytes);
    const std::span<const std::uint8_t> bytes = entry.data.subspan(sent, chunk);
    start_report(request, k_command_section_data);
    request[3] = static_cast<unsigned char>(chunk);
    std::copy(bytes.begin(), bytes.end(), request.begin() + 4);
    if (exchange(request, reply) != 1) return {false, failed(AirohaStep::data)};
    const std::uint16_t chunk_crc = transport::crc16_ccitt(bytes, 0);
    const std::uint16_t device_crc = airoha_chunk_crc(reply);
    if (device_crc != chunk_crc) {
      platform::system_log(platform::format("airoha block %d: chunk at byte %u: device CRC 0x%04X, sent 0x%04X", number,
                                            static_cast<unsigned>(sent), device_crc, chunk_crc));
      return {false, failed(AirohaStep::data, "_Write CRC Check Fail")};
    }
    block_crc = transport::crc16_ccitt(bytes, block_crc);
    sent += chunk;
    const int percent = static_cast<int>(sent * 100 / length);
    if (percent != logged_percent) {
      logged_percent = percent;
      platform::system_log(platform::format("--- NORMAL BLOCK[%d][%d][%d] CRC[0x%04X][0x%04X]  Progress: %3d%%",
                                            static_cast<int>(chunk), static_cast<int>(sent),
                                            static_cast<int>(length), device_crc, block_crc, percent));
    }
  }

  // verify the whole block
  if (plan.two_chip_logs) platform::system_log("--------------AIROHA MESH VERIFY");
  start_report(request, k_command_verify_all);
  request[4] = k_verify_crc_bytes;
  request[5] = static_cast<unsigned char>(block_crc & 0xFF);
  request[6] = static_cast<unsigned char>(block_crc >> 8);
  if (exchange(request, reply) != 1) return {false, failed(AirohaStep::data, "_Verify All Fail")};

  // apply: the chip writes the block and restarts
  start_report(request, k_command_run_loader);
  if (exchange(request, reply) != 1) return {false, failed(AirohaStep::apply)};
  return {};
}

std::optional<std::uint8_t> airoha_block_result(const LangPackExchange& exchange) {
  lang_pack_report request{};
  lang_pack_reply reply{};
  start_report(request, k_command_section_result);
  if (exchange(request, reply) != 1) return std::nullopt;
  return reply[k_payload_at];
}

}  // namespace update::families
