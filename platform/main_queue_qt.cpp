#include "platform/main_queue_qt.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include "platform/main_queue.h"

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace platform {

namespace {

// A task on its way through Qt's event queue. Qt hands a queued call from the
// posting thread to the main thread behind a futex lock, and whichever thread
// drops the last reference destroys it (the poster, when the main thread was
// quicker); ThreadSanitizer sees neither. Under it, each move of the task and
// the end of its run announce what that thread wrote (release), and the run and
// the destruction take that in first (acquire). Without the sanitizer these are
// plain moves.
class QueuedTask {
 public:
  explicit QueuedTask(Task task) : m_task(std::move(task)) { release(); }
  QueuedTask(QueuedTask&& other) noexcept : m_task(std::move(other.m_task)) { release(); }
  QueuedTask(const QueuedTask&) = delete;
  QueuedTask& operator=(const QueuedTask&) = delete;
  QueuedTask& operator=(QueuedTask&&) = delete;
  ~QueuedTask() { acquire(); }

  void operator()() {
    acquire();
    m_task();
    release();
  }

 private:
#if defined(__SANITIZE_THREAD__)
  void release() { __tsan_release(this); }
  void acquire() { __tsan_acquire(this); }
#else
  void release() {}
  void acquire() {}
#endif

  Task m_task;
};

}  // namespace

void install_qt_main_dispatcher() {
  install_main_dispatcher(
      [](Task task) {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) {
          task();
          return;
        }
        QMetaObject::invokeMethod(app, QueuedTask(std::move(task)), Qt::QueuedConnection);
      },
      [] {
        QCoreApplication* app = QCoreApplication::instance();
        return !app || QThread::currentThread() == app->thread();
      });
}

}  // namespace platform
