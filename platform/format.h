#pragma once
// Text formatting for localized texts. Fills "%@" with strings in order and
// handles the printf forms the texts use (%d %i %u %x %X %o %c %s %f %e %g with
// flags, width, precision and l/ll/h/hh/z/q length, and %%). "%%@" becomes
// "%@", so a text can be filled in two passes. A missing argument is filled with
// an empty text, an extra one is ignored, an unknown "%" sequence is copied as
// it stands, a real given to an integer form is cut towards zero and saturates
// (NaN as 0): a translation can never crash or read a wrong argument.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

class FormatArg {
 public:
  FormatArg(const std::string& text) : m_value(text) {}
  FormatArg(std::string_view text) : m_value(std::string(text)) {}
  FormatArg(const char* text) : m_value(std::string(text ? text : "")) {}
  FormatArg(bool value) : m_value(static_cast<long long>(value)) {}
  FormatArg(char value) : m_value(static_cast<long long>(static_cast<unsigned char>(value))) {}
  FormatArg(int value) : m_value(static_cast<long long>(value)) {}
  FormatArg(long value) : m_value(static_cast<long long>(value)) {}
  FormatArg(long long value) : m_value(value) {}
  FormatArg(unsigned value) : m_value(static_cast<long long>(value)) {}
  FormatArg(unsigned long value) : m_value(static_cast<long long>(value)) {}
  FormatArg(unsigned long long value) : m_value(static_cast<long long>(value)) {}
  FormatArg(unsigned short value) : m_value(static_cast<long long>(value)) {}
  FormatArg(short value) : m_value(static_cast<long long>(value)) {}
  FormatArg(unsigned char value) : m_value(static_cast<long long>(value)) {}
  FormatArg(double value) : m_value(value) {}
  FormatArg(float value) : m_value(static_cast<double>(value)) {}

  const std::variant<std::string, long long, double>& value() const { return m_value; }

 private:
  std::variant<std::string, long long, double> m_value;
};

std::string format_list(std::string_view format, std::initializer_list<FormatArg> args);

template <class... Args>
std::string format(std::string_view text, const Args&... args) {
  return format_list(text, {FormatArg(args)...});
}

}  // namespace platform
