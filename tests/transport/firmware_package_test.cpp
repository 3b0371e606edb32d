// Entries of a firmware package are handed out only when they and their data
// lie inside the file.
#include "transport/firmware_package.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/firmware_package_builder.h"

namespace {

using test_support::FirmwarePackage;
using test_support::PackageBytes;
using test_support::section_of;
using test_support::with_le32;
using transport::PackageTable;

FirmwarePackage two_sections() {
  FirmwarePackage package;
  package.sections = {section_of(100, 0, 0x102), section_of(37, 2, 0x03)};
  package.sections[1].versions = {2, 1, 0, 0, 9};
  package.sections[1].module = 4;
  package.sections[1].type = 5;
  return package;
}

TEST(FirmwarePackage, EntriesCarryTheirFieldsAndData) {
  const FirmwarePackage package = two_sections();
  const PackageBytes file = package.build();
  EXPECT_EQ(transport::package_section_count(file), 2);

  const auto block = transport::package_entry(file, PackageTable::blocks, 1);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->number, 2u);
  EXPECT_EQ(block->kind, 0x03u);
  EXPECT_EQ(block->offset, package.data_of(1));
  EXPECT_EQ(block->length, 37u);
  EXPECT_EQ(block->versions, (std::array<std::uint32_t, 5>{2, 1, 0, 0, 9}));
  EXPECT_EQ(PackageBytes(block->data.begin(), block->data.end()), package.sections[1].data);
  EXPECT_EQ(block->digest.data(), file.data() + 36 + 64 + 312 + 296);

  const auto section = transport::package_entry(file, PackageTable::sections, 1);
  ASSERT_TRUE(section);
  EXPECT_EQ(section->number, 4u);
  EXPECT_EQ(section->kind, 5u);
  EXPECT_EQ(section->versions, (std::array<std::uint32_t, 5>{}));
  EXPECT_EQ(section->digest.data(), file.data() + 36 + 32 + 16);
  EXPECT_EQ(section->data.data(), block->data.data());
}

TEST(FirmwarePackage, EntriesOutsideTheFileAreRefused) {
  const PackageBytes good = two_sections().build();
  FirmwarePackage past_end = two_sections();
  past_end.sections[1].length_error = 1;
  FirmwarePackage wrapping = two_sections();
  wrapping.sections[0].recorded_offset = 0xFFFFFFF0u;
  FirmwarePackage empty_section;
  empty_section.sections = {section_of(0)};

  struct Case {
    const char* name;
    PackageBytes file;
    PackageTable table;
    std::int64_t index;
    bool handed_out;
  };
  const Case cases[] = {
      {"last block entry", good, PackageTable::blocks, 1, true},
      {"index n", good, PackageTable::blocks, 2, false},
      {"negative index", good, PackageTable::blocks, -1, false},
      {"negative section count", with_le32(good, 32, 0xFFFFFFFFu), PackageTable::sections, 0, false},
      {"a header only", PackageBytes(good.begin(), good.begin() + 36), PackageTable::sections, 0, false},
      {"shorter than a header", PackageBytes(good.begin(), good.begin() + 35), PackageTable::sections, 0, false},
      // n says 3: table B then starts 32 bytes later and its third entry lies in the data
      {"count larger than the tables", with_le32(good, 32, 3), PackageTable::blocks, 2, false},
      {"table A entry cut by the file's end", PackageBytes(good.begin(), good.begin() + 36 + 63),
       PackageTable::sections, 1, false},
      {"table A entry ending at the file's end", PackageBytes(good.begin(), good.begin() + 36 + 64),
       PackageTable::sections, 0, false},  // its data lie beyond
      {"data one byte past the end", past_end.build(), PackageTable::blocks, 1, false},
      {"data one byte past the end, table A", past_end.build(), PackageTable::sections, 1, false},
      {"offset plus length wraps in 32 bits", wrapping.build(), PackageTable::blocks, 0, false},
      {"an empty section at the file's end", empty_section.build(), PackageTable::blocks, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(transport::package_entry(c.file, c.table, c.index).has_value(), c.handed_out);
  }
}

}  // namespace
