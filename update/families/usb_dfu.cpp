#include "update/families/usb_dfu.h"

#include <usb.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "device_data/product_facts.h"
#include "platform/clock.h"
#include "platform/format.h"
#include "platform/log.h"
#include "session/message_box.h"
#include "strings/common_texts.h"
#include "strings/product_catalogue.h"
#include "strings/status_texts.h"
#include "strings/update_texts.h"
#include "transport/bluecore_channel.h"
#include "transport/device_access.h"
#include "transport/dfu_requests.h"
#include "update/backup_step.h"
#include "update/families/camera_split.h"

namespace update::families {

namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

constexpr int k_pair_product = 0x5310;
constexpr int k_camera_product = 0x3020;
constexpr std::uint16_t k_maker_vendor_id = 0xF3A7;
constexpr int k_firmware_management_bit = 0x8000;
// The camera's id in firmware-management mode: a device that comes back with it
// has lost its firmware, and the manager restarts to recover it.
constexpr int k_recover_product = 0xB020;

// bc_open_devices modes, and their try budgets (one try a second).
constexpr int k_open_dfu_device = 1;
constexpr int k_open_hci_devices = 0;
constexpr int k_download_mode_tries = 20;
constexpr int k_hci_tries = 5;
// dfu_list_devices / dfu_open_device modes.
constexpr int k_list_all = 0;
constexpr int k_list_normal_mode = 1;
constexpr int k_list_management_mode = 2;

constexpr std::uint16_t k_key_version_record = 0x02A4;
constexpr std::uint16_t k_key_664 = 0x0298;
constexpr std::uint16_t k_key_665 = 0x0299;

constexpr std::uint8_t k_class_application_specific = 0xFE;
constexpr std::uint8_t k_app_idle = 0;
constexpr std::uint8_t k_app_detach = 1;
constexpr std::uint8_t k_dfu_idle = 2;
constexpr std::uint8_t k_dfu_dnbusy = 4;
constexpr std::uint8_t k_dfu_manifest = 7;
constexpr std::uint8_t k_dfu_error = 10;

// The boot loader takes its image in blocks of this many bytes, to interface 0.
constexpr std::size_t k_block_bytes = 1023;
constexpr int k_download_interface = 0;
// GETSTATUS, CLRSTATUS and DNLOAD failures a target may have, 1 s apart.
constexpr int k_target_retries = 10;
constexpr milliseconds k_retry_pause = 1s;
constexpr milliseconds k_after_block = 10ms;
// A target busy this long in a row never gets ready.
constexpr milliseconds k_busy_limit = 300s;
// The longest manifestation waited for, whatever the devices announce.
constexpr milliseconds k_manifest_limit = 300s;
// The longest slice of the manifestation wait, ms.
constexpr std::uint32_t k_manifest_slice_ms = 5000;
// Added to the announced time in the bar's divisor, so the bar never reaches
// the manifestation range's end by itself.
constexpr std::uint64_t k_manifest_divisor_extra_ms = 65000;

constexpr milliseconds k_round = 1s;
// Re-enumeration: the box asks again after 60 rounds, the wait ends after 301.
constexpr int k_replug_again_round = 60;
constexpr int k_reenumeration_rounds = 301;
// Devices taken in one re-enumeration round.
constexpr int k_most_taken = 10;
// The boot loader writes the image into flash before it lets go of the device.
constexpr milliseconds k_flash_write = 60s;
// Rounds of clearing devices left in firmware-management mode.
constexpr int k_management_rounds = 300;
// Rounds of waiting for the devices in normal mode; after them the update counts as done.
constexpr int k_normal_mode_rounds = 240;
// The camera restarts within these rounds, or is asked to by its box.
constexpr int k_camera_rounds = 11;
// 0x5310: rounds in a row after which the box asks to switch the unit off and on.
constexpr int k_pair_rounds_before_box = 11;

struct ProgressRange {
  int base;            // where the download starts
  int range;           // that the download covers
  int manifest_start;  // where the manifestation starts
  int manifest_range;  // that the manifestation may cover
  int timed_end;       // where the bar creeps to while the device restarts
};
constexpr ProgressRange k_single_progress{5, 11, 16, 84, 99};
constexpr ProgressRange k_pair_progress{8, 16, 24, 76, 90};

using device_data::product_facts;

// Sent into their download mode over HID first; there they show their id plus one.
bool sent_into_download_mode(int product) {
  return product_facts(product).update_family == device_data::UpdateFamily::download_mode;
}

// What `id` on the bus says while the re-enumeration is waited for: one of the
// family's normal-mode ids means a device did not detach, unless it is one
// that keeps its id (as the download-mode products do with their id plus one).
device_data::UsbDfuBusId bus_id_kind(int id) {
  if ((id & 1) != 0 && sent_into_download_mode(id - 1)) return device_data::UsbDfuBusId::kept_while_detached;
  return product_facts(id).usb_dfu_bus_id;
}

std::optional<int> substitute_tag(int recognized) {
  const int tag = product_facts(recognized).dfu_substitute_tag;
  if (tag == 0) return std::nullopt;
  return tag;
}

// Releases interface 0, resets and closes each handle; request 7 first when asked.
void release_reset_close(std::span<usb_dev_handle*> handles, bool request_7) {
  for (usb_dev_handle*& handle : handles) {
    if (handle == nullptr) continue;
    if (request_7) dfu_request_7(handle, k_download_interface);
    usb_release_interface(handle, k_download_interface);
    usb_reset(handle);
    usb_close(handle);
    handle = nullptr;
  }
}

// Failure tags: the step of the request that failed on `target` (" 5 [0]"),
// the devices found of those expected (" [1 / 2]"), and the status and state
// a target answered with (" (status 3 & state 10) [0]").
std::string target_step_tag(int step, int target) { return platform::format(" %d [%d]", step, target); }
std::string found_of_tag(int found, int expected) { return platform::format(" [%d / %d]", found, expected); }
std::string status_state_tag(const dfu_status& status, int target) {
  return platform::format(" (status %d & state %d) [%d]", status.bStatus, status.bState, target);
}

class UsbDfuUpdate {
 public:
  UsbDfuUpdate(UpdateRun& run, std::uint32_t manifest_seed)
      : m_run(run),
        m_report(run.report()),
        m_product(run.product()),
        m_progress(m_product == k_pair_product ? k_pair_progress : k_single_progress),
        m_random(manifest_seed) {}
  ~UsbDfuUpdate() { close_targets(false); }
  UsbDfuUpdate(const UsbDfuUpdate&) = delete;
  UsbDfuUpdate& operator=(const UsbDfuUpdate&) = delete;

