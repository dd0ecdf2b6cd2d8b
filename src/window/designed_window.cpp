#include "window/designed_window.h"

#include <QPushButton>
#include <QSignalBlocker>

#include "core/number_text.h"
#include "window/qt_text.h"
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

DesignedWindow::DesignedWindow(const Kind& kind, const char* name, const QString& title,
                               Twips client, const std::vector<Control>& table)
    : CalculationWindow(kind, calculation_window_flags) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(title);
  const double dpi = logicalDpiX();
  setFixedSize(twips_to_pixels(client.width, dpi), twips_to_pixels(client.height, dpi));
  controls_ = build_controls(*this, table, Captions::condensed_to_fit);

  txtDescrizione = control<QLineEdit>("txtDescrizione");
  calcola = control<QPushButton>("calcola");
  stampa = control<QPushButton>("stampa");
  salva = control<QPushButton>("salva");
  chiudi = control<QPushButton>("chiudi");
  calcola->setEnabled(false);
}

void DesignedWindow::finish(const std::vector<QWidget*>& tab_order) {
  std::vector<NumericField*> numeric;
  for (const Field& field : kind().fields) {
    if (!is_numeric_field(field)) continue;
    numeric.push_back(control<NumericField>(field.text.control));
    connect(numeric.back(), &NumericField::refused, this, [] { beep(); });
  }
  numeric_.connect_fields(std::move(numeric), *calcola);
  connect(txtDescrizione, &QLineEdit::textChanged, this, &DesignedWindow::txtDescrizione_Change);
  connect_buttons();
  for (std::size_t i = 1; i < tab_order.size(); ++i)
    QWidget::setTabOrder(tab_order[i - 1], tab_order[i]);
}

void DesignedWindow::add_texts(FieldTexts& /*texts*/) const {}

void DesignedWindow::take_texts(const FieldTexts& /*texts*/) {}

void DesignedWindow::txtDescrizione_Change() {
  const QString text = txtDescrizione->text();
  // An emptied box still beeps, but the reports then carry no description: keeping the
  // last non-empty text would print a deleted description's first letter.
  if (text.isEmpty()) beep();
  descrizione_ = text.toStdString();
}

CalculationData DesignedWindow::screen_data() const {
  FieldTexts texts;
  for (const Field& field : kind().fields)
    if (is_numeric_field(field))
      texts.emplace(field.text.name,
                    control<NumericField>(field.text.control)->text().toStdString());
  texts.emplace("descrizione", descrizione_);
  add_texts(texts);
  return single_calculation(kind(), Source::window, texts);
}

QString DesignedWindow::shown_text(const Field& field, const CalculationData& given) {
  const auto found = given.texts.find(field.text.name);
  const std::string text = found == given.texts.end() ? std::string() : found->second;
  // Typed at the terminal, a full stop is the comma the field's keys would make of it.
  return qt_text(given.source == Source::terminal ? as_typed_in_window(trim_blanks(text)) : text);
}

std::optional<RefusedValue> DesignedWindow::refused_value(const CalculationData& given) const {
  for (const Field& field : kind().fields) {
    if (!is_numeric_field(field)) continue;
    const QString text = shown_text(field, given);
    if (auto refused =
            refused_number(field.text.name, text, parse_number(text.toStdString()).has_value()))
      return refused;
  }
  return std::nullopt;
}

void DesignedWindow::clear_results() {
  for (const ResultField& result : kind().results)
    if (!result.text.control.empty()) show_result(*control<QLineEdit>(result.text.control), {});
}

void DesignedWindow::show_data(const CalculationData& given) {
  for (const Field& field : kind().fields)
    if (is_numeric_field(field))
      control<NumericField>(field.text.control)->setText(shown_text(field, given));
  // The description as given, without the beep of a box emptied by the user.
  const auto description = given.texts.find("descrizione");
  descrizione_ = description == given.texts.end() ? std::string() : description->second;
  const QSignalBlocker quiet(txtDescrizione);
  txtDescrizione->setText(qt_text(descrizione_));
  take_texts(given.texts);
}

void DesignedWindow::show_problem(const Problem& problem) {
  run_own_box([this, &problem] { message_box(this, qt_text(problem.message)); });
  // An emptied number field disables Calculate through its change handler.
  for (std::string_view name : problem.emptied)
    if (const Field* field = find_field(kind().fields, name))
      control<QLineEdit>(field->text.control)->setText(QString());
}

void DesignedWindow::show_results(const Calculation& calculation) {
  for (std::size_t i = 0; i < kind().results.size() && i < calculation.results.size(); ++i) {
    const std::string_view box = kind().results[i].text.control;
    if (!box.empty()) show_result(*control<QLineEdit>(box), qt_text(calculation.results[i]));
  }
}

void DesignedWindow::show_result(QLineEdit& box, const QString& text) {
  box.setText(text);
  // A text wider than the box shows its beginning, as a box given a text does; the whole
  // text is also the tooltip and what a screen reader reads out.
  box.setCursorPosition(0);
  box.setToolTip(text);
  box.setAccessibleDescription(text);
}

void DesignedWindow::Form_Activate() {
  for (const Field& field : kind().fields) {
    if (!is_numeric_field(field)) continue;
    control<QWidget>(field.text.control)->setFocus();
    return;
  }
}

}  // namespace fondara::window
