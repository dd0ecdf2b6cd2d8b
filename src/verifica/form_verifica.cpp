#include "verifica/form_verifica.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "core/field_reader.h"
#include "core/number_text.h"
#include "verifica/checks_table.h"
#include "verifica/combinations.h"
#include "verifica/decimal_field.h"
#include "verifica/footing_plan.h"
#include "verifica/footing_plan_view.h"
#include "verifica/kind_window.h"
#include "verifica/text_table.h"
#include "verifica/verification_texts.h"
#include "window/controls.h"
#include "window/qt_text.h"
#include "window/toolkit.h"

namespace fondara::verifica {

namespace {

using window::capitalised;
using window::qt_text;

const QString kTitle = QStringLiteral("Verifica della fondazione - NTC 2018 / EC7");

// The fields of each group, in the window's order: the water table before γsat, which it
// enables.
constexpr std::array<std::string_view, 5> kProjectFields{"opera", "committente", "progettista",
                                                         "elemento", "data"};
constexpr std::array<std::string_view, 10> kFootingFields{
    "larghezza", "lunghezza",        "profondita",           "inclinazione_base",
    "angolo",    "coesione_drenata", "coesione_non_drenata", "peso_terreno",
    "falda",     "peso_saturo"};
constexpr std::array<std::string_view, 3> kSeismicFields{"kh_terreno", "gamma_r_sismico",
                                                         "angolo_stato_critico"};

// The fields of one condition, as read_footing reads them.
bool drained_only(std::string_view name) {
  return name == "angolo" || name == "coesione_drenata" || name == "falda" ||
         name == "peso_saturo" || name == "angolo_stato_critico" || name == "prefabbricata";
}
bool undrained_only(std::string_view name) {
  return name == "coesione_non_drenata" || name == "acqua_interfaccia";
}

// What an empty optional field stands for, where its fallback does not say it.
QString placeholder(const Field& field) {
  const std::string_view name = field.text.name;
  if (name == "falda") return QStringLiteral("nessuna");
  if (name == "angolo_stato_critico") return QStringLiteral("φ'k");
  if (name == "gamma_r_sismico") return QStringLiteral("2,3; 1,8 con kh > 0");
  if (name == "data") return QStringLiteral("oggi");
  return field.fallback ? qt_text(*field.fallback) : QString();
}

const QColor verified_green(144, 238, 144);
const QColor failed_red(255, 160, 160);

const Field& field_named(std::string_view name) {
  const Field* field = find_field(verifica_kind().fields, name);
  if (field == nullptr) programming_error("no field " + std::string(name));
  return *field;
}

// The columns of the tables: the actions' fields; the per-combination fields.
std::vector<TableColumn> action_columns() {
  std::vector<TableColumn> columns;
  for (const Field& field : verifica_kind().action_fields)
    columns.push_back({&field, field.type == FieldType::number});
  return columns;
}
std::vector<TableColumn> combination_columns() {
  std::vector<TableColumn> columns;
  for (const Field& field : verifica_kind().fields)
    if (field.per_combination) columns.push_back({&field, field.text.name != "N"});
  return columns;
}

// The meaning of a field up to its first bracket, as a check box's caption.
QString short_meaning(const Field& field) {
  const QString meaning = capitalised(field.text.meaning);
  const qsizetype bracket = meaning.indexOf(u'(');
  return bracket > 0 ? meaning.left(bracket).trimmed() : meaning;
}

// A message of the kind in the window's words: a field named as the terminal names it
// (peso_saturo, "il valore di profondita") is named by its symbol as the window shows it.
QString in_window_words(const std::string& message) {
  const auto named = [](const std::string& word) -> const Field* {
    if (const Field* field = find_field(verifica_kind().fields, word)) return field;
    return find_field(verifica_kind().action_fields, word);
  };
  const auto is_word = [](char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '_';
  };
  std::string text, previous;
  for (std::size_t i = 0; i < message.size();) {
    std::size_t end = i;
    while (end < message.size() && is_word(message[end])) ++end;
    if (end == i) {
      text += message[i++];
      continue;
    }
    const std::string word = message.substr(i, end - i);
    const Field* field = named(word);
    const bool terminal_name = word.find('_') != std::string::npos || word == "profondita" ||
                               previous == "di" || previous == "campo";
    if (field != nullptr && terminal_name && !field->text.symbol.empty())
      text += field->text.symbol;
    else if (field != nullptr && terminal_name && word.find('_') != std::string::npos)
      text += '"' + short_meaning(*field).toStdString() + '"';
    else
      text += word;
    previous = word;
    i = end;
  }
  return qt_text(text);
}

QPushButton* make_button(const QString& text, const char* name, const QString& tip = {}) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  if (!tip.isEmpty()) {
    button->setToolTip(tip);
    button->setAccessibleName(tip);
  }
  // Enter presses the focused button, as Space does; no button is a default button.
  button->setAutoDefault(true);
  return button;
}

QTableView* make_read_only_table(QAbstractItemModel* model, const char* name,
                                 const QString& spoken) {
  auto* table = new QTableView;
  table->setObjectName(QString::fromLatin1(name));
  table->setAccessibleName(spoken);
  table->setModel(model);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setTabKeyNavigation(false);
  table->setWordWrap(false);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

QGroupBox* group(const QString& title, const char* name) {
  auto* box = new QGroupBox(title);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

// The texts of the data as a window keeps them: a number typed at the terminal with the
// comma its keys would make of a full stop.
std::string as_shown(const std::string& text, Source source) {
  return source == Source::terminal ? as_typed_in_window(trim_blanks(text)) : text;
}

}  // namespace

form_verifica::form_verifica() : CalculationWindow(verifica_kind(), Qt::Window) {
  setObjectName(QStringLiteral("form_verifica"));

  auto* left_column = new QWidget;
  auto* left = new QVBoxLayout(left_column);
  left->addWidget(project_group());
  left->addWidget(footing_group());
  left->addWidget(seismic_group());
  left->addStretch(1);
  auto* left_scroll = new QScrollArea;
  left_scroll->setObjectName(QStringLiteral("dati"));
  left_scroll->setWidget(left_column);
  left_scroll->setWidgetResizable(true);
  left_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  left_scroll->setFrameShape(QFrame::NoFrame);
  // The captions wrap: the data take little room beside the tables.
  left_scroll->setMinimumWidth(20 * fontMetrics().height() +
                               left_scroll->verticalScrollBar()->sizeHint().width());

  auto* loads = new QSplitter(Qt::Vertical);
  loads->addWidget(actions_group());
  loads->addWidget(combinations_group());
  auto* results = new QSplitter(Qt::Vertical);
  results->addWidget(checks_group());
  results->addWidget(check_group());
  columns_ = new QSplitter(Qt::Horizontal);
  for (QSplitter* splitter : {columns_, loads, results}) splitter->setChildrenCollapsible(false);
  columns_->addWidget(left_scroll);
  columns_->addWidget(loads);
  columns_->addWidget(results);
  columns_->setStretchFactor(1, 2);
  columns_->setStretchFactor(2, 2);
  // On a screen too small for every column the window scrolls.
  auto* page = new QScrollArea;
  page->setWidget(columns_);
  page->setWidgetResizable(true);
  page->setFrameShape(QFrame::NoFrame);

  esito_verifica = new QLabel;
  esito_verifica->setObjectName(QStringLiteral("esito_verifica"));
  esito_verifica->setTextFormat(Qt::PlainText);
  esito_verifica->setWordWrap(true);
  esito_verifica->setMargin(esito_verifica->fontMetrics().height() / 3);
  esito_verifica->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  esito_verifica->setFocusPolicy(Qt::TabFocus);
  QFont verdict_font = esito_verifica->font();
  verdict_font.setBold(true);
  verdict_font.setPointSizeF(verdict_font.pointSizeF() * 1.25);
  esito_verifica->setFont(verdict_font);

  apri = make_button(QStringLiteral("&Apri..."), "apri",
                     QStringLiteral("Apri un file di dati o una relazione PDF/A (Ctrl+O)"));
  calcola = make_button(QStringLiteral("&CALCOLA"), "calcola", QStringLiteral("Calcola"));
  salva = make_button(QStringLiteral("&SALVA"), "salva",
                      QStringLiteral("Salva la relazione o i dati del calcolo"));
  stampa = make_button(QStringLiteral("S&TAMPA"), "stampa",
                       QStringLiteral("Stampa la relazione di calcolo"));
  chiudi = make_button(QStringLiteral("C&HIUDI"), "chiudi", QStringLiteral("Chiudi il programma"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {apri, calcola, salva, stampa}) buttons->addWidget(button);
  buttons->addStretch(1);
  buttons->addWidget(chiudi);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(page, 1);
  layout->addWidget(esito_verifica);
  layout->addLayout(buttons);

  connect(apri, &QPushButton::clicked, this, &form_verifica::apri_Click);
  connect_buttons();
  set_tab_order();
  enable_fields();
  clear_results();
  show_generated();
  track_changes(kTitle);
}

form_verifica::~form_verifica() {
  // A cell being edited commits its text now, while the history it goes to is still there;
  // the controls outlive the members, so nothing they signal later reaches the handlers.
  if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
    focused->clearFocus();
  for (QObject* child : findChildren<QObject*>())
    QObject::disconnect(child, nullptr, this, nullptr);
}

QWidget* form_verifica::project_group() {
  auto* box = group(QStringLiteral("Progetto"), "progetto");
  auto* grid = new QGridLayout(box);
  int row = 0;
  for (std::string_view name : kProjectFields) add_field_row(*grid, row++, field_named(name));
  descrizione = new QLineEdit;
  descrizione->setMaxLength(window::kLongestDescription);
  descrizione->setObjectName(QStringLiteral("descrizione"));
  descrizione->setAccessibleName(qt_text(spoken_name(field_named("descrizione").text)));
  auto* caption = new QLabel(QStringLiteral("&Descrizione"));
  caption->setBuddy(descrizione);
  grid->addWidget(caption, row, 0, 1, 2);
  grid->addWidget(descrizione, row, 2, 1, 2);
  // The description is the reports' at the time they are made, as in every window: no
  // CALCOLA needed, but it is part of the work to save.
  connect(descrizione, &QLineEdit::textChanged, this, [this] { setWindowModified(true); });
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* form_verifica::footing_group() {
  auto* box = group(QStringLiteral("Fondazione e terreno"), "fondazione");
  auto* grid = new QGridLayout(box);
  int row = 0;

  const Field& condition = field_named("condizioni");
  auto* options = new QWidget;
  options->setObjectName(qt_text(condition.text.control));
  options->setAccessibleName(capitalised(condition.text.meaning));
  auto* option_layout = new QVBoxLayout(options);
  option_layout->setContentsMargins(0, 0, 0, 0);
  option_layout->setSpacing(0);
  for (const Choice& choice : condition.choices) {
    // The words up to their explanation; all of them in the tooltip.
    const QString words = capitalised(choice.words);
    qsizetype end = words.size();
    for (const QChar mark : {u'(', u':'})
      if (const qsizetype at = words.indexOf(mark); at > 0) end = std::min(end, at);
    auto* button = new QRadioButton(words.left(end).trimmed());
    button->setObjectName(qt_text(choice.code));
    button->setToolTip(capitalised(choice.words));
    option_layout->addWidget(button);
    conditions_.push_back(button);
  }
  conditions_.front()->setChecked(true);
  for (QRadioButton* button : conditions_)
    connect(button, &QRadioButton::toggled, this, [this](bool on) {
      if (on) changed();
    });
  grid->addWidget(new QLabel(capitalised(condition.text.meaning) + u':'), row++, 0, 1, 4);
  grid->addWidget(options, row++, 0, 1, 4);

  for (std::string_view name : kFootingFields) add_field_row(*grid, row++, field_named(name));

  const Field& set = field_named("approccio");
  approccio = new QComboBox;
  approccio->setObjectName(qt_text(set.text.control));
  approccio->setAccessibleName(capitalised(set.text.meaning));
  approccio->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  approccio->setMinimumContentsLength(12);
  for (const Choice& choice : set.choices) {
    approccio->addItem(qt_text(choice.words), qt_text(choice.code));
    approccio->setItemData(approccio->count() - 1, qt_text(choice.words), Qt::ToolTipRole);
  }
  approccio->setCurrentIndex(approccio->findData(qt_text(*set.fallback)));
  connect(approccio, &QComboBox::currentIndexChanged, this, [this] {
    changed();
    show_generated();
  });
  auto* set_caption = new QLabel(capitalised(set.text.meaning) + u':');
  set_caption->setBuddy(approccio);
  grid->addWidget(set_caption, row++, 0, 1, 4);
  grid->addWidget(approccio, row++, 0, 1, 4);
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* form_verifica::seismic_group() {
  auto* box = group(QStringLiteral("Sisma e scorrimento"), "sisma");
  auto* grid = new QGridLayout(box);
  int row = 0;
  for (std::string_view name : kSeismicFields) add_field_row(*grid, row++, field_named(name));
  // A choice of SI or NO: its meaning beside a check box, as a field's beside its box.
  for (QCheckBox** check : {&prefabbricata, &acqua_interfaccia}) {
    const Field& field =
        field_named(check == &prefabbricata ? "prefabbricata" : "acqua_interfaccia");
    *check = new QCheckBox;
    (*check)->setObjectName(qt_text(field.text.name));
    (*check)->setToolTip(capitalised(field.text.meaning));
    (*check)->setAccessibleName(capitalised(field.text.meaning));
    connect(*check, &QCheckBox::toggled, this, &form_verifica::changed);
    auto* meaning = new QLabel(short_meaning(field));
    meaning->setWordWrap(true);
    meaning->setBuddy(*check);
    grid->addWidget(meaning, row, 1);
    grid->addWidget(*check, row++, 2);
  }
  grid->setColumnStretch(1, 1);
  return box;
}

void form_verifica::add_field_row(QGridLayout& grid, int row, const Field& field) {
  QLineEdit* box = nullptr;
  if (field.type == FieldType::number) {
    box = new DecimalField(false, nullptr);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000,000")) + 12);
  } else {
    box = new QLineEdit;
    box->setMaxLength(window::kLongestDescription);
  }
  box->setObjectName(qt_text(field.text.name));
  box->setAccessibleName(qt_text(spoken_name(field.text)));
  box->setPlaceholderText(placeholder(field));
  if (!field.text.note.empty()) box->setToolTip(capitalised(field.text.note));
  connect(box, &QLineEdit::textChanged, this, &form_verifica::changed);
  fields_.emplace(field.text.name, box);

  auto* symbol = new QLabel(qt_text(field.text.symbol));
  QFont bold = symbol->font();
  bold.setBold(true);
  symbol->setFont(bold);
  auto* meaning = new QLabel(capitalised(field.text.meaning));
  meaning->setWordWrap(true);
  meaning->setBuddy(box);
  auto* unit = new QLabel(qt_text(field.text.unit));
  captions_.emplace(field.text.name, std::vector<QWidget*>{symbol, meaning, unit});
  grid.addWidget(symbol, row, 0);
  grid.addWidget(meaning, row, 1);
  grid.addWidget(box, row, 2);
  grid.addWidget(unit, row, 3);
}

// The captions and names of an editable table and of its buttons (UTF-8).
struct TableFace {
  const char *name, *caption, *spoken, *note;
  const char *add_name, *add_text, *add_tip;
  const char *remove_name, *remove_text, *remove_tip;
  const char *paste_name, *paste_tip;
};

constexpr TableFace kActionsFace{"azioni",
                                 "Azi&oni (valori caratteristici):",
                                 "Azioni caratteristiche",
                                 "azioni_nota",
                                 "aggiungi_azione",
                                 "Aggiungi azione",
                                 "Aggiungi un'azione",
                                 "rimuovi_azioni",
                                 "Rimuovi azioni",
                                 "Rimuovi le azioni selezionate",
                                 "incolla_azioni",
                                 "Incolla le azioni copiate da un foglio di calcolo"};
constexpr TableFace kCombinationsFace{"combinazioni",
                                      "Combinazioni d&igitate (valori di progetto):",
                                      "Combinazioni di carico digitate",
                                      "combinazioni_nota",
                                      "aggiungi",
                                      "Aggiungi riga",
                                      "Aggiungi una combinazione",
                                      "rimuovi",
                                      "Rimuovi righe",
                                      "Rimuovi le combinazioni selezionate",
                                      "incolla",
                                      "Incolla le combinazioni copiate da un foglio di calcolo"};

TextTable* form_verifica::add_table(QVBoxLayout& layout, TextTableModel& model,
                                    const TableFace& face) {
  auto* table = new TextTable(model, layout.parentWidget());
  table->setObjectName(QString::fromLatin1(face.name));
  table->setAccessibleName(QString::fromUtf8(face.spoken));
  table->setToolTip(QStringLiteral(
      "Ctrl+V incolla dal foglio di calcolo, Ctrl+Z annulla, Canc svuota le celle scelte"));
  auto* caption = new QLabel(QString::fromUtf8(face.caption));
  caption->setBuddy(table);
  layout.addWidget(caption);
  layout.addWidget(table, 2);
  auto* note = new QLabel;
  note->setObjectName(QString::fromLatin1(face.note));
  note->setWordWrap(true);
  note->hide();
  layout.addWidget(note);
  auto* add =
      make_button(QString::fromUtf8(face.add_text), face.add_name, QString::fromUtf8(face.add_tip));
  auto* remove = make_button(QString::fromUtf8(face.remove_text), face.remove_name,
                             QString::fromUtf8(face.remove_tip));
  auto* paste =
      make_button(QStringLiteral("Incolla"), face.paste_name, QString::fromUtf8(face.paste_tip));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {add, remove, paste}) buttons->addWidget(button);
  buttons->addStretch(1);
  layout.addLayout(buttons);
  connect(add, &QPushButton::clicked, table, [table] {
    if (!table->add_row()) window::beep();
    table->setFocus();
  });
  connect(remove, &QPushButton::clicked, table, [table] {
    table->remove_selected_rows();
    table->setFocus();
  });
  connect(paste, &QPushButton::clicked, table, [table] {
    table->paste_clipboard();
    table->setFocus();
  });
  connect(table, &TextTable::pasted, note, [note](const QString& text) {
    note->setText(text);
    note->setVisible(!text.isEmpty());
  });
  connect(&model, &TextTableModel::changed, this, [this] {
    changed();
    show_generated();
  });
  return table;
}

QWidget* form_verifica::actions_group() {
  auto* box = group(QStringLiteral("Azioni caratteristiche"), "azioni_gruppo");
  auto* layout = new QVBoxLayout(box);
  actions_ = new TextTableModel(action_columns(), static_cast<int>(kMaxActions), history_, this);
  azioni = add_table(*layout, *actions_, kActionsFace);
  return box;
}

QWidget* form_verifica::combinations_group() {
  auto* box = group(QStringLiteral("Combinazioni di carico"), "combinazioni_gruppo");
  auto* layout = new QVBoxLayout(box);
  typed_ = new TextTableModel(combination_columns(), 1000, history_, this);
  combinazioni = add_table(*layout, *typed_, kCombinationsFace);

  layout->addWidget(new QLabel(QStringLiteral("Generate dalle azioni:")));
  generated_ = new GeneratedModel(this);
  QTableView* generate = make_read_only_table(generated_, "generate",
                                              QStringLiteral("Combinazioni generate dalle azioni"));
  generate->setSelectionMode(QAbstractItemView::NoSelection);
  generate->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(generate, 2);
  generate_nota = new QLabel;
  generate_nota->setObjectName(QStringLiteral("generate_nota"));
  generate_nota->setWordWrap(true);
  generate_nota->setTextFormat(Qt::PlainText);
  layout->addWidget(generate_nota);

  // One undo history for both tables: Ctrl+Z where a table has the focus (a cell being edited
  // undoes its own typing).
  QAction* undo = history_.createUndoAction(this, QStringLiteral("Annulla"));
  undo->setShortcuts(QKeySequence::Undo);
  QAction* redo = history_.createRedoAction(this, QStringLiteral("Ripeti"));
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  for (QAction* action : {undo, redo}) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    azioni->addAction(action);
    combinazioni->addAction(action);
  }
  return box;
}

QWidget* form_verifica::checks_group() {
  auto* box = group(QStringLiteral("Verifiche"), "verifiche_gruppo");
  auto* layout = new QVBoxLayout(box);
  filtro = new QComboBox;
  filtro->setObjectName(QStringLiteral("filtro"));
  filtro->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  filtro->setMinimumContentsLength(14);
  filtro->setAccessibleName(QStringLiteral("Verifiche mostrate"));
  filtro->addItem(QStringLiteral("Tutte le verifiche"));
  filtro->addItem(QStringLiteral("Solo quelle non verificate o non calcolabili"));
  connect(filtro, &QComboBox::currentIndexChanged, this, &form_verifica::filtro_Change);
  conteggio = new QLabel;
  conteggio->setObjectName(QStringLiteral("conteggio"));
  conteggio->setWordWrap(true);
  auto* filter_row = new QHBoxLayout;
  auto* caption = new QLabel(QStringLiteral("&Mostra:"));
  caption->setBuddy(filtro);
  filter_row->addWidget(caption);
  filter_row->addWidget(filtro, 1);
  layout->addLayout(filter_row);
  layout->addWidget(conteggio);

  checks_ = new ChecksModel(this);
  shown_checks_ = new QSortFilterProxyModel(this);
  shown_checks_->setSourceModel(checks_);
  shown_checks_->setSortRole(ChecksModel::kSortRole);
  shown_checks_->setFilterRole(ChecksModel::kFailsRole);
  verifiche = make_read_only_table(shown_checks_, "verifiche", QStringLiteral("Verifiche"));
  verifiche->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  verifiche->setSortingEnabled(true);
  const QFontMetrics metrics = verifiche->fontMetrics();
  for (const auto& [column, sample] :
       {std::pair{ChecksModel::kMark, "★"},
        std::pair{ChecksModel::kCombination, "Comb. 1000 (gen.)"},
        std::pair{ChecksModel::kSituation, "Situazione"},
        std::pair{ChecksModel::kCondition, "non drenate"}, std::pair{ChecksModel::kU, "0,000"},
        std::pair{ChecksModel::kUh, "0,000"}})
    verifiche->setColumnWidth(column, metrics.horizontalAdvance(QString::fromUtf8(sample)) + 18);
  layout->addWidget(verifiche, 1);
  connect(verifiche->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid()) return show_check(std::nullopt);
            show_check(current.data(ChecksModel::kCheckRole).toULongLong());
          });
  return box;
}

QWidget* form_verifica::check_group() {
  auto* box = group(QStringLiteral("Verifica scelta"), "verifica_scelta");
  auto* layout = new QHBoxLayout(box);
  const auto results = verifica_kind().results;
  valori = new QTableWidget(static_cast<int>(results.size()), 3);
  valori->setObjectName(QStringLiteral("valori"));
  valori->setAccessibleName(QStringLiteral("Valori della verifica scelta"));
  valori->setHorizontalHeaderLabels(
      {QStringLiteral("Grandezza"), QStringLiteral("Valore"), QStringLiteral("Unità")});
  valori->verticalHeader()->hide();
  valori->verticalHeader()->setDefaultSectionSize(valori->fontMetrics().height() + 4);
  valori->setEditTriggers(QAbstractItemView::NoEditTriggers);
  valori->setTabKeyNavigation(false);
  valori->setWordWrap(false);
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
  // Wide enough for every symbol and unit and a value of ten characters: no value is cut.
  const QFontMetrics metrics = valori->fontMetrics();
  valori->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("Grandezza")) + 12);
  valori->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("-123456,789")) + 12);
  valori->horizontalHeader()->setStretchLastSection(true);
  valori->setMinimumWidth(valori->columnWidth(0) + valori->columnWidth(1) +
                          metrics.horizontalAdvance(QStringLiteral("gradi  ")) +
                          valori->verticalScrollBar()->sizeHint().width() +
                          2 * valori->frameWidth());
  layout->addWidget(valori);
  pianta = new FootingPlanView(box);
  pianta->setObjectName(QStringLiteral("pianta"));
  layout->addWidget(pianta, 1);
  return box;
}

