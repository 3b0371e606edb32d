#include "session/device_header.h"

#include <gtest/gtest.h>


namespace {

using session::HeaderInputs;
using session::HeaderPicture;
using session::HeaderVersion;

TEST(ProductImages, FileNameByProductAndSubModel) {
  struct Case {
    int id;
    int division;
    const char* expected;  // nullptr: no picture
  };
  const Case cases[] = {
      {0x2010, 0, "tembra.png"},       {0x2110, 0, "tembra.png"},    {0x4210, 16, "lm6evo.png"},
      {0x4210, 27, "lm6evo.png"},      {0x4210, 0, "lm6.png"},       {0x4210, 17, "lm6.png"},
      {0x3212, 0, "VKT_EXT.PNG"},      {0x6036, 0, "Y580 SKseries.png"}, {0x6900, 0, "ZVK-LM8.PNG"},
      {0x5595, 0, "MV9.PNG"},          {0x6810, 0, "GZ7.png"},       {0x3082, 0, nullptr},
      {0x6020 + 0x8000, 0, nullptr},   {0, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const std::optional<std::string> name = session::product_image_file_name(c.id, c.division);
    if (c.expected) {
      EXPECT_EQ(name, std::optional<std::string>(c.expected));
    } else {
      EXPECT_FALSE(name.has_value());
    }
  }
}

TEST(DeviceHeader, VersionTextBySecondaryType) {
  struct Case {
    int product;
    HeaderVersion version;
    const char* expected;
  };
  const Case cases[] = {
      {0x2010, {1, 2, 1, 0}, "v1.2rc"}, {0x2010, {1, 2, 1, 3}, "v1.2rc3"}, {0x2010, {1, 2, 2, 0}, "v1.2"},
      {0x2010, {1, 2, 2, 5}, "v1.2.5"}, {0x2010, {1, 2, 0, 7}, "v1.2"},    {0x3020, {1, 2, 3, 4}, "v3.4.1.2"},
      {0x5345, {1, 2, 0, 9}, "v1.2.9"}, {0x5345, {1, 2, 0, 0}, "v1.2.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(session::header_version_text(c.product, c.version), c.expected);
  }
}

TEST(DeviceHeader, NameLineCutsTheVersionSuffix) {
  struct Case {
    int product;
    std::optional<std::string> name;
    const char* expected;
  };
  const Case cases[] = {
      {0x4D10, "XA9 1.2.1", "XA9"},      {0x4D10, "XA9 Pro 1.2", "XA9 Pro"}, {0x4D10, "XA9 Pro", "XA9 Pro"},
      {0x4D10, "XA9.2", "XA9.2"},        {0x4D10, std::nullopt, ""},         {0x4112, "ORBIN 2.0", "Kelto! Audio ORBIN2.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(session::header_name_text(c.product, c.name), c.expected);
  }
}

class DeviceHeaderState : public ::testing::Test {
 protected:
  void recognize(int product, const char* name) {
    m_inputs.recognized = true;
    m_inputs.usb_status = product;
    m_data.setDeviceRecognized(product);
    m_data.setDeviceName(std::string(name));
  }
  void set_modules(HeaderVersion first, HeaderVersion second) {
    m_data.setDeviceVersionMajor01(first.major);
    m_data.setDeviceVersionMinor01(first.minor);
    m_data.setDeviceSecondaryVersionType01(first.type);
    m_data.setDeviceSecondaryVersion01(first.secondary);
    m_data.setDeviceVersionMajor02(second.major);
    m_data.setDeviceVersionMinor02(second.minor);
    m_data.setDeviceSecondaryVersionType02(second.type);
    m_data.setDeviceSecondaryVersion02(second.secondary);
  }
  session::DeviceHeader header() const { return session::device_header(m_inputs, m_data); }

  HeaderInputs m_inputs;
  FEXOBluetoothDeviceData m_data;
};

TEST_F(DeviceHeaderState, NoDeviceInTheInterfaceLanguage) {
  struct Case {
    int language;
    const char* name;
    const char* version;
  };
  const Case cases[] = {{0, "No device", "recognized"}, {1, "Aucun appareil", "n'est reconnu"},
                        {12, "BRAK urządzenia", "Rozpoznane"}, {42, "No device", "recognized"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    m_inputs.language = c.language;
    const session::DeviceHeader shown = header();
    EXPECT_EQ(shown.picture, HeaderPicture::no_device);
    EXPECT_EQ(shown.name_line, std::optional<std::string>(c.name));
    EXPECT_EQ(shown.version_line, c.version);
  }
}

TEST_F(DeviceHeaderState, RecognizedDeviceShowsPictureNameAndVersion) {
  recognize(0x4D10, "XA9 1.2.1");
  m_data.setDeviceVersionMajor(1);
  m_data.setDeviceVersionMinor(2);
  m_data.setDeviceSecondaryVersionType(1);
  m_data.setDeviceSecondaryVersion(3);
  const session::DeviceHeader shown = header();
  EXPECT_EQ(shown.picture, HeaderPicture::product);
  EXPECT_EQ(shown.image, std::optional<std::string>("xa9.png"));
  EXPECT_EQ(shown.name_line, std::optional<std::string>("XA9"));
  EXPECT_EQ(shown.version_line, "v1.2rc3");
}

TEST_F(DeviceHeaderState, SecondModuleAppendedOnlyWhenItDiffers) {
  struct Case {
    int product;
    HeaderVersion first;
    HeaderVersion second;
    const char* expected;
  };
  const Case cases[] = {
      {0x4310, {1, 0, 0, 0}, {1, 0, 0, 0}, "v1.0"},
      {0x4310, {1, 0, 0, 0}, {1, 1, 0, 0}, "v1.0 / v1.1"},
      {0x4210, {2, 1, 1, 0}, {2, 1, 2, 4}, "v2.1rc / v2.1.4"},
      // a module-1 product with one module: module 2 is never shown
      {0x3110, {1, 0, 0, 0}, {3, 0, 0, 0}, "v1.0"},
      // this product's secondary types do not count
      {0x5345, {1, 2, 1, 3}, {1, 2, 0, 3}, "v1.2.3"},
      {0x5345, {1, 2, 1, 3}, {1, 2, 0, 4}, "v1.2.3 / v1.2.4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    recognize(c.product, "Device");
    set_modules(c.first, c.second);
    EXPECT_EQ(header().version_line, c.expected);
  }
}

TEST_F(DeviceHeaderState, FirmwareManagementMode) {
  recognize(0x5510, "VT4");
  m_inputs.usb_status = 0x5510 | 0x8000;
  m_inputs.language = 2;
  session::DeviceHeader shown = header();
  EXPECT_EQ(shown.picture, HeaderPicture::firmware_management);
  EXPECT_EQ(shown.name_line, std::optional<std::string>("Firmware-"));
  EXPECT_EQ(shown.version_line, "Management");

  // resuming an interrupted update: the product picture, the camera's recorded version
  m_inputs.restart_dfu_pending = true;
  m_inputs.restart_dfu_version = {1, 2, 3, 4};
  shown = header();
  EXPECT_EQ(shown.picture, HeaderPicture::product);
  EXPECT_EQ(shown.image, std::optional<std::string>("vt4.png"));
  EXPECT_FALSE(shown.name_line.has_value());
  EXPECT_EQ(shown.version_line, "");

  recognize(0x3020, "OPTRA");
  m_inputs.usb_status = 0x3020 | 0x8000;
  shown = header();
  EXPECT_EQ(shown.image, std::optional<std::string>("optra.png"));
  EXPECT_EQ(shown.name_line, std::optional<std::string>("Fexo Optra"));
  EXPECT_EQ(shown.version_line, "v3.4.1.2");
}

}  // namespace
