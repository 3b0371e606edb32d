#pragma once
// A camera's memory card as the host sees it while the camera's disk is on: a
// temporary folder that the process publishes as a mounted volume
// (platform/volumes.h), removable, writable and unmountable, so the
// manager's search for a camera's disk finds it. The disk can appear after a
// delay and vanish at a set time or when unmounted, while a procedure runs,
// and it can act as a faulty card does with the files written onto it.
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// What the card does to a file the host moves onto it or reads back.
struct CameraDiskFaults {
  bool changes_moved_file = false;   // the moved file has one byte changed
  bool shortens_moved_file = false;  // the moved file loses its last byte
  bool loses_moved_file = false;     // the moved file is gone (it cannot be opened)
  bool grows_after_read = false;     // a file read to its end gains a byte afterwards
  // Once a file is moved onto the card a folder (not empty) stands under this
  // name, so nothing can remove it as a file.
  std::optional<std::string> folder_after_move{};
};

class CameraDisk {
 public:
  CameraDisk();
  // Withdraws the volume and removes the folder with everything in it.
  ~CameraDisk();
  CameraDisk(const CameraDisk&) = delete;
  CameraDisk& operator=(const CameraDisk&) = delete;

  // The folder that stands for the card (without a trailing "/").
  const std::filesystem::path& folder() const { return m_folder; }

  // Shows the folder as a mounted volume `appears_after` from now on the
  // platform clock, until unmounted or, with `vanishes_after`, until that
  // long from now.
  void mount(std::chrono::milliseconds appears_after = std::chrono::milliseconds(0),
             std::optional<std::chrono::milliseconds> vanishes_after = std::nullopt);
  void unmount();
  // Whether the volume is listed now.
  bool mounted() const;

  void set_faults(const CameraDiskFaults& faults);
  CameraDiskFaults faults() const;

  // Files on the card, by paths relative to it.
  void write(const std::string& name, const std::string& text) const;
  void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  std::optional<std::vector<std::uint8_t>> read(const std::string& name) const;
  std::optional<std::string> read_text(const std::string& name) const;
  bool holds(const std::string& name) const;
  void remove(const std::string& name) const;
  // The relative paths of every regular file on the card, sorted.
  std::vector<std::string> files() const;

 private:
  struct Shared;
  std::filesystem::path m_folder;
  std::shared_ptr<Shared> m_shared;
};

}  // namespace sim