void form_verifica::set_tab_order() {
  std::vector<QWidget*> order;
  for (std::string_view name : kProjectFields) order.push_back(fields_.find(name)->second);
  order.push_back(descrizione);
  order.insert(order.end(), conditions_.begin(), conditions_.end());
  for (std::string_view name : kFootingFields) order.push_back(fields_.find(name)->second);
  order.push_back(approccio);
  for (std::string_view name : kSeismicFields) order.push_back(fields_.find(name)->second);
  order.push_back(prefabbricata);
  order.push_back(acqua_interfaccia);
  for (const char* name :
       {"azioni", "aggiungi_azione", "rimuovi_azioni", "incolla_azioni", "combinazioni", "aggiungi",
        "rimuovi", "incolla", "generate", "filtro", "verifiche", "valori"})
    order.push_back(findChild<QWidget*>(QString::fromLatin1(name)));
  for (QWidget* widget : {static_cast<QWidget*>(esito_verifica), static_cast<QWidget*>(apri),
                          static_cast<QWidget*>(calcola), static_cast<QWidget*>(salva),
                          static_cast<QWidget*>(stampa), static_cast<QWidget*>(chiudi)})
    order.push_back(widget);
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void form_verifica::changed() {
  data_Change();
  enable_fields();
  if (footing_) clear_results();
}

void form_verifica::enable_fields() {
  const Conditions conditions = conditions_[1]->isChecked()   ? Conditions::kUndrained
                                : conditions_[2]->isChecked() ? Conditions::kBoth
                                                              : Conditions::kDrained;
  const bool drained = conditions != Conditions::kUndrained;
  const bool undrained = conditions != Conditions::kDrained;
  const bool water_table = !fields_.find("falda")->second->text().trimmed().isEmpty();
  const auto applies = [&](std::string_view name) {
    if (drained_only(name) && !drained) return false;
    if (undrained_only(name) && !undrained) return false;
    return name != "peso_saturo" || water_table;
  };
  for (const auto& [name, field] : fields_) {
    const bool enabled = applies(name);
    field->setEnabled(enabled);
    for (QWidget* caption : captions_.find(name)->second) caption->setEnabled(enabled);
  }
  prefabbricata->setEnabled(applies("prefabbricata"));
  acqua_interfaccia->setEnabled(applies("acqua_interfaccia"));
}

CalculationData form_verifica::screen_data() const {
  CalculationData screen{.kind = &verifica_kind(), .source = Source::window};
  FieldTexts& texts = screen.texts;
  const Field& condition = field_named("condizioni");
  for (std::size_t i = 0; i < conditions_.size(); ++i)
    if (conditions_[i]->isChecked()) texts.emplace(condition.text.name, condition.choices[i].code);
  for (const auto& [name, field] : fields_)
    if (!field->text().trimmed().isEmpty()) texts.emplace(name, field->text().toStdString());
  texts.emplace("approccio", approccio->currentData().toString().toStdString());
  if (prefabbricata->isChecked()) texts.emplace("prefabbricata", "SI");
  if (acqua_interfaccia->isChecked()) texts.emplace("acqua_interfaccia", "SI");
  if (!descrizione->text().isEmpty())
    texts.emplace("descrizione", descrizione->text().toStdString());
  screen.combinations = typed_->texts();
  screen.actions = actions_->texts();
  return screen;
}

std::optional<window::RefusedValue> form_verifica::refused_value(
    const CalculationData& given) const {
  // A number its editor takes: the editor's keys would make it (a minus sign where allowed).
  const auto is_number = [](const QString& shown, bool signed_value) {
    int at = 0;
    QString text = shown;
    return DecimalValidator(signed_value, nullptr).validate(text, at) != QValidator::Invalid;
  };
  for (const auto& [name, text] : given.texts) {
    const Field* field = find_field(verifica_kind().fields, name);
    if (field == nullptr || field->type != FieldType::number || !fields_.contains(name)) continue;
    const QString shown = qt_text(as_shown(text, given.source));
    if (auto refused = window::refused_number(field->text.name, shown, is_number(shown, false)))
      return refused;
  }
  for (const auto& [rows, table, of_actions] :
       {std::tuple{&given.actions, actions_, true}, std::tuple{&given.combinations, typed_, false}})
    for (std::size_t i = 0; i < rows->size(); ++i)
      for (const TableColumn& column : table->columns()) {
        const auto found = (*rows)[i].find(column.field->text.name);
        if (found == (*rows)[i].end() || column.field->type != FieldType::number) continue;
        const QString shown = qt_text(as_shown(found->second, given.source));
        auto refused = window::refused_number(column.field->text.name, shown,
                                              is_number(shown, column.signed_value));
        if (!refused) continue;
        (of_actions ? refused->action : refused->combination) = i + 1;
        return refused;
      }
  return std::nullopt;
}

void form_verifica::show_data(const CalculationData& given) {
  const auto text_of = [&given](std::string_view name) {
    const auto found = given.texts.find(name);
    return found == given.texts.end() ? std::string() : found->second;
  };
  FieldReader read(verifica_kind().fields, given.texts, given.source);
  const std::size_t condition = read.choice("condizioni");
  conditions_[condition < conditions_.size() ? condition : 0]->setChecked(true);
  for (const auto& [name, field] : fields_) {
    const Field& entry = field_named(name);
    const std::string text = text_of(name);
    field->setText(qt_text(entry.type == FieldType::number ? as_shown(text, given.source) : text));
  }
  const int set = approccio->findData(qt_text(text_of("approccio")).trimmed(), Qt::UserRole,
                                      Qt::MatchFixedString);
  approccio->setCurrentIndex(
      set >= 0 ? set : approccio->findData(qt_text(*field_named("approccio").fallback)));
  prefabbricata->setChecked(read.choice("prefabbricata") == 0);
  acqua_interfaccia->setChecked(read.choice("acqua_interfaccia") == 0);
  descrizione->setText(qt_text(text_of("descrizione")));
  // The tables' numbers as the window keeps them.
  for (const auto& [model, rows] :
       {std::pair{actions_, &given.actions}, std::pair{typed_, &given.combinations}}) {
    std::vector<FieldTexts> shown = *rows;
    for (FieldTexts& row : shown)
      for (auto& [name, text] : row)
        if (name != "nome" && name != "tipo" && name != "situazione")
          text = as_shown(text, given.source);
    model->set_texts(shown);
  }
  // Undo does not go back past the data shown.
  history_.clear();
  changed();
}

CalculationOutcome form_verifica::calculate(const CalculationData& given) {
  auto footing = calculate_footing(given);
  if (!footing) return Failed{footing.error()};
  calculated_ = std::make_shared<const FootingCalculation>(*std::move(footing));
  return calculation_of(calculated_);
}

void form_verifica::show_results(const Calculation& /*calculation*/) {
  footing_ = calculated_;
  checks_->show(footing_);
  // The generated combinations shown are the calculation's already: every change of the
  // actions, the typed rows or the set generated them again.
  generate_nota->clear();
  show_verdict();
  const auto& checks = footing_->checks;
  // The governing check selected, where the filter and the order put it.
  const int governing = checks.governing ? static_cast<int>(*checks.governing) : 0;
  const QModelIndex shown = shown_checks_->mapFromSource(checks_->index(governing, 0));
  verifiche->setCurrentIndex(shown.isValid() ? shown : shown_checks_->index(0, 0));
  verifiche->scrollTo(verifiche->currentIndex());
  if (!verifiche->currentIndex().isValid()) show_check(std::nullopt);
}

void form_verifica::show_verdict() {
  const FootingChecks& checks = footing_->checks;
  const QString text = qt_text(footing_verdict_line(checks.verdict)) + QStringLiteral(" \u2014 ") +
                       qt_text(governing_line(checks, footing_->footing.conditions));
  QPalette palette = esito_verifica->palette();
  palette.setColor(QPalette::Window, checks.verdict.verified() ? verified_green : failed_red);
  palette.setColor(QPalette::WindowText, Qt::black);
  esito_verifica->setPalette(palette);
  esito_verifica->setAutoFillBackground(true);
  esito_verifica->setText(text);
  esito_verifica->setAccessibleName(text);
  conteggio->setText(QStringLiteral("%1 verifiche, %2 non verificate o non calcolabili")
                         .arg(checks.checks.size())
                         .arg(checks_->failing()));
}

void form_verifica::clear_results() {
  footing_.reset();
  checks_->show(nullptr);
  conteggio->clear();
  esito_verifica->setPalette(QPalette());
  esito_verifica->setAutoFillBackground(false);
  // Called once the shown results no longer hold: before any CALCOLA, or after a change.
  const QString text =
      !calculated_
          ? QStringLiteral("Scrivere i dati, le azioni o le combinazioni, poi premere CALCOLA.")
          : QStringLiteral("Dati cambiati dopo l'ultimo calcolo: premere CALCOLA.");
  esito_verifica->setText(text);
  esito_verifica->setAccessibleName(text);
  show_check(std::nullopt);
}

void form_verifica::filtro_Change() {
  shown_checks_->setFilterFixedString(filtro->currentIndex() == 1 ? QStringLiteral("1")
                                                                  : QString());
  if (!verifiche->currentIndex().isValid() && shown_checks_->rowCount() > 0)
    verifiche->setCurrentIndex(shown_checks_->index(0, 0));
}

void form_verifica::show_generated() {
  const std::size_t first = typed_->filled() + 1;
  // The actions as the kind reads them, generated with the chosen set.
  std::vector<Action> actions;
  const std::vector<FieldTexts> rows = actions_->texts();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    FieldReader read(verifica_kind().action_fields, rows[i], Source::window);
    actions.push_back(read_action(read));
    if (read.problem()) {
      generated_->show({}, {}, first);
      generate_nota->setText(QStringLiteral("Azione %1: ").arg(i + 1) +
                             in_window_words(read.problem()->message));
      return;
    }
  }
  // The list holds the sets in the order of kPartialFactorSets.
  const std::vector<Combination> generated = generate_combinations(
      kPartialFactorSets[static_cast<std::size_t>(approccio->currentIndex())], actions);
  generated_->show(generated, actions, first);
  generate_nota->setText(actions.empty()
                             ? QStringLiteral("Nessuna azione: nessuna combinazione "
                                              "generata.")
                             : QStringLiteral("%1 combinazioni generate.").arg(generated.size()));
}

