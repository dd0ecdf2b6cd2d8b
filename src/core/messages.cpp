#include "core/messages.h"

namespace fondara {

std::string failure_message(Failure cause) {
  const std::string prefix = "Impossibile eseguire il calcolo: ";
  switch (cause) {
    case Failure::lunghezza_minore:
      return "La lunghezza deve essere superiore alla larghezza";
    case Failure::lunghezza_zero:
      return prefix + "la lunghezza L non può essere zero.";
    case Failure::larghezza_zero:
      return prefix + "la larghezza B non può essere zero.";
    case Failure::angolo_zero:
      return prefix + "l'angolo di attrito φ' non può essere zero.";
    case Failure::angolo_fuori_campo:
      return prefix + "l'angolo di attrito φ' deve essere minore di 90 gradi.";
    case Failure::coefficiente_zero:
      return prefix + "il coefficiente di sicurezza YR non può essere zero.";
    case Failure::fuori_intervallo:
      return prefix + "un risultato supera il massimo valore rappresentabile.";
    case Failure::non_numero:
      return prefix + "un risultato non è un numero valido.";
  }
  return prefix + "errore sconosciuto.";
}

std::string report_failure_message(Failure cause) {
  const std::string prefix = "Impossibile preparare la relazione: ";
  switch (cause) {
    case Failure::fuori_intervallo:
      return prefix + "un valore da stampare supera il massimo valore rappresentabile.";
    case Failure::non_numero:
      return prefix + "un valore da stampare non è un numero valido.";
    default:
      break;
  }
  // The other causes belong to the calculation, which has already stated them.
  return prefix + "i valori del calcolo non sono validi.";
}

namespace messages {

namespace {
std::string text(std::string_view part) {
  return std::string(part);
}
}  // namespace

std::string missing_field(std::string_view name, std::string_view help) {
  return "Manca il campo " + text(name) + ": " + text(help) + ".";
}

std::string not_a_number(std::string_view name, std::string_view quoted) {
  return "Il valore di " + text(name) + " non è un numero: " + text(quoted) + ".";
}

std::string ambiguous_number(std::string_view name, std::string_view quoted,
                             std::string_view thousands, std::string_view decimal) {
  return "Il valore di " + text(name) + " è ambiguo: " + text(quoted) + ". Scrivere " +
         text(thousands) + " oppure " + text(decimal) + ".";
}

std::string refused_choice(std::string_view name, std::string_view alternatives,
                           std::string_view quoted) {
  return "Il campo " + text(name) + " vale " + text(alternatives) + ", non " + text(quoted) + ".";
}

std::string open_failure(std::string_view quoted_name, std::string_view cause, std::size_t line) {
  std::string message = "Impossibile aprire il file " + text(quoted_name) + ": " + text(cause);
  if (line > 0) message += " (riga " + std::to_string(line) + ")";
  return message + ".";
}

std::string not_data(bool text_report) {
  return text(text_report ? "è una relazione di testo, che non contiene i dati del calcolo"
                          : "non è un file di dati") +
         ": si aprono i file di dati di Fondara (.fondara) e le relazioni PDF/A salvate da "
         "Fondara";
}

std::string too_large(std::size_t mebibytes) {
  return "è più grande di " + std::to_string(mebibytes) + " MiB";
}

std::string pdf_metadata_too_large(std::size_t mebibytes) {
  return "è un PDF i cui metadati superano " + std::to_string(mebibytes) + " MiB";
}

std::string later_version(int version) {
  return "è stato scritto da una versione più recente di Fondara (formato " +
         std::to_string(version) + ")";
}

std::string line_missing(std::string_view name, bool before_fields) {
  return "manca la riga " + text(name) + "=" + (before_fields ? " prima dei campi" : "");
}

std::string line_repeated(std::string_view name) {
  return "la riga " + text(name) + "= compare due volte";
}

std::string unknown_name(std::string_view quoted, std::string_view kind) {
  return "nome sconosciuto " + text(quoted) + " per il tipo " + text(kind);
}

std::string field_repeated(std::string_view name) {
  return "il campo " + text(name) + " compare due volte";
}

std::string unknown_kind(std::string_view quoted) {
  return "tipo di calcolo sconosciuto " + text(quoted);
}

std::string unknown_source(std::string_view quoted, std::string_view window,
                           std::string_view terminal) {
  return "origine sconosciuta " + text(quoted) + ": vale " + text(window) + " o " + text(terminal);
}

std::string combination_size(std::size_t given, std::size_t fewest, std::size_t most) {
  return "la combinazione ha " + std::to_string(given) + " valori invece di " +
         std::to_string(fewest) + (most > fewest ? " o " + std::to_string(most) : "");
}

std::string action_size(std::size_t given, std::size_t expected) {
  return "l'azione ha " + std::to_string(given) + " valori invece di " + std::to_string(expected);
}

std::string field_missing(std::string_view name) {
  return "manca il campo " + text(name);
}

}  // namespace messages
}  // namespace fondara
