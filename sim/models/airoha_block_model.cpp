#include "sim/models/airoha_block_model.h"

#include <mutex>
#include <span>
#include <utility>

#include "sim/bus_state.h"
#include "sim/models/hid_model.h"

namespace sim {

namespace {

constexpr std::uint8_t k_version_query = 0x01;
constexpr std::uint8_t k_begin_block = 0x05;
constexpr std::uint8_t k_block_data = 0x06;
constexpr std::uint8_t k_verify_block = 0x5B;
constexpr std::uint8_t k_apply_block = 0x08;
constexpr std::uint8_t k_block_result = 0x0A;
constexpr std::size_t k_chunk_bytes_max = 58;
constexpr std::size_t k_data_at = 4;

using Reply = std::vector<std::uint8_t>;
// What the chip leaves unanswered.
const Reply k_silence{};

std::uint8_t byte_at(std::span<const std::uint8_t> bytes, std::size_t index) {
  return index < bytes.size() ? bytes[index] : 0;
}

}  // namespace

std::uint16_t crc16_xmodem(const std::vector<std::uint8_t>& data, std::uint16_t crc) {
  for (std::uint8_t byte : data) {
    crc = static_cast<std::uint16_t>(crc ^ byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
  }
  return crc;
}

AirohaBlock::AirohaBlock(HidModel& device, AirohaBlockOptions options)
    : m_device(device), m_options(std::move(options)) {
  // block version query; any other version query stays the device's own
  const HidModel::LangPackHandler version_query = m_device.lang_pack_handler(k_version_query);
  m_device.on_lang_pack_command(k_version_query, [this, version_query](std::span<const std::uint8_t> request) {
    const std::uint8_t block = byte_at(request, 3);
    const auto held = m_options.block_versions.find(block);
    if (held == m_options.block_versions.end()) return version_query ? version_query(request) : k_silence;
    m_version_queries.push_back(block);
    Reply reply{k_version_query, block};
    reply.insert(reply.end(), held->second.begin(), held->second.end());
    return reply;
  });

  m_device.on_lang_pack_command(k_begin_block, [this](std::span<const std::uint8_t>) {
    m_blocks.emplace_back();
    m_in_block = true;
    m_block_crc = 0;
    return Reply{k_begin_block, 0};
  });

  m_device.on_lang_pack_command(k_block_data, [this](std::span<const std::uint8_t> request) {
    const std::size_t count = byte_at(request, 3);
    if (!m_in_block || m_blocks.back().verified || count == 0 || count > k_chunk_bytes_max ||
        k_data_at + count > request.size()) {
      return k_silence;
    }
    const Reply chunk(request.begin() + k_data_at, request.begin() + static_cast<std::ptrdiff_t>(k_data_at + count));
    ReceivedBlock& block = m_blocks.back();
    block.data.insert(block.data.end(), chunk.begin(), chunk.end());
    block.chunk_bytes.push_back(count);
    m_block_crc = crc16_xmodem(chunk, m_block_crc);
    std::uint16_t crc = crc16_xmodem(chunk);
    if (++m_chunks == m_options.wrong_crc_at_chunk) crc = static_cast<std::uint16_t>(crc ^ 0x0101);
    return Reply{k_block_data, static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(crc & 0xFF),
                 static_cast<std::uint8_t>(crc >> 8)};
  });

  m_device.on_lang_pack_command(k_verify_block, [this](std::span<const std::uint8_t> request) {
    const auto named = static_cast<std::uint16_t>(byte_at(request, 5) | byte_at(request, 6) << 8);
    if (!m_in_block || m_options.refuse_verify || byte_at(request, 4) != 2 || named != m_block_crc) return k_silence;
    m_blocks.back().verified = named;
    return Reply{k_verify_block, 0};
  });

  // the chip writes the block and restarts once its answer is on the way
  m_device.on_lang_pack_command(k_apply_block, [this](std::span<const std::uint8_t>) {
    if (!m_in_block || !m_blocks.back().verified) return k_silence;
    m_blocks.back().applied = true;
    m_in_block = false;
    ++m_restarts;
    if (m_device.in_mesh_mode()) {
      m_device.hold_mesh_unit(true);
      m_device.restart_mesh_unit(m_options.leave_in, m_options.restart_absence);
    } else {
      m_device.restart(m_options.leave_in, m_options.restart_absence);
    }
    return Reply{k_apply_block, 0};
  });

  m_device.on_lang_pack_command(k_block_result, [this](std::span<const std::uint8_t>) {
    if (!m_blocks.empty() && m_blocks.back().applied) m_blocks.back().result_queried = true;
    m_device.hold_mesh_unit(false);
    return Reply{k_block_result, 0, m_options.result};
  });
}

std::vector<ReceivedBlock> AirohaBlock::blocks() const {
  std::lock_guard lock(Bus::mutex());
  return m_blocks;
}

std::vector<std::uint8_t> AirohaBlock::version_queries() const {
  std::lock_guard lock(Bus::mutex());
  return m_version_queries;
}

int AirohaBlock::restarts() const {
  std::lock_guard lock(Bus::mutex());
  return m_restarts;
}

AirohaBlockOptions AirohaBlock::options() const {
  std::lock_guard lock(Bus::mutex());
  return m_options;
}

void AirohaBlock::set_options(const AirohaBlockOptions& options) {
  std::lock_guard lock(Bus::mutex());
  m_options = options;
}

}  // namespace sim
