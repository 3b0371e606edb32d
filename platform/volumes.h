#pragma once
// Mounted local volumes with the facts the manager needs to find a camera's
// disk: whether the medium is removable, writable and can be unmounted.
#include <filesystem>
#include <vector>

namespace platform {

struct Volume {
  std::filesystem::path mount_point;
  bool removable = false;
  bool writable = false;
  bool unmountable = false;
};

// Every mounted volume in mount order. $VEXLINK_VOLUMES (mount points
// separated by ':') replaces the system list; those count as removable,
// writable and unmountable.
std::vector<Volume> mounted_volumes();

// Whether the file-system information of the volume mounted at `mount_point`
// can be read (statvfs succeeds).
bool file_system_info_readable(const std::filesystem::path& mount_point);

}  // namespace platform
