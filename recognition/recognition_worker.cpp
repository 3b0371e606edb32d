#include "recognition/recognition_worker.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "device_data/product_facts.h"
#include "platform/clock.h"
#include "platform/format.h"
#include "platform/log.h"
#include "recognition/legacy_usb_recognition.h"
#include "recognition/second_module.h"
#include "recognition/settings_blocks.h"
#include "recognition/settings_read.h"
#include "recognition/settings_write.h"
#include "strings/app_texts.h"
#include "strings/recognition_texts.h"
#include "transport/block_reply.h"
#include "transport/device_info_queries.h"
#include "transport/hid_commands.h"
#include "transport/open_device_guard.h"
#include "transport/stop_request.h"

namespace recognition {
namespace {

using namespace std::chrono_literals;

constexpr int k_hid_open_tries = 3;
using transport::k_command_version;
using transport::k_command_mode;
using transport::k_lang_pack_marker;
constexpr unsigned char k_command_fm_present = 0x1A;
constexpr unsigned char k_command_motion_present = 0x1B;
constexpr unsigned char k_command_pair_hold = 0x30;
constexpr int k_fm_show = 3, k_fm_hide = 4;
constexpr int k_motion_show = 5, k_motion_hide = 6;
// Name bytes a reply can carry: words 1 to 30 of a read-block reply, 58
// language-pack bytes.
constexpr int k_word_name_max_words = 30;
constexpr std::size_t k_text_name_max_bytes = 58;

// Pair product: two units that each hold their pairing during recognition.
constexpr std::uint32_t k_pair_product = 0x5345;

}  // namespace

// ---- hand-off ----

std::optional<std::string> RecognitionHandOff::strStatusThreadRecognizeAt(int language) const {
  if (language < 0 || language >= strings::k_language_count) return std::nullopt;
  std::lock_guard<std::mutex> lock(m_text_mutex);
  return m_texts[static_cast<std::size_t>(language)];
}

StatusTexts13 RecognitionHandOff::strStatusThreadRecognize() const {
  std::lock_guard<std::mutex> lock(m_text_mutex);
  return m_texts;
}

void RecognitionHandOff::setStrStatusThreadRecognize(const StatusTexts13& texts) {
  std::lock_guard<std::mutex> lock(m_text_mutex);
  m_texts = texts;
}

void RecognitionHandOff::reset_for_run() {
  setResultThreadRecognize(k_recognize_running);
  setStrStatusThreadRecognize({});
  setGoFirmwareUpgradeThreadRecognize(false);
  setDoWarnThreadRecognize(false);
}

// ---- one run ----

RecognitionRun::RecognitionRun(session::AppState& controller, RecognitionHandOff& hand_off,
                               const std::optional<FEXOBluetoothDeviceData>& info,
                               const std::atomic<bool>& stop_requested)
    : m_controller(controller), m_hand_off(hand_off), m_info(info), m_stop_requested(stop_requested) {}

void RecognitionRun::run() {
  m_controller.setRestartToRecover(false);
  m_controller.setModeRestartToRecover(0);
  // no calling page: whatever is found becomes the target
  if (m_hand_off.callerMode() == 0) m_controller.setDeviceTarget(0);

  HidEnd end = HidEnd::ended;
  {
    // whichever way the HID steps end, both slots are closed before the legacy
    // entry and before a result is handed over
    const transport::OpenDeviceGuard device;
    end = recognize_over_hid();
  }
  switch (end) {
    case HidEnd::recognized:
      finish_over_hid();
      break;
    case HidEnd::not_opened:
      if (!stopping()) enter_legacy_usb(false);
      break;
    case HidEnd::mode_declined:
      enter_legacy_usb(true);
      break;
    case HidEnd::ended:
      break;
  }
}

RecognitionRun::HidEnd RecognitionRun::recognize_over_hid() {
  if (!open_over_hid()) return HidEnd::not_opened;
  m_controller.setDeviceTarget(static_cast<int>(m_opened_product_id));
  if (!probe_mode(m_opened_product_id)) return HidEnd::mode_declined;
  m_controller.setDeviceTarget(static_cast<int>(m_opened_product_id));
  platform::system_log(platform::format("device PID[%x]", m_opened_product_id));
  const std::uint32_t target = static_cast<std::uint32_t>(m_controller.deviceTarget());
  query_presence(target);
  if (stopping()) return HidEnd::ended;
  read_device_name(target);
  hold_pair(target);
  read_versions(target);
  if (stopping()) return HidEnd::ended;
  read_second_module_versions(target);
  if (stopping()) return HidEnd::ended;
  if (m_info && !write_backed_up_settings(target)) return HidEnd::ended;
  read_settings_into_record(target);
  return stopping() ? HidEnd::ended : HidEnd::recognized;
}

bool RecognitionRun::open_over_hid() {
  for (int attempt = 0; attempt < k_hid_open_tries && !stopping(); ++attempt) {
    if (hid_open_device(m_opened_product_id, m_message) == 0) return true;
    // hidapi is released between tries, so the next enumeration starts afresh
    hid_close_all();
    platform::sleep_for(1s);
  }
  return false;
}

bool RecognitionRun::probe_mode(std::uint32_t product_id) {
  const device_data::ModeProbe probe = device_data::product_facts(static_cast<int>(product_id)).mode_probe;
  if (probe == device_data::ModeProbe::none) return true;
  m_request[0] = transport::k_hid_report_id;
  m_request[1] = k_command_mode;
  if (hid_long_command(0, m_request, m_reply) != 1) return false;
  const int mode = m_reply[3];
  platform::system_log(platform::format("rV = [%d]", mode));
  return probe == device_data::ModeProbe::hid_unless_mode_0 ? mode != 0 : mode == 0;
}

int RecognitionRun::send_plain_command(int slot, unsigned char command) {
  std::fill(m_request.begin() + 2, m_request.end(), 0);
  m_request[0] = transport::k_hid_report_id;
  m_request[1] = command;
  return hid_long_command(slot, m_request, m_reply);
}

int RecognitionRun::ask_presence(int slot, unsigned char command, int show, int hide, const char* what) {
  // a device that cannot answer keeps the row shown
  if (send_plain_command(slot, command) != 1) {
    platform::system_log(std::string(what) + " command fail");
    return show;
  }
  const bool present = m_reply[3] != 0;
  platform::system_log(std::string(what) + (present ? " show" : " hide"));
  return present ? show : hide;
}

void RecognitionRun::query_presence(std::uint32_t product_id) {
  const device_data::ProductFacts& facts = device_data::product_facts(static_cast<int>(product_id));
  m_controller.setFmRadioShowAndHide(transport::get_device_info_for_fm_radio_with_pskey(facts.fm_by_hardware_version));
  m_controller.setMotionSensorShowAndHide(k_motion_hide);
  m_controller.setDevice50SpeakerType(0);

  const device_data::FmPresenceQuery query = facts.fm_presence_query;
  if (query == device_data::FmPresenceQuery::slot_1_with_motion_sensor) {
    m_controller.setFmRadioShowAndHide(ask_presence(1, k_command_fm_present, k_fm_show, k_fm_hide, "LM6 fm"));
    m_controller.setMotionSensorShowAndHide(
        ask_presence(0, k_command_motion_present, k_motion_show, k_motion_hide, "LM6 motion"));
  } else if (query == device_data::FmPresenceQuery::slot_0) {
    m_controller.setFmRadioShowAndHide(ask_presence(0, k_command_fm_present, k_fm_show, k_fm_hide, "fm"));
  }

  m_controller.setDeviceInfoStatus(0);
  m_controller.setDeviceInfoStatus(transport::get_device_info_for_hd_speaker_with_pskey(facts.speaker_query));
}

std::optional<std::string> RecognitionRun::default_device_name(std::uint32_t product_id) {
  if (!device_data::product_facts(static_cast<int>(product_id)).default_name_is_catalogue_name) return std::nullopt;
  return AppTexts::vyla_product_name(static_cast<int>(product_id));
}

std::optional<std::string> RecognitionRun::read_word_name(int slot, unsigned char block) {
  m_request[0] = transport::k_hid_report_id;
  m_request[1] = transport::k_command_read_block;
  m_request[2] = block;
  if (hid_long_command(slot, m_request, m_reply) != 1) return std::nullopt;
  const int count = transport::block_reply_word_count(m_reply);
  if (count == 0) return std::nullopt;
  // word 0 is not part of the name; each further word carries one character in its low byte
  std::string name;
  for (int index = 1; index < count && index <= k_word_name_max_words; ++index) {
    const int character = transport::block_reply_low_byte(m_reply, index);
    if (character == 0) break;
    name.push_back(static_cast<char>(character));
  }
  return name;
}

std::optional<std::string> RecognitionRun::read_text_name(std::uint32_t) {
  m_lang_request[0] = transport::k_hid_report_id;
  m_lang_request[1] = k_lang_pack_marker;
  m_lang_request[2] = transport::k_lang_pack_read;
  m_lang_request[3] = 0x02;
  if (hid_lang_pack_command(0, m_lang_request, m_lang_reply) != 1 || m_lang_reply[4] == 0) return std::nullopt;
  const char* text = reinterpret_cast<const char*>(m_lang_reply.data() + 4);
  return std::string(text, strnlen(text, k_text_name_max_bytes));
}

void RecognitionRun::read_device_name(std::uint32_t product_id) {
  const device_data::ProductFacts& facts = device_data::product_facts(static_cast<int>(product_id));
  std::optional<std::string> name;
  switch (facts.name_source) {
    case device_data::NameSource::block_3c: name = read_word_name(0, 0x3C); break;
    case device_data::NameSource::language_pack: name = read_text_name(product_id); break;
    // a two-module product keeps its name in the unit on slot 1
    case device_data::NameSource::block_1d: name = read_word_name(facts.two_modules ? 1 : 0, 0x1D); break;
    case device_data::NameSource::none: break;
  }
  m_controller.data().setDeviceName(name ? name : default_device_name(product_id));
}

void RecognitionRun::hold_pair(std::uint32_t product_id) {
  if (product_id != k_pair_product) return;
  platform::system_log("+++1. TVQ HOLD START");
  if (send_plain_command(0, k_command_pair_hold) != 1) platform::system_log("+++1. TVQ HOLD FAIL");
  platform::system_log("+++2. TVQ HOLD START");
  if (send_plain_command(1, k_command_pair_hold) != 1) platform::system_log("+++2. TVQ HOLD FAIL");
}

void RecognitionRun::read_versions(std::uint32_t product_id) {
  FEXOBluetoothDeviceData& record = m_controller.data();
  int major = 1, minor = 0, type = 0, number = 0;
  int pack_type = 0, pack_major = 0, pack_minor = 0;
  bool set_pack = true;
  const device_data::VersionLayout layout = device_data::product_facts(static_cast<int>(product_id)).version_layout;

  if (layout == device_data::VersionLayout::language_pack) {
    m_lang_request[0] = transport::k_hid_report_id;
    m_lang_request[1] = k_lang_pack_marker;
    m_lang_request[2] = k_command_version;
    m_lang_request[3] = 0x00;
    if (hid_lang_pack_command(0, m_lang_request, m_lang_reply) == 1) {
      major = m_lang_reply[4], minor = m_lang_reply[5], type = m_lang_reply[6], number = m_lang_reply[7];
    }
    m_lang_request[3] = 0x01;
    if (hid_lang_pack_command(0, m_lang_request, m_lang_reply) == 1) {
      pack_type = m_lang_reply[8], pack_major = m_lang_reply[4], pack_minor = m_lang_reply[5];
    }
  } else if (layout == device_data::VersionLayout::pair_unit) {
    set_pack = false;
    type = 2;
    m_request[0] = transport::k_hid_report_id;
    m_request[1] = k_command_version;
    if (hid_long_command(0, m_request, m_reply) == 1) {
      major = m_reply[3], minor = m_reply[4], number = m_reply[5];
    }
  } else if (layout == device_data::VersionLayout::version_only) {
    set_pack = false;
    if (send_plain_command(0, k_command_version) == 1) {
      major = m_reply[3], minor = m_reply[4], type = m_reply[5], number = m_reply[6];
    }
  } else {
    m_request[0] = transport::k_hid_report_id;
    m_request[1] = k_command_version;
    if (hid_long_command(0, m_request, m_reply) == 1) {
      major = m_reply[3], minor = m_reply[4], type = m_reply[5], number = m_reply[6];
      pack_type = m_reply[8], pack_major = m_reply[9], pack_minor = m_reply[10];
    }
  }

  record.setDeviceVersionMajor_Minor(major, minor);
  record.setDeviceSecondaryVersionType(type);
  record.setDeviceSecondaryVersion(number);
  if (!set_pack) return;
  record.setDevicelanguagePackType(pack_type);
  record.setDevicelanguagePackTypeVerMajor(pack_major);
  record.setDevicelanguagePackTypeVerMinor(pack_minor);
  if (layout == device_data::VersionLayout::language_pack) {
    platform::system_log(platform::format("languagePack version = %d.%d.%d / ver %d.%d.%d",
                                          record.devicelanguagePackType(), record.devicelanguagePackTypeVerMajor(),
                                          record.devicelanguagePackTypeVerMinor(), m_lang_reply[9],
                                          m_lang_reply[10], m_lang_reply[11]));
  } else {
    platform::system_log(platform::format("languagePack version = %d.%d.%d", record.devicelanguagePackType(),
                                          record.devicelanguagePackTypeVerMajor(),
                                          record.devicelanguagePackTypeVerMinor()));
  }
}

void RecognitionRun::read_second_module_versions(std::uint32_t product_id) {
  recognition::read_second_module_versions(product_id, m_controller.data(),
                                           {m_request, m_reply, m_lang_request, m_lang_reply},
                                           {m_opened_product_id, m_message});
}

bool RecognitionRun::write_backed_up_settings(std::uint32_t product_id) {
  SettingsBlocks blocks({m_request, m_reply, m_lang_request, m_lang_reply});
  recognition::write_backed_up_settings(blocks, product_id, *m_info);
  return !stopping();
}

void RecognitionRun::read_settings_into_record(std::uint32_t product_id) {
  SettingsBlocks blocks({m_request, m_reply, m_lang_request, m_lang_reply});
  read_settings(blocks, product_id, m_controller, m_info);
  // the end of the read marks the record as recognized
  FEXOBluetoothDeviceData& record = m_controller.data();
  record.setManagerVersionMajor(session::k_manager_version_major);
  record.setManagerVersionMinor(session::k_manager_version_minor);
  record.setDeviceRecognized(m_controller.deviceTarget());
  m_controller.setRecognized(true);
  m_controller.setUsbStatus(static_cast<int>(m_opened_product_id));
}

StatusTexts13 RecognitionRun::success_texts() const {
  StatusTexts13 texts;
  const int mode = m_controller.mode();
  const int usb = m_controller.usbStatus();
  const std::string message(transport::message_text(m_message));
  for (int language = 0; language < strings::k_language_count; ++language) {
    const std::optional<std::string> format = AppTexts::vyla_status_success_usb_in(mode, usb, language);
    if (!format) continue;
    texts[static_cast<std::size_t>(language)] = platform::format(
        *format, DeviceRecognitionTexts::vyla_string_for_status_in(message, language).value_or(""),
        AppTexts::vyla_status_default_usb_in(mode + 1, usb, language).value_or(""));
  }
  return texts;
}

void RecognitionRun::store_tabs_of_record() const {
  const FEXOBluetoothDeviceData& record = m_controller.data();
  m_controller.setTabData(session::tab_data_for(record.deviceRecognized(), record.deviceVersionMajor(),
                                                record.deviceVersionMinor(), m_controller.fmRadioShowAndHide()));
}

void RecognitionRun::finish_over_hid() {
  // read_settings_into_record has marked the record as recognized
  store_tabs_of_record();

  m_hand_off.setStrStatusThreadRecognize(success_texts());
  m_hand_off.setGoFirmwareUpgradeThreadRecognize(true);
  m_hand_off.setResultThreadRecognize(k_recognize_success);
}

void RecognitionRun::enter_legacy_usb(bool from_mode_probe) {
  // the HID steps have closed both slots
  if (from_mode_probe) m_controller.setDeviceTarget(0);
  m_opened_product_id = 0;
  const int code = recognize_over_legacy_usb();
  if (code != 0) finish_with_open_failure(code);
}

int RecognitionRun::recognize_over_legacy_usb() {
  LegacyUsbRecognition legacy(*this, m_controller, m_hand_off, m_info, m_message);
  return legacy.run();
}

void RecognitionRun::finish_with_open_failure(int code) {
  StatusTexts13 texts;
  for (int language = 0; language < strings::k_language_count; ++language) {
    texts[static_cast<std::size_t>(language)] =
        platform::format("%@ [%d]", AppTexts::vyla_string_cannot_open_usb_in(language), code);
  }
  m_hand_off.setStrStatusThreadRecognize(texts);
  m_hand_off.setDoWarnThreadRecognize(true);
  m_hand_off.setResultThreadRecognize(k_recognize_failure);
}

void threadMethodRecognize(session::AppState& controller, RecognitionHandOff& hand_off,
                           const std::optional<FEXOBluetoothDeviceData>& info,
                           const std::atomic<bool>& stop_requested) {
  // a stop request also ends the device exchange in progress, so quitting never
  // waits for a silent or busy device
  transport::StopScope stop_scope(stop_requested);
  RecognitionRun run(controller, hand_off, info, stop_requested);
  run.run();
  if (hand_off.resultThreadRecognize() == k_recognize_running) {
    // stopped, or an exit that set no result: the page must still see an end
    run.finish_with_open_failure(-1);
  }
}

// ---- the thread ----

RecognitionWorker::RecognitionWorker(session::AppState& controller, RecognitionHandOff& hand_off)
    : m_controller(controller), m_hand_off(hand_off) {}

RecognitionWorker::~RecognitionWorker() { stop_and_join(); }

bool RecognitionWorker::start(std::optional<FEXOBluetoothDeviceData> info) {
  if (m_active) return false;
  m_worker.join();
  // another page's procedure may have left a device in a slot
  hid_close_all();
  m_hand_off.reset_for_run();
  m_info = std::move(info);
  m_active = true;
  m_worker.start([this] { threadMethodRecognize(m_controller, m_hand_off, m_info, m_worker.stop_flag()); });
  return true;
}

int RecognitionWorker::take_result() {
  const int result = m_hand_off.resultThreadRecognize();
  if (result <= 0 || !m_active) return result;
  m_worker.join();
  m_active = false;
  return result;
}

void RecognitionWorker::stop_and_join() {
  m_worker.stop_and_join();
  m_active = false;
}

}  // namespace recognition
