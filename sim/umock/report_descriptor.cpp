#include "sim/umock/report_descriptor.h"

#include <initializer_list>

namespace sim::umock {

namespace {

// Short items: one prefix byte (tag, type, size) and 0, 1 or 2 data bytes.
class Writer {
 public:
  Writer& item(std::uint8_t prefix, std::initializer_list<std::uint8_t> data = {}) {
    m_bytes.push_back(static_cast<std::uint8_t>(prefix | (data.size() == 2 ? 2 : data.size())));
    m_bytes.insert(m_bytes.end(), data.begin(), data.end());
    return *this;
  }
  Writer& value(std::uint8_t prefix, unsigned value) {
    if (value <= 0xFF) return item(prefix, {static_cast<std::uint8_t>(value)});
    return item(prefix, {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)});
  }
  Writer& usage_page(unsigned page) { return value(0x04, page); }
  Writer& usage(unsigned usage) { return value(0x08, usage); }
  Writer& collection_application() { return item(0xA0, {0x01}); }
  Writer& end_collection() { return item(0xC0); }
  Writer& report_id(unsigned id) { return value(0x84, id); }
  Writer& bytes_of(unsigned count) {
    value(0x14, 0);                 // logical minimum
    item(0x24, {0xFF, 0x00});       // logical maximum 255
    value(0x74, 8);                 // report size: 8 bits
    return value(0x94, count);      // report count
  }
  Writer& input() { return item(0x80, {0x02}); }    // data, variable, absolute
  Writer& output() { return item(0x90, {0x02}); }
  std::vector<std::uint8_t> take() { return std::move(m_bytes); }

 private:
  std::vector<std::uint8_t> m_bytes;
};

// A vendor collection whose output and input reports are plain byte arrays.
std::vector<std::uint8_t> vendor(const HidCollection& collection, unsigned output_id, unsigned output_bytes,
                                 unsigned input_id, unsigned input_bytes) {
  Writer writer;
  writer.usage_page(collection.usage_page).usage(collection.usage).collection_application();
  writer.report_id(output_id).usage(collection.usage).bytes_of(output_bytes).output();
  if (input_id != output_id) writer.report_id(input_id);
  writer.usage(collection.usage).bytes_of(input_bytes).input();
  return writer.end_collection().take();
}

// The boot keyboard: modifier byte, reserved byte, six key codes; five LEDs.
std::vector<std::uint8_t> keyboard(const HidCollection& collection) {
  Writer writer;
  writer.usage_page(collection.usage_page).usage(collection.usage).collection_application();
  writer.usage_page(0x07).value(0x18, 0xE0).value(0x28, 0xE7);  // usage minimum/maximum: modifier keys
  writer.value(0x14, 0).value(0x24, 1).value(0x74, 1).value(0x94, 8).input();
  writer.value(0x94, 1).value(0x74, 8).item(0x80, {0x01});       // reserved byte, constant
  writer.usage_page(0x08).value(0x18, 1).value(0x28, 5);         // LEDs
  writer.value(0x94, 5).value(0x74, 1).output();
  writer.value(0x94, 1).value(0x74, 3).item(0x90, {0x01});       // LED padding, constant
  writer.usage_page(0x07).value(0x18, 0).value(0x28, 0x65);      // key codes
  writer.value(0x14, 0).value(0x24, 0x65).value(0x94, 6).value(0x74, 8).item(0x80, {0x00});
  return writer.end_collection().take();
}

}  // namespace

std::vector<std::uint8_t> report_descriptor(const HidCollection& collection) {
  switch (collection.reports) {
    case HidReports::command:
      return vendor(collection, 1, 1022, 1, 66);
    case HidReports::short_command:
      return vendor(collection, 1, 64, 1, 64);
    case HidReports::language_pack:
      return vendor(collection, 1, 61, 2, 61);
    case HidReports::keyboard:
      return keyboard(collection);
  }
  return {};
}

std::vector<std::uint8_t> report_descriptor(std::span<const HidCollection> collections) {
  std::vector<std::uint8_t> bytes;
  for (const HidCollection& collection : collections) {
    const std::vector<std::uint8_t> one = report_descriptor(collection);
    bytes.insert(bytes.end(), one.begin(), one.end());
  }
  return bytes;
}

}  // namespace sim::umock
