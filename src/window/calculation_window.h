// What the two calculation windows (form_coesivi, form_sciolti) have in common.
//
// Builds a window from its design table; holds the numeric fields with their keystroke
// filter and change handling, the description value kept by txtDescrizione_Change, the
// shared steps of Calculate (reading the fields by name into the calculation's inputs,
// the L < B refusal, the failure message, the result boxes, Save and Print enabled),
// Save and Print of the report the window builds, Close (chiudi_Click), the frame's
// close box and the activation. Each window adds what its Calculate computes and the
// report statements of its last completed calculation.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "input/field_table.h"
#include "report/builder.h"
#include "report/save_print.h"
#include "window/controls.h"
#include "window/numeric_field.h"

class QPushButton;

namespace fondara::gui {

class CalculationWindow : public QWidget {
  Q_OBJECT

 public:
  // The window's description value, kept by txtDescrizione_Change.
  const std::string& descrizione() const { return descrizione_; }

  // The report of the last completed calculation, file or printed version.
  virtual report::Result report(report::Version version) const = 0;

 protected:
  // `kind` names the window in the title of its reports' PDF documents.
  CalculationWindow(const QString& title, const char* kind, Twips client,
                    const std::vector<Control>& table);

  // The control called `name`, as built from the table.
  template <typename W>
  W* control(std::string_view name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : dynamic_cast<W*>(found->second);
  }

  // Connects the change handling of the table's numeric fields (the emptiness test
  // reads them in the table's order), of txtDescrizione and of the buttons, and sets
  // the tab order.
  template <typename Inputs>
  void finish(std::span<const InputField<Inputs>> fields, const std::vector<QWidget*>& tab_order) {
    std::vector<NumericField*> numeric;
    for (const auto& field : fields)
      if (field.kind == FieldKind::number)
        numeric.push_back(control<NumericField>(field.text.control));
    connect_controls(std::move(numeric), tab_order);
  }

  // Calculate, shared steps: the numbers of the fields, each stored by name into the
  // calculation's inputs, or nothing when the click ends here. L < B is refused with
  // the message, L and B are emptied (their change handling runs) and Calculate is
  // disabled; the values and results of the last completed calculation stay as they
  // were.
  template <typename Inputs>
  std::optional<Inputs> read_inputs(std::span<const InputField<Inputs>> fields) {
    Inputs inputs{};
    for (const auto& field : fields) {
      if (field.kind != FieldKind::number) continue;
      const auto value = control<NumericField>(field.text.control)->number();
      if (!value) return std::nullopt;  // Calculate is enabled only when all hold numbers
      inputs.*field.number = *value;
    }
    if (refuse_dimensions(inputs.L, inputs.B)) return std::nullopt;
    return inputs;
  }

  // A calculation that could not complete: a message naming the cause.
  void show_failure(Failure cause);

  // Fills the result boxes from the calculation's texts, then enables stampa and salva.
  template <typename Texts>
  void show_results(std::span<const ResultField<Texts>> results, const Texts& texts) {
    for (const auto& result : results)
      show_result(*control<QLineEdit>(result.text.control), texts.*result.shown);
    enable_reports();
  }

  // Activation: the focus to lunghezza.
  void Form_Activate();

  // A message box or system dialog of the program run over this window: the
  // window's reactivation after it is no activation.
  void run_own_box(const std::function<void()>& show);

  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

  QLineEdit* txtDescrizione = nullptr;
  NumericField* lunghezza = nullptr;
  NumericField* larghezza = nullptr;
  QPushButton* calcola = nullptr;
  QPushButton* stampa = nullptr;
  QPushButton* salva = nullptr;
  QPushButton* chiudi = nullptr;

 private:
  void connect_controls(std::vector<NumericField*> numeric, const std::vector<QWidget*>& tab_order);
  // True when L < B: the refusal is done.
  bool refuse_dimensions(float L, float B);
  static void show_result(QLineEdit& box, const std::string& text);
  void enable_reports();
  void txtDescrizione_Change();
  void salva_Click();
  void stampa_Click();
  report::ReportBuilder report_builder() const;
  void chiudi_Click();

  QString kind_;
  Controls controls_;
  NumericFields numeric_;
  std::string descrizione_;
  int own_boxes_open_ = 0;
  bool skip_next_activation_ = false;
  bool placed_ = false;
};

// Design-table rows made from a window's field tables, with the screen-reader name of
// the field or result box: a field's box (numeric or the description), the caption of
// a field's row, a result box.
template <typename Inputs>
Control field_control(std::span<const InputField<Inputs>> fields, Kind kind, std::string_view name,
                      Twips at, const Look& look, std::string_view text = {}) {
  return {kind, name, text, at, look, spoken_name(field_of_control(fields, name).text)};
}

template <typename Inputs>
Control caption_control(std::span<const InputField<Inputs>> fields, std::string_view field,
                        std::string_view name, Twips at, const Look& look) {
  return {Kind::label, name, field_of_control(fields, field).label, at, look};
}

template <typename Texts>
Control result_control(std::span<const ResultField<Texts>> results, std::string_view name, Twips at,
                       const Look& look) {
  return {Kind::result, name, {}, at, look, spoken_name(field_of_control(results, name).text)};
}

}  // namespace fondara::gui
