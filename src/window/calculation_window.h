// What the calculation windows built from a design table (form_coesivi, form_sciolti)
// have in common.
//
// Builds a window from its design table and its kind (core/kind.h); holds the numeric
// fields with their keystroke filter and change handling, the description value kept by
// txtDescrizione_Change, Calculate (calcola_Click: the fields' texts to the kind's
// calculation, its problem in a message box, the result boxes, Save and Print enabled),
// Save and Print of the last completed calculation (of the file opened last, once it has
// calculated), Close (chiudi_Click), the frame's close box and the activation. Each window adds its
// design and what it gives the calculation besides its fields.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_file.h"
#include "core/kind.h"
#include "core/outcome.h"
#include "window/controls.h"
#include "window/file_opening.h"
#include "window/numeric_field.h"

class QPushButton;

namespace fondara::window {

class CalculationWindow : public QWidget, public FillableWindow {
  Q_OBJECT

 public:
  const Kind& kind() const override { return kind_; }
  // A number field's text (as fill shows it) longer than the field takes or not a number.
  std::optional<RefusedValue> refused_value(const CalculationData& given) const override;
  // The fields, the water table and the description from the data, the last calculation
  // forgotten (results emptied, SALVA and STAMPA disabled), then Calculate: the results, or
  // the problem's message, as CALCOLA gives them.
  void fill(const CalculationData& given) override;

 protected:
  // `name` is the window's objectName, `title` its caption.
  CalculationWindow(const Kind& kind, const char* name, const QString& title, Twips client,
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
  void Form_Activate();

  // A message box or system dialog of the program run over this window: the window's
  // reactivation after it is no activation.
  void run_own_box(const std::function<void()>& show);

  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

  QLineEdit* txtDescrizione = nullptr;
  QPushButton* calcola = nullptr;
  QPushButton* stampa = nullptr;
  QPushButton* salva = nullptr;
  QPushButton* chiudi = nullptr;

 private:
  // Calculate: the fields' texts to the kind's calculation. A problem is told in a
  // message box and the fields it names are emptied (L and B when L < B, which disables
  // Calculate); the values and results of the last completed calculation stay as they
  // were. A completed calculation fills the result boxes and enables stampa and salva.
  void calcola_Click();
  FieldTexts field_texts() const;
  void show_problem(const Problem& problem);
  void show_results(const Calculation& calculation);
  static void show_result(QLineEdit& box, const QString& text);
  void txtDescrizione_Change();
  // The text that fill gives the number field of `field`.
  static QString shown_text(const Field& field, const CalculationData& given);
  void salva_Click();
  void stampa_Click();
  void chiudi_Click();
  ReportOutcome report(Version version) const;
  QString report_title() const;
  // The data file of the last completed calculation, with the description as it stands.
  std::string data_text() const;

  const Kind& kind_;
  Controls controls_;
  NumericFields numeric_;
  std::string descrizione_;
  // The last completed calculation, which Save and Print report, and the texts it was given.
  std::optional<Calculation> last_;
  FieldTexts last_texts_;
  int own_boxes_open_ = 0;
  bool skip_next_activation_ = false;
  bool placed_ = false;
};

}  // namespace fondara::window
