#include "strings/page_strip_texts.h"

#include "strings/language.h"

namespace strings {

const std::string& more_tabs_text(int language) {
  static const LocalizedTexts k_more = {"More...",   "Plus...", "Mehr...",  "Altro...", "詳細...",
                                        "더 보기...", "Más...",  "Meer...",  "Больше...", "更多...",
                                        "Enemmän…",  "Více...", "Więcej..."};
  return pick(k_more, language);
}

}  // namespace strings
