#include "window/calculation_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "core/number_text.h"
#include "output/report_text.h"
#include "window/pictures.h"
#include "window/qt_text.h"
#include "window/save_print.h"
#include "window/toolkit.h"

namespace fondara::window {

namespace {

// Fixed tool-window frame: title and close box only, not in the task bar.
constexpr Qt::WindowFlags calculation_window_flags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

bool is_numeric_field(const Field& field) {
  return field.type == FieldType::number && !field.text.control.empty();
}

}  // namespace

CalculationWindow::CalculationWindow(const Kind& kind, const char* name, const QString& title,
                                     Twips client, const std::vector<Control>& table)
    : QWidget(nullptr, calculation_window_flags), kind_(kind) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(title);
  setWindowIcon(icona_calcolo());
  const double dpi = logicalDpiX();
  setFixedSize(twips_to_pixels(client.width, dpi), twips_to_pixels(client.height, dpi));
  controls_ = build_controls(*this, table, Captions::condensed_to_fit);
  new FileOpening(*this);

  txtDescrizione = control<QLineEdit>("txtDescrizione");
  calcola = control<QPushButton>("calcola");
  stampa = control<QPushButton>("stampa");
  salva = control<QPushButton>("salva");
  chiudi = control<QPushButton>("chiudi");
  calcola->setEnabled(false);
  stampa->setEnabled(false);
  salva->setEnabled(false);
}

void CalculationWindow::finish(const std::vector<QWidget*>& tab_order) {
  std::vector<NumericField*> numeric;
  for (const Field& field : kind_.fields) {
    if (!is_numeric_field(field)) continue;
    numeric.push_back(control<NumericField>(field.text.control));
    connect(numeric.back(), &NumericField::refused, this, [] { beep(); });
  }
  numeric_.connect_fields(std::move(numeric), *calcola);
  connect(txtDescrizione, &QLineEdit::textChanged, this, &CalculationWindow::txtDescrizione_Change);
  connect(calcola, &QPushButton::clicked, this, &CalculationWindow::calcola_Click);
  connect(salva, &QPushButton::clicked, this, &CalculationWindow::salva_Click);
  connect(stampa, &QPushButton::clicked, this, &CalculationWindow::stampa_Click);
  connect(chiudi, &QPushButton::clicked, this, &CalculationWindow::chiudi_Click);
  for (std::size_t i = 1; i < tab_order.size(); ++i)
    QWidget::setTabOrder(tab_order[i - 1], tab_order[i]);
}

void CalculationWindow::add_texts(FieldTexts& /*texts*/) const {}

void CalculationWindow::take_texts(const FieldTexts& /*texts*/) {}

void CalculationWindow::txtDescrizione_Change() {
  const QString text = txtDescrizione->text();
  // An emptied box still beeps, but the reports then carry no description: keeping the
  // last non-empty text would print a deleted description's first letter.
  if (text.isEmpty()) beep();
  descrizione_ = text.toStdString();
}

FieldTexts CalculationWindow::field_texts() const {
  FieldTexts texts;
  for (const Field& field : kind_.fields)
    if (is_numeric_field(field))
      texts.emplace(field.text.name,
                    control<NumericField>(field.text.control)->text().toStdString());
  texts.emplace("descrizione", descrizione_);
  add_texts(texts);
  return texts;
}

void CalculationWindow::calcola_Click() {
  FieldTexts texts = field_texts();
  const CalculationOutcome outcome = kind_.compute(texts, Source::window);
  if (!outcome) return show_problem(outcome.error());
  last_ = *outcome;
  last_texts_ = std::move(texts);
  show_results(*last_);
}

std::string CalculationWindow::data_text() const {
  // The description as the reports give it: the box's, when the data is saved.
  FieldTexts texts = last_texts_;
  texts["descrizione"] = descrizione_;
  return data_file_text({.kind = &kind_, .source = Source::window, .texts = std::move(texts)});
}

