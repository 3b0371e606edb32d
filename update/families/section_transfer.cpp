#include "update/families/section_transfer.h"

#include <algorithm>
#include <string>

#include "platform/format.h"
#include "platform/log.h"
#include "transport/hid_commands.h"

namespace update::families {

namespace {

using transport::k_hid_report_id;

int command(int slot, const hid_cmd_report& request) {
  hid_status_report reply{};
  return hid_long_command(slot, request, reply);
}
int command(int slot, const hid_short_report& request) {
  hid_short_report reply{};
  return hid_short_command(slot, request, reply);
}
int send(int slot, const hid_cmd_report& request) { return hid_send_long_report(slot, request); }
int send(int slot, const hid_short_report& request) { return hid_send_short_report(slot, request); }
int wait_status(int slot, const hid_cmd_report&) { return hid_wait_long_status(slot); }
int wait_status(int slot, const hid_short_report&) { return hid_wait_short_status(slot); }

std::optional<SectionStep> failed(int slot, const Section& section, SectionStep step, const std::string& what) {
  platform::system_log(platform::format("section %d (kind 0x%02X, %u bytes): %s: %s", section.index, section.kind,
                                        static_cast<unsigned>(section.data.size()), what,
                                        transport::describe(transport::hid_last_error(slot))));
  return step;
}

template <class Report>
void start_command(Report& report, const Section& section, unsigned char command) {
  if (section.clear_arguments) std::fill(report.begin() + 2, report.end(), 0);
  report[0] = k_hid_report_id;
  report[1] = command;
}

template <class Report>
std::optional<SectionStep> transfer(int slot, Report& report, const Section& section) {
  constexpr std::size_t k_chunk = k_section_data_bytes<std::tuple_size_v<Report>>;
  // begin section
  start_command(report, section, k_command_begin_section);
  report[2] = section.kind;
  if (command(slot, report) != 1) return failed(slot, section, SectionStep::begin, "begin");

  // data
  for (std::size_t sent = 0; sent < section.data.size();) {
    const std::size_t chunk = std::min(section.data.size() - sent, k_chunk);
    start_command(report, section, k_command_section_data);
    report[2] = static_cast<unsigned char>(chunk >> 8);
    report[3] = static_cast<unsigned char>(chunk & 0xFF);
    std::copy_n(section.data.begin() + static_cast<std::ptrdiff_t>(sent), chunk, report.begin() + 4);
    const std::string at = platform::format("data at byte 0x%X", static_cast<unsigned>(sent));
    if (send(slot, report) != 1) return failed(slot, section, SectionStep::data_write, at);
    if (wait_status(slot, report) != 1) return failed(slot, section, SectionStep::data_status, at);
    sent += chunk;
  }

  // end section
  start_command(report, section, k_command_end_section);
  if (command(slot, report) != 1) return failed(slot, section, SectionStep::end, "end");
  return std::nullopt;
}

}  // namespace

bool transfer_section(int slot, hid_cmd_report& report, const Section& section) {
  return !transfer(slot, report, section);
}

bool transfer_section(int slot, hid_short_report& report, const Section& section) {
  return !transfer(slot, report, section);
}

std::optional<SectionStep> transfer_section_steps(int slot, hid_cmd_report& report, const Section& section) {
  return transfer(slot, report, section);
}

}  // namespace update::families
