#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(GaussElimination, SolvesTheWorkedExampleForTheLargestCoefficient) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.AddEquation(By("==", {Linear({{2, Var(1)}, {4, Var(2)}}), Num(6)}));
  EXPECT_TRUE(calc.IsLinearVariable(2) && !calc.IsLinearVariable(1));
  const auto& equations = ZELSymbolicCalculatorTestAccess::Equations(&calc);
  ASSERT_EQ(equations.Count(), 1u);
  EXPECT_EQ(Show(equations[0]), "9:=(33:+(1, x2, 0.5, x1), 1.5)");  // y + 0.5x = 1.5
}

TEST(GaussElimination, PicksAUnitCoefficientFirstThenTheLastOfTheLargest) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  ZELS3Node* tie = Linear({{3, Var(1)}, {3, Var(2)}});
  calc.AddEquation(By("==", {tie, Var(3)}));
  const ZELS3Node* last = tie->GetArg(3);
  EXPECT_TRUE(last->IsLinearVariable()) << Show(tie);
  EXPECT_FALSE(tie->GetArg(1)->IsLinearVariable()) << Show(tie);
  calc.AddEquation(By("==", {Linear({{1, Var(4)}, {5, Var(5)}}), Num(1)}));
  EXPECT_TRUE(calc.IsLinearVariable(4) && !calc.IsLinearVariable(5));
  calc.AddEquation(By("==", {Linear({{-1, Var(6)}, {2, Var(7)}}), Num(0)}));
  EXPECT_TRUE(calc.IsLinearVariable(6) && !calc.IsLinearVariable(7));
  // c = y + z: a constant variable never qualifies, the right side is solved.
  calc.AddEquation(By("==", {Var(8, 1), By("+", {Var(9), Var(10)})}));
  EXPECT_TRUE(calc.IsLinearVariable(9) || calc.IsLinearVariable(10));
  // Inequalities, single scaled terms and malformed equations stay as they are.
  for (ZELS3Node* e :
       {By("<", {Var(11), By("+", {Var(12), Var(13)})}),
        By("==", {By("*", {Num(2), Var(11)}), Num(3)}), By("==", {Var(11), Num(1), Num(2)})})
    EXPECT_EQ(calc.ProcessGauss(e), e) << Show(e);
  EXPECT_FALSE(calc.IsLinearVariable(11));
}
