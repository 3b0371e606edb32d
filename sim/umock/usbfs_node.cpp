// A usbfs node (/dev/bus/usb/BBB/DDD) as the kernel's usbfs driver presents
// it. libusb-1.0 submits URBs (SUBMITURB), reaps them without waiting
// (REAPURBNDELAY) and cancels them (DISCARDURB); libusb-0.1 scans the node
// (CONNECTINFO and a read of the descriptors, which fall through to the node's
// contents) and uses the synchronous CONTROL and BULK requests. Both claim and
// release interfaces and take them from the kernel's driver. Standard
// GET_DESCRIPTOR requests are answered from the device's descriptors, as the
// device's own firmware would; every other transfer goes to the model.
//
// The node is a plain file, so poll() always finds it ready: libusb's event
// handling reaps after every wait instead of when a URB completes, and a URB
// completes as the device answers all the same.
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <optional>

#include "sim/umock/nodes.h"

namespace sim::umock {

namespace {

constexpr std::uint8_t k_get_descriptor = 0x06;
constexpr std::uint8_t k_set_configuration = 0x09;
constexpr std::uint8_t k_set_interface = 0x0B;
constexpr std::uint8_t k_descriptor_device = 1;
constexpr std::uint8_t k_descriptor_configuration = 2;
constexpr std::uint8_t k_descriptor_string = 3;
constexpr std::size_t k_setup_bytes = 8;
constexpr std::size_t k_device_descriptor_bytes = 18;
constexpr unsigned k_speed_full = 2;  // USB_SPEED_FULL
// What the node's usbfs can do: URBs of any length, continued bulk reads.
constexpr std::uint32_t k_capabilities = USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM;

UMockdevIoctlData* argument(UMockdevIoctlClient* client, std::size_t length) {
  return umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, length, nullptr);
}

// An ioctl's pointer argument read as a value of T, or none.
template <class T>
std::optional<T> read_argument(UMockdevIoctlClient* client) {
  UMockdevIoctlData* data = argument(client, sizeof(T));
  if (data == nullptr) return std::nullopt;
  T value;
  std::memcpy(&value, data->data, sizeof value);
  g_object_unref(data);
  return value;
}

// Writes `value` through an ioctl's pointer argument.
template <class T>
long write_argument(UMockdevIoctlClient* client, const T& value) {
  UMockdevIoctlData* data = argument(client, sizeof(T));
  if (data == nullptr) return -EFAULT;
  std::memcpy(data->data, &value, sizeof value);
  g_object_unref(data);
  return 0;
}

std::vector<std::uint8_t> string_descriptor(const Node& node, std::uint8_t index) {
  if (index == 0) return {4, k_descriptor_string, 0x09, 0x04};  // US English
  const DeviceDescriptor& device = node.identity.descriptor;
  const std::string* text = index == 1 ? &device.manufacturer : index == 2 ? &device.product
                            : index == 3 ? &device.serial_number : nullptr;
  if (text == nullptr) return {};
  std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(2 + 2 * text->size()), k_descriptor_string};
  for (unsigned char c : *text) bytes.insert(bytes.end(), {c, 0});
  return bytes;
}

// The standard requests the device's firmware answers from its descriptors;
// none for a request the model answers.
std::optional<IoResult> standard_request(const Node& node, const ControlSetup& setup, std::span<std::uint8_t> data) {
  if ((setup.request_type & 0x60) != 0) return std::nullopt;  // class or vendor request
  if (setup.request == k_set_configuration || setup.request == k_set_interface) return IoResult{IoStatus::ok, 0};
  if (setup.request != k_get_descriptor || !setup.device_to_host()) return std::nullopt;
  std::vector<std::uint8_t> descriptor;
  const auto type = static_cast<std::uint8_t>(setup.value >> 8);
  if (type == k_descriptor_device) {
    descriptor.assign(node.descriptors.begin(), node.descriptors.begin() + k_device_descriptor_bytes);
  } else if (type == k_descriptor_configuration && (setup.value & 0xFF) == 0 && !node.descriptors_unreadable) {
    descriptor.assign(node.descriptors.begin() + k_device_descriptor_bytes, node.descriptors.end());
  } else if (type == k_descriptor_string) {
    descriptor = string_descriptor(node, static_cast<std::uint8_t>(setup.value & 0xFF));
  }
  if (descriptor.empty()) return IoResult{IoStatus::stalled};
  const std::size_t copied = std::min({descriptor.size(), data.size(), static_cast<std::size_t>(setup.length)});
  std::copy_n(descriptor.begin(), copied, data.begin());
  return IoResult{IoStatus::ok, static_cast<int>(copied)};
}

