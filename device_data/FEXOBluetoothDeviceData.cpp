#include "device_data/FEXOBluetoothDeviceData.h"

#include <algorithm>
#include <chrono>

#include "device_data/product_facts.h"
#include "platform/log.h"
#include "platform/utf8.h"

namespace {

// Seconds between 1970-01-01 and 2001-01-01, both UTC.
constexpr double k_seconds_1970_to_2001 = 978307200.0;

template <size_t N>
int32_t word_at(const std::array<int32_t, N>& words, int index) {
  return (index >= 0 && static_cast<size_t>(index) < N) ? words[static_cast<size_t>(index)] : 0;
}

template <size_t N>
void set_word_at(std::array<int32_t, N>& words, int index, int32_t value) {
  if (index >= 0 && static_cast<size_t>(index) < N) words[static_cast<size_t>(index)] = value;
}

double seconds_since_2001_now() {
  using namespace std::chrono;
  const auto since_1970 = duration_cast<duration<double>>(system_clock::now().time_since_epoch());
  return since_1970.count() - k_seconds_1970_to_2001;
}

// A copy of `source` with versions, then `initialize` applied for the source's
// product and main firmware version.
FEXOBluetoothDeviceData default_copy(const FEXOBluetoothDeviceData& source,
                                     void (FEXOBluetoothDeviceData::*initialize)(int32_t, int32_t, int32_t)) {
  FEXOBluetoothDeviceData result;
  result.copyWithSource_version(source, true);
  (result.*initialize)(source.deviceRecognized(), source.deviceVersionMajor(), source.deviceVersionMinor());
  return result;
}

}  // namespace

void FEXOBluetoothDeviceData::setBdAddress(const std::optional<std::string>& value) {
  m_bdAddress = platform::valid_utf8_or_nil(value);
}
void FEXOBluetoothDeviceData::setLastSixBDAddress(const std::optional<std::string>& value) {
  m_lastSixBDAddress = platform::valid_utf8_or_nil(value);
}
void FEXOBluetoothDeviceData::setDeviceName(const std::optional<std::string>& value) {
  m_deviceName = platform::valid_utf8_or_nil(value);
}
void FEXOBluetoothDeviceData::setDeviceBdAddress(const std::optional<std::string>& value) {
  m_deviceBdAddress = platform::valid_utf8_or_nil(value);
}
void FEXOBluetoothDeviceData::setDevicePSKey(const std::optional<std::string>& value) {
  m_devicePSKey = platform::valid_utf8_or_nil(value);
}
void FEXOBluetoothDeviceData::setDevicePSKeyValue(const std::optional<std::string>& value) {
  m_devicePSKeyValue = platform::valid_utf8_or_nil(value);
}

void FEXOBluetoothDeviceData::setDeviceVersionMajor_Minor(int32_t major, int32_t minor) {
  m_deviceVersionMajor = major;
  m_deviceVersionMinor = minor;
}
void FEXOBluetoothDeviceData::setDeviceVersion01Major_Minor(int32_t major, int32_t minor) {
  m_deviceVersionMajor01 = major;
  m_deviceVersionMinor01 = minor;
}
void FEXOBluetoothDeviceData::setDeviceVersion02Major_Minor(int32_t major, int32_t minor) {
  m_deviceVersionMajor02 = major;
  m_deviceVersionMinor02 = minor;
}

int32_t FEXOBluetoothDeviceData::basicSettingLM6(int index) const { return word_at(m_basicSettingLM6, index); }
void FEXOBluetoothDeviceData::setBasicSetting20At_with(int index, int32_t value) {
  set_word_at(m_basicSettingLM6, index, value);
}
int32_t FEXOBluetoothDeviceData::basicSettingKR5VOXSensitivityAt(int index) const {
  return word_at(m_basicSettingKR5VOXSensitivity, index);
}
void FEXOBluetoothDeviceData::setBasicSettingKR5VOXSensitivity_with(int index, int32_t value) {
  set_word_at(m_basicSettingKR5VOXSensitivity, index, value);
}
int32_t FEXOBluetoothDeviceData::basicSettingTJ4SmartVolumeControlAt(int index) const {
  return word_at(m_basicSettingTJ4SmartVolumeControl, index);
}
void FEXOBluetoothDeviceData::setBasicSettingTJ4SmartVolumeControl_with(int index, int32_t value) {
  set_word_at(m_basicSettingTJ4SmartVolumeControl, index, value);
}
int32_t FEXOBluetoothDeviceData::basicSettingVT4CameraAt(int index) const {
  return word_at(m_basicSettingVT4Camera, index);
}
void FEXOBluetoothDeviceData::setBasicSettingVT4Camera_with(int index, int32_t value) {
  set_word_at(m_basicSettingVT4Camera, index, value);
}
int32_t FEXOBluetoothDeviceData::basicSettingNetdockChannelAt(int index) const { return basicSettingLM6(index); }
void FEXOBluetoothDeviceData::setBasicSettingNetdockChannel_with(int index, int32_t value) {
  setBasicSetting20At_with(index, value);
}
int32_t FEXOBluetoothDeviceData::basicSettingNetdockVolumeAt(int index) const { return basicSettingLM6(index); }
void FEXOBluetoothDeviceData::setBasicSettingNetdockVolume_with(int index, int32_t value) {
  setBasicSetting20At_with(index, value);
}

