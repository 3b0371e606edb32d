#include "update/families/airoha_block_transfer.h"

#include <string>

#include "platform/format.h"
#include "platform/log.h"
#include "update/families/qcc_image_transfer.h"

namespace update::families {

namespace {

constexpr int k_slot = 0;

// The failure tag of `failure` on `block`: "[1][ai][3]_Write CRC Check Fail".
std::string block_step_tag(const AirohaBlockFailure& failure, std::uint32_t block) {
  return platform::format("[%d][ai][%d]%s", static_cast<int>(failure.step), static_cast<int>(block), failure.suffix);
}

void show_block_failure(UpdateRun& run, const AirohaBlockFailure& failure, std::uint32_t block) {
  show_cannot_get_status(run, block_step_tag(failure, block));
}

}  // namespace

int airoha_exchange_on_slot_0(lang_pack_report& request, lang_pack_reply& reply) {
  return hid_lang_pack_command(k_slot, request, reply);
}

std::optional<Exit> airoha_block_transfer(UpdateRun& run, const transport::PackageEntry& entry,
                                          const AirohaBlockTransfer& how) {
  const AirohaBlockSend send = send_airoha_block(entry, how.plan, airoha_exchange_on_slot_0);
  if (send.failure) {
    show_block_failure(run, *send.failure, entry.number);
    return Exit::close_and_finish;
  }
  if (send.skipped) return std::nullopt;

  // the chip writes the block and restarts
  if (!reopen_after_restart(run, how.restart_settle, how.open)) {
    if (run.stopping()) return Exit::close_and_finish;
    show_block_failure(run, {AirohaStep::reopen, ""}, entry.number);
    return Exit::close_and_finish;
  }

  // the result is only logged: any value counts as done
  if (how.plan.two_chip_logs) platform::system_log("--------------AIROHA COMMAND_GET_DFU_RESULT ");
  const std::optional<std::uint8_t> result = airoha_block_result(airoha_exchange_on_slot_0);
  if (!result) {
    show_block_failure(run, {AirohaStep::result, ""}, entry.number);
    return Exit::close_and_finish;
  }
  if (how.plan.two_chip_logs) {
    platform::system_log(platform::format("--------------AIROHA END COMMAND_GET_DFU_RESULT value[%d] ", *result));
    platform::system_log(platform::format("--------------AIROHA BLOCK %d UPDATE OK", static_cast<int>(entry.number)));
  } else {
    platform::system_log(platform::format("airoha block %d: result %d", static_cast<int>(entry.number), *result));
  }
  return std::nullopt;
}

}  // namespace update::families
