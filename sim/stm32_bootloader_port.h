#pragma once
// An STM32 system-memory bootloader behind an in-memory port: it answers the
// device side of the USART/I2C bootloader protocol from a flash image, keeps
// every frame the host wrote, and takes its time on the platform clock (a read
// that finds nothing waits the port's read time-out; an erase keeps the device
// busy for its erase time).
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "transport/stm32/stm32_port.h"

namespace sim {

struct BootloaderOptions {
  std::uint16_t product_id = 0x410;  // STM32F10xxx Medium-density
  std::uint8_t version = 0x22;
  std::uint8_t option1 = 0x00;
  std::uint8_t option2 = 0x00;
  std::vector<std::uint8_t> commands{0x00, 0x01, 0x02, 0x11, 0x21, 0x31, 0x44, 0x63, 0x73, 0x82, 0x92};
  std::uint32_t memory_start = 0x08000000;
  std::size_t memory_bytes = 64 * 1024;
  std::uint32_t page_bytes = 1024;
  // A serial link by default; an I2C link reads whole replies and sends no option bytes.
  stm32::PortFlags flags{.needs_init = true, .gives_option_bytes = true, .byte_stream = true};
  std::vector<stm32::GetReplyLength> get_reply_lengths{};
  std::vector<std::uint8_t> extra_id_bytes{};       // sent after the product id
  std::chrono::milliseconds read_timeout{500};
  std::chrono::milliseconds erase_time{0};          // per page erased, per mass erase or readout unprotect
  std::chrono::milliseconds protect_time{0};        // write (un)protect and readout protect
  std::chrono::milliseconds busy_interval{100};     // between busy bytes
  // Faults, each off by default.
  int unanswered_inits = 0;                 // this many 0x7F go unanswered
  bool already_initialised = false;         // answers 0x7F with NACK
  std::optional<std::uint8_t> nack_command{};  // answers this command with NACK
  bool busy_bytes = false;                  // sends 0x76 while busy instead of staying silent
  bool write_error = false;                 // the host's writes fail
};

class BootloaderPort final : public stm32::Port {
 public:
  struct Erase {
    bool mass = false;
    std::vector<std::uint16_t> pages;
  };

  explicit BootloaderPort(BootloaderOptions options = {});

  std::string_view name() const override { return "in-memory"; }
  stm32::PortFlags flags() const override { return m_options.flags; }
  stm32::PortResult read(std::span<std::uint8_t> buffer) override;
  stm32::PortResult write(std::span<const std::uint8_t> bytes) override;
  stm32::PortResult flush() override;
  stm32::PortResult line_control(stm32::Line line, bool level) override;
  std::string configuration() const override { return "in-memory"; }
  std::span<const stm32::GetReplyLength> get_reply_lengths() const override { return m_options.get_reply_lengths; }

  // Every write of the host, as written; taken from the record.
  std::vector<std::vector<std::uint8_t>> take_writes();
  std::vector<std::uint8_t>& memory() { return m_memory; }
  const std::vector<Erase>& erases() const { return m_erases; }
  std::optional<std::uint32_t> go_address() const { return m_go_address; }
  std::vector<std::pair<stm32::Line, bool>> line_steps() const { return m_line_steps; }
  // Commands completed (second acknowledgement sent) that change protection.
  std::vector<std::uint8_t> protection_commands() const { return m_protection; }

  // The STM32 CRC unit over the memory words of [address, address + bytes).
  std::uint32_t memory_crc(std::uint32_t address, std::uint32_t bytes) const;

 private:
  enum class Step { command, address, read_length, write_frame, erase_plain, erase_extended, protect_frame, crc_length };
  struct Message {
    std::vector<std::uint8_t> bytes;
    std::chrono::steady_clock::time_point ready_at;
  };

  bool step();
  void reply(std::vector<std::uint8_t> bytes, std::chrono::milliseconds delay = std::chrono::milliseconds(0));
  void ack(std::chrono::milliseconds delay = std::chrono::milliseconds(0)) { reply({0x79}, delay); }
  void nack();
  std::vector<std::uint8_t> take(std::size_t count);
  bool in_memory(std::uint64_t address, std::uint64_t bytes) const;
  void erase_pages(const std::vector<std::uint16_t>& pages);
  // Waits for the first message: false (after the read time-out) when none comes.
  bool wait_for_message(bool& busy);

  BootloaderOptions m_options;
  std::vector<std::uint8_t> m_memory;
  std::deque<std::uint8_t> m_input;
  std::deque<Message> m_output;
  std::vector<std::vector<std::uint8_t>> m_writes;
  std::vector<Erase> m_erases;
  std::optional<std::uint32_t> m_go_address;
  std::vector<std::pair<stm32::Line, bool>> m_line_steps;
  std::vector<std::uint8_t> m_protection;
  Step m_step = Step::command;
  Step m_after_address = Step::command;
  std::uint8_t m_command = 0;
  std::uint32_t m_address = 0;
  bool m_initialised = false;
  int m_inits_left_unanswered = 0;
};

}  // namespace sim
