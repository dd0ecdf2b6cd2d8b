#include "app/form_principale.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>

#include "app/appearance.h"
#include "app/pictures.h"
#include "app/twips.h"
#include "app/window_registry.h"

namespace fondara::app {

namespace {

// A command button whose caption wraps inside it.
class WrappingButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const int margin = 6;
    painter.drawText(rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, text());
  }
};

const char* const avvertenza =
    "Il programma è fornito così com'è, senza garanzia di alcun tipo. L'autore non risponde "
    "di danni derivanti dal suo uso: i risultati vanno sempre verificati dal progettista.";

}  // namespace

form_principale::form_principale()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Fondara Ver.3.0"));
  setWindowIcon(icona_principale());
  const double dpi = logicalDpiX();
  resize(twips_to_pixels(6990, dpi), twips_to_pixels(2580, dpi));
  const auto place = [dpi](QWidget* widget, const char* name, Twips at, const QFont& font) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twips_to_pixels(at, dpi));
    widget->setFont(font);
  };

  // Creation (stacking) order.
  pulsante_coesivi = new WrappingButton(
      QStringLiteral("Portanza terreni argillosi, limosi, coesivi a breve termine"), this);
  place(pulsante_coesivi, "pulsante_coesivi", {120, 1680, 3375, 855},
        design_font("Tahoma", 9.75, true));
  pulsante_sciolti = new WrappingButton(
      QStringLiteral("Portanza terreni sciolti, ghiaiosi, sabbiosi, coesivi a lungo termine"),
      this);
  place(pulsante_sciolti, "pulsante_sciolti", {3515, 1680, 3375, 855},
        design_font("Tahoma", 9.75, true));
  Label7 = new QLabel(QString::fromUtf8(avvertenza), this);
  place(Label7, "Label7", {120, 720, 6795, 885}, design_font("MS Sans Serif", 8.25));
  Label7->setWordWrap(true);
  Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label3 = new QLabel(QStringLiteral("Fondara"), this);
  place(Label3, "Label3", {135, 375, 2520, 285}, design_font("Tahoma", 11.25));
  Label1 = new QLabel(QStringLiteral("CARICO LIMITE DELLE FONDAZIONI DIRETTE"), this);
  place(Label1, "Label1", {135, 75, 8040, 435}, design_font("Arial", 12, true));
  for (QLabel* label : {Label7, Label3, Label1}) label->setTextFormat(Qt::PlainText);
  QPalette red = Label1->palette();
  red.setColor(QPalette::WindowText, QColor(255, 0, 0));
  Label1->setPalette(red);
  QPalette black = Label3->palette();
  black.setColor(QPalette::WindowText, Qt::black);
  Label3->setPalette(black);

  const QCursor hand = mano();
  for (QPushButton* button : {pulsante_coesivi, pulsante_sciolti}) {
    // Enter presses the focused button as Space does; neither is a default button.
    button->setAutoDefault(true);
    button->setCursor(hand);
  }
  // pulsante_sciolti comes first in the tab order, so it holds the focus at start.
  QWidget::setTabOrder(pulsante_sciolti, pulsante_coesivi);
  pulsante_sciolti->setFocus();

  connect(pulsante_coesivi, &QPushButton::clicked, this, &form_principale::pulsante_coesivi_Click);
  connect(pulsante_sciolti, &QPushButton::clicked, this, &form_principale::pulsante_sciolti_Click);
}

void form_principale::pulsante_coesivi_Click() {
  windows().set_visible(QStringLiteral("form_coesivi"), true);
  windows().set_visible(QStringLiteral("form_sciolti"), false);
  windows().unload(QStringLiteral("form_principale"));
}

void form_principale::pulsante_sciolti_Click() {
  windows().set_visible(QStringLiteral("form_coesivi"), false);
  windows().set_visible(QStringLiteral("form_sciolti"), true);
  windows().unload(QStringLiteral("form_principale"));
}

void form_principale::closeEvent(QCloseEvent* event) {
  // Before a choice no other window is shown: closing the start window ends the run.
  event->accept();
  windows().end();
}

void form_principale::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centred_) return;
  centred_ = true;
  move(screen()->availableGeometry().center() - rect().center());
}

}  // namespace fondara::app
