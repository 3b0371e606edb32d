#include "settings/setting_actions.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>

#include "device_data/product_facts.h"
#include "platform/format.h"
#include "platform/log.h"

namespace settings {

namespace {

using Record = FEXOBluetoothDeviceData;

// ---- product groups: each rule names its products by these ----

// The word layouts of the product catalogue, and the two-module products.
enum Group : unsigned {
  k_nd4 = device_data::k_layout_nd4,
  k_wq8 = device_data::k_layout_wq8,
  k_4d = device_data::k_layout_4d,
  k_qcc = device_data::k_layout_qcc,
  k_airoha_a = device_data::k_layout_airoha_a,
  k_airoha_b = device_data::k_layout_airoha_b,
  k_tj4 = device_data::k_layout_tj4_volume,
  k_hb6l = device_data::k_layout_hb6_language,
  k_nd4l = device_data::k_layout_nd4_language,
  k_hb6e = device_data::k_layout_hb6_equalizer,
  k_lm6 = 1u << 30,
  k_any = 1u << 31,
};

// The products a rule applies to: word layouts and the other words the
// catalogue says they write (SettingWriter bits), or one product.
struct Who {
  unsigned groups = 0;
  unsigned writers = 0;
  int id = 0;
};

bool holds(const Who& who, int device) {
  if (who.groups & k_any) return true;
  const device_data::ProductFacts& facts = device_data::product_facts(device);
  // the LM6 group is the two-module products
  if ((who.groups & k_lm6) && facts.two_modules) return true;
  if (who.groups & facts.setting_layouts) return true;
  if (who.writers & facts.setting_writers) return true;
  return who.id == device && device != 0;
}

constexpr Who k_anyone{k_any};
constexpr Who product(int id) { return Who{0, 0, id}; }
constexpr Who group(unsigned groups, unsigned writers = 0) { return Who{groups, writers}; }
constexpr Who writes(unsigned writers) { return Who{0, writers}; }
constexpr Who group_and_product(unsigned groups, int id) { return Who{groups, 0, id}; }
constexpr Who k_nd4_audio = group(k_nd4, device_data::k_writes_nd4_audio);

// ---- setters, as one shape: record, value, product ----

using Setter = void (*)(Record&, int value, int device);

template <void (Record::*F)(int32_t)>
void set(Record& record, int value, int) {
  (record.*F)(value);
}
template <void (Record::*F)(int, int32_t), int Index>
void set_at(Record& record, int value, int) {
  (record.*F)(Index, value);
}
template <void (Record::*F)(int32_t, int32_t)>
void set_for_device(Record& record, int value, int device) {
  (record.*F)(value, device);
}

using Map = device_data::ValueRule;

// One line of an action: the first rule that holds the product decides; a
// rule without a setter writes nothing.
struct Rule {
  Who who;
  Setter setter;
  Map map;
};

using R = Record;
using device_data::k_lm6_product;

std::span<const Rule> rules_of(SettingAction action) {
  using enum SettingAction;
  using enum Map;
  switch (action) {
    case IVOX: {
      static constexpr Rule k_rules[] = {
          {group_and_product(k_nd4, 0x4D76), &set<&R::SetBasicSettingND4VOXIntercom>, column0_on},
          {k_anyone, &set<&R::setIntercomVOX>, column0_on}};
      return k_rules;
    }
    case HVOX: {
      static constexpr Rule k_rules[] = {{group(k_lm6), &set<&R::setBasicSettingLM6VOXPhone>, column0_on},
                                       {group(k_nd4 | k_4d | k_qcc), &set<&R::SetBasicSettingND4VOXPhone>, column0_on},
                                       {group(k_airoha_a), &set<&R::SetBasicSettingAirohaVOXPhone>, column0_on},
                                       {k_anyone, &set<&R::setHandsfreeVOX>, column0_on}};
      return k_rules;
    }
    case EDR: {
      static constexpr Rule k_rules[] = {{group(k_4d), &set<&R::SetBasicSettingEDR>, column0_off},
                                       {k_anyone, &set<&R::setEdr>, column0_off}};
      return k_rules;
    }
    case PLC: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setPlc>, column0_on}};
      return k_rules;
    }
    case BitpoolRate: {
      static constexpr Rule k_rules[] = {{group(k_nd4 | k_4d), &set<&R::SetBasicSettingND4HighQulityA2DP>, column0_on},
                                       {k_anyone, &set<&R::setBitpoolRate>, column0_on}};
      return k_rules;
    }
    case MicrophoneBoost: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setMicrophoneBoost>, column0_on}};
      return k_rules;
    }
    case Sidetone: {
      static constexpr Rule k_rules[] = {
          {group(k_lm6), &set<&R::setBasicSettingLM6Sidetone>, column0_on},
          {group(k_nd4 | k_4d, device_data::k_writes_nd4_audio), &set<&R::SetBasicSettingND4Sidetone>, column0_on},
          {group(k_airoha_b), &set<&R::SetBasicSettingAirohaSidetone>, column0_on},
          {k_anyone, &set<&R::setSidetone>, column0_on}};
      return k_rules;
    }
    case AmbientHushControl: {
      static constexpr Rule k_rules[] = {{group(k_lm6), &set<&R::setBasicSettingLM6AmbientHushControl>, column0_on},
                                       {group(k_nd4), &set<&R::SetBasicSettingND4AmbientHushControl>, column0_off},
                                       {k_anyone, &set<&R::setAmbientHushControl>, column0_off}};
      return k_rules;
    }
    case AutoGainControl: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setAutoGainControl>, column0_off}};
      return k_rules;
    }
    case AudioBoost: {
      static constexpr Rule k_rules[] = {{group(k_lm6), &set<&R::setBasicSettingLM6AudioBoost>, column0_on},
                                       {group(k_nd4), &set<&R::SetBasicSettingND4AudioBoost>, column0_off},
                                       {k_anyone, &set<&R::setAudioBoost>, column0_off}};
      return k_rules;
    }
    case QorlanHDSPeakerAccessory: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::SetBasicSettingQorlanHDSpeakerAccessory>, column0_on}};
      return k_rules;
    }
    case MotionSensorSensitivity: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingLM6MotionSensorSensitivity>, index_plus_1}};
      return k_rules;
    }
    case AudioBraiding: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingLM6AudioBraiding>, column0_on}};
      return k_rules;
    }
    case AudioBraidingSensitivity: {
      static constexpr Rule k_rules[] = {
          {k_nd4_audio, &set<&R::SetBasicSettingND4AudioVeneerSensitivity>, index_plus_1},
          {group(k_qcc), &set<&R::SetBasicSettingQCCAudioVeneerSensitivity>, index_plus_1},
          {group(k_airoha_a), &set<&R::SetBasicSettingAirohaIntercomAudioVeneerSensitivity>, index},
          // the LM6 lists level 10 first
          {k_anyone, &set<&R::setBasicSettingLM6AudioBraidingSensitivity>, ten_minus_index}};
      return k_rules;
    }
    case AudioVeneer: {
      static constexpr Rule k_rules[] = {{k_nd4_audio, &set<&R::SetBasicSettingND4AudioVeneer>, column0_on},
                                       {k_anyone, &set<&R::setAudioVeneer>, column0_on}};
      return k_rules;
    }
    case AudioVeneerVolumeManagement: {
      static constexpr Rule k_rules[] = {
          // 0x3142: Enable writes 1, which the setter stores as a clear bit
          {product(0x3142), &set<&R::SetBasicSettingND4AudioVeneerVolumeManagement>, column0_on},
          {group(k_qcc), &set<&R::SetBasicSettingQCCAudioVeneerVolumeManagement>, column0_off},
          {group(k_airoha_a), &set<&R::SetBasicSettingAirohaAudioVeneerVolumeManagement>, column0_on},
          {k_anyone, &set<&R::SetBasicSettingND4AudioVeneerVolumeManagement>, column0_off}};
      return k_rules;
    }
    case NavigationAppOverlay: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingLM6NavigationAppOverlay>, column0_on}};
      return k_rules;
    }
    case VoicePrompt: {
      static constexpr Rule k_rules[] = {
          {group(k_lm6), &set<&R::setBasicSettingLM6VoicePrompt>, column0_on},
          {group(k_nd4 | k_qcc, device_data::k_writes_nd4_prompt), &set<&R::SetBasicSettingND4VoicePrompt>,
           column0_off},
          {group(k_airoha_a | k_airoha_b), &set<&R::SetBasicSettingAirohaVoicePrompt>, column0_on},
          {k_anyone, &set<&R::setVoicePrompt>, column0_off}};
      return k_rules;
    }
    case HDIntercom: {
      static constexpr Rule k_rules[] = {{group(k_lm6), &set<&R::setBasicSettingLM6HDIntercom>, column0_on},
                                       {group(k_nd4), &set<&R::SetBasicSettingND4HDIntercom>, column0_on},
                                       {k_anyone, &set<&R::setHdIntercom>, column0_on}};
      return k_rules;
    }
    case EightWayIntercom: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingLM6EightWayIntercom>, column0_on}};
      return k_rules;
    }
    case FMStationGuide: {
      static constexpr Rule k_rules[] = {
          {group(k_lm6), &set<&R::setBasicSettingLM6FMStationGuide>, column0_on},
          {group(k_nd4 | k_qcc, device_data::k_writes_nd4_audio | device_data::k_writes_nd4_prompt),
           &set<&R::SetBasicSettingND4FMStationGuide>, column0_on},
          {k_anyone, &set<&R::setFmStationGuide>, column0_on}};
      return k_rules;
    }
    case HDVoice: {
      static constexpr Rule k_rules[] = {{group(k_wq8), &set<&R::SetBasicSettingWQ8HDVoice>, column0_on},
                                       {group(k_qcc), &set<&R::SetBasicSettingQCCHDVoice>, column0_on},
                                       {k_anyone, &set<&R::setHdVoice>, column0_on}};
      return k_rules;
    }
    case VoiceAssistant: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::SetBasicSettingVoiceAssistant>, column0_on}};
      return k_rules;
    }
    case VoiceCommand: {
      static constexpr Rule k_rules[] = {{group(k_lm6), &set<&R::SetBasicSettingLM6VoiceCommand>, column0_on},
                                       {k_anyone, &set<&R::SetBasicSettingND4VoiceCommand>, column0_on}};
      return k_rules;
    }
    case UILayer: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::SetBasicSettingUILayer>, column0_on}};
      return k_rules;
    }
    case LEDControl: {
      static constexpr Rule k_rules[] = {{product(0x4610), &set<&R::setBasicSettingLM6LEDControl>, column0_on},
                                       {k_anyone, nullptr, column0_on}};
      return k_rules;
    }
    case RemoteUIPTT: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::SetBasicSettingVelandraRemoteUIPTT>, column0_on}};
      return k_rules;
    }
    case MicSelect: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::SetBasicSetting50MicAccessorySelect>, column0_on}};
      return k_rules;
    }
    case SpeakerSelect: {
      static constexpr Rule k_rules[] = {
          {product(0x3112), &set<&R::SetBasicSettingIronvaleSpeakerAccessorySelect>, index},
          {product(k_lm6_product), &set<&R::SetBasicSettingLM6IronvaleSpeakerAccessorySelect>, index},
          {k_anyone, &set<&R::SetBasicSetting50SpeakerAccessorySelect>, index}};
      return k_rules;
    }
    case AudioEqualizer: {
      static constexpr Rule k_rules[] = {
          {group(k_hb6e), &set<&R::SetBasicSettingHB6Equalizer>, index},
          {writes(device_data::k_writes_30_equalizer), &set<&R::SetBasicSetting30Equalizer>, index},
          {group(k_wq8), &set<&R::SetBasicSetting50Equalizer>, index},
          {product(k_lm6_product), &set<&R::setBasicSettingLM6AudioEqualizer>, index},
          {group(k_qcc), &set<&R::SetBasicSettingQCCAudioEqualizer>, index},
          {group(k_airoha_a), &set<&R::SetBasicSettingAirohaAudioEqualizer>, index},
          {k_anyone, nullptr, index}};
      return k_rules;
    }
    case UnitLanguage: {
      static constexpr Rule k_rules[] = {
          {group(k_hb6l), &set_for_device<&R::SetBasicSettingHB6UnitLanguage_device>, index},
          {group(k_nd4l), &set<&R::SetBasicSettingND4UnitLanguage>, index},
          {writes(device_data::k_writes_dk5x_language), &set<&R::SetBasicSettingDK5XUnitLanguage>, index},
          {product(0x3170), &set<&R::SetBasicSettingTJ6UnitLanguage>, index},
          {writes(device_data::k_writes_qorlan_language), &set_for_device<&R::SetBasicSettingQorlanUnitLanguage_device>,
           index},
          {writes(device_data::k_writes_tornik_language), &set_for_device<&R::SetBasicSettingTORNIKUnitLanguage_device>,
           index},
          {writes(device_data::k_writes_y370r_language), &set_for_device<&R::SetBasicSettingY370RUnitLanguage_device>,
           index},
          {group(k_airoha_a | k_airoha_b), &set<&R::SetBasicSettingAirohaUnitLanguage>, index},
          {k_anyone, nullptr, index}};
      return k_rules;
    }
    case MeshPublicChannel: {
      static constexpr Rule k_rules[] = {
          {product(0x3128), &set<&R::SetBasicSettingDK3MorrimMeshPublicChannel>, index_plus_1},
          {product(0x3161), &set<&R::SetBasicSettingVelandraMeshPublicChannel>, index},
          {k_anyone, &set<&R::SetBasicSettingND4MeshPublicChannel>, index}};
      return k_rules;
    }
    case MeshMode: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::SetBasicSettingND4MeshMode>, index}};
      return k_rules;
    }
    case MeshGuestMode: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::SetBasicSettingND4MeshGuestMode>, column0_on}};
      return k_rules;
    }
    case AGCSensitivity: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::SetBasicSettingND4AGCSensitivity>, index}};
      return k_rules;
    }
    case VOXSensitivity: {
      static constexpr Rule k_rules[] = {{group(k_nd4), &set<&R::SetBasicSettingND4VoxSensitivity>, index_plus_1},
                                       {group(k_qcc), &set<&R::SetBasicSettingQCCVOXSensitivity>, index_plus_1},
                                       {group(k_airoha_a), &set<&R::SetBasicSettingAirohaVoxSensitivity>, index},
                                       {k_anyone, &set_at<&R::setBasicSettingKR5VOXSensitivity_with, 0>, index_plus_1}};
      return k_rules;
    }
    case SmartVolumeControl: {
      static constexpr Rule k_rules[] = {{group(k_tj4), &set_at<&R::setBasicSettingTJ4SmartVolumeControl_with, 0>, index},
                                       {k_anyone, &set<&R::setBasicSettingLM6SmartVolumeControl>, index}};
      return k_rules;
    }
    case Channel: {
      static constexpr Rule k_rules[] = {{k_anyone, &set_at<&R::setBasicSettingNetdockChannel_with, 0>, index_plus_1}};
      return k_rules;
    }
    case Volume: {
      static constexpr Rule k_rules[] = {{k_anyone, &set_at<&R::setBasicSettingNetdockVolume_with, 1>, index_plus_8}};
      return k_rules;
    }
    case AudioSourcePriority: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setAudioSourcePriority>, index}};
      return k_rules;
    }
    case AutoStartRecording: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setAutoStartRecording>, column0_off}};
      return k_rules;
    }
    case AutoOnOff: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setAutoOnOff>, column0_on}};
      return k_rules;
    }
    case AutoOff: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setAutoOff>, column0_on}};
      return k_rules;
    }
    case SimpleUI: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setSimpleUI>, column0_on}};
      return k_rules;
    }
    case SmartNaviSystem: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setSmartNaviSystem>, column0_on}};
      return k_rules;
    }
    case SmartNaviSystem2: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setSmartNaviSystem2>, column0_on}};
      return k_rules;
    }
    case PhotoMode: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraPhotoMode>, index}};
      return k_rules;
    }
    case VideoMode: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraVideoMode>, index}};
      return k_rules;
    }
    case VideoResolution: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraVideoResolution>, index}};
      return k_rules;
    }
    case TimelapseInterval: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraTimelapseInterval>, index}};
      return k_rules;
    }
    case VideoTaggingInterval: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraVideoTaggingInterval>, index}};
      return k_rules;
    }
    case LoopRecordingInterval: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraLoopRecordingInterval>, index}};
      return k_rules;
    }
    case VideoMicrophoneGain: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraVideoMicrophoneGain>, index}};
      return k_rules;
    }
    case DateCaption: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraDateCaption>, column0_on}};
      return k_rules;
    }
    case SpeakerSoundRecording: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraSpeakerSoundRecording>, column0_on}};
      return k_rules;
    }
    case SpeakerSoundRecordingMusic: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraSpeakerSoundRecordingMusic>, column0_on}};
      return k_rules;
    }
    case SpeakerSoundRecordingFMRadio: {
      static constexpr Rule k_rules[] = {
          {k_anyone, &set<&R::setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio>, column0_on}};
      return k_rules;
    }
    case SpeakerSoundRecordingIntercom: {
      static constexpr Rule k_rules[] = {
          {k_anyone, &set<&R::setBasicSettingVT4CameraSpeakerSoundRecordingIntercom>, column0_on}};
      return k_rules;
    }
    case SpeakerSoundRecordingPhone: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraSpeakerSoundRecordingPhone>, column0_on}};
      return k_rules;
    }
    case AutoCameraSleep: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setBasicSettingVT4CameraAutoCameraSleep>, column0_on}};
      return k_rules;
    }
    case ESSStatus: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setEssStatus>, index}};
      return k_rules;
    }
    case ESSSensitivity: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setEssSensitivity>, index_plus_1}};
      return k_rules;
    }
    case MicGain: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setMicGain>, mic_gain}};
      return k_rules;
    }
    case RTG: {
      static constexpr Rule k_rules[] = {{k_anyone, &set<&R::setRadioTransmitGain>, rtg}};
      return k_rules;
    }
    case HDSpeakerAccessory:
    case ACT:
      break;
  }
  return {};
}

