// The firmware file: the new-update sheet's answers, the save and open panels,
// the download from the loopback server into the chosen file or the restore
// image, and every way a download fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/page_modes.h"
#include "strings/app_texts.h"
#include "strings/update_texts.h"
#include "update/server_fixture.h"

namespace {

using session::FilePanelRequest;
using test_support::FailingDownloadFile;
using test_support::LoopbackResponse;

// A firmware file with every byte value in it.
std::string firmware_bytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31) ^ (i >> 8));
  return bytes;
}

class FirmwareFile : public test_support::ServerFixture {
 protected:
  // The update page after a reading of "Firmware" with three languages for
  // 0x6010 ("FR9"), newer than the device.
  std::unique_ptr<update::UpdateOperation> update_page_with_languages() {
    state().setDeviceTarget(0x6010);
    state().setUsbStatus(0x6010);
    state().data().setDeviceVersionMajor_Minor(1, 0);
    m_server.set_file("Firmware",
                      "FR9:v1.1:English:FR9_EN.img\r\nFR9:v1.1:French:FR9_FR.img\r\nFR9:v1.1:German:FR9_DE.img\r\n");
    auto operation = this->operation(session::k_mode_firmware_update);
    operation->initializeObjectWithDefaultStatus(true);
    [&] { VX_TRY_EQ(operation->state(), update::k_state_idle); }();
    operation->timerMethodUpdate();
    return operation;
  }
  std::string path(const std::string& name) const { return m_folder + "/" + name; }
};

TEST_F(FirmwareFile, YesDownloadsTheSheetsLanguageAndStartsTheUpdate) {
  const std::string firmware = firmware_bytes(300000);
  m_server.set_file("FR9_DE.img", firmware);
  auto operation = update_page_with_languages();
  ASSERT_EQ(m_page.sheets.size(), 1u);
  ASSERT_TRUE(operation->newUpdateFound());

  operation->yesButtonSelectedAt(2);
  EXPECT_EQ(m_page.selected_language, 2);
  EXPECT_EQ(state().strLanguageFirmware(), "German");
  ASSERT_EQ(m_services.file_panels.size(), 1u);
  EXPECT_EQ(m_services.file_panels[0].request.kind, FilePanelRequest::Kind::save);
  EXPECT_EQ(m_services.file_panels[0].request.proposed_name, "FR9_DE.img");

  m_services.answer_file_panel(path("chosen.img"));
  EXPECT_EQ(operation->state(), update::k_state_downloading_update);
  EXPECT_TRUE(state().onProcessing());
  EXPECT_TRUE(called("setStatus_withWarning On updating firmware. about to download latest firmware 0"));
  // the end of the download starts the update with the downloaded file
  VX_TRY_EQ(operation->state(), update::k_state_updating);
  EXPECT_EQ(m_page.file, path("chosen.img"));
  EXPECT_TRUE(read_all(path("chosen.img")) == firmware);
  EXPECT_TRUE(m_page.timer_running);
  // this product's procedure refuses the device; the update ends as usual
  VX_TRY_VERIFY((operation->timerMethodUpdate(), operation->state() == update::k_state_idle));
  ASSERT_EQ(m_services.boxes.size(), 1u);
  EXPECT_EQ(m_services.boxes[0].request.purpose, session::MessageBoxPurpose::start_over);
}

TEST_F(FirmwareFile, NoCancelAndOtherPagesChangeNothing) {
  auto operation = update_page_with_languages();
  // Cancel in the save panel
  operation->downloadFirmware();
  ASSERT_EQ(m_services.file_panels.size(), 1u);
  EXPECT_EQ(m_services.file_panels[0].request.proposed_name, "FR9_EN.img");
  m_services.answer_file_panel(std::nullopt);
  EXPECT_EQ(operation->state(), update::k_state_idle);
  EXPECT_FALSE(state().onProcessing());
  // No on the sheet
  operation->noButtonSelectedAt();
  EXPECT_FALSE(operation->newUpdateFound());
  // Download on the restore page
  test_support::FakeServices services;
  test_support::FakeUpdatePage page(services);
  update::UpdateOperation restore_page(session::k_mode_firmware_restore, services, page);
  restore_page.downloadFirmware();
  EXPECT_TRUE(services.file_panels.empty());
  EXPECT_EQ(m_server.request_count("/fexobluetoothmanager/FR9_EN.img"), 0);
}

