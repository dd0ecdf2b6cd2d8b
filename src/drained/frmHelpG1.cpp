#include "drained/frmHelpG1.h"

#include <QIcon>

#include "window/appearance.h"
#include "window/controls.h"
#include "window/looks.h"

namespace fondara::drained {

namespace {

using window::ControlType;
using window::looks::yellow;

// Positions and sizes in twips, in creation order. The run of blanks in Label2 pushes
// the second example onto the second line.
std::vector<window::Control> design() {
  return {
      {ControlType::label,
       "Label2",
       "es.: G1 saturo = 1700 daN/m^3                                     "
       "G1 sotto falda = 1700 - 1000 = 700 daN/m^3",
       {840, 960, 3585, 555},
       {.background = yellow, .wrap = true}},
      {ControlType::label,
       "Label1",
       "Il Peso specifico del rinterro da inserire è quello del materiale saturo; in caso in cui "
       "tale terreno si trova sotto falda bisogna diminuirlo del peso specifico dell'acqua (1000 "
       "daN/m^3).",
       {240, 240, 5025, 720},
       {.background = yellow, .alignment = Qt::AlignHCenter | Qt::AlignTop, .wrap = true}},
  };
}

}  // namespace

frmHelpG1::frmHelpG1(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("frmHelpG1"));
  setWindowTitle(QStringLiteral("  Informazioni G1"));
  // No icon: an icon of its own, even an empty one, keeps it from showing the icon of
  // the window that opens it.
  setWindowIcon(QIcon());
  const double dpi = logicalDpiX();
  setFixedSize(window::twips_to_pixels(5445, dpi), window::twips_to_pixels(1575, dpi));
  setFont(window::design_font("MS Sans Serif", 8.25));
  window::build_controls(*this, design());
  // The designs' palette on a yellow window.
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, yellow);
  setPalette(palette);
  setAutoFillBackground(true);
}

}  // namespace fondara::drained
