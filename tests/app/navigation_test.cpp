// The start window, the calculation windows as they open, the help window, the end of the
// program.
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "gui_fixture.h"

namespace fondara::testing_gui {
namespace {

using Navigation = GuiTest;

// Enter opens the drained window, centred with its design state; the other kinds' windows
// are loaded hidden, the start window goes.
TEST_F(Navigation, EnterAtStartOpensTheDrainedWindowAndLoadsTheOthersHidden) {
  QWidget& start_window = start();
  EXPECT_EQ(focus(), find(start_window, "pulsante_sciolti"));
  QTest::keyClick(focus(), Qt::Key_Return);
  QWidget* sciolti = top_level("form_sciolti");
  ASSERT_TRUE(sciolti && QTest::qWaitForWindowActive(sciolti));
  const QPoint off = sciolti->geometry().center() - sciolti->screen()->availableGeometry().center();
  EXPECT_LE(off.manhattanLength(), 1);
  EXPECT_EQ(field(*sciolti, "txtDescrizione")->text() + '|' +
                field(*sciolti, "coefficiente_sicurezza")->text(),
            " |2,3");
  EXPECT_EQ(focus(), field(*sciolti, "lunghezza"));
  ASSERT_NE(top_level("form_coesivi"), nullptr);
  EXPECT_FALSE(top_level("form_coesivi")->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(top_level("form_principale"), nullptr);
}

TEST_F(Navigation, ClosingTheStartWindowEndsTheProgram) {
  start().close();
  EXPECT_EQ(ends, 1);
}

TEST_F(Navigation, ChiudiAndTheCloseBoxEndTheProgram) {
  QWidget& coesivi = open("pulsante_coesivi", "form_coesivi");
  click(coesivi, "chiudi");
  EXPECT_EQ(ends, 1);
  coesivi.close();
  EXPECT_EQ(ends, 2);
}

// The help window is modal and owned by the drained window; the water-table choice and the
// focus come back as they were.
TEST_F(Navigation, HelpWindowIsModalAndGivesTheFocusBack) {
  QWidget& sciolti = open("pulsante_sciolti", "form_sciolti");
  click(sciolti, "Option1");
  QWidget* help = nullptr;
  QTimer::singleShot(0, [&] {
    help = QApplication::activeModalWidget();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->objectName() + '|' + help->windowTitle(), "frmHelpG1|  Informazioni G1");
    EXPECT_EQ(help->parentWidget(), &sciolti);
    help->close();
  });
  click(sciolti, "cmdHelpGT");
  EXPECT_NE(help, nullptr);
  EXPECT_EQ(sciolti.focusWidget(), find(sciolti, "lunghezza"));
  EXPECT_TRUE(find<QRadioButton>(sciolti, "Option1")->isChecked());
  EXPECT_EQ(sciolti.findChild<QWidget*>(QStringLiteral("frmHelpG1")), nullptr);
}

}  // namespace
}  // namespace fondara::testing_gui
