#include "strings/setting_items.h"

#include <array>
#include <cstddef>

#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/setting_names.h"

namespace strings {

namespace {

using Items = std::vector<const char*>;

// English items by set, T1 first. T4's items are made from the channel word.
const std::array<Items, k_item_set_count> k_items = {{
    /* T1 */ {"Intercom", "Music"},
    /* T2 */
    {"English", "French", "Spanish", "Italian", "German", "Dutch", "Russian", "Chinese", "Korean", "Japanese",
     "Finnish"},
    /* T3 */ {"Off", "Balance", "Bass Boost", "Mid Boost", "Treble Boost"},
    /* T4 */ {},
    /* T5 */ {"1", "2", "3", "4", "5"},
    /* T6 */ {"Music Balance", "Music Enhanced", "Voice", "Bass Boost", "Treble Boost"},
    /* T7, after the Disable item */ {"Low", "Medium", "High"},
    /* T8 */ {"Fexo HD Speakers", "Velmont Acoustics Speakers"},
    /* T9 */ {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
    /* T10, after the Disable item */ {"Low", "High"},
    /* T11 */ {"Basic Speakers", "K-W Audio Q9 Spkrs"},
    /* T12 */ {"1", "2", "3", "4", "5", "6", "7", "8", "9"},
    /* T13 */
    {"English", "French", "Spanish", "Italian", "German", "Dutch", "Russian", "Chinese", "Korean", "Czech",
     "Brazilian Portuguese"},
    /* T14 */
    {"English", "French", "Spanish", "Italian", "German", "Dutch", "Chinese", "Korean", "Japanese", "Finnish", "Czech"},
    /* T15 */
    {"English", "Danish", "Norwegian", "Swedish", "Polish", "Turkish", "Hungarian", "European Portuguese", "Hebrew",
     "Greek"},
    /* T16 */
    {"Russian", "Danish", "Norwegian", "Swedish", "Polish", "Turkish", "Hungarian", "European Portuguese", "Hebrew",
     "Greek"},
    /* T17 */ {"Single Shot", "Burst Shot"},
    /* T18 */ {"Video Mode", "Timelapse Mode", "Loop Recording Mode"},
    /* T19 */ {"1080p/30fps", "720p/60fps", "720p/30fps"},
    /* T20 */ {"1 sec", "10 secs"},
    /* T21 */ {"1 min", "3 mins", "5 mins"},
    /* T22 */ {"Low", "Medium", "High"},
    /* T23 */ {"Video Mode", "Timelapse Mode"},
    /* T24 */ {"Basic Speakers", "K-W Audio Q9 Spkrs", "Fexo HD Speakers"},
    /* T25 */ {"CH 1 (Common)", "CH 2", "CH 3", "CH 4", "CH 5", "CH 6", "CH 7", "CH 8", "CH 9"},
    /* T26 */ {"ESS LIGHT", "Headlight + ESS", "Flashing light + ESS", "Disabled function"},
    /* T27 */ {"English", "Italian", "French", "German", "Spanish", "Dutch", "Polish", "Slovene"},
}};

// The formats of the nine channel items, each filled with the word "Channel".
constexpr const char* k_channel_formats[] = {"%@ 1", "%@ 2", "%@ 3", "%@ 4", "%@ 5", "%@ 6", "%@ 7", "%@ 8", "%@ 9"};

}  // namespace

std::vector<std::string> setting_items(ItemSet set, int language) {
  const int number = static_cast<int>(set);
  if (number < 1 || number > k_item_set_count) return {};
  std::vector<std::string> items;
  if (set == ItemSet::T4) {
    const std::string channel = setting_name(SettingName::Channel, language);
    for (const char* format : k_channel_formats) items.push_back(platform::format(format, channel));
    return items;
  }
  if (set == ItemSet::T7 || set == ItemSet::T10) items.push_back(CommonTexts::vyla_string_disable_in(language));
  for (const char* item : k_items[static_cast<std::size_t>(number - 1)]) items.emplace_back(item);
  return items;
}

}  // namespace strings
