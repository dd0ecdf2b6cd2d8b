// Draws a Drawing (core/drawing.h) to scale with a QPainter: on the printed report's page and
// in a window. Thin black outlines, dashed construction lines and a light grey shaded area,
// so that it reads the same in black and white.
#pragma once

#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>

#include "core/drawing.h"

namespace fondara::output {

// Draws `drawing` in `area` (device coordinates), its extent fitted and centred, the same
// scale along both axes; labels in the painter's font.
void paint_drawing(QPainter& painter, const Drawing& drawing, const QRectF& area);

// The place in `area` of a point of the drawing, as paint_drawing puts it.
QPointF place(const Drawing& drawing, const QRectF& area, Point point);

// Where paint_drawing writes `label` in `area` with `metrics`: centred on its point, or, where
// that would cross the drawing's shapes (a small area), moved out beside them on the label's
// side, a quarter of a line away.
QRectF label_box(const Drawing& drawing, const QRectF& area, const Label& label,
                 const QFontMetricsF& metrics);

}  // namespace fondara::output
