// Every product's all-settings sheet, row by row, at a grid of firmware
// versions and recognition flags, against the sheet as it was recorded: a
// digest per product of everything the rows show (type, label, items,
// selection, enabling, information buttons, action). A change to the lists,
// the product table or a row's description shows here as the products whose
// sheet moved.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/log.h"
#include "settings/all_settings_rows.h"

namespace {

using Record = FEXOBluetoothDeviceData;
using settings::AllSettingsContext;
using settings::AllSettingsRow;

std::uint64_t fnv1a(std::uint64_t hash, const std::string& text) {
  for (unsigned char byte : text) {
    hash ^= byte;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::string rendered(const AllSettingsRow& row) {
  std::string text = std::string(row.type) + "|" + std::to_string(static_cast<int>(row.kind)) + "|" + row.label +
                     "|" + std::to_string(static_cast<int>(row.name)) + "|" + row.enable_title + "|" +
                     row.disable_title + "|";
  for (const std::string& item : row.items) text += item + ",";
  text += "|" + std::to_string(row.selected) + "|" + std::to_string(row.enabled) + "|" +
          std::to_string(row.information_shown) + "|" + std::to_string(row.hides_pop_up_information) + "|" +
          std::to_string(static_cast<int>(row.action)) + "\n";
  return text;
}

// A working copy whose words and plain settings all read `value`.
Record every_setting_at(int value) {
  Record record;
  for (int index = 0; index < Record::k_basic_setting_lm6_count; ++index) record.setBasicSetting20At_with(index, value);
  for (int index = 0; index < Record::k_camera_word_count; ++index) record.setBasicSettingVT4Camera_with(index, value);
  for (int index = 0; index < Record::k_vox_sensitivity_count; ++index) {
    record.setBasicSettingKR5VOXSensitivity_with(index, value);
    record.setBasicSettingTJ4SmartVolumeControl_with(index, value);
  }
  record.setAudioVeneer(value);
  record.setAudioSourcePriority(value);
  record.setVoicePrompt(value);
  record.setY370Language(value);
  record.setHdVoice(value);
  return record;
}

// The digest of every sheet `product` shows over the grid.
std::uint64_t sheet_digest(int product) {
  struct Version {
    int major, minor, secondary_type, secondary;
  };
  const Version versions[] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 0, 0}, {1, 3, 0, 0},
                              {1, 4, 0, 0}, {1, 5, 0, 0}, {2, 0, 0, 0}, {2, 0, 2, 3}, {2, 1, 0, 0},
                              {2, 2, 0, 0}, {2, 5, 0, 0}, {2, 6, 0, 0}, {3, 0, 0, 0}, {3, 1, 0, 0},
                              {3, 3, 0, 0}, {9, 9, 0, 0}};
  const Record ones = every_setting_at(1);
  const Record twos = every_setting_at(2);
  std::uint64_t hash = 0xcbf29ce484222325ull;
  int contexts = 0;
  for (const Version& version : versions) {
    for (int fm : {3, 4}) {
      for (int motion : {5, 6}) {
        for (int speaker : {0, 8}) {
          for (int info : {0, 1}) {
            for (int pack : {0, 1, 2}) {
              Record data;
              data.setDeviceRecognized(product);
              data.setDeviceVersionMajor(version.major);
              data.setDeviceVersionMinor(version.minor);
              data.setDeviceSecondaryVersionType(version.secondary_type);
              data.setDeviceSecondaryVersion(version.secondary);
              data.setDevicelanguagePackType(pack);
              const Record defaults = Record::makeDefaultDataWithSource(data);
              const Record* currents[] = {&defaults, &ones, &twos};
              const Record& current = *currents[contexts++ % 3];
              const AllSettingsContext context{product, data, current, fm, motion, speaker, info, pack,
                                               contexts % 13};
              hash = fnv1a(hash, std::to_string(settings::numberOfRowsInTableView(context)) + "\n");
              for (const AllSettingsRow& row : settings::all_settings_rows(context)) hash = fnv1a(hash, rendered(row));
            }
          }
        }
      }
    }
  }
  return hash;
}

// Recorded from the sheet as the manager shows it.
const std::map<int, std::uint64_t> k_recorded = {
    {0x2030, 0x2e9989d58d6f47aaull},
    {0x3030, 0x0d31011f25c294b1ull},
    {0x3032, 0xc59c74ddf4634e85ull},
    {0x3040, 0x0d31011f25c294b1ull},
    {0x3050, 0x19baba236715089full},
    {0x3052, 0x465df484511957c5ull},
    {0x3060, 0x0d31011f25c294b1ull},
    {0x3070, 0x690e398363407ff5ull},
    {0x3072, 0x8e4aa21c5a87f6d7ull},
    {0x3080, 0x053dfe59639a844dull},
    {0x3082, 0x053dfe59639a844dull},
    {0x3085, 0x18fbc2fc86fb0bf7ull},
    {0x3110, 0x604a3d911c75894aull},
    {0x3112, 0x74c6c4ff77c749e2ull},
    {0x3114, 0x9312498dfa5a9c4cull},
    {0x3116, 0xd3175f6def7ebf7eull},
    {0x3118, 0x29a78085bee5a3d9ull},
    {0x3124, 0x1660682f024f5d51ull},
    {0x3126, 0x1660682f024f5d51ull},
    {0x3128, 0x11a4478cb6089fedull},
    {0x3132, 0x9a3cc996ac487abaull},
    {0x3134, 0x9a3cc996ac487abaull},
    {0x3140, 0x858aded06f645cecull},
    {0x3142, 0x38f5ebd104ad38c3ull},
    {0x3144, 0x1660682f024f5d51ull},
    {0x3146, 0x82d715d045bfba34ull},
    {0x3148, 0x1d0f547229074e40ull},
    {0x3150, 0x9b7e97d3ca2b0475ull},
    {0x3152, 0x9a60e99ae3de90bbull},
    {0x3154, 0x1d0f547229074e40ull},
    {0x3156, 0xb20311d91322d61cull},
    {0x3161, 0xc9714fce8b735e7full},
    {0x3170, 0xf7b2a1625fa1b598ull},
    {0x3210, 0x9a3cc996ac487abaull},
    {0x3211, 0x7273c5ecde8d61a6ull},
    {0x3212, 0xf411d3b15c1a2edeull},
    {0x3213, 0xb20311d91322d61cull},
    {0x3214, 0x075308ac4b27b3baull},
    {0x3215, 0x971fb7d9ab0dfd30ull},
    {0x3216, 0xf411d3b15c1a2edeull},
    {0x3217, 0x075308ac4b27b3baull},
    {0x3218, 0x9a3cc996ac487abaull},
    {0x3232, 0x1d0f547229074e40ull},
    {0x3240, 0xb20311d91322d61cull},
    {0x3260, 0x72818f5edec4a7a2ull},
    {0x3264, 0x1d0f547229074e40ull},
    {0x3300, 0x511642ffd83d5fabull},
    {0x3310, 0x3671714e9ba2e1daull},
    {0x3320, 0x19724c8c2aa83f3cull},
    {0x3330, 0x3671714e9ba2e1daull},
    {0x3340, 0x9963188174f8c9f1ull},
    {0x3341, 0x28adf134411a1117ull},
    {0x3350, 0x333c5fdc951521f9ull},
    {0x3360, 0x333c5fdc951521f9ull},
    {0x3370, 0xe0d8ea233ffd00a5ull},
    {0x3400, 0x970a8fcbd4b05ae5ull},
    {0x3500, 0x2e4c29e1fbb89705ull},
    {0x3540, 0x2e4c29e1fbb89705ull},
    {0x3560, 0x14974eff28475fa5ull},
    {0x3570, 0x2e4c29e1fbb89705ull},
    {0x3900, 0x9a3cc996ac487abaull},
    {0x4050, 0x50f34350db58d465ull},
    {0x4210, 0xe526b409a81e8051ull},
    {0x4310, 0x2e9989d58d6f47aaull},
    {0x4330, 0x2e9989d58d6f47aaull},
    {0x4410, 0x9e13e7d88b403690ull},
    {0x4430, 0x9e13e7d88b403690ull},
    {0x4510, 0x2e9989d58d6f47aaull},
    {0x4530, 0x2e9989d58d6f47aaull},
    {0x4610, 0x408c687a46df0a36ull},
    {0x5410, 0x9381a73d9537bbb4ull},
    {0x5412, 0x84622d1ebd9b0ffeull},
    {0x5414, 0x1ccb946d6f732c52ull},
    {0x5416, 0x8f9625902256bcd6ull},
    {0x5418, 0x01a12fe7508e1afcull},
    {0x5420, 0x2bfeffa911c00d30ull},
    {0x5424, 0x6198da86241dc042ull},
    {0x5426, 0x7c4352cdb7e0024eull},
    {0x5428, 0x6198da86241dc042ull},
    {0x5430, 0x6198da86241dc042ull},
    {0x5432, 0x6198da86241dc042ull},
    {0x5434, 0x6198da86241dc042ull},
    {0x5510, 0x651a4d146e1968c7ull},
    {0x5520, 0xc75956a1dcc87489ull},
    {0x5522, 0xab86ea2ae2537acdull},
    {0x5524, 0xd740015096f9c50bull},
    {0x5526, 0xf181766446f183ffull},
    {0x5530, 0x2e98b39036dd5ec9ull},
    {0x5532, 0xb68c4cfd1db93c97ull},
    {0x5534, 0xe9c2dabde350b82bull},
    {0x5536, 0xab86ea2ae2537acdull},
    {0x5550, 0xfb81c71d2d6e6eebull},
    {0x5552, 0xe67b2c1d90f5385full},
    {0x5553, 0xe67b2c1d90f5385full},
    {0x5560, 0x202db0fb204895abull},
    {0x5562, 0x202db0fb204895abull},
    {0x5564, 0x50f34350db58d465ull},
    {0x5570, 0xfd176c29cdb84e5bull},
    {0x5576, 0x118bab1f558f7c3full},
    {0x5580, 0x4e7bdbea3a9edd9full},
    {0x5590, 0x34727928380cecb9ull},
    {0x5591, 0x34727928380cecb9ull},
    {0x5592, 0xea2ab721052c6887ull},
    {0x5593, 0x34727928380cecb9ull},
    {0x5594, 0xea2ab721052c6887ull},
    {0x5595, 0x2e6b6a398f095065ull},
    {0x5610, 0x3710fa4d946c38c3ull},
    {0x5611, 0x3710fa4d946c38c3ull},
    {0x5612, 0x3710fa4d946c38c3ull},
    {0x5620, 0x3710fa4d946c38c3ull},
    {0x5621, 0x3710fa4d946c38c3ull},
    {0x5622, 0x8f9626542d985d8aull},
    {0x5623, 0x6360e89d9877dc45ull},
    {0x5624, 0xb8cb535e0c374212ull},
    {0x5710, 0x59e7dd4c2bf4d52full},
    {0x5720, 0x5c63c7ee0bece80dull},
    {0x5910, 0x9c0d8046da1fce85ull},
    {0x5920, 0x9c0d8046da1fce85ull},
    {0x6010, 0x4e48da7263b4685bull},
    {0x6012, 0x4e48da7263b4685bull},
    {0x6014, 0x1ef301946bbff011ull},
    {0x6016, 0x1ef301946bbff011ull},
    {0x6018, 0x8a7a8e7dc591aee5ull},
    {0x6020, 0xccc7fb75996bc78dull},
    {0x6022, 0xccc7fb75996bc78dull},
    {0x6024, 0xccc7fb75996bc78dull},
    {0x6026, 0x6951bfe1f25955b7ull},
    {0x6028, 0xa62f20c9cbefa77bull},
    {0x6030, 0xa62f20c9cbefa77bull},
    {0x6032, 0xa62f20c9cbefa77bull},
    {0x6034, 0x2aaacd4c8c4cc6c7ull},
    {0x6036, 0xa62f20c9cbefa77bull},
    {0x6038, 0x35812dd1012a2e75ull},
    {0x6039, 0x35812dd1012a2e75ull},
    {0x6112, 0x979a0334091ff803ull},
    {0x6114, 0x9594fd57f800d807ull},
    {0x6210, 0xee1e10cf17bba90bull},
    {0x6310, 0x9a8b62c494b1b4adull},
    {0x6320, 0x051b0873088e58cfull},
    {0x6330, 0x051b0873088e58cfull},
    {0x6335, 0x051b0873088e58cfull},
    {0x6400, 0x1b742da10c05f9adull},
    {0x6500, 0x37030360501d7751ull},
    {0x6510, 0x37030360501d7751ull},
    {0x6800, 0x1a5806562233e859ull},
    {0x6801, 0x70e6e6bd18e18ef5ull},
    {0x6802, 0x70e6e6bd18e18ef5ull},
    {0x6803, 0x70e6e6bd18e18ef5ull},
    {0x6804, 0x3106f9a1dea75bb1ull},
    {0x6805, 0x1a5806562233e859ull},
    {0x6810, 0x1a5806562233e859ull},
    {0x6811, 0x2be5cb3c5b510ad1ull},
    {0x6812, 0x3106f9a1dea75bb1ull},
    {0x6900, 0xbe19eb89a7c5164dull},
};

TEST(AllSettingsSheets, EveryProductShowsTheRecordedSheet) {
  platform::silence_logs();
  std::map<int, std::uint64_t> shown;
  for (int product = 0; product <= 0xFFFF; ++product) {
    Record data;
    const Record current;
    const AllSettingsContext context{product, data, current};
    if (settings::numberOfRowsInTableView(context) == 0) continue;
    shown[product] = sheet_digest(product);
  }
  platform::restore_logs();
  EXPECT_EQ(shown.size(), k_recorded.size());
  for (const auto& [product, digest] : shown) {
    const auto recorded = k_recorded.find(product);
    if (recorded == k_recorded.end() || recorded->second != digest) {
      ADD_FAILURE() << "the sheet of product " << std::hex << product << " changed";
      std::printf("    {0x%04X, 0x%016llxull},\n", product, static_cast<unsigned long long>(digest));
    }
  }
}

}  // namespace
