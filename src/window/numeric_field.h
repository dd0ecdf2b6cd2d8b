// The numeric input fields of the calculation windows and their change handling.
//
// NumericField runs every typed character through FiltroNumeriDecimali before the line
// edit sees it; editing and navigation keys (Delete, Backspace, arrows, Home, End, Tab,
// Page keys) go to the line edit whatever text they carry. A character typed into a
// field that holds its longest text already is refused (the field signals refused(),
// which the window answers with a beep). Pasted, dragged and composed text bypasses any
// key filter, so NumericFields re-checks a field at every change of its text, whatever
// the cause: a text that is not a number is refused and the field emptied; then
// Calculate is enabled exactly when no field of the window is empty.
#pragma once

#include <QLineEdit>
#include <optional>
#include <vector>

class QPushButton;

namespace fondara::window {

class NumericField : public QLineEdit {
  Q_OBJECT

 public:
  // The longest text a field takes: twice the longest float written in full with its
  // thousands dots. A line edit lays its whole text out again at every change, so an
  // unbounded field would make typing cost grow with the square of the length.
  static constexpr int longest_text = 100;

  NumericField(const QString& text, QWidget* parent);

  // The field's number (comma as decimal separator, dot between thousands groups), or
  // nothing when its text is not numeric.
  std::optional<float> number() const;

 Q_SIGNALS:
  // A typed character found the field full, or the field's text was not a number (the
  // field is then being emptied).
  void refused();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The numeric fields of one window, in the order in which the emptiness test reads them.
class NumericFields {
 public:
  // Connects the change handling of every field; call once the window is built, so
  // the design texts do not count as changes.
  void connect_fields(std::vector<NumericField*> fields, QPushButton& calcola);

  bool any_empty() const;

 private:
  // lunghezza_Change and its siblings: the same steps for every field.
  void field_Change(NumericField& field);

  std::vector<NumericField*> fields_;
  QPushButton* calcola_ = nullptr;
};

}  // namespace fondara::window
