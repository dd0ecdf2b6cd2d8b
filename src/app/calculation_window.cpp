#include "app/calculation_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "app/accessible_names.h"
#include "app/appearance.h"
#include "app/pictures.h"
#include "app/toolkit.h"
#include "app/window_registry.h"

namespace fondara::app {

namespace {

// Fixed tool-window frame: title and close box only, not in the task bar.
constexpr Qt::WindowFlags calculation_window_flags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

const QString lunghezza_refused =
    QStringLiteral("La lunghezza deve essere superiore alla larghezza");

void apply_colours(QWidget& widget, QPalette::ColorRole text_role, QPalette::ColorRole fill_role,
                   const QColor& text, const QColor& background) {
  QPalette palette = widget.palette();
  if (text.isValid()) palette.setColor(text_role, text);
  if (background.isValid()) {
    palette.setColor(fill_role, background);
    widget.setAutoFillBackground(fill_role == QPalette::Window);
  }
  widget.setPalette(palette);
}

// The designs' fonts are narrower than the ones available here: a caption that would
// not fit its label is condensed until it does. One that would need more than a fifth
// off stays as it is and is cut at the label's edge, as on the designed desktop.
void condense_to_fit(QLabel& label) {
  const QRect room = label.contentsRect();
  QFont font = label.font();
  for (int stretch = 100; stretch >= 80; stretch -= 5) {
    font.setStretch(stretch);
    const QFontMetrics metrics(font);
    const bool fits =
        label.wordWrap()
            ? metrics.boundingRect(room, Qt::TextWordWrap | label.alignment(), label.text())
                      .height() <= room.height()
            : metrics.horizontalAdvance(label.text()) <= room.width();
    if (fits) {
      label.setFont(font);
      return;
    }
  }
}

}  // namespace

CalculationWindow::CalculationWindow(const QString& title, Twips client,
                                     const std::vector<Control>& controls)
    : QWidget(nullptr, calculation_window_flags) {
  setWindowTitle(title);
  setWindowIcon(icona_calcolo());
  const double dpi = logicalDpiX();
  setFixedSize(twips_to_pixels(client.width, dpi), twips_to_pixels(client.height, dpi));
  for (const Control& c : controls) controls_[c.name] = build(c);

  txtDescrizione = control<QLineEdit>("txtDescrizione");
  Q_limite = control<QLineEdit>("Q_limite");
  Q_ammissibile = control<QLineEdit>("Q_ammissibile");
  calcola = control<QPushButton>("calcola");
  stampa = control<QPushButton>("stampa");
  salva = control<QPushButton>("salva");
  chiudi = control<QPushButton>("chiudi");
  calcola->setEnabled(false);
  stampa->setEnabled(false);
  salva->setEnabled(false);
}

QWidget* CalculationWindow::build(const Control& c) {
  const QString text = QString::fromUtf8(c.text);
  const Look& look = c.look;
  QWidget* widget = nullptr;
  switch (c.kind) {
    case Kind::label: {
      auto* label = new QLabel(text, this);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(look.alignment);
      label->setWordWrap(look.wrap);
      // The captions bring their own leading blank.
      label->setIndent(0);
      if (look.border) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
      }
      apply_colours(*label, QPalette::WindowText, QPalette::Window, look.text, look.background);
      widget = label;
      break;
    }
    case Kind::description:
    case Kind::numeric:
    case Kind::result: {
      QLineEdit* box =
          c.kind == Kind::numeric ? new NumericField(text, this) : new QLineEdit(text, this);
      box->setAlignment((look.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
      box->setReadOnly(c.kind == Kind::result);
      apply_colours(*box, QPalette::Text, QPalette::Base, look.text, look.background);
      widget = box;
      break;
    }
    case Kind::picture: {
      auto* picture = new QLabel(this);
      picture->setPixmap(sezione_fondazione());
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      picture->setFocusPolicy(Qt::TabFocus);
      apply_colours(*picture, QPalette::WindowText, QPalette::Window, QColor(), Qt::white);
      widget = picture;
      break;
    }
    case Kind::button:
    case Kind::help_button: {
      auto* button = new QPushButton(text, this);
      // Enter presses the focused button, as Space does.
      button->setAutoDefault(true);
      if (c.kind == Kind::button) button->setCursor(mano());
      apply_colours(*button, QPalette::ButtonText, QPalette::Button, look.text, look.background);
      widget = button;
      break;
    }
    case Kind::option: {
      auto* option = new QRadioButton(text, this);
      apply_colours(*option, QPalette::WindowText, QPalette::Window, look.text, look.background);
      widget = option;
      break;
    }
  }
  widget->setObjectName(QString::fromLatin1(c.name));
  if (const QString spoken = accessible_name(c.name); !spoken.isEmpty())
    widget->setAccessibleName(spoken);
  widget->setFont(design_font(look.family, look.points, look.bold));
  widget->setGeometry(twips_to_pixels(c.at, logicalDpiX()));
  if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && c.kind == Kind::label)
    condense_to_fit(*label);
  return widget;
}

void CalculationWindow::finish(std::vector<NumericField*> numeric,
                               const std::vector<QWidget*>& tab_order) {
  lunghezza = numeric.at(0);
  larghezza = numeric.at(1);
  numeric_.connect_fields(std::move(numeric), *calcola);
  connect(txtDescrizione, &QLineEdit::textChanged, this, &CalculationWindow::txtDescrizione_Change);
  connect(salva, &QPushButton::clicked, this, &CalculationWindow::salva_Click);
  connect(stampa, &QPushButton::clicked, this, &CalculationWindow::stampa_Click);
  connect(chiudi, &QPushButton::clicked, this, &CalculationWindow::chiudi_Click);
  for (std::size_t i = 1; i < tab_order.size(); ++i)
    QWidget::setTabOrder(tab_order[i - 1], tab_order[i]);
}

void CalculationWindow::txtDescrizione_Change() {
  const QString text = txtDescrizione->text();
  // An emptied box still beeps, but the reports then carry no description: keeping
  // the last non-empty text would print a deleted description's first letter.
  if (text.isEmpty()) beep();
  descrizione_ = text.toStdString();
}

std::optional<std::vector<float>> CalculationWindow::read_fields() {
  // Calculate is enabled only while every field holds a number; a field without one
  // would end the click here.
  auto values = numeric_.numbers();
  if (!values) return std::nullopt;
  const float L = (*values)[0];
  const float B = (*values)[1];
  if (L < B) {
    run_own_box([this] { message_box(this, lunghezza_refused); });
    lunghezza->setText(QString());
    larghezza->setText(QString());
    calcola->setEnabled(false);
    // No results for refused dimensions: the last completed calculation stays.
    return std::nullopt;
  }
  return values;
}

void CalculationWindow::show_failure(Failure cause) {
  const QString prompt = QString::fromStdString(failure_message(cause));
  run_own_box([this, &prompt] { message_box(this, prompt); });
}

void CalculationWindow::show_results(
    std::initializer_list<std::pair<QLineEdit*, std::string>> texts) {
  for (const auto& [box, text] : texts) box->setText(QString::fromStdString(text));
  stampa->setEnabled(true);
  salva->setEnabled(true);
}

void CalculationWindow::salva_Click() {
  const auto& salva_report = report_output().salva;
  if (!salva_report) return;
  const ReportValues values = report_values();
  run_own_box([&] { salva_report(*this, values); });
}

void CalculationWindow::stampa_Click() {
  const auto& stampa_report = report_output().stampa;
  if (!stampa_report) return;
  const ReportValues values = report_values();
  run_own_box([&] { stampa_report(*this, values); });
}

void CalculationWindow::chiudi_Click() {
  windows().unload(objectName());
  windows().end();
}

void CalculationWindow::Form_Activate() {
  lunghezza->setFocus();
}

void CalculationWindow::run_own_box(const std::function<void()>& show) {
  ++own_boxes_open_;
  show();
  --own_boxes_open_;
  // A desktop with a window manager reactivates the window after the box closes, one
  // without leaves it inactive; ask for the reactivation and let it pass either way.
  if (own_boxes_open_ == 0 && isVisible() && !isActiveWindow()) {
    skip_next_activation_ = true;
    activateWindow();
  }
}

void CalculationWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (own_boxes_open_ > 0 || skip_next_activation_) {
    skip_next_activation_ = false;
    return;
  }
  Form_Activate();
}

void CalculationWindow::closeEvent(QCloseEvent* event) {
  // The frame's close box ends the program as chiudi does: the other calculation
  // window is loaded but hidden, and no process may stay without a window.
  event->accept();
  chiudi_Click();
}

void CalculationWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centred_) return;
  centred_ = true;
  const QRect screen_area = screen()->availableGeometry();
  move(screen_area.center() - rect().center());
}

}  // namespace fondara::app
