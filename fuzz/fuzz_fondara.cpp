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
#include "input/number_text.h"
#include "undrained/calcolo_non_drenato.h"

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

void run_undrained(const std::vector<float>& in) {
  const auto outcome = CalcoloNonDrenato({in[0], in[1], in[2], in[3], in[4], in[5]});
  if (!outcome) {
    require(!failure_message(outcome.failure()).empty());
    return;
  }
  require(std::isfinite(outcome->qR) && std::isfinite(outcome->qd));
  const auto testi = testi_risultati(*outcome);
  check_texts({testi.Q_limite, testi.Q_ammissibile});
}

void run_drained(const std::vector<float>& in, bool falda) {
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto values = inputs_from(text);
  run_undrained(values);
  run_drained(values, size % 2 == 0);
  return 0;
}
