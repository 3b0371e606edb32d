#pragma once
// The update operation against the loopback firmware server: a recording
// controller, a page without widgets, the main thread's queue on the Qt event
// loop (the list reader and the download deliver there), an application
// folder of its own and the virtual clock for the update worker's waits.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/main_queue.h"
#include "platform/main_queue_qt.h"
#include "support/app_folder.h"
#include "support/fake_services.h"
#include "support/loopback_server.h"
#include "support/qt_wait.h"
#include "update/download_file.h"
#include "update/fake_update_page.h"
#include "update/update_operation.h"

namespace test_support {

class ServerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::install_qt_main_dispatcher();
    m_folder = enter_new_app_folder("vx-update-server");
  }
  void TearDown() override {
    leave_app_folder(m_folder);
    platform::install_main_dispatcher(nullptr, nullptr);
  }

  session::AppState& state() { return m_services.state(); }
  // The operation of page `mode` (5 update, 6 restore) on this fixture's page.
  std::unique_ptr<update::UpdateOperation> operation(int mode) {
    auto made = std::make_unique<update::UpdateOperation>(mode, m_services, m_page);
    made->setServerIdleLimit(std::chrono::seconds(1));
    return made;
  }
  bool called(const std::string& call) const {
    for (const std::string& done : m_services.calls) {
      if (done == call) return true;
    }
    return false;
  }
  static std::string read_all(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string m_folder;
  platform::ScopedVirtualClock m_clock;
  LoopbackServer m_server;
  ScopedServerEnvironment m_environment{m_server};
  FakeServices m_services;
  FakeUpdatePage m_page{m_services};
};

// A download file that fails at one step.
class FailingDownloadFile : public update::DownloadFile {
 public:
  enum class Step { open, append };
  explicit FailingDownloadFile(Step step) : m_step(step) {}
  bool open_for_writing(const std::filesystem::path& path) override {
    return m_step != Step::open && DownloadFile::open_for_writing(path);
  }
  bool append(std::string_view block) override { return m_step != Step::append && DownloadFile::append(block); }

 private:
  Step m_step;
};

}  // namespace test_support
