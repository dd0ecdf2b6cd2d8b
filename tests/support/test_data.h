// Reading the expected report files of tests/data.
#pragma once

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

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

}  // namespace fondara::test
