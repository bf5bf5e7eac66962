// zelcalc's identifiers by name: short names held in the table, long ones
// aside, both found again after the table grows.
#include <gtest/gtest.h>

#include <string>

#include "NameIndex.h"

namespace {

const unsigned long long* Find(const zelcalc::NameIndex& index, const std::string& name) {
  return index.Find(name);
}

}  // namespace

TEST(NameIndex, FindsEachNameItWasGivenAndNoOther) {
  zelcalc::NameIndex index;
  EXPECT_EQ(Find(index, "x"), nullptr);
  index.Insert("x", 1);
  index.Insert("", 2);
  ASSERT_NE(Find(index, "x"), nullptr);
  EXPECT_EQ(*Find(index, "x"), 1u);
  EXPECT_EQ(*Find(index, ""), 2u);
  EXPECT_EQ(Find(index, "y"), nullptr);
  EXPECT_EQ(Find(index, "x "), nullptr);
}

TEST(NameIndex, KeepsTheFirstIdentifierOfANameGivenTwice) {
  zelcalc::NameIndex index;
  index.Insert("v", 7);
  index.Insert("v", 8);
  EXPECT_EQ(*Find(index, "v"), 7u);
  EXPECT_EQ(index.Size(), 1u);
}

// Names on both sides of the 19 bytes held inline, through many growths.
TEST(NameIndex, FindsShortAndLongNamesAfterGrowing) {
  zelcalc::NameIndex index;
  const std::string inlineMost(19, 'a');
  const std::string longer(20, 'a');
  for (int i = 0; i < 5000; ++i) index.Insert("v" + std::to_string(i), 100 + i);
  index.Insert(inlineMost, 1);
  index.Insert(longer, 2);
  for (int i = 0; i < 5000; i += 7) EXPECT_EQ(*Find(index, "v" + std::to_string(i)), 100u + i);
  EXPECT_EQ(*Find(index, inlineMost), 1u);
  EXPECT_EQ(*Find(index, longer), 2u);
  EXPECT_EQ(Find(index, std::string(21, 'a')), nullptr);
  EXPECT_EQ(index.Size(), 5002u);
}