void form_verifica::show_check(std::optional<std::size_t> index) {
  const bool shown = footing_ && index && *index < footing_->checks.checks.size();
  const Check* check = shown ? &footing_->checks.checks[*index] : nullptr;
  const ColumnTexts columns = check ? column_texts(check->outcome) : ColumnTexts{};
  for (int i = 0; i < valori->rowCount(); ++i) {
    const QString value = qt_text(columns[static_cast<std::size_t>(i)]);
    valori->item(i, 1)->setText(value);
    valori->item(i, 1)->setToolTip(value);
  }
  auto* box = static_cast<QGroupBox*>(valori->parentWidget());
  if (!check) {
    box->setTitle(QStringLiteral("Verifica scelta"));
    pianta->show_plan(std::nullopt,
                      footing_ ? QStringLiteral("Scegliere una verifica nella tabella.")
                               : QStringLiteral("La pianta della verifica scelta compare dopo "
                                                "CALCOLA."));
    return;
  }
  box->setTitle(qt_text(check_title(footing_->checks, *index, footing_->footing.conditions)));
  const LoadCombination& loads = footing_->checks.combinations[check->combination].loads;
  QString note;
  if (!check->outcome)
    note = QStringLiteral("Verifica non calcolabile: nessuna area efficace.");
  else if (check->outcome->swapped)
    note = QStringLiteral("B − 2eB è maggiore di L − 2eL: B' e L' sono scambiati (B' ≤ L').");
  pianta->show_plan(
      footing_plan(footing_->footing.B, footing_->footing.L, loads, check->outcome.ok()), note);
}

