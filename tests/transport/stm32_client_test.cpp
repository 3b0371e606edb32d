#include "transport/stm32/stm32_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"
#include "sim/stm32_bootloader_port.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Frames = std::vector<Bytes>;
using std::chrono::milliseconds;
using std::chrono::seconds;
using stm32::Result;

// An I2C link: whole replies per read, no option bytes, GET counts by version.
sim::BootloaderOptions i2c_options() {
  sim::BootloaderOptions options;
  options.flags = {.byte_stream = false, .stretches_clock = true};
  options.version = 0x11;
  options.get_reply_lengths = {{0x10, 11}, {0x11, 17}};
  options.commands = {0x00, 0x01, 0x02, 0x11, 0x21, 0x31, 0x32, 0x44, 0x45, 0x63, 0x64,
                      0x73, 0x74, 0x82, 0x83, 0x92, 0x93};
  return options;
}

class Stm32ClientTest : public ::testing::Test {
 protected:
  // Connects a client to a bootloader with `options` and forgets the connection's frames.
  void connect(sim::BootloaderOptions options, bool initialise = true) {
    m_port = std::make_unique<sim::BootloaderPort>(std::move(options));
    m_client = std::make_unique<stm32::Client>(*m_port, [this](std::string_view text) { m_diagnostics += text; });
    ASSERT_TRUE(m_client->connect(initialise)) << m_diagnostics;
    m_port->take_writes();
    m_diagnostics.clear();
  }

  platform::ScopedVirtualClock m_clock;
  std::unique_ptr<sim::BootloaderPort> m_port;
  std::unique_ptr<stm32::Client> m_client;
  std::string m_diagnostics;
};

TEST_F(Stm32ClientTest, ConnectsOverTheSerialLink) {
  sim::BootloaderOptions options;
  options.option1 = 0x12;
  options.option2 = 0x34;
  options.commands = {0x00, 0x01, 0x02, 0x11, 0x21, 0x31, 0x43, 0x44, 0x63, 0x73, 0x82, 0x92, 0xA1};
  sim::BootloaderPort port(options);
  std::string diagnostics;
  stm32::Client client(port, [&](std::string_view text) { diagnostics += text; });

  ASSERT_TRUE(client.connect(true)) << diagnostics;
  EXPECT_EQ(port.take_writes(), (Frames{{0x7F}, {0x01, 0xFE}, {0x00, 0xFF}, {0x02, 0xFD}}));
  EXPECT_EQ(client.version(), 0x22);
  EXPECT_EQ(client.option1(), 0x12);
  EXPECT_EQ(client.option2(), 0x34);
  EXPECT_EQ(client.product_id(), 0x410);
  ASSERT_NE(client.part(), nullptr);
  EXPECT_STREQ(client.part()->name, "STM32F10xxx Medium-density");
  // the highest code of a family is used
  EXPECT_EQ(client.commands().erase, 0x44);
  EXPECT_EQ(client.commands().crc, 0xA1);
  EXPECT_EQ(client.commands().write_memory, 0x31);
  EXPECT_EQ(diagnostics, "");
}

