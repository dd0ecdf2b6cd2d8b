// The save dialog of both calculation windows and the seam that replaces it in tests.
//
// The dialog is Qt's own (non-native) file dialog in save mode: fixed title and filter,
// confirmation before an existing file is replaced, only names in an existing folder
// accepted, the name used as typed (no suffix added). It starts in the user's Documents
// folder, or in the home folder when there is none.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace fondara::report {

// Asks for the name of the file to write; an empty string means the user cancelled.
using FileNameProvider = std::function<QString(QWidget* parent)>;

// Shows the save dialog modally over `parent` and returns the chosen absolute path,
// or an empty string when it was cancelled. The production FileNameProvider.
QString ask_save_file_name(QWidget* parent);

// The folder the dialog starts in: Documents when it exists, otherwise home.
QString initial_save_folder();

}  // namespace fondara::report
