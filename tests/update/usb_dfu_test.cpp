// The BlueCore USB DFU update on the simulated bus in virtual time: 0x6020
// from its HID mode through download mode and DFU mode back to normal mode,
// the models already in DFU mode, the identity and firmware checks, the
// persistent-store keys, the faults of each step with their codes and bounds,
// the two targets of 0x5310, and the camera 0x3020 with its split package and
// its hand-over to the user, and a worker that keeps to the state it started with.
#include "update/families/usb_dfu.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <QCoreApplication>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/main_queue.h"
#include "platform/main_queue_qt.h"
#include "session/message_box.h"
#include "session/page_modes.h"
#include "sim/bus.h"
#include "sim/models/bluecore_dfu_model.h"
#include "sim/models/bluecore_model.h"
#include "sim/models/dfu_model.h"
#include "strings/common_texts.h"
#include "strings/product_catalogue.h"
#include "support/bccmd_requests.h"
#include "support/bus_fixture.h"
#include "support/fake_services.h"
#include "support/firmware_package_builder.h"
#include "support/temp_folder.h"
#include "transport/hid_channel.h"
#include "update/families/camera_split.h"
#include "update/fake_update_page.h"
#include "update/update_engine.h"
#include "update/update_operation.h"

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using sim::BlueCoreDfuModel;
using sim::BlueCoreDfuOptions;
using update::Exit;
using test_support::dfu_image;
using update::UpdateRun;

constexpr std::uint32_t k_seed = 7;

// One DFU class request as the device received it.
struct DfuRequest {
  int request;
  int value;
  int index;
  int length;
  bool operator==(const DfuRequest&) const = default;
};
std::ostream& operator<<(std::ostream& out, const DfuRequest& r) {
  return out << "{" << r.request << ", " << r.value << ", " << r.index << ", " << r.length << "}";
}
constexpr int k_detach = 0;
constexpr int k_dnload = 1;
constexpr int k_getstatus = 3;
constexpr int k_clrstatus = 4;
constexpr int k_abort = 6;
DfuRequest status_of(int interface_number) { return {k_getstatus, 0, interface_number, 6}; }
DfuRequest block(int number, int length) { return {k_dnload, number, 0, length}; }

// What a device received, taken from it.
struct Traffic {
  std::vector<int> hid_commands;
  std::vector<std::string> bccmd;
  std::vector<DfuRequest> dfu;
  std::vector<milliseconds> dfu_times;  // virtual time of each DFU request
};

Traffic take_traffic(sim::Model& model) {
  Traffic traffic;
  for (const sim::ReceivedReport& report : model.take_received()) {
    if (report.kind == sim::TrafficKind::interrupt_out) {
      if (report.bytes.size() > 1) traffic.hid_commands.push_back(report.bytes[1]);
    } else if (report.setup && report.setup->request_type == 0x20) {
      if (const auto request = sim::parse_bccmd_request(report.bytes)) {
        traffic.bccmd.push_back(test_support::describe_request(*request));
      }
    } else if (report.setup) {
      traffic.dfu.push_back({report.setup->request, report.setup->value, report.setup->index, report.setup->length});
      traffic.dfu_times.push_back(std::chrono::duration_cast<milliseconds>(report.time.time_since_epoch()));
    }
  }
  return traffic;
}

// The data blocks of the download as requests: each preceded by its status poll.
std::vector<DfuRequest> download_of(std::size_t image_bytes, int first_status_interface = 0) {
  std::vector<DfuRequest> requests{status_of(first_status_interface)};
  int number = 0;
  for (std::size_t offset = 0; offset < image_bytes; offset += 1023, ++number) {
    requests.push_back(status_of(0));
    requests.push_back(block(number, static_cast<int>(std::min<std::size_t>(1023, image_bytes - offset))));
  }
  requests.push_back(status_of(0));      // the manifestation it announces
  requests.push_back(block(number, 0));  // the empty block
  return requests;
}

