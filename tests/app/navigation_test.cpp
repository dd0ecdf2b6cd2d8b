// The start window, the help window, the end of the program, the production message box
// and the pictures.
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "gui_fixture.h"
#include "row_name.h"
#include "window/pictures.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

using Navigation = GuiTest;

TEST_F(Navigation, EnterAtStartOpensTheDrainedWindowAndLoadsTheOthersHidden) {
  QWidget& start_window = start();
  EXPECT_EQ(focus(), find(start_window, "pulsante_sciolti"));
  QTest::keyClick(focus(), Qt::Key_Return);
  ASSERT_NE(top_level("form_sciolti"), nullptr);
  EXPECT_TRUE(top_level("form_sciolti")->isVisible());
  ASSERT_NE(top_level("form_coesivi"), nullptr);
  EXPECT_FALSE(top_level("form_coesivi")->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(top_level("form_principale"), nullptr);
}

TEST_F(Navigation, TabMovesBetweenTheChoicesInTheirOrder) {
  QWidget& start_window = start();
  QTest::keyClick(focus(), Qt::Key_Tab);
  EXPECT_EQ(focus(), find(start_window, "pulsante_coesivi"));
}

struct WindowRow {
  const char* name;  // the window's
  const char* start_button;
};

const WindowRow windows[] = {{"form_coesivi", "pulsante_coesivi"},
                             {"form_sciolti", "pulsante_sciolti"}};

class CalculationWindowOpening : public GuiTest, public testing::WithParamInterface<WindowRow> {};

// Each calculation window opens centred on the screen with its design state.
TEST_P(CalculationWindowOpening, CentredWithItsDesignState) {
  QWidget& window = open(GetParam().start_button, GetParam().name);
  const QPoint off = window.geometry().center() - window.screen()->availableGeometry().center();
  EXPECT_LE(off.manhattanLength(), 1);
  EXPECT_EQ(field(window, "txtDescrizione")->text(), " ");
  EXPECT_EQ(field(window, "coefficiente_sicurezza")->text(), "2,3");
  EXPECT_EQ(field(window, "lunghezza")->text() + field(window, "Q_limite")->text(), "");
  EXPECT_EQ(focus(), field(window, "lunghezza"));
  for (const char* disabled : {"calcola", "stampa", "salva"})
    EXPECT_FALSE(find(window, disabled)->isEnabled()) << disabled;
}

// chiudi and the frame's close box end the program.
TEST_P(CalculationWindowOpening, ChiudiAndTheCloseBoxEndTheProgram) {
  click(open(GetParam().start_button, GetParam().name), "chiudi");
  EXPECT_EQ(ends, 1);
  top_level(GetParam().name)->close();
  EXPECT_EQ(ends, 2);
}

INSTANTIATE_TEST_SUITE_P(Windows, CalculationWindowOpening, testing::ValuesIn(windows),
                         testing_support::RowName{});

TEST_F(Navigation, ClosingTheStartWindowEndsTheProgram) {
  start().close();
  EXPECT_EQ(ends, 1);
}

TEST_F(Navigation, HelpWindowIsModalAndGivesTheFocusBack) {
  QWidget& sciolti = open("pulsante_sciolti", "form_sciolti");
  EXPECT_TRUE(find<QRadioButton>(sciolti, "Option2")->isChecked());
  click(sciolti, "Option1");
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* help = QApplication::activeModalWidget();
    ASSERT_NE(help, nullptr);
    seen = true;
    EXPECT_EQ(help->objectName(), "frmHelpG1");
    EXPECT_EQ(help->windowTitle(), "  Informazioni G1");
    EXPECT_EQ(help->parentWidget(), &sciolti);
    help->close();
  });
  click(sciolti, "cmdHelpGT");
  EXPECT_TRUE(seen);
  EXPECT_EQ(sciolti.focusWidget(), find(sciolti, "lunghezza"));
  EXPECT_TRUE(find<QRadioButton>(sciolti, "Option1")->isChecked());
  EXPECT_EQ(sciolti.findChild<QWidget*>(QStringLiteral("frmHelpG1")), nullptr);
}

TEST(DesktopMessageBox, TitleFondaraPromptOneOkButtonNoIcon) {
  QWidget parent;
  parent.show();
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = true;
    EXPECT_EQ(box->windowTitle(), "Fondara");
    EXPECT_EQ(box->text(), "Problema");
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    ASSERT_EQ(box->buttons().size(), 1);
    box->buttons().front()->click();
  });
  window::show_message_box(&parent, QStringLiteral("Problema"));
  EXPECT_TRUE(seen);
}

TEST(Pictures, LoadWithTheirDesignedSizes) {
  EXPECT_EQ(window::sezione_fondazione().size(), QSize(113, 130));
  EXPECT_EQ(window::mano().pixmap().size(), QSize(32, 32));
  EXPECT_EQ(window::mano().hotSpot(), QPoint(12, 1));
  const QImage principale = window::icona_principale().pixmap(32, 32).toImage();
  ASSERT_FALSE(principale.isNull());
  EXPECT_NE(principale, window::icona_calcolo().pixmap(32, 32).toImage());
}

}  // namespace
}  // namespace fondara::testing_gui
