#include "report/printer_channel.h"

#include <QEventLoop>
#include <QThread>
#include <memory>

#include "report/printed_pages.h"

namespace fondara::report {
namespace {

// Runs `work` on a worker thread and returns its result. Meanwhile a local event loop
// repaints the windows and handles timers, but holds back user input, so no second
// click reaches the window before the first one has been answered.
template <typename Work>
auto off_the_ui_thread(Work work) -> decltype(work()) {
  std::optional<decltype(work())> result;
  QEventLoop loop;
  const std::unique_ptr<QThread> thread(QThread::create([&] { result.emplace(work()); }));
  QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
  thread->start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  thread->wait();
  return std::move(*result);
}

}  // namespace

std::optional<QString> print_lines(const std::vector<Line>& lines, const QString& title,
                                   const PrinterFactory& open) {
  if (!open) return QStringLiteral("nessuna stampante predefinita");
  std::variant<PrintDestination, QString> opened = off_the_ui_thread(open);
  if (const QString* cause = std::get_if<QString>(&opened)) return *cause;
  const PrintDestination& destination = std::get<PrintDestination>(opened);

  const std::optional<QByteArray> pdf = render_pdf(lines, destination.page, {title, false});
  if (!pdf) return QStringLiteral("impossibile preparare il documento");
  return off_the_ui_thread([&] { return destination.submit(*pdf, title); });
}

}  // namespace fondara::report
