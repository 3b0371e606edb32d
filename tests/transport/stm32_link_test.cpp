// The bootloader client's command line, GPIO steps, part table and serial port.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "sim/stm32_bootloader_port.h"
#include "support/temp_folder.h"
#include "transport/stm32/stm32_gpio.h"
#include "transport/stm32/stm32_options.h"
#include "transport/stm32/stm32_parts.h"
#include "transport/stm32/stm32_port.h"

namespace {

using Arguments = std::vector<std::string>;

int parse(Arguments arguments, stm32::Options& options, std::string& diagnostics) {
  arguments.insert(arguments.begin(), "stm32-bootloader");
  return stm32::parse_options(arguments, options, [&](std::string_view text) { diagnostics += text; });
}

TEST(Stm32Options, ParsesAFullCommandLine) {
  stm32::Options options;
  std::string diagnostics;
  ASSERT_EQ(parse({"-b", "115200", "-m", "8n1", "-w", "app.hex", "-v", "-n", "3", "-g0x08000000", "-S", "0x08001000:0x400",
                   "-F", "64:32", "-i", "-dtr,rts:dtr", "-cfR", "/dev/ttyUSB0"},
                  options, diagnostics),
            0)
      << diagnostics;
  EXPECT_EQ(diagnostics, "");
  EXPECT_EQ(options.port.device, "/dev/ttyUSB0");
  EXPECT_EQ(options.port.baud_rate, 115200u);
  EXPECT_EQ(options.port.serial_mode, "8n1");
  EXPECT_EQ(options.action, stm32::Action::write);
  EXPECT_EQ(options.filename, "app.hex");
  EXPECT_TRUE(options.verify);
  EXPECT_EQ(options.retry, 3);
  EXPECT_EQ(options.execute, 0x08000000u);
  EXPECT_EQ(options.start_address, 0x08001000u);
  EXPECT_EQ(options.length, 0x400u);
  EXPECT_EQ(options.rx_frame_max, 64u);
  EXPECT_EQ(options.tx_frame_max, 32u);
  EXPECT_EQ(options.gpio_sequence, "-dtr,rts:dtr");
  EXPECT_FALSE(options.initialise);
  EXPECT_TRUE(options.force_binary);
  EXPECT_TRUE(options.reset_at_exit);
}

TEST(Stm32Options, Errors) {
  struct Case {
    Arguments arguments;
    std::string diagnostics;  // what the diagnostics start with
  };
  std::string rates = "Invalid baud rate, valid options are:\n";
  for (const std::uint32_t rate : stm32::k_baud_rates) rates += " " + std::to_string(rate) + "\n";
  const Case cases[] = {
      {{}, "ERROR: Device not specified\n"},
      {{"/dev/ttyS0", "/dev/ttyS1"}, "ERROR: Invalid parameter specified\n"},
      {{"-x", "/dev/ttyS0"}, "ERROR: Invalid parameter specified\nUsage: stm32-bootloader [options] device\n"},
      {{"/dev/ttyS0", "-b"}, "ERROR: Invalid parameter specified\nUsage:"},
      {{"-v", "-r", "out.bin", "/dev/ttyS0"}, "ERROR: Invalid usage, -v is only valid when writing\n"},
      {{"-b", "250000", "/dev/ttyS0"}, rates},
      {{"-m", "9x3", "/dev/ttyS0"}, "Invalid serial mode\n"},
      {{"-s", "4", "-S", "0x08000000", "-w", "a.bin", "/dev/ttyS0"},
       "ERROR: Invalid options, can't specify start page / num pages and start address/length\n"},
      {{"-g", "0x08000002", "/dev/ttyS0"}, "ERROR: Execution address must be word-aligned\n"},
      {{"-e", "256", "/dev/ttyS0"}, "ERROR: You need to specify a page count between 0 and 255"},
      {{"-S", "0x08000000:0", "/dev/ttyS0"}, "ERROR: Invalid options, can't specify zero length\n"},
      {{"-F", "-5", "/dev/ttyS0"}, "ERROR: Invalid negative value for option -F\n"},
      {{"-F", "10:4", "/dev/ttyS0"}, "ERROR: current code cannot work with small frames.\nmin(RX) = 20, min(TX) = 6\n"},
      {{"-r", "a.bin", "-w", "b.bin", "/dev/ttyS0"},
       "ERROR: Invalid options !\n\tCan't execute \"memory read\" and \"memory write\" at the same time.\n"},
      {{"-u", "-C", "/dev/ttyS0"},
       "ERROR: Invalid options !\n\tCan't execute \"write unprotect\" and \"memory crc\" at the same time.\n"},
      {{"-j", "-k", "/dev/ttyS0"},
       "ERROR: Invalid options !\n\tCan't execute \"read protect\" and \"read unprotect\" at the same time.\n"},
      {{"-o", "-C", "/dev/ttyS0"},
       "ERROR: Invalid options !\n\tCan't execute \"flash erase\" and \"memory crc\" at the same time.\n"},
      {{"-h", "/dev/ttyS0"}, "Usage: stm32-bootloader [options] device\n"},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const std::string& argument : c.arguments) joined += argument + " ";
    SCOPED_TRACE(joined);
    stm32::Options options;
    std::string diagnostics;
    EXPECT_NE(parse(c.arguments, options, diagnostics), 0);
    EXPECT_EQ(diagnostics.substr(0, c.diagnostics.size()), c.diagnostics);
  }
}

