#pragma once
// The firmware block transfer of the devices with an Airoha chip, on the
// language-pack channel (62-byte output reports with '<' in byte 1, answers
// fetched as input report 2): 0x01 with a block number in byte 3 answers the
// five version bytes the chip holds for that block, 0x05 begins a block, 0x06
// takes n data bytes (byte 3, 1 to 58, data from byte 4) and answers their
// CRC-16/XMODEM low byte first, 0x5B checks the CRC of the whole block (bytes
// 5 and 6, low byte first), 0x08 applies the block and restarts the chip, 0x0A
// answers one result byte. Every answer starts with the command and its
// argument byte. The chip has no status byte: what it refuses it leaves
// unanswered (a data command out of a block or with a count outside 1 to 58,
// a verify with another CRC, an apply of a block not verified).
//
// Installed as language-pack handlers on a sim::HidModel through
// HidModelOptions::airoha_block; the 0x6800 fixture carries it. On a device
// whose mesh unit (0x3220) has taken its place the mesh unit takes the blocks;
// it restarts as the mesh unit and is handed back to the main unit only once
// the host has asked for the result and let go of it.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace sim {

class HidModel;

struct AirohaBlockOptions {
  // The versions the chip holds, by block number; a block number not listed
  // is answered as the device answers 0x01 otherwise (its version query).
  std::map<std::uint8_t, std::array<std::uint8_t, 5>> block_versions{};
  // 0x08: the chip leaves `leave_in` after its answer and comes back after
  // `restart_absence` (nullopt: never).
  std::chrono::milliseconds leave_in{100};
  std::optional<std::chrono::milliseconds> restart_absence{std::chrono::milliseconds(2000)};
  std::uint8_t result = 0;  // the answer to 0x0A

  // ---- faults (silence on any command: HidModelOptions::lang_pack_unanswered) ----
  int wrong_crc_at_chunk = 0;  // the k-th 0x06 (from 1, over all blocks) answers a CRC that is not its data's
  bool refuse_verify = false;  // 0x5B stays unanswered whatever CRC it names
};

// One block as the chip took it, from its 0x05 on.
struct ReceivedBlock {
  std::vector<std::uint8_t> data;         // the data of its 0x06 reports, in order
  std::vector<std::size_t> chunk_bytes;   // data bytes of each 0x06
  std::optional<std::uint16_t> verified;  // the CRC a 0x5B named and the chip accepted
  bool applied = false;                   // 0x08 came after the verify
  bool result_queried = false;            // 0x0A came after the restart
};

class AirohaBlock {
 public:
  // Installs the handlers on `device`, which owns this object.
  AirohaBlock(HidModel& device, AirohaBlockOptions options);
  AirohaBlock(const AirohaBlock&) = delete;
  AirohaBlock& operator=(const AirohaBlock&) = delete;

  std::vector<ReceivedBlock> blocks() const;
  // Block numbers of the version queries answered from block_versions, in order.
  std::vector<std::uint8_t> version_queries() const;
  int restarts() const;
  AirohaBlockOptions options() const;
  void set_options(const AirohaBlockOptions& options);

 private:
  HidModel& m_device;
  AirohaBlockOptions m_options;
  std::vector<ReceivedBlock> m_blocks;
  bool m_in_block = false;  // between 0x05 and 0x08
  std::uint16_t m_block_crc = 0;
  int m_chunks = 0;  // over all blocks
  std::vector<std::uint8_t> m_version_queries;
  int m_restarts = 0;
};

// CRC-16/XMODEM (polynomial 0x1021, from `crc`, most significant bit first), bit by bit.
std::uint16_t crc16_xmodem(const std::vector<std::uint8_t>& data, std::uint16_t crc = 0);

}  // namespace sim
