// The start window, the window registry, the toolkit's production message box and
// the desktop set-up (Italian texts, fonts, pictures).
#include <QApplication>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>

#include "app/appearance.h"
#include "app/pictures.h"
#include "app/toolkit.h"
#include "gui_test.h"

namespace fondara::testing_gui {
namespace {

class StartWindow : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    app::windows().set_visible("form_principale", true);
    start = &app::windows().window("form_principale");
    ASSERT_TRUE(QTest::qWaitForWindowActive(start));
  }
  QWidget* start = nullptr;
};

TEST_F(StartWindow, OpensWithTitleSizeAndFocusOnTheDrainedChoice) {
  EXPECT_EQ(start->windowTitle(), "Fondara Ver.3.0");
  EXPECT_EQ(start->size(), QSize(466, 172));
  EXPECT_EQ(QApplication::focusWidget(), button(*start, "pulsante_sciolti"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), button(*start, "pulsante_coesivi"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), button(*start, "pulsante_sciolti"));
  EXPECT_FALSE(app::windows().is_loaded("form_coesivi"));
}

TEST_F(StartWindow, EnterPressesTheFocusedButtonOnly) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_TRUE(app::windows().is_loaded("form_coesivi"));
  EXPECT_TRUE(app::windows().window("form_coesivi").isVisible());
}

TEST_F(StartWindow, CohesiveChoiceShowsItsWindowAndUnloadsTheStartWindow) {
  click(*start, "pulsante_coesivi");
  EXPECT_FALSE(app::windows().is_loaded("form_principale"));
  ASSERT_TRUE(app::windows().is_loaded("form_coesivi"));
  QWidget& coesivi = app::windows().window("form_coesivi");
  EXPECT_TRUE(coesivi.isVisible());
  // Centred on the screen, give or take the width of the window frame.
  const QPoint screen_centre = coesivi.screen()->availableGeometry().center();
  const QPoint off = coesivi.frameGeometry().center() - screen_centre;
  EXPECT_LE(off.manhattanLength(), 8) << off.x() << ", " << off.y();
}

TEST_F(StartWindow, SpaceOnTheFocusedButtonPressesIt) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_TRUE(app::windows().is_loaded("form_coesivi"));
  EXPECT_TRUE(app::windows().window("form_coesivi").isVisible());
}

TEST_F(StartWindow, CloseBoxEndsTheProgram) {
  start->close();
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(app::windows().is_loaded("form_principale"));
}

class Registry : public GuiTest {};

TEST_F(Registry, WindowIsLoadedHiddenOnFirstReference) {
  EXPECT_FALSE(app::windows().is_loaded("form_coesivi"));
  app::windows().set_visible("form_coesivi", false);
  ASSERT_TRUE(app::windows().is_loaded("form_coesivi"));
  EXPECT_FALSE(app::windows().window("form_coesivi").isVisible());
  EXPECT_EQ(app::windows().window("form_coesivi").objectName(), "form_coesivi");
}

TEST_F(Registry, UnloadedWindowComesBackWithItsDesignValues) {
  QWidget& first = app::windows().window("form_coesivi");
  first.findChild<QLineEdit*>("coefficiente_sicurezza")->setText("5");
  app::windows().unload("form_coesivi");
  EXPECT_FALSE(app::windows().is_loaded("form_coesivi"));
  QWidget& again = app::windows().window("form_coesivi");
  EXPECT_EQ(again.findChild<QLineEdit*>("coefficiente_sicurezza")->text(), "2,3");
}

TEST_F(Registry, EndDiscardsEveryWindowAndEndsTheProgram) {
  app::windows().set_visible("form_principale", true);
  app::windows().set_visible("form_coesivi", false);
  app::windows().end();
  EXPECT_FALSE(app::windows().is_loaded("form_principale"));
  EXPECT_FALSE(app::windows().is_loaded("form_coesivi"));
  EXPECT_EQ(ends, 1);
}

TEST_F(Registry, UnknownNameIsAProgrammingError) {
  EXPECT_THROW(app::windows().window("form_inesistente"), std::logic_error);
}

// The production message box, closed by a timer once it is up.
TEST(DesktopMessageBox, TitleFondaraPromptOneOkButtonNoIcon) {
  QWidget parent;
  parent.show();
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = true;
    EXPECT_EQ(box->windowTitle(), "Fondara");
    EXPECT_EQ(box->text(), "La lunghezza deve essere superiore alla larghezza");
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->buttons().front()->text(), "OK");
    box->buttons().front()->click();
  });
  app::show_message_box(&parent, "La lunghezza deve essere superiore alla larghezza");
  EXPECT_TRUE(seen);
}

TEST(DesktopSetUp, QtTextsAndLocaleAreItalian) {
  EXPECT_EQ(QLocale().language(), QLocale::Italian);
  EXPECT_EQ(QLocale().toString(2.5, 'f', 1), "2,5");
  QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), "Salva");
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Annulla");
}

TEST(DesktopSetUp, DesignFontsMapToFontsThatExist) {
  const struct {
    const char* design;
    const char* used;
  } rows[] = {{"Tahoma", "Liberation Sans"},
              {"MS Sans Serif", "Liberation Sans"},
              {"Microsoft Sans Serif", "Liberation Sans"},
              {"Arial", "Liberation Sans"},
              {"Courier New", "Liberation Mono"}};
  for (const auto& row : rows)
    EXPECT_EQ(QFontInfo(app::design_font(row.design, 10)).family(), row.used) << row.design;
}

TEST(Pictures, SizesAndHotSpotAsDesigned) {
  EXPECT_EQ(app::sezione_fondazione().size(), QSize(113, 130));
  const QCursor hand = app::mano();
  EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
  EXPECT_EQ(hand.hotSpot(), QPoint(12, 1));
  const QImage principale = app::icona_principale().pixmap(32, 32).toImage();
  const QImage calcolo = app::icona_calcolo().pixmap(32, 32).toImage();
  ASSERT_FALSE(principale.isNull());
  ASSERT_FALSE(calcolo.isNull());
  EXPECT_NE(principale, calcolo);
}

}  // namespace
}  // namespace fondara::testing_gui
