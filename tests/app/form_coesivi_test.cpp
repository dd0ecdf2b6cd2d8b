// form_coesivi through its controls: keystroke filter, change handling, Calculate,
// the refused and failing calculations, Save and Print, Close.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "app/toolkit.h"
#include "gui_test.h"

namespace fondara::testing_gui {
namespace {

class FormCoesivi : public CalculationWindowTest {
 protected:
  FormCoesivi() : CalculationWindowTest("pulsante_coesivi", "form_coesivi") {}
  const app::UndrainedReportValues& last_saved() {
    return std::get<app::UndrainedReportValues>(saved.back());
  }
};

TEST_F(FormCoesivi, OpensWithItsDesignState) {
  EXPECT_EQ(window->windowTitle(),
            "    Approccio 2 - Carico limite di progetto della fondazione allo SLU/terreni "
            "coesivi ");
  EXPECT_EQ(window->size(), QSize(489, 335));  // 7335 x 5025 twips at 96 dpi
  EXPECT_EQ(text("coefficiente_sicurezza"), "2,3");
  EXPECT_EQ(text("txtDescrizione"), " ");
  for (const char* empty : {"lunghezza", "larghezza", "altezza", "peso_terreno_rinterro",
                            "coesione_non_drenata", "Q_limite", "Q_ammissibile"})
    EXPECT_EQ(text(empty), "") << empty;
  for (const char* disabled : {"calcola", "stampa", "salva"}) EXPECT_FALSE(enabled(disabled));
  EXPECT_TRUE(enabled("chiudi"));
  EXPECT_TRUE(field(*window, "Q_limite")->isReadOnly());
  EXPECT_EQ(focus(), field(*window, "lunghezza"));
  EXPECT_EQ(beeps, 0);
}

TEST_F(FormCoesivi, ControlsSitWhereTheDesignPutsThem) {
  // Twips at 96 dpi, 15 to the pixel: a sample of each kind of control.
  const struct {
    const char* name;
    QRect pixels;
  } rows[] = {
      {"lunghezza", {290, 41, 65, 25}},  {"t9", {10, 125, 279, 35}},
      {"Picture1", {360, 40, 123, 135}}, {"t14", {8, 248, 171, 17}},
      {"chiudi", {283, 302, 70, 26}},    {"coefficiente_sicurezza", {288, 176, 65, 25}},
      {"Label5", {360, 181, 123, 121}},  {"txtDescrizione", {128, 11, 227, 22}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(find(*window, row.name)->geometry(), row.pixels) << row.name;
}

TEST_F(FormCoesivi, GammaIsDrawnWithAFontThatHasIt) {
  auto* gamma = find<QLabel>(*window, "Label10");
  ASSERT_EQ(gamma->text(), QString::fromUtf8("γ"));
  EXPECT_TRUE(QFontMetrics(gamma->font()).inFont(gamma->text().at(0)));
}

TEST_F(FormCoesivi, TabFollowsTheDesignOrder) {
  fill(*window, coesivi_example);  // enables calcola, which then takes part
  field(*window, "lunghezza")->setFocus();
  const QStringList expected{
      "larghezza", "altezza",  "peso_terreno_rinterro", "coesione_non_drenata",
      "calcola",   "Q_limite", "Q_ammissibile",         "coefficiente_sicurezza",
      "chiudi",    "Picture1", "txtDescrizione",        "lunghezza"};
  QStringList visited;
  for (qsizetype i = 0; i < expected.size(); ++i) {
    QTest::keyClick(focus(), Qt::Key_Tab);
    visited << focus()->objectName();
  }
  // stampa and salva are disabled before a calculation and are skipped.
  EXPECT_EQ(visited, expected);
}

struct TypingCase {
  const char* name;
  const char* keys;
  const char* shown;
  int beeps;
};

class Typing : public FormCoesivi, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(Typing, FieldShowsWhatTheFilterAndTheCheckLeave) {
  type(*window, "lunghezza", QString::fromUtf8(GetParam().keys));
  EXPECT_EQ(text("lunghezza"), QString::fromUtf8(GetParam().shown));
  EXPECT_EQ(beeps, GetParam().beeps);
  EXPECT_EQ(focus(), field(*window, "lunghezza"));
}

const TypingCase typing_cases[] = {
    {"full_stop_becomes_comma", "2.5", "2,5", 0},
    {"digits_and_comma", "12,75", "12,75", 0},
    {"letters_dropped_silently", "1a2bE", "12", 0},
    {"signs_and_blank_dropped", "-3+ 4", "34", 0},
    {"lone_comma_refused_with_two_beeps", ",", "", 2},
    {"trailing_comma_stays", "5,", "5,", 0},
    {"leading_lone_comma_refused_then_digit_kept", ",5", "5", 2},
    {"second_comma_empties_field", "1,2,", "", 2},
    {"non_latin_letter_dropped", "7γ", "7", 0},
};
INSTANTIATE_TEST_SUITE_P(Keys, Typing, ::testing::ValuesIn(typing_cases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormCoesivi, EnterAndEscapeDoNothingInANumericField) {
  type(*window, "lunghezza", "4");
  QLineEdit* L = field(*window, "lunghezza");
  QTest::keyClick(L, Qt::Key_Return);
  QTest::keyClick(L, Qt::Key_Enter);
  QTest::keyClick(L, Qt::Key_Escape);
  EXPECT_EQ(L->text(), "4");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(beeps, 0);
}

TEST_F(FormCoesivi, FullStopTurnedCommaEditsLikeATypedComma) {
  // Undo and the maximum length treat the comma that replaced a full stop as the line
  // edit treats a typed comma.
  QLineEdit plain;
  plain.setMaxLength(3);
  field(*window, "lunghezza")->setMaxLength(3);
  QTest::keyClicks(&plain, "4,5,6");
  type(*window, "lunghezza", "4.5.6");
  EXPECT_EQ(text("lunghezza"), plain.text());
  QTest::keyClick(&plain, Qt::Key_Backspace);
  QTest::keyClick(field(*window, "lunghezza"), Qt::Key_Backspace);
  QTest::keyClicks(&plain, "7");
  type(*window, "lunghezza", "7");
  QTest::keyClick(&plain, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(field(*window, "lunghezza"), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(text("lunghezza"), plain.text());
  EXPECT_EQ(beeps, 0);
}

TEST_F(FormCoesivi, DeletingTheLastCharacterBeepsOnce) {
  type(*window, "altezza", "7");
  erase(*window, "altezza");
  EXPECT_EQ(text("altezza"), "");
  EXPECT_EQ(beeps, 1);
  EXPECT_FALSE(enabled("calcola"));
}

struct PasteCase {
  const char* name;
  const char* pasted;
  const char* shown;
  int beeps;
};

class Pasting : public FormCoesivi, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(Pasting, PastedTextFollowsTheNumberRule) {
  field(*window, "lunghezza")->setFocus();
  paste(*window, "larghezza", QString::fromUtf8(GetParam().pasted));
  EXPECT_EQ(text("larghezza"), QString::fromUtf8(GetParam().shown));
  EXPECT_EQ(beeps, GetParam().beeps);
  EXPECT_EQ(focus(), field(*window, "larghezza"));
  EXPECT_FALSE(enabled("calcola"));
}

const PasteCase paste_cases[] = {
    {"letters_refused", "abc", "", 2},       {"full_stop_as_decimal_point_refused", "2.5", "", 2},
    {"minus_sign_refused", "-2", "", 2},     {"exponent_refused", "1E3", "", 2},
    {"decimal_comma_kept", "2,5", "2,5", 0}, {"thousands_dots_kept", "1.000,5", "1.000,5", 0},
};
INSTANTIATE_TEST_SUITE_P(Clipboard, Pasting, ::testing::ValuesIn(paste_cases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormCoesivi, CalcolaIsEnabledByTheKeystrokeThatFillsTheLastField) {
  fill(*window, {{"lunghezza", "10"},
                 {"larghezza", "2"},
                 {"altezza", "1"},
                 {"peso_terreno_rinterro", "1800"}});
  EXPECT_FALSE(enabled("calcola"));
  QLineEdit* cu = field(*window, "coesione_non_drenata");
  cu->setFocus();
  QTest::keyClick(cu, Qt::Key_0);
  EXPECT_TRUE(enabled("calcola"));
  QTest::keyClick(cu, Qt::Key_Backspace);
  EXPECT_FALSE(enabled("calcola"));
  // The safety factor counts like every other field.
  QTest::keyClick(cu, Qt::Key_5);
  erase(*window, "coefficiente_sicurezza");
  EXPECT_FALSE(enabled("calcola"));
}

struct Example {
  const char* name;
  Fields fields;
  const char* qR;
  const char* qd;
};

class WorkedExamples : public FormCoesivi, public ::testing::WithParamInterface<Example> {};

TEST_P(WorkedExamples, CalculateShowsQrAndQd) {
  fill(*window, GetParam().fields);
  ASSERT_TRUE(enabled("calcola"));
  click(*window, "calcola");
  EXPECT_EQ(text("Q_limite"), GetParam().qR);
  EXPECT_EQ(text("Q_ammissibile"), GetParam().qd);
  EXPECT_TRUE(enabled("stampa"));
  EXPECT_TRUE(enabled("salva"));
  EXPECT_TRUE(messages.isEmpty());
}

const Example examples[] = {
    {"ten_by_two", coesivi_example, "2,88", "1,25"},
    {"qd_from_untruncated_qR",
     {{"lunghezza", "5"},
      {"larghezza", "1"},
      {"altezza", "1,5"},
      {"peso_terreno_rinterro", "1850"},
      {"coesione_non_drenata", "0,3"}},
     "1,93",
     "0,84"},
    {"float_just_below_three_point_three",
     {{"lunghezza", "1"},
      {"larghezza", "1"},
      {"altezza", "1"},
      {"peso_terreno_rinterro", "1800"},
      {"coesione_non_drenata", "0,5"}},
     "3,29",
     "1,43"},
    {"safety_factor_one_gives_qd_equal_qR",
     {{"lunghezza", "10"},
      {"larghezza", "2"},
      {"altezza", "1"},
      {"peso_terreno_rinterro", "1800"},
      {"coesione_non_drenata", "0,5"},
      {"coefficiente_sicurezza", "1"}},
     "2,88",
     "2,88"},
};
INSTANTIATE_TEST_SUITE_P(Examples, WorkedExamples, ::testing::ValuesIn(examples),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormCoesivi, SaveAndPrintReceiveTheLastCompletedCalculation) {
  fill(*window, coesivi_example);
  click(*window, "calcola");
  click(*window, "salva");
  click(*window, "stampa");
  ASSERT_EQ(saved.size(), 1u);
  ASSERT_EQ(printed.size(), 1u);
  const auto& values = last_saved();
  EXPECT_EQ(values.dati.L, 10.0f);
  EXPECT_EQ(values.dati.B, 2.0f);
  EXPECT_EQ(values.dati.H, 1.0f);
  EXPECT_EQ(values.dati.G1, 1800.0f);
  EXPECT_EQ(values.dati.cu, 0.5f);
  EXPECT_EQ(values.dati.YR, 2.3f);
  EXPECT_EQ(values.risultati.qR, 2.88f);
  EXPECT_EQ(values.risultati.qd, 1.25f);
  EXPECT_EQ(values.descrizione, "");  // never edited: no description, despite the blank
  EXPECT_EQ(std::get<app::UndrainedReportValues>(printed.back()).risultati.qR, 2.88f);
}

TEST_F(FormCoesivi, EditingAfterACalculationLeavesResultsAndButtons) {
  fill(*window, coesivi_example);
  click(*window, "calcola");
  erase(*window, "lunghezza");
  type(*window, "larghezza", "5");
  EXPECT_FALSE(enabled("calcola"));
  EXPECT_EQ(text("Q_limite"), "2,88");
  EXPECT_EQ(text("Q_ammissibile"), "1,25");
  EXPECT_TRUE(enabled("stampa"));
  EXPECT_TRUE(enabled("salva"));
  click(*window, "salva");
  EXPECT_EQ(last_saved().dati.L, 10.0f);
  EXPECT_EQ(last_saved().dati.B, 2.0f);
}

TEST_F(FormCoesivi, LengthBelowWidthIsRefusedWithoutResults) {
  fill(*window, coesivi_example);
  click(*window, "calcola");
  fill(*window, {{"lunghezza", "1"}, {"larghezza", "2"}});
  beeps = 0;
  // While the message is up the fields still hold the refused dimensions.
  QStringList at_message;
  during_message = [&] { at_message << text("lunghezza") << text("larghezza"); };
  click(*window, "calcola");
  EXPECT_EQ(messages, QStringList{"La lunghezza deve essere superiore alla larghezza"});
  EXPECT_EQ(at_message, (QStringList{"1", "2"}));
  EXPECT_EQ(text("lunghezza"), "");
  EXPECT_EQ(text("larghezza"), "");
  EXPECT_EQ(beeps, 2);  // one for each emptied field
  EXPECT_EQ(focus(), field(*window, "larghezza"));
  EXPECT_FALSE(enabled("calcola"));
  // The last completed calculation stays on screen and in the reports.
  EXPECT_EQ(text("Q_limite"), "2,88");
  EXPECT_EQ(text("Q_ammissibile"), "1,25");
  click(*window, "salva");
  EXPECT_EQ(last_saved().dati.L, 10.0f);
  EXPECT_EQ(last_saved().dati.B, 2.0f);
  EXPECT_EQ(last_saved().risultati.qR, 2.88f);
}

// A first click that ends with a message (L < B refused, a calculation that cannot
// complete) shows no result and enables neither Save nor Print.
TEST_F(FormCoesivi, FirstClickWithoutResultsEnablesNothing) {
  for (const auto& [lunghezza, larghezza] : {std::pair{"1", "2"}, std::pair{"0", "0"}}) {
    SCOPED_TRACE(std::string("L = ") + lunghezza + ", B = " + larghezza);
    messages.clear();
    fill(*window, {{"lunghezza", lunghezza},
                   {"larghezza", larghezza},
                   {"altezza", "1"},
                   {"peso_terreno_rinterro", "1800"},
                   {"coesione_non_drenata", "0,5"}});
    click(*window, "calcola");
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(text("Q_limite"), "");
    EXPECT_FALSE(enabled("stampa"));
    EXPECT_FALSE(enabled("salva"));
  }
}

TEST_F(FormCoesivi, EqualLengthAndWidthPassWithoutAWord) {
  fill(*window, {{"lunghezza", "2"},
                 {"larghezza", "2"},
                 {"altezza", "0"},
                 {"peso_terreno_rinterro", "0"},
                 {"coesione_non_drenata", "1"},
                 {"coefficiente_sicurezza", "1"}});
  click(*window, "calcola");
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(text("Q_limite"), "6,16");  // 5.14 x 1.2, the square's shape term
}

struct FailureCase {
  const char* name;
  Fields fields;
  const char* message;
};

class FailingCalculation : public FormCoesivi, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailingCalculation, NamesTheCauseAndKeepsTheLastResults) {
  fill(*window, coesivi_example);
  click(*window, "calcola");
  fill(*window, GetParam().fields);
  click(*window, "calcola");
  EXPECT_EQ(messages, QStringList{QString::fromUtf8(GetParam().message)});
  EXPECT_EQ(text("Q_limite"), "2,88");
  EXPECT_EQ(text("Q_ammissibile"), "1,25");
  EXPECT_TRUE(enabled("salva"));
  click(*window, "salva");
  EXPECT_EQ(last_saved().dati.L, 10.0f);
  EXPECT_EQ(last_saved().dati.YR, 2.3f);
  EXPECT_EQ(last_saved().risultati.qd, 1.25f);
}

const FailureCase failure_cases[] = {
    {"zero_length_and_width",
     {{"lunghezza", "0"}, {"larghezza", "0"}},
     "Impossibile eseguire il calcolo: la lunghezza L non può essere zero."},
    {"zero_safety_factor",
     {{"coefficiente_sicurezza", "0"}},
     "Impossibile eseguire il calcolo: il coefficiente di sicurezza YR non può essere zero."},
    {"result_beyond_float_range",
     // 3E38 daN/cm², a float, times 5.14 is not.
     {{"coesione_non_drenata", "3" + QString(38, u'0')}},
     "Impossibile eseguire il calcolo: un risultato supera il massimo valore "
     "rappresentabile."},
};
INSTANTIATE_TEST_SUITE_P(Failures, FailingCalculation, ::testing::ValuesIn(failure_cases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormCoesivi, DescriptionIsWhatTheBoxHolds) {
  fill(*window, coesivi_example);
  click(*window, "calcola");
  QLineEdit* description = field(*window, "txtDescrizione");
  description->selectAll();
  type(*window, "txtDescrizione", "muro");
  click(*window, "salva");
  EXPECT_EQ(last_saved().descrizione, "muro");
  // Deleted letter by letter: the emptied box beeps and the reports lose the text.
  erase(*window, "txtDescrizione");
  EXPECT_EQ(beeps, 1);
  click(*window, "salva");
  EXPECT_EQ(last_saved().descrizione, "");
  // Any character is free text here, accents and blanks included.
  type(*window, "txtDescrizione", QString::fromUtf8(" Plinto à 2.5-m "));
  click(*window, "stampa");
  EXPECT_EQ(std::get<app::UndrainedReportValues>(printed.back()).descrizione, " Plinto à 2.5-m ");
}

TEST_F(FormCoesivi, ActivationPutsTheFocusBackInLunghezza) {
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  field(*window, "altezza")->setFocus();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_EQ(focus(), field(*window, "lunghezza"));
}

TEST_F(FormCoesivi, RealMessageBoxLeavesTheFocusInLarghezza) {
  // The production box, dismissed with its OK button: the window's reactivation after
  // it is no activation, so the focus stays where emptying larghezza put it.
  app::toolkit().message_box = app::show_message_box;
  fill(*window, {{"lunghezza", "1"},
                 {"larghezza", "2"},
                 {"altezza", "1"},
                 {"peso_terreno_rinterro", "1800"},
                 {"coesione_non_drenata", "0,5"}});
  QString shown;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown = box->text();
    box->buttons().front()->click();
  });
  click(*window, "calcola");
  EXPECT_EQ(shown, "La lunghezza deve essere superiore alla larghezza");
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::qWait(20);
  EXPECT_EQ(focus(), field(*window, "larghezza"));
  // A later activation is one again.
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_EQ(focus(), field(*window, "lunghezza"));
}

TEST_F(FormCoesivi, ChiudiEndsTheProgram) {
  click(*window, "chiudi");
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(app::windows().is_loaded("form_coesivi"));
  EXPECT_FALSE(app::windows().is_loaded("form_principale"));
}

TEST_F(FormCoesivi, FrameCloseBoxEndsTheProgramToo) {
  window->close();
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(app::windows().is_loaded("form_coesivi"));
}

}  // namespace
}  // namespace fondara::testing_gui
