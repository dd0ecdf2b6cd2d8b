// The fixed Italian texts of the output channels' failures.
#pragma once

namespace fondara::output {

// Shown after any failure of the printer channel.
inline constexpr char print_error_message[] = "Problema di stampa nella stampante utilizzata.";

// Shown when the PDF of a report cannot be made.
inline constexpr char pdf_error_message[] = "Impossibile preparare la relazione PDF/A.";

}  // namespace fondara::output
