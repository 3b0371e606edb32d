#include "device_data/camera_volume.h"

#include <cctype>
#include <climits>
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

namespace {

// The leading number of `piece`, clamped to int: blanks, a sign, digits.
int integer_value(std::string_view piece) {
  std::size_t at = 0;
  while (at < piece.size() && std::isspace(static_cast<unsigned char>(piece[at]))) ++at;
  bool negative = false;
  if (at < piece.size() && (piece[at] == '+' || piece[at] == '-')) negative = piece[at++] == '-';
  long long value = 0;
  for (; at < piece.size() && std::isdigit(static_cast<unsigned char>(piece[at])); ++at) {
    value = value * 10 + (piece[at] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

CameraVersion camera_version_from_text(std::string_view text) {
  const std::size_t first_dot = text.find('.');
  CameraVersion version;
  version.major = integer_value(text.substr(0, first_dot));
  if (first_dot != std::string_view::npos) {
    const std::string_view rest = text.substr(first_dot + 1);
    version.minor = integer_value(rest.substr(0, rest.find('.')));
  }
  return version;
}

}  // namespace device_data
