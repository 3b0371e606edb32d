#include "strings/setting_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "strings/common_texts.h"
#include "strings/language_table.h"

namespace {

using strings::ItemSet;
using enum strings::Language;

TEST(SettingItems, EveryLanguageShowsTheEnglishItemsButDisableAndChannel) {
  for (int language = -1; language <= strings::k_language_count; ++language) {
    SCOPED_TRACE(language);
    EXPECT_EQ(strings::setting_items(ItemSet::T3, language),
              (std::vector<std::string>{"Off", "Balance", "Bass Boost", "Mid Boost", "Treble Boost"}));
    const std::vector<std::string> t7 = strings::setting_items(ItemSet::T7, language);
    EXPECT_EQ(t7, (std::vector<std::string>{CommonTexts::vyla_string_disable_in(language), "Low", "Medium", "High"}));
    const std::vector<std::string> t10 = strings::setting_items(ItemSet::T10, language);
    EXPECT_EQ(t10, (std::vector<std::string>{CommonTexts::vyla_string_disable_in(language), "Low", "High"}));
    const std::vector<std::string> channels = strings::setting_items(ItemSet::T4, language);
    ASSERT_EQ(channels.size(), 9u);
    EXPECT_EQ(channels.front(), "Channel 1");
    EXPECT_EQ(channels.back(), "Channel 9");
  }
  EXPECT_EQ(strings::setting_items(ItemSet::T7, German).front(), "Deaktiviert");
}

TEST(SettingItems, SetsKeepTheirItemCountAndOrder) {
  struct Case {
    ItemSet set;
    size_t count;
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {ItemSet::T1, 2, "Intercom", "Music"},
      {ItemSet::T2, 11, "English", "Finnish"},
      {ItemSet::T5, 5, "1", "5"},
      {ItemSet::T9, 10, "1", "10"},
      {ItemSet::T12, 9, "1", "9"},
      {ItemSet::T13, 11, "English", "Brazilian Portuguese"},
      {ItemSet::T14, 11, "English", "Czech"},
      {ItemSet::T15, 10, "English", "Greek"},
      {ItemSet::T16, 10, "Russian", "Greek"},
      {ItemSet::T19, 3, "1080p/30fps", "720p/30fps"},
      {ItemSet::T25, 9, "CH 1 (Common)", "CH 9"},
      {ItemSet::T26, 4, "ESS LIGHT", "Disabled function"},
      {ItemSet::T27, 8, "English", "Slovene"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.set));
    const std::vector<std::string> items = strings::setting_items(c.set, French);
    ASSERT_EQ(items.size(), c.count);
    EXPECT_EQ(items.front(), c.first);
    EXPECT_EQ(items.back(), c.last);
  }
  EXPECT_TRUE(strings::setting_items(static_cast<ItemSet>(0), English).empty());
  EXPECT_TRUE(strings::setting_items(static_cast<ItemSet>(28), English).empty());
}

}  // namespace
