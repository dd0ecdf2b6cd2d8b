#include "app/form_principale.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "window/controls.h"
#include "window/pictures.h"
#include "window/toolkit.h"

namespace fondara::app {

namespace {

using window::ControlType;

const window::Look choice{.family = "Tahoma", .points = 9.75, .bold = true, .wrap = true};

// The client area's width, and its margin below the lowest button, in twips.
constexpr int client_width = 6990;
constexpr int bottom_margin = 45;

// Positions and sizes in twips, in creation (stacking) order: the buttons of the kinds,
// then the texts.
std::vector<window::Control> design(std::span<const window::KindWindow* const> kinds) {
  std::vector<window::Control> table;
  for (const window::KindWindow* kind : kinds)
    table.push_back(
        {ControlType::button, kind->choice.control, kind->choice.caption, kind->choice.at, choice});
  const std::vector<window::Control> texts = {
      {ControlType::label,
       "Label7",
       "Il programma è fornito così com'è, senza garanzia di alcun tipo. L'autore non risponde "
       "di danni derivanti dal suo uso: i risultati vanno sempre verificati dal progettista.",
       {120, 720, 6795, 885},
       {.wrap = true}},
      {ControlType::label,
       "Label3",
       "Fondara",
       {135, 375, 2520, 285},
       {.family = "Tahoma",
        .points = 11.25,
        .text = Qt::black,
        .alignment = Qt::AlignLeft | Qt::AlignVCenter}},
      {ControlType::label,
       "Label1",
       "CARICO LIMITE DELLE FONDAZIONI DIRETTE",
       {135, 75, 8040, 435},
       {.family = "Arial",
        .points = 12,
        .bold = true,
        .text = QColor(255, 0, 0),
        .alignment = Qt::AlignLeft | Qt::AlignVCenter}},
  };
  table.insert(table.end(), texts.begin(), texts.end());
  return table;
}

int client_height(std::span<const window::KindWindow* const> kinds) {
  int bottom = 0;
  for (const window::KindWindow* kind : kinds)
    bottom = std::max(bottom, kind->choice.at.top + kind->choice.at.height);
  return bottom + bottom_margin;
}

}  // namespace

form_principale::form_principale(std::span<const window::KindWindow* const> kinds)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("form_principale"));
  setWindowTitle(QStringLiteral("Fondara Ver.3.0"));
  setWindowIcon(window::icona_principale());
  const double dpi = logicalDpiX();
  resize(window::twips_to_pixels(client_width, dpi),
         window::twips_to_pixels(client_height(kinds), dpi));
  const window::Controls controls = window::build_controls(*this, design(kinds));

  // The buttons in the order of their tab indexes; the first holds the focus at start.
  std::vector<const window::KindWindow*> by_tab(kinds.begin(), kinds.end());
  std::stable_sort(by_tab.begin(), by_tab.end(), [](const auto* a, const auto* b) {
    return a->choice.tab_index < b->choice.tab_index;
  });
  QPushButton* previous = nullptr;
  for (const window::KindWindow* kind : by_tab) {
    auto* button = static_cast<QPushButton*>(controls.find(kind->choice.control)->second);
    if (previous != nullptr) QWidget::setTabOrder(previous, button);
    if (previous == nullptr) button->setFocus();
    previous = button;
    connect(button, &QPushButton::clicked, this, [this, kind] { Q_EMIT chosen(*kind); });
  }
}

void form_principale::closeEvent(QCloseEvent* event) {
  // Before a choice no other window is shown: closing the start window ends the run.
  event->accept();
  window::end_program();
}

void form_principale::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (placed_) return;
  placed_ = true;
  window::place_centred(*this, screen()->availableGeometry());
}

}  // namespace fondara::app