TEST_F(Stm32ClientTest, InitialisationCases) {
  struct Case {
    const char* name;
    sim::BootloaderOptions device;
    bool initialise;
    bool connected;
    Frames first_writes;
    std::string diagnostics;
    milliseconds elapsed;
  };
  sim::BootloaderOptions running;
  running.already_initialised = true;
  sim::BootloaderOptions slow;
  slow.unanswered_inits = 1;
  sim::BootloaderOptions deaf;
  deaf.unanswered_inits = 2;
  const Case cases[] = {
      {"acknowledged", {}, true, true, {{0x7F}, {0x01, 0xFE}}, "", milliseconds(0)},
      {"already running", running, true, true, {{0x7F}, {0x01, 0xFE}},
       "Warning: the interface was not closed properly.\n", milliseconds(0)},
      {"first init byte missed", slow, true, true, {{0x7F}, {0x7F}, {0x01, 0xFE}}, "", milliseconds(500)},
      {"never answers", deaf, true, false, {{0x7F}, {0x7F}},
       "2. Failed to init device(2).\nFailed to init device(0).\n", milliseconds(1000)},
      {"resumed without init", running, false, true, {{0x01, 0xFE}}, "", milliseconds(0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BootloaderOptions device = c.device;
    if (!c.initialise) device.flags.needs_init = false;
    sim::BootloaderPort port(device);
    std::string diagnostics;
    stm32::Client client(port, [&](std::string_view text) { diagnostics += text; });
    const milliseconds start = m_clock->elapsed();
    EXPECT_EQ(client.connect(c.initialise), c.connected);
    const Frames writes = port.take_writes();
    ASSERT_GE(writes.size(), c.first_writes.size());
    EXPECT_EQ(Frames(writes.begin(), writes.begin() + static_cast<std::ptrdiff_t>(c.first_writes.size())),
              c.first_writes);
    EXPECT_EQ(diagnostics, c.diagnostics);
    EXPECT_EQ(m_clock->elapsed() - start, c.elapsed);
  }
}

TEST_F(Stm32ClientTest, IdentificationFaults) {
  struct Case {
    const char* name;
    sim::BootloaderOptions device;
    bool connected;
    std::string diagnostics;
  };
  sim::BootloaderOptions unknown_part;
  unknown_part.product_id = 0x123;
  sim::BootloaderOptions extra_bytes;
  extra_bytes.extra_id_bytes = {0xAB, 0x01};
  sim::BootloaderOptions unknown_commands;
  unknown_commands.commands = {0x00, 0x01, 0x02, 0x11, 0x50, 0xD0};
  sim::BootloaderOptions no_get_id;
  no_get_id.commands = {0x00, 0x01, 0x11};
  sim::BootloaderOptions nack_version;
  nack_version.nack_command = 0x01;
  const Case cases[] = {
      {"part not in the table", unknown_part, false, "Unknown/unsupported device (Device ID: 0x123)\n"},
      {"longer product id", extra_bytes, true, "This bootloader returns 2 extra bytes in PID: ab 01\n"},
      {"unknown command codes", unknown_commands, true, "GET returns unknown commands (0x50, 0xd0)\n"},
      {"no GET ID", no_get_id, false, "Unknown/unsupported device (Device ID: 0x000)\n"},
      {"GET VERSION refused", nack_version, false,
       "Got NACK from device on command 0x01\nstm32_send_command Error !!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BootloaderPort port(c.device);
    std::string diagnostics;
    stm32::Client client(port, [&](std::string_view text) { diagnostics += text; });
    EXPECT_EQ(client.connect(true), c.connected);
    EXPECT_EQ(diagnostics, c.diagnostics);
  }
}

TEST_F(Stm32ClientTest, TheLongestGetReplyFitsItsBuffer) {
  // a count byte of 255 announces 256 more bytes: the version and 255 codes
  sim::BootloaderOptions options;
  options.commands = {0x00, 0x01, 0x02};
  for (int code = 0xB0; options.commands.size() < 255; code = (code + 1) & 0xFF) {
    if (code != 0x00 && code != 0x01 && code != 0x02) options.commands.push_back(static_cast<std::uint8_t>(code));
  }
  sim::BootloaderPort port(options);
  std::string diagnostics;
  stm32::Client client(port, [&](std::string_view text) { diagnostics += text; });
  EXPECT_TRUE(client.connect(true));
  EXPECT_EQ(diagnostics.rfind("GET returns unknown commands (0xb0, 0xb1", 0), 0u);
  EXPECT_EQ(client.product_id(), 0x410);
}

TEST_F(Stm32ClientTest, I2cLinkResynchronisesWhenTheGetCountDiffers) {
  sim::BootloaderOptions options = i2c_options();
  // a version 1.1 bootloader that offers only the eleven commands of version 1.0
  options.commands = {0x00, 0x01, 0x02, 0x11, 0x21, 0x31, 0x44, 0x63, 0x73, 0x82, 0x92};
  sim::BootloaderPort port(options);
  std::string diagnostics;
  stm32::Client client(port, [&](std::string_view text) { diagnostics += text; });
  ASSERT_TRUE(client.connect(true)) << diagnostics;
  EXPECT_EQ(diagnostics, "Re sync (len = 11)\n");
  // no init byte on I2C; GET is sent again after the misread reply
  EXPECT_EQ(port.take_writes(), (Frames{{0x01, 0xFE}, {0x00, 0xFF}, {0x00, 0xFF}, {0x02, 0xFD}}));
  EXPECT_EQ(client.commands().erase, 0x44);
}

TEST_F(Stm32ClientTest, ReadAndWriteFramesAreByteExact) {
  connect({});
  for (std::size_t i = 0; i < 16; ++i) m_port->memory()[0x100 + i] = static_cast<std::uint8_t>(0xA0 + i);

  Bytes data(5);
  EXPECT_EQ(m_client->read_memory(0x08000100, data), Result::ok);
  EXPECT_EQ(data, (Bytes{0xA0, 0xA1, 0xA2, 0xA3, 0xA4}));
  EXPECT_EQ(m_port->take_writes(), (Frames{{0x11, 0xEE}, {0x08, 0x00, 0x01, 0x00, 0x09}, {0x04, 0xFB}}));

  EXPECT_EQ(m_client->write_memory(0x08000204, Bytes{0x01, 0x02, 0x03}), Result::ok);
  // three bytes padded to a word: count - 1 = 3, the data, 0xFF, and the XOR of all
  EXPECT_EQ(m_port->take_writes(),
            (Frames{{0x31, 0xCE}, {0x08, 0x00, 0x02, 0x04, 0x0E}, {0x03, 0x01, 0x02, 0x03, 0xFF, 0xFC}}));
  EXPECT_EQ(Bytes(m_port->memory().begin() + 0x204, m_port->memory().begin() + 0x208), (Bytes{1, 2, 3, 0xFF}));

  Bytes page(256);
  EXPECT_EQ(m_client->read_memory(0x08000000, page), Result::ok);
  EXPECT_EQ(m_port->take_writes().back(), (Bytes{0xFF, 0x00}));
}

TEST_F(Stm32ClientTest, ArgumentChecksAndMissingCommands) {
  sim::BootloaderOptions bare;
  bare.commands = {0x00, 0x01, 0x02};
  struct Case {
    const char* name;
    bool bare;
    std::function<Result(stm32::Client&)> call;
    Result result;
    std::string diagnostics;
  };
  Bytes big(257);
  const Case cases[] = {
      {"read over 256 bytes", false, [&](stm32::Client& c) { return c.read_memory(0x08000000, big); }, Result::error,
       "Error: READ length limit at 256 bytes\n"},
      {"write over 256 bytes", false, [&](stm32::Client& c) { return c.write_memory(0x08000000, big); },
       Result::error, "Error: READ length limit at 256 bytes\n"},
      {"unaligned write", false, [](stm32::Client& c) { return c.write_memory(0x08000002, Bytes{1}); },
       Result::error, "Error: WRITE address must be 4 byte aligned\n"},
      {"unaligned go", false, [](stm32::Client& c) { return c.go(0x08000001); }, Result::error,
       "Error: code address must be 4 byte aligned\n"},
      {"unaligned crc", false,
       [](stm32::Client& c) {
         std::uint32_t crc = 0;
         return c.crc_wrapper(0x08000000, 0x08000006, crc);
       },
       Result::error, "Start and end addresses must be 4 byte aligned\n"},
      {"erase beyond 65535 pages", false, [](stm32::Client& c) { return c.erase_memory(65000, 600); },
       Result::error, "Erase failed.\n"},
      {"no READ", true, [](stm32::Client& c) { Bytes b(4); return c.read_memory(0x08000000, b); },
       Result::not_implemented, "Error: READ command not implemented in bootloader.\n"},
      {"no WRITE", true, [](stm32::Client& c) { return c.write_memory(0x08000000, Bytes{1}); },
       Result::not_implemented, "Error: WRITE command not implemented in bootloader.\n"},
      {"no ERASE", true, [](stm32::Client& c) { return c.erase_memory(0, 1); }, Result::not_implemented,
       "Error: ERASE command not implemented in bootloader.\n"},
      {"no GO", true, [](stm32::Client& c) { return c.go(0x08000000); }, Result::not_implemented,
       "Error: GO command not implemented in bootloader.\n"},
      {"no CRC command", true,
       [](stm32::Client& c) {
         std::uint32_t crc = 0;
         return c.crc_memory(0x08000000, 0x08000010, crc);
       },
       Result::not_implemented, "Error: CRC command not implemented in bootloader.\n"},
      {"no WRITE UNPROTECT", true, [](stm32::Client& c) { return c.write_unprotect(); }, Result::not_implemented,
       "Error: WRITE UNPROTECT command not implemented in bootloader.\n"},
      {"no WRITE PROTECT", true, [](stm32::Client& c) { return c.write_protect(Bytes{0}); },
       Result::not_implemented, "Error: WRITE PROTECT command not implemented in bootloader.\n"},
      {"no READOUT UNPROTECT", true, [](stm32::Client& c) { return c.readout_unprotect(); },
       Result::not_implemented, "Error: READOUT UNPROTECT command not implemented in bootloader.\n"},
      {"no READOUT PROTECT", true, [](stm32::Client& c) { return c.readout_protect(); }, Result::not_implemented,
       "Error: READOUT PROTECT command not implemented in bootloader.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    connect(c.bare ? bare : sim::BootloaderOptions{});
    EXPECT_EQ(c.call(*m_client), c.result);
    EXPECT_EQ(m_diagnostics, c.diagnostics);
    EXPECT_TRUE(m_port->take_writes().empty());
  }
}

TEST_F(Stm32ClientTest, EraseFrames) {
  struct Case {
    const char* name;
    std::uint8_t erase_command;
    std::uint16_t product_id;
    std::uint32_t first_page;
    std::uint32_t pages;
    Frames writes;
  };
  auto extended_frame = [](std::uint32_t first, std::uint32_t count) {
    Bytes frame{static_cast<std::uint8_t>((count - 1) >> 8), static_cast<std::uint8_t>(count - 1)};
    for (std::uint32_t page = first; page < first + count; ++page) {
      frame.push_back(static_cast<std::uint8_t>(page >> 8));
      frame.push_back(static_cast<std::uint8_t>(page));
    }
    std::uint8_t x = 0;
    for (const std::uint8_t b : frame) x ^= b;
    frame.push_back(x);
    return frame;
  };
  const Case cases[] = {
      {"extended mass erase", 0x44, 0x410, 0, stm32::k_mass_erase, {{0x44, 0xBB}, {0xFF, 0xFF, 0x00}}},
      {"plain mass erase", 0x43, 0x410, 0, stm32::k_mass_erase, {{0x43, 0xBC}, {0xFF, 0x00}}},
      {"extended pages", 0x44, 0x410, 3, 2, {{0x44, 0xBB}, {0x00, 0x01, 0x00, 0x03, 0x00, 0x04, 0x06}}},
      {"plain pages", 0x43, 0x410, 3, 2, {{0x43, 0xBC}, {0x01, 0x03, 0x04, 0x06}}},
      {"extended pages in chunks of 512", 0x44, 0x410, 100, 600,
       {{0x44, 0xBB}, extended_frame(100, 512), {0x44, 0xBB}, extended_frame(612, 88)}},
      // an STM32L1 Medium-density part erases its 512 pages of 256 bytes one by one
      {"part without mass erase", 0x44, 0x416, 0, stm32::k_mass_erase,
       {{0x44, 0xBB}, extended_frame(0, 512)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BootloaderOptions options;
    options.commands = {0x00, 0x01, 0x02, 0x11, 0x21, 0x31, c.erase_command};
    options.product_id = c.product_id;
    options.memory_bytes = 1024 * 1024;
    connect(options);
    EXPECT_EQ(m_client->erase_memory(c.first_page, c.pages), Result::ok) << m_diagnostics;
    EXPECT_EQ(m_port->take_writes(), c.writes);
  }
}

TEST_F(Stm32ClientTest, BusyWaitsStayWithinTheirLimits) {
  struct Case {
    const char* name;
    std::uint8_t erase_command;
    bool busy_bytes;
    milliseconds erase_time;
    std::uint32_t pages;
    Result result;
    std::string diagnostics;
    seconds at_least;
    seconds at_most;
  };
  const Case cases[] = {
      {"mass erase of 30 s, silent", 0x44, false, seconds(30), stm32::k_mass_erase, Result::ok, "", seconds(30),
       seconds(31)},
      {"mass erase of 30 s, busy bytes", 0x44, true, seconds(30), stm32::k_mass_erase, Result::ok, "", seconds(30),
       seconds(30)},
      {"mass erase of 40 s", 0x44, true, seconds(40), stm32::k_mass_erase, Result::error,
       "Got byte 0x76 instead of ACK\nMass erase failed. Try specifying the number of pages to be erased.\n",
       seconds(35), seconds(36)},
      {"plain mass erase of 40 s", 0x43, false, seconds(40), stm32::k_mass_erase, Result::error,
       "Failed to read ACK byte\nMass erase error.\n", seconds(35), seconds(36)},
      {"two pages of 4.5 s", 0x44, false, milliseconds(4500), 2, Result::ok, "", seconds(9), seconds(10)},
      {"two pages of 5.5 s", 0x44, true, milliseconds(5500), 2, Result::error,
       "Got byte 0x76 instead of ACK\nPage-by-page erase failed. Check the maximum pages your device supports.\n",
       seconds(10), seconds(11)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim::BootloaderOptions options;
    options.commands = {0x00, 0x01, 0x02, 0x11, 0x21, 0x31, c.erase_command};
    options.busy_bytes = c.busy_bytes;
    options.erase_time = c.erase_time;
    connect(options);
    const milliseconds start = m_clock->elapsed();
    EXPECT_EQ(m_client->erase_memory(0, c.pages), c.result);
    EXPECT_EQ(m_diagnostics, c.diagnostics);
    const milliseconds spent = m_clock->elapsed() - start;
    EXPECT_GE(spent, c.at_least);
    EXPECT_LE(spent, c.at_most);
  }
}

TEST_F(Stm32ClientTest, ProtectionCommands) {
  sim::BootloaderOptions options;
  options.protect_time = milliseconds(800);
  connect(options);
  EXPECT_EQ(m_client->write_unprotect(), Result::ok);
  EXPECT_EQ(m_client->readout_protect(), Result::ok);
  EXPECT_EQ(m_client->write_protect(Bytes{1, 2}), Result::ok);
  EXPECT_EQ(m_port->take_writes(), (Frames{{0x73, 0x8C}, {0x82, 0x7D}, {0x63, 0x9C}, {0x01, 0x01, 0x02, 0x02}}));
  EXPECT_EQ(m_port->protection_commands(), (Bytes{0x73, 0x82, 0x63}));

  // readout unprotect erases the flash and may take up to 35 s
  m_port->memory()[0] = 0x12;
  EXPECT_EQ(m_client->readout_unprotect(), Result::ok);
  EXPECT_EQ(m_port->memory()[0], 0xFF);
  m_port->take_writes();

  sim::BootloaderOptions slow = options;
  slow.protect_time = seconds(3);
  connect(slow);
  EXPECT_EQ(m_client->write_unprotect(), Result::error);
  EXPECT_EQ(m_diagnostics, "Failed to read ACK byte\nError: Failed to WRITE UNPROTECT\n");
}

TEST_F(Stm32ClientTest, I2cFailureAddsTheClockStretchingAdvice) {
  sim::BootloaderOptions options = i2c_options();
  options.erase_time = seconds(40);
  options.busy_bytes = true;
  connect(options);
  EXPECT_EQ(m_client->erase_memory(0, stm32::k_mass_erase), Result::error);
  EXPECT_EQ(m_diagnostics,
            "Got byte 0x76 instead of ACK\n"
            "Attention !!!\n"
            "\tThis ACK error could be caused by your I2C\n"
            "\tcontroller not accepting \"clock stretching\"\n"
            "\tas required by bootloader.\n"
            "\tCheck \"I2C.txt\" in stm32flash source code.\n"
            "Mass erase failed. Try specifying the number of pages to be erased.\n");
}

TEST_F(Stm32ClientTest, GoSendsTheAddressFrame) {
  connect({});
  EXPECT_EQ(m_client->go(0x08000400), Result::ok);
  EXPECT_EQ(m_port->take_writes(), (Frames{{0x21, 0xDE}, {0x08, 0x00, 0x04, 0x00, 0x0C}}));
  EXPECT_EQ(m_port->go_address(), 0x08000400u);
}

TEST_F(Stm32ClientTest, CrcByCommandAndByReadingAgree) {
  sim::BootloaderOptions with_crc;
  with_crc.commands.push_back(0xA1);
  for (const bool command : {true, false}) {
    SCOPED_TRACE(command ? "CRC command" : "read and computed here");
    connect(command ? with_crc : sim::BootloaderOptions{});
    for (std::size_t i = 0; i < 600; ++i) m_port->memory()[i] = static_cast<std::uint8_t>(i * 37);
    std::uint32_t crc = 0;
    EXPECT_EQ(m_client->crc_wrapper(0x08000000, 0x08000258, crc), Result::ok);
    EXPECT_EQ(crc, m_port->memory_crc(0x08000000, 0x258));
    const Frames writes = m_port->take_writes();
    if (command) {
      EXPECT_EQ(writes, (Frames{{0xA1, 0x5E}, {0x08, 0x00, 0x00, 0x00, 0x08}, {0x00, 0x00, 0x02, 0x58, 0x5A}}));
      EXPECT_EQ(m_diagnostics, "");
    } else {
      EXPECT_EQ(writes.size(), 9u);  // three reads of 256, 256 and 88 bytes
      EXPECT_EQ(m_diagnostics,
                "\rCRC address 0x08000000 (0.00%) \rCRC address 0x08000100 (42.67%) "
                "\rCRC address 0x08000200 (85.33%) Done.\n");
    }
  }
}

TEST(Stm32Crc, TheCrcUnitsAlgorithm) {
  std::string diagnostics;
  const stm32::Diagnostics sink = [&](std::string_view text) { diagnostics += text; };
  std::uint32_t crc = 0;
  // the word 0x12345678 as memory holds it, from the unit's reset value
  EXPECT_EQ(stm32::Client::compute_crc(0xFFFFFFFFu, Bytes{0x78, 0x56, 0x34, 0x12}, crc, sink), Result::ok);
  EXPECT_EQ(crc, 0xDF8A8A2Bu);
  EXPECT_EQ(stm32::Client::compute_crc(0xFFFFFFFFu, Bytes{1, 2, 3}, crc, sink), Result::error);
  EXPECT_EQ(diagnostics, "Buffer length must be multiple of 4 bytes\n");
}

}  // namespace