TEST_F(FirmwareFile, ASelectionOutsideTheListsLeavesTheFileName) {
  auto operation = update_page_with_languages();
  // a pop-up with more items than the list gave files, or none selected
  for (int index : {3, -1}) {
    SCOPED_TRACE(index);
    m_page.language_items = 4;
    m_page.selected_language = index;
    operation->downloadFirmware();
    EXPECT_EQ(m_services.file_panels.back().request.proposed_name, "FR9_EN.img");
    m_services.answer_file_panel(std::nullopt);
    // the sheet's Yes with such an index keeps the language and downloads the file named before
    state().setStrLanguageFirmware("French");
    operation->yesButtonSelectedAt(index);
    EXPECT_EQ(state().strLanguageFirmware(), "French");
    EXPECT_EQ(m_services.file_panels.back().request.proposed_name, "FR9_EN.img");
    m_services.answer_file_panel(std::nullopt);
  }
}

TEST_F(FirmwareFile, ADownloadWithoutAnOfferEndsAskingForUpdate) {
  auto operation = update_page_with_languages();
  operation->noButtonSelectedAt();
  // the server sends the file on from another address
  m_server.set_response("/fexobluetoothmanager/FR9_EN.img",
                        LoopbackResponse{302, "<html>moved</html>", "text/html", m_server.base_url() + "FR9_v1.1.img"});
  m_server.set_file("FR9_v1.1.img", "firmware");
  operation->downloadFirmware();
  m_services.answer_file_panel(path("picked.img"));
  VX_TRY_EQ(m_page.file, path("picked.img"));
  EXPECT_EQ(operation->state(), update::k_state_idle);
  EXPECT_EQ(read_all(path("picked.img")), "firmware");
  EXPECT_EQ(operation->report().updateProcessed(), -1);
  EXPECT_EQ(m_services.calls.back(), "setStatus_withWarning Press the [UPDATE] button 0");
  EXPECT_FALSE(state().onProcessing());
}

