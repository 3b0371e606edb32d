#pragma once
// Product pictures of the recognized-device header, by product id.
#include <optional>
#include <string>

namespace session {

// Image resource file name for `product_id` (0x4210 picks its EVO picture for
// sub-model codes 16 and 27); nullopt for an id without a picture.
std::optional<std::string> product_image_file_name(int product_id, int division_lm6evo);

}  // namespace session
