#include <array>
#include <ctime>
#include <memory>
#include <string>
#include <utility>

#include "core/field_reader.h"
#include "verifica/kind.h"
#include "verifica/partial_factors.h"
#include "verifica/verification_document.h"
#include "verifica/verification_report.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {
namespace {

const Choice conditions[] = {
    {"drenate", "condizioni drenate (terreni granulari, lungo termine)"},
    {"non_drenate", "condizioni non drenate (breve termine)"},
    {"entrambe", "entrambe: ogni combinazione verificata in condizioni drenate e non drenate", 2}};
const Choice situations[] = {{"statica", "persistente o transitoria (SLU)"},
                             {"sismica", "sismica (SLV), con l'insieme sismico delle NTC 2018"}};
const Choice yes_no[] = {{"SI"}, {"NO"}};

// The action types as choices, in the order of kActionTypes.
constexpr std::array<Choice, kActionTypes.size()> action_type_choices() {
  std::array<Choice, kActionTypes.size()> choices{};
  for (std::size_t i = 0; i < choices.size(); ++i)
    choices[i] = {kActionTypes[i].code, kActionTypes[i].words};
  return choices;
}
constexpr auto action_types = action_type_choices();

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
    Field{.text = {"situazione", "situazione", "", "situazione della combinazione", ""},
          .type = FieldType::choice,
          .fallback = "statica",
          .choices = situations,
          .per_combination = true,
          .since = 2},
    Field{.text = {"kh_terreno", "kh_terreno", "kh",
                   "coefficiente sismico orizzontale del volume di terreno sotto la fondazione", "",
                   "da 0 a meno di 1; riduce il carico limite nelle combinazioni sismiche"},
          .fallback = "0",
          .since = 2},
    Field{.text = {"gamma_r_sismico", "gamma_r_sismico", "γR,v,E",
                   "coefficiente parziale sulla capacità portante nelle combinazioni sismiche", "",
                   "2,3 oppure 1,8 (solo con kh_terreno maggiore di 0); predefinito 1,8 se "
                   "kh_terreno è maggiore di 0, altrimenti 2,3"},
          .fallback = "",
          .since = 2},
    Field{.text = {"angolo_stato_critico", "angolo_stato_critico", "φ'cv,k",
                   "angolo di attrito a volume costante, per lo scorrimento sul piano di posa",
                   "gradi", "condizioni drenate, da più di 0 a 50; vuoto: φ'k"},
          .fallback = "",
          .since = 2},
    Field{.text = {"prefabbricata", "prefabbricata", "",
                   "fondazione prefabbricata a base liscia (δ = 2/3 φ'cv,d; NO: gettata in "
                   "opera, δ = φ'cv,d)",
                   ""},
          .type = FieldType::choice,
          .fallback = "NO",
          .choices = yes_no,
          .since = 2},
    Field{.text = {"acqua_interfaccia", "acqua_interfaccia", "",
                   "acqua o aria possono raggiungere l'interfaccia tra base e argilla (scorrimento "
                   "non drenato limitato a 0,4 N)",
                   ""},
          .type = FieldType::choice,
          .fallback = "NO",
          .choices = yes_no,
          .since = 2},
    // The project, for the report's title block: free text with the description's rules.
    Field{.text = {"opera", "opera", "", "opera", "", "per il frontespizio della relazione"},
          .type = FieldType::text,
          .fallback = "",
          .since = 2,
          .project = true},
    Field{.text = {"committente", "committente", "", "committente", ""},
          .type = FieldType::text,
          .fallback = "",
          .since = 2,
          .project = true},
    Field{.text = {"progettista", "progettista", "", "progettista", "", "firma la relazione"},
          .type = FieldType::text,
          .fallback = "",
          .since = 2,
          .project = true},
    Field{.text = {"elemento", "elemento", "", "elemento verificato", "", "per esempio plinto P12"},
          .type = FieldType::text,
          .fallback = "",
          .since = 2,
          .project = true},
    Field{.text = {"data", "data", "", "data della relazione", "", "vuoto: la data di oggi"},
          .type = FieldType::text,
          .fallback = "",
          .since = 2,
          .project = true},
};

