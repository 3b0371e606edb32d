#pragma once
// The device record: product id, identity texts, three firmware version sets,
// every setting the manager shows or writes, the FM radio block and the speed
// dials. Recognition fills the controller's record; each settings page edits a
// copy beside a factory-default copy; a firmware update archives a backup copy.
// The record never talks to a device: it stores, copies, compares and packs.
//
// Numbers are signed 32-bit; a settings word holds one 16-bit device word.
// Strings are UTF-8; std::nullopt is nil (an archive keeps nil apart from "").
// Dates are seconds since 2001-01-01 00:00:00 UTC.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/keyed_archive.h"

namespace device_data {

// A menu item's key equivalent, as a settings-tab menu entry shows it: the key
// text and the modifier mask (0x100000 Command, 0x20000 Shift).
struct MenuKeyEquivalent {
  std::string key;
  uint32_t modifier_mask = 0;
};

}  // namespace device_data

class FEXOBluetoothDeviceData {
 public:
  static constexpr int k_basic_setting_lm6_count = 10;
  static constexpr int k_vox_sensitivity_count = 2;
  static constexpr int k_smart_volume_control_count = 2;
  static constexpr int k_camera_word_count = 4;
  static constexpr int k_fm_preset_count = 10;
  // Products of the FM preset group keep 6 presets, all others 10.
  static constexpr int k_fm_preset_group_count = 6;
  static constexpr int k_speed_dial_count = 3;
  // A speed dial travels to and from the device as 20 16-bit characters.
  static constexpr int k_speed_dial_array_count = 20;
  using SpeedDialArray = std::array<uint16_t, k_speed_dial_array_count>;

  // A fresh record: every number 0, every string and the date nil.
  FEXOBluetoothDeviceData() = default;

  // ---- identity ----
  int32_t managerVersionMajor() const { return m_managerVersionMajor; }
  void setManagerVersionMajor(int32_t value) { m_managerVersionMajor = value; }
  int32_t managerVersionMinor() const { return m_managerVersionMinor; }
  void setManagerVersionMinor(int32_t value) { m_managerVersionMinor = value; }
  // 16-bit product id of the device, 0 for none.
  int32_t deviceRecognized() const { return m_deviceRecognized; }
  void setDeviceRecognized(int32_t value) { m_deviceRecognized = value; }

  // String setters store a copy; text that is not valid UTF-8 is stored as nil.
  const std::optional<std::string>& bdAddress() const { return m_bdAddress; }
  void setBdAddress(const std::optional<std::string>& value);
  const std::optional<std::string>& lastSixBDAddress() const { return m_lastSixBDAddress; }
  void setLastSixBDAddress(const std::optional<std::string>& value);
  const std::optional<std::string>& deviceName() const { return m_deviceName; }
  void setDeviceName(const std::optional<std::string>& value);
  const std::optional<std::string>& deviceBdAddress() const { return m_deviceBdAddress; }
  void setDeviceBdAddress(const std::optional<std::string>& value);
  const std::optional<std::string>& devicePSKey() const { return m_devicePSKey; }
  void setDevicePSKey(const std::optional<std::string>& value);
  const std::optional<std::string>& devicePSKeyValue() const { return m_devicePSKeyValue; }
  void setDevicePSKeyValue(const std::optional<std::string>& value);

  // ---- firmware versions: main set, module 1 and module 2 of a dual-module device ----
  int32_t deviceVersionMajor() const { return m_deviceVersionMajor; }
  void setDeviceVersionMajor(int32_t value) { m_deviceVersionMajor = value; }
  int32_t deviceVersionMinor() const { return m_deviceVersionMinor; }
  void setDeviceVersionMinor(int32_t value) { m_deviceVersionMinor = value; }
  int32_t deviceSecondaryVersionType() const { return m_deviceSecondaryVersionType; }
  void setDeviceSecondaryVersionType(int32_t value) { m_deviceSecondaryVersionType = value; }
  int32_t deviceSecondaryVersion() const { return m_deviceSecondaryVersion; }
  void setDeviceSecondaryVersion(int32_t value) { m_deviceSecondaryVersion = value; }
  void setDeviceVersionMajor_Minor(int32_t major, int32_t minor);

