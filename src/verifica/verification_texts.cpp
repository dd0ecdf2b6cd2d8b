#include "verifica/verification_texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>

namespace fondara::verifica {
namespace {

// Decimals of each kind of value.
constexpr int kLengthDecimals = 3;  // m, m²
constexpr int kFactorDecimals = 4;  // bearing, b, s, i factors and m
constexpr int kStressDecimals = 2;  // kPa
constexpr int kForceDecimals = 2;   // kN
constexpr int kUtilisationDecimals = 3;
constexpr int kAngleDecimals = 2;      // degrees
constexpr int kFactorSetDecimals = 2;  // the partial factors of a set

// The integer digits of the largest double (309), a sign and a decimal point.
constexpr std::size_t kFixedTextCapacity = 1 + 309 + 1 + kMaxDecimals;

constexpr std::size_t kVerdictColumn = column_index("esito");
static_assert(kVerdictColumn < kColumnNames.size());

// Builds the row in the order of kColumnNames; a name out of that order is a programming error.
class Row {
 public:
  void put(std::string_view name, std::string text) {
    if (next_ >= kColumnNames.size() || kColumnNames[next_] != name)
      programming_error("verification column out of order");
    texts_[next_++] = std::move(text);
  }
  ColumnTexts done() {
    if (next_ != kColumnNames.size()) programming_error("verification column missing");
    return std::move(texts_);
  }