void FEXOBluetoothDeviceData::setFmRadioRegion(int32_t value) {
  // tested unsigned, so a negative region is refused as well
  m_fmRadioRegion = static_cast<uint32_t>(value) <= 5 ? value : 0;
}

int32_t FEXOBluetoothDeviceData::fmRadioPresetsAt(int index) const { return word_at(m_fmRadioPresets, index); }
void FEXOBluetoothDeviceData::setFmRadioPresetsAt_with(int index, int32_t value) {
  set_word_at(m_fmRadioPresets, index, value);
}

int FEXOBluetoothDeviceData::fmPresetCountForDevice(int32_t product) {
  return device_data::product_facts(product).six_fm_presets ? k_fm_preset_group_count : k_fm_preset_count;
}

std::optional<std::string> FEXOBluetoothDeviceData::speedDialAt(int index) const {
  if (index < 0 || index >= k_speed_dial_count) return std::nullopt;
  return m_speedDial[static_cast<size_t>(index)];
}

void FEXOBluetoothDeviceData::setSpeedDialAt_with(int index, const std::optional<std::string>& value) {
  if (index < 0 || index >= k_speed_dial_count) return;
  const std::optional<std::string> valid = platform::valid_utf8_or_nil(value);
  m_speedDial[static_cast<size_t>(index)] = valid.value_or(std::string());
}

void FEXOBluetoothDeviceData::copy_settings_from(const FEXOBluetoothDeviceData& source, const char* log_line) {
  setIntercomVOX(source.intercomVOX());
  setHandsfreeVOX(source.handsfreeVOX());
  setEdr(source.edr());
  setVoicePrompt(source.voicePrompt());
  setPlc(source.plc());
  setBitpoolRate(source.bitpoolRate());
  setMicrophoneBoost(source.microphoneBoost());
  setSidetone(source.sidetone());
  setAmbientHushControl(source.ambientHushControl());
  setAutoGainControl(source.autoGainControl());
  setAudioBoost(source.audioBoost());
  setAutoStartRecording(source.autoStartRecording());
  setHdIntercom(source.hdIntercom());
  setFmStationGuide(source.fmStationGuide());
  setHdVoice(source.hdVoice());
  setAudioSourcePriority(source.audioSourcePriority());
  setAudioVeneer(source.audioVeneer());
  setAutoOnOff(source.autoOnOff());
  setSmartNaviSystem(source.smartNaviSystem());
  setSmartNaviSystem2(source.smartNaviSystem2());
  setAutoOff(source.autoOff());
  setSimpleUI(source.simpleUI());
  setY370Language(source.Y370Language());
  platform::console(log_line);
  setRadioTransmitGain(source.radioTransmitGain());
  setAudioChannelTimeout(source.audioChannelTimeout());

  m_basicSettingLM6 = source.m_basicSettingLM6;
  m_basicSettingKR5VOXSensitivity = source.m_basicSettingKR5VOXSensitivity;
  m_basicSettingTJ4SmartVolumeControl = source.m_basicSettingTJ4SmartVolumeControl;
  m_basicSettingVT4Camera = source.m_basicSettingVT4Camera;

  // the setter turns a region outside 0..5 (possible in a decoded archive) into 0
  setFmRadioRegion(source.fmRadioRegion());
  setFmRadioMagicCode(source.fmRadioMagicCode());
  setFmRadioCurrentFrequency(source.fmRadioCurrentFrequency());
  setFmRadioCurrentPreset(source.fmRadioCurrentPreset());
  // a 6-preset product leaves presets 6..9 of this record as they were
  const int preset_count = fmPresetCountForDevice(deviceRecognized());
  for (int index = 0; index < preset_count; ++index) {
    setFmRadioPresetsAt_with(index, source.fmRadioPresetsAt(index));
  }
  setFmRadioRDS(source.fmRadioRDS());

  for (int index = 0; index < k_speed_dial_count; ++index) setSpeedDialAt_with(index, source.speedDialAt(index));
}

