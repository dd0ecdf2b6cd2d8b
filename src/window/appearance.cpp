#include "window/appearance.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace fondara::window {

namespace {

void map_fonts() {
  // The designs use the fonts of another desktop. Liberation Sans has the metrics of
  // Arial and is close enough for the others; DejaVu Sans covers what it lacks.
  const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
  for (const char* family : {"Tahoma", "MS Sans Serif", "Microsoft Sans Serif", "Arial"})
    QFont::insertSubstitutions(QString::fromLatin1(family), sans);
  QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono"),
                                                             QStringLiteral("DejaVu Sans Mono")});
}

void load_italian(QApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  // Qt's own texts ("Annulla", "Salva" and the like in standard dialogs).
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}

}  // namespace

void setup_desktop(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("Fondara"));
  // Fusion looks the same on every desktop, so the layouts do too.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  map_fonts();
  load_italian(app);
  QApplication::setFont(design_font("MS Sans Serif", 8.25));
}

QFont design_font(const char* family, double points, bool bold) {
  // The font that stands in for the design's family, named directly: the font
  // matching then does not search the system for a family that is not there.
  QFont font(QFont::substitute(QString::fromLatin1(family)));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace fondara::window
