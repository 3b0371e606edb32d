#include "transport/device_info_queries.h"

#include "platform/format.h"
#include "platform/log.h"
#include "transport/block_reply.h"

namespace transport {
namespace {

constexpr unsigned char k_block_user_5 = 0x05;
constexpr unsigned char k_block_hardware_version = 0x06;
constexpr unsigned char k_block_speaker = 0x12;

int speaker_status_user_and_speaker() {
  hid_cmd_report request{};
  hid_status_report reply{};
  if (read_block(0, k_block_user_5, 0, request, reply)) {
    const int user5 = block_reply_low_byte(reply, 0);
    platform::system_log(platform::format("2.user5=[%d]", user5));
    if (user5 == 11 || user5 == 27) return 1;
  }
  if (!read_block(0, k_block_speaker, 2, request, reply)) {
    platform::system_log("Fail Read pskey 18");
    return 0;
  }
  if (block_reply_word_count(reply) == 0) return 0;
  const int a = block_reply_low_byte(reply, 0);
  const int b = block_reply_low_byte(reply, 1);  // 0 when the reply holds one word
  switch (b) {
    case 0: return a != 0 ? 2 : 0;
    case 1: return a != 0 ? 7 : 6;
    default: return 2;
  }
}

int speaker_status_hardware_block() {
  hid_cmd_report request{};
  hid_status_report reply{};
  if (!read_block(0, k_block_hardware_version, 4, request, reply)) {
    platform::system_log("Fail Read pskey 18");
    return 0;
  }
  if (block_reply_word_count(reply) == 2) return 0;
  return block_reply_low_byte(reply, 2) != 0 ? 2 : 0;
}

}  // namespace

int get_device_info_for_fm_radio_with_pskey(bool by_hardware_version) {
  constexpr int k_show = 3, k_hide = 4;
  if (!by_hardware_version) return k_show;
  hid_cmd_report request{};
  hid_status_report reply{};
  if (!read_block(0, k_block_hardware_version, 2, request, reply)) {
    platform::system_log("Fail Read pskey 6");
    return k_show;
  }
  const int count = block_reply_word_count(reply);
  if (count != 2) return k_show;
  // the hardware version is the low bytes of the two words: v<word 0>.<word 1>
  const int board = block_reply_low_byte(reply, 0);
  platform::system_log(
      platform::format("len = %d hardware version v%1d.%1d", count, board, block_reply_low_byte(reply, 1)));
  return board == 2 ? k_hide : k_show;
}

int get_device_info_for_hd_speaker_with_pskey(SpeakerBlocks blocks) {
  switch (blocks) {
    case SpeakerBlocks::user_and_speaker: return speaker_status_user_and_speaker();
    case SpeakerBlocks::hardware_block: return speaker_status_hardware_block();
    case SpeakerBlocks::none: break;
  }
  return 0;
}

}  // namespace transport
