#include "drained/campi_drenati.h"

#include <array>

namespace fondara {
namespace {

using Field = InputField<DatiDrenati>;
using Result = ResultField<TestiDrenati>;

const std::array fields{
    Field{.text = {"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m", ""},
          .kind = FieldKind::number,
          .label =
              " Lunghezza della fondazione                                         L(m)            "
              "               L =",
          .number = &DatiDrenati::L},
    Field{.text = {"larghezza", "larghezza", "B", "larghezza della fondazione", "m",
                   "non maggiore di L"},
          .kind = FieldKind::number,
          .label = " Larghezza della fondazione,                                         B(m)",
          .number = &DatiDrenati::B},
    Field{.text = {"altezza", "altezza", "H", "altezza del rinterro dal piano di posa", "m", ""},
          .kind = FieldKind::number,
          .label = " Altezza del rinterro dal piano di posa fondazione,         H(m)",
          .number = &DatiDrenati::H},
    Field{.text = {"angolo", "angolo", "φ'", "angolo di attrito del terreno di fondazione", "gradi",
                   "minore di 90"},
          .kind = FieldKind::number,
          .label = " Angolo di attrito caratt. terreno fondazione,              ' (gradi)",
          .number = &DatiDrenati::phi},
    Field{.text = {"coesione_drenata", "coesione_drenata", "c'",
                   "coesione drenata del terreno di fondazione", "daN/cm², bar", ""},
          .kind = FieldKind::number,
          .label = " Coesione drenata caratt. terreno fondaz.,     c' (daN/cm^2)",
          .number = &DatiDrenati::c},
    Field{.text = {"peso_terreno_fondazione", "peso_terreno_fondazione", "G",
                   "peso specifico saturo del terreno di fondazione", "daN/m³", ""},
          .kind = FieldKind::number,
          .label = " Peso specifico saturo terreno fondazione,      G (daN/m^3)",
          .number = &DatiDrenati::G},
    Field{.text = {"peso_terreno_rinterro", "peso_terreno_rinterro", "G1",
                   "peso specifico saturo del rinterro", "daN/m³", ""},
          .kind = FieldKind::number,
          .label = " Peso specifico saturo rinterro fondazione,    G1 (daN/m^3)",
          .number = &DatiDrenati::G1},
    Field{.text = {"coefficiente_sicurezza", "coefficiente_sicurezza", "γR",
                   "coefficiente parziale di sicurezza alla resistenza", "", ""},
          .kind = FieldKind::number,
          .number = &DatiDrenati::YR,
          .fallback = "2,3"},
    Field{.text = {"falda", "", "", "terreno di fondazione sotto falda", "", "SI oppure NO"},
          .kind = FieldKind::water_table,
          .flag = &DatiDrenati::falda,
          .fallback = "NO"},
    Field{.text = {"descrizione", "txtDescrizione", "", "descrizione del calcolo", "",
                   "riportata nella relazione"},
          .kind = FieldKind::text,
          .fallback = ""},
};

const std::array results{
    Result{{"NY", "NY", "NY", "fattore di portanza", "", ""}, &TestiDrenati::NY},
    Result{{"Nq", "Nq", "Nq", "fattore di portanza", "", ""}, &TestiDrenati::Nq},
    Result{{"Nc", "Nc", "Nc", "fattore di portanza", "", ""}, &TestiDrenati::Nc},
    Result{{"qR", "Q_limite", "qR", "carico di rottura", "daN/cm², bar", ""},
           &TestiDrenati::Q_limite},
    Result{{"qd", "Q_ammissibile", "qd", "carico di progetto", "daN/cm², bar", ""},
           &TestiDrenati::Q_ammissibile},
};

}  // namespace

std::span<const InputField<DatiDrenati>> drained_fields() {
  return fields;
}

std::span<const ResultField<TestiDrenati>> drained_results() {
  return results;
}

}  // namespace fondara
