#include "strings/language_chooser_texts.h"

#include "strings/language.h"

namespace strings {
namespace {

const LocalizedTexts k_apply_to_firmware_title = {
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

constexpr const char* k_flag_images[k_language_count] = {
    "english.png", "french.png",  "german.png",  "italian.png", "japanese.png", "korean.png", "spanish.png",
    "dutch.png",   "russian.png", "chinese.png", "finland.png", "czech.png",    "poland.png"};

}  // namespace

const std::string& apply_to_firmware_language_title(int language) {
  return pick(k_apply_to_firmware_title, language);
}

const char* language_flag_image(int language) { return k_flag_images[effective_language(language)]; }

}  // namespace strings
