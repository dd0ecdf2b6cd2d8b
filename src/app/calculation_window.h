// What the two calculation windows (form_coesivi, form_sciolti) have in common.
//
// Builds a window from its table of controls (kind, name, text, position and size in
// twips, look), in the table's order, which is the stacking order; holds the numeric
// fields with their keystroke filter and change handling, the description value kept
// by txtDescrizione_Change, the shared steps of Calculate (reading the fields, the
// L < B refusal, the failure message, the result boxes and Save and Print), Close
// (chiudi_Click), the frame's close box and the activation. The windows add their own
// controls' meaning: what Calculate computes and what the reports receive.
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/report_output.h"
#include "app/twips.h"
#include "input/calculation.h"
#include "input/numeric_field.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fondara::app {

class CalculationWindow : public QWidget {
  Q_OBJECT

 public:
  // The report values of the last completed calculation, with the description as
  // the box holds it now.
  virtual ReportValues report_values() const = 0;

  // The window's description value, kept by txtDescrizione_Change.
  const std::string& descrizione() const { return descrizione_; }

 public:
  enum class Kind {
    label,        // QLabel
    description,  // txtDescrizione: free text
    numeric,      // NumericField: filtered, validated, read by Calculate
    result,       // read-only box that still takes the focus
    picture,      // Picture1: the cross-section drawing
    button,       // command button with the hand cursor
    help_button,  // command button with the ordinary cursor
    option,       // option button
  };

  struct Look {
    const char* family = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    QColor text = {};        // invalid: the style's colour
    QColor background = {};  // invalid: the style's colour
    bool border = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;  // boxes: horizontal part only
    bool wrap = false;
  };

  struct Control {
    Kind kind;
    const char* name;
    const char* text;  // UTF-8
    Twips at;
    Look look;
  };

 protected:
  CalculationWindow(const QString& title, Twips client, const std::vector<Control>& controls);

  // The control called `name`, as built from the table.
  template <typename W>
  W* control(const char* name) const {
    return dynamic_cast<W*>(controls_.at(name));
  }

  // Connects the change handling of the numeric fields (in the order Calculate reads
  // them, L and B first) and of txtDescrizione, and sets the tab order.
  void finish(std::vector<NumericField*> numeric, const std::vector<QWidget*>& tab_order);

  // Calculate, shared steps. The numbers of the fields in order, or nothing when the
  // click ends here: L < B is refused with the message, L and B are emptied (their
  // change handling runs) and Calculate is disabled; the values and results of the
  // last completed calculation stay as they were.
  std::optional<std::vector<float>> read_fields();
  // A calculation that could not complete: a message naming the cause.
  void show_failure(Failure cause);
  // Fills the result boxes, then enables stampa and salva.
  void show_results(std::initializer_list<std::pair<QLineEdit*, std::string>> texts);

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
  QLineEdit* Q_limite = nullptr;
  QLineEdit* Q_ammissibile = nullptr;
  QPushButton* calcola = nullptr;
  QPushButton* stampa = nullptr;
  QPushButton* salva = nullptr;
  QPushButton* chiudi = nullptr;

 private:
  QWidget* build(const Control& control);
  void txtDescrizione_Change();
  void salva_Click();
  void stampa_Click();
  void chiudi_Click();

  std::map<std::string, QWidget*> controls_;
  NumericFields numeric_;
  std::string descrizione_;
  int own_boxes_open_ = 0;
  bool skip_next_activation_ = false;
  bool centred_ = false;
};

}  // namespace fondara::app
