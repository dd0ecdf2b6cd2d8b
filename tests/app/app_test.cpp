// The windows as they open and close, the help window; a calculation's file opened (fondara
// FILE, Ctrl+O, dropped) in its kind's window, a bad one changing nothing; saved data reopened.
#include <QDropEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <fstream>

#include "gui_fixture.h"
#include "test_data.h"
#include "window/file_opening.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

using Navigation = GuiTest;

// Enter opens the drained window, centred with its design state; the other designed window is
// loaded hidden, the verification's is not built, the start window goes. The help window is modal
// and owned by the drained window; the water-table choice and the focus come back as they were.
// Chiudi ends the program.
TEST_F(Navigation, EnterAtStartOpensTheDrainedWindowWhoseHelpWindowIsModal) {
  QWidget& start_window = start();
  EXPECT_EQ(focus(), find(start_window, "pulsante_sciolti"));
  QTest::keyClick(focus(), Qt::Key_Return);
  QWidget* sciolti = top_level("form_sciolti");
  ASSERT_TRUE(sciolti && QTest::qWaitForWindowActive(sciolti));
  const QPoint off = sciolti->geometry().center() - sciolti->screen()->availableGeometry().center();
  EXPECT_LE(off.manhattanLength(), 1);
  EXPECT_EQ(field(*sciolti, "txtDescrizione")->text() + '|' +
                field(*sciolti, "coefficiente_sicurezza")->text(),
            " |2,3");
  EXPECT_EQ(focus(), field(*sciolti, "lunghezza"));
  EXPECT_TRUE(top_level("form_coesivi") && !top_level("form_coesivi")->isVisible());
  EXPECT_EQ(top_level("form_verifica"), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(top_level("form_principale"), nullptr);
  click(*sciolti, "Option1");
  QWidget* help = nullptr;
  QTimer::singleShot(0, [&] {
    if (!(help = QApplication::activeModalWidget())) return;
    EXPECT_EQ(help->objectName() + '|' + help->windowTitle(), "frmHelpG1|  Informazioni G1");
    EXPECT_EQ(help->parentWidget(), sciolti);
    help->close();
  });
  click(*sciolti, "cmdHelpGT");
  EXPECT_NE(help, nullptr);
  EXPECT_EQ(sciolti->focusWidget(), find(*sciolti, "lunghezza"));
  EXPECT_TRUE(find<QRadioButton>(*sciolti, "Option1")->isChecked());
  EXPECT_EQ(sciolti->findChild<QWidget*>(QStringLiteral("frmHelpG1")), nullptr);
  click(*sciolti, "chiudi");
  sciolti->close();
  EXPECT_EQ(ends, 2);  // Chiudi and the close box end the program
}

TEST_F(Navigation, ClosingTheStartWindowEndsTheProgram) {
  start().close();
  EXPECT_EQ(ends, 1);
}

// The worked example with the water table, as typed at the terminal ("1.0" shows "1,0").
const char kSciolti[] =
    "FONDARA-DATI 1\ntipo=sciolti\norigine=terminale\nlunghezza=10\nlarghezza=2\naltezza=1.0\n"
    "angolo=30\ncoesione_drenata=0\npeso_terreno_fondazione=1900\npeso_terreno_rinterro=1800\n"
    "falda=SI\n";
const char kCoesivi[] =
    "FONDARA-DATI 1\ntipo=coesivi\norigine=finestra\nlunghezza=1\nlarghezza=1\naltezza=1\n"
    "peso_terreno_rinterro=1.800\ncoesione_non_drenata=0,5\ncoefficiente_sicurezza=3\n";

class OpenFile : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window::toolkit().open_elsewhere = [this](const QString& path) {
      return elsewhere << path, true;
    };
  }

  QString file(const char* name, const std::string& bytes) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
  }

  // Drops the file at `path` on `window`, as the file manager does: accepted from the start.
  static void drop(QWidget& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QApplication::sendEvent(&window, &dropped);
    EXPECT_TRUE(enter.isAccepted() && dropped.isAccepted());
    QCoreApplication::processEvents();
  }

  // SALVA into `name` of the folder: the bytes written.
  std::string saved(QWidget& window, const char* name) {
    save_path = folder.filePath(QString::fromLatin1(name));
    click(window, "salva");
    return test::read_file(save_path.toStdString());
  }

  QStringList elsewhere;
};

// kCoesivi with its first "=1" (lunghezza) changed.
std::string coesivi_with_length(const std::string& length) {
  return std::string(kCoesivi).replace(std::string_view(kCoesivi).find("=1\n"), 2, "=" + length);
}

