// The verification window: the table of load combinations (rows, keys, paste), the plan of
// the footing, CALCOLA on several combinations, the refusals, and one Save.
#include "verifica/form_verifica.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "gui_fixture.h"
#include "output/drawing_painter.h"
#include "output/pdf.h"
#include "output/report_text.h"
#include "row_name.h"
#include "test_data.h"
#include "verifica/footing_plan.h"
#include "verifica/footing_plan_view.h"
#include "verifica/kind.h"
#include "verifica/load_table.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

using verifica::LoadTable;

// EN 1997-1 Annex D's footing and soil, with the set of its example.
const QString annex_d_footing =
    QStringLiteral("larghezza=1 lunghezza=6 profondita=0,75 angolo=30 peso_terreno=10");

class VerificaWindow : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window = &open("pulsante_verifica", "form_verifica");
    table = find<LoadTable>(*window, "combinazioni");
  }

  void choose_set(const char* code) {
    auto* sets = find<QComboBox>(*window, "approccio");
    sets->setCurrentIndex(sets->findData(QString::fromLatin1(code)));
  }

  // Puts `text` on the clipboard and presses the paste button.
  void paste(int row, int column, const QString& text) {
    table->setCurrentCell(row, column);
    QApplication::clipboard()->setText(text);
    click(*window, "incolla");
  }

  // The load cells of every row: "200 30 88 60 30 | 150 -10 ..." .
  QString loads() const {
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < LoadTable::kLoadColumns; ++column)
        cells << table->item(row, column)->text();
      rows << cells.join(u' ');
    }
    return rows.join(QStringLiteral(" | "));
  }

  QString result(int row, const char* header) const {
    for (int column = 0; column < table->columnCount(); ++column)
      if (table->horizontalHeaderItem(column)->text() == QLatin1StringView(header))
        return table->item(row, column)->text();
    ADD_FAILURE() << "no column " << header;
    return {};
  }

  QWidget* window = nullptr;
  LoadTable* table = nullptr;
};

TEST_F(VerificaWindow, RowsAreAddedAtTheEndAndRemovedBySelection) {
  paste(0, 0, QStringLiteral("1\n2\n3\n"));
  click(*window, "aggiungi");
  EXPECT_EQ(table->rowCount(), 4);
  EXPECT_EQ(table->currentRow(), 3);
  table->clearSelection();
  table->item(0, 2)->setSelected(true);
  table->item(2, 0)->setSelected(true);
  click(*window, "rimuovi");
  EXPECT_EQ(loads(), QStringLiteral("2     |     "));
}

