#include "platform/volumes.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace platform {

namespace fs = std::filesystem;

namespace {

// mountinfo escapes blanks and a few other bytes as \ooo.
std::string unescape_mount_field(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string octal = field.substr(i + 1, 3);
      if (octal.size() == 3 && octal.find_first_not_of("01234567") == std::string::npos) {
        out.push_back(static_cast<char>(std::stoi(octal, nullptr, 8)));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

// /dev/sdb1 -> true when /sys/block/sdb/removable reads 1.
bool device_is_removable(const std::string& source) {
  if (source.rfind("/dev/", 0) != 0) return false;
  std::error_code error;
  fs::path device = fs::canonical(source, error);
  if (error) return false;
  // /sys/class/block/<partition> links into the whole disk's folder
  fs::path sys_entry = fs::canonical(fs::path("/sys/class/block") / device.filename(), error);
  if (error) return false;
  for (fs::path folder = sys_entry; folder.has_relative_path(); folder = folder.parent_path()) {
    std::ifstream removable(folder / "removable");
    if (removable) {
      int flag = 0;
      removable >> flag;
      return flag == 1;
    }
    if (folder == folder.parent_path()) break;
  }
  return false;
}

std::vector<Volume> volumes_from_environment(const std::string& list) {
  std::vector<Volume> volumes;
  std::stringstream stream(list);
  std::string mount_point;
  while (std::getline(stream, mount_point, ':')) {
    if (!mount_point.empty()) volumes.push_back({mount_point, true, true, true});
  }
  return volumes;
}

}  // namespace

std::vector<Volume> mounted_volumes() {
  if (const char* list = std::getenv("VEXLINK_VOLUMES"); list) return volumes_from_environment(list);

  std::vector<Volume> volumes;
  std::ifstream mountinfo("/proc/self/mountinfo");
  std::string line;
  while (std::getline(mountinfo, line)) {
    // id parent major:minor root mount-point options [optional...] - fstype source super-options
    std::istringstream fields(line);
    std::string id, parent, numbers, root, mount_point, options;
    if (!(fields >> id >> parent >> numbers >> root >> mount_point >> options)) continue;
    std::string word;
    while (fields >> word && word != "-") {
    }
    std::string fstype, source;
    fields >> fstype >> source;

    Volume volume;
    volume.mount_point = unescape_mount_field(mount_point);
    volume.removable = device_is_removable(source);
    volume.writable = (options == "rw" || options.rfind("rw,", 0) == 0) &&
                      ::access(volume.mount_point.c_str(), W_OK) == 0;
    // the system's own disks are never offered for unmounting
    volume.unmountable = volume.removable && volume.mount_point != "/";
    volumes.push_back(volume);
  }
  return volumes;
}

bool file_system_info_readable(const std::filesystem::path& mount_point) {
  struct statvfs info {};
  return ::statvfs(mount_point.c_str(), &info) == 0;
}

}  // namespace platform
