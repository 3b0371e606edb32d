#include "platform/keyed_archive.h"

#include <gtest/gtest.h>
#include <plist/plist.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

namespace {

using namespace std::string_literals;
using platform::ArchiveClass;
using platform::ArchiveError;
using platform::Bytes;
using platform::KeyedArchiver;
using platform::KeyedUnarchiver;

const ArchiveClass k_record{"FEXOBluetoothDeviceData", {"FEXOBluetoothDeviceData", "NSObject"}};
const ArchiveClass k_dial{"SpeedDial", {"SpeedDial", "NSObject"}};

// A record with one value of every kind, two nested objects of one class and a nil.
Bytes sample_archive() {
  return KeyedArchiver::archive_root(k_record, [](KeyedArchiver& a) {
    a.encode_int("keyManagerVersionMajor", 2);
    a.encode_bool("flag", true);
    a.encode_double("ratio", 1.25);
    a.encode_string("keyDeviceName", std::string("Ridge 30 \xC3\xA9"));
    a.encode_string("empty", std::string());
    a.encode_string("absent", std::nullopt);
    a.encode_data("blob", Bytes{0x00, 0xFF, 0x10});
    a.encode_date("keyDateArchived", 7.5e8);
    a.encode_nil("nothing");
    a.encode_object("dial1", k_dial, [](KeyedArchiver& d) {
      d.encode_string("number", std::string("+4930"));
      d.encode_object("inner", k_dial, [](KeyedArchiver& inner) { inner.encode_int("depth", -2); });
    });
    a.encode_object("dial2", k_dial, [](KeyedArchiver& d) { d.encode_int("depth", 1); });
  });
}

// Owns a libplist tree in the test.
struct Tree {
  plist_t node = nullptr;
  explicit Tree(plist_t n) : node(n) {}
  ~Tree() { plist_free(node); }
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;
};

plist_t parse(const Bytes& bytes) {
  plist_t node = nullptr;
  plist_from_bin(reinterpret_cast<const char*>(bytes.data()), static_cast<uint32_t>(bytes.size()), &node);
  return node;
}

Bytes serialize(plist_t node) {
  char* bin = nullptr;
  uint32_t length = 0;
  plist_to_bin(node, &bin, &length);
  Bytes bytes(bin, bin + length);
  plist_to_bin_free(bin);
  return bytes;
}

std::vector<std::string> keys_of(plist_t dict) {
  std::vector<std::string> keys;
  plist_dict_iter iter = nullptr;
  plist_dict_new_iter(dict, &iter);
  for (;;) {
    char* key = nullptr;
    plist_t value = nullptr;
    plist_dict_next_item(dict, iter, &key, &value);
    if (!value) break;
    keys.emplace_back(key);
    std::free(key);
  }
  std::free(iter);
  return keys;
}

uint64_t uid_of(plist_t node) {
  EXPECT_EQ(plist_get_node_type(node), PLIST_UID);
  uint64_t uid = 0;
  plist_get_uid_val(node, &uid);
  return uid;
}

// Reads every key with every decoder; only ArchiveError may come out.
void decode_everything(const KeyedUnarchiver& object, int depth = 0) {
  for (const char* key : {"keyManagerVersionMajor", "flag", "ratio", "keyDeviceName", "empty", "absent", "blob",
                          "keyDateArchived", "nothing", "dial1", "dial2", "number", "inner", "depth", "NS.time"}) {
    try { object.decode_int(key); } catch (const ArchiveError&) {}
    try { object.decode_bool(key); } catch (const ArchiveError&) {}
    try { object.decode_double(key); } catch (const ArchiveError&) {}
    try { object.decode_string(key); } catch (const ArchiveError&) {}
    try { object.decode_data(key); } catch (const ArchiveError&) {}
    try { object.decode_date(key); } catch (const ArchiveError&) {}
    try {
      if (auto nested = object.decode_object(key); nested && depth < 4) decode_everything(*nested, depth + 1);
    } catch (const ArchiveError&) {}
  }
}

// Opens `bytes`: fine when it is rejected with ArchiveError or opens and decodes.
void open_without_crash(const Bytes& bytes) {
  try {
    decode_everything(KeyedUnarchiver::open_root(bytes));
  } catch (const ArchiveError&) {
  }
}

TEST(KeyedArchive, EveryKindRoundTrips) {
  KeyedUnarchiver root = KeyedUnarchiver::open_root(sample_archive());
  EXPECT_EQ(root.class_name(), "FEXOBluetoothDeviceData");
  EXPECT_EQ(root.decode_int("keyManagerVersionMajor"), 2);
  EXPECT_TRUE(root.decode_bool("flag"));
  EXPECT_DOUBLE_EQ(root.decode_double("ratio"), 1.25);
  EXPECT_EQ(root.decode_string("keyDeviceName"), std::string("Ridge 30 \xC3\xA9"));
  EXPECT_EQ(root.decode_string("empty"), std::string());
  EXPECT_EQ(root.decode_string("absent"), std::nullopt);
  EXPECT_TRUE(root.contains("absent"));
  EXPECT_EQ(root.decode_data("blob"), (Bytes{0x00, 0xFF, 0x10}));
  EXPECT_EQ(root.decode_date("keyDateArchived"), 7.5e8);
  EXPECT_EQ(root.decode_object("nothing"), std::nullopt);

  std::optional<KeyedUnarchiver> dial = root.decode_object("dial1");
  ASSERT_TRUE(dial);
  EXPECT_EQ(dial->class_name(), "SpeedDial");
  EXPECT_EQ(dial->decode_string("number"), std::string("+4930"));
  std::optional<KeyedUnarchiver> inner = dial->decode_object("inner");
  ASSERT_TRUE(inner);
  EXPECT_EQ(inner->decode_int("depth"), -2);
  EXPECT_EQ(root.decode_object("dial2")->decode_int("depth"), 1);

  // missing keys read as nil, 0 and NO
  EXPECT_FALSE(root.contains("keyMissing"));
  EXPECT_EQ(root.decode_int("keyMissing"), 0);
  EXPECT_FALSE(root.decode_bool("keyMissing"));
  EXPECT_EQ(root.decode_double("keyMissing"), 0.0);
  EXPECT_EQ(root.decode_string("keyMissing"), std::nullopt);
  EXPECT_EQ(root.decode_data("keyMissing"), std::nullopt);
  EXPECT_EQ(root.decode_date("keyMissing"), std::nullopt);
  EXPECT_EQ(root.decode_object("keyMissing"), std::nullopt);
}

TEST(KeyedArchive, LayoutIsAKeyedArchiverArchive) {
  Bytes bytes = sample_archive();
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "bplist00");
  Tree top(parse(bytes));
  ASSERT_NE(top.node, nullptr);
  EXPECT_EQ(keys_of(top.node), (std::vector<std::string>{"$version", "$archiver", "$top", "$objects"}));
  uint64_t version = 0;
  plist_get_uint_val(plist_dict_get_item(top.node, "$version"), &version);
  EXPECT_EQ(version, 100000u);
  EXPECT_EQ(uid_of(plist_dict_get_item(plist_dict_get_item(top.node, "$top"), "root")), 1u);

