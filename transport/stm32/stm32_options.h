#pragma once
// Command line of the bootloader client, parsed from an argument vector with
// the option letters "a:b:m:r:w:e:vn:g:jkfcChuos:S:F:i:R" and one device name.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "transport/stm32/stm32_port.h"

namespace stm32 {

enum class Action { none, read, write, write_unprotect, read_protect, read_unprotect, erase_only, crc };

struct Options {
  PortOptions port;                       // -a, -b, -m and the device name
  Action action = Action::none;
  std::string filename;                   // -r or -w ("-": standard output or input)
  bool verify = false;                    // -v
  int retry = 10;                         // -n
  std::optional<std::uint32_t> execute;   // -g (0: the flash start)
  std::uint32_t start_address = 0;        // -S
  std::uint32_t length = 0;               // -S address:length (0: to the end)
  bool address_given = false;
  std::uint32_t start_page = 0;           // -s
  std::optional<std::uint32_t> erase_pages;  // -e n, -o
  bool force_binary = false;              // -f
  bool reset_at_exit = false;             // -R
  bool initialise = true;                 // cleared by -c
  std::string gpio_sequence;              // -i
  std::uint32_t rx_frame_max = 0;         // -F (0: no limit)
  std::uint32_t tx_frame_max = 0;
  bool help = false;                      // -h
};

// Parses `arguments` (the program name first, as in argv). 0 when the options are good;
// otherwise the errors and, for a usage error, the help text went to `diagnostics`.
int parse_options(const std::vector<std::string>& arguments, Options& options, const Diagnostics& diagnostics);
// The usage text of the options above.
std::string usage_text(const std::string& program_name);

}  // namespace stm32
