// Feeds arbitrary field texts and arbitrary numbers to the text-to-number reader,
// both calculations and their reports. Every input must give either results or a
// failure: no crash, no hang, no undefined behaviour, no non-finite result.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "drained/calcolo_drenato.h"
#include "drained/report_drenato.h"
#include "input/number_text.h"
#include "report/builder.h"
#include "report/statement.h"
#include "undrained/calcolo_non_drenato.h"
#include "undrained/report_non_drenato.h"

namespace {

using namespace fondara;

void require(bool condition) {
  if (!condition) std::abort();
}

// Eight inputs: each a field text when it is numeric, else its raw bit pattern
// (negative values, infinities and NaNs included).
std::vector<float> inputs_from(std::string_view data) {
  std::vector<float> values;
  std::size_t start = 0;
  while (values.size() < 8) {
    const std::size_t end = data.find('\n', start);
    const std::string_view field =
        data.substr(start, end == std::string_view::npos ? data.npos : end - start);
    if (const auto number = parse_number(field)) {
      require(std::isfinite(*number) && *number >= 0);
      values.push_back(*number);
    } else {
      float raw = 0;
      std::memcpy(&raw, field.data(), std::min(field.size(), sizeof raw));
      values.push_back(raw);
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  values.resize(8, 1.0f);
  return values;
}

void check_texts(const std::vector<std::string>& texts) {
  for (const auto& text : texts) require(!text.empty() && text.find('.') == std::string::npos);
}

// Both versions of a report: either statements that encode and write, or a failure.
template <typename Build>
void check_reports(Build&& build) {
  for (const auto version : {report::Version::file, report::Version::stampa}) {
    const report::Result result = build(version);
    if (!result) {
      require(!report::report_failure_message(result.failure()).empty());
      continue;
    }
    const std::string bytes = report::file_bytes(*result);
    require(bytes.size() >= 4 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0);
    require(!report::write_lines(*result).empty());
  }
}

void run_undrained(const std::vector<float>& in, std::string_view descrizione) {
  const auto outcome = CalcoloNonDrenato({in[0], in[1], in[2], in[3], in[4], in[5]});
  if (!outcome) {
    require(!failure_message(outcome.failure()).empty());
    return;
  }
  require(std::isfinite(outcome->qR) && std::isfinite(outcome->qd));
  const auto testi = testi_risultati(*outcome);
  check_texts({testi.Q_limite, testi.Q_ammissibile});
  const DatiNonDrenati dati{in[0], in[1], in[2], in[3], in[4], in[5]};
  check_reports([&](report::Version version) {
    return report_non_drenato(dati, *outcome, descrizione, version);
  });
}

void run_drained(const std::vector<float>& in, bool falda, std::string_view descrizione) {
  const auto outcome =
      CalcoloDrenato({in[0], in[1], in[2], in[3], in[4], in[5], in[6], in[7], falda});
  if (!outcome) {
    require(!failure_message(outcome.failure()).empty());
    return;
  }
  const ValoriDrenati& v = *outcome;
  for (float value : {v.z1, v.z2, v.z3, v.n1, v.n2, v.n3, v.s1, v.s2, v.s3, v.d2, v.d3, v.q1, v.q2,
                      v.q3, v.q_tot, v.qR, v.qd})
    require(std::isfinite(value));
  const auto testi = testi_risultati(v);
  check_texts({testi.NY, testi.Nq, testi.Nc, testi.Q_limite, testi.Q_ammissibile});
  check_reports([&](report::Version version) { return report_drenato(v, descrizione, version); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto values = inputs_from(text);
  // The whole input also serves as the description, any bytes included.
  run_undrained(values, text);
  run_drained(values, size % 2 == 0, text);
  return 0;
}
