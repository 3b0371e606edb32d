#pragma once
// Building a table of localized texts from only the languages that have a text
// of their own, so a table reads as its translations and every gap is English.
#include <cstddef>
#include <initializer_list>

#include "strings/language.h"

namespace strings {

// Interface language indices, for writing tables.
enum Language : int {
  English,
  French,
  German,
  Italian,
  Japanese,
  Korean,
  Spanish,
  Dutch,
  Russian,
  Chinese,
  Finnish,
  Czech,
  Polish,
};

struct OwnText {
  Language language;
  const char* text;
};

// A table in which only the listed languages have a text of their own; every
// other cell stays empty, so `pick` gives English there.
inline LocalizedTexts texts_of(std::initializer_list<OwnText> own) {
  LocalizedTexts table;
  for (const OwnText& entry : own) table[static_cast<std::size_t>(entry.language)] = entry.text;
  return table;
}

}  // namespace strings
