// The core's texts that the user reads, in one place: why a calculation or a report failed,
// why a field's text was refused, why a description cannot be reported, why a data file
// cannot be opened. Italian, UTF-8; each function builds one message from its parts (the
// user's own text comes in already quoted by safe_quoted). The kinds' captions, help and
// reports live in each kind's tables; the other layers have their own messages file.
#pragma once

#include <string>
#include <string_view>

#include "core/calculation.h"

namespace fondara::messages {

// Field reading (core/field_reader.h).
std::string missing_field(std::string_view name, std::string_view help);
std::string not_a_number(std::string_view name, std::string_view quoted);
std::string ambiguous_number(std::string_view name, std::string_view quoted,
                             std::string_view thousands, std::string_view decimal);
std::string refused_choice(std::string_view name, std::string_view alternatives,
                           std::string_view quoted);

// A description typed at the terminal (core/user_text.h).
inline constexpr std::string_view description_not_utf8 = "La descrizione non è testo UTF-8 valido.";
inline constexpr std::string_view description_control =
    "La descrizione non può contenere a capo, tabulazioni o altri caratteri di controllo.";
inline constexpr std::string_view description_c1 =
    "La descrizione non può contenere caratteri di controllo C1 (da U+0080 a U+009F).";
inline constexpr std::string_view description_direction =
    "La descrizione non può contenere caratteri che cambiano la direzione del testo "
    "(da U+202A a U+202E, da U+2066 a U+2069).";

// A file that cannot be opened as a calculation's data (core/data_file.h); lower case, to
// follow "Impossibile aprire il file "NAME": ".
std::string open_failure(std::string_view quoted_name, std::string_view cause, std::size_t line);
std::string not_data(bool text_report);
inline constexpr std::string_view pdf_without_data =
    "è un PDF senza i dati di Fondara: si aprono i file di dati di Fondara (.fondara) e le "
    "relazioni PDF/A salvate da Fondara";
inline constexpr std::string_view pdf_unreadable = "è un PDF danneggiato o illeggibile";
inline constexpr std::string_view pdf_password = "è un PDF protetto da una password";
std::string pdf_metadata_too_large(std::size_t mebibytes);
std::string too_large(std::size_t mebibytes);
inline constexpr std::string_view not_text = "non è un file di testo";
std::string later_version(int version);
inline constexpr std::string_view truncated = "è troncato";
inline constexpr std::string_view not_name_value = "la riga non ha la forma nome=valore";
inline constexpr std::string_view bad_escape = "sequenza di escape non valida";
std::string line_missing(std::string_view name, bool before_fields = false);
std::string line_repeated(std::string_view name);
std::string unknown_name(std::string_view quoted, std::string_view kind);
std::string field_repeated(std::string_view name);
std::string unknown_kind(std::string_view quoted);
std::string unknown_source(std::string_view quoted, std::string_view window,
                           std::string_view terminal);
// A combination line holds the fields of the first version (`fewest`) and may hold the later.
std::string combination_size(std::size_t given, std::size_t fewest, std::size_t most);
std::string action_size(std::size_t given, std::size_t expected);
std::string field_missing(std::string_view name);

}  // namespace fondara::messages
