#pragma once
// Rows of the language chooser: the six interface languages offered, in the
// order the sheet lists them.
#include <string>

namespace shell {

// Number of rows (offered interface languages) of the language chooser.
inline constexpr int k_language_chooser_rows = 6;

// Interface language of chooser row `row` (0 English, 1 French, 2 Spanish,
// 3 Italian, 4 German, 5 Dutch); any other row is English.
int languageManagerFromButtonCellIndex(int row);
// Chooser row of interface language `language`; a language not offered is row 0.
int buttonCellIndexFromLanguageManager(int language);

}  // namespace shell
