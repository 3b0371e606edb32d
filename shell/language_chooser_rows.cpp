#include "shell/language_chooser_rows.h"

#include "strings/language.h"

namespace shell {
namespace {

const strings::LocalizedTexts k_apply_to_firmware_title = {
    "Apply To Firmware Language",
    "Appliquer à la langue du micrologiciel",
    "Auf Firmware-Sprache anwenden",
    "Applicazione a Lingua Firmware",
    "音声プロンプト言語に適用",
    "음성안내 언어에 적용",
    "Aplicar a idioma del mensaje de voz",
    "Toepassen op firmwaretaal",
    "Применить Язык Прошивки",
    "应用至固件语言",
    "Aseta laiteohjelmiston kieli",
    "Použít na jazyk firmwaru",
    "Dotyczy języka oprogramowania układowego",
};

}  // namespace

int languageManagerFromButtonCellIndex(int row) {
  static constexpr int languages[k_language_chooser_rows] = {0, 1, 6, 3, 2, 7};
  return (row >= 1 && row < k_language_chooser_rows) ? languages[row] : 0;
}

int buttonCellIndexFromLanguageManager(int language) {
  // languages 1..7; Japanese (4) and Korean (5) are not offered and fall to row 0
  static constexpr int rows[] = {1, 4, 3, 0, 0, 2, 5};
  return (language >= 1 && language <= 7) ? rows[language - 1] : 0;
}

std::string apply_to_firmware_language_title(int language) { return strings::pick(k_apply_to_firmware_title, language); }

}  // namespace shell
