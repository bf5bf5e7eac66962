#include <cmath>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(ExactVariables, RefixingWithTheSameValueIsHarmlessButAnotherValueOrNaNIsInconsistent) {
  ZELSymbolicCalculator calc;
  for (ZELS3Node* e : {By("==", {Var(1), Num(5)}), By("==", {Num(5), Var(1)})}) calc.AddEquation(e);
  EXPECT_TRUE(calc.AddExactVariable(2, NAN) && calc.GetError() == 0);
  calc.AddEquation(By("==", {Var(1), Num(6)}));
  EXPECT_TRUE(calc.GetError() == 101 && calc.GetExactVariable(1)->GetConstant() == 5.0);
  ResetError();  // the error is sticky; now NaN is fixed a second time
  EXPECT_TRUE(!calc.AddExactVariable(2, NAN) && calc.GetError() == 101);
}

TEST(LinearVariables, LaterDefinitionsAreSubstitutedBackAndConstantOnesPromoted) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.AddEquation(By("==", {By("+", {Var(1), Var(2)}), Num(3)}));  // x = 3 - y
  calc.AddLinearVariable(4, By("+", {Var(6), Var(7)}));
  calc.AddEquation(By("==", {By("-", {Var(1), Var(2)}), Num(1)}));  // 3 - 2y = 1
  EXPECT_EQ(calc.GetExactVariable(1), Num(2)) << Show(calc.GetLinearVariable(1));
  EXPECT_EQ(calc.GetExactVariable(2), GetOne()) << Show(calc.GetLinearVariable(2));
  EXPECT_TRUE(calc.GetLinearVariable(4) == By("+", {Var(6), Var(7)}) && calc.GetError() == 0);

  ZELSymbolicCalculator other;
  other.AddLinearVariable(2, Linear({{2, Var(1)}, {3, Var(3)}}));  // y = 2x + 3z
  other.AddLinearVariable(5, By("+", {Var(1), Num(3)}));           // v = x + 3
  other.AddExactVariable(5, 10.0);
  other.AddLinearVariable(1, Num(4));  // y = 8 + 3z; v = 7 contradicts 10
  EXPECT_DOUBLE_EQ(Evaluate(other.GetLinearVariable(2), {{3, 1}}), 11.0);  // NaN if x were left
  EXPECT_FALSE(other.IsExactVariable(1));  // the new record itself is not promoted
  EXPECT_TRUE(other.GetError() == 101 && other.GetExactVariable(5) == Num(10));
}

TEST(LinearRecords, HoldTheSumsPairsOrOneAndTheExpressionAndRefillOnSetExpression) {
  ZELSymbolicCalculator calc;
  ZELS3Node *sum = By("-", {Var(1), Var(3)}), *y = Var(2);
  ZELS3LinearVariable rec(9, sum);
  ASSERT_EQ(rec.pairs.Count(), 4u);
  for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(rec.pairs[i], sum->GetArg(i)) << i;
  rec.SetExpression(y);
  ASSERT_EQ(rec.pairs.Count(), 2u);
  EXPECT_TRUE(rec.expression == y && rec.pairs[0] == GetOne() && rec.pairs[1] == y);
  EXPECT_EQ(sum->GetArgsNum(), 4u) << Show(sum);  // old pair nodes untouched
}
