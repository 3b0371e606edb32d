// The device-record decoder (a backup file on the restore page) on any bytes,
// with a save and re-read: a record that decodes is backed up again, reading
// that backup must give the same texts, and saving it once more the same
// bytes, so no value changes or is lost from one backup to the next.
#include <cstddef>
#include <cstdint>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FEXOBluetoothDeviceData decoded;
  try {
    decoded = FEXOBluetoothDeviceData::unarchived_from(platform::Bytes(data, data + size));
  } catch (const platform::ArchiveError&) {
    return 0;
  }

  // an ArchiveError from here on escapes and is a finding
  const platform::Bytes first_save = decoded.archived_bytes();
  const FEXOBluetoothDeviceData again = FEXOBluetoothDeviceData::unarchived_from(first_save);
  FUZZ_CHECK(again.deviceName() == decoded.deviceName());
  for (int index = 0; index < FEXOBluetoothDeviceData::k_speed_dial_count; ++index)
    FUZZ_CHECK(again.speedDialAt(index) == decoded.speedDialAt(index));
  FUZZ_CHECK(again.archived_bytes() == first_save);
  return 0;
}
