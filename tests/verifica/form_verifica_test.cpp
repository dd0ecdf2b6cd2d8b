// The verification window: the tables of actions and typed combinations (keys, paste, undo), the
// generated combinations, the checks (governing, filter, order), the plan of the selected check,
// SALVA after a change, unsaved work, a faulty field.
#include "verifica/form_verifica.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>
#include <fstream>

#include "gui_fixture.h"
#include "output/pdf.h"
#include "pdf_lines.h"
#include "row_name.h"
#include "test_data.h"
#include "verifica/checks_table.h"
#include "verifica/footing_plan_view.h"
#include "verifica/text_table.h"
#include "window/save_print.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

using verifica::ChecksModel;
using verifica::TextTable;

// EN 1997-1 Annex D's footing and soil; its combination, one failing and one on its limits.
const QString annex_d_footing =
    QStringLiteral("larghezza=1 lunghezza=6 profondita=0,75 angolo=30 peso_terreno=10");
const QString three_combinations =
    QStringLiteral("200\t30\t88\t60\t30\n150\t-10\t\t\t-20\n1000\t60\t-150\t80\n");

class VerificaWindow : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window = &open("pulsante_verifica", "form_verifica");
    actions = find<TextTable>(*window, "azioni");
    typed = find<TextTable>(*window, "combinazioni");
    checks = find<QTableView>(*window, "verifiche");
  }

  void calcola_annex_d(const QString& combinations = three_combinations) {
    fill(*window, annex_d_footing);
    auto* sets = find<QComboBox>(*window, "approccio");
    sets->setCurrentIndex(sets->findData(QStringLiteral("EC7-DA1-C1")));
    paste(typed, 0, 0, combinations);
    click(*window, "calcola");
  }

  // Puts `text` on the clipboard and presses the table's paste button.
  void paste(TextTable* table, int row, int column, const QString& text) {
    table->setCurrentIndex(table->model()->index(row, column));
    QApplication::clipboard()->setText(text);
    click(*window, table == actions ? "incolla_azioni" : "incolla");
  }

  // Every row's cells as kept: "200 30 88 60 30 | 150 -10 ..." .
  static QString cells(const QAbstractItemModel& model) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
      QStringList row_cells;
      for (int column = 0; column < model.columnCount(); ++column)
        row_cells << model.index(row, column).data(Qt::EditRole).toString();
      rows << row_cells.join(u' ');
    }
    return rows.join(QStringLiteral(" | "));
  }

  // The check shown in `row` of the table of checks, at `column`.
  QString shown(int row, int column) const {
    return checks->model()->index(row, column).data().toString();
  }

  // Keys as typed: each to the widget that has the keyboard focus then. Return commits once the
  // editor has seen it.
  static void type(const QString& keys) {
    for (const QChar key : keys) QTest::keyClicks(QApplication::focusWidget(), QString(key));
    QCoreApplication::processEvents();
  }

  QWidget* window = nullptr;
  TextTable* actions = nullptr;
  TextTable* typed = nullptr;
  QTableView* checks = nullptr;
};

