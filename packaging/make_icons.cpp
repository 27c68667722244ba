// make_icons: the window's icon at the sizes a desktop's icon theme looks
// for, as PNG files in the theme's layout, made from the window's own XPM
// images at build time so that the two never drift apart.
//
//   make_icons OUTPUT_DIR ICON_NAME IMAGE.xpm...
//
// writes OUTPUT_DIR/<N>x<N>/apps/ICON_NAME.png for each size. Each size is
// scaled from the largest image whose size divides it, pixel for pixel, so
// that the flag's edges stay sharp.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_icons OUTPUT_DIR ICON_NAME IMAGE.xpm...\n");
    return 2;
  }
  const QString outputDir = QString::fromLocal8Bit(argv[1]);
  const QString iconName = QString::fromLocal8Bit(argv[2]);
  std::vector<QImage> images;
  for (int i = 3; i < argc; ++i) {
    QImage image(QString::fromLocal8Bit(argv[i]));
    if (image.isNull() || image.width() != image.height()) {
      std::fprintf(stderr, "make_icons: %s is no square image\n", argv[i]);
      return 1;
    }
    images.push_back(image.convertToFormat(QImage::Format_ARGB32));
  }
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const QImage* source = nullptr;
    for (const auto& image : images) {
      if (size % image.width() == 0 && (!source || image.width() > source->width())) source = &image;
    }
    if (!source) {
      std::fprintf(stderr, "make_icons: no image whose size divides %d\n", size);
      return 1;
    }
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outputDir).arg(size);
    const QString file = QStringLiteral("%1/%2.png").arg(folder, iconName);
    if (!QDir().mkpath(folder) ||
        !source->scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(file, "PNG")) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
