#include "app/form_principale.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>

#include "window/controls.h"
#include "window/pictures.h"
#include "window/window_registry.h"

namespace fondara::app {

namespace {

using gui::Kind;

const gui::Look choice{.family = "Tahoma", .points = 9.75, .bold = true, .wrap = true};

// Positions and sizes in twips, in creation (stacking) order.
std::vector<gui::Control> design() {
  return {
      {Kind::button,
       "pulsante_coesivi",
       "Portanza terreni argillosi, limosi, coesivi a breve termine",
       {120, 1680, 3375, 855},
       choice},
      {Kind::button,
       "pulsante_sciolti",
       "Portanza terreni sciolti, ghiaiosi, sabbiosi, coesivi a lungo termine",
       {3515, 1680, 3375, 855},
       choice},
      {Kind::label,
       "Label7",
       "Il programma è fornito così com'è, senza garanzia di alcun tipo. L'autore non risponde "
       "di danni derivanti dal suo uso: i risultati vanno sempre verificati dal progettista.",
       {120, 720, 6795, 885},
       {.wrap = true}},
      {Kind::label,
       "Label3",
       "Fondara",
       {135, 375, 2520, 285},
       {.family = "Tahoma",
        .points = 11.25,
        .text = Qt::black,
        .alignment = Qt::AlignLeft | Qt::AlignVCenter}},
      {Kind::label,
       "Label1",
       "CARICO LIMITE DELLE FONDAZIONI DIRETTE",
       {135, 75, 8040, 435},
       {.family = "Arial",
        .points = 12,
        .bold = true,
        .text = QColor(255, 0, 0),
        .alignment = Qt::AlignLeft | Qt::AlignVCenter}},
  };
}

}  // namespace

form_principale::form_principale()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Fondara Ver.3.0"));
  setWindowIcon(gui::icona_principale());
  const double dpi = logicalDpiX();
  resize(gui::twips_to_pixels(6990, dpi), gui::twips_to_pixels(2580, dpi));
  const gui::Controls controls = gui::build_controls(*this, design());
  pulsante_coesivi = static_cast<QPushButton*>(controls.at("pulsante_coesivi"));
  pulsante_sciolti = static_cast<QPushButton*>(controls.at("pulsante_sciolti"));

  // pulsante_sciolti comes first in the tab order, so it holds the focus at start.
  QWidget::setTabOrder(pulsante_sciolti, pulsante_coesivi);
  pulsante_sciolti->setFocus();

  connect(pulsante_coesivi, &QPushButton::clicked, this, &form_principale::pulsante_coesivi_Click);
  connect(pulsante_sciolti, &QPushButton::clicked, this, &form_principale::pulsante_sciolti_Click);
}

void form_principale::pulsante_coesivi_Click() {
  gui::windows().set_visible(QStringLiteral("form_coesivi"), true);
  gui::windows().set_visible(QStringLiteral("form_sciolti"), false);
  gui::windows().unload(QStringLiteral("form_principale"));
}

void form_principale::pulsante_sciolti_Click() {
  gui::windows().set_visible(QStringLiteral("form_coesivi"), false);
  gui::windows().set_visible(QStringLiteral("form_sciolti"), true);
  gui::windows().unload(QStringLiteral("form_principale"));
}

void form_principale::closeEvent(QCloseEvent* event) {
  // Before a choice no other window is shown: closing the start window ends the run.
  event->accept();
  gui::windows().end();
}

void form_principale::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  gui::place_centred(*this, screen()->availableGeometry());
}

}  // namespace fondara::app
