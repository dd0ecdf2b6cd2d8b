// fondara_screenshots OUTPUT_DIR: shows each window as a user meets it (the
// calculation windows after the first worked example) and saves a picture of it.
// scripts/screenshots.sh runs it under Xvfb for the pictures in docs/.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "app/fondara_windows.h"
#include "window/appearance.h"
#include "window/window_registry.h"

namespace {

using fondara::gui::windows;

bool save(QWidget& window, const QDir& dir, const char* file) {
  window.raise();
  window.activateWindow();
  QTest::qWait(300);
  const QString path = dir.filePath(QString::fromLatin1(file));
  if (window.grab().save(path)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

void fill(QWidget& window, const std::vector<std::pair<const char*, const char*>>& values) {
  for (const auto& [name, text] : values) {
    auto* field = window.findChild<QLineEdit*>(QString::fromLatin1(name));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::fromLatin1(text));
  }
  QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("calcola")), Qt::LeftButton);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fondara::gui::setup_desktop(app);
  if (argc != 2) {
    std::fprintf(stderr, "usage: fondara_screenshots OUTPUT_DIR\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  fondara::app::define_windows(windows());
  bool ok = true;

  windows().set_visible(QStringLiteral("form_principale"), true);
  ok = save(windows().window(QStringLiteral("form_principale")), dir, "finestra-principale.png") &&
       ok;

  windows().unload(QStringLiteral("form_principale"));
  windows().set_visible(QStringLiteral("form_coesivi"), true);
  QWidget& coesivi = windows().window(QStringLiteral("form_coesivi"));
  QTest::qWait(100);
  fill(coesivi, {{"lunghezza", "10"},
                 {"larghezza", "2"},
                 {"altezza", "1"},
                 {"peso_terreno_rinterro", "1800"},
                 {"coesione_non_drenata", "0,5"}});
  ok = save(coesivi, dir, "finestra-coesivi.png") && ok;

  windows().set_visible(QStringLiteral("form_sciolti"), true);
  QWidget& sciolti = windows().window(QStringLiteral("form_sciolti"));
  coesivi.hide();
  QTest::qWait(100);
  fill(sciolti, {{"lunghezza", "10"},
                 {"larghezza", "2"},
                 {"altezza", "1"},
                 {"angolo", "30"},
                 {"coesione_drenata", "0"},
                 {"peso_terreno_fondazione", "1900"},
                 {"peso_terreno_rinterro", "1800"}});
  ok = save(sciolti, dir, "finestra-sciolti.png") && ok;

  // The help window as cmdHelpGT shows it, without waiting for it to be closed.
  QWidget& help = windows().window(QStringLiteral("frmHelpG1"));
  help.setParent(&sciolti, help.windowFlags());
  help.show();
  ok = save(help, dir, "finestra-aiuto.png") && ok;

  windows().discard_all();
  return ok ? 0 : 1;
}
