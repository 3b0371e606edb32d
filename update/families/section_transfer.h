#pragma once
// One firmware section sent over the HID command channel: begin section
// (0x05 with the kind's low byte), the data in reports of at most the report
// size minus 4 bytes (0x06 with the byte count high byte first, each report
// waiting for its status before the next goes), end section (0x07). No pause
// between reports. Every HID family procedure sends its sections through it,
// on its own slot and with its own report size; the data go straight from
// the package buffer into the procedure's one report buffer.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "transport/hid_channel.h"
#include "transport/hid_commands.h"

namespace update::families {

using transport::k_command_begin_section;
using transport::k_command_section_data;
using transport::k_command_end_section;

// Data bytes one report carries: its size less the report id, the command and the two count bytes.
template <std::size_t ReportBytes>
inline constexpr std::size_t k_section_data_bytes = ReportBytes - 4;

struct Section {
  int index = 0;  // for the log
  std::uint8_t kind = 0;
  std::span<const std::uint8_t> data;
  // Clear every byte after the command before each command, for devices
  // that read more of the report than the command names.
  bool clear_arguments = false;
};

// Where a section transfer stopped.
enum class SectionStep {
  begin,        // 0x05 refused
  data_write,   // a data report was not taken
  data_status,  // a data report was not acknowledged
  end,          // 0x07 refused
};

// Sends `section` on HID slot `slot` through `report`, the procedure's report
// buffer: only the bytes each command names are written, the rest keep what
// earlier commands left (unless the section asks them cleared). True when every exchange ended with status 0; false
// at the first that did not, with the step and the reason logged.
bool transfer_section(int slot, hid_cmd_report& report, const Section& section);
bool transfer_section(int slot, hid_short_report& report, const Section& section);
// The same, naming the step that failed; nothing when every exchange ended with status 0.
std::optional<SectionStep> transfer_section_steps(int slot, hid_cmd_report& report, const Section& section);

}  // namespace update::families
