#include "strings/setting_names.h"

#include <array>
#include <cstddef>
#include <utility>

#include "strings/language.h"
#include "strings/language_table.h"

namespace strings {

namespace {

using Tables = std::array<LocalizedTexts, k_setting_name_count>;

Tables make_tables() {
  Tables tables;
  const auto set = [&tables](SettingName name, LocalizedTexts texts) {
    tables[static_cast<std::size_t>(name)] = std::move(texts);
  };

  // Names with a text in every language: what a failed save names (the VOX
  // names also label the classic panel), and the FM radio's name.
  set(SettingName::EDR,
      LocalizedTexts{"EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR"});
  set(SettingName::DeviceSetting,
      LocalizedTexts{"Device Setting", "param. périph.", "Geräteeinstellung", "Impost. disp.", "デバイス設定",
                     "장치 설정", "Config. Dispos.", "Apparaatinstelling", "Настройки Устройства", "设备设置",
                     "Laiteasetukset", "Nastavení zařízení", "Ustawienia urządzenia"});
  set(SettingName::VOXIntercom,
      LocalizedTexts{"VOX Intercom", "VOX intercom", "VOX-Sprechanlage", "VOX interfono", "VOXインターコム",
                     "음성으로 인터콤 연결", "Intercomunicador VOX", "VOX-intercom", "Голосовая активация связи",
                     "声控对讲", "Laiteyhteyden ääniohjaus", "HLASOVÝ interkom", "Interkom VOX"});
  set(SettingName::VOXPhone,
      LocalizedTexts{"VOX Phone", "VOX téléphone", "VOX-Telefon", "VOX telefono", "VOX電話", "음성으로 전화받기",
                     "Teléfono VOX", "VOX-telefoon", "Голосовая активация телефона", "声控手机",
                     "Matkapuhelimen ääniohjaus", "HLASOVÝ telefon", "Telefon VOX"});
  set(SettingName::FMRadioSetting,
      LocalizedTexts{"FM Radio Setting", "Param. radio FM", "FM-Radio-Einstellung", "Impost. Radio FM", "FMラジオ設定",
                     "FM 라디오 설정", "Config. Radio FM", "Instelling van FM-radio", "Настройки Радио", "FM 广播设置",
                     "Radioasetukset", "Nastavení FM rádia", "Ustawienia radia FM"});
  set(SettingName::AudioChannelTimeout,
      LocalizedTexts{"Audio Channel Timeout", "Expiration du Canal Audio", "Audiokanal Time-out",
                     "Timeout Canale Audio", "オーディオチャネルタイムアウト", "오디오 채널 시간초과",
                     "Caduc. canal de audio", "Audiokanaal-time-out", "Задержка Звукового Канала", "音频通道超时",
                     "Äänikanavan aikakatkaisu", "Prodleva zvukového kanálu", "Limit czasu kanału audio"});
  set(SettingName::RadioTransmitGain,
      LocalizedTexts{"Radio Transmit Gain", "Gain de Transmission Radio", "Radio-Übertragungsr.", "Guad. Trasm. Radio",
                     "無線送信ゲイン", "라디오 전송 게인", "Gan. transm. radio", "Radiosignaalversterking",
                     "Уровень Радиопередачи", "无线电传输增益", "Radioyhteyden herkkyyssäätö",
                     "Zesílení rádiového vysílání", "Wzmocnienie sygnału radiowego"});
  set(SettingName::SpeedDialSetting,
      LocalizedTexts{"Speed Dial Setting", "Param. Appel Rapide", "Kurzwahl-Einstellung", "Impost. Composizione rapida",
                     "Speedダイヤル設定", "스피드 다이얼 설정", "Config. Marcación Rápida", "Snelkeuze-instelling",
                     "Настройки Быстрого Набора", "快速拨号设置", "Pikavalinnan asetukset",
                     "Nastavení rychlého vytáčení", "Ustawienie szybkiego wybierania"});
  set(SettingName::FMRadio,
      LocalizedTexts{"FM Radio", "Radio FM", "UKW-Radio", "Radio FM", "FMラジオ", "FM 라디오", "Radio FM", "FM-radio",
                     "FM-радио", "FM 广播", "Radio", "FM rádio", "Radio FM"});
  // The speed dial's name, as its settings tab shows it.
  set(SettingName::SpeedDial, {"Speed Dial", "Appel Rapide", "Kurzwahl", "Chiamata Rapida", "Speedダイヤル",
                               "스피드 다이얼", "Marcación Rápida", "Snelkeuze", "Быстрый Набор", "快速拨号",
                               "Pikavalinta", "Rychlé vytáčení", "Szybkie wybieranie"});

  // Names with no translation of their own: English in every language.
  set(SettingName::EDREnhancedDataRate, texts_of({{English, "EDR (Enhanced Data Rate)"}}));
  set(SettingName::PLCPacketLossConcealment, texts_of({{English, "PLC (Packet Loss Concealment)"}}));
  set(SettingName::HighQualityA2DP, texts_of({{English, "High Quality A2DP"}}));
  set(SettingName::MicrophoneBoosting, texts_of({{English, "Microphone Boosting"}}));
  set(SettingName::Sidetone, texts_of({{English, "Sidetone"}}));
  set(SettingName::AmbientHushControl, texts_of({{English, "Ambient Hush Control™"}}));
  set(SettingName::AutoGainControl, texts_of({{English, "Auto Gain Control"}}));
  set(SettingName::AudioBoost, texts_of({{English, "Audio Boost"}}));
  set(SettingName::MotionSensorSensitivity, texts_of({{English, "Motion Sensor Sensitivity"}}));
  set(SettingName::AudioBraiding, texts_of({{English, "Audio Braiding™"}}));
  set(SettingName::IntercomAudioVeneerSensitivity, texts_of({{English, "Intercom-audio Veneer Sensitivity"}}));
  set(SettingName::NavigationAppSupport, texts_of({{English, "Navigation App Support"}}));
  set(SettingName::Date, texts_of({{English, "Date"}}));
  set(SettingName::PLC, texts_of({{English, "PLC"}}));
  set(SettingName::RadioRegion, texts_of({{English, "Radio Region"}}));
  set(SettingName::RDSAF, texts_of({{English, "RDS AF"}}));
  set(SettingName::RDSAFAlternativeFrequencies, texts_of({{English, "RDS AF (Alternative Frequencies)"}}));
  set(SettingName::Empty, texts_of({{English, "Empty"}}));
  set(SettingName::VoicePrompt, texts_of({{English, "Voice Prompt"}}));
  set(SettingName::WhiteLEDAlwaysOn, texts_of({{English, "White LED Always On"}}));
  set(SettingName::HDSpeakerAccessory, texts_of({{English, "HD Speaker Accessory"}}));
  set(SettingName::AutoOnOff, texts_of({{English, "Auto On-Off"}}));
  set(SettingName::AutoStartRecording, texts_of({{English, "Auto Start Recording"}}));
  set(SettingName::AudioBraidingPlain, texts_of({{English, "Audio Braiding"}}));
  set(SettingName::IntercomAudioVeneerSensitivityCut, texts_of({{English, "Intercom-audio Veneer Sensi..."}}));
  set(SettingName::Channel, texts_of({{English, "Channel"}}));
  set(SettingName::Volume, texts_of({{English, "Volume"}}));
  set(SettingName::AudioVeneerVolumeManagement, texts_of({{English, "Audio Veneer Volume Management"}}));
  set(SettingName::HDIntercom, texts_of({{English, "HD Intercom"}}));
  set(SettingName::EightWayIntercom, texts_of({{English, "Eight-way Intercom"}}));
  set(SettingName::FMStationGuide, texts_of({{English, "FM Station Guide"}}));
  set(SettingName::HDVoice, texts_of({{English, "HD Voice"}}));
  set(SettingName::AudioSourcePriority, texts_of({{English, "Audio Source Priority"}}));
  set(SettingName::AudioVeneer, texts_of({{English, "Audio Veneer™"}}));
  set(SettingName::BluetoothIntercomAudioBraiding, texts_of({{English, "Bluetooth Intercom Audio Braiding™"}}));
  set(SettingName::SmartNaviSystem, texts_of({{English, "Smart Navi System"}}));
  set(SettingName::SmartVolumeControl, texts_of({{English, "Smart Volume Control"}}));
  set(SettingName::VOXSensitivity, texts_of({{English, "VOX Sensitivity"}}));
  set(SettingName::GuestMode, texts_of({{English, "Guest Mode"}}));
  set(SettingName::VoiceCommand, texts_of({{English, "Voice Command"}}));
  set(SettingName::VoiceAssistant, texts_of({{English, "Voice Assistant"}}));
  set(SettingName::PhotoMode, texts_of({{English, "Photo Mode"}}));
  set(SettingName::VideoMode, texts_of({{English, "Video Mode"}}));
  set(SettingName::VideoResolution, texts_of({{English, "Video Resolution"}}));
  set(SettingName::TimelapseInterval, texts_of({{English, "Timelapse Interval"}}));
  set(SettingName::LoopRecordingMode, texts_of({{English, "Loop Recording Mode"}}));
  set(SettingName::VideoTaggingInterval, texts_of({{English, "Video Tagging Interval"}}));
  set(SettingName::VideoMicrophoneGain, texts_of({{English, "Video Microphone Gain"}}));
  set(SettingName::DateCaption, texts_of({{English, "Date Caption"}}));
  set(SettingName::SpeakerSoundRecording, texts_of({{English, "Speaker Sound Recording"}}));
  set(SettingName::SpeakerSoundRecordingMusic, texts_of({{English, "▶ Music"}}));
  set(SettingName::SpeakerSoundRecordingFMRadio, texts_of({{English, "▶ FM Radio"}}));
  set(SettingName::SpeakerSoundRecordingIntercom, texts_of({{English, "▶ Intercom"}}));
  set(SettingName::SpeakerSoundRecordingPhone, texts_of({{English, "▶ Phone"}}));
  set(SettingName::AutoCameraSleep, texts_of({{English, "Auto Camera Sleep"}}));
  set(SettingName::ESSConfiguration, texts_of({{English, "ESS Configuration"}}));
  set(SettingName::ESSSensitivity, texts_of({{English, "ESS Sensitivity"}}));
  set(SettingName::ChannelSetting, texts_of({{English, "Channel Setting"}}));
  set(SettingName::AudioEqualizer, texts_of({{English, "Audio Equalizer"}}));
  set(SettingName::HeadsetLanguage, texts_of({{English, "Headset Language"}}));
  set(SettingName::UnitLanguage, texts_of({{English, "Unit Language"}}));
  set(SettingName::AutoOff, texts_of({{English, "AUTO OFF"}}));
  set(SettingName::ChannelSelect, texts_of({{English, "Channel Select"}}));
  set(SettingName::Language, texts_of({{English, "Language"}}));
  set(SettingName::LoopRecordingInterval, texts_of({{English, "Loop Recording Interval"}}));
  set(SettingName::RemoteUIRTT, texts_of({{English, "Remote UI RTT"}}));
  set(SettingName::SimpleMode, texts_of({{English, "Simple Mode"}}));
  set(SettingName::Speakers, texts_of({{English, "Speakers"}}));
  set(SettingName::VelmontAcousticsMic, texts_of({{English, "Velmont Acoustics Mic"}}));
  set(SettingName::AdvancedFeatures, texts_of({{English, "Advanced features"}}));
  return tables;
}

}  // namespace

std::string setting_name(SettingName name, int language) {
  static const Tables k_tables = make_tables();
  const int index = static_cast<int>(name);
  // a value outside the enumeration names the device setting as a whole
  const int row = index >= 0 && index < k_setting_name_count ? index : static_cast<int>(SettingName::DeviceSetting);
  return pick(k_tables[static_cast<std::size_t>(row)], language);
}

std::optional<SettingName> setting_name_of_key(int key) {
  switch (key) {
    case 239:
      return SettingName::EDR;
    case 654:
      return SettingName::DeviceSetting;
    case 664:
      return SettingName::VOXIntercom;
    case 665:
      return SettingName::VOXPhone;
    case 671:
      return SettingName::FMRadioSetting;
    case 682:
      return SettingName::AudioChannelTimeout;
    case 684:
      return SettingName::RadioTransmitGain;
    case 8832:
    case 8833:
    case 8834:
      return SettingName::SpeedDialSetting;
    default:
      return std::nullopt;
  }
}

}  // namespace strings