// A pasted header is skipped and said so, blank lines at the end dropped, a type taken in any
// case, a thousands dot before a comma read; the types' words listed; removing and pasting undone.
TEST_F(VerificaWindow, ActionsTakeTypesSkipAHeaderGenerateCombinationsAndUndo) {
  EXPECT_EQ(top_level("form_sciolti"), nullptr);  // built alone
  paste(actions, 0, 0,
        QStringLiteral("Nome\tTipo\tN\tMB\nPeso proprio\tg1\t1.234,5\t-10\nNeve\tQ-neve\t60\t2\n"
                       "\t\n\n"));
  EXPECT_EQ(cells(*actions->model()), "Peso proprio G1 1234,5 -10    | Neve Q-neve 60 2   ");
  EXPECT_EQ(find<QLabel>(*window, "azioni_nota")->text(),
            "La prima riga incollata, un'intestazione, è stata saltata.");
  EXPECT_EQ(actions->model()->index(0, 1).data().toString(), "G1 – permanente strutturale");
  actions->setFocus();
  actions->setCurrentIndex(actions->model()->index(1, 1));
  QTest::keyClick(actions, Qt::Key_F2);
  auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 16);
  EXPECT_EQ(list->itemText(2), "Q-A – variabile, cat. A: ambienti ad uso residenziale");
  QTest::keyClick(list, Qt::Key_Escape);

  // 1,3 and 1,0 on G1, each with no variable action and with the snow leading.
  const QAbstractItemModel& generated = *find<QTableView>(*window, "generate")->model();
  ASSERT_EQ(generated.rowCount(), 4);
  EXPECT_EQ(generated.index(1, verifica::GeneratedModel::kFormula).data().toString(),
            "1,3·Peso proprio + 1,5·Neve");
  EXPECT_EQ(generated.index(1, verifica::GeneratedModel::kN).data().toString(), "1694,85");
  paste(typed, 0, 0, QStringLiteral("100\n"));  // typed first: generated ones numbered after
  EXPECT_EQ(generated.index(0, verifica::GeneratedModel::kNumber).data().toString(), "2");

  actions->selectionModel()->select(actions->model()->index(0, 3),
                                    QItemSelectionModel::ClearAndSelect);
  click(*window, "rimuovi_azioni");
  EXPECT_EQ(cells(*actions->model()), "Neve Q-neve 60 2   ");
  EXPECT_EQ(generated.index(1, verifica::GeneratedModel::kFormula).data().toString(), "1,5·Neve");
  QTest::keyClick(actions, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(cells(*actions->model()), "Peso proprio G1 1234,5 -10    | Neve Q-neve 60 2   ");
  typed->setFocus();
  QTest::keyClick(typed, Qt::Key_Z, Qt::ControlModifier);  // one history for both tables
  QTest::keyClick(typed, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(cells(*actions->model()), "      ");
  QTest::keyClick(typed, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(actions->model()->rowCount(), 2);
  EXPECT_EQ(beeps, 0);
}

struct RefusedPasteRow {
  const char* name;
  int column;
  QString text;
  const char* message;  // after "Impossibile incollare: "
};
// clang-format off
const RefusedPasteRow refused_pastes[] = {
    {"letters_in_a_cell", 0, "200\t30\n150\tabc\n", "nella riga 2, colonna MB, \"abc\" non è un numero."},
    {"minus_on_the_vertical_load", 0, "-200", "nella riga 1, colonna N, \"-200\" non è un numero."},
    {"ambiguous_thousands", 2, "1.800", "nella riga 1, colonna ML, \"1.800\" è ambiguo: scrivere 1800 oppure 1,8."},
    {"unknown_situation", 4, "0\tdinamica", "nella riga 1, colonna situazione, \"dinamica\" non è tra le scelte: statica o sismica."},
    {"more_cells_than_columns", 1, "1\t2\t3\t4\t5\t6", "la riga 1 copiata ha 6 celle, dalla colonna MB ne entrano 5."},
    {"more_rows_than_the_table_takes", 0, QStringLiteral("1\n").repeated(1001), "la tabella ha al più 1000 righe."},
};
// clang-format on

class RefusedPaste : public VerificaWindow, public testing::WithParamInterface<RefusedPasteRow> {};

TEST_P(RefusedPaste, BeepsTellsWhereAndChangesNothing) {
  paste(typed, 0, 0, QStringLiteral("100\t10\n"));
  paste(typed, 0, GetParam().column, GetParam().text);
  EXPECT_EQ(cells(*typed->model()), "100 10    ");
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(messages,
            QStringList{"Impossibile incollare: " + QString::fromUtf8(GetParam().message)});
}

INSTANTIATE_TEST_SUITE_P(Clipboard, RefusedPaste, testing::ValuesIn(refused_pastes),
                         testing_support::RowName{});

// A hundred corrections typed over selected cells, key after key as fast as they come: every
// value as typed. A refused key beeps and leaves the text; Delete clears; Down leaves the last row.
TEST_F(VerificaWindow, EveryKeyTypedOverASelectedCellLands) {
  paste(typed, 0, 0, QStringLiteral("50\t1\t2\t3\t4\n50\t1\t2\t3\t4\n50\t1\t2\t3\t4\n"));
  typed->setFocus();
  QStringList expected;
  for (int i = 0; i < 100; ++i) {
    const QModelIndex cell = typed->model()->index(i % 3, i % 4);
    typed->setCurrentIndex(cell);
    const QString value =
        QString::number(177 + 13 * i) + (i % 2 ? QStringLiteral(",5") : QString());
    type(value + u'\r');
    if (cell.data(Qt::EditRole).toString() != value)
      expected << QStringLiteral("%1: %2").arg(i).arg(cell.data(Qt::EditRole).toString());
  }
  EXPECT_TRUE(expected.isEmpty()) << expected.join(u' ').toStdString();
  EXPECT_EQ(beeps, 0);
  typed->setCurrentIndex(typed->model()->index(0, 0));
  type(QStringLiteral("12,5,3\r"));
  EXPECT_EQ(typed->model()->index(0, 0).data().toString(), "12,53");
  EXPECT_EQ(beeps, 1);
  typed->setCurrentIndex(typed->model()->index(0, 1));
  QTest::keyClick(typed, Qt::Key_Delete);
  EXPECT_EQ(typed->model()->index(0, 1).data().toString(), "");
  typed->setCurrentIndex(typed->model()->index(2, 0));
  type(QStringLiteral("7"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  type(QStringLiteral("8\r"));
  EXPECT_EQ(typed->model()->index(2, 0).data().toString(), "7");
  EXPECT_EQ(typed->model()->index(3, 0).data().toString(), "8");
}

// CALCOLA: a row per check, the governing one marked and in bold, the verdict in words (also to a
// screen reader); the failing ones alone; sorted by U; the selected check's values and plan.
TEST_F(VerificaWindow, ChecksShowTheGoverningOneTheFailingOnesAndTheSelectedPlan) {
  calcola_annex_d(three_combinations + "300\t150\n");  // the last beyond a third
  ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
  ASSERT_EQ(checks->model()->rowCount(), 4);
  EXPECT_EQ(shown(2, ChecksModel::kMark) + shown(2, ChecksModel::kU), u"★1,030");
  EXPECT_TRUE(checks->model()->index(2, 0).data(Qt::FontRole).value<QFont>().bold());
  EXPECT_TRUE(shown(3, ChecksModel::kVerdict).startsWith(u"Eccentricità oltre un terzo"));
  const QString verdict = QString::fromUtf16(
      u"ESITO DELLA FONDAZIONE: NON VERIFICATA (carico limite, non calcolabile) — VERIFICA "
      u"DETERMINANTE: Combinazione 3 (U = 1,030, Uh = 0,139)");
  auto* esito = find<QLabel>(*window, "esito_verifica");
  EXPECT_EQ(esito->text() + '|' + esito->accessibleName(), verdict + '|' + verdict);
  auto* values = find<QTableWidget>(*window, "valori");
  EXPECT_EQ(values->item(2, 1)->text(), "0,880");  // B' of the governing check, selected

  find<QComboBox>(*window, "filtro")->setCurrentIndex(1);
  EXPECT_EQ(shown(0, ChecksModel::kCombination) + ' ' + shown(1, ChecksModel::kCombination), "3 4");
  find<QComboBox>(*window, "filtro")->setCurrentIndex(0);
  checks->sortByColumn(ChecksModel::kU, Qt::DescendingOrder);
  EXPECT_EQ(shown(0, ChecksModel::kCombination) + ' ' + shown(3, ChecksModel::kCombination), "3 4");

  // MB −10 on N 150: the load point on the negative side of B; a refused check: no effective area.
  auto* plan = find<verifica::FootingPlanView>(*window, "pianta");
  const auto select = [&](const char* combination) {
    for (int row = 0; row < 4; ++row)
      if (shown(row, ChecksModel::kCombination) == QLatin1StringView(combination))
        checks->setCurrentIndex(checks->model()->index(row, 0));
  };
  select("2");
  ASSERT_TRUE(plan->plan());
  EXPECT_LT(plan->plan()->markers.at(0).y, 0);
  EXPECT_EQ(plan->plan()->shapes.front().stroke, Stroke::shaded);
  select("4");
  ASSERT_TRUE(plan->plan());
  for (const Shape& shape : plan->plan()->shapes) EXPECT_NE(shape.stroke, Stroke::shaded);
  EXPECT_EQ(values->item(2, 1)->text(), "");
}

// SALVA writes what the screen shows: after a change it waits for CALCOLA (the description, which
// the reports take as it stands, excepted). Unsaved work is asked about before it goes.
TEST_F(VerificaWindow, SalvaWaitsForCalcolaAndUnsavedWorkIsAskedAbout) {
  QTest::keyClicks(field(*window, "descrizione"), QStringLiteral("Plinto P1"));
  calcola_annex_d();
  QTest::keyClicks(field(*window, "descrizione"), QStringLiteral(" - combinazioni SLU"));
  click(*window, "salva");
  EXPECT_EQ(test::read_file(save_path.toStdString()),
            test::read_data("verifica_tre_combinazioni.txt"));
  save_path = folder.filePath(QStringLiteral("p1.fondara"));
  click(*window, "salva");  // the data: the work is saved
  EXPECT_EQ(window->windowTitle(), "p1.fondara[*] - Verifica della fondazione - NTC 2018 / EC7");
  fill(*window, QStringLiteral("lunghezza=7"));
  EXPECT_FALSE(find(*window, "salva")->isEnabled() || find(*window, "stampa")->isEnabled());
  EXPECT_EQ(find<QLabel>(*window, "esito_verifica")->text(),
            "Dati cambiati dopo l'ultimo calcolo: premere CALCOLA.");

  go_on = false;
  click(*window, "chiudi");
  window::toolkit().open_choice = [this](QWidget*) { return save_path; };
  QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(questions.size(), 2);
  EXPECT_EQ(field(*window, "lunghezza")->text() + QString::number(ends), "70");
  go_on = true;
  click(*window, "apri");
  EXPECT_EQ(field(*window, "lunghezza")->text(), "6");
  window->close();  // as opened: nothing to ask
  EXPECT_EQ(questions.size(), 3);
  EXPECT_EQ(ends, 1);
}

// Only a file that reopens saves the work: a data file or a PDF/A report, the description as it
// was written; after a text or ODT report, CHIUDI still asks.
TEST_F(VerificaWindow, OnlyAFileThatReopensSavesTheWork) {
  struct Case {
    const char* file;
    bool saved;
  };
  for (const Case& c : {Case{"p1.txt", false}, Case{"p1.odt", false}, Case{"p1.fondara", true},
                        Case{"p1.pdf", true}}) {
    SCOPED_TRACE(c.file);
    calcola_annex_d();
    QTest::keyClicks(field(*window, "descrizione"), QStringLiteral("Plinto P1"));
    save_path = folder.filePath(QString::fromUtf8(c.file));
    click(*window, "salva");
    ASSERT_TRUE(QFileInfo::exists(save_path));
    go_on = false;
    const qsizetype asked = questions.size();
    click(*window, "chiudi");
    EXPECT_EQ(questions.size() - asked, c.saved ? 0 : 1);
    EXPECT_EQ(ends, c.saved ? 1 : 0);
    ends = 0;
    field(*window, "descrizione")->clear();
  }
}

// STAMPA and the ODT type give the typeset report; a printer that fails tells its cause in the
// message's details. A file's description and project fields arrive whole however long.
TEST_F(VerificaWindow, TypesetReportPrintedAndSavedAsOdtAndWholeTextsFromAFile) {
  QTest::keyClicks(field(*window, "descrizione"), QStringLiteral("Plinto P1 - combinazioni SLU"));
  calcola_annex_d();
  QStringList titles;
  QByteArray printed;
  window::toolkit().printer = [&]() -> Outcome<output::PrintDestination, QString> {
    return output::PrintDestination{
        output::a4_page(),
        [&](const QByteArray& pdf, const QString& title) -> output::PrintOutcome {
          titles << title;
          printed = pdf;
          return Done{};
        }};
  };
  click(*window, "stampa");
  EXPECT_EQ(titles, QStringList{"Relazione di calcolo - verifica della fondazione"});
  const QString printed_path = folder.filePath(QStringLiteral("s.pdf"));
  ASSERT_TRUE(window::write_report_file(printed_path, printed.toStdString()).ok());
  const QString pages = test::tool_output(QStringLiteral("pdftotext"), {printed_path, "-"});
  for (const char* text : {"Plinto P1 - combinazioni SLU", "8. Conclusioni", "Pagina 1 di "})
    EXPECT_TRUE(pages.contains(QString::fromUtf8(text))) << text;
  save_path = folder.filePath(QStringLiteral("r.odt"));
  click(*window, "salva");
  EXPECT_NE(
      test::read_file(save_path.toStdString()).find("application/vnd.oasis.opendocument.text"),
      std::string::npos);
  window::toolkit().printer = []() -> Outcome<output::PrintDestination, QString> {
    return Failed{QStringLiteral("la stampante è ferma")};
  };
  click(*window, "stampa");
  EXPECT_EQ(messages.join(u'|') + " / " + details.join(u'|'),
            "Problema di stampa nella stampante utilizzata. / la stampante è ferma");

  const QString file = folder.filePath(QStringLiteral("lungo.fondara"));
  std::ofstream(file.toStdString())
      << "FONDARA-DATI 2\ntipo=verifica\ncondizioni=drenate\nlarghezza=1\nlunghezza=2\n"
         "profondita=1\nangolo=30\npeso_terreno=18\ndescrizione="
      << std::string(40000, 'd') << "\nopera=" << std::string(5000, 'o')
      << "\ncombinazione=100;;;;\n";
  window::toolkit().open_choice = [&file](QWidget*) { return file; };
  click(*window, "apri");
  EXPECT_EQ(QString::number(field(*window, "descrizione")->text().size()) + ' ' +
                QString::number(field(*window, "opera")->text().size()),
            "40000 5000");
}

// The kind's problem in the window's words, the focus on the field or cell at fault.
TEST_F(VerificaWindow, AProblemNamesTheFieldAsTheWindowDoesAndTakesTheFocusThere) {
  fill(*window, annex_d_footing + QStringLiteral(" falda=0,5"));
  paste(typed, 0, 0, QStringLiteral("200\n300\n"));
  click(*window, "calcola");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(u"Manca il campo γsat: γsat, peso di volume"))
      << messages[0].toStdString();
  EXPECT_EQ(focus(), field(*window, "peso_saturo"));
  field(*window, "falda")->clear();
  fill(*window, QStringLiteral("lunghezza=0,5"));
  click(*window, "calcola");
  EXPECT_EQ(messages.value(1), "Il valore di L deve essere non minore di B.");
  EXPECT_EQ(focus(), field(*window, "lunghezza"));
  fill(*window, QStringLiteral("lunghezza=6"));
  paste(typed, 1, 1, QStringLiteral("5\n"));
  typed->model()->setData(typed->model()->index(1, 0), QString());
  click(*window, "calcola");
  EXPECT_TRUE(messages.value(2).startsWith(u"Combinazione 2: Manca il campo N"))
      << messages.join(u'\n').toStdString();
  EXPECT_EQ(focus(), typed);
  EXPECT_EQ(typed->currentIndex().row(), 1);

  // A file whose value the kind reads but a cell cannot hold changes nothing; the message names
  // the file's line.
  const QString file = folder.filePath(QStringLiteral("lungo.fondara"));
  std::ofstream(file.toStdString())
      << "FONDARA-DATI 1\ntipo=verifica\ncondizioni=drenate\nlarghezza=1\nlunghezza=2\n"
         "profondita=1\nangolo=30\npeso_terreno=18\ncombinazione=1"
      << std::string(120, '0') << ";;;;\n";
  window::toolkit().open_choice = [&file](QWidget*) { return file; };
  click(*window, "apri");
  EXPECT_TRUE(messages.last().endsWith(QStringLiteral(
      "lungo.fondara\": il valore di N ha 121 caratteri, più dei 100 che il campo della finestra "
      "contiene (riga 9).")))
      << messages.last().toStdString();
  EXPECT_EQ(field(*window, "lunghezza")->text(), "6");
}

}  // namespace
}  // namespace fondara::testing_gui
