#include "transport/stm32/firmware_parsers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using stm32::ParserResult;

// One record: ":" count, address, type, data and checksum; `checksum_error` is added to the checksum.
std::string record(std::uint16_t address, std::uint8_t type, const Bytes& data, int checksum_error = 0) {
  std::uint32_t sum = static_cast<std::uint32_t>(data.size()) + (address >> 8) + (address & 0xFF) + type;
  char text[16];
  std::snprintf(text, sizeof text, ":%02X%04X%02X", static_cast<unsigned>(data.size()), address, type);
  std::string line = text;
  for (const std::uint8_t byte : data) {
    std::snprintf(text, sizeof text, "%02X", byte);
    line += text;
    sum += byte;
  }
  std::snprintf(text, sizeof text, "%02X\r\n", static_cast<unsigned>((0x100 - (sum & 0xFF) + checksum_error) & 0xFF));
  return line + text;
}

const std::string k_end = ":00000001FF\n";

// `gap` bytes of 0xFF, then `data`.
Bytes gap_then(const Bytes& data, std::size_t gap) {
  Bytes image(gap, 0xFF);
  image.insert(image.end(), data.begin(), data.end());
  return image;
}

TEST(IntelHex, Records) {
  struct Case {
    const char* name;
    std::string text;
    ParserResult result;
    std::uint32_t start;
    Bytes image;
  };
  const Case cases[] = {
      {"data at address 0", record(0, 0, {1, 2, 3}) + k_end, ParserResult::ok, 0, {1, 2, 3}},
      {"extended linear base and a gap", record(0, 4, {0x08, 0x00}) + record(0x10, 0, {1, 2}) +
                                             record(0x14, 0, {3}) + k_end,
       ParserResult::ok, 0x08000000, gap_then({1, 2, 0xFF, 0xFF, 3}, 0x10)},
      {"segment base", record(0, 2, {0x10, 0x00}) + record(4, 0, {9}) + k_end, ParserResult::ok, 0x10000,
       {0xFF, 0xFF, 0xFF, 0xFF, 9}},
      {"a later base beyond the data grows the image", record(0, 4, {0x00, 0x01}) + record(0, 0, {7}) +
                                                           record(0, 2, {0x10, 0x01}) + record(1, 0, {8}) + k_end,
       ParserResult::ok, 0x10000, Bytes{7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                        0xFF, 0xFF, 0xFF, 0xFF, 8}},
      {"start address records are skipped", record(0, 5, {0x08, 0, 1, 0x01}) + record(0, 0, {5}) + k_end,
       ParserResult::ok, 0, {5}},
      {"records after the end are not read", record(0, 0, {1}) + k_end + "garbage", ParserResult::ok, 0, {1}},
      {"bad checksum", record(0, 0, {1, 2}, 1) + k_end, ParserResult::invalid_file, 0, {}},
      {"base below the start", record(0, 4, {0x08, 0x00}) + record(0, 4, {0x07, 0xFF}) + k_end,
       ParserResult::invalid_file, 0, {}},
      {"not a record", "X" + k_end, ParserResult::invalid_file, 0, {}},
      {"not hex", ":0G000000FF\n", ParserResult::invalid_file, 0, {}},
      {"short record", ":0300000001", ParserResult::invalid_file, 0, {}},
      {"no end record", record(0, 0, {1}), ParserResult::invalid_file, 0, {}},
      {"base record of the wrong length", record(0, 4, {0x08}) + k_end, ParserResult::invalid_file, 0, {}},
      {"image beyond 16 MiB", record(0, 0, {1}) + record(0, 4, {0x01, 0x01}) + k_end, ParserResult::invalid_file, 0,
       {}},
      {"data reaching past 16 MiB", record(0, 4, {0x00, 0x00}) + record(0, 0, {1}) + record(0, 4, {0x00, 0xFF}) +
                                        record(0xFFFF, 0, {1, 2}) + k_end,
       ParserResult::invalid_file, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes image;
    std::uint32_t start = 0;
    EXPECT_EQ(stm32::parse_intel_hex(c.text, image, start), c.result);
    if (c.result == ParserResult::ok) {
      EXPECT_EQ(start, c.start);
      EXPECT_EQ(image, c.image);
    }
  }
}

TEST(IntelHex, ParserReadsTheImageAndRefusesWrites) {
  test_support::TempFolder folder;
  const std::string path = folder.write("app.hex", record(0, 4, {0x08, 0x00}) + record(0, 0, {1, 2, 3, 4, 5}) + k_end);
  auto parser = stm32::create_intel_hex_parser();
  ASSERT_EQ(parser->open(path, false), ParserResult::ok);
  EXPECT_EQ(parser->size(), 5u);
  Bytes buffer(3);
  std::size_t length = 3;
  EXPECT_EQ(parser->read(buffer, length), ParserResult::ok);
  EXPECT_EQ(length, 3u);
  EXPECT_EQ(buffer, (Bytes{1, 2, 3}));
  length = 3;
  EXPECT_EQ(parser->read(buffer, length), ParserResult::ok);
  EXPECT_EQ(length, 2u);
  EXPECT_EQ(parser->write(Bytes{1}), ParserResult::write_on_read);
  EXPECT_EQ(parser->close(), ParserResult::ok);
  EXPECT_EQ(parser->open(folder.file("missing.hex"), false), ParserResult::system_error);
  const std::string broken = folder.write("broken.hex", record(0, 0, {1}, 3) + k_end);
  EXPECT_EQ(parser->open(broken, false), ParserResult::invalid_file);
}

TEST(BinaryParser, WritesAndReadsBack) {
  test_support::TempFolder folder;
  const std::string path = folder.file("flash.bin");
  Bytes data(5000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 3);

  auto writer = stm32::create_binary_parser();
  ASSERT_EQ(writer->open(path, true), ParserResult::ok);
  Bytes buffer(4);
  std::size_t length = 4;
  EXPECT_EQ(writer->read(buffer, length), ParserResult::read_on_write);
  EXPECT_EQ(writer->write(data), ParserResult::ok);
  EXPECT_EQ(writer->close(), ParserResult::ok);

  auto reader = stm32::create_binary_parser();
  ASSERT_EQ(reader->open(path, false), ParserResult::ok);
  EXPECT_EQ(reader->size(), data.size());
  EXPECT_EQ(reader->write(data), ParserResult::write_on_read);
  Bytes back(6000);
  length = back.size();
  EXPECT_EQ(reader->read(back, length), ParserResult::ok);
  EXPECT_EQ(length, data.size());
  back.resize(length);
  EXPECT_EQ(back, data);
  EXPECT_EQ(reader->open(folder.file("missing.bin"), false), ParserResult::system_error);
}

}  // namespace
