#include "strings/device_header_texts.h"

#include "strings/language.h"

namespace strings {
namespace {

const LocalizedTexts k_no_device_name = {
    "No device",
    "Aucun appareil",
    "Kein Gerät",
    "Nessun dispositivo",
    "デバイスが",
    "장치 인식",
    "Ningún dispositivo",
    "Geen apparaat",
    "Устройство",
    "无设备",
    "EI laitetta",
    "ŽÁDNÉ zařízení",
    "BRAK urządzenia",
};
const LocalizedTexts k_no_device_version = {
    "recognized",
    "n'est reconnu",
    "erkannt",
    "riconosciuto",
    "ありません",
    "안됨",
    "reconocido",
    "herkend",
    "НЕ Опознано",
    "已识别",
    "Tunnistettu",
    "Rozpoznané",
    "Rozpoznane",
};
const LocalizedTexts k_management_name = {
    "Firmware",
    "Gestion du",
    "Firmware-",
    "Gestione",
    "ファームウェア",
    "펌웨어",
    "Gestión",
    "Firmware",
    "Управление",
    "固件",
    "Laiteohjelmisto",
    "Firmware",
    "Oprogramowanie układowe",
};
const LocalizedTexts k_management_version = {
    "Management",
    "micrologiciel",
    "Management",
    "Firmware",
    "管理",
    "관리",
    "Firmware",
    "Beheer",
    "Прошивкой",
    "管理",
    "Hallinta",
    "Správa",
    "Zarządzanie",
};

}  // namespace

const std::string& header_no_device_name(int language) { return pick(k_no_device_name, language); }
const std::string& header_no_device_version(int language) { return pick(k_no_device_version, language); }
const std::string& header_management_name(int language) { return pick(k_management_name, language); }
const std::string& header_management_version(int language) { return pick(k_management_version, language); }

}  // namespace strings
