// Save and Print through the windows, on the real report builders and channels: the
// save dialog's name and the printer come from the toolkit seam (a temporary folder,
// a PDF file), everything else is what the user gets.
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/toolkit.h"
#include "gui_test.h"
#include "pdf_lines.h"
#include "report/channel_texts.h"
#include "report/printed_pages.h"
#include "report/statement.h"
#include "test_data.h"

namespace fondara::testing_gui {
namespace {

std::string read_file(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

class SavePrint : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    app::report_output() = app::desktop_report_output();
    app::toolkit().save_file_name = [this](QWidget*) {
      ++dialogs;
      return chosen_name;
    };
    app::toolkit().printer = [this]() -> std::variant<report::PrintDestination, QString> {
      if (!printer_available) return QStringLiteral("nessuna stampante");
      ++printers;
      return report::PrintDestination{
          report::a4_page(), [this](const QByteArray& pdf, const QString&) {
            QFile file(pdf_path());
            const bool written = file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size();
            return written ? std::nullopt : std::optional<QString>(file.errorString());
          }};
    };
  }

  QWidget& calculate(const char* start_button, const char* window_name, const Fields& fields) {
    QWidget& window = open_from_start(start_button, window_name);
    fill(window, fields);
    click(window, "calcola");
    EXPECT_TRUE(button(window, "salva")->isEnabled());
    return window;
  }

  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  QString pdf_path() const { return path("stampa.pdf"); }

  // The printed lines read back from the PDF, without their trailing blanks.
  std::vector<report::test::PdfLine> printed_lines() {
    const auto pdf = report::test::read_pdf(pdf_path());
    EXPECT_EQ(pdf.pages, 1);
    double left = 1e9;
    for (const auto& word : pdf.words) left = std::min(left, word.x_min);
    return report::test::rebuild_lines(pdf, left);
  }

  static std::vector<QString> texts_of(const std::vector<report::test::PdfLine>& lines) {
    std::vector<QString> texts;
    for (const auto& line : lines) texts.push_back(line.text);
    return texts;
  }

  static std::vector<QString> expected_printed(const std::string& preview) {
    std::vector<QString> texts;
    for (const std::string& line : test::read_preview_lines(preview)) {
      QString text = QString::fromStdString(line);
      while (text.endsWith(QLatin1Char(' '))) text.chop(1);
      if (!text.isEmpty()) texts.push_back(text);
    }
    return texts;
  }

