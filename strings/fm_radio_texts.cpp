#include "strings/fm_radio_texts.h"

#include <array>

#include "platform/format.h"
#include "strings/language.h"
#include "strings/setting_names.h"

using strings::LocalizedTexts;
using strings::pick;

namespace {

// Columns of the page's label table: region, presets, RDS, empty slot.
enum LabelColumn { k_region, k_presets, k_rds, k_empty };

const std::array<LocalizedTexts, 4>& label_table() {
  static const std::array<LocalizedTexts, 4> k_table = {{
      {
          "Region",
          "Région",
          "Region",
          "Area",
          "地域",
          "지역",
          "Región",
          "Regio",
          "Регион",
          "区域",
          "Kuuluvuusalue",
          "Oblast",
          "Region",
      },
      {
          "FM Radio Presets",
          "Présélections Radio FM",
          "FM-Radio – Voreinstellungen",
          "Memorizzazione Radio FM",
          "FMラジオプリセット",
          "FM 라디오 자동 선국",
          "Preconfiguraciones de Radio FM",
          "Presets van FM-radio",
          "Предустановки FM-радио",
          "FM 广播预设值",
          "Radion esiasetukset",
          "Předvolby FM rádia",
          "Ustawienia wstępne radia FM",
      },
      {
          "RDS AF (Alternative Frequencies)",
          "RDS AF (Fréquences Alternatives)",
          "RDS AF (Alternative Frequenzen)",
          "RDS AF (Frequenze Alternative)",
          "RDS AF (代替周波数)",
          "RDS AF (대체 주파수)",
          "AF (Frecuencias Alternat.) RDS",
          "RDS AF (Alternatieve Frequenties)",
          "RDS AF (альтернативные УКВ-ч...",
          "RDS AF（交变频率）",
          "RDS AF (Automaattinen taajuudenvaihto)",
          "RDS AF (Alternativní frekvence)",
          "RDS AF (Alternatywne częstotliwości)",
      },
      {
          "Empty",
          "Vide",
          "Leer",
          "Vuoto",
          "未入力",
          "미설정",
          "Vacío",
          "Leeg",
          "Пусто",
          "空",
          "Tyhjä",
          "Prázdné",
          "Opróżnij",
      },
  }};
  return k_table;
}

const std::array<LocalizedTexts, 6>& region_table() {
  static const std::array<LocalizedTexts, 6> k_table = {{
      {
          "Worldwide",
          "Monde",
          "Weltweit",
          "Tutto il mondo",
          "全世界",
          "전 세계",
          "Todo el mundo",
          "Wereldwijd",
          "Весь мир",
          "全球",
          "Maailmanlaajuinen",
          "Celý svět",
          "Cały świat",
      },
      {
          "Americas",
          "Amériques",
          "Americhe",
          "America",
          "アメリカ大陸",
          "아메리카",
          "América",
          "N-/Z-Amerika",
          "Сев. и Юж. Америка",
          "美洲",
          "Amerikka",
          "Amerika",
          "Ameryki",
      },
      {
          "Asia",
          "Asie",
          "Asien",
          "Asia",
          "アジア",
          "아시아",
          "Asia",
          "Azië",
          "Азия",
          "亚洲",
          "Aasia",
          "Asie",
          "Azja",
      },
      {
          "Australia",
          "Australie",
          "Australien",
          "Australia",
          "オーストラリア",
          "오스트레일리아",
          "Australia",
          "Australië",
          "Австралия",
          "澳大利亚",
          "Australia",
          "Austrálie",
          "Australia",
      },
      {
          "Europe",
          "Europe",
          "Europa",
          "Europa",
          "ヨーロッパ",
          "유럽",
          "Europa",
          "Europa",
          "Европа",
          "欧洲",
          "Eurooppa",
          "Evropa",
          "Europa",
      },
      {
          "Japan",
          "Japon",
          "Japan",
          "Giappone",
          "日本",
          "일본",
          "Japón",
          "Japan",
          "Япония",
          "日本",
          "Japani",
          "Japonsko",
          "Japonia",
      },
  }};
  return k_table;
}

}  // namespace

std::string FMRadioTexts::stringRegion(int language) { return pick(label_table()[k_region], language); }

std::string FMRadioTexts::stringPresets(int language) { return pick(label_table()[k_presets], language); }

std::string FMRadioTexts::stringRDS(int language) { return pick(label_table()[k_rds], language); }

