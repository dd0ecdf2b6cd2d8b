#include "undrained/campi_non_drenati.h"

#include <array>

namespace fondara {
namespace {

using Field = InputField<DatiNonDrenati>;

const std::array fields{
    Field{.text = {"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m", ""},
          .kind = FieldKind::number,
          .label = " Lunghezza della fondazione                                       L(m)",
          .number = &DatiNonDrenati::L},
    Field{.text = {"larghezza", "larghezza", "B", "larghezza della fondazione", "m",
                   "non maggiore di L"},
          .kind = FieldKind::number,
          .label = " Larghezza della fondazione (minore di L)                    B(m)",
          .number = &DatiNonDrenati::B},
    Field{.text = {"altezza", "altezza", "H", "altezza del rinterro dal piano di posa", "m", ""},
          .kind = FieldKind::number,
          .label = " Altezza rinterro dal piano posa fondazione                 H(m)",
          .number = &DatiNonDrenati::H},
    Field{.text = {"peso_terreno_rinterro", "peso_terreno_rinterro", "G1",
                   "peso specifico saturo del rinterro", "daN/m³", ""},
          .kind = FieldKind::number,
          .label = " Peso specifico saturo terreno di rinterro       G1(daN/m^3)",
          .number = &DatiNonDrenati::G1},
    Field{
        .text = {"coesione_non_drenata", "coesione_non_drenata", "cu", "coesione non drenata",
                 "daN/cm², bar", ""},
        .kind = FieldKind::number,
        .label =
            " Coesione non drenata caratt.        cu = qu/2 (daN/cm^2)   (dove: qu = resistenza a "
            "compressione libera)",
        .number = &DatiNonDrenati::cu},
    Field{.text = {"coefficiente_sicurezza", "coefficiente_sicurezza", "γR",
                   "coefficiente parziale di sicurezza alla resistenza", "", ""},
          .kind = FieldKind::number,
          .number = &DatiNonDrenati::YR,
          .fallback = "2,3"},
    Field{.text = {"descrizione", "txtDescrizione", "", "descrizione del calcolo", "",
                   "riportata nella relazione"},
          .kind = FieldKind::text,
          .fallback = ""},
};

const std::array results{
    ResultField<TestiNonDrenati>{{"qR", "Q_limite", "qR", "carico di rottura", "daN/cm², bar", ""},
                                 &TestiNonDrenati::Q_limite},
    ResultField<TestiNonDrenati>{
        {"qd", "Q_ammissibile", "qd", "carico di progetto", "daN/cm², bar", ""},
        &TestiNonDrenati::Q_ammissibile},
};

}  // namespace

std::span<const InputField<DatiNonDrenati>> undrained_fields() {
  return fields;
}

std::span<const ResultField<TestiNonDrenati>> undrained_results() {
  return results;
}

}  // namespace fondara
