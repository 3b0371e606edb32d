#include "sim/camera_disk.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <mutex>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/volumes.h"

namespace sim {

namespace fs = std::filesystem;

// What the volume's observer reads, on the thread that touched a file.
struct CameraDisk::Shared {
  std::mutex mutex;
  CameraDiskFaults faults;
};

namespace {

void change_file(const fs::path& file, const CameraDiskFaults& faults) {
  std::optional<std::vector<std::uint8_t>> bytes = platform::read_file(file);
  if (!bytes) return;
  if (faults.changes_moved_file && !bytes->empty()) (*bytes)[bytes->size() / 2] ^= 0x5A;
  if (faults.shortens_moved_file && !bytes->empty()) bytes->pop_back();
  platform::create_file(file, *bytes);
}

}  // namespace

CameraDisk::CameraDisk() : m_shared(std::make_shared<Shared>()) {
  std::string pattern = (fs::temp_directory_path() / "vx-camera-disk-XXXXXX").string();
  m_folder = ::mkdtemp(pattern.data());
}

CameraDisk::~CameraDisk() {
  unmount();
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
}

void CameraDisk::mount(std::chrono::milliseconds appears_after,
                       std::optional<std::chrono::milliseconds> vanishes_after) {
  const platform::Clock::time_point now = platform::now();
  platform::PublishedVolume published;
  published.volume = {m_folder, true, true, true};
  published.from = now + appears_after;
  if (vanishes_after) published.until = now + *vanishes_after;
  published.observer = [shared = m_shared, folder = m_folder](platform::VolumeFileEvent event, const fs::path& file) {
    CameraDiskFaults faults;
    {
      std::lock_guard lock(shared->mutex);
      faults = shared->faults;
    }
    if (event == platform::VolumeFileEvent::moved_in) {
      if (faults.loses_moved_file) {
        platform::remove_file(file);
      } else if (faults.changes_moved_file || faults.shortens_moved_file) {
        change_file(file, faults);
      }
      if (faults.folder_after_move) {
        std::error_code ignored;
        if (folder / *faults.folder_after_move == file) fs::remove(file, ignored);
        fs::create_directories(folder / *faults.folder_after_move / "held", ignored);
      }
    } else if (event == platform::VolumeFileEvent::read_to_end && faults.grows_after_read) {
      std::ofstream(file, std::ios::binary | std::ios::app).put('\0');
    }
  };
  platform::publish_volume(std::move(published));
}

void CameraDisk::unmount() { platform::withdraw_volume(m_folder); }

bool CameraDisk::mounted() const {
  const std::vector<platform::Volume> volumes = platform::published_volumes();
  return std::any_of(volumes.begin(), volumes.end(),
                     [this](const platform::Volume& volume) { return volume.mount_point == m_folder; });
}

void CameraDisk::set_faults(const CameraDiskFaults& faults) {
  std::lock_guard lock(m_shared->mutex);
  m_shared->faults = faults;
}

CameraDiskFaults CameraDisk::faults() const {
  std::lock_guard lock(m_shared->mutex);
  return m_shared->faults;
}

void CameraDisk::write(const std::string& name, const std::string& text) const {
  write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void CameraDisk::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  const fs::path file = m_folder / name;
  std::error_code ignored;
  fs::create_directories(file.parent_path(), ignored);
  platform::create_file(file, bytes);
}

std::optional<std::vector<std::uint8_t>> CameraDisk::read(const std::string& name) const {
  return platform::read_file(m_folder / name);
}

std::optional<std::string> CameraDisk::read_text(const std::string& name) const {
  const std::optional<std::vector<std::uint8_t>> bytes = read(name);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

bool CameraDisk::holds(const std::string& name) const { return platform::file_exists(m_folder / name); }

void CameraDisk::remove(const std::string& name) const { platform::remove_file(m_folder / name); }

std::vector<std::string> CameraDisk::files() const {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::recursive_directory_iterator entry(m_folder, error), end; !error && entry != end; entry.increment(error)) {
    if (entry->is_regular_file(error)) names.push_back(fs::relative(entry->path(), m_folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace sim
