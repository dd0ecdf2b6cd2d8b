#include <array>
#include <string>

#include "core/field_reader.h"
#include "verifica/kind.h"
#include "verifica/partial_factors.h"
#include "verifica/verification_report.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {
namespace {

const Choice conditions[] = {{"drenate", "condizioni drenate (terreni granulari, lungo termine)"},
                             {"non_drenate", "condizioni non drenate (breve termine)"}};

// The sets of partial factors as choices, in the order of kPartialFactorSets.
constexpr std::array<Choice, kPartialFactorSets.size()> approach_choices() {
  std::array<Choice, kPartialFactorSets.size()> choices{};
  for (std::size_t i = 0; i < choices.size(); ++i)
    choices[i] = {kPartialFactorSets[i].code, kPartialFactorSets[i].name};
  return choices;
}
constexpr auto approaches = approach_choices();

// Optional fields: empty means "not given". Each field's control in the window is its name.
const std::array fields{
    Field{.text = {"condizioni", "condizioni", "", "condizioni della verifica", ""},
          .type = FieldType::choice,
          .choices = conditions},
    Field{.text = {"larghezza", "larghezza", "B", "larghezza della fondazione", "m",
                   "maggiore di 0"}},
    Field{.text = {"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m",
                   "non minore di B"}},
    Field{.text = {"profondita", "profondita", "D",
                   "profondità del piano di posa dal piano campagna", "m"}},
    Field{.text = {"inclinazione_base", "inclinazione_base", "α",
                   "inclinazione della base sull'orizzontale", "gradi", "da 0 a meno di 45"},
          .fallback = "0"},
    Field{.text = {"angolo", "angolo", "φ'k", "angolo di attrito caratteristico", "gradi",
                   "condizioni drenate, da più di 0 a 50"},
          .fallback = ""},
    Field{.text = {"coesione_drenata", "coesione_drenata", "c'k", "coesione drenata caratteristica",
                   "kPa", "condizioni drenate"},
          .fallback = "0"},
    Field{.text = {"coesione_non_drenata", "coesione_non_drenata", "cu,k",
                   "coesione non drenata caratteristica", "kPa", "condizioni non drenate"},
          .fallback = ""},
    Field{.text = {"peso_terreno", "peso_terreno", "γ", "peso di volume del terreno", "kN/m³"}},
    Field{.text = {"peso_saturo", "peso_saturo", "γsat",
                   "peso di volume del terreno saturo, sotto falda", "kN/m³",
                   "condizioni drenate, con la falda"},
          .fallback = ""},
    Field{.text = {"falda", "falda", "zw", "profondità della falda dal piano campagna", "m",
                   "condizioni drenate; vuoto: nessuna falda"},
          .fallback = ""},
    Field{.text = {"approccio", "approccio", "", "insieme dei coefficienti parziali", ""},
          .type = FieldType::choice,
          .fallback = kDefaultPartialFactors.code,
          .choices = approaches},
    Field{.text = {"N", "N", "N", "carico verticale di progetto, peso della fondazione compreso",
                   "kN"},
          .per_combination = true},
    Field{.text = {"MB", "MB", "MB", "momento di progetto che sposta il carico lungo B", "kN·m",
                   "anche negativo"},
          .fallback = "0",
          .per_combination = true},
    Field{.text = {"ML", "ML", "ML", "momento di progetto che sposta il carico lungo L", "kN·m",
                   "anche negativo"},
          .fallback = "0",
          .per_combination = true},
    Field{.text = {"HB", "HB", "HB", "carico orizzontale di progetto lungo B", "kN",
                   "anche negativo"},
          .fallback = "0",
          .per_combination = true},
    Field{.text = {"HL", "HL", "HL", "carico orizzontale di progetto lungo L", "kN",
                   "anche negativo"},
          .fallback = "0",
          .per_combination = true},
    Field{.text = {"descrizione", "descrizione", "", "descrizione del calcolo", "",
                   "riportata nella relazione"},
          .type = FieldType::text,
          .fallback = ""},
};

// The result columns, in the order of kColumnNames; those with a caption are the terminal's
// lines of one combination.
const std::array results{
    ResultField{{"eB", "", "eB", "eccentricità lungo B", "m"}, "eB", " m"},
    ResultField{{"eL", "", "eL", "eccentricità lungo L", "m"}, "eL", " m"},
    ResultField{{"B_eff", "", "B'", "larghezza efficace", "m"}, "B'", " m"},
    ResultField{{"L_eff", "", "L'", "lunghezza efficace", "m"}, "L'", " m"},
    ResultField{{"A_eff", "", "A'", "area efficace", "m²"}, "A'", " m²"},
    ResultField{{"Nq", "", "Nq", "fattore di capacità portante", ""}},
    ResultField{{"Nc", "", "Nc", "fattore di capacità portante", ""}},
    ResultField{{"Ngamma", "", "Nγ", "fattore di capacità portante", ""}},
    ResultField{{"bq", "", "bq", "fattore d'inclinazione della base", ""}},
    ResultField{{"bgamma", "", "bγ", "fattore d'inclinazione della base", ""}},
    ResultField{{"bc", "", "bc", "fattore d'inclinazione della base", ""}},
    ResultField{{"sq", "", "sq", "fattore di forma", ""}},
    ResultField{{"sgamma", "", "sγ", "fattore di forma", ""}},
    ResultField{{"sc", "", "sc", "fattore di forma", ""}},
    ResultField{{"m", "", "m", "esponente dei fattori d'inclinazione del carico", ""}},
    ResultField{{"iq", "", "iq", "fattore d'inclinazione del carico", ""}},
    ResultField{{"igamma", "", "iγ", "fattore d'inclinazione del carico", ""}},
    ResultField{{"ic", "", "ic", "fattore d'inclinazione del carico", ""}},
    ResultField{{"q_eff", "", "q'", "pressione del terreno sul piano di posa", "kPa"}},
    ResultField{
        {"R_A", "", "R/A'", "resistenza per unità di area efficace", "kPa"}, "R/A'", " kPa"},
    ResultField{{"Rd", "", "Rd", "resistenza di progetto al carico limite", "kN"}, "Rd", " kN"},
    ResultField{{"Ed", "", "Ed", "azione di progetto", "kN"}, "Ed", " kN"},
    ResultField{{"U", "", "U", "grado di utilizzo, Ed/Rd", ""}, "U = Ed/Rd ="},
    ResultField{
        {"Rd_h", "", "Rd,h", "resistenza di progetto allo scorrimento", "kN"}, "Rd,h", " kN"},
    ResultField{{"Ed_h", "", "Ed,h", "azione orizzontale di progetto", "kN"}, "Ed,h", " kN"},
    ResultField{{"U_h", "", "Uh", "grado di utilizzo allo scorrimento, Ed,h/Rd,h", ""},
                "Uh = Ed,h/Rd,h ="},
    ResultField{{"esito", "", "", "esito della verifica", ""}, "ESITO:"},
    ResultField{{"nota", "", "", "nota", ""}, "NOTA:"},
};
static_assert(results.size() == kColumnNames.size());

// A field the footing needs only in one condition: refused when missing there.
void require(FieldReader& read, std::string_view name) {
  if (read.given(name) || read.problem()) return;
  const Field* field = find_field(std::span<const Field>(fields), name);
  read.refuse("Manca il campo " + std::string(name) + ": " + help_line(field->text) + ".");
}

FieldTexts with_combination(const FieldTexts& texts, const FieldTexts& combination) {
  FieldTexts merged = texts;
  for (const auto& [name, text] : combination) merged[name] = text;
  return merged;
}

Problem refusal_problem(const Refusal& refusal, std::size_t combination) {
  const std::string prefix =
      combination == 0 ? std::string() : "Combinazione " + std::to_string(combination) + ": ";
  const ProblemType type = refusal.cause == RefusalCause::kInvalidInput
                               ? ProblemType::bad_input
                               : ProblemType::not_computable;
  return {type, prefix + std::string(refusal.message)};
}

std::vector<std::string> row_of(const Outcome<Verification, Refusal>& outcome) {
  const ColumnTexts texts = column_texts(outcome);
  return {texts.begin(), texts.end()};
}

CalculationOutcome calculate(const FieldTexts& texts, std::span<const FieldTexts> combinations,
                             Source source) {
  FieldReader read(fields, texts, source);
  const Footing footing = read_footing(read);
  std::vector<LoadCombination> loads;
  if (combinations.empty()) loads.push_back(read_loads(read));
  const std::string descrizione = read.description();
  if (read.problem()) return Failed{*read.problem()};
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    const FieldTexts merged = with_combination(texts, combinations[i]);
    FieldReader combination(fields, merged, source);
    loads.push_back(read_loads(combination));
    if (combination.problem()) {
      Problem problem = *combination.problem();
      if (combinations.size() > 1)
        problem.message = "Combinazione " + std::to_string(i + 1) + ": " + problem.message;
      problem.combination = i + 1;
      return Failed{problem};
    }
  }