  Exit update() {
    const transport::BlueCoreDevicesGuard bluecore;
    // check the device and the firmware
    if (!check_identity() || !check_firmware()) return Exit::close_and_finish;
    if (!backup_before_flashing(m_run, BackupTest::skip_in_firmware_management)) return Exit::close_and_finish;
    m_report.setUpdateProcessed(2);
    m_run.show_processing();
    prepare_ps_keys();
    bc_close_devices();
    return detach_and_download();
  }

  Exit update_known_targets(int count) {
    m_count = std::clamp(count, 1, 2);
    if (!check_firmware()) return Exit::close_and_finish;
    return detach_and_download();
  }

 private:
  struct Target {
    struct usb_device* device = nullptr;  // of the last bus scan
    usb_dev_handle* handle = nullptr;
    int interface_number = 0;
    bool claimed = false;
    dfu_status status{};
    std::size_t offset = 0;     // of the next block in the image
    std::size_t remaining = 0;  // bytes of the image not sent yet
    std::size_t block = 0;      // number of the next block
  };

  enum class Detach { failed, in_dfu_mode, detached };

  bool pair() const { return m_product == k_pair_product; }
  bool wait(milliseconds duration) { return m_run.wait(duration); }

  Exit fail(const TextIn& reason, std::string tag = {}) {
    m_run.show_failure(reason_with_tag(reason, std::move(tag)));
    return Exit::close_and_finish;
  }

  bool not_recognized(const std::string& why) {
    platform::system_log("USB DFU identity: " + why);
    m_run.fail(k_update_error_device, CommonTexts::vyla_string_not_recognized_device_in);
    return false;
  }

