#include "transport/transport_message.h"

#include <algorithm>
#include <cstring>

namespace transport {

void set_message(transport_message& message, std::string_view text) {
  const std::size_t length = std::min(text.size(), message.size() - 1);
  std::memcpy(message.data(), text.data(), length);
  message[length] = '\0';
}

std::string_view message_text(const transport_message& message) {
  const auto end = std::find(message.begin(), message.end(), '\0');
  return std::string_view(message.data(), static_cast<std::size_t>(end - message.begin()));
}

}  // namespace transport
