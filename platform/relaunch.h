#pragma once
// Starting the application again once this process has ended.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// Path of the running executable (/proc/self/exe); empty when unknown.
std::filesystem::path executable_path();

// Arguments of the shell that waits for process `pid` to end and then starts
// `executable`: /bin/sh -c <script> sh <pid> <executable>. The path is one
// argument whatever it contains.
std::vector<std::string> relaunch_command(pid_t pid, const std::filesystem::path& executable);

// Starts relaunch_command() detached (its own session, no wait) and returns at
// once. False when the shell could not be started.
bool relaunch_after_exit(pid_t pid, const std::filesystem::path& executable);

}  // namespace platform
