// The numeric input fields of the calculation windows and their change handling.
//
// NumericField runs every typed character through FiltroNumeriDecimali before the line
// edit sees it. Pasted, dragged and composed text bypasses any key filter, so
// NumericFields re-checks a field at every change of its text, whatever the cause: a
// text that is not a number is refused with a beep and the field emptied; then
// Calculate is enabled exactly when no field of the window is empty.
#pragma once

#include <QLineEdit>
#include <optional>
#include <vector>

class QPushButton;

namespace fondara {

class NumericField : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

  // The field's number (comma as decimal separator, dot between thousands groups), or
  // nothing when its text is not numeric.
  std::optional<float> number() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The numeric fields of one window, in the order in which Calculate reads them.
class NumericFields {
 public:
  // Connects the change handling of every field; call once the window is built, so
  // the design texts do not count as changes.
  void connect_fields(std::vector<NumericField*> fields, QPushButton& calcola);

  const std::vector<NumericField*>& fields() const { return fields_; }
  bool any_empty() const;

  // The numbers of all fields in order, or nothing if a field holds no number.
  std::optional<std::vector<float>> numbers() const;

 private:
  // lunghezza_Change and its siblings: the same steps for every field.
  void field_Change(NumericField& field);

  std::vector<NumericField*> fields_;
  QPushButton* calcola_ = nullptr;
};

}  // namespace fondara
