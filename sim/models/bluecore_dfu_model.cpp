#include "sim/models/bluecore_dfu_model.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "sim/bus_state.h"
#include "sim/models/dfu_model.h"

namespace sim {

namespace {

using std::chrono::milliseconds;

constexpr std::uint16_t k_vendor_id = 0xF3A7;
constexpr std::uint16_t k_firmware_management_bit = 0x8000;
constexpr std::uint8_t k_command_enter_download_mode = 0x0E;
// The device answers 0x0E and drops off the HID bus this long after.
constexpr milliseconds k_hid_leave_in{100};
constexpr std::uint8_t k_hci_command_request_type = 0x20;
// bmRequestType of class requests to an interface, either way.
constexpr std::uint8_t k_request_out = 0x21;
constexpr std::uint8_t k_request_in = 0xA1;
constexpr std::uint8_t k_request_7 = 7;
constexpr std::uint8_t k_class_application_specific = 0xFE;
// The boot loader's blocks are at most this long.
constexpr std::size_t k_block_bytes = 1023;
constexpr std::size_t k_status_bytes = 6;
constexpr std::uint8_t k_status_err_unknown = 0x0E;
// The run-time DFU interface sits beside interface 0 (HID or HCI).
constexpr int k_run_time_interface = 1;

DfuInterface run_time_interface() { return DfuInterface{.interface_number = k_run_time_interface, .run_time = true}; }

// What the device shows in `phase`, given what its HID and BlueCore parts show.
Identity phase_identity(const BlueCoreDfuOptions& options, BlueCoreDfuPhase phase, const Identity& hid,
                        const Identity& bluecore) {
  switch (phase) {
    case BlueCoreDfuPhase::hid:
      return hid;
    case BlueCoreDfuPhase::download_mode: {
      Identity identity = bluecore;
      identity.dfu = run_time_interface();
      return identity;
    }
    case BlueCoreDfuPhase::dfu_mode: {
      Identity identity;
      identity.descriptor.vendor_id = k_vendor_id;
      identity.descriptor.product_id = options.dfu_product_id;
      identity.descriptor.device_class = k_class_application_specific;
      identity.descriptor.manufacturer = "Vexlink";
      identity.descriptor.product = "BlueCore boot loader";
      identity.dfu = DfuInterface{};
      return identity;
    }
    case BlueCoreDfuPhase::normal:
      break;
  }
  // back in normal mode: as it started (HID), or as a BlueCore HCI device
  const bool from_hid = options.start == BlueCoreDfuPhase::hid;
  Identity identity = from_hid ? hid : bluecore;
  if (!from_hid) identity.descriptor.product_id = options.return_product_id;
  identity.dfu = run_time_interface();
  return identity;
}

Identity start_identity(const BlueCoreDfuOptions& options) {
  return phase_identity(options, options.start, HidModel(options.hid).identity(),
                        BlueCoreModel(options.bluecore).identity());
}

}  // namespace

BlueCoreDfuModel::BlueCoreDfuModel(BlueCoreDfuOptions options)
    : Model(start_identity(options), options.faults),
      m_options(std::move(options)),
      m_hid(std::make_shared<HidModel>(m_options.hid)),
      m_bluecore(std::make_shared<BlueCoreModel>(m_options.bluecore)),
      m_phase(m_options.start),
      m_next_phase(m_options.start) {
  m_hid->set_host(this);
  m_bluecore->set_host(this);
  // the download mode is a reboot into the BlueCore boot loader's HCI device
  m_hid->on_command(k_command_enter_download_mode, [this](std::span<const std::uint8_t>) {
    go(BlueCoreDfuPhase::download_mode, k_hid_leave_in, m_options.download_mode_absence);
    return HidModel::Answer{0, {}};
  });
}

Identity BlueCoreDfuModel::identity_of(BlueCoreDfuPhase phase) const {
  return phase_identity(m_options, phase, m_hid->identity(), m_bluecore->identity());
}

void BlueCoreDfuModel::go(BlueCoreDfuPhase next, milliseconds leave_in, milliseconds absent_for) {
  m_next_phase = next;
  change_identity(identity_of(next), leave_in, absent_for);
}

BlueCoreDfuPhase BlueCoreDfuModel::phase() const {
  std::lock_guard lock(Bus::mutex());
  return m_phase;
}

std::vector<BlueCoreDfuModel::Block> BlueCoreDfuModel::blocks() const {
  std::lock_guard lock(Bus::mutex());
  return m_blocks;
}

std::vector<std::uint8_t> BlueCoreDfuModel::image() const {
  std::lock_guard lock(Bus::mutex());
  std::vector<std::uint8_t> joined;
  for (const Block& block : m_blocks) joined.insert(joined.end(), block.payload.begin(), block.payload.end());
  return joined;
}

std::optional<std::uint16_t> BlueCoreDfuModel::final_block_number() const {
  std::lock_guard lock(Bus::mutex());
  return m_final_block;
}

std::vector<PsWrite> BlueCoreDfuModel::ps_writes() const { return m_bluecore->ps_writes(); }

int BlueCoreDfuModel::resets() const {
  std::lock_guard lock(Bus::mutex());
  return m_resets;
}

int BlueCoreDfuModel::request_7_count() const {
  std::lock_guard lock(Bus::mutex());
  return m_request_7;
}

bool BlueCoreDfuModel::shows_hid() const {
  return m_phase == BlueCoreDfuPhase::hid ||
         (m_phase == BlueCoreDfuPhase::normal && m_options.start == BlueCoreDfuPhase::hid);
}

bool BlueCoreDfuModel::on_open(int interface_number) {
  return shows_hid() ? m_hid->on_open(interface_number) : true;
}

void BlueCoreDfuModel::on_close(int interface_number) {
  if (shows_hid()) m_hid->on_close(interface_number);
}

void BlueCoreDfuModel::on_interrupt_out(int interface_number, std::span<const std::uint8_t> report) {
  if (shows_hid()) m_hid->on_interrupt_out(interface_number, report);
}

void BlueCoreDfuModel::on_input_read(int interface_number, std::span<const std::uint8_t> report) {
  if (shows_hid()) m_hid->on_input_read(interface_number, report);
}

void BlueCoreDfuModel::on_arrival() {
  m_phase = m_next_phase;
  m_status = k_dfu_status_ok;
  m_busy_left = 0;
  switch (m_phase) {
    case BlueCoreDfuPhase::dfu_mode:
      m_state = m_options.start_in_error ? k_dfu_error : k_dfu_idle;
      if (m_options.start_in_error) m_status = k_dfu_status_err_stalled_packet;
      m_bad_status_left = m_options.bad_status_polls;
      m_failing_downloads_left = m_options.failing_downloads;
      break;
    case BlueCoreDfuPhase::download_mode:
      m_state = m_options.in_dfu_mode_at_detach ? k_dfu_idle : k_app_idle;
      m_bad_status_left = m_options.bad_status_polls;
      m_failing_downloads_left = m_options.failing_downloads;
      break;
    default:
      m_state = k_app_idle;
      break;
  }
  if (shows_hid()) m_hid->on_arrival();
}

void BlueCoreDfuModel::on_reset() {
  ++m_resets;
  const bool run_time = m_phase == BlueCoreDfuPhase::download_mode || m_phase == BlueCoreDfuPhase::normal;
  if (!run_time || m_state != k_app_detach) return;
  // the device restarts into the boot loader it was detached to
  switch (m_options.after_reset) {
    case AfterReset::dfu_mode:
      go(BlueCoreDfuPhase::dfu_mode, milliseconds(0), m_options.reenumeration);
      break;
    case AfterReset::gone:
      leave_bus();
      break;
    case AfterReset::stays:
      go(m_phase, milliseconds(0), m_options.reenumeration);
      break;
  }
}

int BlueCoreDfuModel::on_control_transfer(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  if (setup.request_type == k_hci_command_request_type) {
    // the HCI interface of download mode, and of normal mode when the device is no HID device
    const bool hci = m_phase == BlueCoreDfuPhase::download_mode ||
                     (m_phase == BlueCoreDfuPhase::normal && m_options.start != BlueCoreDfuPhase::hid);
    return hci ? m_bluecore->on_control_transfer(setup, data) : -1;
  }
  if (setup.request_type != k_request_out && setup.request_type != k_request_in) return -1;
  // class requests to a HID interface are the HID driver's report requests
  if (shows_hid() && (setup.index & 0xFF) != k_run_time_interface) return m_hid->on_control_transfer(setup, data);
  return cut_status_reply(m_options.short_status, setup, m_blocks.size(), data, dfu_request(setup, data));
}

int BlueCoreDfuModel::dfu_request(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  const bool in_request = setup.request == k_dfu_upload || setup.request == k_dfu_getstatus ||
                          setup.request == k_dfu_getstate;
  if (setup.device_to_host() != in_request) return -1;
  if (m_state == k_app_idle || m_state == k_app_detach) return run_time_request(setup, data);
  switch (setup.request) {
    case k_dfu_dnload:
      return download(setup, data);
    case k_dfu_getstatus:
      return get_status(data);
    case k_dfu_getstate:
      data.assign(1, m_state);
      return 1;
    case k_dfu_clrstatus:
      m_status = k_dfu_status_ok;
      if (m_state == k_dfu_error) m_state = k_dfu_idle;
      return 0;
    case k_dfu_abort:
      if (m_state != k_dfu_manifest) m_state = k_dfu_idle;
      return 0;
    case k_request_7:
      ++m_request_7;
      return 0;
    default:
      return -1;
  }
}

int BlueCoreDfuModel::run_time_request(const ControlSetup& setup, std::vector<std::uint8_t>& data) {
  switch (setup.request) {
    case k_dfu_detach:
      if (m_state == k_app_idle && !m_options.ignores_detach) m_state = k_app_detach;
      return 0;
    case k_dfu_getstatus:
      data = {m_status, 0, 0, 0, m_state, 0};
      data.resize(std::min<std::size_t>(data.size(), setup.length));
      return static_cast<int>(data.size());
    case k_dfu_getstate:
      data.assign(1, m_state);
      return 1;
    case k_request_7:
      ++m_request_7;
      return 0;
    default:
      return -1;
  }
}

int BlueCoreDfuModel::download(const ControlSetup& setup, const std::vector<std::uint8_t>& data) {
  const bool takes_blocks = m_state == k_dfu_idle || m_state == k_dfu_dnload_idle || m_state == k_dfu_dnload_sync;
  if (!takes_blocks || data.size() > k_block_bytes) return -1;
  if (data.empty()) {
    // the empty block ends the download: the device manifests and restarts into its firmware
    m_final_block = setup.value;
    m_state = k_dfu_manifest;
    if (m_options.never_returns) {
      leave_bus_in(m_options.manifestation);
    } else {
      go(BlueCoreDfuPhase::normal, m_options.manifestation, m_options.return_absence);
    }
    return 0;
  }
  if (m_failing_downloads_left > 0) {
    --m_failing_downloads_left;
    return -1;
  }
  m_blocks.push_back({setup.value, data});
  m_state = k_dfu_dnload_sync;
  m_busy_left = m_options.busy_polls;
  return static_cast<int>(data.size());
}

int BlueCoreDfuModel::get_status(std::vector<std::uint8_t>& data) {
  std::uint32_t poll_ms = 0;
  if (m_state == k_dfu_dnload_sync || m_state == k_dfu_dnbusy) {
    if (m_options.error_after_block && *m_options.error_after_block == static_cast<int>(m_blocks.size())) {
      m_state = k_dfu_error;
      m_status = k_dfu_status_err_write;
    } else if (m_options.busy_forever || m_busy_left > 0) {
      --m_busy_left;
      m_state = k_dfu_dnbusy;
      poll_ms = m_options.busy_poll_ms;
    } else {
      m_state = k_dfu_dnload_idle;
    }
  }
  if (m_state == k_dfu_dnload_idle) poll_ms = m_options.manifest_poll_ms;
  std::uint8_t status = m_status;
  if (m_bad_status_left != 0) {
    if (m_bad_status_left > 0) --m_bad_status_left;
    status = k_status_err_unknown;
  }
  data = {status, static_cast<std::uint8_t>(poll_ms), static_cast<std::uint8_t>(poll_ms >> 8),
          static_cast<std::uint8_t>(poll_ms >> 16), m_state, 0};
  data.resize(k_status_bytes);
  return static_cast<int>(data.size());
}

BlueCoreDfuOptions bluecore_dfu_fixture_6020(std::uint16_t version, std::uint16_t reported) {
  BlueCoreDfuOptions options;
  options.bluecore.ps_keys[k_ps_product_id] = {reported};
  options.bluecore.ps_keys[k_ps_version_record] = version_record_key(version);
  return options;
}

BlueCoreDfuOptions bluecore_dfu_fixture_in_dfu_mode(std::uint16_t dfu_product_id, std::uint16_t return_product_id) {
  BlueCoreDfuOptions options;
  options.start = BlueCoreDfuPhase::dfu_mode;
  options.dfu_product_id = dfu_product_id;
  options.return_product_id = return_product_id;
  return options;
}

BlueCoreDfuOptions bluecore_dfu_fixture_normal_mode(BlueCoreModelOptions bluecore) {
  BlueCoreDfuOptions options;
  options.start = BlueCoreDfuPhase::normal;
  options.dfu_product_id = static_cast<std::uint16_t>(bluecore.product_id | k_firmware_management_bit);
  options.return_product_id = bluecore.product_id;
  options.bluecore = std::move(bluecore);
  return options;
}

std::shared_ptr<Model> make_bluecore_dfu_model(std::uint16_t product_id, const std::vector<ModelOption>& options,
                                               std::string& error) {
  const bool normal_mode = std::ranges::any_of(
      options, [](const ModelOption& option) { return option.key == "normal" && option.value.empty(); });
  BlueCoreDfuOptions model = (product_id & k_firmware_management_bit) != 0
                                 ? bluecore_dfu_fixture_in_dfu_mode(product_id, 0x6020)
                                 : bluecore_dfu_fixture_6020(10);
  if (normal_mode) {
    model = bluecore_dfu_fixture_normal_mode(bluecore_fixture_of(product_id));
  } else if ((product_id & k_firmware_management_bit) == 0) {
    model.hid.product_id = product_id;
    model.bluecore.product_id = static_cast<std::uint16_t>(product_id + 1);
    model.bluecore.ps_keys[k_ps_product_id] = {product_id};
    model.dfu_product_id = static_cast<std::uint16_t>(product_id | 0x8000);
  }
  for (const ModelOption& option : options) {
    const std::string& key = option.key;
    const std::string& value = option.value;
    unsigned long number = 0;
    const bool numeric = parse_option_number(value, 0xFFFFFF, number);
    bool taken = true;
    if (value.empty()) {
      if (key == "normal") taken = (product_id & k_firmware_management_bit) == 0;
      else if (key == "nodetach") model.ignores_detach = true;
      else if (key == "noreenum") model.after_reset = AfterReset::gone;
      else if (key == "b020") model.dfu_product_id = 0xB020;
      else if (key == "noreturn") model.never_returns = true;
      else taken = false;
    } else if (key == "fw") {
      const std::size_t dot = value.find('.');
      unsigned long major = 0;
      unsigned long minor = 0;
      taken = dot != std::string::npos && parse_option_number(value.substr(0, dot), 6553, major) &&
              parse_option_number(value.substr(dot + 1), 9, minor);
      if (taken) model.bluecore.ps_keys[k_ps_version_record] = version_record_key(static_cast<std::uint16_t>(major * 10 + minor));
    } else if (key == "busy" && value == "forever") {
      model.busy_forever = true;
    } else if (!numeric) {
      taken = false;
    } else if (key == "pid" && number <= 0xFFFF) {
      model.bluecore.ps_keys[k_ps_product_id] = {static_cast<std::uint16_t>(number)};
    } else if (key == "busy") {
      model.busy_polls = static_cast<int>(number);
    } else if (key == "poll") {
      model.manifest_poll_ms = static_cast<std::uint32_t>(number);
    } else if (key == "error_at") {
      model.error_after_block = static_cast<int>(number);
    } else if (key == "failures") {
      model.failing_downloads = static_cast<int>(number);
    } else if (key == "shortstatus") {
      short_status_fault(model.short_status).bytes = number;
    } else if (key == "shortfrom") {
      short_status_fault(model.short_status).from_block = static_cast<int>(number);
    } else {
      taken = false;
    }
    if (!taken) {
      error = "bad bluecoredfu option \"" + key + (value.empty() ? "" : "=" + value) + "\"";
      return nullptr;
    }
  }
  return std::make_shared<BlueCoreDfuModel>(std::move(model));
}

}  // namespace sim
