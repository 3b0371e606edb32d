#include "session/device_header.h"

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "strings/device_header_texts.h"
#include "strings/status_texts.h"

namespace session {
namespace {

HeaderVersion main_version(const FEXOBluetoothDeviceData& data) {
  return {data.deviceVersionMajor(), data.deviceVersionMinor(), data.deviceSecondaryVersionType(),
          data.deviceSecondaryVersion()};
}
HeaderVersion module1_version(const FEXOBluetoothDeviceData& data) {
  return {data.deviceVersionMajor01(), data.deviceVersionMinor01(), data.deviceSecondaryVersionType01(),
          data.deviceSecondaryVersion01()};
}
HeaderVersion module2_version(const FEXOBluetoothDeviceData& data) {
  return {data.deviceVersionMajor02(), data.deviceVersionMinor02(), data.deviceSecondaryVersionType02(),
          data.deviceSecondaryVersion02()};
}

int compare_versions(const HeaderVersion& a, const HeaderVersion& b) {
  return FEXOBluetoothDeviceData::
      compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
          a.major, a.minor, a.type, a.secondary, b.major, b.minor, b.type, b.secondary);
}

// The version line of a device in normal mode, with module 2 appended when
// it differs from module 1.
std::string version_line(int product_id, const FEXOBluetoothDeviceData& data) {
  const device_data::ProductFacts& facts = device_data::product_facts(product_id);
  const HeaderVersion shown =
      facts.header_version == device_data::HeaderVersionSource::module1 ? module1_version(data) : main_version(data);
  std::string line = header_version_text(product_id, shown);
  if (facts.two_modules) {
    const HeaderVersion second = module2_version(data);
    if (compare_versions(shown, second) != 0) line += " / " + header_version_text(product_id, second);
  } else if (product_id == 0x5345) {
    // the secondary types of this product's modules carry no meaning: both count as build numbers
    HeaderVersion first = shown, second = module2_version(data);
    first.type = second.type = 2;
    if (compare_versions(first, second) != 0) {
      line += platform::format(" / v%d.%d.%d", second.major, second.minor, second.secondary);
    }
  }
  return line;
}

}  // namespace

std::optional<std::string> product_image_file_name(int product_id, int division_lm6evo) {
  // the ZOD sub-models of the LM6 have a picture of their own
  if (product_id == device_data::k_lm6_product && device_data::is_lm6_zod_sub_model(division_lm6evo)) {
    return "lm6evo.png";
  }
  const char* picture = device_data::product_facts(product_id).header_picture;
  if (!picture) return std::nullopt;
  return std::string(picture);
}

std::string header_version_text(int product_id, const HeaderVersion& v) {
  if (product_id == 0x3020) return platform::format("v%d.%d.%d.%d", v.type, v.secondary, v.major, v.minor);
  if (product_id == 0x5345) return platform::format("v%d.%d.%d", v.major, v.minor, v.secondary);
  if (v.type == 2) {
    return v.secondary != 0 ? platform::format("v%d.%d.%d", v.major, v.minor, v.secondary)
                            : platform::format("v%d.%d", v.major, v.minor);
  }
  if (v.type == 1) {
    return v.secondary != 0 ? platform::format("v%d.%drc%d", v.major, v.minor, v.secondary)
                            : platform::format("v%d.%drc", v.major, v.minor);
  }
  return platform::format("v%d.%d", v.major, v.minor);
}

std::string header_name_text(int product_id, const std::optional<std::string>& device_name) {
  if (const char* fixed = device_data::product_facts(product_id).header_name) return fixed;
  std::string name = device_name.value_or(std::string());
  if (name.rfind('.') != std::string::npos) {
    const size_t last_blank = name.rfind(' ');
    if (last_blank != std::string::npos) name.resize(last_blank);
  }
  return name;
}

DeviceHeader device_header(const HeaderInputs& inputs, const FEXOBluetoothDeviceData& data) {
  DeviceHeader header;
  // While no device is recognized the record may be in the middle of being
  // filled by the recognition worker: don't read it.
  if (!inputs.recognized) {
    header.picture = HeaderPicture::no_device;
    header.name_line = strings::header_no_device_name(inputs.language);
    header.version_line = strings::header_no_device_version(inputs.language);
    return header;
  }
  const int product_id = data.deviceRecognized();
  if (inputs.usb_status < strings::k_usb_firmware_management) {
    header.picture = HeaderPicture::product;
    header.image = product_image_file_name(product_id, data.divisionLM6evoValue());
    header.name_line = header_name_text(product_id, data.deviceName());
    header.version_line = version_line(product_id, data);
    return header;
  }
  if (inputs.restart_dfu_pending) {
    // resuming an interrupted update: only the camera knows which version it is getting
    header.picture = HeaderPicture::product;
    header.image = product_image_file_name(product_id, data.divisionLM6evoValue());
    if (product_id == 0x3020) {
      header.name_line = "Fexo Optra";
      header.version_line = header_version_text(0x3020, inputs.restart_dfu_version);
    }
    return header;
  }
  header.picture = HeaderPicture::firmware_management;
  header.name_line = strings::header_management_name(inputs.language);
  header.version_line = strings::header_management_version(inputs.language);
  return header;
}

}  // namespace session
