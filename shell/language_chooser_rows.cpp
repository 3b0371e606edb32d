#include "shell/language_chooser_rows.h"

namespace shell {

int languageManagerFromButtonCellIndex(int row) {
  static constexpr int k_languages[k_language_chooser_rows] = {0, 1, 6, 3, 2, 7};
  return (row >= 1 && row < k_language_chooser_rows) ? k_languages[row] : 0;
}

int buttonCellIndexFromLanguageManager(int language) {
  // languages 1..7; Japanese (4) and Korean (5) are not offered and fall to row 0
  static constexpr int k_rows[] = {1, 4, 3, 0, 0, 2, 5};
  return (language >= 1 && language <= 7) ? k_rows[language - 1] : 0;
}

}  // namespace shell
