// What the all-settings sheet decides without a window: the information box
// of a row by product, firmware and flags, and the step after a row's action.
#include "settings/all_settings_sheet.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/format.h"
#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "strings/setting_names.h"
#include "strings/settings_texts.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using session::MessageBoxSize;
using settings::SettingAction;
using N = strings::SettingName;
using T = SettingsTexts;
using enum strings::Language;

Record device_at(int product, int major, int minor) {
  Record device;
  device.setDeviceRecognized(product);
  device.setDeviceVersionMajor(major);
  device.setDeviceVersionMinor(minor);
  return device;
}

struct InformationCase {
  const char* name;
  int product;
  int major;
  int minor;
  SettingAction action;
  std::function<std::string(int language)> text;
  int size;
  // the working copy and the flags recognition left
  std::function<void(Record& current)> edit = {};
  int speaker_type = 0;
  int info_status = 0;
};

TEST(AllSettingsInformation, TextAndSizeByProductFirmwareAndState) {
  const auto name = [](N setting, int language) { return strings::setting_name(setting, language); };
  const auto vq = [](int language) { return T::stringInformationAudioEqualizerVQ(language); };
  const auto plain = [](int language) { return T::stringInformationAudioEqualizer(language); };
  const auto empty = [](int) { return std::string(); };
  // the setter takes the level, stored as the raw code minus 8
  const auto speakers = [](int code) {
    return [code](Record& current) { current.SetBasicSetting50SpeakerAccessorySelect(code - 8); };
  };
  const auto ironvale = [](int code) {
    return [code](Record& current) { current.SetBasicSettingIronvaleSpeakerAccessorySelect(code); };
  };
  const std::vector<InformationCase> cases = {
      {"VOX Intercom: its label in both places", 0x3211, 1, 0, SettingAction::IVOX,
       [&](int l) { return platform::format(T::stringInformationVOXIntercom(l), name(N::VOXIntercom, l), name(N::VOXIntercom, l)); },
       4},
      {"Audio Braiding: its label and the FM radio's", 0x4310, 1, 0, SettingAction::AudioBraiding,
       [&](int l) { return platform::format(T::stringInformationAudioBraiding(l), name(N::AudioBraiding, l), name(N::FMRadio, l)); },
       6},
      {"sensitivity of the LM6 headsets", 0x4310, 1, 0, SettingAction::AudioBraidingSensitivity,
       [&](int l) { return platform::format(T::stringInformationIntercomAudioVeneerSesitivity(l), name(N::AudioBraiding, l)); },
       4},
      {"sensitivity of the others", 0x3211, 1, 0, SettingAction::AudioBraidingSensitivity,
       [](int l) { return T::stringInformationIntercomAudioVeneerSesitivityND4(l); }, 4},
      {"navigation overlay of 0x4210", 0x4210, 2, 5, SettingAction::NavigationAppOverlay,
       [&](int l) { return platform::format(T::stringInformationNavigationAppOverlay(l), name(N::AudioBraiding, l), name(N::AudioBraiding, l)); },
       2},
      {"volume management row of 0x4310", 0x4310, 1, 0, SettingAction::NavigationAppOverlay,
       [](int l) { return T::stringInformationAudioVeneerVolumeManagement(l); }, 4},
      {"Audio Veneer of a mesh headset", 0x3210, 1, 0, SettingAction::AudioVeneer,
       [](int l) { return T::stringInformationBluetoothIntercomAudioBraiding(l); }, 6},
      {"Audio Veneer of 0x5412", 0x5412, 1, 0, SettingAction::AudioVeneer,
       [](int l) { return T::stringInformationAudioVeneer(l); }, 6},
      {"Audio Veneer of 0x5410", 0x5410, 2, 0, SettingAction::AudioVeneer,
       [](int l) { return T::stringInformationAudioVeneerWN3(l); }, 2},
      {"Audio Veneer of 0x6028", 0x6028, 1, 0, SettingAction::AudioVeneer,
       [](int l) { return T::stringInformationAudioBraidingOneModuleForVerrano(l); }, 2},
      {"Audio Veneer of any other", 0x6010, 1, 0, SettingAction::AudioVeneer,
       [](int l) { return T::stringInformationAudioBraidingOneModule(l); }, 6},
      {"VOX sensitivity of 0x6020", 0x6020, 1, 0, SettingAction::VOXSensitivity,
       [](int l) { return T::stringInformationVOXSensitivityForVerrano(l); }, 2},
      {"VOX sensitivity of 0x5623", 0x5623, 1, 1, SettingAction::VOXSensitivity,
       [](int l) { return T::stringInformationVOXSensitivityForKestner(l); }, 2},
      {"VOX sensitivity of 0x6810", 0x6810, 1, 0, SettingAction::VOXSensitivity,
       [](int l) { return T::stringInformationVOXSensitivityGZ3(l); }, 2},
      {"VOX sensitivity of any other", 0x5410, 2, 0, SettingAction::VOXSensitivity,
       [](int l) { return T::stringInformationVOXSensitivity(l); }, 2},
      {"unit language of 0x3161", 0x3161, 1, 0, SettingAction::UnitLanguage,
       [](int l) { return T::stringInformationHeadsetUnitLanguage(l); }, 2},
      {"unit language of 0x3132 below 1.1", 0x3132, 1, 0, SettingAction::UnitLanguage,
       [](int l) { return T::stringInformationHeadsetUnitLanguage(l); }, 2},
      {"unit language of 0x3132 from 1.1", 0x3132, 1, 1, SettingAction::UnitLanguage,
       [](int l) { return T::stringInformationUnitLanguage(l); }, 2},
      {"unit language of 0x3214 with a known speaker", 0x3214, 1, 0, SettingAction::UnitLanguage,
       [](int l) { return T::stringInformationHeadsetUnitLanguage(l); }, 2, {}, 7},
      {"unit language of 0x3214 with another speaker", 0x3214, 1, 0, SettingAction::UnitLanguage,
       [](int l) { return T::stringInformationUnitLanguage(l); }, 2, {}, 8},
      {"headset language of 0x3350", 0x3350, 1, 0, SettingAction::UnitLanguage,
       [](int l) { return T::stringInformationHeadsetLanguage(l); }, 2},
      {"unit language of 0x6038", 0x6038, 1, 0, SettingAction::UnitLanguage,
       [](int l) { return T::stringInformationUnitLanguageVexlink(l); }, 2},
      {"equalizer of 0x3240", 0x3240, 1, 0, SettingAction::AudioEqualizer,
       [](int l) { return T::stringInformationAudioEqualizerRF(l); }, 6},
      {"equalizer of 0x3264", 0x3264, 1, 0, SettingAction::AudioEqualizer, vq, 6},
      {"equalizer of 0x4210 2.5 with the speaker rows", 0x4210, 2, 5, SettingAction::AudioEqualizer, vq, 6, {}, 0, 1},
      {"equalizer of 0x4210 2.4 with the speaker rows", 0x4210, 2, 4, SettingAction::AudioEqualizer, plain, 4, {}, 0, 1},
      {"0x3112 3.3, Q9 speakers", 0x3112, 3, 3, SettingAction::AudioEqualizer, vq, 6, ironvale(1)},
      {"0x3112 3.3, basic speakers", 0x3112, 3, 3, SettingAction::AudioEqualizer, plain, 6, ironvale(0)},
      {"0x3112 3.2, Q9 speakers", 0x3112, 3, 2, SettingAction::AudioEqualizer, plain, 6, ironvale(1)},
      {"0x3112 3.0", 0x3112, 3, 0, SettingAction::AudioEqualizer, plain, 4, ironvale(1)},
      {"0x3132 1.1, known accessory, code 1", 0x3132, 1, 1, SettingAction::AudioEqualizer, vq, 6, speakers(1), 3},
      {"0x3132 1.1, known accessory, code 9", 0x3132, 1, 1, SettingAction::AudioEqualizer, plain, 6, speakers(9), 3},
      {"0x3132 1.1, other accessory, code 9", 0x3132, 1, 1, SettingAction::AudioEqualizer, vq, 6, speakers(9), 8},
      {"0x3132 1.1, other accessory, code 1", 0x3132, 1, 1, SettingAction::AudioEqualizer, plain, 6, speakers(1), 8},
      {"0x3132 1.0", 0x3132, 1, 0, SettingAction::AudioEqualizer, plain, 4, speakers(1), 3},
      {"0x3215 counts as a known accessory", 0x3215, 1, 0, SettingAction::AudioEqualizer, vq, 6, speakers(1), 8},
      {"equalizer of 0x5552", 0x5552, 1, 0, SettingAction::AudioEqualizer, plain, 4},
      {"HD Voice of 0x5552", 0x5552, 1, 0, SettingAction::HDVoice, [](int l) { return T::stringInformationHDVoice(l); }, 2},
      {"voice prompt of 0x5552 has no text", 0x5552, 1, 0, SettingAction::VoicePrompt, empty, 2},
      {"FM station guide of 0x5553 has no text", 0x5553, 1, 0, SettingAction::FMStationGuide, empty, 2},
      {"headset language of 0x5553 has no text", 0x5553, 1, 0, SettingAction::UnitLanguage, empty, 2},
      {"Qorlan accessory of 0x3310", 0x3310, 1, 0, SettingAction::QorlanHDSPeakerAccessory,
       [](int l) { return T::stringInformationHDSpeakerAccessory(l); }, 2},
      {"Qorlan accessory of 0x3340", 0x3340, 1, 0, SettingAction::QorlanHDSPeakerAccessory,
       [](int l) { return T::stringInformationHDSpeakerAccessorySelect(l); }, 2},
      {"video mode below 2.0", 0x5510, 1, 9, SettingAction::VideoMode,
       [](int l) { return T::stringInformationVideoMode(true, l); }, 2},
      {"video mode from 2.0", 0x5510, 2, 0, SettingAction::VideoMode,
       [](int l) { return T::stringInformationVideoMode(false, l); }, 4},
      {"speaker sound recording", 0x5510, 2, 0, SettingAction::SpeakerSoundRecording,
       [&](int l) { return platform::format(T::stringInformationSpeakerSoundRecording(l), name(N::SpeakerSoundRecording, l), name(N::SpeakerSoundRecording, l)); },
       4},
      {"auto camera sleep", 0x5510, 2, 0, SettingAction::AutoCameraSleep,
       [&](int l) { return platform::format(T::stringInformationAutoCameraSleep(l), name(N::AutoCameraSleep, l), name(N::AutoCameraSleep, l)); },
       4},
      {"mesh guest mode", 0x3210, 1, 0, SettingAction::MeshGuestMode,
       [](int l) { return T::stringInformationMeshGuestMode(l); }, 6},
  };
  for (const InformationCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Record data = device_at(c.product, c.major, c.minor);
    Record current = data;
    if (c.edit) c.edit(current);
    for (int language : {static_cast<int>(English), static_cast<int>(French), static_cast<int>(Japanese)}) {
      const settings::AllSettingsContext context{.product = c.product,
                                                 .data = data,
                                                 .current = current,
                                                 .device50SpeakerType = c.speaker_type,
                                                 .deviceInfoStatus = c.info_status,
                                                 .language = language};
      const auto box = settings::all_settings_information(context, c.action);
      ASSERT_TRUE(box.has_value());
      EXPECT_EQ(box->message, c.text(language));
      EXPECT_EQ(box->size, static_cast<MessageBoxSize>(c.size));
      EXPECT_EQ(box->purpose, session::MessageBoxPurpose::setting_information);
      EXPECT_FALSE(box->warning);
      EXPECT_FALSE(box->cancel_title.has_value());
      EXPECT_EQ(box->ok_title, CommonTexts::vyla_string_ok_in(language));
    }
  }
}

