#include "cli/fields.h"

#include <algorithm>
#include <span>

#include "cli/message_text.h"
#include "drained/campi_drenati.h"
#include "drained/report_drenato.h"
#include "input/number_text.h"
#include "undrained/campi_non_drenati.h"
#include "undrained/report_non_drenato.h"

namespace fondara::cli {
namespace {

Tipo tipo_di(FieldKind kind) {
  switch (kind) {
    case FieldKind::number:
      return Tipo::numero;
    case FieldKind::water_table:
      return Tipo::falda;
    case FieldKind::text:
      break;
  }
  return Tipo::testo;
}

template <typename Inputs>
std::vector<Campo> campi_da_tabella(std::span<const InputField<Inputs>> table) {
  std::vector<Campo> campi;
  for (const auto& field : table)
    campi.push_back({field.text.name, tipo_di(field.kind), help_line(field.text), field.fallback});
  return campi;
}

template <typename Texts>
std::vector<std::string> nomi_da_tabella(std::span<const ResultField<Texts>> table) {
  std::vector<std::string> nomi;
  for (const auto& result : table) nomi.emplace_back(result.text.name);
  return nomi;
}

// The values of a form, read field by field by name; the first problem stops the
// reading.
class Lettore {
 public:
  Lettore(Terreno terreno, const Testi& testi) : terreno_(terreno), testi_(testi) {}

  template <typename Inputs>
  Inputs leggi(std::span<const InputField<Inputs>> table) {
    Inputs inputs{};
    for (const auto& field : table) {
      if (field.kind == FieldKind::number) inputs.*field.number = numero(field.text.name);
      if (field.kind == FieldKind::water_table) inputs.*field.flag = falda(field.text.name);
    }
    return inputs;
  }

  std::string descrizione() {
    std::string text(testo("descrizione"));
    const bool controllo = std::any_of(text.begin(), text.end(), [](char ch) {
      return (static_cast<unsigned char>(ch) < 0x20) || ch == 0x7F;
    });
    if (controllo)
      problema(
          "La descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo.");
    return text;
  }

  const std::optional<Problema>& esito() const { return problema_; }

 private:
  std::string_view testo(std::string_view nome) {
    if (const auto it = testi_.find(nome); it != testi_.end()) return it->second;
    const Campo* campo = trova_campo(terreno_, nome);
    if (campo && campo->predefinito) return *campo->predefinito;
    std::string messaggio = "Manca il campo " + std::string(nome);
    if (campo) messaggio += ": " + campo->aiuto;
    problema(messaggio + ".");
    return {};
  }

  float numero(std::string_view nome) {
    const std::string_view text = testo(nome);
    if (problema_) return 0;
    const auto value = leggi_numero(text);
    if (value) return *value;
    if (const auto readings = ambiguous_readings(text))
      problema("Il valore di " + std::string(nome) +
               " è ambiguo: " + safe_quoted(trim_blanks(text)) + ". Scrivere " + readings->first +
               " oppure " + readings->second + ".");
    else
      problema("Il valore di " + std::string(nome) + " non è un numero: " + safe_quoted(text) +
               ".");
    return 0;
  }

  bool falda(std::string_view nome) {
    const std::string text(trim_blanks(testo(nome)));
    if (problema_) return false;
    if (text == "SI" || text == "si" || text == "Si") return true;
    if (text == "NO" || text == "no" || text == "No") return false;
    problema("Il campo " + std::string(nome) + " vale SI o NO, non " + safe_quoted(text) + ".");
    return false;
  }

  void problema(std::string messaggio) {
    if (!problema_) problema_ = Problema{exit_uso, std::move(messaggio)};
  }