QString CalculationWindow::shown_text(const Field& field, const CalculationData& given) {
  const auto found = given.texts.find(field.text.name);
  const std::string text = found == given.texts.end() ? std::string() : found->second;
  // Typed at the terminal, a full stop is the comma the field's keys would make of it.
  return qt_text(given.source == Source::terminal ? as_typed_in_window(trim_blanks(text)) : text);
}

std::optional<RefusedValue> CalculationWindow::refused_value(const CalculationData& given) const {
  for (const Field& field : kind_.fields) {
    if (!is_numeric_field(field)) continue;
    const QString text = shown_text(field, given);
    if (auto refused =
            refused_number(field.text.name, text, parse_number(text.toStdString()).has_value()))
      return refused;
  }
  return std::nullopt;
}

void CalculationWindow::fill(const CalculationData& given) {
  // What SALVA and STAMPA write belongs to this data from now on, once it has calculated.
  last_.reset();
  last_texts_.clear();
  stampa->setEnabled(false);
  salva->setEnabled(false);
  for (const ResultField& result : kind_.results)
    if (!result.text.control.empty()) show_result(*control<QLineEdit>(result.text.control), {});
  for (const Field& field : kind_.fields)
    if (is_numeric_field(field))
      control<NumericField>(field.text.control)->setText(shown_text(field, given));
  // The description as given, without the beep of a box emptied by the user.
  const auto description = given.texts.find("descrizione");
  descrizione_ = description == given.texts.end() ? std::string() : description->second;
  const QSignalBlocker quiet(txtDescrizione);
  txtDescrizione->setText(qt_text(descrizione_));
  take_texts(given.texts);
  calcola_Click();
}

void CalculationWindow::show_problem(const Problem& problem) {
  run_own_box([this, &problem] { message_box(this, qt_text(problem.message)); });
  // An emptied number field disables Calculate through its change handler.
  for (std::string_view name : problem.emptied)
    if (const Field* field = find_field(kind_.fields, name))
      control<QLineEdit>(field->text.control)->setText(QString());
}

void CalculationWindow::show_results(const Calculation& calculation) {
  for (std::size_t i = 0; i < kind_.results.size() && i < calculation.results.size(); ++i) {
    const std::string_view box = kind_.results[i].text.control;
    if (!box.empty()) show_result(*control<QLineEdit>(box), qt_text(calculation.results[i]));
  }
  stampa->setEnabled(true);
  salva->setEnabled(true);
}

void CalculationWindow::show_result(QLineEdit& box, const QString& text) {
  box.setText(text);
  // A text wider than the box shows its beginning, as a box given a text does; the whole
  // text is also the tooltip and what a screen reader reads out.
  box.setCursorPosition(0);
  box.setToolTip(text);
  box.setAccessibleDescription(text);
}

ReportOutcome CalculationWindow::report(Version version) const {
  // Save and Print are enabled only once a calculation has completed.
  if (!last_) programming_error("report without a calculation");
  return last_->report(version, descrizione_);
}

QString CalculationWindow::report_title() const {
  return QString::fromStdString(output::report_title(kind_.title));
}

void CalculationWindow::salva_Click() {
  run_own_box([this] {
    if (!description_reportable(this, descrizione_, message_box)) return;
    save_report(
        this, [this](Version version) { return report(version); }, report_title(), data_text(),
        toolkit().save_choice, message_box);
  });
}

void CalculationWindow::stampa_Click() {
  run_own_box([this] {
    if (!description_reportable(this, descrizione_, message_box)) return;
    print_report(
        this, [this](Version version) { return report(version); }, report_title(),
        toolkit().printer, message_box);
  });
}

void CalculationWindow::chiudi_Click() {
  hide();
  end_program();
}

void CalculationWindow::Form_Activate() {
  for (const Field& field : kind_.fields) {
    if (!is_numeric_field(field)) continue;
    control<QWidget>(field.text.control)->setFocus();
    return;
  }
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
  // The frame's close box ends the program as chiudi does: the other calculation windows
  // are loaded but hidden, and no process may stay without a window.
  event->accept();
  chiudi_Click();
}

void CalculationWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  place_centred(*this, screen()->availableGeometry());
}

}  // namespace fondara::window
