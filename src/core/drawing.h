// A drawing as data: a few shapes in a plane measured in metres, for the reports on paper
// and for the windows, drawn to scale by one painter (output/drawing_painter.h).
//
// x runs to the right and y upward; the painter fits the drawing's extent into the area it
// is given, keeping the scale the same along both axes.
#pragma once

#include <string>
#include <vector>

namespace fondara {

struct Point {
  double x = 0;
  double y = 0;
};

enum class Stroke {
  solid,   // an outline
  dashed,  // an outline of a construction line (the central kern)
  shaded,  // a filled area with its outline (the effective area)
};

struct Shape {
  std::vector<Point> points;  // a closed polygon
  Stroke stroke = Stroke::solid;
};

// A text placed at a point, which it is centred on.
struct Label {
  Point at;
  std::string text;  // UTF-8
};

struct Drawing {
  Point low, high;  // the extent to fit, opposite corners
  std::vector<Shape> shapes;
  std::vector<Point> markers;  // points marked with a cross (a load)
  std::vector<Label> labels;
};

// The rectangle centred on `centre` with sides `width` along x and `height` along y.
inline Shape rectangle(Point centre, double width, double height, Stroke stroke) {
  const double w = width / 2, h = height / 2;
  return {{{centre.x - w, centre.y - h},
           {centre.x + w, centre.y - h},
           {centre.x + w, centre.y + h},
           {centre.x - w, centre.y + h}},
          stroke};
}

}  // namespace fondara
