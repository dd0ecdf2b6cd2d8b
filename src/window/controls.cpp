#include "window/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <memory>

#include "window/accessible_names.h"
#include "window/appearance.h"
#include "window/numeric_field.h"
#include "window/pictures.h"
#include "window/qt_text.h"

namespace fondara::window {
namespace {

// A command button whose caption wraps inside it.
class WrappingButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const int margin = 6;
    painter.drawText(rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, text());
  }
};

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

QLabel* make_label(QWidget& window, const QString& text, const Look& look) {
  auto* label = new QLabel(text, &window);
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
  return label;
}

QLineEdit* make_box(QWidget& window, const QString& text, ControlType type, const Look& look) {
  QLineEdit* box =
      type == ControlType::numeric ? new NumericField(text, &window) : new QLineEdit(text, &window);
  box->setAlignment((look.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
  box->setReadOnly(type == ControlType::result);
  if (type == ControlType::description) box->setMaxLength(kLongestDescription);
  apply_colours(*box, QPalette::Text, QPalette::Base, look.text, look.background);
  return box;
}

QLabel* make_picture(QWidget& window) {
  auto* picture = new QLabel(&window);
  picture->setPixmap(sezione_fondazione());
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture->setFocusPolicy(Qt::TabFocus);
  apply_colours(*picture, QPalette::WindowText, QPalette::Window, QColor(), Qt::white);
  return picture;
}

QPushButton* make_button(QWidget& window, const QString& text, ControlType type, const Look& look) {
  auto* button = look.wrap ? new WrappingButton(text, &window) : new QPushButton(text, &window);
  // Enter presses the focused button, as Space does; no button is a default button.
  button->setAutoDefault(true);
  if (type == ControlType::button) button->setCursor(mano());
  apply_colours(*button, QPalette::ButtonText, QPalette::Button, look.text, look.background);
  return button;
}

QWidget* make(QWidget& window, const Control& c) {
  const QString text = qt_text(c.text);
  switch (c.type) {
    case ControlType::label:
      return make_label(window, text, c.look);
    case ControlType::description:
    case ControlType::numeric:
    case ControlType::result:
      return make_box(window, text, c.type, c.look);
    case ControlType::picture:
      return make_picture(window);
    case ControlType::button:
    case ControlType::help_button:
      return make_button(window, text, c.type, c.look);
    case ControlType::option: {
      auto* option = new QRadioButton(text, &window);
      apply_colours(*option, QPalette::WindowText, QPalette::Window, c.look.text,
                    c.look.background);
      return option;
    }
  }
  return nullptr;
}

}  // namespace

QPalette design_palette() {
  // Fusion's own palette: the light grey window the designs were drawn on. The style
  // the program uses (setup_desktop) is Fusion too, so the desktop's light scheme and
  // the designs agree.
  static const QPalette palette = [] {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return fusion->standardPalette();
  }();
  return palette;
}

Controls build_controls(QWidget& window, const std::vector<Control>& table, Captions captions) {
  window.setPalette(design_palette());
  Controls controls;
  const double dpi = window.logicalDpiX();
  for (const Control& c : table) {
    QWidget* widget = make(window, c);
    widget->setObjectName(QLatin1StringView(c.name));
    const QString spoken =
        c.spoken.empty() ? accessible_name(c.name) : QString::fromStdString(c.spoken);
    if (!spoken.isEmpty()) widget->setAccessibleName(spoken);
    widget->setFont(design_font(c.look.family, c.look.points, c.look.bold));
    widget->setGeometry(twips_to_pixels(c.at, dpi));
    if (c.type == ControlType::label && captions == Captions::condensed_to_fit)
      condense_to_fit(*static_cast<QLabel*>(widget));
    controls.emplace(std::string(c.name), widget);
  }
  return controls;
}

Control field_control(std::span<const Field> fields, ControlType type, std::string_view name,
                      Twips at, const Look& look, std::string_view text) {
  return {type, name, text, at, look, spoken_name(field_of_control(fields, name).text)};
}

Control caption_control(std::span<const Field> fields, std::string_view field,
                        std::string_view name, Twips at, const Look& look) {
  return {ControlType::label, name, field_of_control(fields, field).label, at, look};
}

Control result_control(std::span<const ResultField> results, std::string_view name, Twips at,
                       const Look& look) {
  return {
      ControlType::result, name, {}, at, look, spoken_name(field_of_control(results, name).text)};
}

Control result_caption_control(std::span<const ResultField> results, std::string_view result,
                               std::string_view name, Twips at, const Look& look) {
  return {ControlType::label, name, field_of_control(results, result).caption, at, look};
}

void place_centred(QWidget& window, const QRect& area) {
  // The client area, not the frame: the frame is not known before the window manager
  // has framed the window, and the centre of what the window shows is what counts.
  QRect client(QPoint(0, 0), window.size());
  client.moveCenter(area.center());
  window.setGeometry(client);
}

}  // namespace fondara::window