std::vector<DfuRequest> concat(std::vector<DfuRequest> a, const std::vector<DfuRequest>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The platform clock as the worker sees it: virtual time, and at every sleep a
// look at what the worker has reported; with `ticks` the page's timer fires
// once a virtual second, on the worker's thread while it sleeps.
class WatchingClock : public platform::Clock {
 public:
  explicit WatchingClock(platform::VirtualClock& time) : m_time(time) {}
  time_point now() override { return m_time.now(); }
  void sleep_for(milliseconds duration) override {
    // on the time line of the devices' records
    if (m_watch) m_watch(std::chrono::duration_cast<milliseconds>(m_time.now().time_since_epoch()));
    const auto before = m_time.elapsed();
    m_time.sleep_for(duration);
    for (auto tick = before / 1s; tick < m_time.elapsed() / 1s; ++tick) {
      if (m_tick) m_tick();
    }
  }
  std::function<void(milliseconds)> m_watch;
  std::function<void()> m_tick;

 private:
  platform::VirtualClock& m_time;
};

struct Sample {
  milliseconds elapsed;  // platform clock time since its epoch
  int bar;
  bool box_flag;
};

class UsbDfuTest : public test_support::BusFixture {
 public:
  UsbDfuTest() : m_watching(clock()) {
    platform::install_clock(&m_watching);
    m_page.set_report(&m_report);
    ::setenv("VEXLINK_APP_FOLDER", m_app_folder.path().c_str(), 1);
    m_watching.m_watch = [this](milliseconds elapsed) {
      m_samples.push_back({elapsed, m_report.updateProcessed(), m_report.openedMessageBox()});
    };
  }
  ~UsbDfuTest() override {
    ::unsetenv("VEXLINK_APP_FOLDER");
    ::unsetenv("VEXLINK_VOLUMES");
  }
  void TearDown() override {
    hid_close_all();
    platform::install_clock(&clock());
    BusFixture::TearDown();
  }

  // What recognition left: the product, its version and the device on USB.
  void recognized(int product, int usb_status, int major = 1, int minor = 2, int target = 0) {
    FEXOBluetoothDeviceData& record = m_services.state().data();
    record.setDeviceRecognized(product);
    record.setDeviceName(ProductCatalogue::vyla_product_name_for_internal(product, 1).value_or(""));
    record.setDeviceVersionMajor_Minor(major, minor);
    m_services.state().setDeviceTarget(target != 0 ? target : product);
    m_services.state().setUsbStatus(usb_status);
  }

  // 0x6020 at 1.2 on HID, its download mode reporting `reported` at `version`.
  std::shared_ptr<BlueCoreDfuModel> attach_6020(std::function<void(BlueCoreDfuOptions&)> change = {},
                                                std::uint16_t version = 12, std::uint16_t reported = 0x6020) {
    BlueCoreDfuOptions options = sim::bluecore_dfu_fixture_6020(version, reported);
    if (change) change(options);
    recognized(0x6020, 0x6020);
    return attach(std::make_shared<BlueCoreDfuModel>(std::move(options)));
  }

  // A device of `product` already in DFU mode as 0xE020.
  std::shared_ptr<BlueCoreDfuModel> attach_in_dfu_mode(int product, std::function<void(BlueCoreDfuOptions&)> change = {},
                                                       int recognized_as = 0) {
    BlueCoreDfuOptions options = sim::bluecore_dfu_fixture_in_dfu_mode(0xE020, static_cast<std::uint16_t>(product));
    if (change) change(options);
    recognized(recognized_as != 0 ? recognized_as : product, 0xE020, 1, 2, product);
    return attach(std::make_shared<BlueCoreDfuModel>(std::move(options)));
  }

  // The image of `product` with the tag of its model and `tag_id`.
  std::string image_file(int product, int tag_id, std::size_t bytes = 3000) {
    m_image = dfu_image(tag_of(product, tag_id), bytes);
    return m_files.write("firmware.dfu", m_image);
  }
  static std::string tag_of(int product, int tag_id) {
    char id[8];
    std::snprintf(id, sizeof id, "#%04X", tag_id);
    return *ProductCatalogue::vyla_product_name_for_internal(product, 1) + id;
  }
  // The bytes the device must hold: the image without its trailer.
  std::vector<std::uint8_t> downloaded() const { return {m_image.begin(), m_image.end() - 16}; }

  void run_worker(const std::string& file, update::FamilyProcedure procedure = nullptr) {
    m_samples.clear();
    m_start = clock().elapsed();
    UpdateRun run(m_services, m_report, m_page, {session::k_mode_firmware_update, file}, m_stop);
    testing::internal::CaptureStdout();
    if (procedure) {
      run.run_procedure(procedure);
    } else {
      run.run();
    }
    m_console = testing::internal::GetCapturedStdout();
  }
  // The Update button, with the page's timer firing once a virtual second
  // (then `after_tick`), until `until` holds; the worker is joined then.
  void press_update(update::UpdateOperation& operation, const std::function<bool()>& until,
                    const std::function<void()>& after_tick = {}) {
    m_page.set_operation(&operation);
    m_watching.m_tick = [&] {
      operation.timerMethodUpdate();
      if (after_tick) after_tick();
    };
    testing::internal::CaptureStdout();
    operation.updateFirmware();
    const auto give_up = std::chrono::steady_clock::now() + 20s;
    while (!until() && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
    operation.stop_and_join();
    m_console = testing::internal::GetCapturedStdout();
    m_watching.m_tick = nullptr;
  }
  milliseconds took() { return clock().elapsed() - m_start; }

  std::filesystem::path archive_of(int product) const {
    return m_app_folder.file(*ProductCatalogue::vyla_product_name_for_internal(product, 1) + ".vylaarch");
  }
  std::vector<std::string> box_texts() const {
    std::vector<std::string> texts;
    for (const auto& box : m_services.boxes) texts.push_back(box.request.message);
    return texts;
  }

  WatchingClock m_watching;
  test_support::TempFolder m_app_folder;
  test_support::TempFolder m_files;
  test_support::FakeServices m_services;
  update::UpdateReport m_report;
  test_support::FakeUpdatePage m_page{m_services};
  std::atomic<bool> m_stop{false};
  std::vector<Sample> m_samples;
  std::vector<std::uint8_t> m_image;
  milliseconds m_start{0};
  std::string m_console;
};

const std::string k_failed = "Failed to update firmware. ";

Exit from_detach_one(UpdateRun& run) { return update::families::usb_dfu_update_from_detach(run, 1, k_seed); }
Exit from_detach_two(UpdateRun& run) { return update::families::usb_dfu_update_from_detach(run, 2, k_seed); }

TEST_F(UsbDfuTest, Updates6020FromHidThroughDfuModeBackToNormalMode) {
  auto device = attach_6020();
  run_worker(image_file(0x6020, 0x6020));

  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_EQ(m_services.state().usbStatus(), 0x6021) << "the download-mode id";
  const Traffic traffic = take_traffic(*device);
  EXPECT_EQ(traffic.hid_commands, std::vector<int>{0x0E});
  // identity over the persistent store: product id, then version record
  EXPECT_EQ(traffic.bccmd, (std::vector<std::string>{"size 0x02a3", "read 0x02a3", "size 0x02a4", "read 0x02a4"}));
  // detach over the run-time interface (1), then the download to interface 0
  const std::vector<DfuRequest> detach = {status_of(1), {k_detach, 5000, 1, 0}, status_of(1)};
  EXPECT_EQ(traffic.dfu, concat(detach, download_of(3000)));
  EXPECT_EQ(device->image(), downloaded()) << "byte for byte";
  EXPECT_EQ(device->final_block_number(), 3);
  EXPECT_EQ(device->resets(), 2) << "after the DETACH, and in the round that found it in normal mode";
  EXPECT_EQ(device->phase(), sim::BlueCoreDfuPhase::normal);
  EXPECT_TRUE(device->ps_writes().empty());
  EXPECT_TRUE(std::filesystem::exists(archive_of(0x6020))) << "backup before the first block";
  EXPECT_TRUE(m_services.boxes.empty()) << "0x6020 asks for no re-plugging";
  EXPECT_EQ(sim::open_handle_count(), 0);

  // the bar: the pre-step's 1 2 3, the download from 5 over 11, the
  // manifestation from 16, then 100
  std::vector<int> bars;
  for (const Sample& sample : m_samples) {
    if (bars.empty() || bars.back() != sample.bar) bars.push_back(sample.bar);
  }
  bars.push_back(m_report.updateProcessed());
  ASSERT_GE(bars.size(), 8u);
  EXPECT_EQ((std::vector<int>{bars[0], bars[1], bars[2]}), (std::vector<int>{1, 2, 3})) << "the download-mode step";
  const auto download_start = std::find(bars.begin(), bars.end(), 5);
  ASSERT_NE(download_start, bars.end());
  EXPECT_TRUE(std::is_sorted(download_start, bars.end()));
  EXPECT_TRUE(std::find(bars.begin(), bars.end(), 16) != bars.end());
  EXPECT_EQ(*(bars.end() - 2), 16 + 1500 * 84 / (1500 + 65000)) << "the manifestation announced 1.5 s";
  EXPECT_EQ(bars.back(), 100);
}

TEST_F(UsbDfuTest, TheWorkerKeepsToItsSnapshotAndItsChangesLandOnTheMainThread) {
  // tasks posted to the main thread wait for its event loop, as in the manager
  platform::install_qt_main_dispatcher();
  struct DispatcherOff {
    ~DispatcherOff() { platform::install_main_dispatcher(nullptr, nullptr); }
  } dispatcher_off;
  auto device = attach_6020();
  const std::string file = image_file(0x6020, 0x6020);
  // the worker holds at its first wait until the main thread has changed the shared state
  std::promise<void> holding;
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  bool first_wait = true;
  m_watching.m_watch = [&](milliseconds) {
    if (!std::exchange(first_wait, false)) return;
    holding.set_value();
    released.wait_for(10s);
  };
  update::UpdateEngine engine(m_services, m_report, m_page);
  engine.start({session::k_mode_firmware_update, file});
  ASSERT_EQ(holding.get_future().wait_for(10s), std::future_status::ready);

  session::AppState& state = m_services.state();
  state.setDeviceTarget(0x6010);
  state.setUsbStatus(0x6010);
  state.setLanguageManager(3);
  state.data().setDeviceRecognized(0x6010);
  state.data().setDeviceVersionMajor_Minor(2, 0);
  release.set_value();
  const auto give_up = std::chrono::steady_clock::now() + 20s;
  while (!m_report.updateFinished() && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
  ASSERT_TRUE(m_report.updateFinished());

  // the download-mode id reaches the shared state only on the main thread
  EXPECT_EQ(state.usbStatus(), 0x6010);
  QCoreApplication::processEvents();
  EXPECT_EQ(state.usbStatus(), 0x6021) << "the download-mode id";
  engine.stop_and_join();

  // the run went on with the device it started with
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded) << m_report.updateStatusAt(0);
  EXPECT_EQ(take_traffic(*device).hid_commands, std::vector<int>{0x0E});
  EXPECT_EQ(device->image(), downloaded());
  EXPECT_TRUE(std::filesystem::exists(archive_of(0x6020)));
  EXPECT_FALSE(std::filesystem::exists(archive_of(0x6010)));
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(UsbDfuTest, AnOlderModelIsUpdatedFromItsNormalMode) {
  // a 0x4D10 at 3.1 in its normal mode, as recognition found it: no download
  // mode to wait for, so its persistent store answers at once
  sim::BlueCoreModelOptions bluecore = sim::bluecore_fixture_4d10();
  bluecore.ps_keys[sim::k_ps_version_record] = sim::version_record_key(31);
  bluecore.ps_keys.erase(sim::k_ps_version);
  auto device = attach(std::make_shared<BlueCoreDfuModel>(sim::bluecore_dfu_fixture_normal_mode(bluecore)));
  recognized(0x4D10, 0x4D10, 3, 1);
  // its image carries the model's substitute tag
  const platform::Clock::time_point started = clock().now();
  run_worker(image_file(0x4D10, 0x4D30));

  EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic) << m_report.updateStatusAt(0);
  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  EXPECT_TRUE(m_report.updateFinished());
  EXPECT_EQ(m_services.state().usbStatus(), 0x4D10);
  const std::vector<sim::ReceivedReport> received = device->received();
  const auto first_bccmd = std::find_if(received.begin(), received.end(), [](const sim::ReceivedReport& report) {
    return report.setup && report.setup->request_type == 0x20;
  });
  ASSERT_NE(first_bccmd, received.end());
  EXPECT_LT(first_bccmd->time - started, 1s) << "no wait for a download mode";
  const Traffic traffic = take_traffic(*device);
  EXPECT_TRUE(traffic.hid_commands.empty());
  // identity (product id, version record, the older version key it lacks),
  // then the keys the new firmware writes anew
  EXPECT_EQ(traffic.bccmd, (std::vector<std::string>{"size 0x02a3", "read 0x02a3", "size 0x02a4", "read 0x02a4",
                                                     "size 0x0293", "write 0x02a4", "write 0x0298", "write 0x0299"}));
  EXPECT_EQ(device->ps_writes(),
            (std::vector<sim::PsWrite>{{0x02A4, {0, 0}}, {0x0298, {0}}, {0x0299, {0}}}));
  EXPECT_TRUE(std::filesystem::exists(archive_of(0x4D10))) << "backup before the detach";
  // detach over the run-time interface, re-enumeration as 0xCD10, the download
  const std::vector<DfuRequest> detach = {status_of(1), {k_detach, 5000, 1, 0}, status_of(1)};
  EXPECT_EQ(traffic.dfu, concat(detach, download_of(3000)));
  EXPECT_EQ(device->image(), downloaded()) << "byte for byte";
  EXPECT_EQ(device->final_block_number(), 3);
  EXPECT_EQ(device->phase(), sim::BlueCoreDfuPhase::normal);
  EXPECT_EQ(sim::devices().at(0).identity.descriptor.product_id, 0x4D10) << "back in its normal mode";
  // the model asks to be re-plugged for the detach, and switched off and on at the end
  EXPECT_EQ(box_texts(), (std::vector<std::string>{*session::message_box_first_button(0x4D10, 0),
                                                   *session::message_box_second_button(0x4D10, 0)}));
  EXPECT_FALSE(m_services.box_open());
  EXPECT_EQ(sim::open_handle_count(), 0);
}

TEST_F(UsbDfuTest, TheUpdateButtonLeadsToRecognition) {
  auto device = attach_6020();
  m_page.file = image_file(0x6020, 0x6020);
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  std::vector<int> bars;
  press_update(
      operation, [&] { return operation.report().updateFinished(); },
      [&] { bars.push_back(operation.report().updateProcessed()); });
  // one tick shows the success, the next hands over
  operation.timerMethodUpdate();
  operation.timerMethodUpdate();

  EXPECT_EQ(operation.state(), update::k_state_idle);
  EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                       "setDeviceRecognitionWithStatus_info_from 0 - 5"),
            1);
  EXPECT_EQ(operation.report().updateProcessed(), update::k_update_succeeded);
  // the bar never goes back, and creeps towards 99 on its own while the device restarts
  ASSERT_GE(bars.size(), 60u);
  EXPECT_TRUE(std::is_sorted(bars.begin(), bars.end() - 1));
  EXPECT_GT(*(bars.end() - 2), 90);
  EXPECT_EQ(device->image(), downloaded());
  take_traffic(*device);
}