  // Only a device sent into its download mode, or one recognized in
  // firmware-management mode, shows up under a download or management id;
  // every other model is updated from its normal mode, as recognized.
  bool waits_for_download_mode() const {
    return sent_into_download_mode(m_product) || m_run.usb_status() >= k_firmware_management_bit;
  }

  // identity check: the device, checked over the BlueCore channel against the record.
  bool check_identity() {
    std::array<std::uint32_t, 2> ids{};
    if (waits_for_download_mode()) {
      // wait for the download-mode device
      if (bc_open_devices_retry(ids, m_run.message(), k_download_mode_tries, k_open_dfu_device) != 0) {
        return not_recognized(std::string(transport::message_text(m_run.message())));
      }
      dfu_close_device();
      ids = {};
    }
    if (bc_open_devices_retry(ids, m_run.message(), k_hci_tries, k_open_hci_devices) != 0) {
      return not_recognized(std::string(transport::message_text(m_run.message())));
    }
    m_count = bc_device_count();
    bc_select_device(0);
    int opened = static_cast<int>(ids[0]);
    if (pair()) {
      // the unit's device in firmware-management mode speaks for it
      if (m_count == 2 && (ids[1] & k_firmware_management_bit) != 0) opened = static_cast<int>(ids[1]);
    } else if (m_count != 1) {
      return not_recognized(platform::format("%d devices", m_count));
    }
    if (sent_into_download_mode(m_product)) {
      m_run.set_usb_status(m_run.usb_status() < k_firmware_management_bit ? m_product + 1
                                                                          : (m_product | k_firmware_management_bit));
    }
    if (opened != m_run.usb_status()) {
      return not_recognized(platform::format("opened %04X, expected %04X", opened, m_run.usb_status()));
    }
    m_opened = opened;
    if (management_mode()) return true;

    const FEXOBluetoothDeviceData& record = m_run.record();
    for (int i = 0; i < m_count; ++i) {
      int reported = bc_query_product_id();
      // the oldest units report nothing
      if (reported < 1) reported = 0x4D10;
      if (reported != record.deviceRecognized()) {
        return not_recognized(platform::format("reports %04X, recognition read %04X", reported, record.deviceRecognized()));
      }
      std::uint32_t major = 0;
      std::uint32_t minor = 0;
      std::uint32_t type = 0;
      std::uint32_t secondary = 0;
      bc_query_versions(static_cast<std::uint32_t>(reported), major, minor, type, secondary);
      if (record.compareVersionWithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
              static_cast<int>(major), static_cast<int>(minor), static_cast<int>(type), static_cast<int>(secondary)) != 0) {
        return not_recognized(platform::format("version %d.%d.%d.%d, recognition read %d.%d.%d.%d", major, minor,
                                               type, secondary, record.deviceVersionMajor(),
                                               record.deviceVersionMinor(), record.deviceSecondaryVersionType(),
                                               record.deviceSecondaryVersion()));
      }
    }
    return true;
  }

  bool management_mode() const { return m_opened < 1 || m_opened > 0x7FFF; }

  // image check: the DFU image with the model tag of the recognized product, or a substitute.
  bool check_firmware() {
    const int recognized = m_run.record().deviceRecognized();
    std::filesystem::path path = m_run.firmware_file();
    int tag_id = product_facts(recognized).dfu_tag_of_selected_product ? m_product : recognized;
    if (m_product == k_camera_product) {
      const std::optional<std::filesystem::path> bluetooth_part = split_camera_package(m_run);
      if (!bluetooth_part) return false;
      path = *bluetooth_part;
      tag_id = k_camera_product;
    }
    std::vector<int> tags{tag_id};
    if (const std::optional<int> substitute = substitute_tag(recognized)) tags.push_back(*substitute);
    if (const int third = product_facts(recognized).dfu_third_tag; third != 0) tags.push_back(third);
    const std::string model = ProductCatalogue::vyla_product_name_for_internal(recognized, 1).value_or(std::string());
    for (std::size_t i = 0; i < tags.size(); ++i) {
      std::string tag = platform::format("%@#%04X", model, tags[i]);
      m_image_bytes = firmware_load_checked_model(path.c_str(), m_run.package(), m_run.message(), tag);
      if (i == 0) m_report.setUpdateProcessed(1);
      if (m_image_bytes > 0) return true;
    }
    m_run.fail_firmware_check(recognized);
    return false;
  }