  std::vector<Outcome<Verification, Refusal>> outcomes;
  for (std::size_t i = 0; i < loads.size(); ++i) {
    const std::size_t shown = loads.size() == 1 ? 0 : i + 1;
    if (const auto valid = validate(footing, loads[i]); !valid) {
      Problem problem = input_problem(valid.error(), shown);
      problem.combination = i + 1;
      return Failed{problem};
    }
    outcomes.push_back(verify(footing, loads[i]));
    // A single check that is refused has no results: its message is the answer.
    if (loads.size() == 1 && !outcomes.back())
      return Failed{refusal_problem(outcomes.back().error(), 0)};
  }

  Calculation calculation;
  for (const auto& outcome : outcomes) calculation.combinations.push_back(row_of(outcome));
  calculation.results = calculation.combinations.front();
  calculation.description = descrizione;
  calculation.report = [footing, loads, outcomes](Version version, std::string_view description) {
    return verification_report(footing, loads, outcomes, description, version);
  };
  return calculation;
}

const Kind kind{
    .name = "verifica",
    .summary =
        "verifica allo SLU di una fondazione con carichi eccentrici e inclinati, "
        "NTC 2018 / EN 1997-1 (Ed <= Rd)",
    .title = "verifica della fondazione",
    .fields = fields,
    .results = results,
    .calculate = calculate,
};

}  // namespace