  plist_t objects = plist_dict_get_item(top.node, "$objects");
  ASSERT_EQ(plist_get_node_type(objects), PLIST_ARRAY);
  EXPECT_EQ(plist_string_val_compare(plist_array_get_item(objects, 0), "$null"), 0);
  auto object = [&](plist_t uid_node) { return plist_array_get_item(objects, static_cast<uint32_t>(uid_of(uid_node))); };

  // keys in the order they were encoded, plain values inline, the rest by UID
  plist_t root = plist_array_get_item(objects, 1);
  EXPECT_EQ(keys_of(root), (std::vector<std::string>{"keyManagerVersionMajor", "flag", "ratio", "keyDeviceName", "empty",
                                                     "absent", "blob", "keyDateArchived", "nothing", "dial1", "dial2",
                                                     "$class"}));
  EXPECT_EQ(plist_get_node_type(plist_dict_get_item(root, "keyManagerVersionMajor")), PLIST_UINT);
  EXPECT_EQ(plist_get_node_type(plist_dict_get_item(root, "flag")), PLIST_BOOLEAN);
  EXPECT_EQ(plist_get_node_type(plist_dict_get_item(root, "ratio")), PLIST_REAL);
  EXPECT_EQ(uid_of(plist_dict_get_item(root, "absent")), 0u);
  EXPECT_EQ(uid_of(plist_dict_get_item(root, "nothing")), 0u);
  EXPECT_EQ(plist_string_val_compare(object(plist_dict_get_item(root, "keyDeviceName")), "Ridge 30 \xC3\xA9"), 0);
  EXPECT_EQ(plist_get_node_type(object(plist_dict_get_item(root, "blob"))), PLIST_DATA);

