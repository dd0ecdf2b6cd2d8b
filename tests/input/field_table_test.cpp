// The field tables of both windows: the words a screen reader and --help make of them,
// and every number of the calculations reached by exactly one field.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "drained/campi_drenati.h"
#include "undrained/campi_non_drenati.h"

namespace fondara {
namespace {

TEST(FieldText, SpokenNameAndHelpLine) {
  const FieldText L{"lunghezza", "lunghezza", "L", "lunghezza della fondazione", "m", ""};
  EXPECT_EQ(spoken_name(L), "Lunghezza della fondazione L (m)");
  EXPECT_EQ(help_line(L), "L, lunghezza della fondazione (m)");
  const FieldText falda{"falda", "", "", "terreno sotto falda", "", "SI oppure NO"};
  EXPECT_EQ(spoken_name(falda), "Terreno sotto falda");
  EXPECT_EQ(help_line(falda), "terreno sotto falda, SI oppure NO");
}

// Each number of the inputs is written by one field, so no two fields can swap values.
template <typename Inputs>
void expect_one_field_per_number(std::span<const InputField<Inputs>> fields, std::size_t numbers) {
  std::vector<float Inputs::*> members;
  std::set<std::string_view> names;
  for (const auto& field : fields) {
    EXPECT_TRUE(names.insert(field.text.name).second) << field.text.name;
    EXPECT_EQ(field.kind == FieldKind::number, field.number != nullptr) << field.text.name;
    if (field.number == nullptr) continue;
    EXPECT_EQ(std::count(members.begin(), members.end(), field.number), 0) << field.text.name;
    members.push_back(field.number);
  }
  EXPECT_EQ(members.size(), numbers);
}

TEST(FieldTables, UndrainedFieldsReachEachInputOnce) {
  expect_one_field_per_number(undrained_fields(), 6);
}

TEST(FieldTables, DrainedFieldsReachEachInputOnce) {
  expect_one_field_per_number(drained_fields(), 8);
}

TEST(DimensionsRule, LengthBelowWidthOnly) {
  EXPECT_TRUE(lunghezza_minore(1.0f, 2.0f));
  EXPECT_FALSE(lunghezza_minore(2.0f, 2.0f));
  EXPECT_EQ(failure_message(Failure::lunghezza_minore),
            "La lunghezza deve essere superiore alla larghezza");
}

}  // namespace
}  // namespace fondara
