#pragma once
// Item sets of the all-settings table's pop-ups, in item order. Each item is
// a table of 13 texts of which only English is written, so every language
// shows the English text; the exceptions are the Disable item that opens T7
// and T10 (the Disable text of the language) and the nine channels of T4
// ("<Channel> 1" to "<Channel> 9", the word in the language). Digits and video
// resolutions read the same everywhere. Stateless: callable from any thread.
#include <string>
#include <vector>

namespace strings {

enum class ItemSet : int {
  T1 = 1,  // audio source priority: Intercom, Music
  T2,      // eleven voice-prompt languages, Finnish last
  T3,      // equalizer: Off, Balance, Bass/Mid/Treble Boost
  T4,      // Channel 1 to Channel 9
  T5,      // 1 to 5
  T6,      // equalizer: Music Balance, Music Enhanced, Voice, Bass/Treble Boost
  T7,      // Disable, Low, Medium, High
  T8,      // speaker accessory of the 50 family
  T9,      // 1 to 10
  T10,     // Disable, Low, High
  T11,     // speakers: Basic, K-W Audio
  T12,     // 1 to 9
  T13,     // eleven languages, Brazilian Portuguese last
  T14,     // eleven languages, Czech last
  T15,     // English and the nine languages of the second language pack
  T16,     // Russian and the nine languages of the second language pack
  T17,     // photo mode
  T18,     // video mode with loop recording
  T19,     // video resolutions
  T20,     // timelapse intervals
  T21,     // tagging and loop intervals
  T22,     // Low, Medium, High
  T23,     // video mode without loop recording
  T24,     // speakers: Basic, K-W Audio, Fexo HD
  T25,     // mesh channels CH 1 (Common) to CH 9
  T26,     // brake-light modes
  T27,     // eight languages of the Y370 family
};

inline constexpr int k_item_set_count = 27;

// The items of `set` in `language`; English for an index outside 1..12. A
// value outside T1..T27 has no items.
std::vector<std::string> setting_items(ItemSet set, int language);

}  // namespace strings