  plist_t root_class = object(plist_dict_get_item(root, "$class"));
  EXPECT_EQ(plist_string_val_compare(plist_dict_get_item(root_class, "$classname"), "FEXOBluetoothDeviceData"), 0);
  plist_t chain = plist_dict_get_item(root_class, "$classes");
  ASSERT_EQ(plist_array_get_size(chain), 2u);
  EXPECT_EQ(plist_string_val_compare(plist_array_get_item(chain, 1), "NSObject"), 0);

  // a date is NS.time of class NSDate
  plist_t date = object(plist_dict_get_item(root, "keyDateArchived"));
  double seconds = 0;
  plist_get_real_val(plist_dict_get_item(date, "NS.time"), &seconds);
  EXPECT_EQ(seconds, 7.5e8);
  plist_t date_class = object(plist_dict_get_item(date, "$class"));
  EXPECT_EQ(plist_string_val_compare(plist_dict_get_item(date_class, "$classname"), "NSDate"), 0);

  // three SpeedDial objects share one class record
  plist_t dial1 = object(plist_dict_get_item(root, "dial1"));
  plist_t dial2 = object(plist_dict_get_item(root, "dial2"));
  plist_t inner = object(plist_dict_get_item(dial1, "inner"));
  uint64_t dial_class = uid_of(plist_dict_get_item(dial1, "$class"));
  EXPECT_EQ(uid_of(plist_dict_get_item(dial2, "$class")), dial_class);
  EXPECT_EQ(uid_of(plist_dict_get_item(inner, "$class")), dial_class);
  int class_records = 0;
  for (uint32_t i = 0; i < plist_array_get_size(objects); ++i) {
    plist_t item = plist_array_get_item(objects, i);
    if (plist_get_node_type(item) == PLIST_DICT && plist_dict_get_item(item, "$classname")) ++class_records;
  }
  EXPECT_EQ(class_records, 3);  // the record, NSDate and SpeedDial
}