  Terreno terreno_;
  const Testi& testi_;
  std::optional<Problema> problema_;
};

// The terminal's lines of the results: each result box's caption in its window, the
// text, the unit of the bearing pressures; in the order of the window's result table.
struct Riga {
  std::string_view didascalia;
  std::string_view unita;
};
constexpr std::string_view kUnita = " daN/cm^2 (bar)";
constexpr Riga kRigheCoesivi[] = {{"CARICO DI ROTTURA:    qR = ", kUnita},
                                  {"CARICO DI PROGETTO:   qd = ", kUnita}};
constexpr Riga kRigheSciolti[] = {{"NY = ", ""},
                                  {"Nq = ", ""},
                                  {"Nc = ", ""},
                                  {"CARICO DI ROTTURA:  qR = ", kUnita},
                                  {"CARICO LIMITE:  qlim = ", kUnita}};

// The result boxes' texts, named as the CSV columns.
template <typename Texts>
std::vector<std::pair<std::string, std::string>> risultati_da_tabella(
    std::span<const ResultField<Texts>> table, const Texts& testi) {
  std::vector<std::pair<std::string, std::string>> risultati;
  for (const auto& result : table) risultati.emplace_back(result.text.name, testi.*result.shown);
  return risultati;
}

std::variant<Calcolo, Problema> calcola_coesivi(const Testi& testi) {
  Lettore leggi(Terreno::coesivi, testi);
  const auto dati = leggi.leggi(undrained_fields());
  const std::string descrizione = leggi.descrizione();
  if (leggi.esito()) return *leggi.esito();
  if (lunghezza_minore(dati.L, dati.B))
    return Problema{exit_dati, failure_message(Failure::lunghezza_minore)};

  const auto risultati = CalcoloNonDrenato(dati);
  if (!risultati) return Problema{exit_dati, failure_message(risultati.failure())};
  const auto box = testi_risultati(*risultati);
  Calcolo calcolo;
  calcolo.risultati = risultati_da_tabella(undrained_results(), box);
  calcolo.valori = std::pair{dati, *risultati};
  calcolo.descrizione = descrizione;
  return calcolo;
}

std::variant<Calcolo, Problema> calcola_sciolti(const Testi& testi) {
  Lettore leggi(Terreno::sciolti, testi);
  const auto dati = leggi.leggi(drained_fields());
  const std::string descrizione = leggi.descrizione();
  if (leggi.esito()) return *leggi.esito();
  if (lunghezza_minore(dati.L, dati.B))
    return Problema{exit_dati, failure_message(Failure::lunghezza_minore)};

  const auto valori = CalcoloDrenato(dati);
  if (!valori) return Problema{exit_dati, failure_message(valori.failure())};
  const auto box = testi_risultati(*valori);
  Calcolo calcolo;
  calcolo.risultati = risultati_da_tabella(drained_results(), box);
  calcolo.valori = *valori;
  calcolo.descrizione = descrizione;
  return calcolo;
}

}  // namespace

const std::vector<Campo>& campi(Terreno terreno) {
  static const std::vector<Campo> coesivi = campi_da_tabella(undrained_fields());
  static const std::vector<Campo> sciolti = campi_da_tabella(drained_fields());
  return terreno == Terreno::coesivi ? coesivi : sciolti;
}

const Campo* trova_campo(Terreno terreno, std::string_view nome) {
  for (const Campo& campo : campi(terreno))
    if (campo.nome == nome) return &campo;
  return nullptr;
}

std::optional<std::pair<std::string, std::string>> ambiguous_readings(std::string_view testo) {
  if (testo.find('.') == std::string_view::npos) return std::nullopt;
  const std::string_view text = trim_blanks(testo);
  const std::size_t dot = text.find('.');
  const auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
  };
  // No thousands are grouped after a leading zero: "0.500" is a half.
  if (dot == std::string_view::npos || dot == 0 || text.front() == '0' || text.size() - dot != 4 ||
      !digits(text.substr(0, dot)) || !digits(text.substr(dot + 1)))
    return std::nullopt;
  const std::string whole(text.substr(0, dot));
  std::string fraction(text.substr(dot + 1));
  fraction.erase(fraction.find_last_not_of('0') + 1);
  return std::pair{whole + std::string(text.substr(dot + 1)),
                   fraction.empty() ? whole : whole + "," + fraction};
}

std::optional<float> leggi_numero(std::string_view testo) {
  if (ambiguous_readings(testo)) return std::nullopt;
  // Blanks around the number are keys the window drops without changing it.
  std::string typed(trim_blanks(testo));
  for (char& ch : typed) {
    if (ch == '.') ch = ',';
    if (!(ch == ',' || (ch >= '0' && ch <= '9'))) return std::nullopt;
  }
  return parse_number(typed);
}

std::variant<Calcolo, Problema> calcola(Terreno terreno, const Testi& testi) {
  return terreno == Terreno::coesivi ? calcola_coesivi(testi) : calcola_sciolti(testi);
}

std::string testo_risultati(const Calcolo& calcolo) {
  const std::span<const Riga> righe = std::holds_alternative<ValoriDrenati>(calcolo.valori)
                                          ? std::span<const Riga>(kRigheSciolti)
                                          : std::span<const Riga>(kRigheCoesivi);
  std::string testo;
  for (std::size_t i = 0; i < righe.size() && i < calcolo.risultati.size(); ++i) {
    testo.append(righe[i].didascalia).append(calcolo.risultati[i].second);
    testo.append(righe[i].unita).push_back('\n');
  }
  return testo;
}

report::Result relazione(const Calcolo& calcolo, report::Version version) {
  if (const auto* drenato = std::get_if<ValoriDrenati>(&calcolo.valori))
    return report_drenato(*drenato, calcolo.descrizione, version);
  const auto& [dati, risultati] = std::get<0>(calcolo.valori);
  return report_non_drenato(dati, risultati, calcolo.descrizione, version);
}

std::vector<std::string> nomi_risultati(Terreno terreno) {
  return terreno == Terreno::coesivi ? nomi_da_tabella(undrained_results())
                                     : nomi_da_tabella(drained_results());
}

}  // namespace fondara::cli
