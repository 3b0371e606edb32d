#pragma once
// What the cameras' firmware procedures share to hand a camera its camera
// firmware as a file on its own disk: the names the file takes there, the
// camera part of the package, the version file, the search for the disk and
// the check of the copy.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "device_data/camera_volume.h"
#include "update/update_engine.h"

namespace update {

// The names on a camera's disk, each a path relative to the disk.
struct CameraDiskNames {
  const char* version_file = nullptr;   // the camera's version file, also the disk's marker
  const char* transfer_file = nullptr;  // the camera part is written under this name ...
  const char* firmware_file = nullptr;  // ... then moved to this one, from which the camera installs it
};

// The names of `product`; none for a product that takes no camera firmware file.
std::optional<CameraDiskNames> camera_disk_names(int product);

// The camera firmware inside a package: a table-B entry's data, versions 0
// and 1 (major, minor) and MD5.
struct CameraPart {
  std::span<const std::uint8_t> data;
  device_data::CameraVersion version;
  std::span<const std::uint8_t> digest;
};

// Table-B entry `entry` of the run's loaded package as a camera part; none when
// it does not lie whole inside the package (which the package-entry check has
// refused before).
std::optional<CameraPart> camera_part(UpdateRun& run, int entry);

// The version the version file at `file` holds; a missing or unreadable file
// (or text that is not UTF-8) reads as 0.0.
device_data::CameraVersion read_camera_version(const std::filesystem::path& file);

// Asks the controller for the selected product's camera disk up to `tries`
// times, a second apart, until it has one: its path, ending in "/". None when
// it never had one, or when the worker was asked to stop.
std::optional<std::string> wait_for_camera_disk(UpdateRun& run, int tries);

enum class CopyCheck {
  matches,
  cannot_open,     // the copy cannot be opened for reading
  digest_differs,  // its MD5 (read back in 1024-byte blocks) is not the part's, or a read failed
  size_differs,    // the MD5 matches, but the disk gives another size than the part's length
};

// Reads the copy at `file` back and checks it against `part`.
CopyCheck check_camera_copy(const std::filesystem::path& file, const CameraPart& part);

}  // namespace update