TEST(KeyedArchive, IntegersKeepTheirSignAndSaturateTo32Bits) {
  struct Case {
    int64_t value;
    int32_t as_int32;
  };
  const Case cases[] = {
      {0, 0},
      {-1, -1},
      {255, 255},
      {65536, 65536},
      {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()},
      {int64_t{std::numeric_limits<int32_t>::min()} - 1, std::numeric_limits<int32_t>::min()},
      {int64_t{std::numeric_limits<uint32_t>::max()}, std::numeric_limits<int32_t>::max()},
      {std::numeric_limits<int64_t>::min(), std::numeric_limits<int32_t>::min()},
      {std::numeric_limits<int64_t>::min() + 1, std::numeric_limits<int32_t>::min()},
      {std::numeric_limits<int64_t>::max(), std::numeric_limits<int32_t>::max()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    KeyedUnarchiver root = KeyedUnarchiver::open_root(
        KeyedArchiver::archive_root(k_record, [&](KeyedArchiver& a) { a.encode_int("value", c.value); }));
    EXPECT_EQ(root.decode_int("value"), c.value);
    EXPECT_EQ(root.decode_int32("value"), c.as_int32);
  }
}

TEST(KeyedArchive, NumbersConvertButOtherKindsAreErrors) {
  KeyedUnarchiver root = KeyedUnarchiver::open_root(KeyedArchiver::archive_root(k_record, [](KeyedArchiver& a) {
    a.encode_int("int", 3);
    a.encode_bool("bool", true);
    a.encode_double("real", -2.75);
    a.encode_double("huge", 1e300);
    a.encode_double("keyManagerVersion", 1.2);
    a.encode_string("text", std::string("12"));
    a.encode_data("data", Bytes{1});
    a.encode_object("object", k_dial, [](KeyedArchiver&) {});
  }));
  EXPECT_TRUE(root.decode_bool("int"));
  EXPECT_EQ(root.decode_double("int"), 3.0);
  EXPECT_EQ(root.decode_int("bool"), 1);
  EXPECT_EQ(root.decode_double("bool"), 1.0);
  EXPECT_EQ(root.decode_int("real"), -2);
  EXPECT_TRUE(root.decode_bool("real"));
  EXPECT_EQ(root.decode_int("huge"), std::numeric_limits<int64_t>::max());
  EXPECT_FLOAT_EQ(static_cast<float>(root.decode_double("keyManagerVersion")), 1.2f);

  EXPECT_THROW(root.decode_int("text"), ArchiveError);
  EXPECT_THROW(root.decode_bool("object"), ArchiveError);
  EXPECT_THROW(root.decode_string("int"), ArchiveError);
  EXPECT_THROW(root.decode_string("data"), ArchiveError);
  EXPECT_THROW(root.decode_data("text"), ArchiveError);
  EXPECT_THROW(root.decode_object("text"), ArchiveError);
  EXPECT_THROW(root.decode_object("real"), ArchiveError);
  EXPECT_THROW(root.decode_date("object"), ArchiveError);
  EXPECT_THROW(root.decode_date("text"), ArchiveError);
}

TEST(KeyedArchive, TextThatIsNotUtf8IsNil) {
  // written: a C string ends at its first NUL; bytes that are not UTF-8 are nil
  KeyedUnarchiver written = KeyedUnarchiver::open_root(KeyedArchiver::archive_root(k_record, [](KeyedArchiver& a) {
    a.encode_string("cut", std::string("ab\0cd", 5));
    a.encode_string("latin1", std::string("caf\xE9"));
    a.encode_string("surrogate", std::string("\xED\xA0\x80"));
  }));
  EXPECT_EQ(written.decode_string("cut"), std::string("ab"));
  EXPECT_EQ(written.decode_string("latin1"), std::nullopt);
  EXPECT_EQ(written.decode_string("surrogate"), std::nullopt);

  // read: an archive whose ASCII string holds a byte above 0x7F
  Bytes bytes = KeyedArchiver::archive_root(k_record, [](KeyedArchiver& a) {
    a.encode_string("name", std::string("QQmarkerQQ"));
    a.encode_string("other", std::string("fine"));
  });
  const std::string marker = "QQmarkerQQ";
  auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
  ASSERT_NE(at, bytes.end());
  at[2] = 0xFF;
  KeyedUnarchiver damaged = KeyedUnarchiver::open_root(bytes);
  EXPECT_EQ(damaged.decode_string("name"), std::nullopt);
  EXPECT_EQ(damaged.decode_string("other"), std::string("fine"));
}

// --- damaged archives --------------------------------------------------------

// A keyed-archive top dictionary around `objects` (taken over).
Bytes archive_of(plist_t objects, plist_t root_uid = plist_new_uid(1), const char* archiver = "NSKeyedArchiver") {
  Tree top(plist_new_dict());
  plist_dict_set_item(top.node, "$version", plist_new_uint(100000));
  if (archiver) plist_dict_set_item(top.node, "$archiver", plist_new_string(archiver));
  if (root_uid) {
    plist_t refs = plist_new_dict();
    plist_dict_set_item(refs, "root", root_uid);
    plist_dict_set_item(top.node, "$top", refs);
  }
  plist_dict_set_item(top.node, "$objects", objects);
  return serialize(top.node);
}

plist_t objects_of(std::initializer_list<plist_t> items) {
  plist_t array = plist_new_array();
  plist_array_append_item(array, plist_new_string("$null"));
  for (plist_t item : items) plist_array_append_item(array, item);
  return array;
}

plist_t dict_of(std::initializer_list<std::pair<const char*, plist_t>> items) {
  plist_t dict = plist_new_dict();
  for (const auto& [key, value] : items) plist_dict_set_item(dict, key, value);
  return dict;
}

plist_t class_record(const char* name) {
  plist_t chain = plist_new_array();
  plist_array_append_item(chain, plist_new_string(name));
  return dict_of({{"$classname", plist_new_string(name)}, {"$classes", chain}});
}

// Binary property list assembled from raw objects, object 0 on top, with
// 4-byte offsets and 4-byte references.
Bytes raw_bplist(const std::vector<Bytes>& objects) {
  Bytes out = {'b', 'p', 'l', 'i', 's', 't', '0', '0'};
  std::vector<uint32_t> offsets;
  for (const Bytes& object : objects) {
    offsets.push_back(static_cast<uint32_t>(out.size()));
    out.insert(out.end(), object.begin(), object.end());
  }
  uint64_t table = out.size();
  for (uint32_t offset : offsets)
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(offset >> shift));
  Bytes trailer(32, 0);
  trailer[6] = 4;
  trailer[7] = 4;
  for (int i = 0; i < 8; ++i) trailer[8 + i] = static_cast<uint8_t>(uint64_t{objects.size()} >> (56 - 8 * i));
  for (int i = 0; i < 8; ++i) trailer[24 + i] = static_cast<uint8_t>(table >> (56 - 8 * i));
  out.insert(out.end(), trailer.begin(), trailer.end());
  return out;
}

