#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

// 2x + 4y = 6 has no unit coefficient: y = 1.5 - 0.5x, handed on as y + 0.5x = 1.5.
TEST(GaussElimination, SolvesForTheLargestCoefficientWhenNoneIsOne) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.AddEquation(By("==", {Linear({{2, Var(1)}, {4, Var(2)}}), Num(6)}));
  EXPECT_TRUE(calc.IsLinearVariable(2));
  EXPECT_FALSE(calc.IsLinearVariable(1));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  EXPECT_EQ(Show(calc.GetEquation(0)), "9:=(33:+(1, x2, 1, 35:*(0.5, 1, x1, 1)), 1.5)");
}

TEST(GaussElimination, SolvesForTheFirstUnitCoefficientEvenBesideALargerOne) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.AddEquation(By("==", {Linear({{1, Var(1)}, {5, Var(2)}}), Num(1)}));
  calc.AddEquation(By("==", {Linear({{-1, Var(3)}, {2, Var(4)}}), Num(0)}));
  EXPECT_TRUE(calc.IsLinearVariable(1));
  EXPECT_FALSE(calc.IsLinearVariable(2));
  EXPECT_TRUE(calc.IsLinearVariable(3));
  EXPECT_FALSE(calc.IsLinearVariable(4));
}

TEST(GaussElimination, SolvesForTheLastOfEqualLargestCoefficients) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  ZELS3Node* tie = Linear({{3, Var(1)}, {3, Var(2)}});
  calc.AddEquation(By("==", {tie, Var(3)}));
  EXPECT_TRUE(tie->GetArg(3)->IsLinearVariable()) << Show(tie);
  EXPECT_FALSE(tie->GetArg(1)->IsLinearVariable()) << Show(tie);
}

TEST(GaussElimination, SolvesTheRightSideWhenTheLeftIsAConstantVariable) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.AddEquation(By("==", {Var(8, 1), By("+", {Var(1), Var(2)})}));
  EXPECT_TRUE(calc.IsLinearVariable(1));
  EXPECT_FALSE(calc.IsLinearVariable(8));
}

// x1 is defined as the constant variable c5, so the side x1 collapses to c5.
TEST(GaussElimination, RecordsTheConstantVariableThatASideCollapsesTo) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  ZELS3Node* c = Var(5, 1);
  calc.AddLinearVariable(1, c);
  ZELS3Node* definition = By("+", {Num(1), Var(2)});
  calc.AddEquation(By("==", {Var(1), definition}));
  EXPECT_TRUE(calc.IsLinearVariable(5));
  EXPECT_EQ(calc.GetLinearVariable(5), definition);
  EXPECT_EQ(calc.GetError(), 0);
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  EXPECT_TRUE(Is(calc.GetEquation(0), NodeEqual, {c, definition}));
}

TEST(GaussElimination, LeavesInequalitiesScaledTermsAndMalformedEquationsUnchanged) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  ZELS3Node* inequality = By("<", {Var(1), By("+", {Var(2), Var(3)})});
  ZELS3Node* scaled = By("==", {By("*", {Num(2), Var(1)}), Num(3)});
  ZELS3Node* threeSides = By("==", {Var(1), Num(1), Num(2)});
  ZELS3Node* twoConstantVariables = By("==", {Var(4, 1), Var(5, 1)});
  EXPECT_EQ(calc.ProcessGauss(inequality), inequality);
  EXPECT_EQ(calc.ProcessGauss(scaled), scaled);
  EXPECT_EQ(calc.ProcessGauss(threeSides), threeSides);
  EXPECT_EQ(calc.ProcessGauss(twoConstantVariables), twoConstantVariables);
  EXPECT_FALSE(calc.IsLinearVariable(1));
}