TEST_F(UsbDfuTest, ADeviceInFirmwareManagementModeGoesStraightToTheDownload) {
  auto device = attach_in_dfu_mode(0x6020, [](BlueCoreDfuOptions& options) { options.return_product_id = 0x6021; });
  run_worker(image_file(0x6020, 0x6020));

  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  const Traffic traffic = take_traffic(*device);
  EXPECT_TRUE(traffic.hid_commands.empty()) << "no download-mode step";
  EXPECT_TRUE(traffic.bccmd.empty()) << "no identity check in management mode";
  EXPECT_EQ(traffic.dfu, download_of(3000)) << "no detach";
  EXPECT_EQ(device->image(), downloaded());
  EXPECT_FALSE(std::filesystem::exists(archive_of(0x6020))) << "without backup firmware";
  EXPECT_NE(m_console.find("+++DFU"), std::string::npos);
}

TEST_F(UsbDfuTest, ModelTagsAndTheirSubstitutes) {
  struct Case {
    const char* name;
    int product;
    int tag_id;
    bool accepted;
  };
  const Case cases[] = {
      {"a 0x4D30 image for a recognized 0x4D10", 0x4D10, 0x4D30, true},
      {"0x5010 takes its own tag", 0x5010, 0x5010, true},
      {"then 0x5061", 0x5010, 0x5061, true},
      {"then 0x5060", 0x5010, 0x5060, true},
      {"and nothing else", 0x5010, 0x5040, false},
      {"0x4D10 takes no 0x5061 image", 0x4D10, 0x5061, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_in_dfu_mode(c.product);
    run_worker(image_file(c.product, c.tag_id, 500));
    const Traffic traffic = take_traffic(*device);
    if (c.accepted) {
      EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
      EXPECT_EQ(device->image(), downloaded());
    } else {
      EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_firmware);
      EXPECT_EQ(m_report.updateStatusAt(0), k_failed + "Firmware not for " +
                                                 *ProductCatalogue::vyla_product_name(c.product));
      EXPECT_TRUE(traffic.dfu.empty()) << "nothing sent";
    }
    m_services.boxes.clear();
    sim::reset();
  }
}

