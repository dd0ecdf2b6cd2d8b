// The start window, the help window, the end of the program, the production message
// box and the pictures.
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "gui_fixture.h"
#include "window/pictures.h"
#include "window/toolkit.h"
#include "window/window_registry.h"

namespace fondara::testing_gui {
namespace {

gui::WindowRegistry& windows() {
  return gui::windows();
}

TEST_F(GuiTest, EnterAtStartOpensTheDrainedWindowAndLoadsTheOtherHidden) {
  windows().set_visible(QStringLiteral("form_principale"), true);
  QWidget& start = windows().window(QStringLiteral("form_principale"));
  ASSERT_TRUE(QTest::qWaitForWindowActive(&start));
  EXPECT_EQ(focus(), find(start, "pulsante_sciolti"));
  QTest::keyClick(focus(), Qt::Key_Return);
  EXPECT_TRUE(windows().window(QStringLiteral("form_sciolti")).isVisible());
  EXPECT_FALSE(windows().window(QStringLiteral("form_coesivi")).isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(windows().is_loaded(QStringLiteral("form_principale")));
}

// Each calculation window opens centred on the screen with its design state.
TEST_F(GuiTest, CalculationWindowsOpenCentredWithTheirDesignState) {
  for (const auto& [button, name] : {std::pair{"pulsante_coesivi", "form_coesivi"},
                                     std::pair{"pulsante_sciolti", "form_sciolti"}}) {
    QWidget& window = open(button, name);
    const QPoint off = window.geometry().center() - window.screen()->availableGeometry().center();
    EXPECT_LE(off.manhattanLength(), 1) << name;
    EXPECT_EQ(field(window, "txtDescrizione")->text(), " ") << name;
    EXPECT_EQ(field(window, "coefficiente_sicurezza")->text(), "2,3") << name;
    EXPECT_EQ(field(window, "lunghezza")->text() + field(window, "Q_limite")->text(), "") << name;
    for (const char* disabled : {"calcola", "stampa", "salva"})
      EXPECT_FALSE(find(window, disabled)->isEnabled()) << name << ' ' << disabled;
    windows().discard_all();
  }
  EXPECT_TRUE(find<QRadioButton>(open("pulsante_sciolti", "form_sciolti"), "Option2")->isChecked());
}

TEST_F(GuiTest, ClosingTheStartWindowEndsTheProgram) {
  windows().set_visible(QStringLiteral("form_principale"), true);
  windows().window(QStringLiteral("form_principale")).close();
  EXPECT_EQ(ends, 1);
}

TEST_F(GuiTest, ChiudiAndTheCloseBoxEndTheProgram) {
  click(open("pulsante_coesivi", "form_coesivi"), "chiudi");
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(windows().is_loaded(QStringLiteral("form_sciolti")));
  open("pulsante_sciolti", "form_sciolti").close();
  EXPECT_EQ(ends, 2);
}

TEST_F(GuiTest, HelpWindowIsModalAndGivesTheFocusBack) {
  QWidget& sciolti = open("pulsante_sciolti", "form_sciolti");
  click(sciolti, "Option1");
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* help = QApplication::activeModalWidget();
    ASSERT_NE(help, nullptr);
    seen = true;
    EXPECT_EQ(help->objectName(), "frmHelpG1");
    EXPECT_EQ(help->windowTitle(), "  Informazioni G1");
    help->close();
  });
  click(sciolti, "cmdHelpGT");
  EXPECT_TRUE(seen);
  EXPECT_EQ(sciolti.focusWidget(), find(sciolti, "lunghezza"));
  EXPECT_TRUE(find<QRadioButton>(sciolti, "Option1")->isChecked());
  EXPECT_FALSE(windows().is_loaded(QStringLiteral("frmHelpG1")));
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
  gui::show_message_box(&parent, QStringLiteral("Problema"));
  EXPECT_TRUE(seen);
}

TEST(Pictures, LoadWithTheirDesignedSizes) {
  EXPECT_EQ(gui::sezione_fondazione().size(), QSize(113, 130));
  EXPECT_EQ(gui::mano().pixmap().size(), QSize(32, 32));
  EXPECT_EQ(gui::mano().hotSpot(), QPoint(12, 1));
  const QImage principale = gui::icona_principale().pixmap(32, 32).toImage();
  ASSERT_FALSE(principale.isNull());
  EXPECT_NE(principale, gui::icona_calcolo().pixmap(32, 32).toImage());
}

}  // namespace
}  // namespace fondara::testing_gui