// A dropped file opens its kind's window filled ("1.800" as typed in a window) and calculated;
// Ctrl+O sends another kind elsewhere, telling when that run cannot start. A value refused by the
// kind or too long for its field (cut, 10 would be 1) changes nothing, naming the line; L < B
// shows as CALCOLA shows it, a long description whole, and SALVA waits.
TEST_F(OpenFile, AFileFillsItsKindsWindowAnotherKindGoesElsewhereABadOneChangesNothing) {
  drop(start(), file("c.fondara", kCoesivi));
  QWidget* coesivi = top_level("form_coesivi");
  ASSERT_TRUE(coesivi && QTest::qWaitForWindowActive(coesivi));
  const auto shown = [&] {  // with the description's length
    return field(*coesivi, "peso_terreno_rinterro")->text() + ' ' +
           field(*coesivi, "lunghezza")->text() + ' ' + field(*coesivi, "Q_limite")->text() + ' ' +
           QString::number(field(*coesivi, "txtDescrizione")->text().size());
  };
  EXPECT_EQ(shown(), "1.800 1 3,29 0");
  const QString other = file("s.fondara", kSciolti);
  window::toolkit().open_choice = [&](QWidget*) { return other; };
  QTest::keyClick(coesivi, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(elsewhere, QStringList{other});
  window::toolkit().open_elsewhere = [](const QString& path) {
    return window::start_program(QStringLiteral("/nessuna/cartella/fondara"), path);
  };
  QTest::keyClick(coesivi, Qt::Key_O, Qt::ControlModifier);
  drop(*coesivi, file("b.fondara", coesivi_with_length("x")));
  drop(*coesivi, file("t.fondara", coesivi_with_length(std::string(99, '0') + "10")));
  EXPECT_EQ(
      messages.join(u'\n').remove(folder.path() + u'/'),
      "Impossibile aprire il file \"s.fondara\" in un nuovo Fondara: il programma non si "
      "avvia.\nImpossibile aprire il file \"b.fondara\": il valore di lunghezza non è un "
      "numero: \"x\" (riga 4).\nImpossibile aprire il file \"t.fondara\": il valore di "
      "lunghezza ha 101 caratteri, più dei 100 che il campo della finestra contiene (riga 4).");
  EXPECT_EQ(shown(), "1.800 1 3,29 0");
  messages.clear();
  drop(*coesivi, file("l.fondara", coesivi_with_length("0,5") +
                                       "descrizione=" + std::string(40000, 'd') + "\n"));
  EXPECT_EQ(messages, QStringList{"La lunghezza deve essere superiore alla larghezza"});
  EXPECT_EQ(shown(), "1.800   40000");
  EXPECT_FALSE(find(*coesivi, "salva")->isEnabled() || find(*coesivi, "stampa")->isEnabled());
}

// Started with a file, its kind's window shows calculated; the reports saved with a description
// typed and after reopening the data saved with it are the same; a pasted tab is refused at SALVA.
TEST_F(OpenFile, AFileStartsItsWindowCalculatedAndItsSavedDataReopensToTheSameReport) {
  program->start(file("a.fondara", kSciolti));
  QWidget* sciolti = top_level("form_sciolti");
  ASSERT_TRUE(sciolti && sciolti->isVisible());
  EXPECT_FALSE(top_level("form_principale") && top_level("form_principale")->isVisible());
  EXPECT_EQ(saved(*sciolti, "r.txt"), test::read_data("drenato_si.txt"));  // falda SI
  fill(*sciolti, QStringLiteral("txtDescrizione=Plinto"));
  const std::string report = saved(*sciolti, "prima.txt");
  EXPECT_NE(report.find("Plinto"), std::string::npos);
  saved(*sciolti, "dati.fondara");
  const QString data = save_path;
  TearDown(), SetUp();  // a new run of the program
  program->start(data);
  ASSERT_NE(top_level("form_sciolti"), nullptr);
  EXPECT_EQ(saved(*top_level("form_sciolti"), "dopo.txt"), report);
  field(*top_level("form_sciolti"), "txtDescrizione")->insert(QStringLiteral("\t"));  // pasted
  EXPECT_EQ(saved(*top_level("form_sciolti"), "tab.txt"), "");
  EXPECT_EQ(messages, QStringList{"La descrizione non può contenere a capo, tabulazioni o altri "
                                  "caratteri di controllo."});
}

}  // namespace
}  // namespace fondara::testing_gui
