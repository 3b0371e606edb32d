#pragma once
// Connects platform::post_to_main to the Qt event loop of the running
// QApplication. Call once on the main thread after the QApplication exists.

namespace platform {
void install_qt_main_dispatcher();
}