  int32_t deviceVersionMajor01() const { return m_deviceVersionMajor01; }
  void setDeviceVersionMajor01(int32_t value) { m_deviceVersionMajor01 = value; }
  int32_t deviceVersionMinor01() const { return m_deviceVersionMinor01; }
  void setDeviceVersionMinor01(int32_t value) { m_deviceVersionMinor01 = value; }
  int32_t deviceSecondaryVersionType01() const { return m_deviceSecondaryVersionType01; }
  void setDeviceSecondaryVersionType01(int32_t value) { m_deviceSecondaryVersionType01 = value; }
  int32_t deviceSecondaryVersion01() const { return m_deviceSecondaryVersion01; }
  void setDeviceSecondaryVersion01(int32_t value) { m_deviceSecondaryVersion01 = value; }
  void setDeviceVersion01Major_Minor(int32_t major, int32_t minor);

  int32_t deviceVersionMajor02() const { return m_deviceVersionMajor02; }
  void setDeviceVersionMajor02(int32_t value) { m_deviceVersionMajor02 = value; }
  int32_t deviceVersionMinor02() const { return m_deviceVersionMinor02; }
  void setDeviceVersionMinor02(int32_t value) { m_deviceVersionMinor02 = value; }
  int32_t deviceSecondaryVersionType02() const { return m_deviceSecondaryVersionType02; }
  void setDeviceSecondaryVersionType02(int32_t value) { m_deviceSecondaryVersionType02 = value; }
  int32_t deviceSecondaryVersion02() const { return m_deviceSecondaryVersion02; }
  void setDeviceSecondaryVersion02(int32_t value) { m_deviceSecondaryVersion02 = value; }
  void setDeviceVersion02Major_Minor(int32_t major, int32_t minor);

  // Moment the record was prepared for a backup, in seconds since 2001-01-01 UTC.
  const std::optional<double>& dateArchived() const { return m_dateArchived; }
  void setDateArchived(const std::optional<double>& value) { m_dateArchived = value; }

  // ---- settings of the older products, one field each (0 off, 1 on) ----
  int32_t intercomVOX() const { return m_intercomVOX; }
  void setIntercomVOX(int32_t value) { m_intercomVOX = value; }
  int32_t handsfreeVOX() const { return m_handsfreeVOX; }
  void setHandsfreeVOX(int32_t value) { m_handsfreeVOX = value; }
  int32_t edr() const { return m_edr; }
  void setEdr(int32_t value) { m_edr = value; }
  int32_t voicePrompt() const { return m_voicePrompt; }
  void setVoicePrompt(int32_t value) { m_voicePrompt = value; }
  int32_t plc() const { return m_plc; }
  void setPlc(int32_t value) { m_plc = value; }
  int32_t bitpoolRate() const { return m_bitpoolRate; }
  void setBitpoolRate(int32_t value) { m_bitpoolRate = value; }
  int32_t microphoneBoost() const { return m_microphoneBoost; }
  void setMicrophoneBoost(int32_t value) { m_microphoneBoost = value; }
  int32_t sidetone() const { return m_sidetone; }
  void setSidetone(int32_t value) { m_sidetone = value; }
  int32_t ambientHushControl() const { return m_ambientHushControl; }
  void setAmbientHushControl(int32_t value) { m_ambientHushControl = value; }
  int32_t autoGainControl() const { return m_autoGainControl; }
  void setAutoGainControl(int32_t value) { m_autoGainControl = value; }
  int32_t audioBoost() const { return m_audioBoost; }
  void setAudioBoost(int32_t value) { m_audioBoost = value; }
  int32_t autoStartRecording() const { return m_autoStartRecording; }
  void setAutoStartRecording(int32_t value) { m_autoStartRecording = value; }
  int32_t hdIntercom() const { return m_hdIntercom; }
  void setHdIntercom(int32_t value) { m_hdIntercom = value; }
  int32_t fmStationGuide() const { return m_fmStationGuide; }
  void setFmStationGuide(int32_t value) { m_fmStationGuide = value; }
  int32_t hdVoice() const { return m_hdVoice; }
  void setHdVoice(int32_t value) { m_hdVoice = value; }
  // A choice index, not an on/off value.
  int32_t audioSourcePriority() const { return m_audioSourcePriority; }
  void setAudioSourcePriority(int32_t value) { m_audioSourcePriority = value; }
  int32_t audioVeneer() const { return m_audioVeneer; }
  void setAudioVeneer(int32_t value) { m_audioVeneer = value; }
  int32_t autoOnOff() const { return m_autoOnOff; }
  void setAutoOnOff(int32_t value) { m_autoOnOff = value; }
  int32_t smartNaviSystem() const { return m_smartNaviSystem; }
  void setSmartNaviSystem(int32_t value) { m_smartNaviSystem = value; }
  int32_t smartNaviSystem2() const { return m_smartNaviSystem2; }
  void setSmartNaviSystem2(int32_t value) { m_smartNaviSystem2 = value; }
  int32_t autoOff() const { return m_autoOff; }
  void setAutoOff(int32_t value) { m_autoOff = value; }
  int32_t simpleUI() const { return m_simpleUI; }
  void setSimpleUI(int32_t value) { m_simpleUI = value; }

