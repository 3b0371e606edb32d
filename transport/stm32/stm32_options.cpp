#include "transport/stm32/stm32_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/format.h"

namespace stm32 {

namespace {

constexpr std::string_view k_option_letters = "a:b:m:r:w:e:vn:g:jkfcChuos:S:F:i:R";
// Smallest frames the client works with: a read reply of 20 bytes and a write of 6.
constexpr std::uint32_t k_min_rx_frame = 20;
constexpr std::uint32_t k_min_tx_frame = 6;
// Largest useful frames: 256 data bytes, plus the count byte and checksum on writes.
constexpr std::uint32_t k_max_rx_frame = 256;
constexpr std::uint32_t k_max_tx_frame = 258;
constexpr long k_max_page_count = 0xFF;

const char* action_name(Action action) {
  switch (action) {
    case Action::read:
      return "memory read";
    case Action::write:
      return "memory write";
    case Action::write_unprotect:
      return "write unprotect";
    case Action::read_protect:
      return "read protect";
    case Action::read_unprotect:
      return "read unprotect";
    case Action::erase_only:
      return "flash erase";
    case Action::crc:
      return "memory crc";
    case Action::none:
      break;
  }
  return "";
}

bool parse_unsigned(const std::string& text, std::uint64_t limit, std::uint32_t& value) {
  if (text.empty() || text[0] == '-') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long number = std::strtoull(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || number > limit) return false;
  value = static_cast<std::uint32_t>(number);
  return true;
}

bool parse_signed(const std::string& text, long& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 0);
  return errno == 0 && *end == '\0';
}

class Parser {
 public:
  Parser(Options& options, const Diagnostics& diagnostics) : m_options(options), m_diagnostics(diagnostics) {}

  // Handles one option letter with its argument; false ends the parse.
  bool option(char letter, const std::string& argument);
  bool set_action(Action action);

 private:
  bool frame_lengths(const std::string& argument);
  bool address_and_length(const std::string& argument);

  Options& m_options;
  const Diagnostics& m_diagnostics;
};

bool Parser::set_action(Action action) {
  if (m_options.action != Action::none && m_options.action != action) {
    m_diagnostics(platform::format("ERROR: Invalid options !\n\tCan't execute \"%s\" and \"%s\" at the same time.\n",
                                   action_name(m_options.action), action_name(action)));
    return false;
  }
  m_options.action = action;
  return true;
}

bool Parser::frame_lengths(const std::string& argument) {
  const std::size_t colon = argument.find(':');
  long rx = 0;
  long tx = 0;
  if (!parse_signed(argument.substr(0, colon), rx) ||
      (colon != std::string::npos && !parse_signed(argument.substr(colon + 1), tx))) {
    m_diagnostics("ERROR: Invalid parameter specified\n");
    return false;
  }
  if (rx < 0 || tx < 0) {
    m_diagnostics("ERROR: Invalid negative value for option -F\n");
    return false;
  }
  if ((rx != 0 && rx < static_cast<long>(k_min_rx_frame)) || (tx != 0 && tx < static_cast<long>(k_min_tx_frame))) {
    m_diagnostics("ERROR: current code cannot work with small frames.\n");
    m_diagnostics(platform::format("min(RX) = %d, min(TX) = %d\n", k_min_rx_frame, k_min_tx_frame));
    return false;
  }
  if (rx > static_cast<long>(k_max_rx_frame)) {
    m_diagnostics("WARNING: Ignore RX length in option -F\n");
    rx = 0;
  }
  if (tx > static_cast<long>(k_max_tx_frame)) {
    m_diagnostics("WARNING: Ignore TX length in option -F\n");
    tx = 0;
  }
  m_options.rx_frame_max = static_cast<std::uint32_t>(rx);
  m_options.tx_frame_max = static_cast<std::uint32_t>(tx);
  return true;
}

bool Parser::address_and_length(const std::string& argument) {
  const std::size_t colon = argument.find(':');
  std::uint32_t address = 0;
  std::uint32_t length = 0;
  if (!parse_unsigned(argument.substr(0, colon), 0xFFFFFFFFu, address) ||
      (colon != std::string::npos && !parse_unsigned(argument.substr(colon + 1), 0xFFFFFFFFu, length))) {
    m_diagnostics("ERROR: Invalid parameter specified\n");
    return false;
  }
  if (colon != std::string::npos && length == 0) {
    m_diagnostics("ERROR: Invalid options, can't specify zero length\n");
    return false;
  }
  m_options.start_address = address;
  m_options.length = length;
  m_options.address_given = true;
  return true;
}

bool Parser::option(char letter, const std::string& argument) {
  std::uint32_t number = 0;
  switch (letter) {
    case 'a':
      if (!parse_unsigned(argument, 0x7F, number)) break;
      m_options.port.bus_address = static_cast<int>(number);
      return true;
    case 'b':
      if (!parse_unsigned(argument, 0xFFFFFFFFu, number) || baud_rate_index(number) < 0) {
        m_diagnostics("Invalid baud rate, valid options are:\n");
        for (const std::uint32_t rate : k_baud_rates) m_diagnostics(platform::format(" %d\n", rate));
        return false;
      }
      m_options.port.baud_rate = number;
      return true;
    case 'm': {
      SerialMode mode;
      if (!parse_serial_mode(argument, mode)) {
        m_diagnostics("Invalid serial mode\n");
        return false;
      }
      m_options.port.serial_mode = argument;
      return true;
    }
    case 'r':
    case 'w':
      if (!set_action(letter == 'r' ? Action::read : Action::write)) return false;
      m_options.filename = argument;
      return true;
    case 'e': {
      long pages = 0;
      if (!parse_signed(argument, pages) || pages < 0 || pages > k_max_page_count) {
        m_diagnostics("ERROR: You need to specify a page count between 0 and 255");
        return false;
      }
      m_options.erase_pages = static_cast<std::uint32_t>(pages);
      return true;
    }
    case 'n':
      if (!parse_unsigned(argument, 0x7FFFFFFF, number)) break;
      m_options.retry = static_cast<int>(number);
      return true;
    case 'g':
      if (!parse_unsigned(argument, 0xFFFFFFFFu, number)) break;
      if (number % 4 != 0) {
        m_diagnostics("ERROR: Execution address must be word-aligned\n");
        return false;
      }
      m_options.execute = number;
      return true;
    case 's':
      if (!parse_unsigned(argument, 0xFFFFFFFFu, number)) break;
      m_options.start_page = number;
      return true;
    case 'S':
      return address_and_length(argument);
    case 'F':
      return frame_lengths(argument);
    case 'i':
      m_options.gpio_sequence = argument;
      return true;
    case 'v':
      m_options.verify = true;
      return true;
    case 'j':
      return set_action(Action::read_protect);
    case 'k':
      return set_action(Action::read_unprotect);
    case 'u':
      return set_action(Action::write_unprotect);
    case 'o':
      return set_action(Action::erase_only);
    case 'C':
      return set_action(Action::crc);
    case 'f':
      m_options.force_binary = true;
      return true;
    case 'c':
      m_options.initialise = false;
      return true;
    case 'R':
      m_options.reset_at_exit = true;
      return true;
    case 'h':
      m_options.help = true;
      return true;
    default:
      break;
  }
  m_diagnostics("ERROR: Invalid parameter specified\n");
  return false;
}

// 0 when the letter takes no argument, 1 when it takes one, -1 when unknown.
int argument_count(char letter) {
  const std::size_t at = k_option_letters.find(letter);
  if (letter == ':' || at == std::string_view::npos) return -1;
  return at + 1 < k_option_letters.size() && k_option_letters[at + 1] == ':' ? 1 : 0;
}

}  // namespace

