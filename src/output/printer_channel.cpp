#include "output/printer_channel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <memory>
#include <optional>

#include "output/document_pages.h"
#include "output/pdf.h"

namespace fondara::output {
namespace {

// Refuses the closing of any window while installed: the window whose Print is under way
// must outlive it.
class RefuseClose final : public QObject {
 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() != QEvent::Close) return false;
    event->ignore();
    return true;
  }
};

// Runs `work` on a worker thread and returns its result. Meanwhile a local event loop
// repaints the windows and handles timers, but holds back user input, so no second
// click reaches the window before the first one has been answered, and no window closes.
template <typename Work>
auto off_the_ui_thread(Work work) -> decltype(work()) {
  std::optional<decltype(work())> result;
  QEventLoop loop;
  RefuseClose refuse_close;
  QCoreApplication::instance()->installEventFilter(&refuse_close);
  const std::unique_ptr<QThread> thread(QThread::create([&] { result.emplace(work()); }));
  QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
  thread->start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  thread->wait();
  return std::move(*result);
}

// Opens the destination, renders the PDF on its page with `render` and submits it.
template <typename Render>
PrintOutcome print_rendered(const Render& render, const QString& title,
                            const PrinterFactory& open) {
  if (!open) return Failed{QStringLiteral("nessuna stampante predefinita")};
  const Outcome<PrintDestination, QString> opened = off_the_ui_thread(open);
  if (!opened) return Failed{opened.error()};
  const PrintDestination& destination = *opened;

  const std::optional<QByteArray> pdf = render(destination.page);
  if (!pdf) return Failed{QStringLiteral("impossibile preparare il documento")};
  return off_the_ui_thread([&] { return destination.submit(*pdf, title); });
}

}  // namespace

PrintOutcome print_lines(const std::vector<Line>& lines, const QString& title,
                         const PrinterFactory& open) {
  return print_rendered(
      [&](const QPageLayout& page) {
        return render_pdf(lines, page, {title, false});
      },
      title, open);
}

PrintOutcome print_document(const Document& document, const QString& title,
                            const PrinterFactory& open) {
  return print_rendered(
      [&](const QPageLayout& page) {
        return render_document_pdf(document, page, {title, false});
      },
      title, open);
}

}  // namespace fondara::output