void FEXOBluetoothDeviceData::copyWithSource_version(const FEXOBluetoothDeviceData& source, bool version) {
  setManagerVersionMajor(source.managerVersionMajor());
  setManagerVersionMinor(source.managerVersionMinor());
  setDeviceRecognized(source.deviceRecognized());
  setBdAddress(source.bdAddress());
  setDivisionLM6evoValue(source.divisionLM6evoValue());
  setLastSixBDAddress(source.lastSixBDAddress());
  setDeviceName(source.deviceName());

  if (version) {
    setDeviceVersionMajor_Minor(source.deviceVersionMajor(), source.deviceVersionMinor());
    setDeviceSecondaryVersionType(source.deviceSecondaryVersionType());
    setDeviceSecondaryVersion(source.deviceSecondaryVersion());
    setDeviceVersion01Major_Minor(source.deviceVersionMajor01(), source.deviceVersionMinor01());
    setDeviceSecondaryVersionType01(source.deviceSecondaryVersionType01());
    setDeviceSecondaryVersion01(source.deviceSecondaryVersion01());
    setDeviceVersion02Major_Minor(source.deviceVersionMajor02(), source.deviceVersionMinor02());
    setDeviceSecondaryVersionType02(source.deviceSecondaryVersionType02());
    setDeviceSecondaryVersion02(source.deviceSecondaryVersion02());
  }

  setDevicelanguagePackType(source.devicelanguagePackType());
  setDevicelanguagePackTypeVerMajor(source.devicelanguagePackTypeVerMajor());
  setDevicelanguagePackTypeVerMinor(source.devicelanguagePackTypeVerMinor());
  setDateArchived(source.dateArchived());

  copy_settings_from(source, "PPQQ 6");
}

void FEXOBluetoothDeviceData::configureWithSource(const FEXOBluetoothDeviceData& source) {
  // the version of this manager, which the restore checks
  setManagerVersionMajor(1);
  setManagerVersionMinor(4);
  setDeviceRecognized(source.deviceRecognized());
  setBdAddress(source.bdAddress());
  setDivisionLM6evoValue(source.divisionLM6evoValue());
  setLastSixBDAddress(source.lastSixBDAddress());
  setDeviceName(source.deviceName());
  setDeviceVersionMajor_Minor(source.deviceVersionMajor(), source.deviceVersionMinor());
  setDeviceSecondaryVersionType(source.deviceSecondaryVersionType());
  setDeviceSecondaryVersion(source.deviceSecondaryVersion());
  setDevicelanguagePackType(source.devicelanguagePackType());
  setDevicelanguagePackTypeVerMajor(source.devicelanguagePackTypeVerMajor());
  setDevicelanguagePackTypeVerMinor(source.devicelanguagePackTypeVerMinor());
  setDateArchived(seconds_since_2001_now());

  copy_settings_from(source, "PPQQ 5");
}

FEXOBluetoothDeviceData FEXOBluetoothDeviceData::makeDefaultDataWithSource(const FEXOBluetoothDeviceData& source) {
  return default_copy(source, &FEXOBluetoothDeviceData::initializeObjectWithDevice_VersionMajor_Minor);
}

FEXOBluetoothDeviceData FEXOBluetoothDeviceData::makeDefaultSecondDataWithSource(
    const FEXOBluetoothDeviceData& source) {
  return default_copy(source, &FEXOBluetoothDeviceData::initializeSecondObjectWithDevice_VersionMajor_Minor);
}

FEXOBluetoothDeviceData FEXOBluetoothDeviceData::makeDefaultSpeedDialDataWithSource(
    const FEXOBluetoothDeviceData& source) {
  return default_copy(source, &FEXOBluetoothDeviceData::initializeSpeedDialObjectWithDevice_VersionMajor_Minor);
}
