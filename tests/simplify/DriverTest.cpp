#include "support/Builders.h"

using namespace zeltav_test;
using TA = ZELSymbolicCalculatorTestAccess;
using NA = ZELS3NodeTestAccess;
using Driver = WithCalculator;

TEST_F(Driver, ReplacesExactVariablesEverywhereAndLinearOnesOnlyInsideSums) {
  ZELS3Node *x = Var(1), *y = Var(2), *three = Num(3.0), *def = Bin(NodeDifference, y, Num(2));
  TA::PushExact(&calc, new ZELS3ExactVariable(2, three));
  TA::PushLinear(&calc, new ZELS3LinearVariable(1, def));
  TA::PushExact(&calc, new ZELS3ExactVariable(1, GetTwo()));
  const ZELNodeType contexts[] = {NodeVariable, NodeSin, NodeSum, NodeDifference, NodeProduct};
  for (ZELNodeType ctx : contexts) EXPECT_EQ(NA::Simplify(y, ctx), y) << ctx;
  calc.SetGaussOn();
  for (ZELNodeType ctx : contexts)
    EXPECT_EQ(NA::Simplify(x, ctx), ctx == NodeSum || ctx == NodeDifference ? def : x) << ctx;
  calc.SetSubstOn();
  for (ZELNodeType ctx : contexts) EXPECT_EQ(NA::Simplify(y, ctx), three) << ctx;
  EXPECT_TRUE(NA::Simplify(x, NodeSum) == GetTwo() && Var(2) == three);  // exact before linear
  ZELS3Node* c = Var(2, 1);  // a constant variable stays
  EXPECT_EQ(NA::Simplify(c, NodeSum), c);
}

TEST_F(Driver, FoldsEmptyNodesRegistersOthersAndUnlinksAFreshNodeItReplaces) {
  ZELS3Node* x = Var(1);
  EXPECT_EQ(NA::Check(new ZELS3Node(NodeSum), NodeSum), GetZero());
  EXPECT_EQ(NA::Check(new ZELS3Node(NodeProduct), NodeProduct), GetOne());
  EXPECT_TRUE(Bin(NodeDifference, x, x) == GetZero() && NA::GetFathNum(x) == 0u);  // no father left
  // *(2, 1, x, 1) -> +(2, x), and the fresh product is no father of x any more.
  ZELS3Node* product = Fresh(NodeProduct, {GetTwo(), GetOne(), x, GetOne()});
  EXPECT_TRUE(Is(NA::Simplify(product, NodeProduct), NodeSum, {GetTwo(), x}));
  EXPECT_EQ(Count(product), 0u) << Show(product);
  for (unsigned i = 0; i < NA::GetFathNum(x); ++i) EXPECT_NE(NA::GetFath(x, i), product);
  delete product;
  const unsigned before = NA::GetFathNum(x), kept = TA::TableSize(&calc);
  ZELS3Node* s = Fresh(NodeSin, {x});
  EXPECT_EQ(NA::Check(s, NodeSin), s);
  EXPECT_EQ(s->GetSignature(), 11213u * 26u + x->GetSignature());
  EXPECT_EQ(NA::Check(Fresh(NodeSin, {x}), NodeSin), s);
  EXPECT_EQ(NA::Simplify(s, NodeSum), s);
  EXPECT_EQ(std::pair(NA::GetFathNum(x), TA::TableSize(&calc)), std::pair(before + 1, kept + 1));
  ZELS3Node *less = Fresh(NodeLess, {GetOne(), GetTwo()}), *loose = new ZELS3Node(NodeConstant);
  EXPECT_EQ(NA::CheckSimple(less), less);  // registered without rewriting: 1 < 2 stays
  EXPECT_EQ(NA::CheckSimple(Fresh(NodeLess, {GetOne(), GetTwo()})), less);
  EXPECT_EQ(NA::CheckSimple(NA::SetConstant(loose, 1.0)), loose);
  delete loose;
  NA::SetCurrent(nullptr);  // without a calculator nothing is simplified or kept
  EXPECT_TRUE(!NA::Simplify(x, NodeSum) && !NA::Check(Fresh(NodeSin, {x}), NodeSin) &&
              !NA::CheckSimple(Fresh(NodeCos, {x})));
  NA::SetCurrent(&calc);
  EXPECT_EQ(std::pair(NA::GetFathNum(x), TA::TableSize(&calc)), std::pair(before + 1, kept + 2));
}