  QTemporaryDir dir;
  QString chosen_name;
  bool printer_available = true;
  int dialogs = 0;
  int printers = 0;
};

TEST_F(SavePrint, SavedFilesAreTheExpectedReports) {
  struct Row {
    const char* name;
    const char* start_button;
    const char* window;
    const Fields* fields;
    bool water_table;
    const char* expected;
  };
  for (const Row& row : {Row{"undrained", "pulsante_coesivi", "form_coesivi", &coesivi_example,
                             false, "non_drenato_yr23.txt"},
                         Row{"drained_dry", "pulsante_sciolti", "form_sciolti", &sciolti_example,
                             false, "drenato_no.txt"},
                         Row{"drained_under_water", "pulsante_sciolti", "form_sciolti",
                             &sciolti_example, true, "drenato_si.txt"}}) {
    SCOPED_TRACE(row.name);
    QWidget& window = open_from_start(row.start_button, row.window);
    fill(window, *row.fields);
    if (row.water_table) find<QRadioButton>(window, "Option1")->click();
    click(window, "calcola");
    chosen_name = path(row.name);
    click(window, "salva");
    EXPECT_EQ(read_file(chosen_name), test::read_data(row.expected));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    app::windows().discard_all();
  }
}

TEST_F(SavePrint, WaterTableLinesFollowTheCalculationNotTheOptionAtSave) {
  QWidget& window = open_from_start("pulsante_sciolti", "form_sciolti");
  fill(window, sciolti_example);
  find<QRadioButton>(window, "Option1")->click();
  click(window, "calcola");
  find<QRadioButton>(window, "Option2")->click();
  chosen_name = path("falda.txt");
  click(window, "salva");
  EXPECT_EQ(read_file(chosen_name), test::read_data("drenato_si.txt"));
}

TEST_F(SavePrint, DescriptionIsWhatTheBoxHoldsAtSave) {
  QWidget& window = calculate("pulsante_coesivi", "form_coesivi",
                              {{"lunghezza", "1"},
                               {"larghezza", "1"},
                               {"altezza", "1"},
                               {"peso_terreno_rinterro", "1800"},
                               {"coesione_non_drenata", "0,5"},
                               {"coefficiente_sicurezza", "3"}});
  field(window, "txtDescrizione")->clear();
  type(window, "txtDescrizione", "Muro");
  chosen_name = path("muro.txt");
  click(window, "salva");
  EXPECT_EQ(read_file(chosen_name), test::read_data("non_drenato_yr3.txt"));
}

TEST_F(SavePrint, SavingTwiceReplacesTheContent) {
  QWidget& window = calculate("pulsante_coesivi", "form_coesivi", coesivi_example);
  chosen_name = path("due_volte.txt");
  {
    QFile old(chosen_name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
  }
  click(window, "salva");
  click(window, "salva");
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(read_file(chosen_name), test::read_data("non_drenato_yr23.txt"));
}

TEST_F(SavePrint, CancelledDialogWritesNothing) {
  QWidget& window = calculate("pulsante_coesivi", "form_coesivi", coesivi_example);
  chosen_name.clear();
  click(window, "salva");
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SavePrint, FileThatCannotBeWrittenIsToldAndTheProgramGoesOn) {
  QWidget& window = calculate("pulsante_coesivi", "form_coesivi", coesivi_example);
  chosen_name = path("manca/relazione.txt");
  click(window, "salva");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(chosen_name)) << messages[0].toStdString();
  EXPECT_FALSE(QFile::exists(chosen_name));
  // The window still works: a second Save to a good name writes the report.
  chosen_name = path("relazione.txt");
  click(window, "salva");
  EXPECT_EQ(read_file(chosen_name), test::read_data("non_drenato_yr23.txt"));
}

TEST_F(SavePrint, PrintedReportsReadBackFromThePdf) {
  struct Row {
    const char* name;
    const char* start_button;
    const char* window;
    const Fields* fields;
    const char* expected;
  };
  for (const Row& row : {Row{"undrained", "pulsante_coesivi", "form_coesivi", &coesivi_example,
                             "non_drenato_yr23.stampa.txt"},
                         Row{"drained", "pulsante_sciolti", "form_sciolti", &sciolti_example,
                             "drenato_no.stampa.txt"}}) {
    SCOPED_TRACE(row.name);
    QWidget& window = calculate(row.start_button, row.window, *row.fields);
    click(window, "stampa");
    EXPECT_TRUE(messages.isEmpty());
    const auto lines = printed_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(texts_of(lines), expected_printed(row.expected));
    // The heading is printed at 10 points, the rest at 8.
    EXPECT_NEAR(lines[0].pitch / lines[1].pitch, 10.0 / 8.0, 0.02);
    for (std::size_t i = 2; i < lines.size(); ++i)
      EXPECT_NEAR(lines[i].pitch, lines[1].pitch, 0.01) << i;
    app::windows().discard_all();
    QFile::remove(pdf_path());
  }
}

TEST_F(SavePrint, NoPrinterShowsOnlyTheMessage) {
  QWidget& window = calculate("pulsante_sciolti", "form_sciolti", sciolti_example);
  printer_available = false;
  click(window, "stampa");
  EXPECT_EQ(messages, QStringList{QString::fromUtf8(report::print_error_message)});
  EXPECT_FALSE(QFile::exists(pdf_path()));
  // Nothing in the window changed.
  EXPECT_EQ(field(window, "Q_limite")->text(), "6,84");
  EXPECT_TRUE(button(window, "stampa")->isEnabled());
}

TEST_F(SavePrint, EachPrintIsOneDocument) {
  QWidget& window = calculate("pulsante_coesivi", "form_coesivi", coesivi_example);
  click(window, "stampa");
  click(window, "stampa");
  EXPECT_EQ(printers, 2);
  EXPECT_EQ(report::test::read_pdf(pdf_path()).pages, 1);
}

}  // namespace
}  // namespace fondara::testing_gui
