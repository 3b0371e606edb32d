#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "platform/format.h"

namespace {

// Key of array element `index` (counted from 0): the array's key and the
// position counted from 1 in two digits ("keySpeedDial03" for the third dial).
std::string element_key(const char* array_key, int index) { return platform::format("%@%02d", array_key, index + 1); }

// A version stored under "<key>Major" and "<key>Minor", or, in archives written
// by older managers, as one float under "<key>" (1.2 means 1.2). A missing key
// reads 0.0.
void read_version(const platform::KeyedUnarchiver& coder, const std::string& key, int32_t& major, int32_t& minor) {
  if (coder.contains(key + "Major")) {
    major = coder.decode_int32(key + "Major");
    minor = coder.decode_int32(key + "Minor");
    return;
  }
  const std::string text = platform::format("%0.1f", coder.decode_double(key));
  FEXOBluetoothDeviceData::getVersionFromString_ToMajor_Minor(text, major, minor);
}

}  // namespace

const platform::ArchiveClass& FEXOBluetoothDeviceData::archive_class() {
  static const platform::ArchiveClass k_cls{"FEXOBluetoothDeviceData", {"FEXOBluetoothDeviceData", "NSObject"}};
  return k_cls;
}

void FEXOBluetoothDeviceData::encodeWithCoder(platform::KeyedArchiver& coder) const {
  coder.encode_int("keyManagerVersionMajor", managerVersionMajor());
  coder.encode_int("keyManagerVersionMinor", managerVersionMinor());
  coder.encode_int("keyDeviceRecognized", deviceRecognized());
  coder.encode_string("keyDeviceName", deviceName());
  coder.encode_int("keyDeviceVersionMajor", deviceVersionMajor());
  coder.encode_int("keyDeviceVersionMinor", deviceVersionMinor());
  coder.encode_int("keyDeviceSecondaryVersionType", deviceSecondaryVersionType());
  coder.encode_int("keyDeviceSecondaryVersion", deviceSecondaryVersion());
  coder.encode_date("keyDateArchived", dateArchived());
  coder.encode_int("keyIntercomVOX", intercomVOX());
  coder.encode_int("keyHandsfreeVOX", handsfreeVOX());
  coder.encode_int("keyEDR", edr());
  coder.encode_int("keyVoicePrompt", voicePrompt());
  coder.encode_int("keyPLC", plc());
  coder.encode_int("keyBitpoolRate", bitpoolRate());
  coder.encode_int("keyMicrophoneBoost", microphoneBoost());
  coder.encode_int("keySidetone", sidetone());
  coder.encode_int("keyAmbientHushControl", ambientHushControl());
  coder.encode_int("keyAutoGainControl", autoGainControl());
  coder.encode_int("keyAudioBoost", audioBoost());
  coder.encode_int("keyHDIntercom", hdIntercom());
  coder.encode_int("keyFMStationGuide", fmStationGuide());
  coder.encode_int("keyHDVoice", hdVoice());
  coder.encode_int("keyAudioSourcePriority", audioSourcePriority());
  coder.encode_int("keyAudioVeneer", audioVeneer());
  coder.encode_int("keyAutoOnOff", autoOnOff());
  coder.encode_int("keyAutoStartRecording", autoStartRecording());
  coder.encode_int("keySmartNaviSystem", smartNaviSystem());
  coder.encode_int("keySmartNaviSystem2", smartNaviSystem2());
  coder.encode_int("keyAutoOff", autoOff());
  coder.encode_int("keySimpleUI", simpleUI());
  coder.encode_int("keyRadioTransmitGain", radioTransmitGain());
  coder.encode_int("keyAudioChannelTimeout", audioChannelTimeout());
  for (int index = 0; index < k_basic_setting_lm6_count; ++index) {
    coder.encode_int(element_key("keyBasicSettingLM6", index), basicSettingLM6(index));
  }
  for (int index = 0; index < k_vox_sensitivity_count; ++index) {
    coder.encode_int(element_key("keyBasicSettingKR5VOXSensitivity", index), basicSettingKR5VOXSensitivityAt(index));
  }
  for (int index = 0; index < k_smart_volume_control_count; ++index) {
    coder.encode_int(element_key("keyBasicSettingTJ4SmartVolumeControl", index),
                     basicSettingTJ4SmartVolumeControlAt(index));
  }
  // the backup carries camera words 0 and 1 only
  for (int index = 0; index < 2; ++index) {
    coder.encode_int(element_key("keyBasicSettingVT4Camera", index), basicSettingVT4CameraAt(index));
  }
  coder.encode_int("keyFMRadioRegion", fmRadioRegion());
  coder.encode_int("keyFMRadioMagicCode", fmRadioMagicCode());
  coder.encode_int("keyFMRadioCurrentFrequency", fmRadioCurrentFrequency());
  coder.encode_int("keyFMRadioCurrentPreset", fmRadioCurrentPreset());
  for (int index = 0; index < k_fm_preset_count; ++index) {
    coder.encode_int(element_key("keyFMRadioPreset", index), fmRadioPresetsAt(index));
  }
  coder.encode_int("keyFMRadioRDS", fmRadioRDS());
  for (int index = 0; index < k_speed_dial_count; ++index) {
    coder.encode_string(element_key("keySpeedDial", index), speedDialAt(index));
  }
}

