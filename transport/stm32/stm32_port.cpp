#include "transport/stm32/stm32_port.h"

#include <cctype>
#include <cstdio>

#include "platform/format.h"

namespace stm32 {

namespace {

struct Driver {
  const char* name;
  int (*probe)(const PortOptions&, std::unique_ptr<Port>&, const Diagnostics&);
};

constexpr Driver k_drivers[] = {{"UART", &probe_serial_port}, {"I2C", &probe_i2c_port}};

}  // namespace

Diagnostics standard_error() {
  return [](std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  };
}

int baud_rate_index(std::uint32_t baud_rate) {
  for (std::size_t i = 0; i < std::size(k_baud_rates); ++i) {
    if (k_baud_rates[i] == baud_rate) return static_cast<int>(i);
  }
  return -1;
}

bool parse_serial_mode(std::string_view text, SerialMode& mode) {
  if (text.size() != 3) return false;
  const char parity = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
  if (text[0] < '5' || text[0] > '8') return false;
  if (parity != 'N' && parity != 'E' && parity != 'O') return false;
  if (text[2] != '1' && text[2] != '2') return false;
  mode = {text[0] - '0', parity, text[2] - '0'};
  return true;
}

std::string serial_configuration(std::uint32_t baud_rate, std::string_view mode_text) {
  SerialMode mode;
  if (baud_rate_index(baud_rate) < 0 || !parse_serial_mode(mode_text, mode)) return "INVALID";
  return platform::format("%u %d%c%d", baud_rate, mode.data_bits, mode.parity, mode.stop_bits);
}

int open_port(const PortOptions& options, std::unique_ptr<Port>& port, const Diagnostics& diagnostics) {
  for (const Driver& driver : k_drivers) {
    const int result = driver.probe(options, port, diagnostics);
    if (result == 0) return 0;
    if (result == 1) diagnostics(platform::format("Error probing interface \"%s\"\n", driver.name));
  }
  diagnostics(platform::format("Cannot handle device \"%s\"\n", options.device));
  return 3;
}

}  // namespace stm32