const Kind& verifica_kind() {
  return kind;
}

Footing read_footing(FieldReader& read) {
  Footing footing;
  footing.condition = read.choice("condizioni") == 0 ? Condition::kDrained : Condition::kUndrained;
  const bool drained = footing.condition == Condition::kDrained;
  footing.B = read.decimal("larghezza");
  footing.L = read.decimal("lunghezza");
  footing.D = read.decimal("profondita");
  footing.alpha = read.decimal("inclinazione_base");
  if (drained) {
    require(read, "angolo");
    footing.phi_k = read.decimal("angolo");
    footing.c_k = read.decimal("coesione_drenata");
  } else {
    require(read, "coesione_non_drenata");
    footing.cu_k = read.decimal("coesione_non_drenata");
  }
  footing.gamma = read.decimal("peso_terreno");
  if (drained && read.given("falda")) {
    footing.zw = read.decimal("falda");
    require(read, "peso_saturo");
    footing.gamma_sat = read.decimal("peso_saturo");
  }
  footing.factors = kPartialFactorSets[read.choice("approccio")];
  return footing;
}

LoadCombination read_loads(FieldReader& read) {
  LoadCombination loads;
  loads.N = read.decimal("N");
  loads.MB = read.decimal("MB", true);
  loads.ML = read.decimal("ML", true);
  loads.HB = read.decimal("HB", true);
  loads.HL = read.decimal("HL", true);
  return loads;
}

Problem input_problem(const InputFault& fault, std::size_t combination) {
  const std::string prefix =
      combination == 0 ? std::string() : "Combinazione " + std::to_string(combination) + ": ";
  return {ProblemType::bad_input, prefix + std::string(fault.message), {}, fault.field};
}

}  // namespace fondara::verifica
