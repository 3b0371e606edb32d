// The server lists as the update and restore pages read them.
#include "update/server_lists.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace {

using update::LatestVersion;
using update::ListReading;
using update::ListScanInput;
using update::PopUpChange;
using Kind = PopUpChange::Kind;

// Internal names of the products below.
ListScanInput input_for(int product, std::optional<std::string> firmware_language = std::nullopt) {
  const char* name = product == 0x3020 ? "OPTRA" : product == 0x6010 ? "FR9" : "Y350_R";
  return {product, std::string(name), std::move(firmware_language)};
}

TEST(UpdateList, TheFirstBlockOfTheProductGivesVersionFileAndLanguages) {
  const std::string crlf_block =
      "FR9:v3.0:FR9_v3.0.img\r\n"
      "Y350_R:v2.1:English:Y350R_EN.img\r\n"
      "Y350_R:v9.9:French:Y350R_FR.img\r\n"
      "Y350_R:v9.9:German:Y350R_DE.img\r\n"
      "FR9:v3.1:FR9_v3.1.img\r\n"
      "Y350_R:v7.0:Dutch:Y350R_NL.img\r\n";
  struct Case {
    const char* name;
    std::string text;
    int product;
    std::optional<std::string> firmware_language;
    LatestVersion latest;
    std::optional<std::string> file;
    std::vector<std::string> languages;
    int selected;
  };
  const Case cases[] = {
      {"LF only", "FR9:v1.0:a.img\nY350_R:v2.1:Y350R_v2.1.img\nY350_R:3\n", 0x6020, std::nullopt, {2, 1, 0, 3},
       "Y350R_v2.1.img", {}, -1},
      {"one line without a line break", "Y350_R:v1.4:Y350R_v1.4.img", 0x6020, std::nullopt, {1, 4, 0, 0},
       "Y350R_v1.4.img", {}, -1},
      {"secondary line after the entry; a second entry is never read",
       "Y350_R:v2.1:first.img\r\nY350_R:3\r\nY350_R:v5.0:second.img\r\n", 0x6020, std::nullopt, {2, 1, 0, 3},
       "first.img", {}, -1},
      {"a line of another product ends the main entry", "Y350_R:v2.1:first.img\r\nFR9:4\r\nY350_R:5\r\n", 0x6020,
       std::nullopt, {2, 1, 0, 0}, "first.img", {}, -1},
      {"the firmware language selects its item and file; another product ends the block", crlf_block, 0x6020,
       "french", {2, 1, 0, 0}, "Y350R_FR.img", {"English", "French", "German"}, 1},
      {"no firmware language: the first item", crlf_block, 0x6020, std::nullopt, {2, 1, 0, 0}, "Y350R_EN.img",
       {"English", "French", "German"}, 0},
      {"the camera's four numbers", "OPTRA:v1.0.2.5:optra.bin\r\n", 0x3020, std::nullopt, {2, 5, 1, 0}, "optra.bin",
       {}, -1},
      {"three numbers are no version of another product", "Y350_R:v2.1.3:odd.img\r\n", 0x6020, std::nullopt,
       {0, 0, 0, 0}, "odd.img", {}, -1},
      {"two numbers are no version of the camera", "OPTRA:v2.1:odd.bin\r\n", 0x3020, std::nullopt, {0, 0, 0, 0},
       "odd.bin", {}, -1},
      {"an empty version field changes no version", "Y350_R::Y350R.img\r\nY350_R:4\r\n", 0x6020, std::nullopt,
       {0, 0, 0, 4}, "Y350R.img", {}, -1},
      {"a 404 page is a list without the product",
       "<html>\r\n<head><title>404 Not Found</title></head>\r\n<body>Not Found</body>\r\n</html>\r\n", 0x6020,
       std::nullopt, {0, 0, 0, 0}, std::nullopt, {}, -1},
      {"text that is not ASCII reads as no list", "Y350_R:v2.1:caf\xC3\xA9.img\r\n", 0x6020, std::nullopt,
       {0, 0, 0, 0}, std::nullopt, {}, -1},
      {"empty list", "", 0x6020, std::nullopt, {0, 0, 0, 0}, std::nullopt, {}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ListReading reading;
    update::scan_update_list(c.text, input_for(c.product, c.firmware_language), reading);
    EXPECT_EQ(reading.latest, c.latest);
    EXPECT_EQ(reading.fileNameLatestVersion, c.file);
    EXPECT_EQ(reading.arrLanguageFirmware, c.languages);
    EXPECT_EQ(reading.arrFileNamesLatestVersion.size(), c.languages.size());
    EXPECT_EQ(reading.selectedLanguageItem, c.selected);
  }
}

TEST(UpdateList, TheInterfaceLanguageSelectsItsItemLastAndLeavesTheFile) {
  const std::string list =
      "Y350_R:v2.1:English:Y350R_EN.img\r\n"
      "Y350_R:v2.1:French:Y350R_FR.img\r\n"
      "Y350_R:v2.1:German:Y350R_DE.img\r\n";
  ListReading reading;
  update::scan_update_list(list, input_for(0x6020, "French"), reading);
  update::select_interface_language("GERMAN", true, reading);
  EXPECT_EQ(reading.selectedLanguageItem, 2);
  EXPECT_EQ(reading.fileNameLatestVersion, "Y350R_FR.img");
  // the pop-up is emptied first, then filled and selected in the order of the lines
  const std::vector<PopUpChange> changes = {
      {Kind::remove_all, "", -1},        {Kind::add_item, "English", -1}, {Kind::select_item, "", 0},
      {Kind::add_item, "French", -1},    {Kind::select_item, "", 1},      {Kind::add_item, "German", -1},
      {Kind::select_item, "", 2},
  };
  EXPECT_EQ(reading.popUpChanges, changes);

  // without the flag, or without the language among the items, nothing moves
  for (const auto& [language, apply] : {std::pair<const char*, bool>{"German", false}, {"Czech", true}}) {
    ListReading other;
    update::scan_update_list(list, input_for(0x6020, "French"), other);
    update::select_interface_language(language, apply, other);
    EXPECT_EQ(other.selectedLanguageItem, 1);
  }
}

FEXOBluetoothDeviceData backup_at(int major, int minor, int type = 0, int secondary = 0) {
  FEXOBluetoothDeviceData backup;
  backup.setDeviceVersionMajor_Minor(major, minor);
  backup.setDeviceSecondaryVersionType(type);
  backup.setDeviceSecondaryVersion(secondary);
  return backup;
}

TEST(RestoreList, TheBackupsVersionMakesTheRestorePossible) {
  struct Case {
    const char* name;
    std::string text;
    int product;
    FEXOBluetoothDeviceData backup;
    bool possible;
    std::optional<std::string> file;
    std::vector<std::string> languages;
    int selected;
  };
  const Case cases[] = {
      {"main entries of 1.1 and 1.2", "Y350_R:v1.1:old.img\r\nY350_R:v1.2:kept.img\r\nY350_R:v1.3:new.img\r\n",
       0x6020, backup_at(1, 2), true, "kept.img", {}, -1},
      {"secondary numbers are not compared", "Y350_R:v1.2:kept.img\r\nY350_R:4\r\n", 0x6020, backup_at(1, 2, 2, 9),
       true, "kept.img", {}, -1},
      {"no entry of the version", "Y350_R:v1.1:old.img\r\nY350_R:v1.3:new.img\r\n", 0x6020, backup_at(1, 2),
       false, "new.img", {}, -1},
      {"the last line is a matching language line without a line break",
       "FR9:v1.0:x.img\nY350_R:v1.2:English:Y350R_EN.img\nY350_R:v1.2:French:Y350R_FR.img", 0x6020,
       backup_at(1, 2), true, "Y350R_EN.img", {"English", "French"}, 0},
      {"a language block ends at the next version",
       "Y350_R:v1.1:English:a.img\r\nY350_R:v1.2:English:b.img\r\nY350_R:v1.2:Dutch:c.img\r\n"
       "Y350_R:v1.3:English:d.img\r\n",
       0x6020, backup_at(1, 2), true, "b.img", {"English", "Dutch"}, 0},
      {"the camera compares all four numbers",
       "OPTRA:v1.0.2.5:English:a.bin\r\nOPTRA:v1.1.2.5:English:b.bin\r\n", 0x3020, backup_at(2, 5, 1, 1), true,
       "b.bin", {"English"}, 0},
      {"a line of another product ends the block",
       "Y350_R:v1.2:English:a.img\r\nFR9:v1.0:x.img\r\n", 0x6020, backup_at(1, 2), true, "a.img", {"English"}, 0},
      {"a 404 page", "<html><body>Not Found</body></html>", 0x6020, backup_at(1, 2), false, std::nullopt, {}, -1},
      {"no answer", "", 0x6020, backup_at(1, 2), false, std::nullopt, {}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ListReading reading;
    update::scan_restore_list(c.text, input_for(c.product, "English"), c.backup, reading);
    EXPECT_EQ(reading.restorePossible, c.possible);
    EXPECT_EQ(reading.fileNameLatestVersion, c.file);
    EXPECT_EQ(reading.arrLanguageFirmware, c.languages);
    EXPECT_EQ(reading.selectedLanguageItem, c.selected);
  }
}

TEST(RestoreList, AVersionThatCannotBeReadIsNeverTheBackups) {
  // the version fields hold the backup's version from before; a line whose own
  // version cannot be read must not pass for it
  for (const char* list : {"Y350_R:vX:bad.img\r\n", "Y350_R::English:bad.img\r\n", "Y350_R:v1.2.0:bad.img"}) {
    SCOPED_TRACE(list);
    ListReading reading;
    reading.latest = {1, 2, 0, 0};
    update::scan_restore_list(list, input_for(0x6020), backup_at(1, 2), reading);
    EXPECT_FALSE(reading.restorePossible);
    EXPECT_TRUE(reading.arrLanguageFirmware.empty());
  }
}

}  // namespace
