#include "verifica/footing_plan_view.h"

#include <QPainter>

#include "output/drawing_painter.h"

namespace fondara::verifica {

FootingPlanView::FootingPlanView(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setAccessibleName(QStringLiteral("Pianta della fondazione"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void FootingPlanView::show_plan(std::optional<Drawing> plan, const QString& note) {
  plan_ = std::move(plan);
  note_ = note;
  setAccessibleDescription(plan_ ? QString() : note_);
  update();
}

QRectF FootingPlanView::drawing_area() const {
  // Room for the dimensions' labels, which stand half outside the plan's extent.
  const int margin = fontMetrics().height() / 2;
  return QRectF(contentsRect().adjusted(margin, margin, -margin, -margin));
}

QSize FootingPlanView::minimumSizeHint() const {
  const int line = fontMetrics().height();
  return {16 * line, 11 * line};
}

QSize FootingPlanView::sizeHint() const {
  const int line = fontMetrics().height();
  return {24 * line, 15 * line};
}

void FootingPlanView::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  // A sheet of paper: the painter draws in black, which must stay legible on a dark palette.
  painter.fillRect(contentsRect(), Qt::white);
  painter.setFont(font());
  if (plan_) {
    output::paint_drawing(painter, *plan_, drawing_area());
    return;
  }
  painter.setPen(Qt::black);
  painter.drawText(drawing_area(), Qt::AlignCenter | Qt::TextWordWrap, note_);
}

}  // namespace fondara::verifica