TEST(Stm32Options, OversizedFramesAreIgnoredWithAWarning) {
  stm32::Options options;
  std::string diagnostics;
  EXPECT_EQ(parse({"-F", "4096:4096", "/dev/ttyS0"}, options, diagnostics), 0);
  EXPECT_EQ(diagnostics, "WARNING: Ignore RX length in option -F\nWARNING: Ignore TX length in option -F\n");
  EXPECT_EQ(options.rx_frame_max, 0u);
  EXPECT_EQ(options.tx_frame_max, 0u);
}

TEST(Stm32Gpio, ParsesSequences) {
  using Kind = stm32::GpioStep::Kind;
  struct Step {
    Kind kind;
    int number;
    bool level;
  };
  struct Case {
    const char* text;
    bool valid;
    std::vector<Step> entry;
    std::vector<Step> exit;
    std::string diagnostics;
  };
  const Case cases[] = {
      {"-rts,dtr:rts", true, {{Kind::rts, 0, false}, {Kind::dtr, 0, true}}, {{Kind::rts, 0, true}}, ""},
      {"-3,-2,2:3,-2,2", true, {{Kind::gpio, 3, false}, {Kind::gpio, 2, false}, {Kind::gpio, 2, true}},
       {{Kind::gpio, 3, true}, {Kind::gpio, 2, false}, {Kind::gpio, 2, true}}, ""},
      {":-brk", true, {}, {{Kind::brk, 0, false}}, ""},
      {"rts", true, {{Kind::rts, 0, true}}, {}, ""},
      {"rts;dtr", false, {}, {}, "Character ';' is not a separator\n"},
      {"-x", false, {}, {}, "Character 'x' is not a digit\n"},
      {"1:2:3", false, {}, {}, "Character ':' is not a separator\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    stm32::GpioSequences sequences;
    std::string diagnostics;
    EXPECT_EQ(stm32::parse_gpio_sequences(c.text, sequences, [&](std::string_view t) { diagnostics += t; }), c.valid);
    EXPECT_EQ(diagnostics, c.diagnostics);
    if (!c.valid) continue;
    auto check = [](const std::vector<stm32::GpioStep>& got, const std::vector<Step>& want) {
      ASSERT_EQ(got.size(), want.size());
      for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].kind, want[i].kind);
        EXPECT_EQ(got[i].number, want[i].number);
        EXPECT_EQ(got[i].level, want[i].level);
      }
    };
    check(sequences.entry, c.entry);
    check(sequences.exit, c.exit);
  }
}

TEST(Stm32Gpio, RunsLineStepsAndRefusesNumberedGpios) {
  platform::ScopedVirtualClock clock;
  sim::BootloaderPort port;
  std::string diagnostics;
  const stm32::Diagnostics sink = [&](std::string_view text) { diagnostics += text; };
  stm32::GpioSequences sequences;
  ASSERT_TRUE(stm32::parse_gpio_sequences("-rts,-dtr,dtr:4", sequences, sink));
  EXPECT_TRUE(stm32::run_gpio_steps(port, sequences.entry, sink));
  EXPECT_EQ(port.line_steps(), (std::vector<std::pair<stm32::Line, bool>>{
                                   {stm32::Line::rts, false}, {stm32::Line::dtr, false}, {stm32::Line::dtr, true}}));
  EXPECT_EQ(clock->elapsed(), std::chrono::milliseconds(300));
  EXPECT_FALSE(stm32::run_gpio_steps(port, sequences.exit, sink));
  EXPECT_EQ(diagnostics, "GPIO control only available in Linux\n");
}

