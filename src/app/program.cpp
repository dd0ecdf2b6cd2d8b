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
    if (const auto data = data_of(nullptr, file); data && fill(nullptr, file, *data)) return;
  }
  start_window_->show();
}

QWidget* Program::window_of(const Kind& kind) const {
  const auto kinds = kind_windows();
  for (std::size_t i = 0; i < kinds.size() && i < windows_.size(); ++i)
    if (kinds[i]->kind == &kind) return windows_[i].get();
  return nullptr;
}

void Program::make_windows() {
  if (!windows_.empty()) return;
  for (const window::KindWindow* kind : kind_windows()) {
    windows_.push_back(kind->make());
    watch_file_opening(*windows_.back());
  }
}

void Program::choose(const window::KindWindow& chosen) {
  make_windows();
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
  const auto data = data_of(window, path);
  if (!data) return;
  // One run keeps one calculation window.
  if (shown_ != nullptr && shown_ != data->kind) {
    if (!window::toolkit().open_elsewhere(path))
      window::message_box(
          window,
          QString::fromUtf8(window::texts::not_started).arg(QDir::toNativeSeparators(path)));
    return;
  }
  fill(window, path, *data);
}

bool Program::fill(QWidget* window, const QString& path, const CalculationData& data) {
  make_windows();
  auto* shown = dynamic_cast<window::FillableWindow*>(window_of(*data.kind));
  if (shown == nullptr) programming_error("a kind's window cannot be filled");
  if (const auto refused = shown->refused_value(data)) {
    tell(window, path, {refused->cause, line_of(data, refused->field, refused->combination)});
    return false;
  }
  if (shown_ == nullptr) {
    for (const window::KindWindow* kind : kind_windows())
      if (kind->kind == data.kind) choose(*kind);
  }
  shown->fill(data);
  return true;
}

}  // namespace fondara::app