  // key clearing: keys of the older models, cleared so the new firmware writes its own;
  // a failed write leaves the update as good as it is.
  void prepare_ps_keys() {
    if (management_mode() || !product_facts(m_product).dfu_clears_ps_keys) return;
    if (m_run.record().compareVersionUpToMinorWithMajor_Minor(3, 2) < 0) {
      const std::uint16_t zero[2] = {0, 0};
      bc_ps_write(k_key_version_record, zero);
    }
    const std::uint16_t zero[1] = {0};
    bc_ps_write(k_key_664, zero);
    bc_ps_write(k_key_665, zero);
  }

  // Detach, re-enumeration, download and return.
  Exit detach_and_download() {
    m_report.start_timed_step(0, 0);
    m_report.setUpdateRestoreError(k_update_error_generic);
    if (pair()) {
      m_report.setAddUpdateProcessed(8);
    } else {
      m_report.setUpdateProcessed(3);
    }
    // enter update mode
    if (!list_targets()) return Exit::close_and_finish;
    switch (detach()) {
      case Detach::failed:
        return Exit::close_and_finish;
      case Detach::in_dfu_mode:
        return download();
      case Detach::detached:
        break;
    }
    std::optional<Exit> exit = wait_for_dfu_mode();
    if (exit) return *exit;
    return download();
  }

  // The first n devices with a DFU interface become the targets.
  bool list_targets() {
    std::array<struct usb_device*, 2> listed{};
    const int found = dfu_list_devices(k_list_all, std::span(listed).first(static_cast<std::size_t>(m_count)));
    if (found < m_count) {
      fail(UpdateTexts::vyla_string_cannot_get_device_in, found_of_tag(found, m_count));
      return false;
    }
    for (int i = 0; i < m_count; ++i) m_targets[static_cast<std::size_t>(i)] = Target{listed[static_cast<std::size_t>(i)]};
    return true;
  }

  // detach: every target opened and asked for its state; those in their
  // application are detached and reset, so they re-enumerate in DFU mode.
  Detach detach() {
    for (int i = 0; i < m_count; ++i) {
      Target& target = m_targets[static_cast<std::size_t>(i)];
      target.interface_number = dfu_find_interface(target.device);
      target.handle = transport::open_legacy_usb(target.device);
      if (target.handle == nullptr) return failed(UpdateTexts::vyla_string_cannot_open_device_in);
      target.claimed = usb_claim_interface(target.handle, target.interface_number) == 0;
      // a device asked to be re-plugged may still hold its interface
      if (!target.claimed && !m_report.openedMessageBox()) return failed(UpdateTexts::vyla_string_cannot_claim_device_in);
      if (dfu_get_status(target.handle, target.interface_number, &target.status) < 0) {
        return failed(UpdateTexts::vyla_string_cannot_get_status_in);
      }
      if (target.status.bState == k_dfu_error) {
        if (dfu_clear_status(target.handle, target.interface_number) < 0) {
          return failed(UpdateTexts::vyla_string_cannot_clear_status_in);
        }
        if (dfu_abort(target.handle, target.interface_number) < 0) {
          return failed(UpdateTexts::vyla_string_cannot_abort_previous_action_in);
        }
        if (dfu_get_status(target.handle, target.interface_number, &target.status) < 0) {
          return failed(UpdateTexts::vyla_string_cannot_get_status_in, target_step_tag(2, i));
        }
      }
    }
    bool all_in_dfu_mode = true;
    for (const Target& target : targets()) {
      platform::system_log(platform::format("1. status.bstate=[%d]", target.status.bState));
      all_in_dfu_mode = all_in_dfu_mode && target.status.bState == k_dfu_idle;
    }
    if (all_in_dfu_mode) return Detach::in_dfu_mode;

    for (int i = 0; i < m_count; ++i) {
      Target& target = m_targets[static_cast<std::size_t>(i)];
      if (target.status.bState == k_dfu_idle) continue;
      platform::system_log(platform::format("2. status.bstate=[%d]", target.status.bState));
      if (target.status.bState != k_app_idle) return failed(UpdateTexts::vyla_string_cannot_detach_device_not_idle_in);
      m_detached_vendor_ids.push_back(target.device->descriptor.idVendor);
      if (dfu_detach(target.handle, target.interface_number) < 0) {
        return failed(UpdateTexts::vyla_string_cannot_detach_device_in);
      }
      if (dfu_get_status(target.handle, target.interface_number, &target.status) < 0) {
        return failed(UpdateTexts::vyla_string_cannot_get_status_in, target_step_tag(3, i));
      }
      if (target.status.bState != k_app_detach) {
        return failed(UpdateTexts::vyla_string_cannot_detach_device_try_again_in);
      }
    }
    close_targets(true);

    if (!product_facts(m_product).dfu_detach_without_box && !m_report.openedMessageBox()) {
      show_notice(session::message_box_first_button(m_product, language()), session::MessageBoxSize::w420_h115);
    }
    // the bar stands while the device re-enumerates, with or without a box
    m_report.setOpenedMessageBox(true);
    return Detach::detached;
  }

