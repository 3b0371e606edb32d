#pragma once
// The operating system's product version text in the "major.minor[.patch]"
// form that the pages' system-version gates compare against.
#include <string>

namespace platform {

// Empty on Linux: the gates were written for the desktop system's own version
// numbers, and a kernel release such as "6.1.0" would close them wrongly, so
// the controller keeps its built-in default.
std::string operating_system_version();

}  // namespace platform
