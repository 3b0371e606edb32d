#pragma once
// Finding a camera's disk among the mounted volumes by the marker file at its top.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// The camera firmware version a camera keeps in the version file on its disk.
struct CameraVersion {
  int major = 0;
  int minor = 0;
  bool operator==(const CameraVersion&) const = default;
};

// The version a version file's text holds: split at ".", the integer value of
// the first piece is the major, of the second the minor version ("2.10" is
// 2.10, "2" is 2.0). A piece's value is its leading number after blanks, with
// an optional sign, held within int; a piece without one counts as 0.
CameraVersion camera_version_from_text(std::string_view text);

}  // namespace device_data
