#include "app/program.h"

#include <QDir>
#include <QFile>

#include "app/form_principale.h"
#include "app/kind_windows.h"
#include "kinds/open_calculation.h"
#include "window/file_opening.h"
#include "window/toolkit.h"

namespace fondara::app {
namespace {

std::string quoted(const QString& path) {
  return "\"" + QDir::toNativeSeparators(path).toStdString() + "\"";
}

// A kind's message as the cause of a file that cannot be opened: "il valore di ...".
std::string as_cause(std::string message) {
  if (!message.empty() && message.front() >= 'A' && message.front() <= 'Z')
    message.front() = static_cast<char>(message.front() - 'A' + 'a');
  if (message.ends_with('.')) message.pop_back();
  return message;
}

// The data of the file at `path`, or nothing after a message over `window`: a file that
// cannot be read or is not a calculation's data, or whose texts the kind refuses as input
// (its other problems, such as L < B, are shown by the calculation as CALCOLA shows them).
std::optional<CalculationData> data_of(QWidget* window, const QString& path) {
  const auto opened = open_calculation(QFile::encodeName(path).toStdString());
  std::string message;
  if (!opened) {
    message = open_failure_message(quoted(path), opened.error());
  } else {
    const auto computed = opened->kind->calculate(*opened);
    if (computed || computed.error().type != ProblemType::bad_input) return *opened;
    message = open_failure_message(quoted(path), {as_cause(computed.error().message), 0});
  }
  window::message_box(window, QString::fromStdString(message));
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
    if (const auto data = data_of(nullptr, file)) return fill(*data, file);
  }
  start_window_->show();
}

QWidget* Program::window_of(const Kind& kind) const {
  const auto found = windows_.find(&kind);
  return found == windows_.end() ? nullptr : found->second.get();
}

void Program::choose(const window::KindWindow& chosen) {
  for (const window::KindWindow* kind : kind_windows()) {
    const bool built = chosen.built_alone ? kind == &chosen : !kind->built_alone;
    if (!built) continue;
    QWidget& made = *windows_.emplace(kind->kind, kind->make()).first->second;
    watch_file_opening(made);
  }
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
  if (shown_ != nullptr && shown_ != data->kind) return window::toolkit().open_elsewhere(path);
  fill(*data, path);
}

void Program::fill(const CalculationData& data, const QString& path) {
  if (shown_ == nullptr) {
    for (const window::KindWindow* kind : kind_windows())
      if (kind->kind == data.kind) choose(*kind);
  }
  auto* shown = dynamic_cast<window::FillableWindow*>(window_of(*data.kind));
  if (shown == nullptr) programming_error("a kind's window cannot be filled");
  if (shown->discard_allowed()) shown->fill(data, path);
}

}  // namespace fondara::app
