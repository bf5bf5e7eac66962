#include "support/Builders.h"

using namespace zeltav_test;

struct OutputPass : ::testing::Test {
  ZELSymbolicCalculator calc;
  // The output of the equations handed in, with Transfer off so they stay as written.
  void Output(Args equations) {
    calc.SetTransferOff();
    for (ZELS3Node* e : equations) calc.AddEquation(e);
    calc.Simplify();
    ASSERT_EQ(calc.GetNumberOfEquations(), equations.size());
  }
};

// 101 fixed variables fill the first slots the calculator keeps for them.
TEST_F(OutputPass, WritesEveryFixedVariableWhenTheirListIsFull) {
  for (unsigned id = 1; id <= 101; ++id) calc.AddEquation(By("==", {Var(id), Num(id)}));
  calc.Simplify();
  ASSERT_EQ(calc.GetNumberOfEquations(), 101u);
  EXPECT_TRUE(Is(calc.GetEquation(100), NodeEqual, {Var(101), Num(101)}));
}

TEST_F(OutputPass, KeepsItsFormWhenAnOutputNodeIsUsedAgain) {
  Output({By("==", {Linear({{2, Var(1)}, {1, Var(2)}}), Var(3)})});
  ZELS3Node* product = calc.GetEquation(0)->GetArg(0)->GetArg(3);
  EXPECT_EQ(Show(By("+", {product, Var(4)})), "33:+(1, x4, 2, x1)");
  EXPECT_EQ(Show(product), "35:*(2, 1, x1, 1)");
}

// A connective with a constant side is decided once it has a father: on the
// second use, as for the stored node the output was rebuilt from.
TEST_F(OutputPass, OutputNodesUsedAgainAreDecidedLikeTheStoredNodes) {
  ZELS3Node* stored = By("or", {Bool(1), By("<=", {By("*", {Num(2), Var(1)}), Var(2)})});
  Output({stored});
  ZELS3Node* output = calc.GetEquation(0);
  ASSERT_NE(output, stored);
  EXPECT_TRUE(Is(By("and", {stored, Var(3)}), NodeAnd, {stored, Var(3)}));
  EXPECT_TRUE(Is(By("and", {stored, Var(3)}), NodeAnd, {GetTrue(), Var(3)}));
  EXPECT_TRUE(Is(By("and", {output, Var(3)}), NodeAnd, {output, Var(3)}));
  EXPECT_TRUE(Is(By("and", {output, Var(3)}), NodeAnd, {GetTrue(), Var(3)}));
}

// A rebuilt node holding a constant variable equals no other node, so each occurrence of a
// shared one is rebuilt anew; without one, both occurrences are the same rebuilt node.
TEST_F(OutputPass, RebuildsASharedNodeOnceUnlessItHoldsAConstantVariable) {
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

// Each level is held by a power and by a cosine, but lists only the cosine
// among its fathers: the power's link went when its other argument was
// replaced in place. The pass rebuilds every level at most twice, not once
// per path: a chain of 60 levels has 2^60 paths.
TEST_F(OutputPass, RebuildsALevelHeldByAFatherItDoesNotListAtMostTwice) {
  ZELS3Node* level = Un(NodeSin, Var(1));
  for (int k = 0; k < 60; ++k) {
    ZELS3Node* power = By("^", {level, level});
    ASSERT_EQ(ZELS3NodeTestAccess::ReplaceArg(power, Var(2), 1), 1);
    level = By("+", {power, Un(NodeCos, level)});
  }
  Output({By("==", {level, Num(1)})});
  ZELS3Node* top = Arg(calc.GetEquation(0), 0);
  // +(1, *(^(L, x2), 1), 1, cos(L)), with the same rebuilt level L in both terms
  ZELS3Node* underPower = Arg(Arg(Arg(top, 1), 0), 0);
  ZELS3Node* underCosine = Arg(Arg(top, 3), 0);
  ASSERT_NE(underPower, nullptr);
  EXPECT_EQ(underPower, underCosine);
}
