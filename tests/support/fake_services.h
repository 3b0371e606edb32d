#pragma once
// A recording stand-in for the application controller: pages, workers and
// engines run against it without a main window. It keeps its own state,
// records every call as one line ("setDeviceSelection",
// "setDeviceRecognitionWithStatus_info_from 0 - 103", "setStatus_withWarning
// Ready 1"), keeps the message boxes opened with their handlers, and answers
// the open box, and the last file panel, when the test says so.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "session/services.h"

namespace test_support {

class FakeServices : public session::Services {
 public:
  struct OpenedBox {
    session::MessageBoxRequest request;
    session::MessageBoxAnswer on_answer;  // empty: the controller's own answer
  };

  session::AppState& state() override { return m_state; }
  const session::AppState& state() const override { return m_state; }

  void openMessageBox(const session::MessageBoxRequest& request, session::MessageBoxAnswer on_answer) override {
    m_state.setMessageBoxStatus(static_cast<int>(request.purpose));
    boxes.push_back({request, std::move(on_answer)});
    m_box_open = true;
    m_boxes_opened.fetch_add(1, std::memory_order_release);
  }
  // How many boxes have been opened. A worker opens its boxes from its own
  // thread: while it runs, a test waits on this count, and reads `boxes` only
  // once the count has moved or the worker has ended.
  int boxes_opened() const { return m_boxes_opened.load(std::memory_order_acquire); }
  session::MessageBoxPurpose closeMessageBox() override {
    calls.push_back("closeMessageBox");
    const auto purpose = static_cast<session::MessageBoxPurpose>(m_state.messageBoxStatus());
    m_state.setMessageBoxStatus(0);
    m_box_open = false;
    return purpose;
  }
  // The user answers the last box opened: it closes, then its handler runs.
  void answer(bool ok) {
    ASSERT_TRUE(m_box_open) << "no message box is open";
    const session::MessageBoxAnswer on_answer = boxes.back().on_answer;
    m_state.setMessageBoxStatus(0);
    m_box_open = false;
    if (on_answer) on_answer(ok);
  }
  bool box_open() const { return m_box_open; }

  void openFilePanel(const session::FilePanelRequest& request, session::FilePanelAnswer on_answer) override {
    file_panels.push_back({request, std::move(on_answer)});
  }
  // The user answers the last file panel opened: a path, or none for Cancel.
  void answer_file_panel(const std::optional<std::string>& path) {
    ASSERT_FALSE(file_panels.empty()) << "no file panel was opened";
    const session::FilePanelAnswer on_answer = file_panels.back().on_answer;
    file_panels.back().on_answer = nullptr;
    ASSERT_TRUE(on_answer) << "the last file panel was answered already";
    on_answer(path);
  }

  void setDetailViewController(int mode) override { record("setDetailViewController " + std::to_string(mode)); }
  void setManagerUpdate() override { record("setManagerUpdate"); }
  void setDeviceSelection() override { record("setDeviceSelection"); }
  void setDeviceRecognitionWithStatus_info_from(bool status, const FEXOBluetoothDeviceData* info, int from) override {
    record("setDeviceRecognitionWithStatus_info_from " + flag(status) + (info ? " info " : " - ") +
           std::to_string(from));
  }
  void setFirmwareUpdateWithStatus(bool status) override { record("setFirmwareUpdateWithStatus " + flag(status)); }
  void setFirmwareRestoreWithStatus(bool status) override { record("setFirmwareRestoreWithStatus " + flag(status)); }
  void setDeviceSettingsWithStatus(bool status) override { record("setDeviceSettingsWithStatus " + flag(status)); }
  void setDeviceSettingsSecondWithStatus(bool status) override {
    record("setDeviceSettingsSecondWithStatus " + flag(status));
  }
  void setDeviceSettingsSpeedDialWithStatus(bool status) override {
    record("setDeviceSettingsSpeedDialWithStatus " + flag(status));
  }

  void setStatus_withWarning(const std::string& text, bool warning) override {
    m_state.setStatusWithWarning(warning);
    record("setStatus_withWarning " + text + " " + flag(warning));
  }
  std::string getStatusProcessing() override {
    record("getStatusProcessing");
    return m_state.getStrStatus();
  }
  std::string getStatusDefault() override {
    record("getStatusDefault");
    return m_state.getStrStatus();
  }
  void setStatusWithDefault() override { record("setStatusWithDefault"); }

  void setControls() override { record("setControls"); }
  void reflectShortcuts() override { record("reflectShortcuts"); }
  void setTitle() override { record("setTitle"); }
  void enableListTabsTo(bool enable) override { record("enableListTabsTo " + flag(enable)); }

  bool write_configuration_archive() const override {
    ++archives_written;
    return true;
  }
  void stopManager() override { record("stopManager"); }

  struct OpenedFilePanel {
    session::FilePanelRequest request;
    session::FilePanelAnswer on_answer;  // empty once answered
  };

  std::vector<std::string> calls;
  std::vector<OpenedBox> boxes;
  std::vector<OpenedFilePanel> file_panels;
  mutable int archives_written = 0;

 private:
  static std::string flag(bool value) { return value ? "1" : "0"; }
  void record(std::string call) { calls.push_back(std::move(call)); }

  session::AppState m_state;
  bool m_box_open = false;
  std::atomic<int> m_boxes_opened{0};
};

}  // namespace test_support
