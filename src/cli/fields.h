// The inputs of fondara-calc, named after the fields of the two calculation windows,
// and one calculation from their texts.
//
// A number is read as the window reads the same keys typed into its field: digits
// and the decimal comma, a typed full stop becoming a comma. Characters that the
// field's key filter would drop (signs, letters, inner blanks) make the text not
// numeric here instead of vanishing silently, so "-5" is refused rather than read
// as 5, and "1.800", read by the window as 1,8, is refused as ambiguous. The command
// line and every CSV row go through calcola().
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "drained/calcolo_drenato.h"
#include "report/builder.h"
#include "undrained/calcolo_non_drenato.h"

namespace fondara::cli {

// Exit codes of fondara-calc.
enum Exit : int {
  exit_ok = 0,
  exit_dati = 1,  // data the calculation refuses or cannot complete
  exit_uso = 2,   // a wrong command line, field, value or CSV header
  exit_file = 3,  // a file that cannot be read or written
};

// The soil family, as the start window's two buttons.
enum class Terreno { coesivi, sciolti };

enum class Tipo { numero, falda, testo };

struct Campo {
  std::string_view nome;  // the window's field name
  Tipo tipo;
  std::string aiuto;                            // symbol, meaning and unit, for --help
  std::optional<std::string_view> predefinito;  // optional fields only
};

// The fields of a window, in the order of its form, from the window's field table.
const std::vector<Campo>& campi(Terreno terreno);
const Campo* trova_campo(Terreno terreno, std::string_view nome);

// The text of a field as typed keys: the float, or nothing when it is not numeric or
// ambiguous.
std::optional<float> leggi_numero(std::string_view testo);

// A number whose only dot is followed by exactly three digits (1.800) reads as a
// thousands group to an Italian eye but as a decimal point to the window's keys: both
// readings ("1800", "1,8") for the message that refuses it, nothing for other texts.
std::optional<std::pair<std::string, std::string>> ambiguous_readings(std::string_view testo);

// A problem that keeps a calculation from giving results: an Italian message and
// the exit code it leads to.
struct Problema {
  int codice;
  std::string messaggio;
};

// The results of one calculation: the result boxes' texts (named as the CSV
// columns) and what its report is made from.
struct Calcolo {
  std::vector<std::pair<std::string, std::string>> risultati;
  std::variant<std::pair<DatiNonDrenati, RisultatiNonDrenati>, ValoriDrenati> valori;
  std::string descrizione;
};

// The results as the terminal shows them: one line per result box, with its caption.
std::string testo_risultati(const Calcolo& calcolo);

// The report of a calculation, as the window's Save or Print would make it.
report::Result relazione(const Calcolo& calcolo, report::Version version);

// Field name to its text as given. Missing optional fields take their default.
using Testi = std::map<std::string, std::string, std::less<>>;

std::variant<Calcolo, Problema> calcola(Terreno terreno, const Testi& testi);

// The names of the result columns of a window.
std::vector<std::string> nomi_risultati(Terreno terreno);

}  // namespace fondara::cli
