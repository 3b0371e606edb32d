#include "platform/volumes.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <mutex>
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

std::mutex& published_mutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<PublishedVolume>& published() {
  static std::vector<PublishedVolume> volumes;
  return volumes;
}

bool listed_at(const PublishedVolume& volume, Clock::time_point time) {
  return time >= volume.from && (!volume.until || time < *volume.until);
}

// Whether `file` lies below `folder`, compared piece by piece.
bool lies_below(const fs::path& file, const fs::path& folder) {
  const fs::path a = file.lexically_normal();
  const fs::path b = folder.lexically_normal();
  auto piece = a.begin();
  for (auto part = b.begin(); part != b.end(); ++part, ++piece) {
    if (part->empty() && std::next(part) == b.end()) break;  // a trailing "/"
    if (piece == a.end() || *piece != *part) return false;
  }
  return piece != a.end();
}

std::vector<Volume> system_volumes();

}  // namespace

void publish_volume(PublishedVolume volume) {
  std::lock_guard lock(published_mutex());
  auto& volumes = published();
  std::erase_if(volumes, [&](const PublishedVolume& v) { return v.volume.mount_point == volume.volume.mount_point; });
  volumes.push_back(std::move(volume));
}

void withdraw_volume(const fs::path& mount_point) {
  std::lock_guard lock(published_mutex());
  std::erase_if(published(), [&](const PublishedVolume& v) { return v.volume.mount_point == mount_point; });
}

std::vector<Volume> published_volumes() {
  const Clock::time_point time = now();
  std::lock_guard lock(published_mutex());
  std::vector<Volume> volumes;
  for (const PublishedVolume& volume : published()) {
    if (listed_at(volume, time)) volumes.push_back(volume.volume);
  }
  return volumes;
}

void notify_volume_file_event(VolumeFileEvent event, const fs::path& file) {
  const Clock::time_point time = now();
  VolumeFileObserver observer;
  {
    std::lock_guard lock(published_mutex());
    for (const PublishedVolume& volume : published()) {
      if (listed_at(volume, time) && volume.observer && lies_below(file, volume.volume.mount_point)) {
        observer = volume.observer;
        break;
      }
    }
  }
  // outside the lock: the observer may publish or withdraw
  if (observer) observer(event, file);
}

std::vector<Volume> mounted_volumes() {
  std::vector<Volume> volumes;
  if (const char* list = std::getenv("VEXLINK_VOLUMES"); list) {
    volumes = volumes_from_environment(list);
  } else {
    volumes = system_volumes();
  }
  const std::vector<Volume> own = published_volumes();
  volumes.insert(volumes.end(), own.begin(), own.end());
  return volumes;
}

namespace {

std::vector<Volume> system_volumes() {
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

}  // namespace

bool file_system_info_readable(const std::filesystem::path& mount_point) {
  struct statvfs info {};
  return ::statvfs(mount_point.c_str(), &info) == 0;
}

}  // namespace platform