TEST(Stm32Parts, TableAndPageIndex) {
  ASSERT_EQ(stm32::parts().size(), 38u);
  std::set<std::uint16_t> ids;
  std::set<std::string> names;
  for (const stm32::Part& part : stm32::parts()) {
    ids.insert(part.product_id);
    names.insert(part.name);
    EXPECT_LT(part.flash_start, part.flash_end) << part.name;
    EXPECT_FALSE(part.page_sizes.empty()) << part.name;
  }
  EXPECT_EQ(ids.size(), 38u);
  EXPECT_EQ(names.size(), 38u);

  struct Case {
    std::uint16_t product_id;
    std::uint32_t address;
    std::uint32_t page;
  };
  const Case cases[] = {
      {0x410, 0x08000000, 0},  {0x410, 0x080003FF, 0},  {0x410, 0x08000400, 1},   {0x410, 0x0801FC00, 127},
      {0x410, 0x08020000, 0},  {0x410, 0x07FFFFFF, 0},  {0x413, 0x0800C000, 3},   {0x413, 0x08010000, 4},
      {0x413, 0x08020000, 5},  {0x413, 0x08040000, 6},  {0x413, 0x080FFFFF, 11},  {0x419, 0x08100000, 12},
      {0x419, 0x08110000, 16}, {0x419, 0x08120000, 17}, {0x449, 0x08020000, 4},   {0x416, 0x08000100, 1},
  };
  for (const Case& c : cases) {
    const stm32::Part* part = stm32::find_part(c.product_id);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(stm32::page_index(*part, c.address), c.page) << std::hex << c.product_id << " " << c.address;
  }
  EXPECT_EQ(stm32::page_count(*stm32::find_part(0x410)), 128u);
  EXPECT_EQ(stm32::page_count(*stm32::find_part(0x413)), 12u);
  EXPECT_EQ(stm32::page_count(*stm32::find_part(0x419)), 24u);
  EXPECT_EQ(stm32::find_part(0x999), nullptr);
}

TEST(Stm32SerialPort, SettingsAndConfigurationText) {
  struct Case {
    std::uint32_t baud_rate;
    const char* mode;
    const char* text;
  };
  const Case cases[] = {{57600, "8e1", "57600 8E1"}, {115200, "7O2", "115200 7O2"}, {2000000, "5n1", "2000000 5N1"},
                        {250000, "8e1", "INVALID"},  {57600, "9e1", "INVALID"},    {57600, "8x1", "INVALID"}};
  for (const Case& c : cases) EXPECT_EQ(stm32::serial_configuration(c.baud_rate, c.mode), c.text);
}

TEST(Stm32SerialPort, OpensATerminalAndCarriesBytesBothWays) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string slave = ::ptsname(master);
  std::string diagnostics;
  const stm32::Diagnostics sink = [&](std::string_view text) { diagnostics += text; };
  {
    std::unique_ptr<stm32::Port> port;
    ASSERT_EQ(stm32::open_port({.device = slave, .baud_rate = 115200, .serial_mode = "8e1"}, port, sink), 0)
        << diagnostics;
    EXPECT_EQ(port->name(), "UART");
    EXPECT_EQ(port->configuration(), "115200 8E1");
    EXPECT_TRUE(port->flags().needs_init);
    const std::uint8_t sent[] = {0x7F};
    EXPECT_EQ(port->write(sent), stm32::PortResult::ok);
    std::uint8_t at_master = 0;
    EXPECT_EQ(::read(master, &at_master, 1), 1);
    EXPECT_EQ(at_master, 0x7F);
    const std::uint8_t answer[] = {0x79, 0x22};
    EXPECT_EQ(::write(master, answer, 2), 2);
    std::uint8_t got[2] = {};
    EXPECT_EQ(port->read(got), stm32::PortResult::ok);
    EXPECT_EQ(got[0], 0x79);
    EXPECT_EQ(got[1], 0x22);
  }
  // a rate of the protocol that this driver does not set
  std::unique_ptr<stm32::Port> port;
  EXPECT_EQ(stm32::open_port({.device = slave, .baud_rate = 128000}, port, sink), 3);
  EXPECT_EQ(diagnostics, "Error probing interface \"UART\"\nCannot handle device \"" + slave + "\"\n");
  ::close(master);
}

TEST(Stm32SerialPort, AFileIsNeitherATerminalNorAnI2cAdapter) {
  test_support::TempFolder folder;
  const std::string path = folder.write("not-a-port", std::string("x"));
  std::string diagnostics;
  std::unique_ptr<stm32::Port> port;
  EXPECT_EQ(stm32::open_port({.device = path}, port, [&](std::string_view text) { diagnostics += text; }), 3);
  EXPECT_EQ(diagnostics, "Warning: Not a tty: " + path + "\nCannot handle device \"" + path + "\"\n");
  EXPECT_EQ(port, nullptr);
}

}  // namespace