// The fields of one characteristic action: a line of a data file, a row of the window's table.
const std::array action_fields{
    Field{.text = {"nome", "nome", "", "nome dell'azione", ""},
          .type = FieldType::text,
          .fallback = "",
          .since = 2},
    Field{.text = {"tipo", "tipo", "", "tipo dell'azione", ""},
          .type = FieldType::choice,
          .choices = action_types,
          .since = 2},
    Field{.text = {"N", "N", "N", "carico verticale caratteristico", "kN", "anche negativo"},
          .fallback = "0",
          .since = 2},
    Field{.text = {"MB", "MB", "MB", "momento caratteristico lungo B", "kN·m", "anche negativo"},
          .fallback = "0",
          .since = 2},
    Field{.text = {"ML", "ML", "ML", "momento caratteristico lungo L", "kN·m", "anche negativo"},
          .fallback = "0",
          .since = 2},
    Field{.text = {"HB", "HB", "HB", "carico orizzontale caratteristico lungo B", "kN",
                   "anche negativo"},
          .fallback = "0",
          .since = 2},
    Field{.text = {"HL", "HL", "HL", "carico orizzontale caratteristico lungo L", "kN",
                   "anche negativo"},
          .fallback = "0",
          .since = 2},
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
    ResultField{.text = {"zq", "", "zq", "fattore sismico del termine di sovraccarico", ""},
                .since = 2},
    ResultField{.text = {"zgamma", "", "zγ", "fattore sismico del termine di peso", ""},
                .since = 2},
    ResultField{.text = {"zc", "", "zc", "fattore sismico del termine di coesione", ""},
                .since = 2},
    ResultField{.text = {"delta_d", "", "δd", "angolo di attrito di progetto della base", "gradi"},
                .since = 2},
    ResultField{
        .text = {"gamma_Rv", "", "γR,v", "coefficiente parziale sulla capacità portante", ""},
        .since = 2},
    ResultField{.text = {"gamma_Rh", "", "γR,h", "coefficiente parziale sullo scorrimento", ""},
                .since = 2},
};
static_assert(results.size() == kColumnNames.size());

// The program as the report identifies it; the build is the source revision, set by CMake.
constexpr ProgramIdentity kProgram{"Fondara", FONDARA_VERSION, FONDARA_BUILD};

// Today's date as the report's title block writes it: "07/12/2026".
std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return {};
  std::array<char, 16> text{};
  const std::size_t size = std::strftime(text.data(), text.size(), "%d/%m/%Y", &local);
  return std::string(text.data(), size);
}

// A field the footing needs only in one condition: refused when missing there.
void require(FieldReader& read, std::string_view name) {
  if (read.given(name) || read.problem()) return;
  const Field* field = find_field(std::span<const Field>(fields), name);
  read.refuse("Manca il campo " + std::string(name) + ": " + help_line(field->text) + ".",
              field->text.name);
}

std::string numbered(std::string_view what, std::size_t number, std::string_view message) {
  return std::string(what) + ' ' + std::to_string(number) + ": " + std::string(message);
}

Problem refusal_problem(const Refusal& refusal) {
  const ProblemType type = refusal.cause == RefusalCause::kInvalidInput
                               ? ProblemType::bad_input
                               : ProblemType::not_computable;
  return {type, std::string(refusal.message)};
}

// The typed combinations and the actions of the data; the first problem stops the reading.
struct Loads {
  std::vector<LoadCombination> typed;
  std::vector<Action> actions;
};

Outcome<Loads, Problem> read_all_loads(const CalculationData& data) {
  Loads loads;
  for (std::size_t i = 0; i < data.combinations.size(); ++i) {
    FieldReader read(fields, data.combinations[i], data.source);
    loads.typed.push_back(read_loads(read));
    if (read.problem()) {
      Problem problem = *read.problem();
      if (data.combinations.size() > 1)
        problem.message = numbered("Combinazione", i + 1, problem.message);
      problem.combination = i + 1;
      return Failed{problem};
    }
  }
  for (std::size_t i = 0; i < data.actions.size(); ++i) {
    FieldReader read(action_fields, data.actions[i], data.source);
    loads.actions.push_back(read_action(read));
    if (read.problem()) {
      Problem problem = *read.problem();
      problem.message = numbered("Azione", i + 1, problem.message);
      problem.action = i + 1;
      return Failed{problem};
    }
  }
  return loads;
}

