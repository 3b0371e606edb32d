#include "strings/setting_names.h"

#include "strings/language.h"
#include "strings/language_table.h"

namespace strings {

namespace {

const LocalizedTexts& table_of(SettingName name) {
  static const LocalizedTexts edr = {"EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR",
                                     "EDR", "EDR", "EDR", "EDR", "EDR", "EDR"};
  static const LocalizedTexts device_setting = {
      "Device Setting", "param. périph.",     "Geräteeinstellung",    "Impost. disp.",        "デバイス設定",
      "장치 설정",      "Config. Dispos.",    "Apparaatinstelling",   "Настройки Устройства", "设备设置",
      "Laiteasetukset", "Nastavení zařízení", "Ustawienia urządzenia"};
  static const LocalizedTexts vox_intercom = {"VOX Intercom",
                                              "VOX intercom",
                                              "VOX-Sprechanlage",
                                              "VOX interfono",
                                              "VOXインターコム",
                                              "음성으로 인터콤 연결",
                                              "Intercomunicador VOX",
                                              "VOX-intercom",
                                              "Голосовая активация связи",
                                              "声控对讲",
                                              "Laiteyhteyden ääniohjaus",
                                              "HLASOVÝ interkom",
                                              "Interkom VOX"};
  static const LocalizedTexts vox_phone = {"VOX Phone",
                                           "VOX téléphone",
                                           "VOX-Telefon",
                                           "VOX telefono",
                                           "VOX電話",
                                           "음성으로 전화받기",
                                           "Teléfono VOX",
                                           "VOX-telefoon",
                                           "Голосовая активация телефона",
                                           "声控手机",
                                           "Matkapuhelimen ääniohjaus",
                                           "HLASOVÝ telefon",
                                           "Telefon VOX"};
  static const LocalizedTexts fm_radio_setting = {
      "FM Radio Setting", "Param. radio FM",    "FM-Radio-Einstellung",    "Impost. Radio FM", "FMラジオ設定",
      "FM 라디오 설정",   "Config. Radio FM",   "Instelling van FM-radio", "Настройки Радио",  "FM 广播设置",
      "Radioasetukset",   "Nastavení FM rádia", "Ustawienia radia FM"};
  static const LocalizedTexts audio_channel_timeout = {"Audio Channel Timeout",
                                                       "Expiration du Canal Audio",
                                                       "Audiokanal Time-out",
                                                       "Timeout Canale Audio",
                                                       "オーディオチャネルタイムアウト",
                                                       "오디오 채널 시간초과",
                                                       "Caduc. canal de audio",
                                                       "Audiokanaal-time-out",
                                                       "Задержка Звукового Канала",
                                                       "音频通道超时",
                                                       "Äänikanavan aikakatkaisu",
                                                       "Prodleva zvukového kanálu",
                                                       "Limit czasu kanału audio"};
  static const LocalizedTexts radio_transmit_gain = {"Radio Transmit Gain",
                                                     "Gain de Transmission Radio",
                                                     "Radio-Übertragungsr.",
                                                     "Guad. Trasm. Radio",
                                                     "無線送信ゲイン",
                                                     "라디오 전송 게인",
                                                     "Gan. transm. radio",
                                                     "Radiosignaalversterking",
                                                     "Уровень Радиопередачи",
                                                     "无线电传输增益",
                                                     "Radioyhteyden herkkyyssäätö",
                                                     "Zesílení rádiového vysílání",
                                                     "Wzmocnienie sygnału radiowego"};
  static const LocalizedTexts speed_dial_setting = {"Speed Dial Setting",
                                                    "Param. Appel Rapide",
                                                    "Kurzwahl-Einstellung",
                                                    "Impost. Composizione rapida",
                                                    "Speedダイヤル設定",
                                                    "스피드 다이얼 설정",
                                                    "Config. Marcación Rápida",
                                                    "Snelkeuze-instelling",
                                                    "Настройки Быстрого Набора",
                                                    "快速拨号设置",
                                                    "Pikavalinnan asetukset",
                                                    "Nastavení rychlého vytáčení",
                                                    "Ustawienie szybkiego wybierania"};
  static const LocalizedTexts fm_radio = {"FM Radio",  "Radio FM", "UKW-Radio", "Radio FM", "FMラジオ",
                                          "FM 라디오", "Radio FM", "FM-radio",  "FM-радио", "FM 广播",
                                          "Radio",     "FM rádio", "Radio FM"};
  static const LocalizedTexts edr_label = texts_of({{English, "EDR (Enhanced Data Rate)"}});
  static const LocalizedTexts plc_label = texts_of({{English, "PLC (Packet Loss Concealment)"}});
  static const LocalizedTexts high_quality_a2dp = texts_of({{English, "High Quality A2DP"}});
  static const LocalizedTexts microphone_boosting = texts_of({{English, "Microphone Boosting"}});
  static const LocalizedTexts sidetone = texts_of({{English, "Sidetone"}});
  static const LocalizedTexts ambient_hush_control = texts_of({{English, "Ambient Hush Control™"}});
  static const LocalizedTexts auto_gain_control = texts_of({{English, "Auto Gain Control"}});
  static const LocalizedTexts audio_boost = texts_of({{English, "Audio Boost"}});
  static const LocalizedTexts motion_sensor_sensitivity = texts_of({{English, "Motion Sensor Sensitivity"}});
  static const LocalizedTexts audio_braiding = texts_of({{English, "Audio Braiding™"}});
  static const LocalizedTexts intercom_audio_veneer_sensitivity =
      texts_of({{English, "Intercom-audio Veneer Sensitivity"}});
  static const LocalizedTexts navigation_app_support = texts_of({{English, "Navigation App Support"}});

  switch (name) {
    case SettingName::EDR:
      return edr;
    case SettingName::DeviceSetting:
      return device_setting;
    case SettingName::VOXIntercom:
      return vox_intercom;
    case SettingName::VOXPhone:
      return vox_phone;
    case SettingName::FMRadioSetting:
      return fm_radio_setting;
    case SettingName::AudioChannelTimeout:
      return audio_channel_timeout;
    case SettingName::RadioTransmitGain:
      return radio_transmit_gain;
    case SettingName::SpeedDialSetting:
      return speed_dial_setting;
    case SettingName::FMRadio:
      return fm_radio;
    case SettingName::EDREnhancedDataRate:
      return edr_label;
    case SettingName::PLCPacketLossConcealment:
      return plc_label;
    case SettingName::HighQualityA2DP:
      return high_quality_a2dp;
    case SettingName::MicrophoneBoosting:
      return microphone_boosting;
    case SettingName::Sidetone:
      return sidetone;
    case SettingName::AmbientHushControl:
      return ambient_hush_control;
    case SettingName::AutoGainControl:
      return auto_gain_control;
    case SettingName::AudioBoost:
      return audio_boost;
    case SettingName::MotionSensorSensitivity:
      return motion_sensor_sensitivity;
    case SettingName::AudioBraiding:
      return audio_braiding;
    case SettingName::IntercomAudioVeneerSensitivity:
      return intercom_audio_veneer_sensitivity;
    case SettingName::NavigationAppSupport:
      return navigation_app_support;
  }
  // a value outside the enumeration names the device setting as a whole
  return device_setting;
}

}  // namespace

std::string setting_name(SettingName name, int language) { return pick(table_of(name), language); }

}  // namespace strings
