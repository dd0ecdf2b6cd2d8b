#include "undrained/form_coesivi.h"

#include <QPushButton>

#include "undrained/campi_non_drenati.h"
#include "undrained/report_non_drenato.h"
#include "report/channel_texts.h"
#include "window/looks.h"

namespace fondara {

namespace {

using gui::caption_control;
using gui::field_control;
using gui::Kind;
using gui::result_control;
using namespace gui::looks;

// Positions and sizes in twips, in creation (stacking) order.
std::vector<gui::Control> design() {
  const auto fields = undrained_fields();
  const auto results = undrained_results();
  return {
      {Kind::label, "Label2", "DESCRIZIONE -->", {170, 240, 1620, 225}, description_caption},
      field_control(fields, Kind::description, "txtDescrizione", {1920, 165, 3402, 330}, {}, " "),
      caption_control(fields, "lunghezza", "t1", {150, 615, 4185, 375}, row_label),
      field_control(fields, Kind::numeric, "lunghezza", {4350, 615, 975, 375}, input),
      caption_control(fields, "larghezza", "t3", {150, 930, 4185, 375}, row_label),
      field_control(fields, Kind::numeric, "larghezza", {4350, 930, 975, 375}, input),
      caption_control(fields, "altezza", "t5", {150, 1245, 4185, 375}, row_label),
      field_control(fields, Kind::numeric, "altezza", {4350, 1245, 975, 375}, input),
      caption_control(fields, "peso_terreno_rinterro", "t7", {150, 1560, 4185, 375}, row_label),
      field_control(fields, Kind::numeric, "peso_terreno_rinterro", {4350, 1560, 975, 375}, input),
      caption_control(fields, "coesione_non_drenata", "t9", {150, 1875, 4185, 525},
                      {.family = "Microsoft Sans Serif", .border = true, .wrap = true}),
      field_control(fields, Kind::numeric, "coesione_non_drenata", {4350, 1875, 975, 522}, input),
      {Kind::label,
       "Label4",
       "COEFF. PARZ. DI SICUREZZA ALLA RESISTENZA",
       {120, 2520, 4140, 255},
       tahoma_bold},
      {Kind::label, "Label10", "γ", {120, 2700, 195, 270}, gamma},
      {Kind::label, "Label3", "R", {330, 2835, 120, 195}, {}},
      {Kind::label,
       "Label6",
       "= 3 per tens. amm.;  = 2,3 SLU Approccio 2 .....................",
       {510, 2760, 3675, 255},
       tahoma_bold},
      field_control(fields, Kind::numeric, "coefficiente_sicurezza", {4320, 2640, 975, 375},
                    safety_factor, "2,3"),
      {Kind::label,
       "Label7",
       "N.B. In questo caso non interessa la presenza di eventuale falda d'acqua",
       {0, 3061, 5272, 255},
       {.alignment = Qt::AlignHCenter}},
      {Kind::label, "Label1", "RISULTATI:", {164, 3458, 4215, 210}, tahoma_bold},
      {Kind::label, "t14", "CARICO DI ROTTURA:    qR =", {120, 3720, 2563, 255}, result_caption},
      result_control(results, "Q_limite", {2760, 3720, 1005, 375}, pressure),
      {Kind::label, "t15", "daN/cm^2 - bar", {3840, 3960, 1140, 195}, {.family = "Tahoma"}},
      {Kind::label, "t16", "CARICO DI PROGETTO:   qd =", {120, 4035, 2565, 255}, result_caption},
      result_control(results, "Q_ammissibile", {2760, 4035, 1005, 330}, pressure),
      {Kind::picture, "Picture1", "", {5400, 600, 1845, 2025}, {}},
      {Kind::label,
       "Label5",
       "N.B. Per verifiche con Approccio1- Comb.2, occorre ridurre ø' e c' con i coefficienti "
       "parziali di sicurezza dei materiali  YM=1,4  e considerare infine un coefficiente di "
       "sicurezza parziale alla resistenza YR= 1,8",
       {5400, 2721, 1843, 1815},
       note},
      {Kind::button, "calcola", "CALCOLA", {150, 4535, 1050, 397}, button},
      {Kind::button, "stampa", "STAMPA", {1680, 4535, 1050, 397}, button},
      {Kind::button, "salva", "SALVA", {2959, 4535, 1050, 397}, button},
      {Kind::button, "chiudi", "CHIUDI", {4252, 4535, 1050, 397}, button},
  };
}

}  // namespace

form_coesivi::form_coesivi()
    : CalculationWindow(QStringLiteral("    Approccio 2 - Carico limite di progetto della "
                                       "fondazione allo SLU/terreni coesivi "),
                        report::report_kind_coesivi, {0, 0, 7335, 5025}, design()) {
  const auto by_name = [this](const char* name) { return control<QWidget>(name); };
  finish(undrained_fields(),
         {lunghezza, larghezza, by_name("altezza"), by_name("peso_terreno_rinterro"),
          by_name("coesione_non_drenata"), calcola, by_name("Q_limite"), by_name("Q_ammissibile"),
          by_name("coefficiente_sicurezza"), chiudi, stampa, salva, by_name("Picture1"),
          txtDescrizione});
  connect(calcola, &QPushButton::clicked, this, &form_coesivi::calcola_Click);
}

void form_coesivi::calcola_Click() {
  const auto dati = read_inputs(undrained_fields());
  if (!dati) return;
  const auto outcome = CalcoloNonDrenato(*dati);
  if (!outcome) {
    show_failure(outcome.failure());
    return;
  }
  dati_ = *dati;
  risultati_ = outcome.value();
  show_results(undrained_results(), testi_risultati(risultati_));
}

report::Result form_coesivi::report(report::Version version) const {
  return report_non_drenato(dati_, risultati_, descrizione(), version);
}

}  // namespace fondara
