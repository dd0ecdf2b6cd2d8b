#include "verifica/form_verifica.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/data_file.h"
#include "core/field_reader.h"
#include "core/number_text.h"
#include "output/report_text.h"
#include "verifica/footing_plan.h"
#include "verifica/footing_plan_view.h"
#include "verifica/kind.h"
#include "verifica/kind_window.h"
#include "verifica/load_table.h"
#include "verifica/verification_report.h"
#include "verifica/verification_texts.h"
#include "window/accessible_names.h"
#include "window/controls.h"
#include "window/numeric_field.h"
#include "window/pictures.h"
#include "window/qt_text.h"
#include "window/save_print.h"
#include "window/toolkit.h"

namespace fondara::verifica {

namespace {

using window::capitalised;
using window::qt_text;

// The footing's and the soil's number fields in the window's order: the water table before
// γsat, which it enables.
constexpr std::array<std::string_view, 10> kFootingFields{
    "larghezza", "lunghezza",        "profondita",           "inclinazione_base",
    "angolo",    "coesione_drenata", "coesione_non_drenata", "peso_terreno",
    "falda",     "peso_saturo"};

// The fields of one condition, as read_footing reads them.
bool drained_only(std::string_view name) {
  return name == "angolo" || name == "coesione_drenata" || name == "falda" || name == "peso_saturo";
}
bool undrained_only(std::string_view name) {
  return name == "coesione_non_drenata";
}

// Fields without a value of their own that read_footing requires where they are enabled.
bool required_where_enabled(std::string_view name) {
  return name == "angolo" || name == "coesione_non_drenata" || name == "peso_saturo";
}

const QColor verified_green(144, 238, 144);
const QColor failed_red(255, 160, 160);

const Field& field_named(std::string_view name) {
  return field_of_control(verifica_kind().fields, name);
}

std::vector<std::string> row_texts(const Outcome<Verification, Refusal>& outcome) {
  const ColumnTexts texts = column_texts(outcome);
  return {texts.begin(), texts.end()};
}

bool is_blank(const QString& text) {
  return text.trimmed().isEmpty();
}

// The plan of the footing under one combination's loads, as the kind reads B, L, N, MB and
// ML; or what it waits for.
Outcome<Drawing, QString> plan_of(const FieldTexts& texts, const FieldTexts& loads) {
  FieldReader footing(verifica_kind().fields, texts, Source::window);
  const double B = footing.decimal("larghezza");
  const double L = footing.decimal("lunghezza");
  FieldReader row(verifica_kind().fields, loads, Source::window);
  const double N = row.decimal("N");
  const double MB = row.decimal("MB", true);
  const double ML = row.decimal("ML", true);
  if (footing.problem() || row.problem() || !(B > 0) || !(L > 0) || !(N > 0))
    return Failed{
        QStringLiteral("La pianta della fondazione compare con B, L e il carico N "
                       "della combinazione scelta.")};
  // A load off the footing is not drawn.
  if (!(std::fabs(MB) / N <= B / 2) || !(std::fabs(ML) / N <= L / 2))
    return Failed{
        QStringLiteral("Il carico della combinazione scelta cade fuori dalla fondazione.")};
  return footing_plan(B, L, {.N = N, .MB = MB, .ML = ML}, true);
}

QPushButton* make_button(const QString& text, const char* name, const QString& spoken = {}) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  const QString accessible = spoken.isEmpty() ? window::accessible_name(name) : spoken;
  if (!accessible.isEmpty()) button->setAccessibleName(accessible);
  // Enter presses the focused button, as Space does; no button is a default button.
  button->setAutoDefault(true);
  return button;
}

}  // namespace

