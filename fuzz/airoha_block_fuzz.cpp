// The Airoha block exchange on answers the fuzzer makes up: nothing may
// crash, every data command carries 1 to 58 bytes of the block in order, the
// verify names the CRC of everything sent, apply comes only after a verify,
// a chunk answered with another CRC ends the block at once, and a block that
// went through sent all its data.
//
// Input: [0] the block's kind (bit 0: version-checked) and whether the
// versions match the first answer (bit 1), [1] the block's length, then the
// answers in the order the exchange asks for them, each one length byte
// followed by that many bytes (missing bytes read as 0). Once the input runs
// out every exchange fails.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/log.h"
#include "update/families/airoha_block_exchange.h"

namespace {

std::uint16_t reference_crc(const std::vector<std::uint8_t>& data) {
  std::uint16_t crc = 0;
  for (std::uint8_t byte : data) {
    crc = static_cast<std::uint16_t>(crc ^ byte << 8);
    for (int bit = 0; bit < 8; ++bit) crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
  }
  return crc;
}

struct Device {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t at = 0;
  std::vector<std::uint8_t> block;      // what the block holds
  std::vector<std::uint8_t> sent;       // data bytes received so far
  bool verified = false;
  bool applied = false;
  bool crc_mismatch = false;            // the last chunk's answer named another CRC

  int exchange(lang_pack_report& request, lang_pack_reply& reply) {
    FUZZ_CHECK(request[0] == 1);
    const bool result_query = request[2] == 0x0A;
    FUZZ_CHECK(!applied || result_query);
    const unsigned char command = request[2];
    if (command == 0x06) {
      FUZZ_CHECK(!verified);
      const std::size_t count = request[3];
      FUZZ_CHECK(count >= 1 && count <= update::families::k_airoha_chunk_bytes);
      FUZZ_CHECK(sent.size() + count <= block.size());
      FUZZ_CHECK(std::equal(request.begin() + 4, request.begin() + 4 + static_cast<std::ptrdiff_t>(count),
                            block.begin() + static_cast<std::ptrdiff_t>(sent.size())));
      sent.insert(sent.end(), request.begin() + 4, request.begin() + 4 + static_cast<std::ptrdiff_t>(count));
    } else if (command == 0x5B) {
      FUZZ_CHECK(sent == block);
      FUZZ_CHECK(request[4] == 2);
      FUZZ_CHECK((request[5] | request[6] << 8) == reference_crc(sent));
      verified = true;
    } else if (command == 0x08) {
      FUZZ_CHECK(verified);
      applied = true;
    } else {
      FUZZ_CHECK(command == 0x01 || command == 0x05 || command == 0x0A);
    }
    reply.fill(0);
    if (at >= size) return 0;
    const std::size_t length = data[at++];
    for (std::size_t i = 0; i < length && i < reply.size() && at < size; ++i) reply[i] = data[at++];
    if (command == 0x06) {
      const std::size_t count = request[3];
      const std::vector<std::uint8_t> chunk(sent.end() - static_cast<std::ptrdiff_t>(count), sent.end());
      crc_mismatch = (reply[4] | reply[5] << 8) != reference_crc(chunk);
    }
    return 1;
  }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::silence_logs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  Device device;
  device.block.resize(data[1] * 3u);
  for (std::size_t i = 0; i < device.block.size(); ++i) device.block[i] = static_cast<std::uint8_t>(i * 7 + data[0]);
  device.data = data + 2;
  device.size = size - 2;

  transport::PackageEntry entry;
  entry.number = data[1];
  entry.kind = data[0] & 1;
  entry.versions = {data[0], 1, 2, 3, 4};
  entry.data = device.block;
  update::families::AirohaBlockPlan plan;
  plan.skip_same_versions = (data[0] & 2) != 0;
  const update::families::LangPackExchange exchange = [&device](lang_pack_report& request, lang_pack_reply& reply) {
    return device.exchange(request, reply);
  };
  const update::families::AirohaBlockSend send = update::families::send_airoha_block(entry, plan, exchange);

  if (send.skipped) {
    FUZZ_CHECK(!send.failure && plan.skip_same_versions && entry.kind == 1 && device.sent.empty());
  } else if (!send.failure) {
    FUZZ_CHECK(device.sent == device.block && device.verified && device.applied);
  } else if (device.crc_mismatch && !device.verified) {
    FUZZ_CHECK(send.failure->step == update::families::AirohaStep::data);
  }
  update::families::airoha_block_result(exchange);
  return 0;
}
