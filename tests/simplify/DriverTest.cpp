#include <gtest/gtest.h>

#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;

TEST(DriverSubstitution, ReplacesExactVariablesEverywhereAndLinearOnesOnlyInsideSums) {
  ZELSymbolicCalculator calc;
  ZELS3Node *x = Var(1), *y = Var(2), *three = CreateExpression(3.0);
  ZELS3Node* definition = CreateBinaryOperation(NodeDifference, y, GetTwo());
  TA::PushExact(&calc, new ZELS3ExactVariable(2, three));
  TA::PushLinear(&calc, new ZELS3LinearVariable(1, definition));
  TA::PushExact(&calc, new ZELS3ExactVariable(1, GetTwo()));
  const ZELNodeType contexts[] = {NodeVariable, NodeSin, NodeSum, NodeDifference, NodeProduct};
  for (ZELNodeType ctx : contexts) EXPECT_EQ(NA::Simplify(y, ctx), y) << ctx;
  calc.SetGaussOn();
  for (ZELNodeType ctx : contexts) {
    const bool inSum = ctx == NodeSum || ctx == NodeDifference;
    EXPECT_EQ(NA::Simplify(x, ctx), inSum ? definition : x) << ctx;
  }
  calc.SetSubstOn();
  for (ZELNodeType ctx : contexts) EXPECT_EQ(NA::Simplify(y, ctx), three) << ctx;
  EXPECT_EQ(NA::Simplify(x, NodeSum), GetTwo());  // exact before linear
  EXPECT_EQ(Var(2), three);
  ZELS3Node* c = CreateExpression(2ull, static_cast<unsigned char>(1));
  EXPECT_EQ(NA::Simplify(c, NodeSum), c);
}

TEST(DriverProtocol, ReturnsTheReplacementUnlinksTheFreshNodeAndFoldsAnEmptyOne) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  EXPECT_EQ(NA::Check(new ZELS3Node(NodeSum), NodeSum), GetZero());
  EXPECT_EQ(NA::Check(new ZELS3Node(NodeProduct), NodeProduct), GetOne());
  EXPECT_EQ(CreateBinaryOperation(NodeDifference, x, x), GetZero());
  EXPECT_EQ(NA::GetFathNum(x), 0u);
  // *(2, 1, x, 1) -> +(2, x)
  ZELS3Node* product = Fresh(NodeProduct, {GetTwo(), GetOne(), x, GetOne()});
  ZELS3Node* r = NA::Simplify(product, NodeProduct);
  ASSERT_NE(r, product);
  EXPECT_EQ(r->GetNodeType(), NodeSum) << Show(r);
  EXPECT_EQ(product->GetArgsNum(), 0u);
  for (unsigned i = 0; i < NA::GetFathNum(x); ++i) EXPECT_NE(NA::GetFath(x, i), product);
  delete product;
}

TEST(DriverProtocol, KeepsSignsAndSharesWhatItCannotRewriteAndNeedsACalculator) {
  ZELSymbolicCalculator calc;
  ZELS3Node* x = Var(1);
  const unsigned size = TA::TableSize(&calc);
  ZELS3Node* s = Fresh(NodeSin, {x});
  EXPECT_EQ(NA::Check(s, NodeSin), s);
  EXPECT_EQ(s->GetSignature(), 11213u * 26u + x->GetSignature());
  EXPECT_EQ(NA::Check(Fresh(NodeSin, {x}), NodeSin), s);
  EXPECT_EQ(NA::Simplify(s, NodeSum), s);
  EXPECT_EQ(NA::GetFathNum(x), 1u);
  EXPECT_EQ(TA::TableSize(&calc), size + 1);
  // The simple form registers without rewriting: 1 < 2 stays a relation.
  ZELS3Node* less = Fresh(NodeLess, {GetOne(), GetTwo()});
  EXPECT_EQ(NA::CheckSimple(less), less);
  EXPECT_EQ(NA::CheckSimple(Fresh(NodeLess, {GetOne(), GetTwo()})), less);
  ZELS3Node* loose = new ZELS3Node(NodeConstant);
  NA::SetConstant(loose, 1.0);
  EXPECT_EQ(NA::CheckSimple(loose), loose);
  delete loose;
  NA::SetCurrent(nullptr);
  EXPECT_EQ(NA::Simplify(x, NodeSum), nullptr);
  EXPECT_EQ(NA::Check(Fresh(NodeSin, {x}), NodeSin), nullptr);
  EXPECT_EQ(NA::CheckSimple(Fresh(NodeCos, {x})), nullptr);
  NA::SetCurrent(&calc);
  EXPECT_EQ(NA::GetFathNum(x), 1u);
  EXPECT_EQ(TA::TableSize(&calc), size + 2);
}