  Detach failed(const TextIn& reason, std::string tag = {}) {
    close_targets(false);
    fail(reason, std::move(tag));
    return Detach::failed;
  }

  // re-enumeration: one round a second until the n targets are back in DFU mode, at most
  // 301 rounds (detaching again counts among them). Nothing when
  // they are open and in dfuIDLE, else the exit to take.
  std::optional<Exit> wait_for_dfu_mode() {
    std::array<struct usb_device*, k_most_taken> taken{};
    int taken_count = 0;
    for (int round = 1;; ++round) {
      if (!wait(k_round)) return Exit::close_and_finish;
      usb_find_busses();
      usb_find_devices();
      taken_count = 0;
      bool still_attached = false;
      for (usb_bus* bus = usb_get_busses(); bus != nullptr && !still_attached; bus = bus->next) {
        for (struct usb_device* device = bus->devices; device != nullptr; device = device->next) {
          const usb_device_descriptor& descriptor = device->descriptor;
          const int product = descriptor.idProduct;
          const device_data::UsbDfuBusId kind = bus_id_kind(product);
          if (descriptor.idVendor == k_maker_vendor_id &&
              (kind != device_data::UsbDfuBusId::other || product == k_recover_product)) {
            if ((product | k_firmware_management_bit) == k_recover_product) {
              platform::system_log(platform::format("device back as %04X: restart to recover", product));
              m_report.setUpdateRestoreError(k_update_error_restart);
              return Exit::close_and_finish;
            }
            if (kind != device_data::UsbDfuBusId::kept_while_detached) {
              still_attached = true;
              break;
            }
            continue;
          }
          if (descriptor.bDeviceClass == k_class_application_specific &&
              std::ranges::find(m_detached_vendor_ids, descriptor.idVendor) != m_detached_vendor_ids.end() &&
              dfu_find_interface(device) == 0 && taken_count < k_most_taken) {
            taken[static_cast<std::size_t>(taken_count++)] = device;
          }
        }
      }
      if (still_attached) {
        // the device did not detach: detach once more
        taken_count = 0;
        if (!list_targets()) return Exit::close_and_finish;
        switch (detach()) {
          case Detach::failed:
            return Exit::close_and_finish;
          case Detach::in_dfu_mode:
            // in DFU mode after all: the replug request is over
            if (m_report.openedMessageBox()) m_run.close_notice();
            return std::nullopt;
          case Detach::detached:
            break;
        }
      }
      if (taken_count >= m_count) break;
      if (round == k_replug_again_round && m_report.openedMessageBox()) {
        m_run.close_message_box();
        show_notice(session::message_box_failure_first_button(m_product, language()), session::MessageBoxSize::w420_h135);
      }
      if (round >= k_reenumeration_rounds) {
        if (m_report.openedMessageBox()) m_run.close_notice();
        break;
      }
    }
    if (taken_count != m_count) {
      platform::system_log(platform::format("%d devices re-enumerated in DFU mode, %d expected", taken_count, m_count));
      return fail(UpdateTexts::vyla_string_cannot_identify_device_in, found_of_tag(taken_count, m_count));
    }

    // open the targets in DFU mode
    for (int i = 0; i < m_count; ++i) {
      Target& target = m_targets[static_cast<std::size_t>(i)];
      target = Target{taken[static_cast<std::size_t>(i)]};
      target.handle = transport::open_legacy_usb(target.device);
      if (target.handle == nullptr) return fail(UpdateTexts::vyla_string_cannot_open_device_in, target_step_tag(2, i));
      target.claimed = usb_claim_interface(target.handle, k_download_interface) == 0;
      if (!target.claimed) return fail(UpdateTexts::vyla_string_cannot_claim_device_in, target_step_tag(2, i));
      if (dfu_get_status(target.handle, k_download_interface, &target.status) < 0) {
        return fail(UpdateTexts::vyla_string_cannot_get_status_in, target_step_tag(4, i));
      }
      if (target.status.bState != k_dfu_idle) return fail(UpdateTexts::vyla_string_cannot_use_device_in);
    }
    m_report.setUpdateProcessed(m_progress.base);
    if (pair()) m_report.setAddUpdateProcessed(0);
    m_run.close_notice();
    return std::nullopt;
  }

