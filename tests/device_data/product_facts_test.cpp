#include "device_data/product_facts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using device_data::product_facts;

// The products the whole manager treats as two-module ones: recognition reads
// their name from slot 1, the header appends module 2's version, the
// diagnostic log lists both modules.
TEST(ProductFacts, TwoModuleProducts) {
  std::vector<int> two_modules;
  for (int id = 0; id <= 0xFFFF; ++id) {
    if (product_facts(id).two_modules) two_modules.push_back(id);
  }
  EXPECT_EQ(two_modules,
            (std::vector<int>{0x2030, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610}));
}

TEST(ProductFacts, TwoCameraMarkerListsStayApart) {
  struct Case {
    int id;
    const char* target;  // the controller's search for the selected target's disk
    const char* record;  // the record's search by product id
  };
  const Case cases[] = {
      {0x3020, "optra.bin", "optra.bin"},
      {0x3060, "MISC/version.conf", "MISC/version.conf"},
      {0x3232, "MISC/version.conf", nullptr},
      {0x3240, "MISC/version.conf", nullptr},
      {0x5580, "vt4pro.bin", "vt4pro.bin"},
      {0x4D10, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const device_data::ProductFacts& facts = product_facts(c.id);
    EXPECT_STREQ(facts.target_camera_marker, c.target);
    EXPECT_STREQ(facts.record_camera_marker, c.record);
  }
}

TEST(ProductFacts, AnUnknownIdHasTheDefaults) {
  for (int id : {0, 0x1234, 0x6020 | 0x8000, -1, 0x10000}) {
    SCOPED_TRACE(id);
    const device_data::ProductFacts& facts = product_facts(id);
    EXPECT_EQ(facts.id, 0);
    EXPECT_FALSE(facts.two_modules);
    EXPECT_EQ(facts.tab_group, device_data::TabGroup::none);
    EXPECT_EQ(facts.header_picture, nullptr);
    EXPECT_EQ(facts.name_source, device_data::NameSource::block_1d);
    EXPECT_EQ(facts.version_layout, device_data::VersionLayout::with_language_pack);
  }
}

}  // namespace
