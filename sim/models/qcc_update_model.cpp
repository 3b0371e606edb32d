#include "sim/models/qcc_update_model.h"

#include <algorithm>
#include <mutex>
#include <span>
#include <utility>

#include "sim/bus_state.h"
#include "sim/models/hid_model.h"

namespace sim {

namespace {

constexpr std::uint8_t k_no_operation = 0x00;
constexpr std::uint8_t k_begin_image = 0x05;
constexpr std::uint8_t k_image_data = 0x06;
constexpr std::uint8_t k_image_data_last = 0x0E;
constexpr std::uint8_t k_end_image = 0x07;
constexpr std::uint8_t k_run_loader = 0x08;
constexpr std::uint8_t k_result_query = 0x0A;
constexpr std::uint8_t k_readiness = 0x0D;
constexpr std::uint8_t k_mesh_download_mode = 0x0F;
constexpr std::uint8_t k_normal_mode = 0x10;
constexpr std::uint8_t k_mode_probe = 0x12;
constexpr std::uint8_t k_update_mode = 0x13;
// Data bytes a report carries at most after the report id, the command and the two count bytes.
constexpr std::size_t k_long_data_bytes_max = 1019;
constexpr std::size_t k_short_data_bytes_max = 61;
constexpr std::size_t k_data_at = 4;
constexpr std::size_t k_long_request_bytes = 1023;

using Answer = HidModel::Answer;

std::uint8_t byte_at(std::span<const std::uint8_t> bytes, std::size_t index) {
  return index < bytes.size() ? bytes[index] : 0;
}

bool is_long(std::span<const std::uint8_t> request) { return request.size() >= k_long_request_bytes; }

Answer ok(std::vector<std::uint8_t> data = {}) { return Answer{0, std::move(data)}; }
Answer refused() { return Answer{k_hid_status_failed, {}}; }

}  // namespace

QccUpdate::QccUpdate(HidModel& device, QccUpdateOptions options) : m_device(device), m_options(std::move(options)) {
  // Each image command: the long report to the Bluetooth chip while the main
  // unit shows, the short one to the mesh unit while it shows.
  const auto on_image_command = [this](std::uint8_t command, auto bluetooth, auto mesh) {
    m_device.on_command(command, [this, command, bluetooth, mesh](std::span<const std::uint8_t> request) {
      const bool to_mesh = !is_long(request);
      if (to_mesh != m_device.in_mesh_mode()) return refused();
      const std::set<std::uint8_t>& failing = to_mesh ? m_options.failing_mesh_commands : m_options.failing_commands;
      if (failing.contains(command)) return refused();
      return to_mesh ? mesh(request) : bluetooth(request);
    });
  };
  const auto long_only = [](std::span<const std::uint8_t>) { return refused(); };

  // begin image
  const auto begin = [](ImageState& state) {
    state.images.emplace_back();
    state.open = true;
    return ok();
  };
  on_image_command(
      k_begin_image, [this, begin](std::span<const std::uint8_t>) { return begin(m_bluetooth); },
      [this, begin](std::span<const std::uint8_t>) { return begin(m_mesh); });

  // image data: the faults of the k-th report, then its count and bytes
  const auto data = [this](ImageState& state, std::span<const std::uint8_t> request, bool last, bool mesh) {
    const int index = ++state.data_reports;
    const QccUpdateOptions& o = m_options;
    Faults faults = m_device.faults();
    faults.read_error |= index == (mesh ? o.read_error_at_mesh_data_report : o.read_error_at_data_report);
    faults.write_error |= index == (mesh ? o.write_error_after_mesh_data_reports : o.write_error_after_data_reports);
    m_device.set_faults(faults);
    const std::size_t length = static_cast<std::size_t>(byte_at(request, 2)) << 8 | byte_at(request, 3);
    const std::size_t maximum = mesh ? k_short_data_bytes_max : k_long_data_bytes_max;
    const bool marked_before = state.open && state.images.back().marked_last.has_value();
    if (!state.open || marked_before || length == 0 || length > maximum || k_data_at + length > request.size() ||
        index == (mesh ? o.failing_mesh_data_report : o.failing_data_report)) {
      return refused();
    }
    ReceivedImage& image = state.images.back();
    if (last) image.marked_last = image.report_bytes.size();
    image.report_bytes.push_back(length);
    image.data.insert(image.data.end(), request.begin() + k_data_at, request.begin() + k_data_at + length);
    return ok();
  };
  on_image_command(
      k_image_data, [this, data](std::span<const std::uint8_t> r) { return data(m_bluetooth, r, false, false); },
      [this, data](std::span<const std::uint8_t> r) { return data(m_mesh, r, false, true); });
  // the short reports never mark their last data
  on_image_command(
      k_image_data_last, [this, data](std::span<const std::uint8_t> r) { return data(m_bluetooth, r, true, false); },
      long_only);

  // end image
  const auto end = [](ImageState& state) {
    if (!state.open) return refused();
    state.images.back().ended = true;
    state.open = false;
    return ok();
  };
  on_image_command(
      k_end_image, [this, end](std::span<const std::uint8_t>) { return end(m_bluetooth); },
      [this, end](std::span<const std::uint8_t>) { return end(m_mesh); });

  // run loader: the chip writes its image and restarts once the answer is on its way
  on_image_command(
      k_run_loader,
      [this](std::span<const std::uint8_t>) {
        ++m_loader_starts;
        m_device.restart(m_options.leave_in, m_options.loader_absence);
        return ok();
      },
      [this](std::span<const std::uint8_t>) {
        ++m_mesh_loader_starts;
        m_device.restart_mesh_unit(m_options.leave_in, m_options.mesh_loader_absence);
        return ok();
      });

  // restart into the update mode, with the same product id
  on_image_command(
      k_update_mode,
      [this](std::span<const std::uint8_t>) {
        ++m_update_mode_entries;
        m_device.restart(m_options.leave_in, m_options.update_mode_absence);
        return ok();
      },
      long_only);

  on_image_command(
      k_result_query,
      [this](std::span<const std::uint8_t>) {
        ++m_result_queries;
        return ok();
      },
      long_only);

  on_image_command(
      k_readiness,
      [this](std::span<const std::uint8_t>) {
        const int query = ++m_readiness_queries;
        return ok({static_cast<std::uint8_t>(query > m_options.not_ready_queries ? 1 : 0)});
      },
      long_only);

  // The commands the device answers anyway keep their answers unless `own`
  // gives one; the update counts them and can make them fail.
  const auto wrap = [this](std::uint8_t command, auto own) {
    HidModel::CommandHandler previous = m_device.command_handler(command);
    m_device.on_command(command, [this, command, own, previous](std::span<const std::uint8_t> request) {
      const std::optional<Answer> answer = own(request);
      const std::set<std::uint8_t>& failing =
          is_long(request) ? m_options.failing_commands : m_options.failing_mesh_commands;
      if (failing.contains(command)) return refused();
      if (answer) return *answer;
      return previous ? previous(request) : refused();
    });
  };
  wrap(k_mode_probe, [this](std::span<const std::uint8_t>) -> std::optional<Answer> {
    const std::vector<std::uint8_t>& answers = m_options.mode_answers;
    const std::size_t probe = static_cast<std::size_t>(m_mode_probes++);
    if (answers.empty()) return std::nullopt;
    return ok({answers[std::min(probe, answers.size() - 1)]});
  });
  wrap(k_normal_mode, [this](std::span<const std::uint8_t>) -> std::optional<Answer> {
    ++m_normal_mode_entries;
    return std::nullopt;
  });
  wrap(k_mesh_download_mode, [](std::span<const std::uint8_t>) -> std::optional<Answer> { return std::nullopt; });
  wrap(k_no_operation, [](std::span<const std::uint8_t>) -> std::optional<Answer> { return std::nullopt; });
}

std::vector<ReceivedImage> QccUpdate::images() const {
  std::lock_guard lock(Bus::mutex());
  return m_bluetooth.images;
}

std::vector<ReceivedImage> QccUpdate::mesh_images() const {
  std::lock_guard lock(Bus::mutex());
  return m_mesh.images;
}

int QccUpdate::update_mode_entries() const {
  std::lock_guard lock(Bus::mutex());
  return m_update_mode_entries;
}

int QccUpdate::readiness_queries() const {
  std::lock_guard lock(Bus::mutex());
  return m_readiness_queries;
}

int QccUpdate::mode_probes() const {
  std::lock_guard lock(Bus::mutex());
  return m_mode_probes;
}

int QccUpdate::loader_starts() const {
  std::lock_guard lock(Bus::mutex());
  return m_loader_starts;
}

int QccUpdate::mesh_loader_starts() const {
  std::lock_guard lock(Bus::mutex());
  return m_mesh_loader_starts;
}

int QccUpdate::result_queries() const {
  std::lock_guard lock(Bus::mutex());
  return m_result_queries;
}

int QccUpdate::normal_mode_entries() const {
  std::lock_guard lock(Bus::mutex());
  return m_normal_mode_entries;
}

QccUpdateOptions QccUpdate::options() const {
  std::lock_guard lock(Bus::mutex());
  return m_options;
}

void QccUpdate::set_options(const QccUpdateOptions& options) {
  std::lock_guard lock(Bus::mutex());
  m_options = options;
}

}  // namespace sim