  // download: write.
  Exit download() {
    const std::uint8_t* image = m_run.package().get();
    for (int i = 0; i < m_count; ++i) {
      Target& target = m_targets[static_cast<std::size_t>(i)];
      target.offset = 0;
      target.remaining = m_image_bytes;
      target.block = 0;
      int retries = k_target_retries;
      std::optional<platform::Clock::time_point> busy_since;
      while (target.remaining > 0) {
        if (dfu_get_status(target.handle, k_download_interface, &target.status) < 0) {
          if (retries-- > 0 && wait(k_retry_pause)) continue;
          return fail(UpdateTexts::vyla_string_cannot_get_status_in, target_step_tag(5, i));
        }
        const dfu_status& status = target.status;
        if (status.bStatus != 0) {
          dfu_clear_status(target.handle, k_download_interface);
          if (retries-- > 0 && wait(k_retry_pause)) continue;
          return fail(UpdateTexts::vyla_string_aborting_in, status_state_tag(status, i));
        }
        if (status.bState == k_dfu_dnbusy || status.bState == k_dfu_manifest) {
          // busy with the last block: wait as long as it asks, 300 s in a row at most
          const platform::Clock::time_point now = platform::now();
          if (!busy_since) busy_since = now;
          const auto busy_for = std::chrono::ceil<milliseconds>(now - *busy_since);
          if (busy_for >= k_busy_limit) {
            platform::system_log(platform::format("target %d busy for 300 s", i));
            return fail(UpdateTexts::vyla_string_cannot_get_status_in, target_step_tag(5, i));
          }
          const milliseconds poll(dfu_poll_timeout_ms(status));
          if (!wait(std::clamp(poll, milliseconds(1), k_busy_limit - busy_for))) return Exit::close_and_finish;
          continue;
        }
        busy_since.reset();

        const std::size_t length = std::min(k_block_bytes, target.remaining);
        const int sent = dfu_download(target.handle, k_download_interface, static_cast<std::uint16_t>(target.block),
                                      image + target.offset, static_cast<int>(length));
        // a block the device did not take is sent again
        if (sent <= 0) {
          if (retries-- > 0 && wait(k_retry_pause)) continue;
          platform::system_log(platform::format("block %d of target %d refused: %d", static_cast<int>(target.block), i, sent));
          return fail(UpdateTexts::vyla_string_cannot_update_next_block_in);
        }
        if (!wait(k_after_block)) return Exit::close_and_finish;
        const std::size_t taken = std::min(static_cast<std::size_t>(sent), length);
        show_download_progress(i, target.block * k_block_bytes + taken);
        target.offset += taken;
        target.remaining -= taken;
        ++target.block;
      }
      if (!wait(k_round)) return Exit::close_and_finish;
    }
    return manifest();
  }