TEST(AllSettingsInformation, RowsWithoutATextOpenNoBox) {
  const Record data = device_at(0x3161, 1, 0);
  const settings::AllSettingsContext context{.product = 0x3161, .data = data, .current = data};
  for (SettingAction action : {SettingAction::RemoteUIPTT, SettingAction::Channel, SettingAction::Volume,
                               SettingAction::SpeakerSoundRecordingMusic, SettingAction::SpeakerSoundRecordingPhone}) {
    EXPECT_FALSE(settings::all_settings_information(context, action).has_value()) << static_cast<int>(action);
  }
}

// The four recording sources of the 0x5510 camera and the switch they hang on.
struct Recording {
  int on, music, fm, intercom, phone;
  bool operator==(const Recording&) const = default;
};
Recording recording_of(const Record& current) {
  return {current.getBasicSettingVT4CameraSpeakerSoundRecording(),
          current.getBasicSettingVT4CameraSpeakerSoundRecordingMusic(),
          current.getBasicSettingVT4CameraSpeakerSoundRecordingFMRadio(),
          current.getBasicSettingVT4CameraSpeakerSoundRecordingIntercom(),
          current.getBasicSettingVT4CameraSpeakerSoundRecordingPhone()};
}
void set_recording(Record& current, const Recording& r) {
  current.setBasicSettingVT4CameraSpeakerSoundRecording(r.on);
  current.setBasicSettingVT4CameraSpeakerSoundRecordingMusic(r.music);
  current.setBasicSettingVT4CameraSpeakerSoundRecordingFMRadio(r.fm);
  current.setBasicSettingVT4CameraSpeakerSoundRecordingIntercom(r.intercom);
  current.setBasicSettingVT4CameraSpeakerSoundRecordingPhone(r.phone);
}
std::ostream& operator<<(std::ostream& out, const Recording& r) {
  return out << "{" << r.on << " " << r.music << r.fm << r.intercom << r.phone << "}";
}

TEST(AllSettingsExtraStep, RecordingSourcesOfTheCamera) {
  struct Case {
    const char* name;
    int product;
    SettingAction action;
    Recording before;  // as the action left it
    Recording after;
    bool reload;
  };
  const Case cases[] = {
      {"on with no source: three sources on, Phone stays", 0x5510, SettingAction::SpeakerSoundRecording,
       {1, 0, 0, 0, 0}, {1, 1, 1, 1, 0}, true},
      {"on with a source: as it is", 0x5510, SettingAction::SpeakerSoundRecording, {1, 0, 0, 0, 1}, {1, 0, 0, 0, 1},
       true},
      {"the last source off: recording off", 0x5510, SettingAction::SpeakerSoundRecordingIntercom, {1, 0, 0, 0, 0},
       {0, 0, 0, 0, 0}, true},
      {"a source off, others on: nothing more", 0x5510, SettingAction::SpeakerSoundRecordingMusic, {1, 0, 1, 0, 0},
       {1, 0, 1, 0, 0}, false},
      {"another camera: no step", 0x5520, SettingAction::SpeakerSoundRecording, {1, 0, 0, 0, 0}, {1, 0, 0, 0, 0},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Record data = device_at(c.product, 3, 0);
    Record current = data;
    set_recording(current, c.before);
    EXPECT_EQ(settings::all_settings_extra_step(c.action, c.product, data, current), c.reload);
    EXPECT_EQ(recording_of(current), c.after);
  }
}

TEST(AllSettingsExtraStep, HDIntercomHDVoiceAndAudioVeneerExcludeEachOther) {
  struct Audio {
    int hd_intercom, hd_voice, veneer;
    bool operator==(const Audio&) const = default;
  };
  struct Case {
    const char* name;
    int product;
    SettingAction action;
    Audio before;
    Audio after;
    bool reload;
  };
  const Case cases[] = {
      {"Audio Veneer on", 0x3210, SettingAction::AudioVeneer, {1, 1, 1}, {0, 0, 1}, true},
      {"Audio Veneer off", 0x3210, SettingAction::AudioVeneer, {1, 1, 0}, {1, 1, 0}, true},
      {"HD Intercom on", 0x3900, SettingAction::HDIntercom, {1, 0, 1}, {1, 0, 0}, true},
      {"HD Intercom off", 0x3900, SettingAction::HDIntercom, {0, 1, 1}, {0, 1, 1}, true},
      {"HD Voice on", 0x3264, SettingAction::HDVoice, {0, 1, 1}, {0, 1, 0}, true},
      {"outside the group: Audio Veneer only reloads", 0x6010, SettingAction::AudioVeneer, {1, 1, 1}, {1, 1, 1}, true},
      {"outside the group: HD Intercom as it is", 0x6010, SettingAction::HDIntercom, {1, 0, 1}, {1, 0, 1}, false},
      {"0x5410 below 1.1: no reload", 0x5410, SettingAction::AudioVeneer, {0, 0, 1}, {0, 0, 1}, false},
      {"an accessory reloads", 0x6010, SettingAction::HDSpeakerAccessory, {0, 0, 0}, {0, 0, 0}, true},
      {"a plain setting neither writes nor reloads", 0x3210, SettingAction::VoicePrompt, {1, 1, 1}, {1, 1, 1}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Record data = device_at(c.product, 1, 0);
    Record current = data;
    current.SetBasicSettingND4HDIntercom(c.before.hd_intercom);
    current.SetBasicSettingWQ8HDVoice(c.before.hd_voice);
    current.SetBasicSettingND4AudioVeneer(c.before.veneer);
    EXPECT_EQ(settings::all_settings_extra_step(c.action, c.product, data, current), c.reload);
    const Audio after{current.GetBasicSettingND4HDIntercom(), current.GetBasicSettingWQ8HDVoice(),
                      current.GetBasicSettingND4AudioVeneer()};
    EXPECT_TRUE(after == c.after) << after.hd_intercom << after.hd_voice << after.veneer;
  }
}

}  // namespace
