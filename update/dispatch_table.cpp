#include "update/dispatch_table.h"

#include <array>
#include <vector>

#include "device_data/product_facts.h"
#include "update/families/airoha_update.h"
#include "update/families/download_mode.h"
#include "update/families/hid_section_download.h"
#include "update/families/mesh_update.h"
#include "update/families/qcc_update.h"
#include "update/families/two_module_update.h"
#include "update/families/usb_dfu.h"

namespace update {

namespace {

using families::airoha_mesh_update;
using families::airoha_update;
using families::enter_download_mode;
using families::hid_section_download;
using families::hid_section_download_after_download_mode;
using families::qcc_mesh_update;
using families::qcc_update;
using families::two_chip_update;
using families::usb_dfu_update;
using families::dual_module_update;
using families::lm6_update;
using families::mesh_update;
using families::mesh_update_with_voice_processor;

using device_data::UpdateFamily;

struct FamilyRow {
  int order;
  UpdateFamily family;
  FamilyProcedure procedure;
};

// USB DFU, last, takes every id without a family of its own: among them the
// older models and the two-part camera package.
constexpr FamilyRow k_families[] = {
    {1, UpdateFamily::lm6, lm6_update},
    {2, UpdateFamily::qcc, qcc_update},
    {3, UpdateFamily::airoha, airoha_update},
    {4, UpdateFamily::two_chip, two_chip_update},
    {5, UpdateFamily::qcc_mesh, qcc_mesh_update},
    {6, UpdateFamily::airoha_mesh, airoha_mesh_update},
    {7, UpdateFamily::mesh_with_voice_processor, mesh_update_with_voice_processor},
    {8, UpdateFamily::mesh, mesh_update},
    {9, UpdateFamily::dual_module, dual_module_update},
    {10, UpdateFamily::hid_section_download, hid_section_download},
    {11, UpdateFamily::hid_section_download_after_download_mode, hid_section_download_after_download_mode},
    {12, UpdateFamily::download_mode, enter_download_mode},
    {13, UpdateFamily::usb_dfu, usb_dfu_update},
};
constexpr std::size_t k_row_count = std::size(k_families);

// The rows with the catalogue's products of each family; the last row names none.
struct Rows {
  std::array<std::vector<int>, k_row_count> ids;
  std::array<DispatchRow, k_row_count> rows;
};

const Rows& rows() {
  static const Rows built = [] {
    Rows result;
    for (const device_data::ProductFacts& product : device_data::product_rows()) {
      for (std::size_t i = 0; i + 1 < k_row_count; ++i) {
        if (k_families[i].family == product.update_family) result.ids[i].push_back(product.id);
      }
    }
    for (std::size_t i = 0; i < k_row_count; ++i) {
      result.rows[i] = {k_families[i].order, k_families[i].family, result.ids[i], k_families[i].procedure};
    }
    return result;
  }();
  return built;
}

}  // namespace

std::span<const DispatchRow> dispatch_rows() { return rows().rows; }

const DispatchRow& dispatch_row_for(int product) {
  return dispatch_row(device_data::product_facts(product).update_family);
}

const DispatchRow& dispatch_row(UpdateFamily family) {
  for (const DispatchRow& row : rows().rows) {
    if (row.family == family) return row;
  }
  return rows().rows.back();
}

const DispatchRow& dispatch_row(int order) {
  for (const DispatchRow& row : rows().rows) {
    if (row.order == order) return row;
  }
  return rows().rows.back();
}

}  // namespace update
