#pragma once
// Addresses of this deployment: the two update servers, the help site and the
// support mailbox.
#include <string>

namespace platform {

inline constexpr char k_update_server[] = "https://update.vexlink.example/fexobluetoothmanager/";
inline constexpr char k_update_server_china[] = "https://update-cn.vexlink.example/fexobluetoothmanager/";
inline constexpr char k_help_host[] = "https://help.vexlink.example";
inline constexpr char k_support_email[] = "support@vexlink.example";

// Base URL (ending in "/fexobluetoothmanager/") of the update server: the
// China server when `china`, else the default one; $VEXLINK_SERVER_BASE, when
// set, replaces both (tests, mirrors).
std::string update_server_base(bool china);

}  // namespace platform
