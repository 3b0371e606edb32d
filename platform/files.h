#pragma once
// The application folder and safe file writing.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// $VEXLINK_APP_FOLDER, else $XDG_DATA_HOME/Vexlink Setwise, else
// ~/.local/share/Vexlink Setwise; created on first use.
std::filesystem::path application_folder();

// Writes `bytes` to a temporary file in the same folder (".<name>.tmp<digits>"),
// flushes it to disk and renames it over `path`, so the old file survives any
// failure. Temporary files of `path` that a killed save left behind are
// removed first. Returns false (and leaves the old file) when any step fails.
bool write_file_atomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
bool write_file_atomically(const std::filesystem::path& path, const std::string& text);

// The whole file, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> read_file(const std::filesystem::path& path);

}  // namespace platform
