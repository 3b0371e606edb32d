#pragma once
// The steps every HID save of the settings pages is made of, on the slots the
// transport holds: the open of the recognized device, the version query with
// its comparison to a version set of the device record, the mode query, and
// block writes with their commits. One request and one reply buffer per save.
//
// Frames: command report [0] 1, [1] command, [2] block, [3] word count, the
// words from [4] most significant byte first (put in host order, then
// converted with swap_packet_words). A commit (0x11) reuses the report of the
// write before it with [2] naming a block, its words converted a second time.
// Qt-free; runs on a save worker's thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "transport/hid_channel.h"

class FEXOBluetoothDeviceData;

namespace settings {

// A version as a unit reports it (command 0x01: major, minor, secondary type,
// secondary number in reply bytes 3 to 6).
struct HidUnitVersion {
  int major = 1;
  int minor = 0;
  int type = 0;
  int secondary = 0;
};

// Which version set of the device record a unit is compared with.
enum class VersionSet { main, module_1, module_2 };

// One block write of a save.
struct BlockWrite {
  int slot = 0;
  unsigned char block = 0;
  // The words the report carries, from byte 4.
  std::vector<std::uint16_t> words;
  // Byte 3, the word count the device takes; the number of words when absent
  // (a device may take fewer words than the report carries).
  std::optional<int> count;
  // The block a commit after the write names; none: not committed.
  std::optional<unsigned char> commit;
  // Written to the system log before the write (empty: nothing).
  std::string log;
};

// Closes both slots (whatever an earlier operation left open) and opens the
// attached device into slot 0. Its product id when it is `usb_status`, the
// device recognition saw; nullopt when nothing opened or another device did.
// The caller closes the slots (transport::OpenDeviceGuard).
std::optional<std::uint32_t> open_recognized_hid_device(int usb_status);

class HidSaveFrames {
 public:
  // `product_id` names the device in the console lines.
  explicit HidSaveFrames(std::uint32_t product_id) : m_product_id(product_id) {}

  // Version query on `slot`: the unit's version, 1.0 when it does not answer;
  // nullopt when the slot holds no device (nothing was sent).
  std::optional<HidUnitVersion> version(int slot);
  // True when the unit on `slot` answers the version of `set` in `device`
  // (1.0 for a unit that does not answer); false for an empty slot.
  bool same_version(int slot, VersionSet set, const FEXOBluetoothDeviceData& device);
  // Mode query on slot 0, logged "rV = [%d]": true when the device answers its
  // normal mode 0; false when it answers another mode or fails.
  bool normal_mode();
  // Sends `write` (its log line first); false when the device refused it.
  bool write(const BlockWrite& write);
  // Commit naming `block` in the last write's report; the answer is not looked at.
  void commit(int slot, unsigned char block);
  // Each write in order, each followed by its commit; false at the first
  // refused write, after which nothing is sent.
  bool write_all(const std::vector<BlockWrite>& writes);

 private:
  void clear_request(unsigned char command);

  std::uint32_t m_product_id;
  hid_cmd_report m_request{};
  hid_status_report m_reply{};
};

}  // namespace settings
