#include "output/cups_destination.h"

#include <QPageSize>
#include <QSizeF>
#include <memory>

#include "output/cups_library.h"
#include "output/pdf.h"

namespace fondara::output {
namespace {

// Bounds on every wait for the scheduler. A silent scheduler costs one silence before
// the lookup of the default destination gives up, and libcups then searches for it
// elsewhere for up to one more second: the answer comes within 1.5 s.
constexpr int connect_timeout_ms = 500;
constexpr double silence_timeout_s = 0.5;

// The loaded library; default_destination() reaches the others only once it is there.
const CupsLibrary& cups() {
  return *cups_library();
}

// printer-state of a queue stopped with cupsdisable: it takes jobs but prints none.
constexpr char printer_stopped[] = "5";

// One connection to the scheduler and the destination it serves.
struct CupsSession {
  http_t* http = nullptr;
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;

  CupsSession() = default;
  CupsSession(const CupsSession&) = delete;
  CupsSession& operator=(const CupsSession&) = delete;
  ~CupsSession() {
    if (info) cups().cupsFreeDestInfo(info);
    if (dest) cups().cupsFreeDests(1, dest);
    if (http) cups().httpClose(http);
  }
};

// The cause of a failed call, with the scheduler's own words.
QString failure(const char* step) {
  return QStringLiteral("%1: %2").arg(QString::fromUtf8(step),
                                      QString::fromUtf8(cups().cupsLastErrorString()));
}

// The default paper of the destination with its printable area: the user's choice
// (lpoptions media=...) or the queue's media-default, or A4 when it names none.
// (cupsGetDestMediaDefault falls back to Letter without asking the queue.)
QPageLayout default_page(const CupsSession& session) {
  const char* media =
      cups().cupsGetOption("media", session.dest->num_options, session.dest->options);
  if (!media) {
    ipp_attribute_t* queue_default =
        cups().cupsFindDestDefault(session.http, session.dest, session.info, "media");
    media = queue_default ? cups().ippGetString(queue_default, 0, nullptr) : nullptr;
  }
  cups_size_t size{};
  if (!media ||
      !cups().cupsGetDestMediaByName(session.http, session.dest, session.info, media,
                                     CUPS_MEDIA_FLAGS_DEFAULT, &size) ||
      size.width <= 0 || size.length <= 0) {
    return a4_page();
  }
  const auto mm = [](int hundredths) { return hundredths / 100.0; };
  const QPageSize paper(QSizeF(mm(size.width), mm(size.length)), QPageSize::Millimeter,
                        QString::fromUtf8(size.media), QPageSize::FuzzyMatch);
  return QPageLayout(paper, QPageLayout::Portrait,
                     QMarginsF(mm(size.left), mm(size.top), mm(size.right), mm(size.bottom)),
                     QPageLayout::Millimeter);
}

// A connection to the scheduler (cupsServer()) whose every wait ends after a short
// silence; null when it cannot be reached within connect_timeout_ms.
http_t* connect_to_scheduler() {
  http_t* http = cups().httpConnect2(cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC,
                                     cups().cupsEncryption(), 1, connect_timeout_ms, nullptr);
  if (http) cups().httpSetTimeout(http, silence_timeout_s, nullptr, nullptr);
  return http;
}

// Whether the last request on `http` was answered to its end. cupsFinishDestDocument
// reports success when the answer to the document never came within the silence: the
// connection is then left in the middle of that request.
bool answered(http_t* http) {
  return cups().httpGetState(http) == HTTP_STATE_WAITING;
}

// An IPP message of libcups, freed with it.
struct IppDelete {
  void operator()(ipp_t* message) const { cups().ippDelete(message); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDelete>;

// Asks the scheduler for the state of `job` (Get-Job-Attributes) on the session's
// connection, where it follows the document: Done while the job prints or has printed,
// else why not.
PrintOutcome confirm_job(const CupsSession& session, int job) {
  const char* printer = cups().cupsGetOption("printer-uri-supported", session.dest->num_options,
                                             session.dest->options);
  if (!printer) return Failed{QStringLiteral("la stampante non ha un indirizzo IPP")};
  ipp_t* request = cups().ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printer);
  cups().ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                      cups().cupsUser());
  cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                      "job-state");
  // cupsDoRequest frees the request; no answer within the silence gives null.
  const IppMessage answer(cups().cupsDoRequest(session.http, request, "/"));
  ipp_attribute_t* state = answer && cups().cupsLastError() <= IPP_STATUS_OK_CONFLICTING
                               ? cups().ippFindAttribute(answer.get(), "job-state", IPP_TAG_ENUM)
                               : nullptr;
  if (!state) return Failed{failure("stato del lavoro sconosciuto")};
  const int value = cups().ippGetInteger(state, 0);
  if (!job_on_its_way(value)) return Failed{QStringLiteral("lavoro nello stato %1").arg(value)};
  return Done{};
}

// Cancels `job` on a connection of its own, reached within connect_timeout_ms: the
// session's may be the one that fell silent, and libcups would reconnect that one with
// no such bound (a minute, when the scheduler's host has gone away). A job whose cancel
// cannot reach the scheduler stays there; one that never got its document never prints.
void cancel(const CupsSession& session, int job) {
  http_t* http = connect_to_scheduler();
  if (!http) return;
  cups().cupsCancelDestJob(http, session.dest, job);
  cups().httpClose(http);
}

// Creates the job, sends `pdf` as its only document, waits for the scheduler's answer
// and asks it for the job's state; cancels a job that was created but not confirmed.
PrintOutcome submit(CupsSession& session, const QByteArray& pdf, const QString& title) {
  const QByteArray name = title.toUtf8();
  int job = 0;
  if (cups().cupsCreateDestJob(session.http, session.dest, session.info, &job, name.constData(), 0,
                               nullptr) != IPP_STATUS_OK) {
    return Failed{failure("la stampante rifiuta il lavoro")};
  }
  const auto cancel_on_failure = [&](const PrintOutcome& outcome) -> PrintOutcome {
    if (!outcome) cancel(session, job);
    return outcome;
  };
  if (cups().cupsStartDestDocument(session.http, session.dest, session.info, job, name.constData(),
                                   CUPS_FORMAT_PDF, 0, nullptr, 1) != HTTP_STATUS_CONTINUE) {
    return cancel_on_failure(Failed{failure("la stampante non accetta il documento")});
  }
  if (cups().cupsWriteRequestData(session.http, pdf.constData(), static_cast<size_t>(pdf.size())) !=
      HTTP_STATUS_CONTINUE) {
    cups().cupsFinishDestDocument(session.http, session.dest, session.info);
    return cancel_on_failure(Failed{failure("invio del documento interrotto")});
  }
  if (cups().cupsFinishDestDocument(session.http, session.dest, session.info) != IPP_STATUS_OK) {
    return cancel_on_failure(Failed{failure("la stampante non ha completato il documento")});
  }
  if (!answered(session.http)) {
    return cancel_on_failure(Failed{QStringLiteral("la stampante non risponde dopo il documento")});
  }
  return cancel_on_failure(confirm_job(session, job));
}

}  // namespace

