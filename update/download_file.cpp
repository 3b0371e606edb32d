#include "update/download_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace update {

namespace {

int open_retrying(const char* path, int flags, mode_t mode = 0) {
  int descriptor = -1;
  do {
    descriptor = ::open(path, flags | O_CLOEXEC, mode);
  } while (descriptor < 0 && errno == EINTR);
  return descriptor;
}

}  // namespace

DownloadFile::~DownloadFile() { close(); }

bool DownloadFile::create_empty(const std::filesystem::path& path) {
  const int descriptor = open_retrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (descriptor < 0) return false;
  return ::close(descriptor) == 0;
}

bool DownloadFile::open_for_writing(const std::filesystem::path& path) {
  close();
  m_descriptor = open_retrying(path.c_str(), O_WRONLY | O_APPEND);
  return m_descriptor >= 0;
}

bool DownloadFile::append(std::string_view block) {
  if (m_descriptor < 0) return false;
  while (!block.empty()) {
    const ssize_t written = ::write(m_descriptor, block.data(), block.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    block.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool DownloadFile::close() {
  if (m_descriptor < 0) return true;
  const int descriptor = m_descriptor;
  m_descriptor = -1;
  // no retry after EINTR: the descriptor is released either way
  return ::close(descriptor) == 0;
}

}  // namespace update
