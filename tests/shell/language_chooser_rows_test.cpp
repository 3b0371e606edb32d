#include "shell/language_chooser_rows.h"

#include <gtest/gtest.h>

#include "strings/language_chooser_texts.h"

namespace {

TEST(LanguageChooserRows, RowsAndLanguagesMapBothWays) {
  const int languages[] = {0, 1, 6, 3, 2, 7};
  for (int row = 0; row < shell::k_language_chooser_rows; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(shell::languageManagerFromButtonCellIndex(row), languages[row]);
    EXPECT_EQ(shell::buttonCellIndexFromLanguageManager(languages[row]), row);
  }
  // rows and languages the sheet does not offer fall back to English, row 0
  for (int row : {-1, 6, 100}) EXPECT_EQ(shell::languageManagerFromButtonCellIndex(row), 0) << row;
  for (int language : {-1, 4, 5, 8, 12, 13}) EXPECT_EQ(shell::buttonCellIndexFromLanguageManager(language), 0) << language;
}

TEST(LanguageChooserRows, CheckBoxTitleByLanguage) {
  EXPECT_EQ(strings::apply_to_firmware_language_title(0), "Apply To Firmware Language");
  EXPECT_EQ(strings::apply_to_firmware_language_title(2), "Auf Firmware-Sprache anwenden");
  EXPECT_EQ(strings::apply_to_firmware_language_title(12), "Dotyczy języka oprogramowania układowego");
  EXPECT_EQ(strings::apply_to_firmware_language_title(13), "Apply To Firmware Language");
}

}  // namespace
