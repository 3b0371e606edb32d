#pragma once
// The offer of a newer manager on the manager update page, in the 13
// interface languages.
#include <string>

namespace strings {

// Format of the offer: the application title twice, the new version's major
// and minor numbers (%d) and its secondary suffix, the Yes and No words, and
// the title and this manager's version once more.
const std::string& manager_update_offer_text(int language);

}  // namespace strings
