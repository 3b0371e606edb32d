#include "sim/models/camera_commands_model.h"

#include <algorithm>
#include <mutex>
#include <span>

#include "sim/bus_state.h"
#include "sim/models/hid_model.h"

namespace sim {

namespace {

constexpr std::uint8_t k_disk_on = 0x20;
constexpr std::uint8_t k_disk_off = 0x21;
constexpr std::uint8_t k_disk_state = 0x22;

}  // namespace

CameraCommands::CameraCommands(HidModel& device, CameraCommandsOptions options)
    : m_device(device), m_options(std::move(options)) {
  using Answer = HidModel::Answer;
  m_disk.write(m_options.version_file, m_options.version_text);
  m_disk.set_faults(m_options.disk_faults);

  // true when this occurrence of `command` is to fail
  const auto fails = [this](std::uint8_t command) {
    m_commands.push_back(command);
    const int occurrence = ++m_occurrences[command];
    const auto failing = m_options.failing_commands.find(command);
    return failing != m_options.failing_commands.end() &&
           (failing->second.empty() || failing->second.contains(occurrence));
  };

  m_device.on_command(k_disk_on, [this, fails](std::span<const std::uint8_t>) {
    if (fails(k_disk_on)) return Answer{k_hid_status_failed, {}};
    const std::size_t turn = static_cast<std::size_t>(m_occurrences[k_disk_on] - 1);
    const auto& delays = m_options.mount_delays;
    const std::optional<std::chrono::milliseconds> delay =
        delays.empty() ? std::nullopt : delays[std::min(turn, delays.size() - 1)];
    std::optional<std::chrono::milliseconds> vanishes;
    m_turns_off_at.reset();
    if (m_installing_on_next_on && m_options.turns_off_after_install) {
      m_installing_on_next_on = false;
      vanishes = *m_options.turns_off_after_install;
      m_turns_off_at = platform::now() + *vanishes;
    }
    m_on = true;
    if (delay) m_disk.mount(*delay, vanishes);
    return Answer{0, {}};
  });

  m_device.on_command(k_disk_off, [this, fails](std::span<const std::uint8_t>) {
    if (fails(k_disk_off)) return Answer{k_hid_status_failed, {}};
    const bool was_on = state_on_locked();
    m_on = false;
    m_turns_off_at.reset();
    m_disk.unmount();
    const std::optional<std::vector<std::uint8_t>> copied = m_disk.read(m_options.firmware_file);
    if (was_on && copied && copied != m_installed) {
      // the camera installs what was copied, once
      m_installed = copied;
      ++m_installations;
      if (m_options.installs_version) m_disk.write(m_options.version_file, *m_options.installs_version);
      if (m_options.removes_installed_file) m_disk.remove(m_options.firmware_file);
      if (m_options.turns_off_after_install) m_installing_on_next_on = true;
    }
    return Answer{0, {}};
  });

  m_device.on_command(k_disk_state, [this](std::span<const std::uint8_t>) {
    m_commands.push_back(k_disk_state);
    const int query = ++m_state_queries;
    if (m_options.failing_state_queries.contains(query)) return Answer{k_hid_status_failed, {}};
    if (const auto answer = m_options.state_answers.find(query); answer != m_options.state_answers.end()) {
      return Answer{0, {answer->second}};
    }
    return Answer{0, {static_cast<std::uint8_t>(state_on_locked() ? 1 : 0)}};
  });
}

bool CameraCommands::state_on_locked() const {
  return m_on && !(m_turns_off_at && platform::now() >= *m_turns_off_at);
}

bool CameraCommands::disk_on() const {
  std::lock_guard lock(Bus::mutex());
  return state_on_locked();
}

int CameraCommands::state_queries() const {
  std::lock_guard lock(Bus::mutex());
  return m_state_queries;
}

int CameraCommands::installations() const {
  std::lock_guard lock(Bus::mutex());
  return m_installations;
}

std::vector<std::uint8_t> CameraCommands::commands() const {
  std::lock_guard lock(Bus::mutex());
  return m_commands;
}

}  // namespace sim
