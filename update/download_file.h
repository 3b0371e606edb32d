#pragma once
// The local file a firmware download writes: made empty first (replacing any
// file there), then opened for writing and appended to block by block as the
// blocks arrive. Every step answers whether it worked; the file stays on disk
// whatever happens, complete, partial or empty.
#include <filesystem>
#include <string_view>

namespace update {

class DownloadFile {
 public:
  DownloadFile() = default;
  // Closes a file still open.
  virtual ~DownloadFile();
  DownloadFile(const DownloadFile&) = delete;
  DownloadFile& operator=(const DownloadFile&) = delete;

  // An empty file at `path`; false when it cannot be made (no such folder, a
  // folder of that name, no room, no right).
  virtual bool create_empty(const std::filesystem::path& path);
  // Opens the file at `path` for writing; false when it cannot be opened.
  virtual bool open_for_writing(const std::filesystem::path& path);
  // Appends the whole block; false when any of it could not be written.
  virtual bool append(std::string_view block);
  // Closes the file; false when the system reports that written data was lost.
  virtual bool close();

 private:
  int m_descriptor = -1;
};

}  // namespace update
