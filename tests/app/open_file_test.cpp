// Opening a calculation's file in the windows: fondara FILE, Ctrl+O and a dropped file fill
// the window of the file's kind and calculate; a file of another kind goes to a new run; a
// bad file changes nothing. Saved data reopens to the same report bytes.
#include <QDropEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>
#include <fstream>
#include <random>

#include "drained/kind.h"
#include "gui_fixture.h"
#include "test_data.h"
#include "undrained/kind.h"
#include "window/toolkit.h"

namespace fondara::testing_gui {
namespace {

// The worked example with the water table, as typed at the terminal ("1.0": the key of a
// full stop gives a comma).
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
    // The type the save dialog gives a name's extension.
    window::toolkit().save_choice = [this](QWidget*) {
      return window::SaveChoice(save_path, save_path.endsWith(QStringLiteral(".fondara"))
                                               ? window::FileType::data
                                               : window::FileType::text);
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
    QApplication::sendEvent(&window, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
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

  // A new run of the program, the windows of the last one gone.
  void restart() {
    program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    program = std::make_unique<app::Program>();
  }

  QStringList elsewhere;
};

TEST_F(OpenFile, StartingWithAFileShowsItsKindFilledAndCalculated) {
  program->start(file("a.fondara", kSciolti));
  QWidget* sciolti = top_level("form_sciolti");
  ASSERT_NE(sciolti, nullptr);
  EXPECT_TRUE(sciolti->isVisible());
  EXPECT_FALSE(top_level("form_principale") && top_level("form_principale")->isVisible());
  EXPECT_TRUE(find<QRadioButton>(*sciolti, "Option1")->isChecked());
  EXPECT_EQ(saved(*sciolti, "r.txt"), test::read_data("drenato_si.txt"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(OpenFile, CtrlOFillsTheWindowOfTheSameKindAndSendsAnotherKindElsewhere) {
  QWidget& coesivi = open("pulsante_coesivi", "form_coesivi");
  QString chosen = file("c.fondara", kCoesivi);
  window::toolkit().open_choice = [&](QWidget*) { return chosen; };
  QTest::keyClick(&coesivi, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(field(coesivi, "peso_terreno_rinterro")->text(), "1.800");
  EXPECT_EQ(field(coesivi, "Q_limite")->text(), "3,29");
  chosen = file("s.fondara", kSciolti);
  QTest::keyClick(&coesivi, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(elsewhere, QStringList{chosen});
  EXPECT_EQ(field(coesivi, "lunghezza")->text(), "1");
}

TEST_F(OpenFile, ADroppedFileOpensFromTheStartWindowAndABadOneChangesNothing) {
  drop(start(), file("s.fondara", kSciolti));
  QWidget* sciolti = top_level("form_sciolti");
  ASSERT_NE(sciolti, nullptr);
  EXPECT_EQ(field(*sciolti, "Nc")->text(), "30,05");
  std::string bad_data = kSciolti;
  bad_data.replace(bad_data.find("lunghezza=10"), 12, "lunghezza=x");
  const QString bad = file("b.fondara", bad_data);
  drop(*sciolti, bad);
  EXPECT_EQ(messages, QStringList{"Impossibile aprire il file \"" + bad +
                                  "\": il valore di lunghezza non è un numero: \"x\"."});
  EXPECT_EQ(field(*sciolti, "lunghezza")->text() + ' ' + field(*sciolti, "Nc")->text(), "10 30,05");
}

// Random cases of both windows: the text report saved after typing, and after reopening the
// data saved with it, are the same bytes.
TEST_F(OpenFile, SavedDataReopensToTheSameReport) {
  std::mt19937 random(6122026);
  // A number as a user types it, with a decimal comma or none.
  const auto typed = [&](int whole_digits) {
    QString text = QString::number(1 + random() % 9);
    for (int i = 1; i < whole_digits; ++i) text += QString::number(random() % 10);
    if (random() % 2)
      text += u',' + QString::number(random() % 10) + QString::number(1 + random() % 9);
    return text;
  };
  for (const auto& [button, name, kind] :
       {std::tuple("pulsante_coesivi", "form_coesivi", &undrained::undrained_kind()),
        std::tuple("pulsante_sciolti", "form_sciolti", &drained::drained_kind())}) {
    for (int round = 0; round < 4; ++round) {
      restart();
      QWidget& window = open(button, name);
      QString assignments = "txtDescrizione=Caso" + QString::number(round);
      for (const Field& f : kind->fields)  // L above B, weights of four digits
        if (f.type == FieldType::number)
          assignments += ' ' + QString::fromUtf8(f.text.control) + '=' +
                         typed(f.text.name == "lunghezza" ? 2
                               : f.text.name[0] == 'p'    ? 4
                                                          : 1);
      fill(window, assignments);
      click(window, "calcola");
      const std::string report = saved(window, "prima.txt");
      saved(window, "dati.fondara");
      restart();
      program->start(save_path);
      ASSERT_NE(top_level(name), nullptr);
      EXPECT_EQ(saved(*top_level(name), "dopo.txt"), report) << assignments.toStdString();
    }
  }
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

}  // namespace
}  // namespace fondara::testing_gui