int parse_options(const std::vector<std::string>& arguments, Options& options, const Diagnostics& diagnostics) {
  Parser parser(options, diagnostics);
  std::vector<std::string> devices;
  bool options_ended = false;
  const std::string program_name = arguments.empty() ? std::string("stm32-bootloader") : arguments[0];
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument.size() < 2 || argument[0] != '-') {
      devices.push_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    // letters may be grouped ("-vR"); an argument follows its letter or is the next word
    for (std::size_t at = 1; at < argument.size(); ++at) {
      const char letter = argument[at];
      const int count = argument_count(letter);
      if (count < 0 || (count == 1 && at + 1 == argument.size() && i + 1 == arguments.size())) {
        diagnostics("ERROR: Invalid parameter specified\n");
        diagnostics(usage_text(program_name));
        return 1;
      }
      if (count == 0) {
        if (!parser.option(letter, {})) return 1;
        continue;
      }
      const std::string value = at + 1 < argument.size() ? argument.substr(at + 1) : arguments[++i];
      if (!parser.option(letter, value)) return 1;
      break;
    }
  }
  if (options.help) {
    diagnostics(usage_text(program_name));
    return 1;
  }
  if (devices.size() > 1) {
    diagnostics("ERROR: Invalid parameter specified\n");
    return 1;
  }
  if (devices.empty()) {
    diagnostics("ERROR: Device not specified\n");
    return 1;
  }
  options.port.device = devices[0];
  if ((options.start_page != 0 || (options.erase_pages && options.action != Action::erase_only)) &&
      options.address_given) {
    diagnostics("ERROR: Invalid options, can't specify start page / num pages and start address/length\n");
    return 1;
  }
  if (options.verify && options.action != Action::write) {
    diagnostics("ERROR: Invalid usage, -v is only valid when writing\n");
    return 1;
  }
  return 0;
}

std::string usage_text(const std::string& program_name) {
  return platform::format(
      "Usage: %s [options] device\n"
      "  device            serial port (/dev/ttyUSB0) or I2C adapter (/dev/i2c-1)\n"
      "  -a address        I2C address of the bootloader\n"
      "  -b rate           serial baud rate (default 57600)\n"
      "  -m mode           serial data bits, parity and stop bits (default 8e1)\n"
      "  -r file           read the flash into a file (- for standard output)\n"
      "  -w file           write a file into the flash (- for standard input)\n"
      "  -v                verify what was written\n"
      "  -n count          write retries (default 10)\n"
      "  -e n              erase only n pages before writing\n"
      "  -o                erase only\n"
      "  -u                remove the write protection\n"
      "  -j                turn the read protection on\n"
      "  -k                turn the read protection off\n"
      "  -C                compute the CRC of the flash\n"
      "  -g address        start the code at an address (0: the flash start)\n"
      "  -S address[:len]  start address and length of a read, write or erase\n"
      "  -s page           first flash page of a write\n"
      "  -F rx[:tx]        largest frames the port receives and sends\n"
      "  -f                take the file as raw binary\n"
      "  -c                resume a connection (no initial 0x7F, same baud rate)\n"
      "  -i entry[:exit]   GPIO steps around the session: [-]n|rts|dtr|brk, comma-separated\n"
      "  -R                reset the device at exit\n"
      "  -h                this help\n",
      program_name);
}

}  // namespace stm32
