// FootingPlanView: the plan of the footing under the selected check in the verification
// window, drawn to scale by the painter of the printed report (output::paint_drawing) on a
// white sheet with black lines, whatever the palette, with a legend below it (the footing,
// the central kern, the effective area, the load point); without a plan, a short note of what
// it waits for. form_verifica gives it the plan of the selected check.
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

  // The area the plan is fitted into, in the widget's coordinates: above the legend.
  QRectF drawing_area() const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paint_legend(QPainter& painter) const;
  int legend_columns() const;
  int legend_height() const;

  std::optional<Drawing> plan_;
  QString note_;
};

}  // namespace fondara::verifica
