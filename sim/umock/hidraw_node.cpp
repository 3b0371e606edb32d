// A hidraw node as the kernel's hidraw driver over usbhid presents it: write()
// sends an output report on the interrupt OUT pipe (without its id when that
// is 0, as usbhid sends it), read() hands over the next
// input report (report id first, cut to the buffer), and the HIDIOC* ioctls
// read the report descriptor and the device's identity or carry GET_REPORT and
// SET_REPORT requests. Once the device has left, reads fail with EIO and
// everything else with ENODEV, as on a disconnected hidraw node.
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "sim/bus.h"
#include "sim/umock/nodes.h"

namespace sim::umock {

namespace {

// Takes the bell's byte out of the node by letting the program's read run on it.
void silence_bell(Node& node, UMockdevIoctlClient* client) {
  if (!node.bell || node.gone) return;
  int error = 0;
  umockdev_ioctl_client_execute(client, &error, nullptr);
  node.bell = false;
}

// The client's buffer of `length` bytes behind the ioctl's pointer argument.
UMockdevIoctlData* resolve(UMockdevIoctlClient* client, std::size_t length) {
  return umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, length, nullptr);
}

// Copies `text` with its terminating zero into a buffer of `length` bytes; the
// driver answers with the bytes copied.
long copy_text(UMockdevIoctlClient* client, const std::string& text, std::size_t length) {
  UMockdevIoctlData* data = resolve(client, length);
  if (data == nullptr) return -EFAULT;
  const std::size_t copied = std::min(text.size() + 1, length);
  std::memcpy(data->data, text.c_str(), copied);
  g_object_unref(data);
  return static_cast<long>(copied);
}

// GET_REPORT or SET_REPORT of `report_type` with the client's buffer; the
// buffer's first byte names the report.
long report_request(Node& node, UMockdevIoctlClient* client, std::uint8_t request, std::uint8_t report_type,
                    std::size_t length) {
  if (!hid_report_fits(length)) return -EINVAL;
  UMockdevIoctlData* data = resolve(client, length);
  if (data == nullptr) return -EFAULT;
  std::span<std::uint8_t> buffer(data->data, length);
  const std::size_t unsent = hid_unsent_id_bytes(buffer[0]);
  const ControlSetup setup =
      hid_report_request(request, report_type, buffer[0], node.spec.interface_number, length - unsent);
  const IoResult result = control_transfer(node.address, setup, buffer.subspan(unsent, setup.length));
  g_object_unref(data);
  if (result.status != IoStatus::ok) return -errno_of(result.status);
  return result.bytes + static_cast<long>(unsent);
}

long answer_ioctl(Node& node, Opening* opening, UMockdevIoctlClient* client) {
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  if (_IOC_TYPE(request) != 'H') return -ENOTTY;
  if (const int error = refusal(node, opening, ENODEV)) return -error;
  const std::size_t length = _IOC_SIZE(request);
  switch (_IOC_NR(request)) {
    case _IOC_NR(HIDIOCGRDESCSIZE): {
      UMockdevIoctlData* data = resolve(client, sizeof(int));
      if (data == nullptr) return -EFAULT;
      const int size = static_cast<int>(node.spec.report_descriptor.size());
      std::memcpy(data->data, &size, sizeof size);
      g_object_unref(data);
      return 0;
    }
    case _IOC_NR(HIDIOCGRDESC): {
      UMockdevIoctlData* data = resolve(client, sizeof(hidraw_report_descriptor));
      if (data == nullptr) return -EFAULT;
      auto* descriptor = reinterpret_cast<hidraw_report_descriptor*>(data->data);
      const std::size_t copied = std::min<std::size_t>(descriptor->size, node.spec.report_descriptor.size());
      const bool fits = descriptor->size < HID_MAX_DESCRIPTOR_SIZE;
      if (fits) std::copy_n(node.spec.report_descriptor.begin(), copied, descriptor->value);
      g_object_unref(data);
      return fits ? 0 : -EINVAL;
    }
    case _IOC_NR(HIDIOCGRAWINFO): {
      UMockdevIoctlData* data = resolve(client, sizeof(hidraw_devinfo));
      if (data == nullptr) return -EFAULT;
      auto* info = reinterpret_cast<hidraw_devinfo*>(data->data);
      info->bustype = 3;  // BUS_USB
      info->vendor = static_cast<__s16>(node.vendor_id);
      info->product = static_cast<__s16>(node.product_id);
      g_object_unref(data);
      return 0;
    }
    case _IOC_NR(HIDIOCGRAWNAME(0)):
      return copy_text(client, node.name, length);
    case _IOC_NR(HIDIOCGRAWPHYS(0)):
      return copy_text(client, node.phys, length);
    case _IOC_NR(HIDIOCGRAWUNIQ(0)):
      return copy_text(client, node.uniq, length);
    case _IOC_NR(HIDIOCSFEATURE(0)):
      return report_request(node, client, k_hid_set_report, k_hid_feature_report, length);
    case _IOC_NR(HIDIOCGFEATURE(0)):
      return report_request(node, client, k_hid_get_report, k_hid_feature_report, length);
    case _IOC_NR(HIDIOCSINPUT(0)):
      return report_request(node, client, k_hid_set_report, k_hid_input_report, length);
    case _IOC_NR(HIDIOCGINPUT(0)):
      return report_request(node, client, k_hid_get_report, k_hid_input_report, length);
    case _IOC_NR(HIDIOCSOUTPUT(0)):
      return report_request(node, client, k_hid_set_report, k_hid_output_report, length);
    case _IOC_NR(HIDIOCGOUTPUT(0)):
      return report_request(node, client, k_hid_get_report, k_hid_output_report, length);
  }
  return -ENOTTY;
}

long answer_read(Node& node, Opening* opening, UMockdevIoctlClient* client) {
  if (const int error = refusal(node, opening, EIO)) return -error;
  UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
  std::vector<std::uint8_t> report(static_cast<std::size_t>(std::max(buffer->data_len, 0)));
  const IoResult result = take_input(node.address, node.spec.interface_number, report);
  if (result.status == IoStatus::gone) {
    node.gone = true;
    update_bell(node);
    return -EIO;
  }
  if (!input_ready(node.address, node.spec.interface_number)) silence_bell(node, client);
  // nothing to read: what a read on a node opened without blocking answers
  if (result.status == IoStatus::timed_out) return -EAGAIN;
  if (result.status != IoStatus::ok) return -errno_of(result.status);
  umockdev_ioctl_data_update(buffer, 0, report.data(), result.bytes);
  return result.bytes;
}

long answer_write(Node& node, Opening* opening, UMockdevIoctlClient* client) {
  if (const int error = refusal(node, opening, ENODEV)) return -error;
  UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
  const auto length = static_cast<std::size_t>(std::max(buffer->data_len, 0));
  if (!hid_report_fits(length)) return -EINVAL;
  const std::size_t unsent = hid_unsent_id_bytes(buffer->data[0]);
  const IoResult result =
      write_interrupt(node.address, node.spec.interface_number, {buffer->data + unsent, length - unsent});
  // a device that leaves the bus on taking the report is gone from now on
  if (result.status == IoStatus::gone || !present(node.address)) node.gone = true;
  update_bell(node);
  return result.status == IoStatus::ok ? static_cast<long>(length) : -errno_of(result.status);
}

}  // namespace

gboolean hidraw_ioctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node) {
  return handle<answer_ioctl>(client, node);
}

gboolean hidraw_read(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node) {
  return handle<answer_read>(client, node);
}

gboolean hidraw_write(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node) {
  return handle<answer_write>(client, node);
}

}  // namespace sim::umock