std::string FMRadioTexts::stringEmpty(int language) { return pick(label_table()[k_empty], language); }

std::string FMRadioTexts::stringRegionName(int region, int language) {
  if (region < 0 || region >= static_cast<int>(region_table().size())) return {};
  return pick(region_table()[static_cast<std::size_t>(region)], language);
}

std::string FMRadioTexts::stringShortCutFMRadioPreset(int language) {
  static const LocalizedTexts k_formats = {
      "Check Box: [O]-No.     %@: [S][C]-No.",
      "Case à cocher : [O]-No.     %@: [S][C]-No.",
      "Kontrollkäst.: [O]-No.     %@: [S][C]-No.",
      "Cas. spunta: [O]-No.     %@: [S][C]-No.",
      "チェックボックス: [O]-No.     %@: [S][C]-No.",
      "체크 박스: [O]-No.     %@: [S][C]-No.",
      "Casilla: [O]-No.     %@: [S][C]-No.",
      "Selectievakje: [O]-No.     %@: [S][C]-No.",
      "Окно флажка: [O]-No.     %@: [S][C]-No.",
      "复选框: [O]-No.     %@: [S][C]-No.",
      "Valintaruutu: [O]-No.     %@: [S][C]-No.",
      "Zaškrtávací políčko: [O]-č.     %@: [S][C]-č.",
      "Zaznacz pole: Nr [O].     %@: Nr [S][C]",
  };
  return platform::format(pick(k_formats, language), strings::setting_name(strings::SettingName::FMRadioSetting, language));
}

std::string FMRadioTexts::stringMessageFMRadioPreset(int language, double lowest_mhz, double highest_mhz) {
  static const LocalizedTexts k_formats = {
      " FM Radio preset should be between %0.1f\n MHz and %0.1f MHz. Enter valid value\n again.",
      " Le pré-réglage Radio FM doit être entre\n %0.1f MHz et %0.1f MHz. Saisissez à\n nouveau une valeur valide.",
      " FM-Radio-Voreinstell. muss zw. %0.1f MHz\n u. %0.1f MHz liegen. Gültigen Wert \n eingeben.",
      " La memorizzazione delle stazioni radio FM deve essere tra\n %0.1f MHz e %0.1f MHz. Reinserire un valore valido.",
      " FMラジオプリセットは%0.1fMHz\n ～%0.1fMHzです。有効な値を\n 入力し直してください。",
      " FM 라디오 자동 선국은 %0.1f MHz 및\n %0.1f MHz 사이이어야 합니다. 올바른\n 값을 다시 입력하십시오.",
      " El preset radio FM debe estar entre %0.1f\n MHz y %0.1f MHz. Indique un valor\n válido.",
      "De preset van de FM-radio moet tussen %0.1f MHz en %0.1f MHz \nzijn ingesteld. Voer opnieuw een geldige waarde in.",
      "Диапазон радиочастот должен находится между %0.1f МГц и \n%0.1f МГц. Введите корректное значение повторно.",
      "FM 广播预设值应在 %0.1f MHz 和 %0.1f MHz 之间。\n再次输入有效值。",
      "Radiotaajuuden esiasetus pitää olla välillä %0.1f MHz\n ja %0.1f MHz. Yritä uudelleen.",
      "Předvolba FM rádia musí být mezi %0.1f MHz a %0.1f MHz.\n Zadejte znovu platnou hodnotu.",
      "Ustawienie wstępne częstotliwości radia FM powinno zawierać się \npomiędzy %0.1f MHz a %0.1f MHz. Wprowadź ponownie prawidłową wartość.",
  };
  return platform::format(pick(k_formats, language), lowest_mhz, highest_mhz);
}

