// The verification's calculation report as a typeset document (core/document.h), built from the
// typed results of one footing: the title block with the project, the references, the method's
// formulas and limits, the data, the actions and combinations, a summary row per check and each
// check's factors, the plans of the governing and the failing checks, the program's validation
// recomputed now, and the conclusions with the place to sign. The PDF/A file, the printer and the
// ODT file render it; the text report (verification_report.h) stays for plain text.
#pragma once

#include <span>
#include <string_view>

#include "core/document.h"
#include "verifica/kind.h"
#include "verifica/validation.h"

namespace fondara::verifica {

// What identifies the program that wrote the report (NTC 2018 §10.2).
struct ProgramIdentity {
  std::string_view name;     // "Fondara"
  std::string_view version;  // "3.0.0"
  std::string_view build;    // the source revision it was built from
};

// The report's section headings, in their order.
inline constexpr std::string_view kSectionTitles[] = {
    "1. Normativa e riferimenti",
    "2. Metodo",
    "3. Dati",
    "4. Azioni e combinazioni",
    "5. Risultati",
    "6. Pianta",
    "7. Affidabilità del codice di calcolo (NTC 2018 §10.2)",
    "8. Conclusioni",
};

// In the validation table, a value outside its tolerance (in red, and in these words).
inline constexpr std::string_view kOutsideTolerance = "FUORI TOLLERANZA";

// The document of `calculation` with `description`; `today` is the date when the project gives
// none; `cases` are recomputed for the validation section.
Document verification_document(const FootingCalculation& calculation, std::string_view description,
                               const ProgramIdentity& program, std::string_view today,
                               std::span<const ValidationCase> cases = validation_cases());

}  // namespace fondara::verifica
