// Build-time tool: writes the application picture at the sizes of the
// freedesktop icon theme, as OUTPUT/NxN/apps/NAME.png for each size N.
//   scale_icon SOURCE.png NAME OUTPUT N...
#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: scale_icon SOURCE.png NAME OUTPUT SIZE...\n");
    return 2;
  }
  // the picture is PNG whatever its file name ends with
  QImage source;
  if (!source.load(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "scale_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString name = QString::fromLocal8Bit(argv[2]);
  const QString output = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0) {
      std::fprintf(stderr, "scale_icon: not a size: %s\n", argv[i]);
      return 2;
    }
    const QString folder = QString("%1/%2x%2/apps").arg(output).arg(size);
    const QImage scaled = source.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!QDir().mkpath(folder) || !scaled.save(folder + "/" + name + ".png", "PNG")) {
      std::fprintf(stderr, "scale_icon: cannot write the %dx%d icon in %s\n", size, size, qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
