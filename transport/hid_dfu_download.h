#pragma once
// Download of a file that ends in a USB DFU file suffix to a device over HID
// feature reports, following the DFU state machine: DNLOAD blocks, GETSTATUS
// polls, CLRSTATUS on error. Works on a hidapi handle the caller opened and
// closes. Progress and errors go to the console.
//
// Feature reports: DNLOAD [0] id 1, [1] request 1, [2..3] block number, [4..5]
// payload length (little-endian), [6..] payload, always 1023 bytes; GETSTATUS
// (read, 7 bytes) [0] id 2, [1] bStatus, [2..4] bwPollTimeout in ms, [5] bState,
// [6] iString; CLRSTATUS [0] id 3, [1] request 4.
#include <hidapi/hidapi.h>

#include <array>
#include <cstddef>
#include <cstdint>

using hid_dfu_report = std::array<unsigned char, 1023>;

namespace transport {
// Payload bytes one DNLOAD report carries.
inline constexpr std::size_t k_hid_dfu_block_payload = 1017;
// DFU states the download tells apart.
inline constexpr std::uint8_t k_dfu_state_app_idle = 0;
inline constexpr std::uint8_t k_dfu_state_idle = 2;
inline constexpr std::uint8_t k_dfu_state_download_busy = 4;
inline constexpr std::uint8_t k_dfu_state_download_idle = 5;
inline constexpr std::uint8_t k_dfu_state_error = 10;
}  // namespace transport

// Sends the file at `path`. 0 on success; -1 no file, short file or invalid
// suffix; -6 CRC mismatch; -7 read error; -8 bad status or state; -12 report
// transfer error; -14 still busy; -15 CLRSTATUS failed; -16 device in error state.
int hid_dfu_download_file(hid_device* handle, const char* path);
// Reads GETSTATUS and keeps its poll time-out. 0, or -12 when the report fails.
int hid_dfu_get_status(hid_device* handle, std::uint8_t& status, std::uint8_t& state);
// Waits until the device is idle or ready for the next block: 0; -8 bad status
// or state, -12 no status within the poll time-out, -14 still busy, -16 error state.
// `final_wait` first sleeps the last poll time-out and allows one round only.
int hid_dfu_wait_status(hid_device* handle, bool final_wait);
// Fills in the header of `report` (payload already at [6..]) for the next block
// of at most `block_payload` bytes and sends it, then lowers `remaining` and
// raises `block_number`. 0, or -12 when the report fails.
int hid_dfu_send_block(hid_device* handle, std::size_t block_payload, hid_dfu_report& report,
                       std::uint32_t& remaining, std::uint16_t& block_number);
// Sends the 2-byte report [3, 0xFF], which makes the device abandon a transfer
// and return to dfuIDLE. 0, or -9 when the report fails.
int hid_dfu_send_ff(hid_device* handle);

// A CRC-32/JAMCRC accumulator per thread, started at 0xFFFFFFFF.
void hid_dfu_crc32_set(std::uint32_t value);
// Adds `length` bytes and returns the accumulated value.
std::uint32_t hid_dfu_crc32_update(const std::uint8_t* data, std::size_t length);
// CRC-16/XMODEM; 0 for a length of 0 or less.
std::uint16_t hid_dfu_crc16(const std::uint8_t* data, int length);
// CRC-16 (polynomial 0x1021, no reflection, no final inversion) from `initial`;
// `initial` for a length of 0, 0 for a negative length.
std::uint16_t hid_dfu_crc16_from(std::uint16_t initial, const std::uint8_t* data, int length);
