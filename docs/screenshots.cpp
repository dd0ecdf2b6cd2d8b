// fondara_screenshots OUTPUT_DIR [verifica]: shows each window as a user meets it (the
// calculation windows after the first worked example) and saves a picture of it; then the
// drained window under a dark desktop scheme; last, the verification window opened from the
// README's worked footing (docs/plinto-p12.fondara), the governing check selected with its
// plan. With `verifica`, only that window, as finestra-verifica-200.png (run at 200 %).
// scripts/screenshots.sh runs it under Xvfb for the pictures in docs/.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <string_view>

#include "app/form_principale.h"
#include "app/kind_windows.h"
#include "drained/frmHelpG1.h"
#include "kinds/open_calculation.h"
#include "window/appearance.h"
#include "window/file_opening.h"

namespace {

bool save(QWidget& window, const QDir& dir, const char* file) {
  window.show();
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

// A dark desktop scheme: dark window, boxes and buttons, white texts.
QPalette dark_scheme() {
  QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
  dark.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    dark.setColor(QPalette::All, role, Qt::white);
  return dark;
}

// The drained window under a dark desktop scheme when L < B is calculated: the window
// keeps its design, the message box over it follows the desktop. The picture is of the
// screen where the window is, so it shows both.
bool save_under_dark_scheme(QWidget& window, const QDir& dir, const char* file) {
  const QPalette desktop = QApplication::palette();
  QApplication::setPalette(dark_scheme());
  const QString path = dir.filePath(QString::fromLatin1(file));
  bool saved = false;
  QTimer grab;  // gone with this function, should no box hold it
  grab.setSingleShot(true);
  QObject::connect(&grab, &QTimer::timeout, &window, [&] {
    const QRect area = window.geometry();
    saved =
        window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  grab.start(500);
  fill(window, {{"lunghezza", "1"}});
  if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  QApplication::setPalette(desktop);
  return saved;
}

// A new window of the kind called `name`.
std::unique_ptr<QWidget> window_of(std::string_view name) {
  for (const fondara::window::KindWindow* kind : fondara::app::kind_windows())
    if (kind->kind->name == name) return kind->make();
  return nullptr;
}

// The verification window opened from the README's worked footing and calculated, as
// `fondara docs/plinto-p12.fondara` shows it.
bool save_verifica(const QDir& dir, const char* file) {
  const QString path = dir.filePath(QStringLiteral("plinto-p12.fondara"));
  const auto data = fondara::open_calculation(QFile::encodeName(path).toStdString());
  if (!data) {
    std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
    return false;
  }
  const auto verifica = window_of("verifica");
  verifica->show();
  QTest::qWait(100);
  dynamic_cast<fondara::window::FillableWindow&>(*verifica).fill(*data, path);
  return save(*verifica, dir, file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fondara::window::setup_desktop(app);
  if (argc != 2 && !(argc == 3 && std::string_view(argv[2]) == "verifica")) {
    std::fprintf(stderr, "usage: fondara_screenshots OUTPUT_DIR [verifica]\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (argc == 3) return save_verifica(dir, "finestra-verifica-200.png") ? 0 : 1;
  bool ok = true;
  {
    fondara::app::form_principale start(fondara::app::kind_windows());
    ok = save(start, dir, "finestra-principale.png") && ok;
  }

  const auto coesivi = window_of("coesivi");
  coesivi->show();
  QTest::qWait(100);
  fill(*coesivi, {{"lunghezza", "10"},
                  {"larghezza", "2"},
                  {"altezza", "1"},
                  {"peso_terreno_rinterro", "1800"},
                  {"coesione_non_drenata", "0,5"}});
  ok = save(*coesivi, dir, "finestra-coesivi.png") && ok;
  coesivi->hide();

  const auto sciolti = window_of("sciolti");
  sciolti->show();
  QTest::qWait(100);
  fill(*sciolti, {{"lunghezza", "10"},
                  {"larghezza", "2"},
                  {"altezza", "1"},
                  {"angolo", "30"},
                  {"coesione_drenata", "0"},
                  {"peso_terreno_fondazione", "1900"},
                  {"peso_terreno_rinterro", "1800"}});
  ok = save(*sciolti, dir, "finestra-sciolti.png") && ok;

  {
    // The help window as cmdHelpGT shows it, without waiting for it to be closed.
    fondara::drained::frmHelpG1 help(sciolti.get());
    ok = save(help, dir, "finestra-aiuto.png") && ok;
  }
  ok = save_under_dark_scheme(*sciolti, dir, "finestra-sciolti-scura.png") && ok;
  sciolti->hide();

  return save_verifica(dir, "finestra-verifica.png") && ok ? 0 : 1;
}
