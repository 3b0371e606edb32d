#include "sim/models/mesh_update_model.h"

#include <mutex>
#include <utility>

#include "sim/bus_state.h"
#include "sim/models/hid_model.h"

namespace sim {

namespace {

constexpr std::uint8_t k_version = 0x01;
constexpr std::uint8_t k_begin_section = 0x05;
constexpr std::uint8_t k_section_data = 0x06;
constexpr std::uint8_t k_end_section = 0x07;
constexpr std::uint8_t k_run_loader = 0x08;
constexpr std::uint8_t k_final_check = 0x47;
constexpr std::uint8_t k_mesh_download = 0x50;
constexpr std::uint8_t k_power_hold = 0x52;
constexpr std::uint8_t k_power_release = 0x53;
constexpr std::uint8_t k_image_language = 0x59;
constexpr std::uint8_t k_chunk_crc = 0x5A;
constexpr std::uint8_t k_all_crc = 0x5B;
constexpr std::size_t k_mesh_data_bytes_max = 58;
constexpr std::size_t k_data_at = 4;

std::uint8_t byte_at(std::span<const std::uint8_t> bytes, std::size_t index) {
  return index < bytes.size() ? bytes[index] : 0;
}

HidModel::Answer failed() { return HidModel::Answer{k_hid_status_failed, {}}; }

}  // namespace

std::uint16_t xmodem_crc(std::span<const std::uint8_t> data, std::uint16_t crc) {
  for (const std::uint8_t byte : data) {
    crc = static_cast<std::uint16_t>(crc ^ (byte << 8));
    for (int bit = 0; bit < 8; ++bit) {
      crc = static_cast<std::uint16_t>((crc & 0x8000) != 0 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
  }
  return crc;
}

MeshModule::MeshModule(HidModel& device, MeshModuleOptions options) : m_device(device), m_options(std::move(options)) {
  const auto answer = [this](std::uint8_t command) {
    return m_options.failing_commands.contains(command) ? failed() : HidModel::Answer{};
  };
  m_device.on_command(k_power_hold, [this, answer](std::span<const std::uint8_t>) {
    ++m_power_holds;
    return answer(k_power_hold);
  });
  m_device.on_command(k_power_release, [this, answer](std::span<const std::uint8_t>) {
    ++m_power_releases;
    return answer(k_power_release);
  });
  m_device.on_command(k_image_language, [this, answer](std::span<const std::uint8_t> request) {
    m_language_codes.push_back(byte_at(request, 2));
    if (m_options.refused_language_commands > 0) {
      --m_options.refused_language_commands;
      return failed();
    }
    return answer(k_image_language);
  });
  if (HidModel::CommandHandler switch_to_mesh = m_device.command_handler(k_mesh_download)) {
    m_device.on_command(k_mesh_download, [answer, switch_to_mesh](std::span<const std::uint8_t> request) {
      HidModel::Answer answered = answer(k_mesh_download);
      return answered.status != 0 ? answered : switch_to_mesh(request);
    });
  }
  // the loader installs the new firmware: the module tells its new version
  if (HidModel::CommandHandler run_loader = m_device.command_handler(k_run_loader)) {
    m_device.on_command(k_run_loader, [this, run_loader](std::span<const std::uint8_t> request) {
      HidModel::Answer answered = run_loader(request);
      if (answered.status == 0) m_loader_run = true;
      return answered;
    });
  }
  if (HidModel::CommandHandler version = m_device.command_handler(k_version)) {
    m_device.on_command(k_version, [this, version](std::span<const std::uint8_t> request) {
      if (!m_loader_run || !m_options.version_after_loader) return version(request);
      HidModel::Answer answered = version(request);
      std::copy(m_options.version_after_loader->begin(), m_options.version_after_loader->end(), answered.data.begin());
      return answered;
    });
  }
}

std::vector<std::uint8_t> MeshModule::language_codes() const {
  std::lock_guard lock(Bus::mutex());
  return m_language_codes;
}

int MeshModule::power_holds() const {
  std::lock_guard lock(Bus::mutex());
  return m_power_holds;
}

int MeshModule::power_releases() const {
  std::lock_guard lock(Bus::mutex());
  return m_power_releases;
}

MeshProcessor::MeshProcessor(HidModel& device, MeshProcessorOptions options)
    : m_device(device), m_options(std::move(options)) {
  const auto answer = [this](std::uint8_t command, std::vector<std::uint8_t> data = {}) {
    return m_options.failing_commands.contains(command) ? failed() : HidModel::Answer{0, std::move(data)};
  };
  if (HidModel::CommandHandler version = m_device.command_handler(k_version)) {
    m_device.on_command(k_version, [this, version](std::span<const std::uint8_t> request) {
      if (m_options.refuses_version) return failed();
      HidModel::Answer answered = version(request);
      answered.data.resize(5);
      answered.data[4] = m_options.build;
      return answered;
    });
  }
  m_device.on_command(k_begin_section, [this, answer](std::span<const std::uint8_t> request) {
    if (m_options.failing_commands.contains(k_begin_section)) return failed();
    MeshTransfer transfer;
    transfer.kind = byte_at(request, 2);
    transfer.passes.emplace_back();
    m_transfers.push_back(std::move(transfer));
    m_running = 0;
    m_pending.clear();
    return answer(k_begin_section);
  });
  m_device.on_command(k_section_data, [this](std::span<const std::uint8_t> request) {
    const int index = ++m_data_reports;
    if (m_options.write_error_at_data_report == index) {
      Faults faults = m_device.faults();
      faults.write_error = true;
      m_device.set_faults(faults);
    }
    const std::size_t length = static_cast<std::size_t>(byte_at(request, 2)) << 8 | byte_at(request, 3);
    if (m_transfers.empty() || length == 0 || length > k_mesh_data_bytes_max || k_data_at + length > request.size() ||
        m_options.failing_data_report == index) {
      return failed();
    }
    MeshPass& pass = m_transfers.back().passes.back();
    ++pass.data_reports;
    m_pending.assign(request.begin() + k_data_at, request.begin() + static_cast<std::ptrdiff_t>(k_data_at + length));
    pass.sent.insert(pass.sent.end(), m_pending.begin(), m_pending.end());
    return HidModel::Answer{};
  });
  m_device.on_command(k_chunk_crc, [this](std::span<const std::uint8_t> request) {
    const int index = ++m_chunk_crcs;
    const auto crc = static_cast<std::uint16_t>(byte_at(request, 4) | byte_at(request, 5) << 8);
    if (m_transfers.empty()) return failed();
    MeshPass& pass = m_transfers.back().passes.back();
    pass.chunk_crcs.push_back(crc);
    const bool refused = m_options.refuses_every_chunk_crc || m_options.refused_chunk_crcs.contains(index);
    if (refused || byte_at(request, 3) != 2 || m_pending.empty() || crc != xmodem_crc(m_pending)) {
      pass.chunk_refused = true;
      return failed();
    }
    pass.chunk_refused = false;
    pass.accepted.insert(pass.accepted.end(), m_pending.begin(), m_pending.end());
    m_running = xmodem_crc(m_pending, m_running);
    m_pending.clear();
    return HidModel::Answer{};
  });
  m_device.on_command(k_all_crc, [this](std::span<const std::uint8_t> request) {
    const int index = ++m_all_crcs;
    const auto crc = static_cast<std::uint16_t>(byte_at(request, 4) | byte_at(request, 5) << 8);
    if (m_transfers.empty()) return failed();
    MeshTransfer& transfer = m_transfers.back();
    MeshPass& pass = transfer.passes.back();
    pass.all_crc = crc;
    const bool refused = m_options.refuses_every_all_crc || m_options.refused_all_crcs.contains(index);
    // a pass that left a refused chunk behind is not whole, whatever its CRC
    pass.all_crc_accepted = !refused && !pass.chunk_refused && byte_at(request, 3) == 2 && crc == m_running;
    const HidModel::Answer answered = pass.all_crc_accepted ? HidModel::Answer{} : failed();
    // a refused image is sent again from its start
    if (!pass.all_crc_accepted) transfer.passes.emplace_back();
    m_running = 0;
    m_pending.clear();
    return answered;
  });
  m_device.on_command(k_end_section, [this, answer](std::span<const std::uint8_t>) {
    if (!m_transfers.empty()) m_transfers.back().ended = true;
    return answer(k_end_section);
  });
  m_device.on_command(k_run_loader, [this, answer](std::span<const std::uint8_t>) {
    HidModel::Answer answered = answer(k_run_loader);
    if (answered.status != 0) return answered;
    ++m_loader_starts;
    m_gone_after_loader = true;
    m_device.restart(m_options.leave_after_loader, std::nullopt);
    return answered;
  });
  m_device.on_command(k_final_check, [this, answer](std::span<const std::uint8_t>) {
    ++m_final_checks;
    return answer(k_final_check, {m_options.final_check});
  });
}

std::vector<MeshTransfer> MeshProcessor::transfers() const {
  std::lock_guard lock(Bus::mutex());
  return m_transfers;
}

int MeshProcessor::loader_starts() const {
  std::lock_guard lock(Bus::mutex());
  return m_loader_starts;
}

int MeshProcessor::final_checks() const {
  std::lock_guard lock(Bus::mutex());
  return m_final_checks;
}

bool MeshProcessor::take_gone_after_loader() {
  std::lock_guard lock(Bus::mutex());
  return std::exchange(m_gone_after_loader, false);
}

MeshProcessorOptions MeshProcessor::options() const {
  std::lock_guard lock(Bus::mutex());
  return m_options;
}

}  // namespace sim