form_verifica::form_verifica() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("form_verifica"));
  setWindowTitle(QStringLiteral("Verifica della fondazione - NTC 2018 / EC7"));
  setWindowIcon(window::icona_calcolo());
  new window::FileOpening(*this);

  auto* description_row = new QHBoxLayout;
  descrizione = new QLineEdit;
  descrizione->setObjectName(QStringLiteral("descrizione"));
  descrizione->setMaxLength(window::kLongestDescription);
  descrizione->setAccessibleName(qt_text(spoken_name(field_named("descrizione").text)));
  auto* description_caption = new QLabel(QStringLiteral("&Descrizione:"));
  description_caption->setBuddy(descrizione);
  description_row->addWidget(description_caption);
  description_row->addWidget(descrizione, 1);

  auto* top = new QHBoxLayout;
  top->addWidget(footing_group());
  top->addWidget(plan_group(), 1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(loads_group(), 3);
  middle->addWidget(values_group(), 1);

  esito_verifica = new QLabel;
  esito_verifica->setObjectName(QStringLiteral("esito_verifica"));
  esito_verifica->setAccessibleName(QStringLiteral("Esito della verifica"));
  esito_verifica->setTextFormat(Qt::PlainText);
  esito_verifica->setWordWrap(true);
  esito_verifica->setMargin(esito_verifica->fontMetrics().height() / 3);
  esito_verifica->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QFont verdict_font = esito_verifica->font();
  verdict_font.setBold(true);
  verdict_font.setPointSizeF(verdict_font.pointSizeF() * 1.25);
  esito_verifica->setFont(verdict_font);

  calcola = make_button(QStringLiteral("&CALCOLA"), "calcola");
  salva = make_button(QStringLiteral("&SALVA"), "salva");
  stampa = make_button(QStringLiteral("S&TAMPA"), "stampa");
  chiudi = make_button(QStringLiteral("C&HIUDI"), "chiudi");
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {calcola, salva, stampa}) buttons->addWidget(button);
  buttons->addStretch(1);
  buttons->addWidget(chiudi);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(description_row);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addWidget(esito_verifica);
  layout->addLayout(buttons);

  connect(calcola, &QPushButton::clicked, this, &form_verifica::calcola_Click);
  connect(salva, &QPushButton::clicked, this, &form_verifica::salva_Click);
  connect(stampa, &QPushButton::clicked, this, &form_verifica::stampa_Click);
  connect(chiudi, &QPushButton::clicked, this, &form_verifica::chiudi_Click);
  set_tab_order();
  salva->setEnabled(false);
  stampa->setEnabled(false);
  combinazioni->add_row();
  clear_results();
}

form_verifica::~form_verifica() {
  // The controls outlive the members: a cell editor that loses the focus as the window goes
  // still commits its text, which must not reach the handlers any more.
  for (QObject* child : findChildren<QObject*>())
    QObject::disconnect(child, nullptr, this, nullptr);
}

QWidget* form_verifica::footing_group() {
  auto* group = new QGroupBox(QStringLiteral("Fondazione e terreno"));
  auto* grid = new QGridLayout(group);
  int row = 0;

  const Field& condition = field_named("condizioni");
  auto* options = new QWidget;
  options->setObjectName(qt_text(condition.text.control));
  options->setAccessibleName(capitalised(condition.text.meaning));
  auto* option_layout = new QHBoxLayout(options);
  option_layout->setContentsMargins(0, 0, 0, 0);
  std::array<QRadioButton*, 2> buttons{};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const Choice& choice = condition.choices[i];
    buttons[i] = new QRadioButton(capitalised(choice.words));
    buttons[i]->setObjectName(qt_text(choice.code));
    option_layout->addWidget(buttons[i]);
  }
  drenate = buttons[0];
  non_drenate = buttons[1];
  drenate->setChecked(true);
  for (QRadioButton* button : buttons)
    connect(button, &QRadioButton::toggled, this, [this](bool on) {
      if (on) data_Change();
    });
  grid->addWidget(new QLabel(capitalised(condition.text.meaning) + u':'), row++, 0, 1, 4);
  grid->addWidget(options, row++, 0, 1, 4);

  for (std::string_view name : kFootingFields) add_field_row(*grid, row++, field_named(name));

  const Field& set = field_named("approccio");
  approccio = new QComboBox;
  approccio->setObjectName(qt_text(set.text.control));
  approccio->setAccessibleName(capitalised(set.text.meaning));
  for (const Choice& choice : set.choices)
    approccio->addItem(qt_text(choice.words), qt_text(choice.code));
  approccio->setCurrentIndex(approccio->findData(qt_text(*set.fallback)));
  connect(approccio, &QComboBox::currentIndexChanged, this, &form_verifica::data_Change);
  auto* set_caption = new QLabel(capitalised(set.text.meaning) + u':');
  set_caption->setBuddy(approccio);
  grid->addWidget(set_caption, row++, 0, 1, 4);
  grid->addWidget(approccio, row++, 0, 1, 4);
  grid->setColumnStretch(1, 1);
  return group;
}