// An array object (count below 15) referring to `refs`.
Bytes raw_array(std::initializer_list<uint32_t> refs) {
  Bytes object{static_cast<uint8_t>(0xA0 | refs.size())};
  for (uint32_t ref : refs)
    for (int shift = 24; shift >= 0; shift -= 8) object.push_back(static_cast<uint8_t>(ref >> shift));
  return object;
}

// Marker of a counted object, the count in a 1-byte integer after it from 15 on.
Bytes raw_head(uint8_t type, size_t count) {
  if (count < 15) return {static_cast<uint8_t>(type << 4 | count)};
  return {static_cast<uint8_t>(type << 4 | 0x0F), 0x10, static_cast<uint8_t>(count)};
}

Bytes raw_ascii(const std::string& text) {
  Bytes object = raw_head(0x5, text.size());
  for (char c : text) object.push_back(static_cast<uint8_t>(c));
  return object;
}

Bytes raw_utf16(const std::u16string& text) {
  Bytes object = raw_head(0x6, text.size());
  for (char16_t unit : text) {
    object.push_back(static_cast<uint8_t>(unit >> 8));
    object.push_back(static_cast<uint8_t>(unit));
  }
  return object;
}

Bytes raw_dict(std::initializer_list<std::pair<uint32_t, uint32_t>> entries) {
  Bytes object{static_cast<uint8_t>(0xD0 | entries.size())};
  auto append = [&object](uint32_t ref) {
    for (int shift = 24; shift >= 0; shift -= 8) object.push_back(static_cast<uint8_t>(ref >> shift));
  };
  for (const auto& entry : entries) append(entry.first);
  for (const auto& entry : entries) append(entry.second);
  return object;
}

