#include "verifica/footing_plan_view.h"

#include <QPainter>
#include <algorithm>
#include <array>

#include "output/drawing_painter.h"

namespace fondara::verifica {

namespace {

// The legend's entries, each with a sample of the plan's strokes.
enum class Sample { outline, kern, area, load };
struct LegendEntry {
  Sample sample;
  const char* text;  // UTF-8
};
constexpr std::array<LegendEntry, 4> kLegend{{
    {Sample::outline, "fondazione B × L"},
    {Sample::kern, "nocciolo centrale"},
    {Sample::area, "area efficace B' × L'"},
    {Sample::load, "punto del carico"},
}};

void paint_sample(QPainter& painter, Sample sample, const QRectF& box) {
  painter.setPen(QPen(Qt::black, 1, sample == Sample::kern ? Qt::DashLine : Qt::SolidLine));
  painter.setBrush(sample == Sample::area ? QBrush(QColor(205, 205, 205)) : QBrush());
  if (sample != Sample::load) return painter.drawRect(box);
  painter.setPen(QPen(Qt::black, 2));
  painter.drawLine(box.topLeft(), box.bottomRight());
  painter.drawLine(box.bottomLeft(), box.topRight());
}

// The height of one line of the legend.
int legend_line(const QFontMetrics& metrics) {
  return metrics.height() + 4;
}

}  // namespace

FootingPlanView::FootingPlanView(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setAccessibleName(QStringLiteral("Pianta della fondazione"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void FootingPlanView::show_plan(std::optional<Drawing> plan, const QString& note) {
  plan_ = std::move(plan);
  note_ = note;
  setAccessibleDescription(note_);
  update();
}

int FootingPlanView::legend_columns() const {
  // Two entries on each line where both fit whole, else one under the other.
  const int line = legend_line(fontMetrics());
  int widest = 0;
  for (const LegendEntry& entry : kLegend)
    widest = std::max(widest, fontMetrics().horizontalAdvance(QString::fromUtf8(entry.text)));
  return 2 * (6 + line + widest + 8) <= contentsRect().width() ? 2 : 1;
}

int FootingPlanView::legend_height() const {
  const int rows = static_cast<int>(kLegend.size()) / legend_columns();
  return rows * legend_line(fontMetrics()) + 4;
}

QRectF FootingPlanView::drawing_area() const {
  // Room for the dimensions' labels, which stand beside the outline, B on its left and L below,
  // however small the plan comes out.
  const int line = fontMetrics().height();
  const int left = fontMetrics().horizontalAdvance(QStringLiteral("B = 00,00 m")) + line / 2;
  return QRectF(
      contentsRect().adjusted(left, line / 2, -line / 2, -line - line / 2 - legend_height()));
}

QSize FootingPlanView::minimumSizeHint() const {
  const int line = fontMetrics().height();
  return {10 * line, 5 * line + legend_height()};
}

QSize FootingPlanView::sizeHint() const {
  const int line = fontMetrics().height();
  return {22 * line, 12 * line + legend_height()};
}

void FootingPlanView::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  // A sheet of paper: the painter draws in black, which must stay legible on a dark palette.
  painter.fillRect(contentsRect(), Qt::white);
  painter.setFont(font());
  painter.setClipRect(contentsRect());
  paint_legend(painter);
  const QRectF area = drawing_area();
  if (plan_) output::paint_drawing(painter, *plan_, area);
  if (note_.isEmpty()) return;
  painter.setPen(Qt::black);
  // With a plan the note stands at its top, without one in its place.
  painter.drawText(
      area, (plan_ ? Qt::AlignTop | Qt::AlignHCenter : Qt::AlignCenter) | Qt::TextWordWrap, note_);
}

void FootingPlanView::paint_legend(QPainter& painter) const {
  const QRect room = contentsRect();
  const int line = legend_line(fontMetrics());
  const std::size_t columns = static_cast<std::size_t>(legend_columns());
  const int half = room.width() / static_cast<int>(columns);
  const int first_top = room.bottom() - legend_height() + 4;
  for (std::size_t i = 0; i < kLegend.size(); ++i) {
    const int left = room.left() + 6 + static_cast<int>(i % columns) * half;
    const int top = first_top + static_cast<int>(i / columns) * line;
    const QRectF box(left, top + 3, line - 6, line - 6);
    painter.save();
    paint_sample(painter, kLegend[i].sample, box);
    painter.restore();
    painter.setPen(Qt::black);
    painter.drawText(QRect(left + line, top, half - line - 8, line), Qt::AlignVCenter,
                     QString::fromUtf8(kLegend[i].text));
  }
}

}  // namespace fondara::verifica
