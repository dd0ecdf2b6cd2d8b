// DecimalField: a number field of the verification window, in its form and in its tables'
// cells.
//
// Every change of its text, typed, pasted or dropped, goes through DecimalValidator: a text
// that would not be a number (or the start of one: "-", ",") is refused with a beep and the
// text stays as it was; a full stop typed is the decimal comma; a number pasted from a
// spreadsheet is kept without the line end and the thousands dots around it ("1.234,5\n"
// gives 1234,5). The field takes at most 100 characters; one more beeps. The designed
// windows' number fields (window/numeric_field.h) keep their own rules.
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace fondara::verifica {

class DecimalValidator : public QValidator {
 public:
  DecimalValidator(bool signed_value, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  bool signed_;
};

class DecimalField : public QLineEdit {
 public:
  // A minus sign is taken where `signed_value`.
  DecimalField(bool signed_value, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace fondara::verifica