TEST_F(UsbDfuTest, PersistentStoreKeysOfTheOlderModels) {
  struct Case {
    const char* name;
    int major;
    int minor;
    bool management_mode;
    std::vector<sim::PsWrite> writes;
  };
  const sim::PsWrite version_record{0x02A4, {0, 0}};
  const sim::PsWrite key_664{0x0298, {0}};
  const sim::PsWrite key_665{0x0299, {0}};
  const Case cases[] = {
      {"below 3.2 the version record too", 3, 1, false, {version_record, key_664, key_665}},
      {"from 3.2 only 664 and 665", 3, 2, false, {key_664, key_665}},
      {"4.3: 664 and 665", 4, 3, false, {key_664, key_665}},
      {"none in firmware-management mode", 3, 1, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::shared_ptr<BlueCoreDfuModel> device;
    if (c.management_mode) {
      device = attach_in_dfu_mode(0x4D10);
      m_services.state().data().setDeviceVersionMajor_Minor(c.major, c.minor);
    } else {
      // the download-mode device of a 0x4D10, its record at the recognized version
      BlueCoreDfuOptions options = sim::bluecore_dfu_fixture_6020(static_cast<std::uint16_t>(c.major * 10 + c.minor), 0x4D10);
      options.start = sim::BlueCoreDfuPhase::download_mode;
      device = attach(std::make_shared<BlueCoreDfuModel>(std::move(options)));
      recognized(0x4D10, 0x6021, c.major, c.minor);
    }
    run_worker(image_file(0x4D10, 0x4D10, 300));
    EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_EQ(device->ps_writes(), c.writes);
    take_traffic(*device);
    m_services.boxes.clear();
    sim::reset();
  }
}

TEST_F(UsbDfuTest, IdentityFailuresEndWithCodeTwoBeforeAnythingIsSent) {
  struct Case {
    const char* name;
    std::function<void()> attach_devices;
    milliseconds took;  // 0: not checked
  };
  // the download-mode device of a recognized 0x4D10 at 4.3
  const auto download_mode_of_4d10 = [this](std::uint16_t reported, std::uint16_t version) {
    BlueCoreDfuOptions options = sim::bluecore_dfu_fixture_6020(version, reported);
    options.start = sim::BlueCoreDfuPhase::download_mode;
    recognized(0x4D10, 0x6021, 4, 3);
    attach(std::make_shared<BlueCoreDfuModel>(std::move(options)));
  };
  const Case cases[] = {
      {"no download-mode device in 20 tries",
       [this] {
         recognized(0x4D10, 0xE020);
         attach(std::make_shared<sim::BlueCoreModel>(sim::bluecore_fixture_4d10()));
       },
       20s},
      {"two BlueCore devices open",
       [this] {
         const auto pair = sim::bluecore_fixture_5310_pair();
         attach(std::make_shared<sim::BlueCoreModel>(pair[0]));
         attach(std::make_shared<sim::BlueCoreModel>(pair[1]));
         attach_in_dfu_mode(0x4D10);
       },
       0ms},
      {"another download-mode id",
       [this] {
         attach_in_dfu_mode(0x4D10);
         m_services.state().setUsbStatus(0xE022);
       },
       0ms},
      {"key 0x02A3 names another product", [&] { download_mode_of_4d10(0x4D30, 43); }, 0ms},
      {"another version", [&] { download_mode_of_4d10(0x4D10, 44); }, 0ms},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = image_file(0x4D10, 0x4D10, 300);
    c.attach_devices();
    run_worker(file);
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_device);
    EXPECT_EQ(m_report.updateStatusAt(0), k_failed + "Not the recognized device");
    if (c.took != 0ms) {
      EXPECT_EQ(took(), c.took);
    }
    for (const sim::BusDevice& present : sim::devices()) {
      EXPECT_TRUE(take_traffic(*present.model).dfu.empty()) << "no DFU request";
    }
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::reset();
  }
}

