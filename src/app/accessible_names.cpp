#include "app/accessible_names.h"

#include <cstring>
#include <iterator>

namespace fondara::app {
namespace {

struct Entry {
  const char* control;
  const char* name;  // UTF-8
};

// The same control name means the same quantity in both calculation windows.
constexpr Entry names[] = {
    {"txtDescrizione", "Descrizione del calcolo"},
    {"lunghezza", "Lunghezza della fondazione L (m)"},
    {"larghezza", "Larghezza della fondazione B (m)"},
    {"altezza", "Altezza del rinterro dal piano di posa H (m)"},
    {"angolo", "Angolo di attrito del terreno di fondazione φ' (gradi)"},
    {"coesione_drenata", "Coesione drenata del terreno di fondazione c' (daN/cm², bar)"},
    {"coesione_non_drenata", "Coesione non drenata cu (daN/cm², bar)"},
    {"peso_terreno_fondazione", "Peso specifico saturo del terreno di fondazione G (daN/m³)"},
    {"peso_terreno_rinterro", "Peso specifico saturo del rinterro G1 (daN/m³)"},
    {"coefficiente_sicurezza", "Coefficiente parziale di sicurezza alla resistenza γR"},
    {"Option1", "Terreno di fondazione sotto falda: SI"},
    {"Option2", "Terreno di fondazione sotto falda: NO"},
    {"NY", "Fattore di portanza NY"},
    {"Nq", "Fattore di portanza Nq"},
    {"Nc", "Fattore di portanza Nc"},
    {"Q_limite", "Carico di rottura qR (daN/cm², bar)"},
    {"Q_ammissibile", "Carico di progetto qd (daN/cm², bar)"},
    {"Picture1", "Sezione della fondazione nel rinterro"},
    {"calcola", "Calcola"},
    {"stampa", "Stampa la relazione di calcolo"},
    {"salva", "Salva la relazione di calcolo"},
    {"chiudi", "Chiudi il programma"},
    {"cmdHelpGT", "Informazioni sul peso specifico del rinterro G1"},
};

}  // namespace

QString accessible_name(const char* control) {
  for (const Entry& entry : names)
    if (std::strcmp(entry.control, control) == 0) return QString::fromUtf8(entry.name);
  return {};
}

}  // namespace fondara::app
