#pragma once
// What one recognition sends the simulated devices, by command byte (as
// test_support::commands_received gives them).
#include <vector>

namespace test_support {

// The default product 0x6020: name block 0x1D, version, address; the settings
// word (0x04) and VOX (0x12) blocks announced and read; the FM block; the
// speed dials 0x5A-0x5C announced and read.
inline const std::vector<int> k_one_run_of_6020 = {0x03, 0x01, 0x02, 0x10, 0x10, 0x03, 0x03,
                                                   0x03, 0x10, 0x10, 0x10, 0x03, 0x03, 0x03};

// 0x6038: mode probe, FM query, name block 0x3C, version, address, settings
// words 0x36, VOX 0x17, FM block 0x44, speed dials 0x37-0x39.
inline const std::vector<int> k_one_run_of_6038 = {0x12, 0x1A, 0x03, 0x01, 0x02, 0x03,
                                                   0x03, 0x03, 0x03, 0x03, 0x03};

// 0x6800, all over the language-pack channel (0x100 | command): name, version,
// the pack version asked twice (its reply is the longer one), address,
// settings words, three speed dials.
inline const std::vector<int> k_one_run_of_6800 = {0x103, 0x101, 0x101, 0x101, 0x102,
                                                   0x103, 0x103, 0x103, 0x103};

}  // namespace test_support
