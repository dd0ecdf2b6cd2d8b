#include "verifica/verification_report.h"

#include <algorithm>
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
  const bool drained = f.conditions != Conditions::kUndrained;
  const bool undrained = f.conditions != Conditions::kDrained;
  r.text("DATI DELLA FONDAZIONE E DEL TERRENO:");
  r.empty();
  r.text(f.conditions == Conditions::kBoth ? "Condizioni drenate (lungo termine) e non drenate "
                                             "(breve termine): ogni combinazione in entrambe"
         : drained                         ? "Condizioni drenate (lungo termine)"
                                           : "Condizioni non drenate (breve termine)");
  r.text("B     = " + length(f.B) + " m, larghezza della fondazione");
  r.text("L     = " + length(f.L) + " m, lunghezza della fondazione");
  r.text("D     = " + length(f.D) + " m, profondità del piano di posa dal piano campagna");
  r.text("alfa  = " + two(f.alpha) + " gradi, inclinazione della base sull'orizzontale");
  if (drained) {
    r.text("phi'k = " + two(f.phi_k) + " gradi, angolo di attrito caratteristico");
    r.text("c'k   = " + two(f.c_k) + " kPa, coesione drenata caratteristica");
  }
  if (undrained) r.text("cu,k  = " + two(f.cu_k) + " kPa, coesione non drenata caratteristica");
  r.text("gamma = " + two(f.gamma) + " kN/m³, peso di volume del terreno");
  if (undrained)
    r.text("In condizioni non drenate la pressione sul piano di posa è quella totale, gamma D.");
  if (drained && f.zw) {
    r.text("zw    = " + length(*f.zw) + " m, profondità della falda dal piano campagna");
    r.text("gamma sat = " + two(f.gamma_sat) + " kN/m³, peso di volume del terreno saturo");
  } else if (drained) {
    r.text("Nessuna falda.");
  }
  if (f.kh > 0)
    r.text("kh    = " + fixed_text(f.kh, 3) +
           ", coefficiente sismico del volume di terreno sotto la fondazione");
  if (drained && f.phi_cv_k)
    r.text("phi'cv,k = " + two(*f.phi_cv_k) + " gradi, angolo di attrito a volume costante");
  if (drained)
    r.text(f.precast ? "Fondazione prefabbricata a base liscia: delta = 2/3 phi'cv,d."
                     : "Fondazione gettata in opera: delta = phi'cv,d.");
  if (undrained && f.water_at_interface)
    r.text("Acqua o aria possono raggiungere l'interfaccia: Rd,h non drenata al più 0,4 N.");
  r.empty();
}

void set_lines(Builder& r, std::string_view heading, const PartialFactorSet& set) {
  r.text(std::string(heading) + std::string(set.name) + " [" + std::string(set.code) + "]");
  r.text("gamma phi' = " + two(set.gamma_phi) + " (su tan phi'k)   gamma c' = " + two(set.gamma_c) +
         "   gamma cu = " + two(set.gamma_cu));
  r.text("gamma R,v  = " + two(set.gamma_R_v) +
         " (capacità portante)   gamma R,h = " + two(set.gamma_R_h) + " (scorrimento)");
}

void factor_lines(Builder& r, const Footing& f, const FootingChecks& checks) {
  bool static_checks = false, seismic_checks = false;
  for (const Check& check : checks.checks) {
    const Situation situation = situation_of(f, checks.combinations[check.combination].loads);
    (situation == Situation::kStatic ? static_checks : seismic_checks) = true;
  }
  if (static_checks) set_lines(r, "COEFFICIENTI PARZIALI: ", f.factors);
  if (seismic_checks)
    set_lines(r, static_checks ? "COMBINAZIONI SISMICHE: " : "COEFFICIENTI PARZIALI: ",
              factors_of(f, Situation::kSeismic));
  r.text(
      "I carichi delle combinazioni sono valori di progetto; i pesi di volume non sono ridotti.");
  r.empty();
}

// "  12345,00" right-aligned in 12 characters, at least one blank before.
std::string cell(const std::string& text, std::size_t width = 12) {
  return std::string(text.size() < width ? width - text.size() : 1, ' ') + text;
}

void action_table(Builder& r, std::span<const Action> actions) {
  if (actions.empty()) return;
  r.text("AZIONI CARATTERISTICHE (kN, kN·m), nel baricentro della base:");
  r.empty();
  r.text("Az.  Tipo                 N          MB          ML          HB          HL   Nome");
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const Action& a = actions[i];
    std::string line = cell(std::to_string(i + 1), 3) + "  " + std::string(info(a.type).code);
    line.resize(std::max<std::size_t>(line.size(), 17), ' ');
    for (double value : {a.N, a.MB, a.ML, a.HB, a.HL}) line += cell(two(value));
    r.text(line + "   " + a.name);
  }
  r.empty();
}

// The table's rows, `kRowsPerPart` at a time: each batch is one part of the report.
constexpr std::size_t kRowsPerPart = 256;

// Gives the builder's statements as one part and starts the next.
void flush(Builder& r, const ReportPart& take) {
  take(r.take());
  r = Builder();
}

void combination_table(Builder& r, const FootingChecks& checks, std::span<const Action> actions,
                       const ReportPart& take) {
  r.text("COMBINAZIONI DI CARICO DI PROGETTO (kN, kN·m):");
  r.empty();
  r.text("Comb.           N          MB          ML          HB          HL   Situazione");
  for (std::size_t i = 0; i < checks.combinations.size(); ++i) {
    const Combination& combination = checks.combinations[i];
    const LoadCombination& c = combination.loads;
    std::string line = cell(std::to_string(i + 1), 5);
    for (double value : {c.N, c.MB, c.ML, c.HB, c.HL}) line += cell(two(value));
    line += "   " + std::string(situation_code(c.situation));
    if (combination.generated) line += ", generata";
    r.text(line);
    if ((i + 1) % kRowsPerPart == 0) flush(r, take);
  }
  r.empty();
  bool heading = false;
  for (std::size_t i = 0; i < checks.combinations.size(); ++i) {
    if (!checks.combinations[i].generated) continue;
    if (!heading) r.text("Combinazioni generate dalle azioni, con il coefficiente di ogni azione:");
    heading = true;
    r.text(cell(std::to_string(i + 1), 5) + " = " +
           combination_formula(checks.combinations[i], actions));
  }
  if (heading) r.empty();
}

void check_lines(Builder& r, const std::string& title,
                 const Outcome<Verification, Refusal>& outcome) {
  r.text(title);
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
  if (v.inertia)
    r.text(Line()
               .add("zq", column(t, "zq"))
               .add("zgamma", column(t, "zgamma"))
               .add("zc", column(t, "zc"))
               .take() +
           " (inerzia del terreno)");
  r.text(Line()
             .add("R/A'", column(t, "R_A"), " kPa")
             .add("Rd = A' R/A' / gamma R,v", column(t, "Rd"), " kN")
             .add("Ed = N", column(t, "Ed"), " kN")
             .take());
  r.text("U = Ed/Rd = " + column(t, "U"));
  if (v.sliding) {
    if (v.sliding->delta_d) r.text("delta d = " + column(t, "delta_d") + " gradi");
    if (v.sliding->interface_limit) r.text("Rd,h limitata a 0,4 N: acqua all'interfaccia.");
    r.text(Line()
               .add("Scorrimento: Rd,h", column(t, "Rd_h"), " kN")
               .add("Ed,h = H", column(t, "Ed_h"), " kN")
               .add("Uh", column(t, "U_h"))
               .take());
  } else {
    r.text("Scorrimento: nessun carico orizzontale.");
  }
  r.text("Esito: " + column(t, "esito"));
  r.empty();
}

// The notes on what the method leaves out, and on φ'cv when it was not given.
void notes(Builder& r, const Footing& f, const FootingChecks& checks) {
  r.text("NOTE:");
  bool drained_sliding = false;
  for (const Check& check : checks.checks)
    drained_sliding |= check.outcome && check.outcome->sliding && check.outcome->drained;
  if (drained_sliding && !f.phi_cv_k) r.text("phi'cv non assegnato: delta da phi'k.");
  r.text("Fattori di EN 1997-1 Appendice D: nessun fattore di profondità né d'inclinazione del");
  r.text("piano campagna; per una fondazione vicina a un pendio serve un altro metodo.");
  r.text("Allo scorrimento si trascurano la coesione e la resistenza passiva sui lati.");
}

}  // namespace

void verification_report_parts(const Footing& footing, std::span<const Action> actions,
                               const FootingChecks& checks, std::string_view descrizione,
                               Version version, const ReportPart& take) {
  Builder r;
  heading(r, version);
  r.text_and_text("DESCRIZIONE: ", std::string(descrizione));
  r.empty();
  footing_lines(r, footing);
  factor_lines(r, footing, checks);
  action_table(r, actions);
  combination_table(r, checks, actions, take);
  r.text("RISULTATI:");
  r.empty();
  for (std::size_t i = 0; i < checks.checks.size(); ++i) {
    check_lines(r, check_title(checks, i, footing.conditions), checks.checks[i].outcome);
    if ((i + 1) % kRowsPerPart == 0) flush(r, take);
  }
  r.text(governing_line(checks, footing.conditions));
  r.text(footing_verdict_line(checks.verdict));
  r.empty();
  notes(r, footing, checks);
  if (version == Version::printed && checks.governing) {
    const Check& governing = checks.checks[*checks.governing];
    r.empty();
    r.text("Pianta della fondazione nella verifica determinante: il carico (x), l'area");
    r.text("efficace B' x L' (in grigio) e il nocciolo centrale d'inerzia (a tratti).");
    r.empty();
    r.drawing(
        footing_plan(footing.B, footing.L, checks.combinations[governing.combination].loads, true));
  }
  take(r.take());
}

ReportOutcome verification_report(const Footing& footing, std::span<const Action> actions,
                                  const FootingChecks& checks, std::string_view descrizione,
                                  Version version) {
  Report whole;
  verification_report_parts(footing, actions, checks, descrizione, version,
                            [&whole](Report&& part) {
                              whole.insert(whole.end(), std::make_move_iterator(part.begin()),
                                           std::make_move_iterator(part.end()));
                            });
  return whole;
}

}  // namespace fondara::verifica
