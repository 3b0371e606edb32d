#include "platform/format.h"

#include <locale.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/numbers.h"

namespace platform {

namespace {

std::string utf8_of(long long code) {
  std::string out;
  auto c = static_cast<unsigned long>(code);
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x110000) {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string as_text(const FormatArg& arg) {
  const auto& v = arg.value();
  if (auto s = std::get_if<std::string>(&v)) return *s;
  if (auto i = std::get_if<long long>(&v)) return std::to_string(*i);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", std::get<double>(v));
  return buffer;
}

long long as_integer(const FormatArg& arg) {
  const auto& v = arg.value();
  if (auto i = std::get_if<long long>(&v)) return *i;
  if (auto d = std::get_if<double>(&v)) return saturated_integer(*d);  // NaN reads as 0
  const std::string& s = std::get<std::string>(v);
  try {
    return std::stoll(s);
  } catch (...) {
    return 0;
  }
}

double as_real(const FormatArg& arg) {
  const auto& v = arg.value();
  if (auto d = std::get_if<double>(&v)) return *d;
  if (auto i = std::get_if<long long>(&v)) return static_cast<double>(*i);
  try {
    return std::stod(std::get<std::string>(v));
  } catch (...) {
    return 0.0;
  }
}

// Pads `text` to `width` characters (counted in code points) on the left, or
// on the right with the '-' flag.
std::string pad(std::string text, int width, bool left_align) {
  int length = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++length;
  if (width > length) {
    std::string fill(static_cast<size_t>(width - length), ' ');
    text = left_align ? text + fill : fill + text;
  }
  return text;
}

// Numbers in these texts always use the "." decimal point, whatever number
// format the desktop session sets (the application adopts the session's locale
// at start-up): version texts such as "1.2" are parsed back.
class ClassicNumbers {
 public:
  ClassicNumbers() {
    static const locale_t k_classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (k_classic) m_previous = uselocale(k_classic);
  }
  ~ClassicNumbers() {
    if (m_previous) uselocale(m_previous);
  }
  ClassicNumbers(const ClassicNumbers&) = delete;
  ClassicNumbers& operator=(const ClassicNumbers&) = delete;

 private:
  locale_t m_previous = static_cast<locale_t>(nullptr);
};

}  // namespace

std::string format_list(std::string_view format, std::initializer_list<FormatArg> args) {
  const ClassicNumbers classic_numbers;
  std::vector<const FormatArg*> list;
  for (const FormatArg& a : args) list.push_back(&a);
  size_t next_arg = 0;
  auto take = [&]() -> const FormatArg* { return next_arg < list.size() ? list[next_arg++] : nullptr; };

  std::string out;
  out.reserve(format.size() + 16);
  size_t i = 0;
  while (i < format.size()) {
    char c = format[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    size_t start = i++;
    if (i < format.size() && format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // flags, width, precision, length
    std::string flags;
    while (i < format.size() && std::string_view("-0+ #").find(format[i]) != std::string_view::npos) flags += format[i++];
    int width = -1;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
      width = std::min((width < 0 ? 0 : width) * 10 + (format[i] - '0'), 1000);
      ++i;
    }
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      ++i;
      precision = 0;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        precision = std::min(precision * 10 + (format[i] - '0'), 100);
        ++i;
      }
    }
    while (i < format.size() && std::string_view("lhzqjt").find(format[i]) != std::string_view::npos) ++i;
    if (i >= format.size()) {
      out.append(format.substr(start));
      break;
    }
    char conversion = format[i++];
    std::string spec = "%" + flags;
    if (width >= 0) spec += std::to_string(width);
    if (precision >= 0) spec += "." + std::to_string(precision);
    bool left_align = flags.find('-') != std::string::npos;
    char buffer[1200];

    switch (conversion) {
      case '@':
      case 's': {
        const FormatArg* a = take();
        std::string text = a ? as_text(*a) : std::string();
        out += pad(std::move(text), width, left_align);
        break;
      }
      case 'd':
      case 'i': {
        const FormatArg* a = take();
        if (!a) break;
        std::snprintf(buffer, sizeof buffer, (spec + "lld").c_str(), as_integer(*a));
        out += buffer;
        break;
      }
      case 'u':
      case 'x':
      case 'X':
      case 'o': {
        const FormatArg* a = take();
        if (!a) break;
        long long value = as_integer(*a);
        // printf reads these as unsigned int unless a length says otherwise;
        // keep 32-bit semantics for values that fit.
        unsigned long long bits = (value >= INT32_MIN && value <= UINT32_MAX)
                                      ? static_cast<unsigned long long>(static_cast<uint32_t>(value))
                                      : static_cast<unsigned long long>(value);
        std::snprintf(buffer, sizeof buffer, (spec + "ll" + conversion).c_str(), bits);
        out += buffer;
        break;
      }
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G': {
        const FormatArg* a = take();
        if (!a) break;
        std::snprintf(buffer, sizeof buffer, (spec + conversion).c_str(), as_real(*a));
        out += buffer;
        break;
      }
      case 'c':
      case 'C': {
        const FormatArg* a = take();
        if (!a) break;
        out += pad(utf8_of(as_integer(*a)), width, left_align);
        break;
      }
      default:
        out.append(format.substr(start, i - start));
        break;
    }
  }
  return out;
}

}  // namespace platform