TEST_F(UsbDfuTest, DfuFaultsEndWithTheirTextOrAreRecovered) {
  struct Case {
    const char* name;
    std::function<void(BlueCoreDfuOptions&)> fault;
    std::string status;  // empty: success
    // the wait checked: between the request at this index from the end and the last one
    std::optional<std::pair<std::size_t, milliseconds>> waited;
  };
  const Case cases[] = {
      {"dfuERROR at the start is cleared and aborted", [](auto& o) { o.start_in_error = true; }, "", {}},
      {"dfuERROR after block 2 is cleared", [](auto& o) { o.error_after_block = 2; }, "", {}},
      {"a bad status three times", [](auto& o) { o.bad_status_polls = 3; }, "", {}},
      // ten retries a second apart, then the eleventh bad status ends it
      {"a bad status for ever", [](auto& o) { o.bad_status_polls = -1; }, "aborting (status 14 & state 2) [0]",
       std::pair{20u, 10s}},
      {"the device leaves the bus with block 1", [](auto& o) { o.faults.vanish_after = 2; }, "Cannot get status 5 [0]",
       {}},
      {"ten refused blocks", [](auto& o) { o.failing_downloads = 10; }, "", {}},
      {"eleven refused blocks", [](auto& o) { o.failing_downloads = 11; }, "Cannot update next block",
       std::pair{21u, 10s}},
      // busy from the status after block 0 on: 300 s of polls, the last sleep cut to what is left
      {"busy for ever", [](auto& o) { o.busy_forever = true; o.busy_poll_ms = 700; }, "Cannot get status 5 [0]", {}},
      {"busy for ever with a huge bwPollTimeout",
       [](auto& o) { o.busy_forever = true; o.busy_poll_ms = 0xFFFFFF; }, "Cannot get status 5 [0]",
       std::pair{1u, 300s}},
      // the announced manifestation, from its status to the empty block
      {"a huge announced manifestation is waited 300 s", [](auto& o) { o.manifest_poll_ms = 0xFFFFFF; }, "",
       std::pair{1u, 300s}},
      {"no return after the download: done after 240 rounds", [](auto& o) { o.never_returns = true; }, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_in_dfu_mode(0x6000, c.fault);
    run_worker(image_file(0x6000, 0x6000));
    const Traffic traffic = take_traffic(*device);
    if (c.status.empty()) {
      EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
      EXPECT_EQ(device->image(), downloaded());
    } else {
      EXPECT_NE(m_report.updateProcessed(), update::k_update_succeeded);
      EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
      EXPECT_EQ(m_report.updateStatusAt(0), k_failed + c.status);
      EXPECT_FALSE(device->final_block_number());
    }
    if (c.waited) {
      ASSERT_GT(traffic.dfu_times.size(), c.waited->first);
      EXPECT_EQ(traffic.dfu_times.back() - traffic.dfu_times[traffic.dfu_times.size() - 1 - c.waited->first],
                c.waited->second);
    }
    const std::string name = c.name;
    if (name.starts_with("dfuERROR at")) {
      EXPECT_EQ(std::vector<DfuRequest>(traffic.dfu.begin(), traffic.dfu.begin() + 4),
                (std::vector<DfuRequest>{status_of(0), {k_clrstatus, 0, 0, 0}, {k_abort, 0, 0, 0}, status_of(0)}));
    }
    if (name == "busy for ever") {
      // requests: the detach's status, status, block 0, then the busy statuses
      EXPECT_EQ(traffic.dfu_times.back() - traffic.dfu_times[3], 300s);
    }
    if (name.starts_with("no return")) {
      EXPECT_GE(took(), 60s + 240s);
      EXPECT_LT(took(), 60s + 240s + 15s);
    }
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::reset();
  }
}

// A status reply cut short is a failed GETSTATUS, never "OK, appIDLE": the
// update ends with the device where it really is, holding the blocks it took.
TEST_F(UsbDfuTest, StatusRepliesCutShortFailTheUpdateWhereTheDeviceIs) {
  struct Case {
    const char* name;
    sim::ShortStatusReplies fault;
    std::string status;
    bool retried;  // ten more polls a second apart before the failure
  };
  const Case cases[] = {
      {"empty from the first poll", {0, 0}, "Cannot get status", false},
      {"5 bytes from the first poll", {5, 0}, "Cannot get status", false},
      {"empty from block 1", {0, 1}, "Cannot get status 5 [0]", true},
      {"5 bytes from block 2", {5, 2}, "Cannot get status 5 [0]", true},
      {"empty once the whole image is held", {0, 3}, "Cannot get status 6 [0]", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_in_dfu_mode(0x6000, [&](BlueCoreDfuOptions& o) { o.short_status = c.fault; });
    run_worker(image_file(0x6000, 0x6000));
    const Traffic traffic = take_traffic(*device);

    EXPECT_NE(m_report.updateProcessed(), update::k_update_succeeded);
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
    EXPECT_EQ(m_report.updateStatusAt(0), k_failed + c.status);
    const std::size_t held = std::min<std::size_t>(3000, static_cast<std::size_t>(c.fault.from_block) * 1023);
    const std::vector<std::uint8_t> image = downloaded();
    EXPECT_EQ(device->image(), std::vector<std::uint8_t>(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(held)));
    EXPECT_FALSE(device->final_block_number()) << "the download is never ended";
    EXPECT_EQ(device->phase(), sim::BlueCoreDfuPhase::dfu_mode);
    ASSERT_FALSE(traffic.dfu.empty());
    EXPECT_EQ(traffic.dfu.back(), status_of(0));
    if (c.retried) {
      ASSERT_GT(traffic.dfu.size(), 11u);
      const std::vector<DfuRequest> last(traffic.dfu.end() - 11, traffic.dfu.end());
      EXPECT_EQ(last, std::vector<DfuRequest>(11, status_of(0)));
      EXPECT_EQ(traffic.dfu_times.back() - traffic.dfu_times[traffic.dfu_times.size() - 11], 10s);
    }
    EXPECT_EQ(sim::open_handle_count(), 0);
    sim::reset();
  }
}

TEST_F(UsbDfuTest, ADeviceLeftInFirmwareManagementModeIsResetForAtMost300Rounds) {
  auto device = attach_in_dfu_mode(0x6000);
  // another boot loader that stays in DFU mode whatever it is sent
  sim::DfuModelOptions stuck;
  stuck.product_id = 0xE022;
  auto bystander = attach(std::make_shared<sim::DfuModel>(stuck));
  run_worker(image_file(0x6000, 0x6000));

  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded) << "the device itself came back";
  EXPECT_EQ(device->image(), downloaded());
  // 60 s of flash writing, 300 rounds of resets, one round to find the device, 6 s to close
  EXPECT_GE(took(), 60s + 300s + 1s + 6s);
  EXPECT_LT(took(), 60s + 300s + 1s + 6s + 5s);
  EXPECT_TRUE(bystander->present());
  EXPECT_EQ(bystander->request_7_count(), 1) << "asked to restart in the one round that found the device";
  bystander->take_received();
  take_traffic(*device);
}

TEST_F(UsbDfuTest, TheReEnumerationWaitIsBounded) {
  struct Case {
    const char* name;
    std::function<void(BlueCoreDfuOptions&)> fault;
    update::FamilyProcedure procedure;
    std::string status;
    int detaches;
  };
  const Case cases[] = {
      {"the device never detaches", [](auto& o) { o.ignores_detach = true; }, nullptr,
       "Cannot detach device. Try again.", 1},
      {"no re-enumeration", [](auto& o) { o.after_reset = sim::AfterReset::gone; }, nullptr,
       "Cannot identify device [0 / 1]", 1},
      // a device back in its normal mode is detached again; those rounds count
      {"back in normal mode each time", [](auto& o) {
         o.after_reset = sim::AfterReset::stays;
         o.bluecore.product_id = 0x4D10;
       }, from_detach_one, "Cannot identify device [0 / 1]", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BlueCoreDfuOptions options = sim::bluecore_dfu_fixture_6020(43, 0x4D10);
    options.start = sim::BlueCoreDfuPhase::download_mode;
    c.fault(options);
    auto device = attach(std::make_shared<BlueCoreDfuModel>(std::move(options)));
    recognized(0x4D10, 0x6021, 4, 3);
    run_worker(image_file(0x4D10, 0x4D10, 300), c.procedure);

    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_generic);
    EXPECT_EQ(m_report.updateStatusAt(0), k_failed + c.status);
    const Traffic traffic = take_traffic(*device);
    const auto detaches =
        std::count_if(traffic.dfu.begin(), traffic.dfu.end(), [](const DfuRequest& r) { return r.request == k_detach; });
    if (c.detaches != 0) {
      EXPECT_EQ(detaches, c.detaches);
    } else {
      EXPECT_GT(detaches, 100) << "detached again each time it came back";
    }
    if (c.status.starts_with("Cannot identify")) {
      // 301 rounds of a second, the box asking again after the 60th, closed at the end
      EXPECT_GE(took(), 301s);
      EXPECT_LT(took(), 302s);
      const std::string replug = *session::message_box_first_button(0x4D10, 0);
      const std::string replug_holding = *session::message_box_failure_first_button(0x4D10, 0);
      EXPECT_EQ(box_texts(), (std::vector<std::string>{replug, replug_holding}));
      EXPECT_EQ(m_services.boxes[1].request.size, session::MessageBoxSize::w420_h135);
      EXPECT_FALSE(m_services.box_open());
    }
    EXPECT_FALSE(device->final_block_number());
    EXPECT_EQ(sim::open_handle_count(), 0);
    m_services.boxes.clear();
    sim::reset();
  }
}

TEST_F(UsbDfuTest, ADeviceBackAs0xB020RestartsTheManagerToRecover) {
  auto device = attach_6020([](BlueCoreDfuOptions& o) { o.dfu_product_id = 0xB020; });
  m_page.file = image_file(0x6020, 0x6020);
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  press_update(operation, [&] { return operation.report().updateFinished(); });
  operation.timerMethodUpdate();

  EXPECT_EQ(operation.report().updateRestoreError(), update::k_update_error_restart);
  EXPECT_TRUE(m_services.state().restartToRecover());
  EXPECT_EQ(m_services.state().strRestartDFUFirmwareFile(), m_page.file);
  EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(), "stopManager"), 1);
  EXPECT_FALSE(device->final_block_number());
  take_traffic(*device);
}