void form_verifica::show_problem(const Problem& problem) {
  run_own_box(
      [this, &problem] { window::message_box(this, in_window_words(problem.message), {}); });
  if (QWidget* at = focus_of(problem)) at->setFocus();
}

QWidget* form_verifica::focus_of(const Problem& problem) {
  const auto cell = [&problem](TextTable* table, std::size_t number) -> QWidget* {
    const int row = std::max(table->texts().row_of(number), 0);
    int column = 0;
    for (std::size_t i = 0; i < table->texts().columns().size(); ++i)
      if (table->texts().columns()[i].field->text.name == problem.field)
        column = static_cast<int>(i);
    table->setCurrentIndex(table->model()->index(row, column));
    return table;
  };
  if (problem.action > 0) return cell(azioni, problem.action);
  if (problem.combination > 0) return cell(combinazioni, problem.combination);
  if (problem.field == "combinazione") return combinazioni;
  if (const auto field = fields_.find(problem.field); field != fields_.end()) return field->second;
  if (problem.field == "condizioni") return conditions_.front();
  if (problem.field == "approccio") return approccio;
  if (problem.field == "prefabbricata") return prefabbricata;
  if (problem.field == "acqua_interfaccia") return acqua_interfaccia;
  return nullptr;
}

std::string form_verifica::description() const {
  return descrizione->text().toStdString();
}

