#include "platform/keyed_archive.h"

#include <plist/plist.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "platform/numbers.h"
#include "platform/utf8.h"

namespace platform {

namespace {

constexpr uint64_t k_archive_version = 100000;
constexpr const char* k_archiver_name = "NSKeyedArchiver";

struct PlistDeleter {
  void operator()(void* node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

// ---------------------------------------------------------------------------
// Structure check of a binary property list before libplist parses it.
// libplist's reader recurses once per nesting level and copies an object
// each time it is referenced, so a small hostile file could overflow the stack
// or expand to billions of nodes or gigabytes of text. Archives nest three
// levels deep and hold a few hundred values in a few kilobytes, so these bounds
// never touch a real archive.
constexpr int k_max_nesting = 64;
constexpr uint64_t k_max_expanded_nodes = 1u << 20;
constexpr uint64_t k_max_expanded_bytes = 64u << 20;

uint64_t read_big_endian(const uint8_t* p, size_t size) {
  uint64_t value = 0;
  for (size_t i = 0; i < size; ++i) value = (value << 8) | p[i];
  return value;
}

// Type nibble, element count and first content byte of one object. The count
// is the marker's low nibble, or an integer object after it when that is 0xF.
struct ObjectHead {
  uint8_t type = 0;
  uint64_t count = 0;
  uint64_t content = 0;
};

ObjectHead object_head(const Bytes& bytes, uint64_t offset, uint64_t end) {
  const uint8_t marker = bytes[offset];
  ObjectHead head{static_cast<uint8_t>(marker >> 4), marker & 0x0Fu, offset + 1};
  // data, ASCII and UTF-16 strings, arrays, ordered sets, sets and dictionaries carry a count
  const bool counted = (head.type >= 0x4 && head.type <= 0x6) || (head.type >= 0xA && head.type <= 0xD);
  if (!counted || head.count != 0x0F) return head;
  if (head.content >= end) throw ArchiveError("damaged property list count");
  const uint8_t count_marker = bytes[head.content++];
  const size_t count_size = size_t{1} << (count_marker & 0x0F);
  if ((count_marker >> 4) != 0x1 || count_size > 8 || count_size > end - head.content)
    throw ArchiveError("damaged property list count");
  head.count = read_big_endian(bytes.data() + head.content, count_size);
  head.content += count_size;
  return head;
}

// A dictionary key must be a string without U+0000: libplist cuts an ASCII key
// at the NUL and aborts on a UTF-16 one when the key is read, so such a key
// never names what the writer meant.
void check_dictionary_key(const Bytes& bytes, uint64_t offset, uint64_t end) {
  const ObjectHead key = object_head(bytes, offset, end);
  const uint64_t unit_bytes = key.type == 0x5 ? 1 : key.type == 0x6 ? 2 : 0;
  if (unit_bytes == 0) throw ArchiveError("property list dictionary key is not a string");
  if (key.count > (end - key.content) / unit_bytes) throw ArchiveError("damaged property list string");
  const uint8_t* text = bytes.data() + key.content;
  for (uint64_t unit = 0; unit < key.count; ++unit) {
    if (read_big_endian(text + unit * unit_bytes, unit_bytes) == 0)
      throw ArchiveError("property list dictionary key holds U+0000");
  }
}

void check_binary_plist_shape(const Bytes& bytes) {
  constexpr size_t k_header = 8;
  constexpr size_t k_trailer = 32;
  if (bytes.size() < k_header + k_trailer || std::string_view(reinterpret_cast<const char*>(bytes.data()), 8) != "bplist00")
    throw ArchiveError("not a binary property list");
  if (bytes.size() > std::numeric_limits<uint32_t>::max()) throw ArchiveError("archive too large");

  const uint8_t* trailer = bytes.data() + bytes.size() - k_trailer;
  const size_t offset_size = trailer[6];
  const size_t ref_size = trailer[7];
  const uint64_t object_count = read_big_endian(trailer + 8, 8);
  const uint64_t top_object = read_big_endian(trailer + 16, 8);
  const uint64_t table_offset = read_big_endian(trailer + 24, 8);
  const uint64_t table_end_limit = bytes.size() - k_trailer;
  if (offset_size < 1 || offset_size > 8 || ref_size < 1 || ref_size > 8 || object_count == 0 ||
      top_object >= object_count || table_offset < k_header || table_offset > table_end_limit ||
      object_count > (table_end_limit - table_offset) / offset_size)
    throw ArchiveError("damaged property list trailer");
  auto offset_of = [&](uint64_t index) {
    const uint64_t offset = read_big_endian(bytes.data() + table_offset + index * offset_size, offset_size);
    if (offset < k_header || offset >= table_offset) throw ArchiveError("damaged property list offset");
    return offset;
  };

  // children of every container, by object number
  std::vector<std::vector<uint64_t>> children(object_count);
  // each key object is read once, however many dictionaries share it
  std::vector<bool> key_checked(object_count, false);
  // bytes libplist allocates for the text or data of each object (a UTF-16
  // text takes up to four bytes a unit while it is converted)
  std::vector<uint64_t> payload_bytes(object_count, 0);
  for (uint64_t index = 0; index < object_count; ++index) {
    const ObjectHead head = object_head(bytes, offset_of(index), table_offset);
    const uint64_t units = std::min<uint64_t>(head.count, table_offset);
    if (head.type == 0x4) payload_bytes[index] = units;
    if (head.type == 0x5) payload_bytes[index] = units + 1;
    if (head.type == 0x6) payload_bytes[index] = 4 * (units + 1);
    // arrays, ordered sets, sets and dictionaries hold references
    if (head.type != 0xA && head.type != 0xB && head.type != 0xC && head.type != 0xD) continue;
    const uint64_t count = head.count;
    const uint64_t references = head.type == 0xD ? count * 2 : count;
    if (count > table_offset || references > (table_offset - head.content) / ref_size)
      throw ArchiveError("damaged property list container");
    std::vector<uint64_t>& list = children[index];
    list.reserve(references);
    for (uint64_t k = 0; k < references; ++k) {
      uint64_t reference = read_big_endian(bytes.data() + head.content + k * ref_size, ref_size);
      if (reference >= object_count) throw ArchiveError("property list reference out of range");
      list.push_back(reference);
    }
    if (head.type != 0xD) continue;
    for (uint64_t k = 0; k < count; ++k) {
      if (key_checked[list[k]]) continue;
      check_dictionary_key(bytes, offset_of(list[k]), table_offset);
      key_checked[list[k]] = true;
    }
  }

  // depth and expanded size of the tree below the top object, without recursion
  enum Mark : uint8_t { unvisited, open, done };
  std::vector<Mark> mark(object_count, unvisited);
  std::vector<int> depth(object_count, 1);
  std::vector<uint64_t> expanded(object_count, 1);
  std::vector<uint64_t> expanded_bytes = payload_bytes;
  struct Frame {
    uint64_t index;
    size_t next_child;
  };
  std::vector<Frame> stack{{top_object, 0}};
  mark[top_object] = open;
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const std::vector<uint64_t>& list = children[frame.index];
    if (frame.next_child < list.size()) {
      uint64_t child = list[frame.next_child++];
      if (mark[child] == open) throw ArchiveError("cyclic property list");
      if (mark[child] == unvisited) {
        mark[child] = open;
        stack.push_back({child, 0});
      }
      continue;
    }
    uint64_t index = frame.index;
    for (uint64_t child : list) {
      depth[index] = std::max(depth[index], depth[child] + 1);
      expanded[index] = std::min(expanded[index] + expanded[child], k_max_expanded_nodes + 1);
      expanded_bytes[index] = std::min(expanded_bytes[index] + expanded_bytes[child], k_max_expanded_bytes + 1);
    }
    if (depth[index] > k_max_nesting || expanded[index] > k_max_expanded_nodes ||
        expanded_bytes[index] > k_max_expanded_bytes)
      throw ArchiveError("property list nested too deeply or too large");
    mark[index] = done;
    stack.pop_back();
  }
}

// All UIDs held in `node` (a value of an archived object), in order.
void collect_uids(plist_t node, std::vector<uint64_t>& uids) {
  switch (plist_get_node_type(node)) {
    case PLIST_UID: {
      uint64_t uid = 0;
      plist_get_uid_val(node, &uid);
      uids.push_back(uid);
      break;
    }
    case PLIST_ARRAY:
      for (uint32_t i = 0, n = plist_array_get_size(node); i < n; ++i) collect_uids(plist_array_get_item(node, i), uids);
      break;
    case PLIST_DICT: {
      // values only: asking libplist for a key copies it and asserts on its length
      plist_dict_iter iter = nullptr;
      plist_dict_new_iter(node, &iter);
      if (!iter) throw ArchiveError("out of memory reading the archive");
      const std::unique_ptr<void, void (*)(void*)> owned_iter(iter, std::free);
      for (;;) {
        plist_t value = nullptr;
        plist_dict_next_item(node, iter, nullptr, &value);
        if (!value) break;
        collect_uids(value, uids);
      }
      break;
    }
    default:
      break;
  }
}

// A text ends at its first NUL, as the writer stores it: libplist already cuts
// an ASCII string there, but keeps the rest of a UTF-16 one in its length.
std::string string_of(plist_t node) {
  uint64_t length = 0;
  const char* text = plist_get_string_ptr(node, &length);
  return text ? std::string(text, ::strnlen(text, length)) : std::string();
}

}  // namespace

// ---------------------------------------------------------------------------
// Writing

struct KeyedArchiver::State {
  PlistPtr objects{plist_new_array()};
  std::map<std::string, uint64_t> class_uids;