TEST_F(UsbDfuTest, TwoTargetsEachCoverHalfOfTheRange) {
  std::shared_ptr<BlueCoreDfuModel> devices[2];
  for (auto& device : devices) {
    device = attach(std::make_shared<BlueCoreDfuModel>(sim::bluecore_dfu_fixture_in_dfu_mode(0xD310, 0x5310)));
  }
  recognized(0x5310, 0xD310);
  run_worker(image_file(0x5310, 0x5310, 5000), from_detach_two);

  EXPECT_EQ(m_report.updateProcessed(), update::k_update_succeeded);
  const Traffic first = take_traffic(*devices[0]);
  const Traffic second = take_traffic(*devices[1]);
  EXPECT_EQ(first.dfu, download_of(5000));
  EXPECT_EQ(devices[0]->image(), downloaded());
  EXPECT_EQ(devices[1]->image(), downloaded());
  EXPECT_EQ(second.dfu, download_of(5000));
  // the first target's blocks from 8 to 16, then the second's from 16 to 24
  // (the bar moves once a block has gone, up to the manifestation's status)
  const milliseconds second_starts = second.dfu_times[1];
  const milliseconds manifestation = second.dfu_times[second.dfu_times.size() - 2];
  std::vector<int> first_bars;
  std::vector<int> second_bars;
  for (const Sample& sample : m_samples) {
    if (sample.bar < 8 || sample.elapsed >= manifestation) continue;
    (sample.elapsed < second_starts ? first_bars : second_bars).push_back(sample.bar);
  }
  ASSERT_FALSE(first_bars.empty());
  ASSERT_FALSE(second_bars.empty());
  EXPECT_TRUE(std::is_sorted(first_bars.begin(), first_bars.end()));
  EXPECT_TRUE(std::is_sorted(second_bars.begin(), second_bars.end()));
  EXPECT_EQ(first_bars.front(), 8 + 16 * 1023 / 5000 / 2);
  EXPECT_EQ(first_bars.back(), 16);
  EXPECT_EQ(second_bars.front(), 16);
  EXPECT_NE(std::find(second_bars.begin(), second_bars.end(), 16 + 16 * 1023 / 5000 / 2), second_bars.end());
  EXPECT_EQ(second_bars.back(), 24);
  EXPECT_TRUE(m_services.boxes.empty());
}

