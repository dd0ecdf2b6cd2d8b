// The fixed Italian texts of the save dialog and of the output channels' messages.
// The windows show these through their message box; nothing else spells them out.
#pragma once

namespace fondara::report {

// Shown after any failure of the printer channel.
inline constexpr char print_error_message[] = "Problema di stampa nella stampante utilizzata.";

// The save dialog's fixed settings.
inline constexpr char save_dialog_title[] = "VELDORA - salva file";
inline constexpr char save_dialog_filter[] = "file di testo (*.txt)";
// The second file type of the save dialog: the printed report as a PDF/A file.
inline constexpr char save_dialog_pdf_filter[] = "relazione PDF/A (*.pdf)";

// Shown when the PDF of a report cannot be made.
inline constexpr char pdf_error_message[] = "Impossibile preparare la relazione PDF/A.";

// The kinds of calculation window, named in the title of a report's PDF document.
inline constexpr char report_kind_coesivi[] = "terreni coesivi";
inline constexpr char report_kind_sciolti[] = "terreni sciolti";

}  // namespace fondara::report
