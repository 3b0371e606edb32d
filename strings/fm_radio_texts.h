#pragma once
// Texts of the FM radio page in the 13 interface languages: the region,
// presets and RDS labels, the Empty title of an unused preset slot, the region
// names of the region pop-up, the presets label's key hint, the preset warning
// of the edit sheet and the RDS help text; and the page's fixed number texts.
// Every operation takes the interface language; outside 1..12 the text is
// English. Stateless: callable from any thread.
#include <string>

class FMRadioTexts {
 public:
  static std::string stringRegion(int language);
  static std::string stringPresets(int language);
  static std::string stringRDS(int language);
  // Title of a preset slot that holds no station.
  static std::string stringEmpty(int language);
  // Name of region 0..5 (Worldwide, Americas, Asia, Australia, Europe, Japan);
  // empty for any other region.
  static std::string stringRegionName(int region, int language);
  // The presets label while the key hints show: the check boxes' and the FM
  // radio setting's keys.
  static std::string stringShortCutFMRadioPreset(int language);
  // The edit sheet's warning: a preset lies between the region's lowest and
  // highest frequency, in MHz. Has line breaks.
  static std::string stringMessageFMRadioPreset(int language, double lowest_mhz, double highest_mhz);
  // Help text of the RDS row's information button.
  static std::string stringInformationRDS(int language);

  // A preset button's title, "87.5".
  static std::string stringFrequency(double mhz);
  // The edit sheet's range label, "(87.5 MHz ~ 108.0 MHz)".
  static std::string stringRange(double lowest_mhz, double highest_mhz);
};