void form_verifica::place(const QRect& area) {
  // Room for the frame's title above and a panel below: the title bar stays on the screen.
  const QSize room = area.size() - QSize(40, 100);
  // The columns' own size, which the scroll area around them does not pass on.
  const QMargins margins = layout()->contentsMargins();
  const int spacing = layout()->spacing();
  const QSize wanted(columns_->sizeHint().width() + margins.left() + margins.right(),
                     columns_->sizeHint().height() + esito_verifica->sizeHint().height() +
                         calcola->sizeHint().height() + 2 * spacing + margins.top() +
                         margins.bottom());
  resize(wanted.boundedTo(room).expandedTo(QSize(320, 240)));
  // The data as wide as they ask, up to a third; the tables share the rest.
  auto* data_column = static_cast<QScrollArea*>(columns_->widget(0));
  const int data_width =
      std::clamp(data_column->widget()->sizeHint().width() +
                     data_column->verticalScrollBar()->sizeHint().width(),
                 data_column->minimumWidth(), std::max(width() / 3, data_column->minimumWidth()));
  const int rest = std::max(width() - data_width, 0);
  columns_->setSizes({data_width, rest * 9 / 20, rest * 11 / 20});
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
      [] { return std::unique_ptr<QWidget>(new form_verifica); },
      true};
  return kind_window;
}

}  // namespace fondara::verifica
