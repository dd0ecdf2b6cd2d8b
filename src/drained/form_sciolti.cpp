#include "drained/form_sciolti.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/bearing_report.h"
#include "core/field_reader.h"
#include "drained/frmHelpG1.h"
#include "drained/kind.h"
#include "drained/kind_window.h"
#include "window/looks.h"

namespace fondara::drained {

namespace {

using window::caption_control;
using window::ControlType;
using window::field_control;
using window::result_caption_control;
using window::result_control;
using namespace window::looks;

const QColor light_yellow(255, 255, 192);
const QColor dark_blue(0, 0, 192);

const Look factor{.points = 9.75, .background = Qt::white, .alignment = Qt::AlignHCenter};
const Look factor_caption{.border = true, .alignment = Qt::AlignRight | Qt::AlignTop};

// Positions and sizes in twips, in creation (stacking) order: the labels come last
// and lie over the edges of the fields.
std::vector<window::Control> design() {
  const auto fields = drained_kind().fields;
  const auto results = drained_kind().results;
  return {
      field_control(fields, ControlType::description, "txtDescrizione", {1830, 120, 3645, 330},
                    {.background = Qt::white}, " "),
      {ControlType::help_button,
       "cmdHelpGT",
       "?",
       {5440, 2600, 289, 289},
       {.bold = true},
       "Informazioni sul peso specifico del rinterro G1"},
      {ControlType::picture, "Picture1", "", {5760, 660, 1740, 2370}, {}},
      {ControlType::button, "salva", "SALVA", {4560, 4680, 907, 397}, button},
      {ControlType::button, "stampa", "STAMPA", {4560, 4200, 907, 397}, button},
      {ControlType::button, "chiudi", "CHIUDI", {4560, 5160, 907, 397}, button},
      result_control(results, "Nc", {3540, 4305, 794, 330}, factor),
      result_control(results, "Nq", {2115, 4305, 794, 330}, factor),
      result_control(results, "NY", {690, 4305, 794, 315}, factor),
      {ControlType::option,
       "Option2",
       "NO",
       {4080, 2925, 539, 238},
       {},
       "Terreno di fondazione sotto falda: NO"},
      {ControlType::option,
       "Option1",
       "SI",
       {3480, 2925, 539, 238},
       {},
       "Terreno di fondazione sotto falda: SI"},
      field_control(fields, ControlType::numeric, "peso_terreno_fondazione", {4560, 2235, 885, 330},
                    input),
      field_control(fields, ControlType::numeric, "coesione_drenata", {4560, 1920, 885, 330},
                    input),
      field_control(fields, ControlType::numeric, "angolo", {4560, 1605, 885, 330}, input),
      field_control(fields, ControlType::numeric, "lunghezza", {4560, 660, 885, 330}, input),
      field_control(fields, ControlType::numeric, "larghezza", {4560, 975, 885, 330}, input),
      field_control(fields, ControlType::numeric, "altezza", {4560, 1290, 885, 330}, input),
      field_control(fields, ControlType::numeric, "peso_terreno_rinterro", {4560, 2550, 885, 330},
                    input),
      {ControlType::button,
       "calcola",
       "CALCOLA",
       {4560, 3720, 907, 397},
       {.family = "Tahoma", .background = light_yellow}},
      result_control(results, "Q_limite", {2400, 4785, 855, 360}, pressure),
      field_control(fields, ControlType::numeric, "coefficiente_sicurezza", {4560, 3240, 890, 360},
                    safety_factor, kYRApproccio2Text),
      result_control(results, "Q_ammissibile", {2400, 5145, 855, 360}, pressure),
      {ControlType::label, "Label3", "DESCRIZIONE -->", {200, 195, 1620, 225}, description_caption},
      {ControlType::label, "Label10", "γ", {240, 3435, 195, 285}, gamma},
      {ControlType::label, "Label8", "R", {450, 3600, 120, 225}, {}},
      {ControlType::label,
       "Label7",
       "= 3 per tens. amm.;  = 2,3 SLU Approccio 2 .....................",
       {650, 3480, 3795, 255},
       tahoma_bold},
      {ControlType::label,
       "Label6",
       "COEFF. PARZIALE DI SICUREZZA  ALLA RESISTENZA",
       {220, 3255, 4230, 195},
       tahoma_bold},
      {ControlType::label,
       "Label5",
       "N.B. Per verifiche con Approccio1- Comb.2, occorre ridurre ø' e c' con i coefficienti "
       "parziali di sicurezza dei materiali  YM=1,25  e considerare infine un coefficiente di "
       "sicurezza parziale alla resistenza YR= 1,8",
       {5760, 3240, 1740, 2055},
       note},
      // phi' of the angle row; placed in the gap of t7's caption once that is laid out.
      {ControlType::label,
       "Label2",
       "  φ",
       {3670, 1635, 210, 210},
       {.family = "Liberation Sans", .points = 9}},
      {ControlType::label,
       "Label1",
       "RISULTATI: FATT. DI PORTANZA E CARICO LIMITE",
       {210, 3960, 4215, 210},
       tahoma_bold},
      result_caption_control(results, "Nc", "t18", {3000, 4305, 555, 330}, factor_caption),
      result_caption_control(results, "Nq", "t17", {1590, 4305, 540, 330}, factor_caption),
      result_caption_control(results, "NY", "t16", {210, 4305, 495, 330}, factor_caption),
      {ControlType::label,
       "t15",
       "Terreno di fondazione (G) sotto falda  ?",
       {210, 2880, 3165, 330},
       {.text = dark_blue, .border = true, .alignment = Qt::AlignLeft | Qt::AlignTop}},
      caption_control(fields, "peso_terreno_fondazione", "t11", {210, 2235, 4365, 330}, row_label),
      caption_control(fields, "coesione_drenata", "t9", {210, 1920, 4365, 330}, row_label),
      caption_control(fields, "angolo", "t7", {210, 1605, 4365, 330}, row_label),
      caption_control(fields, "lunghezza", "t1", {210, 660, 4365, 330}, row_label),
      caption_control(fields, "larghezza", "t3", {210, 975, 4365, 330}, row_label),
      caption_control(fields, "altezza", "t5", {210, 1290, 4365, 330}, row_label),
      caption_control(fields, "peso_terreno_rinterro", "t13", {210, 2550, 4365, 330}, row_label),
      result_caption_control(results, "Q_limite", "t22", {210, 4785, 2205, 330}, result_caption),
      result_caption_control(results, "Q_ammissibile", "t24", {210, 5145, 2205, 330},
                             result_caption),
      {ControlType::label, "t23", "daN/cm^2-bar", {3315, 5040, 1185, 270}, {.family = "Tahoma"}},
  };
}

}  // namespace

form_sciolti::form_sciolti()
    : DesignedWindow(drained_kind(), "form_sciolti",
                     QStringLiteral("     Approccio 2 - Carico limite di progetto della "
                                    "fondazione allo SLU/terreni sciolti"),
                     {0, 0, 7620, 5625}, design()) {
  Option1 = control<QRadioButton>("Option1");
  Option2 = control<QRadioButton>("Option2");
  cmdHelpGT = control<QPushButton>("cmdHelpGT");
  const auto by_name = [this](const char* name) -> QWidget* { return control<QWidget>(name); };
  // The tab order of the design, where lunghezza is followed by angolo.
  finish({by_name("Q_ammissibile"),
          by_name("coefficiente_sicurezza"),
          by_name("Q_limite"),
          calcola,
          by_name("peso_terreno_rinterro"),
          by_name("altezza"),
          by_name("larghezza"),
          by_name("lunghezza"),
          by_name("angolo"),
          by_name("coesione_drenata"),
          by_name("peso_terreno_fondazione"),
          Option1,
          Option2,
          by_name("NY"),
          by_name("Nq"),
          by_name("Nc"),
          chiudi,
          stampa,
          salva,
          by_name("Picture1"),
          cmdHelpGT,
          txtDescrizione});
  // Of the option group only the selected button is a tab stop.
  for (QRadioButton* option : {Option1, Option2})
    connect(option, &QRadioButton::toggled, option, [option](bool selected) {
      option->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
    });
  // "NO" when the window opens; later activations leave the user's choice alone.
  Option1->setChecked(false);
  Option1->setFocusPolicy(Qt::ClickFocus);
  Option2->setChecked(true);
  place_phi();
  connect(cmdHelpGT, &QPushButton::clicked, this, &form_sciolti::cmdHelpGT_Click);
}

void form_sciolti::place_phi() {
  auto* t7 = control<QLabel>("t7");
  auto* phi = control<QLabel>("Label2");
  const QString caption = t7->text();
  const qsizetype apostrophe = caption.indexOf(u'\'');
  const QFontMetrics caption_metrics(t7->font());
  const QFontMetrics phi_metrics(phi->font());
  const int gap_end = t7->x() + t7->contentsRect().left() +
                      caption_metrics.horizontalAdvance(caption.left(apostrophe));
  phi->move(gap_end - phi_metrics.horizontalAdvance(phi->text()), phi->y());
}

void form_sciolti::add_texts(FieldTexts& texts) const {
  texts.emplace("falda", Option1->isChecked() ? "SI" : "NO");
}

void form_sciolti::take_texts(const FieldTexts& texts) {
  // The water table as the calculation reads it: SI is the first choice, NO when not given.
  FieldReader read(drained_kind().fields, texts, Source::window);
  (read.choice("falda") == 0 ? Option1 : Option2)->setChecked(true);
}

void form_sciolti::cmdHelpGT_Click() {
  {
    // Owned by this window while it is shown: modal over it, centred on it by the centre
    // of what both show, whatever their frames; closed, it is gone.
    frmHelpG1 help(this);
    window::place_centred(help, geometry());
    help.exec();
  }
  // The program's own modal window has closed over this one: this window is the active
  // one again and its activation runs, whether or not the desktop reports it.
  activateWindow();
  Form_Activate();
}

const window::KindWindow& drained_window() {
  static const window::KindWindow kind_window{
      &drained_kind(),
      {"pulsante_sciolti",
       "Portanza terreni sciolti, ghiaiosi, sabbiosi, coesivi a lungo termine",
       {3515, 1680, 3375, 855},
       2},
      [] { return std::unique_ptr<QWidget>(new form_sciolti); }};
  return kind_window;
}

}  // namespace fondara::drained