// A keyed archive written byte by byte, whose root object holds one entry:
// object `key` naming object `value`. `top_key` replaces the "$version" key
// and `extra` objects follow in $objects from UID 2 on.
Bytes raw_keyed_archive(const Bytes& key, const Bytes& value, const Bytes& top_key = raw_ascii("$version"),
                        const std::vector<Bytes>& extra = {}) {
  std::vector<Bytes> objects = {
      raw_dict({{1, 5}, {2, 6}, {3, 7}, {4, 8}}),  // 0: top
      top_key, raw_ascii("$archiver"), raw_ascii("$top"), raw_ascii("$objects"),
      {0x12, 0x00, 0x01, 0x86, 0xA0},  // 5: 100000
      raw_ascii("NSKeyedArchiver"),
      raw_dict({{9, 10}}),  // 7: $top
      {},                   // 8: $objects, below
      raw_ascii("root"),
      {0x80, 0x01},  // 10: UID 1
      raw_ascii("$null"),
      raw_dict({{13, 14}}),  // 12: the root object
      key,
      value,
  };
  std::vector<uint32_t> archived = {11, 12};
  for (uint32_t index = 0; index < extra.size(); ++index) archived.push_back(15 + index);
  objects[8] = raw_head(0xA, archived.size());
  for (uint32_t ref : archived)
    for (int shift = 24; shift >= 0; shift -= 8) objects[8].push_back(static_cast<uint8_t>(ref >> shift));
  objects.insert(objects.end(), extra.begin(), extra.end());
  return raw_bplist(objects);
}

TEST(KeyedArchive, CraftedKeysStringsAndIntegersNeverAbort) {
  // the archive as the writer would have made it opens
  EXPECT_EQ(KeyedUnarchiver::open_root(raw_keyed_archive(raw_ascii("key"), {0x10, 0x07})).decode_int("key"), 7);

  // a key holding U+0000 is refused wherever it stands: libplist asserts on a
  // UTF-16 one and cuts an ASCII one short
  struct Refused {
    const char* name;
    Bytes bytes;
  };
  const Refused refused[] = {
      {"UTF-16 key with U+0000 in an object", raw_keyed_archive(raw_utf16(u"ke\0y"s), {0x10, 0x07})},
      {"UTF-16 key of U+0000 alone", raw_keyed_archive(raw_utf16(u"\0"s), {0x10, 0x07})},
      {"UTF-16 top key with U+0000", raw_keyed_archive(raw_ascii("key"), {0x10, 0x07}, raw_utf16(u"$version\0"s))},
      {"ASCII key with NUL", raw_keyed_archive(raw_ascii("ke\0y"s), {0x10, 0x07})},
      {"number as a key", raw_keyed_archive({0x10, 0x07}, {0x10, 0x07})},
  };
  for (const Refused& c : refused) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(KeyedUnarchiver::open_root(c.bytes), ArchiveError);
  }

  // a text ends at its first NUL in both string forms, as the writer stores it
  const Bytes nul_strings = raw_keyed_archive(raw_ascii("key"), {0x80, 0x02}, raw_ascii("$version"),
                                              {raw_utf16(u"ab\0cd"s)});
  EXPECT_EQ(KeyedUnarchiver::open_root(nul_strings).decode_string("key"), std::string("ab"));
  const Bytes nul_ascii = raw_keyed_archive(raw_ascii("key"), {0x80, 0x02}, raw_ascii("$version"),
                                            {raw_ascii("ab\0cd"s)});
  EXPECT_EQ(KeyedUnarchiver::open_root(nul_ascii).decode_string("key"), std::string("ab"));

  // numbers of every width a binary list allows, and UIDs of odd widths
  auto root_holding = [](const Bytes& value) {
    return KeyedUnarchiver::open_root(
        raw_keyed_archive(raw_ascii("key"), value, raw_ascii("$version"), {raw_ascii("x")}));
  };
  EXPECT_EQ(root_holding({0x10, 0xFF}).decode_int("key"), 255);
  EXPECT_NO_THROW(root_holding({0x14, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 1}).decode_int("key"));
  EXPECT_EQ(root_holding({0x22, 0x3F, 0xC0, 0x00, 0x00}).decode_double("key"), 1.5);
  EXPECT_EQ(root_holding({0x22, 0x7F, 0xC0, 0x00, 0x00}).decode_int("key"), 0);  // NaN
  EXPECT_EQ(root_holding({0x82, 0x00, 0x00, 0x02}).decode_string("key"), std::string("x"));
  EXPECT_EQ(root_holding({0x8F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02}).decode_string("key"),
            std::string("x"));
}

