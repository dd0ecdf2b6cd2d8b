#include "verifica/verification_report.h"

#include <string>

#include "verifica/footing_plan.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {
namespace {

std::string length(double value) {
  return fixed_text(value, 3);
}
std::string two(double value) {
  return fixed_text(value, 2);
}

// "name = value unit", the values of one line separated by three blanks.
class Line {
 public:
  Line& add(std::string_view name, const std::string& value, std::string_view unit = {}) {
    if (value.empty()) return *this;
    if (!text_.empty()) text_ += "   ";
    text_.append(name).append(" = ").append(value).append(unit);
    return *this;
  }
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

std::string column(const ColumnTexts& texts, std::string_view name) {
  return texts[column_index(name)];
}

void heading(Builder& r, Version version) {
  r.text("PROGRAMMA: FONDARA VER.3.0/VERIFICA DELLE FONDAZIONI DIRETTE (NTC 2018 / EN 1997-1)");
  r.empty();
  if (version == Version::printed) r.font_size(8);
  r.text("Verifica allo stato limite ultimo di una fondazione diretta rettangolare sotto carichi");
  r.text("eccentrici e inclinati: capacità portante e scorrimento, Ed <= Rd (NTC 2018, 6.4.2.1;");
  r.text("EN 1997-1, 6.5 e Appendice D), sull'area efficace B' x L' del carico eccentrico.");
  r.empty();
}

void footing_lines(Builder& r, const Footing& f) {
  const bool drained = f.condition == Condition::kDrained;
  r.text("DATI DELLA FONDAZIONE E DEL TERRENO:");
  r.empty();
  r.text(drained ? "Condizioni drenate (lungo termine)" : "Condizioni non drenate (breve termine)");
  r.text("B     = " + length(f.B) + " m, larghezza della fondazione");
  r.text("L     = " + length(f.L) + " m, lunghezza della fondazione");
  r.text("D     = " + length(f.D) + " m, profondità del piano di posa dal piano campagna");
  r.text("alfa  = " + two(f.alpha) + " gradi, inclinazione della base sull'orizzontale");
  if (drained) {
    r.text("phi'k = " + two(f.phi_k) + " gradi, angolo di attrito caratteristico");
    r.text("c'k   = " + two(f.c_k) + " kPa, coesione drenata caratteristica");
  } else {
    r.text("cu,k  = " + two(f.cu_k) + " kPa, coesione non drenata caratteristica");
  }
  r.text("gamma = " + two(f.gamma) + " kN/m³, peso di volume del terreno");
  if (!drained) {
    r.text("In condizioni non drenate la pressione sul piano di posa è quella totale, gamma D.");
  } else if (f.zw) {
    r.text("zw    = " + length(*f.zw) + " m, profondità della falda dal piano campagna");
    r.text("gamma sat = " + two(f.gamma_sat) + " kN/m³, peso di volume del terreno saturo");
  } else {
    r.text("Nessuna falda.");
  }
  r.empty();
}

void factor_lines(Builder& r, const Footing& f) {
  const PartialFactorSet& set = f.factors;
  r.text("COEFFICIENTI PARZIALI: " + std::string(set.name) + " [" + std::string(set.code) + "]");
  r.text("gamma phi' = " + two(set.gamma_phi) + " (su tan phi'k)   gamma c' = " + two(set.gamma_c) +
         "   gamma cu = " + two(set.gamma_cu));
  r.text("gamma R,v  = " + two(set.gamma_R_v) +
         " (capacità portante)   gamma R,h = " + two(set.gamma_R_h) + " (scorrimento)");
  r.text("I carichi sono valori di progetto; i pesi di volume non sono ridotti.");
  r.empty();
}

void load_table(Builder& r, std::span<const LoadCombination> loads) {
  r.text("COMBINAZIONI DI CARICO DI PROGETTO (kN, kN·m):");
  r.empty();
  r.text("Comb.           N          MB          ML          HB          HL");
  const auto cell = [](const std::string& text) {
    return std::string(text.size() < 12 ? 12 - text.size() : 1, ' ') + text;
  };
  for (std::size_t i = 0; i < loads.size(); ++i) {
    const LoadCombination& c = loads[i];
    std::string line = std::to_string(i + 1);
    line = std::string(5 - std::min<std::size_t>(line.size(), 4), ' ') + line;
    for (double value : {c.N, c.MB, c.ML, c.HB, c.HL}) line += cell(two(value));
    r.text(line);
  }
  r.empty();
}

void combination_lines(Builder& r, std::size_t number,
                       const Outcome<Verification, Refusal>& outcome) {
  r.text("Combinazione " + std::to_string(number));
  if (!outcome) {
    r.text("Verifica non eseguita:");
    r.text(std::string(outcome.error().message));
    r.empty();
    return;
  }
  const Verification& v = *outcome;
  const ColumnTexts t = column_texts(v);
  r.text(Line()
             .add("eB", column(t, "eB"), " m")
             .add("eL", column(t, "eL"), " m")
             .add("B'", column(t, "B_eff"), " m")
             .add("L'", column(t, "L_eff"), " m")
             .add("A'", column(t, "A_eff"), " m²")
             .take());
  if (v.partial_base) r.text(std::string(kPartialBaseNote));
  if (v.swapped)
    r.text("B' risulta maggiore di L': i lati efficaci e le forze orizzontali sono scambiati.");
  if (v.drained)
    r.text("phi'd = " + two(v.drained->phi_d) + " gradi   c'd = " + two(v.drained->c_d) +
           " kPa   gamma eff = " + two(v.drained->gamma_eff) + " kN/m³");
  else
    r.text("cu,d = " + two(*v.cu_d) + " kPa");
  r.text(Line()
             .add("q'", column(t, "q_eff"), " kPa")
             .add("Nq", column(t, "Nq"))
             .add("Nc", column(t, "Nc"))
             .add("Ngamma", column(t, "Ngamma"))
             .take());
  r.text(Line()
             .add("bq", column(t, "bq"))
             .add("bgamma", column(t, "bgamma"))
             .add("bc", column(t, "bc"))
             .add("sq", column(t, "sq"))
             .add("sgamma", column(t, "sgamma"))
             .add("sc", column(t, "sc"))
             .take());
  r.text(Line()
             .add("m", column(t, "m"))
             .add("iq", column(t, "iq"))
             .add("igamma", column(t, "igamma"))
             .add("ic", column(t, "ic"))
             .take());
  r.text(Line()
             .add("R/A'", column(t, "R_A"), " kPa")
             .add("Rd = A' R/A' / gamma R,v", column(t, "Rd"), " kN")
             .add("Ed = N", column(t, "Ed"), " kN")
             .take());
  r.text("U = Ed/Rd = " + column(t, "U"));
  if (v.sliding)
    r.text(Line()
               .add("Scorrimento: Rd,h", column(t, "Rd_h"), " kN")
               .add("Ed,h = H", column(t, "Ed_h"), " kN")
               .add("Uh", column(t, "U_h"))
               .take());
  else
    r.text("Scorrimento: nessun carico orizzontale.");
  r.text("Esito: " + column(t, "esito"));
  r.empty();
}

}  // namespace

std::string overall_verdict(std::span<const Outcome<Verification, Refusal>> outcomes) {
  std::string failing;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    if (outcomes[i] && outcomes[i]->verdict == Verdict::kVerified) continue;
    failing += (failing.empty() ? "" : ", ") + std::to_string(i + 1);
  }
  if (failing.empty()) return "ESITO DELLA VERIFICA: VERIFICATA";
  const bool one = failing.find(',') == std::string::npos;
  return "ESITO DELLA VERIFICA: NON VERIFICATA (" +
         std::string(one ? "combinazione " : "combinazioni ") + failing + ")";
}

