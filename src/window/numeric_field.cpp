#include "window/numeric_field.h"

#include <QKeyEvent>
#include <QPushButton>

#include "core/filtro_numeri_decimali.h"
#include "core/number_text.h"

namespace fondara::window {

namespace {

// The single-byte code of a typed character, as the filter knows it; characters
// outside Latin-1 get a code that the filter drops.
std::int16_t key_code(QChar character) {
  const char16_t unicode = character.unicode();
  return unicode < 0x100 ? static_cast<std::int16_t>(unicode) : std::int16_t{-1};
}

// Keys that edit or move rather than type. Some carry a text (Delete gives "\x7f" on
// X11), which must not reach the filter as a character.
bool is_editing_key(int key) {
  switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    default:
      return false;
  }
}

}  // namespace

NumericField::NumericField(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  setMaxLength(longest_text);
}

std::optional<float> NumericField::number() const {
  return parse_number(text().toStdString());
}

void NumericField::keyPressEvent(QKeyEvent* event) {
  // Shortcuts (Ctrl+V and the like), editing keys and keys that produce no character
  // are the line edit's own business.
  const auto shortcut_modifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  if ((event->modifiers() & shortcut_modifiers) || is_editing_key(event->key()) ||
      event->text().isEmpty()) {
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
  } else if (text().size() - selectedText().size() >= maxLength()) {
    // No room left: the line edit would drop the character silently.
    event->accept();
    Q_EMIT refused();
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

void NumericFields::field_Change(NumericField& field) {
  if (!field.number()) {
    Q_EMIT field.refused();
    // Emptying a non-empty field is itself a change: this handler runs once more,
    // nested, for the empty text (and refuses it again).
    field.setText(QString());
    field.setFocus();
  }
  calcola_->setEnabled(!any_empty());
}

}  // namespace fondara::window
