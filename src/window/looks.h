// The looks that the controls of both calculation windows share: the light cyan input
// fields, the yellow safety factor, the red result captions, the Tahoma labels and
// buttons.
#pragma once

#include "window/controls.h"

namespace fondara::window::looks {

using Look = window::Look;

inline const QColor light_cyan(192, 255, 255);
inline const QColor yellow(255, 255, 0);
inline const QColor red(255, 0, 0);

inline const Look tahoma_bold{.family = "Tahoma", .points = 8.25, .bold = true};
inline const Look row_label{.family = "Microsoft Sans Serif", .border = true};
inline const Look input{.points = 9.75, .background = light_cyan, .alignment = Qt::AlignHCenter};
inline const Look safety_factor{
    .points = 9.75, .bold = true, .background = yellow, .alignment = Qt::AlignHCenter};
// Result boxes of the bearing pressures.
inline const Look pressure{
    .points = 9.75, .bold = true, .background = Qt::white, .alignment = Qt::AlignHCenter};
inline const Look result_caption{.family = "Tahoma",
                                 .bold = true,
                                 .text = red,
                                 .background = Qt::white,
                                 .border = true,
                                 .alignment = Qt::AlignRight | Qt::AlignTop};
inline const Look button{.family = "Tahoma"};
// "DESCRIZIONE -->" beside the description box.
inline const Look description_caption{.family = "Tahoma", .points = 9, .bold = true};
// The gamma of gamma R, in a font that has the Greek letter.
inline const Look gamma{.family = "Liberation Sans", .points = 12, .bold = true};
// The note on the verification approach under the drawing.
inline const Look note{
    .background = Qt::white, .border = true, .alignment = Qt::AlignHCenter, .wrap = true};

}  // namespace fondara::window::looks
