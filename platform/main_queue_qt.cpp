#include "platform/main_queue_qt.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include "platform/main_queue.h"

namespace platform {

void install_qt_main_dispatcher() {
  install_main_dispatcher(
      [](Task task) {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) {
          task();
          return;
        }
        QMetaObject::invokeMethod(app, [task = std::move(task)]() { task(); }, Qt::QueuedConnection);
      },
      [] {
        QCoreApplication* app = QCoreApplication::instance();
        return !app || QThread::currentThread() == app->thread();
      });
}

}  // namespace platform
