#include "update/dispatch_table.h"

#include <algorithm>

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

// LM6 ZOD.
constexpr int k_row_1[] = {0x4210};
// QCC products without mesh.
constexpr int k_row_2[] = {0x4D06, 0x4D16, 0x4D76, 0x4D86, 0x3052, 0x3072, 0x3082, 0x3085, 0x3340, 0x3341,
                           0x3350, 0x3360, 0x3370, 0x3400, 0x4023, 0x5590, 0x5591, 0x5592, 0x5593, 0x5594,
                           0x5595, 0x6038, 0x6039, 0x6461, 0x6481, 0x6491, 0x6600, 0x6700, 0x6900};
// Airoha products 0x68xx.
constexpr int k_row_3[] = {0x6800, 0x6801, 0x6802, 0x6803, 0x6804, 0x6805, 0x6810, 0x6811, 0x6812};
// Two-chip mesh and Bluetooth.
constexpr int k_row_4[] = {0x5552, 0x5553};
// Mesh QCC products (0x5552 and 0x5553 belong to row 4, which comes first).
constexpr int k_row_5[] = {0x6500, 0x6510, 0x3150, 0x3161};
// Mesh Airoha products.
constexpr int k_row_6[] = {0x3210, 0x3211, 0x3212, 0x3213, 0x3214, 0x3215, 0x3216, 0x3217, 0x3218};
// Mesh with camera and voice-processor part.
constexpr int k_row_7[] = {0x3132, 0x3134, 0x3148, 0x3154, 0x3156, 0x3170,
                           0x3232, 0x3240, 0x3260, 0x3264, 0x3320, 0x3900};
// Mesh.
constexpr int k_row_8[] = {0x3110, 0x3112, 0x3114, 0x3116, 0x3118, 0x3124, 0x3126, 0x3128, 0x3140,
                           0x3142, 0x3144, 0x3146, 0x3152, 0x3500, 0x3540, 0x3550, 0x3560, 0x3570};
// Dual-module HID.
constexpr int k_row_9[] = {0x2030, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x4530, 0x4610};
// HID section download; the cameras 0x5510 0x5580 0x5570 0x5576 0x3060 copy
// their camera firmware first.
constexpr int k_row_10[] = {0x3030, 0x3032, 0x3040, 0x3050, 0x3060, 0x3070, 0x3080, 0x3300, 0x3310, 0x3330, 0x4050,
                            0x5320, 0x5330, 0x5424, 0x5426, 0x5428, 0x5430, 0x5432, 0x5434, 0x5510, 0x5520, 0x5522,
                            0x5524, 0x5526, 0x5530, 0x5532, 0x5534, 0x5536, 0x5550, 0x5560, 0x5562, 0x5564, 0x5570,
                            0x5576, 0x5580, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710,
                            0x5720, 0x5910, 0x5920, 0x6112, 0x6114, 0x6210, 0x6310, 0x6320, 0x6330, 0x6335, 0x6400};
// HID section download after command 0x0E.
constexpr int k_row_11[] = {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6026, 0x6028, 0x6030, 0x6032,
                            0x6034, 0x6036, 0x5410, 0x5412, 0x5414, 0x5416, 0x5418, 0x5420};
// Sent into their download mode over HID, then USB DFU.
constexpr int k_row_12[] = {0x6020, 0x6022, 0x6024};

// Row 13, USB DFU, takes every other id: among them the older models
// 0x4D10 0x4D30 0x4D40 0x5010 0x5060 0x5061 0x5020 0x5070 and the two-part
// camera package 0x3020.
constexpr DispatchRow k_rows[] = {
    {1, k_row_1, lm6_update},   {2, k_row_2, qcc_update},
    {3, k_row_3, airoha_update},   {4, k_row_4, two_chip_update},
    {5, k_row_5, qcc_mesh_update},   {6, k_row_6, airoha_mesh_update},
    {7, k_row_7, mesh_update_with_voice_processor},   {8, k_row_8, mesh_update},
    {9, k_row_9, dual_module_update},   {10, k_row_10, hid_section_download},
    {11, k_row_11, hid_section_download_after_download_mode}, {12, k_row_12, enter_download_mode},
    {13, {}, usb_dfu_update},
};

}  // namespace

std::span<const DispatchRow> dispatch_rows() { return k_rows; }

const DispatchRow& dispatch_row_for(int product) {
  for (const DispatchRow& row : k_rows) {
    if (std::ranges::find(row.product_ids, product) != row.product_ids.end()) return row;
  }
  return k_rows[std::size(k_rows) - 1];
}

const DispatchRow& dispatch_row(int order) {
  for (const DispatchRow& row : k_rows) {
    if (row.order == order) return row;
  }
  return k_rows[std::size(k_rows) - 1];
}

}  // namespace update
