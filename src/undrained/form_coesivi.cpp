#include "undrained/form_coesivi.h"

#include <QPushButton>

#include "core/bearing_report.h"
#include "undrained/kind.h"
#include "undrained/kind_window.h"
#include "window/looks.h"

namespace fondara::undrained {

namespace {

using window::caption_control;
using window::ControlType;
using window::field_control;
using window::result_caption_control;
using window::result_control;
using namespace window::looks;

// Positions and sizes in twips, in creation (stacking) order.
std::vector<window::Control> design() {
  const auto fields = undrained_kind().fields;
  const auto results = undrained_kind().results;
  return {
      {ControlType::label, "Label2", "DESCRIZIONE -->", {170, 240, 1620, 225}, description_caption},
      field_control(fields, ControlType::description, "txtDescrizione", {1920, 165, 3402, 330}, {},
                    " "),
      caption_control(fields, "lunghezza", "t1", {150, 615, 4185, 375}, row_label),
      field_control(fields, ControlType::numeric, "lunghezza", {4350, 615, 975, 375}, input),
      caption_control(fields, "larghezza", "t3", {150, 930, 4185, 375}, row_label),
      field_control(fields, ControlType::numeric, "larghezza", {4350, 930, 975, 375}, input),
      caption_control(fields, "altezza", "t5", {150, 1245, 4185, 375}, row_label),
      field_control(fields, ControlType::numeric, "altezza", {4350, 1245, 975, 375}, input),
      caption_control(fields, "peso_terreno_rinterro", "t7", {150, 1560, 4185, 375}, row_label),
      field_control(fields, ControlType::numeric, "peso_terreno_rinterro", {4350, 1560, 975, 375},
                    input),
      caption_control(fields, "coesione_non_drenata", "t9", {150, 1875, 4185, 525},
                      {.family = "Microsoft Sans Serif", .border = true, .wrap = true}),
      field_control(fields, ControlType::numeric, "coesione_non_drenata", {4350, 1875, 975, 522},
                    input),
      {ControlType::label,
       "Label4",
       "COEFF. PARZ. DI SICUREZZA ALLA RESISTENZA",
       {120, 2520, 4140, 255},
       tahoma_bold},
      {ControlType::label, "Label10", "γ", {120, 2700, 195, 270}, gamma},
      {ControlType::label, "Label3", "R", {330, 2835, 120, 195}, {}},
      {ControlType::label,
       "Label6",
       "= 3 per tens. amm.;  = 2,3 SLU Approccio 2 .....................",
       {510, 2760, 3675, 255},
       tahoma_bold},
      field_control(fields, ControlType::numeric, "coefficiente_sicurezza", {4320, 2640, 975, 375},
                    safety_factor, kYRApproccio2Text),
      {ControlType::label,
       "Label7",
       "N.B. In questo caso non interessa la presenza di eventuale falda d'acqua",
       {0, 3061, 5272, 255},
       {.alignment = Qt::AlignHCenter}},
      {ControlType::label, "Label1", "RISULTATI:", {164, 3458, 4215, 210}, tahoma_bold},
      result_caption_control(results, "Q_limite", "t14", {120, 3720, 2563, 255}, result_caption),
      result_control(results, "Q_limite", {2760, 3720, 1005, 375}, pressure),
      {ControlType::label, "t15", "daN/cm^2 - bar", {3840, 3960, 1140, 195}, {.family = "Tahoma"}},
      result_caption_control(results, "Q_ammissibile", "t16", {120, 4035, 2565, 255},
                             result_caption),
      result_control(results, "Q_ammissibile", {2760, 4035, 1005, 330}, pressure),
      {ControlType::picture, "Picture1", "", {5400, 600, 1845, 2025}, {}},
      {ControlType::label,
       "Label5",
       "N.B. Per verifiche con Approccio1- Comb.2, occorre ridurre ø' e c' con i coefficienti "
       "parziali di sicurezza dei materiali  YM=1,4  e considerare infine un coefficiente di "
       "sicurezza parziale alla resistenza YR= 1,8",
       {5400, 2721, 1843, 1815},
       note},
      {ControlType::button, "calcola", "CALCOLA", {150, 4535, 1050, 397}, button},
      {ControlType::button, "stampa", "STAMPA", {1680, 4535, 1050, 397}, button},
      {ControlType::button, "salva", "SALVA", {2959, 4535, 1050, 397}, button},
      {ControlType::button, "chiudi", "CHIUDI", {4252, 4535, 1050, 397}, button},
  };
}

}  // namespace

form_coesivi::form_coesivi()
    : DesignedWindow(undrained_kind(), "form_coesivi",
                     QStringLiteral("    Approccio 2 - Carico limite di progetto della "
                                    "fondazione allo SLU/terreni coesivi "),
                     {0, 0, 7335, 5025}, design()) {
  const auto by_name = [this](const char* name) -> QWidget* { return control<QWidget>(name); };
  finish({by_name("lunghezza"), by_name("larghezza"), by_name("altezza"),
          by_name("peso_terreno_rinterro"), by_name("coesione_non_drenata"), calcola,
          by_name("Q_limite"), by_name("Q_ammissibile"), by_name("coefficiente_sicurezza"), chiudi,
          stampa, salva, by_name("Picture1"), txtDescrizione});
}

const window::KindWindow& undrained_window() {
  static const window::KindWindow kind_window{
      &undrained_kind(),
      {"pulsante_coesivi",
       "Portanza terreni argillosi, limosi, coesivi a breve termine",
       {120, 1680, 3375, 855},
       3},
      [] { return std::unique_ptr<QWidget>(new form_coesivi); }};
  return kind_window;
}

}  // namespace fondara::undrained
