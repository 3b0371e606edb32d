#pragma once
// Names of every product the manager handles, keyed by the 16-bit USB product
// id of the device's normal mode. The display name is shown to the user; the
// internal name is the stem of the device's files in the application folder
// (settings backup "<internal>.vylaarch", restore image "<internal>.img").
#include <optional>
#include <string>

class ProductCatalogue {
 public:
  // The internal name of `product` when `internal` is non-zero, else its
  // display name; nullopt for an id that is not a product (including ids with
  // the firmware-management bit 15 set, which callers strip first).
  static std::optional<std::string> vyla_product_name_for_internal(int product, int internal);

  // The display name of `product`; nullopt for an unknown id.
  static std::optional<std::string> vyla_product_name(int product);
};
