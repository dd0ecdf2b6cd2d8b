#include <array>

#include "core/bearing_report.h"
#include "core/field_reader.h"
#include "core/number_text.h"
#include "undrained/calcolo_non_drenato.h"
#include "undrained/kind.h"
#include "undrained/undrained_report.h"

namespace fondara::undrained {
namespace {

// In the order Calculate reads them and the emptiness test looks at them.
const std::array fields{
    Field{.text = {"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m"},
          .label = " Lunghezza della fondazione                                       L(m)"},
    Field{.text = {"larghezza", "larghezza", "B", "larghezza della fondazione", "m",
                   "non maggiore di L"},
          .label = " Larghezza della fondazione (minore di L)                    B(m)"},
    Field{.text = {"altezza", "altezza", "H", "altezza del rinterro dal piano di posa", "m"},
          .label = " Altezza rinterro dal piano posa fondazione                 H(m)"},
    Field{.text = {"peso_terreno_rinterro", "peso_terreno_rinterro", "G1",
                   "peso specifico saturo del rinterro", "daN/m³"},
          .label = " Peso specifico saturo terreno di rinterro       G1(daN/m^3)"},
    Field{.text = {"coesione_non_drenata", "coesione_non_drenata", "cu", "coesione non drenata",
                   "daN/cm², bar"},
          .label = " Coesione non drenata caratt.        cu = qu/2 (daN/cm^2)   (dove: qu = "
                   "resistenza a compressione libera)"},
    Field{.text = {"coefficiente_sicurezza", "coefficiente_sicurezza", "γR",
                   "coefficiente parziale di sicurezza alla resistenza", ""},
          .fallback = kYRApproccio2Text},
    Field{.text = {"descrizione", "txtDescrizione", "", "descrizione del calcolo", "",
                   "riportata nella relazione"},
          .type = FieldType::text,
          .fallback = ""},
};

constexpr std::string_view kPressure = " daN/cm^2 (bar)";

const std::array results{
    ResultField{{"qR", "Q_limite", "qR", "carico di rottura", "daN/cm², bar"},
                "CARICO DI ROTTURA:    qR =",
                kPressure},
    ResultField{{"qd", "Q_ammissibile", "qd", "carico di progetto", "daN/cm², bar"},
                "CARICO DI PROGETTO:   qd =",
                kPressure},
};

CalculationOutcome calculate(const CalculationData& data) {
  FieldReader read(fields, data.texts, data.source);
  UndrainedInputs in;
  in.L = read.number("lunghezza");
  in.B = read.number("larghezza");
  in.H = read.number("altezza");
  in.G1 = read.number("peso_terreno_rinterro");
  in.cu = read.number("coesione_non_drenata");
  in.YR = read.number("coefficiente_sicurezza");
  std::string descrizione = read.description();
  if (read.problem()) return Failed{*read.problem()};
  return bearing_calculation(
      in, std::move(descrizione), CalcoloNonDrenato,
      [](const UndrainedResults& out) {
        return std::vector<std::string>{general_text(out.qR), general_text(out.qd)};
      },
      undrained_report);
}

const Kind kind{
    .name = "coesivi",
    .summary = "terreni argillosi, limosi, coesivi a breve termine (condizioni non drenate)",
    .title = "terreni coesivi",
    .fields = fields,
    .results = results,
    .calculate = calculate,
};

}  // namespace

const Kind& undrained_kind() {
  return kind;
}

}  // namespace fondara::undrained
