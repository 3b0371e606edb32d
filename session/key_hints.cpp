#include "session/key_hints.h"

namespace session {

std::string key_sequence_of_hint(std::string_view hint) {
  std::string modifiers;
  // Qt's portable order: Ctrl, Alt, Shift
  if (hint.find("[C]") != std::string_view::npos) modifiers += "Ctrl+";
  if (hint.find("[O]") != std::string_view::npos) modifiers += "Alt+";
  if (hint.find("[S]") != std::string_view::npos) modifiers += "Shift+";
  const size_t dash = hint.rfind('-');
  std::string key(dash == std::string_view::npos ? hint : hint.substr(dash + 1));
  if (key == "◀") key = "Left";
  if (key == "▶") key = "Right";
  return modifiers + key;
}

}  // namespace session
