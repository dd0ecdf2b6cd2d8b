#include "app/frmHelpG1.h"

#include <QLabel>

#include "app/appearance.h"
#include "app/twips.h"

namespace fondara::app {

frmHelpG1::frmHelpG1()
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(QStringLiteral("  Informazioni G1"));
  const double dpi = logicalDpiX();
  setFixedSize(twips_to_pixels(5445, dpi), twips_to_pixels(1575, dpi));
  setFont(design_font("MS Sans Serif", 8.25));
  QPalette yellow = palette();
  yellow.setColor(QPalette::Window, QColor(255, 255, 0));
  setPalette(yellow);
  setAutoFillBackground(true);

  // Creation order. The run of blanks pushes the second example onto the second line.
  Label2 = new QLabel(QStringLiteral("es.: G1 saturo = 1700 daN/m^3"
                                     "                                     "
                                     "G1 sotto falda = 1700 - 1000 = 700 daN/m^3"),
                      this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(twips_to_pixels({840, 960, 3585, 555}, dpi));
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1 =
      new QLabel(QStringLiteral("Il Peso specifico del rinterro da inserire è quello del materiale "
                                "saturo; in caso in cui tale terreno si trova sotto falda bisogna "
                                "diminuirlo del peso specifico dell'acqua (1000 daN/m^3)."),
                 this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(twips_to_pixels({240, 240, 5025, 720}, dpi));
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  for (QLabel* label : {Label2, Label1}) {
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
  }
}

}  // namespace fondara::app
