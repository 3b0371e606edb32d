#include "transport/stm32/stm32_gpio.h"

#include <cctype>
#include <chrono>

#include "platform/clock.h"
#include "platform/format.h"

namespace stm32 {

namespace {

// Time a reset or boot pin needs to be seen at its new level.
constexpr std::chrono::milliseconds k_settle{100};

struct NamedLine {
  std::string_view name;
  GpioStep::Kind kind;
};
constexpr NamedLine k_named_lines[] = {
    {"rts", GpioStep::Kind::rts}, {"dtr", GpioStep::Kind::dtr}, {"brk", GpioStep::Kind::brk}};

}  // namespace

bool parse_gpio_sequences(std::string_view text, GpioSequences& sequences, const Diagnostics& diagnostics) {
  sequences = {};
  std::vector<GpioStep>* target = &sequences.entry;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ':' && target == &sequences.entry) {
      target = &sequences.exit;
      ++at;
      continue;
    }
    GpioStep step;
    if (text[at] == '-') {
      step.level = false;
      ++at;
    }
    bool named = false;
    for (const NamedLine& line : k_named_lines) {
      if (text.substr(at, line.name.size()) == line.name) {
        step.kind = line.kind;
        at += line.name.size();
        named = true;
        break;
      }
    }
    if (!named) {
      if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) {
        diagnostics(platform::format("Character '%c' is not a digit\n", at < text.size() ? text[at] : ' '));
        return false;
      }
      // a GPIO number never needs more than a few digits
      while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && step.number < 100000) {
        step.number = step.number * 10 + (text[at] - '0');
        ++at;
      }
    }
    target->push_back(step);
    if (at < text.size()) {
      if (text[at] == ',') {
        ++at;
      } else if (text[at] != ':' || target != &sequences.entry) {
        diagnostics(platform::format("Character '%c' is not a separator\n", text[at]));
        return false;
      }
    }
  }
  return true;
}

bool run_gpio_steps(Port& port, std::span<const GpioStep> steps, const Diagnostics& diagnostics) {
  for (const GpioStep& step : steps) {
    Line line = Line::rts;
    switch (step.kind) {
      case GpioStep::Kind::gpio:
        diagnostics("GPIO control only available in Linux\n");
        return false;
      case GpioStep::Kind::rts:
        line = Line::rts;
        break;
      case GpioStep::Kind::dtr:
        line = Line::dtr;
        break;
      case GpioStep::Kind::brk:
        line = Line::brk;
        break;
    }
    if (port.line_control(line, step.level) != PortResult::ok) return false;
    platform::sleep_for(k_settle);
  }
  return true;
}

}  // namespace stm32
