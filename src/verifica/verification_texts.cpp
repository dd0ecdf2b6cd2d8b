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
  return row.done();
}

ColumnTexts column_texts(const Outcome<Verification, Refusal>& outcome) {
  if (outcome.ok()) return column_texts(outcome.value());
  ColumnTexts texts;
  texts[kVerdictColumn] = std::string(outcome.error().message);
  return texts;
}

}  // namespace fondara::verifica
