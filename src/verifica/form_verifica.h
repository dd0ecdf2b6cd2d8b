// form_verifica: the window of the verification kind, Ed ≤ Rd of a footing under eccentric
// and inclined design loads (NTC 2018 / EN 1997-1).
//
// The user gives the footing and the soil in number fields built from the kind's field table
// (symbol, meaning, unit), the condition (two option buttons, each enabling its own fields),
// the water table (optional; γsat with it), the partial-factor set (a list naming each set),
// and the load combinations in a LoadTable, typed or pasted from a spreadsheet. The plan of
// the footing under the selected combination follows the values as they are typed. CALCOLA
// runs the kind's calculation on every combination: each row gets its results and verdict
// (or the refusal's message), the governing one is marked, the values of the selected one
// are listed beside the table and the verdict of the whole check is shown in words on green
// or red. A change of the data clears the results shown; SALVA and STAMPA report the last
// completed calculation. CHIUDI and the close box end the program. Laid out with Qt layouts,
// it resizes and follows the font and the screen's scale. The program makes it through
// verifica_window().
#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/data_file.h"
#include "core/kind.h"
#include "verifica/kind.h"
#include "window/file_opening.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace fondara::window {
class NumericField;
}

namespace fondara::verifica {

class FootingPlanView;
class LoadTable;

// What the user gave a calculation, by the kind's field names: the fields that are not per
// combination (the condition, the set's code and the description included) and the loads of
// each combination, blank texts left out.
struct GivenTexts {
  FieldTexts texts;
  std::vector<FieldTexts> combinations;
};

class form_verifica : public QWidget, public window::FillableWindow {
 public:
  form_verifica();
  ~form_verifica() override;

  const Kind& kind() const override;
  // A field's or a load cell's text longer than its editor takes or not a number.
  std::optional<window::RefusedValue> refused_value(const CalculationData& given) const override;
  // The window filled from a calculation's data (a file the user opens), the last
  // calculation forgotten, then CALCOLA.
  void fill(const CalculationData& given) override;

  // The texts of the last completed calculation, none before the first; the description is
  // the one its reports give, the box's text now.
  std::optional<GivenTexts> last_texts() const;

  // Fills the window from such texts: a text that is not a number is refused as a typed one
  // (a beep, the field or cell left empty); a missing field is left empty, a missing or
  // unknown condition or set takes the first one. The results shown are cleared.
  void fill(const FieldTexts& texts, const std::vector<FieldTexts>& combinations);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* footing_group();
  QWidget* plan_group();
  QWidget* loads_group();
  QWidget* values_group();
  void add_field_row(QGridLayout& grid, int row, const Field& field);
  void set_tab_order();

  // Any change of the data: the results shown are cleared, the plan redrawn, the fields
  // of the condition and CALCOLA enabled as the data allow.
  void data_Change();
  void field_Change(window::NumericField& field);
  void combinazioni_CurrentChange();
  void aggiungi_Click();
  void rimuovi_Click();
  void incolla_Click();
  void calcola_Click();
  void salva_Click();
  void stampa_Click();
  void chiudi_Click();

  void enable_fields();
  bool data_complete() const;
  GivenTexts given_texts() const;
  void show_results();
  void clear_results();
  void show_plan();
  void show_values();
  int selected_row() const;
  ReportOutcome report(Version version) const;
  // The typeset report of the last completed calculation, which SALVA (PDF/A, ODT) and STAMPA
  // give.
  Document document() const;
  // The data file of the last completed calculation, with the description as it stands.
  std::string data_text() const;

  std::map<std::string, window::NumericField*, std::less<>> fields_;
  // The captions of each field's row, enabled and disabled with it.
  std::map<std::string, std::vector<QWidget*>, std::less<>> captions_;
  QLineEdit* descrizione = nullptr;
  QRadioButton* drenate = nullptr;
  QRadioButton* non_drenate = nullptr;
  QComboBox* approccio = nullptr;
  FootingPlanView* pianta = nullptr;
  LoadTable* combinazioni = nullptr;
  QPushButton* aggiungi = nullptr;
  QPushButton* rimuovi = nullptr;
  QPushButton* incolla = nullptr;
  QGroupBox* valori_gruppo = nullptr;
  QTableWidget* valori = nullptr;
  QLabel* esito_verifica = nullptr;
  QPushButton* calcola = nullptr;
  QPushButton* salva = nullptr;
  QPushButton* stampa = nullptr;
  QPushButton* chiudi = nullptr;

  // The last completed calculation, which SALVA and STAMPA report, its typed results and what
  // it was given.
  std::optional<Calculation> last_;
  std::shared_ptr<const FootingCalculation> last_footing_;
  std::optional<GivenTexts> last_texts_;
  // Whether the table shows the results of last_ (no change of the data since).
  bool results_shown_ = false;
  bool placed_ = false;
};

}  // namespace fondara::verifica
