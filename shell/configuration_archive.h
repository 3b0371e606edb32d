#pragma once
// The configuration archive the controller writes at every termination and
// reads at start-up: its values and their keys. Free of Qt so that the decoder
// can be tested and fuzzed alone.
#include <optional>
#include <string>

#include "platform/keyed_archive.h"

namespace shell {

// Values a configuration archive carries; absent keys read nil, 0 or NO.
struct ArchivedConfiguration {
  std::optional<std::string> strManagerVersion;
  std::optional<std::string> strLanguageManager;
  bool applyToLanguageFirmware = false;
  int deviceTarget = 0;
  bool restartToRecover = false;
  int modeRestartToRecover = 0;
  // the interrupted firmware-management update and its device version; written
  // only while a firmware file is named
  std::optional<std::string> strRestartDFUFirmwareFile;
  int indexRestartDFUFirmwareLanguage = 0;
  int deviceVersionMajorRestartDFU = 0;
  int deviceVersionMinorRestartDFU = 0;
  int deviceSecondaryVersionTypeRestartDFU = 0;
  int deviceSecondaryVersionRestartDFU = 0;
  std::optional<std::string> strLanguageFirmware;

  bool operator==(const ArchivedConfiguration&) const = default;
};

// Class record of the archived controller.
const platform::ArchiveClass& configuration_archive_class();

// Writes the keys of `configuration` in their fixed order.
void encode_configuration(platform::KeyedArchiver& coder, const ArchivedConfiguration& configuration);

// The archived values; throws platform::ArchiveError on a key of the wrong type.
ArchivedConfiguration decode_configuration(const platform::KeyedUnarchiver& coder);

}  // namespace shell
