#include "window/calculation_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>

#include "report/save_print.h"
#include "window/pictures.h"
#include "window/toolkit.h"
#include "window/window_registry.h"

namespace fondara::gui {

namespace {

// Fixed tool-window frame: title and close box only, not in the task bar.
constexpr Qt::WindowFlags calculation_window_flags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

QString qt_text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

}  // namespace

CalculationWindow::CalculationWindow(const QString& title, const char* kind, Twips client,
                                     const std::vector<Control>& table)
    : QWidget(nullptr, calculation_window_flags), kind_(QString::fromUtf8(kind)) {
  setWindowTitle(title);
  setWindowIcon(icona_calcolo());
  const double dpi = logicalDpiX();
  setFixedSize(twips_to_pixels(client.width, dpi), twips_to_pixels(client.height, dpi));
  controls_ = build_controls(*this, table, Captions::condensed_to_fit);

  txtDescrizione = control<QLineEdit>("txtDescrizione");
  lunghezza = control<NumericField>("lunghezza");
  larghezza = control<NumericField>("larghezza");
  calcola = control<QPushButton>("calcola");
  stampa = control<QPushButton>("stampa");
  salva = control<QPushButton>("salva");
  chiudi = control<QPushButton>("chiudi");
  calcola->setEnabled(false);
  stampa->setEnabled(false);
  salva->setEnabled(false);
}

void CalculationWindow::connect_controls(std::vector<NumericField*> numeric,
                                         const std::vector<QWidget*>& tab_order) {
  for (NumericField* field : numeric) connect(field, &NumericField::refused, this, [] { beep(); });
  numeric_.connect_fields(std::move(numeric), *calcola);
  connect(txtDescrizione, &QLineEdit::textChanged, this, &CalculationWindow::txtDescrizione_Change);
  connect(salva, &QPushButton::clicked, this, &CalculationWindow::salva_Click);
  connect(stampa, &QPushButton::clicked, this, &CalculationWindow::stampa_Click);
  connect(chiudi, &QPushButton::clicked, this, &CalculationWindow::chiudi_Click);
  for (std::size_t i = 1; i < tab_order.size(); ++i)
    QWidget::setTabOrder(tab_order[i - 1], tab_order[i]);
}

void CalculationWindow::txtDescrizione_Change() {
  const QString text = txtDescrizione->text();
  // An emptied box still beeps, but the reports then carry no description: keeping
  // the last non-empty text would print a deleted description's first letter.
  if (text.isEmpty()) beep();
  descrizione_ = text.toStdString();
}

bool CalculationWindow::refuse_dimensions(float L, float B) {
  if (!lunghezza_minore(L, B)) return false;
  run_own_box([this] { message_box(this, qt_text(failure_message(Failure::lunghezza_minore))); });
  lunghezza->setText(QString());
  larghezza->setText(QString());
  calcola->setEnabled(false);
  return true;
}

void CalculationWindow::show_failure(Failure cause) {
  run_own_box([this, cause] { message_box(this, qt_text(failure_message(cause))); });
}

void CalculationWindow::show_result(QLineEdit& box, const std::string& text) {
  const QString shown = qt_text(text);
  box.setText(shown);
  // A text wider than the box shows its beginning, as a box given a text does; the
  // whole text is also the tooltip and what a screen reader reads out.
  box.setCursorPosition(0);
  box.setToolTip(shown);
  box.setAccessibleDescription(shown);
}

void CalculationWindow::enable_reports() {
  stampa->setEnabled(true);
  salva->setEnabled(true);
}

void CalculationWindow::salva_Click() {
  run_own_box([this] {
    report::save_report(this, report_builder(), kind_, toolkit().save_choice, message_box);
  });
}

void CalculationWindow::stampa_Click() {
  run_own_box([this] {
    report::print_report(this, report_builder(), kind_, toolkit().printer, message_box);
  });
}

report::ReportBuilder CalculationWindow::report_builder() const {
  return [this](report::Version version) { return report(version); };
}

void CalculationWindow::chiudi_Click() {
  windows().unload(objectName());
  windows().end();
}

void CalculationWindow::Form_Activate() {
  lunghezza->setFocus();
}

void CalculationWindow::run_own_box(const std::function<void()>& show) {
  ++own_boxes_open_;
  show();
  --own_boxes_open_;
  // A desktop with a window manager reactivates the window after the box closes, one
  // without leaves it inactive; ask for the reactivation and let it pass either way.
  if (own_boxes_open_ == 0 && isVisible() && !isActiveWindow()) {
    skip_next_activation_ = true;
    activateWindow();
  }
}

void CalculationWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (own_boxes_open_ > 0 || skip_next_activation_) {
    skip_next_activation_ = false;
    return;
  }
  Form_Activate();
}

void CalculationWindow::closeEvent(QCloseEvent* event) {
  // The frame's close box ends the program as chiudi does: the other calculation
  // window is loaded but hidden, and no process may stay without a window.
  event->accept();
  chiudi_Click();
}

void CalculationWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  place_centred(*this, screen()->availableGeometry());
}

}  // namespace fondara::gui
