#include "shell/diagnostic_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string read_all(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(DiagnosticLog, DefaultFileNameUsesTheCalendarYear) {
  // 30 December 2024 already belongs to ISO week 1 of 2025
  std::tm moment{};
  moment.tm_year = 2024 - 1900;
  moment.tm_mon = 11;
  moment.tm_mday = 30;
  moment.tm_hour = 23;
  moment.tm_min = 59;
  moment.tm_sec = 58;
  moment.tm_wday = 1;
  moment.tm_yday = 364;
  EXPECT_EQ(shell::diagnostic_log_file_name(moment), "20241230235958_DiagnosticLog.vyladlog");
}

TEST(DiagnosticLog, HeaderBeforeAnyRecognition) {
  FEXOBluetoothDeviceData data;
  EXPECT_EQ(shell::diagnostic_log_header("Select your device.", false, 0, 0, data),
            "[Manager Information]\nStatus: Select your device.\nVersion: 1.4\n[Device Information]\nRecognized: 0\n"
            "Target Device: 0000\nUSB Status: 0000\nRecognized Device: 0000\nBD Address: \nDevice Name: \n"
            "Device Version: 0.0\nSecondary Version Type: 0Secondary Version: 0\n\n[Mac Version]\n");
}

TEST(DiagnosticLog, TwoModuleDeviceListsBothModules) {
  FEXOBluetoothDeviceData data;
  data.setDeviceRecognized(0x4210);
  data.setBdAddress(std::string("00:01:02:0a:0b:0c"));
  data.setDeviceName(std::string("LM6 2.1"));
  data.setDeviceVersionMajor01(2);
  data.setDeviceVersionMinor01(1);
  data.setDeviceSecondaryVersionType01(2);
  data.setDeviceSecondaryVersion01(7);
  data.setDeviceVersionMajor02(1);
  data.setDeviceVersionMinor02(3);
  const std::string header = shell::diagnostic_log_header("Ready", true, 0x4210, 0xC210, data);
  EXPECT_NE(header.find("Recognized: 1\nTarget Device: 4210\nUSB Status: C210\nRecognized Device: 4210\n"
                        "BD Address: 00:01:02:0a:0b:0c\nDevice Name: LM6 2.1\n"
                        "Device Version 01: 2.1\nSecondary Version Type 01: 2Secondary Version 01: 7\n"
                        "Device Version 02: 1.3\nSecondary Version Type 02: 0Secondary Version 02: 0\n\n[Mac Version]\n"),
            std::string::npos)
      << header;
  EXPECT_EQ(header.find("Device Version:"), std::string::npos);
}

TEST(DiagnosticLog, SectionsInOrderAndWrittenToTheChosenPath) {
  const shell::DiagnosticLogSources sources{[] { return std::string("OS\n"); },
                                            [] { return std::string("PROFILE\n"); },
                                            [] { return std::string("MODULES\n"); }};
  const std::string expected =
      "HEAD\nOS\n\n[System Profile - Hardware / Bluetooth / USB]\nPROFILE\n\n[/usr/sbin/kextstat]\nMODULES\n";
  EXPECT_EQ(shell::diagnostic_log_text("HEAD\n", sources), expected);

  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "vx_diagnostic_log";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / "20250101000000_DiagnosticLog.vyladlog";
  { std::ofstream(path) << "an older, longer log that must be replaced entirely"; }
  ASSERT_TRUE(shell::write_diagnostic_log(path, "HEAD\n", sources));
  EXPECT_EQ(read_all(path), expected);

  // a folder that does not exist: nothing is written and the failure is told
  const std::filesystem::path missing = folder / "missing" / "log.vyladlog";
  EXPECT_FALSE(shell::write_diagnostic_log(missing, "HEAD\n", sources));
  EXPECT_FALSE(std::filesystem::exists(missing));
  std::filesystem::remove_all(folder);
}

// The device nodes the manager was not allowed to open end the system
// profile, one line each, so a log sent to support shows why nothing was found.
TEST(DiagnosticLog, SystemProfileEndsWithTheRefusedDeviceNodes) {
  const std::vector<std::string> refused = {"refused /dev/hidraw3", "refused /dev/bus/usb/001/004"};
  const shell::DiagnosticLogSources sources = shell::linux_diagnostic_sources([&] { return refused; });
  const std::string profile = sources.system_profile();
  EXPECT_TRUE(profile.ends_with("refused /dev/hidraw3\nrefused /dev/bus/usb/001/004\n")) << profile;
}

TEST(DiagnosticLog, ToolsAndLinuxSources) {
  EXPECT_EQ(shell::run_tool({"printf", "one\\ntwo\\n"}), std::optional<std::string>("one\ntwo\n"));
  EXPECT_FALSE(shell::run_tool({"vx-no-such-tool-here"}).has_value());
  EXPECT_FALSE(shell::run_tool({}).has_value());

  // on this machine: the OS section carries os-release, the module list is /proc/modules
  const shell::DiagnosticLogSources sources = shell::linux_diagnostic_sources();
  const std::string os = sources.operating_system();
  if (std::filesystem::exists("/etc/os-release")) {
    EXPECT_NE(os.find("ID="), std::string::npos) << os;
  }
  EXPECT_EQ(sources.kernel_modules(), read_all("/proc/modules"));
  EXPECT_NO_THROW(sources.system_profile());
}

}  // namespace
