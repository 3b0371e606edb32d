#include "device_data/camera_volume.h"

#include <system_error>

#include "device_data/product_facts.h"

namespace device_data {

std::optional<std::string> camera_disk_path_with_marker(const char* marker,
                                                        const std::vector<platform::Volume>& volumes,
                                                        const FileSystemInfoQuery& readable) {
  if (!marker) return std::nullopt;
  for (const platform::Volume& volume : volumes) {
    if (!volume.removable || !volume.writable || !volume.unmountable) continue;
    // a volume whose file-system information cannot be read is not usable
    if (!readable(volume.mount_point)) continue;
    std::error_code error;
    if (std::filesystem::exists(volume.mount_point / marker, error)) {
      std::string path = volume.mount_point.string();
      if (path.empty() || path.back() != '/') path += '/';
      return path;
    }
  }
  return std::nullopt;
}

std::optional<std::string> camera_disk_path(int32_t device, const std::vector<platform::Volume>& volumes) {
  return camera_disk_path_with_marker(product_facts(device).record_camera_marker, volumes);
}

}  // namespace device_data
