#include "platform/deployment.h"

#include <cstdlib>

namespace platform {

std::string update_server_base(bool china) {
  if (const char* base = std::getenv("VEXLINK_SERVER_BASE"); base && *base) return base;
  return china ? k_update_server_china : k_update_server;
}

}  // namespace platform