// ---- HD speaker accessory and the audio boost that goes with it ----

// A family's HD speaker bit and the audio boost it sets beside it: switching
// the accessory on leaves audio boost as the second cell of its row writes it.
struct SpeakerFamily {
  Who who;
  void (Record::*set_accessory)(int32_t);
  int32_t (Record::*get_accessory)() const;
  int32_t (Record::*get_boost)() const;
  void (Record::*set_boost)(int32_t);
  int32_t boost_with_accessory;
};

constexpr SpeakerFamily k_speaker_families[] = {
    {writes(device_data::k_writes_nd4_hd_speaker), &R::SetBasicSettingND4HDSpeakerAccessory,
     &R::GetBasicSettingND4HDSpeakerAccessory, &R::GetBasicSettingND4AudioBoost, &R::SetBasicSettingND4AudioBoost, 1},
    {product(k_lm6_product), &R::setBasicSettingLM6HDSpeakerAccessory, &R::getBasicSettingLM6HDSpeakerAccessory,
     &R::getBasicSettingLM6AudioBoost, &R::setBasicSettingLM6AudioBoost, 0},
    {writes(device_data::k_writes_one_module_hd_speaker), &R::setBasicSettingHIDOneModuleHDSpeakerAccessory,
     &R::getBasicSettingHIDOneModuleHDSpeakerAccessory, &R::audioBoost, &R::setAudioBoost, 1},
};

