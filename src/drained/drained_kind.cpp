#include <array>
#include <cmath>

#include "core/bearing_report.h"
#include "core/field_reader.h"
#include "core/number_text.h"
#include "drained/calcolo_drenato.h"
#include "drained/drained_report.h"
#include "drained/kind.h"

namespace fondara::drained {
namespace {

const Choice water_table[] = {{"SI"}, {"NO"}};

// In the order Calculate reads them and the emptiness test looks at them.
const std::array fields{
    Field{.text = {"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m"},
          .label =
              " Lunghezza della fondazione                                         L(m)            "
              "               L ="},
    Field{.text = {"larghezza", "larghezza", "B", "larghezza della fondazione", "m",
                   "non maggiore di L"},
          .label = " Larghezza della fondazione,                                         B(m)"},
    Field{.text = {"altezza", "altezza", "H", "altezza del rinterro dal piano di posa", "m"},
          .label = " Altezza del rinterro dal piano di posa fondazione,         H(m)"},
    Field{.text = {"angolo", "angolo", "φ'", "angolo di attrito del terreno di fondazione", "gradi",
                   "minore di 90"},
          .label = " Angolo di attrito caratt. terreno fondazione,              ' (gradi)"},
    Field{.text = {"coesione_drenata", "coesione_drenata", "c'",
                   "coesione drenata del terreno di fondazione", "daN/cm², bar"},
          .label = " Coesione drenata caratt. terreno fondaz.,     c' (daN/cm^2)"},
    Field{.text = {"peso_terreno_fondazione", "peso_terreno_fondazione", "G",
                   "peso specifico saturo del terreno di fondazione", "daN/m³"},
          .label = " Peso specifico saturo terreno fondazione,      G (daN/m^3)"},
    Field{.text = {"peso_terreno_rinterro", "peso_terreno_rinterro", "G1",
                   "peso specifico saturo del rinterro", "daN/m³"},
          .label = " Peso specifico saturo rinterro fondazione,    G1 (daN/m^3)"},
    Field{.text = {"coefficiente_sicurezza", "coefficiente_sicurezza", "γR",
                   "coefficiente parziale di sicurezza alla resistenza", ""},
          .fallback = kYRApproccio2Text},
    Field{.text = {"falda", "", "", "terreno di fondazione sotto falda", "", "SI oppure NO"},
          .type = FieldType::choice,
          .fallback = "NO",
          .choices = water_table},
    Field{.text = {"descrizione", "txtDescrizione", "", "descrizione del calcolo", "",
                   "riportata nella relazione"},
          .type = FieldType::text,
          .fallback = ""},
};

constexpr std::string_view kPressure = " daN/cm^2 (bar)";

const std::array results{
    ResultField{{"NY", "NY", "NY", "fattore di portanza", ""}, "NY ="},
    ResultField{{"Nq", "Nq", "Nq", "fattore di portanza", ""}, "Nq ="},
    ResultField{{"Nc", "Nc", "Nc", "fattore di portanza", ""}, "Nc ="},
    ResultField{{"qR", "Q_limite", "qR", "carico di rottura", "daN/cm², bar"},
                "CARICO DI ROTTURA:  qR  ",
                kPressure},
    ResultField{{"qd", "Q_ammissibile", "qd", "carico di progetto", "daN/cm², bar"},
                "CARICO LIMITE:  qlim ",
                kPressure},
};

// The two-stage display of Nq and Nc: the 7-digit text of the float, read back as a
// double, cut to two decimals and written as a double.
std::string testo_due_stadi(float value) {
  const auto v = read_general_text(general_text(value));
  if (!v) return general_text(value);
  return general_text(std::floor(*v * 100.0) / 100.0);
}

CalculationOutcome calculate(const CalculationData& data) {
  FieldReader read(fields, data.texts, data.source);
  DrainedInputs in;
  in.L = read.number("lunghezza");
  in.B = read.number("larghezza");
  in.H = read.number("altezza");
  in.phi = read.number("angolo");
  in.c = read.number("coesione_drenata");
  in.G = read.number("peso_terreno_fondazione");
  in.G1 = read.number("peso_terreno_rinterro");
  in.YR = read.number("coefficiente_sicurezza");
  in.falda = read.choice("falda") == 0;
  std::string descrizione = read.description();
  if (read.problem()) return Failed{*read.problem()};
  return bearing_calculation(in, std::move(descrizione), CalcoloDrenato, drained_result_texts,
                             drained_report);
}

const Kind kind{
    .name = "sciolti",
    .summary = "terreni sciolti, ghiaiosi, sabbiosi, coesivi a lungo termine (condizioni drenate)",
    .title = "terreni sciolti",
    .fields = fields,
    .results = results,
    .calculate = calculate,
};

}  // namespace

const Kind& drained_kind() {
  return kind;
}

std::vector<std::string> drained_result_texts(const ValoriDrenati& v) {
  return {general_text(truncate_two_decimals(v.n1)), testo_due_stadi(v.n2), testo_due_stadi(v.n3),
          general_text(v.qR), general_text(v.qd)};
}

}  // namespace fondara::drained
