#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

namespace {

const ZELICVectorImp_ZELS3Node& Stored(const ZELSymbolicCalculator& c) {
  return ZELSymbolicCalculatorTestAccess::Equations(&c);
}

}  // namespace

TEST(EquationIntake, SplitsConjunctionsOnlyAtTheTop) {
  ZELSymbolicCalculator calc;
  ZELS3Node* less = By("<", {Var(2), Num(2)});
  calc.AddEquation(By("and", {By("==", {Var(1), Num(1)}), less}));
  EXPECT_TRUE(calc.IsExactVariable(1));
  ASSERT_EQ(Stored(calc).Count(), 1u);
  EXPECT_EQ(Stored(calc)[0], less) << Show(Stored(calc)[0]);
  EXPECT_TRUE(less->GetOperName() == "<");

  // Inside an unknown operation the conjunction stays whole; x = 3 is consumed.
  ZELS3Node* inner = By("and", {By(">", {Var(3), Num(0)}), By("<", {Var(3), Num(9)})});
  ZELS3Node* f = By("f", {By("==", {Var(4), Num(3)}), inner});
  calc.AddEquation(f);
  EXPECT_TRUE(calc.IsExactVariable(4));
  ASSERT_EQ(Stored(calc).Count(), 2u);
  EXPECT_EQ(Stored(calc)[1], f);
  EXPECT_EQ(f->GetArg(0), Var(4)) << Show(f);
  EXPECT_EQ(f->GetArg(1), inner) << Show(f);
}

TEST(EquationIntake, UnwrapsTrueDropsWhatHoldsAndTransfersTheRest) {
  ZELSymbolicCalculator calc;
  ZELS3Node* less = By("<", {Var(1), Num(2)});
  calc.AddEquation(By("true", {less}));
  calc.AddEquation(By("==", {Var(2), Var(2)}));  // x = x holds
  calc.AddEquation(Var(3));
  calc.AddEquation(By(">=", {By("-", {Var(1), Var(2)}), Num(0)}));  // -> x >= y
  ASSERT_EQ(Stored(calc).Count(), 2u);
  EXPECT_EQ(Stored(calc)[0], less) << Show(Stored(calc)[0]);
  ZELS3Node* kept = Stored(calc)[1];
  EXPECT_TRUE(kept->GetNodeType() == NodeGreaterEqual && kept->GetArg(0) == Var(1) &&
              kept->GetArg(1) == Var(2))
      << Show(kept);
  EXPECT_TRUE(kept->GetOperName() == ">=");
  EXPECT_EQ(calc.GetError(), 0);
  calc.AddEquation(GetFalse());
  EXPECT_EQ(calc.GetError(), 101);
}

TEST(EquationIntake, SetsGaussBackOnAndSurvivesRelationsWithWrongArgumentCounts) {
  ZELSymbolicCalculator calc;
  calc.SetGauss(7);
  calc.AddEquation(By("==", {Var(4), Num(1), Num(2)}));
  calc.AddEquation(By("<", {Var(4)}));
  EXPECT_EQ(calc.GetGauss(), 7);  // no relation reached the elimination
  calc.AddEquation(By("==", {By("+", {Var(1), Var(2)}), Var(3)}));
  EXPECT_EQ(calc.GetGauss(), 1);
  calc.SetGaussOff();
  calc.AddEquation(By("<=", {Var(5), Var(6), Var(7)}));
  calc.Simplify();
  EXPECT_EQ(Stored(calc).Count(), 1u) << Show(Stored(calc)[0]);
  EXPECT_FALSE(calc.IsExactVariable(4));
}
