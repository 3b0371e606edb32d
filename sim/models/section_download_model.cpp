#include "sim/models/section_download_model.h"

#include <algorithm>
#include <mutex>
#include <span>

#include "sim/bus_state.h"
#include "sim/models/hid_model.h"

namespace sim {

namespace {

constexpr std::uint8_t k_enter_download_mode = 0x0E;
constexpr std::uint8_t k_begin_section = 0x05;
constexpr std::uint8_t k_section_data = 0x06;
constexpr std::uint8_t k_end_section = 0x07;
constexpr std::uint8_t k_readiness = 0x0D;
constexpr std::uint8_t k_run_loader = 0x08;
// A data report carries at most this many bytes after its two length bytes.
constexpr std::size_t k_data_bytes_max = 1019;
constexpr std::size_t k_data_at = 4;

std::uint8_t byte_at(std::span<const std::uint8_t> bytes, std::size_t index) {
  return index < bytes.size() ? bytes[index] : 0;
}

}  // namespace

SectionDownload::SectionDownload(HidModel& device, SectionDownloadOptions options)
    : m_device(device), m_options(std::move(options)) {
  using Answer = HidModel::Answer;
  const auto answer = [this](std::uint8_t command, std::vector<std::uint8_t> data = {}) {
    const bool fails = m_options.failing_commands.contains(command);
    return Answer{fails ? k_hid_status_failed : std::uint8_t{0}, std::move(data)};
  };

  // the device stays on the bus with its own product id and takes the sections
  m_device.on_command(k_enter_download_mode, [this, answer](std::span<const std::uint8_t>) {
    ++m_download_mode_entries;
    return answer(k_enter_download_mode);
  });

  m_device.on_command(k_begin_section, [this, answer](std::span<const std::uint8_t> request) {
    ReceivedSection section;
    section.kind = byte_at(request, 2);
    m_sections.push_back(std::move(section));
    m_in_section = true;
    return answer(k_begin_section);
  });

  m_device.on_command(k_section_data, [this, answer](std::span<const std::uint8_t> request) {
    const int index = ++m_data_reports;
    if (m_options.read_error_at_data_report == index) {
      Faults faults = m_device.faults();
      faults.read_error = true;
      m_device.set_faults(faults);
    }
    if (m_options.write_error_after_data_reports == index) {
      Faults faults = m_device.faults();
      faults.write_error = true;
      m_device.set_faults(faults);
    }
    // bytes 2-3: the number of data bytes, high byte first
    const std::size_t length = static_cast<std::size_t>(byte_at(request, 2)) << 8 | byte_at(request, 3);
    if (!m_in_section || length > k_data_bytes_max || k_data_at + length > request.size() ||
        m_options.failing_data_report == index) {
      return Answer{k_hid_status_failed, {}};
    }
    ReceivedSection& section = m_sections.back();
    ++section.data_reports;
    section.bytes += length;
    if (m_options.keep_data) {
      section.data.insert(section.data.end(), request.begin() + k_data_at, request.begin() + k_data_at + length);
    } else {
      m_device.take_received();
    }
    Answer answered = answer(k_section_data);
    answered.after = m_options.data_report_time;
    return answered;
  });

  m_device.on_command(k_end_section, [this, answer](std::span<const std::uint8_t>) {
    if (!m_in_section) return Answer{k_hid_status_failed, {}};
    m_sections.back().ended = true;
    m_in_section = false;
    return answer(k_end_section);
  });

  m_device.on_command(k_readiness, [this, answer](std::span<const std::uint8_t>) {
    const int query = ++m_readiness_queries;
    if (query <= m_options.failing_ready_queries) return Answer{k_hid_status_failed, {}};
    const bool ready = !m_options.never_ready && query > m_options.failing_ready_queries + m_options.not_ready_queries;
    return answer(k_readiness, {static_cast<std::uint8_t>(ready ? 1 : 0)});
  });

  m_device.on_command(k_run_loader, [this, answer](std::span<const std::uint8_t>) {
    ++m_loader_starts;
    Answer answered = answer(k_run_loader);
    if (answered.status == 0) {
      // the loader takes over once the answer is on its way
      m_device.restart(m_options.reboot_leave_in,
                       m_options.never_returns ? std::nullopt : std::optional(m_options.reboot_absent_for));
    }
    return answered;
  });
}

std::vector<ReceivedSection> SectionDownload::sections() const {
  std::lock_guard lock(Bus::mutex());
  return m_sections;
}

int SectionDownload::download_mode_entries() const {
  std::lock_guard lock(Bus::mutex());
  return m_download_mode_entries;
}

int SectionDownload::readiness_queries() const {
  std::lock_guard lock(Bus::mutex());
  return m_readiness_queries;
}

int SectionDownload::loader_starts() const {
  std::lock_guard lock(Bus::mutex());
  return m_loader_starts;
}

SectionDownloadOptions SectionDownload::options() const {
  std::lock_guard lock(Bus::mutex());
  return m_options;
}

void SectionDownload::set_options(const SectionDownloadOptions& options) {
  std::lock_guard lock(Bus::mutex());
  m_options = options;
}

}  // namespace sim