std::string FMRadioTexts::stringInformationRDS(int language) {
  static const LocalizedTexts k_texts = {
      "[RDS (Radio Data System) AF (Alternative Frequencies)]\nRDS AF (Radio Data System Alternative Frequencies) enables the headset to re-tune to an alternative frequency for the same radio station if the primary frequency loses signal strength. Please check that your local radio stations support the RDS AF feature.",
      "[RDS (Système de Données Radio) AF (Fréquences Alternatives)]\nLe système RDS AF (système de transmission de données numériques en fréquences alternatives) permet au casque audio de se régler sur la seconde fréquence lorsque le premier signal devient trop faible. Vérifiez que votre station radio locale prend en charge le système RDS AF.",
      "[RDS (Radio Data System) AF (Alternative Frequenzen)]\nDank RDS AF (Radio Data System Alternative Frequencies) stellt das Headset eine alternative Frequenz für einen Radiosender ein, wenn das Signal der ursprünglichen Frequenz schwächer wird. Prüfen Sie vor der Verwendung, ob Ihr lokaler Radiosender die RDS-AF-Funktion unterstützt.",
      "[RDS (Sistema di Radiotrasmissione Dati) AF (Frequenze alternative)]\nRDS (Sistema di Radiotrasmissione Dati) AF (Frequenze alternative) consente di risintonizzare la stazione radio su una diversa frequenza se il primo segnale diventa debole. Controllare se le stazioni radio locali offrono la funzione RDS AF.",
      "[RDS(無線データシステム)AF(代替周波数)]\nRDS AF(無線データシステム代替周波数)は、一次周波数が信号強度を損失した場合に、ヘッドセットを同じラジオ局の代替周波数に合わせることができます。地域のラジオ局がRDS AF機能をサポートしていることをご確認ください。",
      "[RDS (라디오 데이터 시스템) AF (대체 주파수)]\nRDS AF(라디오 데이터 시스템 대체 주파수)를 사용하면 1차 주파수의 신호 강도가 약해지면 자동으로 동일한 라디오 방송국의 대체 주파수를 찾아 맞춥니다. 현지 지역의 라디오 방송국이 RDS AF 기능을 지원하는지 확인해 보십시오.",
      "[AF (Frecuencias Alternat.) RDS (Sist. Datos Radio)]\nRDS AF (Frecuencias alternativas del Sistema de radiodifusión de datos) permite que el auricular se resintonice en una frecuencia alternativa para la misma emisora de radio, si la frecuencia principal pierde intensidad de señal. Compruebe que sus emisoras de radio locales admitan la característica RDS AF.",
      "[RDS (Radiogegevenssysteem) AF (Alternatieve Frequenties)]\nMet RDS AF (Radio Data System Alternative Frequencies alternatieve frequenties voor radiogegevenssysteem) kan de headset opnieuw afstemmen op een alternatieve frequentie voor dezelfde radiozender als de signaalsterkte van de primaire frequentie afneemt. Controleer of uw lokale radiozenders ondersteuning bieden voor de RDS AF-functie.",
      "[RDS (система передачи данных по каналу радиотрансляции) AF (альтернативные УКВ-частоты)]\nФункция RDS AF (Radio Data System Alternative Frequencies) позволяет гарнитуре перенастраиваться на альтернативную частоту той же радиостанции, если уровень сигнала на основной частоте падает. Убедитесь в том, что местные радиостанции поддерживают функцию RDS AF.",
      "[RDS（无线电数据系统） AF（交变频率）]\n如果电台的主频率失去信号强度，RDS AF（无线电数据系统交变频率）允许耳机重新调整至相同电台的不同频率。请检查您的本地广播电台支持 RDS AF 功能。",
      "[RDS AF (Automaattinen taajuudenvaihto)]\nRDS AF (Radio Data System Alternative Freaquencies) eli Radion automaattinen taajuudenvaihtotoiminnon avulla radio etsii automaattisesti uuden lähetystaajuuden, kun kuunneltavan aseman kuuluvuus heikkenee. Huomioi, että kaikki paikallisasemat eivät käytä tätä ominaisuutta.",
      "[RDS (Radio Data System) AF (Alternativní frekvence)]\nRDS AF (Alternativní frekvence systému rádiových dat) umožňuje náhlavní soupravě přeladit na alternativní frekvenci stejné rozhlasové stanice v případě, že primární frekvence ztrácí sílu signálu. Zkontrolujte, zda místní rozhlasové stanice podporují funkci RDS AF.",
      "[RDS (Radio Data System – system informacji radiowych) AF (Alternative Frequencies – częstotliwości alternatywne)]\nSystem RDS AF umożliwia przestrojenie zestawu słuchawkowego na alternatywną częstotliwość tej samej stacji, jeśli pierwotna częstotliwość traci sygnał. Proszę sprawdzić, czy lokalne stacje radiowe obsługują funkcję RDS AF.",
  };
  return pick(k_texts, language);
}

std::string FMRadioTexts::stringFrequency(double mhz) { return platform::format("%0.1f", mhz); }

std::string FMRadioTexts::stringRange(double lowest_mhz, double highest_mhz) {
  return platform::format("(%0.1f MHz ~ %0.1f MHz)", lowest_mhz, highest_mhz);
}
