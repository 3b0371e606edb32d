#pragma once
// Interface languages: 0 English, 1 French, 2 German, 3 Italian, 4 Japanese,
// 5 Korean, 6 Spanish, 7 Dutch, 8 Russian, 9 Chinese, 10 Finnish, 11 Czech,
// 12 Polish. Any other index means English.
#include <array>
#include <string>

namespace strings {

constexpr int k_language_count = 13;

// One text per interface language, indexed by the language index.
using LocalizedTexts = std::array<std::string, k_language_count>;

// The language a text operation uses for index `language`: 1..12 stand, every
// other value is English (0).
constexpr int effective_language(int language) { return (language >= 1 && language <= 12) ? language : 0; }

// Locale name of `language` ("en", "fr", ..., "zh_CN"), as translation files
// are named; English for an index outside 1..12.
constexpr const char* locale_name(int language) {
  constexpr const char* k_names[k_language_count] = {"en", "fr", "de", "it", "ja", "ko", "es",
                                                     "nl", "ru", "zh_CN", "fi", "cs", "pl"};
  return k_names[effective_language(language)];
}

// Picks the text of `language` from a table; an empty cell means the language
// has no text of its own and gets English.
inline const std::string& pick(const LocalizedTexts& table, int language) {
  const std::string& own = table[static_cast<size_t>(effective_language(language))];
  return own.empty() ? table[0] : own;
}

}  // namespace strings
