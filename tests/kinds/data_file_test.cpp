// The data file: every kind's fields written and read back as they were typed; every kind of
// bad file is refused with its cause and line. Opening a calculation from a file: each kind of
// file that cannot be opened gives its cause in one message naming the file and, where there is
// one, the line.
#include "core/data_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>

#include "kinds/kinds.h"
#include "kinds/open_calculation.h"
#include "row_name.h"

namespace fondara {
namespace {

// Random texts for every field of a kind, numbers as a user might type them.
FieldTexts random_texts(const Kind& kind, std::mt19937& random) {
  const char* const numbers[] = {"1", "2,5", "0.75", "18", "12,34", "3.5"};
  FieldTexts texts;
  for (const Field& field : kind.fields) {
    std::string& text = texts[std::string(field.text.name)];
    if (field.type == FieldType::choice)
      text = field.choices[random() % field.choices.size()].code;
    else if (field.type == FieldType::text)
      text = "Plinto \\ n° " + std::to_string(random() % 1000) + " — città";
    else
      text = numbers[random() % std::size(numbers)];
  }
  return texts;
}

// Every field of every kind, the per-combination ones as its one combination, comes back as
// it was typed, and so gives the same reports.
TEST(DataFile, EveryKindReopensToTheSameTexts) {
  std::mt19937 random(20261206);
  for (const Kind* kind : kinds()) {
    for (int i = 0; i < 50; ++i) {
      const FieldTexts texts = random_texts(*kind, random);
      const CalculationData data = single_calculation(*kind, Source::terminal, texts);
      const auto reopened = read_data_file(data_file_text(data), kinds());
      ASSERT_TRUE(reopened.ok()) << reopened.error().cause << " line " << reopened.error().line;
      EXPECT_EQ(reopened->kind, kind);
      FieldTexts given = reopened->texts;
      for (const FieldTexts& combination : reopened->combinations)
        given.merge(FieldTexts(combination));
      EXPECT_EQ(given, texts);
    }
  }
}

// A kind with load combinations, for the lines that hold them.
// clang-format off
const std::array combination_fields{
    Field{.text = {"larghezza", "", "B", "larghezza", "m"}},
    Field{.text = {"descrizione", "", "", "descrizione", ""}, .type = FieldType::text, .fallback = ""},
    Field{.text = {"N", "", "N", "carico verticale", "kN"}, .per_combination = true},
    Field{.text = {"MB", "", "MB", "momento", "kN·m"}, .fallback = "0", .per_combination = true},
};
// clang-format on
const Kind with_combinations{"prova", "prova", "prova", combination_fields, {}, nullptr};
const Kind* const test_kinds[] = {&with_combinations};

TEST(DataFile, KeepsEveryCombinationAndEveryCharacter) {
  const CalculationData data{&with_combinations,
                             Source::window,
                             {{"larghezza", " 1,5 "}, {"descrizione", "a\\b\nc\rd;e=f#g"}},
                             {{{"N", "200"}, {"MB", "-30;5"}}, {{"N", "1.800"}}}};
  const std::string text = data_file_text(data);
  EXPECT_EQ(text,
            "FONDARA-DATI 1\n"
            "# Fondara: dati del calcolo, un campo per riga come digitato (nome=valore).\n"
            "tipo=prova\n"
            "origine=finestra\n"
            "larghezza= 1,5 \n"
            "descrizione=a\\\\b\\nc\\rd;e=f#g\n"
            "# combinazione=N;MB\n"
            "combinazione=200;-30\\;5\n"
            "combinazione=1.800;\n");
  const auto reopened = read_data_file(text, test_kinds);
  ASSERT_TRUE(reopened.ok()) << reopened.error().cause;
  EXPECT_EQ(reopened->texts, data.texts);
  EXPECT_EQ(reopened->source, Source::window);
  EXPECT_EQ(reopened->combinations,
            (std::vector<FieldTexts>{data.combinations[0], {{"N", "1.800"}, {"MB", ""}}}));
}

// A verification file is written in version 1 unless it holds what version 1 cannot: a later
// field, a later choice or an action; version 2 keeps actions and situations as typed.
TEST(DataFile, WritesTheFirstVersionThatHoldsTheData) {
  const Kind& verifica = *kinds().back();
  CalculationData data{&verifica,
                       Source::window,
                       {{"condizioni", "drenate"}, {"kh_terreno", " "}},
                       {{{"N", "200"}, {"MB", "-30"}}}};
  const auto version = [&data] { return data_file_text(data).substr(0, 14); };
  EXPECT_EQ(version(), "FONDARA-DATI 1");
  EXPECT_EQ(data_file_text(data).find("kh_terreno"), std::string::npos);
  data.texts["condizioni"] = "entrambe";
  EXPECT_EQ(version(), "FONDARA-DATI 2");
  data.texts["condizioni"] = "drenate";
  data.combinations[0]["situazione"] = "sismica";
  EXPECT_EQ(version(), "FONDARA-DATI 2");
  data.combinations[0].erase("situazione");
  data.actions = {{{"nome", "Peso; proprio"}, {"tipo", "G1"}, {"N", "-1,5"}}};
  const std::string text = data_file_text(data);
  EXPECT_EQ(version(), "FONDARA-DATI 2");
  EXPECT_NE(text.find("\nazione=Peso\\; proprio;G1;-1,5;;;;\n"
                      "# combinazione=N;MB;ML;HB;HL;situazione\ncombinazione=200;-30;;;;\n"),
            std::string::npos)
      << text;
  const auto reopened = read_data_file(text, kinds());
  ASSERT_TRUE(reopened.ok()) << reopened.error().cause;
  EXPECT_EQ(reopened->actions[0].at("nome"), "Peso; proprio");
  EXPECT_EQ(reopened->actions[0].at("N"), "-1,5");
  // A version 1 line without the situation, and an action of the wrong size.
  EXPECT_TRUE(read_data_file("FONDARA-DATI 2\ntipo=verifica\ncondizioni=drenate\nlarghezza=1\n"
                             "lunghezza=1\nprofondita=1\npeso_terreno=1\ncombinazione=1;;;;\n",
                             kinds())
                  .ok());
  const auto short_action = read_data_file(
      "FONDARA-DATI 2\ntipo=verifica\ncondizioni=drenate\nlarghezza=1\nlunghezza=1\n"
      "profondita=1\npeso_terreno=1\nazione=a;G1;1\n",
      kinds());
  ASSERT_FALSE(short_action.ok());
  EXPECT_EQ(short_action.error().cause, "l'azione ha 3 valori invece di 7");
  EXPECT_EQ(short_action.error().line, 8u);
}

struct BadFile {
  const char* name;
  std::string text;
  std::string cause;
  std::size_t line;
};

const std::string head = "FONDARA-DATI 1\ntipo=prova\nlarghezza=1\n";
const std::string which_files =
    ": si aprono i file di dati di Fondara (.fondara) e le relazioni PDF/A salvate da Fondara";

// clang-format off
const BadFile bad_files[] = {
    {"empty", "", "non è un file di dati" + which_files, 0},
    {"text_report_in_windows_1252", "PROGRAMMA: FONDARA VER.3.0/2012\r\n\r\n\xD8'    = 30\r\n",
     "è una relazione di testo, che non contiene i dati del calcolo" + which_files, 0},
    {"binary", head + "descrizione=a\x01" "b\n", "non è un file di testo", 4},
    {"not_utf8", head + "\xff\xfe\n", "non è un file di testo", 4},
    {"truncated", head + "combinazione=20", "è troncato", 4},
    {"too_large", head + "# " + std::string(kDataFileMaxBytes, 'x') + "\n", "è più grande di 1 MiB", 0},
    {"no_equals", head + "combinazione\n", "la riga non ha la forma nome=valore", 4},
    {"unknown_name", head + "lunghezza=1\n", "nome sconosciuto \"lunghezza\" per il tipo prova", 4},
    {"per_combination_field_alone", head + "N=1\n", "nome sconosciuto \"N\" per il tipo prova", 4},
    {"repeated_field", head + "\n# commento\nlarghezza=2\n", "il campo larghezza compare due volte", 6},
    {"unknown_kind", "FONDARA-DATI 1\ntipo=argille\n", "tipo di calcolo sconosciuto \"argille\"", 2},
    {"unknown_source", head + "origine=tastiera\n", "origine sconosciuta \"tastiera\": vale finestra o terminale", 4},
    {"repeated_source", head + "origine=finestra\norigine=finestra\n", "la riga origine= compare due volte", 5},
    {"field_before_kind", "FONDARA-DATI 1\nlarghezza=1\n", "manca la riga tipo= prima dei campi", 2},
    {"bad_escape", head + "descrizione=a\\tb\n", "sequenza di escape non valida", 4},
    {"short_combination", head + "combinazione=1\n", "la combinazione ha 1 valori invece di 2", 4},
    {"missing_required_field", "FONDARA-DATI 1\ntipo=prova\ncombinazione=1;\n", "manca il campo larghezza", 0},
    {"no_combination", head, "manca la riga combinazione=", 0},
};
// clang-format on

class BadDataFile : public testing::TestWithParam<BadFile> {};

TEST_P(BadDataFile, IsRefusedWithItsCauseAndLine) {
  const auto read = read_data_file(GetParam().text, test_kinds);
  ASSERT_FALSE(read.ok());
  EXPECT_EQ(read.error().cause, GetParam().cause);
  EXPECT_EQ(read.error().line, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Files, BadDataFile, testing::ValuesIn(bad_files),
                         testing_support::RowName{});

namespace fs = std::filesystem;

struct FileRow {
  const char* name;
  std::string content;  // written to the file unless `make` makes it
  const char* make;     // shell command run in the folder, making "f", or null
  std::string message;  // after "Impossibile aprire il file \"f\": "
  bool unreadable;      // not read at all, rather than read and refused
};

// clang-format off
const FileRow rows[] = {
    {"missing", "", "true", "il file non esiste.", true},
    {"folder", "", "mkdir f", "è una cartella.", true},
    {"fifo_without_writer", "", "mkfifo f", "non è un file regolare.", true},
    {"larger_than_a_mebibyte", std::string(1024 * 1024 + 1, '#'), nullptr, "è più grande di 1 MiB.", false},
    {"pdf_without_data", "%PDF-1.4\n1 0 obj\n<</Type /Catalog>>\nendobj\ntrailer\n<</Root 1 0 R>>\n", nullptr, "è un PDF senza i dati di Fondara" + which_files + ".", false},
    {"damaged_pdf", "%PDF-1.4\n%%EOF\n", nullptr, "è un PDF danneggiato o illeggibile.", false},
    {"unreadable", "", "touch f && chmod 0 f", "permesso negato.", true},
    {"later_version", "FONDARA-DATI 3\n", nullptr,
     "è stato scritto da una versione più recente di Fondara (formato 3) (riga 1).", false},
};
// clang-format on

class OpenCalculation : public testing::TestWithParam<FileRow> {};

// Opened in a child process by a user without root's rights, as the program runs.
TEST_P(OpenCalculation, RefusesWithOneMessage) {
  char name[] = "/tmp/fondara-apri-XXXXXX";
  ASSERT_NE(::mkdtemp(name), nullptr);
  ::chmod(name, 0755);
  const fs::path file = fs::path(name) / "f";
  if (GetParam().make)
    ASSERT_EQ(std::system((std::string("cd ") + name + " && " + GetParam().make).c_str()), 0);
  else
    std::ofstream(file, std::ios::binary) << GetParam().content;
  const std::string expected = "Impossibile aprire il file \"f\": " + GetParam().message +
                               (GetParam().unreadable ? " (unreadable)" : "");
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(2);
    const auto result = open_calculation(file.string());
    const std::string message = result ? "aperto"
                                       : open_failure_message("\"f\"", result.error()) +
                                             (result.error().unreadable ? " (unreadable)" : "");
    if (message != expected) std::cerr << "message: " << message << '\n';
    ::_exit(message == expected ? 0 : 1);
  }
  int status = -1;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(status, 0) << "expected: " << expected;
  fs::remove_all(name);
}

INSTANTIATE_TEST_SUITE_P(Files, OpenCalculation, testing::ValuesIn(rows),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara
