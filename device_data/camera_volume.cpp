#include "device_data/camera_volume.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace device_data {
namespace {

// File at the top of a camera's disk that tells its volume apart.
struct CameraMarker {
  int32_t device;
  const char* marker;
};
constexpr std::array<CameraMarker, 7> k_camera_markers = {{
    {0x3020, "optra.bin"},
    {0x3040, "KE4pro.bin"},
    {0x3060, "MISC/version.conf"},
    {0x5510, "VT4.VER"},
    {0x5570, "MISC/version.conf"},
    {0x5576, "MISC/version.conf"},
    {0x5580, "vt4pro.bin"},
}};

}  // namespace

const char* camera_marker(int32_t device) {
  for (const CameraMarker& entry : k_camera_markers) {
    if (entry.device == device) return entry.marker;
  }
  return nullptr;
}

std::optional<std::string> camera_disk_path(int32_t device, const std::vector<platform::Volume>& volumes) {
  const char* marker = camera_marker(device);
  if (!marker) return std::nullopt;
  for (const platform::Volume& volume : volumes) {
    if (!volume.removable || !volume.writable || !volume.unmountable) continue;
    // a volume whose file-system information cannot be read is not usable
    std::error_code error;
    (void)std::filesystem::space(volume.mount_point, error);
    if (error) continue;
    if (std::filesystem::exists(volume.mount_point / marker, error)) {
      std::string path = volume.mount_point.string();
      if (path.empty() || path.back() != '/') path += '/';
      return path;
    }
  }
  return std::nullopt;
}

}  // namespace device_data
