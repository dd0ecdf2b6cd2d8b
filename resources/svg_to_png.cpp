// Draws an SVG picture into a PNG of a given size with a transparent background.
// Used to redraw the committed cursor picture mano.png from mano.svg.
//   fondara_svg_to_png <picture.svg> <picture.png> <width> <height>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  bool width_ok = false;
  bool height_ok = false;
  const int width = args.size() == 5 ? args[3].toInt(&width_ok) : 0;
  const int height = args.size() == 5 ? args[4].toInt(&height_ok) : 0;
  if (!width_ok || !height_ok || width <= 0 || height <= 0) {
    std::fprintf(stderr,
                 "uso: fondara_svg_to_png <immagine.svg> <immagine.png> <larghezza> <altezza>\n");
    return 2;
  }
  QSvgRenderer renderer(args[1]);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "immagine SVG non leggibile: %s\n", qPrintable(args[1]));
    return 1;
  }
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  if (!image.convertToFormat(QImage::Format_ARGB32).save(args[2], "PNG")) {
    std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(args[2]));
    return 1;
  }
  return 0;
}
