#include "core/filtro_numeri_decimali.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "row_name.h"

namespace fondara {
namespace {

struct KeyRow {
  const char* name;
  std::int16_t key;
  std::int16_t delivered;  // 0: dropped
};

// Every code the filter knows, and representatives of what it must drop.
const KeyRow rows[] = {
    {"backspace", 8, 8},       {"tab", 9, 9},
    {"zero", '0', '0'},        {"nine", '9', '9'},
    {"comma", ',', ','},       {"full_stop_as_comma", '.', ','},
    {"no_key", 0, 0},          {"minus", '-', 0},
    {"plus", '+', 0},          {"small_e", 'e', 0},
    {"capital_e", 'E', 0},     {"blank", ' ', 0},
    {"enter", 13, 0},          {"escape", 27, 0},
    {"ctrl_v", 22, 0},         {"slash_below_0", '/', 0},
    {"colon_above_9", ':', 0}, {"a_grave", 0xE0, 0},
    {"negative_code", -1, 0},
};

class FiltroNumeriDecimali : public testing::TestWithParam<KeyRow> {};

TEST_P(FiltroNumeriDecimali, DeliversDigitsCommaBackspaceTabAndDropsTheRest) {
  std::int16_t key = GetParam().key;
  EXPECT_EQ(fondara::FiltroNumeriDecimali(key), GetParam().delivered);
  // The full stop is rewritten in place as well; other keys are left as they came.
  EXPECT_EQ(key, GetParam().key == '.' ? ',' : GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Keys, FiltroNumeriDecimali, testing::ValuesIn(rows),
                         testing_support::RowName{});

}  // namespace
}  // namespace fondara
