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

  // ---- packed settings words of the older products (device_data/packed_words.cpp) ----
  // The on/off fields packed into the device's 16-bit settings word; a field
  // counts only when it holds exactly 1, and each bit only for its product set.
  int32_t getSettings40() const;
  // The second packed word: recording start, language, simple UI and auto-off,
  // each for the products the catalogue packs it for; 0 for every other product.
  int32_t getSettings40Second() const;

  // ---- word-array comparisons: 0 when equal, else this word minus the other's
  // at the first difference (held inside the 32-bit range) ----
  int32_t compareBasicSettingLM6With(const FEXOBluetoothDeviceData& other) const;
  int32_t compareBasicSettingKR5VOXSensitivityWith(const FEXOBluetoothDeviceData& other) const;
  int32_t compareBasicSettingTJ4SmartVolumeControlWith(const FEXOBluetoothDeviceData& other) const;
  // Camera words 0..3 from firmware 2.0, only words 0..1 before (older cameras
  // leave words 2..3 unused).
  int32_t compareBasicSettingVT4CameraWith(const FEXOBluetoothDeviceData& other) const;

  // ---- per-family setting fields (device_data/setting_fields.cpp) ----
  // Each pair reads and writes one descriptor of the field list in
  // device_data/setting_fields.h. Bits count from 0 (least significant) within
  // the 16-bit device word; an on/off setter sets its bit for any nonzero value;
  // an enumerated setter ignores values outside its range and its getter reads a
  // stored code outside the range as a fixed fallback. Every setter changes only
  // its own bits.

  // ---- LM6 family, general words 2 and 4 ----
  // word 2 bit 15, on/off
  int32_t getBasicSettingLM6VOXPhone() const;
  void setBasicSettingLM6VOXPhone(int32_t value);
  // word 2 bit 13, on/off
  int32_t getBasicSettingLM6HDIntercom() const;
  void setBasicSettingLM6HDIntercom(int32_t value);
  // word 2 bit 12, on/off
  int32_t getBasicSettingLM6Sidetone() const;
  void setBasicSettingLM6Sidetone(int32_t value);
  // word 2 bit 11, on/off
  int32_t getBasicSettingLM6AudioBraiding() const;
  void setBasicSettingLM6AudioBraiding(int32_t value);
  // word 2 bit 10, on/off
  int32_t getBasicSettingLM6VoicePrompt() const;
  void setBasicSettingLM6VoicePrompt(int32_t value);
  // word 2 bit 9, on/off
  int32_t getBasicSettingLM6NavigationAppOverlay() const;
  void setBasicSettingLM6NavigationAppOverlay(int32_t value);
  // word 2 bit 8, on/off
  int32_t getBasicSettingLM6AmbientHushControl() const;
  void setBasicSettingLM6AmbientHushControl(int32_t value);
  // word 2 bit 7, on/off
  int32_t getBasicSettingLM6AudioBoost() const;
  void setBasicSettingLM6AudioBoost(int32_t value);
  // word 2 bit 6, on/off
  int32_t getBasicSettingLM6EightWayIntercom() const;
  void setBasicSettingLM6EightWayIntercom(int32_t value);
  // word 2 bit 5, on/off
  int32_t getBasicSettingLM6FMStationGuide() const;
  void setBasicSettingLM6FMStationGuide(int32_t value);
  // word 2 bits 1-4, 0..3 (else 0); the value sits in bits 1-2, a write clears bits 3-4
  int32_t getBasicSettingLM6SmartVolumeControl() const;
  void setBasicSettingLM6SmartVolumeControl(int32_t value);
  // word 2 bit 0, on/off
  int32_t GetBasicSettingLM6VoiceCommand() const;
  void SetBasicSettingLM6VoiceCommand(int32_t value);
  // word 0 whole, any value stored and returned as is
  int32_t getBasicSettingLM6AudioBraidingSensitivity() const;
  void setBasicSettingLM6AudioBraidingSensitivity(int32_t value);
  // word 3 whole, any value stored and returned as is
  int32_t getBasicSettingLM6MotionSensorSensitivity() const;
  void setBasicSettingLM6MotionSensorSensitivity(int32_t value);
  // word 4 bit 15, on/off; the LED control shares this bit
  int32_t getBasicSettingLM6HDSpeakerAccessory() const;
  void setBasicSettingLM6HDSpeakerAccessory(int32_t value);
  // word 4 bit 15, on/off; the HD speaker accessory shares this bit
  int32_t getBasicSettingLM6LEDControl() const;
  void setBasicSettingLM6LEDControl(int32_t value);
  // word 4 bits 12-14, 0..4 (else 0)
  int32_t getBasicSettingLM6AudioEqualizer() const;
  void setBasicSettingLM6AudioEqualizer(int32_t value);
  // word 4 bits 10-11, 0..3; both log the value they read
  int32_t GetBasicSettingLM6IronvaleSpeakerAccessorySelect() const;
  void SetBasicSettingLM6IronvaleSpeakerAccessorySelect(int32_t value);
  // word 4 bit 8, on/off; the getter reads 1 when the bit is clear
  int32_t GetBasicSettingVoiceAssistant() const;
  void SetBasicSettingVoiceAssistant(int32_t value);
  // word 1 bit 9, on/off (one-module HID products)
  int32_t getBasicSettingHIDOneModuleHDSpeakerAccessory() const;
  void setBasicSettingHIDOneModuleHDSpeakerAccessory(int32_t value);
  // word 2 bits 0-1: the setter writes 1..3 and 0 for any other value
  int32_t getEssStatus() const;
  void setEssStatus(int32_t value);
  // word 2 bits 2-3: the setter writes 1 or 3 and 2 for any other value; code 0 reads 2
  int32_t getEssSensitivity() const;
  void setEssSensitivity(int32_t value);
  // word 2 bits 5-7: the setter writes 1 or 5 and 3 for any other value; the
  // getter reads 1 or 5 when bits 5-6 hold 1 (5 with bit 7), else 3
  int32_t getMicGain() const;
  void setMicGain(int32_t value);

  // ---- ND4 family (also the 30 family and the EDR and UI layer switches) ----
  // word 0 bit 0, on/off
  int32_t GetBasicSettingND4VOXPhone() const;
  void SetBasicSettingND4VOXPhone(int32_t value);
  // word 0 bit 1, on/off
  int32_t GetBasicSettingND4VOXIntercom() const;
  void SetBasicSettingND4VOXIntercom(int32_t value);
  // word 0 bit 2, on/off
  int32_t GetBasicSettingEDR() const;
  void SetBasicSettingEDR(int32_t value);
  // word 0 bit 3, on/off
  int32_t GetBasicSettingND4VoicePrompt() const;
  void SetBasicSettingND4VoicePrompt(int32_t value);
  // word 0 bit 5, on/off
  int32_t GetBasicSettingND4HighQulityA2DP() const;
  void SetBasicSettingND4HighQulityA2DP(int32_t value);
  // word 0 bit 8, on/off
  int32_t GetBasicSettingND4Sidetone() const;
  void SetBasicSettingND4Sidetone(int32_t value);
  // word 0 bit 9, on/off
  int32_t GetBasicSettingND4AmbientHushControl() const;
  void SetBasicSettingND4AmbientHushControl(int32_t value);
  // word 0 bit 10, on/off
  int32_t GetBasicSettingND4AudioBoost() const;
  void SetBasicSettingND4AudioBoost(int32_t value);
  // word 0 bit 11, on/off
  int32_t GetBasicSettingND4HDIntercom() const;
  void SetBasicSettingND4HDIntercom(int32_t value);
  // word 0 bit 12, on/off
  int32_t GetBasicSettingND4FMStationGuide() const;
  void SetBasicSettingND4FMStationGuide(int32_t value);
  // word 0 bits 13-14: 1 is bit 13 alone, 2 is bit 14 alone, 0 clears both; both set read 0
  int32_t GetBasicSettingND4MeshMode() const;
  void SetBasicSettingND4MeshMode(int32_t value);
  // word 0 bit 15, on/off
  int32_t GetBasicSettingND4MeshGuestMode() const;
  void SetBasicSettingND4MeshGuestMode(int32_t value);
  // word 1 bits 0-2, 0..5 (else 3)
  int32_t GetBasicSettingND4VoxSensitivity() const;
  void SetBasicSettingND4VoxSensitivity(int32_t value);
  // word 1 bits 3-5, 0..3 (else 3)
  int32_t GetBasicSettingND4AGCSensitivity() const;
  void SetBasicSettingND4AGCSensitivity(int32_t value);
  // word 1 bit 6: the setter sets the bit for 0 and clears it otherwise; the getter reads the bit
  int32_t GetBasicSettingND4AudioVeneerVolumeManagement() const;
  void SetBasicSettingND4AudioVeneerVolumeManagement(int32_t value);
  // word 1 bits 7-9, 0..5 (else 3)
  int32_t GetBasicSettingND4AudioVeneerSensitivity() const;
  void SetBasicSettingND4AudioVeneerSensitivity(int32_t value);
  // word 1 bit 10, on/off
  int32_t GetBasicSettingND4VoiceCommand() const;
  void SetBasicSettingND4VoiceCommand(int32_t value);
  // word 1 bit 11, on/off
  int32_t GetBasicSettingND4AudioVeneer() const;
  void SetBasicSettingND4AudioVeneer(int32_t value);
  // word 1 bit 12, on/off
  int32_t GetBasicSettingUILayer() const;
  void SetBasicSettingUILayer(int32_t value);
  // word 3 bits 0-3: the setter takes 0..12, the getter reads the raw code
  int32_t GetBasicSettingND4UnitLanguage() const;
  void SetBasicSettingND4UnitLanguage(int32_t value);
  // word 3 bits 6-9, 0..5 (else 0)
  int32_t GetBasicSettingND4MeshPublicChannel() const;
  void SetBasicSettingND4MeshPublicChannel(int32_t value);
  // word 3 bit 10, on/off
  int32_t GetBasicSettingND4HDSpeakerAccessory() const;
  void SetBasicSettingND4HDSpeakerAccessory(int32_t value);
  // word 3 bits 11-13, 0..4 (else 0)
  int32_t GetBasicSetting30Equalizer() const;
  void SetBasicSetting30Equalizer(int32_t value);

  // ---- other families and editions ----
  // word 3 bit 10, on/off
  int32_t GetBasicSettingWQ8HDVoice() const;
  void SetBasicSettingWQ8HDVoice(int32_t value);
  // word 3 bits 11-14, 0..4 (else 0); the getter logs the word
  int32_t GetBasicSetting50Equalizer() const;
  void SetBasicSetting50Equalizer(int32_t value);
  // word 4 bits 0-3: the setter takes -8..4 and stores value + 8; the getter reads the raw code
  int32_t GetBasicSetting50SpeakerAccessorySelect() const;
  void SetBasicSetting50SpeakerAccessorySelect(int32_t value);
  // word 4 bits 4-7, as the speaker select
  int32_t GetBasicSetting50MicAccessorySelect() const;
  void SetBasicSetting50MicAccessorySelect(int32_t value);
  // word 3 bits 14-15, 0..3
  int32_t GetBasicSettingIronvaleSpeakerAccessorySelect() const;
  void SetBasicSettingIronvaleSpeakerAccessorySelect(int32_t value);
  // word 1 bits 5-8, 0..4 (else 0)
  int32_t GetBasicSettingHB6Equalizer() const;
  void SetBasicSettingHB6Equalizer(int32_t value);
  // Unit languages with the language-pack rule: for the products the catalogue
  // marks, with language pack type 0, the device skips one code, so values
  // above 5 are stored one higher and read back one lower.
  // HB6: word 1 bits 0-3, codes 0..12 (products hb6_language_skips_code_6).
  int32_t GetBasicSettinghb6UnitLanguage(int32_t device) const;
  void SetBasicSettingHB6UnitLanguage_device(int32_t value, int32_t device);
  // Tornik: word 2 bits 0-3, codes 0..12 (products hb6_language_skips_code_6).
  int32_t GetBasicSettingTORNIKUnitLanguage(int32_t device) const;
  void SetBasicSettingTORNIKUnitLanguage_device(int32_t value, int32_t device);
  // Qorlan: word 3 bits 0-3, codes 0..11, codes 12..15 read 0 (products writing it by language pack).
  int32_t GetBasicSettingQorlanUnitLanguage(int32_t device) const;
  void SetBasicSettingQorlanUnitLanguage_device(int32_t value, int32_t device);
  // word 1 bit 13, on/off
  int32_t GetBasicSettingQorlanHDSpeakerAccessory() const;
  void SetBasicSettingQorlanHDSpeakerAccessory(int32_t value);
  // word 3 bits 0-3: languages 9 and 10 are device codes 11 and 12 (the setter
  // also takes 11 and 12 for them); other values outside 0..8 are ignored
  int32_t GetBasicSettingTJ6UnitLanguage() const;
  void SetBasicSettingTJ6UnitLanguage(int32_t value);
  // word 1 bits 4-7, 0..10 (else 0)
  int32_t GetBasicSettingDK5XUnitLanguage() const;
  void SetBasicSettingDK5XUnitLanguage(int32_t value);
  // The getter maps the device code in word 2 bits 4-15 to the language list
  // (unknown codes read 0) and logs the word; the setter stores into Y370Language.
  // The product argument plays no part.
  int32_t GetBasicSettingY370RUnitLanguage(int32_t device) const;
  void SetBasicSettingY370RUnitLanguage_device(int32_t value, int32_t device);
  // word 1 bit 10, on/off; the getter reads 1 when the bit is clear; the setter logs
  int32_t GetBasicSettingVelandraRemoteUIPTT() const;
  void SetBasicSettingVelandraRemoteUIPTT(int32_t value);
  // word 1 bits 0-3: the getter reads 0..8 (else 0) and logs words 1-4; the
  // setter stores the argument's low 4 bits
  int32_t GetBasicSettingVelandraMeshPublicChannel() const;
  void SetBasicSettingVelandraMeshPublicChannel(int32_t value);
  // word 3 bits 6-9: the setter takes 1..9, the getter reads 0..9 (else 0)
  int32_t GetBasicSettingDK3MorrimMeshPublicChannel() const;
  void SetBasicSettingDK3MorrimMeshPublicChannel(int32_t value);
  // word 0 bit 13, on/off
  int32_t GetBasicSettingQCCHDVoice() const;
  void SetBasicSettingQCCHDVoice(int32_t value);
  // word 1 bits 4-6, 0..5 (else 0)
  int32_t GetBasicSettingQCCAudioEqualizer() const;
  void SetBasicSettingQCCAudioEqualizer(int32_t value);
  // word 1 bits 7-9, 0..5 (else 3)
  int32_t GetBasicSettingQCCVOXSensitivity() const;
  void SetBasicSettingQCCVOXSensitivity(int32_t value);
  // word 1 bit 10: the setter sets the bit for 0 and clears it otherwise; the getter reads the bit
  int32_t GetBasicSettingQCCAudioVeneerVolumeManagement() const;
  void SetBasicSettingQCCAudioVeneerVolumeManagement(int32_t value);
  // word 1 bits 11-13, 0..5 (else 3)
  int32_t GetBasicSettingQCCAudioVeneerSensitivity() const;
  void SetBasicSettingQCCAudioVeneerSensitivity(int32_t value);
  // word 0 bit 0, on/off
  int32_t GetBasicSettingAirohaVOXPhone() const;
  void SetBasicSettingAirohaVOXPhone(int32_t value);
  // word 0 bit 1, on/off
  int32_t GetBasicSettingAirohaVoicePrompt() const;
  void SetBasicSettingAirohaVoicePrompt(int32_t value);
  // word 0 bit 2, on/off
  int32_t GetBasicSettingAirohaSidetone() const;
  void SetBasicSettingAirohaSidetone(int32_t value);
  // word 0 bit 4, on/off
  int32_t GetBasicSettingAirohaAudioVeneerVolumeManagement() const;
  void SetBasicSettingAirohaAudioVeneerVolumeManagement(int32_t value);
  // word 1 bits 0-3, raw; the setter stores the argument's low 4 bits
  int32_t GetBasicSettingAirohaMeshPublicChannel() const;
  void SetBasicSettingAirohaMeshPublicChannel(int32_t value);
  // word 1 bits 4-7, raw low 4 bits; the getter logs
  int32_t GetBasicSettingAirohaAudioEqualizer() const;
  void SetBasicSettingAirohaAudioEqualizer(int32_t value);
  // word 1 bits 8-11, raw low 4 bits; the getter logs
  int32_t GetBasicSettingAirohaVoxSensitivity() const;
  void SetBasicSettingAirohaVoxSensitivity(int32_t value);
  // word 1 bits 12-15, raw low 4 bits; the getter logs
  int32_t GetBasicSettingAirohaIntercomAudioVeneerSensitivity() const;
  void SetBasicSettingAirohaIntercomAudioVeneerSensitivity(int32_t value);
  // word 2 bits 0-15, raw; the setter keeps the element's upper half; the getter logs
  int32_t GetBasicSettingAirohaUnitLanguage() const;
  void SetBasicSettingAirohaUnitLanguage(int32_t value);

  // ---- VT4 camera (camera words) ----
  // camera word 0 bit 0, on/off
  int32_t getBasicSettingVT4CameraPhotoMode() const;
  void setBasicSettingVT4CameraPhotoMode(int32_t value);
  // From firmware 2.0 camera word 2 bits 6-7, 0..2 (1 bit 6, 2 bit 7, both set read 0);
  // before 2.0 the on/off bit 1 of camera word 0.
  int32_t getBasicSettingVT4CameraVideoMode() const;
  void setBasicSettingVT4CameraVideoMode(int32_t value);
  // camera word 0 bits 2-3, 0..2 (else 0)
  int32_t getBasicSettingVT4CameraVideoResolution() const;
  void setBasicSettingVT4CameraVideoResolution(int32_t value);
  // camera word 0 bit 4, on/off
  int32_t getBasicSettingVT4CameraTimelapseInterval() const;
  void setBasicSettingVT4CameraTimelapseInterval(int32_t value);
  // camera word 0 bit 5, on/off
  int32_t getBasicSettingVT4CameraDateCaption() const;
  void setBasicSettingVT4CameraDateCaption(int32_t value);
  // camera word 0 bit 6, on/off
  int32_t getBasicSettingVT4CameraSpeakerSoundRecording() const;
  void setBasicSettingVT4CameraSpeakerSoundRecording(int32_t value);
  // camera word 0 bit 7, on/off
  int32_t getBasicSettingVT4CameraAutoCameraSleep() const;
  void setBasicSettingVT4CameraAutoCameraSleep(int32_t value);
  // camera word 0 bit 8, on/off
  int32_t getBasicSettingVT4CameraSpeakerSoundRecordingMusic() const;
  void setBasicSettingVT4CameraSpeakerSoundRecordingMusic(int32_t value);
  // camera word 0 bit 9, on/off
  int32_t getBasicSettingVT4CameraSpeakerSoundRecordingFMRadio() const;
  void setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio(int32_t value);
  // camera word 0 bit 10, on/off
  int32_t getBasicSettingVT4CameraSpeakerSoundRecordingIntercom() const;
  void setBasicSettingVT4CameraSpeakerSoundRecordingIntercom(int32_t value);
  // camera word 0 bit 11, on/off
  int32_t getBasicSettingVT4CameraSpeakerSoundRecordingPhone() const;
  void setBasicSettingVT4CameraSpeakerSoundRecordingPhone(int32_t value);
  // camera word 2 bits 0-1, 0..2 (else 0)
  int32_t getBasicSettingVT4CameraVideoTaggingInterval() const;
  void setBasicSettingVT4CameraVideoTaggingInterval(int32_t value);
  // camera word 2 bits 2-3, 0..2 (else 0)
  int32_t getBasicSettingVT4CameraLoopRecordingInterval() const;
  void setBasicSettingVT4CameraLoopRecordingInterval(int32_t value);
  // camera word 2 bits 4-5, 0..2 (else 0)
  int32_t getBasicSettingVT4CameraVideoMicrophoneGain() const;
  void setBasicSettingVT4CameraVideoMicrophoneGain(int32_t value);
  // True when none of the four recording sources (music, FM radio, intercom,
  // phone) is on; the main speaker sound recording bit does not count.
  bool emptyCheckSpeakerSoundRecording() const;

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