// The fields of one check as a CSV row gives them: the footing's, the check's condition, and
// the loads and the situation the check took, each number written in full in the terminal's
// convention, so that the row reads back to the same check.
FieldTexts check_inputs(const FootingCalculation& c, const Check& check) {
  FieldTexts inputs = c.texts;
  inputs["condizioni"] = std::string(condition_code(check.condition));
  const LoadCombination& loads = c.checks.combinations[check.combination].loads;
  for (const auto& [name, value] :
       {std::pair{"N", loads.N}, std::pair{"MB", loads.MB}, std::pair{"ML", loads.ML},
        std::pair{"HB", loads.HB}, std::pair{"HL", loads.HL}})
    inputs[name] = exact_text(value);
  inputs["situazione"] = std::string(situation_code(loads.situation));
  return inputs;
}

CheckRow check_row(const FootingCalculation& c, std::size_t index) {
  const Check& check = c.checks.checks[index];
  const ColumnTexts texts = column_texts(check.outcome);
  CheckRow row{check_title(c.checks, index, c.footing.conditions),
               check.combination + 1,
               c.checks.combinations[check.combination].generated ? "generata" : "digitata",
               condition_code(check.condition),
               check_inputs(c, check),
               {texts.begin(), texts.end()},
               {}};
  // The terminal shows the message as the check's verdict; a table puts it in its own column.
  if (!check.outcome) row.error = row.results[column_index("esito")];
  return row;
}

std::vector<std::string> row_of(const Outcome<Verification, Refusal>& outcome) {
  const ColumnTexts texts = column_texts(outcome);
  return {texts.begin(), texts.end()};
}

CalculationOutcome calculate(const CalculationData& data) {
  auto footing = calculate_footing(data);
  if (!footing) return Failed{footing.error()};
  const auto kept = std::make_shared<const FootingCalculation>(*std::move(footing));
  // A single check that is refused has no results: its message is the answer.
  const std::vector<Check>& checks = kept->checks.checks;
  if (checks.size() == 1 && !checks.front().outcome)
    return Failed{refusal_problem(checks.front().outcome.error())};
  return calculation_of(kept);
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
    .action_fields = action_fields,
    .help =
        "Nella verifica i carichi N, MB, ML, HB, HL sono valori di progetto sul piano di posa,\n"
        "nel baricentro della base, peso della fondazione e del rinterro compreso; momenti e\n"
        "forze orizzontali anche negativi (il verso: la verifica usa il valore assoluto, la\n"
        "pianta mette il carico dal lato del segno). Una riga di comando o di CSV è una\n"
        "combinazione in una condizione; un file di dati (--apri) ha tutte le combinazioni\n"
        "digitate (righe combinazione=N;MB;ML;HB;HL;situazione) e le azioni caratteristiche\n"
        "(righe azione=), da cui si generano le combinazioni SLU (NTC 2018 2.5.1, EN 1990\n"
        "6.10: permanenti sfavorevoli e favorevoli, ogni azione variabile come principale) e,\n"
        "con NTC2018-A2, le otto sismiche (G1 + G2 + ψ2·Q ± 1,00·Ex ± 0,30·Ey e\n"
        "± 0,30·Ex ± 1,00·Ey). Con condizioni=entrambe ogni combinazione si verifica drenata\n"
        "e non drenata (non in un CSV: una riga, una condizione). Il risultato elenca ogni\n"
        "verifica, poi la verifica determinante e l'esito della fondazione. NTC2018-A2 è\n"
        "l'Approccio 2 (A1+M1+R3) delle NTC 2018, non l'insieme A2 dei coefficienti sulle\n"
        "azioni; le combinazioni sismiche usano M1, γR,h = 1,1 e γR,v = gamma_r_sismico.\n"
        "L < B è un dato errato (codice 2).\n",
};

}  // namespace

const Kind& verifica_kind() {
  return kind;
}

