// The rows of the all-settings table: which rows each product shows at its
// firmware and flags, what each row shows of the working copy, which rows
// hang on another setting, and the catalogue's own consistency.
#include "settings/all_settings_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/log.h"
#include "settings/classic_panel_states.h"
#include "strings/common_texts.h"
#include "strings/language_table.h"
#include "strings/setting_items.h"

namespace {

// Silences the logs for one test's noisy loops and turns them on again after it.
struct LogsSilenced {
  LogsSilenced() { platform::silence_logs(); }
  ~LogsSilenced() { platform::restore_logs(); }
  LogsSilenced(const LogsSilenced&) = delete;
  LogsSilenced& operator=(const LogsSilenced&) = delete;
};

using Record = FEXOBluetoothDeviceData;
using settings::AllSettingsContext;
using settings::AllSettingsRow;
using settings::RowKind;
using settings::SettingAction;
using strings::ItemSet;
using enum strings::Language;

// The recognized device and the flags recognition left.
struct Device {
  int product = 0;
  int major = 1;
  int minor = 0;
  int fm = 3;
  int motion = 5;
  int speaker = 0;
  int info = 0;
  int pack = 0;
  int secondary_type = 0;
  int secondary = 0;
};

Device at(int product, int major, int minor) {
  Device device;
  device.product = product;
  device.major = major;
  device.minor = minor;
  return device;
}
Device fm_hidden(Device device) {
  device.fm = 4;
  return device;
}
Device speaker(Device device, int type) {
  device.speaker = type;
  return device;
}

Record recognized(const Device& device) {
  Record data;
  data.setDeviceRecognized(device.product);
  data.setDeviceVersionMajor(device.major);
  data.setDeviceVersionMinor(device.minor);
  data.setDeviceSecondaryVersionType(device.secondary_type);
  data.setDeviceSecondaryVersion(device.secondary);
  data.setDevicelanguagePackType(device.pack);
  return data;
}

AllSettingsContext context_of(const Device& device, const Record& data, const Record& current, int language = 0) {
  return AllSettingsContext{device.product, data,        current,     device.fm, device.motion,
                            device.speaker, device.info, device.pack, language};
}

// The rows `device` shows of `current`.
std::vector<AllSettingsRow> rows_of(const Device& device, const Record& current = Record(), int language = 0) {
  const Record data = recognized(device);
  const AllSettingsContext context = context_of(device, data, current, language);
  std::vector<AllSettingsRow> rows = settings::all_settings_rows(context);
  EXPECT_EQ(settings::numberOfRowsInTableView(context), static_cast<int>(rows.size()));
  return rows;
}

std::vector<std::string_view> types_of(const std::vector<AllSettingsRow>& rows) {
  std::vector<std::string_view> types;
  for (const AllSettingsRow& row : rows) types.push_back(row.type);
  return types;
}

// The row of type `type`; fails the test when the device has none.
AllSettingsRow row_named(const std::vector<AllSettingsRow>& rows, std::string_view type) {
  for (const AllSettingsRow& row : rows) {
    if (row.type == type) return row;
  }
  ADD_FAILURE() << "no row " << type;
  return AllSettingsRow();
}

std::string selected_item(const AllSettingsRow& row) {
  if (row.selected < 0 || row.selected >= static_cast<int>(row.items.size())) return "(none)";
  return row.items[static_cast<size_t>(row.selected)];
}

TEST(AllSettingsRows, RowsByProductFirmwareAndFlags) {
  Device r4210_25 = at(0x4210, 2, 5);
  r4210_25.info = 1;
  Device r4210_22 = fm_hidden(at(0x4210, 2, 2));
  r4210_22.motion = 6;
  r4210_22.secondary_type = 2;
  r4210_22.secondary = 3;
  Device r4210_fm_motion = at(0x4210, 2, 2);
  r4210_fm_motion.motion = 6;
  Device r4210_20_early = at(0x4210, 2, 0);
  r4210_20_early.secondary_type = 2;
  r4210_20_early.secondary = 2;
  Device r4210_20_late = r4210_20_early;
  r4210_20_late.secondary = 3;
  Device r4210_24_speakers = at(0x4210, 2, 4);
  r4210_24_speakers.info = 1;

  struct Case {
    const char* name;
    Device device;
    int count;
    std::vector<std::string_view> first;  // the rows from row 0 on
    std::string_view last;
  };
  const Case cases[] = {
      {"0x3211 FM hidden, speaker 3",
       speaker(fm_hidden(at(0x3211, 1, 0)), 3),
       14,
       {"Headset Language [ND4]", "Audio Equalizer [WQ8]", "VOX Phone [ND4]"},
       "Intercom-audio Veneer Sensi... [ND4]"},
      {"0x3211 FM hidden, speaker 8",
       speaker(fm_hidden(at(0x3211, 1, 0)), 8),
       16,
       {"Headset Language [ND4]", "Velmont Acoustics Mic", "Speakers [WQ8]", "Audio Equalizer [WQ8]"},
       "Intercom-audio Veneer Sensi... [ND4]"},
      {"0x3211 FM shown, speaker 3", speaker(at(0x3211, 1, 0), 3), 15, {"Headset Language [ND4]"}, {}},
      {"0x3211 FM shown, speaker 8", speaker(at(0x3211, 1, 0), 8), 17, {"Headset Language [ND4]"}, {}},
      {"0x3211 speaker -1 counts as no known type", speaker(at(0x3211, 1, 0), -1), 17, {}, {}},
      {"0x3211 speaker 255 likewise", speaker(at(0x3211, 1, 0), 255), 17, {}, {}},
      {"0x3170",
       at(0x3170, 1, 0),
       17,
       {"Unit Language [TJ6]", "Audio Equalizer [WQ8/T3]", "Audio Boost [ND4]", "VOX Phone [ND4]", "VOX Intercom [ND4]",
        "Bluetooth Intercom Audio Braiding™", "HD Intercom [ND4]", "HD Voice [WQ8]", "Voice Assistant"},
       {}},
      {"0x5510 at 1.0", at(0x5510, 1, 0), 18, {"Audio Boost [record]"}, "Auto Camera Sleep"},
      {"0x5510 at 1.9: whatever the minor version", at(0x5510, 1, 9), 18, {}, "Auto Camera Sleep"},
      {"0x5510 at 3.0", at(0x5510, 3, 0), 25, {}, "Auto Camera Sleep"},
      {"0x5530 at 1.3", at(0x5530, 1, 3), 8, {}, {}},
      {"0x5530 at 1.4", at(0x5530, 1, 4), 10, {}, {}},
      {"0x5530 at 1.9", at(0x5530, 1, 9), 10, {}, {}},
      {"0x5530 at 2.0, FM shown", at(0x5530, 2, 0), 11, {}, {}},
      {"0x5530 at 2.0, FM hidden", fm_hidden(at(0x5530, 2, 0)), 10, {}, {}},
      {"0x4210 at 2.5 with the speaker rows", r4210_25, 15, {"Audio Braiding™ [LM6]"}, "Audio Equalizer [LM6/T6]"},
      {"0x4210 at 2.4 with the speaker rows keeps the older list",
       r4210_24_speakers,
       13,
       {},
       "Ambient Hush Control™ [LM6]"},
      {"0x4210 at 2.2, FM and motion hidden", r4210_22, 13, {}, "Audio Equalizer [LM6/T3]"},
      {"0x4210 at 2.2, FM shown and motion hidden", r4210_fm_motion, 14, {}, "Audio Equalizer [LM6/T3]"},
      {"0x4210 at 1.0", at(0x4210, 1, 0), 4, {"VOX Phone [LM6]", "Sidetone [LM6]"}, {}},
      {"0x4210 at 1.1", at(0x4210, 1, 1), 6, {}, "Navigation App Support"},
      {"0x4210 at 1.4", at(0x4210, 1, 4), 11, {}, "Ambient Hush Control™ [LM6]"},
      {"0x4210 at 2.0 before its third secondary release", r4210_20_early, 13, {}, "Ambient Hush Control™ [LM6]"},
      {"0x4210 at 2.0 from its third secondary release", r4210_20_late, 15, {}, "Audio Equalizer [LM6/T3]"},
      {"0x3052 as its twin 0x3050 below 1.4", at(0x3052, 1, 3), 3, {"Voice Prompt [record]"}, {}},
      {"0x3052 from 1.4 with FM hidden", fm_hidden(at(0x3052, 1, 4)), 1, {"Voice Prompt [record]"}, {}},
      {"0x3072 with FM hidden", fm_hidden(at(0x3072, 1, 0)), 3, {"Unit Language [HB6/T2]"}, "Sidetone [record]"},
      {"0x3082", at(0x3082, 1, 0), 3, {}, {}},
      {"0x3110 at 3.1 with FM hidden",
       fm_hidden(at(0x3110, 3, 1)),
       17,
       {"Unit Language [ND4]"},
       "Audio Equalizer [ND4]"},
      {"0x3110 at 2.1", at(0x3110, 2, 1), 17, {"Unit Language [ND4]", "Audio Boost [ND4]"}, "Voice Command [ND4]"},
      {"0x3112 from 3.3 with the Ironvale speakers", at(0x3112, 3, 3), 17, {}, "Audio Equalizer [Ironvale]"},
      {"0x3132 below 1.1", speaker(at(0x3132, 1, 0), 9), 15, {"Unit Language [ND4]", "Audio Equalizer [WQ8/T3]"}, {}},
      {"0x3132 at 1.1 with an accessory",
       speaker(at(0x3132, 1, 1), 9),
       19,
       {"Unit Language [ND4]", "Velmont Acoustics Mic"},
       {}},
      {"0x3161", at(0x3161, 1, 0), 3, {"Channel Select", "Unit Language [DK5X]", "Remote UI RTT"}, {}},
      {"0x3560", at(0x3560, 1, 0), 2, {"Channel", "Volume"}, {}},
      {"0x6038", at(0x6038, 1, 0), 11, {"Audio Boost [record]"}, "Language"},
      {"0x6500", at(0x6500, 1, 0), 7, {"Audio Equalizer [QCC]", "VOX Phone [ND4]", "HD Voice [QCC]"}, {}},
      {"0x6804", at(0x6804, 1, 0), 6, {"Headset Language [Airoha/T2]", "VOX Phone [Airoha]"}, {}},
      {"0x4D10: classic panel only", at(0x4D10, 4, 2), 0, {}, {}},
      {"0x4023: its settings stay on the classic panel", at(0x4023, 1, 0), 0, {}, {}},
      {"no product", at(0, 1, 0), 0, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<AllSettingsRow> rows = rows_of(c.device);
    const std::vector<std::string_view> types = types_of(rows);
    ASSERT_EQ(static_cast<int>(types.size()), c.count);
    ASSERT_GE(types.size(), c.first.size());
    EXPECT_EQ(std::vector<std::string_view>(types.begin(), types.begin() + static_cast<long>(c.first.size())), c.first);
    if (!c.last.empty()) {
      EXPECT_EQ(types.back(), c.last);
    }
  }
}

TEST(AllSettingsRows, AnFMRadioAddsItsStationGuideAfterAmbientHushControl) {
  for (int type : {3, 8}) {
    SCOPED_TRACE(type);
    const std::vector<std::string_view> hidden = types_of(rows_of(speaker(fm_hidden(at(0x3211, 1, 0)), type)));
    std::vector<std::string_view> shown = types_of(rows_of(speaker(at(0x3211, 1, 0), type)));
    const auto guide = std::find(shown.begin(), shown.end(), "FM Station Guide [ND4]");
    ASSERT_NE(guide, shown.end());
    EXPECT_EQ(*(guide - 1), "Ambient Hush Control™ [ND4]");
    shown.erase(guide);
    EXPECT_EQ(shown, hidden);
  }
  // 0x5530 from 2.0 leaves the row out when the device has no FM radio
  const std::vector<std::string_view> types = types_of(rows_of(fm_hidden(at(0x5530, 2, 0))));
  EXPECT_EQ(std::count(types.begin(), types.end(), "FM Station Guide [record]"), 0);
}

TEST(AllSettingsRows, TheRowsOf0x3170AndTheirActions) {
  const std::vector<AllSettingsRow> rows = rows_of(at(0x3170, 1, 0));
  ASSERT_EQ(rows.size(), 17u);
  EXPECT_EQ(rows[2].label, "Audio Boost");
  EXPECT_EQ(rows[2].action, SettingAction::AudioBoost);
  EXPECT_EQ(rows[2].kind, RowKind::on_off);
  EXPECT_EQ(rows[8].label, "Voice Assistant");
  EXPECT_EQ(rows[8].action, SettingAction::VoiceAssistant);
  EXPECT_EQ(rows[1].kind, RowKind::pop_up);
  EXPECT_EQ(rows[1].action, SettingAction::AudioEqualizer);
  EXPECT_EQ(rows[0].items, strings::setting_items(ItemSet::T13, English));
}

TEST(AllSettingsRows, ARowIndexOutsideTheListGivesNoRow) {
  const Device device = at(0x5530, 1, 3);
  const Record data = recognized(device);
  const Record current;
  const AllSettingsContext context = context_of(device, data, current);
  ASSERT_EQ(settings::numberOfRowsInTableView(context), 8);
  EXPECT_TRUE(settings::all_settings_row(context, 7));
  EXPECT_FALSE(settings::all_settings_row(context, 8));
  EXPECT_FALSE(settings::all_settings_row(context, -1));
  EXPECT_FALSE(settings::all_settings_row(context, INT_MAX));

  const Device other = at(0x4D10, 1, 0);
  const Record other_data = recognized(other);
  EXPECT_FALSE(settings::all_settings_row(context_of(other, other_data, current), 0));
}

TEST(AllSettingsRows, ValuesSelectTheirItemOrColumn) {
  struct Case {
    const char* name;
    Device device;
    std::function<void(Record&)> set;
    std::string_view type;
    std::string shows;  // the item, or "Enable"/"Disable" for an on/off row
  };
  const Device lm6 = at(0x2030, 1, 0);
  const Device mic = speaker(fm_hidden(at(0x3211, 1, 0)), 8);
  const Device camera = at(0x5510, 3, 0);
  const Device navi = at(0x6010, 1, 2);
  const Device dock = at(0x3560, 1, 0);
  const auto lm6_sensitivity = [](int value) {
    return [value](Record& r) { r.setBasicSettingLM6AudioBraidingSensitivity(value); };
  };
  const auto speaker_code = [](int code) { return [code](Record& r) { r.setBasicSetting20At_with(4, code); }; };
  const auto ess = [](int code) { return [code](Record& r) { r.setBasicSetting20At_with(2, code << 2); }; };
  const Case cases[] = {
      {"LM6 sensitivity 10 is listed first", lm6, lm6_sensitivity(10), "Intercom-audio Veneer Sensi... [LM6]", "1"},
      {"LM6 sensitivity 1 is listed last", lm6, lm6_sensitivity(1), "Intercom-audio Veneer Sensi... [LM6]", "10"},
      {"LM6 sensitivity 11 has no item", lm6, lm6_sensitivity(11), "Intercom-audio Veneer Sensi... [LM6]", "(none)"},
      {"LM6 sensitivity INT_MIN has no item", lm6, lm6_sensitivity(INT_MIN), "Intercom-audio Veneer Sensi... [LM6]",
       "(none)"},
      {"speaker code 8", mic, speaker_code(8), "Speakers [WQ8]", "Fexo HD Speakers"},
      {"speaker code 9", mic, speaker_code(9), "Speakers [WQ8]", "Velmont Acoustics Speakers"},
      {"speaker code 10 has no item", mic, speaker_code(10), "Speakers [WQ8]", "(none)"},
      {"microphone code 8 is no accessory", mic, speaker_code(0x80), "Velmont Acoustics Mic", "Disable"},
      {"microphone code 9", mic, speaker_code(0x90), "Velmont Acoustics Mic", "Enable"},
      {"microphone code 0 is not code 8", mic, speaker_code(0), "Velmont Acoustics Mic", "Enable"},
      {"ESS sensitivity 1", navi, ess(1), "ESS Sensitivity", "Low"},
      {"ESS sensitivity 2", navi, ess(2), "ESS Sensitivity", "Medium"},
      {"ESS sensitivity 3", navi, ess(3), "ESS Sensitivity", "High"},
      {"ESS sensitivity code 0", navi, ess(0), "ESS Sensitivity", "Medium"},
      {"ESS configuration 3", navi, [](Record& r) { r.setEssStatus(3); }, "ESS Configuration", "Disabled function"},
      {"voice prompt of the record: 0 is on", camera, [](Record& r) { r.setVoicePrompt(0); }, "Voice Prompt [record]",
       "Enable"},
      {"voice prompt of the record: 2 is off", camera, [](Record& r) { r.setVoicePrompt(2); }, "Voice Prompt [record]",
       "Disable"},
      {"VOX phone of the record: 2 is on", camera, [](Record& r) { r.setHandsfreeVOX(2); }, "VOX Phone [record]",
       "Enable"},
      {"audio source priority INT_MAX has no item", camera, [](Record& r) { r.setAudioSourcePriority(INT_MAX); },
       "Audio Source Priority", "(none)"},
      {"audio source priority 1", camera, [](Record& r) { r.setAudioSourcePriority(1); }, "Audio Source Priority",
       "Music"},
      {"video resolution 2", camera, [](Record& r) { r.setBasicSettingVT4CameraVideoResolution(2); },
       "Video Resolution", "720p/30fps"},
      {"dock channel 1", dock, [](Record& r) { r.setBasicSettingNetdockChannel_with(0, 1); }, "Channel", "Channel 1"},
      {"dock channel 0 has no item", dock, [](Record& r) { r.setBasicSettingNetdockChannel_with(0, 0); }, "Channel",
       "(none)"},
      {"dock volume word 8", dock, [](Record& r) { r.setBasicSettingNetdockVolume_with(1, 8); }, "Volume", "1"},
      {"dock volume word 12", dock, [](Record& r) { r.setBasicSettingNetdockVolume_with(1, 12); }, "Volume", "5"},
      {"motion sensor 1 is Disable", at(0x4210, 1, 1),
       [](Record& r) { r.setBasicSettingLM6MotionSensorSensitivity(1); }, "Motion Sensor Sensitivity", "Disable"},
      {"motion sensor 0 has no item", at(0x4210, 1, 1),
       [](Record& r) { r.setBasicSettingLM6MotionSensorSensitivity(0); }, "Motion Sensor Sensitivity", "(none)"},
      {"remote UI: a clear bit reads 1, off", at(0x3161, 1, 0), [](Record&) {}, "Remote UI RTT", "Disable"},
      {"0x3142 shows the raw volume management bit", at(0x3142, 1, 0),
       [](Record& r) { r.setBasicSetting20At_with(1, 1 << 6); }, "Audio Veneer Volume Management [ND4]", "Enable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record current;
    c.set(current);
    const AllSettingsRow row = row_named(rows_of(c.device, current), c.type);
    if (row.kind == RowKind::on_off) {
      ASSERT_TRUE(row.selected == 0 || row.selected == 1);
      EXPECT_EQ(row.selected == 0 ? "Enable" : "Disable", c.shows);
    } else {
      EXPECT_EQ(selected_item(row), c.shows);
    }
  }
}

TEST(AllSettingsRows, RowsThatHangOnAnotherSetting) {
  struct Case {
    const char* name;
    Device device;
    std::function<void(Record&)> set;
    std::vector<std::string_view> types;
    bool enabled;
  };
  const Device lm6 = at(0x2030, 1, 0);
  const Device record = at(0x5410, 2, 0);
  const std::vector<std::string_view> braided = {"Intercom-audio Veneer Sensi... [LM6]",
                                                 "Audio Veneer Volume Management [LM6]"};
  const std::vector<std::string_view> veneered = {"HD Voice [record]", "HD Intercom [record]", "Audio Source Priority"};
  Device lm6_speakers = at(0x4210, 2, 5);
  lm6_speakers.info = 1;
  const Device camera = at(0x5510, 3, 0);
  const std::vector<std::string_view> sources = {"▶ Music", "▶ FM Radio", "▶ Intercom", "▶ Phone"};
  const auto veneer = [](int value) { return [value](Record& r) { r.setAudioVeneer(value); }; };
  const Case cases[] = {
      {"LM6 audio braiding off", lm6, [](Record&) {}, braided, false},
      {"LM6 audio braiding on", lm6, [](Record& r) { r.setBasicSettingLM6AudioBraiding(1); }, braided, true},
      {"LM6 HD speaker off: audio boost", lm6, [](Record&) {}, {"Audio Boost [LM6]"}, true},
      {"audio veneer 1", record, veneer(1), veneered, false},
      {"audio veneer 0", record, veneer(0), veneered, true},
      {"audio veneer 2", record, veneer(2), veneered, true},
      {"LM6 speakers 1",
       lm6_speakers,
       [](Record& r) { r.SetBasicSettingLM6IronvaleSpeakerAccessorySelect(1); },
       {"Audio Equalizer [LM6/T6]"},
       true},
      {"LM6 speakers 0", lm6_speakers, [](Record&) {}, {"Audio Equalizer [LM6/T6]"}, false},
      {"LM6 speakers 2",
       lm6_speakers,
       [](Record& r) { r.SetBasicSettingLM6IronvaleSpeakerAccessorySelect(2); },
       {"Audio Equalizer [LM6/T6]"},
       false},
      {"ND4 HD speaker off", at(0x3110, 3, 1), [](Record&) {}, {"Audio Equalizer [ND4]"}, false},
      {"ND4 HD speaker on",
       at(0x3110, 3, 1),
       [](Record& r) { r.SetBasicSettingND4HDSpeakerAccessory(1); },
       {"Audio Equalizer [ND4]"},
       true},
      {"Ironvale speakers 0", at(0x3112, 3, 3), [](Record&) {}, {"Audio Equalizer [Ironvale]"}, false},
      {"Ironvale speakers 2",
       at(0x3112, 3, 3),
       [](Record& r) { r.SetBasicSettingIronvaleSpeakerAccessorySelect(2); },
       {"Audio Equalizer [Ironvale]"},
       true},
      {"camera sound recording off", camera, [](Record&) {}, sources, false},
      {"camera sound recording on", camera, [](Record& r) { r.setBasicSettingVT4CameraSpeakerSoundRecording(1); },
       sources, true},
      {"the mesh channel select is always enabled", at(0x3161, 1, 0), [](Record&) {}, {"Channel Select"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record current;
    c.set(current);
    const std::vector<AllSettingsRow> rows = rows_of(c.device, current);
    for (std::string_view type : c.types) {
      SCOPED_TRACE(type);
      EXPECT_EQ(row_named(rows, type).enabled, c.enabled);
    }
  }
}

TEST(AllSettingsRows, EqualizerItemsFollowTheSpeakers) {
  struct Case {
    const char* name;
    Device device;
    std::function<void(Record&)> set;
    std::string_view type;
    ItemSet items;
  };
  const Device basic = speaker(fm_hidden(at(0x3211, 1, 0)), 3);    // the list without the accessory rows
  const Device velmont = speaker(fm_hidden(at(0x3211, 1, 0)), 8);  // the list with them
  const auto code = [](int speaker_code) {
    return [speaker_code](Record& r) { r.setBasicSetting20At_with(4, speaker_code); };
  };
  const auto ironvale = [](int selection) {
    return [selection](Record& r) { r.SetBasicSettingIronvaleSpeakerAccessorySelect(selection); };
  };
  Device lm6_speakers = at(0x4210, 2, 5);
  lm6_speakers.info = 1;
  const Case cases[] = {
      {"basic list, code 1", basic, code(1), "Audio Equalizer [WQ8]", ItemSet::T6},
      {"basic list, code 9", basic, code(9), "Audio Equalizer [WQ8]", ItemSet::T3},
      {"accessory list, code 9", velmont, code(9), "Audio Equalizer [WQ8]", ItemSet::T6},
      {"accessory list, code 1", velmont, code(1), "Audio Equalizer [WQ8]", ItemSet::T3},
      {"0x3215, code 1", at(0x3215, 1, 0), code(1), "Audio Equalizer [WQ8]", ItemSet::T6},
      {"Ironvale speakers 1", at(0x3112, 3, 3), ironvale(1), "Audio Equalizer [Ironvale]", ItemSet::T6},
      {"Ironvale speakers 2", at(0x3112, 3, 3), ironvale(2), "Audio Equalizer [Ironvale]", ItemSet::T3},
      {"LM6 speaker rows", lm6_speakers, [](Record&) {}, "Audio Equalizer [LM6/T6]", ItemSet::T6},
      {"LM6 speakers choice", lm6_speakers, [](Record&) {}, "Speakers [LM6]", ItemSet::T11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Record current;
    c.set(current);
    EXPECT_EQ(row_named(rows_of(c.device, current), c.type).items, strings::setting_items(c.items, English));
  }
  EXPECT_EQ(strings::setting_items(ItemSet::T6, English).front(), "Music Balance");
}

TEST(AllSettingsRows, LanguageItemsFollowTheLanguagePack) {
  struct Case {
    int product;
    int pack;
    std::string_view type;
    ItemSet items;
  };
  const Case cases[] = {
      {0x3340, 0, "Unit Language [HB6/T14]", ItemSet::T14},
      {0x3340, 1, "Unit Language [HB6/T16]", ItemSet::T15},
      {0x3340, 2, "Unit Language [HB6/T16]", ItemSet::T16},
      {0x3340, 3, "Unit Language [HB6/T16]", ItemSet::T15},
      {0x3340, -1, "Unit Language [HB6/T16]", ItemSet::T15},
      {0x3341, 1, "Unit Language [HB6/T16]", ItemSet::T15},
      {0x3320, 0, "Unit Language [Qorlan/T14]", ItemSet::T14},
      {0x3320, 2, "Unit Language [Qorlan/T16]", ItemSet::T16},
      {0x3320, 255, "Unit Language [Qorlan/T16]", ItemSet::T15},
      {0x3310, 0, "Unit Language [Qorlan/T14]", ItemSet::T14},
      {0x3310, 2, "Unit Language [Qorlan/T15]", ItemSet::T15},
      {0x6811, 0, "Headset Language [Airoha/T14]", ItemSet::T14},
      {0x6811, 2, "Headset Language [Airoha/T16]", ItemSet::T16},
      {0x6811, 3, "Headset Language [Airoha/T16]", ItemSet::T15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.product) + " pack " + std::to_string(c.pack));
    Device device = at(c.product, 1, 0);
    device.pack = c.pack;
    const AllSettingsRow row = row_named(rows_of(device), c.type);
    EXPECT_EQ(row.items, strings::setting_items(c.items, English));
    EXPECT_EQ(row.action, SettingAction::UnitLanguage);
  }
}

TEST(AllSettingsRows, LanguagesTheUnitLanguageActionCannotWriteAreShownReadOnly) {
  for (int product : {0x3116, 0x3118, 0x3124, 0x3126, 0x3140, 0x3144, 0x3152}) {
    SCOPED_TRACE(product);
    const AllSettingsRow row = row_named(rows_of(at(product, 2, 0)), "Unit Language [ND4]");
    EXPECT_FALSE(row.enabled);
    // the action indeed writes nothing for these models
    Record record;
    const Record before = record;
    settings::apply_setting_action(SettingAction::UnitLanguage, 3, product, record);
    EXPECT_EQ(record.archived_bytes(), before.archived_bytes());
  }
  EXPECT_TRUE(row_named(rows_of(at(0x3110, 2, 1)), "Unit Language [ND4]").enabled);
}

// A change sent from a row shows in that row when the table reloads: the
// rows read what the setting actions write, for every product and list. Two
// exceptions are known: the unit language the action cannot write for seven
// models (their rows are read-only), and 0x3142's volume management row,
// which shows the raw bit while the action writes its inverse.
TEST(AllSettingsRows, EveryRowShowsBackWhatItsActionWrites) {
  const LogsSilenced quiet;
  const std::vector<std::pair<int, int>> versions = {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {2, 0},
                                                     {2, 1}, {2, 2}, {2, 5}, {2, 6}, {3, 0}, {3, 1}, {3, 3}};
  std::set<std::pair<int, std::vector<std::string_view>>> seen;
  std::set<std::string> mismatches;
  for (int product : settings::all_settings_products()) {
    for (const auto& [major, minor] : versions) {
      for (int fm : {3, 4}) {
        for (int speaker_type : {0, 8}) {
          for (int info : {0, 1}) {
            for (int pack : {0, 1, 2}) {
              Device device = at(product, major, minor);
              device.fm = fm;
              device.speaker = speaker_type;
              device.info = info;
              device.pack = pack;
              const Record data = recognized(device);
              const Record defaults = Record::makeDefaultDataWithSource(data);
              const std::vector<AllSettingsRow> rows = settings::all_settings_rows(context_of(device, data, defaults));
              if (!seen.insert({product, types_of(rows)}).second) continue;
              for (int index = 0; index < static_cast<int>(rows.size()); ++index) {
                const AllSettingsRow& row = rows[static_cast<size_t>(index)];
                const int choices = row.kind == RowKind::on_off ? 2 : static_cast<int>(row.items.size());
                for (int choice = 0; choice < choices; ++choice) {
                  Record changed = defaults;
                  settings::apply_setting_action(row.action, choice, product, changed);
                  const std::optional<AllSettingsRow> after =
                      settings::all_settings_row(context_of(device, data, changed), index);
                  ASSERT_TRUE(after);
                  if (after->selected != choice) {
                    mismatches.insert(std::to_string(product) + " " + std::string(row.type));
                  }
                }
              }
            }
          }
        }
      }
    }
  }
  std::set<std::string> known = {std::to_string(0x3142) + " Audio Veneer Volume Management [ND4]"};
  for (int product : {0x3116, 0x3118, 0x3124, 0x3126, 0x3140, 0x3144, 0x3152}) {
    known.insert(std::to_string(product) + " Unit Language [ND4]");
  }
  EXPECT_EQ(mismatches, known);
}

TEST(AllSettingsRows, InformationButtons) {
  const std::vector<AllSettingsRow> dock = rows_of(at(0x3560, 1, 0));
  for (const AllSettingsRow& row : dock) {
    EXPECT_FALSE(row.information_shown);
    EXPECT_TRUE(row.hides_pop_up_information);
  }
  const std::vector<AllSettingsRow> camera = rows_of(at(0x5510, 3, 0));
  for (const AllSettingsRow& row : camera) {
    SCOPED_TRACE(row.type);
    EXPECT_EQ(row.information_shown, !row.type.starts_with("▶"));
    EXPECT_FALSE(row.hides_pop_up_information);
  }
  EXPECT_EQ(
      std::count_if(camera.begin(), camera.end(), [](const AllSettingsRow& row) { return !row.information_shown; }), 4);
}

TEST(AllSettingsRows, TextsInTheInterfaceLanguage) {
  Record current;
  const std::vector<AllSettingsRow> rows = rows_of(at(0x5410, 2, 0), current, German);
  const AllSettingsRow vox = row_named(rows, "VOX Intercom [record]");
  EXPECT_EQ(vox.label, "VOX-Sprechanlage");
  EXPECT_EQ(vox.enable_title, CommonTexts::vyla_string_enable_in(German));
  EXPECT_EQ(vox.disable_title, CommonTexts::vyla_string_disable_in(German));
  const AllSettingsRow volume = row_named(rows, "Smart Volume Control [TJ4]");
  EXPECT_EQ(volume.items.front(), CommonTexts::vyla_string_disable_in(German));
  EXPECT_EQ(volume.items.back(), "High");
  EXPECT_EQ(row_named(rows, "Audio Veneer™").label, "Audio Veneer™");
  // a language index outside 0..12 reads English
  EXPECT_EQ(row_named(rows_of(at(0x5410, 2, 0), current, 13), "VOX Intercom [record]").label, "VOX Intercom");
  const std::vector<AllSettingsRow> dock = rows_of(at(0x3560, 1, 0), current, French);
  EXPECT_EQ(dock[0].items.front(), "Channel 1");
  EXPECT_EQ(dock[0].items.back(), "Channel 9");
}

TEST(AllSettingsRows, EveryProductWithRowsIsOneTheSettingsPageSendsToTheTable) {
  const std::vector<int> products = settings::all_settings_products();
  EXPECT_EQ(products.size(), 151u + 3u);  // the device table and the three twins
  EXPECT_EQ(std::set<int>(products.begin(), products.end()).size(), products.size());
  for (int product : products) {
    SCOPED_TRACE(product);
    EXPECT_TRUE(settings::in_all_settings_list(product));
  }
  // and every product the page sends to the table has rows, but 0x4023
  for (int product = 0; product <= 0xFFFF; ++product) {
    if (!settings::in_all_settings_list(product) || product == 0x4023) continue;
    EXPECT_TRUE(std::binary_search(products.begin(), products.end(), product)) << std::hex << product;
  }
}

TEST(AllSettingsCatalogue, ListsAreBuiltAsWritten) {
  const std::vector<std::string_view> types = settings::all_settings_row_types();
  EXPECT_EQ(types.size(), 123u);
  EXPECT_EQ(std::set<std::string_view>(types.begin(), types.end()).size(), types.size());

  const std::vector<settings::AllSettingsListCheck> lists = settings::all_settings_list_checks();
  ASSERT_EQ(lists.size(), 128u);
  for (size_t index = 0; index < lists.size(); ++index) {
    const settings::AllSettingsListCheck& list = lists[index];
    SCOPED_TRACE("L" + std::to_string(list.number));
    EXPECT_EQ(list.number, static_cast<int>(index) + 1);
    EXPECT_EQ(list.rows_built, list.rows_written);
    EXPECT_TRUE(list.unknown.empty()) << list.unknown.front();
  }
}

// Every product builds every row at every firmware tier and flag combination,
// also with flags and working-copy values outside their ranges, and the count
// always equals the rows built.
TEST(AllSettingsCatalogue, EveryProductBuildsAtEveryTierAndFlag) {
  const LogsSilenced quiet;
  const std::vector<std::pair<int, int>> versions = {{-1, -1}, {0, 0}, {1, 0}, {1, 1}, {1, 2},    {1, 3}, {1, 4},
                                                     {1, 5},   {2, 0}, {2, 1}, {2, 2}, {2, 4},    {2, 5}, {2, 6},
                                                     {3, 0},   {3, 1}, {3, 2}, {3, 3}, {255, 255}};
  Record zero;
  Record minus;
  Record high;
  for (int index = 0; index < Record::k_basic_setting_lm6_count; ++index) {
    minus.setBasicSetting20At_with(index, -1);
    high.setBasicSetting20At_with(index, 255);
  }
  for (int index = 0; index < Record::k_camera_word_count; ++index) {
    minus.setBasicSettingVT4Camera_with(index, -1);
    high.setBasicSettingVT4Camera_with(index, 255);
  }
  for (int index = 0; index < Record::k_vox_sensitivity_count; ++index) {
    minus.setBasicSettingKR5VOXSensitivity_with(index, -1);
    minus.setBasicSettingTJ4SmartVolumeControl_with(index, -1);
    high.setBasicSettingKR5VOXSensitivity_with(index, 255);
    high.setBasicSettingTJ4SmartVolumeControl_with(index, 255);
  }
  for (Record* record : {&minus, &high}) {
    const int value = record == &minus ? -1 : 255;
    record->setAudioVeneer(value);
    record->setAudioSourcePriority(value);
    record->setVoicePrompt(value);
    record->setY370Language(value);
    record->setHdVoice(value);
  }
  const Record* currents[] = {&zero, &minus, &high};

  int contexts = 0;
  for (int product : settings::all_settings_products()) {
    for (const auto& [major, minor] : versions) {
      for (int fm : {4, 255}) {
        for (int motion : {6, -1}) {
          for (int speaker_type : {7, 255}) {
            for (int info : {1, -1}) {
              for (int pack : {0, 2, 255}) {
                Device device = at(product, major, minor);
                device.fm = fm;
                device.motion = motion;
                device.speaker = speaker_type;
                device.info = info;
                device.pack = pack;
                device.secondary_type = 2;
                device.secondary = 2;
                const Record data = recognized(device);
                const Record& current = *currents[contexts++ % 3];
                const AllSettingsContext context = context_of(device, data, current, contexts % 14 - 1);
                const int count = settings::numberOfRowsInTableView(context);
                const std::vector<AllSettingsRow> rows = settings::all_settings_rows(context);
                ASSERT_GT(count, 0) << std::hex << product << " at " << major << "." << minor;
                ASSERT_EQ(count, static_cast<int>(rows.size()));
                ASSERT_FALSE(settings::all_settings_row(context, count));
                for (const AllSettingsRow& row : rows) {
                  ASSERT_FALSE(row.label.empty()) << row.type;
                  if (row.kind == RowKind::on_off) {
                    ASSERT_TRUE(row.selected == 0 || row.selected == 1) << row.type;
                    ASSERT_TRUE(row.items.empty());
                  } else {
                    ASSERT_FALSE(row.items.empty()) << row.type;
                    ASSERT_GE(row.selected, -1) << row.type;
                    ASSERT_LT(row.selected, static_cast<int>(row.items.size())) << row.type;
                  }
                }
              }
            }
          }
        }
      }
    }
  }
}

}  // namespace
