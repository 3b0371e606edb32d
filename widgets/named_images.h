#pragma once
// Pictures of the application, looked up by their exact (case-sensitive)
// file names among the resources.
#include <QPixmap>
#include <string>

namespace widgets {

// Resource names of the two header symbols: no device, firmware-management mode.
inline constexpr char k_image_no_device[] = "stop_progress_template.png";
inline constexpr char k_image_firmware_management[] = "lock_locked_template.png";
// The application image (message box, about sheet) and the title image.
inline constexpr char k_image_application[] = "verrano.icns";
inline constexpr char k_image_title[] = "verrano_bg.bmp";

// The picture `file_name`; a null pixmap when there is none. The data is
// recognized by its content, whatever the name's extension says.
QPixmap named_image(const std::string& file_name);

}  // namespace widgets
