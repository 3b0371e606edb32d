#pragma once
// Name of the local time zone (an IANA id such as "Asia/Shanghai").
#include <optional>
#include <string>

namespace platform {

// $TZ when set (a leading ':' dropped), else the zone id of the /etc/localtime
// link target, else "UTC".
std::string time_zone_name();

// Makes time_zone_name() answer `name` (tests); std::nullopt restores the system lookup.
void override_time_zone_name(std::optional<std::string> name);

}  // namespace platform
