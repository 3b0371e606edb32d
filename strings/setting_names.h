#pragma once
// Names of the device settings in the 13 interface languages: one table per
// name, shared by the settings pages, the save failure texts and the restore
// and backup views. A name without a translation of its own reads English in
// every language. Stateless: callable from any thread.
#include <string>

namespace strings {

enum class SettingName : int {
  // what a failed save names, by the persistent-store key it failed on
  EDR,                  // key 239: the same word in every language
  DeviceSetting,        // key 654, and any key without a name of its own
  VOXIntercom,          // key 664
  VOXPhone,             // key 665
  FMRadioSetting,       // key 671
  AudioChannelTimeout,  // key 682
  RadioTransmitGain,    // key 684
  SpeedDialSetting,     // keys 8832 to 8834
  // the FM radio as a help text names it among the audio sources
  FMRadio,
  // row labels of the classic settings panel
  EDREnhancedDataRate,
  PLCPacketLossConcealment,
  HighQualityA2DP,
  MicrophoneBoosting,
  Sidetone,
  AmbientHushControl,
  AutoGainControl,
  AudioBoost,
  MotionSensorSensitivity,
  AudioBraiding,
  IntercomAudioVeneerSensitivity,
  NavigationAppSupport,
};

// The name in `language`; English for an index outside 1..12.
std::string setting_name(SettingName name, int language);

}  // namespace strings