IoResult device_control(const Node& node, const ControlSetup& setup, std::span<std::uint8_t> data) {
  if (const std::optional<IoResult> answered = standard_request(node, setup, data)) return *answered;
  return control_transfer(node.address, setup, data);
}

ControlSetup setup_of(std::span<const std::uint8_t> packet) {
  ControlSetup setup;
  setup.request_type = packet[0];
  setup.request = packet[1];
  setup.value = static_cast<std::uint16_t>(packet[2] | packet[3] << 8);
  setup.index = static_cast<std::uint16_t>(packet[4] | packet[5] << 8);
  setup.length = static_cast<std::uint16_t>(packet[6] | packet[7] << 8);
  return setup;
}

// The URB status the host controller gives a transfer that ended so.
int urb_status_of(IoStatus status) {
  switch (status) {
    case IoStatus::ok: return 0;
    case IoStatus::gone: return -ESHUTDOWN;
    case IoStatus::stalled: return -EPIPE;
    case IoStatus::timed_out: return -ETIMEDOUT;
    default: return -EPROTO;
  }
}

std::span<std::uint8_t> bytes_of(UMockdevIoctlData* data) {
  if (data == nullptr) return {};
  return {data->data, static_cast<std::size_t>(std::max(data->data_len, 0))};
}

void release(Urb& urb) {
  if (urb.buffer != nullptr) g_object_unref(urb.buffer);
  if (urb.urb != nullptr) g_object_unref(urb.urb);
  urb = {};
}

void release(HeldRequest& held) {
  if (held.data != nullptr) g_object_unref(held.data);
  if (held.transfer != nullptr) g_object_unref(held.transfer);
  g_object_unref(held.client);
}

// Takes input for the IN URBs waiting on the device, oldest first on each endpoint.
void serve_in_urbs(Node& node, UsbfsOpening& usbfs) {
  std::set<std::uint8_t> waiting_endpoints;
  for (auto urb = usbfs.pending.begin(); urb != usbfs.pending.end();) {
    IoResult result{IoStatus::gone};
    if (!node.gone) {
      if (waiting_endpoints.contains(urb->endpoint)) {
        ++urb;
        continue;
      }
      result = take_input(node.address, interface_of_endpoint(node.identity, urb->endpoint), bytes_of(urb->buffer));
    }
    if (result.status == IoStatus::timed_out) {
      waiting_endpoints.insert(urb->endpoint);
      ++urb;
      continue;
    }
    urb->status = urb_status_of(result.status);
    urb->actual_length = result.status == IoStatus::ok ? result.bytes : 0;
    usbfs.completed.push_back(*urb);
    urb = usbfs.pending.erase(urb);
  }
}

// Hands the oldest completed URB to a reap: its status and length go into the
// program's urb, and the reap's argument points at it.
long reap_completed(UsbfsOpening& usbfs, UMockdevIoctlClient* client) {
  Urb urb = usbfs.completed.front();
  usbfs.completed.pop_front();
  auto* fields = reinterpret_cast<usbdevfs_urb*>(urb.urb->data);
  fields->status = urb.status;
  fields->actual_length = urb.actual_length;
  UMockdevIoctlData* pointer = argument(client, sizeof(void*));
  if (pointer == nullptr) {
    release(urb);
    return -EFAULT;
  }
  umockdev_ioctl_data_set_ptr(pointer, 0, urb.urb);
  g_object_unref(pointer);
  release(urb);
  return 0;
}

