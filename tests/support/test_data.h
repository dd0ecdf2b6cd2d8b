// Reading the expected report files of tests/data.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/report.h"
#include "output/report_text.h"

namespace fondara::test {

inline std::string data_path(const std::string& name) {
  return std::string(FONDARA_TEST_DATA_DIR) + "/" + name;
}

// The whole file as bytes; empty when it cannot be read (the comparison then fails).
inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string read_data(const std::string& name) {
  return read_file(data_path(name));
}

// The lines of a UTF-8 preview file, each ended by LF.
inline std::vector<std::string> read_preview_lines(const std::string& name) {
  std::istringstream in(read_data(name));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A report in both versions against its expected files: NAME.txt byte for byte and the
// printed lines of NAME.stampa.txt, the first `large_lines` of them at 10 points, the
// rest at 8.
inline void expect_expected_files(const Report& file, const Report& printed,
                                  const std::string& name, std::size_t large_lines) {
  EXPECT_EQ(output::file_bytes(file), read_data(name + ".txt")) << name;
  const auto lines = output::write_lines(printed, 10);
  const auto expected = read_preview_lines(name + ".stampa.txt");
  ASSERT_EQ(lines.size(), expected.size()) << name;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].text, expected[i]) << name << " line " << i + 1;
    EXPECT_EQ(lines[i].points, i < large_lines ? 10 : 8) << name << " line " << i + 1;
  }
}

// The file bytes of a report, or the cause of its failure.
inline std::string file_text(const ReportOutcome& report) {
  return report ? output::file_bytes(*report) : report_failure_message(report.error());
}

}  // namespace fondara::test
