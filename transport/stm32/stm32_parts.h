#pragma once
// STM32 parts the bootloader client knows, by the 12-bit product id that GET ID
// answers (the DEV_ID of the part's debug MCU identity code).
#include <cstdint>
#include <span>

namespace stm32 {

struct Part {
  std::uint16_t product_id;
  const char* name;
  std::uint32_t flash_start;
  std::uint32_t flash_end;  // one past the last byte
  // Sizes of the erase units from the flash start in bytes; the last one
  // repeats to the flash end.
  std::span<const std::uint32_t> page_sizes;
  // The bootloader has no mass erase: erase every page instead.
  bool page_wise_erase;
};

// Every known part.
std::span<const Part> parts();
// The part with `product_id`, or nullptr.
const Part* find_part(std::uint16_t product_id);
// Number of erase units from the flash start up to `address` (0 outside the flash).
std::uint32_t page_index(const Part& part, std::uint32_t address);
// Number of erase units in the whole flash.
std::uint32_t page_count(const Part& part);

}  // namespace stm32
