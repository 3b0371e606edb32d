#pragma once
// The camera commands of the action cameras on the HID command channel:
// 0x20 switches the camera's disk on (its memory card appears as a mounted
// volume after a delay, sim/camera_disk.h), 0x21 switches it off (the volume
// vanishes), 0x22 tells the state in reply byte 3 (1 on, 0 off). Installed as
// handlers on a sim::HidModel through HidModelOptions::camera.
//
// When the disk goes off with a firmware file on it that it has not
// installed yet, the camera installs it: it writes the new version into its version file and removes
// the firmware file (each optional). A camera with `turns_off_after_install`
// (0x5580) instead keeps working once its disk is on again and turns the disk
// off by itself when done.
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "sim/camera_disk.h"

namespace sim {

class HidModel;

struct CameraCommandsOptions {
  // The marker and version file at the top of the card, and its text.
  std::string version_file = "VT4.VER";
  std::string version_text = "1.0";
  // The name the camera installs its firmware from.
  std::string firmware_file = "FWCARCAM.bin";
  // How long after each 0x20, in turn, the card appears (the last repeats);
  // none: it never does.
  std::vector<std::optional<std::chrono::milliseconds>> mount_delays{std::chrono::milliseconds(5000)};
  // Installation: the version file's new text (none: the old version stays),
  // and whether the firmware file is removed.
  std::optional<std::string> installs_version = "2.1";
  bool removes_installed_file = true;
  // Installs while its disk is on again after the copy, and turns the disk
  // off by itself this long after that 0x20.
  std::optional<std::chrono::milliseconds> turns_off_after_install{};

  // ---- faults ----
  std::set<int> failing_state_queries{};  // these 0x22 (counted from 1) answer k_hid_status_failed
  std::map<int, std::uint8_t> state_answers{};  // these 0x22 (counted from 1) answer this state whatever it is
  // These occurrences (counted from 1) of 0x20 or 0x21 answer k_hid_status_failed; an empty set: every one.
  std::map<std::uint8_t, std::set<int>> failing_commands{};
  CameraDiskFaults disk_faults{};
};

class CameraCommands {
 public:
  // Installs the handlers on `device`, which owns this object; the card holds
  // the version file.
  CameraCommands(HidModel& device, CameraCommandsOptions options);
  CameraCommands(const CameraCommands&) = delete;
  CameraCommands& operator=(const CameraCommands&) = delete;

  CameraDisk& disk() { return m_disk; }
  bool disk_on() const;
  int state_queries() const;
  int installations() const;
  // The camera commands taken, in order (failed ones too).
  std::vector<std::uint8_t> commands() const;

 private:
  bool state_on_locked() const;

  HidModel& m_device;
  CameraCommandsOptions m_options;
  CameraDisk m_disk;
  bool m_on = false;
  std::optional<platform::Clock::time_point> m_turns_off_at;
  bool m_installing_on_next_on = false;
  int m_state_queries = 0;
  int m_installations = 0;
  std::optional<std::vector<std::uint8_t>> m_installed;
  std::map<std::uint8_t, int> m_occurrences;
  std::vector<std::uint8_t> m_commands;
};

}  // namespace sim
