// FootingPlanView: the plan of the footing in the verification window, drawn to scale by the
// painter of the printed report (output::paint_drawing) on a white sheet with black lines,
// whatever the palette; without a plan, a short note of what it waits for. form_verifica
// gives it the plan of the selected combination whenever the values change.
#pragma once

#include <QFrame>
#include <QString>
#include <optional>

#include "core/drawing.h"

namespace fondara::verifica {

class FootingPlanView : public QFrame {
 public:
  explicit FootingPlanView(QWidget* parent);

  // Shows `plan`, or `note` in its place when there is none.
  void show_plan(std::optional<Drawing> plan, const QString& note = {});
  const std::optional<Drawing>& plan() const { return plan_; }

  // The area the plan is fitted into, in the widget's coordinates.
  QRectF drawing_area() const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<Drawing> plan_;
  QString note_;
};

}  // namespace fondara::verifica
