#pragma once
// Keyed archives in the NSKeyedArchiver layout: a binary property list with
// $version 100000, $archiver "NSKeyedArchiver", $top {"root": UID 1} and
// $objects ["$null", root, ...]. In an object dictionary an int is an integer,
// a bool a boolean, a double a real; strings, data, dates and nested objects are
// UIDs into $objects (nil is UID 0), and "$class" points at a class record
// {"$classname", "$classes"}. A date is {"NS.time": seconds since
// 2001-01-01 UTC} of class NSDate.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// A file that is not such an archive, or a value of the wrong type.
class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using Bytes = std::vector<uint8_t>;

// Class of an archived object: its name and its class chain, most derived first
// (for example {"FEXOBluetoothDeviceData", {"FEXOBluetoothDeviceData", "NSObject"}}).
struct ArchiveClass {
  std::string name;
  std::vector<std::string> chain;
};

class KeyedArchiver;
class KeyedUnarchiver;

// Writes the keys of one object, in the order they are encoded.
class KeyedArchiver {
 public:
  using Encode = std::function<void(KeyedArchiver&)>;

  void encode_bool(const std::string& key, bool value);
  void encode_int(const std::string& key, int64_t value);
  void encode_double(const std::string& key, double value);
  // nil (std::nullopt) is encoded as UID 0. The text ends at its first NUL, as
  // a C string does; text that is not UTF-8 is encoded as nil.
  void encode_string(const std::string& key, const std::optional<std::string>& value);
  void encode_data(const std::string& key, const std::optional<Bytes>& value);
  // Seconds since 2001-01-01 00:00:00 UTC.
  void encode_date(const std::string& key, const std::optional<double>& seconds_since_2001);
  void encode_object(const std::string& key, const ArchiveClass& cls, const Encode& encode);
  void encode_nil(const std::string& key);

  // The whole archive whose root object is written by `encode`.
  static Bytes archive_root(const ArchiveClass& cls, const Encode& encode);

  struct State;

 private:
  KeyedArchiver(State& state, size_t object_index) : m_state(state), m_object(object_index) {}
  State& m_state;
  size_t m_object;
};

// Reads the keys of one object. A missing key reads as nil, 0 or NO; a key of
// the wrong type throws ArchiveError. Integers, booleans and reals convert into
// each other, as archived numbers do. Copies share the parsed archive.
class KeyedUnarchiver {
 public:
  // Parses an archive; throws ArchiveError when `bytes` is not a keyed archive.
  static KeyedUnarchiver open_root(const Bytes& bytes);

  bool contains(const std::string& key) const;
  bool decode_bool(const std::string& key) const;
  int64_t decode_int(const std::string& key) const;
  // An integer value saturated to the 32-bit range.
  int32_t decode_int32(const std::string& key) const;
  double decode_double(const std::string& key) const;
  // Strings that are not valid UTF-8 decode as nil.
  std::optional<std::string> decode_string(const std::string& key) const;
  std::optional<Bytes> decode_data(const std::string& key) const;
  std::optional<double> decode_date(const std::string& key) const;
  std::optional<KeyedUnarchiver> decode_object(const std::string& key) const;

  // The class name of this object ("" when the archive has none).
  const std::string& class_name() const { return m_class_name; }

  struct Document;

 private:
  KeyedUnarchiver(std::shared_ptr<const Document> document, size_t object_index);
  std::shared_ptr<const Document> m_document;
  size_t m_object = 0;
  std::string m_class_name;
};

}  // namespace platform
