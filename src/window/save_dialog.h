// The save dialog of the calculation windows and the seam that replaces it in tests.
//
// The dialog is Qt's own (non-native) file dialog in save mode: fixed title, the file
// types of save_types, confirmation before an existing file is replaced, only names in
// an existing folder accepted. A name without an extension takes the chosen type's (and
// the confirmation asks about that name); a name whose extension is a type's (".txt",
// ".pdf", ".odt", ".fondara", in any case) is of that type, whichever type is chosen. It starts in
// the user's Documents folder, or in the home folder when there is none, or where the window
// last opened or saved a file (start_folder).
#pragma once

#include <QString>
#include <functional>
#include <utility>

#include "window/messages.h"

class QWidget;

namespace fondara::window {

using texts::save_dialog_title;

// What Save writes: the text report, the printed (or typeset) report as PDF/A or as an ODT
// document, or the calculation's data.
enum class FileType { text, pdfa, odt, data };

// A file type of the save dialog.
struct SaveType {
  const char* description;  // UTF-8; listed with its extension: "file di testo (*.txt)"
  const char* extension;    // without the dot
  FileType type;
};

// The dialog's file types, in the order of its list; the first is chosen when it opens.
inline constexpr SaveType save_types[] = {
    {texts::text_type, "txt", FileType::text},
    {texts::pdfa_type, "pdf", FileType::pdfa},
    {texts::data_type, "fondara", FileType::data},
    {texts::odt_type, "odt", FileType::odt},
};

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
// its file type, or an empty path when it was cancelled. The production
// SaveChoiceProvider.
SaveChoice ask_save_choice(QWidget* parent);

// The folder the dialog starts in: Documents when it exists, otherwise home.
QString initial_save_folder();

// The folder a file dialog over `parent` starts in: the folder of the last file its window
// opened or saved, where the window remembers one (remember_folder), otherwise
// initial_save_folder(). The designed windows remember none: their dialog's folder is fixed.
QString start_folder(const QWidget* parent);
void remember_folder(QWidget& window, const QString& file);

}  // namespace fondara::window
