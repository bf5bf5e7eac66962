#include "support/Builders.h"

using namespace zeltav_test;
using OutputOfSharedNodes = WithCalculator;

// A rebuilt node holding a constant variable equals no other node, so each occurrence of a
// shared one is rebuilt anew; without one, both occurrences are the same rebuilt node.
TEST_F(OutputOfSharedNodes, ASharedNodeIsRebuiltOnceUnlessItHoldsAConstantVariable) {
  calc.SetTransferOff();
  ZELS3Node *x = Var(1), *y = Var(2);
  for (ZELS3Node* factor : {Var(3, 1), Var(4)}) {
    ZELS3Node* s = Un(NodeSin, By("*", {factor, By("^", {x, Num(2)})}));
    calc.AddEquation(By("==", {By("+", {s, By("/", {s, y})}), Num(1)}));
  }
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 2u);
  ZELS3Node* held = calc.GetEquation(0)->GetArg(0);
  ZELS3Node* plain = calc.GetEquation(1)->GetArg(0);
  EXPECT_NE(Arg(held, 1), Arg(Arg(held, 3), 0));
  EXPECT_EQ(Show(Arg(held, 1)), Show(Arg(Arg(held, 3), 0)));
  EXPECT_EQ(Arg(plain, 1), Arg(Arg(plain, 3), 0));
}
