#include "undrained/form_coesivi.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/design_looks.h"

namespace fondara {

namespace {

using Kind = app::CalculationWindow::Kind;

using namespace app::looks;

// Positions and sizes in twips, in creation (stacking) order.
std::vector<app::CalculationWindow::Control> design() {
  return {
      {Kind::label,
       "Label2",
       "DESCRIZIONE -->",
       {170, 240, 1620, 225},
       {.family = "Tahoma", .points = 9, .bold = true}},
      {Kind::description, "txtDescrizione", " ", {1920, 165, 3402, 330}, {}},
      {Kind::label,
       "t1",
       " Lunghezza della fondazione                                       L(m)",
       {150, 615, 4185, 375},
       row_label},
      {Kind::numeric, "lunghezza", "", {4350, 615, 975, 375}, input},
      {Kind::label,
       "t3",
       " Larghezza della fondazione (minore di L)                    B(m)",
       {150, 930, 4185, 375},
       row_label},
      {Kind::numeric, "larghezza", "", {4350, 930, 975, 375}, input},
      {Kind::label,
       "t5",
       " Altezza rinterro dal piano posa fondazione                 H(m)",
       {150, 1245, 4185, 375},
       row_label},
      {Kind::numeric, "altezza", "", {4350, 1245, 975, 375}, input},
      {Kind::label,
       "t7",
       " Peso specifico saturo terreno di rinterro       G1(daN/m^3)",
       {150, 1560, 4185, 375},
       row_label},
      {Kind::numeric, "peso_terreno_rinterro", "", {4350, 1560, 975, 375}, input},
      {Kind::label,
       "t9",
       " Coesione non drenata caratt.        cu = qu/2 (daN/cm^2)   (dove: qu = resistenza a "
       "compressione libera)",
       {150, 1875, 4185, 525},
       {.family = "Microsoft Sans Serif", .border = true, .wrap = true}},
      {Kind::numeric, "coesione_non_drenata", "", {4350, 1875, 975, 522}, input},
      {Kind::label,
       "Label4",
       "COEFF. PARZ. DI SICUREZZA ALLA RESISTENZA",
       {120, 2520, 4140, 255},
       tahoma_bold},
      // The gamma of gamma R, drawn with a font that has the Greek letter.
      {Kind::label,
       "Label10",
       "γ",
       {120, 2700, 195, 270},
       {.family = "Liberation Sans", .points = 12, .bold = true}},
      {Kind::label, "Label3", "R", {330, 2835, 120, 195}, {}},
      {Kind::label,
       "Label6",
       "= 3 per tens. amm.;  = 2,3 SLU Approccio 2 .....................",
       {510, 2760, 3675, 255},
       tahoma_bold},
      {Kind::numeric, "coefficiente_sicurezza", "2,3", {4320, 2640, 975, 375}, safety_factor},
      {Kind::label,
       "Label7",
       "N.B. In questo caso non interessa la presenza di eventuale falda d'acqua",
       {0, 3061, 5272, 255},
       {.alignment = Qt::AlignHCenter}},
      {Kind::label, "Label1", "RISULTATI:", {164, 3458, 4215, 210}, tahoma_bold},
      {Kind::label, "t14", "CARICO DI ROTTURA:    qR =", {120, 3720, 2563, 255}, result_caption},
      {Kind::result, "Q_limite", "", {2760, 3720, 1005, 375}, pressure},
      {Kind::label, "t15", "daN/cm^2 - bar", {3840, 3960, 1140, 195}, {.family = "Tahoma"}},
      {Kind::label, "t16", "CARICO DI PROGETTO:   qd =", {120, 4035, 2565, 255}, result_caption},
      {Kind::result, "Q_ammissibile", "", {2760, 4035, 1005, 330}, pressure},
      {Kind::picture, "Picture1", "", {5400, 600, 1845, 2025}, {}},
      {Kind::label,
       "Label5",
       "N.B. Per verifiche con Approccio1- Comb.2, occorre ridurre ø' e c' con i coefficienti "
       "parziali di sicurezza dei materiali  YM=1,4  e considerare infine un coefficiente di "
       "sicurezza parziale alla resistenza YR= 1,8",
       {5400, 2721, 1843, 1815},
       {.background = Qt::white, .border = true, .alignment = Qt::AlignHCenter, .wrap = true}},
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
                        {0, 0, 7335, 5025}, design()) {
  altezza = control<NumericField>("altezza");
  peso_terreno_rinterro = control<NumericField>("peso_terreno_rinterro");
  coesione_non_drenata = control<NumericField>("coesione_non_drenata");
  coefficiente_sicurezza = control<NumericField>("coefficiente_sicurezza");
  auto* L = control<NumericField>("lunghezza");
  auto* B = control<NumericField>("larghezza");
  // The order in which Calculate reads the fields and the emptiness test looks at them.
  finish({L, B, altezza, peso_terreno_rinterro, coesione_non_drenata, coefficiente_sicurezza},
         {L, B, altezza, peso_terreno_rinterro, coesione_non_drenata, calcola, Q_limite,
          Q_ammissibile, coefficiente_sicurezza, chiudi, stampa, salva,
          control<QWidget>("Picture1"), txtDescrizione});
  connect(calcola, &QPushButton::clicked, this, &form_coesivi::calcola_Click);
}

void form_coesivi::calcola_Click() {
  const auto fields = read_fields();
  if (!fields) return;
  DatiNonDrenati dati;
  dati.L = (*fields)[0];
  dati.B = (*fields)[1];
  dati.H = (*fields)[2];
  dati.G1 = (*fields)[3];
  dati.cu = (*fields)[4];
  dati.YR = (*fields)[5];
  const auto outcome = CalcoloNonDrenato(dati);
  if (!outcome) {
    show_failure(outcome.failure());
    return;
  }
  dati_ = dati;
  risultati_ = outcome.value();
  const TestiNonDrenati testi = testi_risultati(risultati_);
  show_results({{Q_limite, testi.Q_limite}, {Q_ammissibile, testi.Q_ammissibile}});
}

app::ReportValues form_coesivi::report_values() const {
  return app::UndrainedReportValues{dati_, risultati_, descrizione()};
}

}  // namespace fondara
