#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;

TEST(OutputPass, WritesFixedVariablesThenMakesCoefficientsAndExponentsExplicit) {
  ZELSymbolicCalculator calc;
  calc.SetTransferOff();
  ZELS3Node *x = Var(1), *y = Var(2);
  calc.AddEquation(By("==", {Var(7), Num(2.5)}));
  calc.AddEquation(By("==", {Linear({{2, x}, {1, y}}), Var(3)}));
  calc.AddEquation(By("<", {By("-", {x, y}), Var(3)}));
  calc.AddEquation(By(">", {By("*", {By("^", {x, Num(2)}), y}), Num(1)}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 4u);
  // Sum coefficients other than -1 move into products; products get explicit
  // exponents and powers become "^" nodes again.
  const char* expected[] = {"9:==(x7, 2.5)", "9:=(33:+(1, x2, 1, 35:*(2, 1, x1, 1)), x3)",
                            "11:<(33:-(1, x1, -1, x2), x3)",
                            "13:>(35:*(x2, 1, 37:^(x1, 2), 1), 1)"};
  for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(Show(calc.GetEquation(i)), expected[i]) << i;
  ZELS3Node* sum = calc.GetEquation(1)->GetArg(0);
  EXPECT_TRUE(sum->GetArg(0) == GetOne() && sum->GetArg(3)->GetArg(1) == GetOne()) << Show(sum);
  EXPECT_EQ(calc.GetEquation(0)->GetArg(0), Var(7));
  // Output nodes used again as operands are simplified as copies: the output
  // itself keeps its form.
  EXPECT_EQ(Show(By("+", {sum->GetArg(3), Var(4)})), "33:+(1, x4, 2, x1)");
  EXPECT_EQ(Show(calc.GetEquation(1)), expected[1]);
}

TEST(OutputPass, CarriesTheSolverTermRestoresOptionsAndAppendsAgainWhenCalledTwice) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  int handle = 0;
  auto* term = reinterpret_cast<ZELSubdefiniteTerm*>(&handle);
  ZELS3Node* constraint = By("<", {By("+", {Var(1), Num(2)}), Var(2)});
  constraint->SetSDNode(term);
  calc.AddEquation(constraint);
  calc.AddEquation(By("==", {Var(3), Num(4)}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 2u);
  EXPECT_EQ(calc.GetEquation(1)->GetSDNode(), term) << Show(calc.GetEquation(1));
  EXPECT_EQ(calc.GetGauss() * 2 + calc.GetSubst(), 2);
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 4u);
  EXPECT_EQ(calc.GetEquation(3)->GetSDNode(), term);
}
