#include "transport/firmware_file.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/firmware_package_builder.h"
#include "support/temp_folder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using test_support::put_le32;
using test_support::dfu_image;
using test_support::with_le32;

constexpr auto table_a = transport::PackageTable::sections;

struct Section {
  std::size_t length;
  bool good_a = true;  // table A carries the right digest
  bool good_b = true;  // table B carries the right digest
  std::int64_t length_error = 0;  // added to the recorded length
};

// A package: header, table A, table B when `with_table_b`, then the sections' data.
Bytes package(std::uint32_t product_id, const std::vector<Section>& sections, bool with_table_b,
              const std::string& name = "FIRMWARE") {
  test_support::FirmwarePackage built;
  built.product_id = product_id;
  built.name = name;
  built.table_b = with_table_b;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    test_support::PackageSection section = test_support::section_of(sections[i].length, static_cast<std::uint32_t>(i));
    section.good_digest_a = sections[i].good_a;
    section.good_digest_b = sections[i].good_b;
    section.length_error = sections[i].length_error;
    built.sections.push_back(std::move(section));
  }
  return built.build();
}

class FirmwareFileTest : public ::testing::Test {
 protected:
  test_support::TempFolder m_folder;
};

TEST_F(FirmwareFileTest, PackageChecks) {
  struct Case {
    const char* name;
    Bytes file;
    std::uint32_t expected_id;
    bool accepted;
    transport::PackageTable digests = table_a;
  };
  constexpr auto blocks = transport::PackageTable::blocks;
  const std::vector<Section> two_good{{100}, {37}};
  Bytes name_then_bytes = package(0x4310, two_good, false, std::string("XA9\0\x01", 5));
  const Case cases[] = {
      {"XA9 package with the other XA9 id", package(0x4220, two_good, false), 0x4210, true},
      {"XA9 package without id", package(0, two_good, false), 0x4220, true},
      {"XA9 package with a foreign id", package(0x4310, two_good, false), 0x4210, false},
      {"old XA9 package: bytes after the name skip the id", name_then_bytes, 0x4210, true},
      {"table A, all digests good", package(0x6020, two_good, false), 0x6020, true},
      {"another product's package", package(0x6022, two_good, false), 0x6020, false},
      {"table A digest wrong", package(0x6020, {{100}, {37, false}}, false), 0x6020, false},
      {"table B checked, table A ignored", package(0x6800, {{100, false}, {37, false}}, true), 0x6800, true, blocks},
      {"table B digest wrong", package(0x6800, {{100}, {37, true, false}}, true), 0x6800, false, blocks},
      {"the caller's table decides, not the id", package(0x6800, {{100, false}, {37, false}}, true), 0x6800, false},
      {"no sections, anything after the header", with_le32(Bytes(80, 0xAB), 28, 0x6020), 0x6020, true},
      {"negative section count", with_le32(package(0x6020, {{10, false}}, false), 32, 0xFFFFFFFFu), 0x6020, true},
      {"section one byte past the end", package(0x6020, {{100}, {37, true, true, 1}}, false), 0x6020, false},
      {"offset plus length wraps in 32 bits", with_le32(package(0x6020, {{16}}, false), 36 + 8, 0xFFFFFFF8u),
       0x6020, false},
      {"header cut short", Bytes(35, 0), 0, false},
      {"section table beyond the file", with_le32(package(0x6020, {{16}}, false), 32, 0x7FFFFFFF), 0x6020, false},
      {"table B beyond the file", package(0x6800, {{100}}, false), 0x6800, false, blocks},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = m_folder.write("package.bin", c.file);
    firmware_buffer buffer(new std::uint8_t[1]);
    transport_message message{};
    const std::size_t size = firmware_load_verified(path.c_str(), buffer, message, c.expected_id, c.digests);
    if (c.accepted) {
      EXPECT_EQ(size, c.file.size());
      ASSERT_NE(buffer, nullptr);
      EXPECT_EQ(Bytes(buffer.get(), buffer.get() + size), c.file);
    } else {
      EXPECT_EQ(size, 0u);
      EXPECT_EQ(buffer, nullptr);
      EXPECT_EQ(transport::message_text(message), "Firmware corrupted");
    }
  }
}

TEST_F(FirmwareFileTest, DefaultLoaderExpectsTheXa9Package) {
  const std::string path = m_folder.write("xa9.bin", package(0x4220, {{64}}, false));
  firmware_buffer buffer;
  transport_message message{};
  EXPECT_EQ(firmware_load_default(path.c_str(), buffer, message), 36u + 32u + 64u);
  const std::string foreign = m_folder.write("foreign.bin", package(0x6020, {{64}}, false));
  EXPECT_EQ(firmware_load_default(foreign.c_str(), buffer, message), 0u);
}

