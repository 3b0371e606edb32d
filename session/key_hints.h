#pragma once
// The key hints buttons and labels show while the controller shows hints, and
// the key each stands for: [C] is Ctrl, [O] Alt (the Option key), [S] Shift.
#include <string>
#include <string_view>

namespace session {

// "[O][C]-S" as portable key text, "Ctrl+Alt+S" (◀ and ▶ are Left and Right).
std::string key_sequence_of_hint(std::string_view hint);

// The legend of the modifier letters the hints use, one line.
inline constexpr const char* k_key_hint_legend = "[C] = Ctrl   [O] = Alt   [S] = Shift";

}  // namespace session
