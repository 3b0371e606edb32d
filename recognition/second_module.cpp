#include "recognition/second_module.h"

#include <algorithm>
#include <chrono>

#include "device_data/product_facts.h"
#include "platform/clock.h"
#include "platform/format.h"
#include "platform/log.h"
#include "transport/hid_commands.h"
#include "transport/stop_request.h"

namespace recognition {
namespace {

using namespace std::chrono_literals;

using transport::k_command_status;
using transport::k_command_version;
using transport::k_command_qcc_mesh_mode;
using transport::k_command_normal_mode;
using transport::k_command_mesh_download;
// The device drops off the bus and shows its mesh unit within this.
constexpr auto k_mesh_switch_wait = 2s;
// A mesh unit shows up within 20 tries 1 s apart, or never.
constexpr int k_mesh_open_tries = 20;
constexpr auto k_mesh_open_interval = 1s;

struct Version {
  int major = 1;
  int minor = 0;
  int type = 0;
  int number = 0;
};

Version main_version(const FEXOBluetoothDeviceData& record) {
  return {record.deviceVersionMajor(), record.deviceVersionMinor(), record.deviceSecondaryVersionType(),
          record.deviceSecondaryVersion()};
}

void write_module_1(FEXOBluetoothDeviceData& record, const Version& version) {
  record.setDeviceVersion01Major_Minor(version.major, version.minor);
  record.setDeviceSecondaryVersionType01(version.type);
  record.setDeviceSecondaryVersion01(version.number);
}

void write_module_2(FEXOBluetoothDeviceData& record, const Version& version) {
  record.setDeviceVersion02Major_Minor(version.major, version.minor);
  record.setDeviceSecondaryVersionType02(version.type);
  record.setDeviceSecondaryVersion02(version.number);
}

// The main version is the older unit's: module 2's when the main one compares newer.
void keep_older_version_as_main(FEXOBluetoothDeviceData& record, const Version& module_2) {
  if (record.compareVersionWithVersionMajor_Minor_SecondaryVersionType_SecondaryVersion(
          module_2.major, module_2.minor, module_2.type, module_2.number) < 1) {
    return;
  }
  record.setDeviceVersionMajor_Minor(module_2.major, module_2.minor);
  record.setDeviceSecondaryVersionType(module_2.type);
  record.setDeviceSecondaryVersion(module_2.number);
}

std::string version_text(const Version& version) {
  return platform::format("%d.%d.%d.%d", version.major, version.minor, version.type, version.number);
}

class SecondModule {
 public:
  SecondModule(FEXOBluetoothDeviceData& record, HidBuffers buffers, OpenedDevice opened)
      : m_record(record), m_buffers(buffers), m_opened(opened) {}

  void read_qcc_mesh();
  void read_second_unit(bool paired_units);
  void read_mesh(ModuleGroup group);

 private:
  // Sends `command` with [0] 1 on `slot`; the other bytes stay as the last frame left them.
  bool send(int slot, unsigned char command) {
    m_buffers.request[0] = transport::k_hid_report_id;
    m_buffers.request[1] = command;
    return hid_long_command(slot, m_buffers.request, m_buffers.reply) == 1;
  }
  bool send_cleared(int slot, unsigned char command) {
    std::fill(m_buffers.request.begin() + 2, m_buffers.request.end(), 0);
    return send(slot, command);
  }
  // Waits out the switch and opens the mesh unit into slot 0; false after the last try.
  bool open_mesh_unit(int (*open)(std::uint32_t&, transport_message&)) {
    platform::sleep_for(k_mesh_switch_wait);
    hid_close_all();
    for (int attempt = 0; attempt < k_mesh_open_tries && !transport::stop_requested(); ++attempt) {
      if (open(m_opened.product_id, m_opened.message) == 0) return true;
      hid_close_all();
      platform::sleep_for(k_mesh_open_interval);
    }
    return false;
  }
  // Hands the device back to its main unit in slot 0 (whether it comes back or not).
  void reopen_main_unit() {
    hid_close_all();
    hid_open_device(m_opened.product_id, m_opened.message);
  }