// The camera's package: its Bluetooth part's DFU image and its camera part.
struct CameraPackage {
  std::vector<std::uint8_t> bluetooth;
  std::vector<std::uint8_t> camera;
  std::vector<std::uint8_t> bytes;
};
CameraPackage camera_package(std::uint32_t product_id = 0x3020, std::size_t parts = 2) {
  CameraPackage package;
  package.bluetooth = dfu_image("OPTRA#3020", 2100);
  package.camera = test_support::patterned_bytes(4000, 9);
  test_support::FirmwarePackage built;
  built.product_id = product_id;
  built.table_b = false;
  test_support::PackageSection bluetooth;
  bluetooth.data = package.bluetooth;
  test_support::PackageSection camera;
  camera.data = package.camera;
  built.sections = {bluetooth, camera};
  built.sections.resize(parts);
  package.bytes = built.build();
  return package;
}

class CameraSplitTest : public UsbDfuTest {
 protected:
  // The camera in DFU mode, and its disk when `with_disk`.
  std::shared_ptr<BlueCoreDfuModel> attach_camera(bool with_disk = true) {
    if (with_disk) {
      m_disk.write("optra.bin", std::string("marker"));
      ::setenv("VEXLINK_VOLUMES", m_disk.path().c_str(), 1);
    } else {
      ::setenv("VEXLINK_VOLUMES", "", 1);
    }
    return attach_in_dfu_mode(0x3020);
  }

  // Update button to the camera_copy_done box, resumed from a restart record, which the hand-over clears.
  void update_until_the_box(update::UpdateOperation& operation, const std::string& file) {
    m_services.state().setStrRestartDFUFirmwareFile(file);
    m_services.state().setIndexRestartDFUFirmwareLanguage(0);
    m_services.state().setDeviceVersionMajorRestartDFU(1);
    press_update(operation, [this] { return m_services.boxes_opened() > 0; });
  }

  std::filesystem::path app_file(const char* name) const { return m_app_folder.file(name); }

  test_support::TempFolder m_disk;
};

