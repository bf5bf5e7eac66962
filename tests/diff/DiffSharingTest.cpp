#include "support/Builders.h"

using namespace zeltav_test;
using DiffOfSharedNodes = WithCalculator;

// s = sin(c*x) with c a constant variable: every build over s makes a new node, so a
// derivative met twice through sharing is built twice, as if the graph were a tree.
TEST_F(DiffOfSharedNodes, ASharedNodeHoldingAConstantVariableIsDifferentiatedAtEachOccurrence) {
  ZELS3Node *x = Var(1), *y = Var(2), *s = Un(NodeSin, By("*", {Var(3, 1), x}));
  ZELS3Node* d = By("+", {s, By("/", {s, y})})->Diff(1);
  ASSERT_EQ(Count(d), 4u);
  EXPECT_EQ(Arg(d, 3)->GetNodeType(), NodeQuotient);
  EXPECT_NE(Arg(d, 1), Arg(Arg(d, 3), 0));
  EXPECT_EQ(Show(Arg(d, 1)), Show(Arg(Arg(d, 3), 0)));
}