  uint64_t append(plist_t node) {
    uint64_t uid = plist_array_get_size(objects.get());
    plist_array_append_item(objects.get(), node);
    return uid;
  }

  uint64_t class_uid(const ArchiveClass& cls) {
    auto found = class_uids.find(cls.name);
    if (found != class_uids.end()) return found->second;
    plist_t record = plist_new_dict();
    plist_dict_set_item(record, "$classname", plist_new_string(cls.name.c_str()));
    plist_t chain = plist_new_array();
    for (const std::string& name : cls.chain) plist_array_append_item(chain, plist_new_string(name.c_str()));
    plist_dict_set_item(record, "$classes", chain);
    uint64_t uid = append(record);
    class_uids.emplace(cls.name, uid);
    return uid;
  }

  // Appends an object dictionary, lets `encode` fill it, then adds its class.
  uint64_t append_object(const ArchiveClass& cls, const Encode& encode) {
    uint64_t uid = append(plist_new_dict());
    KeyedArchiver archiver(*this, uid);
    encode(archiver);
    plist_dict_set_item(plist_array_get_item(objects.get(), static_cast<uint32_t>(uid)), "$class",
                        plist_new_uid(class_uid(cls)));
    return uid;
  }
};

namespace {
void set_value(KeyedArchiver::State& state, size_t object, const std::string& key, plist_t value) {
  plist_dict_set_item(plist_array_get_item(state.objects.get(), static_cast<uint32_t>(object)), key.c_str(), value);
}
}  // namespace

void KeyedArchiver::encode_bool(const std::string& key, bool value) {
  set_value(m_state, m_object, key, plist_new_bool(value ? 1 : 0));
}

void KeyedArchiver::encode_int(const std::string& key, int64_t value) {
  // an 8-byte integer in a binary property list is signed, so the two's
  // complement bits carry negative values
  set_value(m_state, m_object, key, plist_new_uint(static_cast<uint64_t>(value)));
}

void KeyedArchiver::encode_double(const std::string& key, double value) {
  set_value(m_state, m_object, key, plist_new_real(value));
}

void KeyedArchiver::encode_string(const std::string& key, const std::optional<std::string>& value) {
  // A string is a C string to the property list writer; text that is not UTF-8
  // would be written mangled, so it is archived as nil.
  if (!value || !is_valid_utf8(std::string_view(value->c_str()))) {
    encode_nil(key);
    return;
  }
  set_value(m_state, m_object, key, plist_new_uid(m_state.append(plist_new_string(value->c_str()))));
}

void KeyedArchiver::encode_data(const std::string& key, const std::optional<Bytes>& value) {
  if (!value) {
    encode_nil(key);
    return;
  }
  plist_t data = plist_new_data(reinterpret_cast<const char*>(value->data()), value->size());
  set_value(m_state, m_object, key, plist_new_uid(m_state.append(data)));
}

void KeyedArchiver::encode_date(const std::string& key, const std::optional<double>& seconds_since_2001) {
  if (!seconds_since_2001) {
    encode_nil(key);
    return;
  }
  double seconds = *seconds_since_2001;
  uint64_t uid = m_state.append_object({"NSDate", {"NSDate", "NSObject"}}, [seconds](KeyedArchiver& date) {
    date.encode_double("NS.time", seconds);
  });
  set_value(m_state, m_object, key, plist_new_uid(uid));
}

void KeyedArchiver::encode_object(const std::string& key, const ArchiveClass& cls, const Encode& encode) {
  set_value(m_state, m_object, key, plist_new_uid(m_state.append_object(cls, encode)));
}

void KeyedArchiver::encode_nil(const std::string& key) { set_value(m_state, m_object, key, plist_new_uid(0)); }

Bytes KeyedArchiver::archive_root(const ArchiveClass& cls, const Encode& encode) {
  State state;
  state.append(plist_new_string("$null"));
  state.append_object(cls, encode);

  PlistPtr top(plist_new_dict());
  plist_dict_set_item(top.get(), "$version", plist_new_uint(k_archive_version));
  plist_dict_set_item(top.get(), "$archiver", plist_new_string(k_archiver_name));
  plist_t top_refs = plist_new_dict();
  plist_dict_set_item(top_refs, "root", plist_new_uid(1));
  plist_dict_set_item(top.get(), "$top", top_refs);
  plist_dict_set_item(top.get(), "$objects", state.objects.release());

  char* bin = nullptr;
  uint32_t length = 0;
  plist_to_bin(top.get(), &bin, &length);
  if (!bin) throw ArchiveError("property list writer failed");
  Bytes bytes(reinterpret_cast<uint8_t*>(bin), reinterpret_cast<uint8_t*>(bin) + length);
  plist_to_bin_free(bin);
  return bytes;
}

// ---------------------------------------------------------------------------
// Reading

struct KeyedUnarchiver::Document {
  PlistPtr tree;
  plist_t objects = nullptr;
  uint64_t count = 0;