void form_verifica::add_field_row(QGridLayout& grid, int row, const Field& field) {
  auto* box = new window::NumericField(QString(), nullptr);
  box->setObjectName(qt_text(field.text.control));
  box->setAccessibleName(qt_text(spoken_name(field.text)));
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000,000")));
  // An optional field shows the value it takes when left empty.
  if (field.text.name == "falda")
    box->setPlaceholderText(QStringLiteral("nessuna"));
  else if (field.fallback)
    box->setPlaceholderText(qt_text(*field.fallback));
  if (!field.text.note.empty()) box->setToolTip(capitalised(field.text.note));
  connect(box, &QLineEdit::textChanged, this, [this, box] { field_Change(*box); });
  fields_.emplace(field.text.name, box);

  auto* symbol = new QLabel(qt_text(field.text.symbol));
  QFont bold = symbol->font();
  bold.setBold(true);
  symbol->setFont(bold);
  auto* meaning = new QLabel(capitalised(field.text.meaning));
  meaning->setBuddy(box);
  auto* unit = new QLabel(qt_text(field.text.unit));
  captions_.emplace(field.text.name, std::vector<QWidget*>{symbol, meaning, unit});
  grid.addWidget(symbol, row, 0);
  grid.addWidget(meaning, row, 1);
  grid.addWidget(box, row, 2);
  grid.addWidget(unit, row, 3);
}

QWidget* form_verifica::plan_group() {
  auto* group = new QGroupBox(QStringLiteral("Pianta della fondazione e carico"));
  auto* layout = new QVBoxLayout(group);
  pianta = new FootingPlanView(group);
  pianta->setObjectName(QStringLiteral("pianta"));
  layout->addWidget(pianta);
  return group;
}

