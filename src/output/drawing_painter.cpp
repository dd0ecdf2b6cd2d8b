#include "output/drawing_painter.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace fondara::output {
namespace {

// Device units per metre.
double scale_of(const Drawing& drawing, const QRectF& area) {
  const double width = drawing.high.x - drawing.low.x;
  const double height = drawing.high.y - drawing.low.y;
  if (width <= 0 || height <= 0) return 0;
  return std::min(area.width() / width, area.height() / height);
}

// The device rectangle around the drawing's shapes.
QRectF shapes_box(const Drawing& drawing, const QRectF& area) {
  QPolygonF corners;
  for (const Shape& shape : drawing.shapes)
    for (const Point& point : shape.points) corners << place(drawing, area, point);
  return corners.boundingRect();
}

}  // namespace

QPointF place(const Drawing& drawing, const QRectF& area, Point point) {
  const double scale = scale_of(drawing, area);
  const Point middle{(drawing.low.x + drawing.high.x) / 2, (drawing.low.y + drawing.high.y) / 2};
  // y runs upward in the drawing, downward on the device.
  return area.center() + QPointF((point.x - middle.x) * scale, -(point.y - middle.y) * scale);
}

void paint_drawing(QPainter& painter, const Drawing& drawing, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double line = std::max(1.0, area.width() / 400);
  for (const Shape& shape : drawing.shapes) {
    QPolygonF polygon;
    for (const Point& point : shape.points) polygon << place(drawing, area, point);
    QPen pen(Qt::black, line, shape.stroke == Stroke::dashed ? Qt::DashLine : Qt::SolidLine);
    painter.setPen(pen);
    painter.setBrush(shape.stroke == Stroke::shaded ? QBrush(QColor(205, 205, 205)) : QBrush());
    painter.drawPolygon(polygon);
  }
  painter.setPen(QPen(Qt::black, 2 * line));
  const double arm = 6 * line;
  for (const Point& point : drawing.markers) {
    const QPointF at = place(drawing, area, point);
    painter.drawLine(at + QPointF(-arm, -arm), at + QPointF(arm, arm));
    painter.drawLine(at + QPointF(-arm, arm), at + QPointF(arm, -arm));
  }
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(painter.font());
  for (const Label& label : drawing.labels) {
    const QRectF box = label_box(drawing, area, label, metrics);
    painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()),
                     QString::fromStdString(label.text));
  }
  painter.restore();
}

QRectF label_box(const Drawing& drawing, const QRectF& area, const Label& label,
                 const QFontMetricsF& metrics) {
  const QPointF at = place(drawing, area, label.at);
  const double width = metrics.horizontalAdvance(QString::fromStdString(label.text));
  // The baseline half an ascent below the point: the capitals centred on it.
  QRectF box(at.x() - width / 2, at.y() - metrics.ascent() / 2, width, metrics.height());
  const QRectF shapes = shapes_box(drawing, area);
  if (!box.intersects(shapes)) return box;
  const double gap = metrics.height() / 4;
  const QPointF away = at - shapes.center();
  if (std::abs(away.x()) >= std::abs(away.y())) {
    if (away.x() < 0)
      box.moveRight(shapes.left() - gap);
    else
      box.moveLeft(shapes.right() + gap);
  } else if (away.y() > 0) {
    box.moveTop(shapes.bottom() + gap);
  } else {
    box.moveBottom(shapes.top() - gap);
  }
  return box;
}

}  // namespace fondara::output
