// The data file: every kind's fields written and read back give the same reports, byte for
// byte; every kind of bad file is refused with its cause and line.
#include "core/data_file.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "kinds/kinds.h"
#include "output/report_text.h"
#include "row_name.h"

namespace fondara {
namespace {

// A number as a user might type it: a few digits, a decimal comma or point, or none.
std::string typed(std::mt19937& random, int whole_digits, bool point) {
  std::uniform_int_distribution<int> digit(0, 9);
  std::string text = std::to_string(1 + digit(random) % 9);
  for (int i = 1; i < whole_digits; ++i) text += std::to_string(digit(random));
  if (digit(random) < 6) {
    text += point ? '.' : ',';
    text += std::to_string(digit(random)) + std::to_string(1 + digit(random) % 9);
  }
  return text;
}

// Random texts for every field of a kind, read as a terminal reads them.
FieldTexts random_texts(const Kind& kind, std::mt19937& random) {
  FieldTexts texts;
  for (const Field& field : kind.fields) {
    const std::string name(field.text.name);
    if (field.type == FieldType::choice)
      texts[name] = field.choices[random() % field.choices.size()].code;
    else if (field.type == FieldType::text)
      texts[name] = "Plinto \\ n° " + std::to_string(random() % 1000) + " — città";
    else
      texts[name] = typed(random, 1 + static_cast<int>(random() % 2), random() % 2 == 0);
  }
  // Long enough to be refused less often than not.
  if (texts.contains("lunghezza")) texts["lunghezza"] = typed(random, 2, false);
  return texts;
}

std::string reports_of(const Kind& kind, const FieldTexts& texts) {
  const auto calculation = kind.compute(texts, Source::terminal);
  if (!calculation) return "problema: " + calculation.error().message;
  std::string bytes;
  for (const Version version : {Version::file, Version::printed}) {
    const auto report = calculation->report(version, calculation->description);
    bytes += report ? output::file_bytes(*report) : "relazione non preparata";
  }
  return bytes;
}

// The data of one calculation from its texts: the per-combination fields of a kind that has
// them make its one combination.
TEST(DataFile, EveryKindReopensToTheSameReports) {
  std::mt19937 random(20261206);
  for (const Kind* kind : kinds()) {
    for (int i = 0; i < 50; ++i) {
      const FieldTexts texts = random_texts(*kind, random);
      SCOPED_TRACE(std::string(kind->name) + " " + texts.at("lunghezza"));
      const CalculationData data = single_calculation(*kind, Source::terminal, texts);
      const auto reopened = read_data_file(data_file_text(data), kinds());
      ASSERT_TRUE(reopened.ok()) << reopened.error().cause << " line " << reopened.error().line;
      EXPECT_EQ(reopened->kind, kind);
      EXPECT_EQ(reopened->texts, data.texts);
      EXPECT_EQ(reports_of(*kind, texts_of_combination(*reopened, 0)), reports_of(*kind, texts));
    }
  }
}

// A kind with load combinations, for the lines that hold them.
const std::array combination_fields{
    Field{.text = {"larghezza", "", "B", "larghezza", "m"}},
    Field{.text = {"descrizione", "", "", "descrizione", ""},
          .type = FieldType::text,
          .fallback = ""},
    Field{.text = {"N", "", "N", "carico verticale", "kN"}, .per_combination = true},
    Field{.text = {"MB", "", "MB", "momento", "kN·m"}, .fallback = "0", .per_combination = true},
};
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
  ASSERT_EQ(reopened->combinations.size(), 2u);
  EXPECT_EQ(reopened->combinations[0], data.combinations[0]);
  EXPECT_EQ(reopened->combinations[1], (FieldTexts{{"N", "1.800"}, {"MB", ""}}));
  EXPECT_EQ(texts_of_combination(*reopened, 1).at("N"), "1.800");
}

struct BadFile {
  const char* name;
  std::string text;
  std::string cause;
  std::size_t line;
};

const std::string head = "FONDARA-DATI 1\ntipo=prova\nlarghezza=1\n";

const BadFile bad_files[] = {
    {"empty", "",
     "non è un file di dati: si aprono i file di dati di Fondara (.fondara) e le "
     "relazioni PDF/A salvate da Fondara",
     0},
    {"text_report", "PROGRAMMA: FONDARA VER.3.0\r\n",
     "è una relazione di testo: si aprono i "
     "file di dati di Fondara (.fondara) e le relazioni PDF/A salvate da Fondara",
     0},
    {"binary",
     head + "descrizione=a\x01"
            "b\n",
     "non è un file di testo", 4},
    {"not_utf8", head + "\xff\xfe\n", "non è un file di testo", 4},
    {"later_version", "FONDARA-DATI 2\ntipo=prova\n",
     "è stato scritto da una versione più recente di Fondara (formato 2)", 1},
    {"truncated", head + "combinazione=20", "è troncato", 4},
    {"too_large", head + "# " + std::string(kDataFileMaxBytes, 'x') + "\n", "è più grande di 1 MiB",
     0},
    {"no_equals", head + "combinazione\n", "la riga non ha la forma nome=valore", 4},
    {"unknown_name", head + "lunghezza=1\n", "nome sconosciuto \"lunghezza\" per il tipo prova", 4},
    {"per_combination_field_alone", head + "N=1\n", "nome sconosciuto \"N\" per il tipo prova", 4},
    {"repeated_field", head + "\n# commento\nlarghezza=2\n", "il campo larghezza compare due volte",
     6},
    {"unknown_kind", "FONDARA-DATI 1\ntipo=argille\n", "tipo di calcolo sconosciuto \"argille\"",
     2},
    {"unknown_source", head + "origine=tastiera\n",
     "origine sconosciuta \"tastiera\": vale finestra o terminale", 4},
    {"field_before_kind", "FONDARA-DATI 1\nlarghezza=1\n", "manca la riga tipo= prima dei campi",
     2},
    {"bad_escape", head + "descrizione=a\\tb\n", "sequenza di escape non valida", 4},
    {"short_combination", head + "combinazione=1;2;3\n", "la combinazione ha 3 valori invece di 2",
     4},
    {"missing_required_field", "FONDARA-DATI 1\ntipo=prova\ncombinazione=1;\n",
     "manca il campo larghezza", 0},
    {"no_combination", head, "manca la riga combinazione=", 0},
};

class BadDataFile : public testing::TestWithParam<BadFile> {};

TEST_P(BadDataFile, IsRefusedWithItsCauseAndLine) {
  const auto read = read_data_file(GetParam().text, test_kinds);
  ASSERT_FALSE(read.ok());
  EXPECT_EQ(read.error().cause, GetParam().cause);
  EXPECT_EQ(read.error().line, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Files, BadDataFile, testing::ValuesIn(bad_files),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara
