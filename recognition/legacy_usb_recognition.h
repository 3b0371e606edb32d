#pragma once
// Recognition over legacy USB: the older headsets built on a BlueCore radio
// have no HID command channel and are reached through the BlueCore
// persistent-store channel (transport/bluecore_channel.h). For each opened
// device the worker identifies the product, checks a camera's storage,
// rewrites the radio power table where needed, writes backed-up settings after
// a restore, reads the settings into the record and decides the result; a
// device in firmware-management mode is accepted with a warning.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "recognition/ps_key_decoding.h"
#include "session/app_state.h"
#include "transport/transport_message.h"

namespace recognition {

class RecognitionHandOff;
class RecognitionRun;

class LegacyUsbRecognition {
 public:
  // `run` gives the success texts and the tabs; `message` is the run's transport message,
  // which the opens fill.
  LegacyUsbRecognition(const RecognitionRun& run, session::AppState& controller, RecognitionHandOff& hand_off,
                       const std::optional<FEXOBluetoothDeviceData>& info, transport_message& message);

  // Opens the devices (first the DFU pass while the page's isFirst flag is set,
  // then the HCI pass, 20 tries each) and runs the device loop. Returns the
  // code of a failed open, -5 when the second device of a pair is not the same
  // unit (the run then ends in the open failure with that code), or 0 when the
  // loop ran (its result handed over, or none for a loop that set none).
  int run();
  // The device loop over the ids the open stored; ends with the devices closed
  // and the result handed over. Returns 0, or -5 for a pair mismatch.
  int device_loop(const std::array<std::uint32_t, 2>& opened_ids);

 private:
  // What one device answered.
  struct Reading {
    std::int32_t product = 0;
    std::array<std::uint8_t, 8> address{};
    std::string name;
    std::uint32_t major = 0, minor = 0, secondary_type = 0, secondary = 0;
    LegacySettings settings{};
  };

  // How the loop over the devices ended: the result it set (none: 0), or a
  // pair whose second device is another unit.
  struct LoopEnd {
    int result = 0;
    bool mismatch = false;
  };
  LoopEnd visit_devices(const std::array<std::uint32_t, 2>& opened_ids);
  // Identifies one device, rewrites its power table, restores a backup and
  // reads its settings into `reading`: false when the loop stops (the camera's
  // storage is missing, or a restore write failed).
  bool read_device(std::uint32_t opened_id, Reading& reading);
  void read_settings(Reading& reading);
  // Key 49 again with table F for 0x4D35 and 0x4D55 units outside the address range.
  void write_second_power_table();
  // Puts the reading into the record; the first device of a pair leaves out
  // the manager version and the speed dials.
  void fill_record(const Reading& reading, bool first_of_pair);
  // The second device of a pair is the second interface of the same unit.
  bool same_unit(std::uint32_t first_id, std::uint32_t opened_id, const Reading& reading) const;
  void firmware_management_exit(std::uint32_t opened_id);
  // Fills the 13 status texts with `text(language)` and marks the warning.
  template <class Text>
  void warn_with(Text text);

  const RecognitionRun& m_run;
  session::AppState& m_controller;
  RecognitionHandOff& m_hand_off;
  const std::optional<FEXOBluetoothDeviceData>& m_info;
  transport_message& m_message;
};

}  // namespace recognition