TEST_F(CameraSplitTest, TheCameraPartGoesToTheDiskAndOkEndsTheUpdate) {
  auto device = attach_camera();
  const CameraPackage package = camera_package();
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  update_until_the_box(operation, m_files.write("optra.img", package.bytes));

  // both parts were split; the Bluetooth part was flashed, the camera part moved
  EXPECT_EQ(platform::read_file(app_file("__optra_dfu_bluetooth__.img")), package.bluetooth);
  EXPECT_FALSE(std::filesystem::exists(app_file("__optra_firmware__.bin")));
  EXPECT_EQ(platform::read_file(m_disk.file("ruj40_100.bin")), package.camera);
  EXPECT_NE(m_console.find("FILE OK 2"), std::string::npos);
  EXPECT_EQ(device->image(), std::vector<std::uint8_t>(package.bluetooth.begin(), package.bluetooth.end() - 16));
  EXPECT_FALSE(m_services.state().isRestartDFU()) << "the restart record is cleared";
  EXPECT_EQ(m_services.state().indexRestartDFUFirmwareLanguage(), -1);
  EXPECT_EQ(m_services.state().deviceVersionMajorRestartDFU(), 0);

  // the box: the camera's restart steps with OK; the worker has ended, the update has not
  ASSERT_EQ(m_services.boxes.size(), 1u);
  const session::MessageBoxRequest& box = m_services.boxes[0].request;
  EXPECT_EQ(box.purpose, session::MessageBoxPurpose::camera_copy_done);
  EXPECT_EQ(box.message, *session::message_box_second_button(0x3020, 0));
  EXPECT_EQ(box.ok_title, CommonTexts::vyla_string_ok_in(0));
  EXPECT_FALSE(box.cancel_title);
  EXPECT_EQ(box.size, session::MessageBoxSize::w520_h205);
  EXPECT_FALSE(operation.report().updateFinished());
  const int bar = operation.report().updateProcessed();
  for (int tick = 0; tick < 5; ++tick) operation.timerMethodUpdate();
  EXPECT_EQ(operation.state(), update::k_state_updating);
  EXPECT_GT(operation.report().updateProcessed(), bar) << "the bar goes on alone";

  m_services.answer(true);
  EXPECT_TRUE(operation.checkOptraUpdateComplete());
  // one tick shows the success, the next hands over
  operation.timerMethodUpdate();
  operation.timerMethodUpdate();
  EXPECT_EQ(operation.state(), update::k_state_idle);
  EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                       "setDeviceRecognitionWithStatus_info_from 0 - 5"),
            1);
  EXPECT_EQ(m_services.calls.back().back(), '0') << "no warning";
  EXPECT_FALSE(m_services.state().takeOperationWarning());
  take_traffic(*device);
}

TEST_F(CameraSplitTest, WithoutTheCameraDiskTheEndIsAWarning) {
  auto device = attach_camera(false);
  update::UpdateOperation operation(session::k_mode_firmware_update, m_services, m_page);
  update_until_the_box(operation, m_files.write("optra.img", camera_package().bytes));

  EXPECT_NE(m_console.find("ERROR"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(app_file("__optra_firmware__.bin"))) << "the part stays";
  const std::string warning = k_failed + "Camera firmware update failed";
  EXPECT_EQ(operation.report().updateStatusAt(0), warning);
  m_services.answer(true);
  // the tick that shows the success keeps the warning of the part that did not take
  operation.timerMethodUpdate();
  EXPECT_EQ(m_services.calls.back(), "setStatus_withWarning " + warning + " 1");
  operation.timerMethodUpdate();
  EXPECT_EQ(operation.state(), update::k_state_idle);
  EXPECT_TRUE(operation.report().succeeded()) << "the Bluetooth part took";
  EXPECT_EQ(std::count(m_services.calls.begin(), m_services.calls.end(),
                       "setDeviceRecognitionWithStatus_info_from 0 - 5"),
            1);
  const auto status = std::find_if(m_services.calls.rbegin(), m_services.calls.rend(),
                                   [](const std::string& call) { return call.starts_with("setStatus_withWarning"); });
  ASSERT_NE(status, m_services.calls.rend());
  EXPECT_EQ(*status, "setStatus_withWarning " + warning + " 1") << "red";
  // and it stays for the page that recognition hands back
  const auto kept = m_services.state().takeOperationWarning();
  ASSERT_TRUE(kept);
  EXPECT_EQ((*kept)[0], warning);
  take_traffic(*device);
}

TEST_F(CameraSplitTest, APackageThatCannotBeSplitEndsBeforeTheDetach) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> package;
    bool in_the_way;  // a folder where the camera part goes
    std::string status;
  };
  const Case cases[] = {
      {"a package for another product", camera_package(0x3010).bytes, false, "Firmware corrupted"},
      {"a package without its camera part", camera_package(0x3020, 1).bytes, false, "Firmware corrupted"},
      {"a camera part that cannot be written", camera_package().bytes, true, "Cannot create file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto device = attach_camera();
    // a Bluetooth part of an earlier update, good enough to flash
    ASSERT_TRUE(platform::write_file_atomically(app_file("__optra_dfu_bluetooth__.img"), dfu_image("OPTRA#3020", 2100)));
    if (c.in_the_way) {
      std::filesystem::create_directories(app_file("__optra_firmware__.bin") / "in the way");
    }
    run_worker(m_files.write("optra.img", c.package));
    EXPECT_EQ(m_report.updateRestoreError(), update::k_update_error_firmware);
    EXPECT_EQ(m_report.updateStatusAt(0), k_failed + c.status);
    EXPECT_TRUE(take_traffic(*device).dfu.empty()) << "nothing flashed";
    EXPECT_TRUE(m_services.boxes.empty());
    std::filesystem::remove_all(app_file("__optra_firmware__.bin"));
    sim::reset();
  }
}

}  // namespace
