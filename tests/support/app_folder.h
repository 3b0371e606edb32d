#pragma once
// A fresh application folder per test, and configuration archives written
// into it, for tests that start the application controller.
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/keyed_archive.h"
#include "shell/FEXOBluetoothManagerAppController.h"

namespace test_support {

// Creates an empty folder /tmp/<prefix>-XXXXXX and points $VEXLINK_APP_FOLDER
// at it; returns its path.
inline std::string enter_new_app_folder(const std::string& prefix) {
  std::string pattern = "/tmp/" + prefix + "-XXXXXX";
  const std::string folder = ::mkdtemp(pattern.data());
  ::setenv("VEXLINK_APP_FOLDER", folder.c_str(), 1);
  return folder;
}

// Unsets $VEXLINK_APP_FOLDER and removes `folder` with everything in it.
inline void leave_app_folder(const std::string& folder) {
  ::unsetenv("VEXLINK_APP_FOLDER");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

// Writes a configuration archive whose root carries the keys `encode` writes.
inline void write_configuration_archive(const platform::KeyedArchiver::Encode& encode) {
  platform::write_file_atomically(
      FEXOBluetoothManagerAppController::configuration_file_path(),
      platform::KeyedArchiver::archive_root(FEXOBluetoothManagerAppController::archive_class(), encode));
}

}  // namespace test_support
