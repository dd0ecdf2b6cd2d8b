#include "verifica/verification_document.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "verifica/footing_plan.h"
#include "verifica/verification_texts.h"

namespace fondara::verifica {
namespace {

std::string two(double value) {
  return fixed_text(value, 2);
}

Paragraph text(std::string_view markup, unsigned style = kPlain) {
  return {formula(markup, style)};
}

// User text (a description, a project field): never read as a formula.
Runs plain(std::string text, unsigned style = kPlain) {
  return {{std::move(text), style}};
}

Cell cell(std::string_view markup, unsigned style = kPlain) {
  return {formula(markup, style)};
}

Cell plain_cell(std::string value, unsigned style = kPlain) {
  return {plain(std::move(value), style)};
}

// A table with `align` of its columns: its header rows first (from markups, set in bold), then
// the others; a table given no header row has none.
class TableBuilder {
 public:
  explicit TableBuilder(std::vector<Align> align, bool compact = false)
      : table_{.header_rows = 0, .align = std::move(align), .compact = compact} {}
  TableBuilder& header(std::vector<Cell> cells) {
    table_.rows.push_back(std::move(cells));
    table_.header_rows = table_.rows.size();
    return *this;
  }
  TableBuilder& header(std::initializer_list<std::string_view> markups) {
    std::vector<Cell> cells;
    for (std::string_view markup : markups) cells.push_back(cell(markup, kBold));
    return header(std::move(cells));
  }
  TableBuilder& row(std::vector<Cell> cells) {
    table_.rows.push_back(std::move(cells));
    return *this;
  }
  Table take() { return std::move(table_); }

 private:
  Table table_;
};

std::vector<Align> columns(std::size_t left, std::size_t right) {
  std::vector<Align> align(left, Align::kLeft);
  align.insert(align.end(), right, Align::kRight);
  return align;
}

struct Used {
  bool drained = false, undrained = false, seismic = false, inertia = false;
  bool sliding = false, drained_sliding = false, static_checks = false;
};

Used used_by(const Footing& f, const FootingChecks& checks) {
  Used used;
  for (const Check& check : checks.checks) {
    const bool drained = check.condition == Condition::kDrained;
    (drained ? used.drained : used.undrained) = true;
    const bool seismic =
        situation_of(f, checks.combinations[check.combination].loads) == Situation::kSeismic;
    (seismic ? used.seismic : used.static_checks) = true;
    if (!check.outcome) continue;
    used.inertia |= check.outcome->inertia && f.kh > 0;
    used.sliding |= check.outcome->sliding.has_value();
    used.drained_sliding |= check.outcome->sliding && drained;
  }
  return used;
}

// A footing of more checks than this has its tables cut to the governing check and those not
// verified (at most this many), and its plans to kMostPlans: so that the report stays a
// document to read, and within the memory of one process, whatever the data file holds.
constexpr std::size_t kListed = 1000;
constexpr std::size_t kMostPlans = 24;

std::vector<std::size_t> listed_checks(const FootingChecks& checks) {
  std::vector<std::size_t> listed;
  for (std::size_t i = 0; i < checks.checks.size() && listed.size() < kListed; ++i)
    if (checks.checks.size() <= kListed || checks.governing == i || fails(checks.checks[i]))
      listed.push_back(i);
  return listed;
}

// The combinations of the listed checks, in order.
std::vector<std::size_t> combinations_of(const FootingChecks& checks,
                                         std::span<const std::size_t> listed) {
  std::vector<std::size_t> combinations;
  for (std::size_t i : listed)
    if (combinations.empty() || combinations.back() != checks.checks[i].combination)
      combinations.push_back(checks.checks[i].combination);
  return combinations;
}

class DocumentBuilder {
 public:
  DocumentBuilder(const FootingCalculation& c, const ProgramIdentity& program)
      : c_(c),
        f_(c.footing),
        checks_(c.checks),
        program_(program),
        used_(used_by(f_, checks_)),
        listed_(listed_checks(checks_)),
        combinations_(combinations_of(checks_, listed_)) {}

  void title_block(std::string_view description, std::string_view today);
  void references();
  void method();
  void data();
  void actions_and_combinations();
  void results();
  void plans();
  void validation(std::span<const ValidationCase> cases);
  void conclusions();

  Document take() { return std::move(document_); }

