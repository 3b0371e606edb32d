#pragma once
// The diagnostic log a user saves and sends to support: the manager's status
// and version, the attached device, then facts about this computer taken from
// Linux (operating system, processor, Bluetooth controllers, USB devices,
// loaded kernel modules).
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace shell {

// Extension of diagnostic log files.
inline constexpr char k_diagnostic_log_extension[] = "vyladlog";

// Default file name "yyyyMMddHHmmss_DiagnosticLog.vyladlog" for `local_time`;
// the stamp uses the calendar year, so late December stays in its own year.
std::string diagnostic_log_file_name(const std::tm& local_time);

// The manager and device part of the log, ending with the operating-system
// heading. A missing address or name is written as an empty text.
std::string diagnostic_log_header(const std::string& status, bool recognized, int device_target, int usb_status,
                                  const FEXOBluetoothDeviceData& data);

// Where the computer's facts come from; each returns the text to write (empty
// when the source is missing).
struct DiagnosticLogSources {
  std::function<std::string()> operating_system;  // os-release and uname
  std::function<std::string()> system_profile;    // processor, Bluetooth controllers, USB devices
  std::function<std::string()> kernel_modules;    // loaded kernel modules
};

// The sources of this Linux system. The system profile ends with the lines
// `refused_devices` answers: device nodes the manager was not allowed to open.
DiagnosticLogSources linux_diagnostic_sources(std::function<std::vector<std::string>()> refused_devices = {});

// The whole log: header, then each source under its heading.
std::string diagnostic_log_text(const std::string& header, const DiagnosticLogSources& sources);

// Writes the log to `path`, replacing a file there; false (and no new file)
// when it cannot be written.
bool write_diagnostic_log(const std::filesystem::path& path, const std::string& header,
                          const DiagnosticLogSources& sources);

// Runs `argv` (looked up in PATH) and answers its standard output; nullopt
// when the program could not be started.
std::optional<std::string> run_tool(const std::vector<std::string>& argv);

}  // namespace shell