  // Unit language code of the Y370 family.
  int32_t Y370Language() const { return m_Y370Language; }
  void setY370Language(int32_t value) { m_Y370Language = value; }
  // Raw radio transmit gain; 12..17 show as Low/Medium/High (getIndexFromRTG).
  int32_t radioTransmitGain() const { return m_radioTransmitGain; }
  void setRadioTransmitGain(int32_t value) { m_radioTransmitGain = value; }
  // Audio channel time-out in seconds.
  int32_t audioChannelTimeout() const { return m_audioChannelTimeout; }
  void setAudioChannelTimeout(int32_t value) { m_audioChannelTimeout = value; }

  // ---- settings words (each element one 16-bit device word) ----
  // Every word accessor checks its index: out of range reads 0 and a write is ignored.
  // General words 0..9; words 0..4 carry the per-family bit fields.
  int32_t basicSettingLM6(int index) const;
  void setBasicSetting20At_with(int index, int32_t value);
  // VOX sensitivity words 0..1.
  int32_t basicSettingKR5VOXSensitivityAt(int index) const;
  void setBasicSettingKR5VOXSensitivity_with(int index, int32_t value);
  // Smart volume control words 0..1.
  int32_t basicSettingTJ4SmartVolumeControlAt(int index) const;
  void setBasicSettingTJ4SmartVolumeControl_with(int index, int32_t value);
  // Camera words 0..3.
  int32_t basicSettingVT4CameraAt(int index) const;
  void setBasicSettingVT4Camera_with(int index, int32_t value);
  // The Netdock family keeps its mesh channel (index 0) and volume (index 1) in
  // the general words; these read and write basicSettingLM6[index].
  int32_t basicSettingNetdockChannelAt(int index) const;
  void setBasicSettingNetdockChannel_with(int index, int32_t value);
  int32_t basicSettingNetdockVolumeAt(int index) const;
  void setBasicSettingNetdockVolume_with(int index, int32_t value);

  // ---- FM radio block (frequencies in 10 kHz units) ----
  // Region 0..5; the setter stores any other value as 0.
  int32_t fmRadioRegion() const { return m_fmRadioRegion; }
  void setFmRadioRegion(int32_t value);
  // Magic word of the device's FM block (0x56E9 or 0x66E9).
  int32_t fmRadioMagicCode() const { return m_fmRadioMagicCode; }
  void setFmRadioMagicCode(int32_t value) { m_fmRadioMagicCode = value; }
  int32_t fmRadioCurrentFrequency() const { return m_fmRadioCurrentFrequency; }
  void setFmRadioCurrentFrequency(int32_t value) { m_fmRadioCurrentFrequency = value; }
  int32_t fmRadioCurrentPreset() const { return m_fmRadioCurrentPreset; }
  void setFmRadioCurrentPreset(int32_t value) { m_fmRadioCurrentPreset = value; }
  // Presets 0..9 (0 = empty); index checked like the settings words.
  int32_t fmRadioPresetsAt(int index) const;
  void setFmRadioPresetsAt_with(int index, int32_t value);
  // RDS alternative-frequency switching, 0/1.
  int32_t fmRadioRDS() const { return m_fmRadioRDS; }
  void setFmRadioRDS(int32_t value) { m_fmRadioRDS = value; }
  // Number of presets the product keeps: 6 for the FM preset group, else 10.
  static int fmPresetCountForDevice(int32_t product);

