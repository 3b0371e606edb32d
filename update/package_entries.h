#pragma once
// The package-entry check every flashing procedure makes once its firmware
// package is loaded and before it sends the device anything taken from it:
// each entry the procedure will read must lie whole inside the file, with its
// data (transport/firmware_package.h). A package that fails ends the
// procedure with k_update_error_firmware and "Firmware corrupted".
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>

#include "transport/firmware_package.h"
#include "update/update_engine.h"

namespace update {

// The package's section count n, checked: nothing (with k_update_error_firmware set) when the
// file is shorter than its header or n is negative.
std::optional<std::int32_t> checked_section_count(UpdateRun& run);

// Entries 0 .. min(n, `limit`) - 1 of `table`, then each of `also` (entries
// read whatever n says, such as a camera part). False, with k_update_error_firmware set, when
// any of them is not whole inside the package.
bool check_package_entries(UpdateRun& run, transport::PackageTable table, std::int64_t limit = std::numeric_limits<std::int32_t>::max(),
                           std::initializer_list<std::int64_t> also = {});

}  // namespace update
