// Windows built from their design tables.
//
// A table lists a window's controls in creation (stacking) order: type, objectName,
// text, position and size in twips, look and screen-reader name. build_controls makes
// them on the window and gives the window the designs' colours; place_centred puts a
// window in the middle of an area. The start window, the help window and both
// calculation windows are built this way.
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_file.h"
#include "core/kind.h"
#include "window/twips.h"

namespace fondara::window {

enum class ControlType {
  label,        // QLabel
  description,  // txtDescrizione: free text
  numeric,      // NumericField: filtered, validated, read by Calculate
  result,       // read-only box that still takes the focus
  picture,      // Picture1: the cross-section drawing
  button,       // command button with the hand cursor
  help_button,  // command button with the ordinary cursor
  option,       // option button
};

struct Look {
  const char* family = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  QColor text = {};        // invalid: the designs' black
  QColor background = {};  // invalid: the designs' window, box or button colour
  bool border = false;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;  // boxes: horizontal part only
  bool wrap = false;                                       // labels and button captions
};

struct Control {
  ControlType type;
  std::string_view name;
  std::string_view text;  // UTF-8
  Twips at;
  Look look;
  std::string spoken = {};  // screen-reader name; empty: accessible_name(name) or the text
};

using Controls = std::map<std::string, QWidget*, std::less<>>;

// The longest description a window's box holds (a line edit cuts at 32767 characters unless
// told otherwise): as many characters as a data file has bytes, so that the description of
// any file is held whole.
inline constexpr int kLongestDescription = static_cast<int>(kDataFileMaxBytes);

// The colours the designs were drawn with: black texts on a light grey window and
// buttons, white boxes, grey texts where disabled. The looks' colours (light cyan,
// yellow and white boxes, red and dark blue captions) are readable only on these, so
// the windows built from designs keep them under a dark desktop scheme too. Windows do
// not pass their palette on to the windows they open: Qt's own dialogs (save dialog,
// message boxes) follow the desktop.
QPalette design_palette();

// Whether captions are narrowed to fit their labels: the calculation windows' captions
// were designed for narrower fonts than the ones here. Measuring them loads the fonts,
// which the start window, shown at start, leaves for after it is on the screen.
enum class Captions { as_designed, condensed_to_fit };

// Makes the controls of `table` on `window`, in the table's order, and returns them by
// name. The window takes the designs' palette (design_palette): what a look leaves
// unset keeps the designs' colour, whatever the desktop's colour scheme.
Controls build_controls(QWidget& window, const std::vector<Control>& table,
                        Captions captions = Captions::as_designed);

// Design-table rows made from a kind's tables, with the screen-reader name of the field
// or result box: a field's box (numeric or the description), the caption of a field's
// row, a result box.
Control field_control(std::span<const Field> fields, ControlType type, std::string_view name,
                      Twips at, const Look& look, std::string_view text = {});
Control caption_control(std::span<const Field> fields, std::string_view field,
                        std::string_view name, Twips at, const Look& look);
Control result_control(std::span<const ResultField> results, std::string_view name, Twips at,
                       const Look& look);
// The caption beside the result box `result`.
Control result_caption_control(std::span<const ResultField> results, std::string_view result,
                               std::string_view name, Twips at, const Look& look);

// Moves the top-level `window` so that the centre of its client area is the centre of
// `area` (screen coordinates).
void place_centred(QWidget& window, const QRect& area);

}  // namespace fondara::window