Outcome<FootingCalculation, Problem> calculate_footing(const CalculationData& data) {
  FieldReader read(fields, data.texts, data.source);
  Footing footing = read_footing(read);
  std::string descrizione = read.description();
  Project project;
  for (const auto& [name, text] :
       {std::pair{"opera", &project.opera}, std::pair{"committente", &project.committente},
        std::pair{"progettista", &project.progettista}, std::pair{"elemento", &project.elemento},
        std::pair{"data", &project.data}})
    *text = read.description(name);
  if (read.problem()) return Failed{*read.problem()};
  if (data.one_check && footing.conditions == Conditions::kBoth)
    return Failed{Problem{ProblemType::bad_input,
                          "In un CSV ogni riga è una sola verifica: condizioni vale drenate o "
                          "non_drenate, non entrambe."}};
  auto loads = read_all_loads(data);
  if (!loads) return Failed{loads.error()};
  auto checks = check_footing(footing, loads->actions, loads->typed);
  if (!checks) return Failed{input_problem(checks.error(), loads->typed.size())};
  return FootingCalculation{std::move(footing), std::move(loads->actions),
                            *std::move(checks), std::move(descrizione),
                            data.texts,         std::move(project)};
}

Calculation calculation_of(const std::shared_ptr<const FootingCalculation>& kept) {
  const FootingChecks& checks = kept->checks;
  Calculation calculation;
  calculation.results = row_of(checks.checks.front().outcome);
  calculation.description = kept->description;
  calculation.checks = checks.checks.size();
  calculation.check = [kept](std::size_t index) { return check_row(*kept, index); };
  calculation.summary = {governing_line(checks, kept->footing.conditions),
                         footing_verdict_line(checks.verdict)};
  calculation.refused = checks.verdict.not_computable;
  calculation.report = [kept](Version version, std::string_view description) {
    return verification_report(kept->footing, kept->actions, kept->checks, description, version);
  };
  calculation.report_parts = [kept](Version version, std::string_view description,
                                    const ReportPart& take) -> Outcome<Done, Failure> {
    verification_report_parts(kept->footing, kept->actions, kept->checks, description, version,
                              take);
    return Done{};
  };
  calculation.document = [kept](std::string_view description) {
    return verification_document(*kept, description, kProgram, today());
  };
  return calculation;
}

Footing read_footing(FieldReader& read) {
  Footing footing;
  footing.conditions = static_cast<Conditions>(read.choice("condizioni"));
  const bool drained = footing.conditions != Conditions::kUndrained;
  const bool undrained = footing.conditions != Conditions::kDrained;
  footing.B = read.decimal("larghezza");
  footing.L = read.decimal("lunghezza");
  footing.D = read.decimal("profondita");
  footing.alpha = read.decimal("inclinazione_base");
  if (drained) {
    require(read, "angolo");
    footing.phi_k = read.decimal("angolo");
    footing.c_k = read.decimal("coesione_drenata");
  }
  if (undrained) {
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
  footing.kh = read.decimal("kh_terreno");
  // γR,v of the seismic checks: 1,8 when the soil's inertia is in the resistance, else 2,3.
  footing.gamma_R_seismic = read.given("gamma_r_sismico") ? read.decimal("gamma_r_sismico")
                            : footing.kh > 0              ? kSeismicGammaRWithInertia
                                                          : kSeismicGammaR;
  if (drained && read.given("angolo_stato_critico"))
    footing.phi_cv_k = read.decimal("angolo_stato_critico");
  footing.precast = read.choice("prefabbricata") == 0;
  footing.water_at_interface = read.choice("acqua_interfaccia") == 0;
  return footing;
}

LoadCombination read_loads(FieldReader& read) {
  LoadCombination loads;
  loads.N = read.decimal("N");
  loads.MB = read.decimal("MB", true);
  loads.ML = read.decimal("ML", true);
  loads.HB = read.decimal("HB", true);
  loads.HL = read.decimal("HL", true);
  loads.situation = static_cast<Situation>(read.choice("situazione"));
  return loads;
}

Action read_action(FieldReader& read) {
  Action action;
  action.name = read.description("nome");
  action.type = static_cast<ActionType>(read.choice("tipo"));
  action.N = read.decimal("N", true);
  action.MB = read.decimal("MB", true);
  action.ML = read.decimal("ML", true);
  action.HB = read.decimal("HB", true);
  action.HL = read.decimal("HL", true);
  return action;
}

Problem input_problem(const InputFault& fault, std::size_t typed) {
  std::string message(fault.message);
  if (fault.action > 0)
    message = numbered("Azione", fault.action, message);
  else if (fault.combination > 0 && typed > 1)
    message = numbered("Combinazione", fault.combination, message);
  return {.type = ProblemType::bad_input,
          .message = message,
          .field = fault.field,
          .combination = fault.combination,
          .action = fault.action};
}

}  // namespace fondara::verifica
