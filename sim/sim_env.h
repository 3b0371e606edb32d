#pragma once
// Devices for vexlink-setwise-sim, chosen by VEXLINK_SIM: one or more device
// descriptions separated by ';', each "family:product-id" followed by
// ",key=value" or ",flag" options, for example
//   VEXLINK_SIM=hid:0x6020,fw=1.2;hid:0x6038,collections=keyboard+vendor
//   VEXLINK_SIM=bluecore:0x4D10,fw=4.3
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/model.h"

namespace sim {

// One option of a device description: "fw=1.2" or a bare flag such as "refuse".
struct ModelOption {
  std::string key;
  std::string value;
};
// The number an option's value gives (decimal or 0x-hex, no sign), when it is
// one and at most `maximum`.
bool parse_option_number(const std::string& text, unsigned long maximum, unsigned long& value);

// Builds a family's model; nullptr with `error` set for an option it does not take.
using ModelFactory = std::shared_ptr<Model> (*)(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                                std::string& error);

// Builds the model one description names; nullptr with `error` set when malformed.
std::shared_ptr<Model> make_model(std::string_view description, std::string& error);
// Attaches every device `text` describes; a malformed description is reported on
// the console and skipped. Returns the number attached.
int attach_from_text(std::string_view text);
// Attaches the devices VEXLINK_SIM describes (none when it is unset).
int attach_from_environment();

}  // namespace sim
