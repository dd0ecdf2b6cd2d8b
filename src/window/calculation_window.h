// What every calculation window does, whatever its face: fill from a calculation's data,
// Calculate (calcola_Click: the screen's data to the kind's calculation, its problem or its
// results), Save and Print of the last completed calculation, Close (chiudi_Click), the
// frame's close box, the activation and the window's first placing.
//
// A face gives the controls: the fixed design table of the designed windows
// (DesignedWindow) or a layout (the verification window). A face that tracks changes
// (track_changes) also gets: Save and Print waiting for Calculate after any change of the
// data (they write what the screen shows), the question before unsaved work is lost (Close,
// the close box, a file opened over it), the open file's name in the title and the file
// dialogs starting in the last folder used. The designed windows do none of that.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "core/data_file.h"
#include "core/kind.h"
#include "core/outcome.h"
#include "window/file_opening.h"
#include "window/save_print.h"

class QPushButton;

namespace fondara::window {

class CalculationWindow : public QWidget, public FillableWindow {
  Q_OBJECT

 public:
  const Kind& kind() const override { return kind_; }
  // The last calculation forgotten (SALVA and STAMPA disabled until the data's own), the face
  // shows the data, then Calculate: the results, or the problem's message, as CALCOLA gives
  // them. `file` names where the data came from (the title of a face that tracks changes shows
  // it). The program asks refused_value first: a face holds every value whole or is not filled.
  void fill(CalculationData given, const QString& file) override;
  // True when no unsaved work would be lost, or when the user agrees to lose it.
  bool discard_allowed() override;

 protected:
  CalculationWindow(const Kind& kind, Qt::WindowFlags flags);

  // The face: what the screen shows as a calculation's data (of the window's kind, typed in
  // the window); the controls given a calculation's data; the results and the problem of
  // Calculate; the description as the reports give it now; the focus at activation.
  virtual CalculationData screen_data() const = 0;
  virtual void show_data(const CalculationData& given) = 0;
  virtual void show_results(const Calculation& calculation) = 0;
  virtual void show_problem(const Problem& problem) = 0;
  virtual std::string description() const = 0;
  virtual void Form_Activate() = 0;
  // The kind's calculation of the data; a face that shows typed results keeps them here.
  virtual CalculationOutcome calculate(const CalculationData& given);
  // Sizes and places the window on its first showing: centred in `area`.
  virtual void place(const QRect& area);
  // The face forgets the results it shows: a filled window shows none until it calculates.
  virtual void clear_results() = 0;

  // Connects the face's buttons to the lifecycle's handlers; Save and Print start disabled.
  void connect_buttons();
  // The open dialog, as Ctrl+O shows it (a face's "Apri..." button).
  void apri_Click();
  // Turns on the tracking of changes (see above), the screen as it is now taken as saved.
  void track_changes(const QString& title);
  // The face's data changed (tracking faces): the last calculation is forgotten, Save and
  // Print wait for Calculate.
  void data_Change();

  // A message box or system dialog of the program run over this window: the window's
  // reactivation after it is no activation.
  void run_own_box(const std::function<void()>& show);

  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

  QPushButton* calcola = nullptr;
  QPushButton* stampa = nullptr;
  QPushButton* salva = nullptr;
  QPushButton* chiudi = nullptr;

 private:
  void calcola_Click();
  void salva_Click();
  void stampa_Click();
  void chiudi_Click();
  void end();
  // Save and Print disabled until a calculation of the data on the screen completes.
  void forget_calculation();
  ReportOutcome report(Version version) const;
  // The typeset report of the last calculation, for a kind that has one; empty otherwise.
  DocumentBuilder document() const;
  QString report_title() const;
  // The data file of the last completed calculation, with the description as it stands.
  std::string data_text() const;
  // The tracking face's title: the open file's name, the window's title, the unsaved mark.
  void show_title();
  // Saved work: what the screen shows equals `saved`, the data file's text last opened or saved.
  void take_as_saved(std::string saved, const QString& file);

  const Kind& kind_;
  FileOpening* opening_ = nullptr;
  // The last completed calculation, which Save and Print report, and the data it was given.
  std::optional<Calculation> last_;
  CalculationData last_data_;
  bool tracking_ = false;
  QString title_;
  QString file_;
  std::string saved_;  // the data file's text of the data last opened or saved
  int own_boxes_open_ = 0;
  bool skip_next_activation_ = false;
  bool placed_ = false;
};

}  // namespace fondara::window
