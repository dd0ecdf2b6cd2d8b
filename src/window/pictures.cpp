#include "window/pictures.h"

#include <QGuiApplication>
#include <QImage>

#include "picture_data.h"

namespace fondara::window {

namespace {

// The pixels are read-only data of the program; QImage reads them in place.
QImage image_of(const picture_data::Picture& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                picture.format);
}

template <std::size_t sizes>
QIcon icon_of(const picture_data::Picture (&pictures)[sizes]) {
  QIcon icon;
  for (const picture_data::Picture& picture : pictures)
    icon.addPixmap(QPixmap::fromImage(image_of(picture)));
  return icon;
}

}  // namespace

QIcon icona_principale() {
  return icon_of(picture_data::icona_principale);
}

QIcon icona_calcolo() {
  return icon_of(picture_data::icona_calcolo);
}

QPixmap sezione_fondazione() {
  // Drawn at pixel ratio 1 and 2; another ratio scales the nearer drawing smoothly.
  const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
  const QImage drawn = image_of(picture_data::sezione[ratio > 1 ? 1 : 0]);
  const QSize size(picture_data::sezione[0].width, picture_data::sezione[0].height);
  QPixmap pixmap = QPixmap::fromImage(
      ratio == 1 || ratio == 2
          ? drawn
          : drawn.scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  pixmap.setDevicePixelRatio(ratio);
  return pixmap;
}

QCursor mano() {
  return QCursor(QPixmap::fromImage(image_of(picture_data::mano[0])), 12, 1);
}

}  // namespace fondara::window