TEST(KeyedArchive, DamagedArchivesAreRejected) {
  auto root_with = [](const char* key, plist_t value) {
    return objects_of({dict_of({{key, value}, {"$class", plist_new_uid(2)}}), class_record("Thing")});
  };
  std::vector<Bytes> deep;
  for (uint32_t i = 0; i < 100000; ++i) deep.push_back(i + 1 < 100000 ? raw_array({i + 1}) : raw_array({}));
  std::vector<Bytes> doubling;  // 2^60 nodes once every shared array is copied
  for (uint32_t i = 0; i < 60; ++i) doubling.push_back(raw_array({i + 1, i + 1}));
  doubling.push_back(raw_array({}));
  // 64 KiB of text referred to 65536 times: libplist would copy it into 4 GiB
  Bytes many_references{0xAF, 0x12, 0x00, 0x01, 0x00, 0x00};  // array of 65536
  for (uint32_t i = 0; i < 0x10000; ++i) many_references.insert(many_references.end(), {0, 0, 0, 1});
  Bytes long_text{0x5F, 0x12, 0x00, 0x01, 0x00, 0x00};  // ASCII text of 65536
  long_text.resize(long_text.size() + 0x10000, 'x');

  struct Case {
    const char* name;
    Bytes bytes;
  };
  const std::string xml = "<?xml version=\"1.0\"?><plist><dict/></plist>";
  const Case cases[] = {
      {"empty", {}},
      {"text", Bytes(xml.begin(), xml.end())},
      {"magic only", Bytes{'b', 'p', 'l', 'i', 's', 't', '0', '0'}},
      {"not a dictionary", [] {
         Tree array(plist_new_array());
         return serialize(array.node);
       }()},
      {"wrong archiver", archive_of(root_with("a", plist_new_uint(1)), plist_new_uid(1), "NSArchiver")},
      {"no archiver", archive_of(root_with("a", plist_new_uint(1)), plist_new_uid(1), nullptr)},
      {"no top", archive_of(root_with("a", plist_new_uint(1)), nullptr)},
      {"root is nil", archive_of(root_with("a", plist_new_uint(1)), plist_new_uid(0))},
      {"root out of range", archive_of(root_with("a", plist_new_uint(1)), plist_new_uid(9))},
      {"root is no reference", archive_of(root_with("a", plist_new_uint(1)), plist_new_uint(1))},
      {"root is a string", archive_of(objects_of({plist_new_string("root")}))},
      {"objects not an array", archive_of(plist_new_dict())},
      {"reference out of range", archive_of(root_with("a", plist_new_uid(40)))},
      {"object refers to itself", archive_of(root_with("self", plist_new_uid(1)))},
      {"two objects in a loop",
       archive_of(objects_of({dict_of({{"next", plist_new_uid(2)}}), dict_of({{"back", plist_new_uid(1)}})}))},
      {"class is a string", archive_of(objects_of({dict_of({{"$class", plist_new_uid(2)}}), plist_new_string("X")}))},
      {"class is a number", archive_of(objects_of({dict_of({{"$class", plist_new_uint(2)}})}))},
      {"class without name", archive_of(objects_of({dict_of({{"$class", plist_new_uid(2)}}), plist_new_dict()}))},
      {"container nested 100000 deep", raw_bplist(deep)},
      {"shared containers doubling 60 times", raw_bplist(doubling)},
      {"one long text shared 65536 times", raw_bplist({many_references, long_text})},
      {"bplist array containing itself", raw_bplist({raw_array({0})})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(KeyedUnarchiver::open_root(c.bytes), ArchiveError);
  }
}

TEST(KeyedArchive, WrongNestedReferencesAreErrorsWhenDecoded) {
  KeyedUnarchiver root = KeyedUnarchiver::open_root(archive_of(objects_of({
      dict_of({{"object", plist_new_uid(2)}, {"string", plist_new_uid(3)}, {"date", plist_new_uid(4)}}),
      dict_of({{"$class", plist_new_uid(3)}}),                                    // class is a string
      plist_new_string("text"),                                                  // 3
      dict_of({{"NS.time", plist_new_string("x")}, {"$class", plist_new_uid(5)}}),  // 4: date of text
      class_record("NSDate"),                                                    // 5
  })));
  EXPECT_THROW(root.decode_object("object"), ArchiveError);
  EXPECT_THROW(root.decode_object("string"), ArchiveError);
  EXPECT_THROW(root.decode_date("date"), ArchiveError);
  EXPECT_EQ(root.decode_string("string"), std::string("text"));
}

TEST(KeyedArchive, CorruptedBytesNeverCrash) {
  const Bytes valid = sample_archive();
  for (size_t length = 0; length < valid.size(); ++length) {
    SCOPED_TRACE(length);
    open_without_crash(Bytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length)));
  }
  for (size_t position = 0; position < valid.size(); ++position) {
    SCOPED_TRACE(position);
    for (uint8_t flip : {0x01, 0x02, 0x10, 0x80, 0xFF}) {
      Bytes bytes = valid;
      bytes[position] ^= flip;
      open_without_crash(bytes);
    }
  }
  std::mt19937 random(2001);
  for (int round = 0; round < 2000; ++round) {
    Bytes bytes(random() % 200);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    // half of them pass the magic check and reach the trailer
    if (round % 2 == 0 && bytes.size() >= 8) std::memcpy(bytes.data(), "bplist00", 8);
    open_without_crash(bytes);
  }
}

