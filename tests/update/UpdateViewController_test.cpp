// The update page's own questions of the engine, run against a recording
// stand-in for the controller.
#include "update/UpdateViewController.h"

#include <gtest/gtest.h>

#include "support/fake_services.h"

namespace {

using session::MessageBoxPurpose;

session::MessageBoxRequest notice(const char* text) {
  return {text, true, std::nullopt, "OK", session::MessageBoxSize::w520_h205, MessageBoxPurpose::notice};
}

TEST(UpdatePageQuestions, BackupFailureReleasesTheEngineEitherWay) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    test_support::FakeServices services;
    UpdateViewController page(session::k_mode_firmware_update);
    page.setServices(&services);
    page.setOpenedMessageBox(true);

    page.openBackupFailedBox(notice("no backup"));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::backup_failed);
    EXPECT_EQ(services.boxes[0].request.message, "no backup");
    EXPECT_EQ(services.boxes[0].request.size, session::MessageBoxSize::w520_h205);

    services.answer(ok);
    EXPECT_EQ(services.state().skipRestoreBackupFile(), ok);
    EXPECT_FALSE(page.openedMessageBox());
    // the answer closes the box once more, for a box the engine opened meanwhile
    EXPECT_EQ(services.calls, std::vector<std::string>{"closeMessageBox"});
  }
}

TEST(UpdatePageQuestions, OnlyOkEndsTheCameraCopy) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    test_support::FakeServices services;
    UpdateViewController page(session::k_mode_firmware_restore);
    page.setServices(&services);
    page.openCameraCopyDoneBox(notice("copy done"));
    ASSERT_EQ(services.boxes.size(), 1u);
    EXPECT_EQ(services.boxes[0].request.purpose, MessageBoxPurpose::camera_copy_done);
    services.answer(ok);
    EXPECT_EQ(page.optraUpdateEnded(), ok);
    EXPECT_TRUE(services.calls.empty());
  }
}

}  // namespace
