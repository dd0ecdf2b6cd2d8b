#include "window/calculation_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QPushButton>
#include <QScreen>

#include "output/report_text.h"
#include "window/controls.h"
#include "window/pictures.h"
#include "window/save_dialog.h"
#include "window/save_print.h"
#include "window/toolkit.h"

namespace fondara::window {

namespace {

constexpr char kUnsavedQuestion[] =
    "I dati sono cambiati dopo l'ultimo salvataggio in un file che si può "
    "riaprire (dati del calcolo o relazione PDF/A) e andranno persi.\n\nContinuare?";

}  // namespace

CalculationWindow::CalculationWindow(const Kind& kind, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), kind_(kind) {
  setWindowIcon(icona_calcolo());
  opening_ = new FileOpening(*this);
}

void CalculationWindow::connect_buttons() {
  connect(calcola, &QPushButton::clicked, this, &CalculationWindow::calcola_Click);
  connect(salva, &QPushButton::clicked, this, &CalculationWindow::salva_Click);
  connect(stampa, &QPushButton::clicked, this, &CalculationWindow::stampa_Click);
  connect(chiudi, &QPushButton::clicked, this, &CalculationWindow::chiudi_Click);
  stampa->setEnabled(false);
  salva->setEnabled(false);
}

void CalculationWindow::apri_Click() {
  opening_->ask();
}

void CalculationWindow::track_changes(const QString& title) {
  tracking_ = true;
  title_ = title;
  take_as_saved(data_file_text(screen_data()), {});
}

void CalculationWindow::data_Change() {
  if (!tracking_) return;
  forget_calculation();
  setWindowModified(true);
}

void CalculationWindow::forget_calculation() {
  last_.reset();
  last_data_ = {};
  stampa->setEnabled(false);
  salva->setEnabled(false);
}

CalculationOutcome CalculationWindow::calculate(const CalculationData& given) {
  return kind_.calculate(given);
}

void CalculationWindow::calcola_Click() {
  CalculationData screen = screen_data();
  const CalculationOutcome outcome = calculate(screen);
  if (!outcome) return show_problem(outcome.error());
  last_ = *outcome;
  last_data_ = std::move(screen);
  show_results(*last_);
  stampa->setEnabled(true);
  salva->setEnabled(true);
}

void CalculationWindow::fill(CalculationData given, const QString& file) {
  // What SALVA and STAMPA write belongs to this data from now on, once it has calculated.
  forget_calculation();
  clear_results();
  show_data(given);
  // The screen holds the data now: a file of thousands of combinations is not kept twice.
  given = {};
  if (tracking_) take_as_saved(data_file_text(screen_data()), file);
  calcola_Click();
}

bool CalculationWindow::discard_allowed() {
  if (!tracking_ || data_file_text(screen_data()) == saved_) return true;
  bool discard = false;
  run_own_box(
      [this, &discard] { discard = toolkit().confirm(this, QString::fromUtf8(kUnsavedQuestion)); });
  return discard;
}

void CalculationWindow::take_as_saved(std::string saved, const QString& file) {
  saved_ = std::move(saved);
  if (!file.isEmpty()) {
    file_ = file;
    remember_folder(*this, file);
  }
  setWindowModified(false);
  show_title();
}

void CalculationWindow::show_title() {
  const QString name = QFileInfo(file_).fileName();
  setWindowTitle(name.isEmpty() ? title_ + QStringLiteral("[*]")
                                : name + QStringLiteral("[*] - ") + title_);
}

std::string CalculationWindow::data_text() const {
  // The description as the reports give it: the box's, when the data is saved.
  CalculationData saved = last_data_;
  saved.texts["descrizione"] = description();
  return data_file_text(saved);
}

ReportOutcome CalculationWindow::report(Version version) const {
  // Save and Print are enabled only once a calculation has completed.
  if (!last_) programming_error("report without a calculation");
  return last_->report(version, description());
}

QString CalculationWindow::report_title() const {
  return QString::fromStdString(output::report_title(kind_.title));
}

DocumentBuilder CalculationWindow::document() const {
  if (!last_ || !last_->document) return {};
  return [this] { return last_->document(description()); };
}

void CalculationWindow::salva_Click() {
  SaveChoice written;
  std::string written_data = data_text();
  run_own_box([this, &written, &written_data] {
    if (!description_reportable(this, description(), message_box)) return;
    written = save_report(
        this, [this](Version version) { return report(version); }, report_title(), written_data,
        toolkit().save_choice, message_box, document(),
        [this] { return output::file_bytes(*last_, description()); });
  });
  if (!tracking_ || written.path.isEmpty()) return;
  // A data file or a PDF/A report reopens to the data written, the description as it stands: the
  // work is saved. A text or ODT report holds no data: the work is still to be saved.
  if (written.type == FileType::data || written.type == FileType::pdfa)
    return take_as_saved(std::move(written_data), written.path);
  remember_folder(*this, written.path);
}

void CalculationWindow::stampa_Click() {
  run_own_box([this] {
    if (!description_reportable(this, description(), message_box)) return;
    print_report(
        this, [this](Version version) { return report(version); }, report_title(),
        toolkit().printer, message_box, document());
  });
}

void CalculationWindow::chiudi_Click() {
  if (discard_allowed()) end();
}

void CalculationWindow::end() {
  hide();
  end_program();
}

void CalculationWindow::run_own_box(const std::function<void()>& show) {
  ++own_boxes_open_;
  show();
  --own_boxes_open_;
  // A desktop with a window manager reactivates the window after the box closes, one
  // without leaves it inactive; ask for the reactivation and let it pass either way.
  if (own_boxes_open_ == 0 && isVisible() && !isActiveWindow()) {
    skip_next_activation_ = true;
    activateWindow();
  }
}

void CalculationWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (own_boxes_open_ > 0 || skip_next_activation_) {
    skip_next_activation_ = false;
    return;
  }
  Form_Activate();
}

void CalculationWindow::closeEvent(QCloseEvent* event) {
  // The frame's close box ends the program as chiudi does: no process may stay without a
  // window. Declined, the window stays.
  if (!discard_allowed()) return event->ignore();
  event->accept();
  end();
}

void CalculationWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  place(screen()->availableGeometry());
}

void CalculationWindow::place(const QRect& area) {
  place_centred(*this, area);
}

}  // namespace fondara::window