  // ---- speed dials 0..2 ----
  // The stored number; nil until set or defaulted, or for an index out of range.
  std::optional<std::string> speedDialAt(int index) const;
  // Stores a copy; nil, "" and invalid UTF-8 store "". Out-of-range index: ignored.
  void setSpeedDialAt_with(int index, const std::optional<std::string>& value);

  // ---- further identity ----
  // Sub-model code of the LM6 product 0x4210 (16 and 27 mark the ZOD variant).
  int32_t divisionLM6evoValue() const { return m_divisionLM6evoValue; }
  void setDivisionLM6evoValue(int32_t value) { m_divisionLM6evoValue = value; }
  int32_t devicelanguagePackType() const { return m_devicelanguagePackType; }
  void setDevicelanguagePackType(int32_t value) { m_devicelanguagePackType = value; }
  int32_t devicelanguagePackTypeVerMajor() const { return m_devicelanguagePackTypeVerMajor; }
  void setDevicelanguagePackTypeVerMajor(int32_t value) { m_devicelanguagePackTypeVerMajor = value; }
  int32_t devicelanguagePackTypeVerMinor() const { return m_devicelanguagePackTypeVerMinor; }
  void setDevicelanguagePackTypeVerMinor(int32_t value) { m_devicelanguagePackTypeVerMinor = value; }
  int32_t voiceAssistant() const { return m_voiceAssistant; }
  void setVoiceAssistant(int32_t value) { m_voiceAssistant = value; }

  // ---- copies ----
  // Copies identity, settings, words, FM block and speed dials from `source`;
  // the three version sets only when `version` is true. Not copied: the
  // device-information texts and voiceAssistant.
  void copyWithSource_version(const FEXOBluetoothDeviceData& source, bool version);
  // Prepares this record as a backup of `source`: manager version 1.4, the main
  // version set only, dateArchived now, then settings, words, FM and speed dials.
  void configureWithSource(const FEXOBluetoothDeviceData& source);
  // A copy of `source` (with versions) carrying the factory settings of its
  // product and firmware; the Second variant resets only the FM block, the
  // SpeedDial variant only the speed dials.
  static FEXOBluetoothDeviceData makeDefaultDataWithSource(const FEXOBluetoothDeviceData& source);
  static FEXOBluetoothDeviceData makeDefaultSecondDataWithSource(const FEXOBluetoothDeviceData& source);
  static FEXOBluetoothDeviceData makeDefaultSpeedDialDataWithSource(const FEXOBluetoothDeviceData& source);