long submit(Node& node, UsbfsOpening& usbfs, UMockdevIoctlClient* client) {
  Urb urb;
  urb.urb = argument(client, sizeof(usbdevfs_urb));
  if (urb.urb == nullptr) return -EFAULT;
  const usbdevfs_urb fields = *reinterpret_cast<usbdevfs_urb*>(urb.urb->data);
  urb.address = urb.urb->client_addr;
  urb.type = fields.type;
  urb.endpoint = fields.endpoint;
  if (fields.buffer_length > 0) {
    urb.buffer = umockdev_ioctl_data_resolve(urb.urb, offsetof(usbdevfs_urb, buffer),
                                             static_cast<std::size_t>(fields.buffer_length), nullptr);
  }
  const std::span<std::uint8_t> buffer = bytes_of(urb.buffer);
  const bool in = (fields.endpoint & 0x80) != 0;
  long result = 0;
  if (fields.type == USBDEVFS_URB_TYPE_CONTROL) {
    if (buffer.size() < k_setup_bytes) {
      result = -EINVAL;
    } else {
      const ControlSetup setup = setup_of(buffer);
      const IoResult answer = device_control(node, setup, buffer.subspan(k_setup_bytes));
      urb.status = urb_status_of(answer.status);
      urb.actual_length = answer.status == IoStatus::ok ? answer.bytes : 0;
      usbfs.completed.push_back(urb);
      return 0;
    }
  } else if (fields.type != USBDEVFS_URB_TYPE_INTERRUPT && fields.type != USBDEVFS_URB_TYPE_BULK) {
    result = -EINVAL;
  } else if (interface_of_endpoint(node.identity, fields.endpoint) < 0) {
    result = -ENOENT;
  } else if (in) {
    usbfs.pending.push_back(urb);
    serve_in_urbs(node, usbfs);
    return 0;
  } else {
    const IoResult answer = write_interrupt(node.address, interface_of_endpoint(node.identity, fields.endpoint), buffer);
    urb.status = urb_status_of(answer.status);
    urb.actual_length = answer.status == IoStatus::ok ? answer.bytes : 0;
    usbfs.completed.push_back(urb);
    return 0;
  }
  release(urb);
  return result;
}

long reap(Node& node, UsbfsOpening& usbfs, UMockdevIoctlClient* client, bool wait) {
  serve_in_urbs(node, usbfs);
  if (!usbfs.completed.empty()) return reap_completed(usbfs, client);
  if (node.gone) return -ENODEV;
  if (!wait) return -EAGAIN;
  usbfs.reaps.push_back({static_cast<UMockdevIoctlClient*>(g_object_ref(client))});
  return k_held;
}

// A URB still waiting is given back cancelled (-ENOENT); one that has
// completed can no longer be discarded.
long discard(UsbfsOpening& usbfs, UMockdevIoctlClient* client) {
  const unsigned long address = *reinterpret_cast<unsigned long*>(umockdev_ioctl_client_get_arg(client)->data);
  const auto urb = std::find_if(usbfs.pending.begin(), usbfs.pending.end(),
                                [address](const Urb& pending) { return pending.address == address; });
  if (urb == usbfs.pending.end()) return -EINVAL;
  urb->status = -ENOENT;
  urb->actual_length = 0;
  usbfs.completed.push_back(*urb);
  usbfs.pending.erase(urb);
  return 0;
}

bool has_interface(const Node& node, int interface_number) {
  const Identity& identity = node.identity;
  const auto is = [&](const auto& interface) { return interface && interface->interface_number == interface_number; };
  return is(identity.bluecore) || is(identity.dfu) ||
         std::any_of(identity.hid.begin(), identity.hid.end(),
                     [&](const HidCollection& collection) { return collection.interface_number == interface_number; });
}

const char* bound_driver(const Node& node, int interface_number) {
  if (node.detached.contains(interface_number)) return nullptr;
  return kernel_driver(node.identity, interface_number);
}

long claim(Node& node, UsbfsOpening& usbfs, int interface_number) {
  if (!has_interface(node, interface_number)) return -ENOENT;
  if (usbfs.claimed.contains(interface_number)) return 0;
  if (bound_driver(node, interface_number) != nullptr) return -EBUSY;
  if (const int error = claim_interface(node.address, interface_number)) return -error;
  usbfs.claimed.insert(interface_number);
  return 0;
}

long detach_driver(Node& node, int interface_number) {
  if (bound_driver(node, interface_number) == nullptr) return -ENODATA;
  node.detached.insert(interface_number);
  return 0;
}

// USBDEVFS_IOCTL: the requests to the driver of an interface.
long driver_request(Node& node, UMockdevIoctlClient* client) {
  const std::optional<usbdevfs_ioctl> request = read_argument<usbdevfs_ioctl>(client);
  if (!request) return -EFAULT;
  if (request->ioctl_code == USBDEVFS_DISCONNECT) return detach_driver(node, request->ifno);
  if (request->ioctl_code == USBDEVFS_CONNECT) {
    node.detached.erase(request->ifno);
    return 0;
  }
  return -ENOTTY;
}

