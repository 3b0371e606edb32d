#pragma once
// The HID command bytes that more than one procedure sends, and the report id
// every request starts with. A command only one procedure sends is declared
// beside that procedure. Command reports carry the command at [1]
// (transport/hid_channel.h); language-pack requests carry '<' at [1], their
// command at [2] and its argument at [3].

namespace transport {

// [0] of every command report and language-pack request.
inline constexpr unsigned char k_hid_report_id = 1;

// Command reports.
// No operation: the device answers with its status alone.
inline constexpr unsigned char k_command_status = 0x00;
// The firmware version of the device the slot holds, from [3].
inline constexpr unsigned char k_command_version = 0x01;
// Reads the settings block at [2].
inline constexpr unsigned char k_command_read_block = 0x03;
// Writes the settings block at [2], its word count at [3] and its words from [4].
inline constexpr unsigned char k_command_write_block = 0x04;
// Begins a firmware section (a QCC image, an Airoha block).
inline constexpr unsigned char k_command_begin_section = 0x05;
// One chunk of the section begun with 0x05.
inline constexpr unsigned char k_command_section_data = 0x06;
// Ends the section begun with 0x05.
inline constexpr unsigned char k_command_end_section = 0x07;
// Runs the loader on what was downloaded; the device writes it and restarts.
inline constexpr unsigned char k_command_run_loader = 0x08;
// The outcome of the last section run, once the device is back.
inline constexpr unsigned char k_command_section_result = 0x0A;
// Whether the device is ready to take a download.
inline constexpr unsigned char k_command_readiness = 0x0D;
// The device reboots into its download mode.
inline constexpr unsigned char k_command_enter_download_mode = 0x0E;
// A QCC device hands its USB side to its mesh unit.
inline constexpr unsigned char k_command_qcc_mesh_mode = 0x0F;
// A QCC device, or its mesh unit, goes back to its normal mode.
inline constexpr unsigned char k_command_normal_mode = 0x10;
// Commits the settings block at [2] written with 0x04.
inline constexpr unsigned char k_command_commit_block = 0x11;
// The device's mode at [3]: 0 in its normal mode.
inline constexpr unsigned char k_command_mode = 0x12;
// The camera's disk appears on the computer (camera firmware copy).
inline constexpr unsigned char k_command_camera_disk_on = 0x20;
// The camera's disk leaves the computer; the camera reads what was copied.
inline constexpr unsigned char k_command_camera_disk_off = 0x21;
// Whether the camera's disk is on (1) or off (0).
inline constexpr unsigned char k_command_camera_disk_state = 0x22;
// The device hands its USB side to its mesh unit.
inline constexpr unsigned char k_command_mesh_download = 0x50;
// Checks the CRC over all the data of the sections sent.
inline constexpr unsigned char k_command_verify_all = 0x5B;

// Language-pack requests.
// [1] of every language-pack request.
inline constexpr unsigned char k_lang_pack_marker = '<';
// Reads what the argument names.
inline constexpr unsigned char k_lang_pack_read = 0x03;
// Writes what the argument names.
inline constexpr unsigned char k_lang_pack_write = 0x04;
// Argument: the settings words.
inline constexpr unsigned char k_lang_pack_settings = 0x03;
// Argument: speed dial 1; speed dials 2 and 3 follow.
inline constexpr unsigned char k_lang_pack_first_speed_dial = 0x05;

}  // namespace transport
