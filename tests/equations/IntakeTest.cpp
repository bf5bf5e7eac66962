#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(EquationIntake, SplitsConjunctionsOnlyAtTheTop) {
  ZELSymbolicCalculator calc;
  const auto& eqs = ZELSymbolicCalculatorTestAccess::Equations(&calc);
  ZELS3Node* less = By("<", {Var(2), Num(2)});
  // Inside an unknown operation the conjunction stays whole; x = 3 is consumed.
  ZELS3Node* inner = By("and", {By(">", {Var(3), Num(0)}), By("<", {Var(3), Num(9)})});
  ZELS3Node* f = By("f", {By("==", {Var(4), Num(3)}), inner});
  for (ZELS3Node* e : {By("and", {By("==", {Var(1), Num(1)}), less}), f}) calc.AddEquation(e);
  EXPECT_TRUE(calc.IsExactVariable(1) && calc.IsExactVariable(4));
  ASSERT_EQ(eqs.Count(), 2u);
  EXPECT_TRUE(eqs[0] == less && eqs[1] == f) << Show(eqs[0]) << "; " << Show(eqs[1]);
  EXPECT_TRUE(Has(f, {Var(4), inner}));
}

TEST(EquationIntake, UnwrapsTrueDropsWhatHoldsAndTransfersTheRest) {
  ZELSymbolicCalculator calc;
  const auto& eqs = ZELSymbolicCalculatorTestAccess::Equations(&calc);
  ZELS3Node* less = By("<", {Var(1), Num(2)});
  // true(x < 2), x = x (holds), a bare variable, x - y >= 0 (-> x >= y)
  for (ZELS3Node* e : {By("true", {less}), By("==", {Var(2), Var(2)}), Var(3),
                       By(">=", {By("-", {Var(1), Var(2)}), Num(0)})})
    calc.AddEquation(e);
  ASSERT_EQ(eqs.Count(), 2u);
  EXPECT_EQ(eqs[0], less) << Show(eqs[0]);
  EXPECT_TRUE(Is(eqs[1], NodeGreaterEqual, {Var(1), Var(2)}));
  EXPECT_TRUE(eqs[0]->GetOperName() == "<" && eqs[1]->GetOperName() == ">=");
  EXPECT_EQ(calc.GetError(), 0);
  calc.AddEquation(GetFalse());
  EXPECT_EQ(calc.GetError(), 101);
}

TEST(EquationIntake, SetsGaussBackOnAndSurvivesRelationsWithWrongArgumentCounts) {
  ZELSymbolicCalculator calc;
  calc.SetGauss(7);
  for (ZELS3Node* e : {By("==", {Var(4), Num(1), Num(2)}), By("<", {Var(4)})}) calc.AddEquation(e);
  EXPECT_EQ(calc.GetGauss(), 7);  // no relation reached the elimination
  calc.AddEquation(By("==", {By("+", {Var(1), Var(2)}), Var(3)}));
  EXPECT_EQ(calc.GetGauss(), 1);
  calc.SetGaussOff();
  calc.AddEquation(By("<=", {Var(5), Var(6), Var(7)}));
  calc.Simplify();
  const auto& eqs = ZELSymbolicCalculatorTestAccess::Equations(&calc);
  EXPECT_EQ(eqs.Count(), 1u) << Show(eqs[0]);
  EXPECT_FALSE(calc.IsExactVariable(4));
}
