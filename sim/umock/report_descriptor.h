#pragma once
// HID report descriptors of the modelled collections, as a device sends them
// and the kernel shows them (sysfs report_descriptor, HIDIOCGRDESC).
#include <cstdint>
#include <span>
#include <vector>

#include "sim/usb_identity.h"

namespace sim::umock {

// The descriptor of one top-level collection.
std::vector<std::uint8_t> report_descriptor(const HidCollection& collection);
// The descriptor of an interface: its collections one after the other.
std::vector<std::uint8_t> report_descriptor(std::span<const HidCollection> collections);

}  // namespace sim::umock
