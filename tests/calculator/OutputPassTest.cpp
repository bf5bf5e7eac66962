#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(OutputPass, WritesEachFixedVariableAsAnEquationBeforeTheStoredOnes) {
  ZELSymbolicCalculator calc;
  calc.AddEquation(By("<", {Var(1), Var(2)}));
  calc.AddEquation(By("==", {Var(7), Num(2.5)}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 2u);
  EXPECT_TRUE(Is(calc.GetEquation(0), NodeEqual, {Var(7), Num(2.5)}));
  EXPECT_EQ(Show(calc.GetEquation(1)), "11:<(x1, x2)");
}

// +(2, x, 1, y) -> +(1, *(2, 1, x, 1), 1, y); a pair (-1, y) stays.
TEST(OutputPass, MovesSumCoefficientsOtherThanOneIntoProducts) {
  ZELSymbolicCalculator calc;
  calc.SetTransferOff();
  calc.AddEquation(By("==", {Linear({{2, Var(1)}, {1, Var(2)}}), Var(3)}));
  calc.AddEquation(By("<", {By("-", {Var(1), Var(2)}), Var(3)}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 2u);
  EXPECT_EQ(Show(calc.GetEquation(0)), "9:=(33:+(1, x2, 1, 35:*(2, 1, x1, 1)), x3)");
  EXPECT_EQ(Show(calc.GetEquation(1)), "11:<(33:-(1, x1, -1, x2), x3)");
  ZELS3Node* sum = calc.GetEquation(1)->GetArg(0);
  EXPECT_EQ(sum->GetArg(0), GetOne());
  EXPECT_EQ(sum->GetArg(2), GetMinesOne());
}

// *(x, 2, y, 1) -> *(^(x, 2), 1, y, 1)
TEST(OutputPass, MakesProductExponentsOtherThanOneIntoPowers) {
  ZELSymbolicCalculator calc;
  calc.SetTransferOff();
  calc.AddEquation(By(">", {By("*", {By("^", {Var(1), Num(2)}), Var(2)}), Num(1)}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  EXPECT_EQ(Show(calc.GetEquation(0)), "13:>(35:*(x2, 1, 37:^(x1, 2), 1), 1)");
}

TEST(OutputPass, KeepsItsFormWhenAnOutputNodeIsUsedAgain) {
  ZELSymbolicCalculator calc;
  calc.SetTransferOff();
  calc.AddEquation(By("==", {Linear({{2, Var(1)}, {1, Var(2)}}), Var(3)}));
  calc.Simplify();
  ZELS3Node* product = calc.GetEquation(0)->GetArg(0)->GetArg(3);
  EXPECT_EQ(Show(By("+", {product, Var(4)})), "33:+(1, x4, 2, x1)");
  EXPECT_EQ(Show(product), "35:*(2, 1, x1, 1)");
}

// A connective with a constant side is decided once it has a father: on the
// second use, as for the stored node the output was rebuilt from.
TEST(OutputPass, OutputNodesUsedAgainAreDecidedLikeTheStoredNodes) {
  ZELSymbolicCalculator calc;
  calc.SetTransferOff();
  ZELS3Node* stored = By("or", {Bool(1), By("<=", {By("*", {Num(2), Var(1)}), Var(2)})});
  calc.AddEquation(stored);
  calc.Simplify();
  ZELS3Node* output = calc.GetEquation(0);
  ASSERT_NE(output, stored);
  EXPECT_TRUE(Is(By("and", {stored, Var(3)}), NodeAnd, {stored, Var(3)}));
  EXPECT_TRUE(Is(By("and", {stored, Var(3)}), NodeAnd, {GetTrue(), Var(3)}));
  EXPECT_TRUE(Is(By("and", {output, Var(3)}), NodeAnd, {output, Var(3)}));
  EXPECT_TRUE(Is(By("and", {output, Var(3)}), NodeAnd, {GetTrue(), Var(3)}));
}

TEST(OutputPass, CarriesTheSolverTermOfEachStoredEquation) {
  ZELSymbolicCalculator calc;
  int handle = 0;
  auto* term = reinterpret_cast<ZELSubdefiniteTerm*>(&handle);
  ZELS3Node* constraint = By("<", {By("+", {Var(1), Num(2)}), Var(2)});
  constraint->SetSDNode(term);
  calc.AddEquation(constraint);
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 1u);
  EXPECT_EQ(calc.GetEquation(0)->GetSDNode(), term);
}

TEST(OutputPass, RestoresTheOptionsAndAppendsTheOutputAgainWhenCalledTwice) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  calc.AddEquation(By("<", {Var(1), Var(2)}));
  calc.AddEquation(By("==", {Var(3), Num(4)}));
  calc.Simplify();
  EXPECT_EQ(calc.GetGauss(), 1);
  EXPECT_EQ(calc.GetSubst(), 0);
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 4u);
  EXPECT_EQ(calc.GetEquation(2), calc.GetEquation(0));
  EXPECT_EQ(calc.GetEquation(3), calc.GetEquation(1));
}
