// Layout values of the windows are in twips: 1440 to the inch, so 15 to the pixel at
// 96 dots per inch. On other screens they scale with the logical dpi, like the fonts.
#pragma once

#include <QRect>
#include <QtMath>

namespace fondara::window {

struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

constexpr double twips_per_pixel_at_96_dpi = 15.0;

inline int twips_to_pixels(int twips, double logical_dpi) {
  return qRound(twips / twips_per_pixel_at_96_dpi * logical_dpi / 96.0);
}

inline QRect twips_to_pixels(const Twips& at, double logical_dpi) {
  return {twips_to_pixels(at.left, logical_dpi), twips_to_pixels(at.top, logical_dpi),
          twips_to_pixels(at.width, logical_dpi), twips_to_pixels(at.height, logical_dpi)};
}

}  // namespace fondara::window