FEXOBluetoothDeviceData FEXOBluetoothDeviceData::initWithCoder(const platform::KeyedUnarchiver& coder) {
  FEXOBluetoothDeviceData record;
  read_version(coder, "keyManagerVersion", record.m_managerVersionMajor, record.m_managerVersionMinor);
  record.m_deviceRecognized = coder.decode_int32("keyDeviceRecognized");
  record.m_deviceName = coder.decode_string("keyDeviceName");
  read_version(coder, "keyDeviceVersion", record.m_deviceVersionMajor, record.m_deviceVersionMinor);
  record.m_deviceSecondaryVersionType = coder.decode_int32("keyDeviceSecondaryVersionType");
  record.m_deviceSecondaryVersion = coder.decode_int32("keyDeviceSecondaryVersion");
  record.m_dateArchived = coder.decode_date("keyDateArchived");
  record.m_intercomVOX = coder.decode_int32("keyIntercomVOX");
  record.m_handsfreeVOX = coder.decode_int32("keyHandsfreeVOX");
  record.m_edr = coder.decode_int32("keyEDR");
  record.m_voicePrompt = coder.decode_int32("keyVoicePrompt");
  record.m_plc = coder.decode_int32("keyPLC");
  record.m_bitpoolRate = coder.decode_int32("keyBitpoolRate");
  record.m_microphoneBoost = coder.decode_int32("keyMicrophoneBoost");
  record.m_sidetone = coder.decode_int32("keySidetone");
  record.m_ambientHushControl = coder.decode_int32("keyAmbientHushControl");
  record.m_autoGainControl = coder.decode_int32("keyAutoGainControl");
  record.m_audioBoost = coder.decode_int32("keyAudioBoost");
  record.m_hdIntercom = coder.decode_int32("keyHDIntercom");
  record.m_fmStationGuide = coder.decode_int32("keyFMStationGuide");
  record.m_hdVoice = coder.decode_int32("keyHDVoice");
  record.m_audioSourcePriority = coder.decode_int32("keyAudioSourcePriority");
  record.m_audioVeneer = coder.decode_int32("keyAudioVeneer");
  record.m_autoOnOff = coder.decode_int32("keyAutoOnOff");
  record.m_autoStartRecording = coder.decode_int32("keyAutoStartRecording");
  record.m_smartNaviSystem = coder.decode_int32("keySmartNaviSystem");
  record.m_smartNaviSystem2 = coder.decode_int32("keySmartNaviSystem2");
  record.m_autoOff = coder.decode_int32("keyAutoOff");
  record.m_simpleUI = coder.decode_int32("keySimpleUI");
  record.m_radioTransmitGain = coder.decode_int32("keyRadioTransmitGain");
  record.m_audioChannelTimeout = coder.decode_int32("keyAudioChannelTimeout");
  for (int index = 0; index < k_basic_setting_lm6_count; ++index) {
    record.setBasicSetting20At_with(index, coder.decode_int32(element_key("keyBasicSettingLM6", index)));
  }
  for (int index = 0; index < k_vox_sensitivity_count; ++index) {
    record.setBasicSettingKR5VOXSensitivity_with(
        index, coder.decode_int32(element_key("keyBasicSettingKR5VOXSensitivity", index)));
  }
  for (int index = 0; index < k_smart_volume_control_count; ++index) {
    record.setBasicSettingTJ4SmartVolumeControl_with(
        index, coder.decode_int32(element_key("keyBasicSettingTJ4SmartVolumeControl", index)));
  }
  for (int index = 0; index < 2; ++index) {
    record.setBasicSettingVT4Camera_with(index, coder.decode_int32(element_key("keyBasicSettingVT4Camera", index)));
  }
  // stored as archived: a region outside 0..5 is put right by the next copy
  record.m_fmRadioRegion = coder.decode_int32("keyFMRadioRegion");
  record.m_fmRadioMagicCode = coder.decode_int32("keyFMRadioMagicCode");
  record.m_fmRadioCurrentFrequency = coder.decode_int32("keyFMRadioCurrentFrequency");
  record.m_fmRadioCurrentPreset = coder.decode_int32("keyFMRadioCurrentPreset");
  for (int index = 0; index < k_fm_preset_count; ++index) {
    record.setFmRadioPresetsAt_with(index, coder.decode_int32(element_key("keyFMRadioPreset", index)));
  }
  record.m_fmRadioRDS = coder.decode_int32("keyFMRadioRDS");
  // a missing dial stays nil; the unarchiver already turns invalid UTF-8 into nil
  for (int index = 0; index < k_speed_dial_count; ++index) {
    record.m_speedDial[static_cast<size_t>(index)] = coder.decode_string(element_key("keySpeedDial", index));
  }
  return record;
}

platform::Bytes FEXOBluetoothDeviceData::archived_bytes() const {
  return platform::KeyedArchiver::archive_root(archive_class(),
                                              [this](platform::KeyedArchiver& coder) { encodeWithCoder(coder); });
}

FEXOBluetoothDeviceData FEXOBluetoothDeviceData::unarchived_from(const platform::Bytes& bytes) {
  const platform::KeyedUnarchiver root = platform::KeyedUnarchiver::open_root(bytes);
  if (root.class_name() != archive_class().name) {
    throw platform::ArchiveError("the archive holds a " +
                                 (root.class_name().empty() ? std::string("object without class") : root.class_name()) +
                                 ", not a device record");
  }
  return initWithCoder(root);
}
