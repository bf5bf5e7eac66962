#include <gtest/gtest.h>

#include "build/BuildHelpers.h"

using namespace zeltav_test;

TEST(LinearRecords, HoldTheSumsPairsOrOneAndTheExpressionAndRefillOnSetExpression) {
  ZELSymbolicCalculator calc;
  ZELS3Node* sum = CreateBinaryOperation(NodeDifference, Var(1), Var(3));
  ZELS3LinearVariable rec(9, sum);
  EXPECT_EQ(rec.pairs.GetDelta(), 5u);
  EXPECT_EQ(rec.pairs.Limit(), 4u + 1u);  // made with the argument count
  ASSERT_EQ(rec.pairs.Count(), 4u);
  for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(rec.pairs[i], sum->GetArg(i)) << i;
  ZELS3Node* y = Var(2);
  rec.SetExpression(y);
  EXPECT_EQ(rec.expression, y);
  ASSERT_EQ(rec.pairs.Count(), 2u);
  EXPECT_EQ(rec.pairs[0], GetOne());
  EXPECT_EQ(rec.pairs[1], y);
  EXPECT_EQ(sum->GetArgsNum(), 4u) << Show(sum);  // old pair nodes untouched
}
