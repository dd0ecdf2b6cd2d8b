// Output texts of the verification kind: numbers, verdicts and the note as the user reads them.
//
// Numbers are rounded to nearest with a fixed number of decimals and a decimal comma: eB, eL,
// B', L', A' 3; Nq, Nc, Nγ, the b, s, i factors and m 4; q', R/A', Rd, Ed, Rd,h, Ed,h 2; U, Uh 3.
// A value that does not apply is an empty text, not a zero. The window's result table, the
// terminal, the CSV columns and the report take their texts from here.
#pragma once

#include <algorithm>
#include <array>
#include <span>
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

// The result columns of one check, in the order of the kind's results: those of version 1, then
// the seismic factors, δd and the resistance factors applied.
inline constexpr std::array<std::string_view, 34> kColumnNames{
    "eB",     "eL",  "B_eff",  "L_eff",  "A_eff",   "Nq",       "Nc",      "Ngamma", "bq",
    "bgamma", "bc",  "sq",     "sgamma", "sc",      "m",        "iq",      "igamma", "ic",
    "q_eff",  "R_A", "Rd",     "Ed",     "U",       "Rd_h",     "Ed_h",    "U_h",    "esito",
    "nota",   "zq",  "zgamma", "zc",     "delta_d", "gamma_Rv", "gamma_Rh"};
using ColumnTexts = std::array<std::string, kColumnNames.size()>;

// The place of the column called `name` in kColumnNames (its size for no such column).
constexpr std::size_t column_index(std::string_view name) {
  return static_cast<std::size_t>(std::find(kColumnNames.begin(), kColumnNames.end(), name) -
                                  kColumnNames.begin());
}

// The texts of a computed check; `esito` is its verdict, `nota` the partial-base note.
ColumnTexts column_texts(const Verification& verification);

// The same for any outcome: a refused check has every column empty but `esito`, which holds
// the refusal's message.
ColumnTexts column_texts(const Outcome<Verification, Refusal>& outcome);

// The codes of the fields, as typed and written: "drenate", "sismica".
std::string_view condition_code(Condition condition);
std::string_view situation_code(Situation situation);
// In words, lower case: "condizioni drenate", "sismica".
std::string_view condition_words(Condition condition);

// "Combinazione 3", with "(generata, sismica)" for a generated or seismic one and, when the
// footing is checked in both conditions, ", condizioni drenate".
std::string check_title(const FootingChecks& checks, std::size_t check, Conditions conditions);

// A generated combination as a formula of the actions' names: "1,3·G1 + 1,5·Solaio - 0,3·Ey";
// factors rounded to two decimals without trailing zeros, the actions it leaves out omitted.
std::string combination_formula(const Combination& combination, std::span<const Action> actions);

// "VERIFICA DETERMINANTE: Combinazione 5, condizioni drenate (U = 0,812, Uh = 0,455)".
std::string governing_line(const FootingChecks& checks, Conditions conditions);

// "VERIFICATA", or "NON VERIFICATA (carico limite, non calcolabile)".
std::string footing_verdict_text(const FootingVerdict& verdict);
// "ESITO DELLA FONDAZIONE: " and the verdict.
std::string footing_verdict_line(const FootingVerdict& verdict);

// A double in the shortest text that reads back to it, with a decimal comma: the loads of a
// generated combination echoed as inputs.
std::string exact_text(double value);

}  // namespace fondara::verifica
