#pragma once
// The application folder and safe file writing.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
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

// ---- files on a removable disk, where a file is created and then moved ----

// Whether anything (file, folder) exists at `path`; false when it cannot be told.
bool file_exists(const std::filesystem::path& path);
// Removes the file at `path`; false when it is still there.
bool remove_file(const std::filesystem::path& path);
// Creates (or empties) the file at `path` with `bytes`, in one write from the
// caller's buffer, flushed to the medium before it returns.
bool create_file(const std::filesystem::path& path, std::span<const uint8_t> bytes);
// Renames `from` to `to` on the same volume, replacing a file there; the new
// name is flushed to the medium.
bool move_file(const std::filesystem::path& from, const std::filesystem::path& to);
// Size in bytes of the regular file at `path`.
std::optional<std::uintmax_t> file_size(const std::filesystem::path& path);
// The file as text when it is readable and well-formed UTF-8, else nothing.
std::optional<std::string> read_text_file(const std::filesystem::path& path);

enum class BlockReading { done, cannot_open, read_error };
// Reads the regular file at `path` into `buffer` block by block, giving each
// block (the last may be shorter) to `take`, until its end.
BlockReading read_file_in_blocks(const std::filesystem::path& path, std::span<uint8_t> buffer,
                                 const std::function<void(std::span<const uint8_t> block)>& take);

}  // namespace platform
