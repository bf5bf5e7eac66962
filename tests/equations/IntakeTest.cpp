#include <gtest/gtest.h>

#include <string>

#include "support/Builders.h"
#include "support/TestAccess.h"

using namespace zeltav_test;

struct EquationIntake : ::testing::Test {
  ZELSymbolicCalculator calc;
  const ZELICVectorImp_ZELS3Node& stored = ZELSymbolicCalculatorTestAccess::Equations(&calc);
};

// x1 = 1 and x2 < 2: x1 is fixed, x2 < 2 stored. Inside f the conjunction
// stays whole, and x4 = 3 becomes x4 in place.
TEST_F(EquationIntake, SplitsConjunctionsOnlyAtTheTopAndConsumesFixedVariables) {
  ZELS3Node* less = By("<", {Var(2), Num(2)});
  calc.AddEquation(By("and", {By("==", {Var(1), Num(1)}), less}));
  ZELS3Node* inner = By("and", {By(">", {Var(3), Num(0)}), By("<", {Var(3), Num(9)})});
  ZELS3Node* f = By("f", {By("==", {Var(4), Num(3)}), inner});
  calc.AddEquation(f);
  EXPECT_TRUE(calc.IsExactVariable(1));
  EXPECT_TRUE(calc.IsExactVariable(4));
  ASSERT_EQ(stored.Count(), 2u);
  EXPECT_EQ(stored[0], less);
  EXPECT_EQ(stored[1], f);
  EXPECT_TRUE(Has(f, {Var(4), inner}));
}

TEST_F(EquationIntake, UnwrapsTrueAndDropsWhatHoldsButReportsFalse) {
  ZELS3Node* less = By("<", {Var(1), Num(2)});
  calc.AddEquation(By("true", {less}));
  calc.AddEquation(By("==", {Var(2), Var(2)}));
  calc.AddEquation(Var(3));
  ASSERT_EQ(stored.Count(), 1u);
  EXPECT_EQ(stored[0], less);
  EXPECT_EQ(calc.GetError(), 0);
  calc.AddEquation(GetFalse());
  EXPECT_EQ(calc.GetError(), 101);
}

// x - y >= 0  ->  x >= y, named ">="
TEST_F(EquationIntake, TransfersARelationAndGivesItItsOutputName) {
  calc.AddEquation(By(">==", {By("-", {Var(1), Var(2)}), Num(0)}));
  ASSERT_EQ(stored.Count(), 1u);
  EXPECT_TRUE(Is(stored[0], NodeGreaterEqual, {Var(1), Var(2)}));
  EXPECT_EQ(std::string(stored[0]->GetOperName()), ">=");
}

TEST_F(EquationIntake, DropsARelationWithoutExactlyTwoArgumentsAndFixesNothing) {
  calc.SetGauss(7);
  calc.AddEquation(By("==", {Var(4), Num(1), Num(2)}));
  calc.AddEquation(By("<", {Var(4)}));
  EXPECT_EQ(calc.GetGauss(), 7);  // no relation reached the elimination
  EXPECT_FALSE(calc.IsExactVariable(4));
  EXPECT_EQ(stored.Count(), 0u);
  calc.AddEquation(By("==", {By("+", {Var(1), Var(2)}), Var(3)}));
  EXPECT_EQ(calc.GetGauss(), 1);
}

// f(e, e) nested 60 deep holds its innermost e 2^60 times over. Each
// occurrence is taken in as before until one changes nothing; the rest are
// not taken in again. One level deep gives the same: x5 fixed, g(x5).
TEST_F(EquationIntake, TakesInASharedArgumentOfNamedFunctionsUntilItSettles) {
  ZELS3Node* innermost = By("g", {By("==", {Var(5), Num(3)})});
  ZELS3Node* e = innermost;
  for (int level = 0; level < 60; ++level) e = By("f", {e, e});
  calc.AddEquation(e);
  EXPECT_TRUE(calc.IsExactVariable(5));
  EXPECT_EQ(Show(innermost), "38:g(x5)");
  ASSERT_EQ(stored.Count(), 1u);
  EXPECT_EQ(stored[0], e);
}

// g(x7) is taken in once as it is; x7 = 4 then fixes x7, and the second
// occurrence of g(x7) is taken in again, under substitution: g(4).
TEST_F(EquationIntake, TakesInASharedArgumentAgainOnceAnotherFixesAVariable) {
  calc.SetSubstOn();
  ZELS3Node* held = By("g", {Var(7)});
  calc.AddEquation(By("f", {held, By("==", {Var(7), Num(4)}), held}));
  EXPECT_EQ(Show(held), "38:g(4)");
}

// g(p), where p also stands in k(p): p comes back from intake as it is and
// is put back in its place, which moves g to the end of p's fathers (a
// relation between numbers that stands twice in g is decided by whether it
// still has a father after its first occurrence was replaced).
TEST_F(EquationIntake, PutsBackAnArgumentThatComesBackAsItIs) {
  ZELS3Node* x = Var(1);
  ZELS3Node* p = By("*", {x, Un(NodeCos, x)});
  ZELS3Node* g = By("g", {p});
  ZELS3Node* k = By("k", {p});
  calc.AddEquation(g);
  ASSERT_EQ(ZELS3NodeTestAccess::GetFathNum(p), 2u);
  EXPECT_EQ(ZELS3NodeTestAccess::GetFath(p, 0), k);
  EXPECT_EQ(ZELS3NodeTestAccess::GetFath(p, 1), g);
}
