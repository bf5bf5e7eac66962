#include <gtest/gtest.h>

#include "calculator/ConstraintBuilders.h"
#include "support/NodePrinter.h"

using namespace zeltav_test;

TEST(OutputPass, WritesFixedVariablesThenMakesCoefficientsAndExponentsExplicit) {
  ZELSymbolicCalculator calc;
  calc.SetTransferOff();
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  calc.AddEquation(Op("==", {Var(7), Num(2.5)}));
  calc.AddEquation(Op("==", {Linear({{2, x}, {1, y}}), Var(3)}));
  calc.AddEquation(Op("<", {Op("-", {x, y}), Var(3)}));
  calc.AddEquation(Op(">", {Op("*", {Op("^", {x, Num(2)}), y}), Num(1)}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 4u);

  ZELS3Node* fixed = calc.GetEquation(0);
  ASSERT_EQ(fixed->GetNodeType(), NodeEqual) << Show(fixed);
  EXPECT_EQ(fixed->GetArg(0), Var(7)) << Show(fixed);
  EXPECT_EQ(fixed->GetArg(1)->GetConstant(), 2.5) << Show(fixed);

  // +(2, x, 1, y) -> +(1, *(2, 1, x, 1), 1, y)
  ZELS3Node* sum = calc.GetEquation(1)->GetArg(0);
  ASSERT_EQ(sum->GetArgsNum(), 4u) << Show(sum);
  const unsigned px = sum->GetArg(1) == y ? 3 : 1;
  ZELS3Node* p = sum->GetArg(px);
  EXPECT_TRUE(sum->GetArg(0) == GetOne() && sum->GetArg(2) == GetOne()) << Show(sum);
  ASSERT_TRUE(p->GetNodeType() == NodeProduct && p->GetArgsNum() == 4u) << Show(sum);
  EXPECT_TRUE(p->GetArg(0)->GetConstant() == 2.0 && p->GetArg(1) == GetOne() && p->GetArg(2) == x &&
              p->GetArg(3) == GetOne())
      << Show(sum);

  // -1 stays a sum coefficient.
  ZELS3Node* difference = calc.GetEquation(2)->GetArg(0);
  const bool minusFirst = difference->GetArg(1) == y;
  EXPECT_EQ(difference->GetArg(minusFirst ? 0 : 2), GetMinesOne()) << Show(difference);

  // *(x, 2, y, 1) -> *(^(x, 2), 1, y, 1)
  ZELS3Node* product = calc.GetEquation(3)->GetArg(0);
  ASSERT_EQ(product->GetNodeType(), NodeProduct) << Show(product);
  bool sawPower = false;
  for (unsigned i = 0; i + 1 < product->GetArgsNum(); i += 2) {
    EXPECT_EQ(product->GetArg(i + 1), GetOne()) << Show(product);
    ZELS3Node* f = product->GetArg(i);
    if (f->GetNodeType() != NodePower) continue;
    sawPower = f->GetArg(0) == x && f->GetArg(1)->GetConstant() == 2.0;
  }
  EXPECT_TRUE(sawPower) << Show(product);
}

TEST(OutputPass, CarriesTheSolverTermRestoresOptionsAndAppendsAgainWhenCalledTwice) {
  ZELSymbolicCalculator calc;
  calc.SetGaussOn();
  int handle = 0;
  auto* term = reinterpret_cast<ZELSubdefiniteTerm*>(&handle);
  ZELS3Node* constraint = Op("<", {Op("+", {Var(1), Num(2)}), Var(2)});
  constraint->SetSDNode(term);
  calc.AddEquation(constraint);
  calc.AddEquation(Op("==", {Var(3), Num(4)}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 2u);
  EXPECT_EQ(calc.GetEquation(1)->GetSDNode(), term) << Show(calc.GetEquation(1));
  EXPECT_EQ(calc.GetGauss(), 1);
  EXPECT_EQ(calc.GetSubst(), 0);
  calc.Simplify();
  EXPECT_EQ(calc.GetNumberOfEquations(), 4u);
  EXPECT_EQ(calc.GetEquation(3)->GetSDNode(), term);
}
