// Feeds arbitrary field texts to every kind's calculation (from a window and from the
// terminal) and arbitrary float bit patterns to the two bearing-pressure calculations, with
// their reports. Every input must give either results or a problem: no crash, no hang, no
// undefined behaviour, no non-finite result.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "drained/calcolo_drenato.h"
#include "drained/drained_report.h"
#include "kinds/kinds.h"
#include "output/report_text.h"
#include "undrained/calcolo_non_drenato.h"
#include "undrained/undrained_report.h"
#include "verifica/verification.h"
#include "verifica/verification_texts.h"

namespace {

using namespace fondara;

void require(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string_view> lines_of(std::string_view data) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start <= data.size();) {
    const std::size_t end = std::min(data.find('\n', start), data.size());
    lines.push_back(data.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// `count` numbers: each line's raw bit pattern (negative values, infinities and NaNs
// included), then ones.
template <typename Number>
std::vector<Number> raw_values(const std::vector<std::string_view>& lines, std::size_t count) {
  std::vector<Number> values;
  for (std::string_view line : lines) {
    Number raw = 0;
    std::memcpy(&raw, line.data(), std::min(line.size(), sizeof raw));
    values.push_back(raw);
  }
  values.resize(count, Number{1});
  return values;
}

// Both versions of a report: either statements that encode and write, or a failure.
void check_report(const ReportOutcome& report) {
  if (!report) {
    require(!report_failure_message(report.error()).empty());
    return;
  }
  const std::string bytes = output::file_bytes(*report);
  require(bytes.size() >= 4 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0);
  require(!output::write_lines(*report).empty());
}

// The kind's fields from the lines in their order; the last line is the description.
void run_kind(const Kind& kind, const std::vector<std::string_view>& lines, Source source) {
  FieldTexts texts;
  for (std::size_t i = 0; i < kind.fields.size() && i < lines.size(); ++i)
    texts.emplace(kind.fields[i].text.name, lines[i]);
  const CalculationOutcome outcome = kind.compute(texts, source);
  if (!outcome) {
    require(!outcome.error().message.empty());
    return;
  }
  require(outcome->results.size() == kind.results.size());
  for (const std::string& text : outcome->results) require(text.find('.') == std::string::npos);
  for (const Version version : {Version::file, Version::printed})
    check_report(outcome->report(version, lines.back()));
}

void run_raw(const std::vector<float>& in, bool falda, std::string_view description) {
  const undrained::UndrainedInputs undrained_in{in[0], in[1], in[2], in[3], in[4], in[5]};
  if (const auto results = undrained::CalcoloNonDrenato(undrained_in)) {
    require(std::isfinite(results->qR) && std::isfinite(results->qd));
    for (const Version version : {Version::file, Version::printed})
      check_report(undrained::undrained_report(undrained_in, *results, description, version));
  }
  const drained::DrainedInputs drained_in{in[0], in[1], in[2], in[3], in[4],
                                          in[5], in[6], in[7], falda};
  if (const auto v = drained::CalcoloDrenato(drained_in)) {
    for (float value : {v->z1, v->z2, v->z3, v->n1, v->n2, v->n3, v->s1, v->s2, v->s3, v->d2, v->d3,
                        v->q1, v->q2, v->q3, v->q_tot, v->qR, v->qd})
      require(std::isfinite(value));
    for (const Version version : {Version::file, Version::printed})
      check_report(drained::drained_report(drained_in, *v, description, version));
  }
}

// Doubles from the lines' bit patterns: a footing, one load combination and two actions, checked
// by the verification. Each check is either a refusal or values that are all finite and can be
// written.
void run_verification(const std::vector<std::string_view>& lines) {
  const std::vector<double> v = raw_values<double>(lines, 27);
  verifica::Footing footing;
  footing.conditions = static_cast<verifica::Conditions>(lines.size() % 3);
  footing.B = v[0], footing.L = v[1], footing.D = v[2], footing.alpha = v[3], footing.phi_k = v[4];
  footing.c_k = v[5], footing.cu_k = v[6], footing.gamma = v[7], footing.gamma_sat = v[8];
  if (lines.size() % 4 == 0) footing.zw = v[9];
  footing.kh = v[15];
  footing.gamma_R_seismic = lines.size() % 5 ? 2.3 : 1.8;
  if (lines.size() % 7 == 0) footing.phi_cv_k = v[16];
  footing.precast = lines.size() % 11 == 0;
  footing.water_at_interface = lines.size() % 13 == 0;
  footing.factors =
      verifica::kPartialFactorSets[lines.size() % verifica::kPartialFactorSets.size()];
  const verifica::LoadCombination loads{
      v[10], v[11], v[12], v[13], v[14], static_cast<verifica::Situation>(lines.size() % 2)};
  const std::vector<verifica::Action> actions = {
      {"", static_cast<verifica::ActionType>(lines.size() % 16), v[17], v[18], v[19], v[20], v[21]},
      {"", static_cast<verifica::ActionType>(lines.size() / 2 % 16), v[22], v[23], v[24], v[25],
       v[26]}};
  const auto checked = verifica::check_footing(footing, actions, {&loads, 1});
  if (!checked) {
    require(!checked.error().message.empty());
    return;
  }
  for (const verifica::Check& check : checked->checks) {
    const auto& outcome = check.outcome;
    if (!outcome) {
      require(!outcome.error().message.empty());
      continue;
    }
    for (double value : {outcome->eB, outcome->eL, outcome->B_eff, outcome->L_eff, outcome->A_eff,
                         outcome->R_A, outcome->Rd, outcome->U})
      require(std::isfinite(value));
    for (const std::string& text : verifica::column_texts(*outcome))
      require(text.find('.') == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto lines = lines_of(text);
  for (const Kind* kind : kinds())
    for (const Source source : {Source::window, Source::terminal}) run_kind(*kind, lines, source);
  run_raw(raw_values<float>(lines, 8), size % 2 == 0, text);
  run_verification(lines);
  return 0;
}
