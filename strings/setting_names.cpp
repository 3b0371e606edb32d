#include "strings/setting_names.h"

#include "strings/language.h"
#include "strings/language_table.h"

namespace strings {

namespace {

const LocalizedTexts& table_of(SettingName name) {
  static const LocalizedTexts k_edr = {"EDR", "EDR", "EDR", "EDR", "EDR", "EDR", "EDR",
                                     "EDR", "EDR", "EDR", "EDR", "EDR", "EDR"};
  static const LocalizedTexts k_device_setting = {
      "Device Setting", "param. périph.",     "Geräteeinstellung",    "Impost. disp.",        "デバイス設定",
      "장치 설정",      "Config. Dispos.",    "Apparaatinstelling",   "Настройки Устройства", "设备设置",
      "Laiteasetukset", "Nastavení zařízení", "Ustawienia urządzenia"};
  static const LocalizedTexts k_vox_intercom = {"VOX Intercom",
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
  static const LocalizedTexts k_vox_phone = {"VOX Phone",
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
  static const LocalizedTexts k_fm_radio_setting = {
      "FM Radio Setting", "Param. radio FM",    "FM-Radio-Einstellung",    "Impost. Radio FM", "FMラジオ設定",
      "FM 라디오 설정",   "Config. Radio FM",   "Instelling van FM-radio", "Настройки Радио",  "FM 广播设置",
      "Radioasetukset",   "Nastavení FM rádia", "Ustawienia radia FM"};
  static const LocalizedTexts k_audio_channel_timeout = {"Audio Channel Timeout",
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
  static const LocalizedTexts k_radio_transmit_gain = {"Radio Transmit Gain",
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
  static const LocalizedTexts k_speed_dial_setting = {"Speed Dial Setting",
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
  static const LocalizedTexts k_fm_radio = {"FM Radio",  "Radio FM", "UKW-Radio", "Radio FM", "FMラジオ",
                                          "FM 라디오", "Radio FM", "FM-radio",  "FM-радио", "FM 广播",
                                          "Radio",     "FM rádio", "Radio FM"};
  static const LocalizedTexts k_edr_label = texts_of({{English, "EDR (Enhanced Data Rate)"}});
  static const LocalizedTexts k_plc_label = texts_of({{English, "PLC (Packet Loss Concealment)"}});
  static const LocalizedTexts k_high_quality_a2dp = texts_of({{English, "High Quality A2DP"}});
  static const LocalizedTexts k_microphone_boosting = texts_of({{English, "Microphone Boosting"}});
  static const LocalizedTexts k_sidetone = texts_of({{English, "Sidetone"}});
  static const LocalizedTexts k_ambient_hush_control = texts_of({{English, "Ambient Hush Control™"}});
  static const LocalizedTexts k_auto_gain_control = texts_of({{English, "Auto Gain Control"}});
  static const LocalizedTexts k_audio_boost = texts_of({{English, "Audio Boost"}});
  static const LocalizedTexts k_motion_sensor_sensitivity = texts_of({{English, "Motion Sensor Sensitivity"}});
  static const LocalizedTexts k_audio_braiding = texts_of({{English, "Audio Braiding™"}});
  static const LocalizedTexts k_intercom_audio_veneer_sensitivity =
      texts_of({{English, "Intercom-audio Veneer Sensitivity"}});
  static const LocalizedTexts k_navigation_app_support = texts_of({{English, "Navigation App Support"}});

  switch (name) {
    case SettingName::EDR:
      return k_edr;
    case SettingName::DeviceSetting:
      return k_device_setting;
    case SettingName::VOXIntercom:
      return k_vox_intercom;
    case SettingName::VOXPhone:
      return k_vox_phone;
    case SettingName::FMRadioSetting:
      return k_fm_radio_setting;
    case SettingName::AudioChannelTimeout:
      return k_audio_channel_timeout;
    case SettingName::RadioTransmitGain:
      return k_radio_transmit_gain;
    case SettingName::SpeedDialSetting:
      return k_speed_dial_setting;
    case SettingName::FMRadio:
      return k_fm_radio;
    case SettingName::EDREnhancedDataRate:
      return k_edr_label;
    case SettingName::PLCPacketLossConcealment:
      return k_plc_label;
    case SettingName::HighQualityA2DP:
      return k_high_quality_a2dp;
    case SettingName::MicrophoneBoosting:
      return k_microphone_boosting;
    case SettingName::Sidetone:
      return k_sidetone;
    case SettingName::AmbientHushControl:
      return k_ambient_hush_control;
    case SettingName::AutoGainControl:
      return k_auto_gain_control;
    case SettingName::AudioBoost:
      return k_audio_boost;
    case SettingName::MotionSensorSensitivity:
      return k_motion_sensor_sensitivity;
    case SettingName::AudioBraiding:
      return k_audio_braiding;
    case SettingName::IntercomAudioVeneerSensitivity:
      return k_intercom_audio_veneer_sensitivity;
    case SettingName::NavigationAppSupport:
      return k_navigation_app_support;
  }
  // a value outside the enumeration names the device setting as a whole
  return k_device_setting;
}

}  // namespace

std::string setting_name(SettingName name, int language) { return pick(table_of(name), language); }

}  // namespace strings
