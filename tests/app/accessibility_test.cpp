// What a screen reader reads in the windows: every field, result box, option and
// button has a name, and the fields' names say the quantity, symbol and unit.
#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>

#include "gui_test.h"

namespace fondara::testing_gui {
namespace {

QString spoken_name(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

class Accessibility : public GuiTest {
 protected:
  // Every control a user can reach with the keyboard or read must have a name.
  void expect_all_named(QWidget& window) {
    int checked = 0;
    for (QWidget* control : window.findChildren<QWidget*>()) {
      if (qobject_cast<QLineEdit*>(control) == nullptr &&
          qobject_cast<QAbstractButton*>(control) == nullptr)
        continue;
      ++checked;
      EXPECT_FALSE(spoken_name(control).trimmed().isEmpty()) << control->objectName().toStdString();
    }
    EXPECT_GT(checked, 10);
  }
};

TEST_F(Accessibility, UndrainedWindowControlsHaveNames) {
  QWidget& window = open_from_start("pulsante_coesivi", "form_coesivi");
  expect_all_named(window);
  EXPECT_EQ(spoken_name(field(window, "lunghezza")), "Lunghezza della fondazione L (m)");
  EXPECT_EQ(spoken_name(field(window, "Q_ammissibile")), "Carico di progetto qd (daN/cm², bar)");
}

TEST_F(Accessibility, DrainedWindowControlsHaveNames) {
  QWidget& window = open_from_start("pulsante_sciolti", "form_sciolti");
  expect_all_named(window);
  EXPECT_EQ(spoken_name(field(window, "angolo")),
            "Angolo di attrito del terreno di fondazione φ' (gradi)");
  EXPECT_EQ(spoken_name(button(window, "cmdHelpGT")),
            "Informazioni sul peso specifico del rinterro G1");
  EXPECT_EQ(spoken_name(find<QAbstractButton>(window, "Option1")),
            "Terreno di fondazione sotto falda: SI");
}

}  // namespace
}  // namespace fondara::testing_gui
