// The verification window: the table of load combinations (rows, keys, paste), the plan of
// the footing, CALCOLA on several combinations, a refusal, Save and Print, the close box.
#include "verifica/form_verifica.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "gui_fixture.h"
#include "output/drawing_painter.h"
#include "output/pdf.h"
#include "pdf_lines.h"
#include "row_name.h"
#include "test_data.h"
#include "verifica/footing_plan.h"
#include "verifica/footing_plan_view.h"
#include "verifica/kind.h"
#include "verifica/load_table.h"
#include "window/save_print.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

using verifica::LoadTable;

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
    table = find<LoadTable>(*window, "combinazioni");
  }

  void calcola_annex_d(const QString& combinations = three_combinations) {
    fill(*window, annex_d_footing);
    auto* sets = find<QComboBox>(*window, "approccio");
    sets->setCurrentIndex(sets->findData(QStringLiteral("EC7-DA1-C1")));
    paste(0, 0, combinations);
    click(*window, "calcola");
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

TEST_F(VerificaWindow, PasteButtonAndCtrlVFillFromTheCurrentCellAndRowsAreAddedAndRemoved) {
  paste(0, 0, QStringLiteral("200\n"));
  paste(0, 1, QStringLiteral("30\t88,5\r\n-10.5\t\t-20\r\n"));
  EXPECT_EQ(loads(), QStringLiteral("200 30 88,5   |  -10,5  -20 "));
  EXPECT_EQ(beeps, 0);
  EXPECT_TRUE(messages.isEmpty());
  click(*window, "aggiungi");
  EXPECT_EQ(table->currentRow(), 2);
  table->clearSelection();
  table->item(0, 2)->setSelected(true);
  table->item(2, 0)->setSelected(true);
  click(*window, "rimuovi");
  EXPECT_EQ(loads(), QStringLiteral(" -10,5  -20 "));
  // Ctrl+V, in the table and in a cell being edited.
  table->setFocus();
  table->setCurrentCell(0, 0);
  QApplication::clipboard()->setText(QStringLiteral("200\t-30\n"));
  QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
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

struct RefusedPasteRow {
  const char* name;
  int column;
  QString text;
  const char* message;  // after "Impossibile incollare: "
};
// clang-format off
const RefusedPasteRow refused_pastes[] = {
    {"letters_in_a_cell", 0, "200\t30\n150\tabc\n", "nella combinazione 2, colonna MB, \"abc\" non è un numero."},
    {"minus_on_the_vertical_load", 0, "-200", "nella combinazione 1, colonna N, \"-200\" non è un numero."},
    {"ambiguous_thousands", 2, "1.800", "nella combinazione 1, colonna ML, \"1.800\" è ambiguo: scrivere 1800 oppure 1,8."},
    {"more_cells_than_columns", 1, "1\t2\t3\t4\t5", "la riga 1 copiata ha 5 celle, dalla colonna MB ne entrano 4."},
    {"more_rows_than_the_table_takes", 0, QStringLiteral("1\n").repeated(LoadTable::kMaxRows + 1), "la tabella ha al più 1000 combinazioni."},
};
// clang-format on

class RefusedPaste : public VerificaWindow, public testing::WithParamInterface<RefusedPasteRow> {};

TEST_P(RefusedPaste, BeepsTellsWhereAndChangesNothing) {
  paste(0, 0, QStringLiteral("100\t10\n"));
  paste(0, GetParam().column, GetParam().text);
  EXPECT_EQ(loads(), QStringLiteral("100 10   "));
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(messages,
            QStringList{"Impossibile incollare: " + QString::fromUtf8(GetParam().message)});
}

INSTANTIATE_TEST_SUITE_P(Clipboard, RefusedPaste, testing::ValuesIn(refused_pastes),
                         testing_support::RowName{});

// Tab runs through the load cells row after row and then leaves; a minus stays only where the
// column takes it.
TEST_F(VerificaWindow, KeysInTheTable) {
  table->setFocus();
  for (const auto& [column, typed] : {std::pair{1, "-30.5"}, std::pair{0, "-200"}}) {
    table->setCurrentCell(0, column);
    for (const char key : std::string(typed))
      QTest::keyClicks(QApplication::focusWidget(), QString(QLatin1Char(key)));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();  // Return commits once the editor has seen it
  }
  EXPECT_EQ(loads(), QStringLiteral("200 -30,5   "));
  click(*window, "aggiungi");
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

// B 2, L 3, MB −20, ML 30 on N 100: the effective area 2,4 × 1,6 around the load point, on the
// negative B side as MB's sign says, is shaded where the plan's painter puts it in the widget, to
// its edges (the outline may cover one pixel).
TEST_F(VerificaWindow, PlanShadesTheEffectiveAreaAroundTheLoad) {
  fill(*window, QStringLiteral("larghezza=2 lunghezza=3"));
  paste(0, 0, QStringLiteral("100\t-20\t30"));
  auto* view = find<verifica::FootingPlanView>(*window, "pianta");
  ASSERT_TRUE(view->plan());
  const Drawing plan = verifica::footing_plan(2, 3, {.N = 100, .MB = -20, .ML = 30}, true);
  const QPointF top_left = output::place(plan, view->drawing_area(), {-0.9, 0.6});
  const QPointF bottom_right = output::place(plan, view->drawing_area(), {1.5, -1.0});
  ASSERT_GT(bottom_right.x() - top_left.x(), 40);
  const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QPoint middle = ((top_left + bottom_right) / 2).toPoint();
  QRect grey;  // the grey pixels across and down through the middle
  for (int x = 0; x < image.width(); ++x)
    if (image.pixel(x, middle.y()) == qRgb(205, 205, 205)) grey |= QRect(x, middle.y(), 1, 1);
  for (int y = 0; y < image.height(); ++y)
    if (image.pixel(middle.x(), y) == qRgb(205, 205, 205)) grey |= QRect(middle.x(), y, 1, 1);
  EXPECT_NEAR(grey.left(), top_left.x(), 2.5);
  EXPECT_NEAR(grey.right(), bottom_right.x(), 2.5);
  EXPECT_NEAR(grey.top(), top_left.y(), 2.5);
  EXPECT_NEAR(grey.bottom(), bottom_right.y(), 2.5);
}

TEST_F(VerificaWindow, CalcolaGivesEachRowItsVerdictAndMarksTheGoverningOne) {
  calcola_annex_d(three_combinations + "300\t150\n");  // the last beyond a third
  ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
  EXPECT_TRUE(result(3, "Esito della verifica").startsWith(u"Eccentricità oltre un terzo"));
  EXPECT_EQ(result(0, "U") + " " + result(3, "U"), "0,588 ");
  EXPECT_EQ(result(0, "Det.") + result(3, "Det.") + "|" + result(2, "Det."), u"|★");
  EXPECT_TRUE(table->item(2, 0)->font().bold());
  EXPECT_FALSE(table->item(0, 0)->font().bold());
  auto* verdict = find<QLabel>(*window, "esito_verifica");
  EXPECT_EQ(verdict->text(),
            u"ESITO DELLA FONDAZIONE: NON VERIFICATA (carico limite, non calcolabile) — VERIFICA "
            u"DETERMINANTE: Combinazione 3 (U = 1,030, Uh = 0,139)");
  EXPECT_EQ(verdict->palette().color(QPalette::Window).red(), 255);
  // The governing combination is the selected one, and its values are listed.
  auto* values = find<QTableWidget>(*window, "valori");
  EXPECT_EQ(values->item(2, 1)->text(), "0,880");  // B'
  table->setCurrentCell(0, 0);
  EXPECT_EQ(values->item(2, 1)->text(), "0,700");
}

// An optional field may be left empty, and takes a cell copied from a spreadsheet.
TEST_F(VerificaWindow, OptionalFieldTakesAnEmptyTextOrACopiedCell) {
  QLineEdit* box = field(*window, "falda");
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("1.5"));
  for (int i = 0; i < 3; ++i) QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_EQ(beeps, 0);
  box->insert(QStringLiteral("2,5\r\n"));
  EXPECT_EQ(box->text(), "2,5");
  box->insert(QStringLiteral(","));
  EXPECT_EQ(box->text(), "");
  EXPECT_EQ(beeps, 1);
}

TEST_F(VerificaWindow, ConditionAndWaterTableEnableTheirFieldsCalcolaWaitsForThemOrRefuses) {
  const auto enabled = [this](const char* name) { return field(*window, name)->isEnabled(); };
  const auto calcola = [this] { return find(*window, "calcola")->isEnabled(); };
  EXPECT_FALSE(enabled("coesione_non_drenata") || enabled("peso_saturo"));
  fill(*window, annex_d_footing);
  EXPECT_FALSE(calcola());                   // a combination's N
  paste(0, 0, QStringLiteral("\t10\n200"));  // N only in the second row
  EXPECT_TRUE(calcola());
  click(*window, "calcola");  // refused in a message box, without results
  EXPECT_EQ(messages, QStringList{"Combinazione 1: Manca il campo N: N, carico verticale di "
                                  "progetto, peso della fondazione compreso (kN)."});
  EXPECT_EQ(result(1, "U"), "");
  EXPECT_FALSE(find(*window, "salva")->isEnabled());
  fill(*window, QStringLiteral("falda=0,5"));
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

// The reports take the description as it is now, and the data of the last CALCOLA.
TEST_F(VerificaWindow, SaveAndPrintTheKindsReportOfTheLastCalculation) {
  QTest::keyClicks(field(*window, "descrizione"), QStringLiteral("Plinto P1"));
  calcola_annex_d();
  QTest::keyClicks(field(*window, "descrizione"), QStringLiteral(" - combinazioni SLU"));
  fill(*window, QStringLiteral("lunghezza=7"));
  EXPECT_EQ(find<QLabel>(*window, "esito_verifica")->text(),
            "Dati cambiati dopo l'ultimo calcolo: premere CALCOLA.");
  EXPECT_EQ(result(0, "U"), "");
  click(*window, "salva");
  ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
  EXPECT_EQ(test::read_file(save_path.toStdString()),
            test::read_data("verifica_tre_combinazioni.txt"));

  // STAMPA and the ODT type give the typeset report.
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
  const QString printed_path = QFileInfo(save_path).dir().filePath(QStringLiteral("s.pdf"));
  ASSERT_TRUE(window::write_report_file(printed_path, printed.toStdString()).ok());
  const QString pages = test::tool_output(QStringLiteral("pdftotext"), {printed_path, "-"});
  for (const char* text : {"Plinto P1 - combinazioni SLU", "8. Conclusioni", "Pagina 1 di "})
    EXPECT_TRUE(pages.contains(QString::fromUtf8(text))) << text;
  const QString text_path = save_path;
  save_path = QFileInfo(save_path).dir().filePath(QStringLiteral("r.odt"));
  click(*window, "salva");
  EXPECT_NE(
      test::read_file(save_path.toStdString()).find("application/vnd.oasis.opendocument.text"),
      std::string::npos);
  save_path = text_path;
  window::toolkit().printer = []() -> Outcome<output::PrintDestination, QString> {
    return Failed{QStringLiteral("la stampante è ferma")};
  };
  click(*window, "stampa");  // the cause in the message's details
  EXPECT_EQ(messages.join(u'|') + " / " + details.join(u'|'),
            "Problema di stampa nella stampante utilizzata. / la stampante è ferma");

  // The texts fill the window back as they were calculated, a file's description whole however
  // long; a load longer than its cell takes is refused before anything changes; a file that
  // does not calculate leaves SALVA disabled.
  auto& form = dynamic_cast<verifica::form_verifica&>(*window);
  CalculationData data{&verifica::verifica_kind(), Source::window, form.last_texts()->texts,
                       form.last_texts()->combinations};
  data.texts["descrizione"] = std::string(40000, 'd');
  form.fill(data);
  EXPECT_EQ(field(*window, "lunghezza")->text() + ' ' +
                QString::number(field(*window, "descrizione")->text().size()),
            "6 40000");
  EXPECT_TRUE(find(*window, "salva")->isEnabled());
  data.combinations[1]["HL"] = "-" + std::string(100, '1');
  const auto refused = form.refused_value(data).value_or(window::RefusedValue{"", 0, "none"});
  EXPECT_EQ(
      std::string(refused.field) + std::to_string(refused.combination) + ": " + refused.cause,
      "HL2: il valore di HL ha 101 caratteri, più dei 100 che il campo della finestra contiene");
  data.combinations[1]["HL"] = "";
  data.texts["lunghezza"] = "0,5";
  form.fill(data);
  EXPECT_FALSE(find(*window, "salva")->isEnabled() || find(*window, "stampa")->isEnabled());
  window->close();  // the close box ends the program, as CHIUDI
  EXPECT_EQ(ends, 1);
}

}  // namespace
}  // namespace fondara::testing_gui
