#include "window/pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace fondara::gui {

namespace {

// Renders an SVG resource at the screen's pixel ratio, so that it stays crisp at
// 200 % scaling.
QPixmap render_svg(const QString& resource, QSize size, const QColor& background) {
  const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(background);
  QSvgRenderer renderer(resource);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

}  // namespace

QIcon icona_principale() {
  return QIcon(QStringLiteral(":/fondara/icona-principale.svg"));
}

QIcon icona_calcolo() {
  return QIcon(QStringLiteral(":/fondara/icona-calcolo.svg"));
}

QPixmap sezione_fondazione() {
  return render_svg(QStringLiteral(":/fondara/sezione.svg"), QSize(113, 130), Qt::white);
}

QCursor mano() {
  return QCursor(QPixmap(QStringLiteral(":/fondara/mano.png")), 12, 1);
}

}  // namespace fondara::gui
