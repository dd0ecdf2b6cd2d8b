#include "verifica/decimal_field.h"

#include <QKeyEvent>

#include "core/number_text.h"
#include "window/numeric_field.h"
#include "window/toolkit.h"

namespace fondara::verifica {

namespace {

// The starts of a number that are not numbers yet.
bool number_begins(const QString& text, bool signed_value) {
  if (text == u',') return true;
  return signed_value && (text == u'-' || text == QStringLiteral("-,"));
}

bool has_line_end_or_tab(const QString& text) {
  return text.contains(u'\n') || text.contains(u'\r') || text.contains(u'\t');
}

}  // namespace

DecimalValidator::DecimalValidator(bool signed_value, QObject* parent)
    : QValidator(parent), signed_(signed_value) {}

QValidator::State DecimalValidator::validate(QString& input, int& pos) const {
  if (input.isEmpty()) return Acceptable;
  if (number_begins(input, signed_)) return Intermediate;
  const std::string text = input.toStdString();
  // A typed blank is refused; one that came with a line end or a dot is a spreadsheet's cell.
  const bool typed_as_is = !has_line_end_or_tab(input) && !input.contains(u'.');
  if (typed_as_is) {
    if (input.contains(u' ') || !typed_decimal(text, signed_)) return Invalid;
    return Acceptable;
  }
  const auto cell = spreadsheet_decimal(text, signed_);
  if (!cell) return Invalid;
  input = QString::fromStdString(*cell);
  pos = static_cast<int>(input.size());
  return Acceptable;
}

DecimalField::DecimalField(bool signed_value, QWidget* parent) : QLineEdit(parent) {
  setMaxLength(window::NumericField::longest_text);
  setValidator(new DecimalValidator(signed_value, this));
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(this, &QLineEdit::inputRejected, this, [] { window::beep(); });
}

void DecimalField::keyPressEvent(QKeyEvent* event) {
  // The full stop typed is the decimal comma, as in every number field of the program.
  if (event->text() == u'.' && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, event->modifiers(), QStringLiteral(","),
                    event->isAutoRepeat());
    QLineEdit::keyPressEvent(&comma);
    event->setAccepted(comma.isAccepted());
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace fondara::verifica