  void show_download_progress(int target, std::size_t bytes_done) {
    std::size_t quotient = bytes_done * static_cast<std::size_t>(m_progress.range) / m_image_bytes;
    int start = m_progress.base;
    if (m_count == 2) {
      quotient /= 2;
      if (target == 1) start += m_progress.range / 2;
    }
    m_report.setUpdateProcessed(start + static_cast<int>(quotient));
  }

  // The manifestation the devices announce, then the empty block.
  Exit manifest() {
    m_report.setUpdateProcessed(m_progress.manifest_start);
    std::uint64_t announced_ms = 0;
    for (int i = 0; i < m_count; ++i) {
      Target& target = m_targets[static_cast<std::size_t>(i)];
      if (dfu_get_status(target.handle, k_download_interface, &target.status) < 0) {
        return fail(UpdateTexts::vyla_string_cannot_get_status_in, target_step_tag(6, i));
      }
      announced_ms += dfu_poll_timeout_ms(target.status);
    }
    const std::uint64_t waited_ms = std::min<std::uint64_t>(announced_ms, k_manifest_limit.count());
    if (waited_ms < announced_ms) {
      platform::system_log(platform::format("manifestation of %d ms announced; waiting 300 s", announced_ms));
    }
    const milliseconds manifestation(static_cast<milliseconds::rep>(waited_ms));
    const std::uint64_t divisor_ms = waited_ms + k_manifest_divisor_extra_ms;
    const platform::Clock::time_point started = platform::now();
    for (;;) {
      const auto elapsed = std::chrono::floor<milliseconds>(platform::now() - started);
      if (elapsed >= manifestation) break;
      const milliseconds slice(m_random() % k_manifest_slice_ms + 1);
      if (!wait(std::min(slice, manifestation - elapsed))) return Exit::close_and_finish;
      const auto done = std::chrono::floor<milliseconds>(platform::now() - started);
      m_report.setUpdateProcessed(m_progress.manifest_start +
                                  static_cast<int>(static_cast<std::uint64_t>(done.count()) *
                                                   static_cast<std::uint64_t>(m_progress.manifest_range) / divisor_ms));
    }
    for (Target& target : targets()) {
      if (target.remaining != 0) continue;
      if (dfu_download(target.handle, k_download_interface, static_cast<std::uint16_t>(target.block), nullptr, 0) < 0) {
        return fail(UpdateTexts::vyla_string_cannot_send_final_block_in);
      }
    }
    return after_download();
  }

  // return: leave, and wait for the devices to return in normal mode.
  Exit after_download() {
    const int processed = m_report.updateProcessed();
    m_report.start_timed_step(processed, m_progress.timed_end - processed);
    const bool camera = m_product == k_camera_product;
    if (camera) {
      updateOptraFirmware(m_run);
      m_run.clear_restart_record();
    }
    if (!wait(k_flash_write)) return Exit::close_and_finish;
    close_targets(true);
    if (camera) return camera_end();

    if (pair()) m_report.setAddUpdateProcessed(99);
    if (!clear_management_mode()) return Exit::close_and_finish;
    if (!product_facts(m_product).dfu_restart_without_box) {
      show_notice(session::message_box_second_button(m_product, language()), session::MessageBoxSize::w420_h115);
      m_report.setOpenedMessageBox(true);
    }
    if (!wait_for_normal_mode()) return Exit::close_and_finish;

    m_run.close_notice();
    if (!wait(4s)) return Exit::close_and_finish;
    if (!pair()) m_run.close_message_box();
    m_report.setOpenedMessageBox(false);
    if (!wait(2s)) return Exit::close_and_finish;
    m_report.setUpdateProcessed(k_update_succeeded);
    if (pair()) wait(1s);
    return Exit::finish;
  }

  // Devices still in firmware-management mode are reset until none is
  // left, at most 300 rounds.
  bool clear_management_mode() {
    int handled = 0;
    for (int round = 0; round < k_management_rounds; ++round) {
      if (!wait(k_round)) return false;
      std::array<usb_dev_handle*, 2> handles{};
      const int opened = dfu_open_device(k_list_management_mode, handles.data(), m_count);
      release_reset_close(std::span(handles).first(static_cast<std::size_t>(opened)), false);
      if (opened == 0) break;
      handled += opened;
      if (pair() && handled > m_count && !m_report.openedMessageBox()) {
        show_notice(session::message_box_first_button(m_product, language()), session::MessageBoxSize::w420_h115);
        m_report.setOpenedMessageBox(true);
      }
      if (round + 1 == k_management_rounds) platform::system_log("devices still in firmware-management mode after 300 s");
    }
    if (m_report.openedMessageBox()) m_run.close_notice();
    return true;
  }

