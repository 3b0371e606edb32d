#include "widgets/named_images.h"

#include <QFile>
#include <QImageReader>

// The resources live in a static library: register them here, so that they
// are there even when nothing else pulled their object file into the program.
// (Q_INIT_RESOURCE must be used outside any namespace.)
static bool register_resources() {
  Q_INIT_RESOURCE(resources);
  return true;
}

namespace widgets {

QPixmap named_image(const std::string& file_name) {
  static const bool k_registered = register_resources();
  (void)k_registered;
  if (file_name.empty()) return QPixmap();
  const QString path = QStringLiteral(":/images/") + QString::fromStdString(file_name);
  if (!QFile::exists(path)) return QPixmap();
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  return QPixmap::fromImage(reader.read());
}

}  // namespace widgets
