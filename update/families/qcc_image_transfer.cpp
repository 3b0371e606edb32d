#include "update/families/qcc_image_transfer.h"

#include <algorithm>
#include <tuple>

#include "platform/format.h"
#include "platform/log.h"
#include "strings/update_texts.h"
#include "transport/hid_commands.h"
#include "update/families/hid_update_steps.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;

constexpr int k_slot = 0;
using transport::k_hid_report_id;
using transport::k_command_begin_section;
using transport::k_command_section_data;
using transport::k_command_end_section;
using transport::k_command_run_loader;
using transport::k_command_section_result;
// The long report whose data end at the image's end says so with its command.
constexpr unsigned char k_command_image_data_last = 0x0E;

// The chip writes its image before it restarts.
constexpr std::chrono::milliseconds k_loader_settle = 6s;

// Report id, the command, and every byte after it cleared.
template <class Report>
void start_frame(Report& report, unsigned char command) {
  std::fill(report.begin() + 2, report.end(), 0);
  report[0] = k_hid_report_id;
  report[1] = command;
}

int command(const hid_cmd_report& request) {
  hid_status_report reply{};
  return hid_long_command(k_slot, request, reply);
}
int command(const hid_short_report& request) {
  hid_short_report reply{};
  return hid_short_command(k_slot, request, reply);
}
int send(const hid_cmd_report& request) { return hid_send_long_report(k_slot, request); }
int send(const hid_short_report& request) { return hid_send_short_report(k_slot, request); }
int wait_status(const hid_cmd_report&) { return hid_wait_long_status(k_slot); }
int wait_status(const hid_short_report&) { return hid_wait_short_status(k_slot); }

template <class Report>
std::optional<ImageStep> failed(ImageStep step, std::size_t image_bytes, std::size_t at) {
  constexpr bool k_mesh = std::tuple_size_v<Report> < std::tuple_size_v<hid_cmd_report>;
  platform::system_log(platform::format("%s image of %u bytes: step %d at byte 0x%X: %s", k_mesh ? "mesh" : "qcc",
                                        static_cast<unsigned>(image_bytes), static_cast<int>(step),
                                        static_cast<unsigned>(at),
                                        transport::describe(transport::hid_last_error(k_slot))));
  return step;
}

template <class Report>
std::optional<ImageStep> frames(Report& report, std::span<const std::uint8_t> image) {
  constexpr std::size_t k_chunk = std::tuple_size_v<Report> - 4;
  // only the long reports mark the last data of the image
  constexpr bool k_marks_last = std::tuple_size_v<Report> == std::tuple_size_v<hid_cmd_report>;
  const std::size_t length = image.size();

  // begin image (byte 2 = 0)
  start_frame(report, k_command_begin_section);
  if (command(report) != 1) return failed<Report>(ImageStep::begin, length, 0);

  // data, high byte of the count first
  for (std::size_t sent = 0; sent < length;) {
    const std::size_t chunk = std::min(length - sent, k_chunk);
    const bool last = sent + chunk == length;
    start_frame(report, k_marks_last && last ? k_command_image_data_last : k_command_section_data);
    report[2] = static_cast<unsigned char>(chunk >> 8);
    report[3] = static_cast<unsigned char>(chunk & 0xFF);
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(sent), chunk, report.begin() + 4);
    if (send(report) != 1) return failed<Report>(ImageStep::data_write, length, sent);
    if (wait_status(report) != 1) return failed<Report>(ImageStep::data_status, length, sent);
    sent += chunk;
  }

  // end image, run loader (byte 2 = 0)
  start_frame(report, k_command_end_section);
  if (command(report) != 1) return failed<Report>(ImageStep::end, length, length);
  start_frame(report, k_command_run_loader);
  if (command(report) != 1) return failed<Report>(ImageStep::run_loader, length, length);
  return std::nullopt;
}

}  // namespace

std::optional<ImageStep> send_image_frames(hid_cmd_report& report, std::span<const std::uint8_t> image) {
  return frames(report, image);
}

std::optional<ImageStep> send_image_frames(hid_short_report& report, std::span<const std::uint8_t> image) {
  return frames(report, image);
}

bool reopen_after_restart(UpdateRun& run, std::chrono::milliseconds settle, HidOpen open) {
  hid_close_all();
  if (!run.wait(settle) || !wait_until_back(run, true, open)) return false;
  return open(run.opened_product_id(), run.message()) == 0;
}

std::string image_step_tag(ImageTag image, ImageStep step) {
  return platform::format("[%c][%d]", static_cast<char>(image), static_cast<int>(step));
}

void show_cannot_get_status(UpdateRun& run, const std::string& code) {
  run.show_failure(reason_with_tag(UpdateTexts::vyla_string_cannot_get_status_in, code));
}

std::optional<Exit> qcc_image_transfer(UpdateRun& run, std::span<const std::uint8_t> image) {
  const auto fail_at = [&run](ImageStep step) {
    show_cannot_get_status(run, image_step_tag(ImageTag::bluetooth, step));
  };
  hid_cmd_report report{};
  if (const std::optional<ImageStep> step = send_image_frames(report, image)) {
    fail_at(*step);
    return Exit::close_and_finish;
  }

  // the loader writes the image and the device restarts
  if (!reopen_after_restart(run, k_loader_settle)) {
    if (run.stopping()) return Exit::close_and_finish;
    fail_at(ImageStep::reopen);
    return Exit::finish;
  }

  // its answer is not read: the device is back, whatever the loader says
  start_frame(report, k_command_section_result);
  if (command(report) != 1) {
    fail_at(ImageStep::result);
    return Exit::close_and_finish;
  }
  return std::nullopt;
}

}  // namespace update::families
