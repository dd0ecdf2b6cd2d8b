#include "app/program.h"

#include <QDir>
#include <QFile>

#include "app/form_principale.h"
#include "app/kind_windows.h"
#include "kinds/open_calculation.h"
#include "window/file_opening.h"
#include "window/messages.h"
#include "window/toolkit.h"

namespace fondara::app {
namespace {

std::string quoted(const QString& path) {
  return "\"" + QDir::toNativeSeparators(path).toStdString() + "\"";
}

void tell(QWidget* window, const QString& path, const DataFileError& error) {
  window::message_box(window, QString::fromStdString(open_failure_message(quoted(path), error)));
}

// The data of the file at `path`, or nothing after a message over `window`: a file that
// cannot be read or is not a calculation's data, or whose texts the kind refuses as input
// (its other problems, such as L < B, are shown by the calculation as CALCOLA shows them).
std::optional<CalculationData> data_of(QWidget* window, const QString& path) {
  auto opened = open_calculation(QFile::encodeName(path).toStdString());
  if (!opened) {
    tell(window, path, opened.error());
    return std::nullopt;
  }
  const auto computed = opened->kind->calculate(*opened);
  if (computed || computed.error().type != ProblemType::bad_input) return *std::move(opened);
  tell(window, path, input_refusal(*opened, computed.error()));
  return std::nullopt;
}

}  // namespace

Program::Program() = default;
Program::~Program() = default;

void Program::start(const QString& file) {
  start_window_ = std::make_unique<form_principale>(kind_windows());
  connect(start_window_.get(), &form_principale::chosen, this, &Program::choose);
  watch_file_opening(*start_window_);
  if (!file.isEmpty()) {
    if (auto data = data_of(nullptr, file); data && fill(nullptr, file, *std::move(data))) return;
  }
  start_window_->show();
}

QWidget* Program::window_of(const Kind& kind) const {
  const auto found = windows_.find(&kind);
  return found == windows_.end() ? nullptr : found->second.get();
}

const window::KindWindow& Program::kind_window(const Kind& kind) {
  for (const window::KindWindow* each : kind_windows())
    if (each->kind == &kind) return *each;
  programming_error("a kind without a window");
}

void Program::make_windows(const window::KindWindow& chosen) {
  if (!windows_.empty()) return;
  for (const window::KindWindow* kind : kind_windows()) {
    const bool built = chosen.built_alone ? kind == &chosen : !kind->built_alone;
    if (!built) continue;
    QWidget& made = *windows_.emplace(kind->kind, kind->make()).first->second;
    watch_file_opening(made);
  }
}

void Program::choose(const window::KindWindow& chosen) {
  make_windows(chosen);
  shown_ = chosen.kind;
  window_of(*chosen.kind)->show();
  // The start window goes once the handler of its button has returned. Hidden, not closed:
  // the calculation windows are tool windows, and closing the last ordinary window would
  // end the program.
  start_window_->hide();
  start_window_.release()->deleteLater();
}

void Program::watch_file_opening(QWidget& window) {
  if (auto* opening = window.findChild<window::FileOpening*>())
    connect(opening, &window::FileOpening::requested, this, &Program::open);
  else
    connect(new window::FileOpening(window), &window::FileOpening::requested, this, &Program::open);
}

void Program::open(QWidget* window, const QString& path) {
  auto data = data_of(window, path);
  if (!data) return;
  // One run keeps one calculation window.
  if (shown_ != nullptr && shown_ != data->kind) {
    if (!window::toolkit().open_elsewhere(path))
      window::message_box(
          window,
          QString::fromUtf8(window::texts::not_started).arg(QDir::toNativeSeparators(path)));
    return;
  }
  fill(window, path, *std::move(data));
}

bool Program::fill(QWidget* window, const QString& path, CalculationData data) {
  // The kind's window is made, not yet shown, to ask whether it holds every value whole.
  make_windows(kind_window(*data.kind));
  auto* shown = dynamic_cast<window::FillableWindow*>(window_of(*data.kind));
  if (shown == nullptr) programming_error("a kind's window cannot be filled");
  if (const auto refused = shown->refused_value(data)) {
    tell(window, path,
         {refused->cause, line_of(data, refused->field, refused->combination, refused->action)});
    return false;
  }
  if (shown_ == nullptr) choose(kind_window(*data.kind));
  if (shown->discard_allowed()) shown->fill(std::move(data), path);
  return true;
}

}  // namespace fondara::app
