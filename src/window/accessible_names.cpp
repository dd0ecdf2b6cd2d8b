#include "window/accessible_names.h"

namespace fondara::window {
namespace {

struct Entry {
  std::string_view control;
  const char* name;  // UTF-8
};

// The same control name means the same thing in every calculation window.
constexpr Entry names[] = {
    {"Picture1", "Sezione della fondazione nel rinterro"},
    {"calcola", "Calcola"},
    {"stampa", "Stampa la relazione di calcolo"},
    {"salva", "Salva la relazione di calcolo"},
    {"chiudi", "Chiudi il programma"},
};

}  // namespace

QString accessible_name(std::string_view control) {
  for (const Entry& entry : names)
    if (entry.control == control) return QString::fromUtf8(entry.name);
  return {};
}

}  // namespace fondara::window
