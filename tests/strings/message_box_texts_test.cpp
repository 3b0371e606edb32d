#include "strings/message_box_texts.h"

#include <gtest/gtest.h>

#include "strings/app_texts.h"

namespace {

TEST(MessageBoxTexts, BackupFailureNamesThePagesAndTheButton) {
  const std::string text = strings::backup_file_failed_text(0);
  const std::string restore = AppTexts::vyla_string_mode_in(6, 0);
  EXPECT_EQ(text, "Creating a backup file for " + restore + " has failed. For " + restore + ", download the previous " +
                      AppTexts::vyla_string_firmware_in(0) +
                      " file from https://help.vexlink.example, and update the file manually using the Device "
                      "Manager's " +
                      AppTexts::vyla_string_mode_in(5, 0) + ". To continue, click the [" +
                      AppTexts::vyla_string_ok_in(0) + "] button below.");
}

}  // namespace
