#include "cli/fields.h"

#include <algorithm>

#include "cli/message_text.h"
#include "drained/calcolo_drenato.h"
#include "drained/report_drenato.h"
#include "input/number_text.h"
#include "undrained/calcolo_non_drenato.h"
#include "undrained/report_non_drenato.h"

namespace fondara::cli {
namespace {

// The windows' message for a length below the width.
constexpr const char* kLunghezzaMinore = "La lunghezza deve essere superiore alla larghezza";

// The safety factor field's design text.
constexpr std::string_view kYRPredefinito = "2,3";

const std::vector<Campo> kCampiCoesivi = {
    {"lunghezza", Tipo::numero, "L, lunghezza della fondazione (m)", {}},
    {"larghezza", Tipo::numero, "B, larghezza della fondazione (m), non maggiore di L", {}},
    {"altezza", Tipo::numero, "H, altezza del rinterro dal piano di posa (m)", {}},
    {"peso_terreno_rinterro", Tipo::numero, "G1, peso specifico saturo del rinterro (daN/m^3)", {}},
    {"coesione_non_drenata", Tipo::numero, "cu, coesione non drenata (daN/cm^2, bar)", {}},
    {"coefficiente_sicurezza", Tipo::numero,
     "YR, coefficiente parziale di sicurezza alla resistenza", kYRPredefinito},
    {"descrizione", Tipo::testo, "descrizione riportata nella relazione", ""},
};

const std::vector<Campo> kCampiSciolti = {
    {"lunghezza", Tipo::numero, "L, lunghezza della fondazione (m)", {}},
    {"larghezza", Tipo::numero, "B, larghezza della fondazione (m), non maggiore di L", {}},
    {"altezza", Tipo::numero, "H, altezza del rinterro dal piano di posa (m)", {}},
    {"angolo", Tipo::numero, "φ', angolo di attrito del terreno di fondazione (gradi)", {}},
    {"coesione_drenata",
     Tipo::numero,
     "c', coesione drenata del terreno di fondazione (daN/cm^2, bar)",
     {}},
    {"peso_terreno_fondazione",
     Tipo::numero,
     "G, peso specifico saturo del terreno di fondazione (daN/m^3)",
     {}},
    {"peso_terreno_rinterro", Tipo::numero, "G1, peso specifico saturo del rinterro (daN/m^3)", {}},
    {"coefficiente_sicurezza", Tipo::numero,
     "YR, coefficiente parziale di sicurezza alla resistenza", kYRPredefinito},
    {"falda", Tipo::falda, "SI se il terreno di fondazione è sotto falda, altrimenti NO", "NO"},
    {"descrizione", Tipo::testo, "descrizione riportata nella relazione", ""},
};

bool is_blank(char ch) {
  return ch == ' ' || ch == '\t';
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

// The values of a form, read field by field; the first problem stops the reading.
class Lettore {
 public:
  Lettore(Terreno terreno, const Testi& testi) : terreno_(terreno), testi_(testi) {}

  std::string_view testo(std::string_view nome) {
    if (const auto it = testi_.find(nome); it != testi_.end()) return it->second;
    const Campo* campo = trova_campo(terreno_, nome);
    if (campo && campo->predefinito) return *campo->predefinito;
    std::string messaggio = "Manca il campo " + std::string(nome);
    if (campo) messaggio += ": " + std::string(campo->aiuto);
    problema(messaggio + ".");
    return {};
  }

  float numero(std::string_view nome) {
    const std::string_view text = testo(nome);
    if (problema_) return 0;
    const auto value = leggi_numero(text);
    if (value) return *value;
    if (const auto readings = ambiguous_readings(text))
      problema("Il valore di " + std::string(nome) + " è ambiguo: " + safe_quoted(trim(text)) +
               ". Scrivere " + readings->first + " oppure " + readings->second + ".");
    else
      problema("Il valore di " + std::string(nome) + " non è un numero: " + safe_quoted(text) +
               ".");
    return 0;
  }

  bool falda() {
    const std::string text(trim(testo("falda")));
    if (problema_) return false;
    if (text == "SI" || text == "si" || text == "Si") return true;
    if (text == "NO" || text == "no" || text == "No") return false;
    problema("Il campo falda vale SI o NO, non " + safe_quoted(text) + ".");
    return false;
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
  void problema(std::string messaggio) {
    if (!problema_) problema_ = Problema{exit_uso, std::move(messaggio)};
  }

  Terreno terreno_;
  const Testi& testi_;
  std::optional<Problema> problema_;
};

const char* const kUnita = " daN/cm^2 (bar)";

std::variant<Calcolo, Problema> calcola_coesivi(const Testi& testi) {
  Lettore leggi(Terreno::coesivi, testi);
  DatiNonDrenati dati;
  dati.L = leggi.numero("lunghezza");
  dati.B = leggi.numero("larghezza");
  dati.H = leggi.numero("altezza");
  dati.G1 = leggi.numero("peso_terreno_rinterro");
  dati.cu = leggi.numero("coesione_non_drenata");
  dati.YR = leggi.numero("coefficiente_sicurezza");
  const std::string descrizione = leggi.descrizione();
  if (leggi.esito()) return *leggi.esito();
  if (dati.L < dati.B) return Problema{exit_dati, kLunghezzaMinore};

  const auto risultati = CalcoloNonDrenato(dati);
  if (!risultati) return Problema{exit_dati, failure_message(risultati.failure())};
  const auto testi_box = testi_risultati(*risultati);
  Calcolo calcolo;
  calcolo.risultati = {{"qR", testi_box.Q_limite}, {"qd", testi_box.Q_ammissibile}};
  calcolo.righe = {"CARICO DI ROTTURA:    qR = " + testi_box.Q_limite + kUnita,
                   "CARICO DI PROGETTO:   qd = " + testi_box.Q_ammissibile + kUnita};
  calcolo.relazione = [dati, valori = *risultati, descrizione](report::Version version) {
    return report_non_drenato(dati, valori, descrizione, version);
  };
  return calcolo;
}

std::variant<Calcolo, Problema> calcola_sciolti(const Testi& testi) {
  Lettore leggi(Terreno::sciolti, testi);
  DatiDrenati dati;
  dati.L = leggi.numero("lunghezza");
  dati.B = leggi.numero("larghezza");
  dati.H = leggi.numero("altezza");
  dati.phi = leggi.numero("angolo");
  dati.c = leggi.numero("coesione_drenata");
  dati.G = leggi.numero("peso_terreno_fondazione");
  dati.G1 = leggi.numero("peso_terreno_rinterro");
  dati.YR = leggi.numero("coefficiente_sicurezza");
  dati.falda = leggi.falda();
  const std::string descrizione = leggi.descrizione();
  if (leggi.esito()) return *leggi.esito();
  if (dati.L < dati.B) return Problema{exit_dati, kLunghezzaMinore};

  const auto valori = CalcoloDrenato(dati);
  if (!valori) return Problema{exit_dati, failure_message(valori.failure())};
  const auto box = testi_risultati(*valori);
  Calcolo calcolo;
  calcolo.risultati = {{"NY", box.NY},
                       {"Nq", box.Nq},
                       {"Nc", box.Nc},
                       {"qR", box.Q_limite},
                       {"qd", box.Q_ammissibile}};
  calcolo.righe = {"NY = " + box.NY, "Nq = " + box.Nq, "Nc = " + box.Nc,
                   "CARICO DI ROTTURA:  qR = " + box.Q_limite + kUnita,
                   "CARICO LIMITE:  qlim = " + box.Q_ammissibile + kUnita};
  calcolo.relazione = [record = *valori, descrizione](report::Version version) {
    return report_drenato(record, descrizione, version);
  };
  return calcolo;
}

}  // namespace

const std::vector<Campo>& campi(Terreno terreno) {
  return terreno == Terreno::coesivi ? kCampiCoesivi : kCampiSciolti;
}

const Campo* trova_campo(Terreno terreno, std::string_view nome) {
  for (const Campo& campo : campi(terreno))
    if (campo.nome == nome) return &campo;
  return nullptr;
}

std::optional<std::pair<std::string, std::string>> ambiguous_readings(std::string_view testo) {
  if (testo.find('.') == std::string_view::npos) return std::nullopt;
  const std::string_view text = trim(testo);
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
  std::string typed(trim(testo));
  for (char& ch : typed) {
    if (ch == '.') ch = ',';
    if (!(ch == ',' || (ch >= '0' && ch <= '9'))) return std::nullopt;
  }
  return parse_number(typed);
}

std::variant<Calcolo, Problema> calcola(Terreno terreno, const Testi& testi) {
  return terreno == Terreno::coesivi ? calcola_coesivi(testi) : calcola_sciolti(testi);
}

std::vector<std::string> nomi_risultati(Terreno terreno) {
  if (terreno == Terreno::coesivi) return {"qR", "qd"};
  return {"NY", "Nq", "Nc", "qR", "qd"};
}

}  // namespace fondara::cli