bool job_on_its_way(int state) {
  return state == IPP_JSTATE_PENDING || state == IPP_JSTATE_HELD ||
         state == IPP_JSTATE_PROCESSING || state == IPP_JSTATE_COMPLETED;
}

Outcome<PrintDestination, QString> default_destination() {
  if (cups_library() == nullptr) return Failed{QStringLiteral("libcups non disponibile")};
  auto session = std::make_shared<CupsSession>();
  session->http = connect_to_scheduler();
  if (!session->http) return Failed{QStringLiteral("il servizio di stampa non risponde")};

  session->dest = cups().cupsGetNamedDest(session->http, nullptr, nullptr);
  if (!session->dest) {
    if (cups().cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ||
        cups().cupsLastError() == IPP_STATUS_OK)
      return Failed{QStringLiteral("nessuna stampante predefinita")};
    return Failed{failure("stampante predefinita non trovata")};
  }
  const char* state =
      cups().cupsGetOption("printer-state", session->dest->num_options, session->dest->options);
  if (state && qstrcmp(state, printer_stopped) == 0)
    return Failed{QStringLiteral("la stampante è ferma")};
  session->info = cups().cupsCopyDestInfo(session->http, session->dest);
  if (!session->info) return Failed{failure("la stampante non risponde")};

  PrintDestination destination;
  destination.page = default_page(*session);
  destination.submit = [session](const QByteArray& pdf, const QString& title) {
    return submit(*session, pdf, title);
  };
  return destination;
}

}  // namespace fondara::output
