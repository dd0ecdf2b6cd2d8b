// The face of the calculation windows built from a design table (form_coesivi, form_sciolti).
//
// Builds a fixed-size tool window from its design table and its kind (core/kind.h); holds
// the numeric fields with their keystroke filter and change handling, the description value
// kept by txtDescrizione_Change, the result boxes, and the activation that puts the focus in
// the first numeric field. The lifecycle (Calculate, Save, Print, Close) is
// CalculationWindow's. A problem of Calculate is told in a message box and the fields it
// names are emptied (L and B when L < B, which disables Calculate); the results of the last
// completed calculation stay, and are what Save and Print report. Each window adds its
// design and what it gives the calculation besides its fields.
#pragma once

#include <QLineEdit>
#include <string>
#include <string_view>
#include <vector>

#include "window/calculation_window.h"
#include "window/controls.h"
#include "window/numeric_field.h"

namespace fondara::window {

class DesignedWindow : public CalculationWindow {
  Q_OBJECT

 protected:
  // `name` is the window's objectName, `title` its caption.
  DesignedWindow(const Kind& kind, const char* name, const QString& title, Twips client,
                 const std::vector<Control>& table);

  // The control called `name`, as built from the table; a control missing from the table
  // is a programming error.
  template <typename W>
  W* control(std::string_view name) const {
    const auto found = controls_.find(name);
    W* widget = found == controls_.end() ? nullptr : dynamic_cast<W*>(found->second);
    if (widget == nullptr) programming_error("no control " + std::string(name));
    return widget;
  }

  // Connects the change handling of the kind's numeric fields (the emptiness test reads
  // them in the table's order), of txtDescrizione and of the buttons, and sets the tab
  // order.
  void finish(const std::vector<QWidget*>& tab_order);

  // The texts the window gives the calculation besides its fields' (the drained window's
  // water table), and their settings from a calculation's data.
  virtual void add_texts(FieldTexts& texts) const;
  virtual void take_texts(const FieldTexts& texts);

  // Activation: the focus to the first numeric field (lunghezza).
  void Form_Activate() override;

  QLineEdit* txtDescrizione = nullptr;

 public:
  // A number field's text (as fill shows it) longer than the field takes or not a number.
  std::optional<RefusedValue> refused_value(const CalculationData& given) const override;

 private:
  CalculationData screen_data() const override;
  // The fields, the water table and the description from the data.
  void show_data(const CalculationData& given) override;
  void show_problem(const Problem& problem) override;
  void show_results(const Calculation& calculation) override;
  std::string description() const override { return descrizione_; }
  void clear_results() override;
  static void show_result(QLineEdit& box, const QString& text);
  void txtDescrizione_Change();
  // The text that fill gives the number field of `field`.
  static QString shown_text(const Field& field, const CalculationData& given);

  Controls controls_;
  NumericFields numeric_;
  std::string descrizione_;
};

}  // namespace fondara::window
