#include "support/Builders.h"

using namespace zeltav_test;

struct GaussElimination : ::testing::Test {
  ZELSymbolicCalculator calc;
  GaussElimination() { calc.SetGaussOn(); }
};

// 2x + 4y = 6 has no unit coefficient: y = 1.5 - 0.5x, handed on as y + 0.5x = 1.5.
TEST_F(GaussElimination, SolvesForTheLargestCoefficientWhenNoneIsOne) {
  calc.AddEquation(By("==", {Linear({{2, Var(1)}, {4, Var(2)}}), Num(6)}));
  EXPECT_TRUE(calc.IsLinearVariable(2));
  EXPECT_FALSE(calc.IsLinearVariable(1));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  EXPECT_EQ(Show(calc.GetEquation(0)), "9:=(33:+(1, x2, 1, 35:*(0.5, 1, x1, 1)), 1.5)");
}

// x1 + 5x2 = 1 and -x3 + 2x4 = 0: a unit coefficient first; 3x5 + 3x6 = x7: the last of equals.
TEST_F(GaussElimination, PrefersAUnitCoefficientThenTheLastOfTheLargest) {
  calc.AddEquation(By("==", {Linear({{1, Var(1)}, {5, Var(2)}}), Num(1)}));
  calc.AddEquation(By("==", {Linear({{-1, Var(3)}, {2, Var(4)}}), Num(0)}));
  ZELS3Node* tie = Linear({{3, Var(5)}, {3, Var(6)}});
  calc.AddEquation(By("==", {tie, Var(7)}));
  EXPECT_TRUE(calc.IsLinearVariable(1));
  EXPECT_FALSE(calc.IsLinearVariable(2));
  EXPECT_TRUE(calc.IsLinearVariable(3));
  EXPECT_FALSE(calc.IsLinearVariable(4));
  EXPECT_TRUE(tie->GetArg(3)->IsLinearVariable()) << Show(tie);
  EXPECT_FALSE(tie->GetArg(1)->IsLinearVariable()) << Show(tie);
}

TEST_F(GaussElimination, SolvesTheRightSideWhenTheLeftIsAConstantVariable) {
  calc.AddEquation(By("==", {Var(8, 1), By("+", {Var(1), Var(2)})}));
  EXPECT_TRUE(calc.IsLinearVariable(1));
  EXPECT_FALSE(calc.IsLinearVariable(8));
}

// x1 is defined as the constant variable c5, so the side x1 collapses to c5.
TEST_F(GaussElimination, RecordsTheConstantVariableThatASideCollapsesTo) {
  ZELS3Node *c = Var(5, 1), *definition = By("+", {Num(1), Var(2)});
  calc.AddLinearVariable(1, c);
  calc.AddEquation(By("==", {Var(1), definition}));
  EXPECT_EQ(calc.GetLinearVariable(5), definition);
  EXPECT_EQ(calc.GetError(), 0);
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  EXPECT_TRUE(Is(calc.GetEquation(0), NodeEqual, {c, definition}));
}

TEST_F(GaussElimination, LeavesInequalitiesScaledTermsAndMalformedEquationsUnchanged) {
  ZELS3Node* inequality = By("<", {Var(1), By("+", {Var(2), Var(3)})});
  ZELS3Node* scaled = By("==", {By("*", {Num(2), Var(1)}), Num(3)});
  ZELS3Node* threeSides = By("==", {Var(1), Num(1), Num(2)});
  ZELS3Node* constantSides = By("==", {Var(4, 1), Var(5, 1)});
  EXPECT_EQ(calc.ProcessGauss(inequality), inequality);
  EXPECT_EQ(calc.ProcessGauss(scaled), scaled);
  EXPECT_EQ(calc.ProcessGauss(threeSides), threeSides);
  EXPECT_EQ(calc.ProcessGauss(constantSides), constantSides);
  EXPECT_FALSE(calc.IsLinearVariable(1));
}
