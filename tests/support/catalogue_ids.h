#pragma once
// Helpers of the tests that hold an old product list against a catalogue column.
#include <algorithm>
#include <functional>
#include <vector>

#include "device_data/product_facts.h"

namespace test_support {

// Every id from 1 whose row satisfies `selected`, ascending (an id without a
// row reads the defaults).
inline std::vector<int> ids_where(const std::function<bool(const device_data::ProductFacts&)>& selected) {
  std::vector<int> ids;
  for (int id = 1; id <= 0xFFFF; ++id) {
    if (selected(device_data::product_facts(id))) ids.push_back(id);
  }
  return ids;
}

inline std::vector<int> sorted(std::vector<int> ids) {
  std::ranges::sort(ids);
  return ids;
}

}  // namespace test_support
