// What the program needs to know of a kind's window: the start window's button that
// chooses the kind, and how to make the window. Each kind's folder exports one; the
// program's list of kinds names them all.
#pragma once

#include <QWidget>
#include <memory>
#include <string_view>

#include "core/kind.h"
#include "window/twips.h"

namespace fondara::window {

// The start window's button of a kind: objectName, caption, place in twips and tab index.
struct StartChoice {
  std::string_view control;
  std::string_view caption;
  Twips at;
  int tab_index = 0;
};

struct KindWindow {
  const Kind* kind = nullptr;
  StartChoice choice;
  // A new window of the kind, loaded but not shown.
  std::unique_ptr<QWidget> (*make)() = nullptr;
  // Built only when its own kind is chosen; the others (the designed windows) are built
  // together when any of them is.
  bool built_alone = false;
};

}  // namespace fondara::window
