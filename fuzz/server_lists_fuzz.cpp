// The scans of the server's "Firmware" and "Revisions" lists on any text, for
// an ordinary product and the camera that writes four version numbers: they
// must not crash, the language pop-up's items must stay parallel to the two
// arrays, every selection must name an item already added, and every file
// name must be a field of the list.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "fuzz/fuzz_check.h"
#include "update/server_lists.h"

namespace {

void check(const update::ListReading& reading, std::string_view text) {
  FUZZ_CHECK(reading.arrLanguageFirmware.size() == reading.arrFileNamesLatestVersion.size());
  FUZZ_CHECK(!reading.popUpChanges.empty() &&
             reading.popUpChanges.front().kind == update::PopUpChange::Kind::remove_all);
  std::size_t items = 0;
  for (std::size_t i = 1; i < reading.popUpChanges.size(); ++i) {
    const update::PopUpChange& change = reading.popUpChanges[i];
    FUZZ_CHECK(change.kind != update::PopUpChange::Kind::remove_all);
    if (change.kind == update::PopUpChange::Kind::add_item) {
      FUZZ_CHECK(change.language == reading.arrLanguageFirmware[items]);
      ++items;
    } else {
      FUZZ_CHECK(change.index >= 0 && static_cast<std::size_t>(change.index) < items);
    }
  }
  FUZZ_CHECK(items == reading.arrLanguageFirmware.size());
  FUZZ_CHECK(reading.selectedLanguageItem < static_cast<int>(items));
  if (reading.fileNameLatestVersion) {
    FUZZ_CHECK(reading.fileNameLatestVersion->find(':') == std::string::npos);
    FUZZ_CHECK(text.find(*reading.fileNameLatestVersion) != std::string_view::npos);
  }
  for (const std::string& file : reading.arrFileNamesLatestVersion) FUZZ_CHECK(text.find(file) != std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const update::ListScanInput k_inputs[] = {
      {0x6020, std::string("Y350_R"), std::string("French")},
      {0x3020, std::string("OPTRA"), std::nullopt},
  };
  FEXOBluetoothDeviceData backup;
  backup.setDeviceVersionMajor_Minor(1, 2);
  backup.setDeviceSecondaryVersionType(1);
  for (const update::ListScanInput& input : k_inputs) {
    backup.setDeviceRecognized(input.product);
    update::ListReading latest;
    update::scan_update_list(text, input, latest);
    update::select_interface_language(std::string("german"), true, latest);
    check(latest, text);
    update::ListReading revision;
    update::scan_restore_list(text, input, backup, revision);
    check(revision, text);
    FUZZ_CHECK(!revision.restorePossible || revision.fileNameLatestVersion);
  }
  return 0;
}
