#include "sim/stm32_bootloader_port.h"

#include <algorithm>
#include <utility>

#include "platform/clock.h"

namespace sim {

namespace {

using std::chrono::milliseconds;
using stm32::PortResult;

constexpr std::uint8_t k_ack = 0x79;
constexpr std::uint8_t k_nack = 0x1F;
constexpr std::uint8_t k_busy = 0x76;
constexpr std::uint8_t k_init = 0x7F;

std::uint8_t xor_of(std::span<const std::uint8_t> bytes) {
  std::uint8_t result = 0;
  for (const std::uint8_t byte : bytes) result ^= byte;
  return result;
}

std::uint32_t be32(const std::vector<std::uint8_t>& bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

bool in_family(std::uint8_t code, std::uint8_t first, std::uint8_t last) { return code >= first && code <= last; }

}  // namespace

BootloaderPort::BootloaderPort(BootloaderOptions options)
    : m_options(std::move(options)),
      m_memory(m_options.memory_bytes, 0xFF),
      m_inits_left_unanswered(m_options.unanswered_inits) {
  m_initialised = !m_options.flags.needs_init;
}

std::vector<std::vector<std::uint8_t>> BootloaderPort::take_writes() { return std::exchange(m_writes, {}); }

PortResult BootloaderPort::write(std::span<const std::uint8_t> bytes) {
  if (m_options.write_error) return PortResult::error;
  m_writes.emplace_back(bytes.begin(), bytes.end());
  m_input.insert(m_input.end(), bytes.begin(), bytes.end());
  while (step()) {
  }
  return PortResult::ok;
}

PortResult BootloaderPort::flush() { return PortResult::ok; }

PortResult BootloaderPort::line_control(stm32::Line line, bool level) {
  m_line_steps.emplace_back(line, level);
  return PortResult::ok;
}

bool BootloaderPort::wait_for_message(bool& busy) {
  busy = false;
  if (m_output.empty()) {
    platform::sleep_for(m_options.read_timeout);
    return false;
  }
  const auto now = platform::now();
  const auto ready_at = m_output.front().ready_at;
  if (ready_at <= now) return true;
  const auto wait = std::chrono::ceil<milliseconds>(ready_at - now);
  if (m_options.busy_bytes) {
    // a busy bootloader answers every poll with 0x76 until it is done
    platform::sleep_for(std::min(wait, m_options.busy_interval));
    busy = true;
    return false;
  }
  if (wait > m_options.read_timeout) {
    platform::sleep_for(m_options.read_timeout);
    return false;
  }
  platform::sleep_for(wait);
  return true;
}

PortResult BootloaderPort::read(std::span<std::uint8_t> buffer) {
  if (m_options.flags.byte_stream) {
    for (std::uint8_t& byte : buffer) {
      bool busy = false;
      if (!wait_for_message(busy)) {
        if (!busy) return PortResult::timed_out;
        byte = k_busy;
        continue;
      }
      Message& message = m_output.front();
      byte = message.bytes.front();
      message.bytes.erase(message.bytes.begin());
      if (message.bytes.empty()) m_output.pop_front();
    }
    return PortResult::ok;
  }
  // one read takes one whole reply; reading past its end gives 0xFF, and what is left unread is lost
  bool busy = false;
  std::fill(buffer.begin(), buffer.end(), 0xFF);
  if (!wait_for_message(busy)) {
    if (!busy) return PortResult::timed_out;
    if (!buffer.empty()) buffer[0] = k_busy;
    return PortResult::ok;
  }
  const std::vector<std::uint8_t> message = std::move(m_output.front().bytes);
  m_output.pop_front();
  std::copy_n(message.begin(), std::min(message.size(), buffer.size()), buffer.begin());
  return PortResult::ok;
}

void BootloaderPort::reply(std::vector<std::uint8_t> bytes, milliseconds delay) {
  // a reply queued behind a slow one comes after it
  auto ready_at = platform::now() + delay;
  if (!m_output.empty()) ready_at = std::max(ready_at, m_output.back().ready_at);
  m_output.push_back({std::move(bytes), ready_at});
}

void BootloaderPort::nack() {
  reply({k_nack});
  m_step = Step::command;
}

std::vector<std::uint8_t> BootloaderPort::take(std::size_t count) {
  std::vector<std::uint8_t> bytes(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(count));
  m_input.erase(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(count));
  return bytes;
}

bool BootloaderPort::in_memory(std::uint64_t address, std::uint64_t bytes) const {
  return address >= m_options.memory_start && address + bytes <= m_options.memory_start + m_memory.size();
}

void BootloaderPort::erase_pages(const std::vector<std::uint16_t>& pages) {
  for (const std::uint16_t page : pages) {
    const std::size_t start = static_cast<std::size_t>(page) * m_options.page_bytes;
    if (start >= m_memory.size()) continue;
    std::fill_n(m_memory.begin() + static_cast<std::ptrdiff_t>(start),
                std::min<std::size_t>(m_options.page_bytes, m_memory.size() - start), 0xFF);
  }
  m_erases.push_back({false, pages});
}

std::uint32_t BootloaderPort::memory_crc(std::uint32_t address, std::uint32_t bytes) const {
  std::uint32_t crc = 0xFFFFFFFFu;
  const std::size_t offset = address - m_options.memory_start;
  for (std::size_t at = offset; at + 4 <= offset + bytes; at += 4) {
    crc ^= static_cast<std::uint32_t>(m_memory[at]) | static_cast<std::uint32_t>(m_memory[at + 1]) << 8 |
           static_cast<std::uint32_t>(m_memory[at + 2]) << 16 | static_cast<std::uint32_t>(m_memory[at + 3]) << 24;
    for (int bit = 0; bit < 32; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
  }
  return crc;
}

// Takes one unit of the host's bytes for the current step; false when more are needed.
bool BootloaderPort::step() {
  switch (m_step) {
    case Step::command: {
      if (m_input.empty()) return false;
      if (m_input.front() == k_init) {
        take(1);
        if (m_initialised || m_options.already_initialised) {
          m_initialised = true;
          reply({k_nack});
        } else if (m_inits_left_unanswered > 0) {
          --m_inits_left_unanswered;
        } else {
          m_initialised = true;
          reply({k_ack});
        }
        return true;
      }
      if (m_input.size() < 2) return false;
      const std::vector<std::uint8_t> frame = take(2);
      m_command = frame[0];
      const bool known = std::find(m_options.commands.begin(), m_options.commands.end(), m_command) !=
                         m_options.commands.end();
      if (!m_initialised || frame[1] != static_cast<std::uint8_t>(~m_command) || !known ||
          m_options.nack_command == m_command) {
        nack();
        return true;
      }
      ack();
      if (m_command == 0x00) {
        std::vector<std::uint8_t> answer{static_cast<std::uint8_t>(m_options.commands.size()), m_options.version};
        answer.insert(answer.end(), m_options.commands.begin(), m_options.commands.end());
        reply(answer);
        ack();
      } else if (m_command == 0x01) {
        if (m_options.flags.gives_option_bytes) {
          reply({m_options.version, m_options.option1, m_options.option2});
        } else {
          reply({m_options.version});
        }
        ack();
      } else if (m_command == 0x02) {
        std::vector<std::uint8_t> answer{static_cast<std::uint8_t>(1 + m_options.extra_id_bytes.size()),
                                         static_cast<std::uint8_t>(m_options.product_id >> 8),
                                         static_cast<std::uint8_t>(m_options.product_id)};
        answer.insert(answer.end(), m_options.extra_id_bytes.begin(), m_options.extra_id_bytes.end());
        reply(answer);
        ack();
      } else if (m_command == 0x11 || m_command == 0x21 || in_family(m_command, 0x31, 0x32) || m_command == 0xA1) {
        m_step = Step::address;
        m_after_address = m_command == 0x11   ? Step::read_length
                          : m_command == 0xA1 ? Step::crc_length
                          : m_command == 0x21 ? Step::command
                                              : Step::write_frame;
      } else if (m_command == 0x43) {
        m_step = Step::erase_plain;
      } else if (in_family(m_command, 0x44, 0x45)) {
        m_step = Step::erase_extended;
      } else if (in_family(m_command, 0x63, 0x64)) {
        m_step = Step::protect_frame;
      } else if (in_family(m_command, 0x92, 0x93)) {
        // readout unprotect erases the whole flash first
        std::fill(m_memory.begin(), m_memory.end(), 0xFF);
        m_protection.push_back(m_command);
        ack(m_options.erase_time);
      } else {
        m_protection.push_back(m_command);
        ack(m_options.protect_time);
      }
      return true;
    }
    case Step::address: {
      if (m_input.size() < 5) return false;
      const std::vector<std::uint8_t> frame = take(5);
      if (xor_of(std::span(frame).first(4)) != frame[4] || !in_memory(be32(frame), 0)) {
        nack();
        return true;
      }
      m_address = be32(frame);
      ack();
      m_step = m_after_address;
      if (m_command == 0x21) m_go_address = m_address;
      return true;
    }
    case Step::read_length: {
      if (m_input.size() < 2) return false;
      const std::vector<std::uint8_t> frame = take(2);
      const std::size_t length = static_cast<std::size_t>(frame[0]) + 1;
      if (frame[1] != static_cast<std::uint8_t>(~frame[0]) || !in_memory(m_address, length)) {
        nack();
        return true;
      }
      ack();
      const auto begin = m_memory.begin() + static_cast<std::ptrdiff_t>(m_address - m_options.memory_start);
      reply({begin, begin + static_cast<std::ptrdiff_t>(length)});
      m_step = Step::command;
      return true;
    }
    case Step::write_frame: {
      if (m_input.empty() || m_input.size() < static_cast<std::size_t>(m_input.front()) + 3) return false;
      const std::vector<std::uint8_t> frame = take(static_cast<std::size_t>(m_input.front()) + 3);
      const std::size_t length = frame.size() - 2;
      if (xor_of(std::span(frame).first(frame.size() - 1)) != frame.back() || !in_memory(m_address, length)) {
        nack();
        return true;
      }
      std::copy(frame.begin() + 1, frame.end() - 1,
                m_memory.begin() + static_cast<std::ptrdiff_t>(m_address - m_options.memory_start));
      ack();
      m_step = Step::command;
      return true;
    }
    case Step::erase_plain: {
      if (m_input.empty()) return false;
      if (m_input.front() == 0xFF) {
        if (m_input.size() < 2) return false;
        const std::vector<std::uint8_t> frame = take(2);
        if (frame[1] != 0x00) {
          nack();
          return true;
        }
        std::fill(m_memory.begin(), m_memory.end(), 0xFF);
        m_erases.push_back({true, {}});
      } else {
        const std::size_t pages = static_cast<std::size_t>(m_input.front()) + 1;
        if (m_input.size() < pages + 2) return false;
        const std::vector<std::uint8_t> frame = take(pages + 2);
        if (xor_of(std::span(frame).first(frame.size() - 1)) != frame.back()) {
          nack();
          return true;
        }
        erase_pages(std::vector<std::uint16_t>(frame.begin() + 1, frame.end() - 1));
      }
      ack(m_options.erase_time * (m_erases.back().mass ? 1 : static_cast<int>(m_erases.back().pages.size())));
      m_step = Step::command;
      return true;
    }
    case Step::erase_extended: {
      if (m_input.size() < 2) return false;
      const std::uint16_t count = static_cast<std::uint16_t>(m_input[0] << 8 | m_input[1]);
      if (count >= 0xFFF0) {
        // special erases: 0xFFFF mass erase, 0xFFFE and 0xFFFD one bank
        if (m_input.size() < 3) return false;
        const std::vector<std::uint8_t> frame = take(3);
        if ((frame[0] ^ frame[1]) != frame[2] || count != 0xFFFF) {
          nack();
          return true;
        }
        std::fill(m_memory.begin(), m_memory.end(), 0xFF);
        m_erases.push_back({true, {}});
      } else {
        const std::size_t pages = static_cast<std::size_t>(count) + 1;
        if (m_input.size() < 2 * pages + 3) return false;
        const std::vector<std::uint8_t> frame = take(2 * pages + 3);
        if (xor_of(std::span(frame).first(frame.size() - 1)) != frame.back()) {
          nack();
          return true;
        }
        std::vector<std::uint16_t> numbers;
        for (std::size_t i = 0; i < pages; ++i) {
          numbers.push_back(static_cast<std::uint16_t>(frame[2 + 2 * i] << 8 | frame[3 + 2 * i]));
        }
        erase_pages(numbers);
      }
      ack(m_options.erase_time * (m_erases.back().mass ? 1 : static_cast<int>(m_erases.back().pages.size())));
      m_step = Step::command;
      return true;
    }
    case Step::protect_frame: {
      if (m_input.empty() || m_input.size() < static_cast<std::size_t>(m_input.front()) + 3) return false;
      const std::vector<std::uint8_t> frame = take(static_cast<std::size_t>(m_input.front()) + 3);
      if (xor_of(std::span(frame).first(frame.size() - 1)) != frame.back()) {
        nack();
        return true;
      }
      m_protection.push_back(m_command);
      ack(m_options.protect_time);
      m_step = Step::command;
      return true;
    }
    case Step::crc_length: {
      if (m_input.size() < 5) return false;
      const std::vector<std::uint8_t> frame = take(5);
      const std::uint32_t length = be32(frame);
      if (xor_of(std::span(frame).first(4)) != frame[4] || length % 4 != 0 || !in_memory(m_address, length)) {
        nack();
        return true;
      }
      ack();
      const std::uint32_t crc = memory_crc(m_address, length);
      std::vector<std::uint8_t> answer{static_cast<std::uint8_t>(crc >> 24), static_cast<std::uint8_t>(crc >> 16),
                                       static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc)};
      answer.push_back(xor_of(answer));
      reply(answer);
      m_step = Step::command;
      return true;
    }
  }
  return false;
}

}  // namespace sim
