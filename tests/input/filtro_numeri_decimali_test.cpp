#include "input/filtro_numeri_decimali.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace fondara {
namespace {

struct KeyCase {
  std::string name;
  std::int16_t key;
  std::int16_t delivered;  // what the field receives (0: dropped)
};

// Every code the filter knows, and representatives of what it must drop.
const KeyCase key_cases[] = {
    {"backspace_passes", 8, 8},
    {"tab_passes", 9, 9},
    {"zero_passes", '0', '0'},
    {"nine_passes", '9', '9'},
    {"five_passes", '5', '5'},
    {"comma_passes", ',', ','},
    {"full_stop_becomes_comma", '.', ','},
    {"no_key_stays_none", 0, 0},
    {"minus_dropped", '-', 0},
    {"plus_dropped", '+', 0},
    {"small_e_dropped", 'e', 0},
    {"capital_e_dropped", 'E', 0},
    {"blank_dropped", ' ', 0},
    {"letter_dropped", 'a', 0},
    {"enter_dropped", 13, 0},
    {"escape_dropped", 27, 0},
    {"ctrl_c_dropped", 3, 0},
    {"ctrl_v_dropped", 22, 0},
    {"ctrl_x_dropped", 24, 0},
    {"ctrl_z_dropped", 26, 0},
    {"slash_below_digits_dropped", '/', 0},
    {"colon_above_digits_dropped", ':', 0},
    {"accented_letter_dropped", 0xE0, 0},
    {"negative_code_dropped", -1, 0},
};

class FiltroNumeriDecimaliTest : public testing::TestWithParam<KeyCase> {};

TEST_P(FiltroNumeriDecimaliTest, DeliversOrDrops) {
  std::int16_t key = GetParam().key;
  EXPECT_EQ(FiltroNumeriDecimali(key), GetParam().delivered);
}

INSTANTIATE_TEST_SUITE_P(Keys, FiltroNumeriDecimaliTest, testing::ValuesIn(key_cases),
                         [](const testing::TestParamInfo<KeyCase>& row) { return row.param.name; });

TEST(FiltroNumeriDecimali, FullStopIsRewrittenInPlace) {
  std::int16_t key = '.';
  FiltroNumeriDecimali(key);
  EXPECT_EQ(key, ',');
}

TEST(FiltroNumeriDecimali, DroppedKeyIsLeftAsItWas) {
  std::int16_t key = 'x';
  EXPECT_EQ(FiltroNumeriDecimali(key), 0);
  EXPECT_EQ(key, 'x');
}

}  // namespace
}  // namespace fondara