// Lets go of the interface's driver and claims it in one request. The kernel
// looks the interface up first: a missing one is EINVAL here, not ENOENT.
long disconnect_claim(Node& node, UsbfsOpening& usbfs, UMockdevIoctlClient* client) {
  const std::optional<usbdevfs_disconnect_claim> request = read_argument<usbdevfs_disconnect_claim>(client);
  if (!request) return -EFAULT;
  const auto interface_number = static_cast<int>(request->interface);
  if (!has_interface(node, interface_number)) return -EINVAL;
  if (const char* driver = bound_driver(node, interface_number)) {
    const bool named = std::strncmp(driver, request->driver, sizeof request->driver) == 0;
    if ((request->flags & USBDEVFS_DISCONNECT_CLAIM_IF_DRIVER) != 0 && !named) return -EBUSY;
    if ((request->flags & USBDEVFS_DISCONNECT_CLAIM_EXCEPT_DRIVER) != 0 && named) return -EBUSY;
    node.detached.insert(interface_number);
  }
  // a model that refuses the claim with ENOENT lacks the interface
  const long result = claim(node, usbfs, interface_number);
  return result == -ENOENT ? -EINVAL : result;
}

long get_driver(Node& node, UMockdevIoctlClient* client) {
  UMockdevIoctlData* data = argument(client, sizeof(usbdevfs_getdriver));
  if (data == nullptr) return -EFAULT;
  auto* request = reinterpret_cast<usbdevfs_getdriver*>(data->data);
  const char* driver = bound_driver(node, static_cast<int>(request->interface));
  if (driver != nullptr) std::snprintf(request->driver, sizeof request->driver, "%s", driver);
  g_object_unref(data);
  return driver != nullptr ? 0 : -ENODATA;
}

// USBDEVFS_CONTROL: one control transfer, the program waiting.
long control(Node& node, UMockdevIoctlClient* client) {
  UMockdevIoctlData* data = argument(client, sizeof(usbdevfs_ctrltransfer));
  if (data == nullptr) return -EFAULT;
  const usbdevfs_ctrltransfer request = *reinterpret_cast<usbdevfs_ctrltransfer*>(data->data);
  UMockdevIoctlData* stage = request.wLength == 0 ? nullptr
                             : umockdev_ioctl_data_resolve(data, offsetof(usbdevfs_ctrltransfer, data), request.wLength, nullptr);
  ControlSetup setup;
  setup.request_type = request.bRequestType;
  setup.request = request.bRequest;
  setup.value = request.wValue;
  setup.index = request.wIndex;
  setup.length = request.wLength;
  const IoResult result = device_control(node, setup, bytes_of(stage));
  if (stage != nullptr) g_object_unref(stage);
  g_object_unref(data);
  return result.status == IoStatus::ok ? result.bytes : -errno_of(result.status);
}

// USBDEVFS_BULK: a bulk or interrupt transfer, the program waiting; a read
// the device has nothing for is held until input comes or its time-out ends.
long bulk(Node& node, UsbfsOpening& usbfs, UMockdevIoctlClient* client) {
  UMockdevIoctlData* transfer = argument(client, sizeof(usbdevfs_bulktransfer));
  if (transfer == nullptr) return -EFAULT;
  const usbdevfs_bulktransfer request = *reinterpret_cast<usbdevfs_bulktransfer*>(transfer->data);
  const int interface_number = interface_of_endpoint(node.identity, static_cast<std::uint8_t>(request.ep));
  UMockdevIoctlData* data = request.len == 0 ? nullptr
                            : umockdev_ioctl_data_resolve(transfer, offsetof(usbdevfs_bulktransfer, data), request.len, nullptr);
  long result = 0;
  if (interface_number < 0) {
    result = -ENOENT;
  } else if ((request.ep & 0x80) == 0) {
    const IoResult written = write_interrupt(node.address, interface_number, bytes_of(data));
    result = written.status == IoStatus::ok ? written.bytes : -errno_of(written.status);
  } else {
    const IoResult read = take_input(node.address, interface_number, bytes_of(data));
    if (read.status == IoStatus::timed_out) {
      const auto limit = std::chrono::milliseconds(request.timeout == 0 ? 60000 : request.timeout);
      usbfs.reads.push_back({static_cast<UMockdevIoctlClient*>(g_object_ref(client)), transfer, data,
                             std::chrono::steady_clock::now() + limit});
      return k_held;
    }
    result = read.status == IoStatus::ok ? read.bytes : -errno_of(read.status);
  }
  if (data != nullptr) g_object_unref(data);
  g_object_unref(transfer);
  return result;
}

