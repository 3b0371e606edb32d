#pragma once
// What the recognized-device header above the pages shows: a picture, a name
// line and a version line, decided from the controller's recognition state
// and the device record. Free of Qt so that the rules can be tested alone.
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace session {

// One firmware version of a device module.
struct HeaderVersion {
  int major = 0;
  int minor = 0;
  int type = 0;       // secondary version type: 1 release candidate, 2 build number
  int secondary = 0;  // secondary version number
};

// The picture the header shows.
enum class HeaderPicture {
  product,              // the product picture `image` (none when the id has no picture)
  no_device,            // no device recognized: the stop symbol
  firmware_management,  // the device waits in firmware-management mode: the lock symbol
};

struct DeviceHeader {
  HeaderPicture picture = HeaderPicture::no_device;
  std::optional<std::string> image;      // resource file name for HeaderPicture::product
  std::optional<std::string> name_line;  // nullopt: the name line keeps what it shows
  std::string version_line;
};

// Controller state the header depends on.
struct HeaderInputs {
  bool recognized = false;
  int usb_status = 0;  // bit 15 set: firmware-management mode
  int language = 0;
  bool restart_dfu_pending = false;  // an interrupted firmware-management update is to be resumed
  HeaderVersion restart_dfu_version;  // device version recorded with that update
};

// The header for `inputs` and the device record `data`.
DeviceHeader device_header(const HeaderInputs& inputs, const FEXOBluetoothDeviceData& data);

// Picture file of `product_id` (0x4210 picks its EVO picture for sub-model
// codes 16 and 27); nullopt for an id without a picture.
std::optional<std::string> product_image_file_name(int product_id, int division_lm6evo);

// Version text of `product_id` ("v1.2", "v1.2.3", "v1.2rc", "v1.2rc3"; the
// camera 0x3020 reads type.secondary.major.minor).
std::string header_version_text(int product_id, const HeaderVersion& version);

// Device name as the header shows it: a name holding a "." and a blank is cut
// before its last blank ("XA9 1.2.1" shows "XA9"); a missing name is empty.
std::string header_name_text(int product_id, const std::optional<std::string>& device_name);

}  // namespace session
