#pragma once
// Client of the STM32 system-memory bootloader protocol (USART and I2C): init
// byte 0x7F, ACK 0x79, NACK 0x1F, every command sent as its byte and the byte's
// complement. Diagnostics go to the client's sink with the bootloader tool's
// wording. Every wait goes through the platform clock.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "transport/stm32/stm32_parts.h"
#include "transport/stm32/stm32_port.h"

namespace stm32 {

inline constexpr std::uint8_t k_ack = 0x79;
inline constexpr std::uint8_t k_nack = 0x1F;
inline constexpr std::uint8_t k_busy = 0x76;
inline constexpr std::uint8_t k_init = 0x7F;
inline constexpr std::uint8_t k_not_offered = 0xFF;
// Largest read or write of one command, in bytes.
inline constexpr std::size_t k_max_transfer = 256;
// Page count that asks for a mass erase.
inline constexpr std::uint32_t k_mass_erase = 0x100000;

// Command codes the connected bootloader offers (k_not_offered when it does not).
struct CommandSet {
  std::uint8_t get = k_not_offered;
  std::uint8_t get_version = k_not_offered;
  std::uint8_t get_id = k_not_offered;
  std::uint8_t read_memory = k_not_offered;
  std::uint8_t go = k_not_offered;
  std::uint8_t write_memory = k_not_offered;
  std::uint8_t erase = k_not_offered;
  std::uint8_t write_protect = k_not_offered;
  std::uint8_t write_unprotect = k_not_offered;
  std::uint8_t readout_protect = k_not_offered;
  std::uint8_t readout_unprotect = k_not_offered;
  std::uint8_t crc = k_not_offered;
};

enum class Result { ok, error, not_implemented };

class Client {
 public:
  Client(Port& port, Diagnostics diagnostics = standard_error());

  // Starts the bootloader (0x7F when `initialise` and the port needs it), then
  // reads its version, command set and product id. False when any step failed
  // or the part is unknown.
  bool connect(bool initialise);

  std::uint8_t version() const { return m_version; }
  std::uint8_t option1() const { return m_option1; }
  std::uint8_t option2() const { return m_option2; }
  std::uint16_t product_id() const { return m_product_id; }
  const Part* part() const { return m_part; }
  const CommandSet& commands() const { return m_commands; }

  // Reads data.size() bytes (at most 256) from `address`.
  Result read_memory(std::uint32_t address, std::span<std::uint8_t> data);
  // Writes at most 256 bytes to a 4-byte aligned address; the frame is padded
  // with 0xFF to a multiple of 4 bytes.
  Result write_memory(std::uint32_t address, std::span<const std::uint8_t> data);
  Result write_unprotect();
  // Protects the given flash sectors.
  Result write_protect(std::span<const std::uint8_t> sectors);
  Result readout_unprotect();
  Result readout_protect();
  // Erases `pages` pages from `first_page`; k_mass_erase erases the whole flash.
  Result erase_memory(std::uint32_t first_page, std::uint32_t pages);
  // Starts the code at a 4-byte aligned address.
  Result go(std::uint32_t address);
  // CRC of [start, end) by the bootloader's CRC command.
  Result crc_memory(std::uint32_t start, std::uint32_t end, std::uint32_t& crc);
  // CRC of [start, end): by the CRC command when offered, else by reading the memory.
  Result crc_wrapper(std::uint32_t start, std::uint32_t end, std::uint32_t& crc);
  // Page index of an address in the connected part's flash (0 outside it).
  std::uint32_t page_index(std::uint32_t address) const;

  // The STM32 CRC unit's algorithm over 32-bit little-endian words, from `crc`.
  static Result compute_crc(std::uint32_t initial, std::span<const std::uint8_t> data, std::uint32_t& crc,
                            const Diagnostics& diagnostics = standard_error());

 private:
  bool initialise_bootloader();
  bool get_version();
  bool get_commands();
  bool get_id();
  bool send_command(std::uint8_t command, bool report_failure = true);
  bool send_bytes(std::span<const std::uint8_t> bytes);
  bool wait_ack(std::uint8_t command, int time_limit_s);
  bool read_reply(std::uint8_t command, std::uint8_t expected_count, std::array<std::uint8_t, 257>& reply);
  bool send_address(std::uint8_t command, std::uint32_t address);
  Result simple_command(std::uint8_t code, int time_limit_s, const char* missing, const char* failed);
  Result mass_erase();
  Result erase_pages(std::uint32_t first_page, std::uint32_t pages);

  Port& m_port;
  Diagnostics m_diagnostics;
  std::uint8_t m_version = 0;
  std::uint8_t m_option1 = 0;
  std::uint8_t m_option2 = 0;
  std::uint16_t m_product_id = 0;
  const Part* m_part = nullptr;
  CommandSet m_commands{};
};

}  // namespace stm32