TEST_F(FirmwareFileTest, LoadFailuresNameTheirStep) {
  firmware_buffer buffer;
  transport_message message{};
  std::string tag = "XA9#4D10";
  EXPECT_EQ(firmware_load_verified(m_folder.file("missing.bin").c_str(), buffer, message, 0x6020, table_a), 0u);
  EXPECT_EQ(transport::message_text(message), "Cannot access firmware");
  EXPECT_EQ(firmware_load_checked_model(m_folder.file("missing.bin").c_str(), buffer, message, tag), 0u);
  EXPECT_EQ(transport::message_text(message), "Cannot access firmware");
  // a folder has a size but cannot be read as a file
  EXPECT_EQ(firmware_load_verified(m_folder.path().c_str(), buffer, message, 0x6020, table_a), 0u);
  EXPECT_EQ(transport::message_text(message), "Cannot load firmware");
  EXPECT_EQ(buffer, nullptr);

  // a socket has a size but cannot be opened as a file
  const std::string socket_path = m_folder.file("socket");
  const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
  ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(firmware_load_verified(socket_path.c_str(), buffer, message, 0x6020, table_a), 0u);
  EXPECT_EQ(transport::message_text(message), "Cannot open firmware");
  ::close(socket);
}

#if defined(__SANITIZE_ADDRESS__)
#define VX_UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VX_UNDER_ADDRESS_SANITIZER 1
#endif
#endif

TEST_F(FirmwareFileTest, AFileTooLargeForMemoryIsRefusedBeforeItIsRead) {
#ifdef VX_UNDER_ADDRESS_SANITIZER
  GTEST_SKIP() << "the sanitizer's allocator reports a huge allocation instead of failing it";
#else
  // with overcommit always on, the allocation would succeed and the read would fill memory
  std::FILE* overcommit = std::fopen("/proc/sys/vm/overcommit_memory", "r");
  const int policy = overcommit != nullptr ? std::fgetc(overcommit) : '0';
  if (overcommit != nullptr) std::fclose(overcommit);
  if (policy == '1') GTEST_SKIP() << "memory overcommit is always on";
  // a sparse file of 8 TiB
  const std::string path = m_folder.file("huge.bin");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  const bool sized = ::ftruncate(::fileno(file), static_cast<off_t>(8) << 40) == 0;
  std::fclose(file);
  if (!sized) GTEST_SKIP() << "the file system takes no sparse file this large";
  firmware_buffer buffer;
  transport_message message{};
  EXPECT_EQ(firmware_load_verified(path.c_str(), buffer, message, 0x6020, table_a), 0u);
  EXPECT_EQ(transport::message_text(message), "Cannot allocate file buffer");
  EXPECT_EQ(buffer, nullptr);
#endif
}

TEST_F(FirmwareFileTest, ImageChecks) {
  struct Case {
    const char* name;
    Bytes file;
    std::string tag;
    std::string message;
    std::string tag_after;
  };
  Bytes blank_xa9 = dfu_image(" ");
  const Case cases[] = {
      {"matching tag", dfu_image("XA9#4D10"), "XA9#4D10", "Finished checking firmware", "XA9#4D10"},
      {"other model", dfu_image("XA9#4D10"), "XP9#5010", "Firmware not for XP9", "XP9"},
      {"blank tag of an XA9 image", blank_xa9, "XA9#4D12", "Finished checking firmware", "XA9#4D12"},
      {"blank tag, other model", blank_xa9, "XP9#5010", "Firmware not for XP9", "XP9"},
      {"CRC mismatch", dfu_image("XA9#4D10", 200, false), "XA9#4D10", "Firmware corrupted", "XA9#4D10"},
      {"shorter than 20 bytes", Bytes(19, 0), "", "Firmware corrupted", ""},
      {"tag reaching past the end", dfu_image("XA9", 4), "XA9#4D10-LONG-TAG", "Firmware corrupted",
       "XA9#4D10-LONG-TAG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = m_folder.write("image.dfu", c.file);
    firmware_buffer buffer;
    transport_message message{};
    std::string tag = c.tag;
    const std::size_t length = firmware_load_checked_model(path.c_str(), buffer, message, tag);
    EXPECT_EQ(transport::message_text(message), c.message);
    EXPECT_EQ(tag, c.tag_after);
    if (c.message == "Finished checking firmware") {
      EXPECT_EQ(length, c.file.size() - 16);
      ASSERT_NE(buffer, nullptr);
      EXPECT_EQ(buffer[16], c.file[16]);
    } else {
      EXPECT_EQ(length, 0u);
      EXPECT_EQ(buffer, nullptr);
    }
  }
}

}  // namespace
