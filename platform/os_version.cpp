#include "platform/os_version.h"

namespace platform {

std::string operating_system_version() { return {}; }

}  // namespace platform
