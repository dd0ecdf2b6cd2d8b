// form_verifica: the window of the verification kind, every ULS check of one footing
// (NTC 2018 / EN 1997-1) in one place.
//
// Left, the project (for the report's title block) and the description; the footing and the
// soil in number fields built from the kind's field table (symbol, meaning, unit, the default
// of an optional field as its placeholder): the conditions (drained, undrained or both, each
// enabling its fields), the water table (γsat with it), the partial-factor set, the seismic and
// sliding fields. In the middle, the characteristic actions and the typed load combinations
// (TextTable: typed, pasted from a spreadsheet, undone) and the combinations generated from the
// actions with their formulas, generated again at every change of the actions. Right, one row
// per check of the last CALCOLA, the governing one marked, sorted and filtered by the user; the
// selected check's values and its plan. Below, the footing's verdict in words and colour, and
// Apri, CALCOLA, SALVA, STAMPA, CHIUDI.
//
// The window gives the kind's calculation (calculate_footing) the texts as typed and formats
// its typed results; it computes nothing itself. The lifecycle is CalculationWindow's, with its
// changes tracked: SALVA and STAMPA wait for CALCOLA after a change, unsaved work is asked
// about before it goes. Laid out with Qt layouts, it resizes, scrolls where the screen is too
// small, and follows the font and the screen's scale. The program makes it through
// verifica_window(), only when its kind is chosen.
#pragma once

#include <QUndoStack>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "verifica/kind.h"
#include "window/calculation_window.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSortFilterProxyModel;
class QSplitter;
class QTableView;
class QTableWidget;
class QVBoxLayout;

namespace fondara::verifica {

class ChecksModel;
class FootingPlanView;
class GeneratedModel;
class TextTable;
class TextTableModel;
struct TableFace;

class form_verifica : public window::CalculationWindow {
 public:
  form_verifica();
  ~form_verifica() override;

  // A field's or a table cell's text longer than its editor takes or not a number.
  std::optional<window::RefusedValue> refused_value(const CalculationData& given) const override;

 protected:
  CalculationData screen_data() const override;
  void show_data(const CalculationData& given) override;
  CalculationOutcome calculate(const CalculationData& given) override;
  void show_results(const Calculation& calculation) override;
  void show_problem(const Problem& problem) override;
  std::string description() const override;
  // The focus stays where the user left it.
  void Form_Activate() override {}
  void place(const QRect& area) override;

 private:
  QWidget* project_group();
  QWidget* footing_group();
  QWidget* seismic_group();
  QWidget* actions_group();
  QWidget* combinations_group();
  QWidget* checks_group();
  QWidget* check_group();
  void add_field_row(QGridLayout& grid, int row, const Field& field);
  // An editable table with its caption, its note and its buttons, added to `layout`.
  TextTable* add_table(QVBoxLayout& layout, TextTableModel& model, const TableFace& face);
  void set_tab_order();

  // A change of the data: the results shown go, the fields of the conditions are enabled
  // as they apply, SALVA and STAMPA wait for CALCOLA.
  void changed();
  void enable_fields();
  // The combinations generated from the actions as they stand.
  void show_generated();
  void show_check(std::optional<std::size_t> check);
  void clear_results() override;
  void show_verdict();
  void filtro_Change();
  // The control of the field at fault, or the table's cell.
  QWidget* focus_of(const Problem& problem);

  QSplitter* columns_ = nullptr;
  std::map<std::string, QLineEdit*, std::less<>> fields_;
  // The captions of each field's row, enabled and disabled with it.
  std::map<std::string, std::vector<QWidget*>, std::less<>> captions_;
  std::vector<QRadioButton*> conditions_;
  QComboBox* approccio = nullptr;
  QCheckBox* prefabbricata = nullptr;
  QCheckBox* acqua_interfaccia = nullptr;
  QLineEdit* descrizione = nullptr;

  QUndoStack history_;
  TextTableModel* actions_ = nullptr;
  TextTableModel* typed_ = nullptr;
  TextTable* azioni = nullptr;
  TextTable* combinazioni = nullptr;
  GeneratedModel* generated_ = nullptr;
  QLabel* generate_nota = nullptr;

  ChecksModel* checks_ = nullptr;
  QSortFilterProxyModel* shown_checks_ = nullptr;
  QTableView* verifiche = nullptr;
  QComboBox* filtro = nullptr;
  QLabel* conteggio = nullptr;
  QTableWidget* valori = nullptr;
  FootingPlanView* pianta = nullptr;
  QLabel* esito_verifica = nullptr;
  QPushButton* apri = nullptr;

  // The typed results of the last CALCOLA, shown while the data stay as they were.
  std::shared_ptr<const FootingCalculation> calculated_;
  std::shared_ptr<const FootingCalculation> footing_;
};

}  // namespace fondara::verifica
