// Calculate, the refused and failing calculations, the result boxes, one Save per
// window and the screen-reader names of both calculation windows.
#include <QRadioButton>

#include "gui_fixture.h"
#include "output/pdf.h"
#include "test_data.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

const QString coesivi_example = QStringLiteral(
    "lunghezza=10 larghezza=2 altezza=1 peso_terreno_rinterro=1800 "
    "coesione_non_drenata=0,5");
const QString sciolti_example = QStringLiteral(
    "lunghezza=10 larghezza=2 altezza=1 angolo=30 coesione_drenata=0 peso_terreno_fondazione=1900 "
    "peso_terreno_rinterro=1800");

// A calculation window opened from the start window, as the user does.
template <const char* start_button, const char* name>
class OpenWindow : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window = &open(start_button, name);
  }
  QString text(const char* control) { return field(*window, control)->text(); }
  bool enabled(const char* control) { return find<QPushButton>(*window, control)->isEnabled(); }
  QWidget* window = nullptr;
};

constexpr char pulsante_coesivi[] = "pulsante_coesivi";
constexpr char form_coesivi[] = "form_coesivi";
constexpr char pulsante_sciolti[] = "pulsante_sciolti";
constexpr char form_sciolti[] = "form_sciolti";
using Coesivi = OpenWindow<pulsante_coesivi, form_coesivi>;
using Sciolti = OpenWindow<pulsante_sciolti, form_sciolti>;

TEST_F(Coesivi, LengthBelowWidthIsRefusedAndTheLastResultsStay) {
  fill(*window, coesivi_example);
  click(*window, "calcola");
  fill(*window, QStringLiteral("lunghezza=1"));
  click(*window, "calcola");
  EXPECT_EQ(messages, QStringList{"La lunghezza deve essere superiore alla larghezza"});
  EXPECT_EQ(text("lunghezza"), "");
  EXPECT_EQ(text("larghezza"), "");
  EXPECT_EQ(beeps, 2);  // one for each emptied field
  EXPECT_EQ(focus(), field(*window, "larghezza"));
  EXPECT_FALSE(enabled("calcola"));
  EXPECT_EQ(text("Q_limite"), "2,88");
}

TEST_F(Coesivi, AFailedCalculationNamesItsCauseAndChangesNothing) {
  fill(*window, coesivi_example);
  fill(*window, QStringLiteral("lunghezza=0 larghezza=0"));
  click(*window, "calcola");
  EXPECT_EQ(messages,
            QStringList{"Impossibile eseguire il calcolo: la lunghezza L non può essere zero."});
  EXPECT_EQ(text("Q_limite"), "");
  EXPECT_FALSE(enabled("salva"));
}

TEST_F(Coesivi, SaveWritesTheReportOfTheLastCalculation) {
  fill(*window,
       QStringLiteral(
           "txtDescrizione=Muro lunghezza=1 larghezza=1 altezza=1 peso_terreno_rinterro=1800 "
           "coesione_non_drenata=0,5 coefficiente_sicurezza=3"));
  click(*window, "calcola");
  EXPECT_EQ(text("Q_limite") + " " + text("Q_ammissibile"), "3,29 1,09");
  EXPECT_TRUE(enabled("stampa"));
  fill(*window, QStringLiteral("lunghezza=7"));  // an edit after Calculate is not reported
  click(*window, "salva");
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
  EXPECT_EQ(test::read_file(save_path.toStdString()), test::read_data("non_drenato_yr3.txt"));
}

TEST_F(Sciolti, SaveFollowsTheWaterTableOfTheCalculationAndAnEmptiedDescription) {
  fill(*window, QStringLiteral("txtDescrizione=m"));
  QTest::keyClick(field(*window, "txtDescrizione"), Qt::Key_Backspace);
  EXPECT_EQ(beeps, 1);
  fill(*window, sciolti_example);
  click(*window, "Option1");
  click(*window, "calcola");
  EXPECT_EQ(text("NY"), "15,02");
  EXPECT_EQ(text("Q_limite"), "5,46");
  click(*window, "Option2");
  click(*window, "salva");
  EXPECT_EQ(test::read_file(save_path.toStdString()), test::read_data("drenato_si.txt"));
}

TEST_F(Sciolti, ResultsWiderThanTheirBoxesShowTheirLeadingDigits) {
  fill(*window, sciolti_example);
  fill(*window, QStringLiteral("angolo=87,4"));
  click(*window, "calcola");
  ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
  for (const char* name : {"NY", "Nq", "Nc", "Q_limite", "Q_ammissibile"}) {
    QLineEdit* box = field(*window, name);
    EXPECT_TRUE(box->text().contains(u'E')) << name << ": " << box->text().toStdString();
    EXPECT_EQ(box->cursorPosition(), 0) << name;
    EXPECT_EQ(box->toolTip(), box->text()) << name;
    EXPECT_EQ(box->accessibleDescription(), box->text()) << name;
  }
}

TEST_F(Sciolti, PrintSendsOneDocumentNamedAfterTheWindowOrTellsWhyNot) {
  QStringList titles;
  window::toolkit().printer = [&]() -> Outcome<output::PrintDestination, QString> {
    if (!titles.isEmpty()) return Failed{QStringLiteral("nessuna stampante")};
    return output::PrintDestination{
        output::a4_page(),
        [&](const QByteArray& pdf, const QString& title) -> output::PrintOutcome {
          titles << title;
          EXPECT_TRUE(pdf.startsWith("%PDF"));
          return Done{};
        }};
  };
  fill(*window, sciolti_example);
  click(*window, "calcola");
  click(*window, "stampa");
  EXPECT_EQ(titles, QStringList{"Relazione di calcolo - terreni sciolti"});
  EXPECT_TRUE(messages.isEmpty());
  click(*window, "stampa");
  EXPECT_EQ(messages, QStringList{"Problema di stampa nella stampante utilizzata."});
  EXPECT_EQ(text("Q_limite"), "6,84");
}

// Fields and result boxes speak the names their window's table gives them.
TEST_F(Sciolti, FieldsAndResultsSpeakTheNamesOfTheTable) {
  EXPECT_EQ(field(*window, "angolo")->accessibleName(),
            "Angolo di attrito del terreno di fondazione φ' (gradi)");
  EXPECT_EQ(field(*window, "NY")->accessibleName(), "Fattore di portanza NY");
  EXPECT_EQ(field(*window, "txtDescrizione")->accessibleName(), "Descrizione del calcolo");
  EXPECT_EQ(find(*window, "calcola")->accessibleName(), "Calcola");
}

}  // namespace
}  // namespace fondara::testing_gui