 private:
  ColumnTexts texts_;
  std::size_t next_ = 0;
};

}  // namespace

std::string fixed_text(double value, int decimals) {
  if (!std::isfinite(value) || decimals < 0 || decimals > kMaxDecimals)
    programming_error("fixed_text of a value that is not finite or with too many decimals");
  std::array<char, kFixedTextCapacity> buffer;
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc{}) programming_error("fixed_text buffer too small");
  std::string text(buffer.data(), end);
  // -0,0004 and -0.0 round to zero: a zero has no sign.
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string_view verdict_text(Verdict verdict) {
  switch (verdict) {
    case Verdict::kVerified:
      return "VERIFICATA";
    case Verdict::kBearingFails:
      return "NON VERIFICATA (carico limite)";
    case Verdict::kSlidingFails:
      return "NON VERIFICATA (scorrimento)";
    case Verdict::kBearingAndSlidingFail:
      return "NON VERIFICATA (carico limite, scorrimento)";
  }
  programming_error("verdict without a text");
}

ColumnTexts column_texts(const Verification& v) {
  // An undrained check has only the cohesion term's factors (EN 1997-1 D.3); m and the sliding
  // values exist only with a horizontal load.
  const std::optional<DrainedTerms>& d = v.drained;
  const auto drained_text = [&d](double DrainedTerms::*member) {
    return d ? fixed_text((*d).*member, kFactorDecimals) : std::string();
  };
  const auto sliding_text = [&v](double Sliding::*member, int decimals) {
    return v.sliding ? fixed_text((*v.sliding).*member, decimals) : std::string();
  };
  const std::string m_text = d && d->m ? fixed_text(*d->m, kFactorDecimals) : std::string();
  Row row;
  row.put("eB", fixed_text(v.eB, kLengthDecimals));
  row.put("eL", fixed_text(v.eL, kLengthDecimals));
  row.put("B_eff", fixed_text(v.B_eff, kLengthDecimals));
  row.put("L_eff", fixed_text(v.L_eff, kLengthDecimals));
  row.put("A_eff", fixed_text(v.A_eff, kLengthDecimals));
  row.put("Nq", drained_text(&DrainedTerms::Nq));
  row.put("Nc", fixed_text(v.Nc, kFactorDecimals));
  row.put("Ngamma", drained_text(&DrainedTerms::Ngamma));
  row.put("bq", drained_text(&DrainedTerms::bq));
  row.put("bgamma", drained_text(&DrainedTerms::bgamma));
  row.put("bc", fixed_text(v.bc, kFactorDecimals));
  row.put("sq", drained_text(&DrainedTerms::sq));
  row.put("sgamma", drained_text(&DrainedTerms::sgamma));
  row.put("sc", fixed_text(v.sc, kFactorDecimals));
  row.put("m", m_text);
  row.put("iq", drained_text(&DrainedTerms::iq));
  row.put("igamma", drained_text(&DrainedTerms::igamma));
  row.put("ic", fixed_text(v.ic, kFactorDecimals));
  row.put("q_eff", fixed_text(v.q_eff, kStressDecimals));
  row.put("R_A", fixed_text(v.R_A, kStressDecimals));
  row.put("Rd", fixed_text(v.Rd, kForceDecimals));
  row.put("Ed", fixed_text(v.Ed, kForceDecimals));
  row.put("U", fixed_text(v.U, kUtilisationDecimals));
  row.put("Rd_h", sliding_text(&Sliding::Rd_h, kForceDecimals));
  row.put("Ed_h", sliding_text(&Sliding::Ed_h, kForceDecimals));
  row.put("U_h", sliding_text(&Sliding::U_h, kUtilisationDecimals));
  row.put("esito", std::string(verdict_text(v.verdict)));
  row.put("nota", v.partial_base ? std::string(kPartialBaseNote) : std::string());
  const std::optional<InertiaFactors>& z = v.inertia;
  const auto z_text = [](const std::optional<double>& value) {
    return value ? fixed_text(*value, kFactorDecimals) : std::string();
  };
  row.put("zq", z ? z_text(z->zq) : std::string());
  row.put("zgamma", z ? z_text(z->zgamma) : std::string());
  row.put("zc", z ? fixed_text(z->zc, kFactorDecimals) : std::string());
  row.put("delta_d", v.sliding && v.sliding->delta_d
                         ? fixed_text(*v.sliding->delta_d, kAngleDecimals)
                         : std::string());
  row.put("gamma_Rv", fixed_text(v.factors.gamma_R_v, kFactorSetDecimals));
  row.put("gamma_Rh", fixed_text(v.factors.gamma_R_h, kFactorSetDecimals));
  return row.done();
}

ColumnTexts column_texts(const Outcome<Verification, Refusal>& outcome) {
  if (outcome.ok()) return column_texts(outcome.value());
  ColumnTexts texts;
  texts[kVerdictColumn] = std::string(outcome.error().message);
  return texts;
}

std::string_view condition_code(Condition condition) {
  return condition == Condition::kDrained ? "drenate" : "non_drenate";
}

std::string_view situation_code(Situation situation) {
  return situation == Situation::kStatic ? "statica" : "sismica";
}

std::string_view condition_words(Condition condition) {
  return condition == Condition::kDrained ? "condizioni drenate" : "condizioni non drenate";
}

std::string check_title(const FootingChecks& checks, std::size_t index, Conditions conditions) {
  const Check& check = checks.checks[index];
  const Combination& combination = checks.combinations[check.combination];
  std::string title = "Combinazione " + std::to_string(check.combination + 1);
  std::string kind;
  if (combination.generated) kind = "generata";
  if (combination.loads.situation == Situation::kSeismic)
    kind += (kind.empty() ? "" : ", ") + std::string(situation_code(Situation::kSeismic));
  if (!kind.empty()) title += " (" + kind + ")";
  if (conditions == Conditions::kBoth)
    title += ", " + std::string(condition_words(check.condition));
  return title;
}

std::string combination_formula(const Combination& combination, std::span<const Action> actions) {
  std::string formula;
  for (std::size_t i = 0; i < actions.size() && i < combination.factors.size(); ++i) {
    const double factor = combination.factors[i];
    std::string number = fixed_text(std::abs(factor), 2);
    while (number.ends_with('0')) number.pop_back();
    if (number.ends_with(',')) number.pop_back();
    if (number == "0") continue;
    const std::string_view name =
        actions[i].name.empty() ? info(actions[i].type).code : std::string_view(actions[i].name);
    if (formula.empty())
      formula = factor < 0 ? "-" : "";
    else
      formula += factor < 0 ? " - " : " + ";
    formula += number + "·" + std::string(name);
  }
  return formula;
}

std::string governing_line(const FootingChecks& checks, Conditions conditions) {
  if (!checks.governing) return "VERIFICA DETERMINANTE: nessuna, nessuna verifica è calcolabile.";
  const Verification& v = *checks.checks[*checks.governing].outcome;
  std::string line =
      "VERIFICA DETERMINANTE: " + check_title(checks, *checks.governing, conditions) +
      " (U = " + fixed_text(v.U, kUtilisationDecimals);
  if (v.sliding) line += ", Uh = " + fixed_text(v.sliding->U_h, kUtilisationDecimals);
  return line + ")";
}

std::string footing_verdict_text(const FootingVerdict& verdict) {
  if (verdict.verified()) return "VERIFICATA";
  std::string failing;
  for (const auto& [fails, words] : {std::pair{verdict.bearing_fails, "carico limite"},
                                     std::pair{verdict.sliding_fails, "scorrimento"},
                                     std::pair{verdict.not_computable, "non calcolabile"}})
    if (fails) failing += (failing.empty() ? "" : ", ") + std::string(words);
  return "NON VERIFICATA (" + failing + ")";
}

std::string footing_verdict_line(const FootingVerdict& verdict) {
  return "ESITO DELLA FONDAZIONE: " + footing_verdict_text(verdict);
}

std::string exact_text(double value) {
  // Fixed notation, which the number fields read: no exponent, whatever the magnitude.
  std::array<char, 2 * kFixedTextCapacity> buffer;
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  if (error != std::errc{}) programming_error("exact_text buffer too small");
  std::string text(buffer.data(), end);
  if (text == "-0") text = "0";
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

}  // namespace fondara::verifica
