#include "platform/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>

#include "platform/utf8.h"
#include "platform/volumes.h"

namespace platform {

namespace fs = std::filesystem;

fs::path application_folder() {
  fs::path folder;
  if (const char* explicit_folder = std::getenv("VEXLINK_APP_FOLDER"); explicit_folder && *explicit_folder) {
    folder = explicit_folder;
  } else if (const char* data_home = std::getenv("XDG_DATA_HOME"); data_home && *data_home) {
    folder = fs::path(data_home) / "Vexlink Setwise";
  } else {
    const char* home = std::getenv("HOME");
    folder = fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "Vexlink Setwise";
  }
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  return folder;
}

namespace {

bool write_all(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Prefix of the temporary files of `target`: ".<name>.tmp", then digits.
std::string temporary_prefix(const fs::path& target) { return "." + target.filename().string() + ".tmp"; }

bool is_temporary_of(const std::string& name, const std::string& prefix) {
  return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
         name.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

// Removes the temporary files a killed save of `target` left in `folder`.
// A save in progress holds a lock on its temporary file and keeps it; the lock
// of a killed process is gone with it.
void remove_leftover_temporaries(const fs::path& folder, const fs::path& target) {
  const std::string prefix = temporary_prefix(target);
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (!is_temporary_of(name, prefix) || !entry->is_regular_file(error)) continue;
    const int fd = ::open(entry->path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(entry->path().c_str());
    ::close(fd);
  }
}

void sync_folder(const fs::path& folder) {
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

fs::path folder_of(const fs::path& path) { return path.parent_path().empty() ? fs::path(".") : path.parent_path(); }

}  // namespace

bool write_file_atomically(const fs::path& path, const std::vector<uint8_t>& bytes) {
  fs::path folder = folder_of(path);
  remove_leftover_temporaries(folder, path);
  std::random_device random;
  fs::path temporary = folder / (temporary_prefix(path) + std::to_string(random()));
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // tells another save of the same file that this one is alive; held until
  // the file has its final name
  ::flock(fd, LOCK_EX);
  const bool written = write_all(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  const bool renamed = written && ::rename(temporary.c_str(), path.c_str()) == 0;
  ::close(fd);
  if (!renamed) {
    ::unlink(temporary.c_str());
    return false;
  }
  // make the rename itself durable
  sync_folder(folder);
  return true;
}

bool write_file_atomically(const fs::path& path, const std::string& text) {
  return write_file_atomically(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::optional<std::vector<uint8_t>> read_file(const fs::path& path) {
  // plain POSIX reads: a stream reading a folder throws from inside the
  // iterator instead of failing
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  struct stat info = {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  uint8_t buffer[65536];
  while (ok) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return bytes;
}

bool file_exists(const fs::path& path) {
  struct stat info = {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool remove_file(const fs::path& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

bool create_file(const fs::path& path, std::span<const uint8_t> bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // on the medium before the device that holds it may be switched off
  const bool written = write_all(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  return written && closed;
}

bool move_file(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  sync_folder(folder_of(to));
  notify_volume_file_event(VolumeFileEvent::moved_in, to);
  return true;
}

std::optional<std::uintmax_t> file_size(const fs::path& path) {
  struct stat info = {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::uintmax_t>(info.st_size);
}

std::optional<std::string> read_text_file(const fs::path& path) {
  const std::optional<std::vector<uint8_t>> bytes = read_file(path);
  if (!bytes) return std::nullopt;
  std::string text(bytes->begin(), bytes->end());
  if (!is_valid_utf8(text)) return std::nullopt;
  return text;
}

BlockReading read_file_in_blocks(const fs::path& path, std::span<uint8_t> buffer,
                                 const std::function<void(std::span<const uint8_t> block)>& take) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return BlockReading::cannot_open;
  struct stat info = {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || buffer.empty()) {
    ::close(fd);
    return BlockReading::cannot_open;
  }
  BlockReading result = BlockReading::done;
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result = BlockReading::read_error;
      break;
    }
    if (got == 0) break;
    take(buffer.first(static_cast<std::size_t>(got)));
  }
  ::close(fd);
  if (result == BlockReading::done) notify_volume_file_event(VolumeFileEvent::read_to_end, path);
  return result;
}

}  // namespace platform