void change_hd_speaker_accessory(int column, int device, Record& record) {
  for (const SpeakerFamily& family : k_speaker_families) {
    if (!holds(family.who, device)) continue;
    (record.*family.set_accessory)(*device_data::stored_value(Map::column0_on, column));
    if ((record.*family.get_accessory)() == 1 && (record.*family.get_boost)() != family.boost_with_accessory) {
      (record.*family.set_boost)(family.boost_with_accessory);
    }
    return;
  }
}

// The rule that decides for `device`; none when no rule holds.
const Rule* rule_for(SettingAction action, int device) {
  for (const Rule& rule : rules_of(action)) {
    if (holds(rule.who, device)) return &rule;
  }
  return nullptr;
}

}  // namespace

bool setting_action_writes(SettingAction action, int device) {
  if (action == SettingAction::HDSpeakerAccessory) {
    return std::any_of(std::begin(k_speaker_families), std::end(k_speaker_families),
                       [device](const SpeakerFamily& family) { return holds(family.who, device); });
  }
  const Rule* rule = rule_for(action, device);
  return rule && rule->setter;
}

void apply_setting_action(SettingAction action, int choice, int device, FEXOBluetoothDeviceData& record) {
  if (action == SettingAction::MicGain) platform::console(platform::format("send Num[%ld]", choice));
  if (action == SettingAction::HDSpeakerAccessory) {
    change_hd_speaker_accessory(choice, device, record);
    return;
  }
  const Rule* rule = rule_for(action, device);
  if (!rule) return;
  const std::optional<int> value = device_data::stored_value(rule->map, choice);
  if (rule->setter && value) rule->setter(record, *value, device);
}

}  // namespace settings
