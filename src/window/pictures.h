// The pictures of the windows: the two window icons, the cross-section drawing of the
// foundation shown by both calculation windows, and the hand cursor of the buttons.
// They are drawn from resources/ when the program is built and compiled into it, so
// showing them needs no SVG renderer and no image reader; the drawing comes at the
// screen's pixel ratio.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace fondara::window {

// Start window: a yellow upright block on a green base.
QIcon icona_principale();
// Calculation windows: the same block with a load arrow on it.
QIcon icona_calcolo();
// The footing in its backfill, 113 x 130 pixels on white.
QPixmap sezione_fondazione();
// White hand pointing upwards with a blue cuff, 32 x 32, hot spot at 12, 1.
QCursor mano();

}  // namespace fondara::window
