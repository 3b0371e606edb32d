#include "strings/product_catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(ProductCatalogue, NamesEveryListedProductAndNothingElse) {
  int known = 0;
  for (int id = 0; id <= 0xFFFF; ++id) {
    const auto display = ProductCatalogue::vyla_product_name_for_internal(id, 0);
    const auto internal = ProductCatalogue::vyla_product_name_for_internal(id, 1);
    ASSERT_EQ(display.has_value(), internal.has_value()) << std::hex << id;
    if (!display) continue;
    ++known;
    EXPECT_GE(id, 0x2010);
    EXPECT_LE(id, 0x6900);
    EXPECT_FALSE(display->empty()) << std::hex << id;
    EXPECT_FALSE(internal->empty()) << std::hex << id;
  }
  EXPECT_EQ(known, 226);
}

TEST(ProductCatalogue, LooksUpDisplayAndInternalNames) {
  struct Case {
    const char* name;
    int product;
    int internal;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"first row, display", 0x2010, 0, "TEM.BRA"},
      {"first row, internal", 0x2010, 1, "TEM-BRA"},
      {"last row, display", 0x6900, 0, "ZVK LM8"},
      {"last row, internal", 0x6900, 1, "LM8"},
      {"same name both ways, display", 0x4D10, 0, "XA9"},
      {"same name both ways, internal", 0x4D10, 1, "XA9"},
      {"OEM display name", 0x4D21, 0, "Unifold"},
      {"OEM internal name", 0x4D21, 1, "VASKO_XA9R"},
      {"first generation shares display name", 0x3050, 0, "DK3"},
      {"second generation shares display name", 0x3052, 0, "DK3"},
      {"first generation internal name", 0x3050, 1, "DK3"},
      {"second generation internal name", 0x3052, 1, "DK3V2"},
      {"QCC variant internal name", 0x4D06, 1, "QCCXA6"},
      {"AIROHA variant internal name", 0x6801, 1, "AIROHADK3EVO"},
      {"two ids share both names", 0x5040, 1, "XP9H-FM"},
      {"two ids share both names, second", 0x5050, 1, "XP9H-FM"},
      {"name with punctuation", 0x3112, 0, "Kelto! Audio ND4"},
      {"name with slash", 0x5620, 0, "JX3 RZ4/RZ4Pro"},
      {"any non-zero flag selects internal", 0x4D21, 2, "VASKO_XA9R"},
      {"negative flag selects internal", 0x4D21, -1, "VASKO_XA9R"},
      {"id 0", 0, 0, std::nullopt},
      {"id 0, internal", 0, 1, std::nullopt},
      {"id between two rows", 0x3051, 0, std::nullopt},
      {"id between two rows, internal", 0x3051, 1, std::nullopt},
      {"firmware-management id (bit 15)", 0x3050 | 0x8000, 0, std::nullopt},
      {"firmware-management id (bit 15), internal", 0x3050 | 0x8000, 1, std::nullopt},
      {"negative id", -1, 0, std::nullopt},
      {"id above 16 bits does not wrap onto a product", 0x10000 + 0x3050, 0, std::nullopt},
      {"negative id whose low 16 bits are a product", -0x10000 + 0x3050, 1, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ProductCatalogue::vyla_product_name_for_internal(c.product, c.internal), c.expected);
  }
}

TEST(ProductCatalogue, ProductNameIsTheDisplayName) {
  for (int product : {0x2010, 0x3052, 0x4D21, 0x6900, 0x3051, 0x3050 | 0x8000}) {
    SCOPED_TRACE(product);
    EXPECT_EQ(ProductCatalogue::vyla_product_name(product),
              ProductCatalogue::vyla_product_name_for_internal(product, 0));
  }
  EXPECT_EQ(ProductCatalogue::vyla_product_name(0x4D21), "Unifold");
}

}  // namespace
