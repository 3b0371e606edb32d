#pragma once
// The image transfer of the products with a QCC Bluetooth chip, once the
// device is in its update mode: begin image (0x05), the image in data reports
// of at most 1019 bytes (0x06; the report whose data end at the image's end
// carries 0x0E instead), end image (0x07) and run loader (0x08). The chip
// writes its image and restarts; the device is waited for until it is back on
// USB, opened into slot 0 again and asked for its result (0x0A), whose answer
// says nothing the host acts on. Every report goes on slot 0, with the bytes
// after its command byte cleared first; each data report waits for its status
// before the next goes, with no pause between them.
//
// The mesh image of the mesh products goes over the 65-byte short reports in
// the same frames: 61 data bytes a report (byte 2 = 0, byte 3 the count),
// never 0x0E.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "transport/hid_channel.h"
#include "update/families/hid_update_steps.h"
#include "update/update_engine.h"

namespace update::families {

// The steps of an image transfer. A failure at step k shows "Cannot get
// status[B][k]" (a mesh image: "[M][k]").
enum class ImageStep : int {
  begin = 0,        // 0x05
  data_write = 1,   // a data report was not taken
  data_status = 2,  // a data report was not acknowledged
  end = 3,          // 0x07
  run_loader = 4,   // 0x08
  reopen = 5,       // the device did not come back after its loader
  result = 6,       // 0x0A
};

// Which image a failure tag names.
enum class ImageTag : char { bluetooth = 'B', mesh = 'M' };
// The failure tag of `step` of `image`: "[B][2]", "[M][5]".
std::string image_step_tag(ImageTag image, ImageStep step);

// Sends the frames of `image` (begin, data, end, run loader) on slot 0 through
// `report`. Nothing when every exchange ended with status 0; otherwise the
// step that failed, with its reason logged.
std::optional<ImageStep> send_image_frames(hid_cmd_report& report, std::span<const std::uint8_t> image);
std::optional<ImageStep> send_image_frames(hid_short_report& report, std::span<const std::uint8_t> image);

// The device has restarted: after `settle`, `open` is tried once a second
// (each try closed again) until it opens, for at most 300 s; then the device
// is opened into slot 0 once more. True when it is open there; false when it
// did not come back, did not open the last time, or the worker was asked to
// stop.
bool reopen_after_restart(UpdateRun& run, std::chrono::milliseconds settle, HidOpen open = hid_open_device);

// Sets the status "<failure prefix>. Cannot get status<code>" (code such as
// "[B][00]") in all 13 languages; update_error_code stays 1.
void show_cannot_get_status(UpdateRun& run, const std::string& code);

// The whole QCC transfer of `image` to the device open in slot 0: the frames,
// the 6 s and the wait for the restarted device, the result query. Nothing
// when the device took the image and answered (it is open in slot 0); the
// exit to leave by otherwise, with "Cannot get status[B][k]" shown (step 5
// leaves by the finish exit, the device being closed already). A stop request
// leaves by close-and-finish with the status as it stood.
std::optional<Exit> qcc_image_transfer(UpdateRun& run, std::span<const std::uint8_t> image);

}  // namespace update::families
