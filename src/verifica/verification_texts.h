// Output texts of the verification kind: numbers, verdicts and the note as the user reads them.
//
// Numbers are rounded to nearest with a fixed number of decimals and a decimal comma: eB, eL,
// B', L', A' 3; Nq, Nc, Nγ, the b, s, i factors and m 4; q', R/A', Rd, Ed, Rd,h, Ed,h 2; U, Uh 3.
// A value that does not apply is an empty text, not a zero. The window's result table, the
// terminal, the CSV columns and the report take their texts from here.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "core/outcome.h"
#include "verifica/verification.h"

namespace fondara::verifica {

// `value` rounded to nearest with exactly `decimals` decimals (an exact binary tie goes to the
// even digit), a decimal comma, no thousands separators; a value that rounds to zero has no
// sign. A value that is not finite, or decimals outside 0..kMaxDecimals, is a programming error.
inline constexpr int kMaxDecimals = 20;
std::string fixed_text(double value, int decimals);

std::string_view verdict_text(Verdict verdict);

inline constexpr std::string_view kPartialBaseNote =
    "Base parzializzata: il carico cade fuori dal nocciolo centrale d'inerzia.";

// The result columns of one combination, in the order of the CSV header.
inline constexpr std::array<std::string_view, 28> kColumnNames{
    "eB", "eL", "B_eff",  "L_eff", "A_eff", "Nq",  "Nc",     "Ngamma", "bq",    "bgamma",
    "bc", "sq", "sgamma", "sc",    "m",     "iq",  "igamma", "ic",     "q_eff", "R_A",
    "Rd", "Ed", "U",      "Rd_h",  "Ed_h",  "U_h", "esito",  "nota"};
using ColumnTexts = std::array<std::string, kColumnNames.size()>;

// The place of the column called `name` in kColumnNames (its size for no such column).
constexpr std::size_t column_index(std::string_view name) {
  return static_cast<std::size_t>(std::find(kColumnNames.begin(), kColumnNames.end(), name) -
                                  kColumnNames.begin());
}

// The texts of a verified combination; `esito` is its verdict, `nota` the partial-base note.
ColumnTexts column_texts(const Verification& verification);

// The same for any outcome: a refused combination has every column empty but `esito`, which
// holds the refusal's message.
ColumnTexts column_texts(const Outcome<Verification, Refusal>& outcome);

}  // namespace fondara::verifica
