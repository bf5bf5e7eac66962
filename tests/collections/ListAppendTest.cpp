// Appending to the calculator's lists: doubling when full, in order, the step kept.
#include <gtest/gtest.h>

#include "ZELTavSymbolicCalculator.h"
#include "collections/ListAppend.h"

namespace {

alignas(ZELS3Node) char gStandIns[1000][8];  // distinct stand-ins, only stored and compared
ZELS3Node* N(unsigned i) { return reinterpret_cast<ZELS3Node*>(gStandIns[i]); }

}  // namespace

TEST(ListAppend, AFullListDoublesEachTimeInStepsOfItsOwnSize) {
  ZELICVectorImp_ZELS3Node list(100u, 100u);
  for (unsigned i = 0; i < 1000; ++i) ASSERT_EQ(zeltav::AppendDoubling(list, N(i)), 1) << i;
  // 101 -> 301 -> 701 -> 1501: twice the slots, rounded up to the step.
  EXPECT_EQ(list.Limit(), 1501u);
  EXPECT_EQ(list.GetDelta(), 100u);
  ASSERT_EQ(list.Count(), 1000u);
  for (unsigned i = 0; i < 1000; ++i) EXPECT_EQ(list[i], N(i)) << i;
}

TEST(ListAppend, AListThatCannotGrowStoresNothing) {
  ZELICVectorImp_ZELS3Node list;
  EXPECT_EQ(zeltav::AppendDoubling(list, N(0)), 0);
  EXPECT_EQ(list.Count(), 0u);
}
