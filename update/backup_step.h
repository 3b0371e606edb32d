#pragma once
// The backup archive written before a device is flashed: the settings that
// recognition read, archived as one device record in
// "<internal product name>.vylaarch" in the application folder, so that a
// later restore can write them back. Every flashing procedure calls the step
// once its firmware check has passed and before the first byte goes to the
// device. Only the update page writes one; the restore page flashes the
// backed-up version and keeps the archive it came from.
#include <filesystem>
#include <optional>

#include "update/update_engine.h"

namespace update {

enum class BackupTest {
  none,
  // The USB DFU procedure: a device already in firmware-management mode
  // (usbStatus 0x8000 or above) had no settings read, so it gets no archive.
  skip_in_firmware_management,
};

// The archive of `product`: application folder / "<internal name>.vylaarch";
// nothing for a product without an internal name.
std::optional<std::filesystem::path> backup_archive_path(int product);

// Writes the archive of the selected product (deviceTarget). The file is
// replaced whole or not at all, so a failed write leaves the previous backup
// as it was. When it cannot be written the backup_failed box asks the user, and
// the worker waits for the answer: OK flashes without a backup (the next
// attempt asks again), any other answer sets "Cannot make backup firmware".
// True: go on flashing; false: take the failure exit (the status is set).
bool backup_before_flashing(UpdateRun& run, BackupTest test = BackupTest::none);

}  // namespace update