  // One round of the restart: devices in firmware-management mode get
  // request 7, every device a reset. Returns the devices found in normal mode.
  int restart_round() {
    std::array<usb_dev_handle*, 2> handles{};
    const int management = dfu_open_device(k_list_management_mode, handles.data(), m_count);
    release_reset_close(std::span(handles).first(static_cast<std::size_t>(management)), true);
    const int normal = dfu_open_device(k_list_normal_mode, handles.data(), m_count);
    release_reset_close(std::span(handles).first(static_cast<std::size_t>(normal)), false);
    return normal;
  }

  // Once a second until the n devices are back in normal mode; after
  // 240 rounds the update counts as done all the same.
  bool wait_for_normal_mode() {
    int rounds_with = 0;
    int rounds_without = 0;
    for (int round = 0; round < k_normal_mode_rounds; ++round) {
      if (!wait(k_round)) return false;
      const int normal = restart_round();
      if (normal == m_count) return true;
      if (!pair()) continue;
      rounds_with = normal > 0 ? rounds_with + 1 : 0;
      rounds_without = normal > 0 ? 0 : rounds_without + 1;
      if (!m_report.openedMessageBox() &&
          (rounds_with >= k_pair_rounds_before_box || rounds_without >= k_pair_rounds_before_box)) {
        show_notice(session::message_box_second_button(m_product, language()), session::MessageBoxSize::w420_h115);
        m_report.setOpenedMessageBox(true);
      }
    }
    platform::system_log("devices not back in normal mode after 240 s");
    return true;
  }

  // The camera: the user confirms the end once it has restarted.
  Exit camera_end() {
    for (int round = 0; round < k_camera_rounds; ++round) {
      if (!wait(k_round)) return Exit::close_and_finish;
      if (restart_round() == m_count) break;
    }
    open_camera_end_box(m_run);
    return Exit::release;
  }

  // A notice without buttons while the device restarts; none for a product without its text.
  void show_notice(const std::optional<std::string>& text, session::MessageBoxSize size) {
    if (!text) return;
    m_run.show_notice({*text, true, std::nullopt, std::nullopt, size, session::MessageBoxPurpose::update_notice_other});
  }

  int language() { return m_run.language(); }

  std::span<Target> targets() { return std::span(m_targets).first(static_cast<std::size_t>(m_count)); }

  // Closes every open target: its interface released, the device reset first when asked.
  void close_targets(bool reset) {
    for (Target& target : m_targets) {
      if (target.handle == nullptr) continue;
      if (target.claimed) usb_release_interface(target.handle, target.interface_number);
      if (reset) usb_reset(target.handle);
      usb_close(target.handle);
      target.handle = nullptr;
      target.claimed = false;
    }
  }

  UpdateRun& m_run;
  UpdateReport& m_report;
  const int m_product;
  const ProgressRange m_progress;
  std::minstd_rand m_random;
  int m_count = 1;
  int m_opened = 0;
  std::size_t m_image_bytes = 0;
  std::array<Target, 2> m_targets{};
  std::vector<std::uint16_t> m_detached_vendor_ids;
};

std::uint32_t seed_from_clock() {
  return static_cast<std::uint32_t>(platform::now().time_since_epoch().count());
}

}  // namespace

Exit usb_dfu_update(UpdateRun& run) { return usb_dfu_update_seeded(run, seed_from_clock()); }

Exit usb_dfu_update_seeded(UpdateRun& run, std::uint32_t manifest_seed) {
  return UsbDfuUpdate(run, manifest_seed).update();
}

Exit usb_dfu_update_from_detach(UpdateRun& run, int target_count, std::uint32_t manifest_seed) {
  return UsbDfuUpdate(run, manifest_seed).update_known_targets(target_count);
}

}  // namespace update::families
