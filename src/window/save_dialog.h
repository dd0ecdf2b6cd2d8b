// The save dialog of the calculation windows and the seam that replaces it in tests.
//
// The dialog is Qt's own (non-native) file dialog in save mode: fixed title, two file
// types (the text report, the printed report as PDF/A), confirmation before an existing
// file is replaced, only names in an existing folder accepted, the name used as typed
// (no suffix added). It starts in the user's Documents folder, or in the home folder
// when there is none.
#pragma once

#include <QString>
#include <functional>
#include <utility>

class QWidget;

namespace fondara::window {

// The dialog's fixed settings: its title and the filters of its two file types.
inline constexpr char save_dialog_title[] = "VELDORA - salva file";
inline constexpr char save_dialog_filter[] = "file di testo (*.txt)";
inline constexpr char save_dialog_pdf_filter[] = "relazione PDF/A (*.pdf)";

// The file types of the save dialog: the text report, or the printed report as PDF/A.
enum class FileType { text, pdfa };

// The name and the file type chosen in the save dialog; an empty path means the user
// cancelled. A bare name converts to a choice of the text type.
struct SaveChoice {
  SaveChoice(QString chosen = {}, FileType chosen_type = FileType::text)  // NOLINT: implicit
      : path(std::move(chosen)), type(chosen_type) {}
  QString path;
  FileType type;
};

// Asks for the name and the type of the file to write.
using SaveChoiceProvider = std::function<SaveChoice(QWidget* parent)>;

// Shows the save dialog modally over `parent` and returns the chosen absolute path with
// the chosen file type, or an empty path when it was cancelled. The production
// SaveChoiceProvider.
SaveChoice ask_save_choice(QWidget* parent);

// The folder the dialog starts in: Documents when it exists, otherwise home.
QString initial_save_folder();

}  // namespace fondara::window
