#include "report/builder.h"

namespace fondara::report {

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

}  // namespace fondara::report
