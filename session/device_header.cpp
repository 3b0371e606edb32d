#include "session/device_header.h"

#include "platform/format.h"
#include "session/product_images.h"
#include "strings/language.h"
#include "strings/status_texts.h"

namespace session {
namespace {

const strings::LocalizedTexts k_no_device_name = {
    "No device",
    "Aucun appareil",
    "Kein Gerät",
    "Nessun dispositivo",
    "デバイスが",
    "장치 인식",
    "Ningún dispositivo",
    "Geen apparaat",
    "Устройство",
    "无设备",
    "EI laitetta",
    "ŽÁDNÉ zařízení",
    "BRAK urządzenia",
};
const strings::LocalizedTexts k_no_device_version = {
    "recognized",
    "n'est reconnu",
    "erkannt",
    "riconosciuto",
    "ありません",
    "안됨",
    "reconocido",
    "herkend",
    "НЕ Опознано",
    "已识别",
    "Tunnistettu",
    "Rozpoznané",
    "Rozpoznane",
};
const strings::LocalizedTexts k_management_name = {
    "Firmware",
    "Gestion du",
    "Firmware-",
    "Gestione",
    "ファームウェア",
    "펌웨어",
    "Gestión",
    "Firmware",
    "Управление",
    "固件",
    "Laiteohjelmisto",
    "Firmware",
    "Oprogramowanie układowe",
};
const strings::LocalizedTexts k_management_version = {
    "Management",
    "micrologiciel",
    "Management",
    "Firmware",
    "管理",
    "관리",
    "Firmware",
    "Beheer",
    "Прошивкой",
    "管理",
    "Hallinta",
    "Správa",
    "Zarządzanie",
};

// Products whose shown version is the one of module 1 rather than the main one.
bool shows_module1_version(int product_id) {
  switch (product_id) {
    case 0x2030: case 0x3110: case 0x3112: case 0x3114: case 0x3116: case 0x3118: case 0x3124: case 0x3126:
    case 0x3128: case 0x3132: case 0x3134: case 0x3140: case 0x3142: case 0x3144: case 0x3146: case 0x3148:
    case 0x3150: case 0x3152: case 0x3154: case 0x3156: case 0x3161: case 0x3170: case 0x3210: case 0x3211:
    case 0x3212: case 0x3213: case 0x3214: case 0x3215: case 0x3216: case 0x3217: case 0x3218: case 0x3232:
    case 0x3240: case 0x3260: case 0x3264: case 0x3320: case 0x3900: case 0x4210: case 0x4310: case 0x4330:
    case 0x4410: case 0x4430: case 0x4510: case 0x4530: case 0x4610: case 0x5345: case 0x6500: case 0x6510:
      return true;
    default:
      return false;
  }
}

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
  const HeaderVersion shown = shows_module1_version(product_id) ? module1_version(data) : main_version(data);
  std::string line = header_version_text(product_id, shown);
  if (is_two_module_product(product_id)) {
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

bool is_two_module_product(int product_id) {
  switch (product_id) {
    case 0x2030: case 0x4210: case 0x4310: case 0x4330: case 0x4410: case 0x4430: case 0x4510: case 0x4530:
    case 0x4610:
      return true;
    default:
      return false;
  }
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
  if (product_id == 0x4112) return "Kelto! Audio ORBIN2.0";
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
    header.name_line = strings::pick(k_no_device_name, inputs.language);
    header.version_line = strings::pick(k_no_device_version, inputs.language);
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
  header.name_line = strings::pick(k_management_name, inputs.language);
  header.version_line = strings::pick(k_management_version, inputs.language);
  return header;
}

}  // namespace session
