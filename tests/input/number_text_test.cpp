#include "input/number_text.h"

#include <gtest/gtest.h>

namespace fondara {
namespace {
TEST(NumberText, Placeholder) { EXPECT_EQ(general_text(2.5f), "2,5"); }
}  // namespace
}  // namespace fondara