  FEXOBluetoothDeviceData& m_record;
  HidBuffers m_buffers;
  OpenedDevice m_opened;
};

void SecondModule::read_qcc_mesh() {
  const Version main = main_version(m_record);
  platform::system_log("KR9, KR9r dk5x version = " + version_text(main));
  if (!send_cleared(0, k_command_qcc_mesh_mode)) platform::system_log("KR9 MESH_DFU_COMMAND_FAILED");
  if (open_mesh_unit(&hid_open_mesh_qcc)) {
    platform::system_log("-----Mesh handle open success");
    hid_short_report request{};
    hid_short_report reply{};
    request[0] = transport::k_hid_report_id;
    request[1] = k_command_status;
    hid_short_command(0, request, reply);
    request[1] = k_command_version;
    Version mesh;
    if (hid_short_command(0, request, reply) == 1) mesh = {reply[3], reply[4], reply[5], reply[6]};
    write_module_2(m_record, mesh);
  } else {
    platform::system_log("-----Mesh handle open fail");
  }
  reopen_main_unit();
  if (!send(0, k_command_normal_mode)) platform::system_log("KR9 COMMAND_MESH_NORMAL_MODE");
  const Version module_2{m_record.deviceVersionMajor02(), m_record.deviceVersionMinor02(),
                         m_record.deviceSecondaryVersionType02(), m_record.deviceSecondaryVersion02()};
  platform::system_log("KR9, KR9r, dk5x version = " + version_text(main) + " mesh ver " + version_text(module_2));
}

void SecondModule::read_second_unit(bool paired_units) {
  Version unit;
  if (paired_units) unit.type = 2;
  if (send(1, k_command_version)) {
    const hid_status_report& reply = m_buffers.reply;
    unit = paired_units ? Version{reply[3], reply[4], 2, reply[5]} : Version{reply[3], reply[4], reply[5], reply[6]};
  }
  write_module_2(m_record, unit);
  keep_older_version_as_main(m_record, unit);
}

void SecondModule::read_mesh(ModuleGroup group) {
  const bool airoha = group == ModuleGroup::airoha_mesh;
  platform::system_log((airoha ? "WQ8V2 version = " : "ND4 version = ") + version_text(main_version(m_record)));
  if (!send(0, k_command_mesh_download)) {
    platform::system_log(airoha ? "WQ8V2 MESH_DFU_COMMAND_FAILED" : "MESH_DFU_COMMAND_FAILED");
  }
  if (open_mesh_unit(airoha ? &hid_open_mesh_airoha : &hid_open_mesh_3120)) {
    Version mesh;
    if (airoha) {
      lang_pack_report& request = m_buffers.lang_request;
      const lang_pack_reply& reply = m_buffers.lang_reply;
      request[0] = transport::k_hid_report_id;
      request[2] = k_command_version;
      request[3] = 0x00;
      if (hid_lang_pack_command(0, request, m_buffers.lang_reply) == 1) mesh = {reply[4], reply[5], reply[6], reply[7]};
    } else if (send(0, k_command_version)) {
      const hid_status_report& reply = m_buffers.reply;
      mesh = {reply[3], reply[4], reply[5], reply[6]};
    }
    write_module_2(m_record, mesh);
  } else {
    platform::system_log("-----Mesh Error");
  }
  // these devices go back to normal mode by themselves
  reopen_main_unit();
}

}  // namespace

ModuleGroup module_group(std::uint32_t id) {
  using device_data::SecondModuleRead;
  const device_data::ProductFacts& row = device_data::product_facts(static_cast<int>(id));
  if (row.second_module == SecondModuleRead::qcc_mesh) return ModuleGroup::qcc_mesh;
  if (row.two_modules) return ModuleGroup::two_units;
  if (row.second_module == SecondModuleRead::module_1_only) return ModuleGroup::plus_weave;
  if (row.second_module == SecondModuleRead::mesh_processor) return ModuleGroup::mesh_processor;
  if (row.update_family == device_data::UpdateFamily::airoha_mesh) return ModuleGroup::airoha_mesh;
  if (row.second_module == SecondModuleRead::paired_units) return ModuleGroup::paired_units;
  return ModuleGroup::none;
}

void read_second_module_versions(std::uint32_t product_id, FEXOBluetoothDeviceData& record, HidBuffers buffers,
                                 OpenedDevice opened) {
  const ModuleGroup group = module_group(product_id);
  if (group == ModuleGroup::none) return;
  write_module_1(record, main_version(record));
  SecondModule module(record, buffers, opened);
  switch (group) {
    case ModuleGroup::qcc_mesh: module.read_qcc_mesh(); break;
    case ModuleGroup::two_units: module.read_second_unit(false); break;
    case ModuleGroup::paired_units: module.read_second_unit(true); break;
    case ModuleGroup::plus_weave:
      platform::system_log("plusweave version = " + version_text(main_version(record)));
      break;
    case ModuleGroup::mesh_processor:
    case ModuleGroup::airoha_mesh: module.read_mesh(group); break;
    case ModuleGroup::none: break;
  }
}

}  // namespace recognition
