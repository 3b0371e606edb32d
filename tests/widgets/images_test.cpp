// Every picture the program looks up by name is among its resources and loads.
#include <QFile>
#include <QPixmap>
#include <gtest/gtest.h>

#include "session/device_header.h"
#include "strings/product_catalogue.h"
#include "widgets/named_images.h"

namespace {

QPixmap load(const std::string& name) { return widgets::named_image(name); }

TEST(Images, EveryCatalogueProductButOneHasALoadablePicture) {
  int with_picture = 0;
  for (int id = 0; id <= 0xFFFF; ++id) {
    if (!ProductCatalogue::vyla_product_name(id)) continue;
    SCOPED_TRACE(id);
    const std::optional<std::string> name = session::product_image_file_name(id, 0);
    if (id == 0x3082) {
      EXPECT_FALSE(name.has_value());
      continue;
    }
    ASSERT_TRUE(name.has_value());
    EXPECT_FALSE(load(*name).isNull()) << *name;
    ++with_picture;
  }
  EXPECT_EQ(with_picture, 225);
  EXPECT_FALSE(load("lm6evo.png").isNull());
}

TEST(Images, WindowPicturesLoadUnderTheirExactNames) {
  const char* names[] = {"english.png", "french.png",   "german.png",   "italian.png",   "japanese.png",
                         "korean.png",  "spanish.png",  "dutch.png",    "russian.png",   "chinese.png",
                         "finland.png", "czech.png",    "poland.png",   "17800.png",     "238238238.png",
                         "219219230.png", "verrano.icns", "verrano_bg.bmp", "stop_progress_template.png",
                         "lock_locked_template.png"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(load(name).isNull());
  }
  // names are case-sensitive
  EXPECT_TRUE(load("VKT_EXT.PNG").width() > 0);
  EXPECT_TRUE(load("vkt_ext.png").isNull());
  EXPECT_TRUE(load("").isNull());
}

}  // namespace
