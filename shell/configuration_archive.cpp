#include "shell/configuration_archive.h"

namespace shell {

const platform::ArchiveClass& configuration_archive_class() {
  static const platform::ArchiveClass k_cls{"FEXOBluetoothManagerAppController",
                                          {"FEXOBluetoothManagerAppController", "NSObject"}};
  return k_cls;
}

void encode_configuration(platform::KeyedArchiver& coder, const ArchivedConfiguration& configuration) {
  // a constant marker: nothing in the archive is enciphered
  coder.encode_bool("keyEncrypted", true);
  coder.encode_string("keyStrManagerVersion", configuration.strManagerVersion);
  coder.encode_string("keyStrLanguageManager", configuration.strLanguageManager);
  coder.encode_bool("keyApplyToLanguageFirmware", configuration.applyToLanguageFirmware);
  coder.encode_int("keyDeviceTarget", configuration.deviceTarget);
  coder.encode_bool("keyRestartToRecover", configuration.restartToRecover);
  coder.encode_int("keyModeRestartToRecover", configuration.modeRestartToRecover);
  coder.encode_string("keyStrLanguageFirmware", configuration.strLanguageFirmware);
  const std::optional<std::string>& file = configuration.strRestartDFUFirmwareFile;
  if (file && !file->empty()) {
    coder.encode_string("keyStrRestartDFUFirmwareFile", file);
    coder.encode_int("keyIndexRestartDFUFirmwareLanguage", configuration.indexRestartDFUFirmwareLanguage);
    coder.encode_int("keyDeviceVersionMajorRestartDFU", configuration.deviceVersionMajorRestartDFU);
    coder.encode_int("keyDeviceVersionMinorRestartDFU", configuration.deviceVersionMinorRestartDFU);
    coder.encode_int("keyDeviceSecondaryVersionTypeRestartDFU", configuration.deviceSecondaryVersionTypeRestartDFU);
    coder.encode_int("keyDeviceSecondaryVersionRestartDFU", configuration.deviceSecondaryVersionRestartDFU);
  }
}

ArchivedConfiguration decode_configuration(const platform::KeyedUnarchiver& coder) {
  ArchivedConfiguration archived;
  if (coder.contains("keyEncrypted")) coder.decode_bool("keyEncrypted");
  archived.strManagerVersion = coder.decode_string("keyStrManagerVersion");
  archived.strLanguageManager = coder.decode_string("keyStrLanguageManager");
  archived.applyToLanguageFirmware = coder.decode_bool("keyApplyToLanguageFirmware");
  archived.deviceTarget = coder.decode_int32("keyDeviceTarget");
  archived.restartToRecover = coder.decode_bool("keyRestartToRecover");
  archived.modeRestartToRecover = coder.decode_int32("keyModeRestartToRecover");
  archived.strRestartDFUFirmwareFile = coder.decode_string("keyStrRestartDFUFirmwareFile");
  archived.indexRestartDFUFirmwareLanguage = coder.decode_int32("keyIndexRestartDFUFirmwareLanguage");
  archived.deviceVersionMajorRestartDFU = coder.decode_int32("keyDeviceVersionMajorRestartDFU");
  archived.deviceVersionMinorRestartDFU = coder.decode_int32("keyDeviceVersionMinorRestartDFU");
  archived.deviceSecondaryVersionTypeRestartDFU = coder.decode_int32("keyDeviceSecondaryVersionTypeRestartDFU");
  archived.deviceSecondaryVersionRestartDFU = coder.decode_int32("keyDeviceSecondaryVersionRestartDFU");
  archived.strLanguageFirmware = coder.decode_string("keyStrLanguageFirmware");
  return archived;
}

}  // namespace shell