TEST_F(FirmwareFile, EveryFailedDownloadIsReportedAndKeepsNothingOfAnErrorPage) {
  const std::string firmware = firmware_bytes(100000);
  LoopbackResponse cut{200, firmware, "application/octet-stream", ""};
  cut.cut_after = 40000;
  m_server.set_response("/fexobluetoothmanager/cut.img", cut);
  LoopbackResponse stalled{200, firmware, "application/octet-stream", ""};
  stalled.stall_after = 0;
  m_server.set_response("/fexobluetoothmanager/stalled.img", stalled);
  m_server.set_response("/fexobluetoothmanager/missing.img",
                        LoopbackResponse{404, "<html>Not Found</html>", "text/html", ""});
  m_server.set_file("good.img", firmware);
  // the same image on a server without TLS, and a redirect there
  test_support::LoopbackServer plain(test_support::LoopbackServer::Scheme::http);
  plain.set_file("good.img", firmware);
  m_server.set_response("/fexobluetoothmanager/downgraded.img",
                        LoopbackResponse{302, "<html>moved</html>", "text/html", plain.base_url() + "good.img"});

  enum class Target { chosen, no_folder, cannot_open, cannot_write };
  struct Case {
    const char* name;
    const char* file;
    Target target;
    bool refused;  // nothing listens at the server's address
    std::string update_status;
    std::string restore_status;
    std::size_t bytes_kept;
  };
  const std::string update_failed = "Failed to download latest firmware. ";
  const std::string restore_failed = "Failed to restore firmware. ";
  const Case cases[] = {
      {"404", "missing.img", Target::chosen, false, update_failed + "Cannot download firmware",
       restore_failed + "Cannot download backup firmware", 0},
      {"body cut short", "cut.img", Target::chosen, false, update_failed + "Cannot download firmware",
       restore_failed + "Cannot download backup firmware", 40000},
      {"stalled after the headers", "stalled.img", Target::chosen, false, update_failed + "Cannot download firmware",
       restore_failed + "Cannot download backup firmware", 0},
      {"connection refused", "good.img", Target::chosen, true, update_failed + "Cannot download firmware",
       restore_failed + "Cannot download backup firmware", 0},
      {"redirected off HTTPS", "downgraded.img", Target::chosen, false, update_failed + "Cannot download firmware",
       restore_failed + "Cannot download backup firmware", 0},
      {"a name that makes no address", "good v2.img", Target::chosen, false,
       update_failed + "Cannot connect to the server", restore_failed + "Cannot connect to the server", 0},
      {"a folder that is not there", "good.img", Target::no_folder, false, update_failed + "Cannot create file",
       restore_failed + "Cannot get backup firmware", 0},
      {"a file that does not open", "good.img", Target::cannot_open, false, update_failed + "Cannot open file",
       restore_failed + "Cannot get backup firmware 2", 0},
      {"a file that takes no data", "good.img", Target::cannot_write, false, update_failed + "Cannot download firmware",
       restore_failed + "Cannot download backup firmware", 0},
  };
  for (const int mode : {session::k_mode_firmware_update, session::k_mode_firmware_restore}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (mode == session::k_mode_firmware_update ? " (update)" : " (restore)"));
      test_support::FakeServices services;
      test_support::FakeUpdatePage page(services);
      update::UpdateOperation operation(mode, services, page);
      operation.setServerIdleLimit(std::chrono::seconds(1));
      services.state().setDeviceTarget(0x6010);
      if (c.target == Target::cannot_open) {
        operation.setDownloadFile(std::make_unique<FailingDownloadFile>(FailingDownloadFile::Step::open));
      }
      if (c.target == Target::cannot_write) {
        operation.setDownloadFile(std::make_unique<FailingDownloadFile>(FailingDownloadFile::Step::append));
      }
      if (c.refused) {
        ::setenv("VEXLINK_SERVER_BASE", "https://127.0.0.1:1/fexobluetoothmanager/", 1);
      }
      operation.setNewUpdateFound(true);
      operation.setRestorePossible(true);
      operation.setFileNameLatestVersion(std::string(c.file));
      std::filesystem::path target = path("FR9_download.img");
      if (mode == session::k_mode_firmware_update) {
        operation.downloadFirmware();
        if (c.target == Target::no_folder) target = path("gone/FR9_download.img");
        services.answer_file_panel(target.string());
      } else {
        if (c.target == Target::no_folder) {
          // the application folder is a file: no image can be made in it
          ::setenv("VEXLINK_APP_FOLDER", (m_folder + "/FR9.img").c_str(), 1);
          std::ofstream(m_folder + "/FR9.img") << "x";
        }
        operation.restoreFirmware();
        target = path("FR9.img");
      }
      VX_TRY_EQ(operation.state(), update::k_state_idle);
      const std::string status = mode == session::k_mode_firmware_update ? c.update_status : c.restore_status;
      EXPECT_EQ(services.calls.back(), "setControls");
      EXPECT_NE(std::find(services.calls.begin(), services.calls.end(), "setStatus_withWarning " + status + " 1"),
                services.calls.end());
      EXPECT_FALSE(services.state().onProcessing());
      EXPECT_TRUE(page.file.empty());
      // a failure on the way keeps the offer; one before the start does not
      const bool on_the_way = status.find("Cannot download") != std::string::npos;
      EXPECT_EQ(operation.newUpdateFound(), on_the_way);
      if (mode == session::k_mode_firmware_restore) {
        EXPECT_FALSE(operation.restorePossible());
        EXPECT_TRUE(operation.report().updateFinished());
      }
      // the local file stays, with what arrived of a firmware and nothing of an error page
      if (c.target == Target::chosen || c.target == Target::cannot_write) {
        EXPECT_TRUE(std::filesystem::exists(target));
        EXPECT_EQ(read_all(target).size(), c.bytes_kept);
        EXPECT_TRUE(read_all(target) == firmware.substr(0, c.bytes_kept));
      }
      ::setenv("VEXLINK_SERVER_BASE", m_server.base_url().c_str(), 1);
      ::setenv("VEXLINK_APP_FOLDER", m_folder.c_str(), 1);
      std::filesystem::remove(m_folder + "/FR9.img");
      std::filesystem::remove(target);
    }
  }
  EXPECT_EQ(plain.request_count("/fexobluetoothmanager/good.img"), 0) << "no image travels without TLS";
}

