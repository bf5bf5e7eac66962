#include <gtest/gtest.h>

#include <string>

#include "support/Builders.h"

using namespace zeltav_test;

const ZELICVectorImp_ZELS3Node& Stored(const ZELSymbolicCalculator& calc) {
  return ZELSymbolicCalculatorTestAccess::Equations(&calc);
}

TEST(EquationIntake, SplitsAConjunctionAndConsumesTheFixedVariable) {
  ZELSymbolicCalculator calc;
  ZELS3Node* less = By("<", {Var(2), Num(2)});
  calc.AddEquation(By("and", {By("==", {Var(1), Num(1)}), less}));
  EXPECT_TRUE(calc.IsExactVariable(1));
  ASSERT_EQ(Stored(calc).Count(), 1u);
  EXPECT_EQ(Stored(calc)[0], less);
}

// f(x4 = 3, a and b): x4 is fixed and f rewritten in place to f(x4, a and b).
TEST(EquationIntake, KeepsAConjunctionInsideAnUnknownOperationWhole) {
  ZELSymbolicCalculator calc;
  ZELS3Node* inner = By("and", {By(">", {Var(3), Num(0)}), By("<", {Var(3), Num(9)})});
  ZELS3Node* f = By("f", {By("==", {Var(4), Num(3)}), inner});
  calc.AddEquation(f);
  EXPECT_TRUE(calc.IsExactVariable(4));
  ASSERT_EQ(Stored(calc).Count(), 1u);
  EXPECT_EQ(Stored(calc)[0], f);
  EXPECT_TRUE(Has(f, {Var(4), inner}));
}

TEST(EquationIntake, UnwrapsTrueAndDropsWhatHolds) {
  ZELSymbolicCalculator calc;
  ZELS3Node* less = By("<", {Var(1), Num(2)});
  calc.AddEquation(By("true", {less}));
  calc.AddEquation(By("==", {Var(2), Var(2)}));
  calc.AddEquation(Var(3));
  ASSERT_EQ(Stored(calc).Count(), 1u);
  EXPECT_EQ(Stored(calc)[0], less);
  EXPECT_EQ(std::string(less->GetOperName()), "<");
  EXPECT_EQ(calc.GetError(), 0);
}

// x - y >= 0  ->  x >= y
TEST(EquationIntake, TransfersARelationAndGivesItItsOutputName) {
  ZELSymbolicCalculator calc;
  calc.AddEquation(By(">==", {By("-", {Var(1), Var(2)}), Num(0)}));
  ASSERT_EQ(Stored(calc).Count(), 1u);
  EXPECT_TRUE(Is(Stored(calc)[0], NodeGreaterEqual, {Var(1), Var(2)}));
  EXPECT_EQ(std::string(Stored(calc)[0]->GetOperName()), ">=");
}

TEST(EquationIntake, ReportsFalseAsAnInconsistentSystem) {
  ZELSymbolicCalculator calc;
  calc.AddEquation(GetFalse());
  EXPECT_EQ(calc.GetError(), 101);
}

TEST(EquationIntake, SetsGaussBackToOnAfterTheElimination) {
  ZELSymbolicCalculator calc;
  calc.SetGauss(7);
  calc.AddEquation(By("==", {Var(4), Num(1), Num(2)}));
  calc.AddEquation(By("<", {Var(4)}));
  EXPECT_EQ(calc.GetGauss(), 7);
  calc.AddEquation(By("==", {By("+", {Var(1), Var(2)}), Var(3)}));
  EXPECT_EQ(calc.GetGauss(), 1);
}

TEST(EquationIntake, DropsARelationWithoutExactlyTwoArgumentsAndFixesNothing) {
  ZELSymbolicCalculator calc;
  calc.AddEquation(By("==", {Var(4), Num(1), Num(2)}));
  calc.AddEquation(By("<", {Var(4)}));
  calc.SetGaussOn();
  calc.AddEquation(By("<=", {Var(5), Var(6), Var(7)}));
  EXPECT_FALSE(calc.IsExactVariable(4));
  EXPECT_EQ(Stored(calc).Count(), 0u);
}