TEST_F(VerificaWindow, PasteFillsFromTheCurrentCellAndAddsRows) {
  paste(0, 0, QStringLiteral("200\n"));
  paste(0, 1, QStringLiteral("30\t88,5\r\n-10.5\t\t-20\r\n"));
  EXPECT_EQ(loads(), QStringLiteral("200 30 88,5   |  -10,5  -20 "));
  EXPECT_EQ(beeps, 0);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(VerificaWindow, CtrlVPastesInTheTableAndInACellBeingEdited) {
  table->setFocus();
  table->setCurrentCell(0, 0);
  QApplication::clipboard()->setText(QStringLiteral("200\t-30\n"));
  QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(loads(), QStringLiteral("200 -30   "));
  table->setCurrentCell(0, 3);
  QTest::keyClick(table, Qt::Key_7);  // opens the cell's editor
  QApplication::clipboard()->setText(QStringLiteral("x"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(loads(), QStringLiteral("200 -30  7 "));  // refused: the typed text stays
  table->setCurrentCell(0, 3);
  QTest::keyClick(table, Qt::Key_8);
  QApplication::clipboard()->setText(QStringLiteral("5\t6"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(loads(), QStringLiteral("200 -30  5 6"));
}

std::string rows_of_ones(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "1\n";
  return text;
}
const std::string thousand_and_one_rows = rows_of_ones(LoadTable::kMaxRows + 1);

struct RefusedPasteRow {
  const char* name;
  int column;
  const char* text;
  const char* message;
};

const RefusedPasteRow refused_pastes[] = {
    {"letters_in_a_cell", 0, "200\t30\n150\tabc\n",
     "Impossibile incollare: nella combinazione 2, colonna MB, \"abc\" non è un numero."},
    {"minus_on_the_vertical_load", 0, "-200",
     "Impossibile incollare: nella combinazione 1, colonna N, \"-200\" non è un numero."},
    {"ambiguous_thousands", 2, "1.800",
     "Impossibile incollare: nella combinazione 1, colonna ML, \"1.800\" è ambiguo: scrivere "
     "1800 oppure 1,8."},
    {"more_cells_than_columns", 1, "1\t2\t3\t4\t5",
     "Impossibile incollare: la riga 1 copiata ha 5 celle, dalla colonna MB ne entrano 4."},
    {"more_rows_than_the_table_takes", 0, thousand_and_one_rows.c_str(),
     "Impossibile incollare: la tabella ha al più 1000 combinazioni."},
};

class RefusedPaste : public VerificaWindow, public testing::WithParamInterface<RefusedPasteRow> {};

TEST_P(RefusedPaste, BeepsTellsWhereAndChangesNothing) {
  paste(0, 0, QStringLiteral("100\t10\n"));
  paste(0, GetParam().column, QString::fromUtf8(GetParam().text));
  EXPECT_EQ(loads(), QStringLiteral("100 10   "));
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(messages, QStringList{QString::fromUtf8(GetParam().message)});
}

INSTANTIATE_TEST_SUITE_P(Clipboard, RefusedPaste, testing::ValuesIn(refused_pastes),
                         testing_support::RowName{});

TEST_F(VerificaWindow, TabRunsThroughTheLoadCellsRowAfterRowAndThenLeaves) {
  paste(0, 0, QStringLiteral("1\n2\n"));
  table->setFocus();
  table->setCurrentCell(0, 3);
  QString visited;
  for (const auto key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Tab}) {
    QTest::keyClick(table, key);
    visited += QStringLiteral("%1,%2 ").arg(table->currentRow()).arg(table->currentColumn());
  }
  EXPECT_EQ(visited, "0,4 1,0 0,4 1,0 ");
  table->setCurrentCell(1, 4);
  QTest::keyClick(table, Qt::Key_Tab);
  EXPECT_EQ(focus(), find(*window, "aggiungi"));
}

struct CellKeysRow {
  const char* name;
  int column;
  const char* typed;
  const char* kept;
  int beeps;
};

const CellKeysRow cell_keys[] = {
    {"minus_on_a_moment", 1, "-30.5", "-30,5", 0},
    {"minus_dropped_on_the_vertical_load", 0, "-200", "200", 0},
    {"minus_after_digits_empties_the_cell", 4, "3-", "", 1},
    {"second_comma_empties_the_cell", 3, "1,2,", "", 1},
};

class CellKeys : public VerificaWindow, public testing::WithParamInterface<CellKeysRow> {};

// The first key opens the cell's editor, the others go to it, Return keeps its text.
TEST_P(CellKeys, CellKeepsWhatTheNumberFieldsRulesLeave) {
  table->setFocus();
  table->setCurrentCell(0, GetParam().column);
  for (const QChar key : QString::fromLatin1(GetParam().typed))
    QTest::keyClicks(QApplication::focusWidget(), QString(key));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QCoreApplication::processEvents();  // Return commits once the editor has seen it
  EXPECT_EQ(table->item(0, GetParam().column)->text(), QString::fromLatin1(GetParam().kept));
  EXPECT_EQ(beeps, GetParam().beeps);
}

INSTANTIATE_TEST_SUITE_P(Typed, CellKeys, testing::ValuesIn(cell_keys), testing_support::RowName{});

// The first and the last pixel of the colour `rgb` along a row (or a column) of `image`.
std::pair<int, int> span_of(const QImage& image, QRgb rgb, int line, bool row) {
  std::pair<int, int> span{-1, -1};
  const int length = row ? image.width() : image.height();
  for (int i = 0; i < length; ++i) {
    if ((row ? image.pixel(i, line) : image.pixel(line, i)) != rgb) continue;
    if (span.first < 0) span.first = i;
    span.second = i;
  }
  return span;
}

// B 2, L 3, eB 0,2, eL 0,3: the effective area 2,4 × 1,6 around the load point is shaded
// where the plan's painter puts it in the widget, to its edges and not beyond.
TEST_F(VerificaWindow, PlanShadesTheEffectiveAreaAroundTheLoad) {
  fill(*window, QStringLiteral("larghezza=2 lunghezza=3"));
  paste(0, 0, QStringLiteral("100\t-20\t30"));
  auto* view = find<verifica::FootingPlanView>(*window, "pianta");
  ASSERT_TRUE(view->plan());
  const Drawing plan = verifica::footing_plan(2, 3, 0.2, 0.3);
  const QRectF area = view->drawing_area();
  const QPointF top_left = output::place(plan, area, {-0.9, 1.0});
  const QPointF bottom_right = output::place(plan, area, {1.5, -0.6});
  ASSERT_GT(bottom_right.x() - top_left.x(), 40);
  const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb grey = qRgb(205, 205, 205);
  // Across and down through the middle of the area; the outline may cover a pixel at an edge.
  const QPointF middle = (top_left + bottom_right) / 2;
  const auto across = span_of(image, grey, qRound(middle.y()), true);
  const auto down = span_of(image, grey, qRound(middle.x()), false);
  EXPECT_NEAR(across.first, top_left.x(), 2.5);
  EXPECT_NEAR(across.second, bottom_right.x(), 2.5);
  EXPECT_NEAR(down.first, top_left.y(), 2.5);
  EXPECT_NEAR(down.second, bottom_right.y(), 2.5);
}

// Annex D's combination, one refused (eccentricity beyond a third), one failing.
const QString three_combinations =
    QStringLiteral("200\t30\t88\t60\t30\n300\t150\n1000\t60\t-150\t80\n");

TEST_F(VerificaWindow, CalcolaGivesEachRowItsVerdictAndMarksTheGoverningOne) {
  fill(*window, annex_d_footing);
  choose_set("EC7-DA1-C1");
  paste(0, 0, three_combinations);
  click(*window, "calcola");
  ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
  EXPECT_EQ(result(0, "Esito della verifica"), "VERIFICATA");
  EXPECT_TRUE(result(1, "Esito della verifica").startsWith(u"Eccentricità oltre un terzo"));
  EXPECT_EQ(result(2, "Esito della verifica"), "NON VERIFICATA (carico limite)");
  EXPECT_EQ(result(0, "U") + " " + result(1, "U") + " " + result(2, "U"), "0,588  1,030");
  EXPECT_EQ(result(0, "Det.") + result(1, "Det.") + "|" + result(2, "Det."), u"|★");
  EXPECT_TRUE(table->item(2, 0)->font().bold());
  EXPECT_FALSE(table->item(0, 0)->font().bold());
  auto* verdict = find<QLabel>(*window, "esito_verifica");
  EXPECT_EQ(verdict->text(),
            u"ESITO DELLA VERIFICA: NON VERIFICATA (combinazioni 2, 3) — combinazione "
            u"determinante: 3 (U = 1,030, Uh = 0,139)");
  EXPECT_EQ(verdict->palette().color(QPalette::Window).red(), 255);
  // The governing combination is the selected one, and its values are listed.
  auto* values = find<QTableWidget>(*window, "valori");
  EXPECT_EQ(values->item(2, 1)->text(), "0,880");  // B'
  table->setCurrentCell(0, 0);
  EXPECT_EQ(values->item(2, 1)->text(), "0,700");
  EXPECT_EQ(values->item(14, 1)->text().left(4), "1,72");  // m
}

struct RefusalRow {
  const char* name;
  const char* fields;
  const char* loads;
  const char* message;
};

const RefusalRow refusals[] = {
    {"length_below_width", "lunghezza=0,5", "200",
     "Il valore di lunghezza deve essere non minore di larghezza."},
    {"single_combination_beyond_a_third", "", "200\t0\t500",
     "Eccentricità oltre un terzo del lato: la verifica richiede provvedimenti particolari "
     "(EN 1997-1, 6.5.4)."},
    {"second_combination_without_N", "", "200\n\t10",
     "Combinazione 2: Manca il campo N: N, carico verticale di progetto, peso della fondazione "
     "compreso (kN)."},
};

class Refusal : public VerificaWindow, public testing::WithParamInterface<RefusalRow> {};

TEST_P(Refusal, ToldInAMessageBoxWithoutResults) {
  fill(*window, annex_d_footing);
  if (*GetParam().fields) fill(*window, QString::fromLatin1(GetParam().fields));
  paste(0, 0, QString::fromLatin1(GetParam().loads));
  click(*window, "calcola");
  EXPECT_EQ(messages, QStringList{QString::fromUtf8(GetParam().message)});
  EXPECT_EQ(result(0, "U"), "");
  EXPECT_FALSE(find(*window, "salva")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Inputs, Refusal, testing::ValuesIn(refusals), testing_support::RowName{});

TEST_F(VerificaWindow, FieldRefusesWhatIsNotANumberAndTakesAnEmptyTextOrACopiedCell) {
  QLineEdit* box = field(*window, "falda");
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("1.5"));
  EXPECT_EQ(box->text(), "1,5");
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(beeps, 0);                     // an optional field may be left empty
  box->insert(QStringLiteral("2,5\r\n"));  // a cell copied from a spreadsheet
  EXPECT_EQ(box->text(), "2,5");
  box->insert(QStringLiteral(","));
  EXPECT_EQ(box->text(), "");
  EXPECT_EQ(beeps, 1);
}

TEST_F(VerificaWindow, ConditionAndWaterTableEnableTheirFieldsAndCalcolaWaitsForThem) {
  const auto enabled = [this](const char* name) { return field(*window, name)->isEnabled(); };
  EXPECT_TRUE(enabled("angolo"));
  EXPECT_FALSE(enabled("coesione_non_drenata"));
  EXPECT_FALSE(enabled("peso_saturo"));
  const auto calcola = [this] { return find(*window, "calcola")->isEnabled(); };
  fill(*window, annex_d_footing);
  EXPECT_FALSE(calcola());  // a combination's N
  paste(0, 0, QStringLiteral("\t\t\t\t\n200"));
  EXPECT_TRUE(calcola());
  fill(*window, QStringLiteral("falda=0,5"));
  EXPECT_TRUE(enabled("peso_saturo"));
  EXPECT_FALSE(calcola());  // γsat, with the water table
  fill(*window, QStringLiteral("peso_saturo=19"));
  EXPECT_TRUE(calcola());
  click(*window, "non_drenate");
  for (const char* name : {"angolo", "coesione_drenata", "falda", "peso_saturo"})
    EXPECT_FALSE(enabled(name)) << name;
  EXPECT_FALSE(calcola());  // cu
  fill(*window, QStringLiteral("coesione_non_drenata=50"));
  EXPECT_TRUE(calcola());
}

// The texts and loads of the end-to-end run, whose saved report tests/data keeps.
const QString e2e_description = QStringLiteral("Plinto P1 - combinazioni SLU");
const QString e2e_loads =
    QStringLiteral("200\t30\t88\t60\t30\n150\t-10\t\t\t-20\n1000\t60\t-150\t80\n");

TEST_F(VerificaWindow, SaveWritesTheKindsReportOfTheLastCalculation) {
  fill(*window, annex_d_footing);
  choose_set("EC7-DA1-C1");
  paste(0, 0, e2e_loads);
  QTest::keyClicks(field(*window, "descrizione"), e2e_description.left(9));
  click(*window, "calcola");
  // The reports take the description as it is now; a change of the data after CALCOLA is
  // not reported.
  QTest::keyClicks(field(*window, "descrizione"), e2e_description.mid(9));
  fill(*window, QStringLiteral("lunghezza=7"));
  EXPECT_EQ(find<QLabel>(*window, "esito_verifica")->text(),
            "Dati cambiati dopo l'ultimo calcolo: premere CALCOLA.");
  EXPECT_EQ(result(0, "U"), "");
  click(*window, "salva");
  ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
  const std::string saved = test::read_file(save_path.toStdString());

  auto& form = dynamic_cast<verifica::form_verifica&>(*window);
  const auto given = form.last_texts();
  ASSERT_TRUE(given);
  const auto calculation =
      verifica::verifica_kind().calculate(given->texts, given->combinations, Source::window);
  ASSERT_TRUE(calculation.ok());
  EXPECT_EQ(saved,
            test::file_text(calculation->report(Version::file, e2e_description.toStdString())));
  EXPECT_EQ(saved, test::read_data("verifica_tre_combinazioni.txt"));

  // STAMPA sends the printed report as one document named after the kind.
  QStringList titles;
  window::toolkit().printer = [&titles]() -> Outcome<output::PrintDestination, QString> {
    return output::PrintDestination{
        output::a4_page(),
        [&titles](const QByteArray&, const QString& title) -> output::PrintOutcome {
          titles << title;
          return Done{};
        }};
  };
  click(*window, "stampa");
  EXPECT_EQ(titles, QStringList{"Relazione di calcolo - verifica della fondazione"});

  // The texts fill the window back as they were calculated.
  form.fill(given->texts, given->combinations);
  EXPECT_EQ(field(*window, "lunghezza")->text(), "6");
  click(*window, "calcola");
  click(*window, "salva");
  EXPECT_EQ(test::read_file(save_path.toStdString()), saved);
}

TEST_F(VerificaWindow, ChiudiAndTheCloseBoxEndTheProgram) {
  EXPECT_EQ(window->windowTitle(), "Verifica della fondazione - NTC 2018 / EC7");
  EXPECT_EQ(focus(), field(*window, "larghezza"));
  click(*window, "chiudi");
  EXPECT_EQ(ends, 1);
  window->close();
  EXPECT_EQ(ends, 2);
}

}  // namespace
}  // namespace fondara::testing_gui
