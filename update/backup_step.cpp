#include "update/backup_step.h"

#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/files.h"
#include "platform/log.h"
#include "session/page_modes.h"
#include "strings/common_texts.h"
#include "strings/message_box_texts.h"
#include "strings/product_catalogue.h"
#include "strings/status_texts.h"
#include "strings/update_texts.h"

namespace update {

std::optional<std::filesystem::path> backup_archive_path(int product) {
  const std::optional<std::string> name = ProductCatalogue::vyla_product_name_for_internal(product, 1);
  if (!name) return std::nullopt;
  return platform::application_folder() / (*name + ".vylaarch");
}

bool backup_before_flashing(UpdateRun& run, BackupTest test) {
  if (run.mode() != session::k_mode_firmware_update) return true;
  if (test == BackupTest::skip_in_firmware_management && run.usb_status() >= strings::k_usb_firmware_management) {
    run.show_working(UpdateTexts::vyla_string_without_backup_firmware_in);
    return true;
  }
  run.show_working(UpdateTexts::vyla_string_about_to_make_backup_firmware_in);

  // the settings as recognition read them
  FEXOBluetoothDeviceData record;
  record.configureWithSource(run.record());
  const std::optional<std::filesystem::path> path = backup_archive_path(run.product());
  if (path && platform::write_file_atomically(*path, record.archived_bytes())) return true;
  platform::system_log("backup archive not written: " + (path ? path->string() : "no internal product name"));

  // ask whether to go on without a backup
  const int language = run.language();
  const session::MessageBoxRequest request{strings::backup_file_failed_text(language), true, std::nullopt,
                                           CommonTexts::vyla_string_yes_in(language),
                                           session::MessageBoxSize::w520_h205,
                                           session::MessageBoxPurpose::backup_failed};
  if (!run.ask_backup_failed(request)) return false;
  if (run.take_backup_skipped()) return true;
  run.show_failure(CommonTexts::vyla_string_cannot_make_backup_firmware_in);
  return false;
}

}  // namespace update