long answer_ioctl(Node& node, Opening* opening, UMockdevIoctlClient* client) {
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  if (opening == nullptr) return -EBADF;
  // what the kernel answers from what it knows of the device
  switch (request) {
    case USBDEVFS_CONNECTINFO:
      return write_argument(client, usbdevfs_connectinfo{static_cast<unsigned>(node.device_number), 0});
    case USBDEVFS_GET_CAPABILITIES:
      return write_argument(client, k_capabilities);
    case USBDEVFS_GET_SPEED:
      return node.gone ? -ENODEV : k_speed_full;
    case USBDEVFS_GETDRIVER:
      return node.gone ? -ENODEV : get_driver(node, client);
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
      return reap(node, opening->usbfs, client, request == USBDEVFS_REAPURB);
    case USBDEVFS_DISCARDURB:
      return discard(opening->usbfs, client);
  }
  if (const int error = refusal(node, opening, ENODEV)) return -error;
  UsbfsOpening& usbfs = opening->usbfs;
  switch (request) {
    case USBDEVFS_SUBMITURB:
      return submit(node, usbfs, client);
    case USBDEVFS_CONTROL:
      return control(node, client);
    case USBDEVFS_BULK:
      return bulk(node, usbfs, client);
    case USBDEVFS_CLAIMINTERFACE: {
      const std::optional<unsigned> interface_number = read_argument<unsigned>(client);
      return interface_number ? claim(node, usbfs, static_cast<int>(*interface_number)) : -EFAULT;
    }
    case USBDEVFS_RELEASEINTERFACE: {
      const std::optional<unsigned> interface_number = read_argument<unsigned>(client);
      if (!interface_number) return -EFAULT;
      return usbfs.claimed.erase(static_cast<int>(*interface_number)) != 0 ? 0 : -EINVAL;
    }
    case USBDEVFS_DISCONNECT_CLAIM:
      return disconnect_claim(node, usbfs, client);
    case USBDEVFS_IOCTL:
      return driver_request(node, client);
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESETEP:
      return 0;
    case USBDEVFS_RESET:
      return reset_device(node.address) == IoStatus::ok ? 0 : -ENODEV;
  }
  return -ENOTTY;
}

}  // namespace

UsbfsOpening::~UsbfsOpening() {
  for (Urb& urb : pending) release(urb);
  for (Urb& urb : completed) release(urb);
  for (HeldRequest& held : reaps) release(held);
  for (HeldRequest& held : reads) release(held);
}

gboolean usbfs_ioctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer node) {
  return handle<answer_ioctl>(client, node);
}

void usbfs_pass(Node& node) {
  const auto now = std::chrono::steady_clock::now();
  for (Opening* opening : node.openings) {
    UsbfsOpening& usbfs = opening->usbfs;
    serve_in_urbs(node, usbfs);
    while (!usbfs.reaps.empty() && (!usbfs.completed.empty() || node.gone)) {
      HeldRequest held = usbfs.reaps.front();
      usbfs.reaps.erase(usbfs.reaps.begin());
      complete(held.client, usbfs.completed.empty() ? -ENODEV : reap_completed(usbfs, held.client));
      release(held);
    }
    for (auto held = usbfs.reads.begin(); held != usbfs.reads.end();) {
      const auto transfer = *reinterpret_cast<usbdevfs_bulktransfer*>(held->transfer->data);
      const int interface_number = interface_of_endpoint(node.identity, static_cast<std::uint8_t>(transfer.ep));
      const IoResult read = node.gone ? IoResult{IoStatus::gone}
                                      : take_input(node.address, interface_number, bytes_of(held->data));
      if (read.status == IoStatus::timed_out && now < held->deadline) {
        ++held;
        continue;
      }
      complete(held->client, read.status == IoStatus::ok ? read.bytes : -errno_of(read.status));
      release(*held);
      held = usbfs.reads.erase(held);
    }
  }
}

}  // namespace sim::umock
