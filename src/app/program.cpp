#include "app/program.h"

#include "app/form_principale.h"
#include "app/kind_windows.h"

namespace fondara::app {

Program::Program() = default;
Program::~Program() = default;

void Program::start() {
  start_window_ = std::make_unique<form_principale>(kind_windows());
  connect(start_window_.get(), &form_principale::chosen, this, &Program::choose);
  start_window_->show();
}

QWidget* Program::window_of(const Kind& kind) const {
  const auto kinds = kind_windows();
  for (std::size_t i = 0; i < kinds.size() && i < windows_.size(); ++i)
    if (kinds[i]->kind == &kind) return windows_[i].get();
  return nullptr;
}

void Program::choose(const window::KindWindow& chosen) {
  for (const window::KindWindow* kind : kind_windows()) windows_.push_back(kind->make());
  window_of(*chosen.kind)->show();
  // The start window goes once the handler of its button has returned. Hidden, not closed:
  // the calculation windows are tool windows, and closing the last ordinary window would
  // end the program.
  start_window_->hide();
  start_window_.release()->deleteLater();
}

}  // namespace fondara::app
