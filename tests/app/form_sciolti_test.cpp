// form_sciolti through its controls: opening from the start window, the worked
// examples with and without water table, the water-table choice across the help
// window and across Save and Print, tab order, refused and failing calculations.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

#include "gui_test.h"

namespace fondara::testing_gui {
namespace {

class FormSciolti : public CalculationWindowTest {
 protected:
  FormSciolti() : CalculationWindowTest("pulsante_sciolti", "form_sciolti") {}
  QRadioButton* option(const char* name) { return find<QRadioButton>(*window, name); }
  QStringList results() {
    return {text("NY"), text("Nq"), text("Nc"), text("Q_limite"), text("Q_ammissibile")};
  }
  const app::DrainedReportValues& last_saved() {
    return std::get<app::DrainedReportValues>(saved.back());
  }
  // Presses "?" and runs `while_open` inside the help window, then closes it with its
  // close box.
  void use_help_window(const std::function<void(QDialog&)>& while_open = {}) {
    QTimer::singleShot(0, [&] {
      auto* help = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(help, nullptr);
      if (while_open) while_open(*help);
      help->close();
    });
    click(*window, "cmdHelpGT");
  }
};

TEST_F(FormSciolti, OpensWithNoWaterTableAndTheFocusInLunghezza) {
  EXPECT_EQ(window->windowTitle(),
            "     Approccio 2 - Carico limite di progetto della fondazione allo SLU/terreni "
            "sciolti");
  EXPECT_EQ(window->size(), QSize(508, 375));  // 7620 x 5625 twips at 96 dpi
  EXPECT_TRUE(option("Option2")->isChecked());
  EXPECT_FALSE(option("Option1")->isChecked());
  EXPECT_EQ(focus(), field(*window, "lunghezza"));
  EXPECT_EQ(text("coefficiente_sicurezza"), "2,3");
  for (const char* disabled : {"calcola", "stampa", "salva"}) EXPECT_FALSE(enabled(disabled));
  for (const char* locked : {"NY", "Nq", "Nc", "Q_limite", "Q_ammissibile"})
    EXPECT_TRUE(field(*window, locked)->isReadOnly()) << locked;
  // The undrained window is loaded but hidden, the start window gone.
  ASSERT_TRUE(app::windows().is_loaded("form_coesivi"));
  EXPECT_FALSE(app::windows().window("form_coesivi").isVisible());
  EXPECT_FALSE(app::windows().is_loaded("form_principale"));
}

TEST_F(FormSciolti, PhiSitsInTheGapOfTheAngleCaption) {
  auto* caption = find<QLabel>(*window, "t7");
  auto* phi = find<QLabel>(*window, "Label2");
  ASSERT_TRUE(phi->text().endsWith(QString::fromUtf8("φ")));
  EXPECT_TRUE(QFontMetrics(phi->font()).inFont(QChar(u'φ')));
  const QString text = caption->text();
  const QFontMetrics metrics(caption->font());
  const int apostrophe_x = caption->x() + metrics.horizontalAdvance(text.left(text.indexOf(u'\'')));
  const int gap_start =
      caption->x() + metrics.horizontalAdvance(text.left(text.indexOf(u'\'')).trimmed()) + 1;
  EXPECT_LE(phi->geometry().right(), apostrophe_x + 1);
  EXPECT_GE(phi->x() + QFontMetrics(phi->font()).horizontalAdvance("  "), gap_start);
}

TEST_F(FormSciolti, CalcolaWaitsForAngleAndFoundationSoilWeight) {
  fill(*window, {{"lunghezza", "10"},
                 {"larghezza", "2"},
                 {"altezza", "1"},
                 {"coesione_drenata", "0"},
                 {"peso_terreno_rinterro", "1800"}});
  EXPECT_FALSE(enabled("calcola"));
  type(*window, "angolo", "30");
  EXPECT_FALSE(enabled("calcola"));
  type(*window, "peso_terreno_fondazione", "1");
  EXPECT_TRUE(enabled("calcola"));
}

struct Example {
  const char* name;
  const char* water_table_option;
  QStringList shown;  // NY, Nq, Nc, qR, qd
};

class DrainedWorkedExamples : public FormSciolti, public ::testing::WithParamInterface<Example> {};

TEST_P(DrainedWorkedExamples, CalculateShowsFactorsAndPressures) {
  fill(*window, sciolti_example);
  QTest::mouseClick(option(GetParam().water_table_option), Qt::LeftButton);
  click(*window, "calcola");
  EXPECT_EQ(results(), GetParam().shown);
  EXPECT_TRUE(messages.isEmpty());
  // A second Calculate reads the fields again: the same results, not converted twice.
  click(*window, "salva");
  click(*window, "calcola");
  EXPECT_EQ(results(), GetParam().shown);
  click(*window, "salva");
  ASSERT_EQ(saved.size(), 2u);
  const auto& first = std::get<app::DrainedReportValues>(saved[0]).valori;
  const auto& second = std::get<app::DrainedReportValues>(saved[1]).valori;
  EXPECT_EQ(first.phi, second.phi);
  EXPECT_EQ(first.c, second.c);
  EXPECT_EQ(first.G, second.G);
  EXPECT_EQ(first.qR, second.qR);
}

const Example examples[] = {
    {"dry_foundation_soil", "Option2", {"15,02", "18,34", "30,05", "6,84", "2,97"}},
    {"foundation_soil_under_water", "Option1", {"15,02", "18,34", "30,05", "5,46", "2,37"}},
};
INSTANTIATE_TEST_SUITE_P(Examples, DrainedWorkedExamples, ::testing::ValuesIn(examples),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormSciolti, TabGoesFromLunghezzaToAngolo) {
  field(*window, "lunghezza")->setFocus();
  // calcola, stampa and salva are disabled and skipped; of the option group only the
  // selected button takes the focus.
  const QStringList expected{"angolo",
                             "coesione_drenata",
                             "peso_terreno_fondazione",
                             "Option2",
                             "NY",
                             "Nq",
                             "Nc",
                             "chiudi",
                             "Picture1",
                             "cmdHelpGT",
                             "txtDescrizione",
                             "Q_ammissibile",
                             "coefficiente_sicurezza",
                             "Q_limite",
                             "peso_terreno_rinterro",
                             "altezza",
                             "larghezza",
                             "lunghezza"};
  QStringList visited;
  for (qsizetype i = 0; i < expected.size(); ++i) {
    QTest::keyClick(focus(), Qt::Key_Tab);
    visited << focus()->objectName();
  }
  EXPECT_EQ(visited, expected);
}

TEST_F(FormSciolti, HelpWindowIsModalOverTheWindowAndShowsTheG1Notes) {
  QString title;
  bool modal = false;
  QWidget* owner = nullptr;
  QStringList texts;
  QColor background;
  use_help_window([&](QDialog& help) {
    title = help.windowTitle();
    modal = help.isModal();
    owner = help.parentWidget();
    background = help.palette().color(QPalette::Window);
    for (const char* name : {"Label1", "Label2"}) texts << help.findChild<QLabel*>(name)->text();
    EXPECT_EQ(help.size(), QSize(363, 105));
  });
  EXPECT_EQ(title, "  Informazioni G1");
  EXPECT_TRUE(modal);
  EXPECT_EQ(owner, window);
  EXPECT_EQ(background, QColor(255, 255, 0));
  ASSERT_EQ(texts.size(), 2);
  EXPECT_TRUE(
      texts[0].startsWith(QString::fromUtf8("Il Peso specifico del rinterro da inserire è")));
  EXPECT_EQ(texts[1], "es.: G1 saturo = 1700 daN/m^3" + QString(37, u' ') +
                          "G1 sotto falda = 1700 - 1000 = 700 daN/m^3");
  // Closing it unloads it; the next "?" loads it anew.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(app::windows().is_loaded("frmHelpG1"));
  bool shown_again = false;
  use_help_window([&](QDialog&) { shown_again = true; });
  EXPECT_TRUE(shown_again);
}

TEST_F(FormSciolti, HelpWindowKeepsTheWaterTableChoiceAndFieldsAndRefocusesLunghezza) {
  fill(*window, sciolti_example);
  QTest::mouseClick(option("Option1"), Qt::LeftButton);
  field(*window, "altezza")->setFocus();
  use_help_window();
  ASSERT_TRUE(QTest::qWaitFor([this] { return window->isActiveWindow(); }));
  EXPECT_TRUE(option("Option1")->isChecked());
  EXPECT_FALSE(option("Option2")->isChecked());
  EXPECT_EQ(focus(), field(*window, "lunghezza"));
  EXPECT_EQ(text("peso_terreno_rinterro"), "1800");
  click(*window, "calcola");
  EXPECT_EQ(text("Q_limite"), "5,46");  // the reduced soil weight of "SI"
}

TEST_F(FormSciolti, ReportsFollowTheWaterTableOfTheLastCalculation) {
  fill(*window, sciolti_example);
  QTest::mouseClick(option("Option1"), Qt::LeftButton);
  click(*window, "calcola");
  QTest::mouseClick(option("Option2"), Qt::LeftButton);
  click(*window, "salva");
  click(*window, "stampa");
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_TRUE(last_saved().valori.falda);
  EXPECT_EQ(last_saved().valori.qR, 5.46f);
  EXPECT_TRUE(std::get<app::DrainedReportValues>(printed.back()).valori.falda);
}

TEST_F(FormSciolti, SaveAndPrintOnlyAfterACompletedCalculation) {
  fill(*window, sciolti_example);
  fill(*window, {{"lunghezza", "1,9"}});
  click(*window, "calcola");  // L < B: refused
  EXPECT_FALSE(enabled("stampa"));
  EXPECT_FALSE(enabled("salva"));
  fill(*window, {{"lunghezza", "10"}, {"larghezza", "2"}, {"angolo", "0"}});
  click(*window, "calcola");  // cannot complete
  EXPECT_FALSE(enabled("stampa"));
  EXPECT_FALSE(enabled("salva"));
  EXPECT_EQ(results(), QStringList(5));
  fill(*window, {{"angolo", "30"}});
  click(*window, "calcola");
  EXPECT_TRUE(enabled("stampa"));
  EXPECT_TRUE(enabled("salva"));
  EXPECT_EQ(messages.size(), 2);
}

TEST_F(FormSciolti, LengthBelowWidthIsRefusedAndTheLastResultsStay) {
  fill(*window, sciolti_example);
  click(*window, "calcola");
  fill(*window, {{"lunghezza", "1,9"}});
  beeps = 0;
  click(*window, "calcola");
  EXPECT_EQ(messages, QStringList{"La lunghezza deve essere superiore alla larghezza"});
  EXPECT_EQ(text("lunghezza"), "");
  EXPECT_EQ(text("larghezza"), "");
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(focus(), field(*window, "larghezza"));
  EXPECT_FALSE(enabled("calcola"));
  EXPECT_EQ(results(), (QStringList{"15,02", "18,34", "30,05", "6,84", "2,97"}));
  click(*window, "salva");
  EXPECT_EQ(last_saved().valori.L, 10.0f);
  EXPECT_EQ(last_saved().valori.B, 2.0f);
}

struct FailureCase {
  const char* name;
  Fields fields;
  const char* message;
};

class DrainedFailingCalculation : public FormSciolti,
                                  public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DrainedFailingCalculation, NamesTheCauseAndKeepsTheRecord) {
  fill(*window, sciolti_example);
  click(*window, "calcola");
  fill(*window, GetParam().fields);
  click(*window, "calcola");
  EXPECT_EQ(messages, QStringList{QString::fromUtf8(GetParam().message)});
  EXPECT_EQ(results(), (QStringList{"15,02", "18,34", "30,05", "6,84", "2,97"}));
  click(*window, "salva");
  // The whole record of the last completed calculation, converted inputs included.
  const ValoriDrenati& valori = last_saved().valori;
  EXPECT_EQ(valori.L, 10.0f);
  EXPECT_NEAR(valori.phi, 0.5236f, 1e-4f);  // 30 degrees, in radians
  EXPECT_EQ(valori.G, 1900.0f);
  EXPECT_EQ(valori.YR, 2.3f);
  EXPECT_EQ(valori.qR, 6.84f);
}

const FailureCase failure_cases[] = {
    {"zero_friction_angle",
     {{"angolo", "0"}},
     "Impossibile eseguire il calcolo: l'angolo di attrito φ' non può essere zero."},
    {"right_angle",
     {{"angolo", "90"}},
     "Impossibile eseguire il calcolo: l'angolo di attrito φ' deve essere minore di 90 gradi."},
    {"zero_width",
     {{"larghezza", "0"}},
     "Impossibile eseguire il calcolo: la larghezza B non può essere zero."},
    {"zero_length_and_width",
     {{"lunghezza", "0"}, {"larghezza", "0"}},
     "Impossibile eseguire il calcolo: la lunghezza L non può essere zero."},
    {"zero_safety_factor",
     {{"coefficiente_sicurezza", "0"}},
     "Impossibile eseguire il calcolo: il coefficiente di sicurezza YR non può essere zero."},
};
INSTANTIATE_TEST_SUITE_P(Failures, DrainedFailingCalculation, ::testing::ValuesIn(failure_cases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormSciolti, DescriptionIsWhatTheBoxHolds) {
  fill(*window, sciolti_example);
  click(*window, "calcola");
  type(*window, "txtDescrizione", "x");
  erase(*window, "txtDescrizione");
  EXPECT_EQ(beeps, 1);
  click(*window, "salva");
  EXPECT_EQ(last_saved().descrizione, "");
  type(*window, "txtDescrizione", "plinto");
  click(*window, "salva");
  EXPECT_EQ(last_saved().descrizione, "plinto");
}

TEST_F(FormSciolti, ChiudiEndsTheProgramWithTheOtherWindowLoaded) {
  click(*window, "chiudi");
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(app::windows().is_loaded("form_sciolti"));
  EXPECT_FALSE(app::windows().is_loaded("form_coesivi"));
}

class StartChoice : public GuiTest {};

TEST_F(StartChoice, EnterRightAfterStartOpensTheDrainedWindow) {
  app::windows().set_visible("form_principale", true);
  QWidget& start = app::windows().window("form_principale");
  ASSERT_TRUE(QTest::qWaitForWindowActive(&start));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_TRUE(app::windows().is_loaded("form_sciolti"));
  EXPECT_TRUE(app::windows().window("form_sciolti").isVisible());
  EXPECT_FALSE(app::windows().window("form_coesivi").isVisible());
  EXPECT_FALSE(app::windows().is_loaded("form_principale"));
}

}  // namespace
}  // namespace fondara::testing_gui
