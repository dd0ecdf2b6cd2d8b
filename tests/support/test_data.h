// The expected report files of tests/data, and the checks every bearing-pressure kind shares.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/kind.h"
#include "output/report_text.h"

namespace fondara::test {

// The whole file as bytes; empty when it cannot be read (the comparison then fails).
inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string read_data(const std::string& name) {
  return read_file(FONDARA_TEST_DATA_DIR "/" + name);
}

// The file bytes of a report, or the cause of its failure.
inline std::string file_text(const ReportOutcome& report) {
  return report ? output::file_bytes(*report) : report_failure_message(report.error());
}

// The kind's reports of `texts` against NAME.txt and the UTF-8 NAME.stampa.txt, whose first
// `large_lines` are printed at 10 points, the rest at 8.
inline void expect_expected_files(const Kind& kind, const FieldTexts& texts,
                                  const std::string& name, std::size_t large_lines) {
  const auto calculation = kind.compute(texts, Source::terminal);
  ASSERT_TRUE(calculation.ok());
  const auto report = [&](Version v) { return calculation->report(v, calculation->description); };
  EXPECT_EQ(file_text(report(Version::file)), read_data(name + ".txt"));
  const auto printed = report(Version::printed);
  ASSERT_TRUE(printed.ok());
  std::string lines, expected;
  for (const auto& line : output::write_lines(*printed, 10))
    lines += std::to_string(line.points) + ' ' + line.text + '\n';
  std::istringstream in(read_data(name + ".stampa.txt"));
  std::size_t i = 0;
  for (std::string line; std::getline(in, line); ++i)
    expected += (i < large_lines ? "10 " : "8 ") + line + '\n';
  EXPECT_EQ(lines, expected);
}

// A change of any one field but the description changes the report: each reaches the input
// it names. The length grows, a choice becomes SI, the other numbers 1,5.
inline void expect_every_field_reaches_the_report(const Kind& kind, const FieldTexts& example) {
  const auto report = [&](const FieldTexts& texts) {
    const auto calculation = kind.compute(texts, Source::terminal);
    return calculation ? file_text(calculation->report(Version::file, "")) : "refused";
  };
  for (const Field& field : kind.fields) {
    if (field.type == FieldType::text) continue;
    FieldTexts changed = example;
    changed[std::string(field.text.name)] = field.text.name == "lunghezza"    ? "12"
                                            : field.type == FieldType::choice ? "SI"
                                                                              : "1,5";
    EXPECT_NE(report(changed), report(example)) << field.text.name;
    EXPECT_TRUE(kind.compute(changed, Source::terminal).ok()) << field.text.name;
  }
}

}  // namespace fondara::test