 private:
  template <typename Block>
  void add(Block block) {
    document_.blocks.emplace_back(std::move(block));
  }
  void heading(std::size_t section) { add(Heading{1, std::string(kSectionTitles[section])}); }
  void subheading(std::string title) { add(Heading{2, std::move(title)}); }
  void paragraph(std::string_view markup, unsigned style = kPlain) { add(text(markup, style)); }
  std::string check_name(std::size_t index) const {
    return check_title(checks_, index, f_.conditions);
  }
  // A paragraph that says what a table of `listed` of `all` rows leaves out, if anything.
  void omitted(std::size_t listed, std::size_t all, std::string_view what);

  const FootingCalculation& c_;
  const Footing& f_;
  const FootingChecks& checks_;
  const ProgramIdentity& program_;
  const Used used_;
  // The checks and the combinations the tables list: all of them, or for a footing of more
  // than kListed checks the governing one and those not verified.
  const std::vector<std::size_t> listed_;
  const std::vector<std::size_t> combinations_;
  Document document_;
};

void DocumentBuilder::omitted(std::size_t listed, std::size_t all, std::string_view what) {
  if (listed == all) return;
  paragraph("La tabella riporta " + std::to_string(listed) + " " + std::string(what) + " su " +
            std::to_string(all) +
            ": la determinante e quelle non soddisfatte o non calcolabili, fino a " +
            std::to_string(kListed) +
            "; tutte le verifiche sono nella tabella CSV di fondara-calc --tabella.");
}

void DocumentBuilder::title_block(std::string_view description, std::string_view today) {
  const Project& p = c_.project;
  const std::string date = p.data.empty() ? std::string(today) : p.data;
  const std::string title = "Verifica delle fondazioni superficiali";
  const std::string element = p.elemento.empty() ? "" : " - " + p.elemento;
  const std::string program = std::string(program_.name) + " " + std::string(program_.version);
  document_.title = title + element;
  document_.header = (p.opera.empty() ? title : p.opera) + element;
  document_.footer = program + " - " + title;
  add(Paragraph{plain(program + " - relazione di calcolo geotecnica")});
  add(Heading{1, title});
  paragraph(
      "Verifiche agli stati limite ultimi di capacità portante e di scorrimento sul piano di "
      "posa (NTC 2018 §6.4.2.1 e §7.11.5.3.1; EN 1997-1 §6.5 e Appendice D).");
  TableBuilder block({Align::kLeft, Align::kLeft});
  for (const auto& [label, value] :
       {std::pair{"Opera", &p.opera}, std::pair{"Committente", &p.committente},
        std::pair{"Progettista", &p.progettista}, std::pair{"Elemento", &p.elemento},
        std::pair{"Data", &date}})
    block.row({cell(label, kBold), plain_cell(*value)});
  if (!description.empty())
    block.row({cell("Descrizione", kBold), plain_cell(std::string(description))});
  add(block.take());
}

void DocumentBuilder::references() {
  heading(0);
  for (std::string_view line :
       {"D.M. 17 gennaio 2018, Norme tecniche per le costruzioni (NTC 2018): §2.5 (combinazioni "
        "delle azioni), §6.2 e §6.4.2.1 (verifiche geotecniche delle fondazioni superficiali, "
        "Tab. 6.2.I, 6.2.II, 6.4.I), §7.11.5.3.1 (fondazioni superficiali in condizioni sismiche, "
        "Tab. 7.11.II), §10.2 (elaborazioni numeriche automatiche).",
        "Circolare 21 gennaio 2019, n. 7: C7.11.5.3.1 (coefficiente sismico kh del terreno).",
        "EN 1997-1 (Eurocodice 7): §6.5 (verifiche allo stato limite ultimo), §6.5.3 "
        "(scorrimento), §6.5.4 (carichi con grande eccentricità), Appendice A (coefficienti "
        "parziali), Appendice D (capacità portante: D.3 non drenata, D.4 drenata). EN 1990: "
        "§6.4.3.2 (6.10) e Tab. A1.2(B), A1.2(C).",
        "Paolucci R., Pecker A. (1997), Seismic bearing capacity of shallow strip foundations on "
        "dry soils, Soils and Foundations 37(3): fattori z dell'inerzia del terreno."})
    paragraph(line);
}

void DocumentBuilder::method() {
  heading(1);
  subheading("Area efficace");
  paragraph(
      "e_{B} = |M_{B}| / N,  e_{L} = |M_{L}| / N;  B' = B − 2·e_{B},  L' = L − 2·e_{L};  "
      "A' = B'·L';  H = √(H_{B}^{2} + H_{L}^{2}).");
  paragraph(
      "Con e_{B} > B/3 o e_{L} > L/3 la verifica non si esegue (EN 1997-1 §6.5.4). Con "
      "6·e_{B}/B + 6·e_{L}/L > 1 il carico cade fuori dal nocciolo centrale d'inerzia "
      "(base parzializzata). Se B' > L' i lati efficaci e le componenti orizzontali si "
      "scambiano.");
  if (used_.undrained) {
    subheading("Capacità portante in condizioni non drenate (EN 1997-1 D.3)");
    paragraph(
        "R/A' = (π + 2)·c_{u,d}·b_{c}·s_{c}·i_{c}·z_{c} + q,  con c_{u,d} = c_{u,k}/γ_{cu}, "
        "q = γ·D;");
    paragraph(
        "b_{c} = 1 − 2α/(π + 2);  s_{c} = 1 + 0,2·B'/L';  "
        "i_{c} = ½·(1 + √(1 − H/(A'·c_{u,d}))),  per H ≤ A'·c_{u,d}.");
  }
  if (used_.drained) {
    subheading("Capacità portante in condizioni drenate (EN 1997-1 D.4)");
    paragraph(
        "R/A' = c'_{d}·N_{c}·b_{c}·s_{c}·i_{c}·z_{c} + q'·N_{q}·b_{q}·s_{q}·i_{q}·z_{q} + "
        "½·γ'·B'·N_{γ}·b_{γ}·s_{γ}·i_{γ}·z_{γ},  con tan φ'_{d} = tan φ'_{k}/γ_{φ'}, "
        "c'_{d} = c'_{k}/γ_{c'};");
    paragraph(
        "N_{q} = e^{π·tan φ'd}·tan^{2}(45° + φ'_{d}/2);  N_{c} = (N_{q} − 1)·cot φ'_{d};  "
        "N_{γ} = 2·(N_{q} − 1)·tan φ'_{d};");
    paragraph(
        "b_{q} = b_{γ} = (1 − α·tan φ'_{d})^{2};  b_{c} = b_{q} − (1 − b_{q})/(N_{c}·tan "
        "φ'_{d});  s_{q} = 1 + (B'/L')·sin φ'_{d};  s_{γ} = 1 − 0,3·B'/L';  "
        "s_{c} = (s_{q}·N_{q} − 1)/(N_{q} − 1);");
    paragraph(
        "m_{B} = (2 + B'/L')/(1 + B'/L'),  m_{L} = (2 + L'/B')/(1 + L'/B'),  "
        "m = m_{L}·(H_{L'}/H)^{2} + m_{B}·(H_{B'}/H)^{2};  "
        "i_{q} = t^{m},  i_{γ} = t^{m+1},  i_{c} = i_{q} − (1 − i_{q})/(N_{c}·tan φ'_{d}),  "
        "con t = 1 − H/(N + A'·c'_{d}·cot φ'_{d}).");
    paragraph(
        "q' e γ' secondo la falda: z_{w} ≤ D: q' = γ·z_{w} + γ'·(D − z_{w}), γ' = γ_{sat} − "
        "γ_{w}; D < z_{w} < D + B': γ' interpolato tra γ_{sat} − γ_{w} e γ; altrimenti "
        "q' = γ·D e γ' = γ (γ_{w} = 9,81 kN/m^{3}).");
  }
  if (used_.inertia) {
    subheading("Inerzia del terreno nelle combinazioni sismiche (Paolucci e Pecker, 1997)");
    paragraph(
        "z_{q} = z_{γ} = (1 − k_{h}/tan φ'_{d})^{0,35},  z_{c} = 1 − 0,32·k_{h};  in "
        "condizioni non drenate il termine di q non si riduce. Nelle verifiche statiche "
        "z = 1.");
  }
  if (used_.sliding) {
    subheading("Scorrimento sul piano di posa (NTC 2018 §6.4.2.1; EN 1997-1 §6.5.3)");
    if (used_.drained)
      paragraph(
          "Condizioni drenate: R_{d,h} = N·tan δ_{d}/γ_{R,h},  δ_{d} = φ'_{cv,d} per una "
          "base gettata in opera, ⅔·φ'_{cv,d} per una base prefabbricata liscia.");
    if (used_.undrained)
      paragraph(
          "Condizioni non drenate: R_{d,h} = A'·c_{u,d}/γ_{R,h}, al più 0,4·N se acqua o "
          "aria raggiungono l'interfaccia.");
    paragraph("E_{d,h} = H;  U_{h} = E_{d,h}/R_{d,h}.");
  }
  subheading("Esiti");
  paragraph(
      "R_{d} = A'·(R/A')/γ_{R,v};  E_{d} = N;  U = E_{d}/R_{d}. Una verifica è VERIFICATA "
      "con U ≤ 1 e, con un carico orizzontale, U_{h} ≤ 1. La verifica determinante è quella "
      "con il maggiore tra U e U_{h}; la fondazione è verificata quando ogni verifica è "
      "calcolata e verificata.");
  subheading("Ipotesi e limiti");
  paragraph(
      "Fattori di EN 1997-1 Appendice D: nessun fattore di profondità né d'inclinazione del "
      "piano campagna, quindi il metodo non vale per una fondazione vicina a un pendio. Allo "
      "scorrimento si trascurano la coesione e la resistenza passiva sui lati. I pesi di "
      "volume non sono ridotti; la componente verticale del sisma non è considerata.");
  if (used_.drained_sliding && !f_.phi_cv_k) paragraph("φ'_{cv} non assegnato: δ da φ'_{k}.");
}

void DocumentBuilder::data() {
  heading(2);
  subheading("Fondazione e terreno");
  const bool drained = f_.conditions != Conditions::kUndrained;
  const bool undrained = f_.conditions != Conditions::kDrained;
  paragraph(f_.conditions == Conditions::kBoth
                ? "Condizioni drenate (lungo termine) e non drenate (breve termine): ogni "
                  "combinazione è verificata in entrambe."
            : drained ? "Condizioni drenate (lungo termine)."
                      : "Condizioni non drenate (breve termine).");
  TableBuilder table({Align::kLeft, Align::kLeft, Align::kRight, Align::kLeft});
  table.header({"Simbolo", "Grandezza", "Valore", "Unità"});
  const auto row = [&](std::string_view symbol, std::string_view meaning, std::string value,
                       std::string_view unit) {
    table.row({cell(symbol), cell(meaning), plain_cell(std::move(value)), cell(unit)});
  };
  row("B", "larghezza della fondazione", fixed_text(f_.B, 3), "m");
  row("L", "lunghezza della fondazione", fixed_text(f_.L, 3), "m");
  row("D", "profondità del piano di posa", fixed_text(f_.D, 3), "m");
  row("α", "inclinazione della base", two(f_.alpha), "°");
  if (drained) {
    row("φ'_{k}", "angolo di attrito caratteristico", two(f_.phi_k), "°");
    row("c'_{k}", "coesione drenata caratteristica", two(f_.c_k), "kPa");
  }
  if (undrained) row("c_{u,k}", "coesione non drenata caratteristica", two(f_.cu_k), "kPa");
  row("γ", "peso di volume del terreno", two(f_.gamma), "kN/m^{3}");
  if (drained && f_.zw) {
    row("z_{w}", "profondità della falda", fixed_text(*f_.zw, 3), "m");
    row("γ_{sat}", "peso di volume saturo", two(f_.gamma_sat), "kN/m^{3}");
  } else if (drained) {
    row("z_{w}", "profondità della falda", "nessuna falda", "");
  }
  if (f_.kh > 0 || used_.seismic)
    row("k_{h}", "coefficiente sismico del terreno", fixed_text(f_.kh, 3), "");
  if (drained) {
    row("φ'_{cv,k}", "angolo di attrito a volume costante",
        f_.phi_cv_k ? two(*f_.phi_cv_k) : "non assegnato (φ'k)", "°");
    row("δ", "base della fondazione",
        f_.precast ? "prefabbricata liscia (⅔ φ'cv,d)" : "gettata in opera (φ'cv,d)", "");
  }
  if (undrained)
    row("", "acqua o aria all'interfaccia", f_.water_at_interface ? "sì (R_d,h ≤ 0,4 N)" : "no",
        "");
  add(table.take());

  subheading("Coefficienti parziali applicati");
  TableBuilder sets(columns(1, 5));
  sets.header({"Insieme", "γ_{φ'}", "γ_{c'}", "γ_{cu}", "γ_{R,v}", "γ_{R,h}"});
  const auto set_row = [&](std::string_view use, const PartialFactorSet& set) {
    sets.row(
        {plain_cell(std::string(use) + std::string(set.name) + " [" + std::string(set.code) + "]"),
         plain_cell(two(set.gamma_phi)), plain_cell(two(set.gamma_c)),
         plain_cell(two(set.gamma_cu)), plain_cell(two(set.gamma_R_v)),
         plain_cell(two(set.gamma_R_h))});
  };
  if (used_.static_checks) set_row("Combinazioni statiche: ", f_.factors);
  if (used_.seismic) set_row("Combinazioni sismiche: ", factors_of(f_, Situation::kSeismic));
  add(sets.take());
  paragraph(
      "Sui valori caratteristici: tan φ'_{d} = tan φ'_{k}/γ_{φ'}, c'_{d} = c'_{k}/γ_{c'}, "
      "c_{u,d} = c_{u,k}/γ_{cu}. I carichi delle combinazioni sono valori di progetto.");
  if (!c_.actions.empty()) {
    const ActionFactors& a = f_.factors.actions;
    paragraph("Coefficienti sulle azioni (sfavorevole / favorevole): γ_{G1} " +
              two(a.G1_unfavourable) + " / " + two(a.G1_favourable) + ", γ_{G2} " +
              two(a.G2_unfavourable) + " / " + two(a.G2_favourable) + ", γ_{Q} " + two(a.Q) +
              " / 0,00; nelle combinazioni sismiche 1,00 e ψ_{2} sulle variabili.");
  }
}

void DocumentBuilder::actions_and_combinations() {
  heading(3);
  const auto& actions = c_.actions;
  if (!actions.empty()) {
    subheading("Azioni caratteristiche");
    TableBuilder table(columns(3, 7));
    table.header(
        {"Az.", "Nome", "Tipo", "ψ_{0}", "ψ_{2}", "N", "M_{B}", "M_{L}", "H_{B}", "H_{L}"});
    table.header({"", "", "", "", "", "kN", "kN·m", "kN·m", "kN", "kN"});
    for (std::size_t i = 0; i < actions.size(); ++i) {
      const Action& a = actions[i];
      const ActionTypeInfo& type = info(a.type);
      const bool variable = type.group == ActionGroup::kVariable;
      table.row({plain_cell(std::to_string(i + 1)), plain_cell(a.name),
                 plain_cell(std::string(type.code)), plain_cell(variable ? two(type.psi0) : ""),
                 plain_cell(variable ? two(type.psi2) : ""), plain_cell(two(a.N)),
                 plain_cell(two(a.MB)), plain_cell(two(a.ML)), plain_cell(two(a.HB)),
                 plain_cell(two(a.HL))});
    }
    add(table.take());
  }
  subheading("Combinazioni di carico di progetto");
  TableBuilder table(columns(3, 5), true);
  table.header({"Comb.", "Origine", "Situazione", "N", "M_{B}", "M_{L}", "H_{B}", "H_{L}"});
  table.header({"", "", "", "kN", "kN·m", "kN·m", "kN", "kN"});
  bool generated = false;
  for (const std::size_t i : combinations_) {
    const Combination& combination = checks_.combinations[i];
    const LoadCombination& l = combination.loads;
    generated |= combination.generated;
    table.row({plain_cell(std::to_string(i + 1)),
               plain_cell(combination.generated ? "generata" : "digitata"),
               plain_cell(std::string(situation_code(situation_of(f_, combination.loads)))),
               plain_cell(two(l.N)), plain_cell(two(l.MB)), plain_cell(two(l.ML)),
               plain_cell(two(l.HB)), plain_cell(two(l.HL))});
  }
  add(table.take());
  omitted(combinations_.size(), checks_.combinations.size(), "combinazioni");
  if (!generated) return;
  subheading("Coefficienti delle azioni nelle combinazioni generate");
  TableBuilder factors(columns(1, actions.size()), true);
  std::vector<Cell> header{cell("Comb.", kBold)};
  for (std::size_t i = 0; i < actions.size(); ++i)
    header.push_back(plain_cell("Az. " + std::to_string(i + 1), kBold));
  factors.header(std::move(header));
  for (const std::size_t i : combinations_) {
    const Combination& combination = checks_.combinations[i];
    if (!combination.generated) continue;
    std::vector<Cell> row{plain_cell(std::to_string(i + 1))};
    for (std::size_t a = 0; a < actions.size(); ++a)
      row.push_back(plain_cell(a < combination.factors.size() && combination.factors[a] != 0
                                   ? two(combination.factors[a])
                                   : ""));
    factors.row(std::move(row));
  }
  add(factors.take());
}

// The columns of the table of each check's factors, and when each is shown.
enum class Shown { kAlways, kInclined, kInertia, kDrainedSliding };
struct FactorColumn {
  std::string_view name;    // in kColumnNames
  std::string_view symbol;  // as a formula
  Shown when;
};
constexpr FactorColumn kFactorColumns[] = {
    {"A_eff", "A'", Shown::kAlways},
    {"q_eff", "q'", Shown::kAlways},
    {"Nq", "N_{q}", Shown::kAlways},
    {"Nc", "N_{c}", Shown::kAlways},
    {"Ngamma", "N_{γ}", Shown::kAlways},
    {"bq", "b_{q}", Shown::kInclined},
    {"bgamma", "b_{γ}", Shown::kInclined},
    {"bc", "b_{c}", Shown::kInclined},
    {"sq", "s_{q}", Shown::kAlways},
    {"sgamma", "s_{γ}", Shown::kAlways},
    {"sc", "s_{c}", Shown::kAlways},
    {"m", "m", Shown::kAlways},
    {"iq", "i_{q}", Shown::kAlways},
    {"igamma", "i_{γ}", Shown::kAlways},
    {"ic", "i_{c}", Shown::kAlways},
    {"zq", "z_{q}", Shown::kInertia},
    {"zgamma", "z_{γ}", Shown::kInertia},
    {"zc", "z_{c}", Shown::kInertia},
    {"delta_d", "δ_{d} (°)", Shown::kDrainedSliding},
};

// The compact name of a condition in a table.
std::string_view short_condition(Condition condition) {
  return condition == Condition::kDrained ? "dren." : "non dren.";
}

void DocumentBuilder::results() {
  heading(4);
  subheading("Riepilogo delle verifiche");
  paragraph(
      "Una riga per verifica; la verifica determinante è evidenziata e segnata con ★; "
      "le verifiche non soddisfatte hanno l'esito per esteso, in rosso.");
  std::vector<Align> align = columns(4, 9);
  align.push_back(Align::kLeft);
  TableBuilder summary(std::move(align), true);
  summary.header({"Ver.", "Comb.", "Sit.", "Cond.", "B'", "L'", "R/A'", "R_{d}", "E_{d}", "U",
                  "R_{d,h}", "E_{d,h}", "U_{h}", "Esito"});
  summary.header({"", "", "", "", "m", "m", "kPa", "kN", "kN", "", "kN", "kN", "", ""});
  std::vector<std::size_t> refused;
  for (const std::size_t i : listed_) {
    const Check& check = checks_.checks[i];
    const Combination& combination = checks_.combinations[check.combination];
    const bool governing = checks_.governing == i;
    const ColumnTexts t = column_texts(check.outcome);
    const auto value = [&](std::string_view name) {
      return plain_cell(t[column_index(name)], governing ? kBold : kPlain);
    };
    const bool not_verified = fails(check);
    if (!check.outcome) refused.push_back(i);
    std::vector<Cell> row{
        plain_cell((governing ? "★ " : "") + std::to_string(i + 1), governing ? kBold : kPlain),
        plain_cell(std::to_string(check.combination + 1)),
        plain_cell(std::string(situation_code(situation_of(f_, combination.loads)))),
        plain_cell(std::string(short_condition(check.condition))),
        value("B_eff"),
        value("L_eff"),
        value("R_A"),
        value("Rd"),
        value("Ed"),
        value("U"),
        value("Rd_h"),
        value("Ed_h"),
        value("U_h"),
        plain_cell(check.outcome ? t[column_index("esito")] : "NON CALCOLABILE",
                   (governing ? kBold : kPlain) | (not_verified ? kRed : kPlain))};
    if (governing)
      for (Cell& c : row) c.highlight = true;
    summary.row(std::move(row));
  }
  add(summary.take());
  omitted(listed_.size(), checks_.checks.size(), "verifiche");
  for (std::size_t i : refused)
    add(Paragraph{
        plain("Verifica " + std::to_string(i + 1) + " (" + check_name(i) +
                  "), non calcolabile: " + std::string(checks_.checks[i].outcome.error().message),
              kRed)});
  std::string notes;
  for (const std::size_t i : listed_)
    if (checks_.checks[i].outcome && checks_.checks[i].outcome->partial_base)
      notes += (notes.empty() ? "" : ", ") + std::to_string(i + 1);
  if (!notes.empty())
    add(
        Paragraph{plain("Base parzializzata (il carico cade fuori dal nocciolo centrale "
                        "d'inerzia) nelle verifiche " +
                        notes + ".")});

  subheading("Fattori di ogni verifica");
  const bool inclined = f_.alpha != 0;
  std::vector<const FactorColumn*> shown;
  for (const FactorColumn& column : kFactorColumns)
    if (column.when == Shown::kAlways || (column.when == Shown::kInclined && inclined) ||
        (column.when == Shown::kInertia && used_.inertia) ||
        (column.when == Shown::kDrainedSliding && used_.drained_sliding))
      shown.push_back(&column);
  TableBuilder factors(columns(1, shown.size()), true);
  std::vector<Cell> header{cell("Ver.", kBold)};
  for (const FactorColumn* column : shown) header.push_back(cell(column->symbol, kBold));
  factors.header(std::move(header));
  for (const std::size_t i : listed_) {
    const Check& check = checks_.checks[i];
    if (!check.outcome) continue;
    const ColumnTexts t = column_texts(check.outcome);
    std::vector<Cell> row{plain_cell(std::to_string(i + 1))};
    for (const FactorColumn* column : shown)
      row.push_back(plain_cell(t[column_index(column->name)]));
    factors.row(std::move(row));
  }
  add(factors.take());
  if (!inclined) paragraph("Base orizzontale (α = 0): b_{q} = b_{γ} = b_{c} = 1.");
  paragraph(
      "A' in m^{2}, q' in kPa. Nelle verifiche non drenate N_{c} = π + 2 e i fattori "
      "del solo termine di coesione.");
}

void DocumentBuilder::plans() {
  heading(5);
  paragraph(
      "Pianta in scala della fondazione B × L (L in orizzontale): il punto di applicazione "
      "del carico (×) dal lato indicato dai segni dei momenti, l'area efficace B' × L' (in "
      "grigio) e il nocciolo centrale d'inerzia (a tratti).");
  // One plan per combination: the effective area depends on the loads alone.
  // The governing check's first, then those not verified, up to kMostPlans combinations.
  std::map<std::size_t, std::vector<std::size_t>> drawn;
  if (checks_.governing)
    drawn[checks_.checks[*checks_.governing].combination].push_back(*checks_.governing);
  std::size_t left_out = 0;
  for (std::size_t i = 0; i < checks_.checks.size(); ++i) {
    const Check& check = checks_.checks[i];
    if (!fails(check) || checks_.governing == i) continue;
    if (drawn.size() < kMostPlans || drawn.contains(check.combination))
      drawn[check.combination].push_back(i);
    else
      ++left_out;
  }
  for (auto& [combination, checks] : drawn) std::sort(checks.begin(), checks.end());
  for (const auto& [combination, checks] : drawn) {
    std::string caption = "Combinazione " + std::to_string(combination + 1) + ", verific" +
                          (checks.size() > 1 ? "he " : "a ");
    bool computed = false;
    for (std::size_t k = 0; k < checks.size(); ++k) {
      const std::size_t i = checks[k];
      caption += (k > 0 ? ", " : "") + std::to_string(i + 1);
      if (checks_.governing == i) caption += " (determinante)";
      computed |= checks_.checks[i].outcome.ok();
    }
    const LoadCombination& loads = checks_.combinations[combination].loads;
    caption += ": B = " + fixed_text(f_.B, 3) + " m, L = " + fixed_text(f_.L, 3) +
               " m, e_B = " + fixed_text(std::abs(loads.MB / loads.N), 3) +
               " m, e_L = " + fixed_text(std::abs(loads.ML / loads.N), 3) + " m";
    if (!computed) caption += " (verifica non calcolabile: nessuna area efficace)";
    add(Figure{footing_plan(f_.B, f_.L, loads, computed), caption});
  }
  if (drawn.empty()) paragraph("Nessuna verifica calcolabile: nessuna pianta.");
  if (left_out > 0)
    paragraph("Le piante di altre " + std::to_string(left_out) +
              " verifiche non soddisfatte non sono riportate; i loro valori sono nel "
              "riepilogo e nella tabella CSV di fondara-calc --tabella.");
}

void DocumentBuilder::validation(std::span<const ValidationCase> cases) {
  heading(6);
  add(Paragraph{plain("Programma: " + std::string(program_.name) + ", versione " +
                      std::string(program_.version) + ", build " + std::string(program_.build) +
                      ". Metodo e riferimenti: capitoli 1 e 2.")});
  paragraph(
      "Casi di prova ricalcolati durante la scrittura di questa relazione: per ogni valore "
      "pubblicato (o dato da una formula) il valore calcolato ora dal programma, la "
      "differenza e la tolleranza. I dati di ogni caso sono nel file indicato, in "
      "/usr/share/fondara/validazione/, che si riapre con Fondara.");
  TableBuilder table({Align::kLeft, Align::kLeft, Align::kRight, Align::kRight, Align::kRight,
                      Align::kRight, Align::kLeft});
  table.header({"Caso e fonte", "Grandezza", "Pubblicato", "Calcolato", "Differenza", "Tolleranza",
                "Esito"});
  std::size_t outside = 0;
  const ValidationCase* previous = nullptr;
  for (const ValidationResult& result : recompute(cases)) {
    const ValidationValue& v = *result.value;
    const bool within = result.within();
    outside += within ? 0 : 1;
    const unsigned style = within ? kPlain : kRed;
    Cell name;
    if (result.from != previous) {
      name.runs = plain(std::string(result.from->name), kBold);
      name.runs.push_back(
          {"\n" + std::string(result.from->source) + "\nFile: " + std::string(result.from->file),
           kPlain});
    }
    previous = result.from;
    table.row(
        {std::move(name), cell(v.symbol, style), plain_cell(fixed_text(v.published, v.decimals)),
         plain_cell(result.computed ? fixed_text(*result.computed, v.decimals) : "-", style),
         plain_cell(
             result.computed ? fixed_text(*result.computed - v.published, v.decimals + 1) : "-",
             style),
         plain_cell(fixed_text(v.tolerance, v.decimals + 1)),
         plain_cell(within ? "entro la tolleranza" : std::string(kOutsideTolerance),
                    style | (within ? kPlain : kBold))});
  }
  add(table.take());
  if (outside == 0)
    paragraph("Ogni valore ricalcolato è entro la sua tolleranza.");
  else
    add(Paragraph{plain(std::to_string(outside) +
                            " valori ricalcolati sono FUORI TOLLERANZA: i risultati di questa "
                            "relazione non sono confermati dai casi di prova.",
                        kRed | kBold)});
}

void DocumentBuilder::conclusions() {
  heading(7);
  const bool verified = checks_.verdict.verified();
  add(Paragraph{plain(footing_verdict_line(checks_.verdict), kBold | (verified ? kPlain : kRed))});
  add(Paragraph{plain(governing_line(checks_, f_.conditions))});
  add(Paragraph{plain(std::to_string(checks_.checks.size()) + " verifiche su " +
                      std::to_string(checks_.combinations.size()) + " combinazioni.")});
  add(Signature{"Il progettista", c_.project.progettista});
}

}  // namespace

Document verification_document(const FootingCalculation& calculation, std::string_view description,
                               const ProgramIdentity& program, std::string_view today,
                               std::span<const ValidationCase> cases) {
  DocumentBuilder builder(calculation, program);
  builder.title_block(description, today);
  builder.references();
  builder.method();
  builder.data();
  builder.actions_and_combinations();
  builder.results();
  builder.plans();
  builder.validation(cases);
  builder.conclusions();
  return builder.take();
}

}  // namespace fondara::verifica
