#include "update/families/firmware_name_version.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/int_value.h"

namespace update::families {

namespace {

constexpr std::string_view k_extension = ".img";
constexpr std::size_t k_language_suffix = 3;

std::vector<std::string_view> split_at_dots(std::string_view text) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t dot = text.find('.');
    parts.push_back(text.substr(0, dot));
    if (dot == std::string_view::npos) return parts;
    text.remove_prefix(dot + 1);
  }
}

// The last "/"-separated component of `path` without its first ".img".
std::string name_without_extension(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
  if (const std::size_t extension = name.find(k_extension); extension != std::string::npos) {
    name.erase(extension, k_extension.size());
  }
  return name;
}

// Where the language mark ("_", else "-") stands in the name's last three
// characters; nothing without one, or for a name shorter than three.
std::optional<std::size_t> language_mark(std::string_view name) {
  if (name.size() < k_language_suffix) return std::nullopt;
  const std::string_view last = name.substr(name.size() - k_language_suffix);
  std::size_t mark = last.find('_');
  if (mark == std::string_view::npos) mark = last.find('-');
  if (mark == std::string_view::npos) return std::nullopt;
  return name.size() - k_language_suffix + mark;
}

}  // namespace

std::optional<std::string> language_suffix_from_file_name(std::string_view path) {
  const std::string name = name_without_extension(path);
  const std::optional<std::size_t> mark = language_mark(name);
  if (!mark) return std::nullopt;
  return name.substr(*mark + 1);
}

std::optional<FileNameVersion> firmware_version_from_file_name(std::string_view path) {
  std::string name = name_without_extension(path);
  if (language_mark(name)) name.resize(name.size() - k_language_suffix);
  const std::size_t v = name.find('v');
  if (v == std::string::npos) return std::nullopt;

  const std::vector<std::string_view> parts = split_at_dots(std::string_view(name).substr(v + 1));
  FileNameVersion version;
  if (parts.size() == 2 || parts.size() == 3) {
    version.major = platform::int_value(parts[0]);
    version.minor = platform::int_value(parts[1]);
    if (parts.size() == 3) version.secondary = platform::int_value(parts[2]);
  }
  return version;
}

}  // namespace update::families
