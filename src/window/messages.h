// The window layer's own texts in one place: the save and open dialogs' titles and file types,
// the messages of Save and of a file that cannot be opened in a window. Italian, UTF-8. The
// windows' captions are in their designs and kinds' tables; the message box's title is the
// program's name.
#pragma once

namespace fondara::window::texts {

inline constexpr char save_dialog_title[] = "VELDORA - salva file";
inline constexpr char text_type[] = "file di testo";
inline constexpr char pdfa_type[] = "relazione PDF/A";
inline constexpr char odt_type[] = "documento ODT";
inline constexpr char data_type[] = "dati del calcolo";

inline constexpr char open_dialog_title[] = "Fondara - apri file";
// The open dialog's filters: data files and PDF reports, together and each alone.
inline constexpr char open_dialog_filters[] =
    "dati del calcolo e relazioni PDF/A (*.fondara *.pdf);;dati del calcolo (*.fondara);;"
    "relazione PDF/A (*.pdf)";

// %1: the folder.
inline constexpr char missing_folder[] =
    "La cartella \"%1\" non esiste.\nVerificare il percorso indicato.";
// %1: the file, %2: the cause.
inline constexpr char write_failure[] = "Impossibile scrivere il file \"%1\": %2.";

// Causes of an opened file whose value a window cannot show whole, after "Impossibile aprire
// il file "NAME": ". %1: the field's name, %2: the value's characters, %3: the most a number
// field holds.
inline constexpr char value_too_long[] =
    "il valore di %1 ha %2 caratteri, più dei %3 che il campo della finestra contiene";
// %1: the field's name, %2: the value, quoted.
inline constexpr char value_not_a_number[] = "il valore di %1 non è un numero: %2";
// %1: the file.
inline constexpr char not_started[] =
    "Impossibile aprire il file \"%1\" in un nuovo Fondara: il programma non si avvia.";

}  // namespace fondara::window::texts