QWidget* form_verifica::loads_group() {
  auto* group = new QGroupBox(QStringLiteral("Combinazioni di carico di progetto"));
  auto* layout = new QVBoxLayout(group);
  combinazioni = new LoadTable(group);
  layout->addWidget(combinazioni, 1);
  aggiungi = make_button(QStringLiteral("A&ggiungi riga"), "aggiungi",
                         QStringLiteral("Aggiungi una combinazione"));
  rimuovi = make_button(QStringLiteral("&Rimuovi righe"), "rimuovi",
                        QStringLiteral("Rimuovi le combinazioni selezionate"));
  incolla = make_button(QStringLiteral("&Incolla dal foglio di calcolo"), "incolla",
                        QStringLiteral("Incolla le combinazioni copiate da un foglio di calcolo"));
  incolla->setToolTip(QStringLiteral(
      "Righe separate da a capo, celle separate da tabulazioni, dalla cella scelta (Ctrl+V)"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {aggiungi, rimuovi, incolla}) buttons->addWidget(button);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  connect(combinazioni, &LoadTable::loads_changed, this, &form_verifica::data_Change);
  connect(combinazioni, &QTableWidget::currentCellChanged, this,
          &form_verifica::combinazioni_CurrentChange);
  connect(aggiungi, &QPushButton::clicked, this, &form_verifica::aggiungi_Click);
  connect(rimuovi, &QPushButton::clicked, this, &form_verifica::rimuovi_Click);
  connect(incolla, &QPushButton::clicked, this, &form_verifica::incolla_Click);
  return group;
}

QWidget* form_verifica::values_group() {
  valori_gruppo = new QGroupBox(QStringLiteral("Valori della combinazione"));
  auto* layout = new QVBoxLayout(valori_gruppo);
  const auto results = verifica_kind().results;
  valori = new QTableWidget(static_cast<int>(results.size()), 3, valori_gruppo);
  valori->setObjectName(QStringLiteral("valori"));
  valori->setAccessibleName(QStringLiteral("Valori della combinazione scelta"));
  valori->setHorizontalHeaderLabels(
      {QStringLiteral("Grandezza"), QStringLiteral("Valore"), QStringLiteral("Unità")});
  valori->verticalHeader()->hide();
  valori->verticalHeader()->setDefaultSectionSize(valori->fontMetrics().height() + 4);
  valori->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // One tab stop: Tab goes on to CALCOLA, the arrows run through the values.
  valori->setTabKeyNavigation(false);
  valori->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  valori->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  for (std::size_t i = 0; i < results.size(); ++i) {
    const FieldText& text = results[i].text;
    const int row = static_cast<int>(i);
    auto* symbol = new QTableWidgetItem(text.symbol.empty() ? capitalised(text.meaning)
                                                            : qt_text(text.symbol));
    symbol->setToolTip(capitalised(text.meaning));
    valori->setItem(row, 0, symbol);
    auto* value = new QTableWidgetItem;
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    valori->setItem(row, 1, value);
    valori->setItem(row, 2, new QTableWidgetItem(qt_text(text.unit)));
  }
  layout->addWidget(valori);
  return valori_gruppo;
}

void form_verifica::set_tab_order() {
  std::vector<QWidget*> order{descrizione, drenate, non_drenate};
  for (std::string_view name : kFootingFields) order.push_back(fields_.find(name)->second);
  for (QWidget* widget :
       std::initializer_list<QWidget*>{approccio, combinazioni, aggiungi, rimuovi, incolla, valori,
                                       calcola, salva, stampa, chiudi})
    order.push_back(widget);
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void form_verifica::field_Change(window::NumericField& field) {
  // The check of the windows' number fields: a text that is not a number, pasted or left by
  // a second comma, is refused and the field emptied. Empty is allowed: optional fields.
  const QString text = field.text();
  // A cell copied from a spreadsheet comes with its line end: the number is kept without it.
  if (const QString trimmed = text.trimmed();
      trimmed != text && typed_decimal(trimmed.toStdString())) {
    field.setText(trimmed);
    return;  // the change runs again for the number
  }
  if (!text.isEmpty() && !typed_decimal(text.toStdString())) {
    window::beep();
    field.clear();
    field.setFocus();
    return;  // the emptying was itself a change
  }
  data_Change();
}

void form_verifica::data_Change() {
  enable_fields();
  if (results_shown_) clear_results();
  calcola->setEnabled(data_complete());
  show_plan();
}

void form_verifica::enable_fields() {
  const bool drained = drenate->isChecked();
  const bool water_table = !is_blank(fields_.find("falda")->second->text());
  for (const auto& [name, field] : fields_) {
    bool enabled = drained ? !undrained_only(name) : !drained_only(name);
    if (name == "peso_saturo") enabled = enabled && water_table;
    field->setEnabled(enabled);
    for (QWidget* caption : captions_.find(name)->second) caption->setEnabled(enabled);
  }
}

bool form_verifica::data_complete() const {
  for (const auto& [name, field] : fields_) {
    const bool required = !field_named(name).fallback || required_where_enabled(name);
    if (field->isEnabled() && required && is_blank(field->text())) return false;
  }
  for (const FieldTexts& loads : combinazioni->combinations())
    if (loads.contains("N")) return true;
  return false;
}

GivenTexts form_verifica::given_texts() const {
  GivenTexts given;
  const Field& condition = field_named("condizioni");
  given.texts.emplace(condition.text.name, condition.choices[drenate->isChecked() ? 0 : 1].code);
  for (const auto& [name, field] : fields_)
    if (!is_blank(field->text())) given.texts.emplace(name, field->text().toStdString());
  given.texts.emplace("approccio", approccio->currentData().toString().toStdString());
  if (!descrizione->text().isEmpty())
    given.texts.emplace("descrizione", descrizione->text().toStdString());
  given.combinations = combinazioni->combinations();
  return given;
}

std::optional<GivenTexts> form_verifica::last_texts() const {
  if (!last_texts_) return std::nullopt;
  GivenTexts given = *last_texts_;
  given.texts.erase("descrizione");
  if (!descrizione->text().isEmpty())
    given.texts.emplace("descrizione", descrizione->text().toStdString());
  return given;
}

void form_verifica::fill(const FieldTexts& texts, const std::vector<FieldTexts>& combinations) {
  const auto text_of = [&texts](std::string_view name) {
    const auto found = texts.find(name);
    return found == texts.end() ? QString() : QString::fromStdString(found->second);
  };
  const QString condition = text_of("condizioni").trimmed();
  const Field& conditions = field_named("condizioni");
  const bool undrained =
      condition.compare(qt_text(conditions.choices[1].code), Qt::CaseInsensitive) == 0;
  (undrained ? non_drenate : drenate)->setChecked(true);
  for (const auto& [name, field] : fields_) field->setText(text_of(name));
  const int set =
      approccio->findData(text_of("approccio").trimmed(), Qt::UserRole, Qt::MatchFixedString);
  approccio->setCurrentIndex(std::max(set, 0));
  descrizione->setText(text_of("descrizione"));
  combinazioni->set_combinations(combinations);
  data_Change();
}

const Kind& form_verifica::kind() const {
  return verifica_kind();
}

std::optional<window::RefusedValue> form_verifica::refused_value(
    const CalculationData& given) const {
  const auto refused = [](const FieldTexts& texts, std::string_view name, bool signed_value,
                          std::size_t combination) -> std::optional<window::RefusedValue> {
    const auto found = texts.find(name);
    if (found == texts.end()) return std::nullopt;
    const QString text = QString::fromStdString(found->second);
    // A blank text is left empty, as the optional fields' "not given".
    return window::refused_number(field_named(name).text.name, text,
                                  is_blank(text) || cell_accepts(text, signed_value), combination);
  };
  for (std::string_view name : kFootingFields)
    if (auto value = refused(given.texts, name, false, 0)) return value;
  for (std::size_t row = 0; row < given.combinations.size(); ++row)
    for (int column = 0; column < LoadTable::kLoadColumns; ++column)
      if (auto value =
              refused(given.combinations[row], LoadTable::load_field(column), column > 0, row + 1))
        return value;
  return std::nullopt;
}

void form_verifica::fill(const CalculationData& given) {
  // SALVA and STAMPA report the file's calculation, once it has completed.
  last_.reset();
  last_texts_.reset();
  clear_results();
  salva->setEnabled(false);
  stampa->setEnabled(false);
  // The kind reads its numbers alike from a window and from the terminal.
  fill(given.texts, given.combinations);
  calcola_Click();
}

std::string form_verifica::data_text() const {
  const std::optional<GivenTexts> given = last_texts();
  if (!given) programming_error("data without a calculation");
  return data_file_text({.kind = &verifica_kind(),
                         .source = Source::window,
                         .texts = given->texts,
                         .combinations = given->combinations});
}

void form_verifica::combinazioni_CurrentChange() {
  show_plan();
  show_values();
}

void form_verifica::aggiungi_Click() {
  if (!combinazioni->add_row()) window::beep();
  combinazioni->setFocus();
}

void form_verifica::rimuovi_Click() {
  combinazioni->remove_selected_rows();
  combinazioni->setFocus();
}

void form_verifica::incolla_Click() {
  combinazioni->paste_clipboard();
  combinazioni->setFocus();
}

void form_verifica::calcola_Click() {
  const GivenTexts given = given_texts();
  auto footing = calculate_footing({.kind = &verifica_kind(),
                                    .source = Source::window,
                                    .texts = given.texts,
                                    .combinations = given.combinations});
  if (!footing) {
    window::message_box(this, qt_text(footing.error().message));
    return;
  }
  last_footing_ = std::make_shared<const FootingCalculation>(*std::move(footing));
  last_ = calculation_of(last_footing_);
  last_texts_ = given;
  show_results();
  salva->setEnabled(true);
  stampa->setEnabled(true);
}

void form_verifica::show_results() {
  const FootingChecks& checks = last_footing_->checks;
  std::vector<std::vector<std::string>> rows;
  for (const Check& check : checks.checks) rows.push_back(row_texts(check.outcome));
  combinazioni->show_results(rows, checks.governing);
  results_shown_ = true;

  const QString text = qt_text(footing_verdict_line(checks.verdict)) + QStringLiteral(" \u2014 ") +
                       qt_text(governing_line(checks, last_footing_->footing.conditions));
  QPalette palette = esito_verifica->palette();
  palette.setColor(QPalette::Window, checks.verdict.verified() ? verified_green : failed_red);
  palette.setColor(QPalette::WindowText, Qt::black);
  esito_verifica->setPalette(palette);
  esito_verifica->setAutoFillBackground(true);
  esito_verifica->setText(text);
  combinazioni->setCurrentCell(checks.governing ? static_cast<int>(*checks.governing) : 0, 0);
  show_values();
}

void form_verifica::clear_results() {
  results_shown_ = false;
  combinazioni->clear_results();
  esito_verifica->setPalette(QPalette());
  esito_verifica->setAutoFillBackground(false);
  esito_verifica->setText(
      last_ ? QStringLiteral("Dati cambiati dopo l'ultimo calcolo: premere CALCOLA.")
            : QStringLiteral("Scrivere i dati e le combinazioni di carico, poi premere CALCOLA."));
  show_values();
}

int form_verifica::selected_row() const {
  const int row = combinazioni->currentRow();
  return row >= 0 ? row : 0;
}

void form_verifica::show_plan() {
  const GivenTexts given = given_texts();
  const std::size_t row = static_cast<std::size_t>(selected_row());
  const auto plan = plan_of(
      given.texts, row < given.combinations.size() ? given.combinations[row] : FieldTexts{});
  if (plan)
    pianta->show_plan(*plan);
  else
    pianta->show_plan(std::nullopt, plan.error());
}

void form_verifica::show_values() {
  const std::size_t row = static_cast<std::size_t>(selected_row());
  const bool shown = results_shown_ && row < last_footing_->checks.checks.size();
  const ColumnTexts columns =
      shown ? column_texts(last_footing_->checks.checks[row].outcome) : ColumnTexts{};
  valori_gruppo->setTitle(shown ? QStringLiteral("Valori della combinazione %1").arg(row + 1)
                                : QStringLiteral("Valori della combinazione"));
  for (int i = 0; i < valori->rowCount(); ++i) {
    const QString value = shown ? qt_text(columns[static_cast<std::size_t>(i)]) : QString();
    valori->item(i, 1)->setText(value);
    valori->item(i, 1)->setToolTip(value);
  }
}

ReportOutcome form_verifica::report(Version version) const {
  // SALVA and STAMPA are enabled only once a calculation has completed; the description is
  // the box's, as the reports of the other windows take it.
  if (!last_) programming_error("report without a calculation");
  return last_->report(version, descrizione->text().toStdString());
}

Document form_verifica::document() const {
  if (!last_) programming_error("report without a calculation");
  return last_->document(descrizione->text().toStdString());
}

void form_verifica::salva_Click() {
  if (!window::description_reportable(this, descrizione->text().toStdString(), window::message_box))
    return;
  window::save_report(
      this, [this](Version version) { return report(version); },
      QString::fromStdString(output::report_title(verifica_kind().title)), data_text(),
      window::toolkit().save_choice, window::message_box, [this] { return document(); });
}

void form_verifica::stampa_Click() {
  if (!window::description_reportable(this, descrizione->text().toStdString(), window::message_box))
    return;
  window::print_report(
      this, [this](Version version) { return report(version); },
      QString::fromStdString(output::report_title(verifica_kind().title)),
      window::toolkit().printer, window::message_box, [this] { return document(); });
}

void form_verifica::chiudi_Click() {
  hide();
  window::end_program();
}

void form_verifica::closeEvent(QCloseEvent* event) {
  // As CHIUDI: the other calculation windows are loaded but hidden, and no process may stay
  // without a window.
  event->accept();
  chiudi_Click();
}

void form_verifica::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  const QRect area = screen()->availableGeometry();
  resize(sizeHint().boundedTo(area.size() * 0.95).expandedTo(minimumSizeHint()));
  window::place_centred(*this, area);
  fields_.find("larghezza")->second->setFocus();
}

const window::KindWindow& verifica_window() {
  static const window::KindWindow kind_window{
      &verifica_kind(),
      {"pulsante_verifica",
       "Verifica con carichi eccentrici e inclinati (NTC 2018 / EC7)",
       {120, 2580, 6770, 600},
       4},
      [] { return std::unique_ptr<QWidget>(new form_verifica); }};
  return kind_window;
}

}  // namespace fondara::verifica
