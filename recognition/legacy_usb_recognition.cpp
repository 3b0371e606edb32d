#include "recognition/legacy_usb_recognition.h"

#include <cstring>

#include "platform/format.h"
#include "recognition/power_table.h"
#include "recognition/ps_key_restore.h"
#include "recognition/recognition_worker.h"
#include "strings/app_texts.h"
#include "strings/recognition_texts.h"
#include "transport/bluecore_channel.h"
#include "transport/bluecore_usb_ids.h"
#include "transport/stop_request.h"

namespace recognition {
namespace {

constexpr int k_open_budget = 20;
constexpr int k_open_hci_devices = 0;
constexpr int k_open_dfu_device = 1;
// What the DFU pass answers when no device in firmware-management mode is attached.
constexpr int k_dfu_device_not_available = 1;
// What the run ends with when the second device of a pair is not the same unit,
// as the open does for a pair that does not match.
constexpr int k_pair_mismatch = -5;
// A device that answers no product id is taken for the first model of the range.
constexpr std::int32_t k_default_product = 0x4D10;
constexpr const char* k_default_name = "XA9";
// The camera's storage is missing: the texts carry this code.
constexpr int k_camera_storage_missing = 1000;
constexpr std::int32_t k_camera = 0x3020;
// Key reads: room for the longest key, so a key of an unexpected length is
// read whole and judged by its length.
constexpr std::size_t k_key_buffer_bytes = 256;

using KeyBuffer = std::array<std::uint8_t, k_key_buffer_bytes>;

// "%02X%02X%02X" of the bytes at the three indexes.
std::string hex_bytes(const std::array<std::uint8_t, 8>& address, int a, int b, int c) {
  return platform::format("%02X%02X%02X", address[static_cast<std::size_t>(a)], address[static_cast<std::size_t>(b)],
                          address[static_cast<std::size_t>(c)]);
}

// The lower 24 bits of the address, most significant first.
std::string last_six(const std::array<std::uint8_t, 8>& address) { return hex_bytes(address, 0, 3, 2); }

// NAP and UAP, then the lower 24 bits in brackets.
std::string bd_address(const std::array<std::uint8_t, 8>& address) {
  return hex_bytes(address, 7, 6, 4) + "[" + last_six(address) + "]";
}

// A one-word key: the word when exactly one word came back.
std::optional<std::uint16_t> read_word(std::uint16_t key) {
  KeyBuffer buffer{};
  if (bc_ps_read_j46(key, buffer) != 2) return std::nullopt;
  return word_at(buffer, 0);
}

}  // namespace

LegacyUsbRecognition::LegacyUsbRecognition(const RecognitionRun& run, session::AppState& controller,
                                           RecognitionHandOff& hand_off,
                                           const std::optional<FEXOBluetoothDeviceData>& info,
                                           transport_message& message)
    : m_run(run), m_controller(controller), m_hand_off(hand_off), m_info(info), m_message(message) {}

int LegacyUsbRecognition::run() {
  const transport::BlueCoreDevicesGuard devices;
  std::array<std::uint32_t, 2> ids{};
  // a device left in firmware-management mode is opened once through the DFU
  // interface first, which brings it back to its HCI interface; when none is
  // attached there is nothing to bring back and the HCI pass looks for a device
  // in its normal mode, the page still ready for one that shows up in
  // firmware-management mode later
  if (m_hand_off.isFirst()) {
    const int code = bc_open_devices_retry(ids, m_message, k_open_budget, k_open_dfu_device);
    if (code == 0) {
      dfu_close_device();
      m_hand_off.setIsFirst(false);
    } else if (code != k_dfu_device_not_available) {
      return code;
    }
  }
  ids = {};
  if (const int code = bc_open_devices_retry(ids, m_message, k_open_budget, k_open_hci_devices); code != 0) {
    return code;
  }
  return device_loop(ids);
}

int LegacyUsbRecognition::device_loop(const std::array<std::uint32_t, 2>& opened_ids) {
  LoopEnd end;
  {
    // whichever way the loop ends, the devices are closed before a result is handed over
    const transport::BlueCoreDevicesGuard devices;
    end = visit_devices(opened_ids);
  }
  if (end.mismatch) {
    // the unit was not recognized: nothing of the first device stands
    m_controller.setRecognized(false);
    m_controller.setUsbStatus(0);
    m_hand_off.setGoFirmwareUpgradeThreadRecognize(false);
    return k_pair_mismatch;
  }
  int result = end.result;
  if (m_hand_off.goFirmwareUpgradeThreadRecognize()) {
    result = k_recognize_success;
  } else if (m_hand_off.doWarnThreadRecognize()) {
    result = k_recognize_failure;
  }
  if (result != k_recognize_running) m_hand_off.setResultThreadRecognize(result);
  return 0;
}

LegacyUsbRecognition::LoopEnd LegacyUsbRecognition::visit_devices(const std::array<std::uint32_t, 2>& opened_ids) {
  LoopEnd end;
  const int count = std::min(bc_device_count(), static_cast<int>(opened_ids.size()));
  const bool pair = count == 2;
  for (int index = 0; index < count && !transport::stop_requested(); ++index) {
    bc_select_device(index);
    const std::uint32_t opened_id = opened_ids[static_cast<std::size_t>(index)];
    if (opened_id == 0) continue;
    if (opened_id >= transport::k_firmware_management_bit) {
      firmware_management_exit(opened_id);
      continue;
    }
    Reading reading;
    if (!read_device(opened_id, reading)) break;
    if (pair && index == 1) {
      if (same_unit(opened_ids[0], opened_id, reading)) {
        FEXOBluetoothDeviceData& record = m_controller.data();
        record.setBdAddress(record.bdAddress().value_or("") + " _ " + bd_address(reading.address));
      } else {
        end.mismatch = true;
      }
      break;
    }
    fill_record(reading, pair);
    m_controller.setRecognized(true);
    m_controller.setUsbStatus(static_cast<int>(opened_id));
    if (!pair) m_run.store_tabs_of_record();
    if (!m_controller.isDeviceTargetSameAs(reading.product)) {
      end.result = k_recognize_other_device;
      continue;
    }
    m_hand_off.setStrStatusThreadRecognize(m_run.success_texts());
    m_hand_off.setGoFirmwareUpgradeThreadRecognize(true);
  }
  return end;
}

bool LegacyUsbRecognition::read_device(std::uint32_t opened_id, Reading& reading) {
  FEXOBluetoothDeviceData& record = m_controller.data();
  if (m_controller.deviceTarget() == 0) m_controller.setDeviceTarget(static_cast<int>(opened_id));
  reading.product = bc_query_product_id();

  // a camera is worked with through its storage, which must be mounted
  if (m_controller.deviceTarget() == k_camera && !m_controller.getCameraDiskPath()) {
    warn_with([](int language) {
      return platform::format("%@ [%d]", AppTexts::vyla_string_check_sd_card_in(language), k_camera_storage_missing);
    });
    m_controller.setUsbStatus(0);
    return false;
  }
  if (reading.product <= 0) reading.product = k_default_product;

  bc_read_bdaddr(reading.address);
  record.setLastSixBDAddress(last_six(reading.address));

  // radio power table, by the selected product and the unit's address range
  const int target = m_controller.deviceTarget();
  if (changePSKeyPowerTableWith(target, record.lastSixBDAddress().value_or(""))) write_power_set(target);

  KeyBuffer name{};
  if (bc_read_device_name(name) <= 0) {
    name.fill(0);
    std::memcpy(name.data(), k_default_name, std::strlen(k_default_name));
  }
  reading.name.assign(reinterpret_cast<const char*>(name.data()),
                      strnlen(reinterpret_cast<const char*>(name.data()), name.size()));
  bc_query_versions(static_cast<std::uint32_t>(reading.product), reading.major, reading.minor,
                    reading.secondary_type, reading.secondary);

  if (m_info) {
    if (const int key = write_backed_up_ps_keys(target, *m_info); key != 0) {
      warn_with([key](int language) { return DeviceRecognitionTexts::vyla_string_cannot_restore_in(key, language); });
      m_controller.setUsbStatus(0);
      return false;
    }
  }
  read_settings(reading);
  return true;
}

void LegacyUsbRecognition::read_settings(Reading& reading) {
  LegacySettings& settings = reading.settings;
  const auto product = static_cast<std::uint32_t>(reading.product);
  const int major = static_cast<int>(reading.major);
  const int minor = static_cast<int>(reading.minor);
  for (const std::uint16_t key : legacy_keys_to_read(product, major, minor)) {
    KeyBuffer buffer{};
    switch (key) {
      case k_key_intercom_vox:
        settings.intercomVOX = read_word(key).value_or(0);
        break;
      case k_key_phone_vox:
        settings.handsfreeVOX = read_word(key).value_or(0);
        break;
      case k_key_edr_pattern: {
        const std::uint16_t bytes = bc_ps_read_j46(key, buffer);
        settings.edr = decode_edr_pattern(std::span(buffer).first(bytes));
        break;
      }
      case k_key_settings_word: {
        // two words; only word 0 carries settings
        std::optional<std::uint16_t> word;
        if (bc_ps_read_j46(key, buffer) == 4) word = word_at(buffer, 0);
        decode_settings_word(product, major, minor, word, settings);
        if (product == 0x4D35 || product == 0x4D55) write_second_power_table();
        break;
      }
      case k_key_fm_block: {
        const std::uint16_t bytes = bc_ps_read_j46(key, buffer);
        std::optional<std::span<const std::uint8_t>> block;
        if (bytes > 0) block = std::span<const std::uint8_t>(buffer).first(bytes);
        // a block the device never initialized is initialized now
        if (decode_fm_block(block, settings)) bc_ps_write(key, initialized_fm_block());
        break;
      }
      case k_key_transmit_gain:
        settings.radioTransmitGain = decode_transmit_gain(read_word(key));
        break;
      case k_key_channel_timeout:
        settings.audioChannelTimeout = decode_channel_timeout(read_word(key));
        break;
      default:
        for (std::size_t dial = 0; dial < std::size(k_key_speed_dials); ++dial) {
          if (k_key_speed_dials[dial] != key) continue;
          settings.speedDials[dial] = decode_speed_dial(buffer, bc_ps_read_u32(key, buffer));
        }
        break;
    }
  }
}

void LegacyUsbRecognition::write_second_power_table() {
  // the unit's address is read once more before the second table
  std::array<std::uint8_t, 8> address{};
  bc_read_bdaddr(address);
  // the test still follows the selected product, so a unit of another target gets table F
  if (!changePSKeyPowerTableWith(m_controller.deviceTarget(),
                                 m_controller.data().lastSixBDAddress().value_or(""))) {
    write_power_table_f();
  }
}

void LegacyUsbRecognition::fill_record(const Reading& reading, bool first_of_pair) {
  FEXOBluetoothDeviceData& record = m_controller.data();
  const LegacySettings& settings = reading.settings;
  if (!first_of_pair) {
    record.setManagerVersionMajor(session::k_manager_version_major);
    record.setManagerVersionMinor(session::k_manager_version_minor);
  }
  record.setDeviceRecognized(reading.product);
  record.setBdAddress(bd_address(reading.address));
  record.setDeviceName(reading.name);
  record.setDeviceVersionMajor_Minor(static_cast<std::int32_t>(reading.major), static_cast<std::int32_t>(reading.minor));
  record.setDeviceSecondaryVersionType(static_cast<std::int32_t>(reading.secondary_type));
  record.setDeviceSecondaryVersion(static_cast<std::int32_t>(reading.secondary));
  record.setIntercomVOX(settings.intercomVOX);
  record.setHandsfreeVOX(settings.handsfreeVOX);
  record.setEdr(settings.edr);
  record.setVoicePrompt(settings.voicePrompt);
  record.setPlc(settings.plc);
  record.setBitpoolRate(settings.bitpoolRate);
  record.setMicrophoneBoost(settings.microphoneBoost);
  record.setSidetone(settings.sidetone);
  record.setAmbientHushControl(settings.ambientHushControl);
  record.setAutoGainControl(settings.autoGainControl);
  // settings these products do not have
  record.setAudioBoost(0);
  record.setHdIntercom(0);
  record.setFmStationGuide(0);
  record.setHdVoice(0);
  record.setSmartNaviSystem(0);
  record.setAudioSourcePriority(0);
  record.setAudioVeneer(0);
  record.setAutoOnOff(0);
  record.setRadioTransmitGain(settings.radioTransmitGain);
  record.setAudioChannelTimeout(settings.audioChannelTimeout);
  record.setFmRadioRegion(settings.fmRadioRegion);
  record.setFmRadioMagicCode(settings.fmRadioMagicCode);
  record.setFmRadioCurrentFrequency(settings.fmRadioCurrentFrequency);
  record.setFmRadioCurrentPreset(settings.fmRadioCurrentPreset);
  for (int i = 0; i < FEXOBluetoothDeviceData::k_fm_preset_count; ++i) {
    record.setFmRadioPresetsAt_with(i, settings.fmRadioPresets[static_cast<std::size_t>(i)]);
  }
  record.setFmRadioRDS(settings.fmRadioRDS);
  if (!first_of_pair) {
    for (int i = 0; i < FEXOBluetoothDeviceData::k_speed_dial_count; ++i) {
      record.setSpeedDialAt_with(i, settings.speedDials[static_cast<std::size_t>(i)]);
    }
  }
}

bool LegacyUsbRecognition::same_unit(std::uint32_t first_id, std::uint32_t opened_id, const Reading& reading) const {
  const FEXOBluetoothDeviceData& record = m_controller.data();
  return opened_id == first_id && record.deviceRecognized() == reading.product && record.deviceName() == reading.name &&
         record.compareVersionUpToMinorWithMajor_Minor(static_cast<std::int32_t>(reading.major),
                                                       static_cast<std::int32_t>(reading.minor)) == 0 &&
         record.deviceSecondaryVersionType() == static_cast<std::int32_t>(reading.secondary_type) &&
         record.deviceSecondaryVersion() == static_cast<std::int32_t>(reading.secondary);
}

void LegacyUsbRecognition::firmware_management_exit(std::uint32_t opened_id) {
  // the device counts as the target, whatever was selected
  const int product = static_cast<int>(opened_id - transport::k_firmware_management_bit);
  m_controller.setDeviceTarget(product);
  m_controller.setRecognized(true);
  m_hand_off.setStrStatusThreadRecognize(m_run.success_texts());
  m_controller.setUsbStatus(static_cast<int>(opened_id));
  FEXOBluetoothDeviceData& record = m_controller.data();
  record.setDeviceRecognized(product);
  record.setDeviceVersionMajor_Minor(0, 0);
  record.setDeviceSecondaryVersionType(0);
  record.setDeviceSecondaryVersion(0);
  m_hand_off.setDoWarnThreadRecognize(true);
  m_hand_off.setGoFirmwareUpgradeThreadRecognize(true);
}

template <class Text>
void LegacyUsbRecognition::warn_with(Text text) {
  StatusTexts13 texts;
  for (int language = 0; language < strings::k_language_count; ++language) {
    texts[static_cast<std::size_t>(language)] = text(language);
  }
  m_hand_off.setStrStatusThreadRecognize(texts);
  m_hand_off.setDoWarnThreadRecognize(true);
}

}  // namespace recognition