  // The object a UID refers to; UID 0 is nil and gives nullptr.
  plist_t object(uint64_t uid) const {
    if (uid == 0) return nullptr;
    if (uid >= count) throw ArchiveError("object reference out of range");
    return plist_array_get_item(objects, static_cast<uint32_t>(uid));
  }
};

KeyedUnarchiver KeyedUnarchiver::open_root(const Bytes& bytes) {
  check_binary_plist_shape(bytes);
  auto document = std::make_shared<Document>();
  // the parser reports no error of its own: a refused list leaves `parsed` null
  plist_t parsed = nullptr;
  plist_from_bin(reinterpret_cast<const char*>(bytes.data()), static_cast<uint32_t>(bytes.size()), &parsed);
  document->tree.reset(parsed);
  if (!parsed || plist_get_node_type(parsed) != PLIST_DICT) throw ArchiveError("not a property list dictionary");

  plist_t archiver = plist_dict_get_item(parsed, "$archiver");
  if (!archiver || plist_get_node_type(archiver) != PLIST_STRING || string_of(archiver) != k_archiver_name)
    throw ArchiveError("not a keyed archive");
  plist_t version = plist_dict_get_item(parsed, "$version");
  if (!version || plist_get_node_type(version) != PLIST_UINT) throw ArchiveError("keyed archive without version");
  plist_t objects = plist_dict_get_item(parsed, "$objects");
  if (!objects || plist_get_node_type(objects) != PLIST_ARRAY) throw ArchiveError("keyed archive without objects");
  plist_t top = plist_dict_get_item(parsed, "$top");
  plist_t root = top && plist_get_node_type(top) == PLIST_DICT ? plist_dict_get_item(top, "root") : nullptr;
  if (!root || plist_get_node_type(root) != PLIST_UID) throw ArchiveError("keyed archive without root");
  document->objects = objects;
  document->count = plist_array_get_size(objects);

  // every reference in range, and no object that contains itself
  std::vector<std::vector<uint64_t>> references(document->count);
  for (uint64_t index = 0; index < document->count; ++index) {
    collect_uids(plist_array_get_item(objects, static_cast<uint32_t>(index)), references[index]);
    for (uint64_t uid : references[index])
      if (uid >= document->count) throw ArchiveError("object reference out of range");
  }
  uint64_t root_uid = 0;
  plist_get_uid_val(root, &root_uid);
  if (root_uid == 0 || root_uid >= document->count) throw ArchiveError("keyed archive root out of range");
  enum Mark : uint8_t { unvisited, open, done };
  std::vector<Mark> mark(document->count, unvisited);
  std::vector<std::pair<uint64_t, size_t>> stack{{root_uid, 0}};
  mark[root_uid] = open;
  while (!stack.empty()) {
    auto& [index, next] = stack.back();
    if (next < references[index].size()) {
      uint64_t child = references[index][next++];
      if (child == 0) continue;
      if (mark[child] == open) throw ArchiveError("cyclic object references");
      if (mark[child] == unvisited) {
        mark[child] = open;
        stack.emplace_back(child, 0);
      }
      continue;
    }
    mark[index] = done;
    stack.pop_back();
  }

  return KeyedUnarchiver(std::move(document), root_uid);
}

KeyedUnarchiver::KeyedUnarchiver(std::shared_ptr<const Document> document, size_t object_index)
    : m_document(std::move(document)), m_object(object_index) {
  plist_t object = m_document->object(m_object);
  if (!object || plist_get_node_type(object) != PLIST_DICT) throw ArchiveError("archived object is not a dictionary");
  plist_t class_ref = plist_dict_get_item(object, "$class");
  if (!class_ref) return;
  if (plist_get_node_type(class_ref) != PLIST_UID) throw ArchiveError("archived class is not a reference");
  uint64_t uid = 0;
  plist_get_uid_val(class_ref, &uid);
  plist_t record = m_document->object(uid);
  plist_t name = record && plist_get_node_type(record) == PLIST_DICT ? plist_dict_get_item(record, "$classname") : nullptr;
  if (!name || plist_get_node_type(name) != PLIST_STRING) throw ArchiveError("archived class has no name");
  m_class_name = string_of(name);
}

namespace {

plist_t value_of(const KeyedUnarchiver::Document& document, size_t object, const std::string& key) {
  return plist_dict_get_item(document.object(object), key.c_str());
}

// The object a key refers to: nullptr for a missing key or nil; throws when
// the key holds a plain value instead of a reference.
plist_t referenced(const KeyedUnarchiver::Document& document, size_t object, const std::string& key) {
  plist_t value = value_of(document, object, key);
  if (!value) return nullptr;
  if (plist_get_node_type(value) != PLIST_UID) throw ArchiveError("key " + key + " holds no object");
  uint64_t uid = 0;
  plist_get_uid_val(value, &uid);
  return document.object(uid);
}

// Numbers convert among integer, boolean and real, as archived NSNumbers do.
struct Number {
  enum Kind { none, integer, real } kind = none;
  int64_t integer_value = 0;
  double real_value = 0;
};

Number number_of(plist_t value, const std::string& key) {
  Number number;
  if (!value) return number;
  switch (plist_get_node_type(value)) {
    case PLIST_UINT: {
      uint64_t bits = 0;
      plist_get_uint_val(value, &bits);
      number.kind = Number::integer;
      number.integer_value = static_cast<int64_t>(bits);
      break;
    }
    case PLIST_BOOLEAN: {
      uint8_t flag = 0;
      plist_get_bool_val(value, &flag);
      number.kind = Number::integer;
      number.integer_value = flag ? 1 : 0;
      break;
    }
    case PLIST_REAL:
      number.kind = Number::real;
      plist_get_real_val(value, &number.real_value);
      break;
    default:
      throw ArchiveError("key " + key + " holds no number");
  }
  return number;
}

int64_t integer_of(const Number& number) {
  return number.kind == Number::real ? saturated_integer(number.real_value) : number.integer_value;
}

double real_of(const Number& number) {
  return number.kind == Number::real ? number.real_value : static_cast<double>(number.integer_value);
}

}  // namespace

bool KeyedUnarchiver::contains(const std::string& key) const {
  return value_of(*m_document, m_object, key) != nullptr;
}

bool KeyedUnarchiver::decode_bool(const std::string& key) const {
  Number number = number_of(value_of(*m_document, m_object, key), key);
  return number.kind == Number::real ? number.real_value != 0 : number.integer_value != 0;
}

int64_t KeyedUnarchiver::decode_int(const std::string& key) const {
  return integer_of(number_of(value_of(*m_document, m_object, key), key));
}

int32_t KeyedUnarchiver::decode_int32(const std::string& key) const {
  int64_t value = decode_int(key);
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

double KeyedUnarchiver::decode_double(const std::string& key) const {
  return real_of(number_of(value_of(*m_document, m_object, key), key));
}

std::optional<std::string> KeyedUnarchiver::decode_string(const std::string& key) const {
  plist_t object = referenced(*m_document, m_object, key);
  if (!object) return std::nullopt;
  if (plist_get_node_type(object) != PLIST_STRING) throw ArchiveError("key " + key + " holds no string");
  std::string text = string_of(object);
  if (!is_valid_utf8(text)) return std::nullopt;
  return text;
}

std::optional<Bytes> KeyedUnarchiver::decode_data(const std::string& key) const {
  plist_t object = referenced(*m_document, m_object, key);
  if (!object) return std::nullopt;
  if (plist_get_node_type(object) != PLIST_DATA) throw ArchiveError("key " + key + " holds no data");
  uint64_t length = 0;
  const char* data = plist_get_data_ptr(object, &length);
  if (!data || length == 0) return Bytes();
  return Bytes(reinterpret_cast<const uint8_t*>(data), reinterpret_cast<const uint8_t*>(data) + length);
}

std::optional<double> KeyedUnarchiver::decode_date(const std::string& key) const {
  std::optional<KeyedUnarchiver> date = decode_object(key);
  if (!date) return std::nullopt;
  if (date->class_name() != "NSDate" || !date->contains("NS.time"))
    throw ArchiveError("key " + key + " holds no date");
  return date->decode_double("NS.time");
}

std::optional<KeyedUnarchiver> KeyedUnarchiver::decode_object(const std::string& key) const {
  plist_t value = value_of(*m_document, m_object, key);
  if (!value) return std::nullopt;
  if (plist_get_node_type(value) != PLIST_UID) throw ArchiveError("key " + key + " holds no object");
  uint64_t uid = 0;
  plist_get_uid_val(value, &uid);
  if (uid == 0) return std::nullopt;
  return KeyedUnarchiver(m_document, uid);
}

}  // namespace platform
