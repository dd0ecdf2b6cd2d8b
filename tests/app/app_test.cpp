// The start window, the calculation windows as they open, the help window, the end of the
// program; a calculation's file opened (fondara FILE, Ctrl+O, dropped) in the window of its
// kind, a bad one changing nothing; saved data reopening to the same report bytes.
#include <QDropEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <fstream>

#include "gui_fixture.h"
#include "test_data.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

using Navigation = GuiTest;

// Enter opens the drained window, centred with its design state; the other kinds' windows
// are loaded hidden, the start window goes.
TEST_F(Navigation, EnterAtStartOpensTheDrainedWindowAndLoadsTheOthersHidden) {
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
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(top_level("form_principale"), nullptr);
}

TEST_F(Navigation, ClosingTheStartWindowChiudiAndTheCloseBoxEndTheProgram) {
  start().close();
  EXPECT_EQ(ends, 1);
  TearDown(), SetUp();  // a new run of the program
  QWidget& coesivi = open("pulsante_coesivi", "form_coesivi");
  click(coesivi, "chiudi");
  coesivi.close();
  EXPECT_EQ(ends, 3);
}

// The help window is modal and owned by the drained window; the water-table choice and the
// focus come back as they were.
TEST_F(Navigation, HelpWindowIsModalAndGivesTheFocusBack) {
  QWidget& sciolti = open("pulsante_sciolti", "form_sciolti");
  click(sciolti, "Option1");
  QWidget* help = nullptr;
  QTimer::singleShot(0, [&] {
    if (!(help = QApplication::activeModalWidget())) return;
    EXPECT_EQ(help->objectName() + '|' + help->windowTitle(), "frmHelpG1|  Informazioni G1");
    EXPECT_EQ(help->parentWidget(), &sciolti);
    help->close();
  });
  click(sciolti, "cmdHelpGT");
  EXPECT_NE(help, nullptr);
  EXPECT_EQ(sciolti.focusWidget(), find(sciolti, "lunghezza"));
  EXPECT_TRUE(find<QRadioButton>(sciolti, "Option1")->isChecked());
  EXPECT_EQ(sciolti.findChild<QWidget*>(QStringLiteral("frmHelpG1")), nullptr);
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
    window::toolkit().open_elsewhere = [this](const QString& path) { elsewhere << path; };
    window::toolkit().save_choice = [this](QWidget*) {
      const bool data = save_path.endsWith(QStringLiteral(".fondara"));
      return window::SaveChoice(save_path, data ? window::FileType::data : window::FileType::text);
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

  // SALVA into `name` of the folder; the bytes written.
  std::string saved(QWidget& window, const char* name) {
    save_path = folder.filePath(QString::fromLatin1(name));
    click(window, "salva");
    return test::read_file(save_path.toStdString());
  }

  QStringList elsewhere;
};

TEST_F(OpenFile, StartingWithAFileShowsItsKindFilledAndCalculated) {
  program->start(file("a.fondara", kSciolti));
  QWidget* sciolti = top_level("form_sciolti");
  ASSERT_TRUE(sciolti && sciolti->isVisible());
  EXPECT_FALSE(top_level("form_principale") && top_level("form_principale")->isVisible());
  EXPECT_EQ(saved(*sciolti, "r.txt"), test::read_data("drenato_si.txt"));  // falda SI
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(OpenFile, CtrlOFillsTheWindowOfTheSameKindAndSendsAnotherKindElsewhere) {
  QWidget& coesivi = open("pulsante_coesivi", "form_coesivi");
  QString chosen = file("c.fondara", kCoesivi);
  window::toolkit().open_choice = [&](QWidget*) { return chosen; };
  QTest::keyClick(&coesivi, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(
      field(coesivi, "peso_terreno_rinterro")->text() + ' ' + field(coesivi, "Q_limite")->text(),
      "1.800 3,29");
  chosen = file("s.fondara", kSciolti);
  QTest::keyClick(&coesivi, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(elsewhere, QStringList{chosen});
  EXPECT_EQ(field(coesivi, "lunghezza")->text(), "1");
}

TEST_F(OpenFile, ADroppedFileOpensFromTheStartWindowAndABadOneChangesNothing) {
  drop(start(), file("s.fondara", kSciolti));
  QWidget* sciolti = top_level("form_sciolti");
  ASSERT_NE(sciolti, nullptr);
  std::string bad_data = kSciolti;
  const QString bad = file("b.fondara", bad_data.replace(bad_data.find("=10"), 3, "=x"));
  drop(*sciolti, bad);
  EXPECT_EQ(messages, QStringList{"Impossibile aprire il file \"" + bad +
                                  "\": il valore di lunghezza non è un numero: \"x\"."});
  EXPECT_EQ(field(*sciolti, "lunghezza")->text() + ' ' + field(*sciolti, "Nc")->text(), "10 30,05");
}

// The text report saved after a calculation, and after reopening the data saved with it, are
// the same bytes.
TEST_F(OpenFile, SavedDataReopensToTheSameReport) {
  // clang-format off
  for (const auto& [button, name, typed] : {
      std::tuple("pulsante_coesivi", "form_coesivi", "txtDescrizione=Muro lunghezza=12,5 larghezza=3,07 altezza=1,2 peso_terreno_rinterro=1834,5 coesione_non_drenata=0,37 coefficiente_sicurezza=2,45"),
      std::tuple("pulsante_sciolti", "form_sciolti", "txtDescrizione=Plinto lunghezza=7,25 larghezza=2,5 altezza=1,75 angolo=31,5 coesione_drenata=0,12 peso_terreno_fondazione=1925,5 peso_terreno_rinterro=1780 coefficiente_sicurezza=1,85")}) {
    // clang-format on
    TearDown(), SetUp();  // a new run of the program
    QWidget& window = open(button, name);
    fill(window, QString::fromUtf8(typed));
    click(window, "calcola");
    const std::string report = saved(window, "prima.txt");
    saved(window, "dati.fondara");
    const QString data = save_path;
    TearDown(), SetUp();  // a new run of the program
    program->start(data);
    ASSERT_NE(top_level(name), nullptr);
    EXPECT_EQ(saved(*top_level(name), "dopo.txt"), report) << typed;
  }
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

}  // namespace
}  // namespace fondara::testing_gui