ReportOutcome verification_report(const Footing& footing, std::span<const LoadCombination> loads,
                                  std::span<const Outcome<Verification, Refusal>> outcomes,
                                  std::string_view descrizione, Version version) {
  Builder r;
  heading(r, version);
  r.text_and_text("DESCRIZIONE: ", std::string(descrizione));
  r.empty();
  footing_lines(r, footing);
  factor_lines(r, footing);
  load_table(r, loads);
  r.text("RISULTATI:");
  r.empty();
  for (std::size_t i = 0; i < outcomes.size(); ++i) combination_lines(r, i + 1, outcomes[i]);
  const auto governing = governing_combination(outcomes);
  if (governing) {
    const Verification& v = *outcomes[*governing];
    std::string line = "COMBINAZIONE DETERMINANTE: " + std::to_string(*governing + 1) +
                       " (U = " + fixed_text(v.U, 3);
    if (v.sliding) line += ", Uh = " + fixed_text(v.sliding->U_h, 3);
    r.text(line + ")");
  } else {
    r.text("Nessuna combinazione è stata verificata.");
  }
  r.text(overall_verdict(outcomes));
  if (version == Version::printed && governing) {
    const Verification& v = *outcomes[*governing];
    r.empty();
    r.text("Pianta della fondazione nella combinazione determinante: il carico (x), l'area");
    r.text("efficace B' x L' (in grigio) e il nocciolo centrale d'inerzia (a tratti).");
    r.empty();
    r.drawing(footing_plan(footing.B, footing.L, v.eB, v.eL));
  }
  return r.take();
}

}  // namespace fondara::verifica
