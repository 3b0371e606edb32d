#include "transport/stm32/stm32_parts.h"

#include <algorithm>

namespace stm32 {

namespace {

constexpr std::uint32_t k_flash = 0x08000000;
constexpr std::uint32_t k_kib = 1024;

constexpr std::uint32_t k_pages_128[] = {128};
constexpr std::uint32_t k_pages_256[] = {256};
constexpr std::uint32_t k_pages_1k[] = {1 * k_kib};
constexpr std::uint32_t k_pages_2k[] = {2 * k_kib};
// F2 and F4 sectors: four of 16 KiB, one of 64 KiB, then 128 KiB.
constexpr std::uint32_t k_sectors_f4[] = {16 * k_kib, 16 * k_kib, 16 * k_kib, 16 * k_kib, 64 * k_kib, 128 * k_kib};
// Dual-bank F42x/F43x and F469/F479: each 1 MiB bank is laid out as the F4 flash.
constexpr std::uint32_t k_sectors_f4_dual[] = {
    16 * k_kib,  16 * k_kib,  16 * k_kib,  16 * k_kib,  64 * k_kib,  128 * k_kib, 128 * k_kib, 128 * k_kib,
    128 * k_kib, 128 * k_kib, 128 * k_kib, 128 * k_kib, 16 * k_kib,  16 * k_kib,  16 * k_kib,  16 * k_kib,
    64 * k_kib,  128 * k_kib};
// F74x/F75x sectors: four of 32 KiB, one of 128 KiB, then 256 KiB.
constexpr std::uint32_t k_sectors_f7[] = {32 * k_kib, 32 * k_kib, 32 * k_kib, 32 * k_kib, 128 * k_kib, 256 * k_kib};

// Flash ranges of the largest member of each line, from the reference manuals
// and the system-memory boot-mode application note.
constexpr Part k_parts[] = {
    {0x440, "STM32F030x8/F05xxx", k_flash, k_flash + 64 * k_kib, k_pages_1k, false},
    {0x442, "STM32F030xC/F09xxx", k_flash, k_flash + 256 * k_kib, k_pages_2k, false},
    {0x444, "STM32F03xx4/6", k_flash, k_flash + 32 * k_kib, k_pages_1k, false},
    {0x445, "STM32F04xxx/F070x6", k_flash, k_flash + 32 * k_kib, k_pages_1k, false},
    {0x448, "STM32F070xB/F071xx/F72xx", k_flash, k_flash + 128 * k_kib, k_pages_2k, false},
    {0x412, "STM32F10xxx Low-density", k_flash, k_flash + 32 * k_kib, k_pages_1k, false},
    {0x410, "STM32F10xxx Medium-density", k_flash, k_flash + 128 * k_kib, k_pages_1k, false},
    {0x414, "STM32F10xxx High-density", k_flash, k_flash + 512 * k_kib, k_pages_2k, false},
    {0x420, "STM32F10xxx Medium-density VL", k_flash, k_flash + 128 * k_kib, k_pages_1k, false},
    {0x428, "STM32F10xxx High-density VL", k_flash, k_flash + 512 * k_kib, k_pages_2k, false},
    {0x418, "STM32F105xx/F107xx", k_flash, k_flash + 256 * k_kib, k_pages_2k, false},
    {0x430, "STM32F10xxx XL-density", k_flash, k_flash + 1024 * k_kib, k_pages_2k, false},
    {0x411, "STM32F2xxxx", k_flash, k_flash + 1024 * k_kib, k_sectors_f4, false},
    {0x432, "STM32F373xx/F378xx", k_flash, k_flash + 256 * k_kib, k_pages_2k, false},
    {0x422, "STM32F302xB(C)/F303xB(C)/F358xx", k_flash, k_flash + 256 * k_kib, k_pages_2k, false},
    {0x439, "STM32F301xx/F302x4(6/8)/F318xx", k_flash, k_flash + 64 * k_kib, k_pages_2k, false},
    {0x438, "STM32F303x4(6/8)/F334xx/F328xx", k_flash, k_flash + 64 * k_kib, k_pages_2k, false},
    {0x446, "STM32F302xD(E)/F303xD(E)/F398xx", k_flash, k_flash + 512 * k_kib, k_pages_2k, false},
    {0x413, "STM32F40xxx/41xxx", k_flash, k_flash + 1024 * k_kib, k_sectors_f4, false},
    {0x419, "STM32F42xxx/43xxx", k_flash, k_flash + 2048 * k_kib, k_sectors_f4_dual, false},
    {0x423, "STM32F401xB(C)", k_flash, k_flash + 256 * k_kib, k_sectors_f4, false},
    {0x433, "STM32F401xD(E)", k_flash, k_flash + 512 * k_kib, k_sectors_f4, false},
    {0x458, "STM32F410xx", k_flash, k_flash + 128 * k_kib, k_sectors_f4, false},
    {0x431, "STM32F411xx", k_flash, k_flash + 512 * k_kib, k_sectors_f4, false},
    {0x421, "STM32F446xx", k_flash, k_flash + 512 * k_kib, k_sectors_f4, false},
    {0x434, "STM32F469xx", k_flash, k_flash + 2048 * k_kib, k_sectors_f4_dual, false},
    {0x449, "STM32F74xxx/75xxx", k_flash, k_flash + 1024 * k_kib, k_sectors_f7, false},
    // the L0 and L1 bootloaders erase page by page only
    {0x425, "STM32L031xx/041xx", k_flash, k_flash + 32 * k_kib, k_pages_128, true},
    {0x417, "STM32L05xxx/06xxx", k_flash, k_flash + 64 * k_kib, k_pages_128, true},
    {0x447, "STM32L07xxx/08xxx", k_flash, k_flash + 192 * k_kib, k_pages_128, true},
    {0x416, "STM32L1xxx6(8/B)", k_flash, k_flash + 128 * k_kib, k_pages_256, true},
    {0x429, "STM32L1xxx6(8/B)A", k_flash, k_flash + 128 * k_kib, k_pages_256, true},
    {0x427, "STM32L1xxxC", k_flash, k_flash + 256 * k_kib, k_pages_256, true},
    {0x436, "STM32L1xxxD", k_flash, k_flash + 384 * k_kib, k_pages_256, true},
    {0x437, "STM32L1xxxE", k_flash, k_flash + 512 * k_kib, k_pages_256, true},
    {0x415, "STM32L476xx/486xx", k_flash, k_flash + 1024 * k_kib, k_pages_2k, false},
    {0x9A8, "STM32W-128K", k_flash, k_flash + 128 * k_kib, k_pages_1k, false},
    {0x9B0, "STM32W-256K", k_flash, k_flash + 256 * k_kib, k_pages_2k, false},
};
static_assert(std::size(k_parts) == 38);

std::uint32_t unit_size(const Part& part, std::uint32_t index) {
  return part.page_sizes[std::min<std::size_t>(index, part.page_sizes.size() - 1)];
}

}  // namespace

std::span<const Part> parts() { return k_parts; }

const Part* find_part(std::uint16_t product_id) {
  for (const Part& part : k_parts) {
    if (part.product_id == product_id) return &part;
  }
  return nullptr;
}

std::uint32_t page_index(const Part& part, std::uint32_t address) {
  if (address < part.flash_start || address >= part.flash_end) return 0;
  std::uint32_t index = 0;
  for (std::uint32_t start = part.flash_start; start + unit_size(part, index) <= address; ++index) {
    start += unit_size(part, index);
  }
  return index;
}

std::uint32_t page_count(const Part& part) {
  std::uint32_t index = 0;
  for (std::uint64_t start = part.flash_start; start < part.flash_end; ++index) start += unit_size(part, index);
  return index;
}

}  // namespace stm32
