#include "app/pictures.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QSvgRenderer>

namespace fondara::app {

namespace {

const QString principale_resource = QStringLiteral(":/fondara/icona-principale.svg");
const QString calcolo_resource = QStringLiteral(":/fondara/icona-calcolo.svg");
const QString sezione_resource = QStringLiteral(":/fondara/sezione.svg");
const QString mano_resource = QStringLiteral(":/fondara/mano.png");

constexpr QSize sezione_size(113, 130);

QPixmap drawn_icon(bool calcolo) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(0, 160, 0));
  p.drawRect(2, 24, 27, 6);  // base
  p.setBrush(QColor(255, 255, 0));
  p.drawRect(10, 3, 11, 21);  // upright block
  if (calcolo) {
    // The load on the block.
    p.setPen(QPen(QColor(192, 0, 0), 2));
    p.drawLine(15, 7, 15, 18);
    p.setBrush(QColor(192, 0, 0));
    p.drawPolygon(QPolygon({QPoint(11, 15), QPoint(20, 15), QPoint(15, 21)}));
  }
  return pixmap;
}

QIcon icon_or(const QString& resource, bool calcolo) {
  if (QFile::exists(resource)) {
    QIcon icon(resource);
    if (!icon.isNull() && !icon.pixmap(32, 32).isNull()) return icon;
  }
  return QIcon(drawn_icon(calcolo));
}

void arrow_head(QPainter& p, QPoint tip, int dx, int dy) {
  // A small filled head pointing along (dx, dy), a unit step of one axis.
  const QPoint side(dy * 3, dx * 3);
  const QPoint back(-dx * 5, -dy * 5);
  p.drawPolygon(QPolygon({tip, tip + back + side, tip + back - side}));
}

QPixmap drawn_sezione() {
  QPixmap pixmap(sezione_size);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  const int surface = 30;  // top of the backfill
  const int plane = 84;    // foundation plane
  // Foundation soil and backfill.
  p.fillRect(0, plane, 113, 130 - plane, QColor(222, 196, 150));
  p.fillRect(0, surface, 113, plane - surface, QColor(240, 226, 190));
  p.setPen(QPen(QColor(120, 90, 40), 1, Qt::DashLine));
  p.drawLine(0, plane, 112, plane);
  p.setPen(QPen(QColor(120, 90, 40), 1));
  p.drawLine(0, surface, 112, surface);
  // The footing: slab and pier.
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(0, 170, 0));
  p.drawRect(26, 70, 56, 14);
  p.drawRect(47, 8, 14, 62);
  // H: from the foundation plane to the top of the backfill.
  p.setBrush(Qt::black);
  p.drawLine(95, surface + 1, 95, plane - 1);
  arrow_head(p, QPoint(95, surface + 1), 0, -1);
  arrow_head(p, QPoint(95, plane - 1), 0, 1);
  // B: the width of the slab.
  p.drawLine(27, 92, 81, 92);
  arrow_head(p, QPoint(27, 92), -1, 0);
  arrow_head(p, QPoint(81, 92), 1, 0);
  QFont symbols(QStringLiteral("Liberation Sans"));
  symbols.setPixelSize(11);
  symbols.setBold(true);
  p.setFont(symbols);
  p.drawText(QRect(99, 50, 14, 14), Qt::AlignCenter, QStringLiteral("H"));
  p.drawText(QRect(47, 93, 14, 12), Qt::AlignCenter, QStringLiteral("B"));
  p.drawText(QRect(4, 48, 20, 14), Qt::AlignLeft, QStringLiteral("G1"));
  p.drawText(QRect(8, 100, 14, 14), Qt::AlignLeft, QStringLiteral("G"));
  QFont words(QStringLiteral("Liberation Sans"));
  words.setPixelSize(9);
  p.setFont(words);
  p.drawText(QRect(2, surface - 12, 60, 11), Qt::AlignLeft, QStringLiteral("rinterro"));
  p.drawText(QRect(2, 116, 111, 12), Qt::AlignLeft, QStringLiteral("terreno fondazione"));
  return pixmap;
}

QPixmap drawn_mano() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  // Pointing finger with its tip at (12, 1), then the closed fingers and the palm.
  QPainterPath hand;
  hand.moveTo(10, 3);
  hand.quadTo(12, 0, 14, 3);
  hand.lineTo(14, 13);
  hand.lineTo(22, 13);
  hand.quadTo(25, 14, 25, 17);
  hand.lineTo(24, 24);
  hand.lineTo(9, 24);
  hand.lineTo(4, 16);
  hand.quadTo(5, 14, 7, 15);
  hand.lineTo(10, 18);
  hand.closeSubpath();
  p.drawPath(hand);
  p.drawLine(18, 13, 18, 17);
  p.drawLine(22, 13, 22, 17);
  p.setBrush(QColor(0, 0, 200));
  p.drawRect(9, 24, 15, 5);  // cuff
  return pixmap;
}

}  // namespace

QIcon icona_principale() {
  return icon_or(principale_resource, false);
}

QIcon icona_calcolo() {
  return icon_or(calcolo_resource, true);
}

QPixmap sezione_fondazione() {
  if (QFile::exists(sezione_resource)) {
    QSvgRenderer renderer(sezione_resource);
    if (renderer.isValid()) {
      QPixmap pixmap(sezione_size);
      pixmap.fill(Qt::white);
      QPainter p(&pixmap);
      renderer.render(&p);
      return pixmap;
    }
  }
  return drawn_sezione();
}

QCursor mano() {
  QPixmap pixmap(mano_resource);
  if (pixmap.isNull()) pixmap = drawn_mano();
  return QCursor(pixmap, 12, 1);
}

}  // namespace fondara::app
