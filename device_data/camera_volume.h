#pragma once
// Finding a camera's disk among the mounted volumes by its marker file.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/volumes.h"

namespace device_data {

// Path of the file at the top of the product's camera disk ("VT4.VER" for
// 0x5510), or nullptr for a product without a camera disk.
const char* camera_marker(int32_t device);

// The first of `volumes` that is removable, writable and unmountable, reports
// its file-system information and holds the product's marker file: its path
// with "/" appended. nil when none matches or the product has no marker.
std::optional<std::string> camera_disk_path(int32_t device, const std::vector<platform::Volume>& volumes);

}  // namespace device_data