  // ---- factory defaults (device_data/factory_defaults.cpp) ----
  // Clears the 18 settings words, writes the product's factory settings for
  // firmware major.minor and empties the speed dials. Product 0 clears only.
  void initializeObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major, int32_t minor);
  // Resets the FM block to the product's factory values.
  void initializeSecondObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major, int32_t minor);
  // Sets the three speed dials to "" (the arguments play no part).
  void initializeSpeedDialObjectWithDevice_VersionMajor_Minor(int32_t device, int32_t major, int32_t minor);

  // ---- archive (device backup archive) ----
  // Class record of the archived root object.
  static const platform::ArchiveClass& archive_class();
  // Writes every archived key in its fixed order.
  void encodeWithCoder(platform::KeyedArchiver& coder) const;
  // A record read from `coder`; missing keys read 0 or nil, the legacy float
  // version keys are understood. Throws platform::ArchiveError on a key of the
  // wrong type.
  static FEXOBluetoothDeviceData initWithCoder(const platform::KeyedUnarchiver& coder);
  // The whole backup archive with this record as its root object.
  platform::Bytes archived_bytes() const;
  // The record stored in a backup archive. Throws platform::ArchiveError when
  // the bytes are not a keyed archive or its root is not a device record.
  static FEXOBluetoothDeviceData unarchived_from(const platform::Bytes& bytes);

  // ---- version rules (device_data/versions.cpp) ----
  // Results are negative when a is lower, 0 when equal, positive when higher.
  // major a - major b when they differ, else minor a - minor b.
  static int32_t compareVersionUpToMinorMajor_Minor_WithMajor_Minor(int32_t majorA, int32_t minorA,
                                                                    int32_t majorB, int32_t minorB);
  // Full comparison. Normal order: major/minor difference, then the secondary
  // type (type 1 ranks lowest) as -1/+1, then the secondary number as -1/0/+1.
  // Camera order (forOptra): (type, number) difference first, then major/minor.
  static int32_t
  compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_ForOptra(
      int32_t majorA, int32_t minorA, int32_t typeA, int32_t secondaryA, int32_t majorB, int32_t minorB,
      int32_t typeB, int32_t secondaryB, bool forOptra);
  // The full comparison in the normal order.
  static int32_t
  compareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
      int32_t majorA, int32_t minorA, int32_t typeA, int32_t secondaryA, int32_t majorB, int32_t minorB,
      int32_t typeB, int32_t secondaryB);
  // Major/minor difference; when equal, secondary number a - b (types ignored).
  static int32_t
  downGradeLM6EVOCompareVersionMajor_Minor_SecondaryVersionType_SecondaryVersion_WithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
      int32_t majorA, int32_t minorA, int32_t typeA, int32_t secondaryA, int32_t majorB, int32_t minorB,
      int32_t typeB, int32_t secondaryB);
  // This record's main version set against the given one by the full rule; the
  // camera order applies to the camera product 0x3020.
  int32_t compareVersionWithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(int32_t major, int32_t minor,
                                                                                     int32_t type,
                                                                                     int32_t secondary) const;
  // This record's major.minor against the given pair by the difference rule.
  int32_t compareVersionUpToMinorWithMajor_Minor(int32_t major, int32_t minor) const;
  // "major.minor": true and both outputs set when the text has exactly 2
  // dot-separated parts; false and the outputs untouched otherwise.
  static bool getVersionFromString_ToMajor_Minor(const std::string& text, int32_t& major, int32_t& minor);
  // "type.secondary.major.minor": true and all four outputs set when the text has
  // exactly 4 parts; false and the outputs untouched otherwise.
  static bool getVersionFromString_ToSecondaryType_Secondary_Major_Minor(const std::string& text, int32_t& type,
                                                                       int32_t& secondary, int32_t& major,
                                                                       int32_t& minor);

  // ---- helpers (device_data/helpers.cpp) ----
  // Transmit gain shown as 0 Low (12), 2 High (17) or 1 Medium (anything else).
  static int getIndexFromRTG(int32_t gain);
  // The gain's Low/Medium/High text in `language` (0..12; others give English).
  static std::string getRTGStringFromRTG_In(int32_t gain, int language);
  // 0 valid; 1 outside the region's band; 2 inside it but off the region's
  // step grid. A region outside 0..5 is taken as region 0.
  static int checkFMPresetValidWithRegion_FMRadioPreset(int32_t region, int32_t frequency);
  // Title (kind 1 Basic, 2 Speed Dial, 3 FM Radio) or, with `shortcut_text`,
  // the shortcut text "[S][C]-B"/"-S"/"-F"; nil for another kind or a language
  // outside 0..12. A given menu item gets the key B/S/F with Shift+Command.
  static std::optional<std::string> getTabText_With_In_SetEquivalentTo(int kind, bool shortcut_text, int language,
                                                                       device_data::MenuKeyEquivalent* menu_item);
  // The speed dial held in the device's 20 characters (low bytes, up to a 0
  // byte) into `text`; returns its length in characters. Bytes that are not
  // valid UTF-8 give 0 and nil.
  static int getSpeedDialString_FromArray(std::optional<std::string>& text, const SpeedDialArray& array);
  // Writes up to 20 UTF-8 bytes of `text` into the device's characters (each
  // byte sign-extended to 16 bits, the rest 0); returns the bytes filled times
  // 2. A nil or empty text leaves the array untouched and returns 0.
  static int getSpeedDialArray_FromString(SpeedDialArray& array, const std::optional<std::string>& text);
  // The mount path (ending in "/") of the camera's disk: a removable, writable,
  // unmountable volume holding the product's marker file; nil when none.
  static std::optional<std::string> getOptraDiskPathWithDevice(int32_t device);

  // ---- factory defaults, packed words and per-family setting fields ----
  // (declared in device_data/settings_fields.inc)
