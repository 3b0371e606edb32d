#pragma once
// A stand-in for the update page's controls, so the update operation and its
// worker run without widgets: the file field, the language pop-up, the timer,
// the circular indicator and the new-update sheet are plain values, and the
// page's two questions (backup_failed and camera_copy_done) go to the services as the page
// asks them.
#include <atomic>
#include <string>
#include <vector>

#include "session/services.h"
#include "update/update_operation.h"

namespace test_support {

class FakeUpdatePage : public update::UpdatePage {
 public:
  explicit FakeUpdatePage(session::Services& services) : m_services(services) {}
  // The report the backup_failed answers go to.
  void set_report(update::UpdateReport* report) { m_report = report; }
  // The operation whose update the OK of camera_copy_done ends.
  void set_operation(update::UpdateOperation* operation) { m_operation = operation; }

  void open_backup_failed_box(const session::MessageBoxRequest& request) override {
    session::MessageBoxRequest box = request;
    box.purpose = session::MessageBoxPurpose::backup_failed;
    m_services.openMessageBox(box, [this](bool ok) {
      if (ok) m_services.state().setSkipRestoreBackupFile(true);
      if (m_report) m_report->answer_backup_failed(ok);
      m_services.closeMessageBox();
    });
  }
  void open_camera_copy_done_box(const session::MessageBoxRequest& request) override {
    session::MessageBoxRequest box = request;
    box.purpose = session::MessageBoxPurpose::camera_copy_done;
    m_services.openMessageBox(box, [this](bool ok) {
      if (ok && m_operation) m_operation->endOptraUpdate();
    });
  }
  void start_circular_progress() override { circular_running = true; }
  void stop_circular_progress() override { circular_running = false; }

  std::string firmware_file() const override { return file; }
  void set_firmware_file(const std::string& path) override { file = path; }
  int language_item_count() const override { return language_items; }
  int selected_language_item() const override { return selected_language; }
  void select_language_item(int index) override { selected_language = index; }
  void remove_all_language_items() override {
    language_items = 0;
    language_titles.clear();
    selected_language = -1;
  }
  void add_language_item(const std::string& title) override {
    language_titles.push_back(title);
    language_items = static_cast<int>(language_titles.size());
    if (selected_language < 0) selected_language = 0;
  }
  void start_timer() override { timer_running = true; }
  void stop_timer() override { timer_running = false; }
  void set_page_controls() override { ++page_controls; }
  const FEXOBluetoothDeviceData* data_to_unarchive() const override { return backup; }
  bool load_backup() override { return backup != nullptr; }
  void init_tab_data() override { ++tab_data_resets; }
  void show_new_update_sheet(const update::NewUpdateSheet& sheet) override { sheets.push_back(sheet); }

  std::string file;
  int language_items = 0;
  int selected_language = -1;
  bool timer_running = false;
  std::atomic<bool> circular_running{false};
  int page_controls = 0;
  const FEXOBluetoothDeviceData* backup = nullptr;
  // what the pop-up shows; an item added to an empty pop-up is selected, as Qt's does
  std::vector<std::string> language_titles;
  int tab_data_resets = 0;
  std::vector<update::NewUpdateSheet> sheets;

 private:
  session::Services& m_services;
  update::UpdateReport* m_report = nullptr;
  update::UpdateOperation* m_operation = nullptr;
};

}  // namespace test_support