TEST(KeyedArchive, OpensInPythonAsAKeyedArchive) {
  if (std::system("command -v python3 >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not installed";
  std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("keyed_archive_" + std::to_string(::getpid()) + ".plist");
  Bytes bytes = sample_archive();
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // single-quoted for the shell, so "$" stays as it is
  const std::string script =
      "import plistlib,sys\n"
      "a=plistlib.load(open(sys.argv[1],\"rb\"))\n"
      "o=a[\"$objects\"]\n"
      "r=o[a[\"$top\"][\"root\"]]\n"
      "print(a[\"$archiver\"],a[\"$version\"],type(a[\"$top\"][\"root\"]).__name__,o[0])\n"
      "print(\",\".join(r.keys()))\n"
      "print(o[r[\"$class\"]][\"$classname\"],o[r[\"keyDeviceName\"]],r[\"keyManagerVersionMajor\"])\n"
      "d=o[r[\"keyDateArchived\"]]\n"
      "print(o[d[\"$class\"]][\"$classes\"],d[\"NS.time\"])\n";
  std::string command = "python3 -c '" + script + "' '" + file.string() + "'";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  std::array<char, 256> buffer;
  while (size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), got);
  int status = ::pclose(pipe);
  std::filesystem::remove(file);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(output,
            "NSKeyedArchiver 100000 UID $null\n"
            "keyManagerVersionMajor,flag,ratio,keyDeviceName,empty,absent,blob,keyDateArchived,nothing,dial1,dial2,"
            "$class\n"
            "FEXOBluetoothDeviceData Ridge 30 \xC3\xA9 2\n"
            "['NSDate', 'NSObject'] 750000000.0\n");
}

}  // namespace
