#pragma once
// The page strip above a settings page, in the 13 interface languages.
#include <string>

namespace strings {

// "More...": the second label of a strip with three tabs, which opens the tab list.
const std::string& more_tabs_text(int language);

}  // namespace strings
