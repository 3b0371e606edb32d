#include "shell/diagnostic_log.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

#include "device_data/product_facts.h"
#include "platform/files.h"
#include "platform/format.h"
#include "session/app_state.h"

extern char** environ;

namespace shell {
namespace {

std::string version_block(const FEXOBluetoothDeviceData& data) {
  if (device_data::product_facts(data.deviceRecognized()).two_modules) {
    // the secondary version follows its type on the same line; support tools read it so
    return platform::format(
        "Device Version 01: %d.%d\nSecondary Version Type 01: %dSecondary Version 01: %d\n"
        "Device Version 02: %d.%d\nSecondary Version Type 02: %dSecondary Version 02: %d\n\n",
        data.deviceVersionMajor01(), data.deviceVersionMinor01(), data.deviceSecondaryVersionType01(),
        data.deviceSecondaryVersion01(), data.deviceVersionMajor02(), data.deviceVersionMinor02(),
        data.deviceSecondaryVersionType02(), data.deviceSecondaryVersion02());
  }
  return platform::format("Device Version: %d.%d\nSecondary Version Type: %dSecondary Version: %d\n\n",
                          data.deviceVersionMajor(), data.deviceVersionMinor(), data.deviceSecondaryVersionType(),
                          data.deviceSecondaryVersion());
}

std::string read_text_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string();
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

std::vector<std::filesystem::path> sorted_entries(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> entries;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    entries.push_back(it->path());
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

// One line per Bluetooth controller: its name and, when the kernel tells it, its address.
std::string bluetooth_controllers() {
  std::string text;
  for (const std::filesystem::path& controller : sorted_entries("/sys/class/bluetooth")) {
    const std::string name = controller.filename().string();
    if (name.find(':') != std::string::npos) continue;  // connections, not controllers
    text += "Bluetooth controller " + name;
    const std::string address = trimmed(read_text_file(controller / "address"));
    if (!address.empty()) text += " " + address;
    text += "\n";
  }
  return text;
}

// USB devices without lsusb: bus path, vendor:product, maker and product names.
std::string usb_devices_from_sysfs() {
  std::string text;
  for (const std::filesystem::path& device : sorted_entries("/sys/bus/usb/devices")) {
    const std::string vendor = trimmed(read_text_file(device / "idVendor"));
    if (vendor.empty()) continue;  // interfaces carry no ids
    text += device.filename().string() + " " + vendor + ":" + trimmed(read_text_file(device / "idProduct"));
    for (const char* field : {"manufacturer", "product"}) {
      const std::string value = trimmed(read_text_file(device / field));
      if (!value.empty()) text += " " + value;
    }
    text += "\n";
  }
  return text;
}

}  // namespace

std::string diagnostic_log_file_name(const std::tm& local_time) {
  char stamp[32] = {};
  // %Y is the calendar year (the ISO week-based year would be %G)
  std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local_time);
  return platform::format("%@_DiagnosticLog.%@", stamp, k_diagnostic_log_extension);
}

std::string diagnostic_log_header(const std::string& status, bool recognized, int device_target, int usb_status,
                                  const FEXOBluetoothDeviceData& data) {
  return platform::format(
      "[Manager Information]\nStatus: %@\nVersion: %d.%d%@\n[Device Information]\nRecognized: %d\n"
      "Target Device: %04X\nUSB Status: %04X\nRecognized Device: %04X\nBD Address: %@\nDevice Name: %@\n%@"
      "[Mac Version]\n",
      status, session::k_manager_version_major, session::k_manager_version_minor, "", recognized ? 1 : 0, device_target, usb_status,
      data.deviceRecognized(), data.bdAddress().value_or(std::string()), data.deviceName().value_or(std::string()),
      version_block(data));
}

std::optional<std::string> run_tool(const std::vector<std::string>& argv) {
  if (argv.empty()) return std::nullopt;
  int pipe_ends[2];
  if (pipe2(pipe_ends, O_CLOEXEC) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> arguments;
  for (const std::string& argument : argv) arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  pid_t child = 0;
  const int spawn_error = posix_spawnp(&child, arguments[0], &actions, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  if (spawn_error != 0) {
    close(pipe_ends[0]);
    return std::nullopt;
  }
  // read to the end before waiting, so a tool with much output never blocks on a full pipe
  std::string output;
  char buffer[4096];
  for (;;) {
    const ssize_t count = read(pipe_ends[0], buffer, sizeof buffer);
    if (count > 0) {
      output.append(buffer, static_cast<size_t>(count));
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  close(pipe_ends[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return output;
}

DiagnosticLogSources linux_diagnostic_sources(std::function<std::vector<std::string>()> refused_devices) {
  DiagnosticLogSources sources;
  sources.operating_system = [] {
    return read_text_file("/etc/os-release") + run_tool({"uname", "-srvmo"}).value_or(std::string());
  };
  sources.system_profile = [refused_devices = std::move(refused_devices)] {
    std::string text = run_tool({"lscpu"}).value_or(std::string());
    text += bluetooth_controllers();
    const std::optional<std::string> usb = run_tool({"lsusb"});
    text += usb ? *usb : usb_devices_from_sysfs();
    if (refused_devices) {
      for (const std::string& line : refused_devices()) text += line + "\n";
    }
    return text;
  };
  sources.kernel_modules = [] { return read_text_file("/proc/modules"); };
  return sources;
}

std::string diagnostic_log_text(const std::string& header, const DiagnosticLogSources& sources) {
  auto run = [](const std::function<std::string()>& source) { return source ? source() : std::string(); };
  std::string text = header;
  text += run(sources.operating_system);
  text += "\n[System Profile - Hardware / Bluetooth / USB]\n";
  text += run(sources.system_profile);
  text += "\n[/usr/sbin/kextstat]\n";
  text += run(sources.kernel_modules);
  return text;
}

bool write_diagnostic_log(const std::filesystem::path& path, const std::string& header,
                          const DiagnosticLogSources& sources) {
  return platform::write_file_atomically(path, diagnostic_log_text(header, sources));
}

}  // namespace shell
