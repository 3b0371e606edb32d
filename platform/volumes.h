#pragma once
// Mounted local volumes with the facts the manager needs to find a camera's
// disk: whether the medium is removable, writable and can be unmounted.
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "platform/clock.h"

namespace platform {

struct Volume {
  std::filesystem::path mount_point;
  bool removable = false;
  bool writable = false;
  bool unmountable = false;
};

// Every mounted volume in mount order. $VEXLINK_VOLUMES (mount points
// separated by ':') replaces the system list; those count as removable,
// writable and unmountable. The volumes the process publishes itself follow.
std::vector<Volume> mounted_volumes();

// ---- volumes the process publishes itself ----
// A folder the process shows as a mounted volume of its own, as a simulated
// camera shows its memory card: it can appear and vanish while a procedure
// runs. Publishing, withdrawing and listing are safe from any thread.

// What happened to a file on a published volume.
enum class VolumeFileEvent {
  moved_in,     // a file was moved (renamed) to this path on the volume
  read_to_end,  // the file at this path was read to its end in blocks
};
// Told on the thread that touched the file, after the touch, so a volume can
// act as a faulty medium does (change or shorten what it holds).
using VolumeFileObserver = std::function<void(VolumeFileEvent event, const std::filesystem::path& file)>;

struct PublishedVolume {
  Volume volume;
  // Listed from this time on the platform clock ...
  Clock::time_point from{};
  // ... until this time (none: until withdrawn).
  std::optional<Clock::time_point> until{};
  VolumeFileObserver observer{};
};

// Publishes a volume, replacing one published at the same mount point.
void publish_volume(PublishedVolume published);
// Withdraws the volume published at `mount_point` (nothing when none is).
void withdraw_volume(const std::filesystem::path& mount_point);
// The published volumes listed now, in the order they were published.
std::vector<Volume> published_volumes();
// Tells the observer of the listed published volume that holds `file` (a
// path below its mount point); nothing for a file elsewhere.
void notify_volume_file_event(VolumeFileEvent event, const std::filesystem::path& file);

// Whether the file-system information of the volume mounted at `mount_point`
// can be read (statvfs succeeds).
bool file_system_info_readable(const std::filesystem::path& mount_point);

}  // namespace platform
