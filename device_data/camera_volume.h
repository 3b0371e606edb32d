#pragma once
// Finding a camera's disk among the mounted volumes by the marker file at its top.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/volumes.h"

namespace device_data {

// Whether the file-system information of a mounted volume can be read.
using FileSystemInfoQuery = std::function<bool(const std::filesystem::path& mount_point)>;

// The first of `volumes` that is removable, writable and unmountable, whose
// file-system information can be read (`readable`) and that holds `marker` (a
// path relative to the volume): its path with "/" appended. nil when none
// matches or `marker` is nullptr.
std::optional<std::string> camera_disk_path_with_marker(
    const char* marker, const std::vector<platform::Volume>& volumes,
    const FileSystemInfoQuery& readable = platform::file_system_info_readable);

// The same for the record's marker of product `device` ("VT4.VER" for 0x5510);
// nil for a product without one.
std::optional<std::string> camera_disk_path(int32_t device, const std::vector<platform::Volume>& volumes);

}  // namespace device_data
