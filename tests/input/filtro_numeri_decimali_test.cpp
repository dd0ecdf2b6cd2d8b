#include "input/filtro_numeri_decimali.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace fondara {
namespace {

// Every code the filter knows, and representatives of what it must drop.
TEST(FiltroNumeriDecimali, DeliversDigitsCommaBackspaceTabAndDropsTheRest) {
  const struct {
    const char* name;
    std::int16_t key;
    std::int16_t delivered;  // 0: dropped
  } rows[] = {
      {"backspace", 8, 8},        {"tab", 9, 9},
      {"zero", '0', '0'},         {"nine", '9', '9'},
      {"comma", ',', ','},        {"full stop as comma", '.', ','},
      {"no key", 0, 0},           {"minus", '-', 0},
      {"plus", '+', 0},           {"small e", 'e', 0},
      {"capital E", 'E', 0},      {"blank", ' ', 0},
      {"enter", 13, 0},           {"escape", 27, 0},
      {"ctrl+v", 22, 0},          {"slash, below 0", '/', 0},
      {"colon, above 9", ':', 0}, {"a grave", 0xE0, 0},
      {"negative code", -1, 0},
  };
  for (const auto& row : rows) {
    std::int16_t key = row.key;
    EXPECT_EQ(FiltroNumeriDecimali(key), row.delivered) << row.name;
    // The full stop is rewritten in place as well; other keys are left as they came.
    EXPECT_EQ(key, row.key == '.' ? ',' : row.key) << row.name;
  }
}

}  // namespace
}  // namespace fondara