#include "device_data/settings_fields.inc"

 private:
  // Settings fields, words, FM block and speed dials: the part that a copy and a
  // backup preparation share. `log_line` marks which of the two ran.
  void copy_settings_from(const FEXOBluetoothDeviceData& source, const char* log_line);

  int32_t m_managerVersionMajor = 0;
  int32_t m_managerVersionMinor = 0;
  int32_t m_deviceRecognized = 0;
  std::optional<std::string> m_bdAddress;
  std::optional<std::string> m_lastSixBDAddress;
  std::optional<std::string> m_deviceName;
  std::optional<std::string> m_deviceBdAddress;
  std::optional<std::string> m_devicePSKey;
  std::optional<std::string> m_devicePSKeyValue;
  int32_t m_deviceVersionMajor = 0;
  int32_t m_deviceVersionMinor = 0;
  int32_t m_deviceSecondaryVersionType = 0;
  int32_t m_deviceSecondaryVersion = 0;
  int32_t m_deviceVersionMajor01 = 0;
  int32_t m_deviceVersionMinor01 = 0;
  int32_t m_deviceSecondaryVersionType01 = 0;
  int32_t m_deviceSecondaryVersion01 = 0;
  int32_t m_deviceVersionMajor02 = 0;
  int32_t m_deviceVersionMinor02 = 0;
  int32_t m_deviceSecondaryVersionType02 = 0;
  int32_t m_deviceSecondaryVersion02 = 0;
  std::optional<double> m_dateArchived;
  int32_t m_intercomVOX = 0;
  int32_t m_handsfreeVOX = 0;
  int32_t m_edr = 0;
  int32_t m_voicePrompt = 0;
  int32_t m_plc = 0;
  int32_t m_bitpoolRate = 0;
  int32_t m_microphoneBoost = 0;
  int32_t m_sidetone = 0;
  int32_t m_ambientHushControl = 0;
  int32_t m_autoGainControl = 0;
  int32_t m_audioBoost = 0;
  int32_t m_autoStartRecording = 0;
  int32_t m_hdIntercom = 0;
  int32_t m_fmStationGuide = 0;
  int32_t m_hdVoice = 0;
  int32_t m_audioSourcePriority = 0;
  int32_t m_audioVeneer = 0;
  int32_t m_autoOnOff = 0;
  int32_t m_smartNaviSystem = 0;
  int32_t m_smartNaviSystem2 = 0;
  int32_t m_autoOff = 0;
  int32_t m_simpleUI = 0;
  int32_t m_Y370Language = 0;
  int32_t m_radioTransmitGain = 0;
  int32_t m_audioChannelTimeout = 0;
  std::array<int32_t, k_basic_setting_lm6_count> m_basicSettingLM6{};
  std::array<int32_t, k_vox_sensitivity_count> m_basicSettingKR5VOXSensitivity{};
  std::array<int32_t, k_smart_volume_control_count> m_basicSettingTJ4SmartVolumeControl{};
  std::array<int32_t, k_camera_word_count> m_basicSettingVT4Camera{};
  int32_t m_fmRadioRegion = 0;
  int32_t m_fmRadioMagicCode = 0;
  int32_t m_fmRadioCurrentFrequency = 0;
  int32_t m_fmRadioCurrentPreset = 0;
  std::array<int32_t, k_fm_preset_count> m_fmRadioPresets{};
  int32_t m_fmRadioRDS = 0;
  std::array<std::optional<std::string>, k_speed_dial_count> m_speedDial;
  int32_t m_divisionLM6evoValue = 0;
  int32_t m_devicelanguagePackType = 0;
  int32_t m_devicelanguagePackTypeVerMajor = 0;
  int32_t m_devicelanguagePackTypeVerMinor = 0;
  int32_t m_voiceAssistant = 0;
};
