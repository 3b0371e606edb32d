// The configuration-archive decoder on any bytes, with a save and re-read: a
// configuration that decodes is written as the manager writes it at
// termination, and reading that back must give the same values, and saving
// those the same bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "shell/configuration_archive.h"

namespace {

platform::Bytes saved(const shell::ArchivedConfiguration& configuration) {
  return platform::KeyedArchiver::archive_root(
      shell::configuration_archive_class(),
      [&configuration](platform::KeyedArchiver& coder) { shell::encode_configuration(coder, configuration); });
}

shell::ArchivedConfiguration reread(const platform::Bytes& bytes) {
  return shell::decode_configuration(platform::KeyedUnarchiver::open_root(bytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  shell::ArchivedConfiguration decoded;
  try {
    decoded = reread(platform::Bytes(data, data + size));
  } catch (const platform::ArchiveError&) {
    return 0;
  }

  // the interrupted update is saved only while it names a firmware file
  shell::ArchivedConfiguration expected = decoded;
  if (!expected.strRestartDFUFirmwareFile || expected.strRestartDFUFirmwareFile->empty()) {
    expected.strRestartDFUFirmwareFile.reset();
    expected.indexRestartDFUFirmwareLanguage = 0;
    expected.deviceVersionMajorRestartDFU = 0;
    expected.deviceVersionMinorRestartDFU = 0;
    expected.deviceSecondaryVersionTypeRestartDFU = 0;
    expected.deviceSecondaryVersionRestartDFU = 0;
  }

  // an ArchiveError from here on escapes and is a finding
  const platform::Bytes first_save = saved(decoded);
  const shell::ArchivedConfiguration again = reread(first_save);
  FUZZ_CHECK(again == expected);
  FUZZ_CHECK(saved(again) == first_save);
  return 0;
}