TEST_F(FirmwareFile, TheRestoreImageIsDownloadedThenRestored) {
  FEXOBluetoothDeviceData backup;
  backup.setDeviceVersionMajor_Minor(1, 2);
  m_page.backup = &backup;
  const std::string image = firmware_bytes(70000);
  m_server.set_file("Revisions", "FR9:v1.2:English:FR9_v1.2_EN.img\r\nFR9:v1.2:German:FR9_v1.2_DE.img\r\n");
  m_server.set_file("FR9_v1.2_DE.img", image);
  state().setDeviceTarget(0x6010);
  state().setUsbStatus(0x6010);
  auto operation = this->operation(session::k_mode_firmware_restore);
  operation->initializeObjectWithDefaultStatus(true);
  VX_TRY_VERIFY(operation->report().updateFinished());
  operation->timerMethodUpdate();
  ASSERT_TRUE(operation->restorePossible());
  m_page.select_language_item(1);

  operation->restoreFirmware();
  EXPECT_EQ(operation->state(), update::k_state_downloading_restore);
  EXPECT_EQ(state().strLanguageFirmware(), "German");
  const std::filesystem::path restore_image = path("FR9.img");
  EXPECT_EQ(operation->localPathLatestVersion(), restore_image);
  // the end of the download starts the restore with the image
  VX_TRY_EQ(operation->state(), update::k_state_restoring);
  EXPECT_TRUE(read_all(restore_image) == image);
  EXPECT_EQ(m_page.file, restore_image.string());
  EXPECT_TRUE(operation->restorePossible());
  EXPECT_TRUE(called("setStatus_withWarning On restoring firmware. about to restore 0"));
  EXPECT_TRUE(state().onProcessing());
  EXPECT_TRUE(m_page.timer_running);
  operation->stop_and_join();
}

TEST_F(FirmwareFile, BrowseTakesThePickedFileAsItIs) {
  auto operation = this->operation(session::k_mode_firmware_update);
  operation->report().setUpdateProcessed(100);
  operation->report().setUpdateFinished(true);
  operation->browseFirmware();
  ASSERT_EQ(m_services.file_panels.size(), 1u);
  EXPECT_EQ(m_services.file_panels[0].request.kind, FilePanelRequest::Kind::open);
  m_services.answer_file_panel("/media/usb/FR9_v1.1.img");
  EXPECT_EQ(m_page.file, "/media/usb/FR9_v1.1.img");
  EXPECT_EQ(m_services.calls.back(), "setStatus_withWarning Press the [UPDATE] button 0");
  EXPECT_EQ(operation->report().updateProcessed(), -1);
  EXPECT_FALSE(operation->report().updateFinished());
  // Cancel keeps it
  operation->browseFirmware();
  m_services.answer_file_panel(std::nullopt);
  EXPECT_EQ(m_page.file, "/media/usb/FR9_v1.1.img");
}

}  // namespace
