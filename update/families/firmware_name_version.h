#pragma once
// The firmware version a package file's name tells, as the maker names its
// files: "<model>_v<major>.<minor>[.<secondary>][_<language>].img", for
// example "LM6_v1.7.5_fr.img". The LM6 ZOD update reads it to refuse firmware
// older than its oldest supported version; the mesh updates read the language.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace update::families {

struct FileNameVersion {
  std::int32_t major = 0;
  std::int32_t minor = 0;
  std::int32_t secondary = 0;
};

// The version in the last "/"-separated component of `path`: the first ".img"
// is removed; when the last three characters hold "_" or "-" they are the
// voice-prompt language suffix and dropped (a name shorter than three has
// none); the text after the first "v" is split at ".": two parts are major and
// minor (secondary 0), three are major, minor and secondary, any other count
// reads as 0.0.0. Each part is the integer at its start (platform::int_value).
// Nothing when no "v" is left: the name tells no version.
std::optional<FileNameVersion> firmware_version_from_file_name(std::string_view path);

// The voice-prompt language suffix of the name in `path` (the first ".img"
// removed): the text after the "_" (else "-") among its last three
// characters, "fr" in "ND4_fr.img". Nothing when neither stands there, or the
// name is shorter than three characters.
std::optional<std::string> language_suffix_from_file_name(std::string_view path);

}  // namespace update::families
