#include "core/calculation.h"

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

}  // namespace fondara
