#pragma once
// GPIO steps that put a part into its bootloader and out again:
// "[entry_seq][:[exit_seq]]", each sequence a comma-separated list of "[-]n"
// steps where n is a GPIO number or "rts", "dtr" or "brk", and "-" means low.
#include <span>
#include <string_view>
#include <vector>

#include "transport/stm32/stm32_port.h"

namespace stm32 {

struct GpioStep {
  enum class Kind { gpio, rts, dtr, brk };
  Kind kind = Kind::gpio;
  int number = 0;  // GPIO number
  bool level = true;
};

struct GpioSequences {
  std::vector<GpioStep> entry;
  std::vector<GpioStep> exit;
};

// False (with the reason in `diagnostics`) when the text is malformed.
bool parse_gpio_sequences(std::string_view text, GpioSequences& sequences, const Diagnostics& diagnostics);
// Drives the steps in order on `port`, letting each level settle. False when a
// step fails; numbered GPIOs are not driven by this build.
bool run_gpio_steps(Port& port, std::span<const GpioStep> steps, const Diagnostics& diagnostics);

}  // namespace stm32
