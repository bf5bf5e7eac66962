// Exact shapes of derivatives where a branch is chosen by which parts are
// constant. Values of derivatives against central differences are a property
// test; error codes and null results are pinned by the replay check.
#include <set>
#include <vector>

#include "support/Builders.h"

using namespace zeltav_test;

class Differentiation : public ::testing::Test {
 protected:
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  ZELS3Node* y = Var(2);
  ZELS3Node* one = GetOne();
  ZELS3Node* two = GetTwo();
  // (f^e)' of a one-pair product: the sum (1, product (D, 1)).
  ZELS3Node* Replaced(ZELS3Node* d) { return Op(NodeSum, {one, Op(NodeProduct, {d, one})}); }
};

TEST_F(Differentiation, BuildsAPowerByTheBranchOfItsConstantPart) {
  ZELS3Node* cube = Bin(NodePower, x, Num(3))->Diff(1);
  ZELS3Node* xSquared = Bin(NodePower, x, Bin(NodeSum, Num(3), GetMinesOne()));
  EXPECT_EQ(cube, Replaced(CreateTernaryOperation(NodeProduct, Num(3), xSquared, one)))
      << Show(cube);
  ZELS3Node* exp2 = Bin(NodePower, two, x)->Diff(1);
  ZELS3Node* d2 = CreateTernaryOperation(NodeProduct, Bin(NodePower, two, x), Un(NodeLn, two), one);
  EXPECT_EQ(exp2, Replaced(d2)) << Show(exp2);
  ZELS3Node* self = Bin(NodePower, x, x)->Diff(1);  // x^x + x^x ln x
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(self->GetNodeType(), NodeSum) << Show(self);
  EXPECT_EQ(self->GetArgsNum(), 4u) << Show(self);
}

TEST_F(Differentiation, BuildsAQuotientByTheBranchOfItsConstantPart) {
  ZELS3Node* sinX = Un(NodeSin, x);
  ZELS3Node* dSin = Bin(NodeProduct, Un(NodeCos, x), one);
  EXPECT_EQ(Bin(NodeQuotient, sinX, y)->Diff(1), Bin(NodeQuotient, dSin, y));
  EXPECT_EQ(Bin(NodeQuotient, y, Var(3))->Diff(1), GetZero());
  ZELS3Node* uConst = Un(NodeDifference, Bin(NodeProduct, y, one));
  EXPECT_EQ(Bin(NodeQuotient, y, x)->Diff(1), Bin(NodeQuotient, uConst, Bin(NodePower, x, two)));
  ZELS3Node* top = Bin(NodeDifference, Bin(NodeProduct, one, sinX), Bin(NodeProduct, x, dSin));
  EXPECT_EQ(Bin(NodeQuotient, x, sinX)->Diff(1), Bin(NodeQuotient, top, Bin(NodePower, sinX, two)));
}

TEST_F(Differentiation, NeverReadsArgumentsANodeDoesNotHave) {
  ZELS3Node bare(NodeSin);
  EXPECT_EQ(bare.Diff(1), nullptr);
  EXPECT_EQ(ErrorCode(), 0);
  ZELICVectorImp_ZELS3Node args(2u, 5u);
  args.Add(x);
  EXPECT_EQ(CreateExpression(ZELString("/"), args)->Diff(1), nullptr);  // u without v
  args.Add(y);
  EXPECT_EQ(CreateExpression(ZELString("sin"), args)->Diff(2), GetZero());  // first only
}

// s = sin(c*x) with c a constant variable: every build over s makes a new node, so a
// derivative met twice through sharing is built twice, as if the graph were a tree.
TEST_F(Differentiation, DifferentiatesASharedNodeHoldingAConstantVariableAtEachOccurrence) {
  ZELS3Node* s = Un(NodeSin, By("*", {Var(3, 1), x}));
  ZELS3Node* d = By("+", {s, By("/", {s, y})})->Diff(1);
  ASSERT_EQ(Count(d), 4u);
  EXPECT_EQ(Arg(d, 3)->GetNodeType(), NodeQuotient);
  EXPECT_NE(Arg(d, 1), Arg(Arg(d, 3), 0));
  EXPECT_EQ(Show(Arg(d, 1)), Show(Arg(Arg(d, 3), 0)));
}

// cos(c*x), made for each occurrence of sin(c*x), equals no other node, so the
// same call over the same operands still makes a new node every time.
TEST_F(Differentiation, RepeatsAFactoryCallOverAConstantVariableAtEachOccurrence) {
  ZELS3Node* s = Un(NodeSin, By("*", {Var(3, 1), x}));
  ZELS3Node* d = By("+", {s, By("/", {s, y})})->Diff(1);
  std::set<const ZELS3Node*> cosines;
  std::vector<const ZELS3Node*> stack{d};
  while (!stack.empty()) {
    const ZELS3Node* n = stack.back();
    stack.pop_back();
    if (n->GetNodeType() == NodeCos) cosines.insert(n);
    for (unsigned int i = 0; n->IsOperation() && i < n->GetArgsNum(); ++i)
      stack.push_back(n->GetArg(i));
  }
  EXPECT_EQ(cosines.size(), 2u) << Show(d);
}

// e_(k+1) = e_k * e_k + e_k, sixty levels: the graph unfolds to a tree of
// about 3^60 nodes, so a derivative that met a shared node once per path
// would never end. Its value is checked against the recurrence
// e' <- (2e + 1) e'.
TEST_F(Differentiation, DifferentiatesASharedGraphOncePerNode) {
  ZELS3Node* e = x;
  for (int k = 0; k < 60; ++k) e = By("+", {By("*", {e, e}), e});
  ZELS3Node* d = e->Diff(1);
  ASSERT_NE(d, nullptr);
  double value = -0.5, slope = 1;
  for (int k = 0; k < 60; ++k) {
    slope *= 2 * value + 1;
    value = value * value + value;
  }
  EXPECT_NEAR(Evaluate(e, {{1, -0.5}}), value, 1e-12);
  EXPECT_NEAR(Evaluate(d, {{1, -0.5}}), slope, 1e-9 * slope);
}
