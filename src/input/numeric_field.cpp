#include "input/numeric_field.h"

#include <QKeyEvent>
#include <QPushButton>

#include "app/toolkit.h"
#include "input/filtro_numeri_decimali.h"
#include "input/number_text.h"

namespace fondara {

namespace {

// The single-byte code of a typed character, as the filter knows it; characters
// outside Latin-1 get a code that the filter drops.
std::int16_t key_code(QChar character) {
  const char16_t unicode = character.unicode();
  return unicode < 0x100 ? static_cast<std::int16_t>(unicode) : std::int16_t{-1};
}

}  // namespace

std::optional<float> NumericField::number() const {
  return parse_number(text().toStdString());
}

void NumericField::keyPressEvent(QKeyEvent* event) {
  // Shortcuts (Ctrl+V and the like) and keys that produce no character (arrows,
  // Delete) are the line edit's own business.
  const auto shortcut_modifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if ((event->modifiers() & shortcut_modifiers) || event->text().isEmpty()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  QString filtered;
  for (const QChar character : event->text()) {
    std::int16_t KeyAscii = key_code(character);
    KeyAscii = FiltroNumeriDecimali(KeyAscii);
    if (KeyAscii != 0) filtered.append(QChar(static_cast<char16_t>(KeyAscii)));
  }
  if (filtered.isEmpty()) {
    event->accept();  // dropped silently
  } else if (filtered == event->text()) {
    QLineEdit::keyPressEvent(event);
  } else {
    // A full stop became a comma: hand the line edit the comma key instead, so undo,
    // selection and the maximum length work as for a typed comma.
    const int key = filtered == QStringLiteral(",") ? Qt::Key_Comma : Qt::Key_unknown;
    QKeyEvent comma(QEvent::KeyPress, key, event->modifiers(), filtered, event->isAutoRepeat());
    QLineEdit::keyPressEvent(&comma);
    event->setAccepted(comma.isAccepted());
  }
}

void NumericFields::connect_fields(std::vector<NumericField*> fields, QPushButton& calcola) {
  fields_ = std::move(fields);
  calcola_ = &calcola;
  for (NumericField* field : fields_)
    QObject::connect(field, &QLineEdit::textChanged, field,
                     [this, field] { field_Change(*field); });
}

bool NumericFields::any_empty() const {
  bool empty = false;
  for (const NumericField* field : fields_) empty = empty || field->text().isEmpty();
  return empty;
}

std::optional<std::vector<float>> NumericFields::numbers() const {
  std::vector<float> values;
  for (const NumericField* field : fields_) {
    const auto value = field->number();
    if (!value) return std::nullopt;
    values.push_back(*value);
  }
  return values;
}

void NumericFields::field_Change(NumericField& field) {
  if (!field.number()) {
    app::beep();
    // Emptying a non-empty field is itself a change: this handler runs once more,
    // nested, for the empty text (and beeps again).
    field.setText(QString());
    field.setFocus();
  }
  calcola_->setEnabled(!any_empty());
}

}  // namespace fondara
