#include "platform/relaunch.h"

#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {
// Polls every 0.2 s until the old process is gone, so the new one reads the
// configuration archive that the old one wrote last.
constexpr char k_relaunch_script[] =
    "while kill -0 \"$1\" 2>/dev/null; do sleep 0.2; done; exec \"$2\"";
}  // namespace

std::filesystem::path executable_path() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path;
}

std::vector<std::string> relaunch_command(pid_t pid, const std::filesystem::path& executable) {
  return {"/bin/sh", "-c", k_relaunch_script, "sh", std::to_string(pid), executable.string()};
}

bool relaunch_after_exit(pid_t pid, const std::filesystem::path& executable) {
  std::vector<std::string> arguments = relaunch_command(pid, executable);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return false;
  // a session of its own: the shell outlives this process and its terminal
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t shell = 0;
  const int result = posix_spawn(&shell, "/bin/sh", nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  return result == 0;
}

}  // namespace platform
